// The fourteen scenes: draw procedures with (local time, duration), the intro cards with
// (scene, angle), and the once-only set-up and release steps the timeline runs. Scenes
// that carry state from frame to frame (sparks, trails, flames, random numbers) also have
// an Advance procedure: everything a frame changes except the picture, which their draw
// procedure runs first.
#pragma once

namespace lumaro {

void DrawIntroScene(int sceneNumber, float angle);

void SetupScene5();
void DrawScene5(float localTime, float duration);
void ReleaseScene5();

void AdvanceScene6(float localTime, float duration);
void DrawScene6(float localTime, float duration);
void AdvanceScene7(float localTime, float duration);
void DrawScene7(float localTime, float duration);

void SetupScene8();
void AdvanceScene8(float localTime, float duration);
void DrawScene8(float localTime, float duration);
void ReleaseScene8();
void SetupScene9();
void AdvanceScene9(float localTime, float duration);
void DrawScene9(float localTime, float duration);
void ReleaseScene9();
void SetupScene10();
void DrawScene10(float localTime, float duration);
void ReleaseScene10();
void SetupScene11();
void DrawScene11(float localTime, float duration);
void ReleaseScene11();
void SetupScene12();
void DrawScene12(float localTime, float duration);
void ReleaseScene12();
void SetupScene13();
void DrawScene13(float localTime, float duration);
void ReleaseScene13();
void SetupScene14();
void DrawScene14(float localTime, float duration);
void ReleaseScene14();

}  // namespace lumaro
