#include "design_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "message.h"
#include "sweep_plan.h"

namespace {

// Reads the row that starts at pos and moves pos past its line end; a blank line is a row
// without cells. False when a quoted cell is left open, with row holding the cells so far.
bool readCsvRow(const std::string& text, size_t& pos, std::vector<std::string>& row) {
  row.assign(1, "");
  bool quoted = false;
  const size_t lineStart = pos;
  for (; pos < text.size(); ++pos) {
    char c = text[pos];
    std::string& cell = row.back();
    if (quoted) {
      if (c == '"' && pos + 1 < text.size() && text[pos + 1] == '"') {
        cell += '"';
        ++pos;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
    } else if (c == '"' && cell.empty()) {
      quoted = true;
    } else if (c == ',') {
      row.emplace_back();
    } else if (c == '\n' || (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')) {
      if (pos == lineStart) {
        row.clear();
      }
      pos += c == '\r' ? 2 : 1;
      return true;
    } else {
      cell += c;
    }
  }
  return !quoted;  // the last row, without a line end
}

std::string quoteNotClosed(size_t row, size_t column) {
  return "row " + std::to_string(row) + ", column " + std::to_string(column) +
         ": a quoted cell is not closed";
}

}  // namespace

bool splitCsvRows(const std::string& text, std::vector<std::vector<std::string>>& rows,
                  std::string& error) {
  std::vector<std::string> row;
  for (size_t pos = 0; pos < text.size();) {
    if (!readCsvRow(text, pos, row)) {
      error = quoteNotClosed(rows.size() + 1, row.size());
      return false;
    }
    rows.push_back(row);
  }
  return true;
}

size_t csvRowEnd(const std::string& text, size_t pos) {
  std::vector<std::string> cells;
  bool closed = readCsvRow(text, pos, cells);
  return closed && pos > 0 && text[pos - 1] == '\n' ? pos : std::string::npos;
}

namespace {

std::string place(size_t row, size_t column) {
  return "row " + std::to_string(row) + ", column " + std::to_string(column) + ": ";
}

bool readHeader(const std::vector<std::string>& header, Design& design, std::string& error) {
  for (size_t column = 0; column < header.size(); ++column) {
    int field = 0;
    if (!findField(header[column], field)) {
      error = place(1, column + 1) + "unknown field " + quoted(header[column]);
      return false;
    }
    for (size_t earlier = 0; earlier < design.fields.size(); ++earlier) {
      if (design.fields[earlier] == field) {
        error = place(1, column + 1) + "field " + quoted(kFieldNames[field]) + " is in column " +
                std::to_string(earlier + 1) + " already";
        return false;
      }
    }
    design.fields.push_back(field);
  }
  return true;
}

}  // namespace

bool parseDesignText(const std::string& text, int64_t maxCombinations, Design& design,
                     std::string& error) {
  design = Design{};
  // A spreadsheet may start its CSV with a UTF-8 byte-order mark, which does not belong to the
  // first field's name.
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  // Blank lines at the end are an editor's, not combinations with an empty text (which a
  // one-column design would take them for).
  std::string rowsText = text.substr(start, text.find_last_not_of("\r\n") + 1 - start);
  std::vector<std::string> cells;
  size_t row = 0;
  for (size_t pos = 0;
       pos < rowsText.size() && static_cast<int64_t>(design.rows.size()) < maxCombinations;) {
    ++row;
    if (!readCsvRow(rowsText, pos, cells)) {
      error = quoteNotClosed(row, cells.size());
      return false;
    }
    if (cells.empty()) {
      error = "row " + std::to_string(row) + " is a blank line; only those at the end are skipped";
      return false;
    }
    if (row == 1) {
      if (!readHeader(cells, design, error)) {
        return false;
      }
      continue;
    }
    size_t width = design.fields.size();
    if (cells.size() != width) {
      size_t column = std::min(cells.size(), width) + 1;
      error = place(row, column) + (cells.size() < width ? "too few" : "too many") +
              " cells: " + std::to_string(cells.size()) + " for " + std::to_string(width) +
              " fields";
      return false;
    }
    for (std::string& cell : cells) {
      cell = dialogTexts({cell})[0];  // as much as the dialog's edit reads
    }
    design.rows.push_back(std::move(cells));
  }
  if (row == 0) {
    error = "it is empty";
    return false;
  }
  if (design.rows.empty()) {
    error = "it has a header but no combinations";
    return false;
  }
  return true;
}

bool readDesignFile(const std::string& path, int64_t maxCombinations, Design& design,
                    std::string& error) {
  bool standardInput = path == "-";
  FILE* in = standardInput ? stdin : std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    error = "cannot read design file " + quoted(path) + ": " + std::strerror(errno);
    return false;
  }
  std::string text;
  char buffer[65536];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
    text.append(buffer, got);
  }
  bool readError = std::ferror(in) != 0;
  int readErrno = errno;
  if (!standardInput) {
    std::fclose(in);
  }
  if (readError) {
    error = "cannot read design file " + quoted(path) + ": " + std::strerror(readErrno);
    return false;
  }
  if (!parseDesignText(text, maxCombinations, design, error)) {
    error = "design file " + quoted(path) + ": " + error;
    return false;
  }
  return true;
}
