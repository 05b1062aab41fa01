#pragma once
// The exceptions of the interpreter: a program with syntax errors
// (CParseError), a failed internal method or conversion (CRuntimeError) and
// a failure of a running statement with where it happened
// (CEcmaScriptException).
#include <cstdint>
#include <memory>

#include "core/Exception.h"
#include "script/engine/Value.h"

namespace EcmaScript {

class CParseError : public Core::IException {
public:
  explicit CParseError(Core::String programName) : m_programName(std::move(programName)) {}
  Core::String GetMessage() const override;
  const Core::String& GetProgramName() const { return m_programName; }

private:
  Core::String m_programName;
};

class CRuntimeError : public Core::IException {
public:
  enum : int32_t {
    NoDefaultValue = 0,
    NoConstruct = 1,
    NoCall = 2,
    NoMatch = 3,
    GetBaseNotReference = 4,
    GetPropertyNameNotReference = 5,
    GetValueInvalidReference = 6,
    PutValueNotReference = 7,
    IllegalDefaultValue = 8,
    ToObjectIllegalType = 9,
    NewOperandNotObject = 10,
    CallOperandNotObject = 11,
    FunctionToStringNotFunction = 12,
    InvalidArrayLengthConstructor = 13,
    InvalidArrayLength = 14,
    StringObjectRequired = 15,
    BooleanObjectRequired = 16,
    NumberObjectRequired = 17,
    InvalidRadix = 18,
    DateObjectRequired = 19,
    RegExpObjectRequired = 20,
    InvalidFormalParameters = 21,
    InvalidFunctionBody = 22,
    EvalSyntaxError = 23,
    InvalidRegExpFlags = 24,
    CallDepthExceeded = 25,
    RegExpTooComplex = 26,
    StringTooLong = 27,
  };

  // The offending value or object gains a use; either may be null.
  CRuntimeError(int32_t code, CValue* value);
  CRuntimeError(int32_t code, CScriptObject* object);
  CRuntimeError(const CRuntimeError&);
  CRuntimeError& operator=(const CRuntimeError&);
  ~CRuntimeError() override;

  // "ECMAScript runtime error: " and the text of the code.
  Core::String GetMessage() const override;
  int32_t GetCode() const { return m_code; }
  // No use added.
  CValue* GetValue() const { return m_value.Get(); }
  CScriptObject* GetObject() const { return m_object.Get(); }

  static const Core::CMessageItem* GetMessageTable();

private:
  int32_t m_code;
  XValue m_value;
  XObject m_object;
};

// A failure of a running statement. Its message is that of the failure it
// was made from; statements, programs and functions fill in the line, the
// offending value and object, and the program and function names on the way
// out, the innermost first.
class CEcmaScriptException : public Core::IException {
public:
  // Keeps a copy of a runtime error, and the message of any other failure.
  explicit CEcmaScriptException(const Core::IException& wrapped);
  CEcmaScriptException(const CEcmaScriptException&);
  CEcmaScriptException& operator=(const CEcmaScriptException&);
  ~CEcmaScriptException() override;

  Core::String GetMessage() const override { return m_message; }
  // The runtime error it was made from, or null.
  const CRuntimeError* GetRuntimeError() const { return m_runtimeError.get(); }

  void SetProgramName(Core::String name) { m_programName = std::move(name); }
  void SetFunctionName(Core::String name) { m_functionName = std::move(name); }
  void SetLine(int32_t line) { m_line = line; }
  void SetValue(CValue* value);
  void SetObject(CScriptObject* object);

  const Core::String& GetProgramName() const { return m_programName; }
  const Core::String& GetFunctionName() const { return m_functionName; }
  // The message with where it happened, as users see it: the message; then
  // "    Program 'P'"; then, indented further, "function 'F'" and/or
  // "at line N", each on a line of its own.
  Core::String Describe() const;
  // -1 until a statement sets it.
  int32_t GetLine() const { return m_line; }
  CValue* GetValue() const { return m_value.Get(); }
  CScriptObject* GetObject() const { return m_object.Get(); }

private:
  Core::String m_message;
  std::shared_ptr<const CRuntimeError> m_runtimeError;
  Core::String m_programName;
  Core::String m_functionName;
  int32_t m_line = -1;
  XValue m_value;
  XObject m_object;
};

} // namespace EcmaScript
