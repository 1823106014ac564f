// Where the simulation screen scatters its dots: one per living individual among each level's
// first kDotSlots slots, at places drawn from the shared random source (y first, then x).
// The headless simulator makes the same draws without drawing, so both see one sequence.
#pragma once

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
  RandomStream random;
  for (int k = 0; k < kSpeciesCount; ++k) {
    const int32_t* life = w.species[k].life;
    for (int j = 0; j < kDotSlots; ++j) {
      if (life[j] > 0) {
        int y = kDotFieldTop + random.next() % kDotFieldHeight;
        int x = random.next() % kDotFieldWidth;
        plot(k, x, y);
      }
    }
  }
}
