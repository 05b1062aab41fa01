#pragma once
// Event scripts for the output element stack, and runs of them into the XML
// writer, a string handler or a fragment.
//
// A script is a list of events separated by '|' (one blank on each side is
// not part of the event):
//   E qname [uri]   StartElement          /E  EndElement
//   A qname [uri]   StartAttribute        /A  EndAttribute
//   N [prefix]      StartNamespace        /N  EndNamespace
//   T text          Characters            D text  Characters, escaping disabled
//   C               StartComment          /C  EndComment
//   P target [data] ProcessingInstruction
//   X count         EndOpenNodes
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/EncodingMap.h"
#include "core/String.h"
#include "tests/xml/writer/WriterTestSupport.h"
#include "xml/writer/OutputOptions.h"
#include "xslt/processor/output/BasicOutputHandler.h"
#include "xslt/processor/output/OutputElementStack.h"
#include "xslt/processor/output/OutputException.h"
#include "xslt/processor/output/ResultTreeFragment.h"
#include "xslt/processor/output/StringOutputHandler.h"

namespace OutputTest {

using XsltPrivate::COutputElementStack;

inline Core::String U(const std::string& s) { return Core::FromUtf8(s); }

class CReports : public XsltPrivate::COutputErrorReporter {
public:
  void ReportOutputError(int32_t code) override {
    if (!codes.empty()) codes += ",";
    codes += std::to_string(code);
  }
  std::string codes;
};

// An output handler that logs the events it receives, one word each:
// <name (with ! for no-indent, # for CDATA), xmlns:prefix=uri, @name=value,
// text (in brackets, ^ when escaping is disabled), / for an end tag,
// !--comment, ?target data, and [ ] for the document.
class CEventLog : public Xslt::COutputHandler {
public:
  void SetEncodingHandler(Unicode::CEncodingMap*) override {}
  void SetOutputStream(Core::IStream*) override {}
  void SetOutputTarget(Core::IUnicodeStream*) override {}
  void SetOutputOptions(Xslt::COutputOptions* o) override { options = o; }
  void StartDocument() override { Add("["); }
  void EndDocument() override { Add("]"); }
  void StartElement(Core::StringView name, bool noIndent, bool cdata) override {
    Add("<" + Core::ToUtf8(name) + (noIndent ? "!" : "") + (cdata ? "#" : ""));
  }
  void EndElement() override { Add("/"); }
  void NamespaceDeclaration(Core::StringView prefix, Core::StringView uri) override {
    Add("xmlns:" + Core::ToUtf8(prefix) + "=" + Core::ToUtf8(uri));
  }
  void Attribute(Core::StringView name, Core::StringView value) override {
    Add("@" + Core::ToUtf8(name) + "=" + Core::ToUtf8(value));
  }
  void Characters(const char16_t* units, int32_t count, bool disableEscaping) override {
    Add(std::string(disableEscaping ? "^" : "") + "(" + Core::ToUtf8(Core::StringView(units, count)) + ")");
  }
  void Comment(Core::StringView text) override { Add("!--" + Core::ToUtf8(text)); }
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override {
    Add("?" + Core::ToUtf8(target) + " " + Core::ToUtf8(data));
  }

  std::string log;
  Xslt::COutputOptions* options = nullptr;

private:
  void Add(const std::string& word) {
    if (!log.empty()) log += ' ';
    log += word;
  }
};

// Splits at the first blank: the operation and the rest.
inline void SplitWord(Core::StringView s, Core::StringView& word, Core::StringView& rest) {
  size_t blank = s.find(u' ');
  word = s.substr(0, blank);
  rest = blank == Core::StringView::npos ? Core::StringView() : s.substr(blank + 1);
}

inline void Send(COutputElementStack& stack, Core::StringView script) {
  while (!script.empty()) {
    size_t bar = script.find(u'|');
    Core::StringView event = script.substr(0, bar);
    script = bar == Core::StringView::npos ? Core::StringView() : script.substr(bar + 1);
    if (!event.empty() && event.front() == u' ') event.remove_prefix(1);
    if (!event.empty() && event.back() == u' ') event.remove_suffix(1);
    Core::StringView op, args, first, second;
    SplitWord(event, op, args);
    SplitWord(args, first, second);
    if (op == u"E") stack.StartElement(first, second);
    else if (op == u"/E") stack.EndElement();
    else if (op == u"A") stack.StartAttribute(first, second);
    else if (op == u"/A") stack.EndAttribute();
    else if (op == u"N") stack.StartNamespace(args);
    else if (op == u"/N") stack.EndNamespace();
    else if (op == u"T" || op == u"D")
      stack.Characters(args.data(), static_cast<int32_t>(args.size()), op == u"D");
    else if (op == u"C") stack.StartComment();
    else if (op == u"/C") stack.EndComment();
    else if (op == u"P") stack.ProcessingInstruction(first, second);
    else if (op == u"X") stack.EndOpenNodes(std::stoi(Core::ToUtf8(first)));
    else ADD_FAILURE() << "unknown event: " << Core::ToUtf8(event);
  }
}

// What a run gave: the bytes written, or "!" and the message of the output
// error that stopped it; and the codes reported on the way.
struct CResult {
  std::string output;
  std::string reports;
};

inline Core::XInterface<XsltPrivate::CPrivateOutputOptions> XmlOptions() {
  auto options = Core::Make<XsltPrivate::CPrivateOutputOptions>();
  options->SetOmitXmlDeclaration(true);
  return options;
}

// Runs the document through a stack over the run's output handler and
// returns what the serialiser wrote. With replay set, the script is first
// recorded as a fragment and the fragment replayed into the stack.
inline CResult Write(Core::StringView script, bool replay = false,
                     XsltPrivate::CPrivateOutputOptions* options = nullptr) {
  Core::XInterface<XsltPrivate::CPrivateOutputOptions> defaults = XmlOptions();
  auto stream = Core::Make<WriterTest::CMemoryStream>();
  auto handler = Core::Make<Xslt::CBasicOutputHandler>();
  handler->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  handler->SetOutputStream(stream.Get());
  auto stack = Core::Make<COutputElementStack>(handler.Get());
  stack->SetOutputOptions(options ? options : defaults.Get());
  CReports reports;
  COutputElementStack::CReporterScope scope(*stack, &reports);
  try {
    stack->StartDocument();
    if (replay) {
      auto fragment = Core::Make<XsltPrivate::CResultTreeFragmentValue>();
      auto capture = Core::Make<COutputElementStack>(&fragment->GetRecording());
      capture->StartDocument();
      Send(*capture, script);
      capture->EndDocument();
      fragment->GetRecording().Replay(*stack);
    } else {
      Send(*stack, script);
    }
    stack->EndDocument();
  } catch (const XsltPrivate::COutputException& e) {
    return {"!" + Core::ToUtf8(e.GetMessage()), reports.codes};
  }
  return {stream->bytes, reports.codes};
}

// The text a text-only stack over a string handler collects.
inline CResult Text(Core::StringView script, bool replay = false) {
  auto handler = Core::Make<XsltPrivate::CStringOutputHandler>();
  auto stack = Core::Make<COutputElementStack>(handler.Get(), COutputElementStack::EContent::kTextOnly);
  CReports reports;
  COutputElementStack::CReporterScope scope(*stack, &reports);
  stack->StartDocument();
  if (replay) {
    auto fragment = Core::Make<XsltPrivate::CResultTreeFragmentValue>();
    auto capture = Core::Make<COutputElementStack>(&fragment->GetRecording());
    capture->StartDocument();
    Send(*capture, script);
    capture->EndDocument();
    fragment->GetRecording().Replay(*stack);
  } else {
    Send(*stack, script);
  }
  stack->EndDocument();
  return {Core::ToUtf8(handler->GetText()), reports.codes};
}

// A fragment recorded from a script.
inline Core::XInterface<XsltPrivate::CResultTreeFragmentValue> Fragment(Core::StringView script) {
  auto fragment = Core::Make<XsltPrivate::CResultTreeFragmentValue>();
  auto capture = Core::Make<COutputElementStack>(&fragment->GetRecording());
  capture->StartDocument();
  Send(*capture, script);
  capture->EndDocument();
  return fragment;
}

} // namespace OutputTest
