// The maxims table of the wisdom line and the random choice of one maxim.
#pragma once

#include <cstdint>

constexpr int kMaximCount = 155;
extern const char* const kMaxims[kMaximCount];

// The byte hash of a value stored as `size` bytes: b0 * 257^(n-1) + ... +
// b(n-1), modulo 2^32, bytes taken in memory (little-endian) order.
uint32_t HashValueBytes(const void* bytes, int size);

// (hash(calendar seconds as 8 bytes) + counter) XOR hash(process ms as 4 bytes).
uint32_t WisdomSeed(int64_t calendar_seconds, uint32_t process_milliseconds, uint32_t counter);

// The first MT19937 output from `seed` whose lowest 8 bits are at most 154.
int DrawWisdomIndex(uint32_t seed);

// A fresh draw seeded from the clocks and the process-wide seeding counter,
// which goes up by one after each seeding.
int ChooseWisdomIndex();
