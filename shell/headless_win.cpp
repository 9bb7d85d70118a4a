// Windows has no surfaceless context: a hidden SDL window lends its GL context, and the show
// draws into the offscreen frame target, which stays bound for the whole run.
#include <SDL.h>

#include "shell/frame_target.h"
#include "shell/headless.h"

namespace lumaro {

namespace {
SDL_Window* Hidden = nullptr;
SDL_GLContext Context = nullptr;
bool VideoStarted = false;

SDL_Window* OpenHidden(int depthBits) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
  return SDL_CreateWindow("Lumaro", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
}
}  // namespace

bool HeadlessExists() { return Context != nullptr; }

Status HeadlessCreate(int width, int height) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (!VideoStarted && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    return Status::Failure("Can't Create A GL Device Context.");
  VideoStarted = true;
  Hidden = OpenHidden(32);
  if (!Hidden) Hidden = OpenHidden(24);
  if (!Hidden) {
    (void)HeadlessDestroy();  // the failed step is the news
    return Status::Failure("Window Creation Error.");
  }
  Context = SDL_GL_CreateContext(Hidden);
  if (!Context) {
    (void)HeadlessDestroy();  // the failed step is the news
    return Status::Failure("Can't Create A GL Rendering Context.");
  }
  if (SDL_GL_MakeCurrent(Hidden, Context) != 0 || !BindFrameTarget(width, height)) {
    (void)HeadlessDestroy();  // the failed step is the news
    return Status::Failure("Can't Activate The GL Rendering Context.");
  }
  return {};
}

Status HeadlessDestroy() {
  const char* failure = nullptr;
  if (Context) {
    ReleaseFrameTarget();
    if (SDL_GL_MakeCurrent(Hidden, nullptr) != 0) failure = "Release Of DC And RC Failed.";
    SDL_GL_DeleteContext(Context);
    Context = nullptr;
  }
  if (Hidden) SDL_DestroyWindow(Hidden);
  Hidden = nullptr;
  if (VideoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  VideoStarted = false;
  return failure ? Status::Failure(failure) : Status();
}

}  // namespace lumaro
