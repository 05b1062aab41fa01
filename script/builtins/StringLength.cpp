#include "script/builtins/StringLength.h"

#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

void CheckStringLength(size_t length) {
  if (length > kMaxBuiltinStringLength) {
    throw CRuntimeError(CRuntimeError::StringTooLong, static_cast<CValue*>(nullptr));
  }
}

} // namespace EcmaScript
