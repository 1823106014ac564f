// Axes of the charts: where the ticks fall and where a value sits in the plotting area.
#pragma once

#include <vector>

// An axis from lo to hi whose ticks fall on 1, 2 or 5 times a power of ten.
struct Axis {
  double lo, hi, step;
  int decimals;  // enough to tell the tick labels apart
};

// An axis over lo..hi with about targetTicks ticks; integral: ticks on whole numbers only.
// One value gets an axis around it (or up from it, for counts starting at 0).
Axis niceAxis(double lo, double hi, int targetTicks, bool integral);

std::vector<double> ticks(const Axis& axis);

// The plotting area inside the document.
struct Frame {
  double left, top, right, bottom;
  double x(const Axis& axis, double v) const {
    return left + (v - axis.lo) / (axis.hi - axis.lo) * (right - left);
  }
  double y(const Axis& axis, double v) const {
    return bottom - (v - axis.lo) / (axis.hi - axis.lo) * (bottom - top);
  }
};
