// The settings a sweep's files record, so that a table, a summary or a days-table tells which
// run made it: comment lines "# key=value" at the top, before the CSV header (readers such as
// pandas with comment='#' or R's read.csv with comment.char='#' skip them). The keys, in order:
//   version          the program and its version
//   fields           the sixteen field texts as given, defaults for the rest (CSV)
//   vary             one per varied field: NAME=VALUES (CSV), in --vary order
//   design           file, the sample's METHOD N, or "sensitivity METHOD N" (then, for morris,
//                    design.levels); then design.seed and one design.range per field for a
//                    sample or a sensitivity design, design.fields and design.digest (FNV-1a 64
//                    of the design's rows) for all
//   combinations, repeat, days ("none" without --days), screen (on/off), shard (K/N)
#pragma once

#include <string>
#include <vector>

#include "options.h"
#include "sweep_plan.h"

// Each "key=value", without the "# ".
using Settings = std::vector<std::string>;

Settings runSettings(const SimOptions& options, const SweepPlan& plan);
// The design.digest of a design: FNV-1a 64 of its rows as CSV lines, in hex.
std::string designDigest(const Design& design);
std::string settingsText(const Settings& settings);

// The comment lines at the start of a file's text.
struct SettingsBlock {
  Settings settings;
  size_t bytes = 0;      // their length in the text
  bool complete = true;  // false when the text ends within them
};
SettingsBlock readSettingsBlock(const std::string& text);

// "" when the settings are the same (a key named in ignored aside), otherwise the first
// difference as "'KEY=A' in FIRST_NAME, 'KEY=B' in SECOND_NAME".
std::string settingsDifference(const Settings& first, const std::string& firstName,
                               const Settings& second, const std::string& secondName,
                               const std::string& ignored = "");

// A setting's text as it was before it was kept to one line.
std::string settingUnescaped(const std::string& text);

// The value of each line with this key.
std::vector<std::string> settingValues(const Settings& settings, const std::string& key);
