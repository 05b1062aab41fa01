#pragma once
// The extensions/ folder: how extension elements and functions of packages take part in a run.
//
// What extension code sees of the run while one of its elements executes or
// one of its functions is called: child contexts over a node list or the
// same node, the package contexts of the run, the content blocks of the
// executing element, XPath evaluation, URI resolution, result events and
// error reports.
//
// A new extension context is made for every execution of an extension
// element and every call of an extension function. The child contexts made
// through it are scopes of the run (local variables, loaded documents,
// package contexts): releasing one ends its scope when it is the innermost
// one still open, and whatever is still open when the element or function
// returns is ended then, innermost first. A context kept after that is
// inert: its operations fail as a package failure would.
#include <cstdint>

#include "core/Exception.h"
#include "core/Interface.h"
#include "core/String.h"
#include "core/StringHelpers.h"
#include "xpath/Context.h"
#include "xpath/Expr.h"
#include "xpath/NodeSet.h"
#include "xpath/Value.h"

namespace Xslt {

class CAvt;
class CTopLevelExtensionContext;
class CXsltImplementation;

class CExtensionContext : public Core::CInterface {
public:
  // A child context whose current node list is the iterator (position() and
  // last() follow it).
  virtual Core::XInterface<CExtensionContext> CreateContextForNodeList(Xpath::CIterator* iterator) = 0;
  // A child context with the same current node and a variable scope of its
  // own, for one pass over a content block.
  virtual Core::XInterface<CExtensionContext> CreateContextForNode() = 0;
  // Where a package finds its per-run context by its namespace URI; no use added.
  virtual CTopLevelExtensionContext* GetTopLevelExtensionContext() = 0;
  // The current node list; no use added.
  virtual Xpath::CNodeSet* GetCurrentNodeList() = 0;
  // Runs the compiled children of the executing element that belong to the
  // block, in document order, each in a child context. A block no child
  // has, and any block for a function, runs nothing.
  virtual void ExecuteContent(int32_t block) = 0;

  // A new XPath context on every call.
  virtual Core::XInterface<Xpath::CContext> GetXpathContext() = 0;
  // XPath errors become fatal errors 43 and 42.
  virtual Core::XInterface<Xpath::CValue> Evaluate(const Xpath::CExpr* expr) = 0;
  virtual Core::String EvaluateAvt(const CAvt* avt) = 0;
  // A relative reference resolves against the base URI of the executing
  // stylesheet element. Failures are reported (errors 17, 18) and answer false.
  virtual bool ResolveUri(Core::StringView reference, Core::String& uri) = 0;

  // Result events go straight to the output element stack: an event it
  // refuses reaches the caller as the stack's own exception.
  virtual void StartDocument() = 0;
  virtual void EndDocument() = 0;
  virtual void StartElement(Core::StringView qualifiedName, Core::StringView namespaceUri) = 0;
  virtual void EndElement() = 0;
  virtual void StartAttribute(Core::StringView qualifiedName, Core::StringView namespaceUri) = 0;
  virtual void EndAttribute() = 0;
  virtual void StartNamespace(Core::StringView prefix) = 0;
  virtual void EndNamespace() = 0;
  virtual void Characters(const char16_t* text, int32_t length, bool disableOutputEscaping) = 0;
  virtual void StartComment() = 0;
  virtual void EndComment() = 0;
  virtual void ProcessingInstruction(Core::StringView target, Core::StringView data) = 0;
  // The result nodes started here and not yet ended (elements, attributes,
  // namespace nodes, comments). Code that recovers from a failure of the
  // content it ran ends what that content left open with EndOutputNodes, so
  // the result stays well-formed.
  virtual int32_t GetOpenOutputNodes() { return 0; }
  // Ends the innermost open result nodes until count are left.
  virtual void EndOutputNodes(int32_t /*count*/) {}

  // The run's service factory; no use added.
  virtual CXsltImplementation* GetImplementation() = 0;
  // Writes the value at the current output position: strings, numbers,
  // booleans and values of other types as their text (nothing for an empty
  // one), a node set as copies of its nodes, a fragment as its content.
  virtual void OutputValue(const Xpath::CValue& value) = 0;

  // The failure's message as error 55 (severity 1), then the located warning
  // 53; processing goes on.
  virtual void ReportWarning(const Core::IException& failure) = 0;
  // The failure's message as error 55 (severity 2), then the located fatal
  // error 54, thrown.
  [[noreturn]] virtual void ReportError(const Core::IException& failure) = 0;

  // Convenience for text held in a string.
  void Characters(Core::StringView text, bool disableOutputEscaping = false) {
    // Empty text still closes an open start tag.
    if (text.empty()) Characters(text.data(), 0, disableOutputEscaping);
    Core::ForEachPiece(text, [&](const char16_t* units, int32_t count) {
      Characters(units, count, disableOutputEscaping);
    });
  }
};

} // namespace Xslt
