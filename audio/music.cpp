#include "audio/music.h"

#include <string>

#include "base/clock.h"
#include "base/report.h"

namespace lumaro {

namespace {
ShowMusic State;
// Under the original's text, for whoever does not read German: what the buttons do.
constexpr const char* kRetryButtons = "\nOK tries the sound again; Cancel plays the show without sound.";
constexpr const char* kLoadCaption = "Fehler beim laden des Modules";
}  // namespace

ShowMusic& Music() { return State; }

void ShowMusicFailure(const Status& failure) {
  ShowMessage(failure.why(), "MIDAS Fehler !");
  (void)SoundClose();  // the run ends: nothing more to say should closing fail too
}

Status MusicStartup() {
  SoundStartup();
  SoundSetForceNoSound(false);
  SleepMilliseconds(300);
  // OK retries with sound; Cancel switches to silent operation.
  for (Status ready = SoundInit(); !ready.ok(); ready = SoundInit()) {
    if (AskOkCancel(ready.why() + kRetryButtons, "Fehler beim Initialisieren") == DialogAnswer::Cancel) {
      SoundSetForceNoSound(true);
      Status silent = SoundInit();
      if (!silent.ok()) return silent;
    }
  }
  return SoundStartBackgroundPlay();
}

SoundModule* LoadMusic(const char* fileName) {
  SoundModule* module = nullptr;
  const Status loaded = SoundLoadModule(fileName, &module);
  if (!loaded.ok()) ShowMessage(loaded.why(), kLoadCaption);
  return module;
}

SoundModule* MissingMusic(const std::string& searched) {
  ShowMessage("SongM.xm is in none of " + searched, kLoadCaption);
  return nullptr;
}

Status PlayMusic(SoundModule* module, bool loop, uint32_t* playHandle) {
  *playHandle = 0;
  // A module that did not load was reported at start-up; the show then runs silently.
  if (!module) return {};
  Status playing = SoundPlayModule(module, loop, playHandle);
  SoundModuleInfo information;  // asked for as the original did, not read
  if (playing.ok()) playing = SoundGetModuleInfo(module, &information);
  return playing;
}

void CueMusic(SoundModule* module, float seconds) {
  if (!module) return;
  const Status cued = SoundCueModule(module, seconds);
  if (!cued.ok()) ShowMessage(cued.why(), kLoadCaption);
}

Status StopMusic(uint32_t playHandle, SoundModule* module) {
  if (!module) return {};
  if (playHandle) {
    Status stopped = SoundStopModule(playHandle);
    if (!stopped.ok()) return stopped;
  }
  return SoundFreeModule(module);
}

Status MusicShutdown() {
  Status stopped = SoundStopBackgroundPlay();
  if (!stopped.ok()) return stopped;
  return SoundClose();
}

}  // namespace lumaro
