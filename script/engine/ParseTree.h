#pragma once
// The parse tree is the executable form of a script: statements execute into
// completions, expressions evaluate into values, and every node prints itself
// back as source text (Function.prototype.toString shows it). Nodes are
// counted, hold their children counted, and never change once the parser has
// built them, so one tree may run any number of times, recursively too.
#include <cstdint>

#include "core/Array.h"
#include "core/Interface.h"
#include "core/String.h"
#include "script/engine/Conversions.h"
#include "script/engine/ExecutionContext.h"
#include "script/engine/Value.h"

namespace EcmaScript {

// The result of executing statements. Break and continue never carry a
// value; a return always does.
struct CCompletion {
  enum : int32_t { Normal = 0, Break = 1, Continue = 2, Return = 3 };

  int32_t type = Normal;
  XValue value;  // null: empty
};

} // namespace EcmaScript

namespace EcmaScriptPrivate {

using EcmaScript::CCompletion;
using EcmaScript::CExecutionContext;
using EcmaScript::CPropertyName;
using EcmaScript::CScriptObject;
using EcmaScript::CValue;
using EcmaScript::XObject;
using EcmaScript::XValue;

// The two parts of a Reference, for nodes that resolve one without making a
// Reference value (identifiers, member accesses). A null base is an
// identifier no scope has.
struct CReferenceParts {
  XObject base;
  CPropertyName name;
};

class CStatement : public Core::CInterface {
public:
  // Appends the source text.
  virtual void PrintTo(Core::String& out) const = 0;
  virtual CCompletion Execute(CExecutionContext& context) = 0;

  Core::String Print() const {
    Core::String out;
    PrintTo(out);
    return out;
  }

  // The line the statement starts on; -1 for text given at run time.
  int32_t GetLine() const { return m_line; }
  void SetLine(int32_t line) { m_line = line; }

private:
  int32_t m_line = -1;
};

class CExpression : public Core::CInterface {
public:
  // True for the kinds that may stand left of "=": this, identifiers,
  // literals, parentheses, member accesses, calls and new.
  virtual bool IsLeftHandSide() const { return false; }
  // Appends the source text.
  virtual void PrintTo(Core::String& out) const = 0;
  // The result, a Reference for identifiers and member accesses.
  virtual XValue Evaluate(CExecutionContext& context) = 0;
  // Evaluate followed by GetValue.
  XValue EvaluateValue(CExecutionContext& context) {
    return m_yieldsReference ? FetchValue(context) : Evaluate(context);
  }
  // ToBoolean of EvaluateValue; comparisons answer without making a value.
  virtual bool EvaluateCondition(CExecutionContext& context);
  // For nodes whose result is always a Reference: evaluates the node into
  // its parts and answers true. Every other node answers false at once,
  // having evaluated nothing.
  virtual bool EvaluateReference(CExecutionContext& context, CReferenceParts& parts);
  // GetValue of the parts EvaluateReference gave; nodes that remember where
  // they found their property read it from there.
  virtual XValue FetchReferenceValue(CExecutionContext& context, const CReferenceParts& parts);
  // PutValue through those parts, likewise.
  virtual void StoreReferenceValue(CExecutionContext& context, const CReferenceParts& parts, CValue* value);

  Core::String Print() const {
    Core::String out;
    PrintTo(out);
    return out;
  }

  // The height of the subtree (a leaf is 1); the parser bounds it, so that
  // evaluating, printing and destroying the tree recurse a bounded depth.
  int32_t GetHeight() const { return m_height; }
  void SetHeight(int32_t height) { m_height = height; }

protected:
  // For the kinds whose result may be a Reference; the others need no
  // GetValue at all.
  void SetYieldsReference() { m_yieldsReference = true; }
  // EvaluateValue of those kinds; nodes that can fetch without building a
  // Reference do so.
  virtual XValue FetchValue(CExecutionContext& context);

private:
  int32_t m_height = 1;
  bool m_yieldsReference = false;
};

using XStatement = Core::XInterface<CStatement>;
using XExpression = Core::XInterface<CExpression>;

// GetValue of a Reference given by its parts: runtime error 6 without base.
XValue GetReferenceValue(CExecutionContext& context, const CReferenceParts& parts);
// PutValue through the parts: without base the global object receives it.
void PutReferenceValue(CExecutionContext& context, const CReferenceParts& parts, CValue* value);

// The body of blocks and functions. Turns every failure of a statement into
// a CEcmaScriptException carrying that statement's line.
class CStatementList {
public:
  void Append(CStatement* statement) { m_statements.Append(XStatement(statement)); }
  bool IsEmpty() const { return m_statements.GetSize() == 0; }
  int32_t GetSize() const { return m_statements.GetSize(); }
  CStatement* GetAt(int32_t i) const { return m_statements[i].Get(); }

  // The statements joined by single spaces.
  void PrintTo(Core::String& out) const;
  // Stops at the first break, continue or return; a statement without value
  // keeps the value before it.
  CCompletion Execute(CExecutionContext& context) const;
  static CCompletion ExecuteStatement(CExecutionContext& context, CStatement* statement);
  // For a handler: rethrows the failure in flight as ExecuteStatement does,
  // with the statement's line.
  [[noreturn, gnu::noinline, gnu::cold]] static void RethrowWithLine(CStatement* statement);

private:
  [[gnu::noinline]] CCompletion ExecuteEach(CExecutionContext& context) const;

  Core::XArray<XStatement> m_statements;
};

class CEmptyStatement : public CStatement {
public:
  void PrintTo(Core::String& out) const override { out += u";"; }
  CCompletion Execute(CExecutionContext&) override { return {}; }
};

class CBlockStatement : public CStatement {
public:
  void Append(CStatement* statement) { m_list.Append(statement); }
  const CStatementList& GetList() const { return m_list; }
  void PrintTo(Core::String& out) const override;
  CCompletion Execute(CExecutionContext& context) override { return m_list.Execute(context); }

private:
  CStatementList m_list;
};

} // namespace EcmaScriptPrivate
