// "velmoria-sim merge --table FILE [--partial] SHARD...": joins the tables of one run's shards
// into the table one machine would have written, whatever the order of the shards. Refuses
// shards of different runs, a shard given twice and rows that overlap; names the missing
// combinations and writes nothing unless --partial, which writes the complete ones.
#pragma once

#include <string>
#include <vector>

// args: the arguments after "merge". Returns the exit status.
int runMerge(const std::vector<std::string>& args);
