#include "xslt/processor/context/AttributeSetTable.h"

#include "xslt/compiler/AttributeSet.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/instructions/ResultInstructions.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

CMergedAttributeSet::CMergedAttributeSet(Core::StringView namespaceUri, Core::StringView localName)
    : m_namespaceUri(namespaceUri), m_localName(localName) {}

CMergedAttributeSet::~CMergedAttributeSet() = default;

void CMergedAttributeSet::Merge(CAttributeSet* declaration) {
  for (int32_t i = 0, n = declaration->GetUsedAttributeSetCount(); i < n; ++i) {
    m_usedSets.emplace_back(declaration->GetUsedAttributeSet(i));
    m_usedSetStamps.push_back(m_stamp);
  }
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
  // A long chain of sets using sets nests as deep as it is long.
  CNestingLevel level(context, m_localName);

  // Both lists come in falling stamps. The declarations of lowest import
  // precedence are written first: a higher one then replaces what they gave
  // (the output element stack keeps an attribute's last value), through its
  // used sets as well as its own attributes.
  std::unordered_map<Core::String, int32_t> written;  // name -> stamp of the item that wrote it
  size_t usedEnd = m_usedSets.size(), itemEnd = m_attributes.size();
  while (usedEnd > 0 || itemEnd > 0) {
    int32_t stamp = INT32_MAX;
    if (usedEnd > 0) stamp = m_usedSetStamps[usedEnd - 1];
    if (itemEnd > 0 && m_attributes[itemEnd - 1].stamp < stamp) stamp = m_attributes[itemEnd - 1].stamp;
    size_t usedBegin = usedEnd, itemBegin = itemEnd;
    while (usedBegin > 0 && m_usedSetStamps[usedBegin - 1] == stamp) --usedBegin;
    while (itemBegin > 0 && m_attributes[itemBegin - 1].stamp == stamp) --itemBegin;
    if (usedBegin < usedEnd) {
      if (usedBegin == 0 && usedEnd == m_usedSets.size()) {
        context.UseAttributeSets(m_usedSets);
      } else {
        context.UseAttributeSets(CExpandedNameList(m_usedSets.begin() + ptrdiff_t(usedBegin),
                                                   m_usedSets.begin() + ptrdiff_t(usedEnd)));
      }
    }
    for (size_t i = itemBegin; i < itemEnd; ++i) WriteAttribute(context, m_attributes[i], written);
    usedEnd = usedBegin;
    itemEnd = itemBegin;
  }
}

void CMergedAttributeSet::WriteAttribute(CContext& context, const CAttributeItem& item,
                                         std::unordered_map<Core::String, int32_t>& written) const {
  Core::String qualifiedName, namespaceUri;
  Core::XInterface<CContext> child(new CContext(context, item.attribute.Get(), true));
  if (!item.attribute->EvaluateName(*child, qualifiedName, namespaceUri)) {
    child->EndScope();
    return;
  }
  size_t colon = qualifiedName.find(u':');
  Core::String key = colon == Core::String::npos ? qualifiedName : qualifiedName.substr(colon + 1);
  Core::String localPart = key;
  key += u'\0';
  key += namespaceUri;
  auto found = written.find(key);
  // Two declarations of one precedence clash: the first written stands.
  if (found != written.end() && found->second == item.stamp) {
    child->ReportError(Xslt::CXsltException::DuplicateAttributeName, namespaceUri, localPart);
    child->EndScope();
    return;
  }
  child->StartAttribute(qualifiedName, namespaceUri);
  item.attribute->WriteValue(*child);
  child->EndAttribute();
  written[std::move(key)] = item.stamp;
  child->EndScope();
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
