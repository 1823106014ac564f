// The spread of a sample of records and a 95% interval of its mean (t distribution).
#pragma once

#include <vector>

struct MeanInterval {
  double mean;
  double sd;   // sample standard deviation (n - 1); 0 for fewer than two values
  double low;  // mean -/+ t(0.975, n - 1) sd / sqrt(n); both the mean itself below two values
  double high;
};

MeanInterval meanInterval(const std::vector<double>& values);
