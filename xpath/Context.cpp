#include "xpath/Context.h"

#include "xml/tree/Dom.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/EvaluationCache.h"

namespace Xpath {

CContext::CContext(CIterator* iterator, CVariableBindingSet* variables, CFunctionLibrary* functions,
                   CNamespaceDeclarationSet* namespaces, CDataSet* dataSet, CXpathImplementation* implementation)
    : m_iterator(iterator),
      m_variables(variables),
      m_functions(functions),
      m_namespaces(namespaces),
      m_dataSet(dataSet),
      m_implementation(implementation) {}

CContext::CContext(CContext* base, CIterator* iterator) : CContext(base, iterator, base->m_cache.Get()) {}

CContext::CContext(CContext* base, const Dom::XNode& node) : CContext(base, node, base->m_cache.Get()) {}

CContext::CContext(CContext* base, CIterator* iterator, XpathPrivate::CEvaluationCache* cache)
    : m_iterator(iterator),
      m_variables(base->m_variables),
      m_functions(base->m_functions),
      m_namespaces(base->m_namespaces),
      m_dataSet(base->m_dataSet),
      m_implementation(base->m_implementation),
      m_cache(cache) {}

CContext::CContext(CContext* base, const Dom::XNode& node, XpathPrivate::CEvaluationCache* cache)
    : CContext(base, Core::Make<XpathPrivate::CSingleNodeSet>(node)->CreateIterator().Get(), cache) {}

CContext::~CContext() {
  // The kept values first (their own contexts hold the host interfaces),
  // then the implementation, the iterator last.
  m_cache = nullptr;
  m_implementation = nullptr;
  m_dataSet = nullptr;
  m_namespaces = nullptr;
  m_functions = nullptr;
  m_variables = nullptr;
  m_iterator = nullptr;
}

Dom::XNode CContext::GetNode() const { return m_iterator ? m_iterator->GetNode() : Dom::XNode(); }

int32_t CContext::GetPosition() const { return m_iterator ? m_iterator->GetPosition() : 0; }

int32_t CContext::GetSize() const { return m_iterator ? m_iterator->GetNodeSet()->GetCount() : 0; }

} // namespace Xpath
