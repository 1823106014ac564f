// The parts the charts share: ticks and their labels, axis lines and titles, labels of values
// along the bottom, and the note for a chart without data.
#pragma once

#include <string>
#include <vector>

#include "chart_axis.h"
#include "svg_document.h"

// Ticks with their numbers below the plot; grid: a grid line up from each.
void horizontalTicks(SvgDocument& svg, const Frame& f, const Axis& axis, bool grid);
// Ticks with their numbers left of the plot, each with a grid line across.
void verticalTicks(SvgDocument& svg, const Frame& f, const Axis& axis);
void axisLines(SvgDocument& svg, const Frame& f);

// The horizontal axis's labels reach this far below it unless a LabelLayout says otherwise.
constexpr double kLabelDepth = 22;
// The horizontal axis's title goes labelDepth below the axis, the vertical one's turned.
void axisTitles(SvgDocument& svg, const Frame& f, const std::string& xTitle,
                const std::string& yTitle, double labelDepth = kLabelDepth);

// Labels of values longer than this many characters are shortened.
constexpr size_t kLabelChars = 16;
// The font size of labels of values.
constexpr int kLabelSize = 12;
// Labels keep at least this far from the canvas's edges.
constexpr double kCanvasMargin = 4;

// How labels of values along the bottom are set: every k-th one when they would crowd, tilted
// when they are long, reaching depth below the axis.
struct LabelLayout {
  size_t every;
  bool tilt;
  double depth;
};
LabelLayout layoutLabels(const std::vector<std::string>& labels, double spacing);
// Each shown label with its tick at xs[i].
void categoryLabels(SvgDocument& svg, const Frame& f, const std::vector<std::string>& labels,
                    const std::vector<double>& xs, const LabelLayout& layout);

void noData(SvgDocument& svg, const Frame& f);
