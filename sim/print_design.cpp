#include "print_design.h"

#include <cstdio>

#include "message.h"
#include "sweep_table.h"

int printDesign(const SweepPlan& plan) {
  std::fputs(("combination" + fieldColumnNames() + "\n").c_str(), stdout);
  int64_t count = shardCombinationCount(plan);
  for (int64_t i = 0; i < count; ++i) {
    int64_t combination = shardCombination(plan, i);
    std::string row = std::to_string(combination) + fieldColumnTexts(plan, combination) + "\n";
    std::fputs(row.c_str(), stdout);
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    return failure("cannot write standard output");
  }
  std::fprintf(stderr, "%lld games (%lld combinations, --repeat %d)\n",
               static_cast<long long>(count) * plan.repeat, static_cast<long long>(count),
               plan.repeat);
  return 0;
}
