#pragma once
// The XPath implementation of a run: the engine's node arrays, and the
// conversions and comparisons of the value types the engine does not know.
// Result tree fragments are built in; other extension types (the script
// package's objects) are added by their owners. Values are told apart by
// their type code and class, so a value of one kind is never read as another.
#include <cstdint>
#include <unordered_map>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Context.h"
#include "xpath/NodeArray.h"

namespace XsltPrivate {

// A fragment converts through its string value: boolean() is always true
// (a fragment stands for a root node), number() reads the string value.
// A value of a type with no conversion of its own answers with its accessors.
class CPrivateValueConvertExtension : public Xpath::CValueConvertExtension {
public:
  bool ToBoolean(Xpath::CContext* context, const Xpath::CValue& value) override;
  Xpath::CNumber ToNumber(Xpath::CContext* context, const Xpath::CValue& value) override;
  Core::String ToString(Xpath::CContext* context, const Xpath::CValue& value) override;

  // Conversions of another extension type; a later one replaces an earlier one.
  void AddType(int32_t type, Xpath::CValueConvertExtension* extension);

private:
  Xpath::CValueConvertExtension* Find(int32_t type) const;

  std::unordered_map<int32_t, Core::XInterface<Xpath::CValueConvertExtension>> m_types;
};

// A node set against a fragment compares each node's string value with the
// fragment's string value, true at the first node that matches. A script
// object with no comparison of its own compares as its accessors answer
// (its string for = and !=, its number otherwise); any other type without
// one raises "Comparison not supported".
class CPrivateValueCompareExtension : public Xpath::CValueCompareExtension {
public:
  bool CompareNodeSetWithValue(Xpath::CContext* context, int32_t op, const Xpath::CValue& left,
                               const Xpath::CValue& right) override;
  bool CompareValueWithNodeSet(Xpath::CContext* context, int32_t op, const Xpath::CValue& left,
                               const Xpath::CValue& right) override;

  void AddType(int32_t type, Xpath::CValueCompareExtension* extension);

  // left op right for the six operators: = and != compare the units, the
  // others the numbers the strings read as (false with NaN).
  static bool CompareStrings(int32_t op, Core::StringView left, Core::StringView right);

private:
  Xpath::CValueCompareExtension* Find(int32_t type) const;

  std::unordered_map<int32_t, Core::XInterface<Xpath::CValueCompareExtension>> m_types;
};

class CPrivateXpathImplementation : public Xpath::CXpathImplementation {
public:
  explicit CPrivateXpathImplementation(Xpath::CNodeArrayFactory* nodeArrayFactory);
  ~CPrivateXpathImplementation() override;

  Xpath::CNodeArrayFactory* GetNodeArrayFactory() override { return m_nodeArrayFactory.Get(); }
  Xpath::CValueConvertExtension* GetValueConvertExtension() override { return m_convert.Get(); }
  Xpath::CValueCompareExtension* GetValueCompareExtension() override { return m_compare.Get(); }

  // Gives values of the type code their conversions and comparisons (either
  // may be null). The fragment type is built in and cannot be replaced.
  void AddValueType(int32_t type, Xpath::CValueConvertExtension* convert, Xpath::CValueCompareExtension* compare);

private:
  Core::XInterface<Xpath::CNodeArrayFactory> m_nodeArrayFactory;
  Core::XInterface<CPrivateValueConvertExtension> m_convert;
  Core::XInterface<CPrivateValueCompareExtension> m_compare;
};

} // namespace XsltPrivate
