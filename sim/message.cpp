#include "message.h"

#include <cstdio>

std::string quoted(const std::string& text) {
  static const char hex[] = "0123456789abcdef";
  std::string out = "'";
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += hex[byte >> 4];
      out += hex[byte & 15];
    } else {
      out += c;
    }
  }
  return out + "'";
}

int fail(const std::string& message) {
  std::fprintf(stderr, "velmoria-sim: %s\n", message.c_str());
  return kUsageError;
}
