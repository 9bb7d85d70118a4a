// The video encoder: Debian's ffmpeg program, fed raw frames and the sound track through
// two pipes, writing FILE.part, which becomes FILE only once ffmpeg has finished cleanly.
#pragma once
#include <cstdio>
#include <string>

namespace lumaro {

// ffmpeg on PATH with the H.264 and AAC encoders, and a container we know for the name's
// extension (.mp4, .m4v, .mov, .mkv). False with what is wrong.
bool CheckEncoder(const std::string& file, std::string* why);
// Starts ffmpeg for width x height frames (bottom row first, BGR) at 25 a second, with a
// 48 kHz float stereo track when `sound`. Its own process group: Ctrl+C reaches only us.
bool StartEncoder(const std::string& file, int width, int height, bool sound, std::string* why);
// The streams, once: whoever takes them closes them.
std::FILE* TakeEncoderVideoStream();
std::FILE* TakeEncoderAudioStream();  // null without sound
// Ends the streams not taken and waits for ffmpeg. With `keep` and a clean exit FILE.part becomes
// FILE; an interrupted run keeps FILE.part (ffmpeg closes it playable); a failed one
// removes it. Returns whether FILE was written; `what` tells the user what is on disk.
bool FinishEncoder(bool keep, bool interrupted, std::string* what);
std::string EncoderPartName(const std::string& file);

}  // namespace lumaro
