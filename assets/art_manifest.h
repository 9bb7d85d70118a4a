// Every picture the art generator draws and the program embeds, one a line:
//   P(name, bits per pixel, how tools/artgen draws it)
// CMake reads the names, artgen draws each into build/art/<name>.tga, the embedding step
// compiles each into the program as Picture_<name>, and assets/assets.h declares them all.
// A new picture is one line here plus its drawing code in tools/artgen.
#pragma once

#define LUMARO_PICTURES(P)                               \
  P(title0, 32, DrawTitleCard(0))                        \
  P(title1, 32, DrawTitleCard(1))                        \
  P(title2, 32, DrawTitleCard(2))                        \
  P(title3, 32, DrawTitleCard(3))                        \
  P(sprite0, 24, DrawSprite(0))                          \
  P(sprite1, 24, DrawSprite(1))                          \
  P(sprite2, 24, DrawSprite(2))                          \
  P(sprite3, 24, DrawSprite(3))                          \
  P(sprite5, 24, DrawSprite(5))                          \
  P(sprite6, 24, DrawSprite(6))                          \
  P(sprite7, 24, DrawSprite(7))                          \
  P(sprite8, 24, DrawSprite(8))                          \
  P(sprite9, 24, DrawSprite(9))                          \
  P(sprite10, 24, DrawSprite(10))                        \
  P(backdrop, 24, DrawBackdrop())                        \
  P(font, 24, DrawFontSheet())                           \
  P(plasma_title, 32, DrawPlasmaTitle())                 \
  P(caption_simple, 32, DrawCaptionStrip("too simple?")) \
  P(sky_front, 24, DrawSkyFace(0))                       \
  P(sky_top, 24, DrawSkyFace(1))                         \
  P(sky_left, 24, DrawSkyFace(2))                        \
  P(sky_bottom, 24, DrawSkyFace(3))                      \
  P(sky_right, 24, DrawSkyFace(4))                       \
  P(sky_back, 24, DrawSkyFace(5))                        \
  P(sky_scorched, 24, DrawScorchedFront())               \
  P(flame_ring, 24, DrawFlameRing())                     \
  P(flash, 32, DrawFlash())                              \
  P(lattice_name, 8, DrawLatticeName())                  \
  P(lattice_cloud, 8, DrawLatticeCloud())                \
  P(nebula_cloud, 24, DrawNebulaCloud())                 \
  P(tunnel0, 32, DrawTunnelImage(0))                     \
  P(tunnel1, 32, DrawTunnelImage(1))                     \
  P(tunnel2, 32, DrawTunnelImage(2))                     \
  P(tunnel3, 32, DrawTunnelImage(3))                     \
  P(tunnel4, 32, DrawTunnelImage(4))                     \
  P(tunnel5, 32, DrawTunnelImage(5))                     \
  P(tunnel6, 32, DrawTunnelImage(6))                     \
  P(tunnel7, 32, DrawTunnelImage(7))                     \
  P(tunnel8, 32, DrawTunnelImage(8))                     \
  P(tunnel9, 24, DrawTunnelImage(9))                     \
  P(tunnel10, 24, DrawTunnelImage(10))                   \
  P(tunnel11, 32, DrawTunnelImage(11))                   \
  P(granite, 24, DrawGranite())                          \
  P(magenta_grid, 32, DrawMagentaGrid())                 \
  P(caption_end, 32, DrawCaptionStrip("The End"))        \
  P(icon, 32, DrawIcon())                                \
  P(text_font, 8, DrawTextSheet())
