#include "chart_parts.h"

#include <algorithm>
#include <cmath>

#include "chart_style.h"
#include "numbers.h"
#include "utf8_text.h"

void horizontalTicks(SvgDocument& svg, const Frame& f, const Axis& axis, bool grid) {
  for (double v : ticks(axis)) {
    double x = f.x(axis, v);
    if (grid) {
      svg.line(x, f.top, x, f.bottom, kGrid);
    }
    svg.line(x, f.bottom, x, f.bottom + 5, kForeground);
    svg.text(x, f.bottom + 19, formatNumber(v, axis.decimals), 12, kForeground, "middle");
  }
}

void verticalTicks(SvgDocument& svg, const Frame& f, const Axis& axis) {
  for (double v : ticks(axis)) {
    double y = f.y(axis, v);
    svg.line(f.left, y, f.right, y, kGrid);
    svg.line(f.left - 5, y, f.left, y, kForeground);
    svg.text(f.left - 8, y + 4, formatNumber(v, axis.decimals), 12, kForeground, "end");
  }
}

void axisLines(SvgDocument& svg, const Frame& f) {
  svg.line(f.left, f.bottom, f.right, f.bottom, kForeground);
  svg.line(f.left, f.top, f.left, f.bottom, kForeground);
}

void axisTitles(SvgDocument& svg, const Frame& f, const std::string& xTitle,
                const std::string& yTitle, double labelDepth) {
  svg.text((f.left + f.right) / 2, f.bottom + labelDepth + 22, xTitle, 14, kForeground, "middle");
  double y = (f.top + f.bottom) / 2;
  svg.text(f.left - 56, y, yTitle, 14, kForeground, "middle", -90);
}

LabelLayout layoutLabels(const std::vector<std::string>& labels, double spacing) {
  double width = 7;
  for (const std::string& label : labels) {
    width = std::max(width, textWidth(shortened(label, kLabelChars), kLabelSize));
  }
  bool tilt = width > spacing;
  double needed = tilt ? 16 : width + 8;
  size_t every =
      std::max<size_t>(1, static_cast<size_t>(std::ceil(needed / std::max(spacing, 1.0))));
  // Tilted by 40 degrees, a label reaches sin(40°) of its width below its start.
  return {every, tilt, tilt ? 18 + width * 0.643 : kLabelDepth};
}

void categoryLabels(SvgDocument& svg, const Frame& f, const std::vector<std::string>& labels,
                    const std::vector<double>& xs, const LabelLayout& layout) {
  for (size_t i = 0; i < labels.size(); i += layout.every) {
    svg.line(xs[i], f.bottom, xs[i], f.bottom + 5, kForeground);
    std::string label = shortened(labels[i], kLabelChars);
    if (layout.tilt) {
      // Tilted by 40 degrees, a label reaches cos(40°) of its width left of its end.
      label = shortenedToWidth(label, (xs[i] + 4 - kCanvasMargin) / 0.766, kLabelSize);
      svg.text(xs[i] + 4, f.bottom + 16, label, kLabelSize, kForeground, "end", -40);
    } else {
      label = shortenedToWidth(label, 2 * (xs[i] - kCanvasMargin), kLabelSize);
      svg.text(xs[i], f.bottom + 19, label, kLabelSize, kForeground, "middle");
    }
  }
}

void noData(SvgDocument& svg, const Frame& f) {
  svg.text((f.left + f.right) / 2, (f.top + f.bottom) / 2, "データなし", 16, kMuted, "middle");
}
