// 24-bit uncompressed Windows bitmap files (BMP) as bytes, without any platform header: the
// one reader and writer of the picture generator and of the Windows program's tests.
// Pixels are held row by row from the top; the file stores them bottom-up, each row padded
// to whole 32-bit words.
#pragma once

#include <cstdint>
#include <vector>

namespace bmp24 {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
};

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width x height, the top row first
};

// The whole file; the picture must hold width x height pixels.
std::vector<std::uint8_t> encode(const Picture& picture);

// Reads a file's bytes into `picture`; false (and no pixels) unless they are a whole 24-bit
// uncompressed bitmap. The size and the bits per pixel are read from any bitmap.
bool decode(const std::vector<std::uint8_t>& bytes, Picture& picture, int& bitsPerPixel);

// Little-endian pieces of the format, for files that hold bitmaps (icons).
void put16(std::vector<std::uint8_t>& out, unsigned value);
void put32(std::vector<std::uint8_t>& out, unsigned value);
// The 40-byte BITMAPINFOHEADER, uncompressed, 72 dots per inch.
void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits,
                   unsigned imageSize, unsigned colours);

}  // namespace bmp24
