// Fuzz target: result events, decoded from the input as a sequence that
// starts and ends its nodes in matched pairs but may nest them in any way,
// are sent to the output element stack over the XML writer, directly and
// through a recorded fragment. Both runs must write the same bytes and
// report the same refused nodes; the output must parse as namespace
// well-formed XML in which every element, and every attribute of it, has the
// expanded name (and the attribute its last value) that the events gave.
// An attribute after content stops the run with an output error, which is
// not a finding.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "core/EncodingMap.h"
#include "xslt/processor/output/BasicOutputHandler.h"
#include "xslt/processor/output/OutputElementStack.h"
#include "xslt/processor/output/OutputException.h"
#include "xslt/processor/output/ResultTreeFragment.h"

namespace {

using Core::String;
using Core::StringView;
using XsltPrivate::COutputElementStack;

constexpr StringView kXml = u"http://www.w3.org/XML/1998/namespace";
const StringView kElementNames[] = {u"a", u"b", u"p:a", u"q:c", u"text", u"xsl:text"};
const StringView kElementUris[] = {u"", u"urn:p", u"urn:q", u"http://www.w3.org/1999/XSL/Transform"};
const StringView kAttributeNames[] = {u"a", u"b", u"p:a", u"xml:space", u"xml:lang", u"__1__:c"};
const StringView kAttributeUris[] = {u"", u"urn:p", u"urn:q", kXml};
const StringView kPrefixes[] = {u"", u"p", u"q", u"__1__", u"__2__", u"xml", u"xmlns", u"r"};
const StringView kTexts[] = {u"urn:p", u"urn:q", u"", u"preserve", u"<&>\"", u"]]>", u"--", kXml, u"t"};

template <class T, size_t N>
const T& Pick(const T (&table)[N], uint8_t byte) {
  return table[byte % N];
}

StringView LocalPart(StringView name) {
  size_t colon = name.find(u':');
  return colon == StringView::npos ? name : name.substr(colon + 1);
}

struct CEvent {
  enum EKind : uint8_t { kElement, kAttribute, kNamespace, kComment, kEnd, kText, kPi } kind;
  StringView a, b;
  bool flag = false;
};

// What the output must hold for one accepted element.
struct CExpectedElement {
  String uri, local;
  std::map<std::pair<String, String>, String> attributes;
};

class CRecorder : public XsltPrivate::COutputErrorReporter {
public:
  void ReportOutputError(int32_t code) override { codes.push_back(code); }
  std::vector<int32_t> codes;
};

class CBytes : public Core::IStream {
public:
  int32_t Read(uint8_t*, int32_t) override { return 0; }
  int32_t Write(const uint8_t* buffer, int32_t count) override {
    bytes.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(count));
    return count;
  }
  int32_t Seek(int32_t, int32_t) override { return -1; }
  int32_t Tell() override { return 0; }
  std::string bytes;
};

void Send(COutputElementStack& stack, const std::vector<CEvent>& events, const std::vector<CEvent::EKind>& ends) {
  size_t end = 0;
  for (const CEvent& e : events) {
    switch (e.kind) {
    case CEvent::kElement: stack.StartElement(e.a, e.b); break;
    case CEvent::kAttribute: stack.StartAttribute(e.a, e.b); break;
    case CEvent::kNamespace: stack.StartNamespace(e.a); break;
    case CEvent::kComment: stack.StartComment(); break;
    case CEvent::kText: stack.Characters(e.a.data(), static_cast<int32_t>(e.a.size()), e.flag); break;
    case CEvent::kPi: stack.ProcessingInstruction(e.a, e.b); break;
    case CEvent::kEnd:
      switch (ends[end++]) {
      case CEvent::kElement: stack.EndElement(); break;
      case CEvent::kAttribute: stack.EndAttribute(); break;
      case CEvent::kNamespace: stack.EndNamespace(); break;
      default: stack.EndComment(); break;
      }
      break;
    }
  }
}

// One run; false when it stopped with the misplaced-attribute error.
bool Run(const std::vector<CEvent>& events, const std::vector<CEvent::EKind>& ends, bool replay, std::string& out,
         std::vector<int32_t>& codes) {
  auto stream = Core::Make<CBytes>();
  auto handler = Core::Make<Xslt::CBasicOutputHandler>();
  handler->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  handler->SetOutputStream(stream.Get());
  auto options = Core::Make<XsltPrivate::CPrivateOutputOptions>();
  options->SetOmitXmlDeclaration(true);
  options->AddCdataSectionElement(u"urn:p", u"a");
  auto stack = Core::Make<COutputElementStack>(handler.Get());
  stack->SetOutputOptions(options.Get());
  CRecorder recorder;
  COutputElementStack::CReporterScope scope(*stack, &recorder);
  bool complete = true;
  try {
    stack->StartDocument();
    stack->StartElement(u"root", u"");
    if (replay) {
      auto fragment = Core::Make<XsltPrivate::CResultTreeFragmentValue>();
      auto capture = Core::Make<COutputElementStack>(&fragment->GetRecording());
      capture->StartDocument();
      Send(*capture, events, ends);
      capture->EndDocument();
      fragment->GetRecording().Replay(*stack);
    } else {
      Send(*stack, events, ends);
    }
    stack->EndElement();
    stack->EndDocument();
  } catch (const XsltPrivate::COutputException& e) {
    KELTO_FUZZ_CHECK(e.GetCode() == XsltPrivate::COutputException::kMisplacedAttribute);
    complete = false;
  }
  out = stream->bytes;
  codes = recorder.codes;
  return complete;
}

void CollectElements(const Dom::CNode* node, std::vector<const Dom::CNode*>& out) {
  for (const Dom::CNode* child = node->FirstChild(); child; child = child->NextSibling()) {
    if (child->GetNodeType() != Dom::ELEMENT_NODE) continue;
    out.push_back(child);
    CollectElements(child, out);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 3000) return 0;
  // Decode the events, tracking what is open so that ends match and the
  // expected result can be worked out: a node is refused while an
  // attribute, namespace node or comment is being collected.
  std::vector<CEvent> events;
  std::vector<CEvent::EKind> ends, open;
  std::vector<CExpectedElement> expected;
  std::vector<int32_t> openElement;   // index into expected, -1 for a refused one
  int32_t collecting = 0;             // open attributes, namespace nodes and comments
  bool pending = true;                // the innermost accepted element (at first the root) takes attributes
  std::pair<String, String> attributeName;
  String attributeValue;
  bool misplaced = false;
  auto content = [&] { pending = false; };
  auto end = [&] {
    CEvent::EKind kind = open.back();
    open.pop_back();
    events.push_back({CEvent::kEnd, {}, {}});
    ends.push_back(kind);
    if (kind == CEvent::kElement) {
      if (openElement.back() >= 0) content(); // the parent now has content
      openElement.pop_back();
      return;
    }
    --collecting;
    if (kind == CEvent::kAttribute && collecting == 0 && !misplaced) {
      int32_t owner = -1;
      for (auto it = openElement.rbegin(); it != openElement.rend(); ++it)
        if (*it >= 0) {
          owner = *it;
          break;
        }
      if (owner >= 0) expected[owner].attributes[attributeName] = attributeValue;
    }
  };
  for (size_t i = 0; i + 2 < size || (i < size && data[i] % 8 == 4); i += 3) {
    uint8_t op = data[i] % 8, x = i + 1 < size ? data[i + 1] : 0, y = i + 2 < size ? data[i + 2] : 0;
    switch (op) {
    case 0: {
      CEvent e{CEvent::kElement, Pick(kElementNames, x), Pick(kElementUris, y)};
      events.push_back(e);
      open.push_back(CEvent::kElement);
      if (collecting == 0) {
        content();
        expected.push_back({String(e.b), String(LocalPart(e.a)), {}});
        openElement.push_back(static_cast<int32_t>(expected.size() - 1));
        pending = true;
      } else {
        openElement.push_back(-1);
      }
      break;
    }
    case 1: {
      CEvent e{CEvent::kAttribute, Pick(kAttributeNames, x), Pick(kAttributeUris, y)};
      events.push_back(e);
      open.push_back(CEvent::kAttribute);
      if (collecting == 0) {
        if (!pending) misplaced = true;
        attributeName = {String(e.b), String(LocalPart(e.a))};
        attributeValue.clear();
      }
      ++collecting;
      break;
    }
    case 2:
      events.push_back({CEvent::kNamespace, Pick(kPrefixes, x), {}});
      open.push_back(CEvent::kNamespace);
      ++collecting;
      break;
    case 3:
      events.push_back({CEvent::kComment, {}, {}});
      open.push_back(CEvent::kComment);
      if (collecting == 0) content();
      ++collecting;
      break;
    case 4:
      if (!open.empty()) end();
      break;
    case 5:
    case 6: {
      CEvent e{CEvent::kText, Pick(kTexts, x), {}, op == 6};
      events.push_back(e);
      if (collecting == 0) content();
      // The text of the collection, unless a refused node that drops its text is open.
      bool dropped = false;
      int32_t seen = 0;
      for (CEvent::EKind k : open)
        if (k != CEvent::kElement && ++seen > 1) dropped = true;
      if (collecting > 0 && !dropped) attributeValue += e.a;
      break;
    }
    case 7:
      events.push_back({CEvent::kPi, Pick(kPrefixes, x) == u"" ? StringView(u"pi") : StringView(u"t"),
                        Pick(kTexts, y)});
      if (collecting == 0) content();
      break;
    }
  }
  while (!open.empty()) end();

  std::string direct, replayed;
  std::vector<int32_t> codesDirect, codesReplayed;
  bool complete = Run(events, ends, false, direct, codesDirect);
  bool completeReplayed = Run(events, ends, true, replayed, codesReplayed);
  KELTO_FUZZ_CHECK(complete == completeReplayed);
  KELTO_FUZZ_CHECK(direct == replayed);
  KELTO_FUZZ_CHECK(codesDirect == codesReplayed);
  if (!complete) return 0;

  BasicXdm::CDocumentFactory factory(1);
  Dom::XNode document;
  KELTO_FUZZ_CHECK(Fuzz::ParseDocument(factory, reinterpret_cast<const uint8_t*>(direct.data()), direct.size(),
                                       4096, false, document));
  std::vector<const Dom::CNode*> elements;
  CollectElements(document.Get(), elements);
  KELTO_FUZZ_CHECK(elements.size() == expected.size() + 1); // and the root
  for (size_t k = 0; k < expected.size(); ++k) {
    const Dom::CNode* element = elements[k + 1];
    KELTO_FUZZ_CHECK(element->NamespaceUriView() == expected[k].uri);
    KELTO_FUZZ_CHECK(element->LocalNameView() == expected[k].local);
    KELTO_FUZZ_CHECK(element->AttributeCount() == static_cast<int32_t>(expected[k].attributes.size()));
    for (int32_t i = 0; i < element->AttributeCount(); ++i) {
      const Dom::CNode* attribute = element->AttributeAt(i);
      auto it = expected[k].attributes.find({String(attribute->NamespaceUriView()), String(attribute->LocalNameView())});
      KELTO_FUZZ_CHECK(it != expected[k].attributes.end());
      KELTO_FUZZ_CHECK(attribute->ValueView() == it->second);
    }
  }
  return 0;
}
