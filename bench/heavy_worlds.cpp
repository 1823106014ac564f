#include "heavy_worlds.h"

#include <random>

#include "dot_field.h"
#include "parameters.h"
#include "random_source.h"

const char* const kHeavyGameTexts[kParameterFieldCount] = {
    "1000", "0.5",   "0.2", "5000", "0.5", "0.3", "10000", "0.5",
    "0.6",  "19999", "0.5", "0.5",  "0.1", "0.1", "0.1",   "0.1",
};

namespace {

constexpr int32_t kNearCap = kBirthCap - 1;

void setDefaultRates(World& w) {
  storeParameterTexts(w, kDefaultParameterTexts);
  for (Species& s : w.species) {
    s.population = kNearCap;
  }
}

}  // namespace

std::unique_ptr<World> packedWorld() {
  auto w = std::make_unique<World>();
  setDefaultRates(*w);
  std::mt19937 random(1);
  for (Species& s : w->species) {
    for (int i = 0; i < kNearCap; ++i) {
      s.life[i] = 100 + static_cast<int32_t>(random() % 5000);
    }
  }
  lifeSlotsChanged(*w);
  return w;
}

std::unique_ptr<World> scatteredWorld() {
  auto w = std::make_unique<World>();
  setDefaultRates(*w);
  std::mt19937 random(2);
  for (Species& s : w->species) {
    for (int placed = 0; placed < kNearCap;) {
      int slot = static_cast<int>(random() % 32768);
      if (s.life[slot] <= 0) {
        s.life[slot] = 100 + static_cast<int32_t>(random() % 5000);
        ++placed;
      }
    }
  }
  lifeSlotsChanged(*w);
  return w;
}

std::unique_ptr<World> heavyGameWorld(int day, uint32_t& randomStateAfter) {
  auto w = std::make_unique<World>();
  storeParameterTexts(*w, kHeavyGameTexts);
  seedWorld(*w);
  setRandomState(1);
  for (int d = 0; d < day; ++d) {
    stepWorld(*w, d);
    skipDotDraws(*w);
  }
  randomStateAfter = randomState();
  return w;
}
