// The format element's attributes as the stylesheet compiler hands them
// over: which separator and header values compile, which are refused and
// with what message, and what the element allows as its children.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>

#include "core/String.h"
#include "extensions/textinput/TextInputElements.h"
#include "extensions/textinput/TextInputPackage.h"
#include "xslt/compiler/ExtensionStaticContext.h"

namespace {

// A refused element: what the compiler's ReportError was given.
struct CStaticError {
  std::string message;
};

// Attributes from a map; no expression or template is ever compiled here.
class CFakeStaticContext : public Xslt::CExtensionStaticContext {
public:
  explicit CFakeStaticContext(std::map<Core::String, Core::String> attributes)
      : m_attributes(std::move(attributes)) {}

  Dom::XNode GetNode() override { return nullptr; }
  void CompileContent(Xslt::CExtensionContentType* contentType) override {
    m_contentCompiled = true;
    m_content = contentType;
  }
  bool GetAttribute(Core::String& value, Core::StringView name, bool required) override {
    auto found = m_attributes.find(Core::String(name));
    if (found == m_attributes.end()) {
      if (required) throw CStaticError{"Missing attribute: '" + Core::ToUtf8(name) + "'"};
      return false;
    }
    value = found->second;
    return true;
  }
  Core::String GetAttributeOrDefault(Core::StringView name, Core::StringView defaultValue, bool required) override {
    Core::String value;
    return GetAttribute(value, name, required) ? value : Core::String(defaultValue);
  }
  bool GetUriAttribute(Core::String& uri, Core::StringView name, bool required) override {
    return GetAttribute(uri, name, required);
  }
  Core::XInterface<Xpath::CExpr> CompileExpressionAttribute(Core::StringView, const char16_t*, bool) override {
    return nullptr;
  }
  Core::XInterface<Xslt::CAvt> CompileAvtAttribute(Core::StringView, const char16_t*, bool) override {
    return nullptr;
  }
  bool GetNumberAttribute(double&, Core::StringView, bool) override { return false; }
  Core::XInterface<Xpath::CExpr> CompileExpression(Core::StringView) override { return nullptr; }
  Core::XInterface<Xslt::CAvt> CompileAvt(Core::StringView) override { return nullptr; }
  [[noreturn]] void ReportError(const Core::IException& error) override {
    throw CStaticError{Core::ToUtf8(error.GetMessage())};
  }

  bool m_contentCompiled = false;
  Core::XInterface<Xslt::CExtensionContentType> m_content;

private:
  std::map<Core::String, Core::String> m_attributes;
};

struct CFormatCase {
  const char* title;
  const char16_t* separator;  // null: absent
  const char16_t* header;     // null: absent
  // The static error, or for a compiled element "fields" (field children
  // allowed) or "empty" (no child allowed).
  const char* expected;
};

const CFormatCase kFormatCases[] = {
    {"fixed widths", nullptr, nullptr, "fields"},
    {"comma", u",", nullptr, "fields"},
    {"#tab", u"#tab", u"no", "fields"},
    {"a lone # is a character", u"#", nullptr, "fields"},
    {"space", u" ", nullptr, "fields"},
    {"header format allows no child", u";", u"yes", "empty"},
    {"empty separator", u"", nullptr, "Invalid attribute value: 'separator' - ''"},
    {"two characters", u";;", nullptr, "Invalid attribute value: 'separator' - ';;'"},
    {"lone double quote", u"\"", nullptr, "Invalid attribute value: 'separator' - '\"'"},
    {"#tab in capitals", u"#TAB", nullptr, "Invalid attribute value: 'separator' - '#TAB'"},
    {"header in capitals", u",", u"YES", "Invalid attribute value: 'header' - 'YES'"},
    {"empty header", u",", u"", "Invalid attribute value: 'header' - ''"},
    {"header over fixed widths", nullptr, u"yes", "Invalid attribute combination: 'separator' and 'header'"},
    {"separator checked before header", u"ab", u"maybe", "Invalid attribute value: 'separator' - 'ab'"},
    {"header checked before the combination", nullptr, u"Yes", "Invalid attribute value: 'header' - 'Yes'"},
};

class FormatCompile : public testing::TestWithParam<CFormatCase> {};

TEST_P(FormatCompile, Attributes) {
  const CFormatCase& c = GetParam();
  std::map<Core::String, Core::String> attributes{{u"name", u"f"}};
  if (c.separator) attributes[u"separator"] = c.separator;
  if (c.header) attributes[u"header"] = c.header;
  Core::XInterface<CFakeStaticContext> context(new CFakeStaticContext(std::move(attributes)));
  Core::XInterface<XsltTextInput::CFormatElement> element(new XsltTextInput::CFormatElement);
  std::string got;
  try {
    element->Compile(context.Get());
    ASSERT_TRUE(context->m_contentCompiled);
    if (!context->m_content) {
      got = "empty";
    } else {
      const Xslt::CExtensionContentType& model = *context->m_content;
      EXPECT_EQ(model.GetCount(), 1);
      EXPECT_EQ(model.FindType(XsltTextInput::kTextInputUri, u"field"), 0);
      EXPECT_EQ(model.FindType(XsltTextInput::kTextInputUri, u"read"), -1);
      EXPECT_EQ(model.GetWildcardIndex(), -1);  // no text, no other element
      got = "fields";
    }
  } catch (const CStaticError& error) {
    got = error.message;
  }
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatCompile, testing::ValuesIn(kFormatCases),
                         [](const testing::TestParamInfo<CFormatCase>& info) {
                           std::string name;
                           for (const char* p = info.param.title; *p; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

TEST(FormatCompileName, IsRequired) {
  Core::XInterface<CFakeStaticContext> context(new CFakeStaticContext(std::map<Core::String, Core::String>{{u"separator", u","}}));
  Core::XInterface<XsltTextInput::CFormatElement> element(new XsltTextInput::CFormatElement);
  try {
    element->Compile(context.Get());
    ADD_FAILURE() << "compiled without a name";
  } catch (const CStaticError& error) {
    EXPECT_EQ(error.message, "Missing attribute: 'name'");
  }
}

} // namespace
