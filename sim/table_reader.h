// Reading game tables back: the one a --resume continues, and finished ones for merge and
// summarise.
#pragma once

#include <functional>
#include <string>

#include "output_file.h"
#include "run_settings.h"
#include "sweep_table.h"

// Opens the --table file and writes its settings and header, or with resume keeps the complete
// rows an earlier run of the same settings left in it (refusing, with the file unchanged, a
// table of other settings or another sweep). existing gets the kept rows. beforeWriting runs
// once the table is open and the rows to keep are known, before it is changed; when it fails,
// so does the opening, with its error, and the table is left as it was. Both return the exit
// status: kExitBadUsage for a table that is not one of this command.
using BeforeWriting = std::function<int(const ExistingRows& existing, std::string& error)>;
int openGameTable(OutputFile& file, const std::string& path, bool resume, const SweepPlan& plan,
                  const Settings& settings, ExistingRows& existing, std::string& error,
                  const BeforeWriting& beforeWriting);

// A finished table as merge and summarise read it.
struct TableRow {
  int64_t combination;
  int repetition;
  int32_t record;
  bool stopped;
  std::string line;  // the row as written, with its line end
};
// The row's CSV cells, read again from its line: a table of millions of games is held as its
// lines alone.
std::vector<std::string> rowCells(const TableRow& row);
struct GameTable {
  Settings settings;
  std::vector<TableRow> rows;  // in the file's order; a last row cut off is left out
};
// Reads path. Returns kExitSuccess, or with an error naming the file: kExitFailure when it
// cannot be read (it may be there later), kExitBadUsage when it is not a game table.
int readGameTable(const std::string& path, GameTable& table, std::string& error);

// The sweep a table's settings describe, so far as its rows and its chart need one: the texts
// it started from, the fields that change, the varied values, the repeat, the combinations, the
// shard, the day limit and whether the screen's dots were drawn.
bool planFromSettings(const Settings& settings, SweepPlan& plan, std::string& error);
