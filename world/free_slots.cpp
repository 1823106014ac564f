#include "free_slots.h"

void FreeSlots::rebuild(const int32_t* life) {
  for (int w = 0; w < kWords; ++w) {
    const int first = w * 64;
    const int count = kSlotsPerSpecies - first < 64 ? kSlotsPerSpecies - first : 64;
    uint64_t bits = 0;
    for (int b = 0; b < count; ++b) {
      bits |= uint64_t{life[first + b] > 0} << b;
    }
    // Bits past the last slot count as alive so that they are never handed out.
    if (count < 64) {
      bits |= kAllSet << count;
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
