#include "base/new_file.h"

#include <cerrno>
#include <cstdio>

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
  Status written = WritePlainFile(temporary.c_str(), reinterpret_cast<const uint8_t*>(contents.data()), contents.size());
  if (written.ok() && std::rename(temporary.c_str(), path.c_str()) != 0)
    written = ErrnoFailure("cannot write " + path, errno);
  if (!written.ok()) std::remove(temporary.c_str());
  return written;
}

void InstallNewFileWriter(NewFileWriter writer) { Writer = writer ? writer : WritePlainFile; }

}  // namespace lumaro
