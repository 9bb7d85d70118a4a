// Reading a finished video back with ffprobe before it counts as written: a file cut short
// (a full disk while ffmpeg wrote its trailer, say) has no index, or too few frames.
#include <cmath>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "base/run_state.h"
#include "base/utf8_path.h"
#include "shell/encoder.h"
#include "shell/programs.h"

namespace lumaro {

namespace {
struct StreamCount {
  std::string type;
  long packets = -1;
};

std::vector<StreamCount> ReadStreams(const std::string& listing) {
  std::vector<StreamCount> streams;
  std::istringstream lines(listing);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // ffprobe.exe writes its lines as text: CR LF
    if (line.rfind("codec_type=", 0) == 0) streams.push_back({line.substr(11)});
    if (line.rfind("nb_read_packets=", 0) == 0 && !streams.empty())
      streams.back().packets = std::strtol(line.c_str() + 16, nullptr, 10);
  }
  return streams;
}
}  // namespace

Status VerifyVideo(const std::string& path, uint32_t frames, int videoRate, bool sound, bool cutShort) {
  std::error_code error;
  const std::string absolute = Utf8Of(std::filesystem::absolute(PathOf(path), error));
  std::string listing;
  const Status probed =
      RunAndRead({"ffprobe", "-v", "error", "-count_packets", "-show_entries", "stream=codec_type,nb_read_packets",
                  "-of", "default=noprint_wrappers=1", "file:" + absolute},
                 &listing);
  if (probed.interrupted()) return Status::Interrupted("interrupted while ffprobe read it back");
  if (!probed.ok()) return Status::Failure(path + " does not read back as a whole video");
  long video = -1, audio = -1;
  for (const StreamCount& s : ReadStreams(listing)) (s.type == "video" ? video : audio) = s.packets;
  if (video < 0) return Status::Failure(path + " holds no picture");
  if (video != static_cast<long>(frames))
    return Status::Failure(path + " holds " + std::to_string(video) + " of the " + std::to_string(frames) +
                           (frames == 1 ? " frame" : " frames") + " sent to the encoder");
  // AAC carries 1,024 samples a packet, and a packet or two of the encoder's own lead-in.
  const long expected = static_cast<long>(std::floor(static_cast<double>(SamplesBefore(frames, videoRate)) / 1024.0));
  // A run cut short sent the encoder the sound it wanted ahead of the frames: more is whole too.
  if (sound && (audio < expected - 2 || (audio > expected + 4 && !cutShort)))
    return Status::Failure(path + " holds " + std::to_string(audio < 0 ? 0 : audio) +
                           " packets of sound where its frames need about " + std::to_string(expected));
  return {};
}

}  // namespace lumaro
