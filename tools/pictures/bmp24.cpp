#include "bmp24.h"

#include <cstddef>

namespace bmp24 {

namespace {

constexpr std::size_t kHeadersSize = 14 + 40;

std::size_t rowBytes(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

unsigned little(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
  unsigned value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | bytes[at + i];
  }
  return value;
}

}  // namespace

void put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, unsigned value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits,
                   unsigned imageSize, unsigned colours) {
  put32(out, 40);
  put32(out, width);
  put32(out, height);
  put16(out, 1);  // planes
  put16(out, bits);
  put32(out, 0);  // BI_RGB
  put32(out, imageSize);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, colours);
  put32(out, 0);
}

std::vector<std::uint8_t> encode(const Picture& picture) {
  const std::size_t stride = rowBytes(picture.width);
  const unsigned imageSize = static_cast<unsigned>(stride * picture.height);
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put32(out, kHeadersSize + imageSize);
  put32(out, 0);
  put32(out, kHeadersSize);
  putInfoHeader(out, picture.width, picture.height, 24, imageSize, 0);
  for (int row = picture.height - 1; row >= 0; --row) {
    for (int column = 0; column < picture.width; ++column) {
      const Rgb& pixel = picture.pixels[static_cast<std::size_t>(row) * picture.width + column];
      out.push_back(pixel.blue);
      out.push_back(pixel.green);
      out.push_back(pixel.red);
    }
    out.resize(out.size() + stride - static_cast<std::size_t>(picture.width) * 3, 0);
  }
  return out;
}

bool decode(const std::vector<std::uint8_t>& bytes, Picture& picture, int& bitsPerPixel) {
  picture = Picture{};
  bitsPerPixel = 0;
  if (bytes.size() < kHeadersSize || bytes[0] != 'B' || bytes[1] != 'M') {
    return false;
  }
  const std::size_t pixelsAt = little(bytes, 10, 4);
  picture.width = static_cast<int>(little(bytes, 18, 4));
  picture.height = static_cast<int>(little(bytes, 22, 4));
  bitsPerPixel = static_cast<int>(little(bytes, 28, 2));
  const std::size_t stride = rowBytes(picture.width);
  if (bitsPerPixel != 24 || little(bytes, 30, 4) != 0 || picture.width <= 0 ||
      picture.height <= 0 || bytes.size() < pixelsAt + stride * picture.height) {
    return false;
  }
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* row = &bytes[pixelsAt + stride * (picture.height - 1 - y)];
    for (int x = 0; x < picture.width; ++x) {
      picture.pixels.push_back(Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]});
    }
  }
  return true;
}

}  // namespace bmp24
