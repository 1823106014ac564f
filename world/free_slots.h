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

  void markAlive(int slot);
  void markFree(int slot);
  // Lowest free slot, or -1 when every slot is alive.
  int lowestFree() const;

 private:
  static constexpr int kWords = (kSlotsPerSpecies + 63) / 64;
  static constexpr int kSummaryWords = (kWords + 63) / 64;
  uint64_t alive[kWords];
  uint64_t fullWords[kSummaryWords];
};
