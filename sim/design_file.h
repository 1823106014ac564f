// A design: the combinations a sweep plays, given as rows of field texts rather than as the
// grid of --vary. It comes from a CSV file (--design) or from a sample (--sample).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Design {
  std::vector<int> fields;                     // 0..15, in the file's column order
  std::vector<std::vector<std::string>> rows;  // one text per field; row i is combination i+1
};

// Splits CSV text into rows of cells; cells may be quoted, with "" for a quote inside, and rows
// end in "\n" or "\r\n"; a blank line is a row without cells. False with a reason naming the row
// when a quoted cell is left open.
bool splitCsvRows(const std::string& text, std::vector<std::vector<std::string>>& rows,
                  std::string& error);

// Where the CSV row that starts at pos ends, past its line end (a line end inside a quoted cell
// belongs to the cell); std::string::npos when the row has no line end, as a row cut off has not.
size_t csvRowEnd(const std::string& text, size_t pos);

// The CSV text of a design: a header of field names or numbers 1..16 (after a UTF-8
// byte-order mark, if any), then one row per combination. On a bad file returns false with a
// reason naming the row and column; the header is row 1, so combination N is row N+1. Reading
// stops after maxCombinations (at least 1) combinations, leaving the rest unread: a caller that
// takes at most N asks for N + 1 to learn that there are more, without holding them all.
bool parseDesignText(const std::string& text, int64_t maxCombinations, Design& design,
                     std::string& error);

// Reads and parses path ("-": standard input); the error starts with the file's name.
bool readDesignFile(const std::string& path, int64_t maxCombinations, Design& design,
                    std::string& error);
