#include "base/report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace lumaro {

namespace {
std::mutex Lock;
bool ProgressOpen = false;  // the progress line is on screen without its newline
MessageBoxes Boxes;

void Line(const std::string& text) {
  std::lock_guard<std::mutex> hold(Lock);
  if (ProgressOpen) std::fputc('\n', stderr);
  ProgressOpen = false;
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
}

// A box's text on stderr: its lines joined, so that it stays one line there.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n') c = ' ';
  return text;
}
}  // namespace

Status ErrnoFailure(const std::string& what, int error) {
  Status s = Status::Failure(what + ": " + std::strerror(error));
  s.systemError_ = error;
  return s;
}

void Say(const std::string& text) { Line("lumaro: " + text); }
void Warn(const std::string& text) { Line("lumaro: warning: " + text); }
void Say(const Status& failure) { Say(failure.why()); }

void ShowProgressLine(const std::string& text) {
  std::lock_guard<std::mutex> hold(Lock);
  std::fprintf(stderr, "\r%s", text.c_str());
  std::fflush(stderr);
  ProgressOpen = true;
}

void EndProgressLine() {
  std::lock_guard<std::mutex> hold(Lock);
  if (ProgressOpen) std::fputc('\n', stderr);
  ProgressOpen = false;
}

void ShowMessage(const std::string& text, const std::string& caption) {
  Line(caption + ": " + OneLine(text));
  if (Boxes.show) Boxes.show(text.c_str(), caption.c_str());
}

DialogAnswer AskOkCancel(const std::string& text, const std::string& caption) {
  Line(caption + ": " + OneLine(text));
  return Boxes.ask ? Boxes.ask(text.c_str(), caption.c_str()) : DialogAnswer::Cancel;
}

void InstallMessageBoxes(MessageBoxes boxes) { Boxes = boxes; }

}  // namespace lumaro
