#include "sensitivity_indices.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "sample_statistics.h"

namespace {

// Outputs of base row j: f(A_j), f(B_j), then f(A_j with field i from B_j).
struct SaltelliRows {
  const std::vector<double>& outputs;
  int fields;
  double a(int j) const { return outputs[j * (fields + 2)]; }
  double b(int j) const { return outputs[j * (fields + 2) + 1]; }
  double ab(int j, int i) const { return outputs[j * (fields + 2) + 2 + i]; }
};

struct Pair {
  double s1;
  double st;
};

// S1 and ST of every field over the base rows listed in rows. S1's sum takes f(B) less the
// outputs' mean: its expectation is the same, but without it the sum's spread grows with the
// square of that mean (a record near 30 days gave S1 above 1 on 64 rows), and the indices
// would change when a constant is added to every output.
std::vector<Pair> estimate(const SaltelliRows& f, const std::vector<int>& rows) {
  const double n = static_cast<double>(rows.size());
  double sum = 0.0, squares = 0.0;
  for (int j : rows)
    sum += f.a(j) + f.b(j);
  const double mean = sum / (2.0 * n);
  for (int j : rows) {
    squares += (f.a(j) - mean) * (f.a(j) - mean) + (f.b(j) - mean) * (f.b(j) - mean);
  }
  const double variance = squares / (2.0 * n - 1.0);
  std::vector<Pair> indices(f.fields, Pair{0.0, 0.0});
  if (variance <= 0.0)
    return indices;
  for (int i = 0; i < f.fields; ++i) {
    double first = 0.0, total = 0.0;
    for (int j : rows) {
      first += (f.b(j) - mean) * (f.ab(j, i) - f.a(j));
      total += (f.a(j) - f.ab(j, i)) * (f.a(j) - f.ab(j, i));
    }
    indices[i] = Pair{first / n / variance, total / (2.0 * n) / variance};
  }
  return indices;
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  size_t index = static_cast<size_t>(std::lround(p * (values.size() - 1)));
  return values[index];
}

}  // namespace

std::vector<SobolIndex> sobolIndices(int fields, const std::vector<double>& outputs, int resamples,
                                     uint32_t seed) {
  const SaltelliRows f{outputs, fields};
  const int baseRows = static_cast<int>(outputs.size()) / (fields + 2);
  std::vector<int> rows(baseRows);
  for (int j = 0; j < baseRows; ++j)
    rows[j] = j;
  std::vector<Pair> point = estimate(f, rows);
  std::vector<std::vector<double>> s1(fields), st(fields);
  std::mt19937 random(seed);
  for (int b = 0; b < resamples; ++b) {
    for (int& j : rows)
      j = static_cast<int>(random() % static_cast<uint32_t>(baseRows));
    std::vector<Pair> again = estimate(f, rows);
    for (int i = 0; i < fields; ++i) {
      s1[i].push_back(again[i].s1);
      st[i].push_back(again[i].st);
    }
  }
  std::vector<SobolIndex> indices(fields);
  for (int i = 0; i < fields; ++i) {
    indices[i] =
        SobolIndex{point[i].s1, point[i].s1, point[i].s1, point[i].st, point[i].st, point[i].st};
    if (resamples == 0)
      continue;
    indices[i].s1Low = percentile(s1[i], 0.025);
    indices[i].s1High = percentile(s1[i], 0.975);
    indices[i].stLow = percentile(st[i], 0.025);
    indices[i].stHigh = percentile(st[i], 0.975);
  }
  return indices;
}

std::vector<MorrisIndex> morrisIndices(const MorrisDesign& design,
                                       const std::vector<double>& outputs) {
  std::vector<std::vector<double>> effects(design.fields), sizes(design.fields);
  for (size_t p = 0; p < design.points.size(); ++p) {
    int field = design.movedField[p];
    if (field < 0 || design.movedBy[p] == 0.0)
      continue;
    double effect = (outputs[p] - outputs[p - 1]) / design.movedBy[p];
    effects[field].push_back(effect);
    sizes[field].push_back(std::fabs(effect));
  }
  std::vector<MorrisIndex> indices;
  for (int i = 0; i < design.fields; ++i) {
    MeanInterval signedEffects = meanInterval(effects[i]);
    indices.push_back({signedEffects.mean, meanInterval(sizes[i]).mean, signedEffects.sd});
  }
  return indices;
}
