// Fuzz target: bytes -> XML parser -> tree builder, then a walk of the whole
// tree that reads every name and string value and checks the links and the
// document order. A crash, a hang or a broken invariant is a finding; a
// parse error is not.
#include <cstdint>
#include <vector>

#include "FuzzSupport.h"
#include "xml/tree/Names.h"

namespace {

// Checks the node's own view of itself against its wrappers.
void VisitLeaf(const Dom::CNode* node, const Dom::CNode* parent, size_t& chars) {
  KELTO_FUZZ_CHECK(node->Parent() == parent);
  Core::String value = node->GetStringValue();
  Core::String appended;
  node->AppendStringValue(appended);
  KELTO_FUZZ_CHECK(value == appended);
  chars += value.size();
  Core::String name = node->GetNodeName();
  Core::String local = node->GetLocalName();
  Core::String uri = node->GetNamespaceURI();
  KELTO_FUZZ_CHECK(local.size() <= name.size() || node->GetNodeType() == Dom::NAMESPACE_NODE);
  KELTO_FUZZ_CHECK(Core::StringView(node->GetNodeValue()) == node->ValueView() ||
                   node->GetNodeType() == Dom::ELEMENT_NODE || node->GetNodeType() == Dom::DOCUMENT_NODE);
  (void)uri;
}

// Walks in document order without recursion; every node must come strictly
// after the one before it. Returns the tree as text: kinds, names, values.
Core::String Walk(const Dom::CNode* document) {
  Core::String dump;
  auto note = [&dump](const Dom::CNode* node) {
    dump += char16_t(u'0' + node->GetNodeType());
    dump += node->NodeNameView();
    dump += u'=';
    dump += node->ValueView();
    dump += u'\n';
  };
  size_t chars = 0;
  Core::String text;  // the text nodes in order: the document's string value
  const Dom::CNode* previous = document;
  auto advance = [&](const Dom::CNode* node) {
    KELTO_FUZZ_CHECK(Dom::CompareDocumentOrder(previous, node) < 0);
    KELTO_FUZZ_CHECK(Dom::CompareDocumentOrder(node, previous) > 0);
    previous = node;
  };
  const Dom::CNode* node = document->FirstChild();
  KELTO_FUZZ_CHECK(!node || node->PreviousSibling() == nullptr);
  while (node) {
    advance(node);
    note(node);
    VisitLeaf(node, node->Parent(), chars);
    if (node->GetNodeType() == Dom::TEXT_NODE) text.append(node->ValueView());
    if (node->GetNodeType() == Dom::ELEMENT_NODE) {
      KELTO_FUZZ_CHECK(!node->NodeNameView().empty());
      if (const Dom::CNamespaceScope* scope = node->NamespaceScope()) {
        for (int32_t i = 0; i < scope->GetCount(); ++i) {
          const Dom::CNamespaceNode* ns = scope->GetItem(i);
          // A scope shared with the parent belongs to an earlier element.
          if (ns->parent == node) advance(ns);
          VisitLeaf(ns, ns->parent, chars);
          dump += Core::StringView(ns->prefix, ns->prefixLength);
          dump += u'=';
          dump += Core::StringView(ns->namespaceUri, ns->uriLength);
          dump += u'\n';
        }
      }
      for (int32_t i = 0; i < node->AttributeCount(); ++i) {
        const Dom::CAttributeNode* a = node->AttributeAt(i);
        advance(a);
        note(a);
        VisitLeaf(a, node, chars);
      }
    }
    if (const Dom::CNode* child = node->FirstChild()) {
      KELTO_FUZZ_CHECK(child->Parent() == node && child->PreviousSibling() == nullptr);
      node = child;
      continue;
    }
    while (!node->NextSibling()) {
      const Dom::CNode* parent = node->Parent();
      KELTO_FUZZ_CHECK(parent && parent->LastChild() == node);
      node = parent;
      if (node == document) break;
      dump += u"/\n";
    }
    if (node == document) break;
    const Dom::CNode* next = node->NextSibling();
    KELTO_FUZZ_CHECK(next->PreviousSibling() == node && next->Parent() == node->Parent());
    node = next;
  }
  KELTO_FUZZ_CHECK(document->GetStringValue() == text);
  (void)chars;
  return dump;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The length picks the read size and whether whitespace is stripped, so
  // the corpus stays plain documents.
  static const int32_t kChunks[] = {1 << 30, 1, 3, 64, 4096};
  int32_t chunk = kChunks[size % 5];
  bool strip = (size / 5) % 2 == 1;
  // Now and then the caller names the encoding.
  static const Core::StringView kEncodings[] = {u"", u"", u"", u"UTF-8", u"UTF-16", u"ISO-8859-1"};
  Core::StringView encoding = kEncodings[(size / 10) % 6];
  // A factory per input: document numbers never run out however long the run.
  Core::XInterface<BasicXdm::CDocumentFactory> factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  Dom::XNode document;
  Core::String error, whole;
  bool parsed = Fuzz::ParseDocument(*factory, data, size, chunk, strip, document, &error, encoding);
  Core::String tree = parsed ? Walk(document.Get()) : Core::String();
  // Read in pieces or all at once, the bytes make the same tree or the same
  // error at the same place.
  if (chunk < (1 << 30)) {
    Dom::XNode again;
    bool parsedAgain = Fuzz::ParseDocument(*factory, data, size, 1 << 30, strip, again, &whole, encoding);
    KELTO_FUZZ_CHECK(parsed == parsedAgain);
    if (parsed) KELTO_FUZZ_CHECK(Walk(again.Get()) == tree);
    else KELTO_FUZZ_CHECK(error == whole);
  }
  return 0;
}
