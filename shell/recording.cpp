#include "shell/recording.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "base/report.h"
#include "base/run_state.h"
#include "base/utf8_path.h"
#include "engine/capture.h"
#include "engine/frame_files.h"
#include "engine/frame_writer.h"
#include "engine/wav.h"
#include "shell/encoder.h"

namespace lumaro {

namespace {
namespace fs = std::filesystem;
constexpr double kEncoderPatience = 3.0;  // seconds a stalled encoder gets after a stop signal
RecordingSettings Settings;

std::string Absolute(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(PathOf(path), error);
  return error ? path : Utf8Of(absolute.lexically_normal());
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
  const char* what = signal ? "interrupted" : ExitCode() == kStoppedEarly ? "stopped" : nullptr;
  if (!what) return "";
  if (tally.frames == 0) return std::string(what) + " before any frame was written";
  std::snprintf(text, sizeof text, "%s at demo time %.2f s", what, tally.lastClock);
  return text;
}

// What is on disk at the end, counted then and not taken from the writer's tally: someone
// may have removed a frame, the track or the whole folder while the run went on.
struct FramesFound {
  uint32_t count = 0, first = 0, last = 0;
  uint64_t bytes = 0;
  bool soundWhole = false;
};

FramesFound CountOnDisk(const CaptureTally& tally) {
  const uint64_t size =
      FrameBytes::kHeaderRoom + uint64_t{3} * Settings.capture.frameWidth * Settings.capture.frameHeight;
  FramesFound found;
  std::error_code error;
  for (uint32_t n = tally.first; tally.frames && n <= tally.last; ++n) {
    if (fs::file_size(PathOf(CaptureFileName(Settings.capture.directory, n)), error) != size || error) continue;
    found.first = found.count++ ? found.first : n;
    found.last = n;
    found.bytes += size;
  }
  if (Settings.capture.soundtrack && tally.frames) {
    const uint64_t samples =
        SamplesBefore(tally.last, Settings.videoRate) - SamplesBefore(tally.first - 1, Settings.videoRate);
    const uint64_t wav = fs::file_size(PathOf(Settings.capture.directory) / "sound.wav", error);
    found.soundWhole = !error && wav == kWavHeaderBytes + samples * 2 * sizeof(float);
    found.bytes += error ? 0 : wav;
  }
  return found;
}

std::string Plural(uint32_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// "12 frames, 000001.tga to 000012.tga and their sound in sound.wav", or "no frame".
std::string DescribeOnDisk(const FramesFound& found) {
  if (!found.count) return "no frame";
  char range[64];
  if (found.count == 1)
    std::snprintf(range, sizeof range, "1 frame, %06u.tga", found.first);
  else
    std::snprintf(range, sizeof range, "%u frames, %06u.tga to %06u.tga", found.count, found.first, found.last);
  return range + std::string(found.soundWhole ? " and their sound in sound.wav" : "");
}

// For a shell: in single quotes, each quote in it closed, escaped and opened again.
std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The ffmpeg command that makes these very frames and their sound one video: the numbers
// need not start at 1 (a run from -start), and the rate is the capture's.
void SayHowToJoin(const FramesFound& found) {
  if (found.count < 2 || found.count != found.last - found.first + 1) return;  // stills, or gaps
  const std::string folder = Absolute(Settings.capture.directory) + "/";
  std::string command = "ffmpeg -framerate " + std::to_string(Settings.videoRate) + " -start_number " +
                        std::to_string(found.first) + " -i " + ShellQuoted(folder + "%06d.tga");
  if (found.soundWhole) command += " -i " + ShellQuoted(folder + "sound.wav") + " -c:a aac";
  Say("to join them into a video: " + command + " -c:v libx264 -pix_fmt yuv420p lumaro.mp4");
}

// The frames (and sound.wav) on disk, in one last line with what went wrong, if anything.
Status SayFrames(Status failure, const std::string& ending, const CaptureTally& tally) {
  const FramesFound found = CountOnDisk(tally);
  // Every reason, the writer's first: files taken away may come on top of it.
  std::string why = failure.why();
  const auto add = [&why](const std::string& reason) { why += (why.empty() ? "" : ", and ") + reason; };
  if (found.count != tally.frames)
    add(std::to_string(tally.frames - found.count) + " of the " + Plural(tally.frames, "frame", "frames") +
        " written " + (tally.frames - found.count == 1 ? "is" : "are") + " gone");
  if (failure.ok() && Settings.capture.soundtrack && tally.frames && !found.soundWhole)
    add("sound.wav is gone or no longer holds the frames' sound");
  if (!why.empty() && failure.ok()) failure = Status::Failure(why);
  const std::string where =
      " in " + Absolute(Settings.capture.directory) + (found.bytes ? " (" + Megabytes(found.bytes) + ")" : "");
  if (failure.ok() && ending.empty()) {
    if (!Settings.stills) SayHowToJoin(found);
    Say("wrote " + DescribeOnDisk(found) + where);
    return failure;
  }
  const std::string head = ending.empty() ? "the capture failed" : ending;
  Say(head + (why.empty() ? "" : ": " + why) + "; on disk: " + DescribeOnDisk(found) + where);
  return failure;
}

// The video: checked, then named FILE; otherwise FILE.part stays and the line says why.
Status SettleVideo(Status failure, const std::string& ending, const CaptureTally& tally) {
  const std::string file = Absolute(Settings.encoder.file), part = EncoderPartName(file);
  std::error_code error;
  if (!fs::exists(PathOf(part), error)) {
    failure.Keep(Status::Failure("the encoder made no file " + part));
    Say("no video was written: " + (ending.empty() ? failure.why() : ending));
    return failure;
  }
  const Status checked =
      VerifyVideo(part, tally.frames, Settings.videoRate, Settings.capture.soundtrack, !ending.empty());
  if (checked.interrupted()) {
    StopRunning(StopReason::Signal, StopSignalNumber);
    Say("the video is in " + part + ", unchecked: " + checked.why());
    return failure.Keep(checked);
  }
  if (failure.ok() && ending.empty() && checked.ok()) {
    fs::rename(PathOf(part), PathOf(file), error);
    if (!error) {
      Say("wrote " + file + " (" + Plural(tally.frames, "frame", "frames") + ", " +
          Megabytes(fs::file_size(PathOf(file), error)) + ")");
      return {};
    }
    failure = Status::Failure("cannot name the video " + file + ": " + error.message());
  }
  failure.Keep(checked);
  const std::string why = !ending.empty() ? ending : failure.why();
  if (checked.ok())
    Say("the video so far is in " + part + ": " + Plural(tally.frames, "whole frame", "whole frames") + " (" + why +
        ")");
  else
    Say(part + " is left as the encoder left it: " + checked.why() + (why == checked.why() ? "" : " (" + why + ")"));
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
  if (EncoderWentAway(finished) && !encoder.ok()) return encoder;
  return finished.Keep(std::move(encoder));
}
}  // namespace

Status StartRecording(const RecordingSettings& settings) {
  Settings = settings;
  if (settings.encoder.file.empty()) return {};
  Status started = StartEncoder(settings.encoder);
  if (!started.ok()) return started;
  std::FILE* video = TakeEncoderVideoStream();
  return PrepareStreamCapture(settings.capture, video, TakeEncoderAudioStream());
}

void EndRecording(int signal) {
  Status failure = Settings.encoder.file.empty() ? FinishCapture() : FinishVideoCapture();
  if (!signal && failure.interrupted()) {  // a signal while the encoder finished, and it had to be killed
    signal = StopSignalNumber;
    StopRunning(StopReason::Signal, signal);
  }
  const CaptureTally tally = FrameWriterTally();
  const std::string ending = HowItEnded(signal, tally);
  if (Settings.encoder.file.empty()) {
    failure = SayFrames(failure, ending, tally);  // its last line names the cause
  } else {
    if (!failure.ok() && !ending.empty()) Say(failure);  // the last line names the cause otherwise
    failure = SettleVideo(failure, ending, tally);
  }
  if (!failure.ok()) MarkRunFailed();
}

}  // namespace lumaro
