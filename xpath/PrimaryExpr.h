#pragma once
// The leaf expressions: variable references, string and number literals and
// function calls. Variables and functions are looked up in the evaluation
// context at every evaluation.
#include <vector>

#include "core/String.h"
#include "xpath/ContextDependence.h"
#include "xpath/Expr.h"
#include "xpath/Number.h"

namespace XpathPrivate {

class CVariableReferenceExpr final : public Xpath::CExpr {
public:
  CVariableReferenceExpr(Core::String prefix, Core::String localName)
      : m_prefix(std::move(prefix)), m_localName(std::move(localName)) {}
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
  const Core::String& GetPrefix() const { return m_prefix; }
  const Core::String& GetLocalName() const { return m_localName; }

private:
  Core::String m_prefix;
  Core::String m_localName;
};

class CLiteralExpr final : public Xpath::CExpr {
public:
  explicit CLiteralExpr(Core::String text) : m_text(std::move(text)) {}
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
  const Core::String& GetText() const { return m_text; }

private:
  Core::String m_text;
};

class CNumberExpr final : public Xpath::CExpr {
public:
  explicit CNumberExpr(Xpath::CNumber value) : m_value(value) {}
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
  Xpath::CNumber GetValue() const { return m_value; }

private:
  Xpath::CNumber m_value;
};

class CFunctionCallExpr final : public Xpath::CExpr {
public:
  CFunctionCallExpr(Core::String prefix, Core::String localName)
      : m_prefix(std::move(prefix)), m_localName(std::move(localName)) {}
  ~CFunctionCallExpr() override;

  void AddArgument(const Core::XInterface<Xpath::CExpr>& argument) {
    m_arguments.push_back(argument);
    m_sites.emplace_back();
  }
  const Core::String& GetPrefix() const { return m_prefix; }
  const Core::String& GetLocalName() const { return m_localName; }
  const std::vector<Core::XInterface<Xpath::CExpr>>& GetArguments() const { return m_arguments; }

  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;

private:
  Core::String m_prefix;
  Core::String m_localName;
  std::vector<Core::XInterface<Xpath::CExpr>> m_arguments;
  std::vector<COperandSite> m_sites;
};

} // namespace XpathPrivate
