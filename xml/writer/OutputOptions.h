#pragma once
// The xsl:output settings of one transformation. Every setting carries an
// is-set bit so that readers can tell a value the stylesheet gave from one it
// left open; getters leave the caller's slot untouched when the bit is clear,
// so a caller may preload its default there.
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "core/Interface.h"
#include "core/String.h"

namespace Xslt {

class COutputOptions : public Core::CInterface {
public:
  enum : uint32_t {
    kMethod = 0x1,
    kMethodName = 0x2,
    kVersion = 0x4,
    kEncoding = 0x8,
    kOmitXmlDeclaration = 0x10,
    kStandalone = 0x20,
    kDoctypePublic = 0x40,
    kDoctypeSystem = 0x80,
    kIndent = 0x100,
    kMediaType = 0x200,
  };
  // Method kinds; readers treat any other value as xml.
  enum : uint32_t { kXml = 0, kHtml = 1, kText = 2 };

  COutputOptions() = default;
  ~COutputOptions() override = default;

  bool GetMethod(uint32_t& out) const { return Get(kMethod, m_method, out); }
  void SetMethod(uint32_t value) { Set(kMethod, m_method, value); }
  bool GetMethodName(Core::String& namespaceUri, Core::String& localName) const {
    if (!(m_isSet & kMethodName)) return false;
    namespaceUri = m_methodUri;
    localName = m_methodLocal;
    return true;
  }
  void SetMethodName(Core::StringView namespaceUri, Core::StringView localName) {
    m_methodUri = namespaceUri;
    m_methodLocal = localName;
    m_isSet |= kMethodName;
  }

  bool GetVersion(Core::String& out) const { return Get(kVersion, m_version, out); }
  void SetVersion(Core::StringView value) { SetString(kVersion, m_version, value); }
  bool GetEncoding(Core::String& out) const { return Get(kEncoding, m_encoding, out); }
  void SetEncoding(Core::StringView value) { SetString(kEncoding, m_encoding, value); }
  bool GetOmitXmlDeclaration(bool& out) const { return Get(kOmitXmlDeclaration, m_omitXmlDeclaration, out); }
  void SetOmitXmlDeclaration(bool value) { Set(kOmitXmlDeclaration, m_omitXmlDeclaration, value); }
  bool GetStandalone(bool& out) const { return Get(kStandalone, m_standalone, out); }
  void SetStandalone(bool value) { Set(kStandalone, m_standalone, value); }
  bool GetDoctypePublic(Core::String& out) const { return Get(kDoctypePublic, m_doctypePublic, out); }
  void SetDoctypePublic(Core::StringView value) { SetString(kDoctypePublic, m_doctypePublic, value); }
  bool GetDoctypeSystem(Core::String& out) const { return Get(kDoctypeSystem, m_doctypeSystem, out); }
  void SetDoctypeSystem(Core::StringView value) { SetString(kDoctypeSystem, m_doctypeSystem, value); }
  bool GetIndent(bool& out) const { return Get(kIndent, m_indent, out); }
  void SetIndent(bool value) { Set(kIndent, m_indent, value); }
  bool GetMediaType(Core::String& out) const { return Get(kMediaType, m_mediaType, out); }
  void SetMediaType(Core::StringView value) { SetString(kMediaType, m_mediaType, value); }

  uint32_t GetIsSetFlags() const { return m_isSet; }

private:
  template <class T>
  bool Get(uint32_t bit, const T& field, T& out) const {
    if (!(m_isSet & bit)) return false;
    out = field;
    return true;
  }
  template <class T>
  void Set(uint32_t bit, T& field, T value) {
    field = value;
    m_isSet |= bit;
  }
  void SetString(uint32_t bit, Core::String& field, Core::StringView value) {
    field = value;
    m_isSet |= bit;
  }

  uint32_t m_method = 0;
  Core::String m_methodUri;
  Core::String m_methodLocal;
  Core::String m_version;
  Core::String m_encoding;
  bool m_omitXmlDeclaration = false;
  bool m_standalone = false;
  Core::String m_doctypePublic;
  Core::String m_doctypeSystem;
  bool m_indent = false;
  Core::String m_mediaType;
  uint32_t m_isSet = 0;
};

} // namespace Xslt

namespace XsltPrivate {

// The options record of a run: the settings plus the expanded names listed by
// every cdata-section-elements attribute.
class CPrivateOutputOptions : public Xslt::COutputOptions {
public:
  CPrivateOutputOptions() = default;
  ~CPrivateOutputOptions() override = default;

  void AddCdataSectionElement(Core::StringView namespaceUri, Core::StringView localName);
  bool IsCdataSectionElement(Core::StringView namespaceUri, Core::StringView localName) const;

private:
  // Lets the lookup run on the caller's views without copying the names.
  struct CNameHash {
    using is_transparent = void;
    size_t operator()(Core::StringView s) const { return std::hash<Core::StringView>{}(s); }
  };
  using CNameSet = std::unordered_set<Core::String, CNameHash, std::equal_to<>>;
  // namespace URI -> local names
  std::unordered_map<Core::String, CNameSet, CNameHash, std::equal_to<>> m_cdataElements;
};

} // namespace XsltPrivate
