// Sampled designs: N points over ranges of fields, drawn from a seed of their own (the game's
// random source is never touched), the same on every machine.
//   random: each value uniform over its range
//   lhs:    a Latin hypercube: each range cut into N equal strata, exactly one point in each
//   sobol:  GSL's Sobol' sequence from its origin, shifted modulo 1 by a random vector drawn
//           from the seed (a Cranley-Patterson rotation)
// A value is a text the dialog reads: a whole number for a population, a rate with four
// decimals (the dialog keeps rates in 1/10000).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "design_file.h"
#include "parameters.h"

constexpr int kMaxSampleCount = 1000000;

// A sampled field's range, in its own units: whole individuals, or 1/10000 for a rate.
struct SampleRange {
  int field;  // 0..15
  int64_t low;
  int64_t high;
};

// Reads "FIELD=LO:HI" (LO <= HI; a population whole, a rate with at most four decimals).
bool parseSampleRange(const std::string& argument, SampleRange& range, std::string& error);

// The value at fraction unit (0..1) of the range, in the range's units: the range's whole
// steps share the unit interval equally, and 1 gives HI. unitValueText is the dialog's text
// of it.
int64_t unitValue(const SampleRange& range, double unit);
std::string unitValueText(const SampleRange& range, double unit);

bool isSampleMethod(const std::string& method);
// N rows over the ranges, in the ranges' order.
Design sampleDesign(const std::string& method, int count, const std::vector<SampleRange>& ranges,
                    uint32_t seed);
