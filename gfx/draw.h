// Drawing steps every scene repeats: a textured quad, the 2D box an overlay draws in, and
// the standard perspective.
#pragma once

namespace lumaro {

// The area the show is drawn in, in pixels: the original's drawing size, and whether it
// fills a frame of another shape ("-widescreen") rather than keeping 4:3. The window (or the
// page) says it at start-up and whenever it changes; drawing reads it.
struct DrawingArea {
  int ScreenWidth = 800;
  int ScreenHeight = 600;
  bool widescreen = false;
  bool operator==(const DrawingArea&) const = default;
};
void SetDrawingArea(const DrawingArea& area);
const DrawingArea& CurrentDrawingArea();

// The 3D projection of every frame: 45 degrees high, aspect 1.33 whatever the window's shape.
constexpr double kFieldOfView = 45.0;  // degrees
constexpr float kProjectionAspect = 1.33f;
// How many times wider than 4:3 the drawing is when "-widescreen" fills a frame of another
// shape (exactly 1 otherwise): the 3D view keeps its height and sees more to the sides, the
// overlay box grows to the drawing's width.
float Widening();
inline float ProjectionAspect() { return kProjectionAspect * Widening(); }
constexpr float kNearPlane = 0.01f;
constexpr double kFarPlane = 150.0;
// Multiplies the standard perspective onto the current matrix.
void MultStandardPerspective();
// Viewport over the drawing area, the standard perspective, an identity modelview.
void LoadStandardView();

// 2D overlays draw in a box 1.33 wide and 1 high, bottom-left at the origin; wider with
// "-widescreen". Pictures that keep their shape scale by Shrinking() on a frame narrower
// than 4:3, so that they still fit.
constexpr float kOverlayWidth = 1.33f;
inline float OverlayWidth() { return kOverlayWidth * Widening(); }
inline float Shrinking() { return Widening() < 1 ? Widening() : 1.0f; }

// Pushes projection and modelview, loads the orthographic box (z -1 to 1) and an
// identity modelview; PopOrthoBox restores both and leaves the modelview selected.
void PushOrthoBox(float left, float right, float bottom, float top);
inline void PushOverlayBox() { PushOrthoBox(0, OverlayWidth(), 0, 1); }
void PopOrthoBox();

// One corner of a quad: texture coordinates, then the position.
struct TexVertex {
  float s, t;
  float x, y, z;
};
// One GL_QUADS quad through the four corners in the order given.
void DrawTexturedQuad(const TexVertex& a, const TexVertex& b, const TexVertex& c, const TexVertex& d);

}  // namespace lumaro
