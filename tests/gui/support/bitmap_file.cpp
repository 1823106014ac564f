// Bitmap files and temporary paths for tests that load or check pictures.
#include "gui_test_support.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace guitest {

namespace {

// Rows of 24-bit pixels are padded to whole 32-bit words.
size_t rowBytes(int width) {
  return (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
}

std::vector<std::uint8_t> readAll(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    std::uint8_t chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(file);
  }
  return bytes;
}

}  // namespace

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
  const size_t stride = rowBytes(width);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * height;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up rows, the usual layout
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = stride * height;

  std::vector<std::uint8_t> rows(stride * height, 0);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = &rows[static_cast<size_t>(height - 1 - y) * stride];
    for (int x = 0; x < width; ++x) {
      COLORREF colour = colours[static_cast<size_t>(y) * width + x];
      row[3 * x] = GetBValue(colour);
      row[3 * x + 1] = GetGValue(colour);
      row[3 * x + 2] = GetRValue(colour);
    }
  }

  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    return false;
  }
  bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                 std::fwrite(&info, sizeof info, 1, out) == 1 &&
                 std::fwrite(rows.data(), rows.size(), 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

BitmapFile readBitmapFile(const std::string& path) {
  BitmapFile picture;
  const std::vector<std::uint8_t> bytes = readAll(path);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  if (bytes.size() < sizeof file + sizeof info) {
    return picture;
  }
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
  if (file.bfType != 0x4D42) {
    return picture;
  }
  picture.width = info.biWidth;
  picture.height = info.biHeight;
  picture.bitsPerPixel = info.biBitCount;
  const size_t stride = rowBytes(picture.width);
  if (picture.bitsPerPixel != 24 || info.biCompression != BI_RGB || picture.width <= 0 ||
      picture.height <= 0 || bytes.size() < file.bfOffBits + stride * picture.height) {
    return picture;
  }
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* row = &bytes[file.bfOffBits + stride * (picture.height - 1 - y)];
    for (int x = 0; x < picture.width; ++x) {
      picture.colours.push_back(RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
    }
  }
  return picture;
}

}  // namespace guitest
