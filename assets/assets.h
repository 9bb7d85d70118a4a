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

extern const EmbeddedImage kTitleImages[4];    // 256 x 64 x 32 caption cards; 0 is also the corner logo
extern const EmbeddedImage kSpriteImages[11];  // 32 x 32 x 24 glows; 4 is the same picture as 0
extern const EmbeddedImage kBackdropImage;     // 512 x 512 x 24 nebula
extern const EmbeddedImage kFontImage;         // 320 x 192 x 24 glyph sheet
extern const EmbeddedImage kPlasmaTitleImage;  // 512 x 256 x 32 title over the plasma

extern const EmbeddedImage kScene8CaptionImage;  // 512 x 64 x 32 "too simple?", alpha 0

// Scene 9's sky box faces and the scorched front, 256 x 256 x 24 each.
enum SkyImage { SkyFront, SkyTop, SkyLeft, SkyBottom, SkyRight, SkyBack, SkyScorched, SkyImageCount };
extern const EmbeddedImage kSkyImages[SkyImageCount];
extern const EmbeddedImage kFlameRingImage;  // 256 x 256 x 24
extern const EmbeddedImage kFlashImage;      // 256 x 256 x 32, alpha unused

extern const EmbeddedImage kLatticeNameImage;   // 256 x 256 x 8 grey stone lettered "Lumaro", tiling
extern const EmbeddedImage kLatticeCloudImage;  // 128 x 128 x 8 grey blotches, tiling
extern const EmbeddedImage kNebulaCloudImage;   // 256 x 256 x 24 grey clouds fading to black at the border
extern const EmbeddedBlock kOrnamentMeshBlock;  // the ornament's faces, positions and normals

// Scene 12's twelve pictures T0..T11: 128 x 128 surfaces, 64 x 64 rail strip and glows.
constexpr int kTunnelImageCount = 12;
extern const EmbeddedImage kTunnelImages[kTunnelImageCount];
extern const EmbeddedImage kGraniteImage;    // 256 x 256 x 24 grey stone
extern const EmbeddedImage kGridImage;       // 256 x 256 x 32 magenta lines, alpha on the lines
extern const EmbeddedBlock kIsoTablesBlock;  // the iso-surface's int32 case tables
extern const EmbeddedImage kEndCardImage;    // 512 x 64 x 32 "The End", alpha 0

}  // namespace lumaro
