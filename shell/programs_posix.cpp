#include "shell/programs_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

#include "base/run_state.h"

extern char** environ;

namespace lumaro {

namespace {
constexpr int kPollMilliseconds = 20;  // how late a program's end or a signal is noticed

// Moves a descriptor above the ones the child's are mapped onto (0 to 4), so that mapping
// one never overwrites another before it is mapped.
int AboveMapped(int fd) {
  if (fd < 0 || fd > 4) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 10);
  close(fd);
  return moved;
}

std::vector<char*> ArgumentVector(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// Runs `start` at `niceness`. A child takes the niceness of the thread that starts it, and a
// thread cannot take back the priority it gave up: a thread of its own does it.
template <typename Start>
void AtNiceness(int niceness, Start start) {
  if (niceness <= 0) return start();
  std::thread([&] {
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), niceness);
    start();
  }).join();
}
}  // namespace

bool WaitForProgram(pid_t pid, double patienceSeconds, int* status) {
  Patience patience(patienceSeconds);
  bool killed = false;
  pid_t got;
  *status = 0;
  while ((got = waitpid(pid, status, WNOHANG)) == 0 || (got < 0 && errno == EINTR)) {
    if (!killed && patience.Over()) {
      kill(-pid, SIGKILL);  // its group: nothing it started stays behind
      killed = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
  }
  return killed;
}

Status RunAndRead(const std::vector<std::string>& arguments, std::string* output) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return ErrnoFailure("cannot make a pipe for " + arguments[0], errno);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  // A group of its own: Ctrl+C at a terminal reaches only us, and we end it.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t pid = -1;
  std::vector<char*> argv = ArgumentVector(arguments);
  const int spawned = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(out[1]);
  output->clear();
  Patience patience(kStopPatienceSeconds);
  bool killed = false;
  char chunk[4096];
  while (spawned == 0 && !killed) {
    pollfd readable{out[0], POLLIN, 0};
    if (poll(&readable, 1, kPollMilliseconds) > 0) {
      const ssize_t got = read(out[0], chunk, sizeof chunk);
      if (got > 0)
        output->append(chunk, static_cast<size_t>(got));
      else if (got == 0 || errno != EINTR)
        break;
    }
    if (patience.Over()) killed = kill(-pid, SIGKILL) == 0;
  }
  close(out[0]);
  if (spawned != 0) return ErrnoFailure("cannot start " + arguments[0], spawned);
  int status = 0;
  killed |= WaitForProgram(pid, kStopPatienceSeconds, &status);
  if (killed) return Status::Interrupted("interrupted while " + arguments[0] + " ran");
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
  return Status::Failure(arguments[0] + " did not finish cleanly");
}

Status SpawnWithPipes(const std::vector<std::string>& arguments, int pipeCount, int errorOutput,
                      SpawnedProgram* program, int niceness) {
  int ends[2][2] = {{-1, -1}, {-1, -1}};
  for (int k = 0; k < pipeCount; ++k)
    if (pipe2(ends[k], O_CLOEXEC) != 0) {
      for (int j = 0; j <= k; ++j)
        for (int fd : ends[j])
          if (fd >= 0) close(fd);
      return ErrnoFailure("cannot make a pipe for " + arguments[0], errno);
    }
  for (int k = 0; k < pipeCount; ++k)
    for (int& fd : ends[k]) fd = AboveMapped(fd);
  const int errorCopy = errorOutput >= 0 ? fcntl(errorOutput, F_DUPFD_CLOEXEC, 10) : -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int k = 0; k < pipeCount; ++k) posix_spawn_file_actions_adddup2(&actions, ends[k][0], 3 + k);
  if (errorCopy >= 0) posix_spawn_file_actions_adddup2(&actions, errorCopy, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  std::vector<char*> argv = ArgumentVector(arguments);
  int spawned = 0;
  AtNiceness(niceness,
             [&] { spawned = posix_spawnp(&program->pid, argv[0], &actions, &attributes, argv.data(), environ); });
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (errorCopy >= 0) close(errorCopy);
  for (int k = 0; k < pipeCount; ++k) {
    close(ends[k][0]);
    program->pipes[k] = ends[k][1];
  }
  if (spawned == 0) return {};
  for (int k = 0; k < pipeCount; ++k) close(ends[k][1]);
  program->pid = -1;
  return ErrnoFailure("cannot start " + arguments[0], spawned);
}

}  // namespace lumaro
