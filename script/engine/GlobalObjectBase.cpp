#include "script/engine/GlobalObjectBase.h"

#include "core/StackLimit.h"
#include "script/engine/Program.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

CGlobalObjectBase::CGlobalObjectBase() : CScriptObject(nullptr, nullptr) {}

CGlobalObjectBase::~CGlobalObjectBase() {
  m_spareExcess.clear();
  // Objects still held from outside outlive their global object: they
  // forget it, and their own destruction then touches no list.
  while (!m_liveObjects.IsEmpty()) {
    CLiveLink* link = m_liveObjects.next;
    link->object->m_global = nullptr;
    link->Unlink();
  }
}

void CGlobalObjectBase::ClearLiveObjects() {
  // Each object moves to a second list before it is cleared; clearing may
  // free any other object, which then unlinks itself from whichever list
  // holds it, so the walk never keeps a pointer that could dangle.
  CLiveLink done;
  while (!m_liveObjects.IsEmpty()) {
    CLiveLink* link = m_liveObjects.next;
    XObject object(link->object);
    link->Unlink();
    link->InsertBefore(&done);
    object->Clear();
  }
  while (!done.IsEmpty()) {
    CLiveLink* link = done.next;
    link->Unlink();
    link->InsertBefore(&m_liveObjects);
  }
}

void CGlobalObjectBase::NoteSpareExcess(CFunctionDefinition* definition) {
  if (definition->HasSpareExcess()) return;
  definition->SetSpareExcess();
  m_spareExcess.emplace_back(definition);
}

void CGlobalObjectBase::TrimSpareActivations() {
  std::vector<Core::XInterface<CFunctionDefinition>> excess = std::move(m_spareExcess);
  m_spareExcess.clear();
  for (const Core::XInterface<CFunctionDefinition>& definition : excess) definition->TrimSpareActivations();
}

int32_t CGlobalObjectBase::CountLiveObjects() const {
  int32_t n = 0;
  for (const CLiveLink* link = m_liveObjects.next; link != &m_liveObjects; link = link->next) ++n;
  return n;
}

CDepthGuard::CDepthGuard(CGlobalObjectBase* global, CScriptObject* object) : m_global(global) {
  if (!m_global) return;
  uintptr_t here = Core::GetStackPosition();
  if (m_global->m_depth == 0) m_global->m_stackLimit = Core::GetStackLimit();
  if (m_global->m_depth >= m_global->m_depthLimit ||
      here - m_global->m_stackLimit < CGlobalObjectBase::kStackReserve || here < m_global->m_stackLimit) {
    m_global = nullptr;
    throw CRuntimeError(CRuntimeError::CallDepthExceeded, object);
  }
  ++m_global->m_depth;
}

} // namespace EcmaScript
