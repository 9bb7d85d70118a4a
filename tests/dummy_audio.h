// The music layer on SDL's dummy audio driver: a device that takes samples without a sound card.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>

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
