// The video encoder: Debian's ffmpeg program, fed raw frames and the sound track through
// two pipes, writing FILE.part, which becomes FILE only once ffmpeg has finished cleanly.
#pragma once
#include <cstdio>
#include <string>

#include "base/status.h"

namespace lumaro {

// ffmpeg on PATH with the H.264 and AAC encoders, and a container we know for the name's
// extension (.mp4, .m4v, .mov, .mkv).
Status CheckEncoder(const std::string& file);
// Starts ffmpeg for width x height frames (bottom row first, BGR) at 25 a second, with a
// 48 kHz float stereo track when `sound`. Its own process group: Ctrl+C reaches only us.
Status StartEncoder(const std::string& file, int width, int height, bool sound);
// The streams, once: whoever takes them closes them.
std::FILE* TakeEncoderVideoStream();
std::FILE* TakeEncoderAudioStream();  // null without sound
// Ends the streams not taken and waits for ffmpeg. With `keep` and a clean exit FILE.part becomes
// FILE; an interrupted run keeps FILE.part (ffmpeg closes it playable); a failed one
// removes it. Success means FILE was written; `what` tells the user what is on disk.
Status FinishEncoder(bool keep, bool interrupted, std::string* what);
std::string EncoderPartName(const std::string& file);

}  // namespace lumaro
