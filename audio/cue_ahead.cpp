#include "audio/cue_ahead.h"

#include <libopenmpt/libopenmpt.h>
#if __has_include(<sys/syscall.h>)  // not on Windows, where the thread keeps its priority
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <algorithm>

#include "audio/module_file.h"

namespace lumaro {

namespace {
constexpr size_t kChunkFrames = 4096;  // decoded between looks at what is wanted

openmpt_module* NewDecoder(const std::vector<char>& bytes) {
  openmpt_module* decoder = nullptr;
  return LoadModuleBytes(bytes.data(), bytes.size(), "SongM.xm", &decoder).ok() ? decoder : nullptr;
}
}  // namespace

CueAhead::Entry::~Entry() {
  if (decoder) openmpt_module_destroy(decoder);
}

CueAhead::CueAhead(std::vector<char> moduleBytes) : bytes_(std::move(moduleBytes)) {}

CueAhead::~CueAhead() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

std::shared_ptr<CueAhead::Entry> CueAhead::Find(uint64_t position) {
  for (const std::shared_ptr<Entry>& entry : entries_)
    if (entry->target == position) return entry;
  return nullptr;
}

void CueAhead::Want(const std::vector<uint64_t>& positions) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::shared_ptr<Entry>> kept, spare = entries_;
  std::vector<uint64_t> missing;
  for (uint64_t position : positions) {
    auto same = std::find_if(spare.begin(), spare.end(), [&](auto& e) { return e->target == position; });
    if (same != spare.end()) {
      kept.push_back(*same);
      spare.erase(same);
    } else if (std::find(missing.begin(), missing.end(), position) == missing.end()) {
      missing.push_back(position);
    }
  }
  for (uint64_t position : missing) {
    // The idle spare standing nearest before the position saves the most decoding.
    auto best = spare.end();
    for (auto e = spare.begin(); e != spare.end(); ++e)
      if (!(*e)->busy && (*e)->decoder && !(*e)->ended && (*e)->at <= position &&
          (best == spare.end() || (*e)->at > (*best)->at))
        best = e;
    if (best != spare.end()) {
      (*best)->target = position;
      kept.push_back(*best);
      spare.erase(best);
    } else {
      kept.push_back(std::make_shared<Entry>());
      kept.back()->target = position;
    }
  }
  entries_ = std::move(kept);  // a dropped entry still being decoded goes when its chunk is done
  if (!worker_.joinable()) worker_ = std::thread(&CueAhead::Work, this);
  changed_.notify_all();
}

bool CueAhead::Ready(uint64_t position) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::shared_ptr<Entry> entry = Find(position);
  return entry && !entry->busy && entry->decoder && (entry->ended || entry->at == entry->target);
}

std::shared_ptr<CueAhead::Entry> CueAhead::NextWork() {
  for (const std::shared_ptr<Entry>& entry : entries_)
    if (!entry->ended && (!entry->decoder || entry->at < entry->target)) return entry;
  return nullptr;
}

void CueAhead::Work() {
  // Behind the drawing and the audio callback: the show never waits for this thread.
#ifdef SYS_gettid  // the page's build has no such threads, and never asks for cues ahead
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19);
#endif
  std::vector<float> scratch(2 * kChunkFrames);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    std::shared_ptr<Entry> entry;
    changed_.wait(lock, [&] { return stopping_ || (entry = NextWork()) != nullptr; });
    if (stopping_) return;
    entry->busy = true;
    const size_t frames = static_cast<size_t>(std::min<uint64_t>(kChunkFrames, entry->target - entry->at));
    lock.unlock();
    size_t got = 0;
    openmpt_module* created = nullptr;
    if (!entry->decoder)
      created = NewDecoder(bytes_);
    else
      got = openmpt_module_read_interleaved_float_stereo(entry->decoder, kMusicRate, frames, scratch.data());
    lock.lock();
    if (!entry->decoder) {
      entry->decoder = created;
      entry->ended = !created;  // the cue then decodes its own way
    } else {
      entry->at += got;
      entry->ended = got == 0;
    }
    entry->busy = false;
    changed_.notify_all();
  }
}

openmpt_module* CueAhead::Take(uint64_t position, bool* reached, uint64_t* decodedHere) {
  std::unique_lock<std::mutex> lock(mutex_);
  const std::shared_ptr<Entry> entry = Find(position);
  if (!entry) return nullptr;
  changed_.wait(lock, [&] { return !entry->busy; });
  entries_.erase(std::find(entries_.begin(), entries_.end(), entry));
  lock.unlock();
  if (!entry->decoder) entry->decoder = NewDecoder(bytes_);
  if (!entry->decoder) return nullptr;
  *decodedHere = entry->ended ? 0 : entry->target - entry->at;
  *reached = !entry->ended && SkipModuleFrames(entry->decoder, *decodedHere);
  openmpt_module* decoder = entry->decoder;
  entry->decoder = nullptr;
  return decoder;
}

}  // namespace lumaro
