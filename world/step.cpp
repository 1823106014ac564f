// One day of the food chain: predation, starvation, ageing and births level by level, in the
// fixed order large carnivores, small carnivores, herbivores, plants; then the recount.
// The order of every random draw is part of the game: the same fields always give the same
// game.
#include "free_slots.h"
#include "random_source.h"
#include "world.h"

namespace {

// Free-slot indexes of the four levels for the day being stepped; static because they are
// large and the step runs on one thread.
FreeSlots freeSlots[kSpeciesCount];

// Each phase draws through its own stream, so that the generator's state stays in a register
// for the hundreds of thousands of draws of a crowded day.
int drawSlot(RandomStream& random) {
  return random.next() % kSlotsPerSpecies;
}
int drawChance(RandomStream& random) {
  return random.next() % kRateScale;
}

void kill(Species& prey, int k, int slot) {
  prey.life[slot] = 0;
  freeSlots[k].markFree(slot);
}

// Ages individual i by one day after its meal (or its lack of one).
void age(Species& s, int k, int i) {
  s.life[i] -= 1;
  if (s.life[i] <= 0) {
    freeSlots[k].markFree(i);
  }
}

void starve(Species& s, int i, int divisor) {
  s.life[i] /= divisor;
}

// The lowest free slot gets a newborn with the level's birth chance; one draw, when there is
// a free slot at all.
void attemptBirth(RandomStream& random, Species& s, int k) {
  int slot = freeSlots[k].lowestFree();
  if (slot < 0) {
    return;
  }
  if (drawChance(random) < s.birthChance) {
    s.life[slot] = s.startLife;
    if (s.startLife > 0) {
      freeSlots[k].markAlive(slot);
    }
  }
}

bool underCap(const Species& s) {
  return s.population < kBirthCap;
}

void largeCarnivoresDay(World& w) {
  RandomStream random;
  Species& large = w.species[LargeCarnivore];
  Species& small = w.species[SmallCarnivore];
  Species& herbivores = w.species[Herbivore];
  bool preyExists = small.population > 0 || herbivores.population > 0;
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    if (large.life[i] <= 0) {
      continue;
    }
    int a = drawSlot(random);
    int b = drawSlot(random);
    if (herbivores.life[a] > 0 && herbivores.life[b] > 0) {
      kill(herbivores, Herbivore, a);
      kill(herbivores, Herbivore, b);
    } else if (small.life[a] > 0 && small.life[b] > 0) {
      kill(small, SmallCarnivore, a);
      kill(small, SmallCarnivore, b);
    } else {
      starve(large, i, 5);
    }
    age(large, LargeCarnivore, i);
    int r = drawChance(random);
    if (underCap(large) && r > w.disturbance[LargeCarnivore] && large.life[i] > 0 && preyExists) {
      attemptBirth(random, large, LargeCarnivore);
    }
  }
}

// Small carnivores eat herbivores and herbivores eat plants in the same way.
void predatorDay(World& w, int k, int preyId) {
  RandomStream random;
  Species& self = w.species[k];
  Species& prey = w.species[preyId];
  bool blockedWithoutPrey = k == SmallCarnivore;
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    if (self.life[i] <= 0) {
      continue;
    }
    int a = drawSlot(random);
    if (prey.life[a] > 0) {
      kill(prey, preyId, a);
    } else {
      starve(self, i, 10);
    }
    age(self, k, i);
    int r = drawChance(random);
    if (underCap(self) && r > w.disturbance[k] && self.life[i] > 0 &&
        (!blockedWithoutPrey || prey.population > 0)) {
      attemptBirth(random, self, k);
    }
  }
}

void plantsDay(World& w) {
  RandomStream random;
  Species& plants = w.species[Plant];
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    if (plants.life[i] <= 0) {
      continue;
    }
    drawSlot(random);  // drawn and unused, as every other level draws its meal
    starve(plants, i, 10);
    age(plants, Plant, i);
    int r = drawChance(random);
    // A plant that has just withered still seeds.
    if (underCap(plants) && r > w.disturbance[Plant]) {
      attemptBirth(random, plants, Plant);
    }
  }
}

void recount(World& w, int32_t day) {
  for (int k = 0; k < kSpeciesCount; ++k) {
    int32_t living = 0;
    for (int32_t life : w.species[k].life) {
      living += life > 0 ? 1 : 0;
    }
    w.species[k].population = living;
    // The table holds the first kHistoryDays days; later days are counted but not recorded.
    if (day >= 0 && day < kHistoryDays) {
      w.history[k][day] = living;
    }
  }
}

}  // namespace

void stepWorld(World& w, int32_t day) {
  for (int k = 0; k < kSpeciesCount; ++k) {
    freeSlots[k].rebuild(w.species[k].life);
  }
  largeCarnivoresDay(w);
  predatorDay(w, SmallCarnivore, Herbivore);
  predatorDay(w, Herbivore, Plant);
  plantsDay(w);
  recount(w, day);
}

void stepWorld() {
  stepWorld(world, dayCount);
}
