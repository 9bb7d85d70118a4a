#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "audio/caught_stderr.h"

namespace lumaro {

CaughtStderr::CaughtStderr() {
  char name[] = "/tmp/lumaro-stderr-XXXXXX";
  file_ = mkostemp(name, O_CLOEXEC);
  if (file_ < 0) return;  // nothing caught: the lines show as they are
  unlink(name);
  std::fflush(stderr);
  saved_ = fcntl(2, F_DUPFD_CLOEXEC, 10);
  if (saved_ < 0 || dup2(file_, 2) < 0) {
    if (saved_ >= 0) close(saved_);
    close(file_);
    saved_ = file_ = -1;
  }
}

CaughtStderr::~CaughtStderr() { (void)Release(); }

std::string CaughtStderr::Release() {
  if (file_ < 0) return "";
  std::fflush(stderr);
  dup2(saved_, 2);
  close(saved_);
  std::string printed;
  char chunk[4096];
  ssize_t got;
  lseek(file_, 0, SEEK_SET);
  while ((got = read(file_, chunk, sizeof chunk)) > 0) printed.append(chunk, static_cast<size_t>(got));
  close(file_);
  saved_ = file_ = -1;
  return GistOf(printed);
}

}  // namespace lumaro
