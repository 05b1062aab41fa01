#pragma once
// XPath values: one counted base and the four XPath 1.0 object types. Other
// layers derive their own kinds (result tree fragments, script objects) and
// are known here only by their type code. Values are immutable once built.
//
// The getters are accessors, not conversions: GetNumber of a boolean value is
// +0 and GetString of a number value is empty. Conversions are
// Xpath::CValueConverter's.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/NodeSet.h"
#include "xpath/Number.h"

namespace Xpath {

class CValue : public Core::CInterface {
public:
  enum : int32_t {
    NodeSetType = 0,
    BooleanType = 1,
    NumberType = 2,
    StringType = 3,
    NoType = 4,
    // Extension types of the XSLT processor and the script package.
    ResultTreeFragmentType = 100,
    ScriptObjectType = 200,
  };

  virtual int32_t GetType() const { return NoType; }
  // The held node set without a use added; null for every other type.
  virtual CNodeSet* GetNodeSet() const { return nullptr; }
  virtual bool GetBoolean() const { return false; }
  virtual CNumber GetNumber() const { return CNumber(0.0); }
  virtual Core::String GetString() const { return {}; }
};

class CNodeSetValue : public CValue {
public:
  explicit CNodeSetValue(CNodeSet* nodeSet) : m_nodeSet(nodeSet) {}
  explicit CNodeSetValue(Core::XInterface<CNodeSet> nodeSet) : m_nodeSet(std::move(nodeSet)) {}

  int32_t GetType() const override { return NodeSetType; }
  CNodeSet* GetNodeSet() const override { return m_nodeSet.Get(); }

private:
  Core::XInterface<CNodeSet> m_nodeSet;
};

class CBooleanValue : public CValue {
public:
  explicit CBooleanValue(bool value) : m_value(value) {}

  int32_t GetType() const override { return BooleanType; }
  bool GetBoolean() const override { return m_value; }

private:
  bool m_value;
};

class CNumberValue : public CValue {
public:
  explicit CNumberValue(CNumber value) : m_value(value) {}

  int32_t GetType() const override { return NumberType; }
  CNumber GetNumber() const override { return m_value; }

private:
  CNumber m_value;
};

// Text shared by string values: concat() grows it in place and long
// substrings refer into it, so that a string built up or cut down level by
// level in a recursion is held once rather than once per level. Stored text
// never moves: it is appended to only while its storage has room.
class CStringBuffer : public Core::CInterface {
public:
  Core::String text;
};

class CStringValue : public CValue {
public:
  explicit CStringValue(Core::String value) : m_value(std::move(value)) {}
  // The length units of the buffer from offset.
  CStringValue(CStringBuffer* buffer, size_t offset, size_t length)
      : m_shared(buffer), m_offset(offset), m_length(length) {}

  int32_t GetType() const override { return StringType; }
  Core::String GetString() const override { return Core::String(GetText()); }
  // The text without a copy, valid while the value lives.
  Core::StringView GetText() const {
    return m_shared ? Core::StringView(m_shared->text.data() + m_offset, m_length) : Core::StringView(m_value);
  }

  // The text followed by the parts (which may view this text). When the
  // text ends its buffer and the buffer has room, the parts are written
  // there and the result shares it. Otherwise the result is new: exactly
  // the size needed the first time, and with room for as much again when
  // the text itself was made by appending, as such strings usually grow on.
  Core::XInterface<CValue> Append(const Core::StringView* parts, size_t count) const;
  // The units [offset, offset + length) of the text. A long part refers to
  // the text instead of copying it, when it is at least half of what it
  // would keep alive.
  Core::XInterface<CValue> Part(size_t offset, size_t length) const;

private:
  mutable Core::String m_value;
  mutable Core::XInterface<CStringBuffer> m_shared;
  mutable size_t m_offset = 0;
  mutable size_t m_length = 0;
  bool m_appended = false;
};

} // namespace Xpath
