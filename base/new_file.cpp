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

void InstallNewFileWriter(NewFileWriter writer) { Writer = writer ? writer : WritePlainFile; }

}  // namespace lumaro
