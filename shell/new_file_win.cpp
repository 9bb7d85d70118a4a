// Windows has no O_DIRECT to ask for: the frames go through CreateFileW (a UTF-8 name made
// wide), refusing a name that exists as the plain writer does.
#include <windows.h>

#include <cerrno>
#include <string>

#include "shell/new_file.h"
#include "shell/wide.h"

namespace lumaro {

Status WriteNewFileDirect(const char* path, const uint8_t* data, size_t size) {
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return ErrnoFailure(std::string("cannot create ") + path, GetLastError() == ERROR_FILE_EXISTS ? EEXIST : EACCES);
  bool ok = true;
  while (ok && size > 0) {
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD done = 0;
    ok = WriteFile(file, data, chunk, &done, nullptr) && done > 0;
    data += done;
    size -= done;
  }
  ok = CloseHandle(file) && ok;
  return ok ? Status() : ErrnoFailure(std::string("cannot write ") + path, ENOSPC);
}

}  // namespace lumaro
