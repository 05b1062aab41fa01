#pragma once
// The Date constructor: new Date() (now), new Date(value) (a time value, a
// date text read as UTC, or another Date's value), new Date(year, month
// [, date, hours, minutes, seconds, ms]) in local time; Date() as a function
// gives the current UTC date as text. Its two functions: Date.parse(text)
// and Date.UTC(year [, month, ...]).
#include <cstdint>

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CDateConstructor : public CScriptObject {
public:
  enum : int32_t { MethodParse, MethodUTC, MethodCount };

  // Prototype Function.prototype.
  explicit CDateConstructor(CGlobalObjectBase* global);

  Core::StringView GetClassName() const override { return u"Function"; }
  Core::StringView GetTypeOf() const override { return u"function"; }

  // 'length' 7, 'prototype', parse and UTC.
  void Populate();
  XValue Construct(CExecutionContext& context, const CArgumentList& arguments) override;
  // The current UTC time as text; the arguments are not looked at.
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
  // UTC for method 1, parse for every other number.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;

  static XValue Parse(CExecutionContext& context, CValue* value);
  static XValue Utc(CExecutionContext& context, const CArgumentList& arguments);

private:
  static double FromValue(CExecutionContext& context, CValue* value);
  // The time value of (year, month, date, hours, minutes, seconds, ms) from
  // the first seven arguments, the missing ones taking the given month and
  // 1 for the date, 0 for the rest; the year rule applied. Not clipped.
  static double FromComponents(CExecutionContext& context, const CArgumentList& arguments);
};

} // namespace EcmaScript
