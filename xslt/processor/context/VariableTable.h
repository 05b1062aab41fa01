#pragma once
// The variable bindings of a run: the local table of a template body (local
// variables and parameters, in scopes that follow the run-time contexts) and
// the global table of top-level variables and parameters, evaluated lazily,
// once each, with circular definitions detected.
//
// Local bindings form an immutable chain, newest first; a scope is a place in
// the chain. An XPath evaluation gets a snapshot of the chain as it stands,
// so a lazily evaluated node set keeps seeing the bindings visible where it
// was made, whatever is bound or unbound later.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Context.h"
#include "xpath/Value.h"

namespace XsltPrivate {

class CContext;
class CExpandedName;
class CParam;
class CVariable;
class CVariableBinding;
class CTopLevelVariableTable;

class CVariableTable : public Xpath::CVariableBindingSet {
public:
  // Names the table does not bind are asked of the global table.
  explicit CVariableTable(CTopLevelVariableTable* globals);
  ~CVariableTable() override;

  // The newest binding of the name in any open scope, else the global's value.
  Core::XInterface<Xpath::CValue> GetValue(Core::StringView namespaceUri, Core::StringView localName) override;
  // The same, without evaluating a global that has no value yet.
  Core::XInterface<Xpath::CValue> PeekValue(Core::StringView namespaceUri, Core::StringView localName) override;
  // Binds in the innermost scope; false when the name is bound there already.
  bool Bind(Core::StringView namespaceUri, Core::StringView localName, Xpath::CValue* value);
  // The same; the binding keeps the name.
  bool Bind(CExpandedName* name, Xpath::CValue* value);
  void PushScope();
  // Drops the innermost scope's bindings; the table's first scope stays.
  void PopScope();
  // The bindings visible now, unchanged by later calls.
  Core::XInterface<Xpath::CVariableBindingSet> GetSnapshot();
  // Drops every binding (the end of a run).
  void Clear();

private:
  Core::XInterface<CTopLevelVariableTable> m_globals;
  Core::XInterface<CVariableBinding> m_head;
  // Where each pushed scope began: links of the chain from m_head.
  std::vector<CVariableBinding*> m_scopeStarts;
  // The snapshot of m_head, made on request and dropped when m_head moves.
  Core::XInterface<Xpath::CVariableBindingSet> m_snapshot;
};

class CTopLevelVariableTable : public Xpath::CVariableBindingSet {
public:
  CTopLevelVariableTable();
  ~CTopLevelVariableTable() override;

  // The global's value, evaluated on first request; null for a name that
  // is not a global.
  Core::XInterface<Xpath::CValue> GetValue(Core::StringView namespaceUri, Core::StringView localName) override;
  // The global's value when it has one; null while it is still to be
  // evaluated.
  Core::XInterface<Xpath::CValue> PeekValue(Core::StringView namespaceUri, Core::StringView localName) override;

  // Entries of the module being read from now on; a name is a duplicate only
  // within one module.
  void MarkImportBoundary();
  // A parameter with the value given from outside (null for none, when its
  // own value is evaluated). False when the module already has the name; a
  // name of a module read before (of higher import precedence) is kept and
  // the declaration ignored.
  bool AddParam(CParam* param, Xpath::CValue* externalValue);
  bool AddVariable(CVariable* variable);

  // Evaluates every entry in table order, each in a child of the run context
  // with a fresh variable table. Entries reached before their turn are
  // evaluated then; a global met again while it is being evaluated, or a
  // node set that needs its own nodes, is fatal error 35. A chain of globals
  // each evaluated inside the one before is a nesting of the run: too deep
  // for the stack, it is fatal error 56.
  void EvaluateAll(CContext& runContext);
  Core::XInterface<Xpath::CValue> Evaluate(int32_t index);
  // Forgets the declarations and the run context; values only from now on.
  void EndEvaluation();
  // Drops every value: values may hold the run's contexts (lazy node sets),
  // which hold this table.
  void Clear();

  int32_t GetCount() const { return int32_t(m_values.size()); }

private:
  struct CScratch {
    Core::XInterface<CParam> param;
    Core::XInterface<CVariable> variable;
    bool inProgress = false;
  };

  // Names are looked up as a pair of views: a reference to a global makes
  // no key of its own.
  struct CName {
    Core::StringView namespaceUri;
    Core::StringView localName;
    bool operator==(const CName&) const = default;
  };
  struct CKey {
    Core::String namespaceUri;
    Core::String localName;
    operator CName() const { return {namespaceUri, localName}; }
  };
  struct CNameHash {
    using is_transparent = void;
    size_t operator()(const CName& name) const {
      return std::hash<Core::StringView>()(name.localName) * 31 + std::hash<Core::StringView>()(name.namespaceUri);
    }
    size_t operator()(const CKey& key) const { return (*this)(CName(key)); }
  };
  struct CNameEqual {
    using is_transparent = void;
    bool operator()(const CName& a, const CName& b) const { return a == b; }
  };

  bool Add(CParam* param, CVariable* variable, Xpath::CValue* value);

  std::unordered_map<CKey, int32_t, CNameHash, CNameEqual> m_index;
  std::vector<Core::XInterface<Xpath::CValue>> m_values;
  std::vector<CScratch> m_scratch;
  CContext* m_runContext = nullptr;
  int32_t m_importBoundary = -1;
};

} // namespace XsltPrivate
