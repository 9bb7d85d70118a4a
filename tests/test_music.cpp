#include <SDL.h>
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <unistd.h>
#include <xmp.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "audio/music.h"
#include "audio/sound_library.h"
#include "tests/dummy_audio.h"
#include "tools/songgen/composition.h"

using namespace lumaro;
namespace fs = std::filesystem;

#ifndef LUMARO_SONG
#error "LUMARO_SONG names the generated module"
#endif

namespace {
std::vector<char> ReadSong() {
  std::ifstream in(LUMARO_SONG, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WaitSeconds(double s) { std::this_thread::sleep_for(std::chrono::duration<double>(s)); }
}  // namespace

// What we wrote, as libopenmpt (which plays it) and libxmp (a decoder we did not write) read it.
TEST(GeneratedModule, BothDecodersReadTheCountsWeWrote) {
  const songgen::Module written = songgen::ComposeSong();
  std::vector<char> bytes = ReadSong();
  ASSERT_FALSE(bytes.empty());
  openmpt_module* m = openmpt_module_create_from_memory2(bytes.data(), bytes.size(), nullptr, nullptr, nullptr, nullptr,
                                                         nullptr, nullptr, nullptr);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(openmpt_module_get_num_channels(m), written.channels);
  EXPECT_GE(written.channels, 8);
  EXPECT_EQ(openmpt_module_get_num_instruments(m), static_cast<int>(written.instruments.size()));
  EXPECT_EQ(openmpt_module_get_num_orders(m), static_cast<int>(written.orders.size()));
  EXPECT_EQ(openmpt_module_get_num_patterns(m), static_cast<int>(written.patterns.size()));
  const double duration = openmpt_module_get_duration_seconds(m);
  EXPECT_GE(duration, 328.0);
  EXPECT_LE(duration, 330.0);
  const char* type = openmpt_module_get_metadata(m, "type");
  EXPECT_STREQ(type, "xm");
  openmpt_free_string(type);
  openmpt_module_destroy(m);

  xmp_context context = xmp_create_context();
  ASSERT_EQ(xmp_load_module_from_memory(context, bytes.data(), static_cast<long>(bytes.size())), 0);
  xmp_module_info info;
  xmp_get_module_info(context, &info);
  EXPECT_EQ(info.mod->chn, written.channels);
  EXPECT_EQ(info.mod->ins, static_cast<int>(written.instruments.size()));
  EXPECT_EQ(info.mod->len, static_cast<int>(written.orders.size()));
  EXPECT_STREQ(info.mod->name, "Lumaro");
  for (int i = 0; i < info.mod->ins; ++i) EXPECT_EQ(info.mod->xxi[i].nsm, 1) << i;
  xmp_release_module(context);
  xmp_free_context(context);
}

TEST(GeneratedModule, IsTheSameBytesEveryTime) {
  EXPECT_EQ(songgen::EncodeModule(songgen::ComposeSong()), songgen::EncodeModule(songgen::ComposeSong()));
}

TEST_F(DummyAudio, OncePlayedModuleFinishesAndLoopedOneGoesOn) {
  SoundModule* module = LoadMusic(LUMARO_SONG);
  ASSERT_NE(module, nullptr);
  uint32_t handle = PlayOk(module, false);
  ASSERT_NE(handle, 0u);
  WaitSeconds(0.2);
  EXPECT_TRUE(SoundIsPlaying(handle));        // playing from the first frame
  ASSERT_TRUE(SoundStopModule(handle).ok());  // stopped, still loaded
  EXPECT_FALSE(SoundIsPlaying(handle));

  // Cued near its end and looped, it starts again (played once it falls silent: the live
  // music's test of a start past the end).
  ASSERT_TRUE(SoundCueModule(module, 328.5).ok());
  handle = PlayOk(module, true);
  WaitSeconds(1.0);
  EXPECT_TRUE(SoundIsPlaying(handle));
  EXPECT_EQ(SoundCueModule(module, 10).why(), "the module is playing");  // not while it plays

  const int before = SoundCallCount();
  StopOk(handle, module);
  EXPECT_EQ(SoundCallCount(), before + 2);  // one stop, one free
  EXPECT_FALSE(SoundIsPlaying(handle));
}

TEST_F(DummyAudio, BadFilesAreRefusedWithTheLibraryText) {
  const fs::path dir = fs::temp_directory_path() / ("lumaro_music_" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::vector<char> bytes = ReadSong();

  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadMusic((dir / "missing.xm").c_str()), nullptr);
  std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("Fehler beim laden des Modules"), std::string::npos) << message;

  // Cut inside the header, the patterns and the sample data: each is caught.
  for (long cut : {300L, 5000L, static_cast<long>(bytes.size()) - 1}) {
    std::ofstream(dir / "cut.xm", std::ios::binary | std::ios::trunc).write(bytes.data(), cut);
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadMusic((dir / "cut.xm").c_str()), nullptr) << cut;
    message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("truncated"), std::string::npos) << message;
    EXPECT_NE(message.find("cut.xm"), std::string::npos) << message;  // the file is named
  }

  // Random bytes over the headers: refused or played, never a crash.
  std::srand(3);
  std::vector<char> damaged = bytes;
  for (int i = 0; i < 2000; ++i) damaged[std::rand() % 4000] = static_cast<char>(std::rand());
  std::ofstream(dir / "damaged.xm", std::ios::binary).write(damaged.data(), static_cast<long>(damaged.size()));
  testing::internal::CaptureStderr();
  SoundModule* module = LoadMusic((dir / "damaged.xm").c_str());
  testing::internal::GetCapturedStderr();
  if (module) {
    uint32_t handle = PlayOk(module, false);
    WaitSeconds(0.1);
    StopOk(handle, module);
  }
  // A null module is never handed to the player: the show goes on silently.
  EXPECT_EQ(PlayOk(nullptr, false), 0u);
  StopOk(0, nullptr);
  // A handle that is not playing is a failure with its reason, not a silent success.
  EXPECT_EQ(SoundStopModule(12345).why(), "no such play handle");
  fs::remove_all(dir);
}

// A viewer's jumps cue the playing module again and again, onward and back: each cue leaves
// exactly the samples of a module cued there fresh.
TEST_F(DummyAudio, CuesOnwardAndBackLeaveTheSamplesOfAFreshCue) {
  SoundModule* fresh = LoadMusic(LUMARO_SONG);
  SoundModule* jumping = LoadMusic(LUMARO_SONG);
  ASSERT_TRUE(fresh && jumping);
  const double cues[] = {10.0, 28.0, 190.0, 20.0, 327.5, 40.0};
  for (double second : cues) {
    SCOPED_TRACE(second);
    ASSERT_TRUE(SoundCueModule(jumping, second).ok());
    ASSERT_TRUE(SoundCueModule(fresh, 0.0).ok());  // back to the start: a full decode from there
    ASSERT_TRUE(SoundCueModule(fresh, second).ok());
    EXPECT_EQ(NextSamples(jumping, 4800), NextSamples(fresh, 4800));
  }
  // A cue past the end leaves silence, and the next one starts over.
  ASSERT_TRUE(SoundCueModule(jumping, 400.0).ok());
  float none[2 * 480];
  EXPECT_EQ(SoundReadModule(jumping, none, 480), 0u);
  ASSERT_TRUE(SoundCueModule(jumping, 70.0).ok());
  ASSERT_TRUE(SoundCueModule(fresh, 0.0).ok());
  ASSERT_TRUE(SoundCueModule(fresh, 70.0).ok());
  EXPECT_EQ(NextSamples(jumping, 4800), NextSamples(fresh, 4800));
  StopOk(0, fresh);
  StopOk(0, jumping);
}
