// The show, one scene a row: every fact about a scene that code elsewhere needs. The
// timeline's schedule, its once-only steps and its dispatch, the composer's backdrop, logo
// and fades, the scenes' declarations and the timedemo's names all come from this list, so
// a new scene is one row here plus its own files.
//
// Columns: number; start and duration in seconds (the window is [start, start + duration),
// and the windows follow each other without a gap); backdrop; fades; whether the corner logo
// lies over it; its procedures; the name the timedemo prints. The procedures:
//   Card          the intro card of its number (DrawIntroScene), turning over its window
//   Draw          DrawSceneN
//   Stepped       AdvanceSceneN, run before each DrawSceneN: state from frame to frame
//   Owned         SetupSceneN and ReleaseSceneN around DrawSceneN: resources of its own
//   OwnedStepped  all four
// A scene's set-up runs on its window's first frame, after the release of the scene before.
#pragma once
#include "scenes/scene_frame.h"

namespace lumaro {

#define LUMARO_SCENES(X)                                                  \
  X(1, 0, 4, NoBackdrop, NoFade, NoLogo, Card, "caption card")            \
  X(2, 4, 4, NoBackdrop, NoFade, NoLogo, Card, "caption card")            \
  X(3, 8, 4, NoBackdrop, NoFade, NoLogo, Card, "caption card")            \
  X(4, 12, 8, NoBackdrop, FadeOut, NoLogo, Card, "caption card")          \
  X(5, 20, 8, NoBackdrop, FadeInOut, NoLogo, Owned, "plasma title")       \
  X(6, 28, 12, SpaceBackdrop, FadeIn, Logo, Stepped, "spark fountain")    \
  X(7, 40, 30, SpaceBackdrop, NoFade, Logo, Stepped, "fireworks")         \
  X(8, 70, 60, SpaceBackdrop, FadeOut, Logo, OwnedStepped, "lit fractal") \
  X(9, 130, 60, NoBackdrop, FadeInOut, Logo, OwnedStepped, "fireball")    \
  X(10, 190, 30, NoBackdrop, FadeInOut, Logo, Owned, "cube lattice")      \
  X(11, 220, 30, NoBackdrop, FadeInOut, Logo, Owned, "ornament")          \
  X(12, 250, 40, NoBackdrop, FadeInOut, Logo, Owned, "rail tunnel")       \
  X(13, 290, 35, SpaceBackdrop, FadeInOut, Logo, Owned, "metaballs")      \
  X(14, 325, 3, NoBackdrop, NoFade, NoLogo, Owned, "the end")

enum Backdrop : int { NoBackdrop = -1, SpaceBackdrop = 0 };  // 0: BackdropTexture
enum Fades { NoFade = 0, FadeIn = 1, FadeOut = 2, FadeInOut = 3 };
enum LogoOver : bool { NoLogo = false, Logo = true };
enum class Procedures { Card, Draw, Stepped, Owned, OwnedStepped };

struct SceneSlot {
  int scene;
  float start;
  float duration;
  int backdrop;  // a Backdrop
  bool fadeIn, fadeOut, logo;
  Procedures procedures;
  const char* name;
  bool card() const { return procedures == Procedures::Card; }
  bool ownsResources() const { return procedures == Procedures::Owned || procedures == Procedures::OwnedStepped; }
};

#define LUMARO_SCENE_SLOT(n, start, duration, backdrop, fades, logo, procedures, name) \
  {n, start, duration, backdrop, ((fades)&FadeIn) != 0, ((fades)&FadeOut) != 0, logo, Procedures::procedures, name},
inline constexpr SceneSlot kSchedule[] = {LUMARO_SCENES(LUMARO_SCENE_SLOT)};
#undef LUMARO_SCENE_SLOT

constexpr int kSceneCount = sizeof kSchedule / sizeof kSchedule[0];
// From the end of the last window nothing is drawn; the run ends a second later.
constexpr float kBlankFrom = kSchedule[kSceneCount - 1].start + kSchedule[kSceneCount - 1].duration;
constexpr float kBlankSeconds = 1.0f;
constexpr float kShowLength = kBlankFrom + kBlankSeconds;  // the run ends at the first frame past it

// The scenes' own procedures by number, as the list says each has them; scenes without
// the procedure asked for are passed over.
void SetupScene(int scene);
void ReleaseScene(int scene);
// A frame skipped on the way to a later start: the scene's state moves on, nothing is drawn.
void AdvanceScene(int scene, const SceneFrame& frame);
// A frame of a scene after the cards: its Advance, if it has one, then its Draw.
void RunScene(int scene, const SceneFrame& frame);

}  // namespace lumaro
