#pragma once
// A script engine with the object package's binding over it, for the tests
// of the binding and the package. Programs run as the engine runs imported
// files; the engine is shut down after each test, as the driver does.
#include <gtest/gtest.h>

#include "core/EncodingMap.h"
#include "core/StringStream.h"
#include "extensions/script/EcmaScriptBinding.h"
#include "script/builtins/ScriptEngine.h"
#include "script/engine/Conversions.h"

namespace ScriptPackageTest {

class CBindingTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_engine = new EcmaScript::CScriptEngine();
    m_binding = new XsltEcmaScript::CEcmaScriptBinding(m_engine.Get(), Core::Make<Unicode::CEncodingMap>().Get());
  }
  void TearDown() override {
    m_binding = nullptr;
    m_engine->Shutdown();
  }

  void Run(Core::StringView program) {
    try {
      Core::XInterface<Core::CStringStream> source(new Core::CStringStream(program));
      m_engine->Execute(source.Get());
    } catch (const Core::IException& failure) {
      ADD_FAILURE() << Core::ToUtf8(program) << ": " << Core::ToUtf8(failure.GetMessage());
    }
  }
  // The value of a global of the script.
  EcmaScript::XValue Global(Core::StringView name) {
    return m_engine->GetGlobalObject()->Get(m_binding->GetExecutionContext(), EcmaScript::CPropertyName(name));
  }

  Core::XInterface<EcmaScript::CScriptEngine> m_engine;
  Core::XInterface<XsltEcmaScript::CEcmaScriptBinding> m_binding;
};

// The message of whatever the operation throws; "" when it throws nothing.
template <class TOperation>
std::string FailureOf(TOperation&& operation) {
  try {
    operation();
  } catch (const Core::IException& failure) {
    return Core::ToUtf8(failure.GetMessage());
  }
  return "";
}

} // namespace ScriptPackageTest
