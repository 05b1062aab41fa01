#pragma once
// The XPath implementation of the test tools and fuzz targets: the engine's
// node arrays, and no extension value types (converting or comparing one is
// never asked for, and would give false, NaN or "").
#include "core/Interface.h"
#include "xpath/Context.h"
#include "xpath/NodeArray.h"
#include "xpath/Value.h"

namespace KeltoTools {

class CNoExtensions : public Xpath::CValueConvertExtension, public Xpath::CValueCompareExtension {
public:
  bool ToBoolean(Xpath::CContext*, const Xpath::CValue&) override { return false; }
  Xpath::CNumber ToNumber(Xpath::CContext*, const Xpath::CValue&) override { return Xpath::CNumber::NaN(); }
  Core::String ToString(Xpath::CContext*, const Xpath::CValue&) override { return {}; }
  bool CompareNodeSetWithValue(Xpath::CContext*, int32_t, const Xpath::CValue&, const Xpath::CValue&) override {
    return false;
  }
  bool CompareValueWithNodeSet(Xpath::CContext*, int32_t, const Xpath::CValue&, const Xpath::CValue&) override {
    return false;
  }
};

class CPlainXpathImplementation : public Xpath::CXpathImplementation {
public:
  Xpath::CNodeArrayFactory* GetNodeArrayFactory() override { return m_factory.Get(); }
  Xpath::CValueConvertExtension* GetValueConvertExtension() override { return &m_extensions; }
  Xpath::CValueCompareExtension* GetValueCompareExtension() override { return &m_extensions; }

private:
  Core::XInterface<Xpath::CNodeArrayFactory> m_factory = new Xpath::CBasicNodeArrayFactory();
  CNoExtensions m_extensions;
};

} // namespace KeltoTools
