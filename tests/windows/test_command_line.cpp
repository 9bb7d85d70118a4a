// The command line a program is started with splits back into the very arguments given, by
// the rules the C runtime and CommandLineToArgvW share: spaces, quotes, backslashes before
// a quote or at the end, empty arguments, letters beyond ASCII.
#include <windows.h>
// After windows.h, which it needs.
#include <gtest/gtest.h>
#include <shellapi.h>

#include "shell/programs_win.h"
#include "shell/wide.h"

namespace lumaro {
namespace {

TEST(CommandLine, SplitsBackIntoTheArgumentsGiven) {
  const std::vector<std::string> arguments = {
      "C:\\Program Files\\FFmpeg\\bin\\ffmpeg.exe",
      "-i",
      "file:C:\\video ü ж 1\\v.mp4.part",
      "",
      "say \"hi\"",
      "C:\\folder with space\\",
      "ends in two\\\\",
      "a\\\\\"b",
      "\\\\server\\share",
      "tab\there",
      "\"",
  };
  int count = 0;
  wchar_t** split = CommandLineToArgvW(CommandLineOf(arguments).c_str(), &count);
  ASSERT_NE(split, nullptr);
  std::vector<std::string> back;
  for (int k = 0; k < count; ++k) back.push_back(Utf8(split[k]));
  LocalFree(split);
  EXPECT_EQ(back, arguments);
}

}  // namespace
}  // namespace lumaro
