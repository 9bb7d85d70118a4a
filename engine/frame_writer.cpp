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
#include "base/report.h"
#include "engine/wav.h"

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

std::FILE* Wav = nullptr;
uint32_t WavFrames = 0;
bool TrackOpen = false;
float Track[2 * kSamplesPerVideoFrame];

// The writer and the track thread both count what they send out.
void CountBytes(uint64_t bytes) {
  std::lock_guard<std::mutex> hold(Lock);
  Tally.bytes += bytes;
}

// Written under a hidden name and renamed whole: a frame is complete or absent.
Status WriteTga(const CapturedFrame& f) {
  const std::string path = CaptureFileName(Setup.directory, f.number);
  const std::string temporary = path + ".part";
  const size_t size = FrameBytes::kHeaderRoom + f.pixels.size();
  EncodeCaptureHeader(f.width, f.height, f.pixels.file());
  std::remove(temporary.c_str());
  int error = WriteNewFile(temporary.c_str(), f.pixels.file(), size).systemError();  // never through a link
  if (!error && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    std::remove(temporary.c_str());
    return ErrnoFailure("cannot write " + path, error);
  }
  CountBytes(size);
  return {};
}

Status WriteTrack() {
  if (!TrackOpen) {
    const Status opened = OpenSoundtrack(Setup.moduleFile, Setup.loop, Setup.firstSample);
    if (!opened.ok()) Warn("the sound track is silent: " + opened.why());
    TrackOpen = true;
  }
  RenderSoundtrack(Track, kSamplesPerVideoFrame);
  std::FILE* out = Setup.videoStream ? Setup.audioStream : Wav;
  if (std::fwrite(Track, sizeof Track, 1, out) != 1)
    return ErrnoFailure(Setup.videoStream ? "the video encoder stopped taking sound" : "cannot write the sound track",
                        errno);
  WavFrames += kSamplesPerVideoFrame;
  CountBytes(sizeof Track);
  return {};
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
    Status written = WriteTrack();
    if (!written.ok()) return Fail(std::move(written));
  }
}

Status Write(const CapturedFrame& f) {
  if (Setup.sound && !Setup.videoStream) {
    Status written = WriteTrack();
    if (!written.ok()) return written;
  }
  if (!Setup.videoStream) return WriteTga(f);
  if (std::fwrite(f.pixels.pixels(), 1, f.pixels.size(), Setup.videoStream) != f.pixels.size() ||
      std::fflush(Setup.videoStream) != 0)
    return ErrnoFailure("the video encoder stopped taking frames", errno);
  CountBytes(f.pixels.size());
  return {};
}

void Record(const CapturedFrame& f, Status written) {
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
    const bool failed = !FrameWriterError().ok();
    if (!failed) Record(*f, Write(*f));
    std::lock_guard<std::mutex> hold(Lock);
    Free.push_back(f);
    Changed.notify_all();
  }
}
}  // namespace

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

uint8_t* FrameBytes::Resize(size_t pixelBytes) {
  const size_t needed = kHeaderRoom + pixelBytes;
  if (needed > capacity_) {
    const size_t rounded = (needed + kNewFileAlignment - 1) / kNewFileAlignment * kNewFileAlignment;
    bytes_.reset(static_cast<uint8_t*>(std::aligned_alloc(kNewFileAlignment, rounded)));
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

Status StartFrameWriter(const FrameWriterSetup& setup) {
  Setup = setup;
  Error = {};
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
    uint8_t header[kWavHeaderBytes];
    EncodeWavHeader(0, header);
    if (!Wav || std::fwrite(header, 1, sizeof header, Wav) != sizeof header) {
      const Status failed = ErrnoFailure("cannot write " + path, errno);
      if (Wav) std::fclose(Wav);
      Wav = nullptr;
      return failed;
    }
  }
  if (setup.threaded) Writer = std::thread(WriterLoop);
  TrackLimit = setup.trackFrames;
  if (setup.sound && setup.videoStream) TrackWriter = std::thread(TrackLoop);
  WriterRunning = true;
  return {};
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
    if (FrameWriterError().ok()) Record(*f, Write(*f));
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
  if (Setup.videoStream) {
    // The end of the frames first: the encoder then takes what sound it still wants.
    if (std::fclose(Setup.videoStream) != 0) Fail(ErrnoFailure("the video encoder stopped taking frames", errno));
    TrackLimit = std::min<uint32_t>(TrackLimit, FrameWriterTally().frames);  // as long as the pictures
    if (TrackWriter.joinable()) TrackWriter.join();
    if (Setup.audioStream && std::fclose(Setup.audioStream) != 0)
      Fail(ErrnoFailure("the video encoder stopped taking sound", errno));
    Setup.videoStream = Setup.audioStream = nullptr;
  }
  WriterRunning = false;
  CloseSoundtrack();
  if (Wav) {
    if (!FinishWav(Wav, WavFrames)) Fail(ErrnoFailure("cannot finish the sound track", errno));
    if (std::fclose(Wav) != 0) Fail(ErrnoFailure("cannot finish the sound track", errno));
    Wav = nullptr;
  }
  for (CapturedFrame& f : Buffers) f.pixels.Release();
  return FrameWriterError();
}

CaptureTally FrameWriterTally() {
  std::lock_guard<std::mutex> hold(Lock);
  return Tally;
}

}  // namespace lumaro
