#include "audio/soundtrack.h"

#include <libopenmpt/libopenmpt.h>

#include <cstring>

#include "audio/module_file.h"

namespace lumaro {

namespace {
openmpt_module* Decoder = nullptr;
bool Ended = false;
}  // namespace

Status OpenSoundtrack(const std::string& fileName, bool loop, uint64_t skipFrames) {
  CloseSoundtrack();
  const Status loaded = LoadModuleFile(fileName, &Decoder);
  if (!loaded.ok()) return loaded;
  openmpt_module_set_repeat_count(Decoder, loop ? -1 : 0);
  Ended = !SkipModuleFrames(Decoder, skipFrames);  // past a module played once: silence
  return {};
}

void RenderSoundtrack(float* stereo, size_t frames) {
  size_t done = 0;
  while (Decoder && !Ended && done < frames) {
    const size_t got =
        openmpt_module_read_interleaved_float_stereo(Decoder, kMusicRate, frames - done, stereo + 2 * done);
    if (got == 0) Ended = true;  // played once: silent from here, as live
    done += got;
  }
  std::memset(stereo + 2 * done, 0, (frames - done) * 2 * sizeof(float));
}

void CloseSoundtrack() {
  if (Decoder) openmpt_module_destroy(Decoder);
  Decoder = nullptr;
}

}  // namespace lumaro
