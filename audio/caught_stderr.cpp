#include "audio/caught_stderr.h"

namespace lumaro {

std::string GistOf(const std::string& printed) {
  const size_t start = printed.find_first_not_of("\r\n \t");
  if (start == std::string::npos) return "";
  std::string line = printed.substr(start, printed.find_first_of("\r\n", start) - start);
  if (line.rfind("ALSA lib ", 0) == 0) {
    const size_t function = line.find(") ");
    line = "ALSA: " + (function == std::string::npos ? line.substr(9) : line.substr(function + 2));
  }
  return line;
}

}  // namespace lumaro
