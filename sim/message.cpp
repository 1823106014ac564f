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

int report(const std::string& message, int status) {
  std::fprintf(stderr, "velmoria-sim: %s\n", message.c_str());
  return status;
}

int badUsage(const std::string& message) {
  return report(message, kExitBadUsage);
}

int failure(const std::string& message) {
  return report(message, kExitFailure);
}
