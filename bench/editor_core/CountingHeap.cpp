#include "CountingHeap.h"

#include <cstdlib>
#include <new>

namespace {

constexpr size_t kHeader = 8; // keeps malloc's 8-byte alignment and holds the size
size_t liveBytes = 0;         // the benchmark runs on one thread

void* Allocate(size_t size) noexcept {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (!block)
    return nullptr;
  *reinterpret_cast<size_t*>(block) = size;
  liveBytes += size + kHeader;
  return block + kHeader;
}

void Release(void* pointer) noexcept {
  if (!pointer)
    return;
  unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
  liveBytes -= *reinterpret_cast<size_t*>(block) + kHeader;
  std::free(block);
}

void* AllocateOrThrow(size_t size) {
  void* pointer = Allocate(size);
  if (!pointer)
    throw std::bad_alloc();
  return pointer;
}

} // namespace

namespace bench {

size_t LiveHeapBytes() {
  return liveBytes;
}

} // namespace bench

void* operator new(size_t size) {
  return AllocateOrThrow(size);
}
void* operator new[](size_t size) {
  return AllocateOrThrow(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void operator delete(void* pointer) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer) noexcept {
  Release(pointer);
}
void operator delete(void* pointer, size_t) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer, size_t) noexcept {
  Release(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
  Release(pointer);
}
