#include "chart_axis.h"

#include <algorithm>
#include <cmath>

Axis niceAxis(double lo, double hi, int targetTicks, bool integral) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) {
    lo = 0;
    hi = 1;
  }
  if (hi < lo) {
    std::swap(lo, hi);
  }
  if (hi - lo < 1e-9 * std::max(1.0, std::fabs(hi))) {
    double pad = std::max(integral ? 1.0 : 0.0, std::fabs(hi) * 0.1);
    if (pad == 0) {
      pad = 1;
    }
    hi += pad;
    lo = lo == 0 ? 0 : lo - pad;
  }
  double raw = (hi - lo) / targetTicks;
  double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double fraction = raw / magnitude;
  double step = (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10) * magnitude;
  if (integral && step < 1) {
    step = 1;
  }
  Axis axis;
  axis.step = step;
  axis.lo = std::floor(lo / step + 1e-9) * step;
  axis.hi = std::max(std::ceil(hi / step - 1e-9) * step, axis.lo + step);
  axis.decimals =
      step >= 1 ? 0 : std::min(9, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
  return axis;
}

std::vector<double> ticks(const Axis& axis) {
  std::vector<double> values;
  long long count = std::llround((axis.hi - axis.lo) / axis.step);
  for (long long i = 0; i <= count; ++i) {
    values.push_back(axis.lo + static_cast<double>(i) * axis.step);
  }
  return values;
}
