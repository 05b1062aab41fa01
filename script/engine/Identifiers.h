#pragma once
// Identifier resolution along the scope chain, innermost scope first,
// without making Reference values.
#include "script/engine/ExecutionContext.h"
#include "script/engine/PropertyName.h"
#include "script/engine/Value.h"

namespace EcmaScriptPrivate {

// The innermost scope that has the property, or null (no use added).
EcmaScript::CScriptObject* FindScope(EcmaScript::CExecutionContext& context, const EcmaScript::CPropertyName& name);

// The value of the identifier, with the scope it was found in (no use
// added); runtime error 6 when no scope has it.
EcmaScript::XValue FetchIdentifier(EcmaScript::CExecutionContext& context, const EcmaScript::CPropertyName& name,
                                   EcmaScript::CScriptObject** scope = nullptr);

} // namespace EcmaScriptPrivate
