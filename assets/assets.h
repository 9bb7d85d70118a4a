// The pictures compiled into the program: each picture of the manifest as Picture_<name>,
// and the groups the scenes pick from by number. The blocks themselves are drawn at build
// time by tools/artgen and embedded by tools/embed.
#pragma once
#include "assets/art_manifest.h"
#include "gfx/tga.h"

namespace lumaro {

#define LUMARO_DECLARE_PICTURE(name, bits, draw) extern const EmbeddedImage Picture_##name;
LUMARO_PICTURES(LUMARO_DECLARE_PICTURE)
#undef LUMARO_DECLARE_PICTURE

extern const EmbeddedImage TitleImages[4];    // 256 x 64 x 32 caption cards; 0 is also the corner logo
extern const EmbeddedImage SpriteImages[11];  // 32 x 32 x 24 glows; 4 is the same picture as 0
extern const EmbeddedImage BackdropImage;     // 512 x 512 x 24 nebula
extern const EmbeddedImage FontImage;         // 320 x 192 x 24 glyph sheet
extern const EmbeddedImage PlasmaTitleImage;  // 512 x 256 x 32 title over the plasma

extern const EmbeddedImage Scene8CaptionImage;  // 512 x 64 x 32 "too simple?", alpha 0

// Scene 9's sky box faces and the scorched front, 256 x 256 x 24 each.
enum SkyImage { SkyFront, SkyTop, SkyLeft, SkyBottom, SkyRight, SkyBack, SkyScorched, SkyImageCount };
extern const EmbeddedImage SkyImages[SkyImageCount];
extern const EmbeddedImage FlameRingImage;  // 256 x 256 x 24
extern const EmbeddedImage FlashImage;      // 256 x 256 x 32, alpha unused

extern const EmbeddedImage LatticeNameImage;   // 256 x 256 x 8 grey stone lettered "Lumaro", tiling
extern const EmbeddedImage LatticeCloudImage;  // 128 x 128 x 8 grey blotches, tiling
extern const EmbeddedImage NebulaCloudImage;   // 256 x 256 x 24 grey clouds fading to black at the border
extern const EmbeddedBlock OrnamentMeshBlock;  // the ornament's faces, positions and normals

// Scene 12's twelve pictures T0..T11: 128 x 128 surfaces, 64 x 64 rail strip and glows.
constexpr int TunnelImageCount = 12;
extern const EmbeddedImage TunnelImages[TunnelImageCount];
extern const EmbeddedImage GraniteImage;  // 256 x 256 x 24 grey stone
extern const EmbeddedImage GridImage;     // 256 x 256 x 32 magenta lines, alpha on the lines
extern const EmbeddedBlock IsoTablesBlock;  // the iso-surface's int32 case tables
extern const EmbeddedImage EndCardImage;  // 512 x 64 x 32 "The End", alpha 0

}  // namespace lumaro
