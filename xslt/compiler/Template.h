#pragma once
// A compiled xsl:template: match pattern and/or name, priority, mode, its
// leading xsl:param children and its content. Also the implicit template of
// a simplified stylesheet (a rule for "/" whose content is the root literal
// result element).
#include "core/Array.h"
#include "core/Interface.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Pattern.h"
#include "xslt/compiler/TopLevel.h"
#include "xslt/compiler/Variable.h"

namespace XsltPrivate {

class CContext;
class CMatchContext;
class CParamList;
class CStylesheet;

class CTemplate : public CTopLevel {
public:
  void Compile(CStaticContext& context, CStylesheet* module);
  void CompileRootTemplate(CStaticContext& rootContext, CStylesheet* module);

  // The module that declared the template (xsl:apply-imports searches its imports).
  CStylesheet* GetModule() const { return m_module; }
  CPattern* GetMatch() const { return m_match.Get(); }
  // Null for a template without a name.
  CExpandedName* GetName() const { return m_name.Get(); }
  bool HasPriority() const { return m_hasPriority; }
  double GetPriority() const { return m_priority; }
  CExpandedName* GetMode() const { return m_mode.Get(); }
  const Core::XArray<Core::XInterface<CParam>>& GetParams() const { return m_params; }
  const CContentList& GetContent() const { return m_content; }

  // Whether the template matches the match context's node in the mode (null:
  // the default mode), with the priority it matches with.
  bool Match(CMatchContext& matchContext, const CExpandedName* mode, double& priority) const;
  // Sets the context's current template rule, binds the parameters from the
  // caller's list and runs the content.
  void Execute(CContext& context, const CParamList& parameters);
  // The same for xsl:call-template: the current template rule stays the
  // caller's, so xsl:apply-imports in the called template goes on from the
  // rule that matched.
  void Call(CContext& context, const CParamList& parameters);
  void BindParams(CContext& context, const CParamList& parameters) const;

private:
  void Run(CContext& context, const CParamList& parameters);

  CStylesheet* m_module = nullptr;  // the module outlives its templates
  Core::XInterface<CPattern> m_match;
  Core::XInterface<CExpandedName> m_name;
  bool m_hasPriority = false;
  double m_priority = 0;
  Core::XInterface<CExpandedName> m_mode;
  Core::XArray<Core::XInterface<CParam>> m_params;
  CContentList m_content;
};

} // namespace XsltPrivate
