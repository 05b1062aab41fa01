#include "script/builtins/BuiltinConstructorBase.h"

namespace EcmaScript {

CBuiltinConstructorBase::CBuiltinConstructorBase(CGlobalObjectBase* global)
    : CScriptObject(global, global->GetFunctionPrototype()) {}

void CBuiltinConstructorBase::DefineLengthAndPrototype(int32_t length, CScriptObject* prototype) {
  DefineNumberProperty(u"length", CScriptNumber(length), ReadOnly | DontEnum | DontDelete);
  DefineObjectProperty(u"prototype", prototype, ReadOnly | DontEnum | DontDelete);
}

} // namespace EcmaScript
