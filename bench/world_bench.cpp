// How much faster the game's daily step is than the literal one on heavy days, and how
// long a whole heavy game takes when simulated without a screen.
//
//   build/<dir>/tools/bench/world_bench
//
// Ends with one line per heavy world giving the speed-up of the step over the literal one
// (processor time per day), and the whole heavy game's time.
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dot_field.h"
#include "heavy_worlds.h"
#include "parameters.h"
#include "random_source.h"
#include "reference_step.h"

namespace {

using StepFunction = void (*)(World&, int32_t);

struct HeavyDay {
  std::string name;
  std::unique_ptr<World> world;
  uint32_t randomState;
};

// Times one day on a fresh copy of the world each iteration.
void timeOneDay(benchmark::State& state, const HeavyDay* day, StepFunction step) {
  auto w = std::make_unique<World>();
  long births = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(w.get(), day->world.get(), sizeof(World));
    lifeSlotsChanged(*w);
    setRandomState(day->randomState);
    state.ResumeTiming();
    step(*w, 0);
    benchmark::DoNotOptimize(w->species[0].population);
  }
  for (int k = 0; k < kSpeciesCount; ++k) {
    for (int i = 0; i < kSlotsPerSpecies; ++i) {
      births += day->world->species[k].life[i] <= 0 && w->species[k].life[i] > 0;
    }
  }
  state.counters["births"] = static_cast<double>(births);
}

// The heavy game from the parameter dialog to its last day, with the screen's dot draws, as
// the headless simulator plays it.
void timeHeavyGame(benchmark::State& state) {
  auto w = std::make_unique<World>();
  int32_t lowest = 0;
  for (auto _ : state) {
    storeParameterTexts(*w, kHeavyGameTexts);
    seedWorld(*w);
    setRandomState(1);
    lowest = INT32_MAX;
    for (int day = 0; day < kHeavyGameDays; ++day) {
      stepWorld(*w, day);
      skipDotDraws(*w);
      for (const Species& s : w->species) {
        lowest = s.population < lowest ? s.population : lowest;
      }
    }
    benchmark::DoNotOptimize(w->species[0].population);
  }
  // The game must not end early: no level may die out.
  state.counters["lowest_population"] = lowest;
}

// Prints the usual table (without colours) and remembers each benchmark's mean processor
// time per iteration, which other work on the machine disturbs less than the wall clock.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        seconds_[run.benchmark_name()] = run.cpu_accumulated_time / run.iterations;
      }
    }
  }

  void printRatio(const std::string& name, const std::string& literal,
                  const std::string& fast) const {
    auto l = seconds_.find(literal);
    auto f = seconds_.find(fast);
    if (l != seconds_.end() && f != seconds_.end() && f->second > 0) {
      std::printf("%-28s literal %10.3f ms   step %8.3f ms   speed-up %7.1fx\n", name.c_str(),
                  l->second * 1e3, f->second * 1e3, l->second / f->second);
    }
  }

  void printGame(const std::string& name, const std::string& game, int days) const {
    auto g = seconds_.find(game);
    if (g != seconds_.end()) {
      std::printf("%-28s whole game %8.1f ms   per day %6.3f ms\n", name.c_str(), g->second * 1e3,
                  g->second * 1e3 / days);
    }
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }

  std::vector<HeavyDay> days;
  days.push_back({"packed near the cap", packedWorld(), 1});
  days.push_back({"scattered near the cap", scatteredWorld(), 1});
  for (int day : {40, 150}) {
    uint32_t after = 0;
    auto w = heavyGameWorld(day, after);
    days.push_back({"heavy game, day " + std::to_string(day + 1), std::move(w), after});
  }

  for (const HeavyDay& day : days) {
    benchmark::RegisterBenchmark(("literal/" + day.name).c_str(), timeOneDay, &day,
                                 referenceStepWorld)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("step/" + day.name).c_str(), timeOneDay, &day,
                                 static_cast<StepFunction>(stepWorld))
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("step/heavy game, 252 days", timeHeavyGame)
      ->Unit(benchmark::kMillisecond);

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n");
  for (const HeavyDay& day : days) {
    reporter.printRatio(day.name, "literal/" + day.name, "step/" + day.name);
  }
  reporter.printGame("heavy game, 252 days", "step/heavy game, 252 days", kHeavyGameDays);
  return 0;
}
