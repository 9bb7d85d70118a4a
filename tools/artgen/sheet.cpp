#include "sheet.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

#include "lettering.h"

namespace artgen {

namespace {
// How a picture is shown: its colour, cards brightened as their five additive copies show
// them, small ones enlarged. Alpha is not drawn; the label says when a picture has one.
void Place(Canvas& sheet, const SheetEntry& e, int left, int top, int zoom) {
  const bool card = e.name.rfind("title", 0) == 0;
  for (int y = 0; y < e.canvas.height * zoom; ++y)
    for (int x = 0; x < e.canvas.width * zoom; ++x) {
      size_t i = static_cast<size_t>(y / zoom) * e.canvas.width + x / zoom;
      const float* p = &e.canvas.rgb[i * 3];
      float gain = card ? 4.0f : 1.0f;
      float* out = sheet.at(left + x, top + y);
      for (int k = 0; k < 3; ++k) out[k] = std::min(1.0f, p[k] * gain);
    }
}

bool HasAlpha(const SheetEntry& e) {
  return e.bits == 32 && std::any_of(e.canvas.alpha.begin(), e.canvas.alpha.end(), [](float a) { return a > 0; });
}

void Label(Canvas& sheet, const std::string& text, int left, int top) {
  Mask m = RenderText(text, 200, 16, 0.95f);
  int inkRight = 0;
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 16; ++y)
      if (m.get(x, y) > 0) inkRight = x;
  int shift = (200 - inkRight) / 2;  // left-align the centred text
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 200; ++x)
      if (left + x - shift >= left) sheet.add(left + x - shift, top + y, {0.8f, 0.8f, 0.8f}, m.get(x, y));
}
}  // namespace

std::vector<uint8_t> EncodePng(const Canvas& canvas, bool withAlpha) {
  std::vector<uint8_t> bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(
      png, &bytes,
      [](png_structp p, png_bytep data, png_size_t size) {
        auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        out->insert(out->end(), data, data + size);
      },
      nullptr);
  const int channels = withAlpha ? 4 : 3;
  png_set_IHDR(png, info, canvas.width, canvas.height, 8, withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(canvas.width) * channels);
  for (int r = 0; r < canvas.height; ++r) {
    for (int x = 0; x < canvas.width; ++x) {
      const size_t at = static_cast<size_t>(r) * canvas.width + x;
      for (int k = 0; k < 3; ++k) row[x * channels + k] = ToByte(canvas.rgb[at * 3 + k]);
      if (withAlpha) row[x * channels + 3] = ToByte(canvas.alpha[at]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

bool WritePng(const std::string& path, const Canvas& canvas, bool withAlpha) {
  const std::vector<uint8_t> bytes = EncodePng(canvas, withAlpha);
  std::FILE* file = bytes.empty() ? nullptr : std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool WriteContactSheet(const std::string& path, const std::vector<SheetEntry>& entries) {
  const int width = 1100, margin = 12, labelHeight = 20;
  // Flow layout, rows as tall as their tallest picture.
  struct Spot {
    int x, y, zoom;
  };
  std::vector<Spot> spots;
  int x = margin, y = margin, rowHeight = 0;
  for (const SheetEntry& e : entries) {
    int zoom = e.canvas.width <= 32 ? 3 : 1;
    int w = std::max(e.canvas.width * zoom, 110), h = e.canvas.height * zoom + labelHeight;
    if (x + w + margin > width) {
      x = margin;
      y += rowHeight + margin;
      rowHeight = 0;
    }
    spots.push_back({x, y, zoom});
    x += w + margin;
    rowHeight = std::max(rowHeight, h);
  }
  Canvas sheet(width, y + rowHeight + margin);
  for (size_t i = 0; i < sheet.rgb.size(); ++i) sheet.rgb[i] = 0.12f;
  for (size_t i = 0; i < entries.size(); ++i) {
    Place(sheet, entries[i], spots[i].x, spots[i].y, spots[i].zoom);
    Label(sheet, entries[i].name + (HasAlpha(entries[i]) ? " +alpha" : ""), spots[i].x,
          spots[i].y + entries[i].canvas.height * spots[i].zoom + 2);
  }

  return WritePng(path, sheet, false);
}

}  // namespace artgen
