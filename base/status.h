// What every operation that can fail returns: success, or the reason as the user reads it.
// Ignoring one is a bug, so the compiler says so.
#pragma once
#include <cerrno>
#include <string>
#include <utility>

namespace lumaro {

class [[nodiscard]] Status {
 public:
  Status() = default;  // success
  static Status Failure(std::string why) {
    Status s;
    s.why_ = why.empty() ? "failed" : std::move(why);
    return s;
  }
  // A wait given up for a stop signal (Ctrl+C, SIGTERM, SIGHUP): the run ends as interrupted,
  // not as failed.
  static Status Interrupted(std::string why) {
    Status s = Failure(std::move(why));
    s.systemError_ = EINTR;
    return s;
  }
  bool ok() const { return why_.empty(); }
  bool interrupted() const { return systemError_ == EINTR; }
  const std::string& why() const { return why_; }
  int systemError() const { return systemError_; }  // the errno behind it, or 0
  // The first failure of two wins: what went wrong first explains the rest.
  Status& Keep(Status later) {
    if (ok()) *this = std::move(later);
    return *this;
  }
  friend Status ErrnoFailure(const std::string& what, int error);

 private:
  std::string why_;
  int systemError_ = 0;
};

// "what: the system's reason" for a failed call that set errno.
Status ErrnoFailure(const std::string& what, int error);

}  // namespace lumaro
