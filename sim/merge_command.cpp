#include "merge_command.h"

#include <map>

#include "message.h"
#include "output_file.h"
#include "table_reader.h"

namespace {

const char* const kMergeUsage = "usage: velmoria-sim merge --table FILE [--partial] SHARD...";

// "3, 5-7, 9" for the combinations not in complete, at most a few dozen of them named.
std::string missingList(const std::map<int64_t, int>& games, int64_t combinations, int repeat) {
  std::string list;
  int64_t missing = 0, named = 0;
  for (int64_t c = 1; c <= combinations; ++c) {
    auto complete = [&](int64_t k) {
      auto it = games.find(k);
      return it != games.end() && it->second == repeat;
    };
    if (complete(c)) {
      continue;
    }
    int64_t last = c;
    while (last < combinations && !complete(last + 1)) {
      ++last;
    }
    missing += last - c + 1;
    if (++named <= 30) {
      list += (list.empty() ? "" : ", ") + std::to_string(c) +
              (last > c ? "-" + std::to_string(last) : "");
    }
    c = last;
  }
  return named > 30 ? list + ", ..." : list;
}

struct MergeArguments {
  std::string tablePath;
  bool partial = false;
  std::vector<std::string> shards;
};

bool readArguments(const std::vector<std::string>& args, MergeArguments& merge,
                   std::string& error) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "--partial") {
      merge.partial = true;
    } else if (!optionsEnded && (arg == "--table" || arg.rfind("--table=", 0) == 0)) {
      bool inline_ = arg != "--table";
      merge.tablePath = inline_ ? arg.substr(8) : i + 1 < args.size() ? args[++i] : "";
    } else if (!optionsEnded && arg.rfind("--", 0) == 0 && arg.size() > 2) {
      error = "unknown merge option " + quoted(arg) + " (" + kMergeUsage + ")";
      return false;
    } else {
      merge.shards.push_back(arg);
    }
  }
  if (merge.tablePath.empty() || merge.shards.empty()) {
    error = std::string("merge needs --table FILE and the shards' tables (") + kMergeUsage + ")";
    return false;
  }
  return true;
}

// The rows of every shard by combination, after checking that the shards belong together.
struct MergedRows {
  std::map<int64_t, std::vector<const TableRow*>> rows;
  std::map<int64_t, int> games;  // complete or not, by combination
};

bool checkShard(const GameTable& first, const std::string& firstPath, const GameTable& shard,
                const std::string& path, std::map<std::string, std::string>& seen,
                std::string& error) {
  std::string difference =
      settingsDifference(first.settings, quoted(firstPath), shard.settings, quoted(path), "shard");
  std::string shardValue = settingValues(shard.settings, "shard").at(0);
  std::string firstShard = settingValues(first.settings, "shard").at(0);
  if (!difference.empty()) {
    error = "the shards are not of one run: " + difference;
  } else if (seen.count(shardValue) != 0) {
    error = "shard " + shardValue + " is given twice: " + quoted(seen[shardValue]) + " and " +
            quoted(path);
  } else if (shardValue.substr(shardValue.find('/')) != firstShard.substr(firstShard.find('/'))) {
    error = "the shards are not of one split: " + firstShard + " and " + shardValue;
  }
  seen[shardValue] = path;
  return error.empty();
}

bool addRows(const GameTable& shard, const std::string& path, const SweepPlan& plan,
             MergedRows& merged, std::map<int64_t, std::string>& owners, std::string& error) {
  for (const TableRow& row : shard.rows) {
    int64_t c = row.combination;
    int& games = merged.games[c];
    auto owner = owners.find(c);
    if (owner != owners.end() && owner->second != path) {
      error = "combination " + std::to_string(c) + " is in both " + quoted(owner->second) +
              " and " + quoted(path);
      return false;
    }
    if (c > plan.combinations || (c - plan.shardIndex) % plan.shardCount != 0 ||
        row.repetition != games + 1 || games == plan.repeat) {
      error = quoted(path) + ": the row of combination " + std::to_string(c) + ", repetition " +
              std::to_string(row.repetition) + " is not the next game of its shard";
      return false;
    }
    owners[c] = path;
    ++games;
    merged.rows[c].push_back(&row);
  }
  return true;
}

std::string mergedText(const Settings& settings, const MergedRows& merged, int repeat) {
  Settings whole;
  for (const std::string& setting : settings) {
    whole.push_back(setting.rfind("shard=", 0) == 0 ? "shard=1/1" : setting);
  }
  std::string text = settingsText(whole) + gameTableHeader();
  for (const auto& [combination, rows] : merged.rows) {
    for (size_t i = 0; static_cast<int>(rows.size()) == repeat && i < rows.size(); ++i) {
      text += rows[i]->line;
    }
  }
  return text;
}

}  // namespace

int runMerge(const std::vector<std::string>& args) {
  MergeArguments merge;
  std::string error;
  if (!readArguments(args, merge, error)) {
    return badUsage(error);
  }
  std::vector<GameTable> shards(merge.shards.size());
  std::map<std::string, std::string> seen;
  std::map<int64_t, std::string> owners;
  MergedRows merged;
  SweepPlan plan;  // the first shard's
  for (size_t i = 0; i < shards.size(); ++i) {
    SweepPlan shardPlan;
    const std::string& path = merge.shards[i];
    if (!readGameTable(path, shards[i], error) ||
        !checkShard(shards[0], merge.shards[0], shards[i], path, seen, error)) {
      return failure(error);
    }
    if (!planFromSettings(shards[i].settings, shardPlan, error)) {
      return failure(quoted(path) + ": " + error);
    }
    if (!addRows(shards[i], path, shardPlan, merged, owners, error)) {
      return failure(error);
    }
    if (i == 0) {
      plan = shardPlan;
    }
  }
  std::string missing = missingList(merged.games, plan.combinations, plan.repeat);
  if (!missing.empty() && !merge.partial) {
    return failure("missing combinations " + missing + " of " + std::to_string(plan.combinations) +
                   " (--partial merges the others)");
  }
  OutputFile table;
  std::string text = mergedText(shards[0].settings, merged, plan.repeat);
  if (!table.open(merge.tablePath, OutputFile::kWhole, error)) {
    return failure(error);
  }
  std::fputs(text.c_str(), table.stream());
  return table.finish(error) ? 0 : failure(error);
}
