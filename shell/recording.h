// "-videosave" and "-video" from the shell's side: the encoder started beside the capture,
// and one ending for every way a recording ends. The ending collects every failure (frames,
// sound, encoder, the file's check, the rename), and its exit code and last message say what
// is on disk.
#pragma once
#include "base/status.h"

namespace lumaro {

// "-video": ffmpeg for the size drawn now, its streams handed to the capture.
Status StartVideoRecording();
// After the frame loop: everything still in flight written, the video checked and named,
// the summary said, ThisRun.exitCode set. `signal` is the one that stopped the run, or 0.
void EndRecording(int signal);

}  // namespace lumaro
