// The show's start-up pictures, each drawn to its role.
#pragma once
#include "canvas.h"
#include "scenes/ornament_mesh.h"

namespace artgen {

Canvas DrawTitleCard(int entry);            // 256 x 64, dark lettering, alpha 0
Canvas DrawSprite(int entry);               // 32 x 32 glows and starbursts
Canvas DrawBackdrop();                      // 512 x 512 nebula with stars
Canvas DrawFontSheet();                     // 320 x 192 green glyphs, codes 32..90
Canvas DrawPlasmaTitle();                   // 512 x 256, alpha the lettering, colour its cyan glow
Canvas DrawCaptionStrip(const char* text);  // 512 x 64 white lettering on black, alpha 0
Canvas DrawTextSheet();                     // the menu's text font, laid out as gfx/text_sheet.h says

// Scene 9.
Canvas DrawSkyFace(int face);  // 256 x 256: face 0 front .. 5 back, as the scene's table lays them
Canvas DrawScorchedFront();    // the front face with a black crater in its centre
Canvas DrawFlameRing();        // 256 x 256 flames pointing inwards around a dark centre
Canvas DrawFlash();            // 256 x 256 white-hot disc, yellow-orange rim, alpha its brightness

// Scenes 10 and 11.
Canvas DrawLatticeName();   // 256 x 256 grey stone, "Lumaro" embossed; tiles
Canvas DrawLatticeCloud();  // 128 x 128 grey blotches; tiles
Canvas DrawNebulaCloud();   // 256 x 256 grey clouds, black at every border

// Scenes 12 and 13.
Canvas DrawTunnelImage(int index);  // T0..T11 at their sizes (see scene 12)
Canvas DrawGranite();               // 256 x 256 grainy grey stone, grey 45..248; tiles
Canvas DrawMagentaGrid();           // 256 x 256 soft magenta lines at texels 64 and 192, alpha on the lines
Canvas DrawIcon();                  // 256 x 256 RGBA: the desktop entry's icon and the window's

// The ornament mesh, lit, seen from a yaw and a pitch (radians): for the contact sheet only.
Canvas DrawOrnamentView(const lumaro::OrnamentMesh& mesh, float yaw, float pitch);

}  // namespace artgen
