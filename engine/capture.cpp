#include "engine/capture.h"

#include <GL/gl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/timeline.h"
#include "base/run_state.h"

namespace lumaro {

namespace {
std::vector<uint8_t> CaptureBuffer;  // sized to the drawing area of each frame
}

std::string CaptureFileName(const char* directory, uint32_t frameNumber) {
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

bool PrepareCapture(const char* directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error || !std::filesystem::is_directory(directory)) {
    std::fprintf(stderr, "lumaro: cannot create the video directory %s: %s\n", directory,
                 error ? error.message().c_str() : "not a directory");
    return false;
  }
  return true;
}

void ReleaseCapture() { std::vector<uint8_t>().swap(CaptureBuffer); }

bool CaptureFrame(const char* directory) {
  const int width = ScreenWidth, height = ScreenHeight;
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) {
    std::fprintf(stderr, "lumaro: cannot capture a %d x %d frame\n", width, height);
    return false;
  }
  const size_t bytes = static_cast<size_t>(width) * height * 3;
  try {
    CaptureBuffer.resize(bytes);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "lumaro: no memory for a %d x %d capture buffer\n", width, height);
    return false;
  }
  glPixelStorei(GL_PACK_ALIGNMENT, 1);  // any width, no row padding
  glReadPixels(0, 0, width, height, GL_BGR_EXT, GL_UNSIGNED_BYTE, CaptureBuffer.data());

  const std::string path = CaptureFileName(directory, FrameNumber);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "lumaro: cannot open %s for writing: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  uint8_t header[18];
  EncodeCaptureHeader(width, height, header);
  bool written = std::fwrite(header, 1, sizeof header, file) == sizeof header &&
                 std::fwrite(CaptureBuffer.data(), 1, bytes, file) == bytes;
  int writeError = errno;
  // A full disk may show only when the buffered tail is flushed.
  if (std::fclose(file) != 0 && written) {
    written = false;
    writeError = errno;
  }
  if (!written) {
    std::fprintf(stderr, "lumaro: cannot write %s: %s\n", path.c_str(), std::strerror(writeError));
    return false;
  }
  return true;
}

}  // namespace lumaro
