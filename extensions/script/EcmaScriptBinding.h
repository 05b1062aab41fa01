#pragma once
// The object package's binding to the script interpreter: script files run
// as programs of the engine, objects named by global identifiers, property
// access and calls, and the conversions of values between XPath and the
// script. Every operation runs as global code of the engine's global object.
#include <cstdint>

#include "core/EncodingMap.h"
#include "core/Exception.h"
#include "core/Interface.h"
#include "core/Stream.h"
#include "core/String.h"
#include "core/TextReader.h"
#include "extensions/script/ObjectPackage.h"
#include "script/builtins/ScriptEngine.h"
#include "script/engine/ExecutionContext.h"
#include "script/engine/ScriptExceptions.h"
#include "script/engine/ScriptObject.h"
#include "script/engine/Value.h"

namespace XsltEcmaScript {

// The binding's own failures.
class CXsltEcmaScriptException : public Core::CCodedException {
public:
  enum : int32_t {
    ObjectRequired = 0,          // class name, method name
    UnsupportedEncoding = 1,     // encoding name
    ResourceRetrievalError = 2,  // URI
    MismatchedObjectClass = 3,   // the value's language, "ECMAScript"
    InvalidParameterType = 4,
    InvalidResultType = 5,
    MismatchedByteOrderMark = 6,  // encoding name, URI
  };
  explicit CXsltEcmaScriptException(int32_t code, Core::String first = {}, Core::String second = {});
};

class CEcmaScriptBinding;

class CScriptObjectHandle : public XsltObject::CObjectHandle {
public:
  // The binding outlives its handles.
  CScriptObjectHandle(EcmaScript::CScriptObject* object, CEcmaScriptBinding* binding)
      : m_object(object), m_binding(binding) {}

  EcmaScript::XObject GetObject() const { return m_object; }

  Core::XInterface<Xpath::CValue> Get(Core::StringView name) override;
  void Put(Core::StringView name, const Xpath::CValue& value) override;
  void Delete(Core::StringView name) override;
  Core::XInterface<Xpath::CValue> Call(Core::StringView method, const Xpath::CArgumentList& arguments) override;
  Core::XInterface<XsltObject::CObjectCall> PrepareCall(Core::StringView method,
                                                        const Xpath::CArgumentList& arguments) override;

private:
  EcmaScript::XObject m_object;
  CEcmaScriptBinding* m_binding;
};

// A method looked up and its arguments converted once, called any number of
// times.
class CScriptCall : public XsltObject::CObjectCall {
public:
  void Prepare(CEcmaScriptBinding* binding, EcmaScript::CScriptObject* object, Core::StringView method,
               const Xpath::CArgumentList& arguments);
  bool Invoke() override;

private:
  CEcmaScriptBinding* m_binding = nullptr;
  EcmaScript::XObject m_object;
  EcmaScript::XObject m_function;
  EcmaScript::CArgumentList m_arguments;
};

// A script object travelling through XPath (type 200).
class CScriptObjectValue : public XsltObject::CObjectValue {
public:
  explicit CScriptObjectValue(CScriptObjectHandle* handle) : m_handle(handle) {}

  XsltObject::CObjectHandle* GetHandle() const override { return m_handle.Get(); }
  Core::StringView GetLanguage() const override { return m_language; }

private:
  Core::XInterface<CScriptObjectHandle> m_handle;
  const char16_t* m_language = u"ECMAScript";
};

class CEcmaScriptBinding : public XsltObject::CScriptBinding {
public:
  CEcmaScriptBinding(EcmaScript::CScriptEngine* engine, Unicode::CEncodingMap* encodings);

  void ImportScript(Core::StringView uri, Core::StringView encoding) override;
  Core::XInterface<XsltObject::CObjectHandle> CreateObjectHandle(Core::StringView name) override;

  EcmaScript::CExecutionContext& GetExecutionContext() { return m_context; }
  EcmaScript::XValue ToScriptValue(const Xpath::CValue& value);
  Core::XInterface<Xpath::CValue> ToXpathValue(EcmaScript::CValue* value);

private:
  Core::XInterface<EcmaScript::CScriptEngine> m_engine;
  Core::XInterface<Unicode::CEncodingMap> m_encodings;
  // Not counted: the engine keeps it.
  EcmaScript::CGlobalObject* m_global;
  // Released first, before the engine it refers into.
  EcmaScript::CExecutionContext m_context;
};

} // namespace XsltEcmaScript

namespace XsltEcmaScriptPrivate {

// A script file as the UTF-16 stream the engine reads.
class CScriptSourceStream : public Core::IUnicodeStream {
public:
  CScriptSourceStream() : m_reader(new Core::CTextReader()) {}
  ~CScriptSourceStream() override;

  // False for a URL that names no local file, or a file that cannot be opened.
  bool Open(Core::StringView url, Unicode::CEncoding* encoding);
  // See Core::CTextReader::DropByteOrderMark.
  bool DropByteOrderMark() { return m_reader->DropByteOrderMark(); }
  bool Close();

  // A file longer than the longest script string (a device that never
  // ends) fails with the retrieval error.
  int32_t Read(char16_t* buffer, int32_t count) override;
  int32_t Write(const char16_t*, int32_t) override { return 0; }
  int32_t Seek(int32_t, int32_t) override { return 0; }
  int32_t Tell() override { return 0; }

private:
  bool m_open = false;
  Core::String m_url;
  Core::XInterface<Core::CTextReader> m_reader;
};

// A failure of script code, with the program, function and line it
// happened at.
class CEcmaScriptInterpreterException : public Core::IException {
public:
  explicit CEcmaScriptInterpreterException(const EcmaScript::CEcmaScriptException& wrapped) : m_wrapped(wrapped) {}
  Core::String GetMessage() const override;
  const EcmaScript::CEcmaScriptException& GetWrapped() const { return m_wrapped; }

private:
  EcmaScript::CEcmaScriptException m_wrapped;
};

} // namespace XsltEcmaScriptPrivate
