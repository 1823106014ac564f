#include "run_settings.h"

#include <cinttypes>
#include <cstdio>

#include "message.h"
#include "numbers.h"
#include "sample_design.h"
#include "sensitivity_sweep.h"
#include "sweep_table.h"

namespace {

std::string csvLine(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    line += (i == 0 ? "" : ",") + csvField(cells[i]);
  }
  return line;
}

// A setting stays on its line whatever the texts in it hold.
std::string oneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
  }
  return out;
}

void addDesignSettings(const SimOptions& options, const Design& design, Settings& settings) {
  if (!options.sensitivityMethod.empty()) {
    Settings lines = sensitivitySettings(sensitivityStudy(options));
    settings.insert(settings.end(), lines.begin(), lines.end());
  } else if (!options.sampleMethod.empty()) {
    settings.push_back("design=" + options.sampleMethod + " " +
                       std::to_string(options.sampleCount));
  } else {
    settings.push_back("design=file");
  }
  if (!options.ranges.empty()) {  // a sample's or a sensitivity design's
    settings.push_back("design.seed=" + std::to_string(options.seed));
    for (const std::string& argument : options.ranges) {
      SampleRange range{};
      std::string ignored;
      parseSampleRange(argument, range, ignored);  // read once already
      size_t scale = isPopulationField(range.field) ? 0 : 4;
      settings.push_back("design.range=" + std::string(kFieldNames[range.field]) + "=" +
                         decimalText(range.low, scale) + ":" + decimalText(range.high, scale));
    }
  }
  std::vector<std::string> names;
  for (int field : design.fields) {
    names.push_back(kFieldNames[field]);
  }
  settings.push_back("design.fields=" + csvLine(names));
  settings.push_back("design.digest=" + designDigest(design));
}

std::string keyOf(const std::string& setting) {
  return setting.substr(0, setting.find('='));
}

}  // namespace

std::string designDigest(const Design& design) {
  uint64_t hash = 14695981039346656037ULL;
  for (const std::vector<std::string>& row : design.rows) {
    for (char c : csvLine(row) + "\n") {
      hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, hash);
  return text;
}

Settings runSettings(const SimOptions& options, const SweepPlan& plan) {
  Settings settings = {"version=velmoria-sim " VELMORIA_VERSION,
                       "fields=" + oneLine(csvLine({plan.base.begin(), plan.base.end()}))};
  for (const VariedField& varied : plan.varied) {
    settings.push_back("vary=" + std::string(kFieldNames[varied.field]) + "=" +
                       oneLine(csvLine(varied.values)));
  }
  if (!plan.design.rows.empty()) {
    addDesignSettings(options, plan.design, settings);
  }
  settings.push_back("combinations=" + std::to_string(plan.combinations));
  settings.push_back("repeat=" + std::to_string(plan.repeat));
  settings.push_back("days=" + (plan.dayLimit == 0 ? "none" : std::to_string(plan.dayLimit)));
  settings.push_back(std::string("screen=") + (plan.screenDraws ? "on" : "off"));
  settings.push_back("shard=" + std::to_string(plan.shardIndex) + "/" +
                     std::to_string(plan.shardCount));
  return settings;
}

std::string settingsText(const Settings& settings) {
  std::string text;
  for (const std::string& setting : settings) {
    text += "# " + setting + "\n";
  }
  return text;
}

SettingsBlock readSettingsBlock(const std::string& text) {
  SettingsBlock block;
  while (block.bytes < text.size() && text[block.bytes] == '#') {
    size_t end = text.find('\n', block.bytes);
    if (end == std::string::npos) {
      block.complete = false;
      break;
    }
    size_t start = block.bytes + (text.compare(block.bytes, 2, "# ") == 0 ? 2 : 1);
    block.settings.push_back(text.substr(start, end - start));
    block.bytes = end + 1;
  }
  return block;
}

std::string settingsDifference(const Settings& first, const std::string& firstName,
                               const Settings& second, const std::string& secondName,
                               const std::string& ignored) {
  size_t i = 0, j = 0;
  for (;;) {
    while (i < first.size() && !ignored.empty() && keyOf(first[i]) == ignored) {
      ++i;
    }
    while (j < second.size() && !ignored.empty() && keyOf(second[j]) == ignored) {
      ++j;
    }
    if (i == first.size() && j == second.size()) {
      return "";
    }
    std::string a = i < first.size() ? quoted(first[i]) : "nothing";
    std::string b = j < second.size() ? quoted(second[j]) : "nothing";
    if (i == first.size() || j == second.size() || first[i] != second[j]) {
      return a + " in " + firstName + ", " + b + " in " + secondName;
    }
    ++i;
    ++j;
  }
}

std::vector<std::string> settingValues(const Settings& settings, const std::string& key) {
  std::vector<std::string> values;
  for (const std::string& setting : settings) {
    if (keyOf(setting) == key) {
      values.push_back(setting.substr(key.size() + 1));
    }
  }
  return values;
}

std::string settingUnescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      char next = text[++i];
      c = next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    out += c;
  }
  return out;
}
