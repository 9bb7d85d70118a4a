#include "audio/module_file.h"

#include <libopenmpt/libopenmpt.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "audio/xm_check.h"
#include "base/run_state.h"
#include "base/utf8_path.h"

namespace lumaro {

namespace {
#ifdef _WIN32
constexpr int kOpenFlags = O_RDONLY | O_BINARY | O_NOINHERIT;  // no FIFOs; text mode would change bytes
#else
constexpr int kOpenFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
#endif

void LogToNowhere(const char*, void*) {}

// The file's bytes, read only once it is known to be a regular file of a module's size:
// opened without waiting (a FIFO would block the open for good) and looked at first.
Status ReadModuleBytes(int fd, const std::string& name, std::vector<char>* bytes) {
  struct stat info;
  if (fstat(fd, &info) != 0) return ErrnoFailure("cannot inspect " + name, errno);
  if (!S_ISREG(info.st_mode))
    return Status::Failure(name + ": not a regular file" + (S_ISDIR(info.st_mode) ? " (a directory)" : ""));
  if (info.st_size == 0) return Status::Failure(name + ": the file is empty");
  if (static_cast<uint64_t>(info.st_size) > kMaxModuleBytes)
    return Status::Failure(name + ": " + std::to_string(info.st_size >> 20) + " MB is no music module (at most " +
                           std::to_string(kMaxModuleBytes >> 20) + " MB)");
  bytes->reserve(static_cast<size_t>(info.st_size));
  char chunk[65536];
  ssize_t got;
  while ((got = read(fd, chunk, sizeof chunk)) > 0) {
    bytes->insert(bytes->end(), chunk, chunk + got);
    if (bytes->size() > kMaxModuleBytes) return Status::Failure(name + ": grew past a music module's size");
  }
  if (got < 0) return ErrnoFailure("cannot read " + name, errno);
  if (bytes->empty()) return Status::Failure(name + ": the file is empty");
  return {};
}

// A link that leads nowhere is named as one: the bare error would speak of a file that is there.
Status OpenFailure(const std::string& fileName, int error) {
  namespace fs = std::filesystem;  // links the same way on every system
  const fs::path path = PathOf(fileName);
  std::error_code failed;
  if ((error == ENOENT || error == ELOOP) && fs::is_symlink(fs::symlink_status(path, failed))) {
    const size_t slash = fileName.rfind('/');
    const std::string where = slash == std::string::npos ? fileName + " here"
                                                         : fileName.substr(slash + 1) + " in " +
                                                               (slash == 0 ? "/" : fileName.substr(0, slash));
    if (error == ELOOP) return Status::Failure(where + " is a link that loops");
    const fs::path target = fs::read_symlink(path, failed);
    if (!failed) return Status::Failure(where + " is a link to " + target.string() + ", which does not exist");
  }
  return ErrnoFailure("cannot open " + fileName, error);
}
}  // namespace

uint64_t ModuleFramesAt(double seconds) {
  return seconds > 0 ? static_cast<uint64_t>(std::llround(seconds * kMusicRate)) : 0;
}

bool SkipModuleFrames(openmpt_module* decoder, uint64_t frames) {
  float scratch[2 * 4096];  // 32 KB on the stack: callers run on several threads
  while (frames > 0) {
    const size_t want = frames < 4096 ? static_cast<size_t>(frames) : 4096;
    const size_t got = openmpt_module_read_interleaved_float_stereo(decoder, kMusicRate, want, scratch);
    if (got == 0) return false;
    frames -= got;
  }
  return true;
}

Status ReadModuleFile(const std::string& fileName, std::vector<char>* bytes) {
  bytes->clear();
  if (fileName.empty()) return Status::Failure("no SongM.xm was found");
  const int fd = open(fileName.c_str(), kOpenFlags);
  if (fd < 0) return OpenFailure(fileName, errno);
  const Status read = ReadModuleBytes(fd, fileName, bytes);
  close(fd);
  return read;
}

Status LoadModuleFile(const std::string& fileName, openmpt_module** decoder) {
  *decoder = nullptr;
  std::vector<char> bytes;
  const Status read = ReadModuleFile(fileName, &bytes);
  if (!read.ok()) return read;
  return LoadModuleBytes(bytes.data(), bytes.size(), fileName, decoder);
}

Status LoadModuleBytes(const char* bytes, size_t size, const std::string& name, openmpt_module** decoder) {
  *decoder = nullptr;
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(bytes);
  const bool xm = LooksLikeXm(raw, size);
  if (xm) {
    const Status complete = CheckXmComplete(raw, size);
    if (!complete.ok()) return Status::Failure(name + ": " + complete.why());
  }
  int error = 0;
  const char* errorText = nullptr;
  *decoder = openmpt_module_create_from_memory2(bytes, size, LogToNowhere, nullptr, nullptr, nullptr, &error,
                                                &errorText, nullptr);
  const std::string libraryText = errorText ? errorText : "a module libopenmpt cannot read";
  if (errorText) openmpt_free_string(errorText);
  if (!*decoder)
    return Status::Failure(name + ": " +
                           (xm ? libraryText
                               : "not an XM module (no \"Extended Module:\" header), nor any other "
                                 "module libopenmpt reads"));
  openmpt_module_set_render_param(*decoder, OPENMPT_MODULE_RENDER_MASTERGAIN_MILLIBEL, kMusicGainMillibel);
  return {};
}

}  // namespace lumaro
