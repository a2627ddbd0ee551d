// Growable byte buffers with the project's capacity rule.
#include "engine/grow_buffer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

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
    int64_t step = (s / 2 > granularity ? s / 2 : granularity) / 4096 * 4096;
    if (step < 4096) step = 4096;
    if (step > 4194304) step = 4194304;
    result = (s + 96 + step) / 4096 * 4096 - 96;
  } else {
    int64_t grain = granularity > 0 ? granularity : 1;
    result = s + (s / 2 > grain ? s / 2 : grain);
  }
  if (result > INT32_MAX) result = INT32_MAX;
  return static_cast<int32_t>(result);
}

bool ResizeBuffer(GrowBuffer* buffer, int32_t size, bool shrink) {
  if (size < 0) size = 0;
  int32_t cap = buffer->capacity;
  if (size <= cap) {
    int32_t low = cap / 2 < cap - 4 * buffer->granularity
                      ? cap / 2
                      : cap - 4 * buffer->granularity;
    if (low < 1) low = 1;
    if (!shrink || size >= low) {
      buffer->size = size;
      return true;
    }
  }
  int32_t new_cap = GrowCapacity(size, buffer->granularity);
  if (new_cap < size) return false;
  if (new_cap == 0) {
    std::free(buffer->data);
    buffer->data = nullptr;
    buffer->capacity = 0;
    buffer->size = 0;
    return true;
  }
  void* grown = std::realloc(buffer->data, static_cast<size_t>(new_cap));
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
  if (n < 0) n = 0;
  if (n > INT32_MAX - 1) return false;
  if (!ResizeBuffer(s, n + 1)) return false;
  if (n > 0) std::memmove(s->data, bytes, static_cast<size_t>(n));
  s->data[n] = 0;
  return true;
}

bool SetString(GrowString* s, const char* c_string) {
  size_t n = std::strlen(c_string);
  if (n > static_cast<size_t>(INT32_MAX - 1)) return false;
  return SetString(s, c_string, static_cast<int32_t>(n));
}
