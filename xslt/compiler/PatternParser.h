#pragma once
// The parser of XSLT 1.0 patterns: the XPath parser's tokenizer, token
// handling and its productions for an axis, a node test and a predicate
// expression, with the pattern productions added (alternatives, start
// patterns, steps joined by "/" and "//"). Predicates nest no deeper than
// the XPath parser allows; deeper ones are an XPath syntax error.
#include <functional>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Parser.h"
#include "xslt/compiler/Pattern.h"

namespace XsltPrivate {

class CPatternParser : public XpathPrivate::CParser {
public:
  // Gives the namespace URI of a prefix of a name test or key name while the
  // pattern is parsed, or throws.
  using CPrefixResolver = std::function<Core::String(Core::StringView prefix)>;

  // Without a resolver, prefixes are left to be resolved when matching.
  CPatternParser() = default;
  explicit CPatternParser(CPrefixResolver resolver) : m_resolver(std::move(resolver)) {}

  // The whole text as one pattern. Raises CPatternException for what the
  // pattern grammar rejects and Xpath::CXpathException for the errors of
  // the XPath tokenizer and productions; no partial pattern is returned.
  Core::XInterface<CPattern>& Parse(Core::XInterface<CPattern>& out, Core::StringView text);

  Core::XInterface<CPattern> ParsePattern();
  Core::XInterface<CLocationPathPattern> ParseLocationPathPattern();
  // stepRequired: the start is none, so a step must follow at once.
  Core::XInterface<CStartPattern> ParseStartPattern(bool& stepRequired);
  Core::XInterface<CStepPattern> ParseStepPattern();
  Core::String ParseLiteral();
  bool IsStepStart();

private:
  void ExpectToken(int32_t kind, int32_t patternErrorCode);
  Core::XInterface<Xpath::CNodeTest> ResolveNodeTest(const Core::XInterface<Xpath::CNodeTest>& test);

  CPrefixResolver m_resolver;
};

} // namespace XsltPrivate
