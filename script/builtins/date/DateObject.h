#pragma once
// Date objects: script objects of class "Date" holding one time value
// (milliseconds since 1970-01-01 00:00:00 UTC, NaN for an invalid date) as
// their primitive value. The setters change it through SetPrimitiveValue,
// which stores the number as given, without clipping.
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptNumber.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CDateObject : public CScriptObject {
public:
  // The object of new Date: prototype Date.prototype of the global object.
  CDateObject(CGlobalObjectBase* global, CScriptNumber time);
  // With a prototype of its own (Date.prototype itself); NaN until set.
  CDateObject(CGlobalObjectBase* global, CScriptObject* prototype);
  CDateObject(CGlobalObjectBase* global, CScriptObject* prototype, CScriptNumber time);

  Core::StringView GetClassName() const override { return u"Date"; }
  // A new Number value holding the time value in the form it was stored.
  XValue GetPrimitiveValue() const override;
  // Stores the value's number (GetNumber: no conversion).
  void SetPrimitiveValue(CValue* value) override;

  CScriptNumber GetTime() const { return m_time; }

private:
  CScriptNumber m_time;
};

// The number record of a date computation: the integer form for a whole
// number that fits it (what the record arithmetic of fields and years
// keeps), the double form otherwise.
CScriptNumber DateNumber(double value);

} // namespace EcmaScript
