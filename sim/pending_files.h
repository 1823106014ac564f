// The temporary files not yet given their names, removed by the signals that end a run part
// way. SIGINT, SIGTERM and SIGHUP interrupt the run: once failOnInterrupt() is called, they
// remove the files, print "velmoria-sim: interrupted" and exit 1. SIGPIPE and SIGXFSZ remove
// them and then end the program as they would have. A signal ignored when the program started
// (as nohup ignores SIGHUP) stays ignored.
#pragma once

#include <string>

void addPendingFile(const std::string& path);
void removePendingFile(const std::string& path);

void failOnInterrupt();

// In a forked worker: the temporary files are the parent's to remove, and an interruption the
// parent's to report; the worker's signals take their default actions.
void forgetTemporaryFiles();
