#pragma once
// A match context for pattern tests: an XPath context over the current node
// with the core functions, the "run's" namespace declarations (deliberately
// not those of the stylesheet), IDs taken from attributes named id, and keys
// that map each element to the value of one of its attributes.
#include <map>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "tools/PlainXpathImplementation.h"
#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xpath/EvaluationCache.h"
#include "xpath/Function.h"
#include "xslt/compiler/Pattern.h"
#include "xslt/processor/context/MatchContext.h"

namespace CompilerTest {

class CPrefixTable : public Xpath::CNamespaceDeclarationSet {
public:
  bool GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) override {
    auto it = uris.find(Core::String(prefix));
    if (it == uris.end()) return false;
    namespaceUri = it->second;
    return true;
  }
  std::map<Core::String, Core::String> uris;
};

inline const Dom::CNode* IdAttribute(const Dom::CNode* node) {
  if (node->GetNodeType() != Dom::ELEMENT_NODE) return nullptr;
  for (int32_t i = 0; i < node->AttributeCount(); ++i) {
    if (node->AttributeAt(i)->NodeNameView() == u"id") return node->AttributeAt(i);
  }
  return nullptr;
}

class CTestDataSet : public Xpath::CDataSet {
public:
  bool GetId(const Dom::XNode& node, Core::String& id) override {
    const Dom::CNode* attribute = IdAttribute(node.Get());
    if (attribute) id.assign(attribute->ValueView());
    return attribute != nullptr;
  }
  Dom::XNode GetElementById(const Dom::XNode& document, Core::StringView id) override {
    for (Dom::CNode* n = document.Get(); n;) {
      const Dom::CNode* attribute = IdAttribute(n);
      if (attribute && attribute->ValueView() == id) return n;
      if (Dom::CNode* child = n->FirstChild()) {
        n = child;
        continue;
      }
      while (n && !n->NextSibling()) n = n->Parent();
      if (n) n = n->NextSibling();
    }
    return nullptr;
  }
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override {
    return Dom::CompareDocumentOrder(a.Get(), b.Get());
  }
};

struct CTestKey {
  Core::String namespaceUri;
  Core::String localName;
  Core::String attribute;  // an element's value under the key
};

// The run-wide services; one match context per node is made over them.
struct CTestRun {
  Core::XInterface<Xpath::CFunctionLibrary> functions = new Xpath::CCoreFunctionLibrary;
  Core::XInterface<CPrefixTable> runPrefixes = new CPrefixTable;
  Core::XInterface<CTestDataSet> dataSet = new CTestDataSet;
  Core::XInterface<KeltoTools::CPlainXpathImplementation> implementation = new KeltoTools::CPlainXpathImplementation;
  std::vector<CTestKey> keys;
  int xpathContexts = 0;  // how many match contexts built their XPath context
  // What the run keeps across matches for pattern predicates; none unless set.
  Core::XInterface<XpathPrivate::CEvaluationCache> patternCache;
};

class CTestMatchContext : public XsltPrivate::CMatchContext {
public:
  CTestMatchContext(CTestRun& run, const Dom::XNode& node) : m_run(run), m_node(node) {}

  Xpath::CContext* GetXpathContext() override {
    if (!m_xpath) {
      ++m_run.xpathContexts;
      Core::XInterface<Xpath::CContext> base =
          new Xpath::CContext(nullptr, nullptr, m_run.functions.Get(), m_run.runPrefixes.Get(), m_run.dataSet.Get(),
                              m_run.implementation.Get());
      m_xpath = new Xpath::CContext(base.Get(), m_node);
    }
    return m_xpath.Get();
  }
  Dom::XNode GetCurrentNode() override { return m_node; }
  bool GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) override {
    return m_run.runPrefixes->GetNamespaceUri(prefix, namespaceUri);
  }
  bool GetElementId(const Dom::XNode& node, Core::String& id) override { return m_run.dataSet->GetId(node, id); }
  bool IsInKey(const Dom::XNode& node, Core::StringView namespaceUri, Core::StringView localName,
               Core::StringView value) override {
    for (const CTestKey& key : m_run.keys) {
      if (key.namespaceUri != namespaceUri || key.localName != localName) continue;
      if (node->GetNodeType() != Dom::ELEMENT_NODE) return false;
      for (int32_t i = 0; i < node->AttributeCount(); ++i) {
        const Dom::CNode* attribute = node->AttributeAt(i);
        if (attribute->NodeNameView() == key.attribute && attribute->ValueView() == value) return true;
      }
      return false;
    }
    return false;
  }
  XpathPrivate::CEvaluationCache* GetPatternCache() override { return m_run.patternCache.Get(); }
  int32_t GetNameHash() override {
    return m_node->GetNodeType() == Dom::ELEMENT_NODE ? XsltPrivate::HashLocalName(m_node->LocalNameView()) : -1;
  }

private:
  CTestRun& m_run;
  Dom::XNode m_node;
  Core::XInterface<Xpath::CContext> m_xpath;
};

// Every node of the document that a pattern can be asked about, in document
// order: the root, elements, their attributes, text, comments and
// processing instructions.
inline std::vector<Dom::XNode> AllNodes(const Dom::XNode& document) {
  std::vector<Dom::XNode> nodes;
  for (Dom::CNode* n = document.Get(); n;) {
    nodes.push_back(n);
    for (int32_t i = 0; i < n->AttributeCount(); ++i) nodes.push_back(n->AttributeAt(i));
    if (Dom::CNode* child = n->FirstChild()) {
      n = child;
      continue;
    }
    while (n && !n->NextSibling()) n = n->Parent();
    if (n) n = n->NextSibling();
  }
  return nodes;
}

// A node as the tables name it: "/", an element by its name (with the value
// of an attribute n when it has one, as name#n), @name, "text", "comment",
// ?target.
inline std::string Describe(const Dom::CNode* node) {
  switch (node->GetNodeType()) {
  case Dom::DOCUMENT_NODE:
    return "/";
  case Dom::ELEMENT_NODE: {
    std::string s = Core::ToUtf8(node->NodeNameView());
    for (int32_t i = 0; i < node->AttributeCount(); ++i) {
      if (node->AttributeAt(i)->NodeNameView() == u"n") s += "#" + Core::ToUtf8(node->AttributeAt(i)->ValueView());
    }
    return s;
  }
  case Dom::ATTRIBUTE_NODE:
    return "@" + Core::ToUtf8(node->NodeNameView());
  case Dom::TEXT_NODE:
    return "text";
  case Dom::COMMENT_NODE:
    return "comment";
  case Dom::PROCESSING_INSTRUCTION_NODE:
    return "?" + Core::ToUtf8(node->NodeNameView());
  default:
    return "?";
  }
}

// The nodes of the document the pattern matches, described and space
// separated, each matched in a match context of its own.
inline std::string MatchedNodes(CTestRun& run, const XsltPrivate::CPattern& pattern, const Dom::XNode& document) {
  std::string out;
  for (const Dom::XNode& node : AllNodes(document)) {
    CTestMatchContext context(run, node);
    if (!pattern.Match(context, node)) continue;
    if (!out.empty()) out += ' ';
    out += Describe(node.Get());
  }
  return out;
}

} // namespace CompilerTest
