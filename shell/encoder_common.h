// What the encoder does the same on every system: ffmpeg's argument list, the checks before
// a run, and how its end reads. Each system's file starts it and feeds its two streams.
#pragma once
#include <string>
#include <vector>

#include "base/status.h"
#include "shell/encoder.h"

namespace lumaro {

// Where ffmpeg reads the frames and the sound: paths or protocols it takes after -i.
struct EncoderInputs {
  std::string video{};
  std::string sound{};  // unused without sound
};
std::vector<std::string> EncoderArguments(const std::string& part, const EncoderSettings& settings,
                                          const EncoderInputs& inputs);

// What the encoder's run comes to: `ending` is how it ended in words, `cleanExit` whether that
// was code 0, `errorOutput` all it printed at error level, `killed` whether we had to end it.
Status EncoderOutcome(bool cleanExit, const std::string& ending, const std::string& errorOutput, bool killed);

// Where this system's user gets ffmpeg and ffprobe, for the message when they are missing.
const char* EncoderSource();

}  // namespace lumaro
