#pragma once
// Date.prototype: itself a Date object (time value NaN, prototype
// Object.prototype) and the owner of the forty Date methods. Every method
// first checks that `this` reports the class name "Date" (runtime error 19
// otherwise, also when the call has no this object); getters and string
// forms then read the time value, setters compute a new one, clip it and
// store it.
#include <cstdint>

#include "script/builtins/date/DateObject.h"

namespace EcmaScript {

class CDatePrototype : public CDateObject {
public:
  // Method numbers, in registration order.
  enum : int32_t {
    MethodToString,
    MethodValueOf,
    MethodGetTime,
    MethodGetYear,
    MethodGetFullYear,
    MethodGetUTCFullYear,
    MethodGetMonth,
    MethodGetUTCMonth,
    MethodGetDate,
    MethodGetUTCDate,
    MethodGetDay,
    MethodGetUTCDay,
    MethodGetHours,
    MethodGetUTCHours,
    MethodGetMinutes,
    MethodGetUTCMinutes,
    MethodGetSeconds,
    MethodGetUTCSeconds,
    MethodGetMilliseconds,
    MethodGetUTCMilliseconds,
    MethodGetTimezoneOffset,
    MethodSetTime,
    MethodSetMilliseconds,
    MethodSetUTCMilliseconds,
    MethodSetSeconds,
    MethodSetUTCSeconds,
    MethodSetMinutes,
    MethodSetUTCMinutes,
    MethodSetHours,
    MethodSetUTCHours,
    MethodSetDate,
    MethodSetUTCDate,
    MethodSetMonth,
    MethodSetUTCMonth,
    MethodSetFullYear,
    MethodSetUTCFullYear,
    MethodSetYear,
    MethodToLocaleString,
    MethodToUTCString,
    MethodToGMTString,
    MethodCount
  };

  // Prototype Object.prototype of the global object.
  explicit CDatePrototype(CGlobalObjectBase* global);

  // 'constructor' and the forty methods, all DontEnum.
  void Populate();
  // Numbers beyond the table run toString.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;

  // The time value of a Date `this`; runtime error 19 for anything else.
  static double ThisTimeValue(CScriptObject* thisObject);

private:
  static XValue Getter(int32_t methodNumber, CScriptObject* thisObject);
  static XValue GetTimezoneOffset(CScriptObject* thisObject);
  static XValue StringForm(int32_t methodNumber, CScriptObject* thisObject);
  // The setters (DateSetters.cpp).
  static XValue SetTime(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments);
  static XValue SetTimeOfDay(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                             const CArgumentList& arguments);
  static XValue SetCalendarDate(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                                const CArgumentList& arguments);
  static XValue SetYear(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments);
  // Stores the time value and answers it as read back.
  static XValue Store(CScriptObject* thisObject, double time);
};

} // namespace EcmaScript
