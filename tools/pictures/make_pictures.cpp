// Draws the program's pictures and writes them into a folder (normally resources/):
//   b.dat         the title picture, an 89 x 103 24-bit Windows bitmap
//   velmoria.ico  the large application icon, 32 x 32 and 16 x 16, 16 colours
//   small.ico     the small application icon, 16 x 16, 16 colours
// All show the food chain as a pyramid of four bands, plants at the bottom and the large
// carnivores at the top, in the colours the simulation screen gives the four levels.
//
// Build and run (tools/pictures/make-pictures.sh does both):
//   g++ -std=c++17 -O2 -I world -o make_pictures tools/pictures/{make_pictures,bmp24}.cpp
//   ./make_pictures resources
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bmp24.h"
#include "species.h"

using bmp24::put16;
using bmp24::put32;
using bmp24::putInfoHeader;

namespace {

struct Colour {
  double r, g, b;
};

const Colour kBlack{0, 0, 0};
const Colour kWhite{255, 255, 255};

// Bands from the top: large carnivores, small carnivores, herbivores, plants, each in its
// level's colour.
Colour bandColour(int band) {
  const SpeciesColour& c = kSpeciesColours[band];
  return {double(c.red), double(c.green), double(c.blue)};
}
const Colour kShape[4] = {{110, 0, 0}, {100, 0, 110}, {120, 80, 0}, {0, 100, 0}};

// ---- The title picture -------------------------------------------------------------------

constexpr int kPictureWidth = 89;
constexpr int kPictureHeight = 103;

// Pyramid in picture coordinates: apex at the top, base at the bottom.
constexpr double kApexX = 44.5, kApexY = 4.0;
constexpr double kBaseY = 99.0, kBaseHalf = 42.0;

double halfWidthAt(double y) {
  return (y - kApexY) / (kBaseY - kApexY) * kBaseHalf;
}

bool inEllipse(double x, double y, double cx, double cy, double rx, double ry, double angle) {
  double c = std::cos(angle), s = std::sin(angle);
  double dx = x - cx, dy = y - cy;
  double u = dx * c + dy * s, v = -dx * s + dy * c;
  return (u * u) / (rx * rx) + (v * v) / (ry * ry) <= 1.0;
}

bool inTriangle(double x, double y, double ax, double ay, double bx, double by, double cx,
                double cy) {
  auto side = [](double px, double py, double qx, double qy, double rx, double ry) {
    return (qx - px) * (ry - py) - (qy - py) * (rx - px);
  };
  double d1 = side(ax, ay, bx, by, x, y);
  double d2 = side(bx, by, cx, cy, x, y);
  double d3 = side(cx, cy, ax, ay, x, y);
  bool negative = d1 < 0 || d2 < 0 || d3 < 0;
  bool positive = d1 > 0 || d2 > 0 || d3 > 0;
  return !(negative && positive);
}

bool nearSegment(double x, double y, double ax, double ay, double bx, double by, double width) {
  double vx = bx - ax, vy = by - ay;
  double t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy);
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  double dx = x - (ax + t * vx), dy = y - (ay + t * vy);
  return dx * dx + dy * dy <= width * width / 4;
}

// A leaf: a pointed oval with a stem.
bool leaf(double x, double y, double cx, double cy) {
  return inEllipse(x, y, cx, cy - 2, 2.2, 4.5, 0.5) ||
         nearSegment(x, y, cx + 1.0, cy + 1.0, cx + 2.0, cy + 4.0, 1.0);
}

// A beetle seen from above: body, head and three legs a side.
bool beetle(double x, double y, double cx, double cy) {
  if (inEllipse(x, y, cx, cy, 3.0, 4.0, 0) || inEllipse(x, y, cx, cy - 4.8, 1.8, 1.5, 0)) {
    return true;
  }
  for (int i = -1; i <= 1; ++i) {
    double ly = cy + i * 2.0;
    if (nearSegment(x, y, cx - 2.5, ly, cx - 5.0, ly + i * 1.2, 0.9) ||
        nearSegment(x, y, cx + 2.5, ly, cx + 5.0, ly + i * 1.2, 0.9)) {
      return true;
    }
  }
  return false;
}

// A small hunter's head: round with pointed ears.
bool smallHead(double x, double y, double cx, double cy) {
  return inEllipse(x, y, cx, cy, 3.6, 3.2, 0) ||
         inTriangle(x, y, cx - 3.6, cy - 1.0, cx - 1.4, cy - 2.6, cx - 3.4, cy - 5.6) ||
         inTriangle(x, y, cx + 3.6, cy - 1.0, cx + 1.4, cy - 2.6, cx + 3.4, cy - 5.6);
}

// The top hunter's head: wider, tall ears, a snout.
bool bigHead(double x, double y, double cx, double cy) {
  return inEllipse(x, y, cx, cy, 5.0, 4.2, 0) || inEllipse(x, y, cx, cy + 3.2, 2.4, 2.0, 0) ||
         inTriangle(x, y, cx - 5.0, cy - 1.0, cx - 1.6, cy - 3.6, cx - 4.6, cy - 8.2) ||
         inTriangle(x, y, cx + 5.0, cy - 1.0, cx + 1.6, cy - 3.6, cx + 4.6, cy - 8.2);
}

bool eye(double x, double y, double cx, double cy) {
  return inEllipse(x, y, cx, cy, 0.8, 0.8, 0);
}

// Band boundaries (y) from the apex down; each band is a quarter of the height.
double bandTop(int band) {
  return kApexY + (kBaseY - kApexY) * band / 4.0;
}

Colour pictureAt(double x, double y) {
  double half = halfWidthAt(y);
  double dx = std::fabs(x - kApexX);
  if (y < kApexY - 1.2 || y > kBaseY + 1.2 || dx > half + 1.6) {
    return kBlack;
  }
  // A white rim around the pyramid.
  if (y > kBaseY || dx > half - 0.2 || y < kApexY + 1.0) {
    return kWhite;
  }
  int band = static_cast<int>((y - kApexY) / (kBaseY - kApexY) * 4.0);
  band = band > 3 ? 3 : band;
  // A thin dark gap between bands.
  if (band > 0 && y - bandTop(band) < 0.9) {
    return kBlack;
  }
  const Colour& shape = kShape[band];
  switch (band) {
    case 0:
      if (eye(x, y, kApexX - 2.0, 17.5) || eye(x, y, kApexX + 2.0, 17.5)) {
        return kWhite;
      }
      if (bigHead(x, y, kApexX, 18.5)) {
        return shape;
      }
      break;
    case 1:
      for (double cx : {34.0, 55.0}) {
        if (eye(x, y, cx - 1.4, 40.5) || eye(x, y, cx + 1.4, 40.5)) {
          return kWhite;
        }
        if (smallHead(x, y, cx, 41.0)) {
          return shape;
        }
      }
      break;
    case 2:
      for (double cx : {25.0, 44.5, 64.0}) {
        if (beetle(x, y, cx, 65.0)) {
          return shape;
        }
      }
      break;
    default:
      for (double cx : {15.0, 34.0, 53.0, 72.0}) {
        if (leaf(x, y, cx, 88.5)) {
          return shape;
        }
      }
      break;
  }
  return bandColour(band);
}

// 4 x 4 samples per pixel smooth the edges of the shapes.
std::vector<uint8_t> makeTitlePicture() {
  bmp24::Picture picture{kPictureWidth, kPictureHeight, {}};
  for (int row = 0; row < kPictureHeight; ++row) {
    for (int column = 0; column < kPictureWidth; ++column) {
      double r = 0, g = 0, b = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          Colour c = pictureAt(column + (sx + 0.5) / 4, row + (sy + 0.5) / 4);
          r += c.r;
          g += c.g;
          b += c.b;
        }
      }
      picture.pixels.push_back(bmp24::Rgb{static_cast<uint8_t>(std::lround(r / 16)),
                                          static_cast<uint8_t>(std::lround(g / 16)),
                                          static_cast<uint8_t>(std::lround(b / 16))});
    }
  }
  return bmp24::encode(picture);
}

// ---- The icons -----------------------------------------------------------------------------

// The standard 16-colour palette; the indices below name the ones the icons use.
const uint8_t kPalette[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                 {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                 {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                 {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
constexpr int kClear = -1;
constexpr int kOutline = 0;
constexpr int kBandIndex[4] = {9, 13, 11, 10};

// One icon picture of size x size: palette indices, kClear where the desktop shows through.
std::vector<int> iconPicture(int size) {
  std::vector<int> pixels(size * size, kClear);
  double apexY = size == 32 ? 1.5 : 0.5;
  double baseY = size - 1.5;
  double centre = size / 2.0;
  double baseHalf = size / 2.0 - 0.5;
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      double x = column + 0.5, y = row + 0.5;
      if (y < apexY || y > baseY + 1.0) {
        continue;
      }
      double half = (y - apexY) / (baseY - apexY) * baseHalf;
      double dx = std::fabs(x - centre);
      if (dx > half + 1.0) {
        continue;
      }
      if (dx > half || y > baseY) {
        pixels[row * size + column] = kOutline;
        continue;
      }
      int band = static_cast<int>((y - apexY) / (baseY - apexY) * 4.0);
      band = band > 3 ? 3 : band;
      double top = apexY + (baseY - apexY) * band / 4.0;
      bool gap = size == 32 && band > 0 && y - top < 1.0;
      pixels[row * size + column] = gap ? kOutline : kBandIndex[band];
    }
  }
  return pixels;
}

// One icon image: header with doubled height, palette, 4-bit colour rows, 1-bit mask rows.
std::vector<uint8_t> iconImage(int size) {
  std::vector<int> pixels = iconPicture(size);
  int colourRow = (size / 2 + 3) & ~3;
  int maskRow = ((size + 7) / 8 + 3) & ~3;
  std::vector<uint8_t> out;
  putInfoHeader(out, size, size * 2, 4, (colourRow + maskRow) * size, 16);
  for (const auto& entry : kPalette) {
    out.push_back(entry[2]);
    out.push_back(entry[1]);
    out.push_back(entry[0]);
    out.push_back(0);
  }
  for (int row = size - 1; row >= 0; --row) {
    std::vector<uint8_t> bytes(colourRow, 0);
    for (int column = 0; column < size; ++column) {
      int index = pixels[row * size + column];
      index = index == kClear ? 0 : index;
      bytes[column / 2] |= column % 2 == 0 ? index << 4 : index;
    }
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  for (int row = size - 1; row >= 0; --row) {
    std::vector<uint8_t> bytes(maskRow, 0);
    for (int column = 0; column < size; ++column) {
      if (pixels[row * size + column] == kClear) {
        bytes[column / 8] |= 0x80 >> (column % 8);
      }
    }
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

std::vector<uint8_t> makeIconFile(const std::vector<int>& sizes) {
  std::vector<std::vector<uint8_t>> images;
  for (int size : sizes) {
    images.push_back(iconImage(size));
  }
  std::vector<uint8_t> out;
  put16(out, 0);
  put16(out, 1);  // icon
  put16(out, images.size());
  unsigned offset = 6 + 16 * images.size();
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(sizes[i]);
    out.push_back(sizes[i]);
    out.push_back(16);  // colours
    out.push_back(0);
    put16(out, 1);  // planes
    put16(out, 4);  // bits per pixel
    put32(out, images[i].size());
    put32(out, offset);
    offset += images[i].size();
  }
  for (const auto& image : images) {
    out.insert(out.end(), image.begin(), image.end());
  }
  return out;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::perror(path.c_str());
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : ".";
  bool ok = writeFile(folder + "/b.dat", makeTitlePicture()) &&
            writeFile(folder + "/velmoria.ico", makeIconFile({32, 16})) &&
            writeFile(folder + "/small.ico", makeIconFile({16}));
  return ok ? 0 : 1;
}
