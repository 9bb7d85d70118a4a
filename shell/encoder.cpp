#include "shell/encoder.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace lumaro {

namespace {
pid_t Encoder = -1;
std::FILE* Video = nullptr;
std::FILE* Audio = nullptr;
std::string Target;
constexpr size_t kStreamBuffer = 1 << 20;

// The container ffmpeg should write for the file's extension, or null.
const char* ContainerFor(const std::string& file) {
  const size_t dot = file.find_last_of('.');
  const std::string extension = dot == std::string::npos ? "" : file.substr(dot + 1);
  if (extension == "mp4" || extension == "m4v") return "mp4";
  if (extension == "mov") return "mov";
  if (extension == "mkv") return "matroska";
  return nullptr;
}

// Runs a command and returns what it printed on stdout (empty when it could not run).
std::string Output(const char* command) {
  std::string text;
  if (std::FILE* pipe = popen(command, "r")) {
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, got);
    if (pclose(pipe) != 0) text.clear();
  }
  return text;
}

}  // namespace

std::string EncoderPartName(const std::string& file) { return file + ".part"; }

Status CheckEncoder(const std::string& file) {
  if (!ContainerFor(file))
    return Status::Failure("cannot tell the video format from the name " + file + " (use .mp4, .m4v, .mov or .mkv)");
  const std::string encoders = Output("ffmpeg -hide_banner -encoders 2>/dev/null");
  if (encoders.empty())
    return Status::Failure("making a video needs the ffmpeg program, and none runs from PATH (Debian package ffmpeg)");
  if (encoders.find(" libx264 ") == std::string::npos || encoders.find(" aac ") == std::string::npos)
    return Status::Failure("this ffmpeg lacks the libx264 or the aac encoder");
  return {};
}

Status StartEncoder(const std::string& file, int width, int height, bool sound) {
  int video[2], audio[2] = {-1, -1};
  if (pipe2(video, O_CLOEXEC) != 0 || (sound && pipe2(audio, O_CLOEXEC) != 0))
    return ErrnoFailure("cannot make a pipe for the encoder", errno);
  Target = file;
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  std::vector<std::string> args = {"ffmpeg",     "-hide_banner", "-loglevel", "error",    "-nostdin", "-y",
                                   "-probesize", "32",           "-f",        "rawvideo", "-pix_fmt", "bgr24",
                                   "-s",         size,           "-r",        "25",       "-i",       "pipe:3"};
  if (sound) args.insert(args.end(), {"-probesize", "32", "-f", "f32le", "-ar", "48000", "-ac", "2", "-i", "pipe:4"});
  // Rows come bottom first; an odd size is padded to the even one H.264 needs.
  args.insert(args.end(), {"-vf", "vflip,pad=ceil(iw/2)*2:ceil(ih/2)*2", "-c:v", "libx264", "-preset", "fast", "-crf",
                           "18", "-pix_fmt", "yuv420p"});
  if (sound) args.insert(args.end(), {"-c:a", "aac", "-b:a", "192k"});
  args.insert(args.end(), {"-movflags", "+faststart", "-f", ContainerFor(file), EncoderPartName(file)});
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, video[0], 3);
  if (sound) posix_spawn_file_actions_adddup2(&actions, audio[0], 4);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  const int spawned = posix_spawnp(&Encoder, "ffmpeg", &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(video[0]);
  if (sound) close(audio[0]);
  if (spawned != 0) {
    close(video[1]);
    if (sound) close(audio[1]);
    Encoder = -1;
    return ErrnoFailure("cannot start ffmpeg", spawned);
  }
  Video = fdopen(video[1], "wb");
  Audio = sound ? fdopen(audio[1], "wb") : nullptr;
  setvbuf(Video, nullptr, _IOFBF, kStreamBuffer);
  if (Audio) setvbuf(Audio, nullptr, _IOFBF, kStreamBuffer);
  return {};
}

std::FILE* TakeEncoderVideoStream() { return std::exchange(Video, nullptr); }
std::FILE* TakeEncoderAudioStream() { return std::exchange(Audio, nullptr); }

Status FinishEncoder(bool keep, bool interrupted, std::string* what) {
  if (Encoder < 0) return Status::Failure("no encoder ran");
  if (Video) std::fclose(Video);
  if (Audio) std::fclose(Audio);
  Video = Audio = nullptr;
  int status = 0;
  while (waitpid(Encoder, &status, 0) < 0 && errno == EINTR) {
  }
  Encoder = -1;
  const std::string part = EncoderPartName(Target);
  const bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (keep && clean && std::rename(part.c_str(), Target.c_str()) == 0) {
    *what = "wrote " + Target;
    return {};
  }
  if (interrupted && clean) {
    *what = "the video so far is in " + part + " (incomplete: the run was interrupted)";
    return Status::Failure(*what);
  }
  std::remove(part.c_str());
  *what = clean ? "no video written (the run failed)" : "the encoder failed; no video written";
  return Status::Failure(*what);
}

}  // namespace lumaro
