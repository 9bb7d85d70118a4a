// Everything the program tells its user on stderr goes through here: one line each,
// "lumaro: ..." for what happened, "lumaro: warning: ..." for what the run survives, the
// caption first for the message boxes, and the one progress line that the others end first.
// Safe from any thread.
#pragma once
#include <string>

#include "base/status.h"

namespace lumaro {

void Say(const std::string& text);
void Warn(const std::string& text);
void Say(const Status& failure);  // its reason

// The progress line, rewritten in place on a terminal; EndProgressLine closes it.
void ShowProgressLine(const std::string& text);
void EndProgressLine();

// A message box of the original: always on stderr as "CAPTION: text", and as a box when
// the platform layer has installed one (it does when a display is open).
void ShowMessage(const std::string& text, const std::string& caption);
enum class DialogAnswer { Ok, Cancel };
// Blocks for the answer; without a display it prints and answers Cancel.
DialogAnswer AskOkCancel(const std::string& text, const std::string& caption);

// The platform layer's boxes, installed once it has a display.
struct MessageBoxes {
  void (*show)(const char* text, const char* caption) = nullptr;
  DialogAnswer (*ask)(const char* text, const char* caption) = nullptr;
};
void InstallMessageBoxes(MessageBoxes boxes);

}  // namespace lumaro
