// Growable byte buffers with the project's capacity rule.
#include "engine/grow_buffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

void* (*buffer_realloc)(void*, size_t) = std::realloc;

GrowBuffer::~GrowBuffer() { std::free(data); }

GrowBuffer::GrowBuffer(GrowBuffer&& other) noexcept
    : data(other.data),
      capacity(other.capacity),
      size(other.size),
      granularity(other.granularity) {
  other.data = nullptr;
  other.capacity = 0;
  other.size = 0;
}

GrowBuffer& GrowBuffer::operator=(GrowBuffer&& other) noexcept {
  if (this != &other) {
    std::free(data);
    data = other.data;
    capacity = other.capacity;
    size = other.size;
    granularity = other.granularity;
    other.data = nullptr;
    other.capacity = 0;
    other.size = 0;
  }
  return *this;
}

int32_t GrowCapacity(int32_t size, int32_t granularity) {
  if (size <= 0) return 0;
  int64_t s = size;
  int64_t result;
  if (granularity >= 4096) {
    int64_t step = std::clamp<int64_t>(std::max<int64_t>(s / 2, granularity) / 4096 * 4096,
                                       4096, 4194304);
    result = (s + 96 + step) / 4096 * 4096 - 96;
  } else {
    result = s + std::max<int64_t>(s / 2, std::max(granularity, 1));
  }
  return static_cast<int32_t>(std::min<int64_t>(result, INT32_MAX));
}

bool ResizeBuffer(GrowBuffer* buffer, int32_t size, bool shrink) {
  size = std::max(size, 0);
  int32_t cap = buffer->capacity;
  if (size <= cap) {
    int32_t low = std::max(std::min(cap / 2, cap - 4 * buffer->granularity), 1);
    if (!shrink || size >= low) {
      buffer->size = size;
      return true;
    }
  }
  // Never below `size`: the rule adds to it and stops at INT32_MAX.
  int32_t new_cap = GrowCapacity(size, buffer->granularity);
  if (new_cap == 0) {
    std::free(buffer->data);
    buffer->data = nullptr;
    buffer->capacity = 0;
    buffer->size = 0;
    return true;
  }
  void* grown = buffer_realloc(buffer->data, static_cast<size_t>(new_cap));
  if (grown == nullptr) return false;
  buffer->data = static_cast<char*>(grown);
  buffer->capacity = new_cap;
  buffer->size = size;
  return true;
}

const char* StringData(const GrowString& s) {
  return s.size > 0 ? s.data : "";
}

char* StringData(GrowString* s) {
  static char empty[1] = {0};
  if (s->size > 0) return s->data;
  empty[0] = 0;
  return empty;
}

int32_t StringLength(const GrowString& s) {
  return s.size > 0 ? s.size - 1 : 0;
}

bool SetString(GrowString* s, const char* bytes, int32_t n) {
  n = std::max(n, 0);
  // INT32_MAX bytes leave no room for the NUL.
  if (n == INT32_MAX || !ResizeBuffer(s, n + 1)) return false;
  if (n > 0) std::memmove(s->data, bytes, static_cast<size_t>(n));
  s->data[n] = 0;
  return true;
}

bool SetString(GrowString* s, const char* c_string) {
  size_t n = std::strlen(c_string);
  return n < INT32_MAX && SetString(s, c_string, static_cast<int32_t>(n));
}
