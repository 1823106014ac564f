// One day of the food chain: predation, starvation, ageing and births level by level, in the
// fixed order large carnivores, small carnivores, herbivores, plants; then the recount.
// The order of every random draw is part of the game: the same fields always give the same
// game.
//
// A day is a chain of draws, each waiting for the one before, so the step is written to keep
// that chain moving: the generator's state stays in a register for the whole phase, and the
// outcomes that depend on a random slot or draw (a meal, a successful birth) are applied with
// masks instead of branches, which the processor could not predict. Each level's index of
// living slots (living_slots.h) follows every kill, death and birth.
#include "living_slots.h"
#include "newer_x86_64.h"
#include "random_source.h"
#include "world.h"

namespace {

// c ? a : b, computed without a branch.
int32_t select(bool c, int32_t a, int32_t b) {
  int32_t mask = -static_cast<int32_t>(c);
  return (a & mask) | (b & ~mask);
}

// The state n draws after state, in one step: an individual's draws are all made from the
// state it starts with, so that they do not wait for each other.
template <int n>
uint32_t stateAfter(uint32_t state) {
  constexpr uint32_t increment = advanceRandomState(0u, uint64_t{n});
  constexpr uint32_t multiplier = advanceRandomState(1u, uint64_t{n}) - increment;
  return state * multiplier + increment;
}

unsigned slotOf(uint32_t state) {
  return randomValueOf(state) % kSlotsPerSpecies;
}
// value % kRateScale for every value a draw can have, looked up: cheaper than the division
// (a multiply, a shift and another multiply) on the draws that decide births.
struct ChanceTable {
  uint16_t chance[32768];
  constexpr ChanceTable() : chance() {
    for (int value = 0; value < 32768; ++value) {
      chance[value] = static_cast<uint16_t>(value % kRateScale);
    }
  }
};
constexpr ChanceTable kChances;

int chanceOf(uint32_t state) {
  return kChances.chance[randomValueOf(state)];
}

// A chance draw above the bar lets an individual try for a birth: the level's disturbance, or
// a bar no draw passes when the level may not bear today.
int32_t birthBar(bool mayBear, int32_t disturbance) {
  return mayBear ? disturbance : INT32_MAX;
}

// One level as a phase works on it: its slots and their index.
struct Level {
  int32_t* life;
  LivingSlots& slots;
};

Level level(World& w, LivingSlots* index, int k) {
  return {w.species[k].life, index[k]};
}

// Whether slots a and b of the prey are both alive, tested without a branch between them.
bool bothAlive(Level prey, unsigned a, unsigned b) {
  bool first = prey.slots.isAlive(a);
  bool second = prey.slots.isAlive(b);
  return first & second;
}

// A meal: the prey in slot is eaten when `eaten` holds.
void eatIf(Level prey, unsigned slot, bool eaten) {
  prey.life[slot] = select(eaten, 0, prey.life[slot]);
  prey.slots.markEaten(slot, eaten);
}

// A positive life divided by divisor: the unsigned quotient (the cheaper one) is the same.
int32_t dividedLife(int32_t life, uint32_t divisor) {
  return static_cast<int32_t>(static_cast<uint32_t>(life) / divisor);
}

// The individual at the cursor after its meal (or its lack of one, which divides its life by
// divisor) and a day of ageing; returns its life. A death is left to the caller (Births::bury):
// the predators record it only where they branch on it, so that the index's word at the cursor,
// which the births read, does not wait for the outcome of every meal.
int32_t liveADay(Level self, LivingCursor& c, bool fed, uint32_t divisor) {
  int32_t life = self.life[c.slot()];  // positive: the slot is visited
  life = select(fed, life, dividedLife(life, divisor)) - 1;
  self.life[c.slot()] = life;
  return life;
}

// The level's birth attempts, made through one stream of draws.
class Births {
 public:
  // Between the start of the level's phase and its end, the index changes only through the
  // level's own deaths and births, so the lowest free slot is followed here instead of
  // searched for at every attempt.
  Births(const Species& s, Level self)
      : self_(self),
        chance_(s.birthChance),
        life_(s.startLife),
        livingChance_(s.startLife > 0 ? s.birthChance : 0),
        free_(self.slots.lowestFreeForBirth()) {}

  // The individual at the cursor has died, when `died` holds: its slot is free from now on.
  void bury(LivingCursor& c, bool died) {
    c.markDied(died);
    unsigned i = c.slot();
    bool lower = died & (i < free_);
    free_ = lower ? i : free_;
  }

  // The lowest free slot gets a newborn with the level's birth chance; one draw, when there is
  // a free slot at all. Returns the generator's state after it.
  uint32_t attempt(uint32_t state, LivingCursor& cursor) { return attempt(state, cursor, life_); }

  // attempt, where a newborn ahead of the cursor starts with aheadLife instead.
  uint32_t attempt(uint32_t state, LivingCursor& cursor, int32_t aheadLife) {
    unsigned slot = free_;
    if (slot == kNone) {
      return state;
    }
    state = advanceRandomState(state);
    int chance = chanceOf(state);
    int32_t life = self_.life[slot];
    int32_t newborn = slot > cursor.slot() ? aheadLife : life_;
    if (chance < chance_) {  // a conditional move, not a branch
      life = newborn;
    }
    self_.life[slot] = life;
    bool living = chance < livingChance_;
    free_ = self_.slots.markAliveFindFree(slot, living, cursor.word());
    cursor.cameAlive(slot, living);
    return state;
  }

 private:
  Level self_;
  int32_t chance_;
  int32_t life_;
  int32_t livingChance_;  // the birth chance, or 0 when newborns are not alive
  // Unsigned, so that indexing with it needs no widening; kNone, above every slot, when no
  // slot is free.
  static constexpr unsigned kNone = ~0u;
  unsigned free_;
};

bool underCap(const Species& s) {
  return s.population < kBirthCap;
}

// The share of draws that find living prey: the living among the slots a draw can reach.
double preyDensity(const LivingSlots& prey) {
  constexpr int kReachable = 32768;  // a draw is at most 32767
  return prey.countLivingBelow(kReachable) / static_cast<double>(kReachable);
}

// Meals that nearly always or nearly never happen are left to the branch predictor, so that
// nothing waits for the prey's slot to be read; meals as likely as not are applied with masks.
bool predictable(double mealChance) {
  return mealChance < 0.1 || mealChance > 0.9;
}

// The slots where a small carnivore or a herbivore lives, for the large carnivores' phase when
// their meals are rare: one test of it shows that nearly every pair of draws finds no meal.
uint64_t eitherPrey[LivingSlots::kWords];

void joinPrey(Level small, Level herbivores, int word) {
  eitherPrey[word] = small.slots.livingBits(word) | herbivores.slots.livingBits(word);
}

unsigned eitherPreyAt(unsigned slot) {  // 1 or 0, so that two of them combine without a branch
  return (eitherPrey[slot >> 6] >> (slot & 63)) & 1;
}

template <bool kPredictableMeals>
BUILT_FOR_NEWER_X86_64_TOO uint32_t largeCarnivoresDay(World& w, LivingSlots* index,
                                                       uint32_t state) {
  Level large = level(w, index, LargeCarnivore);
  Level small = level(w, index, SmallCarnivore);
  Level herbivores = level(w, index, Herbivore);
  const Species& s = w.species[LargeCarnivore];
  bool preyExists = w.species[SmallCarnivore].population > 0 || w.species[Herbivore].population > 0;
  int32_t bar = birthBar(underCap(s) && preyExists, w.disturbance[LargeCarnivore]);
  large.slots.summariseFullWords();
  if (kPredictableMeals) {
    for (int word = 0; word < LivingSlots::kWords; ++word) {
      joinPrey(small, herbivores, word);
    }
  }
  Births births(s, large);
  for (LivingCursor c(large.slots); c.next();) {
    unsigned a = slotOf(stateAfter<1>(state));
    unsigned b = slotOf(stateAfter<2>(state));
    state = stateAfter<3>(state);
    int32_t life;
    if (kPredictableMeals) {
      bool fed = false;
      if (__builtin_expect(eitherPreyAt(a) & eitherPreyAt(b), 0)) {
        bool twoHerbivores = bothAlive(herbivores, a, b);
        fed = twoHerbivores | bothAlive(small, a, b);
        if (fed) {
          Level prey = twoHerbivores ? herbivores : small;
          eatIf(prey, a, true);
          eatIf(prey, b, true);
          joinPrey(small, herbivores, a >> 6);
          joinPrey(small, herbivores, b >> 6);
        }
      }
      life = liveADay(large, c, fed, 5);
    } else {
      bool twoHerbivores = bothAlive(herbivores, a, b);
      bool smallPair = bothAlive(small, a, b);
      bool twoSmall = !twoHerbivores & smallPair;
      bool fed = twoHerbivores | twoSmall;
      eatIf(herbivores, a, twoHerbivores);
      eatIf(herbivores, b, twoHerbivores);
      eatIf(small, a, twoSmall);
      eatIf(small, b, twoSmall);
      life = liveADay(large, c, fed, 5);
    }
    if (life <= 0) {
      births.bury(c, true);
    } else if (chanceOf(state) > bar) {
      state = births.attempt(state, c);
    }
  }
  return state;
}

// Small carnivores eat herbivores and herbivores eat plants in the same way: level k eats the
// next one.
template <bool kPredictableMeals>
BUILT_FOR_NEWER_X86_64_TOO uint32_t predatorDay(World& w, LivingSlots* index, int k,
                                                uint32_t state) {
  Level self = level(w, index, k);
  // The prey's slots and index reached as the element after the predator's, at a fixed distance
  // from the same registers: the loop has none to spare for where the prey lies.
  Species* levels = &w.species[k];
  LivingSlots* indexes = &index[k];
  const Species& s = levels[0];
  bool blockedWithoutPrey = k == SmallCarnivore && levels[1].population <= 0;
  int32_t bar = birthBar(underCap(s) && !blockedWithoutPrey, w.disturbance[k]);
  self.slots.summariseFullWords();
  Births births(s, self);
  for (LivingCursor c(self.slots); c.next();) {
    unsigned a = slotOf(stateAfter<1>(state));
    state = stateAfter<2>(state);
    bool fed = indexes[1].isAlive(a);
    int32_t life;
    if (kPredictableMeals) {
      if (__builtin_expect(fed, 0)) {
        levels[1].life[a] = 0;
        indexes[1].markEaten(a, true);
        life = liveADay(self, c, true, 10);
      } else {
        life = liveADay(self, c, false, 10);
      }
    } else {
      // Clearing the slot's bit is the meal when it is set and changes nothing when it is not.
      levels[1].life[a] = select(fed, 0, levels[1].life[a]);
      indexes[1].markEaten(a, true);
      life = liveADay(self, c, fed, 10);
    }
    // Only the living after the day try for a birth; a life of 20 or more before the day, which
    // also may, always ends it alive (at 1 or more hungry, 19 or more fed).
    if (life <= 0) {
      births.bury(c, true);
    } else if (chanceOf(state) > bar) {
      state = births.attempt(state, c);
    }
  }
  return state;
}

// A plant's life after its day, which never brings a meal; a life that is not positive (a free
// slot, or newborns that are not alive) stays as it is.
int32_t plantAfterItsDay(int32_t life) {
  return life > 0 ? dividedLife(life, 10) - 1 : life;
}

void ageEveryPlant(Level plants) {
  int end = plants.slots.wordsHoldingLife() * 64;
  end = end < kSlotsPerSpecies ? end : kSlotsPerSpecies;
  for (int i = 0; i < end; ++i) {
    plants.life[i] = plantAfterItsDay(plants.life[i]);
  }
}

BUILT_FOR_NEWER_X86_64_TOO uint32_t plantsDay(World& w, LivingSlots* index, uint32_t state) {
  Level plants = level(w, index, Plant);
  const Species& s = w.species[Plant];
  int32_t bar = birthBar(underCap(s), w.disturbance[Plant]);
  plants.slots.summariseFullWords();
  // Nothing eats a plant in its own phase, so every plant living now lives to its turn: all of
  // them age first, in one pass the compiler vectorises, and a newborn ahead of the cursor,
  // whose turn comes later in the phase, is born aged.
  ageEveryPlant(plants);
  int32_t agedNewborn = plantAfterItsDay(s.startLife);
  Births births(s, plants);
  for (LivingCursor c(plants.slots); c.next();) {
    state = stateAfter<2>(state);  // the first, a meal's slot as every other level draws, unused
    births.bury(c, plants.life[c.slot()] <= 0);
    // A plant that has just withered still seeds.
    if (chanceOf(state) > bar) {
      state = births.attempt(state, c, agedNewborn);
    }
  }
  return state;
}

void recount(World& w, LivingSlots* index, int32_t day) {
  for (int k = 0; k < kSpeciesCount; ++k) {
    index[k].forgetEmptyTop();
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
  uint32_t state = randomState();
  double h = preyDensity(index[Herbivore]);
  double s = preyDensity(index[SmallCarnivore]);
  state = predictable(h * h + (1 - h * h) * s * s) ? largeCarnivoresDay<true>(w, index, state)
                                                   : largeCarnivoresDay<false>(w, index, state);
  state = predictable(preyDensity(index[Herbivore]))
              ? predatorDay<true>(w, index, SmallCarnivore, state)
              : predatorDay<false>(w, index, SmallCarnivore, state);
  state = predictable(preyDensity(index[Plant])) ? predatorDay<true>(w, index, Herbivore, state)
                                                 : predatorDay<false>(w, index, Herbivore, state);
  state = plantsDay(w, index, state);
  setRandomState(state);
  recount(w, index, day);
}

void stepWorld() {
  stepWorld(world, dayCount);
}
