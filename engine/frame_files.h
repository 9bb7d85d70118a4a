// What a capture puts on disk: numbered 24-bit TGA frames (no footer), written whole or not
// at all, and sound.wav beside them, whose header always says how much sound it holds.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "base/new_file.h"

#include "base/status.h"

namespace lumaro {

// A frame's file: DIR/000001.tga; and its 18-byte header (24-bit, first row at the bottom).
std::string CaptureFileName(const std::string& directory, uint32_t frameNumber);
void EncodeCaptureHeader(int width, int height, uint8_t header[18]);

// A frame's pixels with room for the file's header before them, on the boundary direct
// writes need: the writer sends the file out from here without copying it again.
class FrameBytes {
 public:
  static constexpr size_t kHeaderRoom = 18;  // a TGA header
  // Room for this many pixel bytes; their contents are kept only when the size is. Fails,
  // keeping what it had, when the memory cannot be had.
  Status Resize(size_t pixelBytes);
  uint8_t* pixels() const { return file() + kHeaderRoom; }
  uint8_t* file() const { return bytes_.get(); }  // header room and pixels
  size_t size() const { return size_; }           // pixels alone
  void Release();

 private:
  // Aligned new, which every system's C++ library has (Windows' C library lacks aligned_alloc).
  struct AlignedDelete {
    void operator()(uint8_t* bytes) const { ::operator delete[](bytes, std::align_val_t{kNewFileAlignment}); }
  };
  std::unique_ptr<uint8_t, AlignedDelete> bytes_{};
  size_t capacity_ = 0, size_ = 0;
};

// Writes the frame under a hidden name and renames it: complete or absent, never through
// a link left at its name.
Status WriteFrameFile(const std::string& path, int width, int height, const FrameBytes& pixels);

// sound.wav: 32-bit float stereo at the music's rate, a frame's samples at a time.
class TrackFile {
 public:
  Status Open(const std::string& path);
  Status Append(const float* stereo, uint32_t frames);
  // The header says what was appended whole, and nothing half-written stays after it.
  Status Finish();
  uint32_t frames() const { return frames_; }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  uint32_t frames_ = 0;
};

}  // namespace lumaro
