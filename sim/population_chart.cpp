// The first game's four populations day by day, one curve per level.
#include <algorithm>

#include "chart_parts.h"
#include "chart_style.h"
#include "svg_chart.h"

namespace {

void drawCurves(SvgDocument& svg, const Frame& f, const Axis& xAxis, const Axis& yAxis,
                const PopulationSeries& series) {
  // Thinner lines once the days outnumber the pixels, so that the curves stay apart.
  const char* lineWidth = series.days.size() > (f.right - f.left) / 2 ? "1" : "1.5";
  for (int k = 0; k < 4; ++k) {
    SvgPoints points;
    for (size_t i = 0; i < series.days.size(); ++i) {
      points.add(f.x(xAxis, static_cast<double>(i + 1)),
                 f.y(yAxis, std::max(0, series.days[i][k])));
    }
    svg.elementWithTitle("polyline",
                         {{"class", "level"},
                          {"fill", "none"},
                          {"stroke", chartLevel(k).colour},
                          {"stroke-width", lineWidth},
                          {"stroke-linejoin", "round"},
                          {"points", points.text()}},
                         chartLevel(k).name);
  }
  if (series.days.size() == 1) {
    // A polyline of one point shows nothing; mark the day.
    for (int k = 0; k < 4; ++k) {
      svg.element("circle", {{"cx", svgNumber(f.x(xAxis, 1))},
                             {"cy", svgNumber(f.y(yAxis, std::max(0, series.days[0][k])))},
                             {"r", "3"},
                             {"fill", chartLevel(k).colour}});
    }
  }
}

// Beside the plot, names in the levels' colours as on the game screen.
void drawLegend(SvgDocument& svg, const Frame& f) {
  for (int k = 0; k < 4; ++k) {
    double y = f.top + 14 + 28 * k;
    svg.line(f.right + 24, y - 5, f.right + 52, y - 5, chartLevel(k).colour, 3);
    svg.text(f.right + 60, y, chartLevel(k).name, 15, chartLevel(k).colour);
  }
}

}  // namespace

std::string populationChartSvg(const PopulationSeries& series) {
  SvgDocument svg(960, 540, kFont, kBackground);
  Frame f{90, 60, 760, 460};
  std::string title = series.stopped
                          ? "打ち切り：" + std::to_string(series.record) + "日（全階層が生存）"
                          : "記録：" + std::to_string(series.record) + "日";
  svg.text(480, 34, title, 22, kForeground, "middle");

  int32_t highest = 0;
  for (const auto& day : series.days) {
    for (int32_t population : day) {
      highest = std::max(highest, population);
    }
  }
  Axis xAxis = niceAxis(0, static_cast<double>(series.days.size()), 8, true);
  Axis yAxis = niceAxis(0, highest, 6, true);
  horizontalTicks(svg, f, xAxis, true);
  verticalTicks(svg, f, yAxis);
  axisLines(svg, f);
  axisTitles(svg, f, "日数", "個体数");
  if (series.days.empty()) {
    noData(svg, f);
  }
  drawCurves(svg, f, xAxis, yAxis, series);
  drawLegend(svg, f);
  return svg.finish();
}
