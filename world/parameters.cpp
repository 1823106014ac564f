#include "parameters.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

const char* const kDefaultParameterTexts[kParameterFieldCount] = {
    "2000", "0.5", "0.2",         // large carnivores
    "2000", "0.5", "0.2",         // small carnivores
    "2000", "0.5", "0.2",         // herbivores
    "2000", "0.5", "0.2",         // plants
    "0.1",  "0.1", "0.1", "0.1",  // disturbances
};

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int32_t saturate(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  if (value >= 2147483647.0) {
    return INT32_MAX;
  }
  if (value <= -2147483648.0) {
    return INT32_MIN;
  }
  return static_cast<int32_t>(value);  // truncates toward zero
}

// Length of the longest prefix of text that is a plain decimal number with an optional
// exponent (no white space or sign), or 0 when there is none.
size_t plainDecimalLength(const char* text) {
  size_t n = 0;
  size_t digits = 0;
  while (isDigit(text[n])) {
    ++n, ++digits;
  }
  if (text[n] == '.') {
    size_t fraction = 0;
    while (isDigit(text[n + 1 + fraction])) {
      ++fraction;
    }
    if (digits + fraction > 0) {
      n += 1 + fraction;
      digits += fraction;
    }
  }
  if (digits == 0) {
    return 0;
  }
  if (text[n] == 'e' || text[n] == 'E') {
    size_t e = n + 1;
    if (text[e] == '+' || text[e] == '-') {
      ++e;
    }
    if (isDigit(text[e])) {
      while (isDigit(text[e])) {
        ++e;
      }
      n = e;
    }
  }
  return n;
}

#if defined(__cpp_lib_to_chars)

// For a plain decimal number too far from 1 for a double: true when it is nearer zero
// (the power of ten of its first significant digit is negative).
bool isTinyMagnitude(const char* text, size_t length) {
  long long place = 0;  // power of ten of the first significant digit, before the exponent
  bool seenPoint = false, seenSignificant = false;
  long long integerDigits = 0;
  size_t i = 0;
  for (; i < length && text[i] != 'e' && text[i] != 'E'; ++i) {
    if (text[i] == '.') {
      seenPoint = true;
    } else if (!seenPoint) {
      if (seenSignificant || text[i] != '0') {
        seenSignificant = true;
        ++integerDigits;
      }
    } else if (!seenSignificant) {
      --place;
      if (text[i] != '0') {
        seenSignificant = true;
      }
    }
  }
  if (!seenSignificant) {
    return true;
  }
  if (integerDigits > 0) {
    place = integerDigits - 1;
  }
  long long exponent = 0;
  if (i < length) {
    bool negative = text[i + 1] == '-';
    for (size_t e = i + 1; e < length; ++e) {
      if (isDigit(text[e]) && exponent < 1000000000) {
        exponent = exponent * 10 + (text[e] - '0');
      }
    }
    exponent = negative ? -exponent : exponent;
  }
  return place + exponent < 0;
}

// Value of the plain decimal number text[0, length).
double readPlainDecimal(const char* text, size_t length) {
  double value = 0.0;
  auto result = std::from_chars(text, text + length, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small to represent reads as zero, too large as infinity (then saturated).
    return isTinyMagnitude(text, length) ? 0.0 : HUGE_VAL;
  }
  return value;
}

#else

// The same value where the library has no floating from_chars (the WebAssembly build): strtod
// reads the digits with the decimal point moved into the exponent, so that the locale's decimal
// point plays no part. Both conversions round correctly, so they give the same double.
double readPlainDecimal(const char* text, size_t length) {
  std::string digits;
  long long exponent = 0;
  bool seenPoint = false;
  size_t i = 0;
  for (; i < length && text[i] != 'e' && text[i] != 'E'; ++i) {
    if (text[i] == '.') {
      seenPoint = true;
    } else {
      digits += text[i];
      exponent -= seenPoint ? 1 : 0;
    }
  }
  if (i < length) {
    bool negative = text[i + 1] == '-';
    long long written = 0;
    for (size_t e = i + 1; e < length; ++e) {
      if (isDigit(text[e]) && written < 1000000000) {
        written = written * 10 + (text[e] - '0');
      }
    }
    exponent += negative ? -written : written;
  }
  digits += 'e' + std::to_string(exponent);
  return std::strtod(digits.c_str(), nullptr);
}

#endif

}  // namespace

int32_t parseCount(const char* text) {
  errno = 0;
  long long value = std::strtoll(text, nullptr, 10);
  if (value > INT32_MAX) {
    return INT32_MAX;
  }
  if (value < INT32_MIN) {
    return INT32_MIN;
  }
  return static_cast<int32_t>(value);
}

int32_t parseRate(const char* text) {
  const char* p = text;
  while (isSpace(*p)) {
    ++p;
  }
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  size_t length = plainDecimalLength(p);
  if (length == 0) {
    return 0;
  }
  double value = readPlainDecimal(p, length);
  if (negative) {
    value = -value;
  }
  // Stored to a double before truncation so that both builds round the product alike.
  volatile double product = value * static_cast<double>(kRateScale);
  return saturate(product);
}

int32_t parsePopulation(const char* text) {
  int32_t population = parseCount(text);
  return population > kSlotsPerSpecies ? kSlotsPerSpecies : population;
}

bool isPopulationField(int field) {
  return field < 3 * kSpeciesCount && field % 3 == 0;
}

double playedValue(int field, const char* text) {
  return isPopulationField(field) ? parsePopulation(text)
                                  : parseRate(text) / static_cast<double>(kRateScale);
}

void storeParameterTexts(World& w, const char* const texts[kParameterFieldCount]) {
  for (int k = 0; k < kSpeciesCount; ++k) {
    Species& s = w.species[k];
    s.population = parsePopulation(texts[3 * k]);
    s.startLife = parseRate(texts[3 * k + 1]);
    s.birthChance = parseRate(texts[3 * k + 2]);
  }
  for (int k = 0; k < kSpeciesCount; ++k) {
    w.disturbance[k] = parseRate(texts[12 + k]);
  }
}
