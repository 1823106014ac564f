#include "svg_document.h"

#include "numbers.h"
#include "utf8_text.h"

std::string svgNumber(double v, int decimals) {
  return formatNumber(v, decimals);
}

void SvgPoints::add(double x, double y) {
  text_ += (text_.empty() ? "" : " ") + svgNumber(x) + "," + svgNumber(y);
}

SvgDocument::SvgDocument(int width, int height, const char* font, const char* background) {
  const std::string w = std::to_string(width);
  const std::string h = std::to_string(height);
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
               {"width", w},
               {"height", h},
               {"viewBox", "0 0 " + w + " " + h},
               {"font-family", font}});
  endLine();
  element("rect", {{"x", "0"}, {"y", "0"}, {"width", w}, {"height", h}, {"fill", background}});
}

void SvgDocument::startTag(const char* tag, const SvgAttributes& attributes) {
  out_ += "<";
  out_ += tag;
  for (const SvgAttribute& attribute : attributes) {
    out_ += " ";
    out_ += attribute.name;
    out_ += "=\"" + xmlAttributeValue(attribute.value) + "\"";
  }
}

void SvgDocument::open(const char* tag, const SvgAttributes& attributes) {
  startTag(tag, attributes);
  out_ += ">";
}

void SvgDocument::empty(const char* tag, const SvgAttributes& attributes) {
  startTag(tag, attributes);
  out_ += "/>";
}

void SvgDocument::close(const char* tag) {
  out_ += "</";
  out_ += tag;
  out_ += ">";
}

void SvgDocument::endLine() {
  out_ += "\n";
}

void SvgDocument::element(const char* tag, const SvgAttributes& attributes) {
  empty(tag, attributes);
  endLine();
}

void SvgDocument::elementWithTitle(const char* tag, const SvgAttributes& attributes,
                                   const std::string& title) {
  open(tag, attributes);
  open("title", {});
  out_ += xmlEscaped(title);
  close("title");
  close(tag);
  endLine();
}

void SvgDocument::line(double x1, double y1, double x2, double y2, const char* colour,
                       double width) {
  element("line", {{"x1", svgNumber(x1)},
                   {"y1", svgNumber(y1)},
                   {"x2", svgNumber(x2)},
                   {"y2", svgNumber(y2)},
                   {"stroke", colour},
                   {"stroke-width", svgNumber(width)}});
}

void SvgDocument::text(double x, double y, const std::string& content, int size, const char* colour,
                       const char* anchor, double rotate, const char* cls) {
  SvgAttributes attributes = {{"x", svgNumber(x)},
                              {"y", svgNumber(y)},
                              {"font-size", std::to_string(size)},
                              {"fill", colour},
                              {"text-anchor", anchor}};
  if (rotate != 0) {
    attributes.push_back({"transform", "rotate(" + svgNumber(rotate) + " " + svgNumber(x) + " " +
                                           svgNumber(y) + ")"});
  }
  if (cls != nullptr) {
    attributes.push_back({"class", cls});
  }
  open("text", attributes);
  out_ += xmlEscaped(content);
  close("text");
  endLine();
}

std::string SvgDocument::finish() {
  close("svg");
  endLine();
  return out_;
}
