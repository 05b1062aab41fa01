#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/Processor.h"
#include "xslt/processor/services/XsltException.h"

namespace {

const char kText[] =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
    "<xsl:output method='text'/></xsl:stylesheet>";

class Processor : public testing::Test {
protected:
  void SetUp() override {
    implementation->SetErrorStream(errors.Get());
    processor->SetSourceUri(folder.Url("in.xml"));
    processor->SetStylesheetUri(folder.Url("style.xsl"));
    processor->SetOutputUri(folder.Url("out.txt"));
  }
  std::string Output() {
    std::ifstream in(std::filesystem::path(Path("out.txt")), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Path(const std::string& name) {
    std::string url = Core::ToUtf8(folder.Url(name));
    return url.substr(std::string("file://").size());
  }
  int32_t Fails() {
    try {
      processor->Process();
    } catch (const Xslt::CXsltException& error) {
      return error.GetCode();
    } catch (const Core::IException&) {
      return -2;
    }
    return -1;
  }

  ProcessorTest::CTempFolder folder;
  Core::XInterface<ProcessorTest::CStringWriter> errors{new ProcessorTest::CStringWriter()};
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation{new Xslt::CBasicXsltImplementation()};
  Core::XInterface<Xslt::CProcessor> processor{new Xslt::CProcessor(implementation.Get())};
};

TEST_F(Processor, RunsAndRunsAgainOverTheSameFile) {
  folder.Write("in.xml", "<r>text</r>");
  folder.Write("style.xsl", kText);
  processor->Process();
  EXPECT_EQ(Output(), "text");
  folder.Write("in.xml", "<r>new</r>");
  processor->Process();  // truncates and rewrites
  EXPECT_EQ(Output(), "new");
}

TEST_F(Processor, AMissingStylesheetLeavesNoResult) {
  folder.Write("in.xml", "<r/>");
  EXPECT_EQ(Fails(), Xslt::CXsltException::StylesheetRetrievalError);
  EXPECT_FALSE(std::filesystem::exists(Path("out.txt")));
  EXPECT_TRUE(errors->text.empty());  // thrown without a report
}

TEST_F(Processor, TheResultFileIsOpenedOnlyOnceTheSourceIsRead) {
  folder.Write("style.xsl", kText);
  // Unreadable source: no result file.
  EXPECT_EQ(Fails(), Xslt::CXsltException::DocumentRetrievalError);
  EXPECT_FALSE(std::filesystem::exists(Path("out.txt")));
  // Unreadable source and a result that cannot be created: the source fails first.
  processor->SetOutputUri(folder.Url("no/such/folder/out.txt"));
  EXPECT_EQ(Fails(), Xslt::CXsltException::DocumentRetrievalError);
  folder.Write("in.xml", "<r>text</r>");
  EXPECT_EQ(Fails(), Xslt::CXsltException::CannotCreateResultStream);
  // The source named as the result: read whole before it is truncated.
  processor->SetOutputUri(folder.Url("in.xml"));
  processor->Process();
  std::ifstream in(std::filesystem::path(Path("in.xml")), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "text");
}

TEST_F(Processor, AFailureAfterTheSourceIsReadLeavesTheResultFile) {
  folder.Write("in.xml", "<r/>");
  // A global that fails: the result is created, empty.
  folder.Write("style.xsl",
               "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
               "<xsl:output method='text'/><xsl:variable name='v' select='$v'/></xsl:stylesheet>");
  EXPECT_EQ(Fails(), Xslt::CXsltException::CircularVariableDefinitions);
  EXPECT_TRUE(std::filesystem::exists(Path("out.txt")));
  EXPECT_EQ(Output(), "");
}

TEST_F(Processor, AFailedRunLeavesAFileItReadWholeAndNoOtherFile) {
  folder.Write("in.xml", "<r/>");
  folder.Write("data.xml", "<d>kept</d>");
  folder.Write("style.xsl",
               "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
               "<xsl:output method='text'/><xsl:template match='/'>"
               "<xsl:value-of select=\"document('data.xml')\"/><xsl:message terminate='yes'>stop</xsl:message>"
               "</xsl:template></xsl:stylesheet>");
  auto names = [&] {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(Path("in.xml")).parent_path()))
      found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  };
  processor->SetOutputUri(folder.Url("data.xml"));
  EXPECT_EQ(Fails(), Xslt::CXsltException::ProcessingTerminated);
  std::ifstream in(std::filesystem::path(Path("data.xml")), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "<d>kept</d>");
  EXPECT_EQ(names(), (std::vector<std::string>{"data.xml", "in.xml", "style.xsl"}));
  // Another name: what was written stays (nothing, here).
  processor->SetOutputUri(folder.Url("out.txt"));
  EXPECT_EQ(Fails(), Xslt::CXsltException::ProcessingTerminated);
  EXPECT_EQ(Output(), "");
  EXPECT_EQ(names(), (std::vector<std::string>{"data.xml", "in.xml", "out.txt", "style.xsl"}));
}

TEST_F(Processor, AResultUriThatIsNoFileFailsBeforeTheSourceIsRead) {
  folder.Write("style.xsl", kText);
  processor->SetOutputUri(u"http://example.com/out.txt");
  EXPECT_EQ(Fails(), Xslt::CXsltException::CannotCreateResultStream);  // the source does not even exist
}

TEST_F(Processor, ParametersAreCopiedWithTheirValues) {
  folder.Write("in.xml", "<r/>");
  folder.Write("style.xsl",
               "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
               "<xsl:param name='p' select='$q'/></xsl:stylesheet>");
  Xslt::CExternalParamList parameters;
  parameters.Add(u"p", Core::XInterface<Xpath::CValue>(new Xpath::CStringValue(u"v")).Get());
  processor->SetParameters(parameters);
  processor->Process();  // p given: its select, which would fail, is never evaluated
  parameters.Clear();
  processor->SetParameters(parameters);
  EXPECT_EQ(Fails(), Xslt::CXsltException::ExpressionEvaluationError);
}

} // namespace
