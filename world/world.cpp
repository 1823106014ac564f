#include "world.h"

World world;
int32_t dayCount = 0;

void seedWorld(World& w) {
  for (Species& s : w.species) {
    int32_t seeded = s.population < kSlotsPerSpecies ? s.population : kSlotsPerSpecies;
    for (int i = 0; i < kSlotsPerSpecies; ++i) {
      s.life[i] = i < seeded ? s.startLife : 0;
    }
  }
  lifeSlotsChanged(w);
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
