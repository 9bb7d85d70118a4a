#include "shell/new_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace lumaro {

namespace {
// All of it, through short writes and signals; false with errno set.
bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t done = write(fd, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      if (done == 0) errno = EIO;
      return false;
    }
    data += done;
    size -= static_cast<size_t>(done);
  }
  return true;
}

bool SetDirect(int fd, bool on) {
  const int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, on ? flags | O_DIRECT : flags & ~O_DIRECT) == 0;
}
}  // namespace

Status WriteNewFileDirect(const char* path, const uint8_t* data, size_t size) {
  const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return ErrnoFailure(std::string("cannot create ") + path, errno);
  // Direct writes take whole aligned blocks; the tail, and everything on file systems that
  // refuse them, goes through the cache as usual.
  size_t bulk = size / kNewFileAlignment * kNewFileAlignment;
  bool ok = true;
  if (bulk > 0 && SetDirect(fd, true)) {
    ok = WriteAll(fd, data, bulk);
    if (!ok && errno == EINVAL && lseek(fd, 0, SEEK_SET) == 0) ok = true, bulk = 0;  // refused after all
    ok = SetDirect(fd, false) && ok;
  } else {
    bulk = 0;
  }
  ok = ok && WriteAll(fd, data + bulk, size - bulk);
  const int error = ok ? 0 : errno;
  if (close(fd) != 0 && ok) return ErrnoFailure(std::string("cannot write ") + path, errno);
  return ok ? Status() : ErrnoFailure(std::string("cannot write ") + path, error);
}

}  // namespace lumaro
