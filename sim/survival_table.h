// "--survival FILE": each combination's Kaplan-Meier curve, one row per day on which some of
// its games ended or were cut off by --days, after the run's settings lines:
// "combination,day,at_risk,ended,stopped,survival,lower,upper".
#pragma once

#include <string>
#include <vector>

#include "run_settings.h"
#include "sweep_table.h"

std::string survivalText(const Settings& settings,
                         const std::vector<CombinationSummary>& summaries);
