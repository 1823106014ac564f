// Bitmap files and temporary paths for tests that load or check pictures.
#include "bmp24.h"
#include "gui_test_support.h"

#include <cstdint>
#include <cstdio>

namespace guitest {

std::string tempFilePath(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  char path[MAX_PATH + 64];
  std::snprintf(path, sizeof path, "%svelmoria-%lu-%s", folder, GetCurrentProcessId(), name);
  return path;
}

bool writeBitmapFile(const std::string& path, int width, int height,
                     const std::vector<COLORREF>& colours) {
  if (width <= 0 || height <= 0 || colours.size() != static_cast<size_t>(width) * height) {
    return false;
  }
  bmp24::Picture picture{width, height, {}};
  for (COLORREF colour : colours) {
    picture.pixels.push_back(bmp24::Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)});
  }
  const std::vector<std::uint8_t> bytes = bmp24::encode(picture);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    return false;
  }
  bool written = std::fwrite(bytes.data(), bytes.size(), 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

BitmapFile readBitmapFile(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    std::uint8_t chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(file);
  }
  bmp24::Picture picture;
  BitmapFile read;
  bmp24::decode(bytes, picture, read.bitsPerPixel);
  read.width = picture.width;
  read.height = picture.height;
  for (const bmp24::Rgb& pixel : picture.pixels) {
    read.colours.push_back(RGB(pixel.red, pixel.green, pixel.blue));
  }
  return read;
}

}  // namespace guitest
