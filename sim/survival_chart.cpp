// The share of a combination's games still running after each day, one step line per
// combination, with a legend beside the plot.
#include <algorithm>

#include "chart_parts.h"
#include "chart_style.h"
#include "svg_chart.h"
#include "utf8_text.h"

namespace {

const char* const kPalette[] = {"#4e79a7", "#f28e2b", "#e15759", "#76b7b2", "#59a14f",
                                "#edc948", "#b07aa1", "#ff9da7", "#9c755f", "#bab0ac"};
constexpr size_t kPaletteSize = sizeof kPalette / sizeof kPalette[0];
// Each round through the palette has a line of its own: solid, dashed, dotted.
const char* const kDashes[] = {nullptr, "8 4", "2 3"};
constexpr size_t kDashCount = sizeof kDashes / sizeof kDashes[0];
constexpr size_t kLegendEntries = 16;
static_assert(kLegendEntries <= kPaletteSize * kDashCount, "legend entries that look alike");

// How curve i and its legend entry are drawn.
struct CurveLook {
  const char* colour;
  const char* dash;  // a stroke-dasharray, or nullptr for a solid line
};

CurveLook curveLook(size_t i) {
  return {kPalette[i % kPaletteSize], kDashes[i / kPaletteSize % kDashCount]};
}

// The attributes with a line drawn as look, width pixels wide.
SvgAttributes withStroke(SvgAttributes attributes, const CurveLook& look, double width) {
  attributes.push_back({"stroke", look.colour});
  attributes.push_back({"stroke-width", svgNumber(width)});
  if (look.dash != nullptr) {
    attributes.push_back({"stroke-dasharray", look.dash});
  }
  return attributes;
}

void drawCurve(SvgDocument& svg, const Frame& f, const Axis& xAxis, const Axis& yAxis,
               const SurvivalCurve& curve, int lastDay, const CurveLook& look) {
  SvgPoints points;
  double survival = 1.0;
  points.add(f.x(xAxis, 0), f.y(yAxis, survival));
  for (const SurvivalStep& step : curve.steps) {
    points.add(f.x(xAxis, step.day), f.y(yAxis, survival));
    survival = step.survival;
    points.add(f.x(xAxis, step.day), f.y(yAxis, survival));
  }
  points.add(f.x(xAxis, lastDay), f.y(yAxis, survival));
  svg.elementWithTitle(
      "polyline",
      withStroke({{"class", "curve"}, {"fill", "none"}, {"points", points.text()}}, look, 2),
      curve.label);
}

// The legend right of the plot, its title above the entries when there is one, its texts ending
// before the canvas's right edge at canvasRight.
void drawLegend(SvgDocument& svg, const Frame& f, double canvasRight, const std::string& title,
                const std::vector<SurvivalCurve>& curves) {
  const size_t shown = std::min(curves.size(), kLegendEntries);
  const double textLeft = f.right + 60, room = canvasRight - kCanvasMargin - textLeft;
  double top = f.top + 14;
  if (!title.empty()) {
    svg.text(f.right + 24, top, shortenedToWidth(title, room + 36, 14), 14, kMuted);
    top += 22;
  }
  for (size_t i = 0; i < shown; ++i) {
    double y = top + 22 * static_cast<double>(i);
    svg.element("line", withStroke({{"class", "key"},
                                    {"x1", svgNumber(f.right + 24)},
                                    {"y1", svgNumber(y - 5)},
                                    {"x2", svgNumber(f.right + 52)},
                                    {"y2", svgNumber(y - 5)}},
                                   curveLook(i), 3));
    svg.text(textLeft, y, shortenedToWidth(curves[i].label, room, 14), 14, kForeground);
  }
  if (curves.size() > shown) {
    svg.text(f.right + 24, top + 22 * static_cast<double>(shown),
             "ほか " + std::to_string(curves.size() - shown) + " 本", 14, kMuted);
  }
}

}  // namespace

std::string survivalChartSvg(const std::string& legendTitle,
                             const std::vector<SurvivalCurve>& curves, int lastDay) {
  const int width = 1000, height = 540;
  SvgDocument svg(width, height, kFont, kBackground);
  Frame f{90, 60, 720, 440};
  svg.text(width / 2, 34, "生存曲線（Kaplan–Meier）", 20, kForeground, "middle");
  if (curves.empty() || lastDay < 1) {
    noData(svg, f);
    return svg.finish();
  }
  Axis xAxis = niceAxis(0, lastDay, 8, true);
  Axis yAxis = niceAxis(0, 1, 5, false);
  horizontalTicks(svg, f, xAxis, true);
  verticalTicks(svg, f, yAxis);
  for (size_t i = 0; i < curves.size(); ++i) {
    drawCurve(svg, f, xAxis, yAxis, curves[i], lastDay, curveLook(i));
  }
  axisLines(svg, f);
  axisTitles(svg, f, "日数", "続いているゲームの割合");
  drawLegend(svg, f, width, legendTitle, curves);
  return svg.finish();
}
