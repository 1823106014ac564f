#include "sample_design.h"

#include <gsl/gsl_qrng.h>

#include <algorithm>
#include <memory>
#include <random>

#include "message.h"
#include "numbers.h"
#include "sweep_plan.h"

namespace {

constexpr size_t kRateDecimals = 4;

using Wide = unsigned __int128;

// A uniform draw from 0..n-1 by rejection on the generator's raw values, so that it is the
// same on every machine (the standard distributions are not).
uint32_t drawBelow(std::mt19937& source, uint32_t n) {
  const uint64_t limit = (uint64_t{1} << 32) - (uint64_t{1} << 32) % n;
  for (;;) {
    uint64_t raw = source();
    if (raw < limit) {
      return static_cast<uint32_t>(raw % n);
    }
  }
}

// The value at fraction numerator / denominator of the range's whole steps, LO..HI inclusive.
int64_t valueAt(const SampleRange& range, Wide numerator, Wide denominator) {
  Wide steps = static_cast<Wide>(range.high - range.low + 1);
  return range.low + static_cast<int64_t>(numerator * steps / denominator);
}

std::string valueText(int field, int64_t value) {
  if (isPopulationField(field)) {
    return std::to_string(value);
  }
  int64_t magnitude = value < 0 ? -value : value;
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, kRateDecimals - fraction.size(), '0');
  return (value < 0 ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

constexpr Wide kWord = static_cast<Wide>(1) << 32;

// Fractions of the unit interval as 32-bit numerators, points[row][dimension].
using UnitPoints = std::vector<std::vector<uint32_t>>;

UnitPoints randomPoints(int count, size_t dims, std::mt19937& source) {
  UnitPoints points(count, std::vector<uint32_t>(dims));
  for (auto& point : points) {
    for (uint32_t& x : point) {
      x = static_cast<uint32_t>(source());
    }
  }
  return points;
}

UnitPoints sobolPoints(int count, size_t dims, std::mt19937& source) {
  std::vector<uint32_t> shift(dims);
  for (uint32_t& s : shift) {
    s = static_cast<uint32_t>(source());
  }
  std::unique_ptr<gsl_qrng, void (*)(gsl_qrng*)> sequence(
      gsl_qrng_alloc(gsl_qrng_sobol, static_cast<unsigned>(dims)), gsl_qrng_free);
  UnitPoints points(count, shift);  // the origin, which GSL leaves out, shifted
  std::vector<double> x(dims);
  for (int row = 1; row < count; ++row) {
    gsl_qrng_get(sequence.get(), x.data());
    for (size_t d = 0; d < dims; ++d) {
      // GSL's points are multiples of 2^-30, so the product is exact; the sum wraps mod 1.
      points[row][d] = static_cast<uint32_t>(static_cast<uint64_t>(x[d] * 4294967296.0)) + shift[d];
    }
  }
  return points;
}

}  // namespace

int64_t unitValue(const SampleRange& range, double unit) {
  Wide numerator = static_cast<Wide>(std::min(std::max(unit, 0.0) * 4294967296.0, 4294967295.0));
  return valueAt(range, numerator, kWord);
}

std::string unitValueText(const SampleRange& range, double unit) {
  return valueText(range.field, unitValue(range, unit));
}

bool isSampleMethod(const std::string& method) {
  return method == "random" || method == "lhs" || method == "sobol";
}

bool parseSampleRange(const std::string& argument, SampleRange& range, std::string& error) {
  size_t equals = argument.find('=');
  size_t colon = argument.find(':', equals == std::string::npos ? 0 : equals);
  if (equals == std::string::npos || colon == std::string::npos) {
    error = "--range needs FIELD=LO:HI, not " + quoted(argument);
    return false;
  }
  std::string name = argument.substr(0, equals);
  if (!findField(name, range.field)) {
    error = "unknown field " + quoted(name) + " (try --help)";
    return false;
  }
  bool population = isPopulationField(range.field);
  size_t scale = population ? 0 : kRateDecimals;
  std::string low = argument.substr(equals + 1, colon - equals - 1);
  std::string high = argument.substr(colon + 1);
  if (!readScaledDecimal(low, scale, range.low) || !readScaledDecimal(high, scale, range.high) ||
      range.low > range.high) {
    error = "--range " + quoted(name) + " needs LO:HI with LO <= HI, " +
            (population ? "whole numbers" : "at most four decimals") + ", not " +
            quoted(argument.substr(equals + 1));
    return false;
  }
  return true;
}

Design sampleDesign(const std::string& method, int count, const std::vector<SampleRange>& ranges,
                    uint32_t seed) {
  std::mt19937 source(seed);
  size_t dims = ranges.size();
  Design design;
  for (const SampleRange& range : ranges) {
    design.fields.push_back(range.field);
  }
  design.rows.assign(count, std::vector<std::string>(dims));
  if (method == "lhs") {
    for (size_t d = 0; d < dims; ++d) {
      std::vector<uint32_t> strata(count);
      for (int i = 0; i < count; ++i) {
        strata[i] = static_cast<uint32_t>(i);
      }
      for (int i = count - 1; i > 0; --i) {
        std::swap(strata[i], strata[drawBelow(source, static_cast<uint32_t>(i) + 1)]);
      }
      for (int row = 0; row < count; ++row) {
        Wide within = strata[row] * kWord + source();
        design.rows[row][d] = valueText(ranges[d].field, valueAt(ranges[d], within, kWord * count));
      }
    }
    return design;
  }
  UnitPoints points =
      method == "sobol" ? sobolPoints(count, dims, source) : randomPoints(count, dims, source);
  for (int row = 0; row < count; ++row) {
    for (size_t d = 0; d < dims; ++d) {
      design.rows[row][d] = valueText(ranges[d].field, valueAt(ranges[d], points[row][d], kWord));
    }
  }
  return design;
}
