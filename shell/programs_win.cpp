#include "shell/programs_win.h"

#include <algorithm>
#include <cwchar>

#include "shell/wide.h"

namespace lumaro {

namespace {
constexpr DWORD kPollMilliseconds = 20;  // how late a program's end or a signal is noticed
constexpr UINT kKilledExitCode = 137;    // what a program we killed ends with, as 128 + SIGKILL reads

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// One argument as the C runtime reads it back: in quotes when it holds a space, a tab or a
// quote (or is empty), a quote escaped with a backslash, and the backslashes just before a
// quote, the closing one too, doubled. Other backslashes stand for themselves.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

// Inheritable copies of the child's three handles, which alone it inherits.
struct InheritedHandles {
  HANDLE copies[3] = {nullptr, nullptr, nullptr};
  explicit InheritedHandles(const ProgramHandles& handles) {
    const HANDLE given[3] = {handles.input, handles.output, handles.error};
    for (int k = 0; k < 3; ++k)
      if (!DuplicateHandle(GetCurrentProcess(), given[k], GetCurrentProcess(), &copies[k], 0, TRUE,
                           DUPLICATE_SAME_ACCESS))
        copies[k] = nullptr;
  }
  ~InheritedHandles() {
    for (HANDLE h : copies)
      if (h) CloseHandle(h);
  }
  bool whole() const { return copies[0] && copies[1] && copies[2]; }
};

// The attribute that limits what the child inherits to `handles`.
class HandleList {
 public:
  explicit HandleList(HANDLE* handles, size_t count) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    bytes_.resize(size);
    list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(bytes_.data());
    ready_ = InitializeProcThreadAttributeList(list_, 1, 0, &size) &&
             UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles, count * sizeof(HANDLE),
                                       nullptr, nullptr);
  }
  ~HandleList() {
    if (ready_) DeleteProcThreadAttributeList(list_);
  }
  LPPROC_THREAD_ATTRIBUTE_LIST list() const { return ready_ ? list_ : nullptr; }

 private:
  std::vector<char> bytes_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
  bool ready_ = false;
};

// A job that ends with us: nothing the program starts outlives the run.
HANDLE JobFor(HANDLE process) {
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job && SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) &&
      AssignProcessToJobObject(job, process))
    return job;
  if (job) CloseHandle(job);
  return nullptr;
}
}  // namespace

Status SystemFailure(const std::string& what, DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = text ? Utf8(text) : "error " + std::to_string(error);
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) reason.pop_back();
  return Status::Failure(what + ": " + reason);
}

HANDLE OpenNullDevice() {
  return CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     0, nullptr);
}

std::wstring FindOnPath(const std::string& name) {
  std::wstring file = Wide(name);
  if (file.find(L'.') == std::wstring::npos) file += L".exe";
  std::wstring path(GetEnvironmentVariableW(L"PATH", nullptr, 0), L'\0');
  path.resize(GetEnvironmentVariableW(L"PATH", path.data(), static_cast<DWORD>(path.size())));
  for (size_t start = 0; start <= path.size();) {
    size_t end = std::min(path.find(L';', start), path.size());
    std::wstring folder = path.substr(start, end - start);
    folder.erase(std::remove(folder.begin(), folder.end(), L'"'), folder.end());
    start = end + 1;
    if (folder.empty()) continue;
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    if (IsFile(folder + file)) return folder + file;
  }
  return L"";
}

std::wstring CommandLineOf(const std::vector<std::string>& arguments) {
  // The program's path is read by other rules (no escapes): quotes alone keep it whole.
  std::wstring line = L"\"" + Wide(arguments.at(0)) + L"\"";
  for (size_t k = 1; k < arguments.size(); ++k) line += L" " + Quoted(Wide(arguments[k]));
  return line;
}

Status StartProgram(const std::vector<std::string>& arguments, const ProgramHandles& handles, DWORD priorityClass,
                    RunningProgram* program) {
  const std::wstring path = FindOnPath(arguments.at(0));
  if (path.empty()) return Status::Failure("cannot start " + arguments[0] + ": it is not on PATH");
  InheritedHandles inherited(handles);
  HandleList list(inherited.copies, 3);
  if (!inherited.whole() || !list.list())
    return SystemFailure("cannot hand " + arguments[0] + " its streams", GetLastError());
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = inherited.copies[0];
  startup.StartupInfo.hStdOutput = inherited.copies[1];
  startup.StartupInfo.hStdError = inherited.copies[2];
  startup.lpAttributeList = list.list();
  std::vector<std::string> line = arguments;
  line[0] = Utf8(path);
  std::wstring commandLine = CommandLineOf(line);
  PROCESS_INFORMATION started{};
  // Suspended until it is in its job, so nothing it starts escapes it.
  const DWORD flags = EXTENDED_STARTUPINFO_PRESENT | CREATE_NO_WINDOW | CREATE_SUSPENDED | priorityClass;
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                      &startup.StartupInfo, &started))
    return SystemFailure("cannot start " + arguments[0], GetLastError());
  SetPriorityClass(started.hProcess, priorityClass);  // once more: Wine ignores the creation flag's class
  program->job = JobFor(started.hProcess);
  program->process = started.hProcess;
  ResumeThread(started.hThread);
  CloseHandle(started.hThread);
  return {};
}

void KillProgram(const RunningProgram& program) {
  if (program.job)
    TerminateJobObject(program.job, kKilledExitCode);
  else if (program.process)
    TerminateProcess(program.process, kKilledExitCode);
}

void CloseProgram(RunningProgram* program) {
  if (program->job) CloseHandle(program->job);
  if (program->process) CloseHandle(program->process);
  *program = {};
}

bool WaitForProgram(const RunningProgram& program, double patienceSeconds, DWORD* exitCode) {
  Patience patience(patienceSeconds);
  bool killed = false;
  while (WaitForSingleObject(program.process, kPollMilliseconds) == WAIT_TIMEOUT)
    if (!killed && patience.Over()) {
      KillProgram(program);
      killed = true;
    }
  *exitCode = 1;
  GetExitCodeProcess(program.process, exitCode);
  return killed;
}

Status RunAndRead(const std::vector<std::string>& arguments, std::string* output) {
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, nullptr, 0))
    return SystemFailure("cannot make a pipe for " + arguments[0], GetLastError());
  const HANDLE nothing = OpenNullDevice();
  RunningProgram program;
  const Status started = StartProgram(arguments, {nothing, writeEnd, nothing}, NORMAL_PRIORITY_CLASS, &program);
  CloseHandle(writeEnd);
  if (nothing != INVALID_HANDLE_VALUE) CloseHandle(nothing);
  output->clear();
  Patience patience(kStopPatienceSeconds);
  bool killed = false;
  char chunk[4096];
  DWORD available = 0, got = 0;
  // A pipe is read only when it holds something, so that a stop signal is still seen.
  while (started.ok() && PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) {
    if (available && ReadFile(readEnd, chunk, std::min<DWORD>(available, sizeof chunk), &got, nullptr))
      output->append(chunk, got);
    else if (!available)
      WaitForSingleObject(program.process, kPollMilliseconds);
    if (!killed && patience.Over()) {
      KillProgram(program);
      killed = true;
    }
  }
  CloseHandle(readEnd);
  if (!started.ok()) return started;
  DWORD code = 1;
  killed |= WaitForProgram(program, kStopPatienceSeconds, &code);
  CloseProgram(&program);
  if (killed) return Status::Interrupted("interrupted while " + arguments[0] + " ran");
  if (code == 0) return {};
  return Status::Failure(arguments[0] + " did not finish cleanly");
}

}  // namespace lumaro
