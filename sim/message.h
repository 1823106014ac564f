// Error lines and exit statuses. Every message is one line starting "velmoria-sim: ",
// whatever the paths and arguments in it contain. The exit status tells a batch scheduler what
// to do next: 1 (something failed while running) may succeed when run again, 2 (bad usage,
// found before any file is made or any game played) needs another command.
#pragma once

#include <string>

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitBadUsage = 2;

// text in single quotes, with control characters written as \n, \t or \xHH and a backslash
// as \\, so that a name with a newline cannot break the line.
std::string quoted(const std::string& text);

// Print "velmoria-sim: MESSAGE" on standard error and return the exit status.
int report(const std::string& message, int status);
int badUsage(const std::string& message);
int failure(const std::string& message);
