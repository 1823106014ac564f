// Error lines: every message is one line starting "velmoria-sim: ", whatever the paths and
// arguments in it contain.
#pragma once

#include <string>

constexpr int kUsageError = 2;

// text in single quotes, with control characters written as \n, \t or \xHH and a backslash
// as \\, so that a name with a newline cannot break the line.
std::string quoted(const std::string& text);

// Prints "velmoria-sim: MESSAGE" on standard error and returns kUsageError.
int fail(const std::string& message);
