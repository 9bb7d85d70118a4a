// Draws the show's pictures and writes them as TGA files for embedding.
// usage: artgen OUTDIR [--sheet contact.png] [--font FONT.ttf] [--mesh ornament.mesh] [--icon icon.png] [--ico
// icon.ico] [--icons THEME_DIR]
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/art_manifest.h"
#include "ico.h"
#include "lettering.h"
#include "pictures.h"
#include "sheet.h"

using namespace artgen;

namespace {
// The ornament seen from two sides, for the contact sheet only (the mesh itself is embedded).
bool AddOrnamentViews(const std::string& path, std::vector<SheetEntry>& entries) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  lumaro::OrnamentMesh mesh;
  const lumaro::Status parsed = lumaro::ParseOrnamentMesh(bytes.data(), bytes.size(), &mesh);
  if (!parsed.ok()) {
    std::fprintf(stderr, "artgen: cannot read the ornament mesh %s: %s\n", path.c_str(), parsed.why().c_str());
    return false;
  }
  const Canvas front = DrawOrnamentView(mesh, 0.5f, 0.4f), back = DrawOrnamentView(mesh, 3.8f, -0.6f);
  Canvas both(front.width * 2, front.height);
  for (int y = 0; y < front.height; ++y)
    for (int x = 0; x < front.width; ++x)
      for (int k = 0; k < 3; ++k) {
        both.at(x, y)[k] = front.rgb[(static_cast<size_t>(y) * front.width + x) * 3 + k];
        both.at(x + front.width, y)[k] = back.rgb[(static_cast<size_t>(y) * back.width + x) * 3 + k];
      }
  entries.push_back({"ornament mesh, lit, two sides", both, 24});
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: artgen OUTDIR [--sheet contact.png] [--font FONT.ttf] [--mesh ornament.mesh] [--icon "
                 "icon.png] [--ico icon.ico] [--icons THEME_DIR]\n");
    return 2;
  }
  std::string outDir = argv[1], sheetPath, meshPath, iconPath, icoPath, themePath;
  std::string fontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
  for (int i = 2; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--sheet")) sheetPath = argv[i + 1];
    if (!std::strcmp(argv[i], "--font")) fontPath = argv[i + 1];
    if (!std::strcmp(argv[i], "--mesh")) meshPath = argv[i + 1];
    if (!std::strcmp(argv[i], "--icon")) iconPath = argv[i + 1];
    if (!std::strcmp(argv[i], "--ico")) icoPath = argv[i + 1];
    if (!std::strcmp(argv[i], "--icons")) themePath = argv[i + 1];
  }
  const std::string textFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  if (!OpenFont(fontPath) || !OpenTextFont(textFontPath)) {
    std::fprintf(stderr, "artgen: the lettering needs %s and %s (Debian package fonts-dejavu-core)\n", fontPath.c_str(),
                 textFontPath.c_str());
    return 1;
  }

  std::vector<SheetEntry> entries;
  bool ok = true;
  auto emit = [&](const std::string& name, const Canvas& canvas, int bits) {
    if (!WriteTga(outDir + "/" + name + ".tga", canvas, bits)) {
      std::fprintf(stderr, "artgen: cannot write %s/%s.tga\n", outDir.c_str(), name.c_str());
      ok = false;
    }
    entries.push_back({name, canvas, bits});
  };
#define LUMARO_DRAW_PICTURE(name, bits, draw) emit(#name, draw, bits);
  LUMARO_PICTURES(LUMARO_DRAW_PICTURE)
#undef LUMARO_DRAW_PICTURE
  if (!meshPath.empty() && !AddOrnamentViews(meshPath, entries)) ok = false;

  const Canvas icon = iconPath.empty() && icoPath.empty() && themePath.empty() ? Canvas() : DrawIcon();
  if (!iconPath.empty() && !WritePng(iconPath, icon, true)) {
    std::fprintf(stderr, "artgen: cannot write the icon %s\n", iconPath.c_str());
    ok = false;
  }
  if (!icoPath.empty() && !WriteIco(icoPath, icon)) {
    std::fprintf(stderr, "artgen: cannot write the Windows icon %s\n", icoPath.c_str());
    ok = false;
  }
  if (!themePath.empty() && !WriteIconTheme(themePath, icon)) {
    std::fprintf(stderr, "artgen: cannot write the icons under %s\n", themePath.c_str());
    ok = false;
  }
  if (!sheetPath.empty() && !WriteContactSheet(sheetPath, entries)) {
    std::fprintf(stderr, "artgen: cannot write the contact sheet %s\n", sheetPath.c_str());
    ok = false;
  }
  CloseFont();
  CloseTextFont();
  return ok ? 0 : 1;
}
