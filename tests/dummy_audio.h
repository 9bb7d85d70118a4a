// The music layer on SDL's dummy audio driver: a device that takes samples without a sound card.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "audio/music.h"
#include "audio/sound_library.h"

class DummyAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    lumaro::MusicStartup();
    ASSERT_TRUE(lumaro::SoundDeviceOpen()) << lumaro::SoundLastError();
  }
  void TearDown() override { lumaro::MusicShutdown(); }
};

// The module's next `frames` stereo samples, all of them there.
inline std::vector<float> NextSamples(lumaro::SoundModule* module, size_t frames) {
  std::vector<float> out(2 * frames);
  EXPECT_EQ(lumaro::SoundReadModule(module, out.data(), frames), frames);
  return out;
}
