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
    const lumaro::Status started = lumaro::MusicStartup();
    ASSERT_TRUE(started.ok()) << started.why();
    ASSERT_TRUE(lumaro::SoundDeviceOpen());
  }
  void TearDown() override { EXPECT_TRUE(lumaro::MusicShutdown().ok()); }
};

// Playing and stopping that the test expects to work: the play handle, 0 on failure.
inline uint32_t PlayOk(lumaro::SoundModule* module, bool loop) {
  uint32_t handle = 0;
  const lumaro::Status playing = lumaro::PlayMusic(module, loop, &handle);
  EXPECT_TRUE(playing.ok()) << playing.why();
  return handle;
}
inline void StopOk(uint32_t playHandle, lumaro::SoundModule* module) {
  const lumaro::Status stopped = lumaro::StopMusic(playHandle, module);
  EXPECT_TRUE(stopped.ok()) << stopped.why();
}

// The module's next `frames` stereo samples, all of them there.
inline std::vector<float> NextSamples(lumaro::SoundModule* module, size_t frames) {
  std::vector<float> out(2 * frames);
  EXPECT_EQ(lumaro::SoundReadModule(module, out.data(), frames), frames);
  return out;
}
