#include "engine/frame_writer.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>
#include <thread>

#include "audio/soundtrack.h"
#include "base/new_file.h"
#include "engine/capture.h"
#include "engine/wav.h"

namespace lumaro {

namespace {
FrameWriterSetup Setup;
CapturedFrame Buffers[FrameBuffers];
std::deque<CapturedFrame*> Free, Queue;
std::mutex Lock;
std::condition_variable Changed;
std::thread Writer, TrackWriter;
bool Stopping = false, Running = false;
std::atomic<uint32_t> TrackLimit{0};  // video frames whose sound the track thread writes
std::string Error;
CaptureTally Tally;

std::FILE* Wav = nullptr;
uint32_t WavFrames = 0;
bool TrackOpen = false;
float Track[2 * SamplesPerVideoFrame];

std::string Failure(const std::string& what, int error) { return what + ": " + std::strerror(error); }

// The writer and the track thread both count what they send out.
void CountBytes(uint64_t bytes) {
  std::lock_guard<std::mutex> hold(Lock);
  Tally.bytes += bytes;
}

// Written under a hidden name and renamed whole: a frame is complete or absent.
std::string WriteTga(const CapturedFrame& f) {
  const std::string path = CaptureFileName(Setup.directory.c_str(), f.number);
  const std::string temporary = path + ".part";
  const size_t size = FrameBytes::HeaderRoom + f.pixels.size();
  EncodeCaptureHeader(f.width, f.height, f.pixels.file());
  std::remove(temporary.c_str());
  int error = WriteNewFile(temporary.c_str(), f.pixels.file(), size);  // never through a link left at the name
  if (!error && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    std::remove(temporary.c_str());
    return Failure("cannot write " + path, error);
  }
  CountBytes(size);
  return "";
}

std::string WriteTrack() {
  if (!TrackOpen) {
    std::string why;
    if (!OpenSoundtrack(Setup.moduleFile.c_str(), Setup.loop, Setup.firstSample, &why))
      std::fprintf(stderr, "lumaro: the sound track is silent: %s\n", why.c_str());
    TrackOpen = true;
  }
  RenderSoundtrack(Track, SamplesPerVideoFrame);
  std::FILE* out = Setup.videoStream ? Setup.audioStream : Wav;
  if (std::fwrite(Track, sizeof Track, 1, out) != 1)
    return Failure(Setup.videoStream ? "the video encoder stopped taking sound" : "cannot write the sound track", errno);
  WavFrames += SamplesPerVideoFrame;
  CountBytes(sizeof Track);
  return "";
}

void Fail(const std::string& error) {
  std::lock_guard<std::mutex> hold(Lock);
  if (Error.empty()) Error = error;
}

// The encoder reads its two streams at its own pace (at the start it wants seconds of sound
// before its first frame), so the sound goes out from a thread of its own: the whole
// track of the frames to come, or until the run stops.
void TrackLoop() {
  for (uint32_t frame = 0; frame < TrackLimit; ++frame) {
    const std::string error = WriteTrack();
    if (!error.empty()) return Fail(error);
  }
}

std::string Write(const CapturedFrame& f) {
  if (Setup.sound && !Setup.videoStream) {
    const std::string error = WriteTrack();
    if (!error.empty()) return error;
  }
  if (!Setup.videoStream) return WriteTga(f);
  if (std::fwrite(f.pixels.pixels(), 1, f.pixels.size(), Setup.videoStream) != f.pixels.size() ||
      std::fflush(Setup.videoStream) != 0)
    return Failure("the video encoder stopped taking frames", errno);
  CountBytes(f.pixels.size());
  return "";
}

void Record(const CapturedFrame& f, const std::string& error) {
  std::lock_guard<std::mutex> hold(Lock);
  if (!error.empty() && Error.empty()) Error = error;
  if (!error.empty()) return;
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
    const bool failed = !FrameWriterError().empty();
    Record(*f, failed ? "" : Write(*f));
    std::lock_guard<std::mutex> hold(Lock);
    Free.push_back(f);
    Changed.notify_all();
  }
}
}  // namespace

uint8_t* FrameBytes::Resize(size_t pixelBytes) {
  const size_t needed = HeaderRoom + pixelBytes;
  if (needed > capacity_) {
    const size_t rounded = (needed + NewFileAlignment - 1) / NewFileAlignment * NewFileAlignment;
    bytes_.reset(static_cast<uint8_t*>(std::aligned_alloc(NewFileAlignment, rounded)));
    if (!bytes_) throw std::bad_alloc();
    capacity_ = rounded;
  }
  size_ = pixelBytes;
  return pixels();
}

void FrameBytes::Release() {
  bytes_.reset();
  capacity_ = size_ = 0;
}

bool StartFrameWriter(const FrameWriterSetup& setup, std::string* why) {
  Setup = setup;
  Error.clear();
  Tally = {};
  Stopping = false;
  TrackOpen = false;
  WavFrames = 0;
  Free.clear();
  Queue.clear();
  for (CapturedFrame& f : Buffers) Free.push_back(&f);
  if (setup.sound && !setup.videoStream) {
    const std::string path = setup.directory + "/sound.wav";
    Wav = std::fopen(path.c_str(), "wb");
    uint8_t header[WavHeaderBytes];
    EncodeWavHeader(0, header);
    if (!Wav || std::fwrite(header, 1, sizeof header, Wav) != sizeof header) {
      *why = Failure("cannot write " + path, errno);
      if (Wav) std::fclose(Wav);
      Wav = nullptr;
      return false;
    }
  }
  if (setup.threaded) Writer = std::thread(WriterLoop);
  TrackLimit = setup.trackFrames;
  if (setup.sound && setup.videoStream) TrackWriter = std::thread(TrackLoop);
  Running = true;
  return true;
}

CapturedFrame* TakeFrameBuffer() {
  std::unique_lock<std::mutex> hold(Lock);
  Changed.wait(hold, [] { return !Free.empty(); });
  CapturedFrame* f = Free.front();
  Free.pop_front();
  return f;
}

void SubmitFrame(CapturedFrame* f) {
  if (!Setup.threaded) {
    Record(*f, FrameWriterError().empty() ? Write(*f) : "");
    std::lock_guard<std::mutex> hold(Lock);
    Free.push_back(f);
    return;
  }
  std::lock_guard<std::mutex> hold(Lock);
  Queue.push_back(f);
  Changed.notify_all();
}

std::string FrameWriterError() {
  std::lock_guard<std::mutex> hold(Lock);
  return Error;
}

bool StopFrameWriter(std::string* why) {
  if (!Running) return true;
  {
    std::lock_guard<std::mutex> hold(Lock);
    Stopping = true;
    Changed.notify_all();
  }
  if (Writer.joinable()) Writer.join();
  if (Setup.videoStream) {
    // The end of the frames first: the encoder then takes what sound it still wants.
    if (std::fclose(Setup.videoStream) != 0) Fail(Failure("the video encoder stopped taking frames", errno));
    TrackLimit = std::min<uint32_t>(TrackLimit, FrameWriterTally().frames);  // as long as the pictures
    if (TrackWriter.joinable()) TrackWriter.join();
    if (Setup.audioStream && std::fclose(Setup.audioStream) != 0)
      Fail(Failure("the video encoder stopped taking sound", errno));
    Setup.videoStream = Setup.audioStream = nullptr;
  }
  Running = false;
  CloseSoundtrack();
  if (Wav) {
    if (!FinishWav(Wav, WavFrames) && Error.empty()) Error = Failure("cannot finish the sound track", errno);
    if (std::fclose(Wav) != 0 && Error.empty()) Error = Failure("cannot finish the sound track", errno);
    Wav = nullptr;
  }
  for (CapturedFrame& f : Buffers) f.pixels.Release();
  if (why) *why = Error;
  return Error.empty();
}

CaptureTally FrameWriterTally() {
  std::lock_guard<std::mutex> hold(Lock);
  return Tally;
}

}  // namespace lumaro
