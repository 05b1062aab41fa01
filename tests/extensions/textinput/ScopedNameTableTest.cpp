// The scoped name tables of formats and sources: visibility, shadowing,
// duplicates and the end of scopes.
#include <gtest/gtest.h>

#include <string>

#include "extensions/textinput/ScopedNameTable.h"
#include "extensions/textinput/TextFormat.h"
#include "extensions/textinput/TextInputException.h"
#include "extensions/textinput/TextSource.h"
#include "tests/extensions/textinput/TextFileFixture.h"

namespace {

using XsltTextInput::CScopedNameTable;
using XsltTextInput::CTextFormat;
using XsltTextInput::CTextSource;
using XsltTextInput::CXsltTextInputException;

Core::XInterface<CTextFormat> Format(Core::StringView name) { return new CTextFormat(Core::String(name), u',', false); }

TEST(ScopedNameTable, ShadowingAndScopeEnds) {
  CScopedNameTable<CTextFormat> table(CXsltTextInputException::DuplicateFormatName);
  table.BeginScope();  // a content list
  table.BeginScope();  // its first instruction
  auto outer = Format(u"f");
  table.Add(outer.Get());
  table.EndScope();
  EXPECT_EQ(table.Find(u"f"), outer.Get());  // seen by the following siblings

  table.BeginScope();  // a later sibling instruction with a content list of its own
  table.BeginScope();
  table.BeginScope();
  auto inner = Format(u"f");
  table.Add(inner.Get());
  table.EndScope();
  EXPECT_EQ(table.Find(u"f"), inner.Get());
  table.EndScope();
  EXPECT_EQ(table.Find(u"f"), outer.Get());
  table.EndScope();
  EXPECT_EQ(table.Find(u"f"), outer.Get());

  table.EndScope();  // the content list ends
  EXPECT_EQ(table.Find(u"f"), nullptr);
  EXPECT_EQ(table.GetEntryCount(), 0);
  EXPECT_EQ(table.GetLevel(), 0);
  EXPECT_EQ(outer->GetUseCount(), 1);  // released by the table
}

TEST(ScopedNameTable, DuplicateInOneContentList) {
  CScopedNameTable<CTextFormat> table(CXsltTextInputException::DuplicateFormatName);
  table.BeginScope();
  table.BeginScope();
  table.Add(Format(u"f").Get());
  table.EndScope();
  table.BeginScope();
  try {
    table.Add(Format(u"f").Get());
    ADD_FAILURE() << "no duplicate error";
  } catch (const CXsltTextInputException& e) {
    EXPECT_EQ(e.GetMessage(), u"Duplicate format name: 'f'");
  }
  table.Add(Format(u"F").Get());  // names are case-sensitive
  table.EndScope();
  table.EndScope();
  EXPECT_EQ(table.Find(u"F"), nullptr);
}

TEST(ScopedNameTable, DroppedSourcesAreClosed) {
  TextInputTest::CTextFiles files;
  Core::XInterface<CTextFormat> format = Format(u"f");
  format->AddField(u"a", -1);
  CScopedNameTable<CTextSource> table(CXsltTextInputException::DuplicateSourceId);
  table.BeginScope();
  table.BeginScope();
  Core::XInterface<CTextSource> source(new CTextSource(u"s", files.Write("x\ny\n"), nullptr, format.Get()));
  table.Add(source.Get());
  source->Open();
  EXPECT_TRUE(source->ReadRecord());
  table.EndScope();
  EXPECT_EQ(source->GetFieldCount(), 1);
  table.EndScope();
  EXPECT_EQ(table.Find(u"s"), nullptr);
  EXPECT_EQ(source->GetFieldCount(), 0);
  EXPECT_FALSE(source->ReadRecord());  // the file is closed
}

// Formats defined in a loop: each iteration files a name and drops it again.
// Dropped names must leave the index as they found it, or every later
// lookup pays for all the names ever filed (hours at this size).
TEST(ScopedNameTable, DefinitionsInALoopStayCheap) {
  CScopedNameTable<CTextFormat> table(CXsltTextInputException::DuplicateFormatName);
  table.BeginScope();
  auto kept = Format(u"kept");
  table.Add(kept.Get());
  for (int i = 0; i < 200000; ++i) {
    table.BeginScope();
    table.BeginScope();
    table.Add(Format(u"f" + Core::FromUtf8(std::to_string(i))).Get());
    table.Add(Format(u"same").Get());
    table.EndScope();
    ASSERT_NE(table.Find(u"same"), nullptr);
    table.EndScope();
  }
  EXPECT_EQ(table.GetEntryCount(), 1);
  EXPECT_EQ(table.Find(u"kept"), kept.Get());
  EXPECT_EQ(table.Find(u"f0"), nullptr);
  table.EndScope();
}

} // namespace
