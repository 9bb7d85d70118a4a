#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/run_state.h"
#include "shell/platform.h"
#include "shell/process.h"

namespace lumaro {

namespace {
void OnStopSignal(int signal) { StopSignalNumber = signal; }
}  // namespace

void PrepareStandardFiles() {
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF && open("/dev/null", O_RDWR) != fd) std::abort();
}

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv, argv + argc}; }

std::string ExecutablePath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? "" : self.string();
}

Status CheckFolderWritable(const std::string& folder) {
  if (access(folder.c_str(), W_OK) != 0) return ErrnoFailure("cannot write in " + folder, errno);
  return {};
}

double PeakMemoryMegabytes() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

void InstallStopSignals() {
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
  std::signal(SIGHUP, OnStopSignal);  // a closed terminal ends the run as cleanly as Ctrl+C
  std::signal(SIGPIPE, SIG_IGN);
}

int StopSignal() { return StopSignalNumber; }

}  // namespace lumaro
