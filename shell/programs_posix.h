// Starting and ending other programs with POSIX processes: pids, process groups, fd 3 and 4.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

#include "shell/programs.h"

namespace lumaro {

// Waits for a program to end and gives its wait status. After a stop signal (now or already)
// it waits at most `patienceSeconds` more, then kills the program's process group; true
// when it had to.
bool WaitForProgram(pid_t pid, double patienceSeconds, int* status);

struct SpawnedProgram {
  pid_t pid = -1;
  int pipes[2] = {-1, -1};  // our write ends of the program's fd 3 and 4
};
// Starts a program from PATH in a process group of its own, with `pipeCount` (1 or 2) pipes
// as its fd 3 and 4 and its stderr into `errorOutput` (when not -1), at `niceness` (0 to 19:
// higher gives way to everything else; it holds for all the threads the program starts).
Status SpawnWithPipes(const std::vector<std::string>& arguments, int pipeCount, int errorOutput,
                      SpawnedProgram* program, int niceness = 0);

}  // namespace lumaro
