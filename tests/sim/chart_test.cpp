// The SVG charts, read back by a real XML parser (Python's): well-formed, every number finite,
// one point per day, one cell per combination and one bar or point per field of a sensitivity
// run, user texts arriving intact.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sim_process.h"
#include "svg_chart.h"
#include "utf8_text.h"

namespace {

// Parses the files named by its arguments and prints for each a line "#", then one line per
// element in document order: tag, class, points attribute ("-" if none), all its text as hex
// of the UTF-8 bytes, and "name=value" of each attribute in SHOWN it has, joined by "|". Exits 1
// with a reason when a document is no well-formed SVG or a number in it is not finite.
const char* const kReader = R"PY(
import math, re, sys
import xml.etree.ElementTree as ET
NUMERIC = {"x", "y", "x1", "y1", "x2", "y2", "cx", "cy", "r", "width", "height", "points",
           "font-size", "stroke-width", "offset", "viewBox", "transform", "fill-opacity"}
SHOWN = ("x", "y", "font-size", "text-anchor", "transform", "stroke", "stroke-dasharray")
for path in sys.argv[1:]:
    def fail(reason):
        sys.exit("%s: %s" % (path, reason))
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as e:
        fail("not well-formed: %s" % e)
    if root.tag != "{http://www.w3.org/2000/svg}svg":
        fail("root is " + root.tag)
    print("#")
    for el in root.iter():
        for name, value in el.attrib.items():
            if name not in NUMERIC:
                continue
            if name == "transform":
                value = re.sub(r"^rotate\((.*)\)$", r"\1", value)
            numbers = [float(v) for v in re.split(r"[ ,]+", value.strip()) if v]
            if not all(math.isfinite(v) for v in numbers):
                fail("%s=%r is not finite" % (name, value))
            if name in ("width", "height", "r") and numbers[0] < 0:
                fail("%s=%r is negative" % (name, value))
            if name == "points" and len(numbers) % 2:
                fail("odd points " + value)
        print(el.tag.split("}")[1], el.get("class", "-"), el.get("points", "-").replace(" ", ";"),
              "".join(el.itertext()).encode("utf-8").hex() or "-",
              "|".join(n + "=" + el.get(n) for n in SHOWN if el.get(n) is not None), sep="\t")
)PY";

struct Element {
  std::string tag, cls;
  int points;  // coordinate pairs of a points attribute, -1 without one
  std::string text;
  std::map<std::string, std::string> shown;  // the attributes the reader shows
  std::string attribute(const std::string& name) const {
    auto it = shown.find(name);
    return it == shown.end() ? "" : it->second;
  }
  double number(const std::string& name) const { return std::stod(attribute(name)); }
};

std::string fromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

using Elements = std::vector<Element>;

// Each document's elements; fails the test when Python cannot read one as SVG.
std::vector<Elements> readSvgs(const std::vector<std::string>& svgs) {
  ScratchDir dir;
  std::ofstream(dir.path() / "reader.py") << kReader;
  std::string command = "python3 '" + (dir.path() / "reader.py").string() + "'";
  for (size_t i = 0; i < svgs.size(); ++i) {
    std::string path = (dir.path() / ("chart" + std::to_string(i) + ".svg")).string();
    std::ofstream(path, std::ios::binary) << svgs[i];
    command += " '" + path + "'";
  }
  command += " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  for (size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.append(buffer, n);
  }
  int status = pipe ? pclose(pipe) : -1;
  std::vector<Elements> documents;
  if (status != 0) {
    ADD_FAILURE() << "unreadable SVG: " << output;
    return std::vector<Elements>(svgs.size());
  }
  for (const std::string& line : splitLines(output)) {
    if (line == "#") {
      documents.emplace_back();
      continue;
    }
    if (documents.empty()) {
      ADD_FAILURE() << "reader line before a document: " << line;
      continue;
    }
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    if (fields.size() != 5) {
      ADD_FAILURE() << "reader line: " << line;
      continue;
    }
    int points = -1;
    if (fields[2] != "-") {
      points = fields[2].empty() ? 0 : 1;
      for (char c : fields[2]) {
        points += c == ';';
      }
    }
    std::map<std::string, std::string> shown;
    for (size_t start = 0, end = 0; start < fields[4].size(); start = end + 1) {
      end = std::min(fields[4].find('|', start), fields[4].size());
      size_t equals = fields[4].find('=', start);
      shown[fields[4].substr(start, equals - start)] =
          fields[4].substr(equals + 1, end - equals - 1);
    }
    documents.back().push_back(
        {fields[0], fields[1], points, fields[3] == "-" ? "" : fromHex(fields[3]), shown});
  }
  if (documents.size() != svgs.size()) {
    ADD_FAILURE() << "read " << documents.size() << " of " << svgs.size() << " documents";
    documents.resize(svgs.size());
  }
  return documents;
}

Elements withClass(const Elements& elements, const std::string& cls) {
  Elements selected;
  for (const Element& e : elements) {
    if (e.cls == cls) {
      selected.push_back(e);
    }
  }
  return selected;
}

bool hasText(const Elements& elements, const std::string& text) {
  for (const Element& e : elements) {
    if (e.tag == "text" && e.text == text) {
      return true;
    }
  }
  return false;
}

// How far left and right a text reaches by the charts' own estimate of its width.
std::pair<double, double> horizontalReach(const Element& text) {
  double x = text.number("x"), size = text.number("font-size");
  double width = textWidth(text.text, size);
  std::string transform = text.attribute("transform"), anchor = text.attribute("text-anchor");
  if (transform.rfind("rotate(-90 ", 0) == 0) {
    return {x - size / 2, x + size / 2};
  }
  if (transform.rfind("rotate(-40 ", 0) == 0) {  // anchored at its end
    return {x - width * std::cos(40 * M_PI / 180), x};
  }
  double left = anchor == "end" ? x - width : anchor == "middle" ? x - width / 2 : x;
  return {left, left + width};
}

}  // namespace

TEST(ChartText, WideCharactersTakeAnEmAndOthersSevenTwelfths) {
  struct Case {
    const char* text;
    double size, width;
  };
  const Case cases[] = {
      {"", 12, 0},      {"0.25", 12, 28},    {"草食", 12, 24},
      {"ＡＢ", 14, 28}, {"かa", 12, 12 + 7}, {"\xff", 12, 7},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(textWidth(c.text, c.size), c.width) << c.text;
  }
}

TEST(ChartText, ShortenedToWidthEndsInAnEllipsisWhereCut) {
  struct Case {
    const char* text;
    double maxWidth;
    const char* shortened;
  };
  const Case cases[] = {
      {"abc", 21, "abc"},
      {"abcd", 21, "a…"},
      {"草食動物の寿命", 60, "草食動物…"},
      {"草食", 5, "…"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shortenedToWidth(c.text, c.maxWidth, 12), c.shortened) << c.text;
  }
}

TEST(Charts, LongJapaneseLabelsStayInsideTheCanvasAndClearOfTheAxisTitle) {
  const std::string value = "草食動物の寿命長がとても長い値です本当に";
  HeatMap two{"plants.birth", "herbivores.birth", {value, "0.3"}, {value, "0.3"}, {9, 4, 4, 7}};
  HeatMap tilted{"plants.birth",
                 "herbivores.birth",
                 std::vector<std::string>(6, value),
                 {value},
                 std::vector<double>(6, 5)};
  struct Case {
    const char* name;
    std::string svg;
    double width;
  };
  const Case cases[] = {
      {"survival legend", survivalChartSvg("herbivores.birth", {{value, {}}, {"0.3", {}}}, 100),
       1000},
      {"heat map", heatMapSvg(two), 900},
      {"heat map with tilted labels", heatMapSvg(tilted), 900},
  };
  std::vector<std::string> svgs;
  for (const Case& c : cases) {
    svgs.push_back(c.svg);
  }
  std::vector<Elements> documents = readSvgs(svgs);
  for (size_t i = 0; i < documents.size(); ++i) {
    double titleTop = 1e9;
    for (const Element& e : documents[i]) {
      if (e.tag == "text" && e.text == "plants.birth") {
        titleTop = e.number("y") - 14;
      }
    }
    for (const Element& e : documents[i]) {
      if (e.tag != "text") {
        continue;
      }
      auto [left, right] = horizontalReach(e);
      EXPECT_GE(left, 0) << cases[i].name << ": " << e.text;
      EXPECT_LE(right, cases[i].width) << cases[i].name << ": " << e.text;
      if (e.attribute("transform").rfind("rotate(-40 ", 0) == 0) {
        double lowest = e.number("y") + textWidth(e.text, 12) * std::sin(40 * M_PI / 180);
        EXPECT_LT(lowest, titleTop) << cases[i].name << ": " << e.text;
      }
    }
  }
}

TEST(PopulationChart, OneCurvePerLevelWithOnePointPerDay) {
  struct Case {
    int days;
    bool stopped;
    std::string title;
  };
  const Case cases[] = {
      {0, false, "記録：0日"},
      {1, false, "記録：1日"},
      {2, true, "打ち切り：2日（全階層が生存）"},
      {731, false, "記録：731日"},
  };
  std::vector<std::string> svgs;
  for (const Case& c : cases) {
    PopulationSeries series{{}, c.days, c.stopped};
    for (int day = 0; day < c.days; ++day) {
      series.days.push_back({2000 + day, 0, 9000 - day % 7, day == c.days - 1 ? 0 : 5});
    }
    svgs.push_back(populationChartSvg(series));
  }
  std::vector<Elements> documents = readSvgs(svgs);
  for (size_t i = 0; i < documents.size(); ++i) {
    const Case& c = cases[i];
    const Elements& elements = documents[i];
    std::vector<Element> curves = withClass(elements, "level");
    ASSERT_EQ(curves.size(), 4u) << c.days;
    const char* const names[] = {"大型肉食動物", "小型肉食動物", "草食動物", "緑色植物"};
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(curves[k].points, c.days) << names[k];
      EXPECT_EQ(curves[k].text, names[k]);
      EXPECT_TRUE(hasText(elements, names[k])) << "legend lacks " << names[k];
    }
    EXPECT_TRUE(hasText(elements, c.title)) << c.days;
  }
}

TEST(SweepChart, OneMeanPointPerValueWhateverTheValues) {
  struct Case {
    const char* name;
    std::vector<SweepPoint> points;
  };
  const Case cases[] = {
      {"numbers", {{"0.1", 20.5, 12, 31}, {"0.15", 22, 22, 22}, {"0.4", 80.25, 3, 400}}},
      {"texts", {{"a", 5, 1, 9}, {"b", 6, 6, 6}}},
      {"one value", {{"0.3", 28, 28, 28}}},
      {"all equal", {{"1", 0, 0, 0}, {"1.0", 0, 0, 0}, {"01", 0, 0, 0}}},
      {"none", {}},
      {"unknown mean", {{"1", NAN, 0, 0}, {"2", 3, 3, 3}}},
  };
  std::vector<std::string> svgs;
  for (const Case& c : cases) {
    svgs.push_back(sweepChartSvg("herbivores.birth", c.points));
  }
  std::vector<Elements> documents = readSvgs(svgs);
  for (size_t i = 0; i < documents.size(); ++i) {
    const Case& c = cases[i];
    const Elements& elements = documents[i];
    size_t known = 0;
    for (const SweepPoint& p : c.points) {
      known += std::isfinite(p.mean);
    }
    std::vector<Element> mean = withClass(elements, "mean");
    ASSERT_EQ(mean.size(), 1u) << c.name;
    EXPECT_EQ(mean[0].points, static_cast<int>(known)) << c.name;
    EXPECT_EQ(withClass(elements, "point").size(), known) << c.name;
    std::vector<Element> band = withClass(elements, "band");
    ASSERT_EQ(band.size(), c.points.empty() ? 0u : 1u) << c.name;
    if (!band.empty()) {
      EXPECT_EQ(band[0].points, static_cast<int>(2 * c.points.size())) << c.name;
    }
    EXPECT_TRUE(hasText(elements, "記録の平均と最小～最大：herbivores.birth")) << c.name;
  }
}

TEST(HeatMap, OneCellPerCombinationAndTheScaleEnds) {
  struct Case {
    const char* name;
    size_t columns, rows;
    std::vector<double> mean;
    const char* lowest;
    const char* highest;
  };
  const Case cases[] = {
      {"grid", 3, 2, {10, 20, 30, 40, 50, 61.25}, "10", "61.3"},
      {"one cell", 1, 1, {28}, "28", "28"},
      {"all equal", 2, 2, {7, 7, 7, 7}, "7", "7"},
      {"a cell without games", 2, 1, {NAN, 4.5}, "4.5", "4.5"},
      {"empty", 0, 0, {}, nullptr, nullptr},
      {"wide", 60, 40, std::vector<double>(2400, 1.5), "1.5", "1.5"},
  };
  std::vector<std::string> svgs;
  for (const Case& c : cases) {
    HeatMap map{"drought", "plants.birth", {}, {}, c.mean};
    for (size_t x = 0; x < c.columns; ++x) {
      map.xValues.push_back(std::to_string(x));
    }
    for (size_t y = 0; y < c.rows; ++y) {
      map.yValues.push_back("0." + std::to_string(y));
    }
    svgs.push_back(heatMapSvg(map));
  }
  std::vector<Elements> documents = readSvgs(svgs);
  for (size_t i = 0; i < documents.size(); ++i) {
    const Case& c = cases[i];
    const Elements& elements = documents[i];
    EXPECT_EQ(withClass(elements, "cell").size(), c.columns * c.rows) << c.name;
    std::vector<Element> lowest = withClass(elements, "scale-min");
    std::vector<Element> highest = withClass(elements, "scale-max");
    ASSERT_EQ(lowest.size(), c.lowest ? 1u : 0u) << c.name;
    ASSERT_EQ(highest.size(), lowest.size()) << c.name;
    if (c.lowest) {
      EXPECT_EQ(lowest[0].text, c.lowest) << c.name;
      EXPECT_EQ(highest[0].text, c.highest) << c.name;
    }
    EXPECT_TRUE(hasText(elements, "記録の平均：plants.birth × drought")) << c.name;
  }
}

TEST(SurvivalChart, LegendNamesTheChangingFieldsOnceAboveTheirValues) {
  ScratchDir dir;
  std::string chart = (dir.path() / "s.svg").string();
  SimRun run =
      runSim({"--vary", "herbivores.birth=0.1,0.2", "--vary", "plants.birth=0.1,0.2", "--repeat",
              "1", "--days", "20", "--survival", (dir.path() / "s.csv").string(), "--plot", chart});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<Elements> documents = readSvgs({readFile(chart)});
  for (const char* text :
       {"herbivores.birth, plants.birth", "0.1, 0.1", "0.1, 0.2", "0.2, 0.1", "0.2, 0.2"}) {
    EXPECT_TRUE(hasText(documents[0], text)) << text;
  }
}

TEST(SurvivalChart, EveryCurveInTheLegendLooksItsOwnAndAsItsEntry) {
  const size_t legendEntries = 16;
  std::vector<SurvivalCurve> curves(legendEntries + 1);
  for (size_t i = 0; i < curves.size(); ++i) {
    curves[i].label = std::to_string(i);
  }
  const Elements elements = readSvgs({survivalChartSvg("drought", curves, 10)})[0];
  Elements drawn = withClass(elements, "curve");
  Elements keys = withClass(elements, "key");
  ASSERT_EQ(drawn.size(), curves.size());
  ASSERT_EQ(keys.size(), legendEntries);
  std::set<std::string> looks;
  for (size_t i = 0; i < keys.size(); ++i) {
    std::string look = drawn[i].attribute("stroke") + " " + drawn[i].attribute("stroke-dasharray");
    EXPECT_TRUE(looks.insert(look).second) << "curve " << i << " looks like another: " << look;
    EXPECT_EQ(keys[i].attribute("stroke") + " " + keys[i].attribute("stroke-dasharray"), look)
        << "legend entry " << i;
  }
}

TEST(Charts, FieldTextsFromTheUserArriveAsWritten) {
  const std::string hostile = "<a href=\"x\">&amp;'</a> ]]> --> <!--";
  // Bytes XML cannot carry (a control character, a lone byte that is no UTF-8) become U+FFFD.
  const std::string unwritable = std::string("v\x01w") + "\xff";
  const std::string readable = "v\xEF\xBF\xBDw\xEF\xBF\xBD";

  HeatMap map{hostile, unwritable, {hostile}, {unwritable}, {3}};
  std::vector<Elements> documents = readSvgs(
      {sweepChartSvg(hostile, {{hostile, 1, 1, 1}, {unwritable, 2, 2, 2}}), heatMapSvg(map)});
  ASSERT_EQ(documents.size(), 2u);
  const Elements& sweep = documents[0];
  const Elements& heat = documents[1];
  EXPECT_TRUE(hasText(sweep, "記録の平均と最小～最大：" + hostile));
  EXPECT_TRUE(hasText(sweep, hostile));
  EXPECT_TRUE(hasText(sweep, readable));

  EXPECT_TRUE(hasText(heat, "記録の平均：" + readable + " × " + hostile));
  std::vector<Element> cells = withClass(heat, "cell");
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_EQ(cells[0].text,
            hostile + "=" + hostile + "、" + readable + "=" + readable + "：平均 3日");
}

TEST(SensitivityCharts, TwoBarsOrOnePointPerFieldEachLabelled) {
  const std::vector<std::vector<std::string>> fieldSets = {
      {}, {"drought"}, {"drought", "plants.birth", "virus.small"}};
  std::vector<std::string> svgs;
  for (const std::vector<std::string>& fields : fieldSets) {
    // Estimates from few rows stray far outside 0..1, on both sides.
    std::vector<SobolIndex> sobol(fields.size(), {-3, -40, 2, 0.5, 0.1, 60});
    std::vector<MorrisIndex> morris;
    for (size_t i = 0; i < fields.size(); ++i) {
      morris.push_back({-1, i < 2 ? 1.0 : 5.0, 1.5});  // the first two at the same place
    }
    svgs.push_back(sobolChartSvg(fields, sobol));
    svgs.push_back(morrisChartSvg(fields, morris));
  }
  std::vector<Elements> documents = readSvgs(svgs);
  for (size_t i = 0; i < fieldSets.size(); ++i) {
    const Elements& sobol = documents[2 * i];
    const Elements& morris = documents[2 * i + 1];
    EXPECT_EQ(withClass(sobol, "bar").size(), 2 * fieldSets[i].size());
    // Each cut-off end is marked: S1's interval at both ends, ST's at the top.
    EXPECT_EQ(withClass(sobol, "beyond").size(), 3 * fieldSets[i].size());
    EXPECT_EQ(withClass(morris, "point").size(), fieldSets[i].size());
    for (const std::string& field : fieldSets[i]) {
      EXPECT_TRUE(hasText(sobol, field)) << field;
      EXPECT_TRUE(hasText(morris, field)) << field;
    }
  }
}
