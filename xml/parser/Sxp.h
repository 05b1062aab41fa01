#pragma once
// The event interfaces between the XML parser and its clients. A client names
// only the parser factory and, when it parses a stream of its own, the input
// source record; everything else of the parser is private to it.
//
// Names and data handed to a handler are views into the parser's buffers:
// they are valid only during the call, and a handler that keeps one copies it.
#include <cstdint>
#include <utility>

#include "core/Exception.h"
#include "core/Interface.h"
#include "core/String.h"

namespace Core {
class IStream;
class IUnicodeStream;
} // namespace Core

namespace XmlParserPrivate {
class CInputSource;
} // namespace XmlParserPrivate

namespace Sxp {

// Where the parser is: always a position in the document entity, also while
// the replacement text of an entity is read. Valid only between the two
// SetDocumentLocator calls of a parse.
class ILocator : public Core::CInterface {
public:
  // Both stay valid until the parser moves to another entity or ends; the
  // tree builder asks for them at every node, so they are not copied.
  virtual Core::StringView GetPublicId() const = 0;
  virtual Core::StringView GetSystemId() const = 0;
  // Characters read so far on the current line.
  virtual int32_t GetColumnNumber() const = 0;
  // Current line, from 1.
  virtual int32_t GetLineNumber() const = 0;
};

// The document as a stream of events. Attribute values, comment text and
// CDATA text arrive only through Characters between their start and end
// events, in pieces of at most 1024 units (a defaulted attribute value comes
// whole, in exactly one call, possibly with count 0).
class IDocumentHandler : public Core::CInterface {
public:
  virtual void SetDocumentLocator(ILocator* locator) = 0;
  virtual void StartDocument() = 0;
  virtual void EndDocument() = 0;
  virtual void StartElement(Core::StringView qualifiedName) = 0;
  virtual void EndElement() = 0;
  virtual void StartAttribute(Core::StringView qualifiedName) = 0;
  virtual void EndAttribute() = 0;
  virtual void Characters(const char16_t* units, int32_t count) = 0;
  virtual void StartComment() = 0;
  virtual void EndComment() = 0;
  virtual void StartCdata() = 0;
  virtual void EndCdata() = 0;
  virtual void SkippedEntity(Core::StringView name) = 0;
  virtual void ProcessingInstruction(Core::StringView target, Core::StringView data) = 0;
};

// Attribute type codes of AttributeDeclaration.
enum EAttributeType : int32_t {
  AttributeTypeCdata = 0,
  AttributeTypeId = 1,
  AttributeTypeIdref = 2,
  AttributeTypeIdrefs = 3,
  AttributeTypeEntity = 4,
  AttributeTypeEntities = 5,
  AttributeTypeNmtoken = 6,
  AttributeTypeNmtokens = 7,
  AttributeTypeNotation = 8,
  AttributeTypeEnumeration = 9,
};

// Default kinds of AttributeDeclaration.
enum EDefaultKind : int32_t {
  DefaultRequired = 0,
  DefaultImplied = 1,
  DefaultFixed = 2,
  DefaultValue = 3,
};

// Declarations of the document type. An absent public or system identifier
// arrives as "".
class IDtdHandler : public Core::CInterface {
public:
  // The default value is "" for #REQUIRED and #IMPLIED, else the normalised literal.
  virtual void AttributeDeclaration(Core::StringView elementName, Core::StringView attributeName,
                                    int32_t type, int32_t defaultKind,
                                    Core::StringView defaultValue) = 0;
  virtual void UnparsedEntityDeclaration(Core::StringView name, Core::StringView publicId,
                                         Core::StringView systemId,
                                         Core::StringView notationName) = 0;
  virtual void NotationDeclaration(Core::StringView name, Core::StringView publicId,
                                   Core::StringView systemId) = 0;
};

// A document that is not well formed.
class CParseException : public Core::IException {
public:
  CParseException() = default;
  CParseException(Core::String message, Core::String publicId, Core::String systemId,
                  int32_t line, int32_t column)
      : m_message(std::move(message)), m_publicId(std::move(publicId)),
        m_systemId(std::move(systemId)), m_line(line), m_column(column) {}

  // The message; when it is empty, the nested exception's; else "".
  Core::String GetMessage() const override;

  Core::String GetPublicId() const { return m_publicId; }
  Core::String GetSystemId() const { return m_systemId; }
  int32_t GetLineNumber() const { return m_line; }
  int32_t GetColumnNumber() const { return m_column; }
  // Not owned; the parser always leaves it null.
  const Core::IException* GetNestedException() const { return m_nested; }
  void SetNestedException(const Core::IException* nested) { m_nested = nested; }

protected:
  Core::String m_message;
  const Core::IException* m_nested = nullptr;
  Core::String m_publicId;
  Core::String m_systemId;
  int32_t m_line = 0;
  int32_t m_column = 0;
};

// Sees each parse error just before it is thrown. It cannot suppress the
// error, only observe it or throw something else.
class IErrorHandler : public Core::CInterface {
public:
  virtual void Error(const CParseException& error) = 0;
  // Sees each warning: something of the document is left out of its events
  // and the parse goes on.
  virtual void Warning(const CParseException&) {}
};

class IParser : public Core::CInterface {
public:
  // Parses the document at a URL (a file URL or a file name).
  virtual void Parse(Core::StringView systemId) = 0;
  // Parses one whole document; holds a use of the source for the duration.
  virtual void ParseInputSource(XmlParserPrivate::CInputSource* source) = 0;
  // With no document handler, events are dropped and errors still raised.
  virtual void SetDocumentHandler(const Core::XInterface<IDocumentHandler>& handler) = 0;
  virtual void SetDtdHandler(const Core::XInterface<IDtdHandler>& handler) = 0;
  // Stored and never called.
  virtual void SetReservedHandler(const Core::XInterface<Core::CInterface>& handler) = 0;
  virtual void SetErrorHandler(const Core::XInterface<IErrorHandler>& handler) = 0;
  // Stored and never read.
  virtual void SetOption(Core::StringView option) = 0;
};

} // namespace Sxp

namespace XmlParserPrivate {

// What is to be parsed: a character stream is read directly; else a byte
// stream is decoded; else the system id is opened as a file.
class CInputSource : public Core::CInterface {
public:
  CInputSource();
  ~CInputSource() override;

  void SetByteStream(const Core::XInterface<Core::IStream>& stream);
  void SetCharacterStream(const Core::XInterface<Core::IUnicodeStream>& stream);
  const Core::XInterface<Core::IStream>& GetByteStream() const { return m_byteStream; }
  const Core::XInterface<Core::IUnicodeStream>& GetCharacterStream() const { return m_charStream; }

  void SetPublicId(Core::String id) { m_publicId = std::move(id); }
  void SetSystemId(Core::String id) { m_systemId = std::move(id); }
  // The encoding the caller knows the bytes to be in; "" when not named.
  void SetEncoding(Core::String name) { m_encoding = std::move(name); }
  Core::String GetPublicId() const { return m_publicId; }
  Core::String GetSystemId() const { return m_systemId; }
  Core::String GetEncoding() const { return m_encoding; }

private:
  Core::XInterface<Core::IStream> m_byteStream;
  Core::XInterface<Core::IUnicodeStream> m_charStream;
  Core::String m_publicId;
  Core::String m_systemId;
  Core::String m_encoding;
};

// Makes parsers; holds no state.
class CParserFactory : public Core::CInterface {
public:
  // Always an empty handle.
  virtual Core::XInterface<Core::CInterface> CreateReserved(int32_t) { return {}; }
  // A new parser with no handlers.
  virtual Core::XInterface<Sxp::IParser> CreateParser();
};

} // namespace XmlParserPrivate
