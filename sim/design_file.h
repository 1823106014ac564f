// A design: the combinations a sweep plays, given as rows of field texts rather than as the
// grid of --vary. It comes from a CSV file (--design) or from a sample (--sample).
#pragma once

#include <string>
#include <vector>

struct Design {
  std::vector<int> fields;                     // 0..15, in the file's column order
  std::vector<std::vector<std::string>> rows;  // one text per field; row i is combination i+1
};

// The CSV text of a design: a header of field names or numbers 1..16, then one row per
// combination. On a bad file returns false with a reason naming the row and column; the
// header is row 1, so combination N is row N+1.
bool parseDesignText(const std::string& text, Design& design, std::string& error);

// Reads and parses path ("-": standard input); the error starts with the file's name.
bool readDesignFile(const std::string& path, Design& design, std::string& error);
