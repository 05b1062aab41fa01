// Parses a document with kelto's parser and tree builder and writes it in
// the canonical form of the XML conformance tests, for comparison with
// their expected output.
//   xmlcanon FILE          canonical form on standard output
//   xmlcanon --count FILE  the number of nodes of the tree (parse and build only)
// A document that is not well formed: the error on standard error, exit 1.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/Exception.h"
#include "core/String.h"
#include "core/Uri.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/Dom.h"
#include "xml/tree/Names.h"

namespace {

constexpr Core::StringView kXmlNamespace = u"http://www.w3.org/XML/1998/namespace";

class COutput {
public:
  ~COutput() { Flush(); }
  void Put(std::string_view s) {
    m_buffer.append(s);
    if (m_buffer.size() >= 1 << 16) Flush();
  }
  // UTF-16 to UTF-8, escaping the characters of text and attribute values.
  void PutText(Core::StringView text, bool escape) {
    for (size_t i = 0; i < text.size(); ++i) {
      char32_t c = text[i];
      if (escape) {
        switch (c) {
        case u'&': m_buffer += "&amp;"; continue;
        case u'<': m_buffer += "&lt;"; continue;
        case u'>': m_buffer += "&gt;"; continue;
        case u'"': m_buffer += "&quot;"; continue;
        case u'\t': m_buffer += "&#9;"; continue;
        case u'\n': m_buffer += "&#10;"; continue;
        case u'\r': m_buffer += "&#13;"; continue;
        default: break;
        }
      }
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
      }
      if (c < 0x80) {
        m_buffer += static_cast<char>(c);
      } else if (c < 0x800) {
        m_buffer += static_cast<char>(0xC0 | (c >> 6));
        m_buffer += static_cast<char>(0x80 | (c & 0x3F));
      } else if (c < 0x10000) {
        m_buffer += static_cast<char>(0xE0 | (c >> 12));
        m_buffer += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        m_buffer += static_cast<char>(0x80 | (c & 0x3F));
      } else {
        m_buffer += static_cast<char>(0xF0 | (c >> 18));
        m_buffer += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        m_buffer += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        m_buffer += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    if (m_buffer.size() >= 1 << 16) Flush();
  }
  void Flush() {
    fwrite(m_buffer.data(), 1, m_buffer.size(), stdout);
    m_buffer.clear();
  }

private:
  std::string m_buffer;
};

struct CAttributeItem {
  std::string sortKey;  // UTF-8 orders like code points
  Core::String name;
  Core::StringView value;
  Core::String ownValue;
};

// The namespace URI a prefix has in an element's parent (the document's
// fixed bindings above the top element).
bool ParentBinding(const Dom::CNode* element, Core::StringView prefix, Core::StringView& uri) {
  const Dom::CNode* parent = element->Parent();
  if (parent && parent->GetNodeType() == Dom::ELEMENT_NODE) {
    const Dom::CNamespaceNode* ns = parent->NamespaceScope()->Find(prefix);
    if (!ns) return false;
    uri = Core::StringView(ns->namespaceUri, ns->uriLength);
    return true;
  }
  if (prefix.empty()) {
    uri = u"";
    return true;
  }
  if (prefix == u"xml") {
    uri = kXmlNamespace;
    return true;
  }
  return false;
}

void WriteStartTag(COutput& out, const Dom::CNode* element, std::vector<CAttributeItem>& items) {
  items.clear();
  for (int32_t i = 0; i < element->AttributeCount(); ++i) {
    const Dom::CAttributeNode* a = element->AttributeAt(i);
    CAttributeItem item;
    item.name = Core::String(a->NodeNameView());
    item.value = Core::StringView(a->value, static_cast<size_t>(a->valueLength));
    items.push_back(std::move(item));
  }
  // Namespace declarations are no attributes in the tree: those that differ
  // from the parent's bindings were written on this element.
  const Dom::CNamespaceScope* scope = element->NamespaceScope();
  const Dom::CNode* parent = element->Parent();
  if (scope && !(parent && parent->GetNodeType() == Dom::ELEMENT_NODE && parent->NamespaceScope() == scope)) {
    for (int32_t i = 0; i < scope->GetCount(); ++i) {
      const Dom::CNamespaceNode* ns = scope->GetItem(i);
      Core::StringView prefix(ns->prefix, ns->prefixLength), uri(ns->namespaceUri, ns->uriLength), inherited;
      if (ParentBinding(element, prefix, inherited) && inherited == uri) continue;
      CAttributeItem item;
      item.name = prefix.empty() ? Core::String(u"xmlns") : u"xmlns:" + Core::String(prefix);
      item.ownValue = Core::String(uri);
      items.push_back(std::move(item));
    }
  }
  for (CAttributeItem& item : items) {
    item.sortKey = Core::ToUtf8(item.name);
    if (item.value.data() == nullptr) item.value = item.ownValue;
  }
  std::stable_sort(items.begin(), items.end(),
                   [](const CAttributeItem& a, const CAttributeItem& b) { return a.sortKey < b.sortKey; });
  out.Put("<");
  out.PutText(element->NodeNameView(), false);
  for (const CAttributeItem& item : items) {
    out.Put(" ");
    out.Put(item.sortKey);
    out.Put("=\"");
    out.PutText(item.value, true);
    out.Put("\"");
  }
  out.Put(">");
}

// Walks the tree without recursion.
void WriteCanonical(const Dom::CNode* document) {
  COutput out;
  std::vector<CAttributeItem> items;
  const Dom::CNode* node = document->FirstChild();
  while (node) {
    switch (node->GetNodeType()) {
    case Dom::ELEMENT_NODE:
      WriteStartTag(out, node, items);
      break;
    case Dom::TEXT_NODE: {
      auto* t = static_cast<const Dom::CCharacterDataNode*>(node);
      out.PutText(Core::StringView(t->data, static_cast<size_t>(t->length)), true);
      break;
    }
    case Dom::PROCESSING_INSTRUCTION_NODE: {
      auto* p = static_cast<const Dom::CProcessingInstructionNode*>(node);
      out.Put("<?");
      out.PutText(Core::StringView(p->target, static_cast<size_t>(p->targetLength)), false);
      out.Put(" ");
      out.PutText(Core::StringView(p->data, static_cast<size_t>(p->dataLength)), false);
      out.Put("?>");
      break;
    }
    default:  // comments are left out
      break;
    }
    if (const Dom::CNode* child = node->FirstChild()) {
      node = child;
      continue;
    }
    if (node->GetNodeType() == Dom::ELEMENT_NODE) {
      out.Put("</");
      out.PutText(node->NodeNameView(), false);
      out.Put(">");
    }
    while (!node->NextSibling()) {
      node = node->Parent();
      if (!node || node == document) return;
      out.Put("</");
      out.PutText(node->NodeNameView(), false);
      out.Put(">");
    }
    node = node->NextSibling();
  }
}

int64_t CountNodes(const Dom::CNode* document) {
  int64_t count = 1;
  const Dom::CNode* node = document->FirstChild();
  while (node) {
    count += 1 + node->AttributeCount();
    if (const Dom::CNode* child = node->FirstChild()) {
      node = child;
      continue;
    }
    while (!node->NextSibling()) {
      node = node->Parent();
      if (!node || node == document) return count;
    }
    node = node->NextSibling();
  }
  return count;
}

int Usage() {
  fprintf(stderr, "usage: xmlcanon [--count] FILE\n");
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  bool count = false;
  int arg = 1;
  if (arg < argc && std::string_view(argv[arg]) == "--count") {
    count = true;
    ++arg;
  }
  if (arg + 1 != argc) return Usage();
  Core::String file = Core::FromUtf8(argv[arg]);
  Core::String url;
  if (file.starts_with(u"file:")) {
    url = file;
  } else if (!Uri::FileNameToUrl(file, url)) {
    url = file;  // the parser reports it cannot access it
  }

  Core::XInterface<BasicXdm::CDocumentFactory> factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  Dom::XNode document = factory->CreateDocument();
  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  parser->SetDocumentHandler(factory->CreateDocumentHandler(document, nullptr, nullptr));
  try {
    parser->Parse(url);
  } catch (const Sxp::CParseException& e) {
    fprintf(stderr, "%s: %s (line %d, column %d)\n", argv[arg], Core::ToUtf8(e.GetMessage()).c_str(),
            e.GetLineNumber(), e.GetColumnNumber());
    return 1;
  } catch (const Core::IException& e) {
    fprintf(stderr, "%s: %s\n", argv[arg], Core::ToUtf8(e.GetMessage()).c_str());
    return 1;
  }
  if (count) {
    printf("%lld\n", static_cast<long long>(CountNodes(document.Get())));
  } else {
    WriteCanonical(document.Get());
  }
  return 0;
}
