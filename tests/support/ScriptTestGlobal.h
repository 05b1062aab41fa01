#pragma once
// A global object for tests of the interpreter's data layer and of the
// built-ins: plain objects stand for the eight constructors and the eight
// prototypes (Object.prototype first, the others inheriting from it, the
// constructors from Function.prototype), and the creation operations make
// the real wrapper and method objects. CScriptTest gives each test one,
// with a global-code context, and shuts it down afterwards as the engine
// does.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "core/Array.h"
#include "script/builtins/BooleanObject.h"
#include "script/builtins/BuiltinMethod.h"
#include "script/builtins/NumberObject.h"
#include "script/builtins/ScriptFunction.h"
#include "script/builtins/StringObject.h"
#include "script/engine/Conversions.h"
#include "script/engine/ExecutionContext.h"
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace ScriptTest {

using namespace EcmaScript;

class CTestGlobalObject : public CGlobalObjectBase {
public:
  enum { Object, Function, Array, String, Boolean, Number, Date, RegExp, Count };

  CTestGlobalObject() {
    BecomeOwnGlobalObject();
    m_prototypes[Object] = new CScriptObject(this, nullptr);
    for (int i = Function; i < Count; ++i) m_prototypes[i] = new CScriptObject(this, m_prototypes[Object].Get());
    for (int i = 0; i < Count; ++i) m_constructors[i] = new CScriptObject(this, m_prototypes[Function].Get());
    for (int i = 0; i < Count; ++i) AddToClearList(m_prototypes[i].Get());
  }
  ~CTestGlobalObject() override { Clear(); }

  // The clear list, every other live object, then this object itself.
  void Clear() override {
    for (auto& object : m_clearList) object->Clear();
    m_clearList = Core::XArray<XObject>();
    ClearLiveObjects();
    CScriptObject::Clear();
  }
  CScriptEngine* GetEngine() const override { return nullptr; }

  CScriptObject* GetObjectConstructor() const override { return m_constructors[Object].Get(); }
  CScriptObject* GetFunctionConstructor() const override { return m_constructors[Function].Get(); }
  CScriptObject* GetArrayConstructor() const override { return m_constructors[Array].Get(); }
  CScriptObject* GetStringConstructor() const override { return m_constructors[String].Get(); }
  CScriptObject* GetBooleanConstructor() const override { return m_constructors[Boolean].Get(); }
  CScriptObject* GetNumberConstructor() const override { return m_constructors[Number].Get(); }
  CScriptObject* GetDateConstructor() const override { return m_constructors[Date].Get(); }
  CScriptObject* GetRegExpConstructor() const override { return m_constructors[RegExp].Get(); }
  CScriptObject* GetObjectPrototype() const override { return m_prototypes[Object].Get(); }
  CScriptObject* GetFunctionPrototype() const override { return m_prototypes[Function].Get(); }
  CScriptObject* GetArrayPrototype() const override { return m_prototypes[Array].Get(); }
  CScriptObject* GetStringPrototype() const override { return m_prototypes[String].Get(); }
  CScriptObject* GetBooleanPrototype() const override { return m_prototypes[Boolean].Get(); }
  CScriptObject* GetNumberPrototype() const override { return m_prototypes[Number].Get(); }
  CScriptObject* GetDatePrototype() const override { return m_prototypes[Date].Get(); }
  CScriptObject* GetRegExpPrototype() const override { return m_prototypes[RegExp].Get(); }
  void AddToClearList(CScriptObject* object) override { m_clearList.Append(XObject(object)); }

  XObject CreateBooleanObject(bool value) override { return XObject(new CBooleanObject(this, value)); }
  XObject CreateNumberObject(CScriptNumber value) override { return XObject(new CNumberObject(this, value)); }
  XObject CreateStringObject(const CStringValue* value) override {
    return XObject(new CStringObject(this, value));
  }
  XObject CreateBuiltinMethod(CScriptObject* owner, int32_t methodNumber, int32_t length) override {
    return XObject(new CBuiltinMethod(this, owner, methodNumber, length));
  }
  XObject CreateScriptFunction(CFunctionDefinition* definition) override {
    return XObject(new CScriptFunction(this, definition));
  }

  // A plain object inheriting from Object.prototype.
  XObject NewObject() { return XObject(new CScriptObject(this, GetObjectPrototype())); }

  // Puts a built-in's real prototype and constructor in place of the
  // stand-ins (before they are populated, so that they find each other).
  void SetBuiltin(int index, XObject prototype, XObject constructor) {
    m_prototypes[index] = std::move(prototype);
    m_constructors[index] = std::move(constructor);
    AddToClearList(m_prototypes[index].Get());
  }

private:
  XObject m_constructors[Count];
  XObject m_prototypes[Count];
  Core::XArray<XObject> m_clearList;
};

// A callable object running a test's code (what a script function would do).
class CTestFunction : public CScriptObject {
public:
  using Body = std::function<XValue(CExecutionContext&, CScriptObject*, const CArgumentList&)>;
  CTestFunction(CGlobalObjectBase* global, Body body)
      : CScriptObject(global, global->GetFunctionPrototype()), m_body(std::move(body)) {}
  Core::StringView GetClassName() const override { return u"Function"; }
  Core::StringView GetTypeOf() const override { return u"function"; }
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override {
    return m_body(context, thisObject, arguments);
  }

private:
  Body m_body;
};

class CScriptTest : public ::testing::Test {
protected:
  CScriptTest() : global(new CTestGlobalObject) { context.InitGlobalCode(global.Get()); }
  ~CScriptTest() override { global->Clear(); }

  // An object property holding a test function.
  void DefineFunction(CScriptObject* object, const char16_t* name, CTestFunction::Body body) {
    XObject function(new CTestFunction(global.Get(), std::move(body)));
    object->Put(context, CPropertyName(name), MakeObject(function.Get()).Get());
  }

  Core::XInterface<CTestGlobalObject> global;
  CExecutionContext context;
};

} // namespace ScriptTest
