#define GL_GLEXT_PROTOTYPES 1
#include "engine/capture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "audio/soundtrack.h"
#include "base/run_state.h"
#include "engine/frame_writer.h"
#include "engine/timeline.h"

namespace lumaro {

namespace {
// The frame read into a pack buffer and not yet copied out.
struct Pending {
  bool waiting = false;
  int buffer = 0;
  uint32_t number = 0;
  float clock = 0;
  int width = 0, height = 0;
};
GLuint PackBuffers[2] = {0, 0};
size_t PackSize = 0;
Pending InFlight;
bool Started = false, Reported = false;
bool ReadDirect = false;  // straight into the writer's buffer, no pack buffer
bool Streaming = false;
int StreamWidth = 0, StreamHeight = 0;

// For comparisons: "LUMARO_SYNC_CAPTURE=1" reads and writes each frame before going on;
// "LUMARO_PACK_BUFFER=1" reads through pack buffers even where the renderer is software.
bool Switched(const char* variable) {
  const char* value = std::getenv(variable);
  return value && std::strcmp(value, "1") == 0;
}
bool Synchronous() { return Switched("LUMARO_SYNC_CAPTURE"); }

// A renderer that draws on the processor reads pixels back on it too, at once: a pack
// buffer gains no overlap there and costs one more copy of every frame.
bool SoftwareRenderer() {
  const char* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  if (!name) return false;
  for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer"})
    if (std::strstr(name, software)) return true;
  return false;
}

bool Start(FrameWriterSetup setup) {
  setup.sound = SoundtrackOn;
  setup.loop = LoopSound;
  // The music starts with the first frame of a whole show, so frame n sounds the module's
  // samples from (n - 1) frames in: a run from "-start" takes the same samples.
  setup.firstSample = static_cast<uint64_t>(FirstCaptureNumber() - 1) * SamplesPerVideoFrame;
  setup.threaded = !Synchronous();
  ReadDirect = Synchronous() || (SoftwareRenderer() && !Switched("LUMARO_PACK_BUFFER"));
  std::string why;
  if (!StartFrameWriter(setup, &why)) {
    std::fprintf(stderr, "lumaro: %s\n", why.c_str());
    return false;
  }
  Started = true;
  Reported = false;
  InFlight = {};
  return true;
}

// A free writer buffer labelled for the frame, sized for its pixels.
CapturedFrame* BufferFor(const Pending& p) {
  CapturedFrame* f = TakeFrameBuffer();
  f->number = p.number;
  f->clock = p.clock;
  f->width = p.width;
  f->height = p.height;
  f->pixels.Resize(static_cast<size_t>(p.width) * p.height * 3);
  return f;
}

// Copies the pack buffer's frame out into a writer buffer and queues it.
void Hand(const Pending& p, const void* pixels) {
  CapturedFrame* f = BufferFor(p);
  std::memcpy(f->pixels.pixels(), pixels, f->pixels.size());
  SubmitFrame(f);
}

void CollectInFlight() {
  if (!InFlight.waiting) return;
  glBindBuffer(GL_PIXEL_PACK_BUFFER, PackBuffers[InFlight.buffer]);
  if (const void* pixels = glMapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY)) {
    Hand(InFlight, pixels);
    glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  InFlight.waiting = false;
}

bool ReportFailure() {
  const std::string error = FrameWriterError();
  if (error.empty()) return false;
  if (!Reported) std::fprintf(stderr, "lumaro: %s\n", error.c_str());
  Reported = true;
  return true;
}
}  // namespace

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

uint32_t CaptureFrameTotal() {
  if (!StillTimes.empty()) return static_cast<uint32_t>(StillTimes.size());  // at most: two may share a frame
  const float end = EndTime < ShowLength ? EndTime : ShowLength;
  uint32_t total = 0;
  for (float clock = 0;;) {
    clock = clock + FrameStep;
    if (clock >= StartTime) ++total;
    if (clock >= ShowLength || clock >= end) return total;
  }
}

uint32_t FirstCaptureNumber() {
  float clock = 0;
  uint32_t number = 0;
  do clock = clock + FrameStep, ++number;
  while (clock < StartTime);
  return number;
}

namespace {
// Frames of an earlier run left in the directory would follow this run's in a video made
// from it: say so before anything is written.
void WarnAboutOldFrames(const char* directory) {
  uint32_t count = 0, lowest = UINT32_MAX, highest = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    const std::string name = entry.path().filename().string();
    const size_t digits = name.find_first_not_of("0123456789");
    if (digits < 6 || name.compare(digits, std::string::npos, ".tga") != 0) continue;
    const uint32_t number = static_cast<uint32_t>(std::strtoul(name.c_str(), nullptr, 10));
    ++count, lowest = std::min(lowest, number), highest = std::max(highest, number);
  }
  if (count)
    std::fprintf(stderr,
                 "lumaro: warning: %s already holds %u numbered frames (%06u.tga to %06u.tga); those this run "
                 "does not write stay as they are\n",
                 directory, count, lowest, highest);
}

// Warns when the frames (and the track) will not fit the free space of the directory's disk.
void WarnAboutSpace(const char* directory) {
  const uint64_t frame = 18 + static_cast<uint64_t>(ScreenWidth) * ScreenHeight * 3;
  const uint64_t track = SoundtrackOn ? uint64_t{SamplesPerVideoFrame} * 2 * sizeof(float) : 0;
  const uint64_t needed = CaptureFrameTotal() * (frame + track);
  std::error_code error;
  const std::filesystem::space_info space = std::filesystem::space(directory, error);
  if (!error && space.available < needed)
    std::fprintf(stderr, "lumaro: warning: the capture needs about %.1f GB and %s has %.1f GB free; it will not fit\n",
                 needed / 1e9, directory, space.available / 1e9);
}
}  // namespace

bool PrepareCapture(const char* directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error || !std::filesystem::is_directory(directory)) {
    std::fprintf(stderr, "lumaro: cannot create the video directory %s: %s\n", directory,
                 error ? error.message().c_str() : "not a directory");
    return false;
  }
  WarnAboutOldFrames(directory);
  WarnAboutSpace(directory);
  FrameWriterSetup setup;
  setup.directory = directory;
  Streaming = false;
  return Start(setup);
}

bool PrepareStreamCapture(std::FILE* video, std::FILE* audio) {
  FrameWriterSetup setup;
  setup.videoStream = video;
  setup.audioStream = audio;
  setup.trackFrames = CaptureFrameTotal();
  Streaming = true;
  StreamWidth = ScreenWidth;
  StreamHeight = ScreenHeight;
  return Start(setup);
}

bool CaptureFrame() {
  if (!Started || ReportFailure()) return false;
  const int width = ScreenWidth, height = ScreenHeight;
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF ||
      (Streaming && (width != StreamWidth || height != StreamHeight))) {
    std::fprintf(stderr, "lumaro: cannot capture a %d x %d frame\n", width, height);
    return false;
  }
  if (InFlight.waiting && (width != InFlight.width || height != InFlight.height)) CollectInFlight();
  const Pending now{true, InFlight.waiting ? 1 - InFlight.buffer : 0, FrameNumber, DemoClock, width, height};
  const size_t bytes = static_cast<size_t>(width) * height * 3;
  glPixelStorei(GL_PACK_ALIGNMENT, 1);  // any width, no row padding
  if (ReadDirect) {
    CapturedFrame* f = BufferFor(now);
    glReadPixels(0, 0, width, height, GL_BGR_EXT, GL_UNSIGNED_BYTE, f->pixels.pixels());
    SubmitFrame(f);
    return !ReportFailure();
  }
  if (!PackBuffers[0]) glGenBuffers(2, PackBuffers);
  if (bytes > PackSize) {
    CollectInFlight();
    for (GLuint buffer : PackBuffers) {
      glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
      glBufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STREAM_READ);
    }
    PackSize = bytes;
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, PackBuffers[now.buffer]);
  glReadPixels(0, 0, width, height, GL_BGR_EXT, GL_UNSIGNED_BYTE, nullptr);  // into the buffer, later
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  CollectInFlight();  // the frame before, long finished by now
  InFlight = now;
  return !ReportFailure();
}

bool FinishCapture() {
  if (!Started) return true;
  CollectInFlight();
  Started = false;
  std::string why;
  const bool ok = StopFrameWriter(&why);
  if (!ok && !Reported) std::fprintf(stderr, "lumaro: %s\n", why.c_str());
  return ok;
}

void ReleaseCapture() {
  FinishCapture();
  if (PackBuffers[0]) glDeleteBuffers(2, PackBuffers);
  PackBuffers[0] = PackBuffers[1] = 0;
  PackSize = 0;
}

}  // namespace lumaro
