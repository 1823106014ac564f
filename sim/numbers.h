// Reading and writing numbers, always in the C locale's notation whatever the user's locale:
// counts given on the command line, exact decimals for ranges, and the numbers the charts
// write.
#pragma once

#include <cstdint>
#include <string>

// Decimal digits only, with a value from 1 to limit.
bool readCount(const std::string& text, int limit, int& count);

// A plain decimal number: an optional sign, digits, and an optional point with digits.
struct Decimal {
  bool negative = false;
  std::string whole;     // digits before the point
  std::string fraction;  // digits after it
};
bool readDecimal(const std::string& text, Decimal& number);

// The number times 10^scale as an integer, or false when it does not fit 18 digits. scale is
// at least the number's fraction digits.
bool scaledDecimal(const Decimal& number, size_t scale, int64_t& value);

// A plain decimal text with at most scale decimals, times 10^scale; false when it is not one
// or does not fit 18 digits.
bool readScaledDecimal(const std::string& text, size_t scale, int64_t& value);

// value / 10^scale written without trailing zeros after the point (and without the point
// when nothing follows it): (1500, 3) is "1.5", (-20, 1) is "-2".
std::string decimalText(int64_t value, size_t scale);

// The whole text as a finite number, also in exponent notation ("1e3"); false otherwise.
bool readFiniteNumber(const std::string& text, double& value);

// v rounded to the given decimals and written as decimalText does. Never "nan" or "inf": those
// are written as 0 (callers keep their values finite anyway). Beyond 1e15 (only tick labels of
// absurd field values get there) six significant digits, as "%g" writes them.
std::string formatNumber(double v, int decimals = 1);

// v with exactly the given decimals, as "%.*f" writes it.
std::string fixedText(double v, int decimals);
