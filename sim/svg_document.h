// An SVG document written element by element: the charts say which elements and attributes,
// and this writes the markup, escaping every text and attribute value on the way.
#pragma once

#include <string>
#include <vector>

struct SvgAttribute {
  const char* name;
  std::string value;
};
using SvgAttributes = std::vector<SvgAttribute>;

// Numbers in attributes: rounded to the given decimals, in the C locale's notation.
std::string svgNumber(double v, int decimals = 1);

// "x1,y1 x2,y2 ..." for a points attribute.
class SvgPoints {
 public:
  void add(double x, double y);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

class SvgDocument {
 public:
  // Starts the document with a background of the given colour over the whole of it.
  SvgDocument(int width, int height, const char* font, const char* background);

  // <tag attributes/> on a line of its own.
  void element(const char* tag, const SvgAttributes& attributes);
  // <tag attributes><title>title</title></tag> on a line of its own: a tooltip.
  void elementWithTitle(const char* tag, const SvgAttributes& attributes, const std::string& title);
  // The pieces of a nested element, written on one line until endLine().
  void open(const char* tag, const SvgAttributes& attributes);
  void empty(const char* tag, const SvgAttributes& attributes);
  void close(const char* tag);
  void endLine();

  void line(double x1, double y1, double x2, double y2, const char* colour, double width = 1);
  // anchor: start, middle or end; rotate in degrees about the anchor point; cls: a class name
  // or nullptr.
  void text(double x, double y, const std::string& content, int size, const char* colour,
            const char* anchor = "start", double rotate = 0, const char* cls = nullptr);

  std::string finish();

 private:
  void startTag(const char* tag, const SvgAttributes& attributes);

  std::string out_;
};
