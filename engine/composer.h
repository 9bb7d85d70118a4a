// Draws one whole frame of the scene the timeline chose.
#pragma once

namespace lumaro {

void ComposeFrame(int scene, float start, float duration, int backdrop, bool fadeIn, bool fadeOut);

// The draw procedure of scene 5 to 14 alone, without what the composer lays around it.
void DrawSceneBody(int scene, float localTime, float duration);

// The intro cards turn from -90 to +90 degrees over their window.
float IntroAngle(int scene, float localTime);

// "%3d FPS" into a buffer of at least 16 bytes.
void FormatFrameRate(int rate, char* text, int size);

}  // namespace lumaro
