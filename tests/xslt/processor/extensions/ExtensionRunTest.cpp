// Extension elements and functions in a whole run: the package contexts
// start and finish around every scope in registration order and its
// reverse, the scopes that extension code opens end innermost first, and a
// context the package keeps past its element ends nothing later.
#include <gtest/gtest.h>

#include <string>

#include "support/TestExtensionPackage.h"
#include "tests/xslt/processor/RecordingPackage.h"
#include "xslt/compiler/support/StylesheetFixture.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/output/StringOutputHandler.h"
#include "xslt/processor/services/Processor.h"

namespace {

using namespace StylesheetTest;
using ProcessorTest::CEventLog;
using ProcessorTest::CRecordingPackage;

struct CRunResult {
  std::string text;       // the character data of the result
  std::string failure;    // the message of the exception that ended the run
  std::vector<CReport> reports;
};

// Runs the template body over <r><i/><i/></r> with the test package and two
// recording packages (A, B) registered after it.
CRunResult RunWithPackages(const std::string& body, CEventLog& log) {
  CTempFolder folder;
  Core::String input = folder.Write("in.xml", "<r><i/><i/></r>");
  Core::String style = folder.Write(
      "s.xsl", "<xsl:stylesheet version='1.0' " + std::string(kXsl) +
                   " xmlns:t='urn:kelto:test' extension-element-prefixes='t'><xsl:template match='/'>" + body +
                   "</xsl:template></xsl:stylesheet>");
  Core::XInterface<CTestImplementation> implementation(new CTestImplementation);
  Xslt::CExtensionHandler* extensions = implementation->GetExtensionHandler();
  extensions->AddPackage(Core::XInterface<KeltoTest::CTestPackage>(new KeltoTest::CTestPackage).Get());
  extensions->AddPackage(Core::XInterface<CRecordingPackage>(new CRecordingPackage("A", u"urn:a", log)).Get());
  extensions->AddPackage(Core::XInterface<CRecordingPackage>(new CRecordingPackage("B", u"urn:b", log)).Get());
  Core::XInterface<XsltPrivate::CStringOutputHandler> output(new XsltPrivate::CStringOutputHandler);
  CRunResult result;
  try {
    Core::XInterface<Xslt::CProcessor> processor(new Xslt::CProcessor(implementation.Get()));
    processor->SetSourceUri(input);
    processor->SetStylesheetUri(style);
    processor->SetResultOutputHandler(output.Get());
    processor->Process();
  } catch (const Core::IException& failure) {
    result.failure = Core::ToUtf8(failure.GetMessage());
  }
  result.text = Core::ToUtf8(output->GetText());
  result.reports = implementation->errors->reports;
  return result;
}

// Every scope starts A then B and finishes B then A; scopes nest.
void ExpectNestedScopes(const CEventLog& log) {
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "A.CreateContext");
  EXPECT_EQ(log[1], "B.CreateContext");
  int depth = 0;
  for (size_t i = 2; i < log.size(); i += 2) {
    ASSERT_LT(i + 1, log.size());
    if (log[i] == "A.Start(0)" || log[i] == "A.Start(1)") {
      EXPECT_EQ(log[i + 1], "B" + log[i].substr(1)) << i;
      ++depth;
    } else {
      EXPECT_EQ(log[i], "B.Finish") << i;
      EXPECT_EQ(log[i + 1], "A.Finish") << i;
      --depth;
      ASSERT_GE(depth, 0) << i;
    }
  }
  EXPECT_EQ(depth, 0);
  // The root context opens the run with a fresh variable table.
  EXPECT_EQ(log[2], "A.Start(1)");
}

TEST(ExtensionRun, PackageContextsFollowEveryScope) {
  CEventLog log;
  CRunResult result = RunWithPackages(
      "<t:repeat times='2'><t:each select='r/i'><t:value select='t:depth()'/></t:each></t:repeat>"
      "<t:crossed><t:value select='t:depth()'/></t:crossed><t:keep/><t:value select='t:depth()'/>",
      log);
  EXPECT_EQ(result.failure, "");
  // Scopes open: the root 1, the template 2, t:repeat 3, a pass 4, t:each 5,
  // its node list 6, a node 7, t:value 8; t:crossed 3, outer 4, inner 5,
  // t:value 6; after t:keep (its child ended with it) t:value 3.
  EXPECT_EQ(result.text, "8888" "6" "3");
  ExpectNestedScopes(log);
}

TEST(ExtensionRun, FailuresEndTheScopesOfTheCall) {
  struct Case {
    const char* body;
    const char* failure;
    int32_t lastCode;
    const char* packageMessage;  // reported as error 55 before the last report
  } cases[] = {
      {"<t:repeat times='2'><t:each select='r/i'><t:throw message='m'/></t:each></t:repeat>",
       "XSLT extension run-time error", 54, "m"},
      {"<t:each select='r/i'><t:value select='t:throw(\"f\")'/></t:each>", "XSLT extension run-time error", 54,
       "f"},
      {"<t:keep/><t:use-kept/>", "XSLT extension run-time error", 54,
       "Extension context used after its extension element or function returned"},
      {"<t:keep-static/><t:use-static/>", "XSLT extension run-time error", 54,
       "Extension static context used after its element was compiled"},
      // An XSLT error inside the content passes as it is.
      {"<t:repeat times='1'><t:value select='$undefined'/></t:repeat>", "", 43, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    CEventLog log;
    CRunResult result = RunWithPackages(c.body, log);
    if (*c.failure) {
      EXPECT_EQ(result.failure, c.failure);
    }
    EXPECT_NE(result.failure, "");
    ASSERT_FALSE(result.reports.empty());
    EXPECT_EQ(result.reports.back().code, c.lastCode);
    if (c.packageMessage) {
      ASSERT_GE(result.reports.size(), 2u);
      EXPECT_EQ(result.reports[result.reports.size() - 2].code, 55);
      EXPECT_EQ(Core::ToUtf8(result.reports[result.reports.size() - 2].message), c.packageMessage);
    }
    ExpectNestedScopes(log);
  }
}

} // namespace
