#include "core/Exception.h"

namespace Core {

String FormatMessage(StringView templ, const char16_t* a1, const char16_t* a2, const char16_t* a3) {
  const char16_t* args[3] = {a1, a2, a3};
  String out;
  out.reserve(templ.size() + 32);
  size_t k = 0;
  for (size_t i = 0; i < templ.size(); ++i) {
    if (templ[i] == u'%' && i + 1 < templ.size() && templ[i + 1] == u's') {
      if (k < 3 && args[k]) {
        out += args[k];
        ++k;
      } else {
        out += u'?';
      }
      ++i;
    } else {
      out += templ[i];
    }
  }
  return out;
}

const char16_t* LookupMessage(const CMessageItem* table, int32_t code) {
  const CMessageItem* row = table;
  while (row->code != code && row->code != -1) ++row;
  return row->text;
}

String CCodedException::GetMessage() const {
  const char16_t* a[3] = {nullptr, nullptr, nullptr};
  for (int i = 0; i < m_argCount && i < 3; ++i) a[i] = m_args[i].c_str();
  return FormatMessage(LookupMessage(m_table, m_code), a[0], a[1], a[2]);
}

} // namespace Core
