#pragma once
// Parses and evaluates expressions over small trees for tests, and describes
// results compactly:
//   "number 7", "string abc", "boolean true", or a node set as its nodes in
//   iteration order, space separated: an element by its name, an attribute
//   as @name, a text node as "text", a comment as "comment", a processing
//   instruction as ?target, a namespace node as ns:prefix, the root as "/".
#include <gtest/gtest.h>

#include <string>

#include "support/TreeFixture.h"
#include "xpath/Context.h"
#include "xpath/Function.h"
#include "xpath/Parser.h"
#include "xpath/Value.h"
#include "xpath/ValueConverter.h"
#include "xpath/XpathException.h"
#include "xpath/support/TestHost.h"

namespace XpathTest {

inline std::string DescribeNode(const Dom::CNode* node) {
  switch (node->GetNodeType()) {
  case Dom::DOCUMENT_NODE: return "/";
  case Dom::ELEMENT_NODE: return Core::ToUtf8(node->NodeNameView());
  case Dom::ATTRIBUTE_NODE: return "@" + Core::ToUtf8(node->NodeNameView());
  case Dom::TEXT_NODE: return "text";
  case Dom::COMMENT_NODE: return "comment";
  case Dom::PROCESSING_INSTRUCTION_NODE: return "?" + Core::ToUtf8(node->NodeNameView());
  case Dom::NAMESPACE_NODE: return "ns:" + Core::ToUtf8(node->NodeNameView());
  default: return "#" + std::to_string(node->GetNodeType());
  }
}

inline std::string DescribeNodeSet(Xpath::CNodeSet* nodeSet) {
  std::string out;
  for (Core::XInterface<Xpath::CIterator> it = nodeSet->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
    if (!out.empty()) out += ' ';
    out += DescribeNode(node.Get());
  }
  return out;
}

inline std::string DescribeValue(const Xpath::CValue& value) {
  switch (value.GetType()) {
  case Xpath::CValue::NodeSetType: return DescribeNodeSet(value.GetNodeSet());
  case Xpath::CValue::BooleanType: return value.GetBoolean() ? "boolean true" : "boolean false";
  case Xpath::CValue::NumberType: return "number " + Core::ToUtf8(value.GetNumber().ToString());
  case Xpath::CValue::StringType: return "string " + Core::ToUtf8(value.GetString());
  default: return "type " + std::to_string(value.GetType());
  }
}

inline Core::XInterface<Xpath::CExpr> Compile(Core::StringView text) {
  Core::XInterface<Xpath::CExpr> expr;
  XpathPrivate::CParser().Parse(expr, text);
  return expr;
}

// The XPath error code of parsing text, or -1 when it parses.
inline int ParseError(Core::StringView text) {
  try {
    Compile(text);
    return -1;
  } catch (const Xpath::CXpathException& e) {
    return e.GetCode();
  }
}

class CEvalFixture : public ::testing::Test {
protected:
  CEvalFixture() { m_host.SetFunctionLibrary(new Xpath::CCoreFunctionLibrary()); }

  void Load(Core::StringView markup) { m_document = m_trees.Build(markup); }

  // The node the first node of path selects from the document.
  Dom::XNode Node(Core::StringView path) {
    Core::XInterface<Xpath::CValue> value = Compile(path)->Evaluate(m_host.MakeContext(m_document).Get());
    return value->GetNodeSet()->GetFirstNode();
  }

  Core::XInterface<Xpath::CValue> Evaluate(Core::StringView text, const Dom::XNode& node) {
    return Compile(text)->Evaluate(m_host.MakeContext(node).Get());
  }

  // The description of the value of text with node (the document when null)
  // as the context node, or "error N" for an XPath error.
  std::string Eval(Core::StringView text, Dom::XNode node = Dom::XNode()) {
    try {
      return DescribeValue(*Evaluate(text, node ? node : m_document));
    } catch (const Xpath::CXpathException& e) {
      return "error " + std::to_string(e.GetCode());
    }
  }

  // The message of the error text raises, or "" when it raises none.
  std::string Message(Core::StringView text, Dom::XNode node = Dom::XNode()) {
    try {
      DescribeValue(*Evaluate(text, node ? node : m_document));
      return "";
    } catch (const Xpath::CXpathException& e) {
      return Core::ToUtf8(e.GetMessage());
    }
  }

  KeltoTest::CTreeFixture m_trees;
  CTestHost m_host;
  Dom::XNode m_document;
};

} // namespace XpathTest
