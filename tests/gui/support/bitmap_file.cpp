// Bitmap files and temporary paths for tests that load pictures.
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
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + rowBytes * height;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up rows, the usual layout
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = rowBytes * height;

  std::vector<std::uint8_t> rows(static_cast<size_t>(rowBytes) * height, 0);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = &rows[static_cast<size_t>(height - 1 - y) * rowBytes];
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

}  // namespace guitest
