#include "engine/startup.h"

#include <GL/gl.h>

#include <ctime>

#include "assets/assets.h"
#include "audio/music.h"
#include "base/random.h"
#include "base/report.h"
#include "base/run_state.h"
#include "engine/capture.h"
#include "engine/show.h"
#include "engine/timeline.h"
#include "gfx/draw.h"
#include "gfx/gl_reset.h"
#include "gfx/glyphs.h"
#include "gfx/overlays.h"
#include "gfx/sine.h"
#include "gfx/texture.h"
#include "scenes/particles.h"

namespace lumaro {

namespace {
void GenerateNames(uint32_t* names, int count) {
  for (int i = 0; i < count; ++i) glGenTextures(1, &names[i]);
}
}  // namespace

namespace {
// The GL state every scene starts from; the textures keep their pictures.
void SetStartingGlState() {
  LoadStandardView();
  glClearColor(0, 0, 0, 0);
  glClearDepth(1);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_DONT_CARE);
  glHint(GL_POINT_SMOOTH_HINT, GL_DONT_CARE);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  ResetProjection();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
}

void MakeSharedTextures() {
  SharedTextures& shared = ShowTextures();
  GenerateNames(shared.TitleTextures, 4);
  GenerateNames(shared.SpriteTextures, kSpriteCount);
  GenerateNames(&shared.BackdropTexture, 1);
  GenerateNames(shared.GlyphTextures, kGlyphCount);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  BuildGlyphTextures(kFontImage, 0);
  for (int i = 0; i < 4; ++i) UploadClamped(kTitleImages[i], shared.TitleTextures[i], GL_RGBA8, GL_BGRA_EXT);
  for (int i = 0; i < 11; ++i) UploadClamped(kSpriteImages[i], shared.SpriteTextures[i], GL_RGBA8, GL_BGR_EXT);
  UploadClamped(kBackdropImage, shared.BackdropTexture, GL_RGBA8, GL_BGR_EXT);
}
}  // namespace

void ResetShowState() {
  ResetTimeline();
  srand(Show().seedGiven ? Show().seed : static_cast<uint32_t>(std::time(nullptr)));
  ResetGlState();  // on a new context as on one the show ran on: one way to the same state
  SetStartingGlState();
  ResetRocketPool();
  ResetSparkPool();  // the first 5000 random values after the seed
}

void RenderStartup(const ShowSettings& settings) {
  KeepShowSettings(settings);
  ClearMusicFailure();
  SetCaptureRun(settings.VideoSave);
  if (MusicOn()) {
    const Status started = MusicStartup();
    if (!started.ok()) EndForMusic(started);  // the rest is made as usual, for the usual teardown
  }
  if (MusicOn()) {
    Music().MusicModule =
        settings.modulePath.empty() ? MissingMusic(settings.moduleSearch) : LoadMusic(settings.modulePath.c_str());
    if (settings.start > 0) CueMusic(Music().MusicModule, settings.start);
  }
  // Frames as files here; a video's encoder is started by the shell once the window exists.
  if (settings.VideoSave && !settings.capture.directory.empty()) {
    const Status prepared = PrepareCapture(settings.capture);
    if (!prepared.ok()) {
      Say(prepared);
      StopRunning(StopReason::Failure);
    }
  }
  MakeSharedTextures();
  BuildSineTable();
  ResetShowState();
}

void RenderShutdown() {
  if (MusicOn()) {
    Status stopped = StopMusic(Music().PlayHandle, Music().MusicModule);
    if (stopped.ok()) stopped = MusicShutdown();
    if (!stopped.ok()) EndForMusic(stopped);
  }
  SharedTextures& shared = ShowTextures();
  glDeleteTextures(4, shared.TitleTextures);
  glDeleteTextures(kSpriteCount, shared.SpriteTextures);
  glDeleteTextures(1, &shared.BackdropTexture);
  glDeleteTextures(kGlyphCount, shared.GlyphTextures);
  ReleaseCaptureBuffers();  // the shell has finished the capture itself
}

}  // namespace lumaro
