#pragma once
// The global object of one engine: the variable object and `this` of global
// code, the holder of the eight built-in constructors and prototypes, and
// the owner of the global functions.
//
// Populate makes the built-ins from a table of kits, one per built-in (how
// to create and populate its prototype and its constructor), from a table
// of global functions and Math.
#include <cstdint>

#include "core/Array.h"
#include "script/builtins/PrintSink.h"
#include "script/engine/GlobalObjectBase.h"

namespace EcmaScript {

class CGlobalObject;

// How the global object makes one of the eight built-ins. Every prototype
// is created before any constructor, and every object of the eight is
// created before any is populated, so that populating finds all of them
// through the getters.
struct CBuiltinKit {
  XObject (*createPrototype)(CGlobalObject& global);
  XObject (*createConstructor)(CGlobalObject& global);
  void (*populatePrototype)(CGlobalObject& global, CScriptObject& prototype);
  void (*populateConstructor)(CGlobalObject& global, CScriptObject& constructor);
};

// The routine of a global function (eval, parseInt, ..., print): the
// calling context, the global object, this (unused by all of them) and the
// arguments.
using GlobalFunctionRoutine = XValue (*)(CExecutionContext& context, CGlobalObject& global,
                                         CScriptObject* thisObject, const CArgumentList& arguments);

class CGlobalObject : public CGlobalObjectBase {
public:
  enum : int32_t {
    ObjectBuiltin,
    FunctionBuiltin,
    ArrayBuiltin,
    StringBuiltin,
    BooleanBuiltin,
    NumberBuiltin,
    DateBuiltin,
    RegExpBuiltin,
    BuiltinCount
  };
  // Method numbers of the global functions.
  enum : int32_t { MethodEval, MethodParseInt, MethodParseFloat, MethodEscape, MethodUnescape, MethodIsNaN,
                   MethodIsFinite, MethodPrint, MethodCount };

  // The engine is not counted (it holds this object).
  explicit CGlobalObject(CScriptEngine* engine);
  ~CGlobalObject() override;

  // Creates and registers the built-ins; called once, right after
  // construction.
  void Populate();
  // Breaks every reference cycle: the built-in prototypes, every other
  // live object (whatever cycles scripts made), then this object's own
  // properties. The sixteen built-in slots stay set until destruction.
  void Clear() override;

  CScriptEngine* GetEngine() const override { return m_engine; }
  CScriptObject* GetObjectConstructor() const override { return m_constructors[ObjectBuiltin].Get(); }
  CScriptObject* GetFunctionConstructor() const override { return m_constructors[FunctionBuiltin].Get(); }
  CScriptObject* GetArrayConstructor() const override { return m_constructors[ArrayBuiltin].Get(); }
  CScriptObject* GetStringConstructor() const override { return m_constructors[StringBuiltin].Get(); }
  CScriptObject* GetBooleanConstructor() const override { return m_constructors[BooleanBuiltin].Get(); }
  CScriptObject* GetNumberConstructor() const override { return m_constructors[NumberBuiltin].Get(); }
  CScriptObject* GetDateConstructor() const override { return m_constructors[DateBuiltin].Get(); }
  CScriptObject* GetRegExpConstructor() const override { return m_constructors[RegExpBuiltin].Get(); }
  CScriptObject* GetObjectPrototype() const override { return m_prototypes[ObjectBuiltin].Get(); }
  CScriptObject* GetFunctionPrototype() const override { return m_prototypes[FunctionBuiltin].Get(); }
  CScriptObject* GetArrayPrototype() const override { return m_prototypes[ArrayBuiltin].Get(); }
  CScriptObject* GetStringPrototype() const override { return m_prototypes[StringBuiltin].Get(); }
  CScriptObject* GetBooleanPrototype() const override { return m_prototypes[BooleanBuiltin].Get(); }
  CScriptObject* GetNumberPrototype() const override { return m_prototypes[NumberBuiltin].Get(); }
  CScriptObject* GetDatePrototype() const override { return m_prototypes[DateBuiltin].Get(); }
  CScriptObject* GetRegExpPrototype() const override { return m_prototypes[RegExpBuiltin].Get(); }
  void AddToClearList(CScriptObject* object) override { m_clearList.Append(XObject(object)); }

  XObject CreateBooleanObject(bool value) override;
  XObject CreateNumberObject(CScriptNumber value) override;
  XObject CreateStringObject(const CStringValue* value) override;
  XObject CreateBuiltinMethod(CScriptObject* owner, int32_t methodNumber, int32_t length) override;
  XObject CreateScriptFunction(CFunctionDefinition* definition) override;

  // The dispatcher of the global functions.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;

  // Where print() writes (standard output until set).
  void SetPrintSink(IPrintSink* sink) { m_printSink = sink; }
  IPrintSink* GetPrintSink();

  // print(value): ToString of the value as one line.
  static XValue Print(CExecutionContext& context, CGlobalObject& global, CScriptObject* thisObject,
                      const CArgumentList& arguments);

private:
  CScriptEngine* m_engine;
  XObject m_constructors[BuiltinCount];
  XObject m_prototypes[BuiltinCount];
  XObject m_math;
  Core::XArray<XObject> m_clearList;
  Core::XInterface<IPrintSink> m_printSink;
};

} // namespace EcmaScript
