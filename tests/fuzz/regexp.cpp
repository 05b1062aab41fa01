// Fuzz target: regular expressions. A flags byte, then a pattern and a text
// (see Fuzz::CByteReader::Text). Compiling any pattern ends in a program or
// a coded syntax error; running it over any text, under a small step budget,
// ends in a result or the engine's "too complex" error. The searches must
// agree with each other: Exec and Search find the same first match, MatchAt
// there reports the same captures, a repeated search the same result, and
// every capture lies inside the text.
#include <cstdint>
#include <cstdlib>

#include "FuzzText.h"
#include "script/builtins/regexp/ParserException.h"
#include "script/builtins/regexp/RegExp.h"
#include "script/builtins/regexp/TooComplexException.h"

namespace {

using Core::String;
using RegExp::CCaptureList;
using RegExp::CRegExp;

bool Same(const CCaptureList& a, const CCaptureList& b) {
  if (a.GetCount() != b.GetCount()) return false;
  for (int32_t i = 0; i < a.GetCount(); ++i) {
    int32_t s1, l1, s2, l2;
    a.Get(i, s1, l1);
    b.Get(i, s2, l2);
    if (s1 != s2 || l1 != l2) return false;
  }
  return true;
}

void CheckCaptures(const CCaptureList& captures, int32_t groups, size_t length) {
  KELTO_FUZZ_CHECK(captures.GetCount() == groups);
  int32_t start, count;
  captures.Get(0, start, count);
  KELTO_FUZZ_CHECK(start >= 0 && count >= 0 && static_cast<size_t>(start) + count <= length);
  for (int32_t i = 1; i < captures.GetCount(); ++i) {
    captures.Get(i, start, count);
    if (start < 0) {
      KELTO_FUZZ_CHECK(start == -1 && count == -1);
    } else {
      KELTO_FUZZ_CHECK(count >= 0 && static_cast<size_t>(start) + count <= length);
    }
  }
}

void Searches(CRegExp& r, const String& text) {
  CCaptureList first;
  r.SetLastIndex(0);
  bool found = r.Exec(text, &first);
  int32_t position = r.Search(text);
  KELTO_FUZZ_CHECK(found == (position >= 0));
  if (!found) {
    KELTO_FUZZ_CHECK(r.GetLastIndex() == 0);
    return;
  }
  int32_t groups = first.GetCount();
  CheckCaptures(first, groups, text.size());
  int32_t start, length;
  first.Get(0, start, length);
  KELTO_FUZZ_CHECK(start == position);
  KELTO_FUZZ_CHECK(r.GetLastIndex() == (r.GetGlobal() ? start + length : 0));

  CCaptureList again;
  r.BeginSearch();
  KELTO_FUZZ_CHECK(r.MatchAt(text, position, again));
  KELTO_FUZZ_CHECK(Same(first, again));
  if (position > 0) KELTO_FUZZ_CHECK(!r.MatchAt(text, position - 1, again));
  r.SetLastIndex(0);
  KELTO_FUZZ_CHECK(r.Exec(text, &again) && Same(first, again));

  // A global match or replace: every match from a position of its own,
  // one further after an empty match.
  int64_t next = 0;
  for (size_t round = 0; round <= text.size() + 1; ++round) {
    r.SetLastIndex(static_cast<int32_t>(next));
    if (!r.ExecForward(text, &again)) {
      KELTO_FUZZ_CHECK(r.GetLastIndex() == 0);
      return;
    }
    CheckCaptures(again, groups, text.size());
    again.Get(0, start, length);
    KELTO_FUZZ_CHECK(start >= next || !r.GetGlobal());
    if (!r.GetGlobal()) return;
    next = length == 0 ? start + 1 : start + length;
  }
  KELTO_FUZZ_CHECK(false);  // the loop must end by itself
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  Fuzz::CByteReader in(data, size);
  uint8_t flags = in.Byte();
  String pattern = in.Text();
  String text = in.Text();

  Core::XInterface<CRegExp> r = Core::Make<CRegExp>();
  try {
    r->Compile(pattern, flags & 1, flags & 2, flags & 4);
  } catch (const RegExpPrivate::CParserException& e) {
    KELTO_FUZZ_CHECK(e.GetCode() >= 0 && e.GetCode() <= 7);
    KELTO_FUZZ_CHECK(!e.GetMessage().empty());
    return 0;
  }
  KELTO_FUZZ_CHECK(r->GetSource() == pattern);
  r->SetLimits({200'000, 1 << 16});
  try {
    Searches(*r, text);
  } catch (const RegExp::CTooComplexException& e) {
    KELTO_FUZZ_CHECK(e.GetReason() != RegExp::CTooComplexException::Memory);
  }
  return 0;
}
