#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "dot_field.h"
#include "parameters.h"
#include "random_source.h"
#include "world_test_support.h"

TEST(RandomSource, FollowsTheLinearCongruentialSequence) {
  setRandomState(1);
  EXPECT_EQ(randomNext(), 41);
  EXPECT_EQ(randomNext(), 18467);
  EXPECT_EQ(randomNext(), 6334);
  EXPECT_EQ(randomNext(), 26500);
  EXPECT_EQ(randomNext(), 19169);
}

TEST(RandomSource, StaysInRangeAndWrapsItsState) {
  setRandomState(0xFFFFFFFFu);
  for (int i = 0; i < 100000; ++i) {
    int value = randomNext();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 32767);
  }
  // The sequence from a state must depend on nothing else.
  EXPECT_EQ(drawsFrom(12345, 50), drawsFrom(12345, 50));
  setRandomState(0);
  EXPECT_EQ(randomNext(), static_cast<int>((2531011u >> 16) & 0x7FFF));
}

TEST(RandomSource, AJumpLeavesTheStateThatDrawingOneByOneLeaves) {
  const uint32_t starts[] = {0, 1, 12345, 0x80000000u, 0xFFFFFFFFu};
  const uint64_t counts[] = {0, 1, 2, 3, 63, 64, 65, 1000, 160000, 1234567};
  for (uint32_t start : starts) {
    uint32_t drawn = start;
    uint64_t made = 0;
    for (uint64_t n : counts) {
      for (; made < n; ++made) {
        drawn = advanceRandomState(drawn);
      }
      EXPECT_EQ(advanceRandomState(start, n), drawn) << start << " + " << n;
      EXPECT_EQ(randomDrawsBetween(start, drawn), n) << start << " + " << n;
      setRandomState(start);
      skipRandomDraws(n);
      EXPECT_EQ(randomState(), drawn) << start << " + " << n;
    }
    // The generator comes back to every state after 2^32 draws.
    EXPECT_EQ(advanceRandomState(start, uint64_t{1} << 32), start);
  }
}

TEST(SeedWorld, OverwritesAPreviousGame) {
  auto w = makeEmptyWorld();
  for (int k = 0; k < kSpeciesCount; ++k) {
    fillLife(w->species[k], 0, kSlotsPerSpecies, 77 + k);
    w->disturbance[k] = 11 * k;
    w->history[k][5] = 1234;
  }
  w->species[0].population = 3;
  w->species[0].startLife = 42;
  w->species[1].population = 0;
  w->species[2].population = -7;
  w->species[3].population = kSlotsPerSpecies;
  w->species[3].startLife = -2;
  seedWorld(*w);

  EXPECT_EQ(w->species[0].life[0], 42);
  EXPECT_EQ(w->species[0].life[2], 42);
  EXPECT_EQ(w->species[0].life[3], 0);
  EXPECT_EQ(w->species[0].life[kSlotsPerSpecies - 1], 0);
  EXPECT_EQ(countAlive(w->species[0]), 3);
  EXPECT_EQ(countAlive(w->species[1]), 0);
  EXPECT_EQ(countAlive(w->species[2]), 0);
  EXPECT_EQ(w->species[3].life[kSlotsPerSpecies - 1], -2);
  EXPECT_EQ(countAlive(w->species[3]), 0) << "a start life of 0 or below seeds free slots";

  // Seeding leaves the populations as typed, and the rates and history alone.
  EXPECT_EQ(w->species[0].population, 3);
  EXPECT_EQ(w->species[2].population, -7);
  for (int k = 0; k < kSpeciesCount; ++k) {
    EXPECT_EQ(w->disturbance[k], 11 * k);
    EXPECT_EQ(w->history[k][5], 1234);
  }
}

TEST(SeedWorld, DefaultsFillTheFirst2000Slots) {
  auto w = makeEmptyWorld();
  storeParameterTexts(*w, kDefaultParameterTexts);
  seedWorld(*w);
  for (int k = 0; k < kSpeciesCount; ++k) {
    EXPECT_EQ(w->species[k].life[1999], 5000);
    EXPECT_EQ(w->species[k].life[2000], 0);
    EXPECT_EQ(countAlive(w->species[k]), 2000);
  }
}

TEST(SeedWorld, APopulationAboveTheSlotsFillsThemAllAndNoMore) {
  // A write past the last slot of level 0 would land in level 1's fields.
  auto w = makeEmptyWorld();
  w->species[0].population = 1000000;
  w->species[0].startLife = 9;
  w->species[1].population = 4;
  w->species[1].startLife = 3;
  seedWorld(*w);
  EXPECT_EQ(countAlive(w->species[0]), kSlotsPerSpecies);
  EXPECT_EQ(w->species[1].population, 4);
  EXPECT_EQ(w->species[1].startLife, 3);
  EXPECT_EQ(countAlive(w->species[1]), 4);
}

TEST(SeedWorld, TheGameWorldIsSeededByTheArgumentFreeCall) {
  storeParameterTexts(world, kDefaultParameterTexts);
  world.species[2].population = 10;
  seedWorld();
  EXPECT_EQ(countAlive(world.species[0]), 2000);
  EXPECT_EQ(countAlive(world.species[2]), 10);
}

TEST(AnySpeciesExtinct, WhenSomePopulationIsZeroOrBelow) {
  auto w = makeEmptyWorld();
  for (int k = 0; k < kSpeciesCount; ++k) {
    w->species[k].population = 1;
  }
  EXPECT_FALSE(anySpeciesExtinct(*w));
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int32_t dead : {0, -1}) {
      w->species[k].population = dead;
      EXPECT_TRUE(anySpeciesExtinct(*w)) << "species " << k << " at " << dead;
    }
    w->species[k].population = 1;
  }
}

TEST(ScatterDots, OneDotPerLivingIndividualAmongTheFirst20000Slots) {
  auto w = makeEmptyWorld();
  w->species[0].life[0] = 1;
  w->species[0].life[1] = -1;
  w->species[0].life[kDotSlots - 1] = 5;
  w->species[0].life[kDotSlots] = 5;  // counted, never shown
  w->species[3].life[7] = 2;
  const uint32_t start = 987654;
  std::vector<int> draws = drawsFrom(start, 6);

  struct Dot {
    int species, x, y;
  };
  std::vector<Dot> dots;
  setRandomState(start);
  scatterDots(*w, [&](int k, int x, int y) { dots.push_back({k, x, y}); });

  ASSERT_EQ(dots.size(), 3u);
  EXPECT_EQ(drawsBetween(start, randomState(), 100), 6);
  int expectedSpecies[] = {0, 0, 3};
  for (int d = 0; d < 3; ++d) {
    EXPECT_EQ(dots[d].species, expectedSpecies[d]);
    EXPECT_EQ(dots[d].y, kDotFieldTop + draws[2 * d] % kDotFieldHeight) << "y is drawn first";
    EXPECT_EQ(dots[d].x, draws[2 * d + 1] % kDotFieldWidth);
  }
}

TEST(ScatterDots, SkippingThemLeavesTheSourceAsDrawingThem) {
  auto w = makeEmptyWorld();
  std::mt19937 random(3);
  // Each case fills every level's slots from a pattern, then steps a day or not.
  struct Case {
    const char* name;
    int32_t (*life)(int slot, std::mt19937& random);
    bool stepFirst;
  };
  const Case cases[] = {
      {"empty", [](int, std::mt19937&) { return 0; }, false},
      {"every slot", [](int, std::mt19937&) { return 5; }, false},
      {"around the last shown slot",
       [](int j, std::mt19937&) { return j >= kDotSlots - 70 && j < kDotSlots + 70 ? 1 : -1; },
       false},
      {"scattered", [](int, std::mt19937& r) { return static_cast<int32_t>(r() % 7) - 3; }, false},
      {"scattered, after a day",
       [](int, std::mt19937& r) { return static_cast<int32_t>(r() % 7) - 3; }, true},
  };
  for (const Case& c : cases) {
    int shown = 0;
    for (Species& s : w->species) {
      for (int j = 0; j < kSlotsPerSpecies; ++j) {
        s.life[j] = c.life(j, random);
      }
    }
    lifeSlotsChanged(*w);
    setRandomState(4242);
    if (c.stepFirst) {
      stepWorld(*w, 0);
    }
    for (const Species& s : w->species) {
      shown += static_cast<int>(
          std::count_if(s.life, s.life + kDotSlots, [](int32_t v) { return v > 0; }));
    }
    uint32_t start = randomState();
    scatterDots(*w, [](int, int, int) {});
    uint32_t drawn = randomState();
    setRandomState(start);
    skipDotDraws(*w);
    EXPECT_EQ(randomState(), drawn) << c.name;
    EXPECT_EQ(drawsBetween(start, drawn, 200000), 2 * shown) << c.name;
  }
}
