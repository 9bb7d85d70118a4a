// The video encoder on Windows. ffmpeg reads no inherited handle but its three standard
// ones, so the frames go to its stdin and the sound through a named pipe it opens as a file
// (\\.\pipe\lumaro-...). The sound is written into an ordinary pipe and a thread of ours
// copies it on once ffmpeg has opened the named one: a write before that would fail, and
// ffmpeg opens its inputs one after another.
#include <windows.h>
// After windows.h, which they need.
#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <utility>
#include <vector>

#include "base/utf8_path.h"
#include "shell/encoder.h"
#include "shell/encoder_common.h"
#include "shell/programs_win.h"
#include "shell/wide.h"

namespace lumaro {

namespace {
struct EncoderState {
  RunningProgram Encoder;
  std::FILE* Video = nullptr;
  std::FILE* Audio = nullptr;
  HANDLE ErrorOutput = INVALID_HANDLE_VALUE;  // what ffmpeg says at error level, in a file deleted on close
  std::thread SoundRelay;
  bool Killed = false;
  std::string Ending;
};
EncoderState State;
constexpr DWORD kStreamBuffer = 1 << 20;
constexpr DWORD kRelayChunk = 64 << 10;

HANDLE OpenScratchFile() {
  wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
  if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"lmr", 0, name)) return INVALID_HANDLE_VALUE;
  return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string ReadErrorOutput() {
  std::string text;
  if (State.ErrorOutput == INVALID_HANDLE_VALUE || SetFilePointer(State.ErrorOutput, 0, nullptr, FILE_BEGIN) != 0)
    return text;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(State.ErrorOutput, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  return text;
}

// A C stream over a pipe's write end, which it owns from here on, failing or not.
std::FILE* StreamOf(HANDLE handle) {
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
  if (fd < 0) CloseHandle(handle);
  std::FILE* stream = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
  if (fd >= 0 && !stream) _close(fd);
  if (stream) setvbuf(stream, nullptr, _IOFBF, kStreamBuffer);
  return stream;
}

// Unique to this run and this video, and ours alone: a second server cannot take the name.
HANDLE MakeSoundPipe(std::string* name) {
  static std::atomic<unsigned> count{0};
  *name = "\\\\.\\pipe\\lumaro-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count) + "-" +
          std::to_string(GetTickCount64());
  return CreateNamedPipeW(Wide(*name).c_str(),
                          PIPE_ACCESS_OUTBOUND | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
                          PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, kStreamBuffer, 0, 0, nullptr);
}

// Waits for ffmpeg to open the named pipe; false when it ended first.
bool AwaitReader(HANDLE pipe, HANDLE process, OVERLAPPED* overlapped) {
  if (ConnectNamedPipe(pipe, overlapped)) return true;
  if (GetLastError() == ERROR_PIPE_CONNECTED) return true;
  if (GetLastError() != ERROR_IO_PENDING) return false;
  const HANDLE either[2] = {overlapped->hEvent, process};
  DWORD unused = 0;
  if (WaitForMultipleObjects(2, either, FALSE, INFINITE) == WAIT_OBJECT_0)
    return GetOverlappedResult(pipe, overlapped, &unused, FALSE);
  CancelIo(pipe);
  (void)GetOverlappedResult(pipe, overlapped, &unused, TRUE);  // only waits for the cancel to land
  return false;
}

// Copies the sound on until its writer closes it or ffmpeg stops reading. Then both ends
// close: a writer still at it finds a broken pipe, as when ffmpeg itself goes.
void RelaySound(HANDLE from, HANDLE pipe, HANDLE process) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::vector<char> chunk(kRelayChunk);
  DWORD got = 0, put = 0;
  bool flowing = overlapped.hEvent && AwaitReader(pipe, process, &overlapped);
  while (flowing && ReadFile(from, chunk.data(), kRelayChunk, &got, nullptr) && got > 0) {
    const bool writing = WriteFile(pipe, chunk.data(), got, nullptr, &overlapped) || GetLastError() == ERROR_IO_PENDING;
    flowing = writing && GetOverlappedResult(pipe, &overlapped, &put, TRUE) && put == got;
  }
  if (flowing) FlushFileBuffers(pipe);  // until ffmpeg has read it all: closing drops what it has not
  CloseHandle(from);
  CloseHandle(pipe);
  if (overlapped.hEvent) CloseHandle(overlapped.hEvent);
}

// The stream the sound is written into, and the thread that copies it on into `pipe`.
Status StartSoundRelay(HANDLE pipe, HANDLE process) {
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, nullptr, kStreamBuffer)) {
    const DWORD error = GetLastError();
    CloseHandle(pipe);
    return SystemFailure("cannot make a pipe for the sound", error);
  }
  State.Audio = StreamOf(writeEnd);
  State.SoundRelay = std::thread(RelaySound, readEnd, pipe, process);
  return State.Audio ? Status() : Status::Failure("cannot open a stream for the sound");
}

void CloseErrorOutput() {
  if (State.ErrorOutput != INVALID_HANDLE_VALUE) CloseHandle(State.ErrorOutput);
  State.ErrorOutput = INVALID_HANDLE_VALUE;
}

std::string EndingOf(DWORD code, bool killed) {
  if (killed) return "was killed";
  char text[64];
  // Codes from 0xC0000000 up are the system's exceptions: an access violation, say.
  if (code >= 0xC0000000u)
    std::snprintf(text, sizeof text, "crashed (exception 0x%08lX)", static_cast<unsigned long>(code));
  else
    std::snprintf(text, sizeof text, "exited with code %lu", static_cast<unsigned long>(code));
  return text;
}
}  // namespace

const char* EncoderSource() { return "ffmpeg.exe and ffprobe.exe, from a build of FFmpeg for Windows"; }

// A write into a pipe whose reader has gone fails as EPIPE, or as EINVAL where the C
// runtime reads Windows' "the pipe is being closed" so.
bool EncoderWentAway(const Status& written) {
  return written.systemError() == EPIPE || written.systemError() == EINVAL;
}

Status StartEncoder(const EncoderSettings& settings) {
  std::error_code error;
  const std::string part = Utf8Of(std::filesystem::absolute(PathOf(EncoderPartName(settings.file)), error));
  if (error) return Status::Failure("cannot tell where " + settings.file + " would go: " + error.message());
  HANDLE frames = nullptr, framesWriter = nullptr;
  if (!CreatePipe(&frames, &framesWriter, nullptr, kStreamBuffer))
    return SystemFailure("cannot make a pipe for ffmpeg", GetLastError());
  State.ErrorOutput = OpenScratchFile();
  State.Killed = false;
  const HANDLE nothing = OpenNullDevice();
  const HANDLE errors = State.ErrorOutput != INVALID_HANDLE_VALUE ? State.ErrorOutput : nothing;
  // The sound's pipe is there before ffmpeg starts, which opens it as a file.
  std::string soundName;
  const HANDLE soundPipe = settings.sound ? MakeSoundPipe(&soundName) : INVALID_HANDLE_VALUE;
  Status started = settings.sound && soundPipe == INVALID_HANDLE_VALUE
                       ? SystemFailure("cannot make the sound's pipe for ffmpeg", GetLastError())
                       : StartProgram(EncoderArguments(part, settings, {"pipe:0", "file:" + soundName}),
                                      {frames, nothing, errors}, BELOW_NORMAL_PRIORITY_CLASS, &State.Encoder);
  CloseHandle(frames);
  if (nothing != INVALID_HANDLE_VALUE) CloseHandle(nothing);
  if (!started.ok()) {
    CloseHandle(framesWriter);
    if (soundPipe != INVALID_HANDLE_VALUE) CloseHandle(soundPipe);
    CloseErrorOutput();
    return started;
  }
  State.Video = StreamOf(framesWriter);
  if (!State.Video) return Status::Failure("cannot open a stream for the frames");
  return settings.sound ? StartSoundRelay(soundPipe, State.Encoder.process) : Status();
}

std::FILE* TakeEncoderVideoStream() { return std::exchange(State.Video, nullptr); }
std::FILE* TakeEncoderAudioStream() { return std::exchange(State.Audio, nullptr); }

void KillEncoder() {
  if (!State.Encoder.process) return;
  State.Killed = true;
  KillProgram(State.Encoder);  // its job: nothing it started stays behind
}

Status StopEncoder(double patienceSeconds) {
  if (!State.Encoder.process) return Status::Failure("no encoder ran");
  if (State.Video) std::fclose(State.Video);
  if (State.Audio) std::fclose(State.Audio);
  State.Video = State.Audio = nullptr;
  DWORD code = 1;
  const bool killed = WaitForProgram(State.Encoder, patienceSeconds, &code);
  if (State.SoundRelay.joinable()) State.SoundRelay.join();  // it ends with ffmpeg at the latest
  CloseProgram(&State.Encoder);
  State.Ending = EndingOf(code, killed || State.Killed);
  const std::string said = ReadErrorOutput();
  CloseErrorOutput();
  return EncoderOutcome(code == 0 && !killed && !State.Killed, State.Ending, said, killed);
}

std::string EncoderEnding() { return State.Ending; }

}  // namespace lumaro
