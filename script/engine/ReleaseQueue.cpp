#include "script/engine/ReleaseQueue.h"

#include <vector>

namespace EcmaScriptPrivate {

namespace {

struct CQueueState {
  std::vector<Core::CInterface*> pending;
  bool draining = false;
};

// Never destroyed: objects may still be freed by static destructors at exit.
CQueueState& State() {
  static CQueueState* state = new CQueueState;
  return *state;
}

} // namespace

void CReleaseQueue::Push(Core::CInterface* counted) {
  if (!counted) return;
  // A release that frees nothing cannot recurse.
  if (counted->GetUseCount() > 1) {
    counted->Release();
    return;
  }
  State().pending.push_back(counted);
}

void CReleaseQueue::Drain() {
  CQueueState& state = State();
  if (state.draining) return;
  state.draining = true;
  while (!state.pending.empty()) {
    Core::CInterface* p = state.pending.back();
    state.pending.pop_back();
    p->Release();
  }
  state.draining = false;
}

} // namespace EcmaScriptPrivate
