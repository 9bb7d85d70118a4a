// Starting and ending other programs on Windows: a process found on PATH, a command line the
// C runtime reads back as the arguments given, and a job that takes its children with it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "shell/programs.h"

namespace lumaro {

// A program started by ours: its process, and the job it and all it starts run in (null
// where the system refuses a job inside ours, as Windows 7 does when we run in one).
struct RunningProgram {
  HANDLE process = nullptr;
  HANDLE job = nullptr;
};

// What the program gets as its stdin, stdout and stderr; our own handles stay ours.
struct ProgramHandles {
  HANDLE input = nullptr, output = nullptr, error = nullptr;
};

// NAME.exe in the first folder of PATH that holds it, or empty.
std::wstring FindOnPath(const std::string& name);
// A command line that the C runtime (and CommandLineToArgvW) splits back into `arguments`,
// whatever spaces, quotes and backslashes they hold; the first is a program path.
std::wstring CommandLineOf(const std::vector<std::string>& arguments);

// Starts arguments[0] from PATH at `priorityClass`, with no console: Ctrl+C and a closed
// console reach only us, and we end it. Its job is killed when we end, however we end.
Status StartProgram(const std::vector<std::string>& arguments, const ProgramHandles& handles, DWORD priorityClass,
                    RunningProgram* program);
// Waits for the program to end and gives its exit code. After a stop signal (now or
// already) it waits at most `patienceSeconds` more, then kills the program's job; true when
// it had to.
bool WaitForProgram(const RunningProgram& program, double patienceSeconds, DWORD* exitCode);
// At once: the program and all it started.
void KillProgram(const RunningProgram& program);
void CloseProgram(RunningProgram* program);

// The null device, for a stream that goes nowhere (INVALID_HANDLE_VALUE if it cannot open).
HANDLE OpenNullDevice();
// "what: the system's reason" for a failed call that set GetLastError.
Status SystemFailure(const std::string& what, DWORD error);

}  // namespace lumaro
