// Where the simulation screen scatters its dots: one per living individual among each level's
// first kDotSlots slots, at places drawn from the shared random source (y first, then x).
// The headless simulator moves the source on as those draws would, without making them, so
// both see one sequence.
#pragma once

#include "living_slots.h"
#include "random_source.h"
#include "world.h"

constexpr int kDotSlots = 20000;
constexpr int kDotFieldTop = 150;
constexpr int kDotFieldHeight = 300;
constexpr int kDotFieldWidth = 245;

// Calls plot(species, x, y) for every dot, in drawing order. plot must not draw from the
// random source itself.
template <typename Plot>
void scatterDots(const World& w, Plot&& plot) {
  const LivingSlots* index = livingSlotsOf(w);
  RandomStream random;
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int word = 0; word * 64 < kDotSlots; ++word) {
      uint64_t bits = index[k].livingBits(word);
      if ((word + 1) * 64 > kDotSlots) {
        bits &= (uint64_t{1} << (kDotSlots - word * 64)) - 1;
      }
      for (; bits != 0; bits &= bits - 1) {
        int y = kDotFieldTop + random.next() % kDotFieldHeight;
        int x = random.next() % kDotFieldWidth;
        plot(k, x, y);
      }
    }
  }
}

// The source as scatterDots would leave it: two draws per dot, made as one jump.
inline void skipDotDraws(const World& w) {
  const LivingSlots* index = livingSlotsOf(w);
  uint64_t dots = 0;
  for (int k = 0; k < kSpeciesCount; ++k) {
    dots += index[k].countLivingBelow(kDotSlots);
  }
  skipRandomDraws(2 * dots);
}
