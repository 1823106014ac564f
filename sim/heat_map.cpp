// A sweep over two fields: one cell per combination coloured by its mean record, with the
// colour scale beside it.
#include <algorithm>
#include <cmath>

#include "chart_parts.h"
#include "chart_style.h"
#include "numbers.h"
#include "svg_chart.h"
#include "utf8_text.h"

namespace {

struct Rgb {
  double r, g, b;
};
// Dark blue through teal and green to yellow: brighter means a longer record, and the darkest
// end still stands out from the black background.
const Rgb kScale[] = {{0x3b, 0x2a, 0x7a},
                      {0x2c, 0x6f, 0x9e},
                      {0x21, 0xa0, 0x8d},
                      {0x6c, 0xcd, 0x5a},
                      {0xfd, 0xe7, 0x25}};
const int kScaleStops = sizeof(kScale) / sizeof(kScale[0]);
const Rgb kUnknownCell = {64, 64, 64};

Rgb scaleColour(double t) {
  t = std::isfinite(t) ? std::min(1.0, std::max(0.0, t)) : 0;
  double position = t * (kScaleStops - 1);
  int i = std::min(kScaleStops - 2, static_cast<int>(position));
  double u = position - i;
  const Rgb& a = kScale[i];
  const Rgb& b = kScale[i + 1];
  return {a.r + (b.r - a.r) * u, a.g + (b.g - a.g) * u, a.b + (b.b - a.b) * u};
}

std::string hex(const Rgb& c) {
  static const char* digits = "0123456789abcdef";
  std::string text = "#";
  for (double component : {c.r, c.g, c.b}) {
    int v = static_cast<int>(std::lround(std::min(255.0, std::max(0.0, component))));
    text += digits[v >> 4];
    text += digits[v & 15];
  }
  return text;
}

// The cells' size and the range of the known means.
struct Grid {
  size_t columns, rows;
  double cellWidth, cellHeight;
  double lowest = 0, highest = 0;
  bool any = false;  // some cell has a mean
};

void findRange(const HeatMap& map, Grid& grid) {
  for (size_t i = 0; i < grid.rows * grid.columns && i < map.mean.size(); ++i) {
    double v = map.mean[i];
    if (std::isfinite(v)) {
      grid.lowest = grid.any ? std::min(grid.lowest, v) : v;
      grid.highest = grid.any ? std::max(grid.highest, v) : v;
      grid.any = true;
    }
  }
}

void drawCell(SvgDocument& svg, const Frame& f, const HeatMap& map, const Grid& grid, size_t x,
              size_t y) {
  size_t index = y * grid.columns + x;
  double v = index < map.mean.size() ? map.mean[index] : NAN;
  bool known = std::isfinite(v);
  double span = grid.highest - grid.lowest;
  Rgb colour = known ? scaleColour(span > 0 ? (v - grid.lowest) / span : 0.5) : kUnknownCell;
  // The first value of the y field is at the bottom, as on an axis.
  double left = f.left + x * grid.cellWidth;
  double top = f.bottom - (y + 1) * grid.cellHeight;
  double gap = std::min({1.0, grid.cellWidth / 4, grid.cellHeight / 4});
  svg.elementWithTitle("rect",
                       {{"class", "cell"},
                        {"x", svgNumber(left + gap / 2)},
                        {"y", svgNumber(top + gap / 2)},
                        {"width", svgNumber(grid.cellWidth - gap, 2)},
                        {"height", svgNumber(grid.cellHeight - gap, 2)},
                        {"fill", hex(colour)}},
                       map.xField + "=" + map.xValues[x] + "、" + map.yField + "=" +
                           map.yValues[y] + "：" +
                           (known ? "平均 " + formatNumber(v) + "日" : "データなし"));
  if (known && grid.cellWidth >= 40 && grid.cellHeight >= 18) {
    bool bright = 0.299 * colour.r + 0.587 * colour.g + 0.114 * colour.b > 140;
    svg.text(left + grid.cellWidth / 2, top + grid.cellHeight / 2 + 4, formatNumber(v), 11,
             bright ? "#000000" : "#ffffff", "middle");
  }
}

void drawAxes(SvgDocument& svg, const Frame& f, const HeatMap& map, const Grid& grid,
              const LabelLayout& layout) {
  std::vector<double> xs(grid.columns);
  for (size_t x = 0; x < grid.columns; ++x) {
    xs[x] = f.left + (x + 0.5) * grid.cellWidth;
  }
  categoryLabels(svg, f, map.xValues, xs, layout);
  size_t every =
      std::max<size_t>(1, static_cast<size_t>(std::ceil(16 / std::max(grid.cellHeight, 1.0))));
  // The y field's name stands turned at yTitleX; its values fill the room right of it.
  const double yTitleX = 28, yLabelRoom = f.left - 8 - (yTitleX + 12);
  for (size_t y = 0; y < grid.rows; y += every) {
    double centre = f.bottom - (y + 0.5) * grid.cellHeight;
    svg.line(f.left - 5, centre, f.left, centre, kForeground);
    svg.text(f.left - 8, centre + 4,
             shortenedToWidth(shortened(map.yValues[y], kLabelChars), yLabelRoom, kLabelSize),
             kLabelSize, kForeground, "end");
  }
  axisLines(svg, f);
  svg.text((f.left + f.right) / 2, f.bottom + layout.depth + 22, shortened(map.xField, 40), 14,
           kForeground, "middle");
  svg.text(yTitleX, (f.top + f.bottom) / 2, shortened(map.yField, 40), 14, kForeground, "middle",
           -90);
}

// The gradient with the lowest mean at the bottom and the highest at the top.
void drawScale(SvgDocument& svg, const Frame& f, const Grid& grid) {
  double barLeft = f.right + 40, barTop = f.top + 36, barBottom = f.bottom - 20;
  svg.open("defs", {});
  svg.open("linearGradient", {{"id", "scale"}, {"x1", "0"}, {"y1", "1"}, {"x2", "0"}, {"y2", "0"}});
  for (int i = 0; i < kScaleStops; ++i) {
    svg.empty("stop", {{"offset", svgNumber(static_cast<double>(i) / (kScaleStops - 1), 3)},
                       {"stop-color", hex(kScale[i])}});
  }
  svg.close("linearGradient");
  svg.close("defs");
  svg.endLine();
  svg.element("rect", {{"class", "scale"},
                       {"x", svgNumber(barLeft)},
                       {"y", svgNumber(barTop)},
                       {"width", "22"},
                       {"height", svgNumber(barBottom - barTop)},
                       {"fill", grid.any ? "url(#scale)" : "#404040"},
                       {"stroke", kForeground}});
  svg.text(barLeft + 11, barTop - 20, "記録の平均（日）", 13, kForeground, "middle");
  if (grid.any) {
    svg.text(barLeft + 30, barTop + 5, formatNumber(grid.highest), 12, kForeground, "start", 0,
             "scale-max");
    svg.text(barLeft + 30, barBottom + 4, formatNumber(grid.lowest), 12, kForeground, "start", 0,
             "scale-min");
  }
}

}  // namespace

std::string heatMapSvg(const HeatMap& map) {
  const int width = 900, height = 580;
  SvgDocument svg(width, height, kFont, kBackground);
  Frame f{150, 60, 730, 500};
  Grid grid{map.xValues.size(), map.yValues.size(), 0, 0};
  grid.cellWidth = grid.columns ? (f.right - f.left) / grid.columns : 0;
  LabelLayout layout = layoutLabels(map.xValues, grid.cellWidth);
  f.bottom = std::min(f.bottom, height - layout.depth - 28);
  grid.cellHeight = grid.rows ? (f.bottom - f.top) / grid.rows : 0;
  findRange(map, grid);
  svg.text(width / 2, 34,
           "記録の平均：" + shortened(map.yField, 40) + " × " + shortened(map.xField, 40), 20,
           kForeground, "middle");
  for (size_t y = 0; y < grid.rows; ++y) {
    for (size_t x = 0; x < grid.columns; ++x) {
      drawCell(svg, f, map, grid, x, y);
    }
  }
  if (grid.rows * grid.columns == 0) {
    noData(svg, f);
  }
  drawAxes(svg, f, map, grid, layout);
  drawScale(svg, f, grid);
  return svg.finish();
}
