#pragma once
// The text-input package: plain text files read as records, in the namespace
// kTextInputUri. format and field elements declare record formats, a read
// element walks a file record by record, and field-count(), field-name() and
// field-value() give the fields of the current record.
#include <cstdint>

#include "core/EncodingMap.h"
#include "core/Interface.h"
#include "core/String.h"
#include "extensions/textinput/ScopedNameTable.h"
#include "extensions/textinput/TextFormat.h"
#include "extensions/textinput/TextSource.h"
#include "xslt/processor/extensions/ExtensionContext.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace XsltTextInput {

inline constexpr Core::StringView kTextInputUri = u"https://veltrix.dev/xslt/text-input";

class CFieldCountFunction;
class CFieldNameFunction;
class CFieldValueFunction;

class CTextInputPackage : public Xslt::CExtensionPackage {
public:
  CTextInputPackage();
  ~CTextInputPackage() override;

  Core::String GetNamespaceUri() override;
  Core::XInterface<Xslt::CExtensionPackageContext> CreateContext() override;
  bool IsElementAvailable(Core::StringView localName) override;
  Core::XInterface<Xslt::CExtensionElement> CreateInstruction(Xslt::CExtensionStaticContext* staticContext) override;
  bool IsFunctionAvailable(Core::StringView localName) override;
  Core::XInterface<Xslt::CExtensionFunction> GetFunction(Core::StringView localName) override;

private:
  Core::XInterface<CFieldCountFunction> m_fieldCount;
  Core::XInterface<CFieldNameFunction> m_fieldName;
  Core::XInterface<CFieldValueFunction> m_fieldValue;
};

// The state of one run: the formats and sources filed by the content lists
// open so far.
class CTextInputPackageContext : public Xslt::CExtensionPackageContext {
public:
  CTextInputPackageContext();
  ~CTextInputPackageContext() override;

  void Start(bool flag) override;
  void Finish() override;

  // Files a new format and makes it the one its field children add to.
  void DefineFormat(Core::String name, char16_t separator, bool header);
  void AddField(Core::String name, int32_t width);
  void EndFormat();

  // Files a source under the id, then opens its file. An empty encoding
  // name means none.
  void OpenSource(Core::StringView id, Core::StringView uri, Core::StringView encodingName,
                  Core::StringView formatName);
  bool ReadRecord(Core::StringView id);
  int32_t GetFieldCount(Core::StringView id);
  Core::String GetFieldName(Core::StringView id, int32_t index);
  Core::String GetFieldValue(Core::StringView id, int32_t index);
  Core::String GetFieldValueByName(Core::StringView id, Core::StringView name);
  // The visible source of the id; an invalid id is an error.
  CTextSource& FindSource(Core::StringView id);

private:
  Core::XInterface<Unicode::CEncodingMap> m_encodings;  // made on first need
  CScopedNameTable<CTextFormat> m_formats;
  CScopedNameTable<CTextSource> m_sources;
  Core::XInterface<CTextFormat> m_currentFormat;
};

// The package context of the run the element or function runs in.
CTextInputPackageContext& GetTextInputContext(Xslt::CExtensionContext* context);

} // namespace XsltTextInput
