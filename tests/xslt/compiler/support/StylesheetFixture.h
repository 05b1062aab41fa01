#pragma once
// Fixtures of the compiler tests: an implementation factory with just the
// services compilation uses and an error handler that records each report
// (code, node, line, file), stylesheet files in a temporary folder, and
// short descriptions of compiled modules and content for tables of cases.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/xslt/LocationHandler.h"
#include "xslt/compiler/Stylesheet.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/ErrorHandler.h"
#include "xslt/processor/services/StylesheetLoader.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace StylesheetTest {

struct CReport {
  int32_t severity;
  int32_t code;
  Core::String message;
  Core::String nodeName;
  int32_t line;         // 0 when the location is not known
  std::string file;     // the file name of the node's entity
};

inline std::string FileName(Core::StringView uri) {
  std::string text = Core::ToUtf8(uri);
  size_t slash = text.rfind('/');
  return slash == std::string::npos ? text : text.substr(slash + 1);
}

class CRecordingErrorHandler : public Xslt::CErrorHandler {
public:
  void Report(int32_t severity, const Xslt::CXsltException& error, Xslt::CLocationHandler* locations) override {
    CReport report{severity, error.GetCode(), error.GetMessage(), error.GetStylesheetNodeName(), 0, {}};
    Core::String publicId, systemId;
    int32_t column = 0;
    if (locations && error.GetStylesheetNode().documentNumber != 0 &&
        locations->GetLocation(error.GetStylesheetNode(), publicId, systemId, report.line, column))
      report.file = FileName(systemId);
    reports.push_back(report);
  }
  std::vector<CReport> reports;
};

// The basic implementation, with an error handler that records reports.
class CTestImplementation : public Xslt::CBasicXsltImplementation {
public:
  Xslt::CErrorHandler* GetErrorHandler() override { return errors.Get(); }

  Core::XInterface<CRecordingErrorHandler> errors{new CRecordingErrorHandler};
};

// A folder of its own under the system's temporary folder, removed with the object.
class CTempFolder {
public:
  CTempFolder() {
    static int serial = 0;
    m_path = std::filesystem::temp_directory_path() /
             ("kelto-compiler-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(m_path);
  }
  ~CTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;

  // Writes the text (UTF-8) to a file of the folder and returns its file URL.
  Core::String Write(const std::string& name, const std::string& text) {
    std::filesystem::create_directories((m_path / name).parent_path());
    std::ofstream(m_path / name, std::ios::binary) << text;
    return Url(name);
  }
  Core::String Url(const std::string& name) const { return Core::FromUtf8("file://" + (m_path / name).string()); }

private:
  std::filesystem::path m_path;
};

inline const char* kXsl = "xmlns:xsl='http://www.w3.org/1999/XSL/Transform'";

// "<xsl:stylesheet version='1.0' xmlns:xsl=...>" + body + "</xsl:stylesheet>"
inline std::string Stylesheet(const std::string& body, const std::string& version = "1.0") {
  return std::string("<xsl:stylesheet version='") + version + "' " + kXsl + ">" + body + "</xsl:stylesheet>";
}

// The outcome of compiling one set of files: the compiled stylesheet, or the
// error that ended the compilation and the reports made.
struct CCompileResult {
  Core::XInterface<XsltPrivate::CCompiledStylesheet> compiled;
  bool failed = false;
  int32_t code = -1;
  Core::String message;
  std::vector<CReport> reports;

  XsltPrivate::CStylesheet* Principal() const { return compiled ? compiled->GetStylesheet() : nullptr; }
  // "code at node name, line n of file" of the last report.
  std::string Where() const {
    if (reports.empty()) return "no report";
    const CReport& r = reports.back();
    return Core::ToUtf8(r.nodeName) + " line " + std::to_string(r.line) + " of " + r.file;
  }
};

// Writes each file, then loads and compiles the one named first; setup may
// prepare the implementation (register packages) before.
inline CCompileResult CompileFiles(CTempFolder& folder, const std::vector<std::pair<std::string, std::string>>& files,
                                   const std::function<void(CTestImplementation&)>& setup = {}) {
  for (const auto& [name, text] : files) folder.Write(name, text);
  Core::XInterface<CTestImplementation> implementation(new CTestImplementation);
  if (setup) setup(*implementation);
  Core::XInterface<XsltPrivate::CStylesheetLoader> loader(new XsltPrivate::CStylesheetLoader(implementation.Get()));
  CCompileResult result;
  try {
    result.compiled = loader->LoadFromUri(folder.Url(files.front().first));
  } catch (const Xslt::CXsltException& e) {
    result.failed = true;
    result.code = e.GetCode();
    result.message = e.GetMessage();
  }
  result.reports = implementation->errors->reports;
  return result;
}

// The module tree as "file@precedence(imports...)", imports in order.
inline std::string DescribeModules(const XsltPrivate::CStylesheet& module, Xslt::CLocationHandler* locations) {
  Core::String uri;
  std::string text = locations->GetBaseUri(module.GetNodeId(), uri) ? FileName(uri) : "?";
  text += "@" + std::to_string(module.GetImportPrecedence());
  const auto& imports = module.GetImports();
  if (imports.GetSize() > 0) {
    text += "(";
    for (int32_t i = 0; i < imports.GetSize(); ++i) {
      if (i > 0) text += " ";
      text += DescribeModules(*imports[i], locations);
    }
    text += ")";
  }
  return text;
}

} // namespace StylesheetTest
