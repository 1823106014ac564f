// The charts are drawn on black like the game's own screen, so the levels' yellow and green
// stay readable. Every number written into the document is finite, and every text from the
// user is escaped and reduced to characters XML allows.
#include "svg_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <sstream>

#include "species.h"

namespace {

const char* const kFont = "IPAPGothic, IPAGothic, 'Noto Sans CJK JP', sans-serif";
const char* const kBackground = "#000000";
const char* const kForeground = "#ffffff";
const char* const kGrid = "#3a3a3a";
const char* const kMuted = "#b0b0b0";

struct Level {
  const char* name;
  char colour[8];  // "#rrggbb"
};
const std::array<Level, kSpeciesCount> kLevels = [] {
  std::array<Level, kSpeciesCount> levels{};
  for (int k = 0; k < kSpeciesCount; ++k) {
    const SpeciesColour& c = kSpeciesColours[k];
    levels[k].name = kSpeciesNames[k];
    std::snprintf(levels[k].colour, sizeof levels[k].colour, "#%02x%02x%02x", c.red, c.green,
                  c.blue);
  }
  return levels;
}();

// ---- text ------------------------------------------------------------------------------------

// Length of the UTF-8 sequence starting at text[i] and the code point it encodes, or 0 when the
// bytes there are no valid sequence.
size_t utf8Sequence(const std::string& text, size_t i, uint32_t& codePoint) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 0 || i + length > text.size()) {
    return 0;
  }
  codePoint = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next >> 6) != 0x2) {
      return 0;
    }
    codePoint = codePoint << 6 | (next & 0x3F);
  }
  static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return 0;
  }
  return length;
}

bool allowedInXml(uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
}

// The text as XML character data or attribute value. Bytes that are no UTF-8 and characters
// XML forbids (most control characters) become U+FFFD.
std::string escaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    uint32_t c = 0;
    size_t length = utf8Sequence(text, i, c);
    if (length == 0 || !allowedInXml(c)) {
      out += "\xEF\xBF\xBD";
      i += length == 0 ? 1 : length;
      continue;
    }
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\t':
        out += "&#9;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        out.append(text, i, length);
    }
    i += length;
  }
  return out;
}

// At most maxChars characters of text, the last replaced by "…" when it was cut.
std::string shortened(const std::string& text, size_t maxChars) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++chars) {
    if (chars == maxChars - 1) {
      size_t rest = 0;
      for (size_t j = i; j < text.size() && rest < 2; ++rest) {
        uint32_t c = 0;
        size_t length = utf8Sequence(text, j, c);
        j += length == 0 ? 1 : length;
      }
      if (rest > 1) {
        return text.substr(0, i) + "…";
      }
      return text;
    }
    uint32_t c = 0;
    size_t length = utf8Sequence(text, i, c);
    i += length == 0 ? 1 : length;
  }
  return text;
}

size_t characterCount(const std::string& text) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++chars) {
    uint32_t c = 0;
    size_t length = utf8Sequence(text, i, c);
    i += length == 0 ? 1 : length;
  }
  return chars;
}

// ---- numbers ---------------------------------------------------------------------------------

// v with the given number of decimals, always with "." and never "nan" or "inf" (those are
// written as 0; callers keep their values finite anyway).
std::string number(double v, int decimals = 1) {
  if (!std::isfinite(v)) {
    v = 0;
  }
  if (std::fabs(v) >= 1e15) {  // only tick labels of absurd field values get here
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(6);
    text << v;
    return text.str();
  }
  long long scale = 1;
  for (int i = 0; i < decimals; ++i) {
    scale *= 10;
  }
  long long scaled = std::llround(std::fabs(v) * static_cast<double>(scale));
  std::string text = (v < 0 && scaled != 0) ? "-" : "";
  text += std::to_string(scaled / scale);
  if (decimals > 0) {
    std::string fraction = std::to_string(scaled % scale);
    fraction.insert(0, decimals - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') {
      fraction.pop_back();
    }
    if (!fraction.empty()) {
      text += "." + fraction;
    }
  }
  return text;
}

// The whole text as a finite number in the C locale's notation, whatever the user's locale.
bool parseNumber(const std::string& text, double& value) {
  if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos) {
    return false;
  }
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  in >> value;
  return !in.fail() && in.peek() == std::char_traits<char>::eof() && std::isfinite(value);
}

// An axis from lo to hi whose ticks fall on 1, 2 or 5 times a power of ten.
struct Axis {
  double lo, hi, step;
  int decimals;  // enough to tell the tick labels apart
};

Axis niceAxis(double lo, double hi, int targetTicks, bool integral) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) {
    lo = 0;
    hi = 1;
  }
  if (hi < lo) {
    std::swap(lo, hi);
  }
  if (hi - lo < 1e-9 * std::max(1.0, std::fabs(hi))) {
    // One value: an axis around it (or up from it, for counts starting at 0).
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

// ---- drawing ---------------------------------------------------------------------------------

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

class Svg {
 public:
  Svg(int width, int height) {
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\""
         << height << "\" viewBox=\"0 0 " << width << " " << height << "\" font-family=\"" << kFont
         << "\">\n"
         << "<rect x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height << "\" fill=\""
         << kBackground << "\"/>\n";
  }
  std::ostringstream& raw() { return out_; }
  void line(double x1, double y1, double x2, double y2, const char* colour, double width = 1) {
    out_ << "<line x1=\"" << number(x1) << "\" y1=\"" << number(y1) << "\" x2=\"" << number(x2)
         << "\" y2=\"" << number(y2) << "\" stroke=\"" << colour << "\" stroke-width=\""
         << number(width) << "\"/>\n";
  }
  // anchor: start, middle or end; rotate in degrees about the anchor point.
  void text(double x, double y, const std::string& content, int size, const char* colour,
            const char* anchor = "start", double rotate = 0, const char* extra = "") {
    out_ << "<text x=\"" << number(x) << "\" y=\"" << number(y) << "\" font-size=\"" << size
         << "\" fill=\"" << colour << "\" text-anchor=\"" << anchor << "\"";
    if (rotate != 0) {
      out_ << " transform=\"rotate(" << number(rotate) << " " << number(x) << " " << number(y)
           << ")\"";
    }
    out_ << extra << ">" << escaped(content) << "</text>\n";
  }
  std::string finish() {
    out_ << "</svg>\n";
    return out_.str();
  }

 private:
  std::ostringstream out_;
};

void horizontalTicks(Svg& svg, const Frame& f, const Axis& axis, bool grid) {
  for (double v : ticks(axis)) {
    double x = f.x(axis, v);
    if (grid) {
      svg.line(x, f.top, x, f.bottom, kGrid);
    }
    svg.line(x, f.bottom, x, f.bottom + 5, kForeground);
    svg.text(x, f.bottom + 19, number(v, axis.decimals), 12, kForeground, "middle");
  }
}

void verticalTicks(Svg& svg, const Frame& f, const Axis& axis) {
  for (double v : ticks(axis)) {
    double y = f.y(axis, v);
    svg.line(f.left, y, f.right, y, kGrid);
    svg.line(f.left - 5, y, f.left, y, kForeground);
    svg.text(f.left - 8, y + 4, number(v, axis.decimals), 12, kForeground, "end");
  }
}

void axisLines(Svg& svg, const Frame& f) {
  svg.line(f.left, f.bottom, f.right, f.bottom, kForeground);
  svg.line(f.left, f.top, f.left, f.bottom, kForeground);
}

// The horizontal axis's labels reach labelDepth below it; its title goes under them.
const double kLabelDepth = 22;

void axisTitles(Svg& svg, const Frame& f, const std::string& xTitle, const std::string& yTitle,
                double labelDepth = kLabelDepth) {
  svg.text((f.left + f.right) / 2, f.bottom + labelDepth + 22, xTitle, 14, kForeground, "middle");
  double y = (f.top + f.bottom) / 2;
  svg.text(f.left - 56, y, yTitle, 14, kForeground, "middle", -90);
}

// How labels of values along the bottom are set: every k-th one when they would crowd, tilted
// when they are long, reaching depth below the axis.
struct LabelLayout {
  size_t every;
  bool tilt;
  double depth;
};
const size_t kLabelChars = 16;

LabelLayout layoutLabels(const std::vector<std::string>& labels, double spacing) {
  size_t widest = 1;
  for (const std::string& label : labels) {
    widest = std::max(widest, characterCount(shortened(label, kLabelChars)));
  }
  double width = widest * 7.0;  // about 7 pixels a character at size 12
  bool tilt = width > spacing;
  double needed = tilt ? 16 : width + 8;
  size_t every =
      std::max<size_t>(1, static_cast<size_t>(std::ceil(needed / std::max(spacing, 1.0))));
  // Tilted by 40 degrees, a label reaches sin(40°) of its width below its start.
  return {every, tilt, tilt ? 18 + width * 0.643 : kLabelDepth};
}

void categoryLabels(Svg& svg, const Frame& f, const std::vector<std::string>& labels,
                    const std::vector<double>& xs, const LabelLayout& layout) {
  for (size_t i = 0; i < labels.size(); i += layout.every) {
    svg.line(xs[i], f.bottom, xs[i], f.bottom + 5, kForeground);
    std::string label = shortened(labels[i], kLabelChars);
    if (layout.tilt) {
      svg.text(xs[i] + 4, f.bottom + 16, label, 12, kForeground, "end", -40);
    } else {
      svg.text(xs[i], f.bottom + 19, label, 12, kForeground, "middle");
    }
  }
}

void noData(Svg& svg, const Frame& f) {
  svg.text((f.left + f.right) / 2, (f.top + f.bottom) / 2, "データなし", 16, kMuted, "middle");
}

// ---- colour scale ----------------------------------------------------------------------------

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

}  // namespace

// ---- charts ----------------------------------------------------------------------------------

std::string populationChartSvg(const PopulationSeries& series) {
  Svg svg(960, 540);
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

  // Thinner lines once the days outnumber the pixels, so that the curves stay apart.
  const char* lineWidth = series.days.size() > (f.right - f.left) / 2 ? "1" : "1.5";
  for (int k = 0; k < 4; ++k) {
    std::ostringstream& out = svg.raw();
    out << "<polyline class=\"level\" fill=\"none\" stroke=\"" << kLevels[k].colour
        << "\" stroke-width=\"" << lineWidth << "\" stroke-linejoin=\"round\" points=\"";
    for (size_t i = 0; i < series.days.size(); ++i) {
      out << (i ? " " : "") << number(f.x(xAxis, static_cast<double>(i + 1))) << ","
          << number(f.y(yAxis, std::max(0, series.days[i][k])));
    }
    out << "\"><title>" << kLevels[k].name << "</title></polyline>\n";
  }
  if (series.days.size() == 1) {
    // A polyline of one point shows nothing; mark the day.
    for (int k = 0; k < 4; ++k) {
      svg.raw() << "<circle cx=\"" << number(f.x(xAxis, 1)) << "\" cy=\""
                << number(f.y(yAxis, std::max(0, series.days[0][k]))) << "\" r=\"3\" fill=\""
                << kLevels[k].colour << "\"/>\n";
    }
  }

  // Legend beside the plot, names in the levels' colours as on the game screen.
  for (int k = 0; k < 4; ++k) {
    double y = f.top + 14 + 28 * k;
    svg.line(f.right + 24, y - 5, f.right + 52, y - 5, kLevels[k].colour, 3);
    svg.text(f.right + 60, y, kLevels[k].name, 15, kLevels[k].colour);
  }
  return svg.finish();
}

std::string sweepChartSvg(const std::string& fieldName, const std::vector<SweepPoint>& points) {
  const int width = 900, height = 540;
  Svg svg(width, height);
  Frame f{90, 60, 760, 440};
  svg.text(width / 2, 34, "記録の平均と最小～最大：" + shortened(fieldName, 40), 20, kForeground,
           "middle");

  // Where each value sits: proportional when every value is a number (and they differ),
  // otherwise evenly in sweep order.
  std::vector<double> values(points.size());
  bool numeric = !points.empty();
  for (size_t i = 0; i < points.size() && numeric; ++i) {
    numeric = parseNumber(points[i].value, values[i]);
  }
  if (numeric) {
    auto range = std::minmax_element(values.begin(), values.end());
    numeric = *range.second > *range.first;
  }
  std::vector<size_t> order(points.size());
  for (size_t i = 0; i < order.size(); ++i) {
    order[i] = i;
    if (!numeric) {
      values[i] = static_cast<double>(i);
    }
  }
  if (numeric) {
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return values[a] < values[b]; });
  }

  int32_t highest = 0;
  for (const SweepPoint& p : points) {
    highest = std::max({highest, p.max, p.min});
    if (std::isfinite(p.mean)) {
      highest = std::max(highest, static_cast<int32_t>(std::min(p.mean, 2e9)));
    }
  }
  Axis yAxis = niceAxis(0, highest, 6, true);
  Frame inner = f;  // keeps the outermost values off the axis lines
  std::vector<double> xs(points.size());
  Axis xAxis{0, 1, 1, 0};
  std::vector<std::string> labels;
  if (numeric) {
    auto range = std::minmax_element(values.begin(), values.end());
    xAxis = niceAxis(*range.first, *range.second, 8, false);
  } else {
    inner.left += 30;
    inner.right -= 30;
    xAxis = points.size() > 1 ? Axis{0, static_cast<double>(points.size() - 1), 1, 0}
                              : Axis{-1, 1, 1, 0};
    for (const SweepPoint& p : points) {
      labels.push_back(p.value);
    }
  }
  for (size_t i = 0; i < points.size(); ++i) {
    xs[i] = (numeric ? f : inner).x(xAxis, values[i]);
  }
  LabelLayout layout = layoutLabels(labels, xs.size() > 1 ? xs[1] - xs[0] : f.right - f.left);
  f.bottom = std::min(f.bottom, height - layout.depth - 28);
  if (numeric) {
    horizontalTicks(svg, f, xAxis, true);
  } else {
    categoryLabels(svg, f, labels, xs, layout);
  }
  verticalTicks(svg, f, yAxis);
  axisLines(svg, f);
  axisTitles(svg, f, shortened(fieldName, 40), "記録（日）", layout.depth);
  if (points.empty()) {
    noData(svg, f);
  }

  std::ostringstream& out = svg.raw();
  if (!points.empty()) {
    out << "<polygon class=\"band\" fill=\"#21a08d\" fill-opacity=\"0.35\" stroke=\"#21a08d\" "
           "stroke-width=\"1\" points=\"";
    for (size_t i = 0; i < order.size(); ++i) {
      out << (i ? " " : "") << number(xs[order[i]]) << ","
          << number(f.y(yAxis, std::max(0, points[order[i]].max)));
    }
    for (size_t i = order.size(); i-- > 0;) {
      out << " " << number(xs[order[i]]) << ","
          << number(f.y(yAxis, std::max(0, points[order[i]].min)));
    }
    out << "\"/>\n";
  }
  out << "<polyline class=\"mean\" fill=\"none\" stroke=\"#fde725\" stroke-width=\"2\" points=\"";
  bool first = true;
  for (size_t i : order) {
    if (std::isfinite(points[i].mean)) {
      out << (first ? "" : " ") << number(xs[i]) << "," << number(f.y(yAxis, points[i].mean));
      first = false;
    }
  }
  out << "\"/>\n";
  for (size_t i : order) {
    const SweepPoint& p = points[i];
    if (!std::isfinite(p.mean)) {
      continue;
    }
    out << "<circle class=\"point\" cx=\"" << number(xs[i]) << "\" cy=\""
        << number(f.y(yAxis, p.mean)) << "\" r=\"3.5\" fill=\"#fde725\"><title>"
        << escaped(p.value + "：平均 " + number(p.mean) + "日、最小 " + std::to_string(p.min) +
                   "日、最大 " + std::to_string(p.max) + "日")
        << "</title></circle>\n";
  }

  // Legend beside the plot.
  svg.line(f.right + 24, f.top + 9, f.right + 52, f.top + 9, "#fde725", 2);
  svg.text(f.right + 60, f.top + 14, "平均", 14, kForeground);
  svg.raw() << "<rect x=\"" << number(f.right + 24) << "\" y=\"" << number(f.top + 30)
            << "\" width=\"28\" height=\"14\" fill=\"#21a08d\" fill-opacity=\"0.35\" "
               "stroke=\"#21a08d\"/>\n";
  svg.text(f.right + 60, f.top + 42, "最小～最大", 14, kForeground);
  return svg.finish();
}

std::string heatMapSvg(const HeatMap& map) {
  size_t columns = map.xValues.size();
  size_t rows = map.yValues.size();
  const int width = 900, height = 580;
  Svg svg(width, height);
  Frame f{150, 60, 730, 500};
  double cellWidth = columns ? (f.right - f.left) / columns : 0;
  LabelLayout layout = layoutLabels(map.xValues, cellWidth);
  f.bottom = std::min(f.bottom, height - layout.depth - 28);
  svg.text(width / 2, 34,
           "記録の平均：" + shortened(map.yField, 40) + " × " + shortened(map.xField, 40), 20,
           kForeground, "middle");

  double lowest = 0, highest = 0;
  bool any = false;
  for (size_t i = 0; i < rows * columns && i < map.mean.size(); ++i) {
    double v = map.mean[i];
    if (std::isfinite(v)) {
      lowest = any ? std::min(lowest, v) : v;
      highest = any ? std::max(highest, v) : v;
      any = true;
    }
  }
  double span = highest - lowest;

  double cellHeight = rows ? (f.bottom - f.top) / rows : 0;
  double gap = std::min({1.0, cellWidth / 4, cellHeight / 4});
  bool labelCells = cellWidth >= 40 && cellHeight >= 18;
  std::ostringstream& out = svg.raw();
  for (size_t y = 0; y < rows; ++y) {
    for (size_t x = 0; x < columns; ++x) {
      size_t index = y * columns + x;
      double v = index < map.mean.size() ? map.mean[index] : NAN;
      bool known = std::isfinite(v);
      Rgb colour = known ? scaleColour(span > 0 ? (v - lowest) / span : 0.5) : Rgb{64, 64, 64};
      // The first value of the y field is at the bottom, as on an axis.
      double left = f.left + x * cellWidth;
      double top = f.bottom - (y + 1) * cellHeight;
      out << "<rect class=\"cell\" x=\"" << number(left + gap / 2) << "\" y=\""
          << number(top + gap / 2) << "\" width=\"" << number(cellWidth - gap, 2) << "\" height=\""
          << number(cellHeight - gap, 2) << "\" fill=\"" << hex(colour) << "\"><title>"
          << escaped(map.xField + "=" + map.xValues[x] + "、" + map.yField + "=" + map.yValues[y] +
                     "：" + (known ? "平均 " + number(v) + "日" : "データなし"))
          << "</title></rect>\n";
      if (labelCells && known) {
        bool bright = 0.299 * colour.r + 0.587 * colour.g + 0.114 * colour.b > 140;
        svg.text(left + cellWidth / 2, top + cellHeight / 2 + 4, number(v), 11,
                 bright ? "#000000" : "#ffffff", "middle");
      }
    }
  }
  if (rows * columns == 0) {
    noData(svg, f);
  }

  std::vector<double> xs(columns);
  for (size_t x = 0; x < columns; ++x) {
    xs[x] = f.left + (x + 0.5) * cellWidth;
  }
  categoryLabels(svg, f, map.xValues, xs, layout);
  size_t every =
      std::max<size_t>(1, static_cast<size_t>(std::ceil(16 / std::max(cellHeight, 1.0))));
  for (size_t y = 0; y < rows; y += every) {
    double centre = f.bottom - (y + 0.5) * cellHeight;
    svg.line(f.left - 5, centre, f.left, centre, kForeground);
    svg.text(f.left - 8, centre + 4, shortened(map.yValues[y], kLabelChars), 12, kForeground,
             "end");
  }
  axisLines(svg, f);
  svg.text((f.left + f.right) / 2, f.bottom + layout.depth + 22, shortened(map.xField, 40), 14,
           kForeground, "middle");
  svg.text(28, (f.top + f.bottom) / 2, shortened(map.yField, 40), 14, kForeground, "middle", -90);

  // Colour scale: the gradient with the lowest mean at the bottom and the highest at the top.
  double barLeft = f.right + 40, barTop = f.top + 36, barBottom = f.bottom - 20;
  out << "<defs><linearGradient id=\"scale\" x1=\"0\" y1=\"1\" x2=\"0\" y2=\"0\">";
  for (int i = 0; i < kScaleStops; ++i) {
    out << "<stop offset=\"" << number(static_cast<double>(i) / (kScaleStops - 1), 3)
        << "\" stop-color=\"" << hex(kScale[i]) << "\"/>";
  }
  out << "</linearGradient></defs>\n";
  out << "<rect class=\"scale\" x=\"" << number(barLeft) << "\" y=\"" << number(barTop)
      << "\" width=\"22\" height=\"" << number(barBottom - barTop) << "\" fill=\""
      << (any ? "url(#scale)" : "#404040") << "\" stroke=\"" << kForeground << "\"/>\n";
  svg.text(barLeft + 11, barTop - 20, "記録の平均（日）", 13, kForeground, "middle");
  if (any) {
    svg.text(barLeft + 30, barTop + 5, number(highest), 12, kForeground, "start", 0,
             " class=\"scale-max\"");
    svg.text(barLeft + 30, barBottom + 4, number(lowest), 12, kForeground, "start", 0,
             " class=\"scale-min\"");
  }
  return svg.finish();
}
