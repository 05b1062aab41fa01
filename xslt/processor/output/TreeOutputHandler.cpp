#include "xslt/processor/output/TreeOutputHandler.h"

namespace XsltPrivate {

CXdmOutputHandler::~CXdmOutputHandler() {
  m_pendingText = nullptr;
  m_current = nullptr;
  m_document = nullptr;
  m_target = nullptr;
}

void CXdmOutputHandler::StartDocument() {
  EndText();
  m_document = m_target ? m_target->GetOwnerDocument() : Dom::XNode();
  m_current = m_target;
}

void CXdmOutputHandler::EndDocument() {
  EndText();
  m_document = nullptr;
  m_current = nullptr;
}

void CXdmOutputHandler::StartElement(Core::StringView name, bool, bool) {
  if (!m_current) return; // no document open
  EndText();
  Dom::XNode element = m_document->CreateElement(name);
  m_current->AppendChild(element);
  m_current = element;
}

void CXdmOutputHandler::EndElement() {
  if (!m_current) return; // no document open
  EndText();
  m_current = m_current->GetParentNode();
}

void CXdmOutputHandler::SetAttribute(Core::StringView name, Core::StringView value) {
  if (!m_current) return; // no document open
  Dom::XNode attribute = m_document->CreateAttribute(name);
  attribute->AppendChild(m_document->CreateTextNode(value));
  m_current->GetAttributes()->SetNamedItem(attribute);
}

void CXdmOutputHandler::NamespaceDeclaration(Core::StringView prefix, Core::StringView uri) {
  Core::String name = u"xmlns";
  if (!prefix.empty()) {
    name += u':';
    name += prefix;
  }
  SetAttribute(name, uri);
}

void CXdmOutputHandler::Attribute(Core::StringView name, Core::StringView value) { SetAttribute(name, value); }

void CXdmOutputHandler::Characters(const char16_t* units, int32_t count, bool) {
  if (!m_current) return; // no document open
  if (!m_pendingText) {
    Dom::XNode text = m_document->CreateTextNode(Core::StringView());
    m_current->AppendChild(text);
    m_pendingText = text;
  }
  if (count > 0)
    m_pendingText->GetOperationsAs<Dom::CCharacterDataOperationsTable>().AppendData(
        m_pendingText.Get(), Core::StringView(units, static_cast<size_t>(count)));
}

void CXdmOutputHandler::Comment(Core::StringView text) {
  if (!m_current) return; // no document open
  EndText();
  m_current->AppendChild(m_document->CreateComment(text));
}

void CXdmOutputHandler::ProcessingInstruction(Core::StringView target, Core::StringView data) {
  if (!m_current) return; // no document open
  EndText();
  m_current->AppendChild(m_document->CreateProcessingInstruction(target, data));
}

} // namespace XsltPrivate
