// Writes captured frames (numbered TGA files, or an encoder's stream) and the sound track
// on a thread of its own, so rendering never waits on the disk. A few frame buffers go
// round between the two: the frame loop takes a free one, fills it and hands it over.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/run_state.h"
#include "base/status.h"
#include "engine/frame_files.h"

namespace lumaro {

struct CapturedFrame {
  uint32_t number = 0;  // names the file
  float clock = 0;      // demo time it shows
  int width = 0, height = 0;
  int pixelBytes = 3;  // BGR for files; BGRA for an encoder, which takes it as 4:2:0
  FrameBytes pixels;   // bottom row first
};

struct FrameWriterSetup {
  std::string directory;             // numbered TGA files go here
  std::FILE* videoStream = nullptr;  // or frames go here (bottom row first) and no files are written
  std::FILE* audioStream = nullptr;  // the track for the encoder, written by a thread of its own
  uint32_t trackFrames = 0;          // video frames the encoder's track covers
  bool sound = false;                // render the track: sound.wav beside the files, or the audio stream
  std::string moduleFile;            // the music the track is rendered from
  bool loop = false;
  int videoRate = kDefaultVideoRate;  // frames a second: the track's samples a frame
  uint32_t firstNumber = 1;           // of the first frame: its sound starts SamplesBefore(firstNumber - 1) in
  bool threaded = true;               // false: every frame is written before CaptureFrame returns
  // Or each frame is handed here, in order, on the writer's thread, and nothing is written.
  Status (*examine)(const CapturedFrame& frame) = nullptr;
};

constexpr int kFrameBuffers = 12;  // at most this many frames in memory

Status StartFrameWriter(const FrameWriterSetup& setup);
// A free buffer to fill; waits while all are in the queue, and gives up (null) when a
// stop signal comes meanwhile: a stalled encoder must not hold the run.
CapturedFrame* TakeFrameBuffer();
void SubmitFrame(CapturedFrame* frame);
void ReturnFrameBuffer(CapturedFrame* frame);  // taken but not filled
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
