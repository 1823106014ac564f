// A sweep over one field: the mean record at each value with the band from the least to the
// greatest.
#include <algorithm>
#include <cmath>

#include "chart_parts.h"
#include "chart_style.h"
#include "numbers.h"
#include "svg_chart.h"
#include "utf8_text.h"

namespace {

const char* const kMeanColour = "#fde725";
const char* const kBandColour = "#21a08d";
const char* const kBandOpacity = "0.35";

// Where the values sit along the bottom: proportional when every value is a number (and they
// differ), otherwise evenly in sweep order.
struct Placement {
  bool numeric;
  std::vector<double> values;  // the numbers, or the points' places in sweep order
  std::vector<size_t> order;   // the points from left to right
  Axis axis;
};

Placement placeValues(const std::vector<SweepPoint>& points) {
  Placement place{!points.empty(), std::vector<double>(points.size()), {}, Axis{0, 1, 1, 0}};
  // Numbers are placed where the game plays them: a population typed "1e3" plays as 1.
  for (size_t i = 0; i < points.size() && place.numeric; ++i) {
    place.numeric = readFiniteNumber(points[i].value, place.values[i]);
    if (std::isfinite(points[i].played)) {
      place.values[i] = points[i].played;
    }
  }
  double lowest = 0, highest = 0;
  if (place.numeric) {
    auto range = std::minmax_element(place.values.begin(), place.values.end());
    lowest = *range.first;
    highest = *range.second;
    place.numeric = highest > lowest;
  }
  for (size_t i = 0; i < points.size(); ++i) {
    place.order.push_back(i);
    if (!place.numeric) {
      place.values[i] = static_cast<double>(i);
    }
  }
  if (place.numeric) {
    std::stable_sort(place.order.begin(), place.order.end(),
                     [&](size_t a, size_t b) { return place.values[a] < place.values[b]; });
    place.axis = niceAxis(lowest, highest, 8, false);
  } else {
    place.axis = points.size() > 1 ? Axis{0, static_cast<double>(points.size() - 1), 1, 0}
                                   : Axis{-1, 1, 1, 0};
  }
  return place;
}

Axis recordAxis(const std::vector<SweepPoint>& points) {
  int32_t highest = 0;
  for (const SweepPoint& p : points) {
    highest = std::max({highest, p.max, p.min});
    if (std::isfinite(p.mean)) {
      highest = std::max(highest, static_cast<int32_t>(std::min(p.mean, 2e9)));
    }
  }
  return niceAxis(0, highest, 6, true);
}

void drawBandAndMean(SvgDocument& svg, const Frame& f, const Axis& yAxis,
                     const std::vector<SweepPoint>& points, const std::vector<double>& xs,
                     const std::vector<size_t>& order) {
  if (!points.empty()) {
    SvgPoints band;
    for (size_t i : order) {
      band.add(xs[i], f.y(yAxis, std::max(0, points[i].max)));
    }
    for (size_t i = order.size(); i-- > 0;) {
      band.add(xs[order[i]], f.y(yAxis, std::max(0, points[order[i]].min)));
    }
    svg.element("polygon", {{"class", "band"},
                            {"fill", kBandColour},
                            {"fill-opacity", kBandOpacity},
                            {"stroke", kBandColour},
                            {"stroke-width", "1"},
                            {"points", band.text()}});
  }
  SvgPoints mean;
  for (size_t i : order) {
    if (std::isfinite(points[i].mean)) {
      mean.add(xs[i], f.y(yAxis, points[i].mean));
    }
  }
  svg.element("polyline", {{"class", "mean"},
                           {"fill", "none"},
                           {"stroke", kMeanColour},
                           {"stroke-width", "2"},
                           {"points", mean.text()}});
}

void drawPoints(SvgDocument& svg, const Frame& f, const Axis& yAxis,
                const std::vector<SweepPoint>& points, const std::vector<double>& xs,
                const std::vector<size_t>& order) {
  for (size_t i : order) {
    const SweepPoint& p = points[i];
    if (!std::isfinite(p.mean)) {
      continue;
    }
    svg.elementWithTitle("circle",
                         {{"class", "point"},
                          {"cx", svgNumber(xs[i])},
                          {"cy", svgNumber(f.y(yAxis, p.mean))},
                          {"r", "3.5"},
                          {"fill", kMeanColour}},
                         p.value + "：平均 " + formatNumber(p.mean) + "日、最小 " +
                             std::to_string(p.min) + "日、最大 " + std::to_string(p.max) + "日");
  }
}

// Beside the plot.
void drawLegend(SvgDocument& svg, const Frame& f) {
  svg.line(f.right + 24, f.top + 9, f.right + 52, f.top + 9, kMeanColour, 2);
  svg.text(f.right + 60, f.top + 14, "平均", 14, kForeground);
  svg.element("rect", {{"x", svgNumber(f.right + 24)},
                       {"y", svgNumber(f.top + 30)},
                       {"width", "28"},
                       {"height", "14"},
                       {"fill", kBandColour},
                       {"fill-opacity", kBandOpacity},
                       {"stroke", kBandColour}});
  svg.text(f.right + 60, f.top + 42, "最小～最大", 14, kForeground);
}

}  // namespace

std::string sweepChartSvg(const std::string& fieldName, const std::vector<SweepPoint>& points) {
  const int width = 900, height = 540;
  SvgDocument svg(width, height, kFont, kBackground);
  Frame f{90, 60, 760, 440};
  svg.text(width / 2, 34, "記録の平均と最小～最大：" + shortened(fieldName, 40), 20, kForeground,
           "middle");

  Placement place = placeValues(points);
  Axis yAxis = recordAxis(points);
  Frame inner = f;  // keeps the outermost values off the axis lines
  std::vector<double> xs(points.size());
  std::vector<std::string> labels;
  if (!place.numeric) {
    inner.left += 30;
    inner.right -= 30;
    for (const SweepPoint& p : points) {
      labels.push_back(p.value);
    }
  }
  for (size_t i = 0; i < points.size(); ++i) {
    xs[i] = (place.numeric ? f : inner).x(place.axis, place.values[i]);
  }
  LabelLayout layout = layoutLabels(labels, xs.size() > 1 ? xs[1] - xs[0] : f.right - f.left);
  f.bottom = std::min(f.bottom, height - layout.depth - 28);
  if (place.numeric) {
    horizontalTicks(svg, f, place.axis, true);
  } else {
    categoryLabels(svg, f, labels, xs, layout);
  }
  verticalTicks(svg, f, yAxis);
  axisLines(svg, f);
  axisTitles(svg, f, shortened(fieldName, 40), "記録（日）", layout.depth);
  if (points.empty()) {
    noData(svg, f);
  }
  drawBandAndMean(svg, f, yAxis, points, xs, place.order);
  drawPoints(svg, f, yAxis, points, xs, place.order);
  drawLegend(svg, f);
  return svg.finish();
}
