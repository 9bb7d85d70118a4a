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
#include "shell/encoder_common.h"
#include "shell/programs_posix.h"

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

std::string ReadErrorOutput() {
  std::string text;
  if (State.ErrorOutput < 0 || lseek(State.ErrorOutput, 0, SEEK_SET) != 0) return text;
  char chunk[4096];
  ssize_t got;
  while ((got = read(State.ErrorOutput, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<size_t>(got));
  return text;
}

}  // namespace

const char* EncoderSource() { return "Debian package ffmpeg"; }

bool EncoderWentAway(const Status& written) { return written.systemError() == EPIPE; }

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
  const Status started = SpawnWithPipes(EncoderArguments(part, settings, {"pipe:3", "pipe:4"}), sound ? 2 : 1,
                                        State.ErrorOutput, &spawned, kEncoderNiceness);
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
  const std::string said = ReadErrorOutput();
  if (State.ErrorOutput >= 0) close(State.ErrorOutput);
  State.ErrorOutput = -1;
  return EncoderOutcome(WIFEXITED(State.Ended) && WEXITSTATUS(State.Ended) == 0, State.Ending, said, killed);
}

std::string EncoderEnding() { return State.Ending; }

}  // namespace lumaro
