#pragma once
// String objects: new String(v), and the wrappers ToObject makes for String
// values ('abc'.charAt(1) goes through one). Class name "String"; the
// primitive value is the string, which never changes, and the own property
// 'length' (ReadOnly, DontEnum, DontDelete) is its number of code units.
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CStringObject : public CScriptObject {
public:
  // Prototype String.prototype of the global object.
  CStringObject(CGlobalObjectBase* global, Core::String value);
  // Over a String value, whose text the wrapper shares instead of copying:
  // a method call on a long string costs no copy.
  CStringObject(CGlobalObjectBase* global, const CStringValue* value);
  // With a prototype of its own (String.prototype itself).
  CStringObject(CGlobalObjectBase* global, CScriptObject* prototype, Core::String value);

  Core::StringView GetClassName() const override { return u"String"; }
  XValue GetPrimitiveValue() const override;
  // 'length' is served from the string, so a wrapper costs no stored value.
  XValue GetNativeProperty(CExecutionContext& context, int32_t nativeId) override;
  const Core::String& GetValue() const { return m_text->text; }

private:
  void DefineLength();

  Core::XInterface<CStringBuffer> m_text;  // never grows
};

} // namespace EcmaScript
