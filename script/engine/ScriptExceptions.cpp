#include "script/engine/ScriptExceptions.h"

#include "core/StringHelpers.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

namespace {

const Core::CMessageItem kRuntimeMessages[] = {
    {0, u"Object does not support [[DefaultValue]] method"},
    {1, u"Object does not support [[Construct]] method"},
    {2, u"Object does not support [[Call]] method"},
    {3, u"Object does not support [[Match]] method"},
    {4, u"GetBase: reference required"},
    {5, u"GetPropertyName: reference required"},
    {6, u"GetValue: invalid reference"},
    {7, u"PutValue: reference required"},
    {8, u"Cannot convert to primitive: illegal object default value"},
    {9, u"Cannot convert to object: illegal value type"},
    {10, u"Operand of 'new' is not an object"},
    {11, u"Operand of function call is not an object"},
    {12, u"Operand of 'Function.prototype.toString' is not a function"},
    {13, u"Invalid array length supplied for 'new Array'"},
    {14, u"Invalid array 'length' property value"},
    {15, u"String object required"},
    {16, u"Boolean object required"},
    {17, u"Number object required"},
    {18, u"Invalid radix supplied for 'Number.prototype.toString'"},
    {19, u"Date object required"},
    {20, u"RegExp object required"},
    {21, u"Invalid formal parameter list syntax"},
    {22, u"Invalid function body syntax"},
    {23, u"Eval code syntax error"},
    {24, u"Invalid RegExp flags"},
    {25, u"Maximum call depth exceeded"},
    {26, u"Regular expression too complex"},
    {27, u"String too long"},
    {-1, u"Unclassified runtime error"},
};

} // namespace

Core::String CParseError::GetMessage() const {
  Core::String text = u"Error(s) encountered during program parsing";
  if (!m_programName.empty()) {
    text += u"\n    Program '";
    text += m_programName;
    text += u"'";
  }
  return text;
}

CRuntimeError::CRuntimeError(int32_t code, CValue* value) : m_code(code), m_value(value) {}
CRuntimeError::CRuntimeError(int32_t code, CScriptObject* object) : m_code(code), m_object(object) {}
CRuntimeError::CRuntimeError(const CRuntimeError&) = default;
CRuntimeError& CRuntimeError::operator=(const CRuntimeError&) = default;
CRuntimeError::~CRuntimeError() = default;

Core::String CRuntimeError::GetMessage() const {
  Core::String text = u"ECMAScript runtime error: ";
  text += Core::LookupMessage(kRuntimeMessages, m_code);
  return text;
}

const Core::CMessageItem* CRuntimeError::GetMessageTable() { return kRuntimeMessages; }

CEcmaScriptException::CEcmaScriptException(const Core::IException& wrapped) : m_message(wrapped.GetMessage()) {
  if (auto* runtime = dynamic_cast<const CRuntimeError*>(&wrapped)) {
    m_runtimeError = std::make_shared<const CRuntimeError>(*runtime);
  }
}

CEcmaScriptException::CEcmaScriptException(const CEcmaScriptException&) = default;
CEcmaScriptException& CEcmaScriptException::operator=(const CEcmaScriptException&) = default;
CEcmaScriptException::~CEcmaScriptException() = default;

void CEcmaScriptException::SetValue(CValue* value) { m_value = value; }
void CEcmaScriptException::SetObject(CScriptObject* object) { m_object = object; }

Core::String CEcmaScriptException::Describe() const {
  Core::String text = m_message;
  if (!m_programName.empty()) text += u"\n    Program '" + m_programName + u"'";
  if (!m_functionName.empty() || m_line > 0) {
    text += u"\n    ";
    if (!m_programName.empty()) text += u"    ";
    if (!m_functionName.empty()) text += u"function '" + m_functionName + u"'";
    if (m_line > 0) {
      if (!m_functionName.empty()) text += u' ';
      text += u"at line " + Core::IntToWideString(m_line);
    }
  }
  return text;
}

} // namespace EcmaScript
