#pragma once
// A compiled xsl:output: which settings it gives and their values. Merging
// the declarations of all modules is the run's declaration pass.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/TopLevel.h"

namespace XsltPrivate {

class COutput : public CTopLevel {
public:
  // Presence bits of the settings (this class's own, not those of the output options).
  enum : uint32_t {
    HasMethod = 0x1,
    HasVersion = 0x2,
    HasEncoding = 0x4,
    HasOmitXmlDeclaration = 0x8,
    HasStandalone = 0x10,
    HasDoctypePublic = 0x20,
    HasDoctypeSystem = 0x40,
    HasIndent = 0x80,
    HasMediaType = 0x100,
  };
  // Method kinds and yes/no codes.
  enum : int32_t { MethodXml = 0, MethodHtml = 1, MethodText = 2 };
  enum : int32_t { Absent = -1, Yes = 0, No = 1 };

  void Compile(CStaticContext& context);

  uint32_t GetPresence() const { return m_presence; }
  // Each getter leaves the out value untouched and answers false when its
  // setting is not given.
  bool GetMethod(int32_t& kind) const;
  // The method given as a prefixed QName, else null (and no method bit).
  CExpandedName* GetMethodName() const { return m_methodName.Get(); }
  bool GetVersion(Core::String& out) const;
  bool GetEncoding(Core::String& out) const;
  bool GetOmitXmlDeclaration(int32_t& code) const;
  bool GetStandalone(int32_t& code) const;
  bool GetDoctypePublic(Core::String& out) const;
  bool GetDoctypeSystem(Core::String& out) const;
  bool GetIndent(int32_t& code) const;
  bool GetMediaType(Core::String& out) const;
  int32_t GetCdataSectionElementCount() const { return static_cast<int32_t>(m_cdataSectionElements.size()); }
  CExpandedName* GetCdataSectionElement(int32_t i) const {
    return m_cdataSectionElements[static_cast<size_t>(i)].Get();
  }

private:
  uint32_t m_presence = 0;
  int32_t m_method = -1;
  Core::XInterface<CExpandedName> m_methodName;
  Core::String m_version;
  Core::String m_encoding;
  int32_t m_omitXmlDeclaration = Absent;
  int32_t m_standalone = Absent;
  Core::String m_doctypePublic;
  Core::String m_doctypeSystem;
  std::vector<Core::XInterface<CExpandedName>> m_cdataSectionElements;
  int32_t m_indent = Absent;
  Core::String m_mediaType;
};

} // namespace XsltPrivate
