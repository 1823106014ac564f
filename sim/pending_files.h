// The temporary files not yet given their names. SIGINT, SIGTERM, SIGHUP, SIGPIPE and SIGXFSZ
// remove every one of them before the signal ends the program as it would have; while there
// is none, the signals keep their default action.
#pragma once

#include <string>

void addPendingFile(const std::string& path);
void removePendingFile(const std::string& path);

// In a forked worker: the temporary files are the parent's to remove, not the worker's.
void forgetTemporaryFiles();
