#include "engine/frame_files.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/new_file.h"
#include "base/utf8_path.h"
#include "engine/wav.h"

namespace lumaro {

std::string CaptureFileName(const std::string& directory, uint32_t frameNumber) {
  char name[32];
  std::snprintf(name, sizeof name, "%.6u.tga", frameNumber);
  std::string path = directory;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + name;
}

void EncodeCaptureHeader(int width, int height, uint8_t header[18]) {
  std::memset(header, 0, 18);
  header[2] = 2;  // uncompressed true colour
  header[12] = static_cast<uint8_t>(width & 0xFF);
  header[13] = static_cast<uint8_t>((width >> 8) & 0xFF);
  header[14] = static_cast<uint8_t>(height & 0xFF);
  header[15] = static_cast<uint8_t>((height >> 8) & 0xFF);
  header[16] = 24;
  header[17] = 0;  // no alpha bits, first row is the bottom row
}

Status FrameBytes::Resize(size_t pixelBytes) {
  if (pixelBytes > SIZE_MAX - kHeaderRoom - kNewFileAlignment) return Status::Failure("not enough memory");
  const size_t needed = kHeaderRoom + pixelBytes;
  if (needed > capacity_) {
    const size_t rounded = (needed + kNewFileAlignment - 1) / kNewFileAlignment * kNewFileAlignment;
    uint8_t* more = new (std::align_val_t{kNewFileAlignment}, std::nothrow) uint8_t[rounded];
    if (!more) return Status::Failure("not enough memory");
    bytes_.reset(more);
    capacity_ = rounded;
  }
  size_ = pixelBytes;
  return {};
}

void FrameBytes::Release() {
  bytes_.reset();
  capacity_ = size_ = 0;
}

Status WriteFrameFile(const std::string& path, int width, int height, const FrameBytes& pixels) {
  const std::string temporary = path + ".part";
  EncodeCaptureHeader(width, height, pixels.file());
  std::remove(temporary.c_str());
  int error = WriteNewFile(temporary.c_str(), pixels.file(), FrameBytes::kHeaderRoom + pixels.size()).systemError();
  if (!error) error = MoveOver(temporary, path);
  if (!error) return {};
  std::remove(temporary.c_str());
  return ErrnoFailure("cannot write " + path, error);
}

Status TrackFile::Open(const std::string& path) {
  path_ = path;
  frames_ = 0;
  file_ = std::fopen(path.c_str(), "wb");
  uint8_t header[kWavHeaderBytes];
  EncodeWavHeader(0, header);
  if (file_ && std::fwrite(header, 1, sizeof header, file_) == sizeof header) return {};
  const Status failed = ErrnoFailure("cannot write " + path, errno);
  if (file_) std::fclose(file_);
  file_ = nullptr;
  return failed;
}

Status TrackFile::Append(const float* stereo, uint32_t frames) {
  if (!file_) return Status::Failure("the sound track " + path_ + " is not open");
  if (std::fwrite(stereo, 2 * sizeof(float), frames, file_) != frames)
    return ErrnoFailure("cannot write the sound track " + path_, errno);
  frames_ += frames;
  return {};
}

Status TrackFile::Finish() {
  if (!file_) return {};
  Status finished;
  if (!FinishWav(file_, frames_)) finished = ErrnoFailure("cannot finish the sound track " + path_, errno);
  if (std::fclose(file_) != 0) finished.Keep(ErrnoFailure("cannot finish the sound track " + path_, errno));
  file_ = nullptr;
  std::error_code error;  // a write that failed halfway may have left part of a frame's sound
  std::filesystem::resize_file(PathOf(path_), kWavHeaderBytes + uint64_t{frames_} * 2 * sizeof(float), error);
  if (error) finished.Keep(Status::Failure("cannot finish the sound track " + path_ + ": " + error.message()));
  return finished;
}

}  // namespace lumaro
