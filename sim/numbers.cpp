#include "numbers.h"

#include <charconv>
#include <cmath>

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Appends the digits at text[i] to out and moves i past them.
void takeDigits(const std::string& text, size_t& i, std::string& out) {
  while (i < text.size() && isDigit(text[i])) {
    out += text[i++];
  }
}

std::string integerText(int64_t value) {
  char text[24];
  std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
  return std::string(text, end.ptr);
}

}  // namespace

bool readCount(const std::string& text, int limit, int& count) {
  if (text.empty()) {
    return false;
  }
  long long value = 0;
  for (char c : text) {
    if (!isDigit(c)) {
      return false;
    }
    value = value * 10 + (c - '0');
    if (value > limit) {
      return false;
    }
  }
  if (value < 1) {
    return false;
  }
  count = static_cast<int>(value);
  return true;
}

bool readDecimal(const std::string& text, Decimal& number) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    number.negative = text[i++] == '-';
  }
  takeDigits(text, i, number.whole);
  if (i < text.size() && text[i] == '.') {
    ++i;
    takeDigits(text, i, number.fraction);
  }
  return i == text.size() && !(number.whole.empty() && number.fraction.empty());
}

bool scaledDecimal(const Decimal& number, size_t scale, int64_t& value) {
  std::string digits =
      number.whole + number.fraction + std::string(scale - number.fraction.size(), '0');
  size_t start = digits.find_first_not_of('0');
  if (start != std::string::npos && digits.size() - start > 18) {
    return false;
  }
  value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
  }
  value = number.negative ? -value : value;
  return true;
}

bool readScaledDecimal(const std::string& text, size_t scale, int64_t& value) {
  Decimal number;
  return readDecimal(text, number) && number.fraction.size() <= scale &&
         scaledDecimal(number, scale, value);
}

std::string decimalText(int64_t value, size_t scale) {
  bool negative = value < 0;
  std::string digits = integerText(negative ? -value : value);
  if (digits.size() <= scale) {
    digits.insert(0, scale + 1 - digits.size(), '0');
  }
  std::string whole = digits.substr(0, digits.size() - scale);
  std::string fraction = digits.substr(digits.size() - scale);
  while (!fraction.empty() && fraction.back() == '0') {
    fraction.pop_back();
  }
  std::string text = (negative ? "-" : "") + whole;
  return fraction.empty() ? text : text + "." + fraction;
}

bool readFiniteNumber(const std::string& text, double& value) {
  if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos) {
    return false;
  }
  // A leading "+" is allowed, as by strtod; from_chars takes only the "-".
  size_t start = text[0] == '+' && text.size() > 1 && text[1] != '-' && text[1] != '+' ? 1 : 0;
  const char* end = text.data() + text.size();
  std::from_chars_result read = std::from_chars(text.data() + start, end, value);
  return read.ec == std::errc() && read.ptr == end && std::isfinite(value);
}

std::string formatNumber(double v, int decimals) {
  if (!std::isfinite(v)) {
    v = 0;
  }
  if (std::fabs(v) >= 1e15) {
    char text[32];
    std::to_chars_result end =
        std::to_chars(text, text + sizeof text, v, std::chars_format::general, 6);
    return std::string(text, end.ptr);
  }
  long long scale = 1;
  for (int i = 0; i < decimals; ++i) {
    scale *= 10;
  }
  long long scaled = std::llround(std::fabs(v) * static_cast<double>(scale));
  return decimalText(v < 0 ? -scaled : scaled, static_cast<size_t>(decimals));
}

std::string fixedText(double v, int decimals) {
  char text[400];  // the longest double with its decimals
  std::to_chars_result end =
      std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
  return std::string(text, end.ptr);
}
