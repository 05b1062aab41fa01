#pragma once
// Intrusive reference counting: every shared object derives from CInterface
// and is held through XInterface. A new object has count 0 and belongs to
// nobody until the first smart pointer takes it. Single-threaded: the count
// is a plain integer.
#include <cstdint>
#include <utility>

namespace Core {

class CInterface {
public:
  CInterface() = default;
  // Copies of a counted object start unowned, like any new object.
  CInterface(const CInterface&) : m_useCount(0) {}
  CInterface& operator=(const CInterface&) { return *this; }
  virtual ~CInterface() = default;

  void AddRef() { ++m_useCount; }
  void Release() {
    if (--m_useCount < 1) delete this;
  }
  int32_t GetUseCount() const { return m_useCount; }

private:
  int32_t m_useCount = 0;
};

template <class T>
class XInterface {
public:
  XInterface() = default;
  XInterface(std::nullptr_t) {}
  XInterface(T* p) : m_p(p) { AddRef(); }
  XInterface(const XInterface& other) : m_p(other.m_p) { AddRef(); }
  XInterface(XInterface&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  template <class U>
  XInterface(const XInterface<U>& other) : m_p(other.Get()) { AddRef(); }
  ~XInterface() {
    if (m_p) m_p->Release();
  }

  // The new use is added before the old one is released, so assigning the
  // object a pointer already holds never deletes it.
  XInterface& operator=(T* p) {
    if (p) p->AddRef();
    T* old = m_p;
    m_p = p;
    if (old) old->Release();
    return *this;
  }
  XInterface& operator=(const XInterface& other) { return *this = other.m_p; }
  XInterface& operator=(XInterface&& other) noexcept {
    if (this != &other) {
      T* old = m_p;
      m_p = std::exchange(other.m_p, nullptr);
      if (old) old->Release();
    }
    return *this;
  }
  XInterface& operator=(std::nullptr_t) { return *this = static_cast<T*>(nullptr); }

  T* Get() const { return m_p; }
  void AddRef() {
    if (m_p) m_p->AddRef();
  }
  T* operator->() const { return m_p; }
  T& operator*() const { return *m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  bool operator==(const XInterface& o) const { return m_p == o.m_p; }
  bool operator==(const T* p) const { return m_p == p; }

private:
  T* m_p = nullptr;
};

// Wraps a newly created object: XInterface<T> x = Core::Make<T>(args...).
template <class T, class... Args>
XInterface<T> Make(Args&&... args) {
  return XInterface<T>(new T(std::forward<Args>(args)...));
}

} // namespace Core
