#include <gtest/gtest.h>

#include "xml/writer/OutputOptions.h"
#include "xml/writer/WriterException.h"

namespace {

TEST(OutputOptions, GettersAnswerOnlyForSetBitsAndKeepTheSlotOtherwise) {
  Xslt::COutputOptions options;
  Core::String s = u"preset";
  bool b = true;
  uint32_t kind = 7;
  Core::String uri = u"u", local = u"l";
  EXPECT_FALSE(options.GetVersion(s));
  EXPECT_FALSE(options.GetEncoding(s));
  EXPECT_FALSE(options.GetDoctypePublic(s));
  EXPECT_FALSE(options.GetDoctypeSystem(s));
  EXPECT_FALSE(options.GetMediaType(s));
  EXPECT_FALSE(options.GetOmitXmlDeclaration(b));
  EXPECT_FALSE(options.GetStandalone(b));
  EXPECT_FALSE(options.GetIndent(b));
  EXPECT_FALSE(options.GetMethod(kind));
  EXPECT_FALSE(options.GetMethodName(uri, local));
  EXPECT_EQ(s, u"preset");
  EXPECT_TRUE(b);
  EXPECT_EQ(kind, 7u);
  EXPECT_EQ(uri + local, u"ul");
  EXPECT_EQ(options.GetIsSetFlags(), 0u);

  // The method kind and the method name are separate settings.
  options.SetMethodName(u"urn:x", u"out");
  EXPECT_FALSE(options.GetMethod(kind));
  ASSERT_TRUE(options.GetMethodName(uri, local));
  EXPECT_EQ(uri, u"urn:x");
  EXPECT_EQ(local, u"out");
  Xslt::COutputOptions other;
  other.SetMethod(Xslt::COutputOptions::kHtml);
  EXPECT_FALSE(other.GetMethodName(uri, local));
  ASSERT_TRUE(other.GetMethod(kind));
  EXPECT_EQ(kind, 1u);

  // A false flag is a set value.
  options.SetIndent(false);
  ASSERT_TRUE(options.GetIndent(b));
  EXPECT_FALSE(b);
  EXPECT_FALSE(options.GetStandalone(b));

  options.SetEncoding(u"UTF-8");
  options.SetEncoding(u"ISO-8859-1");
  ASSERT_TRUE(options.GetEncoding(s));
  EXPECT_EQ(s, u"ISO-8859-1");
  EXPECT_EQ(options.GetIsSetFlags(), 0x2u | 0x8u | 0x100u);
}

TEST(OutputOptions, EachSettingHasItsOwnBit) {
  Xslt::COutputOptions o;
  o.SetMethod(2);
  o.SetVersion(u"1.1");
  o.SetOmitXmlDeclaration(true);
  o.SetStandalone(true);
  o.SetDoctypePublic(u"p");
  o.SetDoctypeSystem(u"s");
  o.SetMediaType(u"m");
  EXPECT_EQ(o.GetIsSetFlags(), 0x1u | 0x4u | 0x10u | 0x20u | 0x40u | 0x80u | 0x200u);
  Core::String s;
  ASSERT_TRUE(o.GetDoctypePublic(s));
  EXPECT_EQ(s, u"p");
  ASSERT_TRUE(o.GetDoctypeSystem(s));
  EXPECT_EQ(s, u"s");
  ASSERT_TRUE(o.GetMediaType(s));
  EXPECT_EQ(s, u"m");
  ASSERT_TRUE(o.GetVersion(s));
  EXPECT_EQ(s, u"1.1");
}

TEST(PrivateOutputOptions, CdataSectionElementsByExpandedName) {
  XsltPrivate::CPrivateOutputOptions options;
  EXPECT_FALSE(options.IsCdataSectionElement(u"", u"code"));
  options.AddCdataSectionElement(u"urn:p", u"code");
  options.AddCdataSectionElement(u"", u"code");
  options.AddCdataSectionElement(u"", u"code");
  EXPECT_TRUE(options.IsCdataSectionElement(u"urn:p", u"code"));
  EXPECT_TRUE(options.IsCdataSectionElement(u"", u"code"));
  EXPECT_FALSE(options.IsCdataSectionElement(u"urn:q", u"code"));
  EXPECT_FALSE(options.IsCdataSectionElement(u"urn:p", u"Code"));
  for (int i = 0; i < 20; ++i) options.AddCdataSectionElement(u"urn:p", u"n" + Core::String(1, u'a' + i));
  for (int i = 0; i < 20; ++i)
    EXPECT_TRUE(options.IsCdataSectionElement(u"urn:p", u"n" + Core::String(1, u'a' + i)));
  EXPECT_TRUE(options.IsCdataSectionElement(u"urn:p", u"code"));
}

TEST(WriterException, Messages) {
  using XmlWriter::CWriterException;
  struct Case {
    CWriterException e;
    const char16_t* message;
  } cases[] = {
      {CWriterException(0, u"urn:x", u"out"), u"Unsupported output method: 'urn:x', 'out'"},
      {CWriterException(1, u"latin1"), u"Unsupported encoding: 'latin1'"},
      {CWriterException(2, u"1 0"), u"Invalid version number syntax: '1 0'"},
      {CWriterException(3, u"8bit"), u"Invalid encoding name syntax: '8bit'"},
      {CWriterException(4), u"Invalid surrogate pair"},
      {CWriterException(5, u"\u20AC"), u"Unsupported character: '\u20AC'"},
      {CWriterException(7), u"Cannot write the output stream"},
      {CWriterException(6, u"x"), u"Unclassified output exception"},
      {CWriterException(99, u"x"), u"Unclassified output exception"},
      // Absent arguments are empty texts, not "?".
      {CWriterException(0), u"Unsupported output method: '', ''"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.e.GetMessage(), c.message) << c.e.GetCode();
}

} // namespace

namespace {

const Core::CMessageItem kDerivedMessages[] = {{0, u"Derived '%s' '%s'"}, {-1, u"Unclassified derived"}};

class CDerivedException : public XmlWriter::CWriterException {
public:
  CDerivedException(int32_t code, Core::String a1, Core::String a2)
      : CWriterException(kDerivedMessages, code, std::move(a1), std::move(a2)) {}
};

TEST(WriterException, DerivedFamilyUsesItsOwnTable) {
  try {
    throw CDerivedException(0, u"a", u"b");
  } catch (const XmlWriter::CWriterException& e) {
    EXPECT_EQ(e.GetMessage(), u"Derived 'a' 'b'");
    EXPECT_EQ(e.GetCode(), 0);
  }
}

} // namespace
