#include "sensitivity_design.h"

#include <gsl/gsl_qrng.h>

#include <numeric>
#include <random>
#include <utility>

namespace {

// A whole number below n from the generator's raw output, the same on every library.
int below(std::mt19937& random, int n) {
  return static_cast<int>(random() % static_cast<uint32_t>(n));
}

void appendTrajectory(MorrisDesign& design, std::mt19937& random, int levels) {
  const int k = design.fields;
  const double delta = levels / (2.0 * (levels - 1));
  const int startLevels = levels / 2;  // levels from which +delta stays inside [0, 1]
  UnitPoint x(k);
  std::vector<double> sign(k);
  for (int i = 0; i < k; ++i) {
    x[i] = below(random, startLevels) / double(levels - 1);
    sign[i] = below(random, 2) == 0 ? 1.0 : -1.0;
    if (sign[i] < 0)
      x[i] += delta;
  }
  std::vector<int> order(k);
  std::iota(order.begin(), order.end(), 0);
  for (int i = k - 1; i > 0; --i)
    std::swap(order[i], order[below(random, i + 1)]);
  design.points.push_back(x);
  design.movedField.push_back(-1);
  design.movedBy.push_back(0.0);
  for (int field : order) {
    x[field] += sign[field] * delta;
    design.points.push_back(x);
    design.movedField.push_back(field);
    design.movedBy.push_back(sign[field] * delta);
  }
}

}  // namespace

MorrisDesign morrisDesign(int fields, int trajectories, int levels, uint32_t seed) {
  MorrisDesign design;
  design.fields = fields;
  std::mt19937 random(seed);
  for (int r = 0; r < trajectories; ++r)
    appendTrajectory(design, random, levels);
  return design;
}

int saltelliMaxFields() {
  return 40 / 2;
}

std::vector<UnitPoint> saltelliDesign(int fields, int baseRows) {
  const int k = fields;
  gsl_qrng* sequence = gsl_qrng_alloc(gsl_qrng_sobol, 2 * k);
  std::vector<double> row(2 * k);
  // GSL's first point is the centre (0.5, ..., 0.5), not the origin: its two halves are alike,
  // so its base row would be k + 2 equal points that tell nothing of any field.
  gsl_qrng_get(sequence, row.data());
  std::vector<UnitPoint> points;
  points.reserve(static_cast<size_t>(baseRows) * (k + 2));
  for (int j = 0; j < baseRows; ++j) {
    gsl_qrng_get(sequence, row.data());
    UnitPoint a(row.begin(), row.begin() + k);
    UnitPoint b(row.begin() + k, row.end());
    points.push_back(a);
    points.push_back(b);
    for (int i = 0; i < k; ++i) {
      UnitPoint mixed = a;
      mixed[i] = b[i];
      points.push_back(mixed);
    }
  }
  gsl_qrng_free(sequence);
  return points;
}
