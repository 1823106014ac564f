#include "about_line.h"

#include "random_source.h"

AboutLine nextAboutLine() {
  // One statement per draw: their order is part of the shared sequence.
  AboutLine line{};
  line.blue = randomNext() % 256;
  line.green = randomNext() % 256;
  line.red = randomNext() % 256;
  line.penWidth = randomNext() % 20;
  line.y2 = randomNext() % kAboutPictureHeight;
  line.x2 = randomNext() % kAboutPictureWidth;
  line.y1 = randomNext() % kAboutPictureHeight;
  line.x1 = randomNext() % kAboutPictureWidth;
  return line;
}
