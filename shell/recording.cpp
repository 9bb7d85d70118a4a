#include "shell/recording.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "base/report.h"
#include "base/run_state.h"
#include "engine/capture.h"
#include "engine/frame_files.h"
#include "engine/frame_writer.h"
#include "shell/encoder.h"

namespace lumaro {

namespace {
namespace fs = std::filesystem;
constexpr double kEncoderPatience = 3.0;  // seconds a stalled encoder gets after a stop signal

std::string Absolute(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

std::string Megabytes(uint64_t bytes) {
  char text[32];
  if (bytes < 1000000)
    std::snprintf(text, sizeof text, "%.0f kB", bytes / 1e3);
  else
    std::snprintf(text, sizeof text, "%.1f MB", bytes / 1e6);
  return text;
}

// Why the recording ends before the show's end, if it does: "interrupted at demo time 40.16 s".
std::string HowItEnded(int signal, const CaptureTally& tally) {
  char text[96];
  const char* what = signal ? "interrupted" : ThisRun.exitCode == kStoppedEarly ? "stopped" : nullptr;
  if (!what) return "";
  if (tally.frames == 0) return std::string(what) + " before any frame was written";
  std::snprintf(text, sizeof text, "%s at demo time %.2f s", what, tally.lastClock);
  return text;
}

// The frames written whole that are still there at the end (someone may have removed the
// folder meanwhile).
uint32_t FramesOnDisk(const CaptureTally& tally) {
  const uint64_t size = FrameBytes::kHeaderRoom + uint64_t{3} * FrameWidth() * FrameHeight();
  uint32_t count = 0;
  std::error_code error;
  for (uint32_t n = tally.first; tally.frames && n <= tally.last; ++n)
    count += fs::file_size(CaptureFileName(ThisRun.videoDir, n), error) == size && !error;
  return count;
}

// The frames (and sound.wav) on disk, in one line; a failure when they are not all there.
Status SayFrames(Status failure, const std::string& ending, const CaptureTally& tally) {
  const uint32_t there = FramesOnDisk(tally);
  if (there != tally.frames)
    failure.Keep(Status::Failure(std::to_string(tally.frames - there) + " of the frames written are gone"));
  std::string onDisk = "no frame";
  if (there) {
    char range[64];
    std::snprintf(range, sizeof range, "%u frames, %06u.tga to %06u.tga", there, tally.first, tally.last);
    onDisk = range + std::string(ThisRun.soundtrack ? " and their sound in sound.wav" : "");
  }
  const std::string where = " in " + Absolute(ThisRun.videoDir) + " (" + Megabytes(tally.bytes) + ")";
  if (failure.ok() && ending.empty())
    Say("wrote " + onDisk + where);
  else
    Say((ending.empty() ? "the capture failed" : ending) + "; on disk: " + onDisk + where);
  return failure;
}

// The video: checked, then named FILE; otherwise FILE.part stays and the line says why.
Status SettleVideo(Status failure, const std::string& ending, const CaptureTally& tally) {
  const std::string file = Absolute(ThisRun.videoFile), part = EncoderPartName(file);
  std::error_code error;
  if (!fs::exists(part, error)) {
    Say("no video was written (" + (ending.empty() ? failure.why() : ending) + ")");
    return failure.ok() ? Status::Failure("no video was written") : failure;
  }
  const Status checked = VerifyVideo(part, tally.frames, ThisRun.soundtrack, !ending.empty());
  if (failure.ok() && ending.empty() && checked.ok()) {
    fs::rename(part, file, error);
    if (!error) {
      Say("wrote " + file + " (" + std::to_string(tally.frames) + " frames, " + Megabytes(fs::file_size(file, error)) +
          ")");
      return {};
    }
    failure = Status::Failure("cannot name the video " + file + ": " + error.message());
  }
  failure.Keep(checked);
  const std::string why = !ending.empty() ? ending : failure.why();
  Say(checked.ok() ? "the video so far is in " + part + ": " + std::to_string(tally.frames) + " whole frames (" +
                         why + ")"
                   : part + " is left as the encoder left it: " + checked.why() + " (" + why + ")");
  return failure;
}

// Writes what is in flight; a writer held by a stalled encoder is freed by ending the
// encoder a few seconds after a stop signal.
Status FinishVideoCapture() {
  std::atomic<bool> done{false};
  std::thread watchdog([&done] {
    auto signalled = std::chrono::steady_clock::time_point{};
    while (!done) {
      if (StopSignalNumber && signalled == std::chrono::steady_clock::time_point{})
        signalled = std::chrono::steady_clock::now();
      if (StopSignalNumber &&
          std::chrono::steady_clock::now() - signalled > std::chrono::duration<double>(kEncoderPatience))
        KillEncoder();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  Status finished = FinishCapture();
  done = true;
  watchdog.join();
  Status encoder = StopEncoder(kEncoderPatience);
  // A broken pipe only says the encoder went; how it went says why.
  if (finished.systemError() == EPIPE && !encoder.ok()) return encoder;
  return finished.Keep(std::move(encoder));
}
}  // namespace

Status StartVideoRecording() {
  Status started = StartEncoder(ThisRun.videoFile, FrameWidth(), FrameHeight(), ThisRun.soundtrack);
  if (!started.ok()) return started;
  std::FILE* video = TakeEncoderVideoStream();
  return PrepareStreamCapture(video, TakeEncoderAudioStream());
}

void EndRecording(int signal) {
  Status failure = ThisRun.videoFile.empty() ? FinishCapture() : FinishVideoCapture();
  const CaptureTally tally = FrameWriterTally();
  const std::string ending = HowItEnded(signal, tally);
  if (ThisRun.videoFile.empty()) {
    if (!failure.ok()) Say(failure);
    failure = SayFrames(failure, ending, tally);
  } else {
    if (!failure.ok() && !ending.empty()) Say(failure);  // the last line names the cause otherwise
    failure = SettleVideo(failure, ending, tally);
  }
  if (!failure.ok() && (ThisRun.exitCode == 0 || ThisRun.exitCode == kStoppedEarly)) ThisRun.exitCode = 1;
}

}  // namespace lumaro
