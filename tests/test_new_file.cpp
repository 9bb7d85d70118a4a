#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "base/new_file.h"
#include "shell/new_file.h"

using namespace lumaro;
namespace fs = std::filesystem;

namespace {
std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class NewFile : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (!fs::is_directory(GetParam())) GTEST_SKIP() << GetParam() << " is not here";
    dir_ = fs::path(GetParam()) / ("lumaro_new_file_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }
  fs::path dir_;
};

// The plain writer every layer has, and the platform's direct one.
constexpr NewFileWriter kWriters[] = {WriteNewFile, WriteNewFileDirect};
}  // namespace

// Around the block boundary the direct part and the cached tail meet; a frame is 800 x 600.
TEST_P(NewFile, EveryByteArrivesWhateverTheSizeAndFileSystem) {
  const size_t biggest = 18 + 800 * 600 * 3;
  std::unique_ptr<uint8_t, decltype(&std::free)> data(
      static_cast<uint8_t*>(
          std::aligned_alloc(kNewFileAlignment, (biggest / kNewFileAlignment + 1) * kNewFileAlignment)),
      &std::free);
  for (size_t i = 0; i < biggest; ++i) data.get()[i] = static_cast<uint8_t>(i * 7 + i / 251);
  for (NewFileWriter write : kWriters)
    for (size_t size : {size_t{0}, size_t{1}, kNewFileAlignment - 1, kNewFileAlignment, kNewFileAlignment + 1,
                        3 * kNewFileAlignment + 18, biggest}) {
      const fs::path path = dir_ / ("f" + std::to_string(size) + (write == WriteNewFile ? "plain" : "direct"));
      ASSERT_TRUE(write(path.c_str(), data.get(), size).ok()) << size;
      const std::vector<uint8_t> back = ReadAll(path);
      ASSERT_EQ(back.size(), size);
      EXPECT_TRUE(std::equal(back.begin(), back.end(), data.get())) << size;
    }
}

TEST_P(NewFile, NothingInTheWayIsOverwrittenOrFollowed) {
  alignas(kNewFileAlignment) static uint8_t data[2 * kNewFileAlignment] = {1, 2, 3};
  std::ofstream(dir_ / "kept") << "old";
  fs::create_symlink(dir_ / "target", dir_ / "link");  // dangling: creating through it would make "target"
  for (NewFileWriter write : kWriters) {
    EXPECT_EQ(write((dir_ / "kept").c_str(), data, sizeof data).systemError(), EEXIST);
    EXPECT_EQ(ReadAll(dir_ / "kept").size(), 3u);
    EXPECT_EQ(write((dir_ / "link").c_str(), data, sizeof data).systemError(), EEXIST);
    EXPECT_FALSE(fs::exists(dir_ / "target"));
    EXPECT_EQ(write((dir_ / "no" / "such").c_str(), data, sizeof data).systemError(), ENOENT);
  }
}

// The disk the tests run on, and a memory file system (which may refuse direct writes).
INSTANTIATE_TEST_SUITE_P(FileSystems, NewFile, ::testing::Values("/var/tmp", "/dev/shm"), [](const auto& info) {
  return std::string(info.param).substr(1, 3) == "dev" ? "Memory" : "Disk";
});
