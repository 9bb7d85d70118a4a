#include "shell/encoder_common.h"

#include "base/run_state.h"
#include "engine/yuv420.h"
#include "shell/option_values.h"
#include "shell/programs.h"

namespace lumaro {

namespace {
// The frames come as 4:2:0 in studio range, converted with the matrix VideoMatrixFor names
// (BT.709 from 720 lines up, BT.601 below); the tags tell a player the same.
std::vector<std::string> ColourTags(int height) {
  const std::string tag = VideoMatrixFor(height) == ColourMatrix::Bt709 ? "bt709" : "smpte170m";
  return {"-colorspace", tag, "-color_primaries", tag, "-color_trc", tag, "-color_range", "tv"};
}

std::string FirstLine(const std::string& text) {
  size_t start = text.find_first_not_of("\r\n \t");
  if (start == std::string::npos) return "";
  return text.substr(start, text.find_first_of("\r\n", start) - start);
}
}  // namespace

std::vector<std::string> EncoderArguments(const std::string& part, const EncoderSettings& settings,
                                          const EncoderInputs& inputs) {
  const bool sound = settings.sound;
  const std::string size = std::to_string(EvenSide(settings.width)) + "x" + std::to_string(EvenSide(settings.height));
  const std::string rate = std::to_string(settings.videoRate);
  std::vector<std::string> args = {"ffmpeg",     "-hide_banner", "-loglevel", "error",    "-nostdin", "-y",
                                   "-probesize", "32",           "-f",        "rawvideo", "-pix_fmt", "yuv420p",
                                   "-s",         size,           "-r",        rate,       "-i",       inputs.video};
  if (sound)
    args.insert(args.end(),
                {"-probesize", "32", "-f", "f32le", "-ar", std::to_string(kSoundRate), "-ac", "2", "-i", inputs.sound});
  const std::vector<std::string> colour = ColourTags(settings.height);
  args.insert(args.end(), colour.begin(), colour.end());
  args.insert(args.end(), {"-c:v", "libx264", "-preset", settings.preset, "-crf", std::to_string(settings.crf)});
  // The fast coder: a third of the default's time, no difference to hear at this rate.
  if (sound) args.insert(args.end(), {"-c:a", "aac", "-aac_coder", "fast", "-b:a", "192k"});
  // The output by ffmpeg's own file protocol and an absolute path: a name that starts with
  // '-' or holds a ':' is still just a file name.
  args.insert(args.end(), {"-movflags", "+faststart", "-f", VideoContainerFor(settings.file), "file:" + part});
  return args;
}

std::string EncoderPartName(const std::string& file) { return file + ".part"; }

Status CheckEncoder(const std::string& file) {
  if (!VideoContainerFor(file))
    return Status::Failure("cannot tell the video format from the name " + file + " (use .mp4, .m4v, .mov or .mkv)");
  std::string encoders, probe;
  Status ran = RunAndRead({"ffmpeg", "-hide_banner", "-encoders"}, &encoders);
  if (ran.ok()) ran = RunAndRead({"ffprobe", "-version"}, &probe);
  if (ran.interrupted()) return ran;
  if (!ran.ok())
    return Status::Failure("making a video needs the ffmpeg and ffprobe programs, and they do not run from PATH (" +
                           std::string(EncoderSource()) + ")");
  if (encoders.find(" libx264 ") == std::string::npos || encoders.find(" aac ") == std::string::npos)
    return Status::Failure("this ffmpeg lacks the libx264 or the aac encoder");
  return {};
}

Status EncoderOutcome(bool cleanExit, const std::string& ending, const std::string& errorOutput, bool killed) {
  const std::string said = FirstLine(errorOutput);
  if (cleanExit && said.empty()) return {};
  if (killed)
    return Status::Interrupted("the video encoder (ffmpeg) " + ending + ", still running after the stop signal");
  return Status::Failure("the video encoder (ffmpeg) " + ending + (said.empty() ? "" : ": " + said));
}

}  // namespace lumaro
