// The show's music: start-up with its retry dialog, load, play from the first frame,
// stop and close. Nothing here runs with "-nosound".
#pragma once
#include <cstdint>
#include <string>

#include "audio/sound_library.h"
#include "base/status.h"

namespace lumaro {

// What start-up loaded and the first frame started, for the engine to stop and cue.
struct ShowMusic {
  SoundModule* MusicModule = nullptr;  // null when loading failed
  uint32_t PlayHandle = 0;             // 0 until the first frame
};
ShowMusic& Music();

// A failure of these the run cannot go on without: the caller shows it with
// ShowMusicFailure and ends the run with exit code 1.
Status MusicStartup();
Status PlayMusic(SoundModule* module, bool loop, uint32_t* playHandle);  // 0 without a module
Status StopMusic(uint32_t playHandle, SoundModule* module);
Status MusicShutdown();
// The original's box for such a failure; the sound library is closed after it.
void ShowMusicFailure(const Status& failure);

// A module that does not load or cue is shown in its own box and the show goes on silent.
SoundModule* LoadMusic(const char* fileName);
// The module was in none of the folders `searched` names: said as a failed load is, and the
// show plays on without music.
SoundModule* MissingMusic(const std::string& searched);
// "-start": before the first frame, the module is put where the first frame's music is
// (silence past the end of a module played once).
void CueMusic(SoundModule* module, float seconds);

}  // namespace lumaro
