#pragma once
// Sixteen bytes at a time, with the compiler's portable vector type (SSE2
// on x86-64). Loading and saving look at every byte of a file of up to
// 16 MiB; a loop over single bytes, or a library call per line, costs
// several times as much.
#include <cstdint>
#include <cstring>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "FirstHit counts bytes from the low end of a word");

typedef unsigned char Bytes16 __attribute__((vector_size(16)));

inline Bytes16 LoadBytes16(const char* p) {
  Bytes16 v;
  std::memcpy(&v, p, 16);
  return v;
}

inline void StoreBytes16(char* p, Bytes16 v) { std::memcpy(p, &v, 16); }

// The bytes equal to c: 0xFF there, 0 elsewhere.
inline Bytes16 Equal(Bytes16 v, unsigned char c) { return reinterpret_cast<Bytes16>(v == c); }

// The index of the first byte of `hits` that is not 0, or 16 when none is.
inline int FirstHit(Bytes16 hits) {
  uint64_t low, high;
  std::memcpy(&low, &hits, 8);
  std::memcpy(&high, reinterpret_cast<const char*>(&hits) + 8, 8);
  if (low != 0) return __builtin_ctzll(low) / 8;
  if (high != 0) return 8 + __builtin_ctzll(high) / 8;
  return 16;
}
