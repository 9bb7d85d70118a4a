// Other programs run by ours (ffmpeg, ffprobe): started with an argument list, never through
// a shell, so no name or value is ever read as shell syntax.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

#include "base/status.h"

namespace lumaro {

// Seconds a program is given to end by itself after a stop signal before its process group
// is killed: enough to write a trailer, short enough that Ctrl+C still ends the run at once.
constexpr double kStopPatienceSeconds = 3.0;

// Waits for a program to end and gives its wait status. After a stop signal (now or already)
// it waits at most `patienceSeconds` more, then kills the program's process group; true
// when it had to.
bool WaitForProgram(pid_t pid, double patienceSeconds, int* status);

// Runs a program from PATH to its end, in a process group of its own, and keeps what it
// printed on stdout (stderr goes nowhere); fails when it cannot start or does not exit with
// 0, and is interrupted when a stop signal came and it had to be killed.
Status RunAndRead(const std::vector<std::string>& arguments, std::string* output);

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
