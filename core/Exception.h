#pragma once
// The root of every exception family, message tables and the message formatter.
// Exceptions are thrown by value and caught as const Core::IException&.
#include <cstdint>
#include <optional>

#include "core/String.h"

namespace Core {

class IException {
public:
  virtual ~IException() = default;
  virtual String GetMessage() const { return u"? Unknown exception"; }
};

// One row of a family's message table; the last row has code -1 and the
// family's "Unclassified ..." default.
struct CMessageItem {
  int32_t code;
  const char16_t* text;
};

// Absent arguments are nullptr; each "%s" takes the next argument, and once
// one is absent it and every later placeholder give "?".
String FormatMessage(StringView templ, const char16_t* a1 = nullptr, const char16_t* a2 = nullptr,
                     const char16_t* a3 = nullptr);

// The template of code in table (the -1 row when the code is missing).
const char16_t* LookupMessage(const CMessageItem* table, int32_t code);

// A family member with a code and up to three string arguments, looked up in
// the family's table. Families derive from it and pass their table.
class CCodedException : public IException {
public:
  CCodedException(const CMessageItem* table, int32_t code, int argCount = 0, String a1 = {},
                  String a2 = {}, String a3 = {})
      : m_table(table), m_code(code), m_argCount(argCount), m_args{std::move(a1), std::move(a2), std::move(a3)} {}

  String GetMessage() const override;
  int32_t GetCode() const { return m_code; }
  int GetArgCount() const { return m_argCount; }
  const String& GetArg(int i) const { return m_args[i]; }

private:
  const CMessageItem* m_table;
  int32_t m_code;
  int m_argCount;
  String m_args[3];
};

} // namespace Core
