// What a capture will write, worked out before it starts.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "audio/soundtrack.h"
#include "base/report.h"
#include "base/utf8_path.h"
#include "engine/capture.h"
#include "engine/show.h"
#include "scenes/scene_list.h"

namespace lumaro {

uint32_t CaptureFrameTotal() {
  const ShowSettings& show = Show();
  if (!show.stills.empty()) return static_cast<uint32_t>(show.stills.size());  // at most: two may share a frame
  const float end = show.end < kShowLength ? show.end : kShowLength;
  uint32_t total = 0;
  for (float clock = 0;;) {
    clock = clock + FrameStep();
    if (clock >= show.start) ++total;
    if (clock >= kShowLength || clock >= end) return total;
  }
}

uint32_t FirstCaptureNumber() {
  float clock = 0;
  uint32_t number = 0;
  do clock = clock + FrameStep(), ++number;
  while (clock < Show().start);
  return number;
}

// Frames of an earlier run left in the directory would follow this run's in a video made
// from it.
void WarnAboutOldFrames(const std::string& directory) {
  uint32_t count = 0, lowest = UINT32_MAX, highest = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(PathOf(directory), error)) {
    const std::string name = Utf8Of(entry.path().filename());
    const size_t digits = name.find_first_not_of("0123456789");
    if (digits < 6 || name.compare(digits, std::string::npos, ".tga") != 0) continue;
    const uint32_t number = static_cast<uint32_t>(std::strtoul(name.c_str(), nullptr, 10));
    ++count, lowest = std::min(lowest, number), highest = std::max(highest, number);
  }
  if (count) {
    char range[64];
    std::snprintf(range, sizeof range, "%06u.tga to %06u.tga", lowest, highest);
    Warn(directory + " already holds " + std::to_string(count) + " numbered frames (" + range +
         "); those this run does not write stay as they are");
  }
}

void WarnAboutSpace(const CaptureSettings& settings) {
  const std::string& directory = settings.directory;
  const uint64_t frame = 18 + static_cast<uint64_t>(settings.frameWidth) * settings.frameHeight * 3;
  const uint64_t track = settings.soundtrack ? (SamplesBefore(1, Show().videoRate) + 1) * 2 * sizeof(float) : 0;
  const uint64_t needed = CaptureFrameTotal() * (frame + track);
  std::error_code error;
  const std::filesystem::space_info space = std::filesystem::space(PathOf(directory), error);
  if (error || space.available >= needed) return;
  auto size = [](uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, bytes >= 1000000000 ? "%.1f GB" : "%.0f MB",
                  bytes >= 1000000000 ? bytes / 1e9 : bytes / 1e6);
    return std::string(text);
  };
  Warn("the capture needs about " + size(needed) + " and " + directory + " has " + size(space.available) +
       " free; it will not fit");
}

}  // namespace lumaro
