#include "engine/frame_writer.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/soundtrack.h"
#include "base/report.h"
#include "engine/yuv420.h"

namespace lumaro {

namespace {
// Everything the writer keeps from StartFrameWriter to StopFrameWriter.
struct WriterState {
  FrameWriterSetup setup;
  CapturedFrame buffers[kFrameBuffers];
  std::deque<CapturedFrame*> free, queue;
  std::mutex lock;  // guards free, queue, stopping, error and tally: the threads share them
  std::condition_variable changed;
  std::thread writer, trackWriter;
  bool stopping = false, running = false;
  std::atomic<uint32_t> trackLimit{0};  // video frames whose sound the track thread writes
  Status error;
  CaptureTally tally;

  TrackFile wav;
  std::vector<uint8_t> planar;  // the writer's frame for the encoder
  bool trackOpen = false;
  float track[2 * kMostSamplesPerFrame];
};
WriterState State;

// The writer and the track thread both count what they send out.
void CountBytes(uint64_t bytes) {
  std::lock_guard<std::mutex> hold(State.lock);
  State.tally.bytes += bytes;
}

// The sound of frame `number` (numbered as in a whole run) into the track buffer, from the module
// (silence without one); its stereo samples.
size_t NextTrackFrame(uint32_t number) {
  if (!State.trackOpen) {
    const Status opened =
        OpenSoundtrack(State.setup.moduleFile, State.setup.loop, SamplesBefore(State.setup.firstNumber - 1, State.setup.videoRate));
    if (!opened.ok()) Warn("the sound track is silent: " + opened.why());
    State.trackOpen = true;
  }
  const size_t samples = SamplesBefore(number, State.setup.videoRate) - SamplesBefore(number - 1, State.setup.videoRate);
  RenderSoundtrack(State.track, samples);
  return samples;
}

void Fail(Status failure) {
  std::lock_guard<std::mutex> hold(State.lock);
  State.error.Keep(std::move(failure));
}

// The encoder reads its two streams at its own pace (at the start it wants seconds of sound
// before its first frame), so the sound goes out from a thread of its own: the whole
// track of the frames to come, or until the run stops.
void TrackLoop() {
  for (uint32_t frame = 0; frame < State.trackLimit; ++frame) {
    const size_t samples = NextTrackFrame(State.setup.firstNumber + frame);
    if (std::fwrite(State.track, 2 * sizeof(float), samples, State.setup.audioStream) != samples)
      return Fail(ErrnoFailure("the video encoder stopped taking sound", errno));
    CountBytes(2 * sizeof(float) * samples);
  }
}

// A frame and its sound are one: when the sound cannot follow the frame's file, the file
// goes again, so the track and the frames on disk always match.
Status WriteToFiles(const CapturedFrame& f) {
  const std::string path = CaptureFileName(State.setup.directory, f.number);
  Status written = WriteFrameFile(path, f.width, f.height, f.pixels);
  if (!written.ok()) return written;
  if (State.setup.sound) {
    const size_t samples = NextTrackFrame(f.number);
    written = State.wav.Append(State.track, samples);
    if (!written.ok()) {
      std::remove(path.c_str());
      return written;
    }
    CountBytes(2 * sizeof(float) * samples);
  }
  CountBytes(FrameBytes::kHeaderRoom + f.pixels.size());
  return {};
}

Status Write(const CapturedFrame& f) {
  if (State.setup.examine) return State.setup.examine(f);
  if (!State.setup.videoStream) return WriteToFiles(f);
  State.planar.resize(Yuv420Bytes(f.width, f.height));
  ConvertToYuv420(f.pixels.pixels(), f.width, f.height, VideoMatrixFor(f.height), State.planar.data());
  if (std::fwrite(State.planar.data(), 1, State.planar.size(), State.setup.videoStream) != State.planar.size() ||
      std::fflush(State.setup.videoStream) != 0)
    return ErrnoFailure("the video encoder stopped taking frames", errno);
  CountBytes(State.planar.size());
  return {};
}

// Counts only frames that are whole where they went; after the first failure nothing more
// is written.
void WriteAndRecord(const CapturedFrame& f) {
  if (!FrameWriterError().ok()) return;
  Status written = Write(f);
  std::lock_guard<std::mutex> hold(State.lock);
  if (!written.ok()) {
    State.error.Keep(std::move(written));
    return;
  }
  if (State.tally.frames == 0) State.tally.first = f.number;
  State.tally.last = f.number;
  State.tally.lastClock = f.clock;
  State.tally.frames += 1;
}

void WriterLoop() {
  for (;;) {
    CapturedFrame* f;
    {
      std::unique_lock<std::mutex> hold(State.lock);
      State.changed.wait(hold, [] { return State.stopping || !State.queue.empty(); });
      if (State.queue.empty()) return;
      f = State.queue.front();
      State.queue.pop_front();
    }
    WriteAndRecord(*f);
    std::lock_guard<std::mutex> hold(State.lock);
    State.free.push_back(f);
    State.changed.notify_all();
  }
}

// The end of the frames first: the encoder then takes what sound it still wants.
void CloseStreams() {
  if (std::fclose(State.setup.videoStream) != 0) Fail(ErrnoFailure("the video encoder stopped taking frames", errno));
  State.trackLimit = std::min<uint32_t>(State.trackLimit, FrameWriterTally().frames);  // as long as the pictures
  if (State.trackWriter.joinable()) State.trackWriter.join();
  if (State.setup.audioStream && std::fclose(State.setup.audioStream) != 0)
    Fail(ErrnoFailure("the video encoder stopped taking sound", errno));
  State.setup.videoStream = State.setup.audioStream = nullptr;
}
}  // namespace

Status StartFrameWriter(const FrameWriterSetup& setup) {
  State.setup = setup;
  State.error = {};
  State.tally = {};
  State.stopping = false;
  State.trackOpen = false;
  State.free.clear();
  State.queue.clear();
  for (CapturedFrame& f : State.buffers) State.free.push_back(&f);
  if (setup.sound && !setup.videoStream) {
    Status opened = State.wav.Open(setup.directory + "/sound.wav");
    if (!opened.ok()) return opened;
  }
  if (setup.threaded) State.writer = std::thread(WriterLoop);
  State.trackLimit = setup.trackFrames;
  if (setup.sound && setup.videoStream) State.trackWriter = std::thread(TrackLoop);
  State.running = true;
  return {};
}

CapturedFrame* TakeFrameBuffer() {
  std::unique_lock<std::mutex> hold(State.lock);
  while (State.free.empty()) {
    if (StopSignalNumber) return nullptr;
    State.changed.wait_for(hold, std::chrono::milliseconds(100));
  }
  CapturedFrame* f = State.free.front();
  State.free.pop_front();
  return f;
}

void SubmitFrame(CapturedFrame* f) {
  if (!State.setup.threaded) {
    WriteAndRecord(*f);
    std::lock_guard<std::mutex> hold(State.lock);
    State.free.push_back(f);
    return;
  }
  std::lock_guard<std::mutex> hold(State.lock);
  State.queue.push_back(f);
  State.changed.notify_all();
}

void ReturnFrameBuffer(CapturedFrame* f) {
  std::lock_guard<std::mutex> hold(State.lock);
  State.free.push_back(f);
  State.changed.notify_all();
}

Status FrameWriterError() {
  std::lock_guard<std::mutex> hold(State.lock);
  return State.error;
}

Status StopFrameWriter() {
  if (!State.running) return {};
  {
    std::lock_guard<std::mutex> hold(State.lock);
    State.stopping = true;
    State.changed.notify_all();
  }
  if (State.writer.joinable()) State.writer.join();
  if (State.setup.videoStream) CloseStreams();
  State.running = false;
  CloseSoundtrack();
  Fail(State.wav.Finish());
  for (CapturedFrame& f : State.buffers) f.pixels.Release();
  State.planar = {};
  return FrameWriterError();
}

CaptureTally FrameWriterTally() {
  std::lock_guard<std::mutex> hold(State.lock);
  return State.tally;
}

}  // namespace lumaro
