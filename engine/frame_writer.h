// Writes captured frames (numbered TGA files, or an encoder's stream) and the sound track
// on a thread of its own, so rendering never waits on the disk. A few frame buffers go
// round between the two: the frame loop takes a free one, fills it and hands it over.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/run_state.h"
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
  uint8_t* Resize(size_t pixelBytes);        // the pixels; their contents are kept only when the size is
  uint8_t* pixels() const { return file() + kHeaderRoom; }
  uint8_t* file() const { return bytes_.get(); }  // header room and pixels
  size_t size() const { return size_; }           // pixels alone
  void Release();

 private:
  std::unique_ptr<uint8_t, decltype(&std::free)> bytes_{nullptr, &std::free};
  size_t capacity_ = 0, size_ = 0;
};

struct CapturedFrame {
  uint32_t number = 0;  // names the file
  float clock = 0;      // demo time it shows
  int width = 0, height = 0;
  FrameBytes pixels;  // BGR, bottom row first
};

struct FrameWriterSetup {
  std::string directory;             // numbered TGA files go here
  std::FILE* videoStream = nullptr;  // or frames go here (bottom row first) and no files are written
  std::FILE* audioStream = nullptr;  // the track for the encoder, written by a thread of its own
  uint32_t trackFrames = 0;          // video frames the encoder's track covers
  bool sound = false;                // render the track: sound.wav beside the files, or the audio stream
  std::string moduleFile = ThisRun.modulePath;
  bool loop = false;
  uint64_t firstSample = 0;  // the track starts this many stereo samples into the module
  bool threaded = true;      // false: every frame is written before CaptureFrame returns
};

constexpr int kFrameBuffers = 4;  // at most this many frames in memory

Status StartFrameWriter(const FrameWriterSetup& setup);
// A free buffer to fill (waits while all are in the queue); null after a failure.
CapturedFrame* TakeFrameBuffer();
void SubmitFrame(CapturedFrame* frame);
// The first write error, if any. Safe to ask from the frame loop at any time.
Status FrameWriterError();
// Writes what is queued, finishes the track's header (or closes the encoder's streams, which
// it owns), joins; the first failure of the whole capture, if any.
Status StopFrameWriter();

struct CaptureTally {
  uint32_t frames = 0, first = 0, last = 0;  // frames written whole, first and last number
  float lastClock = 0;
  uint64_t bytes = 0;
};
CaptureTally FrameWriterTally();

}  // namespace lumaro
