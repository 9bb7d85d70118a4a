// A frame's shape fitted into another rectangle: the window it is shown in, or the video
// frame the 4:3 show is drawn in the middle of.
#pragma once

namespace lumaro {

struct FittedRect {
  int x, y, width, height;
};
// The largest rectangle of the frame's shape inside the window, centred (pixel-exact sides:
// the bars on either side differ by at most one pixel).
FittedRect FitFrame(int frameWidth, int frameHeight, int windowWidth, int windowHeight);

}  // namespace lumaro
