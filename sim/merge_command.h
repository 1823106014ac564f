// "velmoria-sim merge --table FILE [--days-table FILE] [--partial] SHARD...": joins the tables
// of one run's shards into the table one machine would have written, whatever the order of the
// shards. Refuses shards of different runs, a shard given twice and rows that overlap; names
// the missing combinations and writes nothing unless --partial, which writes the complete ones.
// With --days-table, the shards' days-tables, known by their header among the shards, are
// joined in the same way, each checked against its table's games.
#pragma once

#include <string>
#include <vector>

// args: the arguments after "merge". Returns the exit status.
int runMerge(const std::vector<std::string>& args);
