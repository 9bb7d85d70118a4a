#include "shell/module_search.h"

#include <filesystem>
#include <system_error>

#include "base/run_state.h"
#include "base/utf8_path.h"
#include "shell/process.h"

namespace lumaro {

namespace fs = std::filesystem;

std::vector<std::string> ModuleFolders(const std::string& executable) {
  std::vector<std::string> folders;
  if (!executable.empty()) {
    const fs::path bin = PathOf(executable).parent_path();
    folders.push_back(Utf8Of(bin));
    folders.push_back(Utf8Of(bin.parent_path() / "share" / "lumaro"));
  }
  std::error_code error;
  folders.push_back(Utf8Of(fs::current_path(error)));
  return folders;
}

FoundModule FindModule() {
  std::error_code error;
  FoundModule found;
  for (const std::string& folder : ModuleFolders(ExecutablePath())) {
    const fs::path candidate = PathOf(folder) / "SongM.xm";
    // A link counts as found even when broken: loading it then says what is wrong with it.
    if (fs::exists(fs::symlink_status(candidate, error))) {
      return {Utf8Of(candidate), ""};
    }
    found.searched += (found.searched.empty() ? "" : ", ") + folder;
  }
  return found;
}

}  // namespace lumaro
