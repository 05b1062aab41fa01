#include "xslt/processor/data/InputHandler.h"

#include "xml/tree/DomException.h"
#include "xslt/processor/data/XmlParseException.h"
#include "xslt/processor/services/ErrorHandler.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace Xslt {

namespace {

constexpr int32_t kDomNotFound = 8;

// Stands between the parser and the tree builder and remembers where the
// last start tag was read. The builder finds an undeclared prefix only when
// the start tag is complete and cannot say where it stood; this is the place
// it reports.
class CStartTagPlacer : public Sxp::IDocumentHandler {
public:
  explicit CStartTagPlacer(Sxp::IDocumentHandler* target) : m_target(target) {}

  void SetDocumentLocator(Sxp::ILocator* locator) override {
    m_locator = locator;
    m_target->SetDocumentLocator(locator);
  }
  void StartDocument() override { m_target->StartDocument(); }
  void EndDocument() override { m_target->EndDocument(); }
  // The start tag before this one is complete when the builder returns, so
  // only then is the new one remembered.
  void StartElement(Core::StringView qualifiedName) override {
    m_target->StartElement(qualifiedName);
    m_name.assign(qualifiedName);
    if (m_locator) {
      m_publicId = m_locator->GetPublicId();
      m_systemId = m_locator->GetSystemId();
      m_line = m_locator->GetLineNumber();
      m_column = m_locator->GetColumnNumber();
    }
  }
  void EndElement() override { m_target->EndElement(); }
  void StartAttribute(Core::StringView qualifiedName) override { m_target->StartAttribute(qualifiedName); }
  void EndAttribute() override { m_target->EndAttribute(); }
  void Characters(const char16_t* units, int32_t count) override { m_target->Characters(units, count); }
  void StartComment() override { m_target->StartComment(); }
  void EndComment() override { m_target->EndComment(); }
  void StartCdata() override { m_target->StartCdata(); }
  void EndCdata() override { m_target->EndCdata(); }
  void SkippedEntity(Core::StringView name) override { m_target->SkippedEntity(name); }
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override {
    m_target->ProcessingInstruction(target, data);
  }

  XsltPrivate::CXmlParseException UndeclaredPrefix() const {
    return XsltPrivate::CXmlParseException(u"Undeclared namespace prefix in element '" + m_name + u"'", m_publicId,
                                           m_systemId, m_line, m_column);
  }

private:
  Core::XInterface<Sxp::IDocumentHandler> m_target;
  Core::XInterface<Sxp::ILocator> m_locator;
  Core::String m_name;
  Core::String m_publicId;
  Core::String m_systemId;
  int32_t m_line = 0;
  int32_t m_column = 0;
};

// Hands the parser's warnings (text of the document left out) to the run's
// error handler as recoverable errors, in the layout of a parse error.
class CParseWarningReporter : public Sxp::IErrorHandler {
public:
  explicit CParseWarningReporter(CErrorHandler* errorHandler) : m_errorHandler(errorHandler) {}

  void Error(const Sxp::CParseException&) override {}
  void Warning(const Sxp::CParseException& warning) override {
    XsltPrivate::CXmlParseException located(warning.GetMessage(), warning.GetPublicId(), warning.GetSystemId(),
                                            warning.GetLineNumber(), warning.GetColumnNumber());
    m_errorHandler->Report(CErrorHandler::Recoverable, CXsltException(CXsltException::MessageText, located.GetMessage()),
                           nullptr);
  }

private:
  Core::XInterface<CErrorHandler> m_errorHandler;
};

} // namespace

CBasicInputHandler::CBasicInputHandler(CXsltImplementation* implementation) : m_implementation(implementation) {}

CBasicInputHandler::~CBasicInputHandler() = default;

void CBasicInputHandler::Parse() {
  Core::XInterface<Sxp::IParser> parser = m_implementation->GetParserFactory()->CreateParser();
  Core::XInterface<CStartTagPlacer> placer;
  if (m_documentHandler) placer = new CStartTagPlacer(m_documentHandler.Get());
  parser->SetDocumentHandler(Core::XInterface<Sxp::IDocumentHandler>(placer.Get()));
  parser->SetDtdHandler(m_dtdHandler);
  if (CErrorHandler* errors = m_implementation->GetErrorHandler())
    parser->SetErrorHandler(Core::XInterface<Sxp::IErrorHandler>(new CParseWarningReporter(errors)));
  try {
    parser->Parse(m_uri);
  } catch (const Sxp::CParseException& error) {
    throw XsltPrivate::CXmlParseException(error.GetMessage(), error.GetPublicId(), error.GetSystemId(),
                                          error.GetLineNumber(), error.GetColumnNumber());
  } catch (const Dom::CDomException& error) {
    if (error.GetCode() != kDomNotFound || !placer) throw;
    throw placer->UndeclaredPrefix();
  }
}

} // namespace Xslt
