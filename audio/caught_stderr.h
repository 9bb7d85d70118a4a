// What an audio back end prints on stderr by itself (ALSA's "ALSA lib confmisc.c:767:..."
// lines when there is no sound card), caught while the audio device opens, so that the user
// reads one message of ours with its gist instead.
#pragma once
#include <string>

namespace lumaro {

class CaughtStderr {
 public:
  CaughtStderr();  // from here file 2 goes into an unnamed file
  ~CaughtStderr();
  CaughtStderr(const CaughtStderr&) = delete;
  CaughtStderr& operator=(const CaughtStderr&) = delete;
  // stderr back as it was; what was written meanwhile, in short (empty when nothing was).
  std::string Release();

 private:
  int saved_ = -1, file_ = -1;
};

// The gist of what a library printed: its first line, without ALSA's "ALSA lib FILE:LINE:
// (function) " in front of the reason.
std::string GistOf(const std::string& printed);

}  // namespace lumaro
