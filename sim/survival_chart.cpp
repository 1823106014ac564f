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
constexpr size_t kLegendEntries = 16;

const char* curveColour(size_t i) {
  return kPalette[i % kPaletteSize];
}

void drawCurve(SvgDocument& svg, const Frame& f, const Axis& xAxis, const Axis& yAxis,
               const SurvivalCurve& curve, int lastDay, const char* colour) {
  SvgPoints points;
  double survival = 1.0;
  points.add(f.x(xAxis, 0), f.y(yAxis, survival));
  for (const SurvivalStep& step : curve.steps) {
    points.add(f.x(xAxis, step.day), f.y(yAxis, survival));
    survival = step.survival;
    points.add(f.x(xAxis, step.day), f.y(yAxis, survival));
  }
  points.add(f.x(xAxis, lastDay), f.y(yAxis, survival));
  svg.elementWithTitle("polyline",
                       {{"class", "curve"},
                        {"fill", "none"},
                        {"stroke", colour},
                        {"stroke-width", "2"},
                        {"points", points.text()}},
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
    svg.line(f.right + 24, y - 5, f.right + 52, y - 5, curveColour(i), 3);
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
    drawCurve(svg, f, xAxis, yAxis, curves[i], lastDay, curveColour(i));
  }
  axisLines(svg, f);
  axisTitles(svg, f, "日数", "続いているゲームの割合");
  drawLegend(svg, f, width, legendTitle, curves);
  return svg.finish();
}
