#pragma once
// The variable object of a function call (the activation object: the
// parameters, the declared variables and "arguments") and the arguments
// object, whose indexed elements are shared with the named parameters.
//
// The arguments object is made on the first read of "arguments": a call
// that never looks at it never pays for it, and since its elements of
// named parameters read through the activation object, making it late
// shows the same values. When the activation object dies while the
// arguments object lives on (a script kept it), the shared values are
// copied into the arguments object first.
//
// A call whose activation object nothing else kept (no closure, no
// arguments object, no eval) hands it back to its definition when it ends:
// the next call of the same function fills the same entries with its own
// values instead of building a table anew. Nothing a script can reach
// tells a recycled object from a new one.
#include <cstdint>

#include "core/Array.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CArgumentsObject;
class CFunctionDefinition;

class CActivationObject : public CScriptObject {
public:
  // The arguments must stay valid until EndCall.
  CActivationObject(CGlobalObjectBase* global, CScriptObject* callee, CFunctionDefinition* definition,
                    const CArgumentList& arguments);
  ~CActivationObject() override;

  void DefineOwnProperty(const CPropertyName& name, CValue* value, int32_t attributes, bool replace) override;
  XValue GetNativeProperty(CExecutionContext& context, int32_t nativeId) override;
  void PutNativeProperty(CExecutionContext& context, int32_t nativeId, CValue* value) override;
  void Clear() override;

  // The call has returned: the arguments it was given are gone.
  void EndCall() { m_arguments = nullptr; }

  // Eval code ran with this object as its variable object.
  void MarkTouchedByEval() { m_touched = true; }
  // At the end of a call, with the caller's use the only one: parks the
  // object with its definition, emptied of the call's values, when nothing
  // but the call's own bindings ever lived in it. False when it was not
  // parked; the caller then releases it.
  static bool Park(XObject& activation);
  // A parked object of the definition made ready for a call, or null.
  static XObject Unpark(CGlobalObjectBase* global, CScriptObject* callee,
                        CFunctionDefinition* definition, const CArgumentList& arguments);

  uint64_t GetDefinitionSerial() const { return m_definitionSerial; }
  // The call has bound its parameters and variables.
  void EndBinding() { m_boundCount = GetPropertyTable().GetCount(); }
  // True while the object holds just the names the call bound: those can
  // never be deleted, so an unchanged count means eval code added none.
  bool HoldsOnlyBindings() const { return GetPropertyTable().GetCount() == m_boundCount; }

private:
  void Detach();

  XObject m_callee;
  Core::XInterface<CFunctionDefinition> m_definition;
  uint64_t m_definitionSerial;
  int32_t m_boundCount = -1;
  const CArgumentList* m_arguments;
  // The value of "arguments": the arguments object once made, or whatever
  // a script or a parameter stored under the name.
  XValue m_value;
  bool m_made = false;
  bool m_touched = false;
  Core::XInterface<CArgumentsObject> m_argumentsObject;
};

// One element of the arguments object: a parameter's name and no value
// (the element lives in the activation object), or a value of its own.
struct CArgumentEntry {
  CPropertyName name;
  XValue value;
  bool deleted = false;
};

class CArgumentsObject : public CScriptObject {
public:
  CArgumentsObject(CGlobalObjectBase* global, CActivationObject* activation, CScriptObject* callee,
                   const Core::XArray<CPropertyName>& parameters, const CArgumentList& arguments);
  ~CArgumentsObject() override;

  XValue Get(CExecutionContext& context, const CPropertyName& name) override;
  void Put(CExecutionContext& context, const CPropertyName& name, CValue* value) override;
  bool CanPut(CExecutionContext& context, const CPropertyName& name) override;
  bool HasProperty(CExecutionContext& context, const CPropertyName& name) override;
  bool Delete(CExecutionContext& context, const CPropertyName& name) override;
  void Clear() override;

  // The index of the element the name stands for: "0", or 1 to 4 decimal
  // digits without a leading zero, below the number of entries.
  bool FindArgument(const CPropertyName& name, int32_t& index) const;
  // The activation object is dying: its shared values move here.
  void DetachActivation();

private:
  // Not counted: the activation object holds this object.
  CActivationObject* m_activation;
  Core::XArray<CArgumentEntry> m_entries;
};

} // namespace EcmaScript
