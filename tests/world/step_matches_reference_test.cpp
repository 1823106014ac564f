// The game's step against the literal one on many worlds: every slot, population, history
// entry and the random source must agree after every day.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "parameters.h"
#include "random_source.h"
#include "reference_step.h"
#include "world_test_support.h"

namespace {

// Builds the test worlds; separate from the game's random source, which the steps use.
class CaseRandom {
 public:
  explicit CaseRandom(uint64_t seed) : state_(seed) {}

  uint32_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
  }
  int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
  bool oneIn(int n) { return below(n) == 0; }
  // True with probability perMille / 1000.
  bool perMille(int perMille) { return below(1000) < perMille; }

  template <size_t N>
  int32_t pick(const int32_t (&values)[N]) {
    return values[below(N)];
  }

 private:
  uint64_t state_;
};

const int32_t kStartLives[] = {INT32_MIN, -5, 0,  1,  2,   3,    4,       5,
                               9,         10, 11, 50, 999, 5000, 1000000, INT32_MAX};
const int32_t kBirthChances[] = {INT32_MIN, -1,   0,    1,     2000,     2767,
                                 2768,      5000, 9999, 10000, INT32_MAX};
const int32_t kDisturbances[] = {INT32_MIN, -1,   0,    1,    1000,  2767,
                                 2768,      5000, 9998, 9999, 10000, INT32_MAX};
// Disturbances that leave few or no birth attempts, for levels whose every attempt would
// scan tens of thousands of slots in the literal step.
const int32_t kRareAttempts[] = {9990, 9995, 9998, 9999, 10000, INT32_MAX};

int32_t livingValue(CaseRandom& r) {
  switch (r.below(5)) {
    case 0:
    case 1:
      return 1 + r.below(12);  // dies or starves within a day or two
    case 2:
    case 3:
      return 13 + r.below(6000);
    default: {
      const int32_t huge[] = {99999, 1 << 30, INT32_MAX};
      return r.pick(huge);
    }
  }
}

int32_t freeValue(CaseRandom& r) {
  const int32_t values[] = {0, 0, 0, 0, -1, -4, INT32_MIN};
  return r.pick(values);
}

enum class Layout { Empty, Sparse, DensePrefix, HighSlotsOnly, Band, Full, FullButAFew };
constexpr int kLayoutCount = 7;

void fillLayout(Species& s, Layout layout, CaseRandom& r) {
  int lo = 0, hi = 0, perMille = 0;
  switch (layout) {
    case Layout::Empty:
      break;
    case Layout::Sparse: {
      const int32_t densities[] = {1, 10, 50, 200};
      hi = kSlotsPerSpecies;
      perMille = r.pick(densities);
      break;
    }
    case Layout::DensePrefix:
      hi = 1 + r.below(3000);
      perMille = 1000;
      break;
    case Layout::HighSlotsOnly:
      lo = 32768;
      hi = kSlotsPerSpecies;
      perMille = 300;
      break;
    case Layout::Band:
      lo = r.below(kSlotsPerSpecies);
      hi = lo + r.below(kSlotsPerSpecies - lo + 1);
      perMille = 900;
      break;
    case Layout::Full:
    case Layout::FullButAFew:
      hi = kSlotsPerSpecies;
      perMille = 1000;
      break;
  }
  for (int i = 0; i < kSlotsPerSpecies; ++i) {
    bool alive = i >= lo && i < hi && r.perMille(perMille);
    s.life[i] = alive ? livingValue(r) : freeValue(r);
  }
  if (layout == Layout::FullButAFew) {
    int holes = 1 + r.below(3);
    for (int h = 0; h < holes; ++h) {
      int slot = r.oneIn(2) ? kSlotsPerSpecies - 1 - r.below(3) : r.below(kSlotsPerSpecies);
      s.life[slot] = freeValue(r);
    }
  }
}

double clampedFraction(double x) {
  return x < 0 ? 0 : x > 1 ? 1 : x;
}

// Roughly how many slots the literal step reads for the level's births in one day: each
// attempt scans up to the free slot that the births so far have not yet filled.
double literalBirthCost(const World& w, int k) {
  const Species& s = w.species[k];
  if (s.population >= kBirthCap) {
    return 0;
  }
  double attempts = countAlive(s) * clampedFraction((9999.0 - w.disturbance[k]) / 10000.0);
  double births = attempts * clampedFraction(s.birthChance / 10000.0);
  int freeSeen = 0;
  int reach = 0;
  while (reach < kSlotsPerSpecies && freeSeen <= births) {
    freeSeen += s.life[reach] <= 0;
    ++reach;
  }
  return attempts * reach;
}

struct Case {
  std::string name;
  std::unique_ptr<World> world = makeEmptyWorld();
  uint32_t randomState = 1;
  int32_t firstDay = 0;
  int days = 4;
  bool seed = false;    // seed both worlds from their fields first
  bool meddle = false;  // write slots and step another world between days
};

// A world with a random layout and random edge values for each level. Levels whose births
// would make the literal step scan far, or could refill every slot in one day, get few
// attempts, so that a case stays cheap for it.
Case randomCase(uint64_t seed) {
  CaseRandom r(seed);
  Case c;
  c.name = "random world " + std::to_string(seed);
  World& w = *c.world;
  for (int k = 0; k < kSpeciesCount; ++k) {
    Species& s = w.species[k];
    fillLayout(s, static_cast<Layout>(r.below(kLayoutCount)), r);
    s.startLife = r.pick(kStartLives);
    s.birthChance = r.pick(kBirthChances);
    w.disturbance[k] = r.pick(kDisturbances);
    const int32_t populations[] = {0,     -1,    1,         countAlive(s), countAlive(s), 19999,
                                   20000, 20001, INT32_MIN, INT32_MAX,     r.below(30000)};
    s.population = r.pick(populations);

    bool refillsItself = s.startLife > 0 && s.birthChance >= 5000 && w.disturbance[k] < 5000;
    if (refillsItself || literalBirthCost(w, k) > 2e7) {
      w.disturbance[k] = r.pick(kRareAttempts);
    }
  }
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int d = 0; d < kHistoryDays; ++d) {
      w.history[k][d] = static_cast<int32_t>(r.next());
    }
  }
  const int32_t firstDays[] = {0, 1, 17, 996, 998, 1000, 5000, INT32_MAX - 10};
  c.firstDay = r.pick(firstDays);
  c.randomState = r.next();
  return c;
}

struct Totals {
  long births = 0;
  long deaths = 0;
};

// The same writes to both worlds' slots, as a test or a tool might make between days, and
// every other time a day of another world in between: the step must read the slots afresh.
void meddle(World& fast, World& literal, int round) {
  for (World* w : {&fast, &literal}) {
    for (Species& s : w->species) {
      fillLife(s, round * 97, round * 97 + 150, 0);
      fillLife(s, 20000 + round * 61, 20000 + round * 61 + 70, 77);
    }
  }
  lifeSlotsChanged(fast);
  if (round % 2 == 1) {
    auto other = makeEmptyWorld();
    fillLife(other->species[Plant], 0, 300, 9);
    stepWorld(*other, 0);
  }
}

void expectSameDays(const Case& c, Totals& totals) {
  auto fast = makeEmptyWorld();
  auto literal = makeEmptyWorld();
  std::memcpy(fast.get(), c.world.get(), sizeof(World));
  std::memcpy(literal.get(), c.world.get(), sizeof(World));
  if (c.seed) {
    seedWorld(*literal);
    seedWorld(*fast);  // last, so that the step starts from the index seeding made
  }
  auto before = makeEmptyWorld();
  uint32_t fastState = c.randomState;
  uint32_t literalState = c.randomState;
  for (int d = 0; d < c.days; ++d) {
    int32_t day = c.firstDay + d;
    std::memcpy(before.get(), fast.get(), sizeof(World));
    setRandomState(fastState);
    stepWorld(*fast, day);
    fastState = randomState();
    setRandomState(literalState);
    referenceStepWorld(*literal, day);
    literalState = randomState();

    ASSERT_EQ(firstDifference(*fast, *literal), "") << c.name << ", day index " << day;
    ASSERT_EQ(fastState, literalState) << c.name << ", day index " << day;
    for (int k = 0; k < kSpeciesCount; ++k) {
      for (int i = 0; i < kSlotsPerSpecies; ++i) {
        bool was = before->species[k].life[i] > 0;
        bool is = fast->species[k].life[i] > 0;
        totals.births += !was && is;
        totals.deaths += was && !is;
      }
    }
    if (c.meddle) {
      meddle(*fast, *literal, d);
    }
  }
}

// Every level holds about the birth cap, with free slots spread among the living.
Case aroundTheCap(uint64_t seed, int32_t alive, int32_t disturbance) {
  CaseRandom r(seed);
  Case c;
  c.name = "around the cap, " + std::to_string(alive) + " alive";
  World& w = *c.world;
  for (int k = 0; k < kSpeciesCount; ++k) {
    Species& s = w.species[k];
    int placed = 0;
    for (int i = 0; i < kSlotsPerSpecies; ++i) {
      bool living = placed < alive && r.perMille(800);
      s.life[i] = living ? 100 + r.below(5000) : 0;
      placed += living;
    }
    s.population = alive;
    s.startLife = 5000;
    s.birthChance = 2000;
    w.disturbance[k] = disturbance;
  }
  c.randomState = r.next();
  c.days = 3;
  return c;
}

// Every level packed from slot 0 up to its count, so that each birth attempt in the literal
// step walks over all of them.
Case packed(uint64_t seed, int32_t alive, int32_t population) {
  CaseRandom r(seed);
  Case c;
  c.name = "packed, " + std::to_string(alive) + " alive, population " + std::to_string(population);
  World& w = *c.world;
  for (int k = 0; k < kSpeciesCount; ++k) {
    Species& s = w.species[k];
    for (int i = 0; i < kSlotsPerSpecies; ++i) {
      s.life[i] = i < alive ? 1000 + r.below(100000) : 0;
    }
    s.population = population;
    s.startLife = 5000;
    s.birthChance = 10000;
    w.disturbance[k] = r.pick(kRareAttempts);
  }
  c.randomState = r.next();
  c.days = 2;
  return c;
}

// Every level packed over its lowest slots, where one in five dies today. Births search past
// thousands of living slots and then must find the slots freed below them.
Case dyingInACrowd(uint64_t seed, int32_t alive) {
  CaseRandom r(seed);
  Case c;
  c.name = "dying in a crowd of " + std::to_string(alive);
  World& w = *c.world;
  for (int k = 0; k < kSpeciesCount; ++k) {
    Species& s = w.species[k];
    for (int i = 0; i < alive; ++i) {
      s.life[i] = r.oneIn(5) ? 1 + r.below(3) : 5000;
    }
    s.population = alive;
    s.startLife = 5000;
    s.birthChance = 10000;
    w.disturbance[k] = 9000;
  }
  c.randomState = r.next();
  c.days = 2;
  return c;
}

}  // namespace

TEST(StepMatchesReference, RandomWorldsAndEdgeValues) {
  Totals totals;
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    expectSameDays(randomCase(seed), totals);
    if (HasFatalFailure()) {
      return;
    }
  }
  // The worlds must actually exercise the step.
  EXPECT_GT(totals.births, 10000);
  EXPECT_GT(totals.deaths, 10000);
}

TEST(StepMatchesReference, WorldsWrittenBetweenDays) {
  Totals totals;
  for (uint64_t seed = 41; seed <= 46; ++seed) {
    Case c = randomCase(seed);
    c.meddle = true;
    expectSameDays(c, totals);
  }
  EXPECT_GT(totals.births, 1000);
}

// Games from the dialog's fields: the step starts from the index that seeding leaves.
TEST(StepMatchesReference, SeededGames) {
  const std::vector<std::vector<const char*>> games = {
      {},
      {"100", "0.5", "0.2", "300", "0.5", "0.2", "3000", "0.5", "0.2", "10000", "0.5", "0.5"},
      {"63", "0.5", "0.2", "64", "0.5", "0.2", "65", "0.5", "0.2", "50000", "0.001", "0.9"},
      {"60000", "0.0003", "1", "2000", "0", "0.2", "2000", "-1", "0.2", "-5", "0.5", "0.2"},
  };
  Totals totals;
  for (size_t g = 0; g < games.size(); ++g) {
    Case c;
    c.name = "seeded game " + std::to_string(g);
    const char* texts[kParameterFieldCount];
    for (int f = 0; f < kParameterFieldCount; ++f) {
      texts[f] = f < static_cast<int>(games[g].size()) ? games[g][f] : kDefaultParameterTexts[f];
    }
    storeParameterTexts(*c.world, texts);
    c.seed = true;
    c.days = 12;
    expectSameDays(c, totals);
  }
  EXPECT_GT(totals.births, 10000);
}

TEST(StepMatchesReference, PopulationsAroundTheBirthCap) {
  Totals totals;
  for (int32_t alive : {19990, 19999, 20000, 20001}) {
    for (int32_t disturbance : {5000, 9000}) {
      expectSameDays(aroundTheCap(alive + disturbance, alive, disturbance), totals);
    }
  }
  EXPECT_GT(totals.births, 1000);
}

TEST(StepMatchesReference, PackedAndFullLevels) {
  Totals totals;
  for (int32_t alive : {19999, 20000, kSlotsPerSpecies - 1, kSlotsPerSpecies}) {
    for (int32_t population : {19999, 20000}) {
      expectSameDays(packed(alive, alive, population), totals);
    }
  }
  EXPECT_GT(totals.births, 0);
}

TEST(StepMatchesReference, DeathsBelowACrowd) {
  Totals totals;
  for (int32_t alive : {5000, 9000, 19999}) {
    expectSameDays(dyingInACrowd(alive, alive), totals);
  }
  EXPECT_GT(totals.births, 1000);
  EXPECT_GT(totals.deaths, 1000);
}
