#pragma once
// The object package: script programs imported by the stylesheet, and the
// objects they create read, written and called from extension elements and
// from XPath. Nothing here knows the script language: a binding loads
// programs and names objects, handles stand for objects, prepared calls
// repeat one call. The package's state for a run (pending call arguments,
// the last failure) lives in its package context.
#include <cstdint>

#include "core/Exception.h"
#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Context.h"
#include "xpath/Expr.h"
#include "xpath/Function.h"
#include "xpath/Value.h"
#include "xslt/processor/extensions/ExtensionContext.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace XsltObject {

// A method call whose object, function and arguments are fixed.
class CObjectCall : public Core::CInterface {
public:
  // Calls again; the truth value of the result by the language's rules.
  virtual bool Invoke() = 0;
};

// One script object. Values cross as XPath values; the binding converts them.
class CObjectHandle : public Core::CInterface {
public:
  virtual Core::XInterface<Xpath::CValue> Get(Core::StringView name) = 0;
  virtual void Put(Core::StringView name, const Xpath::CValue& value) = 0;
  // A missing or undeletable property is no error.
  virtual void Delete(Core::StringView name) = 0;
  // The object is the this value of the call.
  virtual Core::XInterface<Xpath::CValue> Call(Core::StringView method, const Xpath::CArgumentList& arguments) = 0;
  virtual Core::XInterface<CObjectCall> PrepareCall(Core::StringView method,
                                                    const Xpath::CArgumentList& arguments) = 0;
};

// The XPath value of a script object, so that an object can be kept in a
// variable and handed back. The value itself answers false, 0 and "".
class CObjectValue : public Xpath::CValue {
public:
  int32_t GetType() const override { return ScriptObjectType; }
  Xpath::CNodeSet* GetNodeSet() const override { return nullptr; }
  bool GetBoolean() const override { return false; }
  Xpath::CNumber GetNumber() const override { return Xpath::CNumber(0.0); }
  Core::String GetString() const override { return {}; }

  // No use added.
  virtual CObjectHandle* GetHandle() const = 0;
  // The script language the object belongs to.
  virtual Core::StringView GetLanguage() const = 0;
};

class CScriptBinding : public Core::CInterface {
public:
  // Loads the program at the absolute URI and runs it; an empty encoding
  // name reads the file as UTF-8.
  virtual void ImportScript(Core::StringView uri, Core::StringView encoding) = 0;
  // The object a global name denotes; the empty name is the global object.
  virtual Core::XInterface<CObjectHandle> CreateObjectHandle(Core::StringView name) = 0;
};

// The package's own failures.
class CXsltObjectException : public Core::CCodedException {
public:
  enum : int32_t { InvalidArgumentCount = 0 };
  CXsltObjectException(int32_t code, Core::String text = {});
};

// The package's state for one run. Scopes do not matter to it: the pending
// arguments and the failure record last for the whole run.
class CObjectPackageContext : public Xslt::CExtensionPackageContext {
public:
  explicit CObjectPackageContext(CScriptBinding* binding);
  ~CObjectPackageContext() override;

  void Start(bool) override {}
  void Finish() override {}

  void ImportScript(Core::StringView uri, Core::StringView encoding);
  // No expression: the global object. Otherwise the expression's value
  // names the object.
  Core::XInterface<CObjectHandle> GetObjectHandle(const Xpath::CExpr* object, Xslt::CExtensionContext* context);
  // A script object value is that object; any other value is converted to
  // its string, which names a global (the empty string the global object).
  Core::XInterface<CObjectHandle> GetObjectHandleFromValue(const Xpath::CValue* value, Xpath::CContext* context);

  void AddArgument(Xpath::CValue* value);
  // Last first, as they were added.
  void ClearArguments();
  // With the pending arguments, which are cleared when the call returns;
  // after a failure they stay until the next call or while clears them.
  Core::XInterface<Xpath::CValue> Call(CObjectHandle* handle, Core::StringView method);
  Core::XInterface<CObjectCall> PrepareCall(CObjectHandle* handle, Core::StringView method);

  void SetError(Core::StringView message);
  // The flag; the message is copied out.
  bool GetError(Core::String& message) const;
  void ClearError();

  // Where a try starts counting recorded failures.
  uint64_t GetFailureMark() const { return m_failureCount; }
  // True once for a failure recorded after the mark that no inner try has
  // handled yet; it counts as handled from then on.
  bool HandleFailureSince(uint64_t mark);

  // Runs the one binding or handle operation, recording its failure before
  // it goes on.
  template <class TOperation>
  auto Guarded(TOperation&& operation) -> decltype(operation()) {
    try {
      return operation();
    } catch (const Core::IException& failure) {
      SetError(failure.GetMessage());
      throw;
    }
  }

private:
  Core::XInterface<CScriptBinding> m_binding;
  Xpath::CArgumentList m_arguments;
  bool m_error = false;
  Core::String m_message;
  // Recorded failures so far, and the count when a try last handled one.
  uint64_t m_failureCount = 0;
  uint64_t m_handledCount = 0;
};

// The run's context of the package of that namespace URI; no use added.
CObjectPackageContext& FindObjectPackageContext(Xslt::CExtensionContext* context, Core::StringView namespaceUri);

class CGetFunction;
class CCallFunction;
class CErrorFunction;

class CObjectPackage : public Xslt::CExtensionPackage {
public:
  CObjectPackage(Core::StringView namespaceUri, CScriptBinding* binding);
  ~CObjectPackage() override;

  Core::String GetNamespaceUri() override { return m_namespaceUri; }
  Core::XInterface<Xslt::CExtensionPackageContext> CreateContext() override;
  bool IsElementAvailable(Core::StringView localName) override;
  Core::XInterface<Xslt::CExtensionElement> CreateInstruction(Xslt::CExtensionStaticContext* staticContext) override;
  bool IsFunctionAvailable(Core::StringView localName) override;
  Core::XInterface<Xslt::CExtensionFunction> GetFunction(Core::StringView localName) override;

private:
  Core::String m_namespaceUri;
  Core::XInterface<CScriptBinding> m_binding;
  Core::XInterface<Xslt::CExtensionFunction> m_get;
  Core::XInterface<Xslt::CExtensionFunction> m_call;
  Core::XInterface<Xslt::CExtensionFunction> m_error;
};

} // namespace XsltObject
