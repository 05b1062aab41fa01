#pragma once
// Deferred releases, so that freeing a long chain of script objects (a list
// built by a script, a deep prototype chain) takes constant stack. An object
// being destroyed queues the uses it holds instead of releasing them; the
// outermost destruction then releases the queue one use at a time, and
// whatever those releases destroy queues its own uses in turn.
#include "core/Interface.h"

namespace EcmaScriptPrivate {

class CReleaseQueue {
public:
  // Takes over one use of the object.
  static void Push(Core::CInterface* counted);
  // Releases the queued uses until none is left; does nothing when a drain
  // further up the stack will do it.
  static void Drain();
};

} // namespace EcmaScriptPrivate
