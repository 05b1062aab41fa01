#include "xslt/processor/AttributeSetTable.h"

#include "xslt/compiler/AttributeSet.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/instructions/ResultInstructions.h"
#include "xslt/processor/Context.h"
#include "xslt/processor/XsltException.h"

namespace XsltPrivate {

CMergedAttributeSet::CMergedAttributeSet(Core::StringView namespaceUri, Core::StringView localName)
    : m_namespaceUri(namespaceUri), m_localName(localName) {}

CMergedAttributeSet::~CMergedAttributeSet() = default;

void CMergedAttributeSet::Merge(CAttributeSet* declaration) {
  for (int32_t i = 0, n = declaration->GetUsedAttributeSetCount(); i < n; ++i)
    m_usedSets.emplace_back(declaration->GetUsedAttributeSet(i));
  for (int32_t i = 0, n = declaration->GetAttributeCount(); i < n; ++i)
    m_attributes.push_back(CAttributeItem{declaration->GetAttribute(i), m_stamp});
}

void CMergedAttributeSet::Output(CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(Xslt::CXsltException::MisplacedAttributeNode);
    return;
  }
  if (m_writing) context.ThrowError(Xslt::CXsltException::CircularAttributeSets, m_namespaceUri, m_localName);
  struct CWriting {
    bool& flag;
    explicit CWriting(bool& f) : flag(f) { flag = true; }
    ~CWriting() { flag = false; }
  } writing(m_writing);

  if (!m_usedSets.empty()) context.UseAttributeSets(m_usedSets);

  // The stamp of each attribute name written so far. Items come in falling
  // stamps, so an entry is never below the item that finds it.
  std::unordered_map<Core::String, int32_t> written;
  Core::String qualifiedName, namespaceUri;
  for (const CAttributeItem& item : m_attributes) {
    Core::XInterface<CContext> child(new CContext(context, item.attribute.Get(), true));
    if (!item.attribute->EvaluateName(*child, qualifiedName, namespaceUri)) {
      child->EndScope();
      continue;
    }
    size_t colon = qualifiedName.find(u':');
    Core::String key = colon == Core::String::npos ? qualifiedName : qualifiedName.substr(colon + 1);
    Core::String localPart = key;
    key += u'\0';
    key += namespaceUri;
    auto found = written.find(key);
    if (found != written.end()) {
      // The same precedence: the declarations clash. A higher one: the
      // attribute of higher import precedence stands.
      if (found->second <= item.stamp)
        child->ReportError(Xslt::CXsltException::DuplicateAttributeName, namespaceUri, localPart);
      child->EndScope();
      continue;
    }
    child->StartAttribute(qualifiedName, namespaceUri);
    item.attribute->WriteValue(*child);
    child->EndAttribute();
    written.emplace(std::move(key), item.stamp);
    child->EndScope();
  }
}

CAttributeSetTable::CAttributeSetTable() = default;

CAttributeSetTable::~CAttributeSetTable() = default;

void CAttributeSetTable::Add(CAttributeSet* declaration) {
  CExpandedName* name = declaration->GetName();
  int32_t i = m_index.Find(name->NamespaceUri(), name->LocalName());
  if (i < 0) {
    i = int32_t(m_sets.size());
    m_index.Add(name->NamespaceUri(), name->LocalName(), i);
    m_sets.emplace_back(new CMergedAttributeSet(name->NamespaceUri(), name->LocalName()));
  }
  m_sets[size_t(i)]->Merge(declaration);
}

CMergedAttributeSet* CAttributeSetTable::Find(Core::StringView namespaceUri, Core::StringView localName) const {
  int32_t i = m_index.Find(namespaceUri, localName);
  return i < 0 ? nullptr : m_sets[size_t(i)].Get();
}

void CAttributeSetTable::ResolveAll() {
  for (const Core::XInterface<CMergedAttributeSet>& set : m_sets) set->LowerStamp();
}

} // namespace XsltPrivate
