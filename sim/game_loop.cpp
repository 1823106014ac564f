#include "game_loop.h"

#include <cstring>

#include "dot_field.h"
#include "game_outcome.h"
#include "random_source.h"

namespace {

void confirmDialog(const DialogTexts& texts) {
  const char* pointers[kParameterFieldCount];
  for (int i = 0; i < kParameterFieldCount; ++i) {
    pointers[i] = texts[i].c_str();
  }
  storeParameterTexts(world, pointers);
  seedWorld();
}

// One tick of a running game, less the drawing itself.
void runTick(bool screenDraws) {
  stepWorld();
  dayCount += 1;
  if (screenDraws) {
    scatterDots(world, [](int, int, int) {});
  }
}

}  // namespace

DialogTexts dialogTexts(const std::vector<std::string>& typed) {
  DialogTexts texts;
  for (int i = 0; i < kParameterFieldCount; ++i) {
    const std::string& text =
        i < static_cast<int>(typed.size()) ? typed[i] : kDefaultParameterTexts[i];
    texts[i] = text.substr(0, kFieldTextBytes - 1);
  }
  return texts;
}

void startAfresh(uint32_t startState) {
  setRandomState(startState);
  std::memset(&world, 0, sizeof world);
  dayCount = 0;
}

GameResult playGame(const GameSettings& settings, const DayListener& onDay) {
  confirmDialog(settings.texts);
  dayCount = 0;
  GameResult result{0, false, {}};
  while (settings.dayLimit == 0 || dayCount < settings.dayLimit) {
    runTick(settings.screenDraws);
    addDayToSpans(result, world, dayCount);
    if (onDay) {
      onDay(world, dayCount);
    }
    if (anySpeciesExtinct(world)) {
      result.extinct = true;
      break;
    }
  }
  result.days = dayCount;
  dayCount = 0;
  return result;
}
