// Where the music module is looked for: beside the program (a build folder), in its install
// location (PREFIX/share/lumaro beside PREFIX/bin), then in the working directory.
#pragma once
#include <string>
#include <vector>

namespace lumaro {

// The folders in that order, for the program at `executable`.
std::vector<std::string> ModuleFolders(const std::string& executable);
// The first folder's SongM.xm that exists (a broken link too), or none, and then the folders
// looked in.
struct FoundModule {
  std::string path;      // empty when none was found
  std::string searched;  // "FOLDER, FOLDER, ..." when none was
};
FoundModule FindModule();

}  // namespace lumaro
