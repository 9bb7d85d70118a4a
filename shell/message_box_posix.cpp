#include "shell/message_box.h"

#include <SDL.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/run_state.h"
#include "shell/programs_posix.h"

extern char** environ;

namespace lumaro {

namespace {
// Set only in the environment of the process that shows a box: which kind it shows.
constexpr const char* kBoxVariable = "LUMARO_MESSAGE_BOX";
constexpr const char* kKindNames[] = {"error", "information", "ok-cancel"};
constexpr int kOkExit = 0, kCancelExit = 1;

int AskHere(const char* text, const char* caption) {
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Cancel"},
  };
  const SDL_MessageBoxData box = {SDL_MESSAGEBOX_ERROR, nullptr, caption, text, 2, buttons, nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return kCancelExit;
  return pressed == 1 ? kOkExit : kCancelExit;
}
}  // namespace

int ShowBoxIfAsked(int argc, char** argv) {
  const char* kind = std::getenv(kBoxVariable);
  if (!kind || argc != 3) return -1;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const char *caption = argv[1], *text = argv[2];
  if (!std::strcmp(kind, kKindNames[static_cast<int>(BoxKind::OkCancel)])) return AskHere(text, caption);
  const bool information = !std::strcmp(kind, kKindNames[static_cast<int>(BoxKind::Information)]);
  SDL_ShowSimpleMessageBox(information ? SDL_MESSAGEBOX_INFORMATION : SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
  return kOkExit;
}

DialogAnswer ShowBoxAside(BoxKind kind, const char* text, const char* caption) {
  if (StopSignalNumber) return DialogAnswer::Cancel;  // the run is ending: no box holds it up
  std::vector<std::string> variables = {std::string(kBoxVariable) + "=" + kKindNames[static_cast<int>(kind)]};
  for (char** v = environ; *v; ++v)
    if (std::strncmp(*v, kBoxVariable, std::strlen(kBoxVariable)) != 0) variables.push_back(*v);
  std::vector<char*> environment;
  for (std::string& v : variables) environment.push_back(v.data());
  environment.push_back(nullptr);
  std::string name = "lumaro", title = caption, body = text;
  char* argv[] = {name.data(), title.data(), body.data(), nullptr};
  // A group of its own, so that ending it also ends the process SDL may fork for the box.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t box = -1;
  const int spawned = posix_spawn(&box, "/proc/self/exe", nullptr, &attributes, argv, environment.data());
  posix_spawnattr_destroy(&attributes);
  if (spawned != 0) {
    Warn(std::string("cannot show the box \"") + caption + "\": " + std::strerror(spawned));
    return DialogAnswer::Cancel;
  }
  int status = 0;
  const bool closed = WaitForProgram(box, 0.0, &status);  // a box has nothing to finish
  const bool ok = !closed && WIFEXITED(status) && WEXITSTATUS(status) == kOkExit;
  return ok ? DialogAnswer::Ok : DialogAnswer::Cancel;
}

}  // namespace lumaro
