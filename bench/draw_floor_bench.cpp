// How close velmoria-sim comes to the floor of its games. A game is a fixed chain of random
// draws, so no simulator can be faster than a bare loop that makes the same number of draws,
// chained as the generator chains them. For each workload this prints velmoria-sim's
// processor time (best of the runs), its step draws (counted by replaying the same games
// here, whose records must match what it printed), the draw chain's time, and their ratio.
//
//   build/native/bench/draw_floor_bench [runs]   (default 5)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "dot_field.h"
#include "game_loop.h"
#include "random_source.h"
#include "result_line.h"

namespace {

struct Workload {
  const char* name;
  std::vector<std::string> args;  // velmoria-sim's arguments
  int games;
  std::vector<std::string> fields;
};

const Workload kWorkloads[] = {
    {"200 default games", {"--games", "200"}, 200, {}},
    {"the heavy game",
     {},
     1,
     {"100", "0.5", "0.2", "300", "0.5", "0.2", "3000", "0.5", "0.2", "10000", "0.5", "0.5", "0.1",
      "0.1", "0.1", "0.1"}},
};

struct Replay {
  std::string output;  // the result lines, as velmoria-sim prints them
  long days = 0;
  uint64_t stepDraws = 0;
};

// Plays the workload's games as velmoria-sim does, from a fresh random source. After each
// day the source has made that day's step draws and then the dots' draws, which are known;
// the step's own are the distance between the states around them.
Replay replay(const Workload& workload) {
  setRandomState(1);
  Replay r;
  uint32_t afterDots = randomState();
  GameSettings settings{dialogTexts(workload.fields), 0, true};
  for (int game = 0; game < workload.games; ++game) {
    GameResult result = playGame(settings, [&](const World& w, int32_t) {
      int dots = 0;
      for (int k = 0; k < kSpeciesCount; ++k) {
        dots += livingSlotsOf(w)[k].countLivingBelow(kDotSlots);
      }
      uint32_t afterStep = advanceRandomState(randomState(), (uint64_t{1} << 32) - 2 * dots);
      r.stepDraws += randomDrawsBetween(afterDots, afterStep);
      afterDots = randomState();
      r.days += 1;
    });
    r.output += resultLine(result) + "\n";
  }
  return r;
}

double processorSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double childSeconds() {
  rusage u;
  getrusage(RUSAGE_CHILDREN, &u);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * t.tv_usec; };
  return seconds(u.ru_utime) + seconds(u.ru_stime);
}

// Runs velmoria-sim with the workload's arguments; returns its processor time and fills in
// what it printed. It is started directly, not through a shell, whose own start-up (about a
// millisecond) would count as the simulator's.
double timeSimulator(const Workload& workload, std::string& output) {
  std::vector<std::string> args = {VELMORIA_SIM_PATH};
  args.insert(args.end(), workload.args.begin(), workload.args.end());
  args.insert(args.end(), workload.fields.begin(), workload.fields.end());
  std::vector<char*> argv;
  for (std::string& a : args) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  output.clear();
  int out[2];
  if (pipe(out) != 0) {
    output = "(no pipe for velmoria-sim)";
    return 0;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  double before = childSeconds();
  pid_t pid;
  bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  char buffer[4096];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
    output.append(buffer, static_cast<size_t>(n));
  }
  close(out[0]);
  int status = 0;
  if (!started || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    output += "(velmoria-sim failed)";
  }
  return childSeconds() - before;
}

// The floor: draws chained as the step chains them, alternately a slot draw (% 50000) and a
// chance draw (% 10000, compared).
uint32_t drawChain(uint64_t draws) {
  uint32_t state = 1;
  uint32_t kept = 0;
  for (uint64_t i = 0; i < draws; ++i) {
    state = advanceRandomState(state);
    int value = randomValueOf(state);
    kept += (i & 1) ? uint32_t{value % 10000 < 2000} : static_cast<uint32_t>(value % 50000);
  }
  return kept ^ state;
}

volatile uint32_t sink;

double timeDrawChain(uint64_t draws) {
  double start = processorSeconds();
  sink = drawChain(draws);
  return processorSeconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  for (const Workload& workload : kWorkloads) {
    Replay r = replay(workload);
    double simulator = 1e9, floor = 1e9;
    std::string printed;
    for (int run = 0; run < runs; ++run) {
      simulator = std::min(simulator, timeSimulator(workload, printed));
      floor = std::min(floor, timeDrawChain(r.stepDraws));
    }
    std::printf(
        "%-18s %6ld days %6.1f M step draws  velmoria-sim %7.3f s  draw chain %7.3f s"
        "  ratio %5.2fx%s\n",
        workload.name, r.days, r.stepDraws / 1e6, simulator, floor, simulator / floor,
        printed == r.output ? "" : "  (records differ from the replay!)");
  }
  return 0;
}
