#pragma once
// The one exception of XSLT errors, raised by the compiler, the processor, the
// XSLT functions and the extension packages. Besides its code and two
// arguments it names the stylesheet node and the source-document node the
// error concerns, by node key only: the error handler asks the location
// handler where they stand.
#include <cstdint>

#include "core/Exception.h"
#include "core/String.h"
#include "xml/tree/Dom.h"

namespace Xslt {

// {document number, node index}; a document number of 0 names no node.
using CNodeKey = Dom::CNodeIdentity;

class CXsltException : public Core::CCodedException {
public:
  enum : int32_t {
    InvalidStylesheet = 0,
    InvalidStylesheetContent = 1,
    StylesheetRetrievalError = 2,  // URI, underlying message
    MisplacedImport = 3,
    InvalidTopLevelElement = 4,
    MissingAttribute = 5,
    InvalidAttributeValue = 6,
    InvalidExpressionSyntax = 7,
    InvalidAvtSyntax = 8,
    UndefinedPrefix = 9,
    ContentMustBeEmpty = 10,
    InvalidContent = 11,
    InvalidPcdata = 12,
    InvalidInstruction = 13,
    InvalidElement = 14,
    MissingElement = 15,
    MisplacedElement = 16,
    InvalidUriSyntax = 17,
    CannotResolveRelativeUri = 18,
    ExtensionStaticError = 19,
    ProcessingTerminated = 20,
    CannotCreateResultStream = 21,
    MultipleMatchingSpaceRules = 22,
    MultipleMatchingTemplateRules = 23,
    CurrentTemplateRuleIsNull = 24,
    NamedTemplateNotFound = 25,
    DuplicateTemplateName = 26,
    DuplicateNamespaceAlias = 27,
    AttributeSetNotFound = 28,
    DuplicateAttributeName = 29,
    DuplicateDecimalFormatName = 30,
    DefaultDecimalFormatNotFound = 31,
    DecimalFormatNotFound = 32,
    DuplicateOutputAttribute = 33,
    DuplicateVariableName = 34,
    CircularVariableDefinitions = 35,
    MisplacedAttributeNode = 36,
    MisplacedCommentNode = 37,
    MisplacedElementNode = 38,
    MisplacedProcessingInstructionNode = 39,
    MisplacedNamespaceNode = 40,
    InvalidAttributeName = 41,
    AvtEvaluationError = 42,
    ExpressionEvaluationError = 43,
    ValueConversionError = 44,
    InvalidComputedAttributeValue = 45,
    InvalidSelectionResultType = 46,
    InvalidArgumentCount = 47,
    InvalidArgumentType = 48,
    DocumentRetrievalError = 49,  // URI, underlying message
    OutputError = 50,             // underlying message as the first argument
    WriterError = 51,
    UnsupportedFeature = 52,
    ExtensionRuntimeWarning = 53,
    ExtensionRuntimeError = 54,
    MessageText = 55,  // the whole message as the first argument
    // Beyond the original table: untrusted stylesheets must end in an error,
    // not a stack overflow.
    RecursionTooDeep = 56,      // the template's name or match
    CircularAttributeSets = 57, // namespace URI, local name of the set
    // A computed name that no result node may carry: recoverable, the node is
    // left out (an element's content is written in its place).
    InvalidElementName = 58,
    InvalidProcessingInstructionTarget = 59,
    // A key whose match or use needs the key's own index while it is built.
    CircularKeyDefinitions = 60,  // namespace URI, local name of the key
  };

  // Names no node.
  explicit CXsltException(int32_t code, Core::String arg1 = {}, Core::String arg2 = {});
  // Names a stylesheet node.
  CXsltException(int32_t code, CNodeKey stylesheetNode, Core::String stylesheetNodeName, Core::String arg1 = {},
                 Core::String arg2 = {});
  // Names a stylesheet node and a source-document node.
  CXsltException(int32_t code, CNodeKey stylesheetNode, Core::String stylesheetNodeName, CNodeKey documentNode,
                 Core::String documentNodeName, Core::String arg1 = {}, Core::String arg2 = {});

  CNodeKey GetStylesheetNode() const { return m_stylesheetNode; }
  CNodeKey GetDocumentNode() const { return m_documentNode; }
  const Core::String& GetStylesheetNodeName() const { return m_stylesheetNodeName; }
  const Core::String& GetDocumentNodeName() const { return m_documentNodeName; }

  static const Core::CMessageItem* GetMessageTable();

private:
  CNodeKey m_stylesheetNode{0, 0};
  Core::String m_stylesheetNodeName;
  CNodeKey m_documentNode{0, 0};
  Core::String m_documentNodeName;
};

} // namespace Xslt
