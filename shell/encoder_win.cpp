// The video encoder on Windows: not yet fed through pipes here. -video=FILE says so before
// anything starts (and first whether ffmpeg.exe is on PATH at all); -videosave works.
#include <windows.h>

#include "shell/encoder.h"
#include "shell/option_values.h"

namespace lumaro {

namespace {
bool OnPath(const wchar_t* program) { return SearchPathW(nullptr, program, nullptr, 0, nullptr, nullptr) > 0; }
}  // namespace

std::string EncoderPartName(const std::string& file) { return file + ".part"; }

Status CheckEncoder(const std::string& file) {
  if (!VideoContainerFor(file))
    return Status::Failure("cannot tell the video format from the name " + file + " (use .mp4, .m4v, .mov or .mkv)");
  if (!OnPath(L"ffmpeg.exe") || !OnPath(L"ffprobe.exe"))
    return Status::Failure("making a video needs the ffmpeg and ffprobe programs, and they are not on PATH");
  return Status::Failure(
      "this Windows build cannot make a video itself yet; -videosave writes the frames and "
      "sound.wav for ffmpeg");
}

Status StartEncoder(const EncoderSettings&) { return Status::Failure("no video encoder in this build"); }
std::FILE* TakeEncoderVideoStream() { return nullptr; }
std::FILE* TakeEncoderAudioStream() { return nullptr; }
Status StopEncoder(double) { return Status::Failure("no encoder ran"); }
void KillEncoder() {}
std::string EncoderEnding() { return ""; }
Status VerifyVideo(const std::string&, uint32_t, int, bool, bool) { return Status::Failure("no encoder ran"); }

}  // namespace lumaro
