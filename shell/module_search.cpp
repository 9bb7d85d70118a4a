#include "shell/module_search.h"

#include <filesystem>
#include <system_error>

#include "base/run_state.h"
#include "shell/process.h"

namespace lumaro {

namespace fs = std::filesystem;

std::vector<std::string> ModuleFolders(const std::string& executable) {
  std::vector<std::string> folders;
  if (!executable.empty()) {
    const fs::path bin = fs::path(executable).parent_path();
    folders.push_back(bin.string());
    folders.push_back((bin.parent_path() / "share" / "lumaro").string());
  }
  std::error_code error;
  folders.push_back(fs::current_path(error).string());
  return folders;
}

FoundModule FindModule() {
  std::error_code error;
  FoundModule found;
  for (const std::string& folder : ModuleFolders(ExecutablePath())) {
    const fs::path candidate = fs::path(folder) / "SongM.xm";
    // A link counts as found even when broken: loading it then says what is wrong with it.
    if (fs::exists(fs::symlink_status(candidate, error))) {
      return {candidate.string(), ""};
    }
    found.searched += (found.searched.empty() ? "" : ", ") + folder;
  }
  return found;
}

}  // namespace lumaro
