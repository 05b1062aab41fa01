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

class CStringValue : public CValue {
public:
  explicit CStringValue(Core::String value) : m_value(std::move(value)) {}

  int32_t GetType() const override { return StringType; }
  Core::String GetString() const override { return m_value; }
  // The text without a copy.
  const Core::String& GetText() const { return m_value; }

private:
  Core::String m_value;
};

} // namespace Xpath
