// --days-table FILE: one row per day of every game of a sweep, "combination,repetition,day," and
// the four populations, after the run's settings. Written in order row by row like the game
// table, each game's days before its row in the game table, so that a run cut off anywhere
// leaves at least the days of every game the game table holds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "output_file.h"
#include "run_settings.h"
#include "sweep_table.h"

std::string daysTableHeader();

// Appends the rows of one game; populations holds days * 4 values, day by day.
void appendDayRows(std::string& text, int64_t combination, int repetition,
                   const int32_t* populations, int32_t days);

// Opens the days-table and writes its settings and header; with resume keeps the days of the
// games the game table kept (kept, in the shard's order), and refuses, changing nothing, a
// file of other settings or one that lacks some of those games. Returns the exit status.
int openDaysTable(OutputFile& file, const std::string& path, bool resume, const SweepPlan& plan,
                  const Settings& settings, const std::vector<GameResult>& kept,
                  std::string& error);

// Reading shards' days-tables back for merge.

// Whether the file at path is a days-table, from its settings and header; rowsStart is where
// its rows begin. False, with the reason, when it cannot be read.
bool readDaysTableHead(const std::string& path, bool& isDaysTable, Settings& settings,
                       long long& rowsStart, std::string& error);

// A game whose days merge copies, or passes over when copy is false.
struct GameDays {
  int64_t combination;
  int repetition;
  int32_t days;
  bool copy;
};
// Reads the days of games, one after another, from offset on in the days-table at path, and
// writes those to be copied to out; offset moves past them. False, naming the file and the
// game, when their rows are not there.
bool copyGameDays(const std::string& path, long long& offset, const std::vector<GameDays>& games,
                  FILE* out, std::string& error);
