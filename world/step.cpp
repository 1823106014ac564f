// One day of the food chain: predation, starvation, ageing and births level by level, in the
// fixed order large carnivores, small carnivores, herbivores, plants; then the recount.
// The order of every random draw is part of the game: the same fields always give the same
// game. Each level's index of living slots (living_slots.h) is kept in step with every kill,
// death and birth, so that a day costs about as much as its draws.
#include "living_slots.h"
#include "random_source.h"
#include "world.h"

namespace {

// Each phase draws through its own stream, so that the generator's state stays in a register
// for the hundreds of thousands of draws of a crowded day.
int drawSlot(RandomStream& random) {
  return random.next() % kSlotsPerSpecies;
}
int drawChance(RandomStream& random) {
  return random.next() % kRateScale;
}

// One level as a phase works on it: its slots and their index.
struct Level {
  Species& species;
  LivingSlots& slots;
};

Level level(World& w, LivingSlots* index, int k) {
  return {w.species[k], index[k]};
}

// Whether a meal happens depends on a random slot, so it is applied without a branch.
void eatIf(Level prey, int slot, bool eaten) {
  int32_t& life = prey.species.life[slot];
  life = eaten ? 0 : life;
  prey.slots.markFree(slot, eaten);
}

// Individual i after its meal (or its lack of one, which divides its life by divisor) and a
// day of ageing; returns its life.
int32_t liveADay(Level self, int i, bool fed, int divisor) {
  int32_t life = self.species.life[i];
  life = (fed ? life : life / divisor) - 1;
  self.species.life[i] = life;
  self.slots.markFree(i, life <= 0);
  return life;
}

// The lowest free slot gets a newborn with the level's birth chance; one draw, when there is
// a free slot at all.
void attemptBirth(RandomStream& random, Level self) {
  int slot = self.slots.lowestFree();
  if (slot < 0) {
    return;
  }
  const Species& s = self.species;
  bool born = drawChance(random) < s.birthChance;
  int32_t& life = self.species.life[slot];
  life = born ? s.startLife : life;
  self.slots.markAlive(slot, born && s.startLife > 0);
}

bool underCap(const Species& s) {
  return s.population < kBirthCap;
}

void largeCarnivoresDay(World& w, LivingSlots* index) {
  RandomStream random;
  Level large = level(w, index, LargeCarnivore);
  Level small = level(w, index, SmallCarnivore);
  Level herbivores = level(w, index, Herbivore);
  const int32_t* s = small.species.life;
  const int32_t* h = herbivores.species.life;
  bool preyExists = small.species.population > 0 || herbivores.species.population > 0;
  bool mayBear = underCap(large.species) && preyExists;
  int32_t disturbance = w.disturbance[LargeCarnivore];
  forEachLiving(large.slots, [&](int i) {
    int a = drawSlot(random);
    int b = drawSlot(random);
    bool twoHerbivores = (h[a] > 0) & (h[b] > 0);
    bool twoSmall = !twoHerbivores & (s[a] > 0) & (s[b] > 0);
    eatIf(herbivores, a, twoHerbivores);
    eatIf(herbivores, b, twoHerbivores);
    eatIf(small, a, twoSmall);
    eatIf(small, b, twoSmall);
    int32_t life = liveADay(large, i, twoHerbivores | twoSmall, 5);
    int r = drawChance(random);
    if (mayBear && r > disturbance && life > 0) {
      attemptBirth(random, large);
    }
  });
}

// Small carnivores eat herbivores and herbivores eat plants in the same way.
void predatorDay(World& w, LivingSlots* index, int k, int preyId) {
  RandomStream random;
  Level self = level(w, index, k);
  Level prey = level(w, index, preyId);
  const int32_t* p = prey.species.life;
  bool blockedWithoutPrey = k == SmallCarnivore && prey.species.population <= 0;
  bool mayBear = underCap(self.species) && !blockedWithoutPrey;
  int32_t disturbance = w.disturbance[k];
  forEachLiving(self.slots, [&](int i) {
    int a = drawSlot(random);
    bool fed = p[a] > 0;
    eatIf(prey, a, fed);
    int32_t life = liveADay(self, i, fed, 10);
    int r = drawChance(random);
    if (mayBear && r > disturbance && life > 0) {
      attemptBirth(random, self);
    }
  });
}

void plantsDay(World& w, LivingSlots* index) {
  RandomStream random;
  Level plants = level(w, index, Plant);
  bool mayBear = underCap(plants.species);
  int32_t disturbance = w.disturbance[Plant];
  forEachLiving(plants.slots, [&](int i) {
    drawSlot(random);  // drawn and unused, as every other level draws its meal
    liveADay(plants, i, false, 10);
    int r = drawChance(random);
    // A plant that has just withered still seeds.
    if (mayBear && r > disturbance) {
      attemptBirth(random, plants);
    }
  });
}

void recount(World& w, const LivingSlots* index, int32_t day) {
  for (int k = 0; k < kSpeciesCount; ++k) {
    int32_t living = index[k].countLivingBelow(kSlotsPerSpecies);
    w.species[k].population = living;
    // The table holds the first kHistoryDays days; later days are counted but not recorded.
    if (day >= 0 && day < kHistoryDays) {
      w.history[k][day] = living;
    }
  }
}

}  // namespace

void stepWorld(World& w, int32_t day) {
  LivingSlots* index = livingSlotsOf(w);
  largeCarnivoresDay(w, index);
  predatorDay(w, index, SmallCarnivore, Herbivore);
  predatorDay(w, index, Herbivore, Plant);
  plantsDay(w, index);
  recount(w, index, day);
}

void stepWorld() {
  stepWorld(world, dayCount);
}
