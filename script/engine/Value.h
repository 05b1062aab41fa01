#pragma once
// Script values: counted and immutable, one class per type. The getters are
// accessors, not conversions: on a value of another type they answer false,
// the empty text, integer 0 or null (conversions are in Conversions.h).
#include <cstdint>

#include "core/Array.h"
#include "core/Interface.h"
#include "core/String.h"
#include "script/engine/PropertyName.h"
#include "script/engine/ScriptNumber.h"
#include "script/engine/SmallAllocator.h"

namespace EcmaScript {

class CScriptObject;
class CValue;

using XValue = Core::XInterface<CValue>;
using XObject = Core::XInterface<CScriptObject>;
// Arguments of a call and the payload of a List value, in call order.
using CArgumentList = Core::XArray<XValue>;

// The payload of a Reference value: a base object (null when an identifier
// was found in no scope) and a property name.
class CReference {
public:
  CReference(CScriptObject* base, const CPropertyName& name);
  ~CReference();
  CReference(const CReference&) = delete;
  CReference& operator=(const CReference&) = delete;

  CScriptObject* GetBase() const;
  const CPropertyName& GetName() const { return m_name; }

private:
  XObject m_base;
  CPropertyName m_name;
};

class CValue : public Core::CInterface {
public:
  KELTO_SMALL_OBJECT_ALLOCATION

  enum : int32_t {
    UndefinedType = 0,
    NullType = 1,
    BooleanType = 2,
    StringType = 3,
    NumberType = 4,
    ObjectType = 5,
    ReferenceType = 6,
    ListType = 7,
  };

  explicit CValue(int32_t type) : m_type(type) {}

  int32_t GetType() const { return m_type; }
  virtual bool GetBoolean() const { return false; }
  virtual const Core::String& GetString() const;
  virtual CScriptNumber GetNumber() const { return CScriptNumber(0); }
  // No use added.
  virtual CScriptObject* GetObject() const { return nullptr; }
  virtual const CReference* GetReference() const { return nullptr; }
  virtual const CArgumentList* GetList() const { return nullptr; }

  // Undefined, Null, Boolean, String or Number.
  bool IsPrimitive() const { return GetType() <= NumberType; }

private:
  int32_t m_type;
};

class CUndefinedValue final : public CValue {
public:
  CUndefinedValue() : CValue(UndefinedType) {}
};

class CNullValue final : public CValue {
public:
  CNullValue() : CValue(NullType) {}
};

class CBooleanValue final : public CValue {
public:
  explicit CBooleanValue(bool value) : CValue(BooleanType), m_value(value) {}
  bool GetBoolean() const override { return m_value; }

private:
  bool m_value;
};

// Text that string concatenation grows in place: the values made by
// appending to it share it, each holding a prefix.
class CStringBuffer : public Core::CInterface {
public:
  KELTO_SMALL_OBJECT_ALLOCATION
  Core::String text;
  // A reference to text was handed out, so text must not grow any more.
  bool exposed = false;
};

class CStringValue final : public CValue {
public:
  // Longest string a script may make, in code units (2^30): beyond it the
  // runtime error StringTooLong, long before memory runs out. Tests lower
  // it to reach the error cheaply.
  static size_t GetMaxLength() { return s_maxLength; }
  static void SetMaxLength(size_t length) { s_maxLength = length; }
  // Runtime error StringTooLong when the length is above the maximum.
  static void CheckLength(size_t length);

  explicit CStringValue(Core::String value) : CValue(StringType), m_value(std::move(value)) {}
  // The first length units of the buffer.
  CStringValue(CStringBuffer* buffer, size_t length) : CValue(StringType), m_shared(buffer), m_length(length) {}
  const Core::String& GetString() const override;
  // The text without pinning a shared buffer; valid until the next
  // concatenation, so only for use on the spot.
  Core::StringView GetView() const {
    return m_shared ? Core::StringView(m_shared->text.data(), m_length) : Core::StringView(m_value);
  }
  size_t GetLength() const { return m_shared ? m_length : m_value.size(); }
  // The text in a buffer that concatenation no longer grows, for holders
  // that keep it (String objects): moved or shared rather than copied.
  Core::XInterface<CStringBuffer> ShareBuffer() const;

  // The string value of left followed by right. A left value that ends an
  // unpinned buffer grows it in place, so that s = s + t in a loop copies
  // s only when the buffer's storage grows. Runtime error StringTooLong
  // beyond the maximum length.
  static XValue Concatenate(const CStringValue* left, Core::StringView right);

private:
  static size_t s_maxLength;

  mutable Core::String m_value;
  mutable Core::XInterface<CStringBuffer> m_shared;
  mutable size_t m_length = 0;
};

class CNumberValue final : public CValue {
public:
  explicit CNumberValue(CScriptNumber value) : CValue(NumberType), m_value(value) {}
  CScriptNumber GetNumber() const override { return m_value; }

private:
  CScriptNumber m_value;
};

class CObjectValue final : public CValue {
public:
  explicit CObjectValue(CScriptObject* object);
  ~CObjectValue() override;
  CScriptObject* GetObject() const override { return m_object; }

private:
  CScriptObject* m_object;  // counted
};

class CReferenceValue final : public CValue {
public:
  CReferenceValue(CScriptObject* base, const CPropertyName& name) : CValue(ReferenceType), m_reference(base, name) {}
  const CReference* GetReference() const override { return &m_reference; }

private:
  CReference m_reference;
};

class CListValue final : public CValue {
public:
  CListValue() : CValue(ListType) {}
  explicit CListValue(CArgumentList values) : CValue(ListType), m_values(std::move(values)) {}
  const CArgumentList* GetList() const override { return &m_values; }

private:
  CArgumentList m_values;  // released last to first
};

// Values as the interpreter hands them out. Undefined, Null and the two
// Booleans are shared instances: values never change, so nothing can tell.
XValue MakeUndefined();
XValue MakeNull();
XValue MakeBoolean(bool value);
XValue MakeNumber(CScriptNumber value);
XValue MakeString(Core::String value);
XValue MakeObject(CScriptObject* object);

} // namespace EcmaScript
