#include "xslt/processor/output/OutputElementStack.h"

#include <algorithm>

#include "xslt/processor/output/EventRecording.h"
#include "xslt/processor/output/OutputException.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

namespace {

constexpr Core::StringView kXmlNamespace = u"http://www.w3.org/XML/1998/namespace";
constexpr Core::StringView kXsltNamespace = u"http://www.w3.org/1999/XSL/Transform";

Core::StringView LocalPart(Core::StringView qualifiedName) {
  size_t colon = qualifiedName.find(u':');
  return colon == Core::StringView::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

Core::StringView PrefixPart(Core::StringView qualifiedName) {
  size_t colon = qualifiedName.find(u':');
  return colon == Core::StringView::npos ? Core::StringView() : qualifiedName.substr(0, colon);
}

// Bindings that no start tag may declare: a prefix undeclared (an empty URI
// is only for the default namespace), the reserved prefixes bound elsewhere
// and the XML namespace under another prefix.
bool IsDeclarable(Core::StringView prefix, Core::StringView uri) {
  if (prefix == u"xml") return uri == kXmlNamespace;
  if (prefix == u"xmlns") return false;
  if (uri == kXmlNamespace) return false;
  return prefix.empty() || !uri.empty();
}

void AppendNumber(Core::String& out, int32_t n) {
  char16_t digits[12];
  int k = 0;
  do {
    digits[k++] = static_cast<char16_t>(u'0' + n % 10);
    n /= 10;
  } while (n > 0);
  while (k > 0) out += digits[--k];
}

} // namespace

COutputElementStack::COutputElementStack(Xslt::COutputHandler* handler, EContent content)
    : m_handler(handler), m_textOnly(content == EContent::kTextOnly) {
  Reset();
}

COutputElementStack::COutputElementStack(CEventRecording* recording) : m_recording(recording) {}

COutputElementStack::~COutputElementStack() = default;

void COutputElementStack::SetOutputOptions(CPrivateOutputOptions* options) {
  m_options = options;
  if (m_handler) m_handler->SetOutputOptions(options);
}

void COutputElementStack::Reset() {
  if (m_frames.empty()) {
    m_frames.reserve(64);
    m_frames.emplace_back();
    m_rootTable.Set(u"", u"", false);
    m_rootTable.Set(u"xml", kXmlNamespace, false);
    m_text.reserve(4096);
  }
  CElementItem& root = m_frames[0];
  root.table = &m_rootTable;
  root.ownsTable = false;
  root.preserveSpace = false;
  root.nextPrefix = 1;
  m_depth = 0;
  m_declarationsChanged = false;
  m_startTagPending = false;
  m_collect = ECollect::kNone;
  m_collectingXmlSpace = false;
  m_text.clear();
  m_refused.clear();
  m_dropping = 0;
  m_open.clear();
}

// ---- names --------------------------------------------------------------

COutputNamespaceTable& COutputElementStack::PrivateTable() {
  CElementItem& frame = m_frames[m_depth];
  if (!frame.ownsTable) {
    if (!frame.privateTable) frame.privateTable = std::make_unique<COutputNamespaceTable>();
    frame.privateTable->CopyFrom(*frame.table);
    frame.table = frame.privateTable.get();
    frame.ownsTable = true;
  }
  m_declarationsChanged = true;
  return *frame.table;
}

void COutputElementStack::ChooseName(Core::StringView uri, Core::StringView qualifiedName, bool attribute,
                                     Core::String& out) {
  Core::StringView localName = LocalPart(qualifiedName);
  out.clear();
  if (attribute && uri.empty()) {
    out.assign(localName);
    return;
  }
  CElementItem& frame = m_frames[m_depth];
  // An earlier attribute of the start tag in the same namespace gave its
  // prefix: a binding made since (a default namespace, a rebound prefix)
  // must not give the tag a second attribute of one expanded name.
  if (attribute) {
    auto earlier = m_attributePrefixes.find(uri);
    if (earlier != m_attributePrefixes.end()) {
      out.assign(earlier->second);
      out += u':';
      out.append(localName);
      return;
    }
  }
  int32_t found = frame.table->FindByUri(uri);
  if (found >= 0) {
    Core::StringView prefix = frame.table->GetPrefix(found);
    if (!prefix.empty()) {
      out.assign(prefix);
      out += u':';
      out.append(localName);
      return;
    }
    if (!attribute) {
      out.assign(localName);
      return;
    }
  }
  if (uri.empty()) {
    // An element in no namespace where a default namespace is in force
    // undeclares it.
    PrivateTable().Set(u"", u"");
    out.assign(localName);
    return;
  }
  COutputNamespaceTable& table = PrivateTable();
  // The prefix the name came with, when nothing binds it yet: binding it
  // here disturbs no other name.
  Core::StringView hint = PrefixPart(qualifiedName);
  if (!hint.empty() && IsDeclarable(hint, uri) && table.FindByPrefix(hint) < 0) {
    table.Set(hint, uri);
    out.assign(qualifiedName);
    return;
  }
  // A generated prefix never takes over a prefix the result already binds.
  do {
    out.assign(u"__");
    AppendNumber(out, frame.nextPrefix++);
    out.append(u"__");
  } while (table.FindByPrefix(out) >= 0);
  table.Set(out, uri);
  out += u':';
  out.append(localName);
}

void COutputElementStack::FlushStartTag() {
  if (!m_startTagPending) return;
  m_startTagPending = false;
  if (!m_handler) return;
  CElementItem& frame = m_frames[m_depth];
  Core::StringView local = LocalPart(frame.qualifiedName);
  bool preserve = frame.preserveSpace || (local == u"text" && frame.namespaceUri == kXsltNamespace);
  ChooseName(frame.namespaceUri, frame.qualifiedName, false, m_name);
  bool cdata = m_options && m_options->IsCdataSectionElement(frame.namespaceUri, local);
  m_handler->StartElement(m_name, preserve, cdata);
  if (m_declarationsChanged) {
    const COutputNamespaceTable& table = *frame.table;
    for (int32_t i = 0; i < table.GetCount(); ++i)
      if (table.IsDeclaredHere(i)) m_handler->NamespaceDeclaration(table.GetPrefix(i), table.GetUri(i));
  }
  for (int32_t i = 0; i < m_attributes.GetCount(); ++i)
    m_handler->Attribute(m_attributes.GetName(i), m_attributes.GetValue(i));
}

// ---- refused nodes ------------------------------------------------------

void COutputElementStack::Refuse(int32_t code, bool dropText) {
  if (m_refused.empty() && m_reporter) m_reporter->ReportOutputError(code);
  m_refused.push_back(dropText);
  if (dropText) ++m_dropping;
}

bool COutputElementStack::EndRefused() {
  if (m_refused.empty()) return false;
  if (m_refused.back()) --m_dropping;
  m_refused.pop_back();
  return true;
}

// ---- events -------------------------------------------------------------

void COutputElementStack::StartDocument() {
  if (m_recording) {
    m_recording->Begin();
    return;
  }
  Reset();
  if (m_handler) m_handler->StartDocument();
}

void COutputElementStack::EndDocument() {
  if (m_recording) {
    m_recording->End();
    return;
  }
  if (m_handler) m_handler->EndDocument();
}

void COutputElementStack::StartElement(Core::StringView qualifiedName, Core::StringView namespaceUri) {
  m_open.push_back(EOpen::kElement);
  if (m_recording) {
    m_recording->StartElement(qualifiedName, namespaceUri);
    return;
  }
  if (Collecting()) {
    Refuse(Xslt::CXsltException::MisplacedElementNode, false);
    return;
  }
  FlushStartTag();
  ++m_depth;
  if (m_frames.size() <= static_cast<size_t>(m_depth)) m_frames.emplace_back();
  CElementItem& parent = m_frames[m_depth - 1];
  CElementItem& frame = m_frames[m_depth];
  frame.qualifiedName.assign(qualifiedName);
  frame.namespaceUri.assign(namespaceUri);
  frame.table = parent.table;
  frame.ownsTable = false;
  frame.preserveSpace = parent.preserveSpace;
  frame.nextPrefix = parent.nextPrefix;
  m_declarationsChanged = false;
  m_attributes.Clear();
  if (!m_attributePrefixes.empty()) m_attributePrefixes.clear();
  m_startTagPending = true;
}

void COutputElementStack::EndElement() {
  if (!m_open.empty()) m_open.pop_back();
  if (m_recording) {
    m_recording->EndElement();
    return;
  }
  if (EndRefused()) return;
  if (m_depth == 0) return; // no element open
  FlushStartTag();
  if (m_handler) m_handler->EndElement();
  m_frames[m_depth].ownsTable = false;
  --m_depth;
}

void COutputElementStack::StartAttribute(Core::StringView qualifiedName, Core::StringView namespaceUri) {
  m_open.push_back(EOpen::kAttribute);
  if (m_recording) {
    m_recording->StartAttribute(qualifiedName, namespaceUri);
    return;
  }
  if (Collecting()) {
    Refuse(Xslt::CXsltException::MisplacedAttributeNode, true);
    return;
  }
  if (!m_startTagPending) {
    m_open.pop_back();
    throw COutputException(COutputException::kMisplacedAttribute, Core::String(qualifiedName),
                           Core::String(namespaceUri));
  }
  Core::StringView local = LocalPart(qualifiedName);
  ChooseName(namespaceUri, qualifiedName, true, m_pendingName);
  size_t colon = m_pendingName.find(u':');
  if (colon != Core::String::npos && m_attributePrefixes.find(namespaceUri) == m_attributePrefixes.end())
    m_attributePrefixes.emplace(namespaceUri, m_pendingName.substr(0, colon));
  m_text.clear();
  m_collect = ECollect::kAttribute;
  m_collectingXmlSpace = local == u"space" && namespaceUri == kXmlNamespace;
}

void COutputElementStack::EndAttribute() {
  if (!m_open.empty()) m_open.pop_back();
  if (m_recording) {
    m_recording->EndAttribute();
    return;
  }
  if (EndRefused() || m_collect != ECollect::kAttribute) return;
  m_attributes.Set(m_pendingName, m_text);
  if (m_collectingXmlSpace) m_frames[m_depth].preserveSpace = m_text == u"preserve";
  m_collectingXmlSpace = false;
  m_collect = ECollect::kNone;
}

void COutputElementStack::StartNamespace(Core::StringView prefix) {
  m_open.push_back(EOpen::kNamespace);
  if (m_recording) {
    m_recording->StartNamespace(prefix);
    return;
  }
  if (Collecting()) {
    Refuse(Xslt::CXsltException::MisplacedNamespaceNode, true);
    return;
  }
  m_pendingName.assign(prefix);
  m_text.clear();
  m_collect = ECollect::kNamespace;
}

void COutputElementStack::EndNamespace() {
  if (!m_open.empty()) m_open.pop_back();
  if (m_recording) {
    m_recording->EndNamespace();
    return;
  }
  if (EndRefused() || m_collect != ECollect::kNamespace) return;
  m_collect = ECollect::kNone;
  if (!m_startTagPending || !IsDeclarable(m_pendingName, m_text)) return;
  const COutputNamespaceTable& inForce = *m_frames[m_depth].table;
  int32_t found = inForce.FindByPrefix(m_pendingName);
  if (found >= 0) {
    if (inForce.GetUri(found) == m_text) return;
    // An attribute's prefix keeps the URI the attribute was named with.
    auto taken = m_attributePrefixes.find(inForce.GetUri(found));
    if (taken != m_attributePrefixes.end() && taken->second == m_pendingName) return;
  }
  PrivateTable().Set(m_pendingName, m_text);
}

void COutputElementStack::Characters(const char16_t* units, int32_t count, bool disableEscaping) {
  if (m_recording) {
    m_recording->Characters(units, count, disableEscaping);
    return;
  }
  if (m_dropping > 0) return;
  if (m_collect != ECollect::kNone) {
    if (count > 0) m_text.append(units, static_cast<size_t>(count));
    return;
  }
  FlushStartTag();
  if (m_handler) m_handler->Characters(units, count, disableEscaping);
}

void COutputElementStack::StartComment() {
  m_open.push_back(EOpen::kComment);
  if (m_recording) {
    m_recording->StartComment();
    return;
  }
  if (Collecting()) {
    Refuse(Xslt::CXsltException::MisplacedCommentNode, true);
    return;
  }
  FlushStartTag();
  m_text.clear();
  m_collect = ECollect::kComment;
}

void COutputElementStack::EndComment() {
  if (!m_open.empty()) m_open.pop_back();
  if (m_recording) {
    m_recording->EndComment();
    return;
  }
  if (EndRefused() || m_collect != ECollect::kComment) return;
  m_collect = ECollect::kNone;
  if (m_handler) m_handler->Comment(m_text);
}

void COutputElementStack::EndOpenNodes(int32_t count) {
  while (static_cast<int32_t>(m_open.size()) > std::max(count, 0)) {
    switch (m_open.back()) {
    case EOpen::kElement: EndElement(); break;
    case EOpen::kAttribute: EndAttribute(); break;
    case EOpen::kNamespace: EndNamespace(); break;
    case EOpen::kComment: EndComment(); break;
    }
  }
}

void COutputElementStack::ProcessingInstruction(Core::StringView target, Core::StringView data) {
  if (m_recording) {
    m_recording->ProcessingInstruction(target, data);
    return;
  }
  if (Collecting()) {
    if (m_refused.empty() && m_reporter)
      m_reporter->ReportOutputError(Xslt::CXsltException::MisplacedProcessingInstructionNode);
    return;
  }
  FlushStartTag();
  if (m_handler) m_handler->ProcessingInstruction(target, data);
}

} // namespace XsltPrivate
