#include "world_test_support.h"

#include <cstring>

#include "random_source.h"

std::unique_ptr<World> makeEmptyWorld() {
  auto w = std::make_unique<World>();
  lifeSlotsChanged(*w);  // it may lie where a world the step knew lay
  return w;
}

void fillLife(Species& s, int first, int last, int32_t life) {
  for (int i = first; i < last; ++i) {
    s.life[i] = life;
  }
}

int countAlive(const Species& s) {
  int alive = 0;
  for (int32_t life : s.life) {
    alive += life > 0 ? 1 : 0;
  }
  return alive;
}

std::vector<int> drawsFrom(uint32_t state, int n) {
  uint32_t saved = randomState();
  setRandomState(state);
  std::vector<int> draws;
  for (int i = 0; i < n; ++i) {
    draws.push_back(randomNext());
  }
  setRandomState(saved);
  return draws;
}

long drawsBetween(uint32_t from, uint32_t to, long limit) {
  setRandomState(from);
  long n = 0;
  while (randomState() != to && n <= limit) {
    randomNext();
    ++n;
  }
  setRandomState(to);
  return n <= limit ? n : -1;
}

std::string firstDifference(const World& a, const World& b) {
  if (std::memcmp(&a, &b, sizeof(World)) == 0) {
    return "";
  }
  auto describe = [](const std::string& what, int32_t x, int32_t y) {
    return what + ": " + std::to_string(x) + " vs " + std::to_string(y);
  };
  for (int k = 0; k < kSpeciesCount; ++k) {
    std::string name = "species " + std::to_string(k);
    if (a.disturbance[k] != b.disturbance[k]) {
      return describe("disturbance " + std::to_string(k), a.disturbance[k], b.disturbance[k]);
    }
    const Species& x = a.species[k];
    const Species& y = b.species[k];
    if (x.population != y.population) {
      return describe(name + " population", x.population, y.population);
    }
    if (x.startLife != y.startLife || x.birthChance != y.birthChance) {
      return name + ": rates differ";
    }
    for (int i = 0; i < kSlotsPerSpecies; ++i) {
      if (x.life[i] != y.life[i]) {
        return describe(name + " slot " + std::to_string(i), x.life[i], y.life[i]);
      }
    }
    for (int d = 0; d < kHistoryDays; ++d) {
      if (a.history[k][d] != b.history[k][d]) {
        return describe(name + " history " + std::to_string(d), a.history[k][d], b.history[k][d]);
      }
    }
  }
  return "padding differs";
}
