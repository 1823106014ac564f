#include "design_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "message.h"
#include "sweep_plan.h"

bool splitCsvRows(const std::string& text, std::vector<std::vector<std::string>>& rows,
                  std::string& error) {
  std::vector<std::string> row(1);
  bool quoted = false;
  size_t lineStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    std::string& cell = row.back();
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
    } else if (c == '"' && cell.empty()) {
      quoted = true;
    } else if (c == ',') {
      row.emplace_back();
    } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      rows.push_back(i == lineStart ? std::vector<std::string>() : row);
      i += c == '\r' ? 1 : 0;
      row.assign(1, "");
      lineStart = i + 1;
    } else {
      cell += c;
    }
  }
  if (quoted) {
    error = "row " + std::to_string(rows.size() + 1) + ", column " + std::to_string(row.size()) +
            ": a quoted cell is not closed";
    return false;
  }
  if (lineStart < text.size()) {
    rows.push_back(row);  // the last row had no line end
  }
  return true;
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

bool parseDesignText(const std::string& text, Design& design, std::string& error) {
  design = Design{};
  // A spreadsheet may start its CSV with a UTF-8 byte-order mark, which does not belong to the
  // first field's name.
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  // Blank lines at the end are an editor's, not combinations with an empty text (which a
  // one-column design would take them for).
  std::string rowsText = text.substr(start, text.find_last_not_of("\r\n") + 1 - start);
  std::vector<std::vector<std::string>> rows;
  if (!splitCsvRows(rowsText, rows, error)) {
    return false;
  }
  if (rows.empty()) {
    error = "it is empty";
    return false;
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].empty()) {
      error =
          "row " + std::to_string(r + 1) + " is a blank line; only those at the end are skipped";
      return false;
    }
  }
  if (!readHeader(rows[0], design, error)) {
    return false;
  }
  if (rows.size() == 1) {
    error = "it has a header but no combinations";
    return false;
  }
  size_t width = design.fields.size();
  for (size_t r = 1; r < rows.size(); ++r) {
    if (rows[r].size() != width) {
      size_t column = std::min(rows[r].size(), width) + 1;
      error = place(r + 1, column) + (rows[r].size() < width ? "too few" : "too many") +
              " cells: " + std::to_string(rows[r].size()) + " for " + std::to_string(width) +
              " fields";
      return false;
    }
    for (std::string& cell : rows[r]) {
      cell = dialogTexts({cell})[0];  // as much as the dialog's edit reads
    }
    design.rows.push_back(rows[r]);
  }
  if (static_cast<int64_t>(design.rows.size()) > kMaxGameCount) {
    error = "it has more than " + std::to_string(kMaxGameCount) + " combinations";
    return false;
  }
  return true;
}

bool readDesignFile(const std::string& path, Design& design, std::string& error) {
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
  if (!parseDesignText(text, design, error)) {
    error = "design file " + quoted(path) + ": " + error;
    return false;
  }
  return true;
}
