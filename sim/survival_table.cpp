#include "survival_table.h"

#include "numbers.h"

std::string survivalText(const Settings& settings,
                         const std::vector<CombinationSummary>& summaries) {
  std::string text =
      settingsText(settings) + "combination,day,at_risk,ended,stopped,survival,lower,upper\n";
  for (const CombinationSummary& summary : summaries) {
    for (const SurvivalStep& step : summary.curve) {
      text += std::to_string(summary.combination) + "," + std::to_string(step.day) + "," +
              std::to_string(step.atRisk) + "," + std::to_string(step.ended) + "," +
              std::to_string(step.stopped) + "," + fixedText(step.survival, 4) + "," +
              fixedText(step.lower, 4) + "," + fixedText(step.upper, 4) + "\n";
    }
  }
  return text;
}
