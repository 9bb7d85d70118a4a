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
FrameWriterSetup Setup;
CapturedFrame Buffers[kFrameBuffers];
std::deque<CapturedFrame*> Free, Queue;
std::mutex Lock;
std::condition_variable Changed;
std::thread Writer, TrackWriter;
bool Stopping = false, WriterRunning = false;
std::atomic<uint32_t> TrackLimit{0};  // video frames whose sound the track thread writes
Status Error;
CaptureTally Tally;

TrackFile Wav;
std::vector<uint8_t> Planar;  // the writer's frame for the encoder
bool TrackOpen = false;
float Track[2 * kMostSamplesPerFrame];

// The writer and the track thread both count what they send out.
void CountBytes(uint64_t bytes) {
  std::lock_guard<std::mutex> hold(Lock);
  Tally.bytes += bytes;
}

// The sound of frame `number` (numbered as in a whole run) into Track, from the module
// (silence without one); its stereo samples.
size_t NextTrackFrame(uint32_t number) {
  if (!TrackOpen) {
    const Status opened = OpenSoundtrack(Setup.moduleFile, Setup.loop, SamplesBefore(Setup.firstNumber - 1));
    if (!opened.ok()) Warn("the sound track is silent: " + opened.why());
    TrackOpen = true;
  }
  const size_t samples = SamplesBefore(number) - SamplesBefore(number - 1);
  RenderSoundtrack(Track, samples);
  return samples;
}

void Fail(Status failure) {
  std::lock_guard<std::mutex> hold(Lock);
  Error.Keep(std::move(failure));
}

// The encoder reads its two streams at its own pace (at the start it wants seconds of sound
// before its first frame), so the sound goes out from a thread of its own: the whole
// track of the frames to come, or until the run stops.
void TrackLoop() {
  for (uint32_t frame = 0; frame < TrackLimit; ++frame) {
    const size_t samples = NextTrackFrame(Setup.firstNumber + frame);
    if (std::fwrite(Track, 2 * sizeof(float), samples, Setup.audioStream) != samples)
      return Fail(ErrnoFailure("the video encoder stopped taking sound", errno));
    CountBytes(2 * sizeof(float) * samples);
  }
}

// A frame and its sound are one: when the sound cannot follow the frame's file, the file
// goes again, so the track and the frames on disk always match.
Status WriteToFiles(const CapturedFrame& f) {
  const std::string path = CaptureFileName(Setup.directory, f.number);
  Status written = WriteFrameFile(path, f.width, f.height, f.pixels);
  if (!written.ok()) return written;
  if (Setup.sound) {
    const size_t samples = NextTrackFrame(f.number);
    written = Wav.Append(Track, samples);
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
  if (!Setup.videoStream) return WriteToFiles(f);
  Planar.resize(Yuv420Bytes(f.width, f.height));
  ConvertToYuv420(f.pixels.pixels(), f.width, f.height, VideoMatrixFor(f.height), Planar.data());
  if (std::fwrite(Planar.data(), 1, Planar.size(), Setup.videoStream) != Planar.size() ||
      std::fflush(Setup.videoStream) != 0)
    return ErrnoFailure("the video encoder stopped taking frames", errno);
  CountBytes(Planar.size());
  return {};
}

// Counts only frames that are whole where they went; after the first failure nothing more
// is written.
void WriteAndRecord(const CapturedFrame& f) {
  if (!FrameWriterError().ok()) return;
  Status written = Write(f);
  std::lock_guard<std::mutex> hold(Lock);
  if (!written.ok()) {
    Error.Keep(std::move(written));
    return;
  }
  if (Tally.frames == 0) Tally.first = f.number;
  Tally.last = f.number;
  Tally.lastClock = f.clock;
  Tally.frames += 1;
}

void WriterLoop() {
  for (;;) {
    CapturedFrame* f;
    {
      std::unique_lock<std::mutex> hold(Lock);
      Changed.wait(hold, [] { return Stopping || !Queue.empty(); });
      if (Queue.empty()) return;
      f = Queue.front();
      Queue.pop_front();
    }
    WriteAndRecord(*f);
    std::lock_guard<std::mutex> hold(Lock);
    Free.push_back(f);
    Changed.notify_all();
  }
}

// The end of the frames first: the encoder then takes what sound it still wants.
void CloseStreams() {
  if (std::fclose(Setup.videoStream) != 0) Fail(ErrnoFailure("the video encoder stopped taking frames", errno));
  TrackLimit = std::min<uint32_t>(TrackLimit, FrameWriterTally().frames);  // as long as the pictures
  if (TrackWriter.joinable()) TrackWriter.join();
  if (Setup.audioStream && std::fclose(Setup.audioStream) != 0)
    Fail(ErrnoFailure("the video encoder stopped taking sound", errno));
  Setup.videoStream = Setup.audioStream = nullptr;
}
}  // namespace

Status StartFrameWriter(const FrameWriterSetup& setup) {
  Setup = setup;
  Error = {};
  Tally = {};
  Stopping = false;
  TrackOpen = false;
  Free.clear();
  Queue.clear();
  for (CapturedFrame& f : Buffers) Free.push_back(&f);
  if (setup.sound && !setup.videoStream) {
    Status opened = Wav.Open(setup.directory + "/sound.wav");
    if (!opened.ok()) return opened;
  }
  if (setup.threaded) Writer = std::thread(WriterLoop);
  TrackLimit = setup.trackFrames;
  if (setup.sound && setup.videoStream) TrackWriter = std::thread(TrackLoop);
  WriterRunning = true;
  return {};
}

CapturedFrame* TakeFrameBuffer() {
  std::unique_lock<std::mutex> hold(Lock);
  while (Free.empty()) {
    if (StopSignalNumber) return nullptr;
    Changed.wait_for(hold, std::chrono::milliseconds(100));
  }
  CapturedFrame* f = Free.front();
  Free.pop_front();
  return f;
}

void SubmitFrame(CapturedFrame* f) {
  if (!Setup.threaded) {
    WriteAndRecord(*f);
    std::lock_guard<std::mutex> hold(Lock);
    Free.push_back(f);
    return;
  }
  std::lock_guard<std::mutex> hold(Lock);
  Queue.push_back(f);
  Changed.notify_all();
}

Status FrameWriterError() {
  std::lock_guard<std::mutex> hold(Lock);
  return Error;
}

Status StopFrameWriter() {
  if (!WriterRunning) return {};
  {
    std::lock_guard<std::mutex> hold(Lock);
    Stopping = true;
    Changed.notify_all();
  }
  if (Writer.joinable()) Writer.join();
  if (Setup.videoStream) CloseStreams();
  WriterRunning = false;
  CloseSoundtrack();
  Fail(Wav.Finish());
  for (CapturedFrame& f : Buffers) f.pixels.Release();
  Planar = {};
  return FrameWriterError();
}

CaptureTally FrameWriterTally() {
  std::lock_guard<std::mutex> hold(Lock);
  return Tally;
}

}  // namespace lumaro
