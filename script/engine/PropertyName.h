#pragma once
// The name of a property: a text, or a non-negative integer that stands for
// its decimal text (the integer 7 and the text "7" name the same property).
// The text is shared, counted and immutable, so copying a name never copies
// characters; the hash of the text is kept once known (the scanner computes
// it for every identifier).
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"
#include "script/engine/SmallAllocator.h"

namespace EcmaScript {

class CNameText : public Core::CInterface {
public:
  KELTO_SMALL_OBJECT_ALLOCATION
  explicit CNameText(Core::String text) : m_text(std::move(text)) {}
  const Core::String& GetText() const { return m_text; }

private:
  Core::String m_text;
};

class CPropertyName {
public:
  // Empty text, no integer form, hash unknown.
  CPropertyName() = default;
  CPropertyName(const char16_t* text);
  explicit CPropertyName(Core::StringView text);
  explicit CPropertyName(Core::String&& text);
  // A text whose hash the caller computed (HashText).
  CPropertyName(Core::String&& text, int32_t hash);
  // Shares a text already held.
  explicit CPropertyName(CNameText* text, int32_t hash = -1);
  // The integer form of a non-negative number.
  static CPropertyName FromIndex(int32_t index);

  // The text: the decimal rendering of the integer form, or the stored text.
  Core::String GetText() const;
  void AppendText(Core::String& out) const;
  // -1 for a text name.
  int32_t GetIntegerForm() const { return m_integer; }
  bool IsIntegerForm() const { return m_integer >= 0; }
  // The stored text (empty for the integer form) and its shared holder.
  Core::StringView GetStoredText() const;
  CNameText* GetSharedText() const { return m_text.Get(); }

  // The property-table hash of GetText, computed at the first request.
  int32_t GetHash() const { return m_hash >= 0 ? m_hash : ComputeHash(); }
  // -1 while not yet computed.
  int32_t GetCachedHash() const { return m_hash; }

  // True when GetText equals text unit for unit, without building the text.
  bool Equals(Core::StringView text) const;
  friend bool operator==(const CPropertyName& a, const CPropertyName& b);

private:
  int32_t ComputeHash() const;

  Core::XInterface<CNameText> m_text;
  int32_t m_integer = -1;
  mutable int32_t m_hash = -1;
};

// h = h * 9 + unit in unsigned 32-bit arithmetic over the units up to the
// first U+0000, masked to 31 bits; the empty text gives 0.
int32_t HashText(Core::StringView text);

} // namespace EcmaScript
