// What a capture is told before it starts: apart from the capture itself, so that the run's
// settings can hold it.
#pragma once
#include <string>

namespace lumaro {

// How captured frames come back from GL. Auto: through two pixel-pack buffers, a frame late,
// on a graphics card; straight into the writer's buffer on a software renderer (where a
// pack buffer only adds a copy). Synchronous: read and written before the next frame.
enum class Readback { Auto, Direct, PackBuffer, Synchronous };

// What a capture is told before it starts; the range and rate are the show's (engine/show.h).
struct CaptureSettings {
  std::string directory{};              // numbered TGA files and sound.wav
  int frameWidth = 0, frameHeight = 0;  // each frame, the drawing in its middle
  bool soundtrack = false;              // the music rendered as the track, in step with the frames
  Readback readback = Readback::Auto;
  bool operator==(const CaptureSettings&) const = default;
};

}  // namespace lumaro
