#pragma once
// What the parser hands the interpreter: a program (a whole source or eval
// text: its statements, function declarations and declared variable names)
// and function definitions (a declared function, or one made by the
// Function constructor). Running a program turns every failure of one of
// its statements into a CEcmaScriptException with the line and the program
// name.
#include <cstdint>
#include <vector>

#include "core/Array.h"
#include "core/Interface.h"
#include "core/String.h"
#include "script/engine/ParseTree.h"
#include "script/engine/PropertyName.h"
#include "script/engine/Value.h"

namespace EcmaScriptPrivate {
class CReturnStatement;
} // namespace EcmaScriptPrivate

namespace EcmaScript {

class CFunctionDefinition : public Core::CInterface {
public:
  explicit CFunctionDefinition(const CPropertyName& name);
  ~CFunctionDefinition() override;

  void AddParameter(const CPropertyName& name) { m_parameters.Append(name); }
  void AddVariable(const CPropertyName& name) { m_variables.Append(name); }
  void AppendStatement(EcmaScriptPrivate::CStatement* statement) { m_body.Append(statement); }
  void SetProgramName(Core::String name) { m_programName = std::move(name); }
  void SetLine(int32_t line) { m_line = line; }

  const CPropertyName& GetName() const { return m_name; }
  // In declaration order, duplicates kept.
  const Core::XArray<CPropertyName>& GetParameters() const { return m_parameters; }
  // The names of the body's var declarations, in source order.
  const Core::XArray<CPropertyName>& GetVariables() const { return m_variables; }
  const EcmaScriptPrivate::CStatementList& GetBody() const { return m_body; }
  const Core::String& GetProgramName() const { return m_programName; }
  // -1 for a function made from text given at run time.
  int32_t GetLine() const { return m_line; }
  // Distinct for every definition ever made, so that a cache may name a
  // definition without keeping it alive.
  uint64_t GetSerial() const { return m_serial; }

  // A name a call binds on its activation object and the argument it takes
  // (-1: Undefined).
  struct CBinding {
    CPropertyName name;
    int32_t argument;
  };
  // Each name a call binds, once: the parameters (a name given twice takes
  // the later argument), then the variables that are no parameter. Worked
  // out at the first call, when the definition is complete.
  const std::vector<CBinding>& GetBindings() const { return m_bound ? m_bindings : MakeBindings(); }
  // The statement when the body is one return statement with an
  // expression (a call may evaluate that expression at once), else null.
  EcmaScriptPrivate::CReturnStatement* GetSoleReturn() const {
    if (!m_soleReturnKnown) FindSoleReturn();
    return m_soleReturn;
  }
  // True when no binding is named "arguments": each can then be added to a
  // fresh activation object without looking for it first.
  bool HasPlainBindings() const {
    GetBindings();
    return m_plainBindings;
  }

  // Where a call's activation object places "arguments" and then each
  // binding, worked out by the first call: the same for every call, so
  // later calls place entries without probing.
  struct CLayout {
    bool made = false;
    bool usable = false;  // plain bindings, and a table small enough
    int32_t capacity = 0;
    std::vector<int32_t> slots;
    std::vector<int32_t> slotHashes;  // -1 for a slot left empty
  };
  CLayout& GetLayout() const { return m_layout; }
  // Activation objects of ended calls, ready for the next (see
  // ActivationObject.h). While calls are running, as many as a recursion
  // ended: one that goes down and up hundreds of levels (as Ackermann's
  // function does) then makes no object after its first descent. When the
  // outermost call ends, those beyond kMostSpareActivations are freed
  // (TrimSpareActivations): enough for calls nested in arguments and for a
  // recursion a few dozen levels deep, while a deep recursion leaves no
  // more than a few kilobytes behind.
  static constexpr size_t kMostSpareActivations = 64;
  std::vector<XObject>& GetSpareActivations() const { return m_spareActivations; }
  // True once the spares went past kMostSpareActivations, until trimmed.
  bool HasSpareExcess() const { return m_spareExcess; }
  void SetSpareExcess() const { m_spareExcess = true; }
  void TrimSpareActivations() const;

  // A new script function object of the context's global object.
  XObject CreateFunctionObject(CExecutionContext& context);
  // "function NAME(A, B) { BODY }" on one line.
  Core::String GetSourceText() const;

private:
  CPropertyName m_name;
  Core::XArray<CPropertyName> m_parameters;
  Core::XArray<CPropertyName> m_variables;
  EcmaScriptPrivate::CStatementList m_body;
  Core::String m_programName;
  int32_t m_line = -1;
  uint64_t m_serial;
  static inline uint64_t s_lastSerial = 0;
  const std::vector<CBinding>& MakeBindings() const;
  void FindSoleReturn() const;

  mutable std::vector<CBinding> m_bindings;
  mutable bool m_bound = false;
  mutable bool m_plainBindings = false;
  mutable bool m_soleReturnKnown = false;
  mutable EcmaScriptPrivate::CReturnStatement* m_soleReturn = nullptr;
  mutable CLayout m_layout;
  mutable std::vector<XObject> m_spareActivations;
  mutable bool m_spareExcess = false;
};

using XFunctionDefinition = Core::XInterface<CFunctionDefinition>;

// One statement or one function declaration of a program.
class CProgramElement : public Core::CInterface {
public:
  explicit CProgramElement(EcmaScriptPrivate::CStatement* statement) : m_statement(statement) {}
  explicit CProgramElement(CFunctionDefinition* definition) : m_definition(definition) {}

  // A declaration does nothing here: it was declared on entering the code.
  CCompletion Execute(CExecutionContext& context);
  EcmaScriptPrivate::CStatement* GetStatement() const { return m_statement.Get(); }
  CFunctionDefinition* GetFunction() const { return m_definition.Get(); }

private:
  EcmaScriptPrivate::XStatement m_statement;
  XFunctionDefinition m_definition;
};

class CProgram : public Core::CInterface {
public:
  void SetName(Core::String name) { m_name = std::move(name); }
  const Core::String& GetName() const { return m_name; }

  void AddVariable(const CPropertyName& name) { m_variables.Append(name); }
  void AddStatement(EcmaScriptPrivate::CStatement* statement);
  // Gives the definition the program's name.
  void AddFunction(CFunctionDefinition* definition);

  const Core::XArray<CPropertyName>& GetVariables() const { return m_variables; }
  const Core::XArray<XFunctionDefinition>& GetFunctions() const { return m_functions; }
  const Core::XArray<Core::XInterface<CProgramElement>>& GetElements() const { return m_elements; }

  // Runs every element; break, continue and return do not stop a program.
  // The result is the completion of the last element that carried a value
  // (the first element's when none did).
  CCompletion Execute(CExecutionContext& context);

private:
  Core::String m_name;
  Core::XArray<CPropertyName> m_variables;
  Core::XArray<XFunctionDefinition> m_functions;
  Core::XArray<Core::XInterface<CProgramElement>> m_elements;
};

using XProgram = Core::XInterface<CProgram>;

} // namespace EcmaScript
