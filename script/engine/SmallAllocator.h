#pragma once
// Free lists for the many small, short-lived records of the interpreter
// (values, objects, property entries, name texts): one list per 16-byte size
// class, carved from large blocks that live as long as the process. Larger
// requests go to the ordinary heap. Sanitized builds use the ordinary heap
// throughout, so that use after free stays visible.
#include <cstddef>

namespace EcmaScriptPrivate {

void* AllocateSmall(std::size_t size);
void FreeSmall(void* block, std::size_t size) noexcept;

// Class-scope operators for types whose instances come from the free lists.
// Deleting through a virtual destructor passes the size of the dynamic type.
#define KELTO_SMALL_OBJECT_ALLOCATION                                                                  \
  static void* operator new(std::size_t size) { return ::EcmaScriptPrivate::AllocateSmall(size); }   \
  static void operator delete(void* block, std::size_t size) noexcept {                              \
    ::EcmaScriptPrivate::FreeSmall(block, size);                                                       \
  }

} // namespace EcmaScriptPrivate
