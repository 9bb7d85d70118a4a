// Finished files arrive under their names by a rename that replaces what is there: a
// second capture into the same folder, a timedemo's CSV written again (C's rename refuses
// to replace on Windows).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "base/new_file.h"

using namespace lumaro;
namespace fs = std::filesystem;

namespace {
std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MoveOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Its own folder: ctest runs the tests of a suite side by side.
    dir_ = fs::temp_directory_path() / ("lumaro_move_over_" + std::to_string(std::random_device{}()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  fs::path dir_;
};
}  // namespace

TEST_F(MoveOverTest, ReplacesAFileThatIsThere) {
  ASSERT_TRUE(WriteWholeFile(Path("table.csv"), "old\n").ok());
  ASSERT_TRUE(WriteWholeFile(Path("table.csv"), "new\n").ok());
  EXPECT_EQ(Contents(Path("table.csv")), "new\n");
  EXPECT_FALSE(fs::exists(Path("table.csv.part")));
}

TEST_F(MoveOverTest, GivesTheReasonWhenTheSourceIsMissing) {
  EXPECT_NE(MoveOver(Path("absent"), Path("there")), 0);
  EXPECT_FALSE(fs::exists(Path("there")));
}
