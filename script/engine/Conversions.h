#pragma once
// References and the type conversions of the language. All but ToBoolean
// and GetBase take the context of the running code: converting an object
// calls its valueOf or toString, which may run script code, and whatever
// that code throws passes through unchanged.
#include <cstdint>

#include "core/String.h"
#include "script/engine/ExecutionContext.h"
#include "script/engine/ScriptNumber.h"
#include "script/engine/Value.h"

namespace EcmaScript {

// The base object of a Reference (no use added; null for an unresolved
// identifier). Runtime error 4 when the value is no Reference.
CScriptObject* GetBase(CValue* value);
// Runtime error 5 when the value is no Reference.
const CPropertyName& GetPropertyName(CExecutionContext& context, CValue* value);
// A value that is no Reference is returned itself; a Reference reads its
// base's property, runtime error 6 when it has no base.
XValue GetValue(CExecutionContext& context, CValue* value);
// Writes through a Reference (runtime error 7 for anything else); an
// unresolved one writes to the global object.
void PutValue(CExecutionContext& context, CValue* reference, CValue* value);
// Resolves an identifier along the scope chain, innermost scope first.
XValue MakeReference(CExecutionContext& context, const CPropertyName& name);

// Objects go through DefaultValue with the hint; everything else is returned
// itself. Runtime error 8 when an object gives no primitive.
XValue ToPrimitive(CExecutionContext& context, CValue* value, int32_t hint);
bool ToBoolean(const CValue* value);
CScriptNumber ToNumber(CExecutionContext& context, CValue* value);
Core::String ToString(CExecutionContext& context, CValue* value);
// Appends ToString of the value.
void AppendString(CExecutionContext& context, CValue* value, Core::String& out);
// A String value is returned itself, anything else converted into a new one.
XValue ToStringValue(CExecutionContext& context, CValue* value);
// Booleans, numbers and strings become new wrapper objects of the context's
// global object; runtime error 9 for Undefined, Null, Reference and List.
XObject ToObject(CExecutionContext& context, CValue* value);
// ToNumber followed by the record conversion of the same name.
CScriptNumber ToInteger(CExecutionContext& context, CValue* value);
CScriptNumber ToInt32(CExecutionContext& context, CValue* value);
CScriptNumber ToUint32(CExecutionContext& context, CValue* value);
CScriptNumber ToUint16(CExecutionContext& context, CValue* value);

} // namespace EcmaScript
