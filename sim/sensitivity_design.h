// The points a sensitivity analysis plays, in the unit cube [0, 1]^k; the caller maps each
// coordinate onto its field's range. Both designs are the same on every machine for a seed.
#pragma once

#include <cstdint>
#include <vector>

using UnitPoint = std::vector<double>;

// Morris' screening: R trajectories of k + 1 points on a grid of `levels` levels. Each
// trajectory moves every field once, in a random order, by +/- levels / (2 (levels - 1)).
struct MorrisDesign {
  int fields = 0;
  std::vector<UnitPoint> points;  // trajectory r is points[r (k + 1)] .. points[r (k + 1) + k]
  std::vector<int> movedField;    // for each point, the field moved to reach it (-1: first)
  std::vector<double> movedBy;    // that move's signed size in the unit cube (0: first)
};
MorrisDesign morrisDesign(int fields, int trajectories, int levels, uint32_t seed);

// Saltelli's scheme for Sobol' indices: N base rows of two matrices A and B taken from a
// Sobol' sequence of 2k dimensions (its first point, all zeros, skipped). Base row j gives
// k + 2 points: A_j, B_j, then A_j with field i taken from B_j for each i.
std::vector<UnitPoint> saltelliDesign(int fields, int baseRows);

// The most fields the Sobol' sequence can serve (two dimensions each).
int saltelliMaxFields();
