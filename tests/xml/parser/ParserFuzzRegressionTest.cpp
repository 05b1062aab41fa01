// Documents that fuzzing and crafted inputs showed to blow up time or memory:
// each must end in its clear error, or parse in linear time.
#include <string>

#include "ParserTestUtil.h"

namespace {

using namespace ParserTest;

std::string Repeat(const std::string& s, int n) {
  std::string out;
  out.reserve(s.size() * static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// Counts attributes and keeps nothing, so that a regression costs time, not memory.
class CAttributeCounter : public CRecorder {
public:
  int64_t attributes = 0;
  void StartAttribute(Core::StringView) override { ++attributes; }
  void EndAttribute() override {}
  void Characters(const char16_t*, int32_t) override {}
};

// An ATTLIST of count defaulted attributes named <prefix>0, <prefix>1, ...
std::string DefaultsDtd(const std::string& element, const std::string& prefix, int count) {
  std::string dtd = "<!DOCTYPE r [<!ATTLIST " + element;
  for (int i = 0; i < count; ++i) dtd += " " + prefix + std::to_string(i) + " CDATA 'x'";
  return dtd + ">]>";
}

TEST(ParserFuzzRegression, HostileDocumentsEndInTheirError) {
  struct {
    const char* what;
    std::string document;
    const char* error;
  } cases[] = {
      // Ten thousand defaults on each of ten thousand empty elements: a
      // 200 KB document that would build a hundred million attributes.
      {"defaults on many elements", DefaultsDtd("e", "a", 10000) + "<r>" + Repeat("<e/>", 10000) + "</r>",
       "Attribute defaults too large"},
      // Defaults and entity text draw on one bound.
      {"defaults after entity text",
       "<!DOCTYPE r [<!ENTITY big '" + std::string(1000, 'x') + "'><!ATTLIST e " + "d CDATA '" +
           std::string(1000, 'y') + "'>]><r>" + Repeat("&big;", 6000) + Repeat("<e/>", 6000) + "</r>",
       "Attribute defaults too large"},
  };
  for (const auto& c : cases) {
    Core::XInterface<CAttributeCounter> counter = Core::Make<CAttributeCounter>();
    EXPECT_EQ(ParseBytes(c.document, "", counter.Get()).message, c.error) << c.what;
  }
}

TEST(ParserFuzzRegression, DefaultsOfAnOrdinaryDocumentAreAdded) {
  // Well below the bound: every element gets its defaults.
  Core::XInterface<CAttributeCounter> counter = Core::Make<CAttributeCounter>();
  CResult r = ParseBytes(DefaultsDtd("e", "a", 100) + "<r>" + Repeat("<e/>", 1000) + "</r>", "", counter.Get());
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(counter->attributes, 100 * 1000);
}

TEST(ParserFuzzRegression, WrittenAttributesSuppressTheirDefaultsInLargeStartTags) {
  // Up to the scan limit and past it the same attributes are defaulted: the
  // declared ones not written, once each, after the written ones.
  for (int written : {3, 16, 17, 40}) {
    std::string tag = "<r";
    for (int i = 0; i < written; ++i) tag += " w" + std::to_string(i) + "='v'";
    tag += " d1='mine'/>";
    std::string doc = "<!DOCTYPE r [<!ATTLIST r d0 CDATA 'x' d1 CDATA 'y' w2 CDATA 'z' d2 CDATA #IMPLIED>]>" + tag;
    std::string events = Events(doc);
    EXPECT_NE(events.find("A:d1 C:mine EA A:d0 C:x EA E ED"), std::string::npos) << written << ": " << events;
    EXPECT_EQ(events.find("C:z"), std::string::npos) << written;
    EXPECT_EQ(events.find("C:y"), std::string::npos) << written;
  }
}

TEST(ParserFuzzRegression, ManyWrittenAgainstManyDeclaredAttributesIsLinear) {
  // Thirty thousand declared defaults against thirty thousand written
  // attributes of other names: a scan of the written names for every
  // declared one would take minutes.
  const int n = 30000;
  std::string doc = DefaultsDtd("r", "d", n) + "<r";
  for (int i = 0; i < n; ++i) doc += " w" + std::to_string(i) + "='v'";
  doc += "/>";
  Core::XInterface<CAttributeCounter> counter = Core::Make<CAttributeCounter>();
  CResult r = ParseBytes(doc, "", counter.Get());
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(counter->attributes, 2 * n);
}

} // namespace
