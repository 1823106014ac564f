#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "parameters.h"
#include "random_source.h"
#include "world_test_support.h"

namespace {

// Prey can only be drawn from slots below 32768, so an individual here is never eaten.
constexpr int kUneatableSlot = 40000;
constexpr uint32_t kStart = 20240607;

// Runs one day from random state start and returns how many draws it made.
long stepCountingDraws(World& w, int32_t day, uint32_t start = kStart) {
  setRandomState(start);
  stepWorld(w, day);
  return drawsBetween(start, randomState(), 10000000);
}

// A random state whose first two draws, the large carnivore's prey slots, are equal or not.
uint32_t stateWithPreyDraws(bool equal) {
  for (uint32_t s = 1;; ++s) {
    std::vector<int> d = drawsFrom(s, 2);
    if ((d[0] == d[1]) == equal) {
      return s;
    }
  }
}

// One large carnivore that cannot find prey (it starves but lives) and may give birth.
std::unique_ptr<World> lonelyLargeCarnivore(int32_t birthChance, int32_t disturbance) {
  auto w = makeEmptyWorld();
  Species& large = w->species[LargeCarnivore];
  large.life[kUneatableSlot] = 1000;
  large.population = 1;
  large.startLife = 777;
  large.birthChance = birthChance;
  w->disturbance[LargeCarnivore] = disturbance;
  w->species[Herbivore].population = 1;  // prey counted yesterday, none left today
  return w;
}

}  // namespace

TEST(StepWorld, EmptyWorldStaysEmptyAndDrawsNothing) {
  auto w = makeEmptyWorld();
  for (int k = 0; k < kSpeciesCount; ++k) {
    w->history[k][0] = -7;
    w->species[k].birthChance = 10000;
    w->species[k].startLife = 5000;
    w->disturbance[k] = -1;
  }
  EXPECT_EQ(stepCountingDraws(*w, 0), 0);
  for (int k = 0; k < kSpeciesCount; ++k) {
    EXPECT_EQ(w->species[k].population, 0);
    EXPECT_EQ(w->history[k][0], 0);
    EXPECT_EQ(countAlive(w->species[k]), 0);
  }
}

TEST(StepWorld, LargeCarnivoreWithLifeThree) {
  auto starving = makeEmptyWorld();
  starving->species[LargeCarnivore].life[0] = 3;
  starving->species[LargeCarnivore].population = 1;
  EXPECT_EQ(stepCountingDraws(*starving, 0), 3) << "two prey slots and the disturbance draw";
  EXPECT_EQ(starving->species[LargeCarnivore].life[0], -1);
  EXPECT_EQ(starving->species[LargeCarnivore].population, 0);

  auto fed = makeEmptyWorld();
  fed->species[LargeCarnivore].life[0] = 3;
  fed->species[LargeCarnivore].population = 1;
  fillLife(fed->species[Herbivore], 0, 32768, 1000);  // every slot a prey draw can reach
  fed->species[Herbivore].population = 32768;
  std::vector<int> d = drawsFrom(kStart, 2);
  stepCountingDraws(*fed, 0);
  EXPECT_EQ(fed->species[LargeCarnivore].life[0], 2);
  EXPECT_EQ(fed->species[Herbivore].life[d[0]], 0);
  EXPECT_EQ(fed->species[Herbivore].life[d[1]], 0);
  EXPECT_EQ(fed->species[Herbivore].population, 32768 - (d[0] == d[1] ? 1 : 2));
}

TEST(StepWorld, StarvationDividesLifeAndAgeingTakesOne) {
  auto w = makeEmptyWorld();
  for (int k = 0; k < kSpeciesCount; ++k) {
    w->species[k].life[kUneatableSlot] = 5000;
    w->species[k].population = 1;
  }
  stepCountingDraws(*w, 0);
  EXPECT_EQ(w->species[LargeCarnivore].life[kUneatableSlot], 999);
  EXPECT_EQ(w->species[SmallCarnivore].life[kUneatableSlot], 499);
  EXPECT_EQ(w->species[Herbivore].life[kUneatableSlot], 499);

  // A plant needs no food but always withers: 5000, 499, 48, 3, -1.
  const int32_t plantLife[] = {48, 3, -1};
  for (int day = 1; day <= 3; ++day) {
    stepCountingDraws(*w, day);
    EXPECT_EQ(w->species[Plant].life[kUneatableSlot], plantLife[day - 1]) << "day " << day;
  }
  EXPECT_EQ(w->species[Plant].population, 0);
}

TEST(StepWorld, LargeCarnivoresPreferTwoHerbivoresThenTwoSmallCarnivores) {
  uint32_t start = stateWithPreyDraws(false);
  std::vector<int> d = drawsFrom(start, 2);
  const int a = d[0], b = d[1];

  struct Case {
    bool herbivoreA, herbivoreB, smallA, smallB;
    bool herbivoresEaten, smallEaten;
  };
  const Case cases[] = {
      {true, true, true, true, true, false},     {true, false, true, true, false, true},
      {false, true, true, true, false, true},    {true, false, false, true, false, false},
      {false, false, true, false, false, false},
  };
  for (const Case& c : cases) {
    auto w = makeEmptyWorld();
    Species& herbivores = w->species[Herbivore];
    Species& small = w->species[SmallCarnivore];
    w->species[LargeCarnivore].life[0] = 1000;
    w->species[LargeCarnivore].population = 1;
    herbivores.life[a] = c.herbivoreA ? 1000000 : 0;
    herbivores.life[b] = c.herbivoreB ? 1000000 : 0;
    small.life[a] = c.smallA ? 1000000 : 0;
    small.life[b] = c.smallB ? 1000000 : 0;
    stepCountingDraws(*w, 0, start);

    bool fed = c.herbivoresEaten || c.smallEaten;
    SCOPED_TRACE(testing::Message()
                 << "H " << c.herbivoreA << c.herbivoreB << " S " << c.smallA << c.smallB);
    EXPECT_EQ(w->species[LargeCarnivore].life[0], fed ? 999 : 199);
    EXPECT_EQ(herbivores.life[a] > 0, c.herbivoreA && !c.herbivoresEaten);
    EXPECT_EQ(herbivores.life[b] > 0, c.herbivoreB && !c.herbivoresEaten);
    EXPECT_EQ(small.life[a] > 0, c.smallA && !c.smallEaten);
    EXPECT_EQ(small.life[b] > 0, c.smallB && !c.smallEaten);
  }
}

TEST(StepWorld, OnePreyFeedsWhenBothDrawsHitTheSameSlot) {
  uint32_t start = stateWithPreyDraws(true);
  const int a = drawsFrom(start, 1)[0];
  for (int preyId : {Herbivore, SmallCarnivore}) {
    auto w = makeEmptyWorld();
    w->species[LargeCarnivore].life[0] = 1000;
    w->species[LargeCarnivore].population = 1;
    w->species[preyId].life[a] = 1000000;
    stepCountingDraws(*w, 0, start);
    EXPECT_EQ(w->species[LargeCarnivore].life[0], 999) << "prey " << preyId;
    EXPECT_EQ(w->species[preyId].life[a], 0) << "prey " << preyId;
  }
}

TEST(StepWorld, SlotsFrom32768OnAreNeverEaten) {
  auto w = makeEmptyWorld();
  fillLife(w->species[LargeCarnivore], 0, 10000, 1000000);
  fillLife(w->species[SmallCarnivore], 32768, kSlotsPerSpecies, 1000000);
  fillLife(w->species[Herbivore], 32768, kSlotsPerSpecies, 1000000);
  fillLife(w->species[Plant], 32768, kSlotsPerSpecies, 1000000);
  stepCountingDraws(*w, 0);
  for (int i = 32768; i < kSlotsPerSpecies; ++i) {
    ASSERT_EQ(w->species[SmallCarnivore].life[i], 99999) << "slot " << i;
    ASSERT_EQ(w->species[Herbivore].life[i], 99999) << "slot " << i;
    ASSERT_EQ(w->species[Plant].life[i], 99999) << "slot " << i;
  }
  for (int i = 0; i < 10000; ++i) {
    ASSERT_EQ(w->species[LargeCarnivore].life[i], 199999) << "slot " << i;
  }
}

TEST(StepWorld, BirthsDependOnYesterdaysPreyPopulations) {
  struct Case {
    SpeciesId parent;
    int32_t smallPopulation, herbivorePopulation, plantPopulation;
    bool born;
  };
  const Case cases[] = {
      {LargeCarnivore, 0, 0, 5, false}, {LargeCarnivore, 1, 0, 0, true},
      {LargeCarnivore, 0, 1, 0, true},  {SmallCarnivore, 5, 0, 5, false},
      {SmallCarnivore, 0, 1, 0, true},  {Herbivore, 0, 0, 0, true},
      {Plant, 0, 0, 0, true},
  };
  for (const Case& c : cases) {
    auto w = makeEmptyWorld();
    Species& parent = w->species[c.parent];
    parent.life[kUneatableSlot] = 1000;
    parent.startLife = 777;
    parent.birthChance = 10000;
    w->disturbance[c.parent] = -1;
    // Living prey the populations do not count yet: only yesterday's count matters.
    for (int k = SmallCarnivore; k <= Plant; ++k) {
      if (k != c.parent) {
        w->species[k].life[kUneatableSlot] = 1000;
      }
    }
    w->species[SmallCarnivore].population = c.smallPopulation;
    w->species[Herbivore].population = c.herbivorePopulation;
    w->species[Plant].population = c.plantPopulation;
    parent.population = 1;
    stepCountingDraws(*w, 0);
    EXPECT_EQ(parent.life[0], c.born ? 777 : 0)
        << "parent " << c.parent << " populations " << c.smallPopulation << ", "
        << c.herbivorePopulation << ", " << c.plantPopulation;
  }
}

TEST(StepWorld, BirthCapReadsTheStartOfDayPopulation) {
  for (int32_t population : {INT32_MIN, 0, 19999, 20000, 20001, INT32_MAX}) {
    auto w = lonelyLargeCarnivore(10000, -1);
    w->species[LargeCarnivore].population = population;
    long draws = stepCountingDraws(*w, 0);
    bool born = population < kBirthCap;
    EXPECT_EQ(draws, born ? 4 : 3) << population;
    EXPECT_EQ(w->species[LargeCarnivore].life[0], born ? 777 : 0) << population;
  }
}

TEST(StepWorld, BirthDrawsAndDisturbanceComparisons) {
  std::vector<int> d = drawsFrom(kStart, 4);
  const int r = d[2] % 10000;      // the disturbance draw
  const int birth = d[3] % 10000;  // the birth attempt's own draw
  struct Case {
    int32_t birthChance, disturbance;
    long draws;
    bool born;
  };
  const Case cases[] = {
      {0, -1, 4, false},  // the attempt still draws
      {INT32_MIN, INT32_MIN, 4, false},
      {birth, -1, 4, false},
      {birth + 1, -1, 4, true},
      {10000, -1, 4, true},
      {INT32_MAX, r - 1, 4, true},
      {INT32_MAX, r, 3, false},  // not greater than the disturbance: no attempt, no draw
      {10000, 9999, 3, false},
      {10000, 10000, 3, false},
      {10000, INT32_MAX, 3, false},
  };
  for (const Case& c : cases) {
    auto w = lonelyLargeCarnivore(c.birthChance, c.disturbance);
    EXPECT_EQ(stepCountingDraws(*w, 0), c.draws) << c.birthChance << ", " << c.disturbance;
    EXPECT_EQ(w->species[LargeCarnivore].life[0], c.born ? 777 : 0)
        << c.birthChance << ", " << c.disturbance;
    EXPECT_EQ(w->species[LargeCarnivore].life[kUneatableSlot], 199);
  }
}

TEST(StepWorld, NewbornsAboveActTheSameDayUpToEverySlot) {
  auto w = makeEmptyWorld();
  Species& large = w->species[LargeCarnivore];
  large.life[0] = 1000;
  large.population = 1;
  large.startLife = 1000;
  large.birthChance = 10000;
  w->disturbance[LargeCarnivore] = -1;
  w->species[Herbivore].population = 1;

  // Each newborn lands just above its parent, acts and gives birth in turn; the last finds
  // no free slot and draws nothing for its attempt.
  EXPECT_EQ(stepCountingDraws(*w, 0), 3L * kSlotsPerSpecies + kSlotsPerSpecies - 1);
  EXPECT_EQ(large.population, kSlotsPerSpecies);
  EXPECT_EQ(w->history[LargeCarnivore][0], kSlotsPerSpecies);
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    ASSERT_EQ(large.life[i], 199) << "slot " << i;
  }

  // Now above the cap: no attempts at all.
  EXPECT_EQ(stepCountingDraws(*w, 1), 3L * kSlotsPerSpecies);
  EXPECT_EQ(large.life[kSlotsPerSpecies - 1], 38);
}

TEST(StepWorld, FullSpeciesBelowTheCapFindsNoFreeSlot) {
  auto w = lonelyLargeCarnivore(10000, -1);
  fillLife(w->species[LargeCarnivore], 0, kSlotsPerSpecies, 1000);
  w->species[LargeCarnivore].population = 19999;
  EXPECT_EQ(stepCountingDraws(*w, 0), 3L * kSlotsPerSpecies);
  EXPECT_EQ(w->species[LargeCarnivore].population, kSlotsPerSpecies);
  EXPECT_EQ(w->species[LargeCarnivore].life[kSlotsPerSpecies - 1], 199);
}

TEST(StepWorld, NewbornBelowTheParentWaitsForTomorrow) {
  auto w = lonelyLargeCarnivore(10000, -1);
  fillLife(w->species[LargeCarnivore], 1, 5, -8);  // free slots keep their old values
  EXPECT_EQ(stepCountingDraws(*w, 0), 4);
  EXPECT_EQ(w->species[LargeCarnivore].life[0], 777);
  EXPECT_EQ(w->species[LargeCarnivore].life[1], -8);
  EXPECT_EQ(w->species[LargeCarnivore].population, 2);
}

TEST(StepWorld, WitheredPlantSeedsItsOwnSlotButAWitheredAnimalDoesNot) {
  for (SpeciesId k : {Plant, Herbivore}) {
    auto w = makeEmptyWorld();
    Species& s = w->species[k];
    fillLife(s, 0, 10, 5);  // 5 / 10 - 1 = -1: gone within the day
    s.population = 10;
    s.startLife = 777;
    s.birthChance = 10000;
    w->disturbance[k] = -1;
    bool plant = k == Plant;
    EXPECT_EQ(stepCountingDraws(*w, 0), plant ? 10 * 3 : 10 * 2) << "species " << k;
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(s.life[i], plant ? 777 : -1) << "species " << k << " slot " << i;
    }
    EXPECT_EQ(s.life[10], 0);
    EXPECT_EQ(s.population, plant ? 10 : 0);
  }
}

TEST(StepWorld, NewbornsWithoutLifeLeaveTheirSlotFree) {
  auto w = makeEmptyWorld();
  Species& plants = w->species[Plant];
  fillLife(plants, 10, 20, 5000);
  plants.population = 10;
  plants.startLife = -3;
  plants.birthChance = 10000;
  w->disturbance[Plant] = -1;
  EXPECT_EQ(stepCountingDraws(*w, 0), 10 * 3);
  EXPECT_EQ(plants.life[0], -3) << "every attempt finds slot 0 free again";
  EXPECT_EQ(plants.life[1], 0);
  EXPECT_EQ(plants.population, 10);
}

TEST(StepWorld, HistoryRecordsTheRecountedPopulations) {
  auto w = makeEmptyWorld();
  storeParameterTexts(*w, kDefaultParameterTexts);
  seedWorld(*w);
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int d = 0; d < kHistoryDays; ++d) {
      w->history[k][d] = -100 - d;
    }
  }
  for (int32_t day : {0, 1, 2, 999}) {
    stepCountingDraws(*w, day);
    for (int k = 0; k < kSpeciesCount; ++k) {
      EXPECT_EQ(w->species[k].population, countAlive(w->species[k]));
      EXPECT_EQ(w->history[k][day], w->species[k].population) << "day " << day;
    }
  }
  EXPECT_EQ(w->history[0][3], -103) << "a column of a day not run is left alone";
  EXPECT_EQ(w->history[3][998], -1098);
}

TEST(StepWorld, DaysFrom1000OnAreCountedButNotRecorded) {
  auto w = makeEmptyWorld();
  storeParameterTexts(*w, kDefaultParameterTexts);
  seedWorld(*w);
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int d = 0; d < kHistoryDays; ++d) {
      w->history[k][d] = 1 + d;
    }
  }
  // The record sits right after the history in memory: a write past the table would hit it.
  struct Guarded {
    World world;
    int32_t guard[kSpeciesCount];
  };
  auto g = std::make_unique<Guarded>();
  std::memcpy(&g->world, w.get(), sizeof(World));
  lifeSlotsChanged(g->world);
  for (int32_t& x : g->guard) {
    x = 424242;
  }
  for (int32_t day : {1000, 1001, 1003, 5000, INT32_MAX}) {
    g->world.species[0].population = -1;
    stepCountingDraws(g->world, day);
    EXPECT_EQ(g->world.species[0].population, countAlive(g->world.species[0])) << day;
  }
  EXPECT_EQ(std::memcmp(g->world.history, w->history, sizeof w->history), 0);
  for (int32_t x : g->guard) {
    EXPECT_EQ(x, 424242);
  }
}

TEST(StepWorld, TheGameWorldStepsAtDayCount) {
  storeParameterTexts(world, kDefaultParameterTexts);
  seedWorld();
  dayCount = 6;
  auto copy = makeEmptyWorld();
  std::memcpy(copy.get(), &world, sizeof(World));
  setRandomState(kStart);
  stepWorld();
  uint32_t afterGame = randomState();
  EXPECT_EQ(dayCount, 6) << "the caller counts the day";
  setRandomState(kStart);
  stepWorld(*copy, 6);
  EXPECT_EQ(randomState(), afterGame);
  EXPECT_EQ(firstDifference(world, *copy), "");
  EXPECT_EQ(world.history[Plant][6], world.species[Plant].population);
  dayCount = 0;
}
