// In a window the show is drawn at its drawing size into an offscreen framebuffer, then
// shown scaled to the window: whole, centred, never stretched, black bars around it, on any
// screen and whatever a window manager does to the window. Captures read the offscreen
// frame, so they always hold the drawing size.
#pragma once
#include "shell/frame_fit.h"

namespace lumaro {

// Binds the offscreen frame for drawing, made anew when the size changed; false when GL
// cannot make one (the show is then drawn into the window as it is).
bool BindFrameTarget(int width, int height);
// The frame scaled into the window's own framebuffer, which stays bound (for the menu).
void PresentFrameTarget(int windowWidth, int windowHeight);
void ReleaseFrameTarget();

}  // namespace lumaro
