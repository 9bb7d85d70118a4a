// Drawing steps every scene repeats: a textured quad, the 2D box an overlay draws in, and
// the standard perspective.
#pragma once

namespace lumaro {

// The 3D projection of every frame: 45 degrees, aspect 1.33 whatever the window's shape.
constexpr double kFieldOfView = 45.0;  // degrees
constexpr float kProjectionAspect = 1.33f;
constexpr float kNearPlane = 0.01f;
constexpr double kFarPlane = 150.0;
// Multiplies the standard perspective onto the current matrix.
void MultStandardPerspective();
// Viewport over the drawing area, the standard perspective, an identity modelview.
void LoadStandardView();

// 2D overlays draw in a box 1.33 wide and 1 high, bottom-left at the origin.
constexpr float kOverlayWidth = 1.33f;

// Pushes projection and modelview, loads the orthographic box (z -1 to 1) and an
// identity modelview; PopOrthoBox restores both and leaves the modelview selected.
void PushOrthoBox(float left, float right, float bottom, float top);
inline void PushOverlayBox() { PushOrthoBox(0, kOverlayWidth, 0, 1); }
void PopOrthoBox();

// One corner of a quad: texture coordinates, then the position.
struct TexVertex {
  float s, t;
  float x, y, z;
};
// One GL_QUADS quad through the four corners in the order given.
void DrawTexturedQuad(const TexVertex& a, const TexVertex& b, const TexVertex& c, const TexVertex& d);

}  // namespace lumaro
