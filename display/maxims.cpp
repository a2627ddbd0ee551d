#include "display/maxims.h"

#include <atomic>
#include <cstring>
#include <ctime>
#include <random>

namespace {

std::atomic<uint32_t> wisdom_seed_counter{0};

// Bytes of an integer in little-endian order, whatever the host's order.
template <typename T>
void LittleEndianBytes(T value, unsigned char* out) {
  for (size_t k = 0; k < sizeof(T); ++k) out[k] = static_cast<unsigned char>(value >> (8 * k));
}

}  // namespace

uint32_t HashValueBytes(const void* bytes, int size) {
  const auto* b = static_cast<const unsigned char*>(bytes);
  uint32_t hash = 0;
  for (int k = 0; k < size; ++k) hash = hash * 257u + b[k];
  return hash;
}

uint32_t WisdomSeed(int64_t calendar_seconds, uint32_t process_milliseconds, uint32_t counter) {
  unsigned char t[8], c[4];
  LittleEndianBytes(static_cast<uint64_t>(calendar_seconds), t);
  LittleEndianBytes(process_milliseconds, c);
  return (HashValueBytes(t, 8) + counter) ^ HashValueBytes(c, 4);
}

int DrawWisdomIndex(uint32_t seed) {
  std::mt19937 generator(seed);
  for (;;) {
    const uint32_t value = static_cast<uint32_t>(generator()) & 0xFFu;
    if (value < static_cast<uint32_t>(kMaximCount)) return static_cast<int>(value);
  }
}

int ChooseWisdomIndex() {
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  const uint32_t ms = static_cast<uint32_t>(
      static_cast<uint64_t>(std::clock()) * 1000u / static_cast<uint64_t>(CLOCKS_PER_SEC));
  const uint32_t counter = wisdom_seed_counter.fetch_add(1);
  return DrawWisdomIndex(WisdomSeed(now, ms, counter));
}
