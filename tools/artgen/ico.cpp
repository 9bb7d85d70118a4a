// An .ico is a directory of pictures: a 6-byte header, a 16-byte entry per picture (its
// size, where its bytes are), then the pictures. Since Vista an entry may hold a whole PNG
// file, which keeps the alpha and keeps the 256 px one small.
#include "ico.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "sheet.h"

namespace artgen {

namespace {
constexpr int kSizes[] = {16, 32, 48, 256};

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// How much of source pixel i falls inside output pixel o, `scale` source pixels wide.
float Overlap(int i, int o, float scale) {
  return std::max(0.0f, std::min(i + 1.0f, (o + 1) * scale) - std::max(static_cast<float>(i), o * scale));
}
}  // namespace

Canvas Shrink(const Canvas& in, int size) {
  Canvas out(size, size);
  const float scale = static_cast<float>(in.width) / size;
  for (int oy = 0; oy < size; ++oy)
    for (int ox = 0; ox < size; ++ox) {
      float sum[3] = {0, 0, 0}, alpha = 0, area = 0;
      for (int y = static_cast<int>(oy * scale); y < std::min(in.height, static_cast<int>((oy + 1) * scale) + 1); ++y)
        for (int x = static_cast<int>(ox * scale); x < std::min(in.width, static_cast<int>((ox + 1) * scale) + 1);
             ++x) {
          const float w = Overlap(x, ox, scale) * Overlap(y, oy, scale);
          const size_t at = static_cast<size_t>(y) * in.width + x;
          for (int k = 0; k < 3; ++k) sum[k] += w * in.alpha[at] * in.rgb[at * 3 + k];
          alpha += w * in.alpha[at];
          area += w;
        }
      const size_t at = static_cast<size_t>(oy) * size + ox;
      for (int k = 0; k < 3; ++k) out.rgb[at * 3 + k] = alpha > 0 ? sum[k] / alpha : 0.0f;
      out.alpha[at] = area > 0 ? alpha / area : 0.0f;
    }
  return out;
}

bool WriteIco(const std::string& path, const Canvas& icon) {
  std::vector<std::vector<uint8_t>> pictures;
  for (int size : kSizes) {
    pictures.push_back(EncodePng(size == icon.width ? icon : Shrink(icon, size), true));
    if (pictures.back().empty()) return false;
  }
  std::vector<uint8_t> file;
  PutLe(file, 0, 2);  // reserved
  PutLe(file, 1, 2);  // an icon, not a cursor
  PutLe(file, static_cast<uint32_t>(pictures.size()), 2);
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) {
    const int size = kSizes[i];
    PutLe(file, size == 256 ? 0 : size, 1);  // 0 means 256
    PutLe(file, size == 256 ? 0 : size, 1);
    PutLe(file, 0, 2);   // no palette, reserved
    PutLe(file, 1, 2);   // colour planes
    PutLe(file, 32, 2);  // bits per pixel
    PutLe(file, static_cast<uint32_t>(pictures[i].size()), 4);
    PutLe(file, offset, 4);
    offset += static_cast<uint32_t>(pictures[i].size());
  }
  for (const auto& picture : pictures) file.insert(file.end(), picture.begin(), picture.end());
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written;
}

bool WriteIconTheme(const std::string& dir, const Canvas& icon) {
  constexpr int kThemeSizes[] = {16, 32, 48, 64, 128, 256};  // the hicolor theme's usual ones
  for (int size : kThemeSizes) {
    const std::string folder = dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!WritePng(folder + "/lumaro.png", size == icon.width ? icon : Shrink(icon, size), true)) return false;
  }
  return true;
}

}  // namespace artgen
