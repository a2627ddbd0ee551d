#pragma once
// Growable byte buffers: the storage behind every variable-length datum of a
// Document. A growable string is a buffer whose used size counts its NUL.
#include <cstddef>
#include <cstdint>

constexpr int32_t kStringGranularity = 128;
constexpr int32_t kArrayGranularity = 4096;

// Owns its bytes; move-only.
// Invariants: 0 <= size <= capacity; data is null exactly when capacity is 0.
struct GrowBuffer {
  char* data = nullptr;
  int32_t capacity = 0;
  int32_t size = 0;
  int32_t granularity = kStringGranularity;

  GrowBuffer() = default;
  explicit GrowBuffer(int32_t grain) : granularity(grain) {}
  ~GrowBuffer();
  GrowBuffer(GrowBuffer&& other) noexcept;
  GrowBuffer& operator=(GrowBuffer&& other) noexcept;
  GrowBuffer(const GrowBuffer&) = delete;
  GrowBuffer& operator=(const GrowBuffer&) = delete;
};

using GrowString = GrowBuffer;

// The allocator behind every buffer and the line cache (std::realloc); a
// test points it elsewhere to see how growth that gets no memory is handled.
extern void* (*buffer_realloc)(void*, size_t);

// Capacity chosen for a buffer that must hold `size` bytes.
int32_t GrowCapacity(int32_t size, int32_t granularity);

// Sets the used size (negative counts as 0). Keeps the first min(old, new)
// bytes. With `shrink`, a much smaller size also gives memory back. Returns
// false (buffer untouched) when memory runs out.
bool ResizeBuffer(GrowBuffer* buffer, int32_t size, bool shrink = false);

// Growable string helpers. An empty string may have size 0 and reads as "".
const char* StringData(const GrowString& s);
char* StringData(GrowString* s);
int32_t StringLength(const GrowString& s);
bool SetString(GrowString* s, const char* bytes, int32_t n);
bool SetString(GrowString* s, const char* c_string);
