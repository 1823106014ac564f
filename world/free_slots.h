// Which life slots of one species are free, kept so that a birth finds the lowest free slot
// without scanning every living individual below it. Two levels of bit sets: one bit per slot
// (set while the slot is alive) and one bit per word of those (set while all 64 are alive).
#pragma once

#include <cstdint>

#include "world.h"

class FreeSlots {
 public:
  // Reads which slots are alive (life > 0).
  void rebuild(const int32_t* life);

  void markAlive(int slot) {
    int w = slot >> 6;
    alive[w] |= uint64_t{1} << (slot & 63);
    if (alive[w] == kAllSet) {
      fullWords[w >> 6] |= uint64_t{1} << (w & 63);
    }
  }

  void markFree(int slot) {
    int w = slot >> 6;
    alive[w] &= ~(uint64_t{1} << (slot & 63));
    fullWords[w >> 6] &= ~(uint64_t{1} << (w & 63));
  }

  // Lowest free slot, or -1 when every slot is alive.
  int lowestFree() const {
    for (int s = 0; s < kSummaryWords; ++s) {
      if (fullWords[s] != kAllSet) {
        int w = s * 64 + lowestClearBit(fullWords[s]);
        return w * 64 + lowestClearBit(alive[w]);
      }
    }
    return -1;
  }

 private:
  static constexpr uint64_t kAllSet = ~uint64_t{0};
  static constexpr int kWords = (kSlotsPerSpecies + 63) / 64;
  static constexpr int kSummaryWords = (kWords + 63) / 64;

  static int lowestClearBit(uint64_t word) { return __builtin_ctzll(~word); }

  uint64_t alive[kWords];
  uint64_t fullWords[kSummaryWords];
};
