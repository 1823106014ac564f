#include "merge_command.h"

#include <map>

#include "days_table.h"
#include "file_clash.h"
#include "message.h"
#include "output_file.h"
#include "table_reader.h"

namespace {

const char* const kMergeUsage =
    "usage: velmoria-sim merge --table FILE [--days-table FILE] [--partial] SHARD...";

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
  std::string daysTablePath;
  bool partial = false;
  std::vector<std::string> shards;  // game tables and days-tables, in any order
};

// The option at args[i] when it is --NAME FILE or --NAME=FILE, for each NAME with its path.
bool readPathOption(const std::vector<std::string>& args, size_t& i,
                    const std::map<std::string, std::string*>& paths, std::string& error) {
  const std::string& arg = args[i];
  size_t equals = arg.find('=');
  auto option = paths.find(arg.substr(0, equals));
  if (option == paths.end()) {
    error = "unknown merge option " + quoted(arg) + " (" + kMergeUsage + ")";
    return false;
  }
  std::string& path = *option->second;
  path = equals != std::string::npos ? arg.substr(equals + 1)
         : i + 1 < args.size()       ? args[++i]
                                     : "";
  if (path.empty()) {
    error = option->first + " needs a file (" + kMergeUsage + ")";
    return false;
  }
  return true;
}

bool readArguments(const std::vector<std::string>& args, MergeArguments& merge,
                   std::string& error) {
  const std::map<std::string, std::string*> paths = {{"--table", &merge.tablePath},
                                                     {"--days-table", &merge.daysTablePath}};
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "--partial") {
      merge.partial = true;
    } else if (!optionsEnded && arg.rfind("--", 0) == 0 && arg.size() > 2) {
      if (!readPathOption(args, i, paths, error)) {
        return false;
      }
    } else {
      merge.shards.push_back(arg);
    }
  }
  if (merge.tablePath.empty() || merge.shards.empty()) {
    error = std::string("merge needs --table FILE and the shards' tables (") + kMergeUsage + ")";
    return false;
  }
  std::vector<CommandFile> files = {{"--table", merge.tablePath, true},
                                    {"--days-table", merge.daysTablePath, true}};
  for (const std::string& shard : merge.shards) {
    files.push_back({"the input " + quoted(shard), shard, false});
  }
  error = fileClash(files);
  return error.empty();
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

// The run's settings as one machine would have written them.
Settings wholeRunSettings(const Settings& settings) {
  Settings whole;
  for (const std::string& setting : settings) {
    whole.push_back(setting.rfind("shard=", 0) == 0 ? "shard=1/1" : setting);
  }
  return whole;
}

void writeMergedTable(FILE* out, const Settings& settings, const MergedRows& merged, int repeat) {
  std::fputs((settingsText(wholeRunSettings(settings)) + gameTableHeader()).c_str(), out);
  for (const auto& [combination, rows] : merged.rows) {
    for (size_t i = 0; static_cast<int>(rows.size()) == repeat && i < rows.size(); ++i) {
      std::fputs(rows[i]->line.c_str(), out);
    }
  }
}

// Each table's index by its shard, "K/N".
std::map<std::string, size_t> tablesByShard(const std::vector<GameTable>& shards) {
  std::map<std::string, size_t> tables;
  for (size_t i = 0; i < shards.size(); ++i) {
    tables[settingValues(shards[i].settings, "shard").at(0)] = i;
  }
  return tables;
}

// A shard's days-table: its settings, and how far merging has read it.
struct DaysShard {
  std::string path;
  Settings settings;
  long long offset = 0;  // where the days of the next game begin
  size_t nextRow = 0;    // that game's row in the shard's table
};

// Sorts the files given into game tables and days-tables by their headers.
bool sortShards(const std::vector<std::string>& given, std::vector<std::string>& tables,
                std::vector<DaysShard>& days, std::string& error) {
  for (const std::string& path : given) {
    DaysShard shard{path, {}};
    bool isDaysTable = false;
    if (!readDaysTableHead(path, isDaysTable, shard.settings, shard.offset, error)) {
      return false;
    }
    if (isDaysTable) {
      days.push_back(shard);
    } else {
      tables.push_back(path);
    }
  }
  return true;
}

// daysOf[i]: the days-table of tables[i], each checked against the run of the tables.
bool pairDaysTables(const std::vector<GameTable>& shards, const std::vector<std::string>& tables,
                    const std::map<std::string, size_t>& tableOfShard, std::vector<DaysShard>& days,
                    std::vector<DaysShard*>& daysOf, std::string& error) {
  daysOf.assign(shards.size(), nullptr);
  for (DaysShard& shard : days) {
    std::string difference = settingsDifference(shards[0].settings, quoted(tables[0]),
                                                shard.settings, quoted(shard.path), "shard");
    std::vector<std::string> value = settingValues(shard.settings, "shard");
    auto table = value.size() == 1 ? tableOfShard.find(value[0]) : tableOfShard.end();
    if (!difference.empty()) {
      error = "the shards are not of one run: " + difference;
    } else if (table == tableOfShard.end()) {
      error = "the days-table " + quoted(shard.path) + " is of a shard whose table is not given";
    } else if (daysOf[table->second] != nullptr) {
      error = "the days-table of shard " + value[0] +
              " is given twice: " + quoted(daysOf[table->second]->path) + " and " +
              quoted(shard.path);
    } else {
      daysOf[table->second] = &shard;
      continue;
    }
    return false;
  }
  for (size_t i = 0; i < shards.size(); ++i) {
    if (daysOf[i] == nullptr) {
      error = "no days-table is given for the shard " + quoted(tables[i]);
      return false;
    }
  }
  return true;
}

// The merged days-table: the days of the games the merged table holds, in its order.
bool writeMergedDays(FILE* out, const MergedRows& merged, const SweepPlan& plan,
                     const std::vector<GameTable>& shards,
                     const std::map<std::string, size_t>& tableOfShard,
                     const std::vector<DaysShard*>& daysOf, std::string& error) {
  std::fputs((settingsText(wholeRunSettings(shards[0].settings)) + daysTableHeader()).c_str(), out);
  for (const auto& [combination, rows] : merged.rows) {
    if (static_cast<int>(rows.size()) != plan.repeat) {
      continue;
    }
    std::string shardValue = std::to_string((combination - 1) % plan.shardCount + 1) + "/" +
                             std::to_string(plan.shardCount);
    size_t owner = tableOfShard.at(shardValue);
    DaysShard& days = *daysOf[owner];
    // The shard's incomplete combinations before this one are passed over.
    std::vector<GameDays> games;
    for (; days.nextRow < shards[owner].rows.size() &&
           shards[owner].rows[days.nextRow].combination <= combination;
         ++days.nextRow) {
      const TableRow& row = shards[owner].rows[days.nextRow];
      games.push_back(
          {row.combination, row.repetition, row.record, row.combination == combination});
    }
    if (!copyGameDays(days.path, days.offset, games, out, error)) {
      return false;
    }
  }
  return true;
}

}  // namespace

int runMerge(const std::vector<std::string>& args) {
  MergeArguments merge;
  std::string error;
  if (!readArguments(args, merge, error)) {
    return badUsage(error);
  }
  std::vector<std::string> tables;
  std::vector<DaysShard> days;
  if (!sortShards(merge.shards, tables, days, error)) {
    return failure(error);
  }
  if (tables.empty()) {
    return badUsage(std::string("merge needs the shards' tables (") + kMergeUsage + ")");
  }
  if (!days.empty() && merge.daysTablePath.empty()) {
    return badUsage(quoted(days[0].path) + " is a days-table: --days-table FILE merges those");
  }
  std::vector<GameTable> shards(tables.size());
  std::map<std::string, std::string> seen;
  std::map<int64_t, std::string> owners;
  MergedRows merged;
  SweepPlan plan;  // the first shard's
  for (size_t i = 0; i < shards.size(); ++i) {
    SweepPlan shardPlan;
    const std::string& path = tables[i];
    // Tables that do not make one run stay so however often the merge is tried.
    if (int status = readGameTable(path, shards[i], error)) {
      return report(error, status);
    }
    if (!planFromSettings(shards[i].settings, shardPlan, error)) {
      return badUsage(quoted(path) + ": " + error);
    }
    if (!checkShard(shards[0], tables[0], shards[i], path, seen, error) ||
        !addRows(shards[i], path, shardPlan, merged, owners, error)) {
      return badUsage(error);
    }
    if (i == 0) {
      plan = shardPlan;
    }
  }
  std::map<std::string, size_t> tableOfShard = tablesByShard(shards);
  std::vector<DaysShard*> daysOf;
  if (!merge.daysTablePath.empty() &&
      !pairDaysTables(shards, tables, tableOfShard, days, daysOf, error)) {
    return badUsage(error);
  }
  std::string missing = missingList(merged.games, plan.combinations, plan.repeat);
  if (!missing.empty() && !merge.partial) {
    return failure("missing combinations " + missing + " of " + std::to_string(plan.combinations) +
                   " (--partial merges the others)");
  }
  // Both files take their names only once both are complete.
  OutputFile daysTable;
  if (!merge.daysTablePath.empty() &&
      (!daysTable.open(merge.daysTablePath, OutputFile::kWhole, error) ||
       !writeMergedDays(daysTable.stream(), merged, plan, shards, tableOfShard, daysOf, error))) {
    return failure(error);
  }
  OutputFile table;
  if (!table.open(merge.tablePath, OutputFile::kWhole, error)) {
    return failure(error);
  }
  writeMergedTable(table.stream(), shards[0].settings, merged, plan.repeat);
  if (!table.flush(error) || (!merge.daysTablePath.empty() && !daysTable.finish(error))) {
    return failure(error);
  }
  return table.finish(error) ? 0 : failure(error);
}
