#include "assets/assets.h"

#include "assets/embedded_blocks.h"

namespace lumaro {

const EmbeddedImage kTitleImages[4] = {Picture_title0, Picture_title1, Picture_title2, Picture_title3};
const EmbeddedImage kSpriteImages[11] = {
    Picture_sprite0, Picture_sprite1, Picture_sprite2, Picture_sprite3, Picture_sprite0,  Picture_sprite5,
    Picture_sprite6, Picture_sprite7, Picture_sprite8, Picture_sprite9, Picture_sprite10,
};
const EmbeddedImage kBackdropImage = Picture_backdrop;
const EmbeddedImage kFontImage = Picture_font;
const EmbeddedImage kPlasmaTitleImage = Picture_plasma_title;

const EmbeddedImage kScene8CaptionImage = Picture_caption_simple;

const EmbeddedImage kSkyImages[SkyImageCount] = {
    Picture_sky_front, Picture_sky_top,  Picture_sky_left,     Picture_sky_bottom,
    Picture_sky_right, Picture_sky_back, Picture_sky_scorched,
};
const EmbeddedImage kFlameRingImage = Picture_flame_ring;
const EmbeddedImage kFlashImage = Picture_flash;

const EmbeddedImage kLatticeNameImage = Picture_lattice_name;
const EmbeddedImage kLatticeCloudImage = Picture_lattice_cloud;
const EmbeddedImage kNebulaCloudImage = Picture_nebula_cloud;
const EmbeddedBlock kOrnamentMeshBlock = EmbeddedOrnamentMesh;

const EmbeddedImage kTunnelImages[kTunnelImageCount] = {
    Picture_tunnel0, Picture_tunnel1, Picture_tunnel2, Picture_tunnel3, Picture_tunnel4,  Picture_tunnel5,
    Picture_tunnel6, Picture_tunnel7, Picture_tunnel8, Picture_tunnel9, Picture_tunnel10, Picture_tunnel11,
};
const EmbeddedImage kGraniteImage = Picture_granite;
const EmbeddedImage kGridImage = Picture_magenta_grid;
const EmbeddedBlock kIsoTablesBlock = EmbeddedIsoTables;
const EmbeddedImage kEndCardImage = Picture_caption_end;

}  // namespace lumaro
