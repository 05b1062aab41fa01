#include <gtest/gtest.h>

#include "tests/xslt/processor/OutputTestSupport.h"

namespace {

using namespace OutputTest;

struct Case {
  const char* script;
  const char* output;       // the bytes written, or "!" and the message of the output error
  const char* reports = ""; // recoverable errors reported, in order
};

// Every case runs twice: sent to the stack directly, and recorded as a
// fragment that is then replayed into the stack. Both must write the same.
void RunTable(const std::vector<Case>& cases, XsltPrivate::CPrivateOutputOptions* options = nullptr) {
  for (const Case& c : cases) {
    for (bool replay : {false, true}) {
      CResult r = Write(U(c.script), replay, options);
      EXPECT_EQ(r.output, c.output) << c.script << (replay ? " (replayed)" : "");
      EXPECT_EQ(r.reports, c.reports) << c.script << (replay ? " (replayed)" : "");
    }
  }
}

TEST(OutputElementStack, PrefixChoiceAndGeneratedPrefixes) {
  RunTable({
      {"E a | /E", "<a/>"},
      {"E p:a urn:p | N p | T urn:p | /N | /E", "<p:a xmlns:p=\"urn:p\"/>"},
      {"E a urn:d | N | T urn:d | /N | /E", "<a xmlns=\"urn:d\"/>"},
      // A binding in scope for the URI wins over the caller's prefix.
      {"E a | N p | T urn:p | /N | E q:b urn:p | /E | /E", "<a xmlns:p=\"urn:p\"><p:b/></a>"},
      // No binding: the caller's prefix is declared when nothing binds it yet.
      {"E p:a urn:p | /E", "<p:a xmlns:p=\"urn:p\"/>"},
      {"E a | A q:x urn:q | T 1 | /A | A r:y urn:r | T 2 | /A | /E",
       "<a xmlns:q=\"urn:q\" xmlns:r=\"urn:r\" q:x=\"1\" r:y=\"2\"/>"},
      // Else a prefix is generated and declared, numbered per element: the
      // caller's prefix is bound, here or above, or may not be declared.
      {"E q:a urn:1 | A q:x urn:2 | T 1 | /A | E q:b urn:3 | /E | /E",
       "<__1__:a xmlns:q=\"urn:2\" xmlns:__1__=\"urn:1\" q:x=\"1\"><__2__:b xmlns:__2__=\"urn:3\"/></__1__:a>"},
      {"E a | A xmlns:x urn:q | T 1 | /A | A xml:y urn:r | T 2 | /A | /E",
       "<a xmlns:__1__=\"urn:q\" xmlns:__2__=\"urn:r\" __1__:x=\"1\" __2__:y=\"2\"/>"},
      // A child continues from its parent's next number; siblings start from the same one.
      {"E a | A x urn:q | T 1 | /A | E b | A y urn:r | T 2 | /A | /E | E c | A z urn:s | T 3 | /A | /E | /E",
       "<a xmlns:__1__=\"urn:q\" __1__:x=\"1\"><b xmlns:__2__=\"urn:r\" __2__:y=\"2\"/>"
       "<c xmlns:__2__=\"urn:s\" __2__:z=\"3\"/></a>"},
      // A generated prefix in scope is used again for its URI.
      {"E a | A x urn:q | T 1 | /A | E b urn:q | A y urn:q | T 2 | /A | /E | /E",
       "<a xmlns:__1__=\"urn:q\" __1__:x=\"1\"><__1__:b __1__:y=\"2\"/></a>"},
      // A generated prefix skips a number that the result already binds.
      {"E a | N __1__ | T urn:u | /N | A x urn:q | T 1 | /A | /E",
       "<a xmlns:__1__=\"urn:u\" xmlns:__2__=\"urn:q\" __2__:x=\"1\"/>"},
      // Bound both as the default and to a prefix: the element takes the binding
      // made first in the table; an attribute never takes the default namespace.
      {"E a urn:d | N | T urn:d | /N | N p | T urn:d | /N | A x urn:d | T 1 | /A | /E",
       "<a xmlns=\"urn:d\" xmlns:p=\"urn:d\" xmlns:__1__=\"urn:d\" __1__:x=\"1\"/>"},
      // A namespace node that binds the prefix to the URI in scope declares nothing.
      {"E a | N p | T urn:p | /N | E b | N p | T urn:p | /N | /E | /E", "<a xmlns:p=\"urn:p\"><b/></a>"},
      // A prefix rebound on a child: the child's own name moves to a generated prefix.
      {"E a | N p | T urn:1 | /N | E p:b urn:1 | N p | T urn:2 | /N | /E | /E",
       "<a xmlns:p=\"urn:1\"><__1__:b xmlns:p=\"urn:2\" xmlns:__1__=\"urn:1\"/></a>"},
      {"E a | A xml:lang http://www.w3.org/XML/1998/namespace | T en | /A | /E", "<a xml:lang=\"en\"/>"},
      // An element in no namespace under a default namespace undeclares it.
      {"E a urn:d | N | T urn:d | /N | E b | /E | E c urn:d | /E | /E",
       "<a xmlns=\"urn:d\"><b xmlns=\"\"/><c/></a>"},
      // Below it, an element in the default namespace is named as any element
      // whose URI no binding in scope has; its namespace node would restore the default.
      {"E a urn:d | N | T urn:d | /N | E b | E c urn:d | /E | /E | /E",
       "<a xmlns=\"urn:d\"><b xmlns=\"\"><__1__:c xmlns:__1__=\"urn:d\"/></b></a>"},
      {"E a urn:d | N | T urn:d | /N | E b | E c urn:d | N | T urn:d | /N | /E | /E | /E",
       "<a xmlns=\"urn:d\"><b xmlns=\"\"><c xmlns=\"urn:d\"/></b></a>"},
      // A namespace node that would move an element in no namespace into the
      // default namespace is overridden.
      {"E a | N | T urn:d | /N | /E", "<a xmlns=\"\"/>"},
      // A namespace node after the start tag was sent is ignored: nothing below
      // it may rely on a binding the output never declared.
      {"E a | T x | N p | T urn:p | /N | E b urn:p | /E | /E", "<a>x<__1__:b xmlns:__1__=\"urn:p\"/></a>"},
      {"N p | T urn:p | /N | E b urn:p | /E", "<__1__:b xmlns:__1__=\"urn:p\"/>"},
      // A namespace node that would rebind the prefix of an attribute already
      // given is ignored; one for a prefix no attribute uses is not.
      {"E a | N p | T urn:1 | /N | E b | A p:x urn:1 | T 1 | /A | N p | T urn:2 | /N | /E | /E",
       "<a xmlns:p=\"urn:1\"><b p:x=\"1\"/></a>"},
      {"E a | A x urn:1 | T 1 | /A | N __1__ | T urn:2 | /N | N q | T urn:2 | /N | /E",
       "<a xmlns:__1__=\"urn:1\" xmlns:q=\"urn:2\" __1__:x=\"1\"/>"},
      {"E a | N p | T urn:1 | /N | E b | A x | T 1 | /A | N p | T urn:2 | /N | /E | /E",
       "<a xmlns:p=\"urn:1\"><b xmlns:p=\"urn:2\" x=\"1\"/></a>"},
      // Bindings no start tag may carry are ignored.
      {"E a | N p | /N | N xmlns | T urn:x | /N | N xml | T urn:x | /N | N q | T http://www.w3.org/XML/1998/namespace | /N | /E",
       "<a/>"},
  });
}

TEST(OutputElementStack, Attributes) {
  RunTable({
      // The last value wins, in the first one's place.
      {"E a | A x | T 1 | /A | A y | T 2 | /A | A x | T 3 | /A | /E", "<a x=\"3\" y=\"2\"/>"},
      {"E a | A p:x urn:q | T 1 | /A | A r:x urn:q | T 2 | /A | /E", "<a xmlns:p=\"urn:q\" p:x=\"2\"/>"},
      // The same expanded name again after a binding that would name it
      // otherwise: the default namespace, or a prefix rebound to its URI.
      {"E a urn:d | N | T urn:d | /N | A x urn:d | T 1 | /A | A x urn:d | T 2 | /A | /E",
       "<a xmlns=\"urn:d\" xmlns:__1__=\"urn:d\" __1__:x=\"2\"/>"},
      {"E a | N q | T urn:2 | /N | E b | A x urn:1 | T 1 | /A | N q | T urn:1 | /N | A x urn:1 | T 2 | /A | /E | /E",
       "<a xmlns:q=\"urn:2\"><b xmlns:q=\"urn:1\" xmlns:__1__=\"urn:1\" __1__:x=\"2\"/></a>"},
      {"E a | A x | /A | /E", "<a x=\"\"/>"},
      {"E a | A x | T 1 | T 2 | /A | T t | /E", "<a x=\"12\">t</a>"},
      // Namespace declarations come before the attributes, whatever the order of the events.
      {"E a | A x | T 1 | /A | N p | T urn:p | /N | /E", "<a xmlns:p=\"urn:p\" x=\"1\"/>"},
      // After content, or outside any element: the output error that stops the run.
      {"E a | T x | A y | T 1 | /A | /E", "!Misplaced attribute: 'y', ''"},
      {"E a | E b | /E | A p:y urn:q | T 1 | /A | /E", "!Misplaced attribute: 'p:y', 'urn:q'"},
      {"E a | C | /C | A y | /A | /E", "!Misplaced attribute: 'y', ''"},
      {"A y urn:q | T 1 | /A", "!Misplaced attribute: 'y', 'urn:q'"},
  });
}

TEST(OutputElementStack, CommentsAndProcessingInstructions) {
  RunTable({
      {"E a | C | T hi | T ! | /C | P t d | P u | /E", "<a><!--hi!--><?t d?><?u?></a>"},
      {"C | T top | /C | E a | /E", "<!--top--><a/>"},
      // A pending start tag is sent before a comment or processing instruction.
      {"E a | A x | T 1 | /A | P t d | /E", "<a x=\"1\"><?t d?></a>"},
  });
}

// Nodes that arrive while text is collected are refused with a recoverable
// error, once for the outermost; an element's text is kept, the text of the
// other nodes is dropped, and the collected text survives.
TEST(OutputElementStack, NodesInsideCollectedText) {
  RunTable({
      {"E a | A x | T 1 | C | T c | /C | T 2 | /A | /E", "<a x=\"12\"/>", "37"},
      {"E a | A x | T 1 | E b | T 2 | A y | T no | /A | /E | T 3 | /A | /E", "<a x=\"123\"/>", "38"},
      {"E a | A x | T 1 | P t d | T 2 | /A | /E", "<a x=\"12\"/>", "39"},
      {"E a | A x | T 1 | A y | T 2 | /A | T 3 | /A | /E", "<a x=\"13\"/>", "36"},
      {"E a | A x | T 1 | N p | T urn:p | /N | T 2 | /A | /E", "<a x=\"12\"/>", "40"},
      {"E a | C | T 1 | P t d | T 2 | /C | /E", "<a><!--12--></a>", "39"},
      {"E a | C | E b | T x | E c | T y | /E | /E | /C | /E", "<a><!--xy--></a>", "38"},
      {"E a | C | T 1 | C | T 2 | /C | T 3 | /C | /E", "<a><!--13--></a>", "37"},
      {"E a | A x | E b | T 1 | C | T c | /C | P t | /E | /A | /E", "<a x=\"1\"/>", "38"},
      // Each refused node outside another refused node is reported.
      {"E a | A x | E b | /E | C | /C | /A | /E", "<a x=\"\"/>", "38,37"},
      // The element refused inside the attribute leaves the tag open for more attributes.
      {"E a | A x | E b | /E | /A | A y | T 2 | /A | T t | /E", "<a x=\"\" y=\"2\">t</a>", "38"},
  });
}

// After a failure the nodes still open end innermost first, down to the
// count taken before, with what they had; refused nodes count too.
TEST(OutputElementStack, EndingOpenNodes) {
  RunTable({
      {"E a | E b | A x | T 1 | X 1 | T t | /E", "<a><b x=\"1\"/>t</a>"},
      {"E a | E b | T t | C | T c | X 0", "<a><b>t<!--c--></b></a>"},
      {"E a | C | T c | E r | T d | X 1 | /E", "<a><!--cd--></a>", "38"},
      {"E a | A x | E b | T t | X 1 | A y | /A | /E", "<a x=\"t\" y=\"\"/>", "38"},
      {"E a | N p | T urn:p | X 1 | E p:b urn:p | /E | /E", "<a xmlns:p=\"urn:p\"><p:b/></a>"},
      {"E a | X 2 | /E", "<a/>"},
  });
}

TEST(OutputElementStack, TextOnlyStackKeepsCharacterData) {
  struct TextCase {
    const char* script;
    const char* text;
    const char* reports;
  } cases[] = {
      {"T a | E b | T c | /E | T d", "acd", "38"},
      {"T a | C | T x | /C | P t d | T e", "ae", "37,39"},
      {"A x | T 1 | /A | N p | T urn:p | /N | T z", "z", "36,40"},
      {"E b | A x | T 1 | /A | E c | T 2 | /E | /E", "2", "38"},
  };
  for (const auto& c : cases) {
    for (bool replay : {false, true}) {
      CResult r = Text(U(c.script), replay);
      EXPECT_EQ(r.output, c.text) << c.script;
      EXPECT_EQ(r.reports, c.reports) << c.script;
    }
  }
}

TEST(OutputElementStack, CdataSectionElements) {
  auto options = XmlOptions();
  options->AddCdataSectionElement(u"", u"code");
  options->AddCdataSectionElement(u"urn:p", u"code");
  RunTable(
      {
          {"E code | T a<b | /E", "<code><![CDATA[a<b]]></code>"},
          {"E p:code urn:p | N p | T urn:p | /N | T x | /E", "<p:code xmlns:p=\"urn:p\"><![CDATA[x]]></p:code>"},
          {"E code urn:q | N | T urn:q | /N | T a<b | /E", "<code xmlns=\"urn:q\">a&lt;b</code>"},
          // Only the element's own text: a child that is not listed is escaped.
          {"E code | E b | T a<b | /E | /E", "<code><b>a&lt;b</b></code>"},
      },
      options.Get());
}

TEST(OutputElementStack, PreserveSpace) {
  auto options = XmlOptions();
  options->SetIndent(true);
  RunTable(
      {
          {"E a | E b | /E | /E", "<a>\r\n  <b/>\r\n</a>"},
          {"E a | A xml:space http://www.w3.org/XML/1998/namespace | T preserve | /A | E b | E c | /E | /E | /E",
           "<a xml:space=\"preserve\"><b><c/></b></a>"},
          // An inner xml:space with another value ends it.
          {"E a | A xml:space http://www.w3.org/XML/1998/namespace | T preserve | /A | E b | "
           "A xml:space http://www.w3.org/XML/1998/namespace | T default | /A | E c | /E | /E | /E",
           "<a xml:space=\"preserve\"><b xml:space=\"default\">\r\n    <c/>\r\n  </b></a>"},
          // The text element of the XSLT namespace preserves space for itself only.
          {"E t | N x | T http://www.w3.org/1999/XSL/Transform | /N | E x:text http://www.w3.org/1999/XSL/Transform | "
           "E b | E c | /E | /E | /E | /E",
           "<t xmlns:x=\"http://www.w3.org/1999/XSL/Transform\">\r\n  <x:text><b>\r\n      <c/>\r\n    </b></x:text>\r\n</t>"},
      },
      options.Get());
}

TEST(OutputElementStack, Characters) {
  RunTable({
      {"E a | T x<y | D <b>&amp; | /E", "<a>x&lt;y&lt;b&gt;&amp;amp;</a>"},
      {"T top | E a | T | /E", "top<a></a>"},
  });
}

TEST(OutputElementStack, StackWithoutHandlerOrReporter) {
  auto stack = Core::Make<COutputElementStack>(static_cast<Xslt::COutputHandler*>(nullptr));
  stack->StartDocument();
  Send(*stack, u"E a | A x | E b | /E | /A | C | T c | /C | N p | T urn:p | /N | E p:b urn:p | /E | /E");
  stack->EndDocument();
  EXPECT_THROW(Send(*stack, u"A x | /A"), XsltPrivate::COutputException);
}

TEST(OutputElementStack, OptionsReachTheHandler) {
  auto options = XmlOptions();
  options->SetMethod(Xslt::COutputOptions::kText);
  CResult r = Write(u"E a | T x<y | /E", false, options.Get());
  EXPECT_EQ(r.output, "x<y");
}

TEST(OutputElementStack, ReporterScopeRestoresThePreviousReporter) {
  auto handler = Core::Make<XsltPrivate::CStringOutputHandler>();
  auto stack = Core::Make<COutputElementStack>(handler.Get(), COutputElementStack::EContent::kTextOnly);
  CReports outer, inner;
  stack->SetErrorReporter(&outer);
  stack->StartDocument();
  {
    COutputElementStack::CReporterScope scope(*stack, &inner);
    Send(*stack, u"C | /C");
  }
  Send(*stack, u"P t");
  stack->SetErrorReporter(nullptr);
  EXPECT_EQ(inner.codes, "37");
  EXPECT_EQ(outer.codes, "39");
}

TEST(OutputException, Messages) {
  using XsltPrivate::COutputException;
  struct {
    COutputException e;
    const char16_t* message;
  } cases[] = {
      {COutputException(0, u"p:x", u"urn:p"), u"Misplaced attribute: 'p:x', 'urn:p'"},
      {COutputException(0), u"Misplaced attribute: '', ''"},
      {COutputException(1), u"Misplaced comment"},
      {COutputException(2, u"pi"), u"Misplaced processing instruction: 'pi'"},
      {COutputException(3), u"Default namespace not allowed"},
      {COutputException(4), u"Unclassified output exception"},
      {COutputException(-1), u"Unclassified output exception"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.e.GetMessage(), c.message) << c.e.GetCode();
  // Caught as a writer error, the family it belongs to.
  try {
    throw COutputException(2, u"t");
  } catch (const XmlWriter::CWriterException& e) {
    EXPECT_EQ(e.GetCode(), 2);
  }
}

} // namespace

namespace {

// Counts the bytes written and keeps none of them.
class CCountingStream : public Core::IStream {
public:
  int32_t Read(uint8_t*, int32_t) override { return 0; }
  int32_t Write(const uint8_t*, int32_t count) override {
    bytes += count;
    return count;
  }
  int32_t Seek(int32_t, int32_t) override { return 0; }
  int32_t Tell() override { return 0; }
  int64_t bytes = 0;
};

// A million elements, each with a namespace node, an attribute and text,
// under a few levels of nesting: the stack reuses its frames and tables, so
// the run holds nothing per element.
TEST(OutputElementStack, MillionElements) {
  auto stream = Core::Make<CCountingStream>();
  auto handler = Core::Make<Xslt::CBasicOutputHandler>();
  handler->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  handler->SetOutputStream(stream.Get());
  auto stack = Core::Make<COutputElementStack>(handler.Get());
  stack->SetOutputOptions(OutputTest::XmlOptions().Get());
  stack->StartDocument();
  stack->StartElement(u"root", u"");
  const int kGroups = 1000, kItems = 1000;
  for (int g = 0; g < kGroups; ++g) {
    stack->StartElement(u"p:group", u"urn:p");
    stack->StartNamespace(u"p");
    stack->Characters(u"urn:p", 5, false);
    stack->EndNamespace();
    for (int i = 0; i < kItems - 1; ++i) {
      stack->StartElement(u"p:item", u"urn:p");
      stack->StartNamespace(u"p");
      stack->Characters(u"urn:p", 5, false);
      stack->EndNamespace();
      stack->StartAttribute(u"n", u"");
      stack->Characters(u"1", 1, false);
      stack->EndAttribute();
      stack->Characters(u"text", 4, false);
      stack->EndElement();
    }
    stack->EndElement();
  }
  stack->EndElement();
  stack->EndDocument();
  // <root>, then per group <p:group xmlns:p="urn:p"> and </p:group>, and
  // per item <p:item n="1">text</p:item>.
  const int64_t group = 25 + 10, item = 14 + 4 + 9;
  EXPECT_EQ(stream->bytes, 6 + kGroups * (group + (kItems - 1) * item) + 7);
}

} // namespace
