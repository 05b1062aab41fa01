#pragma once
// The extension context of a run: the view of a run-time context given to
// the code of an extension element or function, and the call that makes
// one for that code and ends what the code leaves open.
//
// Every child context made through an extension context opens a scope of
// the run (a variable scope, a document scope, Start of the package
// contexts), and scopes must end in the reverse order of their start. So
// the children of one call are kept on a stack: releasing one ends it when
// it is the innermost scope still open (and then any outer one released
// before it); when the code returns, whatever is still open ends, innermost
// first, and every extension context of the call becomes inert, so one that
// the package keeps can neither end a scope later nor keep the run alive.
#include <cstdint>
#include <exception>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/extensions/ExtensionContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

class CExtensionInstruction;
class CExtensionScopes;

class CPrivateExtensionContext final : public Xslt::CExtensionContext {
public:
  // Over the context an extension element or function runs in; instruction
  // is the element, null for a function.
  CPrivateExtensionContext(CContext* context, CExtensionInstruction* instruction);
  ~CPrivateExtensionContext() override;

  Core::XInterface<Xslt::CExtensionContext> CreateContextForNodeList(Xpath::CIterator* iterator) override;
  Core::XInterface<Xslt::CExtensionContext> CreateContextForNode() override;
  Xslt::CTopLevelExtensionContext* GetTopLevelExtensionContext() override;
  Xpath::CNodeSet* GetCurrentNodeList() override;
  void ExecuteContent(int32_t block) override;
  Core::XInterface<Xpath::CContext> GetXpathContext() override;
  Core::XInterface<Xpath::CValue> Evaluate(const Xpath::CExpr* expr) override;
  Core::String EvaluateAvt(const Xslt::CAvt* avt) override;
  bool ResolveUri(Core::StringView reference, Core::String& uri) override;
  void StartDocument() override;
  void EndDocument() override;
  void StartElement(Core::StringView qualifiedName, Core::StringView namespaceUri) override;
  void EndElement() override;
  void StartAttribute(Core::StringView qualifiedName, Core::StringView namespaceUri) override;
  void EndAttribute() override;
  void StartNamespace(Core::StringView prefix) override;
  void EndNamespace() override;
  using Xslt::CExtensionContext::Characters;
  void Characters(const char16_t* text, int32_t length, bool disableOutputEscaping) override;
  void StartComment() override;
  void EndComment() override;
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override;
  int32_t GetOpenOutputNodes() override;
  void EndOutputNodes(int32_t count) override;
  Xslt::CXsltImplementation* GetImplementation() override;
  void OutputValue(const Xpath::CValue& value) override;
  void ReportWarning(const Core::IException& failure) override;
  [[noreturn]] void ReportError(const Core::IException& failure) override;

  // Null once inert.
  CContext* GetContext() const { return m_context.Get(); }
  bool IsInert() const { return !m_context; }

  // The code returned: the child scopes it left open end, innermost first,
  // and every extension context of the call becomes inert. The first
  // failure of a scope's end is thrown after all of them ended.
  void EndCall();
  // The same while an exception unwinds: failures are dropped.
  void AbandonCall() noexcept;

private:
  friend class CExtensionScopes;

  // A child over a new scope of the call.
  CPrivateExtensionContext(CContext* child, CExtensionInstruction* instruction, CExtensionScopes* scopes);
  // The context to work on; an inert one fails as a package would.
  CContext& Live();
  CExtensionScopes* Scopes();
  void MakeInert() noexcept;

  Core::XInterface<CContext> m_context;
  Core::XInterface<CExtensionInstruction> m_instruction;
  // The scopes of the call; null until the first child.
  Core::XInterface<CExtensionScopes> m_scopes;
  // A child: the scope of m_context was opened for it.
  bool m_ownsScope = false;
};

// Runs extension code with a new extension context over context: the
// element object's Execute (instruction set) or an extension function (null).
// The scopes the code left open end when it returns. XSLT errors pass
// unchanged; any other failure is reported with its own message (error 55)
// and replaced by fatal error 54 at context, after those scopes ended.
template <class TCode>
auto RunExtensionCode(CContext& context, CExtensionInstruction* instruction, TCode&& code)
    -> decltype(code(static_cast<Xslt::CExtensionContext*>(nullptr))) {
  using TResult = decltype(code(static_cast<Xslt::CExtensionContext*>(nullptr)));
  Core::String message;
  {
    Core::XInterface<CPrivateExtensionContext> extension(new CPrivateExtensionContext(&context, instruction));
    try {
      if constexpr (std::is_void_v<TResult>) {
        code(extension.Get());
        extension->EndCall();
        return;
      } else {
        TResult result = code(extension.Get());
        extension->EndCall();
        return result;
      }
    } catch (const Xslt::CXsltException&) {
      extension->AbandonCall();
      throw;
    } catch (const Core::IException& failure) {
      message = failure.GetMessage();
    } catch (...) {
      extension->AbandonCall();
      throw;
    }
    extension->AbandonCall();
  }
  context.ReportExtensionError(message);
  context.ThrowError(Xslt::CXsltException::ExtensionRuntimeError);
}

} // namespace XsltPrivate
