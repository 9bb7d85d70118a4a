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

void Lock() {
  if (Device) SDL_LockAudioDevice(Device);
}
void Unlock() {
  if (Device) SDL_UnlockAudioDevice(Device);
}

void MixModule(void*, Uint8* stream, int length) {
  float* out = reinterpret_cast<float*>(stream);
  const size_t frames = static_cast<size_t>(length) / (2 * sizeof(float));
  size_t done = 0;
  if (Playing && !PlayingEnded) {
    while (done < frames) {
      size_t got = openmpt_module_read_interleaved_float_stereo(Playing->decoder, kRate, frames - done, out + 2 * done);
      if (got == 0) {
        PlayingEnded = true;  // played once: silent from here
        break;
      }
      done += got;
      Playing->framesRead += got;
    }
  }
  std::memset(out + 2 * done, 0, (frames - done) * 2 * sizeof(float));
}
}  // namespace

void SoundStartup() { ++Calls; }

void SoundSetForceNoSound(bool silent) {
  ++Calls;
  ForceNoSound = silent;
}

namespace {
// The subsystem and the device, with what the back end prints itself caught: its gist goes
// into the failure, or into one warning when the device opens all the same.
Status OpenDevice() {
  CaughtStderr caught;
  std::string failure;
  if (!AudioSubsystem) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
      AudioSubsystem = true;
    else
      failure = std::string("audio: ") + SDL_GetError();
  }
  if (AudioSubsystem) {
    SDL_AudioSpec want{}, have{};
    want.freq = kRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = MixModule;
    Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!Device) failure = std::string("audio device: ") + SDL_GetError();
  }
  const std::string said = caught.Release();
  if (failure.empty() && !said.empty()) Warn("the audio device opened, but its driver said: " + said);
  if (failure.empty()) return {};
  return Status::Failure(said.empty() ? failure : failure + " (" + said + ")");
}
}  // namespace

Status SoundInit() {
  ++Calls;
  if (!ForceNoSound && !Device) {
    Status opened = OpenDevice();
    if (!opened.ok()) return opened;
  }
  Initialised = true;
  return {};
}

Status SoundStartBackgroundPlay() {
  ++Calls;
  if (!Initialised) return Status::Failure("background play before initialisation");
  if (Device) SDL_PauseAudioDevice(Device, 0);
  return {};
}

Status SoundLoadModule(const char* fileName, SoundModule** module) {
  ++Calls;
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
  ++Calls;
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
  Playing = module;
  PlayingEnded = module->cuedPastEnd;
  PlayingHandle = NextHandle++;
  *playHandle = PlayingHandle;
  Unlock();
  return {};
}

Status SoundGetModuleInfo(SoundModule* module, SoundModuleInfo* info) {
  ++Calls;
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
  ++Calls;
  if (!module) return Status::Failure("no module to cue");
  if (module == Playing) return Status::Failure("the module is playing");
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
  CueFramesDecoded += decodedHere;
  // Past the end of a module played once there is silence, as in a capture from there; the
  // decoder is spent and the next cue starts over.
  module->framesRead = reached ? target : module->lengthFrames;
  module->cuedPastEnd = !reached;
  module->cued = true;
  return {};
}

Status SoundPrepareCues(SoundModule* module, const double* seconds, int count) {
  ++Calls;
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
  if (!module || module == Playing) return 0;
  const size_t got = openmpt_module_read_interleaved_float_stereo(module->decoder, kRate, frames, stereo);
  module->framesRead += got;
  return got;
}

Status SoundStopModule(uint32_t playHandle) {
  ++Calls;
  if (!playHandle || playHandle != PlayingHandle) return Status::Failure("no such play handle");
  Lock();
  Playing = nullptr;
  PlayingHandle = 0;
  Unlock();
  return {};
}

Status SoundFreeModule(SoundModule* module) {
  ++Calls;
  if (!module) return Status::Failure("no module to free");
  Lock();
  if (Playing == module) {
    Playing = nullptr;
    PlayingHandle = 0;
  }
  Unlock();
  openmpt_module_destroy(module->decoder);
  delete module;
  return {};
}

Status SoundStopBackgroundPlay() {
  ++Calls;
  if (Device) SDL_PauseAudioDevice(Device, 1);
  return {};
}

Status SoundClose() {
  ++Calls;
  if (Device) SDL_CloseAudioDevice(Device);
  Device = 0;
  if (AudioSubsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  AudioSubsystem = false;
  Initialised = false;
  Playing = nullptr;
  return {};
}

bool SoundIsPlaying(uint32_t playHandle) {
  Lock();
  bool playing = playHandle != 0 && playHandle == PlayingHandle && Playing && !PlayingEnded;
  Unlock();
  return playing;
}

int SoundCallCount() { return Calls; }
uint64_t SoundCueFramesDecoded() { return CueFramesDecoded; }
bool SoundDeviceOpen() { return Device != 0; }

}  // namespace lumaro
