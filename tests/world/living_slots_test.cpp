#include "living_slots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>

TEST(LivingSlots, LowestFreeFollowsEveryChange) {
  auto life = std::make_unique<int32_t[]>(kSlotsPerSpecies);
  std::mt19937 random(7);
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    life[i] = random() % 4 == 0 ? 0 : 1;
  }
  auto slots = std::make_unique<LivingSlots>();
  slots->rebuild(life.get());
  std::set<int> free;
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    if (life[i] <= 0) {
      free.insert(i);
    }
  }
  // Changes cluster near the low end, where births and word boundaries matter most.
  for (int step = 0; step < 200000; ++step) {
    int slot = random() % 3 == 0 ? random() % kSlotsPerSpecies : random() % 2000;
    if (random() % 2 == 0) {
      slots->markAlive(slot);
      free.erase(slot);
    } else {
      slots->markFree(slot);
      free.insert(slot);
    }
    int expected = free.empty() ? -1 : *free.begin();
    ASSERT_EQ(slots->lowestFree(), expected) << "step " << step;
  }
}

TEST(LivingSlots, EdgesOfTheSlotRange) {
  auto life = std::make_unique<int32_t[]>(kSlotsPerSpecies);
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    life[i] = 1;
  }
  auto slots = std::make_unique<LivingSlots>();
  slots->rebuild(life.get());
  EXPECT_EQ(slots->lowestFree(), -1) << "a full level has no free slot";

  for (int edge : {kSlotsPerSpecies - 1, 4096, 4095, 64, 63, 0}) {
    slots->markFree(edge);
    EXPECT_EQ(slots->lowestFree(), edge);
  }
  for (int edge : {0, 63, 64, 4095, 4096}) {
    slots->markAlive(edge);
  }
  EXPECT_EQ(slots->lowestFree(), kSlotsPerSpecies - 1);
  slots->markAlive(kSlotsPerSpecies - 1);
  EXPECT_EQ(slots->lowestFree(), -1);

  life[kSlotsPerSpecies - 1] = 0;
  life[kSlotsPerSpecies - 2] = -5;
  slots->rebuild(life.get());
  EXPECT_EQ(slots->lowestFree(), kSlotsPerSpecies - 2);
}

TEST(LivingSlots, SeedingMatchesReadingTheSlots) {
  auto life = std::make_unique<int32_t[]>(kSlotsPerSpecies);
  auto read = std::make_unique<LivingSlots>();
  auto seeded = std::make_unique<LivingSlots>();
  for (int count : {0, 1, 63, 64, 65, 20000, 49983, 49984, 49999, kSlotsPerSpecies}) {
    for (int i = 0; i < kSlotsPerSpecies; ++i) {
      life[i] = i < count ? 5 : 0;
    }
    read->rebuild(life.get());
    seeded->setFirstAlive(count);
    EXPECT_EQ(seeded->lowestFree(), read->lowestFree()) << count;
    EXPECT_EQ(seeded->lowestFree(), count < kSlotsPerSpecies ? count : -1) << count;
    EXPECT_EQ(seeded->wordsHoldingLife(), read->wordsHoldingLife()) << count;
    for (int end : {0, 1, 64, 20000, kSlotsPerSpecies}) {
      EXPECT_EQ(seeded->countLivingBelow(end), read->countLivingBelow(end)) << count;
      EXPECT_EQ(seeded->countLivingBelow(end), count < end ? count : end) << count;
    }
  }
}

// A level's own phase: deaths at the cursor reach the summary only when the cursor leaves their
// word, so the births' search for the lowest free slot must still see them. A crowded level
// keeps most words full, where a missed death would show; its births spill past the words
// that held life, where they must still be visited.
TEST(LivingSlots, APhaseKeepsTheLowestFreeSlot) {
  auto life = std::make_unique<int32_t[]>(kSlotsPerSpecies);
  std::mt19937 random(11);
  std::set<int> free;
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    life[i] = i < 30000 && random() % 50 != 0 ? 1 : 0;
    if (life[i] <= 0) {
      free.insert(i);
    }
  }
  const int seeded = kSlotsPerSpecies - static_cast<int>(free.size());
  auto slots = std::make_unique<LivingSlots>();
  slots->rebuild(life.get());
  int lowest = slots->lowestFreeForBirth();
  int visited = -1;
  int visits = 0;
  int newbornsAhead = 0;
  for (LivingCursor c(*slots); c.next();) {
    int i = static_cast<int>(c.slot());
    ASSERT_GT(i, visited);
    ASSERT_EQ(free.count(i), 0u) << "visited a free slot " << i;
    visited = i;
    ++visits;
    bool died = random() % 8 == 0;
    c.markDied(died);
    if (died) {
      free.insert(i);
      lowest = std::min(lowest, i);
    }
    if (random() % 3 == 0) {
      free.erase(lowest);
      int next = slots->markAliveFindFree(lowest, true, c.word());
      c.cameAlive(lowest, true);
      newbornsAhead += lowest > i;
      ASSERT_EQ(next, *free.begin()) << "after a birth at " << lowest << ", visiting " << i;
      lowest = next;
    }
  }
  EXPECT_EQ(slots->lowestFree(), *free.begin()) << "the summary after the phase";
  EXPECT_EQ(visits, seeded + newbornsAhead) << "every newborn ahead of the cursor visited";
}

// The cursor's word may still count as full in the summary after a death there; a birth that
// fills the lowest free slot below it must find that death past the full words between.
TEST(LivingSlots, ABirthFindsTheDeathAtTheCursor) {
  auto life = std::make_unique<int32_t[]>(kSlotsPerSpecies);
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    life[i] = i < 1000 && i != 5 ? 1 : 0;
  }
  auto slots = std::make_unique<LivingSlots>();
  slots->rebuild(life.get());
  ASSERT_EQ(slots->lowestFreeForBirth(), 5);
  LivingCursor c(*slots);
  while (c.next() && c.slot() < 200) {
  }
  c.markDied(true);
  EXPECT_EQ(slots->markAliveFindFree(5, true, c.word()), 200);
}
