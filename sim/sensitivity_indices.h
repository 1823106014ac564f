// Sensitivity indices from the outputs of the designs in sensitivity_design.h: one output
// (the mean record) per point, in the design's order.
#pragma once

#include <cstdint>
#include <vector>

#include "sensitivity_design.h"

struct MorrisIndex {
  double mu;      // mean elementary effect, per whole range of the field
  double muStar;  // mean of its absolute values
  double sigma;   // its standard deviation (n - 1); 0 for one trajectory
};
// Each effect is the change of output over its move's movedBy, so a design whose moves are the
// changes as played (playedMorrisDesign) gives effects per whole range of the values played. A
// move of size 0 changed nothing and tells nothing: it is left out, and a field with no other
// move gets 0.
std::vector<MorrisIndex> morrisIndices(const MorrisDesign& design,
                                       const std::vector<double>& outputs);

struct SobolIndex {
  double s1, s1Low, s1High;  // first order, Saltelli et al. (2010) with f(B) centred
  double st, stLow, stHigh;  // total, Jansen (1999)
};
// Intervals: 2.5 and 97.5 percentiles over `resamples` bootstrap resamples of the base rows,
// drawn from a generator seeded with `seed`, so the same outputs give the same intervals.
std::vector<SobolIndex> sobolIndices(int fields, const std::vector<double>& outputs, int resamples,
                                     uint32_t seed);
