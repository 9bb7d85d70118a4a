// Message boxes, for every layer that has something to tell the user. Declared here at the
// bottom; the platform layer (shell/platform.cpp) makes them. They always also go to stderr.
#pragma once

namespace lumaro {

void ShowMessage(const char* text, const char* caption);
enum class DialogAnswer { Ok, Cancel };
// Blocks for the answer; headless (no display) it prints and answers Cancel.
DialogAnswer AskOkCancel(const char* text, const char* caption);

}  // namespace lumaro
