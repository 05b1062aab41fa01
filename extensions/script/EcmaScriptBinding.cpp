#include "extensions/script/EcmaScriptBinding.h"

#include "core/StringHelpers.h"
#include "core/Uri.h"
#include "script/builtins/StringLength.h"
#include "script/engine/Conversions.h"
#include "script/engine/PropertyName.h"

namespace XsltEcmaScript {

using EcmaScript::CEcmaScriptException;
using XsltEcmaScriptPrivate::CEcmaScriptInterpreterException;

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Object required: '%s.%s'"},
    {1, u"Unsupported encoding: '%s'"},
    {2, u"Resource retrieval error: '%s'"},
    {3, u"Mismatched object class: '%s', required '%s'"},
    {4, u"Invalid parameter type"},
    {5, u"Invalid result type"},
    {6, u"Byte-order mark does not match the encoding '%s': '%s'"},
    {-1, u"Unclassified XSLT-ECMAScript exception"},
};

constexpr Core::StringView kLanguage = u"ECMAScript";

// Runs one operation of the interpreter; a failure of script code leaves
// with where in the script it happened.
template <class TOperation>
auto Interpreted(TOperation&& operation) -> decltype(operation()) {
  try {
    return operation();
  } catch (const CEcmaScriptException& failure) {
    throw CEcmaScriptInterpreterException(failure);
  }
}

// The method's function object, or code 0 with the class and method names.
EcmaScript::XObject GetMethod(CEcmaScriptBinding& binding, EcmaScript::CScriptObject* object,
                              Core::StringView method) {
  EcmaScript::XValue value =
      Interpreted([&] { return object->Get(binding.GetExecutionContext(), EcmaScript::CPropertyName(method)); });
  if (value->GetType() != EcmaScript::CValue::ObjectType)
    throw CXsltEcmaScriptException(CXsltEcmaScriptException::ObjectRequired, Core::String(object->GetClassName()),
                                   Core::String(method));
  return value->GetObject();
}

EcmaScript::CArgumentList ToScriptArguments(CEcmaScriptBinding& binding, const Xpath::CArgumentList& arguments) {
  EcmaScript::CArgumentList converted;
  for (const auto& argument : arguments) converted.Append(binding.ToScriptValue(*argument));
  return converted;
}

} // namespace

CXsltEcmaScriptException::CXsltEcmaScriptException(int32_t code, Core::String first, Core::String second)
    : Core::CCodedException(kMessages, code, 2, std::move(first), std::move(second)) {}

// ---- binding --------------------------------------------------------------------

CEcmaScriptBinding::CEcmaScriptBinding(EcmaScript::CScriptEngine* engine, Unicode::CEncodingMap* encodings)
    : m_engine(engine), m_encodings(encodings), m_global(engine->GetGlobalObject()) {
  m_context.InitGlobalCode(m_global);
}

void CEcmaScriptBinding::ImportScript(Core::StringView uri, Core::StringView encoding) {
  Core::String name = encoding.empty() ? Core::String(u"UTF-8") : Core::String(encoding);
  Unicode::CEncoding* found = m_encodings->Find(name);
  if (!found) throw CXsltEcmaScriptException(CXsltEcmaScriptException::UnsupportedEncoding, name);
  Core::XInterface<XsltEcmaScriptPrivate::CScriptSourceStream> source(new XsltEcmaScriptPrivate::CScriptSourceStream());
  if (!source->Open(uri, found))
    throw CXsltEcmaScriptException(CXsltEcmaScriptException::ResourceRetrievalError, Core::String(uri));
  if (!source->DropByteOrderMark())
    throw CXsltEcmaScriptException(CXsltEcmaScriptException::MismatchedByteOrderMark, found->GetName(),
                                   Core::String(uri));
  m_engine->SetProgramName(Core::String(uri));
  m_engine->SetFirstLine(1);
  // Syntax errors leave as the engine's parse error, unchanged.
  Interpreted([&] { m_engine->Execute(source.Get()); });
  source->Close();
}

Core::XInterface<XsltObject::CObjectHandle> CEcmaScriptBinding::CreateObjectHandle(Core::StringView name) {
  if (name.empty()) return new CScriptObjectHandle(m_global, this);
  EcmaScript::XObject object = Interpreted([&] {
    EcmaScript::XValue reference = EcmaScript::MakeReference(m_context, EcmaScript::CPropertyName(name));
    EcmaScript::XValue value = EcmaScript::GetValue(m_context, reference.Get());
    return EcmaScript::ToObject(m_context, value.Get());
  });
  return new CScriptObjectHandle(object.Get(), this);
}

EcmaScript::XValue CEcmaScriptBinding::ToScriptValue(const Xpath::CValue& value) {
  switch (value.GetType()) {
  case Xpath::CValue::BooleanType:
    return EcmaScript::MakeBoolean(value.GetBoolean());
  case Xpath::CValue::NumberType:
    // Always in double form, whatever the number.
    return new EcmaScript::CNumberValue(EcmaScript::CScriptNumber(value.GetNumber().GetValue()));
  case Xpath::CValue::StringType:
    return EcmaScript::MakeString(value.GetString());
  case Xpath::CValue::ScriptObjectType:
    if (auto* object = dynamic_cast<const XsltObject::CObjectValue*>(&value)) {
      auto* handle = dynamic_cast<CScriptObjectHandle*>(object->GetHandle());
      if (object->GetLanguage() != kLanguage || !handle)
        throw CXsltEcmaScriptException(CXsltEcmaScriptException::MismatchedObjectClass,
                                       Core::String(object->GetLanguage()), Core::String(kLanguage));
      return EcmaScript::MakeObject(handle->GetObject().Get());
    }
    break;
  default:
    break;
  }
  throw CXsltEcmaScriptException(CXsltEcmaScriptException::InvalidParameterType);
}

Core::XInterface<Xpath::CValue> CEcmaScriptBinding::ToXpathValue(EcmaScript::CValue* value) {
  EcmaScript::XValue primitive;
  if (value->GetType() == EcmaScript::CValue::ObjectType) {
    EcmaScript::CScriptObject* object = value->GetObject();
    Core::StringView className = object->GetClassName();
    if (className == u"String" || className == u"Boolean" || className == u"Number" || className == u"Date") {
      primitive = object->GetPrimitiveValue();
      if (primitive) value = primitive.Get();
    }
  }
  switch (value->GetType()) {
  case EcmaScript::CValue::UndefinedType:
  case EcmaScript::CValue::NullType:
    return new Xpath::CStringValue(Core::String());
  case EcmaScript::CValue::BooleanType:
    return new Xpath::CBooleanValue(value->GetBoolean());
  case EcmaScript::CValue::StringType:
    return new Xpath::CStringValue(value->GetString());
  case EcmaScript::CValue::NumberType:
    return new Xpath::CNumberValue(Xpath::CNumber(value->GetNumber().ToDouble()));
  case EcmaScript::CValue::ObjectType:
    return new CScriptObjectValue(new CScriptObjectHandle(value->GetObject(), this));
  default:
    throw CXsltEcmaScriptException(CXsltEcmaScriptException::InvalidResultType);
  }
}

// ---- handle -----------------------------------------------------------------------

Core::XInterface<Xpath::CValue> CScriptObjectHandle::Get(Core::StringView name) {
  EcmaScript::XValue value =
      Interpreted([&] { return m_object->Get(m_binding->GetExecutionContext(), EcmaScript::CPropertyName(name)); });
  return m_binding->ToXpathValue(value.Get());
}

void CScriptObjectHandle::Put(Core::StringView name, const Xpath::CValue& value) {
  EcmaScript::XValue converted = m_binding->ToScriptValue(value);
  Interpreted(
      [&] { m_object->Put(m_binding->GetExecutionContext(), EcmaScript::CPropertyName(name), converted.Get()); });
}

void CScriptObjectHandle::Delete(Core::StringView name) {
  Interpreted([&] { m_object->Delete(m_binding->GetExecutionContext(), EcmaScript::CPropertyName(name)); });
}

Core::XInterface<Xpath::CValue> CScriptObjectHandle::Call(Core::StringView method,
                                                          const Xpath::CArgumentList& arguments) {
  EcmaScript::XObject function = GetMethod(*m_binding, m_object.Get(), method);
  EcmaScript::CArgumentList converted = ToScriptArguments(*m_binding, arguments);
  EcmaScript::XValue result = Interpreted(
      [&] { return function->Call(m_binding->GetExecutionContext(), m_object.Get(), converted); });
  return m_binding->ToXpathValue(result.Get());
}

Core::XInterface<XsltObject::CObjectCall> CScriptObjectHandle::PrepareCall(Core::StringView method,
                                                                           const Xpath::CArgumentList& arguments) {
  Core::XInterface<CScriptCall> call(new CScriptCall());
  call->Prepare(m_binding, m_object.Get(), method, arguments);
  return call;
}

// ---- prepared call ------------------------------------------------------------------

void CScriptCall::Prepare(CEcmaScriptBinding* binding, EcmaScript::CScriptObject* object, Core::StringView method,
                          const Xpath::CArgumentList& arguments) {
  m_binding = binding;
  m_object = object;
  m_function = GetMethod(*binding, object, method);
  m_arguments = ToScriptArguments(*binding, arguments);
}

bool CScriptCall::Invoke() {
  EcmaScript::XValue result =
      Interpreted([&] { return m_function->Call(m_binding->GetExecutionContext(), m_object.Get(), m_arguments); });
  return EcmaScript::ToBoolean(result.Get());
}

} // namespace XsltEcmaScript

namespace XsltEcmaScriptPrivate {

CScriptSourceStream::~CScriptSourceStream() {
  if (m_open) Close();
}

bool CScriptSourceStream::Open(Core::StringView url, Unicode::CEncoding* encoding) {
  Core::String fileName;
  if (!Uri::UrlToFileName(url, fileName)) return false;
  if (!m_reader->Open(fileName, u"r", encoding)) return false;
  m_reader->SetLimit(static_cast<int64_t>(EcmaScript::kMaxBuiltinStringLength));
  m_url = Core::String(url);
  m_open = true;
  return true;
}

bool CScriptSourceStream::Close() {
  bool closed = m_reader->Close();
  m_open = false;
  return closed;
}

int32_t CScriptSourceStream::Read(char16_t* buffer, int32_t count) {
  if (count <= 0) return 0;
  Core::String text = m_reader->Read(count);
  if (m_reader->ExceededLimit())
    throw XsltEcmaScript::CXsltEcmaScriptException(XsltEcmaScript::CXsltEcmaScriptException::ResourceRetrievalError,
                                                   m_url);
  std::copy(text.begin(), text.end(), buffer);
  return static_cast<int32_t>(text.size());
}

Core::String CEcmaScriptInterpreterException::GetMessage() const { return m_wrapped.Describe(); }

} // namespace XsltEcmaScriptPrivate
