#define GL_GLEXT_PROTOTYPES 1
#include "engine/capture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "audio/soundtrack.h"
#include "base/utf8_path.h"
#include "engine/frame_writer.h"
#include "engine/show.h"
#include "gfx/draw.h"

namespace lumaro {

namespace {
// The frame read into a pack buffer and not yet copied out: the whole frame, the drawing in
// its middle at (x, y) and black bars around it when "-size" asks for a larger frame.
struct Pending {
  bool waiting = false;
  int buffer = 0;
  uint32_t number = 0;
  float clock = 0;
  int width = 0, height = 0;
  int x = 0, y = 0, drawnWidth = 0, drawnHeight = 0;
  int pixelBytes = 3;  // BGR for files, BGRA for the encoder (GL's own order: a plain copy)
};
struct CaptureState {
  CaptureSettings settings;
  GLuint packBuffers[2] = {0, 0};
  size_t packSize = 0;
  Pending inFlight;
  bool started = false;
  Status refused;           // a frame the capture could not take
  bool readDirect = false;  // straight into the writer's buffer, no pack buffer
  bool streaming = false;
};
CaptureState State;

// A renderer that draws on the processor reads pixels back on it too, at once: a pack
// buffer gains no overlap there and costs one more copy of every frame. (Copying each frame
// into a framebuffer of its own, read a frame later, was tried too: the copy costs more
// than the overlap gains.)
bool SoftwareRenderer() {
  const char* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  if (!name) return false;
  for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer"})
    if (std::strstr(name, software)) return true;
  return false;
}

Status Start(const CaptureSettings& settings, FrameWriterSetup setup) {
  State.settings = settings;
  setup.sound = settings.soundtrack;
  setup.loop = Show().LoopSound;
  setup.moduleFile = Show().modulePath;
  if (Status module = CheckSoundtrackModule(Show(), setup.sound); !module.ok()) return module;
  setup.videoRate = Show().videoRate;
  // The music starts with the first frame of a whole show, so frame n sounds the module's
  // samples from (n - 1) frames in: a run from "-start" takes the same samples.
  setup.firstNumber = FirstCaptureNumber();
  const Readback how = settings.readback;
  const bool synchronous = how == Readback::Synchronous;
  setup.threaded = !synchronous;
  State.readDirect = synchronous || how == Readback::Direct || (how == Readback::Auto && SoftwareRenderer());
  Status started = StartFrameWriter(setup);
  if (!started.ok()) return started;
  State.started = true;
  State.refused = {};
  State.inFlight = {};
  return {};
}

// A free writer buffer labelled for the frame, sized for its pixels; null when a stop signal
// came while every buffer was still being written, or when the frame does not fit in memory
// (the capture is then refused: a huge "-size" ends it with that reason, not a crash).
CapturedFrame* BufferFor(const Pending& p) {
  CapturedFrame* f = TakeFrameBuffer();
  if (!f) return nullptr;
  if (!f->pixels.Resize(static_cast<size_t>(p.width) * p.height * p.pixelBytes).ok()) {
    ReturnFrameBuffer(f);
    State.refused.Keep(Status::Failure("not enough memory for a " + std::to_string(p.width) + " x " +
                                       std::to_string(p.height) + " frame"));
    return nullptr;
  }
  f->number = p.number;
  f->clock = p.clock;
  f->width = p.width;
  f->height = p.height;
  f->pixelBytes = p.pixelBytes;
  return f;
}

size_t DrawnBytes(const Pending& p) { return static_cast<size_t>(p.drawnWidth) * p.drawnHeight * p.pixelBytes; }

// The drawing, read tightly packed at the start of `frame`, moved to its place in the middle
// of a larger frame (rows from the last back, each to an address at or past its own) and the
// bars around it made black.
void PlaceInFrame(const Pending& p, uint8_t* frame) {
  if (p.drawnWidth == p.width && p.drawnHeight == p.height) return;
  const size_t pixel = p.pixelBytes, row = p.width * pixel, drawnRow = p.drawnWidth * pixel;
  for (int y = p.drawnHeight - 1; y >= 0; --y)
    std::memmove(frame + row * (p.y + y) + p.x * pixel, frame + drawnRow * y, drawnRow);
  std::memset(frame, 0, row * p.y);
  std::memset(frame + row * (p.y + p.drawnHeight), 0, row * (p.height - p.y - p.drawnHeight));
  for (int y = p.y; y < p.y + p.drawnHeight; ++y) {
    std::memset(frame + row * y, 0, p.x * pixel);
    std::memset(frame + row * y + p.x * pixel + drawnRow, 0, row - p.x * pixel - drawnRow);
  }
}

// Reads the drawing, tightly packed, to `into` (a pack buffer's offset, or memory).
void ReadInto(const Pending& p, void* into) {
  glPixelStorei(GL_PACK_ALIGNMENT, 1);  // any width, no row padding
  glReadPixels(0, 0, p.drawnWidth, p.drawnHeight, p.pixelBytes == 4 ? GL_BGRA_EXT : GL_BGR_EXT, GL_UNSIGNED_BYTE, into);
}

// Copies the pack buffer's frame out into a writer buffer and queues it.
void Hand(const Pending& p, const void* pixels) {
  CapturedFrame* f = BufferFor(p);
  if (!f) return;
  std::memcpy(f->pixels.pixels(), pixels, DrawnBytes(p));
  PlaceInFrame(p, f->pixels.pixels());
  SubmitFrame(f);
}

// Reads the drawing straight into a writer buffer and queues it.
Status ReadAndHand(const Pending& p) {
  CapturedFrame* f = BufferFor(p);
  if (!f) return State.refused.ok() ? Status::Failure("the capture was interrupted") : State.refused;
  ReadInto(p, f->pixels.pixels());
  PlaceInFrame(p, f->pixels.pixels());
  SubmitFrame(f);
  return {};
}

void CollectInFlight() {
  if (!State.inFlight.waiting) return;
  State.inFlight.waiting = false;
  glBindBuffer(GL_PIXEL_PACK_BUFFER, State.packBuffers[State.inFlight.buffer]);
  if (const void* pixels = glMapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY)) {
    Hand(State.inFlight, pixels);
    glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

}  // namespace

Status PrepareCapture(const CaptureSettings& settings) {
  const std::string& directory = settings.directory;
  std::error_code error;
  std::filesystem::create_directories(PathOf(directory), error);
  if (error || !std::filesystem::is_directory(PathOf(directory)))
    return Status::Failure("cannot create the video directory " + directory + ": " +
                           (error ? error.message() : "not a directory"));
  WarnAboutOldFrames(directory);
  WarnAboutSpace(settings);
  FrameWriterSetup setup;
  setup.directory = directory;
  State.streaming = false;
  return Start(settings, setup);
}

Status CheckSoundtrackModule(const ShowSettings& show, bool soundtrack) {
  if (!soundtrack || !show.modulePath.empty()) return {};
  return Status::Failure("cannot render the sound track: SongM.xm is in none of " + show.moduleSearch);
}

Status PrepareStreamCapture(const CaptureSettings& settings, std::FILE* video, std::FILE* audio) {
  FrameWriterSetup setup;
  setup.videoStream = video;
  setup.audioStream = audio;
  setup.trackFrames = CaptureFrameTotal();
  State.streaming = true;
  Status started = Start(settings, setup);
  // Refused: the encoder would wait for the rest of its input for ever, and we for it.
  if (!started.ok()) {
    std::fclose(video);
    if (audio) std::fclose(audio);
  }
  return started;
}

Status PrepareExaminedCapture(const CaptureSettings& settings, Status (*examine)(const CapturedFrame& frame)) {
  FrameWriterSetup setup;
  setup.examine = examine;
  State.streaming = false;
  return Start(settings, setup);
}

Status CaptureFrame(uint32_t frameNumber, float clock) {
  if (!State.started) return Status::Failure("no capture was started");
  Status failed = FrameWriterError();
  if (!failed.ok() || !State.refused.ok()) return failed.ok() ? State.refused : failed;
  const int width = State.settings.frameWidth, height = State.settings.frameHeight;
  const DrawingArea& drawn = CurrentDrawingArea();
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF || drawn.ScreenWidth > width ||
      drawn.ScreenHeight > height) {
    State.refused =
        Status::Failure("cannot capture a " + std::to_string(width) + " x " + std::to_string(height) + " frame");
    return State.refused;
  }
  if (State.inFlight.waiting && (width != State.inFlight.width || height != State.inFlight.height)) CollectInFlight();
  const Pending now{.waiting = true,
                    .buffer = State.inFlight.waiting ? 1 - State.inFlight.buffer : 0,
                    .number = frameNumber,
                    .clock = clock,
                    .width = width,
                    .height = height,
                    .x = (width - drawn.ScreenWidth) / 2,
                    .y = (height - drawn.ScreenHeight) / 2,
                    .drawnWidth = drawn.ScreenWidth,
                    .drawnHeight = drawn.ScreenHeight,
                    .pixelBytes = State.streaming ? 4 : 3};
  const size_t bytes = DrawnBytes(now);
  if (State.readDirect) {
    const Status read = ReadAndHand(now);
    return read.ok() ? FrameWriterError() : read;
  }
  if (!State.packBuffers[0]) glGenBuffers(2, State.packBuffers);
  if (bytes > State.packSize) {
    CollectInFlight();
    for (GLuint buffer : State.packBuffers) {
      glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
      glBufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STREAM_READ);
    }
    State.packSize = bytes;
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, State.packBuffers[now.buffer]);
  ReadInto(now, nullptr);  // into the buffer, later
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  CollectInFlight();  // the frame before, long finished by now
  State.inFlight = now;
  failed = FrameWriterError();
  return failed.ok() ? State.refused : failed;
}

Status FinishCapture() {
  if (!State.started) return {};
  CollectInFlight();
  State.started = false;
  Status finished = std::move(State.refused);
  State.refused = {};
  return finished.Keep(StopFrameWriter());
}

void ReleaseCaptureBuffers() {
  if (State.packBuffers[0]) glDeleteBuffers(2, State.packBuffers);
  State.packBuffers[0] = State.packBuffers[1] = 0;
  State.packSize = 0;
}

}  // namespace lumaro
