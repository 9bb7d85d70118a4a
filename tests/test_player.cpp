// The player's pieces that need no window: where jumps land, the menu's place, the paused
// clock, the frame's fit into a window of any shape.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "base/clock.h"
#include "base/run_state.h"
#include "engine/navigation.h"
#include "gfx/draw.h"
#include "scenes/scene_list.h"
#include "shell/frame_target.h"
#include "shell/menu.h"
#include "shell/window_proc.h"
#include "shell/window_state.h"

using namespace lumaro;

TEST(SceneJumps, LandOnTheNeighbouringScenesStarts) {
  for (int i = 0; i < kSceneCount; ++i) {
    const SceneSlot& slot = kSchedule[i];
    const float inside = slot.start + slot.duration / 2;
    SCOPED_TRACE(i);
    EXPECT_EQ(SceneStartFrom(inside, +1), i + 1 < kSceneCount ? kSchedule[i + 1].start : -1);
    EXPECT_EQ(SceneStartFrom(inside, -1), kSchedule[i > 0 ? i - 1 : 0].start);
    // At a scene's very first frame "back" is the scene before, not the same start again.
    if (i > 0) {
      EXPECT_EQ(SceneStartFrom(slot.start, -1), kSchedule[i - 1].start);
    }
  }
  // The black last second: back to the last scene, nothing ahead.
  EXPECT_EQ(SceneStartFrom(kBlankFrom + 0.5f, -1), kSchedule[kSceneCount - 1].start);
  EXPECT_EQ(SceneStartFrom(kBlankFrom + 0.5f, +1), -1);
}

// Kept inside the window at each corner is the window test's (the real menu under Xvfb);
// here the two ends: at the pointer when there is room, the top-left part when there is none.
TEST(Menu, OpensAtThePointerOrAsMuchAsFits) {
  OpenMenu(10, 10, 800, 600);
  int left = 0, top = 0;
  MenuCorner(&left, &top);
  EXPECT_EQ(left, 10);
  EXPECT_EQ(top, 10);
  EXPECT_EQ(MenuItemAt(left + 2, top + kMenuHeight - 2), kMenuRows[kMenuRowCount - 1].id);  // the last row
  OpenMenu(50, 50, 100, 100);  // a window smaller than the menu: its top-left part inside
  MenuCorner(&left, &top);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(top, 0);
  CloseMenu();
}

namespace {
// A key pressed in the window, as its event reaches the window procedure.
void Press(SDL_Keycode key, Uint16 modifiers = KMOD_NONE) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  event.key.keysym.mod = modifiers;
  HandleWindowEvent(event);
}
// Exit asks for the end through the event queue, or directly where there is none.
bool QuitAsked() {
  SDL_Event quit;
  return !Running() || SDL_PeepEvents(&quit, 1, SDL_GETEVENT, SDL_QUIT, SDL_QUIT) == 1;
}
}  // namespace

TEST(Menu, KeyboardAltAndAccessLetters) {
  KeepWindowSettings({.area = {.ScreenWidth = 320, .ScreenHeight = 240}, .Fullscreen = false});
  StartRunning();
  // Alt+F opens File, X picks Exit: the run ends.
  Press(SDLK_f, KMOD_LALT);
  ASSERT_TRUE(MenuIsOpen());
  EXPECT_FALSE(QuitAsked());
  Press(SDLK_x);
  EXPECT_FALSE(MenuIsOpen());
  EXPECT_TRUE(QuitAsked());
  StartRunning();
  // Under Draw, X is no item's letter: the menu stays; 6 picks 640 x 480.
  Press(SDLK_d, KMOD_LALT);
  Press(SDLK_x);
  EXPECT_TRUE(MenuIsOpen());
  EXPECT_FALSE(QuitAsked());
  Press(SDLK_6);
  EXPECT_FALSE(MenuIsOpen());
  EXPECT_EQ(CurrentDrawingArea(), (DrawingArea{.ScreenWidth = 640, .ScreenHeight = 480}));
  // Down from the first size and Return: the second; Escape closes only the menu.
  Press(SDLK_d, KMOD_LALT);
  Press(SDLK_DOWN);
  Press(SDLK_RETURN);
  EXPECT_FALSE(MenuIsOpen());
  EXPECT_EQ(CurrentDrawingArea().ScreenWidth, 512);
  Press(SDLK_f, KMOD_LALT);
  Press(SDLK_ESCAPE);
  EXPECT_FALSE(MenuIsOpen());
  EXPECT_FALSE(QuitAsked());
  // F without Alt is still the player's full-screen key, not the menu.
  Press(SDLK_f);
  EXPECT_FALSE(MenuIsOpen());
}

TEST(Menu, EveryItemHasALetterOfItsOwnUnderItsHeading) {
  int heading = -1;
  std::set<char> taken;
  for (int row = 0; row < kMenuRowCount; ++row) {
    const char letter = AccessLetter(kMenuRows[row].text);
    SCOPED_TRACE(kMenuRows[row].text);
    ASSERT_NE(letter, 0);
    if (kMenuRows[row].id == 0) {
      heading = row;
      taken.clear();
      continue;
    }
    ASSERT_GE(heading, 0);
    EXPECT_TRUE(taken.insert(letter).second) << "the letter is another item's too";
    // Alt and the heading's letter, then the item's: this item, in any case.
    ASSERT_TRUE(OpenMenuAtHeading(static_cast<char>(std::toupper(AccessLetter(kMenuRows[heading].text))), 800, 600));
    EXPECT_EQ(PickMenuItemByLetter(static_cast<char>(std::toupper(letter))), kMenuRows[row].id);
    EXPECT_FALSE(MenuIsOpen());
  }
}

TEST(PausedClock, StandsStillAndGoesOnWithoutTheHeldTime) {
  ResetElapsedSeconds();
  ElapsedSeconds();
  SleepMilliseconds(30);
  HoldElapsedSeconds(true);
  const float held = ElapsedSeconds();
  SleepMilliseconds(60);
  EXPECT_EQ(ElapsedSeconds(), held);
  EXPECT_TRUE(ElapsedSecondsHeld());
  HoldElapsedSeconds(false);
  // Going on from where it stood: the 60 ms held never count (the wall clock is coarse, so
  // only the lower bound of what passed since is certain).
  const float after = ElapsedSeconds();
  EXPECT_GE(after, held);
  EXPECT_LT(after, held + 0.055f);
  // A reset while held reads zero, and still stands.
  HoldElapsedSeconds(true);
  ResetElapsedSeconds();
  EXPECT_EQ(ElapsedSeconds(), 0.0f);
  SleepMilliseconds(20);
  EXPECT_EQ(ElapsedSeconds(), 0.0f);
  HoldElapsedSeconds(false);
  ResetElapsedSeconds();
}

TEST(FrameFit, WholeCentredNeverStretched) {
  struct Case {
    int frameWidth, frameHeight, windowWidth, windowHeight;
    FittedRect expected;
  } const cases[] = {
      {800, 600, 1920, 1080, {240, 0, 1440, 1080}},    // a 16:9 screen: bars left and right
      {1600, 1200, 1920, 1080, {240, 0, 1440, 1080}},  // larger than the screen: shrunk, whole
      {800, 600, 1900, 300, {750, 0, 400, 300}},       // a wide, low window
      {640, 480, 640, 1000, {0, 260, 640, 480}},       // a tall one: bars above and below
      {800, 600, 800, 600, {0, 0, 800, 600}},          // the same size: pixel for pixel
      {1280, 1024, 1920, 1080, {285, 0, 1350, 1080}},  // 5:4 stays 5:4
  };
  for (const Case& c : cases) {
    const FittedRect got = FitFrame(c.frameWidth, c.frameHeight, c.windowWidth, c.windowHeight);
    SCOPED_TRACE(testing::Message() << c.windowWidth << "x" << c.windowHeight);
    EXPECT_EQ(got.x, c.expected.x);
    EXPECT_EQ(got.y, c.expected.y);
    EXPECT_EQ(got.width, c.expected.width);
    EXPECT_EQ(got.height, c.expected.height);
  }
  // Odd sizes: the shape within a pixel, the bars on the two sides within a pixel of each other.
  for (int w = 101; w < 2000; w += 97)
    for (int h = 77; h < 1500; h += 89) {
      const FittedRect r = FitFrame(800, 600, w, h);
      ASSERT_TRUE(r.width == w || r.height == h) << w << "x" << h;
      ASSERT_LE(std::abs(r.width * 3 - r.height * 4), 4) << w << "x" << h;
      ASSERT_LE(std::abs((w - r.width - r.x) - r.x), 1);
      ASSERT_LE(std::abs((h - r.height - r.y) - r.y), 1);
    }
  // A window with no area (minimised) gets nothing, and huge sizes do not overflow.
  EXPECT_EQ(FitFrame(800, 600, 0, 0).width, 0);
  EXPECT_EQ(FitFrame(40000, 30000, 60000, 60000).width, 60000);
}
