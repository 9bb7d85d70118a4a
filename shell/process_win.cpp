#include <windows.h>
// After windows.h, which it needs.
#include <io.h>
#include <psapi.h>
#include <shellapi.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "base/run_state.h"
#include "shell/platform.h"
#include "shell/process.h"
#include "shell/wide.h"

namespace lumaro {

namespace {
// The numbers the same requests have on Linux, so the exit codes match: Ctrl+C is SIGINT's
// 2 (exit 130), a closed console SIGHUP's 1 (exit 129).
constexpr int kInterrupt = 2, kHangUp = 1;
constexpr DWORD kCloseGraceMilliseconds = 4000;  // Windows ends the process after about five seconds

BOOL WINAPI OnConsoleEvent(DWORD event) {
  const bool interrupt = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
  StopSignalNumber = interrupt ? kInterrupt : kHangUp;
  // Returning from a close ends the process at once: the loop gets its time to stop.
  if (!interrupt) Sleep(kCloseGraceMilliseconds);
  return TRUE;
}

bool Usable(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}
}  // namespace

void PrepareStandardFiles() {
  // A window program has no console; started from one, it writes there unless redirected.
  const bool out = Usable(STD_OUTPUT_HANDLE), error = Usable(STD_ERROR_HANDLE);
  if ((!out || !error) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (!out) (void)std::freopen("CONOUT$", "w", stdout);    // without it, output goes nowhere
    if (!error) (void)std::freopen("CONOUT$", "w", stderr);  // as above
  }
}

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::string ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return "";
    if (length < path.size()) return Utf8(path.substr(0, length));
    path.resize(path.size() * 2);
  }
}

Status CheckFolderWritable(const std::string& folder) {
  if (_waccess(Wide(folder).c_str(), 2) != 0) return ErrnoFailure("cannot write in " + folder, errno);
  return {};
}

double PeakMemoryMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

void InstallStopSignals() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

int StopSignal() { return StopSignalNumber; }

}  // namespace lumaro
