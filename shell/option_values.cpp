#include "shell/option_values.h"

#include "base/run_state.h"
#include "scenes/scene_list.h"
#include "shell/frame_fit.h"
#include "shell/run_plan.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#if __has_include(<pwd.h>)  // not on Windows
#include <pwd.h>
#include <unistd.h>
#endif

namespace lumaro {

std::string ShowLengthText() {
  char text[16];
  std::snprintf(text, sizeof text, "%g", kShowLength);
  return text;
}

namespace {
// A finite number and nothing else, or NaN.
float Number(const std::string& text) {
  if (text.empty()) return NAN;
  char* end = nullptr;
  errno = 0;
  const float value = std::strtof(text.c_str(), &end);
  return (*end == 0 && errno == 0 && std::isfinite(value)) ? value : NAN;
}
}  // namespace

Status ParseSeed(const std::string& name, const std::string& value, uint32_t* seed) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long number = std::strtoull(value.c_str(), &end, 10);
  // strtoull skips blanks and negates a minus: " -18446744073709551615" would wrap to 1.
  if (*end || errno || !std::isdigit(static_cast<unsigned char>(value[0])) || number > 0xFFFFFFFFull)
    return Status::Failure(name + "=" + value + ": the seed is a whole number from 0 to 4294967295");
  *seed = static_cast<uint32_t>(number);
  return {};
}

Status ParseSecond(const std::string& name, const std::string& value, float* second) {
  const float s = Number(value);
  const bool start = name == "-start";
  if (start ? !(s >= 0 && s < kShowLength) : !(s > 0 && s <= kShowLength))
    return Status::Failure(name + "=" + value +
                           (start ? ": the start is a demo second from 0 up to (not including) " + ShowLengthText()
                                  : ": the end is a demo second above 0, at most " + ShowLengthText()));
  *second = s;
  return {};
}

Status ParseStills(const std::string& name, const std::string& value, std::vector<float>* seconds) {
  for (size_t at = 0;;) {
    const size_t comma = value.find(',', at);
    const std::string item = value.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
    const float second = Number(item);
    if (!(second >= 0 && second < kShowLength))
      return Status::Failure(name + "=" + value + ": '" + item +
                             "' is not a demo second from 0 up to (not including) " + ShowLengthText());
    seconds->push_back(second);
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  std::sort(seconds->begin(), seconds->end());
  return {};
}

Status ParseReadback(const std::string& name, const std::string& value, Readback* readback) {
  const struct {
    const char* text;
    Readback how;
  } ways[] = {{"auto", Readback::Auto},
              {"direct", Readback::Direct},
              {"pack", Readback::PackBuffer},
              {"sync", Readback::Synchronous}};
  for (const auto& way : ways)
    if (value == way.text) return *readback = way.how, Status();
  return Status::Failure(name + "=" + value + ": the readback is auto, direct, pack or sync");
}

Status ParseWhole(const std::string& name, const std::string& value, int lowest, int highest, const char* meaning,
                  int* number) {
  char* end = nullptr;
  errno = 0;
  const long n = std::strtol(value.c_str(), &end, 10);
  if (*end || errno || !std::isdigit(static_cast<unsigned char>(value[0])) || n < lowest || n > highest)
    return Status::Failure(name + "=" + value + ": " + meaning + " is a whole number from " + std::to_string(lowest) +
                           " to " + std::to_string(highest));
  *number = static_cast<int>(n);
  return {};
}

Status ParseFrameSize(const std::string& name, const std::string& value, int* width, int* height) {
  const size_t x = value.find('x');
  const char* meaning = "each side";
  Status parsed =
      x == std::string::npos ? Status::Failure("") : ParseWhole(name, value.substr(0, x), 240, 7680, meaning, width);
  if (parsed.ok()) parsed = ParseWhole(name, value.substr(x + 1), 240, 7680, meaning, height);
  if (!parsed.ok() || *width % 2 || *height % 2)
    return Status::Failure(name + "=" + value +
                           ": the size is WIDTHxHEIGHT, both even, each from 240 to 7680 (as 1920x1080)");
  return {};
}

Status ParsePreset(const std::string& name, const std::string& value, std::string* preset) {
  for (const char* known :
       {"ultrafast", "superfast", "veryfast", "faster", "fast", "medium", "slow", "slower", "veryslow", "placebo"})
    if (value == known) return *preset = value, Status();
  return Status::Failure(name + "=" + value +
                         ": the preset is one of x264's: ultrafast superfast veryfast faster fast medium slow slower "
                         "veryslow placebo");
}

std::string ExpandHome(const std::string& path) {
  if (path != "~" && path.rfind("~/", 0) != 0) return path;
  const char* home = std::getenv("HOME");
#if __has_include(<pwd.h>)
  if (!home || !*home) {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
#else
  if (!home || !*home) home = std::getenv("USERPROFILE");  // Windows' own name for it
#endif
  return home && *home ? home + path.substr(1) : path;
}

Status ParseVideoFile(const std::string& name, const std::string& value, std::string* file) {
  if (!VideoContainerFor(value))
    return Status::Failure(name + "=" + value + ": the name must end in .mp4, .m4v, .mov or .mkv");
  *file = ExpandHome(value);
  return {};
}

const char* VideoContainerFor(const std::string& file) {
  const size_t dot = file.find_last_of('.');
  const std::string extension = dot == std::string::npos ? "" : file.substr(dot + 1);
  if (extension == "mp4" || extension == "m4v") return "mp4";
  if (extension == "mov") return "mov";
  if (extension == "mkv") return "matroska";
  return nullptr;
}

namespace {
// The frame's options: where the show is drawn in the frame, what they need beside them.
Status SettleFrame(const Given& given, RunPlan* plan) {
  const bool video = !plan->videoFile.empty();
  if (plan->videoRate != kDefaultVideoRate && !plan->VideoSave && !video && !plan->timedemo)
    return Status::Failure("-videorate sets the frame rate of -video, -videosave and -timedemo: add one of them");
  if (given.encoder && !video) return Status::Failure("-crf and -preset set the encoder of -video: add -video=FILE");
  if (plan->widescreen && !plan->frameWidth)
    return Status::Failure("-widescreen fills the frame -size gives: add -size=WxH, as -size=1920x1080");
  if (!plan->frameWidth) return {};
  if (given.sizeSwitch) return Status::Failure("-size sets the drawing size itself: leave out the -wNNN switch");
  // 4:3 in the middle of the frame, as large as it fits, or the whole frame.
  const FittedRect show = plan->widescreen ? FittedRect{0, 0, plan->frameWidth, plan->frameHeight}
                                           : FitFrame(4, 3, plan->frameWidth, plan->frameHeight);
  plan->ScreenWidth = show.width;
  plan->ScreenHeight = show.height;
  return {};
}
}  // namespace

Status SettleCombinations(const Given& given, RunPlan* plan) {
  const bool rangeGiven = given.range;
  if (!plan->stillTimes.empty()) {
    if (rangeGiven) return Status::Failure("-stills picks its own frames: leave out -start and -end");
    if (!plan->videoFile.empty()) return Status::Failure("-stills writes frame files: leave out -video");
    plan->startTime = plan->stillTimes.front();
    plan->endTime = plan->stillTimes.back();
  } else if (!(plan->endTime > plan->startTime)) {
    char text[120];
    std::snprintf(text, sizeof text, "-end=%g is not after -start=%g: the run would show nothing", plan->endTime,
                  plan->startTime);
    return Status::Failure(text);
  }
  if (plan->timedemo && (plan->VideoSave || !plan->videoFile.empty() || !plan->stillTimes.empty()))
    return Status::Failure("-timedemo times the drawing alone: leave out -videosave, -video and -stills");
  if (plan->flashCheck && (plan->VideoSave || plan->timedemo || !plan->videoFile.empty() || !plan->stillTimes.empty()))
    return Status::Failure("-flashcheck measures every frame of a stretch: leave out -videosave, -video, -stills and "
                           "-timedemo");
  // Offscreen with nothing made of it, the whole show would pass unseen; bounded by -end it
  // plays the music that long (the live music's tests run so, without a display).
  if (plan->headless && !plan->VideoSave && !plan->timedemo && !plan->flashCheck && plan->videoFile.empty() && plan->stillTimes.empty() &&
      !(plan->endTime < kShowLength))
    return Status::Failure(
        "-headless draws where nobody sees it: add what to make of it (-video=FILE, -videosave, -stills=S, "
        "-timedemo or -flashcheck), or -end=S to hear the music that long");
  if (plan->loopShow && (plan->VideoSave || plan->timedemo || plan->flashCheck || !plan->videoFile.empty() || !plan->stillTimes.empty()))
    return Status::Failure(
        "-loop is for the live show: leave out -videosave, -video, -stills, -timedemo and -flashcheck");
  // A capture plays no music live: its sound track is rendered in step with the frames
  // instead (stills have none). A timedemo has neither.
  plan->soundtrack = plan->SoundOn && plan->stillTimes.empty() && !plan->timedemo && !plan->flashCheck;
  // The flash check reads every frame back as a capture does, into the analyser.
  if (!plan->videoFile.empty() || !plan->stillTimes.empty() || plan->flashCheck) plan->VideoSave = true;
  if (plan->VideoSave || plan->timedemo) plan->SoundOn = false;
  // A video or a timedemo is drawn offscreen unless a window is asked for.
  if ((!plan->videoFile.empty() || plan->timedemo || plan->flashCheck) && plan->Fullscreen) plan->headless = true;
  return SettleFrame(given, plan);
}

}  // namespace lumaro
