#include "audio/music.h"

#include <cstdlib>
#include <string>

#include "base/clock.h"
#include "base/report.h"

namespace lumaro {

SoundModule* MusicModule = nullptr;
uint32_t PlayHandle = 0;

namespace {
SoundModuleInfo ModuleInformation;  // filled when playing starts, not read afterwards
// Under the original's text, for whoever does not read German: what the buttons do.
constexpr const char* kRetryButtons = "\nOK tries the sound again; Cancel plays the show without sound.";
}  // namespace

void MusicFatal() {
  ShowMessage(SoundLastError(), "MIDAS Fehler !");
  SoundClose();
  std::exit(1);  // the shell's exit handler still puts the desktop mode back
}

void MusicStartup() {
  SoundStartup();
  SoundSetForceNoSound(false);
  SleepMilliseconds(300);
  if (!SoundInit()) {
    // OK retries with sound; Cancel switches to silent operation.
    do {
      if (AskOkCancel(SoundLastError() + std::string(kRetryButtons), "Fehler beim Initialisieren") ==
          DialogAnswer::Cancel) {
        SoundSetForceNoSound(true);
        if (!SoundInit()) MusicFatal();
      }
    } while (!SoundInit());
  }
  if (!SoundStartBackgroundPlay()) MusicFatal();
}

SoundModule* LoadMusic(const char* fileName) {
  SoundModule* module = SoundLoadModule(fileName);
  if (!module) ShowMessage(SoundLastError(), "Fehler beim laden des Modules");
  return module;
}

uint32_t PlayMusic(SoundModule* module, bool loop) {
  // A module that did not load was reported at start-up; the show then runs silently.
  if (!module) return 0;
  uint32_t handle = SoundPlayModule(module, loop);
  if (!handle) MusicFatal();
  if (!SoundGetModuleInfo(module, &ModuleInformation)) MusicFatal();
  return handle;
}

void CueMusic(SoundModule* module, float seconds) {
  if (module && !SoundCueModule(module, seconds)) ShowMessage(SoundLastError(), "Fehler beim laden des Modules");
}

void StopMusic(uint32_t playHandle, SoundModule* module) {
  if (!module) return;
  if (playHandle && !SoundStopModule(playHandle)) MusicFatal();
  if (!SoundFreeModule(module)) MusicFatal();
}

void MusicShutdown() {
  if (!SoundStopBackgroundPlay()) MusicFatal();
  if (!SoundClose()) MusicFatal();
}

}  // namespace lumaro
