// "-videosave" and "-video" from the shell's side: the encoder started beside the capture,
// and one ending for every way a recording ends. The ending collects every failure (frames,
// sound, encoder, the file's check, the rename), and its exit code and last message say what
// is on disk.
#pragma once
#include "base/status.h"
#include "engine/capture.h"
#include "shell/encoder.h"

namespace lumaro {

struct RecordingSettings {
  CaptureSettings capture{};  // frames as files in capture.directory, or
  EncoderSettings encoder{};  // a video, when encoder.file is given
  int videoRate = kDefaultVideoRate;
  bool stills = false;  // only some frames: no command to join them
};

// Kept for the recording's end; "-video" starts ffmpeg here, its streams handed to the
// capture (frames as files were prepared by the engine's start-up).
Status StartRecording(const RecordingSettings& settings);
// After the frame loop: everything still in flight written, the video checked and named,
// the summary said, the exit code set. `signal` is the one that stopped the run, or 0.
void EndRecording(int signal);

}  // namespace lumaro
