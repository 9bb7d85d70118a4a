#include "audio/sound_library.h"

#include <SDL.h>
#include <libopenmpt/libopenmpt.h>

#include "audio/caught_stderr.h"
#include "audio/cue_ahead.h"
#include "audio/module_file.h"
#include "base/report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace lumaro {

struct SoundModule {
  openmpt_module* decoder = nullptr;
  bool cued = true;          // at the position playing starts from; a fresh module is at its start
  bool cuedPastEnd = false;  // cued where a module played once is over: it plays silence
  uint64_t framesRead = 0;   // since its start: where the decoder stands, until it runs out or loops
  uint64_t lengthFrames = 0;
  std::unique_ptr<CueAhead> ahead;  // decoders made ready at the cues to come, once asked for
  std::vector<char> bytes;          // the file, for those decoders
};

namespace {
constexpr int kRate = kMusicRate;
struct SoundLibraryState {
  int Calls = 0;
  bool ForceNoSound = false;
  bool Initialised = false;
  bool AudioSubsystem = false;
  SDL_AudioDeviceID Device = 0;

  // Shared with the audio callback; changed only under SDL_LockAudioDevice.
  SoundModule* Playing = nullptr;
  bool PlayingEnded = false;
  uint32_t PlayingHandle = 0;
  uint32_t NextHandle = 1;
  uint64_t CueFramesDecoded = 0;  // by cues, on the thread that asked for them
};
SoundLibraryState State;

void Lock() {
  if (State.Device) SDL_LockAudioDevice(State.Device);
}
void Unlock() {
  if (State.Device) SDL_UnlockAudioDevice(State.Device);
}

void MixModule(void*, Uint8* stream, int length) {
  float* out = reinterpret_cast<float*>(stream);
  const size_t frames = static_cast<size_t>(length) / (2 * sizeof(float));
  size_t done = 0;
  if (State.Playing && !State.PlayingEnded) {
    while (done < frames) {
      size_t got =
          openmpt_module_read_interleaved_float_stereo(State.Playing->decoder, kRate, frames - done, out + 2 * done);
      if (got == 0) {
        State.PlayingEnded = true;  // played once: silent from here
        break;
      }
      done += got;
      State.Playing->framesRead += got;
    }
  }
  std::memset(out + 2 * done, 0, (frames - done) * 2 * sizeof(float));
}
}  // namespace

void SoundStartup() { ++State.Calls; }

void SoundSetForceNoSound(bool silent) {
  ++State.Calls;
  State.ForceNoSound = silent;
}

namespace {
// The subsystem and the device, with what the back end prints itself caught: its gist goes
// into the failure, or into one warning when the device opens all the same.
Status OpenDevice() {
  CaughtStderr caught;
  std::string failure;
  if (!State.AudioSubsystem) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
      State.AudioSubsystem = true;
    else
      failure = std::string("audio: ") + SDL_GetError();
  }
  if (State.AudioSubsystem) {
    SDL_AudioSpec want{}, have{};
    want.freq = kRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = MixModule;
    State.Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!State.Device) failure = std::string("audio device: ") + SDL_GetError();
  }
  const std::string said = caught.Release();
  if (failure.empty() && !said.empty()) Warn("the audio device opened, but its driver said: " + said);
  if (failure.empty()) return {};
  return Status::Failure(said.empty() ? failure : failure + " (" + said + ")");
}
}  // namespace

Status SoundInit() {
  ++State.Calls;
  if (!State.ForceNoSound && !State.Device) {
    Status opened = OpenDevice();
    if (!opened.ok()) return opened;
  }
  State.Initialised = true;
  return {};
}

Status SoundStartBackgroundPlay() {
  ++State.Calls;
  if (!State.Initialised) return Status::Failure("background play before initialisation");
  if (State.Device) SDL_PauseAudioDevice(State.Device, 0);
  return {};
}

Status SoundLoadModule(const char* fileName, SoundModule** module) {
  ++State.Calls;
  *module = nullptr;
  openmpt_module* decoder = nullptr;
  std::vector<char> bytes;
  Status loaded = ReadModuleFile(fileName, &bytes);
  if (loaded.ok()) loaded = LoadModuleBytes(bytes.data(), bytes.size(), fileName, &decoder);
  if (!loaded.ok()) return loaded;
  // A second short of its length counts as its end: the decoder may run out or loop a little
  // before the length its rows add up to.
  const double length = openmpt_module_get_duration_seconds(decoder) - 1.0;
  SoundModule* made = new SoundModule;
  made->decoder = decoder;
  made->lengthFrames = length > 0 ? ModuleFramesAt(length) : 0;
  made->bytes = std::move(bytes);
  *module = made;
  return {};
}

Status SoundPlayModule(SoundModule* module, bool loop, uint32_t* playHandle) {
  ++State.Calls;
  *playHandle = 0;
  if (!module) return Status::Failure("no module to play");
  openmpt_module_set_repeat_count(module->decoder, loop ? -1 : 0);
  Lock();
  if (!module->cued) {
    openmpt_module_set_position_seconds(module->decoder, 0.0);
    module->framesRead = 0;
    module->cuedPastEnd = false;
  }
  module->cued = false;
  State.Playing = module;
  State.PlayingEnded = module->cuedPastEnd;
  State.PlayingHandle = State.NextHandle++;
  *playHandle = State.PlayingHandle;
  Unlock();
  return {};
}

Status SoundGetModuleInfo(SoundModule* module, SoundModuleInfo* info) {
  ++State.Calls;
  if (!module || !info) return Status::Failure("no module");
  std::memset(info, 0, sizeof *info);
  const char* title = openmpt_module_get_metadata(module->decoder, "title");
  if (title) {
    std::snprintf(info->title, sizeof info->title, "%s", title);
    openmpt_free_string(title);
  }
  info->channels = openmpt_module_get_num_channels(module->decoder);
  info->instruments = openmpt_module_get_num_instruments(module->decoder);
  info->orders = openmpt_module_get_num_orders(module->decoder);
  info->durationSeconds = openmpt_module_get_duration_seconds(module->decoder);
  return {};
}

Status SoundCueModule(SoundModule* module, double seconds) {
  ++State.Calls;
  if (!module) return Status::Failure("no module to cue");
  if (module == State.Playing) return Status::Failure("the module is playing");
  const uint64_t target = ModuleFramesAt(seconds);
  bool reached = false;
  uint64_t decodedHere = 0;
  if (openmpt_module* ready = module->ahead ? module->ahead->Take(target, &reached, &decodedHere) : nullptr) {
    openmpt_module_destroy(module->decoder);  // one made ready there ahead of time takes its place
    module->decoder = ready;
  } else {
    // Onward from where the decoder stands, when it has neither ended nor looped: the same
    // samples as from the start, without decoding the way there again (a jump to the next scene).
    if (module->framesRead > target || module->framesRead >= module->lengthFrames) {
      openmpt_module_set_position_seconds(module->decoder, 0.0);
      module->framesRead = 0;
    }
    decodedHere = target - module->framesRead;
    reached = SkipModuleFrames(module->decoder, decodedHere);
  }
  State.CueFramesDecoded += decodedHere;
  // Past the end of a module played once there is silence, as in a capture from there; the
  // decoder is spent and the next cue starts over.
  module->framesRead = reached ? target : module->lengthFrames;
  module->cuedPastEnd = !reached;
  module->cued = true;
  return {};
}

Status SoundPrepareCues(SoundModule* module, const double* seconds, int count) {
  ++State.Calls;
  if (!module) return Status::Failure("no module to prepare cues of");
  if (!module->ahead) module->ahead = std::make_unique<CueAhead>(module->bytes);
  std::vector<uint64_t> positions;
  for (int i = 0; i < count; ++i) positions.push_back(ModuleFramesAt(seconds[i]));
  module->ahead->Want(positions);
  return {};
}

bool SoundCueReady(SoundModule* module, double seconds) {
  return module && module->ahead && module->ahead->Ready(ModuleFramesAt(seconds));
}

size_t SoundReadModule(SoundModule* module, float* stereo, size_t frames) {
  if (!module || module == State.Playing) return 0;
  const size_t got = openmpt_module_read_interleaved_float_stereo(module->decoder, kRate, frames, stereo);
  module->framesRead += got;
  return got;
}

Status SoundStopModule(uint32_t playHandle) {
  ++State.Calls;
  if (!playHandle || playHandle != State.PlayingHandle) return Status::Failure("no such play handle");
  Lock();
  State.Playing = nullptr;
  State.PlayingHandle = 0;
  Unlock();
  return {};
}

Status SoundFreeModule(SoundModule* module) {
  ++State.Calls;
  if (!module) return Status::Failure("no module to free");
  Lock();
  if (State.Playing == module) {
    State.Playing = nullptr;
    State.PlayingHandle = 0;
  }
  Unlock();
  openmpt_module_destroy(module->decoder);
  delete module;
  return {};
}

Status SoundStopBackgroundPlay() {
  ++State.Calls;
  if (State.Device) SDL_PauseAudioDevice(State.Device, 1);
  return {};
}

Status SoundClose() {
  ++State.Calls;
  if (State.Device) SDL_CloseAudioDevice(State.Device);
  State.Device = 0;
  if (State.AudioSubsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  State.AudioSubsystem = false;
  State.Initialised = false;
  State.Playing = nullptr;
  return {};
}

bool SoundIsPlaying(uint32_t playHandle) {
  Lock();
  bool playing = playHandle != 0 && playHandle == State.PlayingHandle && State.Playing && !State.PlayingEnded;
  Unlock();
  return playing;
}

int SoundCallCount() { return State.Calls; }
uint64_t SoundCueFramesDecoded() { return State.CueFramesDecoded; }
bool SoundDeviceOpen() { return State.Device != 0; }

}  // namespace lumaro
