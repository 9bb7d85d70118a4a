// Our strings hold UTF-8. std::filesystem reads a plain std::string in the system's narrow
// encoding, which on Windows is not UTF-8 even where the C runtime's is, so names cross
// through char8_t both ways.
#pragma once
#include <filesystem>
#include <string>

namespace lumaro {

inline std::filesystem::path PathOf(const std::string& utf8) { return std::u8string(utf8.begin(), utf8.end()); }

inline std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return {utf8.begin(), utf8.end()};
}

}  // namespace lumaro
