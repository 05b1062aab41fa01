#pragma once
// Builds document trees for tests without the XML parser.
//
//   KeltoTest::CTreeFixture trees;
//   Dom::XNode doc = trees.Build(u"<a x='1'><b/>text<!--c--><?pi data?></a>");
//
// Build feeds the tree builder the events the parser would send for a small
// markup text: elements, attributes (in either quote), text, comments,
// processing instructions, CDATA sections, the five predefined entity
// references and character references. No DTD, no other entities. Each
// entity or character reference arrives as a Characters call of its own, as
// from the parser. Markup it does not understand throws std::runtime_error.
//
// For events a markup text cannot express, take a builder from NewBuilder
// and call its operations directly.
//
// Dump writes a tree back as markup (namespace declarations left out,
// attributes in start-tag order, < > & escaped in text and " in values), which
// makes a compact expected value.
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/Dom.h"
#include "xml/xslt/LocationHandler.h"
#include "xml/xslt/SpaceHandler.h"

namespace KeltoTest {

inline void FeedMarkup(Core::StringView m, Sxp::IDocumentHandler& h) {
  size_t i = 0;
  auto fail = [&](const char* what) {
    throw std::runtime_error(std::string("markup: ") + what + " at " + std::to_string(i));
  };
  auto startsWith = [&](Core::StringView s) { return m.substr(i, s.size()) == s; };
  auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  auto isNameChar = [&](char16_t c) { return !isSpace(c) && c != u'=' && c != u'>' && c != u'/' && c != u'<' && c != u'?'; };
  auto readName = [&]() {
    size_t s = i;
    while (i < m.size() && isNameChar(m[i])) ++i;
    if (s == i) fail("name expected");
    return m.substr(s, i - s);
  };
  auto skipSpace = [&]() {
    while (i < m.size() && isSpace(m[i])) ++i;
  };
  // Text up to the stop character, references sent one by one.
  auto sendText = [&](char16_t stop) {
    size_t s = i;
    auto flush = [&]() {
      if (i > s) h.Characters(m.data() + s, int32_t(i - s));
    };
    while (i < m.size() && m[i] != stop) {
      if (m[i] != u'&') {
        ++i;
        continue;
      }
      flush();
      size_t semi = m.find(u';', i);
      if (semi == Core::StringView::npos) fail("unterminated reference");
      Core::StringView ref = m.substr(i + 1, semi - i - 1);
      char16_t unit[2];
      int32_t n = 1;
      if (ref == u"lt") unit[0] = u'<';
      else if (ref == u"gt") unit[0] = u'>';
      else if (ref == u"amp") unit[0] = u'&';
      else if (ref == u"quot") unit[0] = u'"';
      else if (ref == u"apos") unit[0] = u'\'';
      else if (!ref.empty() && ref[0] == u'#') {
        std::string digits(ref.begin() + 1, ref.end());
        bool hex = !digits.empty() && digits[0] == 'x';
        unsigned long c = std::stoul(hex ? digits.substr(1) : digits, nullptr, hex ? 16 : 10);
        if (c >= 0x10000) {
          c -= 0x10000;
          unit[0] = char16_t(0xD800 + (c >> 10));
          unit[1] = char16_t(0xDC00 + (c & 0x3FF));
          n = 2;
        } else {
          unit[0] = char16_t(c);
        }
      } else {
        fail("unknown entity");
      }
      h.Characters(unit, n);
      i = semi + 1;
      s = i;
    }
    flush();
  };
  auto sendUntil = [&](Core::StringView end) {
    size_t e = m.find(end, i);
    if (e == Core::StringView::npos) fail("unterminated construct");
    if (e > i) h.Characters(m.data() + i, int32_t(e - i));
    i = e + end.size();
  };

  h.StartDocument();
  int depth = 0;
  while (i < m.size()) {
    if (startsWith(u"<!--")) {
      i += 4;
      h.StartComment();
      sendUntil(u"-->");
      h.EndComment();
    } else if (startsWith(u"<![CDATA[")) {
      i += 9;
      h.StartCdata();
      sendUntil(u"]]>");
      h.EndCdata();
    } else if (startsWith(u"<?")) {
      i += 2;
      Core::StringView target = readName();
      skipSpace();
      size_t e = m.find(u"?>", i);
      if (e == Core::StringView::npos) fail("unterminated processing instruction");
      h.ProcessingInstruction(target, m.substr(i, e - i));
      i = e + 2;
    } else if (startsWith(u"</")) {
      i += 2;
      readName();
      skipSpace();
      if (i >= m.size() || m[i] != u'>') fail("'>' expected");
      ++i;
      h.EndElement();
      --depth;
    } else if (m[i] == u'<') {
      ++i;
      h.StartElement(readName());
      ++depth;
      for (;;) {
        skipSpace();
        if (i >= m.size()) fail("unterminated start tag");
        if (m[i] == u'>') {
          ++i;
          break;
        }
        if (startsWith(u"/>")) {
          i += 2;
          h.EndElement();
          --depth;
          break;
        }
        Core::StringView name = readName();
        skipSpace();
        if (i >= m.size() || m[i] != u'=') fail("'=' expected");
        ++i;
        skipSpace();
        if (i >= m.size() || (m[i] != u'"' && m[i] != u'\'')) fail("quote expected");
        char16_t quote = m[i++];
        h.StartAttribute(name);
        sendText(quote);
        if (i >= m.size()) fail("unterminated value");
        ++i;
        h.EndAttribute();
      }
    } else {
      sendText(u'<');
    }
  }
  if (depth != 0) fail("unbalanced elements");
  h.EndDocument();
}

class CTreeFixture {
public:
  explicit CTreeFixture(uint32_t factoryId = 1) : factory(new BasicXdm::CDocumentFactory(factoryId)) {}

  // A new empty document and the builder that fills it.
  Core::XInterface<Sxp::IDocumentHandler> NewBuilder(Dom::XNode& document, Xslt::CSpaceHandler* space = nullptr,
                                                     Xslt::CLocationHandler* location = nullptr) {
    document = factory->CreateDocument();
    return factory->CreateDocumentHandler(document, space, location);
  }

  Dom::XNode Build(Core::StringView markup, Xslt::CSpaceHandler* space = nullptr,
                   Xslt::CLocationHandler* location = nullptr) {
    Dom::XNode document;
    Core::XInterface<Sxp::IDocumentHandler> builder = NewBuilder(document, space, location);
    FeedMarkup(markup, *builder);
    return document;
  }

  Core::XInterface<BasicXdm::CDocumentFactory> factory;
};

inline void AppendEscaped(Core::String& out, Core::StringView s, bool inAttribute) {
  for (char16_t c : s) {
    if (c == u'<') out += u"&lt;";
    else if (c == u'>') out += u"&gt;";
    else if (c == u'&') out += u"&amp;";
    else if (c == u'"' && inAttribute) out += u"&quot;";
    else out += c;
  }
}

// The subtree of a node as markup, walked without recursion.
inline Core::String Dump(const Dom::CNode* root) {
  Core::String out;
  auto open = [&](const Dom::CNode* n) {
    switch (n->GetNodeType()) {
      case Dom::ELEMENT_NODE: {
        out += u'<';
        out += n->NodeNameView();
        for (int32_t k = 0; k < n->AttributeCount(); ++k) {
          const Dom::CNode* a = n->AttributeAt(k);
          out += u' ';
          out += a->NodeNameView();
          out += u"=\"";
          AppendEscaped(out, a->ValueView(), true);
          out += u'"';
        }
        out += n->FirstChild() ? u">" : u"/>";
        break;
      }
      case Dom::TEXT_NODE:
        AppendEscaped(out, n->ValueView(), false);
        break;
      case Dom::COMMENT_NODE:
        out += u"<!--";
        out += n->ValueView();
        out += u"-->";
        break;
      case Dom::PROCESSING_INSTRUCTION_NODE:
        out += u"<?";
        out += n->NodeNameView();
        if (!n->ValueView().empty()) out += u' ';
        out += n->ValueView();
        out += u"?>";
        break;
      case Dom::ATTRIBUTE_NODE:
        out += n->NodeNameView();
        out += u"=\"";
        AppendEscaped(out, n->ValueView(), true);
        out += u'"';
        break;
      default:
        break;
    }
  };
  auto close = [&](const Dom::CNode* n) {
    if (n->GetNodeType() == Dom::ELEMENT_NODE && n->FirstChild()) {
      out += u"</";
      out += n->NodeNameView();
      out += u'>';
    }
  };
  open(root);
  const Dom::CNode* n = root->FirstChild();
  while (n) {
    open(n);
    if (const Dom::CNode* child = n->FirstChild()) {
      n = child;
      continue;
    }
    close(n);
    while (n != root) {
      if (const Dom::CNode* next = n->NextSibling()) {
        n = next;
        break;
      }
      n = n->Parent();
      if (n != root) close(n);
    }
    if (n == root) break;
  }
  close(root);
  return out;
}

inline Core::String Dump(const Dom::XNode& node) { return Dump(node.Get()); }

// A location handler that keeps what the builder tells it, for tests.
class CRecordingLocationHandler : public Xslt::CLocationHandler {
public:
  struct CRecord {
    Dom::CNodeIdentity position;
    Core::String publicId;
    Core::String systemId;
    int32_t line;
    int32_t column;
  };
  void NodeCreated(const Dom::CNode* node) override {
    created.push_back(node->GetIdentity());
    createdTypes.push_back(node->GetNodeType());
    Xslt::CLocationHandler::NodeCreated(node);
  }
  void SetDocumentLocator(Sxp::ILocator* locator) override {
    locatorCalls.push_back(locator != nullptr);
    Xslt::CLocationHandler::SetDocumentLocator(locator);
  }
  void SetParent(const Core::XInterface<Xslt::CLocationHandler>&) override {}
  void RecordLocation(Dom::CNodeIdentity position, Core::StringView publicId, Core::StringView systemId,
                      int32_t line, int32_t column) override {
    records.push_back({position, Core::String(publicId), Core::String(systemId), line, column});
  }
  bool GetLocation(Dom::CNodeIdentity, Core::String&, Core::String&, int32_t&, int32_t&) override { return false; }
  bool GetBaseUri(Dom::CNodeIdentity, Core::String&) override { return false; }
  void ForgetDocument(Dom::CNodeIdentity) override {}

  std::vector<Dom::CNodeIdentity> created;
  std::vector<int32_t> createdTypes;
  std::vector<bool> locatorCalls;
  std::vector<CRecord> records;
};

} // namespace KeltoTest
