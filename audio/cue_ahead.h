// Decoders standing ready where a live show may cue its music next (the loop's start, the
// scenes before and after), brought there on a thread of their own at the lowest priority:
// reaching a late second from the module's start takes half a second or more, far too long
// between two frames, and a module's own seek is not exact.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct openmpt_module;

namespace lumaro {

class CueAhead {
 public:
  explicit CueAhead(std::vector<char> moduleBytes);
  ~CueAhead();
  CueAhead(const CueAhead&) = delete;
  CueAhead& operator=(const CueAhead&) = delete;

  // Keeps decoders at these positions (stereo frames from the start) and drops the others;
  // a dropped one standing before a new position is taken on from where it stands.
  void Want(const std::vector<uint64_t>& positions);
  // Whether the decoder for `position` has got there (or found the module ending before it).
  bool Ready(uint64_t position);
  // The decoder for `position`, brought the rest of the way here when still on its way, or
  // null when none was wanted there. `reached` is false when the module ends before it;
  // `decodedHere` counts the stereo frames this call decoded.
  openmpt_module* Take(uint64_t position, bool* reached, uint64_t* decodedHere);

 private:
  struct Entry {
    openmpt_module* decoder = nullptr;
    uint64_t at = 0, target = 0;
    bool ended = false, busy = false;
    ~Entry();
  };
  std::shared_ptr<Entry> Find(uint64_t position);
  std::shared_ptr<Entry> NextWork();
  void Work();

  const std::vector<char> bytes_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::shared_ptr<Entry>> entries_;  // guarded by mutex_, as are their fields
  bool stopping_ = false;
  std::thread worker_;  // started by the first Want
};

}  // namespace lumaro
