#include "sample_statistics.h"

#include <gsl/gsl_cdf.h>

#include <cmath>

MeanInterval meanInterval(const std::vector<double>& values) {
  const double n = static_cast<double>(values.size());
  MeanInterval result{0.0, 0.0, 0.0, 0.0};
  if (values.empty())
    return result;
  double sum = 0.0;
  for (double v : values)
    sum += v;
  result.mean = sum / n;
  result.low = result.high = result.mean;
  if (values.size() < 2)
    return result;
  double squares = 0.0;
  for (double v : values)
    squares += (v - result.mean) * (v - result.mean);
  result.sd = std::sqrt(squares / (n - 1.0));
  double halfWidth = gsl_cdf_tdist_Pinv(0.975, n - 1.0) * result.sd / std::sqrt(n);
  result.low = result.mean - halfWidth;
  result.high = result.mean + halfWidth;
  return result;
}
