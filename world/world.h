// The food chain: four trophic levels of individual life slots, the rates that drive them,
// and the daily population record. Plain C++ with no platform headers.
#pragma once

#include <cstdint>

enum SpeciesId { LargeCarnivore = 0, SmallCarnivore = 1, Herbivore = 2, Plant = 3 };

constexpr int kSpeciesCount = 4;
constexpr int kSlotsPerSpecies = 50000;
constexpr int kHistoryDays = 1000;
constexpr int kRateScale = 10000;
constexpr int kBirthCap = 20000;

struct Species {
  int32_t population;
  int32_t startLife;               // life of every seeded and newborn individual
  int32_t birthChance;             // in 1/kRateScale
  int32_t life[kSlotsPerSpecies];  // > 0: a living individual; <= 0: a free slot
};

struct World {
  int32_t disturbance[kSpeciesCount];  // in 1/kRateScale; blocks births of that level
  Species species[kSpeciesCount];
  int32_t history[kSpeciesCount][kHistoryDays];  // population at the end of each day index
};

// The one world of the game and the number of days run in the current game.
extern World world;
extern int32_t dayCount;

// Refills every species' slots: 0 .. population-1 get startLife, the rest 0.
void seedWorld(World& w);
void seedWorld();

// Runs one day on the world; day is the number of days run before it (the history column).
void stepWorld(World& w, int32_t day);
void stepWorld();  // the game's world at dayCount

// The step keeps an index of which slots are alive from one day to the next. Whatever writes
// life slots other than seedWorld and stepWorld (a test filling a world, a copy into w, a new
// world where an old one lay in memory) calls this before the next step or dot scatter of w,
// which then reads the slots afresh.
void lifeSlotsChanged(const World& w);

// True when some level has died out (population 0 or less): the game is over.
bool anySpeciesExtinct(const World& w);
