#pragma once
// The canonical form of a document as the XML conformance tests write it,
// shared by the xmlcanon tool and its tests: no XML declaration and no
// DOCTYPE; start and end tags (never "/>"); attributes and namespace
// declarations sorted by name, each name="value"; in text and attribute
// values & < > " TAB LF CR as &amp; &lt; &gt; &quot; &#9; &#10; &#13;;
// processing instructions as <?target data?>, the space written also when
// the data is empty; comments left out; UTF-8.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Exception.h"
#include "core/String.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/Dom.h"

namespace XmlCanon {

// Receives the UTF-8 output in pieces.
using CSink = std::function<void(std::string_view)>;

namespace Detail {

class COutput {
public:
  explicit COutput(const CSink& sink) : m_sink(sink) {}
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
    if (!m_buffer.empty()) m_sink(m_buffer);
    m_buffer.clear();
  }

private:
  const CSink& m_sink;
  std::string m_buffer;
};

// The tree keeps namespace bindings, not the declarations as written: this
// handler in front of the tree builder notes, per element in document order,
// the xmlns attributes written in its start tag or defaulted by the DTD.
class CDeclarationRecorder : public Sxp::IDocumentHandler {
public:
  explicit CDeclarationRecorder(Core::XInterface<Sxp::IDocumentHandler> next) : m_next(std::move(next)) {}

  // The declarations of the element-th element (from 0) as [first, last).
  std::pair<size_t, size_t> Range(size_t element) const {
    if (element >= m_first.size()) return {0, 0};
    size_t last = element + 1 < m_first.size() ? m_first[element + 1] : m_declarations.size();
    return {m_first[element], last};
  }
  const std::pair<Core::String, Core::String>& At(size_t i) const { return m_declarations[i]; }

  void SetDocumentLocator(Sxp::ILocator* locator) override { m_next->SetDocumentLocator(locator); }
  void StartDocument() override { m_next->StartDocument(); }
  void EndDocument() override { m_next->EndDocument(); }
  void StartElement(Core::StringView name) override {
    m_first.push_back(m_declarations.size());
    m_next->StartElement(name);
  }
  void EndElement() override { m_next->EndElement(); }
  void StartAttribute(Core::StringView name) override {
    m_inDeclaration = name.substr(0, 5) == u"xmlns" && (name.size() == 5 || name[5] == u':');
    if (m_inDeclaration) m_declarations.emplace_back(Core::String(name), Core::String());
    m_next->StartAttribute(name);
  }
  void EndAttribute() override {
    m_inDeclaration = false;
    m_next->EndAttribute();
  }
  void Characters(const char16_t* units, int32_t count) override {
    if (m_inDeclaration && count > 0) m_declarations.back().second.append(units, static_cast<size_t>(count));
    m_next->Characters(units, count);
  }
  void StartComment() override { m_next->StartComment(); }
  void EndComment() override { m_next->EndComment(); }
  void StartCdata() override { m_next->StartCdata(); }
  void EndCdata() override { m_next->EndCdata(); }
  void SkippedEntity(Core::StringView name) override { m_next->SkippedEntity(name); }
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override {
    m_next->ProcessingInstruction(target, data);
  }

private:
  Core::XInterface<Sxp::IDocumentHandler> m_next;
  std::vector<size_t> m_first;
  std::vector<std::pair<Core::String, Core::String>> m_declarations;
  bool m_inDeclaration = false;
};

struct CAttributeItem {
  std::string sortKey;  // UTF-8 orders like code points
  Core::StringView name;
  Core::StringView value;
};

inline void WriteStartTag(COutput& out, const Dom::CNode* element, const CDeclarationRecorder& declarations,
                          size_t ordinal, std::vector<CAttributeItem>& items) {
  items.clear();
  for (int32_t i = 0; i < element->AttributeCount(); ++i) {
    const Dom::CAttributeNode* a = element->AttributeAt(i);
    items.push_back({{}, a->NodeNameView(), Core::StringView(a->value, static_cast<size_t>(a->valueLength))});
  }
  auto [first, last] = declarations.Range(ordinal);
  for (size_t i = first; i < last; ++i) items.push_back({{}, declarations.At(i).first, declarations.At(i).second});
  for (CAttributeItem& item : items) item.sortKey = Core::ToUtf8(item.name);
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
inline void WriteCanonical(const Dom::CNode* document, const CDeclarationRecorder& declarations, const CSink& sink) {
  COutput out(sink);
  std::vector<CAttributeItem> items;
  size_t ordinal = 0;
  const Dom::CNode* node = document->FirstChild();
  while (node) {
    switch (node->GetNodeType()) {
    case Dom::ELEMENT_NODE:
      WriteStartTag(out, node, declarations, ordinal++, items);
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

inline int64_t CountNodes(const Dom::CNode* document) {
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

} // namespace Detail

// Parses the document at url with the parser and the tree builder (no
// whitespace stripping) and writes its canonical form to out, or with count
// set only the number of nodes and a line end. Returns the exit status: 0,
// or 1 with the error in error ("message (line L, column C)" for a parse
// error) and nothing written.
inline int Canonicalise(const Core::String& url, bool count, const CSink& out, std::string& error) {
  Core::XInterface<BasicXdm::CDocumentFactory> factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  Dom::XNode document = factory->CreateDocument();
  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  Core::XInterface<Sxp::IDocumentHandler> builder = factory->CreateDocumentHandler(document, nullptr, nullptr);
  // Counting times the parser and the tree builder alone.
  Core::XInterface<Detail::CDeclarationRecorder> declarations;
  if (count) {
    parser->SetDocumentHandler(builder);
  } else {
    declarations = Core::Make<Detail::CDeclarationRecorder>(builder);
    parser->SetDocumentHandler(declarations);
  }
  try {
    parser->Parse(url);
  } catch (const Sxp::CParseException& e) {
    error = Core::ToUtf8(e.GetMessage()) + " (line " + std::to_string(e.GetLineNumber()) + ", column " +
            std::to_string(e.GetColumnNumber()) + ")";
    return 1;
  } catch (const Core::IException& e) {
    error = Core::ToUtf8(e.GetMessage());
    return 1;
  }
  if (count) {
    out(std::to_string(Detail::CountNodes(document.Get())) + "\n");
  } else {
    Detail::WriteCanonical(document.Get(), *declarations, out);
  }
  return 0;
}

} // namespace XmlCanon
