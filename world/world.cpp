#include "world.h"

#include <algorithm>

#include "living_slots.h"

World world;
int32_t dayCount = 0;

void seedWorld(World& w) {
  int living[kSpeciesCount];
  for (int k = 0; k < kSpeciesCount; ++k) {
    Species& s = w.species[k];
    int32_t seeded = std::clamp(s.population, 0, kSlotsPerSpecies);
    std::fill(s.life, s.life + seeded, s.startLife);
    std::fill(s.life + seeded, s.life + kSlotsPerSpecies, 0);
    living[k] = s.startLife > 0 && seeded > 0 ? seeded : 0;
  }
  indexSeededWorld(w, living);
}

void seedWorld() {
  seedWorld(world);
}

bool anySpeciesExtinct(const World& w) {
  for (const Species& s : w.species) {
    if (s.population <= 0) {
      return true;
    }
  }
  return false;
}
