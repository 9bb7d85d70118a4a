// Draws one whole frame of the scene the timeline chose: the clear, the standard view, the
// backdrop, the scene, the corner logo, the fades and the frame rate, as its row says.
#pragma once
#include "scenes/scene_list.h"

namespace lumaro {

// One frame of a scene's window, the frame covering `span` (its clock is span.now).
void ComposeFrame(const SceneSlot& slot, const FrameSpan& span, bool showFps, int shownFrameRate);

// The intro cards turn from -90 to +90 degrees over their window.
float IntroAngle(const SceneSlot& slot, float localTime);

// "%3d FPS" into a buffer of at least 16 bytes.
void FormatFrameRate(int rate, char* text, int size);

}  // namespace lumaro
