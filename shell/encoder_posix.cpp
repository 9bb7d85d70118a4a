#include "shell/encoder.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/run_state.h"
#include "engine/yuv420.h"
#include "shell/option_values.h"
#include "shell/programs.h"

namespace lumaro {

namespace {
struct EncoderState {
  pid_t Encoder = -1;
  std::FILE* Video = nullptr;
  std::FILE* Audio = nullptr;
  int ErrorOutput = -1;  // what ffmpeg says at error level, kept in an unnamed file
  int Ended = 0;         // its wait status
  std::string Ending;
};
EncoderState State;
constexpr size_t kStreamBuffer = 1 << 20;

// The encoder gives way to the drawing. At the lowest priority it runs on what the drawing
// leaves of the processors, and on all of them while the drawing waits for a free frame
// buffer; at equal priority it takes turns with llvmpipe's rasterising threads and every
// frame waits for the last of them. Measured on the whole show at 800 x 600 on 2 cores.
constexpr int kEncoderNiceness = 19;

// The frames come as 4:2:0 in studio range, converted with the matrix VideoMatrixFor names
// (BT.709 from 720 lines up, BT.601 below); the tags tell a player the same.
std::vector<std::string> ColourTags(int height) {
  const std::string tag = VideoMatrixFor(height) == ColourMatrix::Bt709 ? "bt709" : "smpte170m";
  return {"-colorspace", tag, "-color_primaries", tag, "-color_trc", tag, "-color_range", "tv"};
}

std::vector<std::string> EncoderArguments(const std::string& part, const EncoderSettings& settings) {
  const bool sound = settings.sound;
  const std::string size = std::to_string(EvenSide(settings.width)) + "x" + std::to_string(EvenSide(settings.height));
  const std::string rate = std::to_string(settings.videoRate);
  std::vector<std::string> args = {"ffmpeg",     "-hide_banner", "-loglevel", "error",    "-nostdin", "-y",
                                   "-probesize", "32",           "-f",        "rawvideo", "-pix_fmt", "yuv420p",
                                   "-s",         size,           "-r",        rate,       "-i",       "pipe:3"};
  if (sound)
    args.insert(args.end(),
                {"-probesize", "32", "-f", "f32le", "-ar", std::to_string(kSoundRate), "-ac", "2", "-i", "pipe:4"});
  const std::vector<std::string> colour = ColourTags(settings.height);
  args.insert(args.end(), colour.begin(), colour.end());
  args.insert(args.end(), {"-c:v", "libx264", "-preset", settings.preset, "-crf", std::to_string(settings.crf)});
  // The fast coder: a third of the default's time, no difference to hear at this rate.
  if (sound) args.insert(args.end(), {"-c:a", "aac", "-aac_coder", "fast", "-b:a", "192k"});
  // The output by ffmpeg's own file protocol and an absolute path: a name that starts with
  // '-' or holds a ':' is still just a file name.
  args.insert(args.end(), {"-movflags", "+faststart", "-f", VideoContainerFor(settings.file), "file:" + part});
  return args;
}

std::string FirstLine(const std::string& text) {
  size_t start = text.find_first_not_of("\r\n \t");
  if (start == std::string::npos) return "";
  return text.substr(start, text.find_first_of("\r\n", start) - start);
}

std::string ReadErrorOutput() {
  std::string text;
  if (State.ErrorOutput < 0 || lseek(State.ErrorOutput, 0, SEEK_SET) != 0) return text;
  char chunk[4096];
  ssize_t got;
  while ((got = read(State.ErrorOutput, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<size_t>(got));
  return text;
}

}  // namespace

std::string EncoderPartName(const std::string& file) { return file + ".part"; }

Status CheckEncoder(const std::string& file) {
  if (!VideoContainerFor(file))
    return Status::Failure("cannot tell the video format from the name " + file + " (use .mp4, .m4v, .mov or .mkv)");
  std::string encoders, probe;
  Status ran = RunAndRead({"ffmpeg", "-hide_banner", "-encoders"}, &encoders);
  if (ran.ok()) ran = RunAndRead({"ffprobe", "-version"}, &probe);
  if (ran.interrupted()) return ran;
  if (!ran.ok())
    return Status::Failure(
        "making a video needs the ffmpeg and ffprobe programs, and they do not run from PATH "
        "(Debian package ffmpeg)");
  if (encoders.find(" libx264 ") == std::string::npos || encoders.find(" aac ") == std::string::npos)
    return Status::Failure("this ffmpeg lacks the libx264 or the aac encoder");
  return {};
}

Status StartEncoder(const EncoderSettings& settings) {
  const std::string& file = settings.file;
  const bool sound = settings.sound;
  std::error_code error;
  const std::string part = std::filesystem::absolute(EncoderPartName(file), error).string();
  if (error) return Status::Failure("cannot tell where " + file + " would go: " + error.message());
  char scratch[] = "/tmp/lumaro-ffmpeg-XXXXXX";
  State.ErrorOutput = mkstemp(scratch);
  if (State.ErrorOutput >= 0) unlink(scratch);
  SpawnedProgram spawned;
  const Status started =
      SpawnWithPipes(EncoderArguments(part, settings), sound ? 2 : 1, State.ErrorOutput, &spawned, kEncoderNiceness);
  if (!started.ok()) return started;
  State.Encoder = spawned.pid;
  State.Video = fdopen(spawned.pipes[0], "wb");
  State.Audio = sound ? fdopen(spawned.pipes[1], "wb") : nullptr;
  setvbuf(State.Video, nullptr, _IOFBF, kStreamBuffer);
  if (State.Audio) setvbuf(State.Audio, nullptr, _IOFBF, kStreamBuffer);
  return {};
}

std::FILE* TakeEncoderVideoStream() { return std::exchange(State.Video, nullptr); }
std::FILE* TakeEncoderAudioStream() { return std::exchange(State.Audio, nullptr); }

void KillEncoder() {
  if (State.Encoder > 0) kill(-State.Encoder, SIGKILL);  // its group: nothing it started stays behind
}

Status StopEncoder(double patienceSeconds) {
  if (State.Encoder < 0) return Status::Failure("no encoder ran");
  if (State.Video) std::fclose(State.Video);
  if (State.Audio) std::fclose(State.Audio);
  State.Video = State.Audio = nullptr;
  const bool killed = WaitForProgram(State.Encoder, patienceSeconds, &State.Ended);
  State.Encoder = -1;
  State.Ending = WIFEXITED(State.Ended) ? "exited with code " + std::to_string(WEXITSTATUS(State.Ended))
                 : WIFSIGNALED(State.Ended)
                     ? std::string("was killed by signal ") + std::to_string(WTERMSIG(State.Ended)) + " (" +
                           strsignal(WTERMSIG(State.Ended)) + ")"
                     : "ended";
  const std::string said = FirstLine(ReadErrorOutput());
  if (State.ErrorOutput >= 0) close(State.ErrorOutput);
  State.ErrorOutput = -1;
  if (WIFEXITED(State.Ended) && WEXITSTATUS(State.Ended) == 0 && said.empty()) return {};
  if (killed)
    return Status::Interrupted("the video encoder (ffmpeg) " + State.Ending + ", still running after the stop signal");
  return Status::Failure("the video encoder (ffmpeg) " + State.Ending + (said.empty() ? "" : ": " + said));
}

std::string EncoderEnding() { return State.Ending; }

}  // namespace lumaro
