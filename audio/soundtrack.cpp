#include "audio/soundtrack.h"

#include <libopenmpt/libopenmpt.h>

#include <cstring>

#include "audio/module_file.h"

namespace lumaro {

namespace {
struct SoundtrackState {
  openmpt_module* Decoder = nullptr;
  bool Ended = false;
};
SoundtrackState State;
}  // namespace

Status OpenSoundtrack(const std::string& fileName, bool loop, uint64_t skipFrames) {
  CloseSoundtrack();
  const Status loaded = LoadModuleFile(fileName, &State.Decoder);
  if (!loaded.ok()) return loaded;
  openmpt_module_set_repeat_count(State.Decoder, loop ? -1 : 0);
  State.Ended = !SkipModuleFrames(State.Decoder, skipFrames);  // past a module played once: silence
  return {};
}

void RenderSoundtrack(float* stereo, size_t frames) {
  size_t done = 0;
  while (State.Decoder && !State.Ended && done < frames) {
    const size_t got =
        openmpt_module_read_interleaved_float_stereo(State.Decoder, kMusicRate, frames - done, stereo + 2 * done);
    if (got == 0) State.Ended = true;  // played once: silent from here, as live
    done += got;
  }
  std::memset(stereo + 2 * done, 0, (frames - done) * 2 * sizeof(float));
}

void CloseSoundtrack() {
  if (State.Decoder) openmpt_module_destroy(State.Decoder);
  State.Decoder = nullptr;
}

}  // namespace lumaro
