#include <gtest/gtest.h>

#include <cmath>

#include "tests/xslt/processor/OutputTestSupport.h"
#include "xslt/processor/output/EventRecording.h"

namespace {

using namespace OutputTest;
using XsltPrivate::CEventRecording;

Core::String Pattern(size_t n) {
  Core::String s(n, u'a');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char16_t>(u'a' + i % 26);
  return s;
}

// Strings of every length around the block size, shifted so that their
// length units and text fall across block boundaries at every offset, are
// read back whole by replay and by the string value.
TEST(EventRecording, StringsAcrossBlocks) {
  const size_t lengths[] = {0, 1, 2, 4090, 4093, 4094, 4095, 4096, 4097, 8191, 8192, 8193, 12289, 70000};
  for (size_t shift = 0; shift < 6; ++shift) {
    for (size_t n : lengths) {
      Core::String name(shift + 1, u'e');
      Core::String text = Pattern(n);
      auto fragment = Core::Make<XsltPrivate::CResultTreeFragmentValue>();
      CEventRecording& r = fragment->GetRecording();
      r.Begin();
      r.StartElement(name, u"");
      r.StartAttribute(text, text);
      r.EndAttribute();
      r.Characters(text.data(), static_cast<int32_t>(text.size()), false);
      r.EndElement();
      r.End();

      // Opcode 1; element: opcode, name, empty URI; attribute: opcode, two
      // strings, end; characters: opcode, flag, text; end element; opcode 2.
      int64_t units = 1 + (1 + 2 + name.size() + 2) + (1 + 4 + 2 * n + 1) + (1 + 2 + 2 + n) + 1 + 1;
      EXPECT_EQ(r.GetUnitCount(), units);
      EXPECT_EQ(r.GetChunkCount(), static_cast<size_t>((units + 4095) / 4096));
      ASSERT_EQ(r.GetStringValue(), text) << shift << " " << n;

      auto log = Core::Make<CEventLog>();
      auto stack = Core::Make<COutputElementStack>(log.Get());
      stack->StartDocument();
      r.Replay(*stack);
      stack->EndDocument();
      std::string t = Core::ToUtf8(text);
      std::string attribute = n == 0 ? "" : " xmlns:__1__=" + t + " @__1__:" + t + "=";
      if (n == 0) attribute = " @=";
      EXPECT_EQ(log->log, "[ <" + Core::ToUtf8(name) + attribute + " (" + t + ") / ]") << shift << " " << n;
    }
  }
}

TEST(EventRecording, StringValueAndNumber) {
  struct {
    const char* script;
    const char* text;
    double number; // NaN: not a number
  } cases[] = {
      {"", "", NAN},
      {"T 12 | E a | T 3 | /E", "123", 123},
      {"T  -4.5  | E a | /E", " -4.5 ", -4.5},
      // Only content text: no attribute values, namespace URIs, comments or
      // processing-instruction data.
      {"E a | A x | T no | /A | N p | T urn:no | /N | T yes | C | T no | /C | P t no | E b | T ! | /E | /E", "yes!",
       NAN},
      // Nodes inside a comment stay out of the text as well.
      {"C | A x | T 1 | /A | T 2 | /C | T 3", "3", 3},
  };
  for (const auto& c : cases) {
    auto fragment = Fragment(U(c.script));
    EXPECT_EQ(Core::ToUtf8(fragment->GetRecording().GetStringValue()), c.text) << c.script;
    Xpath::CNumber n = fragment->GetRecording().GetNumber();
    if (std::isnan(c.number))
      EXPECT_TRUE(n.IsNaN()) << c.script;
    else
      EXPECT_EQ(n.GetValue(), c.number) << c.script;
  }
}

// Replay sends every event but the document's start and end, in order and
// unprocessed by the recording; a fragment replayed into another fragment's
// capture records the same events.
TEST(EventRecording, ReplayKeepsEventsAndFlags) {
  const char16_t* script = u"T a | D <b> | E x:e urn:x | N x | T urn:x | /N | A y | T 1 | /A | C | T c | /C | P t d | /E";
  const std::string expected = "[ (a) ^(<b>) <x:e xmlns:x=urn:x @y=1 !--c ?t d / ]";
  auto first = Fragment(script);
  auto second = Core::Make<XsltPrivate::CResultTreeFragmentValue>();
  {
    auto capture = Core::Make<COutputElementStack>(&second->GetRecording());
    capture->StartDocument();
    first->GetRecording().Replay(*capture);
    capture->EndDocument();
  }
  for (auto* fragment : {first.Get(), second.Get()}) {
    auto log = Core::Make<CEventLog>();
    auto stack = Core::Make<COutputElementStack>(log.Get());
    stack->StartDocument();
    fragment->GetRecording().Replay(*stack);
    fragment->GetRecording().Replay(*stack);
    stack->EndDocument();
    EXPECT_EQ(log->log, expected.substr(0, expected.size() - 2) + expected.substr(1));
  }
  EXPECT_EQ(first->GetRecording().GetUnitCount(), second->GetRecording().GetUnitCount());
}

// The content of an element that could not be made: the attributes and
// namespace nodes before the first other event are left out, with their
// text; later ones are replayed (and refused by the stack where they land).
TEST(EventRecording, ReplayContentDropsLeadingAttributes) {
  struct {
    const char16_t* script;
    const char* expected;
  } cases[] = {
      {u"A a | T 1 | /A | N p | T urn:p | /N | T x | E e | /E", "[ <out (x) <e / / ]"},
      {u"A a | /A | E e | A b | T 2 | /A | /E", "[ <out <e @b=2 / / ]"},
      {u"T x | A a | T 1 | /A", "[ <out (x) refused / ]"},
      {u"C | T c | /C | A a | T 1 | /A", "[ <out !--c refused / ]"},
      {u"A a | T 1 | /A", "[ <out / ]"},
  };
  for (const auto& c : cases) {
    auto fragment = Fragment(c.script);
    auto log = Core::Make<CEventLog>();
    auto stack = Core::Make<COutputElementStack>(log.Get());
    stack->StartDocument();
    stack->StartElement(u"out", u"");
    try {
      fragment->GetRecording().ReplayContent(*stack);
    } catch (const XsltPrivate::COutputException&) {
      log->log += " refused";
    }
    stack->EndElement();
    stack->EndDocument();
    EXPECT_EQ(log->log, c.expected) << Core::ToUtf8(c.script);
  }
}

TEST(EventRecording, BeginStartsAfresh) {
  CEventRecording r;
  r.Begin();
  r.Characters(u"old", 3, false);
  r.End();
  r.Begin();
  r.Characters(u"new", 3, false);
  r.End();
  EXPECT_EQ(r.GetStringValue(), u"new");
  EXPECT_EQ(r.GetChunkCount(), 1u);
}

TEST(EventRecording, NeverBegunReadsEmpty) {
  CEventRecording r;
  EXPECT_EQ(r.GetStringValue(), u"");
  auto log = Core::Make<CEventLog>();
  auto stack = Core::Make<COutputElementStack>(log.Get());
  r.Replay(*stack);
  EXPECT_EQ(log->log, "");
}

// Appending never copies what was recorded: a fragment of many small events
// holds one block per 4096 units and builds in time proportional to its size.
TEST(EventRecording, LargeFragmentBuildsByBlocks) {
  auto fragment = Core::Make<XsltPrivate::CResultTreeFragmentValue>();
  auto capture = Core::Make<COutputElementStack>(&fragment->GetRecording());
  capture->StartDocument();
  const int kElements = 200000;
  for (int i = 0; i < kElements; ++i) {
    capture->StartElement(u"e", u"");
    capture->Characters(u"x", 1, false);
    capture->EndElement();
  }
  capture->EndDocument();
  const CEventRecording& r = fragment->GetRecording();
  int64_t units = 2 + static_cast<int64_t>(kElements) * (6 + 6 + 1);
  EXPECT_EQ(r.GetUnitCount(), units);
  EXPECT_EQ(r.GetChunkCount(), static_cast<size_t>((units + 4095) / 4096));
  EXPECT_EQ(r.GetStringValue(), Core::String(kElements, u'x'));
}

} // namespace
