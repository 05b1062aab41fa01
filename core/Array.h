#pragma once
// A growable array of values stored contiguously. Growth follows a fixed
// rule (at least 4 and at most 1024 more elements, about an eighth of the
// size), elements are relocated by move, and destruction runs last to first.
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace Core {

template <class T>
class XArray {
public:
  XArray() = default;
  XArray(const XArray& other) {
    if (other.m_size > 0) {
      Reallocate(other.m_size);
      for (; m_size < other.m_size; ++m_size) ::new (m_data + m_size) T(other.m_data[m_size]);
    }
  }
  XArray(XArray&& other) noexcept
      : m_capacity(std::exchange(other.m_capacity, 0)), m_size(std::exchange(other.m_size, 0)),
        m_data(std::exchange(other.m_data, nullptr)) {}
  XArray& operator=(const XArray& other) {
    if (this != &other) {
      XArray copy(other);
      Swap(copy);
    }
    return *this;
  }
  XArray& operator=(XArray&& other) noexcept {
    if (this != &other) {
      XArray taken(std::move(other));
      Swap(taken);
    }
    return *this;
  }
  ~XArray() {
    DestroyRange(0, m_size);
    Free();
  }

  void Swap(XArray& other) noexcept {
    std::swap(m_capacity, other.m_capacity);
    std::swap(m_size, other.m_size);
    std::swap(m_data, other.m_data);
  }

  // Room for max(size, n) + extra elements; elements [size, n) are
  // default-constructed when n is above the size. Never shrinks.
  void SetSize(int32_t n, int32_t extra = 1) {
    Reserve((n > m_size ? n : m_size) + extra);
    for (; m_size < n; ++m_size) ::new (m_data + m_size) T();
  }

  void Append(const T& value) {
    if (m_size < m_capacity) {
      ::new (m_data + m_size) T(value);
    } else {
      T copy(value);  // value may live in the block about to move
      Reserve(m_size + 1);
      ::new (m_data + m_size) T(std::move(copy));
    }
    ++m_size;
  }
  void Append(T&& value) {
    if (m_size < m_capacity) {
      ::new (m_data + m_size) T(std::move(value));
    } else {
      T moved(std::move(value));
      Reserve(m_size + 1);
      ::new (m_data + m_size) T(std::move(moved));
    }
    ++m_size;
  }

  T GetAt(int32_t i) const { return m_data[i]; }
  void SetAt(int32_t i, const T& value) { m_data[i] = value; }
  int32_t GetSize() const { return m_size; }
  int32_t GetCapacity() const { return m_capacity; }

  // Destroys elements i + n - 1 down to i and closes the gap; the capacity
  // stays. n <= 0 does nothing.
  void RemoveAt(int32_t i, int32_t n = 1) {
    if (n <= 0) return;
    for (int32_t k = i + n - 1; k >= i; --k) m_data[k].~T();
    for (int32_t k = i + n; k < m_size; ++k) {
      ::new (m_data + k - n) T(std::move(m_data[k]));
      m_data[k].~T();
    }
    m_size -= n;
  }

  T& operator[](int32_t i) { return m_data[i]; }
  const T& operator[](int32_t i) const { return m_data[i]; }
  T* GetData() { return m_data; }
  const T* GetData() const { return m_data; }
  T* begin() { return m_data; }
  T* end() { return m_data + m_size; }
  const T* begin() const { return m_data; }
  const T* end() const { return m_data + m_size; }

private:
  void Reserve(int32_t needed) {
    if (needed <= m_capacity) return;
    int32_t step = m_size / 8;
    if (step < 4) step = 4;
    if (step > 1024) step = 1024;
    int32_t grow = needed - m_capacity;
    Reallocate(m_capacity + (grow > step ? grow : step));
  }

  void Reallocate(int32_t capacity) {
    T* block = std::allocator<T>().allocate(static_cast<size_t>(capacity));
    for (int32_t k = 0; k < m_size; ++k) {
      ::new (block + k) T(std::move(m_data[k]));
      m_data[k].~T();
    }
    Free();
    m_data = block;
    m_capacity = capacity;
  }

  void DestroyRange(int32_t from, int32_t to) {
    for (int32_t k = to - 1; k >= from; --k) m_data[k].~T();
  }

  void Free() {
    if (m_data) std::allocator<T>().deallocate(m_data, static_cast<size_t>(m_capacity));
    m_data = nullptr;
  }

  int32_t m_capacity = 0;
  int32_t m_size = 0;
  T* m_data = nullptr;
};

} // namespace Core
