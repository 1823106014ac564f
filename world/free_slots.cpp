#include "free_slots.h"

namespace {
constexpr uint64_t kAllSet = ~uint64_t{0};

int lowestClearBit(uint64_t word) { return __builtin_ctzll(~word); }
}  // namespace

void FreeSlots::rebuild(const int32_t* life) {
  for (int w = 0; w < kWords; ++w) {
    uint64_t bits = 0;
    for (int b = 0; b < 64; ++b) {
      int slot = w * 64 + b;
      // Bits past the last slot count as alive so that they are never handed out.
      if (slot >= kSlotsPerSpecies || life[slot] > 0) {
        bits |= uint64_t{1} << b;
      }
    }
    alive[w] = bits;
  }
  for (int s = 0; s < kSummaryWords; ++s) {
    uint64_t bits = 0;
    for (int b = 0; b < 64; ++b) {
      int w = s * 64 + b;
      if (w >= kWords || alive[w] == kAllSet) {
        bits |= uint64_t{1} << b;
      }
    }
    fullWords[s] = bits;
  }
}

void FreeSlots::markAlive(int slot) {
  int w = slot >> 6;
  alive[w] |= uint64_t{1} << (slot & 63);
  if (alive[w] == kAllSet) {
    fullWords[w >> 6] |= uint64_t{1} << (w & 63);
  }
}

void FreeSlots::markFree(int slot) {
  int w = slot >> 6;
  alive[w] &= ~(uint64_t{1} << (slot & 63));
  fullWords[w >> 6] &= ~(uint64_t{1} << (w & 63));
}

int FreeSlots::lowestFree() const {
  for (int s = 0; s < kSummaryWords; ++s) {
    if (fullWords[s] != kAllSet) {
      int w = s * 64 + lowestClearBit(fullWords[s]);
      return w * 64 + lowestClearBit(alive[w]);
    }
  }
  return -1;
}
