// Windows' audio drivers print nothing on stderr: there is nothing to catch.
#include "audio/caught_stderr.h"

namespace lumaro {

CaughtStderr::CaughtStderr() {}
CaughtStderr::~CaughtStderr() {}
std::string CaughtStderr::Release() { return ""; }

}  // namespace lumaro
