#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/engine/ScriptExceptions.h"
#include "support/ScriptTestGlobal.h"

namespace {

using namespace ScriptTest;

TEST(PropertyName, TextIntegerFormAndHash) {
  EXPECT_EQ(CPropertyName::FromIndex(0).GetText(), u"0");
  EXPECT_EQ(CPropertyName(u"abc").GetText(), u"abc");
  EXPECT_EQ(CPropertyName().GetText(), u"");
  EXPECT_EQ(CPropertyName().GetIntegerForm(), -1);
  EXPECT_EQ(CPropertyName().GetCachedHash(), -1);
  // The integer 7 and the text "7" name one property, with one hash.
  EXPECT_TRUE(CPropertyName::FromIndex(7) == CPropertyName(u"7"));
  EXPECT_FALSE(CPropertyName::FromIndex(7) == CPropertyName(u"07"));
  EXPECT_EQ(CPropertyName::FromIndex(2147483647).GetHash(), HashText(u"2147483647"));
  EXPECT_EQ(CPropertyName::FromIndex(2147483647).GetText(), u"2147483647");
  // h = h * 9 + unit, modulo 2^32, low 31 bits; U+0000 ends the hashed text.
  EXPECT_EQ(HashText(u""), 0);
  EXPECT_EQ(HashText(u"ab"), 97 * 9 + 98);
  EXPECT_EQ(HashText(Core::StringView(u"ab\0cd", 5)), 97 * 9 + 98);
  uint32_t h = 0;
  for (char16_t u : Core::String(u"a rather long property name")) h = h * 9 + u;
  EXPECT_EQ(HashText(u"a rather long property name"), static_cast<int32_t>(h & 0x7FFFFFFF));
  EXPECT_EQ(CPropertyTable::Hash(u"x"), HashText(u"x"));
  // Copies share the text.
  CPropertyName a(u"shared");
  CPropertyName b = a;
  EXPECT_EQ(a.GetSharedText(), b.GetSharedText());
}

// Records the order in which objects are destroyed.
class COrderedObject : public CScriptObject {
public:
  COrderedObject(CGlobalObjectBase* global, std::vector<int>* log, int id)
      : CScriptObject(global, nullptr), m_log(log), m_id(id) {}
  ~COrderedObject() override { m_log->push_back(m_id); }

private:
  std::vector<int>* m_log;
  int m_id;
};

class Value : public CScriptTest {};

TEST_F(Value, ListReleasesLastToFirst) {
  std::vector<int> log;
  {
    CArgumentList values;
    for (int i = 1; i <= 3; ++i) values.Append(MakeObject(new COrderedObject(global.Get(), &log, i)));
    XValue list(new CListValue(std::move(values)));
    EXPECT_EQ(list->GetType(), CValue::ListType);
    EXPECT_EQ(list->GetList()->GetSize(), 3);
  }
  EXPECT_EQ(log, (std::vector<int>{3, 2, 1}));
}

TEST_F(Value, ReferenceKeepsItsNameAndBase) {
  XValue unresolved(new CReferenceValue(nullptr, CPropertyName(u"x")));
  EXPECT_EQ(unresolved->GetReference()->GetBase(), nullptr);
  EXPECT_EQ(unresolved->GetReference()->GetName().GetText(), u"x");
  XObject o = global->NewObject();
  int32_t uses = o->GetUseCount();
  {
    XValue resolved(new CReferenceValue(o.Get(), CPropertyName::FromIndex(3)));
    EXPECT_EQ(o->GetUseCount(), uses + 1);
    EXPECT_EQ(resolved->GetReference()->GetName().GetText(), u"3");
  }
  EXPECT_EQ(o->GetUseCount(), uses);
}

TEST(ScriptExceptions, Messages) {
  EXPECT_EQ(CParseError(u"").GetMessage(), u"Error(s) encountered during program parsing");
  EXPECT_EQ(CParseError(u"p.js").GetMessage(), u"Error(s) encountered during program parsing\n    Program 'p.js'");
  struct Case {
    int32_t code;
    const char16_t* text;
  } cases[] = {
      {0, u"Object does not support [[DefaultValue]] method"},
      {6, u"GetValue: invalid reference"},
      {12, u"Operand of 'Function.prototype.toString' is not a function"},
      {24, u"Invalid RegExp flags"},
      {25, u"Maximum call depth exceeded"},
      {26, u"Regular expression too complex"},
      {27, u"String too long"},
      {28, u"Unclassified runtime error"},
      {99, u"Unclassified runtime error"},
      {-1, u"Unclassified runtime error"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CRuntimeError(c.code, static_cast<CValue*>(nullptr)).GetMessage(),
              Core::String(u"ECMAScript runtime error: ") + c.text);
  }
}

TEST(ScriptExceptions, ScriptExceptionWrapsItsFailure) {
  XValue value = MakeString(u"offending");
  CRuntimeError runtime(CRuntimeError::GetValueInvalidReference, value.Get());
  CEcmaScriptException e(runtime);
  EXPECT_EQ(e.GetMessage(), u"ECMAScript runtime error: GetValue: invalid reference");
  ASSERT_NE(e.GetRuntimeError(), nullptr);
  EXPECT_EQ(e.GetRuntimeError()->GetValue(), value.Get());
  EXPECT_EQ(e.GetLine(), -1);
  EXPECT_TRUE(e.GetProgramName().empty());
  EXPECT_TRUE(e.GetFunctionName().empty());
  e.SetLine(3);
  e.SetProgramName(u"p.js");
  e.SetFunctionName(u"f");
  e.SetValue(value.Get());
  CEcmaScriptException copy = e;
  EXPECT_EQ(copy.GetLine(), 3);
  EXPECT_EQ(copy.GetProgramName(), u"p.js");
  EXPECT_EQ(copy.GetFunctionName(), u"f");
  EXPECT_EQ(copy.GetValue(), value.Get());
  EXPECT_EQ(copy.GetObject(), nullptr);

  CEcmaScriptException other(Core::IException{});
  EXPECT_EQ(other.GetMessage(), u"? Unknown exception");
  EXPECT_EQ(other.GetRuntimeError(), nullptr);
}

} // namespace
