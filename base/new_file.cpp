#include "base/new_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/utf8_path.h"

namespace lumaro {

namespace {
// C's exclusive mode ("x") refuses a name that exists, a link included.
Status WritePlainFile(const char* path, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(path, "wbx");
  if (!file) return ErrnoFailure(std::string("cannot create ") + path, errno);
  const bool written = std::fwrite(data, 1, size, file) == size;
  const int error = written ? 0 : errno;
  if (std::fclose(file) != 0 && written) return ErrnoFailure(std::string("cannot write ") + path, errno);
  return written ? Status() : ErrnoFailure(std::string("cannot write ") + path, error ? error : EIO);
}

NewFileWriter Writer = WritePlainFile;
}  // namespace

Status WriteNewFile(const char* path, const uint8_t* data, size_t size) { return Writer(path, data, size); }

Status WriteWholeFile(const std::string& path, const std::string& contents) {
  const std::string temporary = path + ".part";
  std::remove(temporary.c_str());
  Status written =
      WritePlainFile(temporary.c_str(), reinterpret_cast<const uint8_t*>(contents.data()), contents.size());
  if (const int error = written.ok() ? MoveOver(temporary, path) : 0)
    written = ErrnoFailure("cannot write " + path, error);
  if (!written.ok()) std::remove(temporary.c_str());
  return written;
}

int MoveOver(const std::string& from, const std::string& to) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::rename(PathOf(from), PathOf(to), error);
  return error ? error.default_error_condition().value() : 0;
}

void InstallNewFileWriter(NewFileWriter writer) { Writer = writer ? writer : WritePlainFile; }

}  // namespace lumaro
