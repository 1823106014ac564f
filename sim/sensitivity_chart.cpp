// The indices of a sensitivity run: Sobol' S1 beside ST for each field with their intervals as
// whiskers, or Morris' mu* against sigma with each field's point labelled.
#include <algorithm>
#include <cmath>

#include "chart_parts.h"
#include "chart_style.h"
#include "numbers.h"
#include "svg_chart.h"
#include "utf8_text.h"

namespace {

const char* const kFirstColour = "#fde725";
const char* const kTotalColour = "#21a08d";

struct Bar {
  double x;  // centre
  double width;
  double value, low, high;
  const char* colour;
  std::string title;
};

// The end of a bar or whisker at value v, drawn at y: an arrowhead pointing on where v lies
// beyond the axis (the chart clips it there), otherwise a cap of the given half-width (none for
// 0).
void drawEnd(SvgDocument& svg, const Axis& axis, double x, double y, double v, double cap,
             double arrow) {
  if (v > axis.hi || v < axis.lo) {
    double arms = v > axis.hi ? arrow : -arrow;  // an arrow up has its arms below its tip
    SvgPoints head;
    head.add(x - arrow, y + arms);
    head.add(x, y);
    head.add(x + arrow, y + arms);
    svg.element(
        "polyline",
        {{"class", "beyond"}, {"points", head.text()}, {"fill", "none"}, {"stroke", kForeground}});
  } else if (cap > 0) {
    svg.line(x - cap, y, x + cap, y, kForeground);
  }
}

void drawBar(SvgDocument& svg, const Frame& f, const Axis& axis, const Bar& bar) {
  auto y = [&](double v) { return f.y(axis, std::min(std::max(v, axis.lo), axis.hi)); };
  double zero = y(0), top = y(bar.value);
  svg.elementWithTitle("rect",
                       {{"class", "bar"},
                        {"x", svgNumber(bar.x - bar.width / 2)},
                        {"y", svgNumber(std::min(zero, top))},
                        {"width", svgNumber(bar.width)},
                        {"height", svgNumber(std::fabs(zero - top))},
                        {"fill", bar.colour}},
                       bar.title);
  double low = y(bar.low), high = y(bar.high), cap = bar.width / 4;
  svg.line(bar.x, low, bar.x, high, kForeground);
  drawEnd(svg, axis, bar.x, low, bar.low, cap, cap);
  drawEnd(svg, axis, bar.x, high, bar.high, cap, cap);
  // A bar cut off where its whisker is not (an interval that leaves out the estimate) gets
  // an arrowhead of its own.
  double whiskerEnd = bar.value > axis.hi ? bar.high : bar.low;
  if (whiskerEnd >= axis.lo && whiskerEnd <= axis.hi) {
    drawEnd(svg, axis, bar.x, top, bar.value, 0, cap);
  }
}

// Estimates from few base rows can stray far outside 0..1; the axis keeps to a little beyond
// that, and drawBar clips what lies outside it, with an arrowhead where it does.
Axis indexAxis(const std::vector<SobolIndex>& indices) {
  double lo = 0, hi = 0.1;
  for (const SobolIndex& x : indices) {
    lo = std::min({lo, x.s1Low, x.stLow, x.s1, x.st});
    hi = std::max({hi, x.s1High, x.stHigh, x.s1, x.st});
  }
  return niceAxis(std::max(lo, -0.5), std::min(hi, 1.5), 6, false);
}

void legendEntry(SvgDocument& svg, const Frame& f, int row, const char* colour,
                 const std::string& name) {
  double y = f.top + 14 + 26 * row;
  svg.element("rect", {{"x", svgNumber(f.right + 24)},
                       {"y", svgNumber(y - 11)},
                       {"width", "20"},
                       {"height", "12"},
                       {"fill", colour}});
  svg.text(f.right + 52, y, name, 14, kForeground);
}

std::string interval(double value, double low, double high) {
  return formatNumber(value, 3) + "（" + formatNumber(low, 3) + "～" + formatNumber(high, 3) + "）";
}

}  // namespace

std::string sobolChartSvg(const std::vector<std::string>& fields,
                          const std::vector<SobolIndex>& indices) {
  const int width = 960, height = 560;
  SvgDocument svg(width, height, kFont, kBackground);
  Frame f{90, 60, 780, 440};
  svg.text(width / 2, 34, "Sobol' 指数：S1（一次）と ST（全体）、ひげは95%区間", 20, kForeground,
           "middle");
  Axis axis = indexAxis(indices);
  double slot = (f.right - f.left) / std::max<size_t>(1, fields.size());
  std::vector<double> xs;
  for (size_t i = 0; i < fields.size(); ++i) {
    xs.push_back(f.left + (i + 0.5) * slot);
  }
  LabelLayout layout = layoutLabels(fields, slot);
  f.bottom = std::min(f.bottom, height - layout.depth - 28);
  categoryLabels(svg, f, fields, xs, layout);
  verticalTicks(svg, f, axis);
  axisLines(svg, f);
  axisTitles(svg, f, "項目", "指数", layout.depth);
  if (fields.empty()) {
    noData(svg, f);
  }
  svg.line(f.left, f.y(axis, 0), f.right, f.y(axis, 0), kForeground);
  double bar = slot * 0.35;
  for (size_t i = 0; i < fields.size(); ++i) {
    const SobolIndex& x = indices[i];
    drawBar(svg, f, axis,
            {xs[i] - bar * 0.55, bar, x.s1, x.s1Low, x.s1High, kFirstColour,
             fields[i] + "：S1 " + interval(x.s1, x.s1Low, x.s1High)});
    drawBar(svg, f, axis,
            {xs[i] + bar * 0.55, bar, x.st, x.stLow, x.stHigh, kTotalColour,
             fields[i] + "：ST " + interval(x.st, x.stLow, x.stHigh)});
  }
  legendEntry(svg, f, 0, kFirstColour, "S1");
  legendEntry(svg, f, 1, kTotalColour, "ST");
  return svg.finish();
}

namespace {

// A label's place beside its point, moved up or down in steps (inside the plot) until it
// overlaps none placed before it.
struct LabelBox {
  double x, y, width;
};
double labelY(std::vector<LabelBox>& placed, const Frame& f, double x, double y, double width) {
  double candidate = y;
  for (int step = 0; step < 80; ++step) {
    candidate = y + (step % 2 == 0 ? -1 : 1) * 14.0 * ((step + 1) / 2);
    bool clear = candidate > f.top + 10 && candidate < f.bottom - 2 &&
                 std::none_of(placed.begin(), placed.end(), [&](const LabelBox& p) {
                   return std::fabs(p.y - candidate) < 13 && x < p.x + p.width && p.x < x + width;
                 });
    if (clear) {
      break;
    }
  }
  placed.push_back({x, candidate, width});
  return candidate;
}

void labelPoint(SvgDocument& svg, std::vector<LabelBox>& placed, const Frame& f, double x, double y,
                const std::string& name) {
  double labelX = x + 9, labelWidth = textWidth(name, 12);
  double at = labelY(placed, f, labelX, y + 4, labelWidth);
  if (std::fabs(at - (y + 4)) > 1) {  // a leader line to a label moved off its point
    svg.line(x, y, labelX - 2, at - 4, kMuted, 0.5);
  }
  svg.text(labelX, at, name, 12, kForeground);
}

}  // namespace

std::string morrisChartSvg(const std::vector<std::string>& fields,
                           const std::vector<MorrisIndex>& indices) {
  const int width = 960, height = 560;
  SvgDocument svg(width, height, kFont, kBackground);
  Frame f{90, 60, 760, 460};
  svg.text(width / 2, 34, "Morris の μ* と σ（日、各項目の範囲全体あたり）", 20, kForeground,
           "middle");
  double muStar = 0, sigma = 0;
  for (const MorrisIndex& x : indices) {
    muStar = std::max(muStar, x.muStar);
    sigma = std::max(sigma, x.sigma);
  }
  Axis xAxis = niceAxis(0, muStar, 6, false), yAxis = niceAxis(0, sigma, 6, false);
  horizontalTicks(svg, f, xAxis, true);
  verticalTicks(svg, f, yAxis);
  axisLines(svg, f);
  axisTitles(svg, f, "μ*（効果の絶対値の平均）", "σ（効果の標準偏差）");
  if (fields.empty()) {
    noData(svg, f);
  }
  std::vector<size_t> order(fields.size());
  for (size_t i = 0; i < order.size(); ++i) {
    order[i] = i;
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return indices[a].muStar > indices[b].muStar; });
  std::vector<LabelBox> placed;
  for (size_t i : order) {
    double x = f.x(xAxis, indices[i].muStar), y = f.y(yAxis, indices[i].sigma);
    svg.elementWithTitle("circle",
                         {{"class", "point"},
                          {"cx", svgNumber(x)},
                          {"cy", svgNumber(y)},
                          {"r", "4"},
                          {"fill", kFirstColour}},
                         fields[i] + "：μ " + formatNumber(indices[i].mu, 2) + "、μ* " +
                             formatNumber(indices[i].muStar, 2) + "、σ " +
                             formatNumber(indices[i].sigma, 2));
    labelPoint(svg, placed, f, x, y, fields[i]);
  }
  return svg.finish();
}
