#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/String.h"
#include "extensions/reports/CounterTable.h"
#include "extensions/reports/ReportsException.h"

namespace {

using XsltReportsPrivate::CCounterTable;
using XsltReportsPrivate::CCounterTableException;

// One step of a script run against a fresh table: "(" begins a scope, ")"
// ends one, "=" defines, "+" increments, "?" reads. expected is the value
// read, or the message a step fails with.
struct CStep {
  const char* op;
  const char16_t* name = u"";
  double number = 0;
  const char* expected = "";
};

struct CScript {
  const char* title;
  std::vector<CStep> steps;
};

std::string RunStep(CCounterTable& table, const CStep& step) {
  try {
    std::string op = step.op;
    if (op == "(") table.BeginScope();
    if (op == ")") table.EndScope();
    if (op == "=") table.Define(step.name, step.number);
    if (op == "+") table.Increment(step.name, step.number);
    if (op == "?") return Core::ToUtf8(table.GetValue(step.name).ToString());
  } catch (const CCounterTableException& error) {
    return Core::ToUtf8(error.GetMessage());
  }
  return "";
}

// Definitions are filed one level below the current one: "( ( = a" puts a
// in the outer scope, which the first ")" does not end.
const CScript kScripts[] = {
    {"define, increment, read",
     {{"("}, {"("}, {"=", u"a", 0}, {")"}, {"("}, {"+", u"a", 1}, {"+", u"a", 1.5}, {"?", u"a", 0, "2.5"}, {")"}}},
    {"a counter outlives its own scope and goes with the enclosing one",
     {{"("}, {"("}, {"=", u"a", 7}, {")"}, {"?", u"a", 0, "7"}, {")"}, {"?", u"a", 0, "Undefined counter name: a"}}},
    {"a deeper definition shadows; the outer value comes back unchanged",
     {{"("},
      {"("},
      {"=", u"a", 1},
      {")"},
      {"("},
      {"("},
      {"=", u"a", 10},
      {"+", u"a", 5},
      {"?", u"a", 0, "15"},
      {")"},
      {")"},
      {"?", u"a", 0, "1"}}},
    {"a duplicate in one content list fails and keeps the first",
     {{"("}, {"("}, {"=", u"a", 1}, {")"}, {"("}, {"=", u"a", 2, "Duplicate counter name: a"}, {"?", u"a", 0, "1"}}},
    {"the same name again in a later sibling list or loop pass",
     {{"("}, {"("}, {"("}, {"=", u"a", 1}, {")"}, {")"}, {"("}, {"("}, {"=", u"a", 2}, {"?", u"a", 0, "2"}, {")"}}},
    {"undefined names, names differing in case",
     {{"("},
      {"("},
      {"=", u"Total", 3},
      {"?", u"total", 0, "Undefined counter name: total"},
      {"+", u"x", 1, "Undefined counter name: x"},
      {"?", u"Total", 0, "3"}}},
    {"NaN and infinities propagate",
     {{"("}, {"("}, {"=", u"n", NAN}, {"+", u"n", 1}, {"?", u"n", 0, "NaN"}, {"=", u"i", INFINITY},
      {"+", u"i", -1}, {"?", u"i", 0, "Infinity"}}},
    {"the empty name is a name",
     {{"("}, {"("}, {"=", u"", 4}, {"?", u"", 0, "4"}, {"=", u"", 4, "Duplicate counter name: "}}},
};

TEST(CounterTable, Scripts) {
  for (const CScript& script : kScripts) {
    CCounterTable table;
    for (size_t i = 0; i < script.steps.size(); ++i)
      EXPECT_EQ(RunStep(table, script.steps[i]), script.steps[i].expected) << script.title << ", step " << i;
  }
}

// Shadowing several deep and unwinding restores each level in turn; the
// entries of the dropped scopes are gone.
TEST(CounterTable, ShadowsUnwindLevelByLevel) {
  CCounterTable table;
  table.BeginScope();
  for (int level = 1; level <= 50; ++level) {
    table.BeginScope();
    table.Define(u"depth", level);
    table.Define(Core::FromUtf8("only" + std::to_string(level)), level);
  }
  EXPECT_EQ(table.GetEntryCount(), 100);
  table.EndScope();
  for (int level = 50; level >= 1; --level) {
    EXPECT_EQ(table.GetValue(u"depth").GetValue(), level);
    table.EndScope();
  }
  EXPECT_EQ(table.GetScopeLevel(), 0);
  EXPECT_EQ(table.GetEntryCount(), 0);
  EXPECT_THROW(table.GetValue(u"depth"), CCounterTableException);
}

// Many distinct names, each defined and dropped in turn (as in a loop over
// data), and many names alive at once: both stay linear, and a name dropped
// long ago is still found again when it is defined anew. At this size a
// table that scanned its buckets would run for hours, past the suite's limit.
TEST(CounterTable, ManyNamesStayFast) {
  CCounterTable table;
  table.BeginScope();
  for (int i = 0; i < 200000; ++i) {
    table.BeginScope();
    table.BeginScope();
    Core::String name = Core::FromUtf8("c" + std::to_string(i));
    table.Define(name, i);
    table.Increment(name, 1);
    ASSERT_EQ(table.GetValue(name).GetValue(), i + 1);
    table.EndScope();
    table.EndScope();
  }
  table.BeginScope();
  table.BeginScope();
  for (int i = 0; i < 200000; ++i) table.Define(Core::FromUtf8("c" + std::to_string(i)), i);
  for (int i = 0; i < 200000; i += 997) EXPECT_EQ(table.GetValue(Core::FromUtf8("c" + std::to_string(i))).GetValue(), i);
  EXPECT_EQ(table.GetEntryCount(), 200000);
  table.EndScope();
  EXPECT_EQ(table.GetEntryCount(), 200000);
  table.EndScope();
  EXPECT_EQ(table.GetEntryCount(), 0);
}

TEST(ReportsExceptions, Messages) {
  struct {
    Core::String message;
    const char* expected;
  } const cases[] = {
      {XsltReports::CXsltReportsException(0, u"initialize", u"increment").GetMessage(),
       "Invalid attribute combination: 'initialize' and 'increment'"},
      {XsltReports::CXsltReportsException(1, u"data-type", u"Number").GetMessage(),
       "Invalid computed attribute value: data-type - 'Number'"},
      {XsltReports::CXsltReportsException(2).GetMessage(), "Invalid selection result type"},
      {XsltReports::CXsltReportsException(3).GetMessage(), "Invalid group attributes"},
      {XsltReports::CXsltReportsException(4, u"counter").GetMessage(), "Invalid number of arguments, function 'counter'"},
      // An absent text fills its place with nothing.
      {XsltReports::CXsltReportsException(1, u"order").GetMessage(), "Invalid computed attribute value: order - ''"},
      {XsltReports::CXsltReportsException(9).GetMessage(), "Unclassified Reports XSLT exception"},
      {CCounterTableException(7, u"x").GetMessage(), "Unclassified counter table exception"},
  };
  for (const auto& c : cases) EXPECT_EQ(Core::ToUtf8(c.message), c.expected);
}

} // namespace
