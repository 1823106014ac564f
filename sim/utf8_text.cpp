#include "utf8_text.h"

namespace {

bool allowedInXml(uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
}

// The entity for a character XML text may not carry as itself, or nullptr.
const char* entityFor(uint32_t c) {
  switch (c) {
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '&':
      return "&amp;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    case '\t':
      return "&#9;";
    case '\n':
      return "&#10;";
    case '\r':
      return "&#13;";
    default:
      return nullptr;
  }
}

// The bytes of the character at text[i], at least one.
size_t stepOver(const std::string& text, size_t i) {
  uint32_t c = 0;
  size_t length = utf8Sequence(text, i, c);
  return length == 0 ? 1 : length;
}

// Whether c is drawn about one em wide.
bool isWide(uint32_t c) {
  return c == 0x2026 || (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
         (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

// The width in ems of the character at text[i], whose bytes go to length.
double characterWidth(const std::string& text, size_t i, size_t& length) {
  uint32_t c = 0;
  length = utf8Sequence(text, i, c);
  bool wide = length != 0 && isWide(c);
  length = length == 0 ? 1 : length;
  return wide ? 1.0 : 7.0 / 12;
}

}  // namespace

size_t utf8Sequence(const std::string& text, size_t i, uint32_t& codePoint) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 0 || i + length > text.size()) {
    return 0;
  }
  codePoint = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next >> 6) != 0x2) {
      return 0;
    }
    codePoint = codePoint << 6 | (next & 0x3F);
  }
  static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return 0;
  }
  return length;
}

std::string xmlEscaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    uint32_t c = 0;
    size_t length = utf8Sequence(text, i, c);
    if (length == 0 || !allowedInXml(c)) {
      out += "\xEF\xBF\xBD";
      i += length == 0 ? 1 : length;
      continue;
    }
    const char* entity = entityFor(c);
    if (entity != nullptr) {
      out += entity;
    } else {
      out.append(text, i, length);
    }
    i += length;
  }
  return out;
}

std::string xmlAttributeValue(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c == '"' ? "&quot;" : c == '&' ? "&amp;" : c == '<' ? "&lt;" : std::string(1, c);
  }
  return out;
}

std::string shortened(const std::string& text, size_t maxChars) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++chars) {
    if (chars == maxChars - 1) {
      size_t rest = 0;
      for (size_t j = i; j < text.size() && rest < 2; ++rest) {
        j += stepOver(text, j);
      }
      return rest > 1 ? text.substr(0, i) + "…" : text;
    }
    i += stepOver(text, i);
  }
  return text;
}

size_t characterCount(const std::string& text) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++chars) {
    i += stepOver(text, i);
  }
  return chars;
}

double textWidth(const std::string& text, double size) {
  double ems = 0;
  for (size_t i = 0, length = 0; i < text.size(); i += length) {
    ems += characterWidth(text, i, length);
  }
  return ems * size;
}

std::string shortenedToWidth(const std::string& text, double maxWidth, double size) {
  if (textWidth(text, size) <= maxWidth) {
    return text;
  }
  const std::string ellipsis = "…";
  double width = textWidth(ellipsis, size);
  size_t end = 0;
  for (size_t length = 0; end < text.size(); end += length) {
    width += characterWidth(text, end, length) * size;
    if (width > maxWidth) {
      break;
    }
  }
  return text.substr(0, end) + ellipsis;
}
