#pragma once
// The String built-in: the constructor (new String(v) makes an object,
// String(v) converts) with fromCharCode, and String.prototype, itself a
// String object holding the empty string, with thirteen methods. toString
// and valueOf need a String object (runtime error 15); the others work on
// any object through ToString of it. Positions and lengths count UTF-16
// code units; case mapping changes ASCII letters only; split takes its
// separator as text.
#include <cstdint>

#include "script/builtins/BuiltinConstructorBase.h"
#include "script/builtins/StringObject.h"

namespace EcmaScript {

class CStringPrototype : public CStringObject {
public:
  enum : int32_t {
    MethodToString,
    MethodValueOf,
    MethodCharAt,
    MethodCharCodeAt,
    MethodIndexOf,
    MethodLastIndexOf,
    MethodMatch,
    MethodReplace,
    MethodSearch,
    MethodSplit,
    MethodSubstring,
    MethodToLowerCase,
    MethodToUpperCase,
    MethodCount
  };

  // Prototype Object.prototype.
  explicit CStringPrototype(CGlobalObjectBase* global);
  void Populate();
  // toString for any number beyond the table.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;

  static XValue CharAt(CExecutionContext& context, const Core::String& s, CValue* pos);
  static XValue CharCodeAt(CExecutionContext& context, const Core::String& s, CValue* pos);
  static XValue IndexOf(CExecutionContext& context, const Core::String& s, CValue* search, CValue* position);
  static XValue LastIndexOf(CExecutionContext& context, const Core::String& s, CValue* search, CValue* position);
  static XValue Split(CExecutionContext& context, const Core::String& s, CValue* separator);
  // end null: the rest of the string.
  static XValue Substring(CExecutionContext& context, const Core::String& s, CValue* start, CValue* end);
  static XValue ToLowerCase(const Core::String& s);
  static XValue ToUpperCase(const Core::String& s);

private:
  // The this string: ToString of the this object as an Object value.
  XValue ThisString(CExecutionContext& context, CScriptObject* thisObject);
};

class CStringConstructor : public CBuiltinConstructorBase {
public:
  using CBuiltinConstructorBase::CBuiltinConstructorBase;
  void Populate();
  XValue Construct(CExecutionContext& context, const CArgumentList& arguments) override;
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
  // fromCharCode for every number.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;
};

} // namespace EcmaScript
