// The video encoder: the ffmpeg program, fed raw frames and the sound track through two
// pipes (Windows: its stdin and a named pipe), writing FILE.part. A video counts as written only when ffmpeg ended
// cleanly, said nothing at error level, and ffprobe reads the file back whole.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/run_state.h"
#include "base/status.h"

namespace lumaro {

// What one video is made as; the run's options give every field (shell/options.cpp holds
// x264's defaults with the options that change them).
struct EncoderSettings {
  std::string file{};         // FILE; written as FILE.part until it is checked
  int width = 0, height = 0;  // each frame
  int videoRate = kDefaultVideoRate;
  bool sound = false;    // a 48 kHz float stereo track beside the frames
  int crf = 0;           // x264's quality
  std::string preset{};  // and speed
};

// ffmpeg and ffprobe on PATH, ffmpeg with the H.264 and AAC encoders, and a container we know
// for the name's extension (.mp4, .m4v, .mov, .mkv).
Status CheckEncoder(const std::string& file);
// Starts ffmpeg for the settings' frames (4:2:0, converted by the frame writer), with the
// track when asked. It writes FILE.part, handed to it as a path
// (never read as an option or a protocol), and runs in a process group (Windows: a job, with no
// console) of its own: Ctrl+C and a closed terminal reach only us, and we end it.
Status StartEncoder(const EncoderSettings& settings);
// The streams, once: whoever takes them closes them.
std::FILE* TakeEncoderVideoStream();
std::FILE* TakeEncoderAudioStream();  // null without sound

// Closes the streams not taken and waits for ffmpeg to end; one that is stalled after a stop
// signal is given `patience` seconds and then killed with its process group. What went
// wrong, if anything: how it ended, and the first line it printed at error level.
Status StopEncoder(double patienceSeconds);
// At once: ffmpeg and its process group (a stalled encoder holding a writer).
void KillEncoder();
// Whether a write into its streams failed only because ffmpeg had gone (a broken pipe): then
// how it ended says why.
bool EncoderWentAway(const Status& written);
// How the last ffmpeg ended, in words ("exited with code 1", "was killed by signal 9").
std::string EncoderEnding();

// The finished file read back by ffprobe: a complete container with `frames` video frames
// and, with `sound`, a track about as long as them (or longer, when the run was cut short:
// the encoder takes its sound ahead of the frames).
Status VerifyVideo(const std::string& path, uint32_t frames, int videoRate, bool sound, bool cutShort = false);
std::string EncoderPartName(const std::string& file);

}  // namespace lumaro
