// Windows' message boxes run their own message loop, which a console's Ctrl+C does not
// block: the box is shown by this process.
#include <SDL.h>

#include "shell/message_box.h"

namespace lumaro {

int ShowBoxIfAsked(int, char**) { return -1; }

DialogAnswer ShowBoxAside(BoxKind kind, const char* text, const char* caption) {
  if (kind != BoxKind::OkCancel) {
    const Uint32 flags = kind == BoxKind::Information ? SDL_MESSAGEBOX_INFORMATION : SDL_MESSAGEBOX_ERROR;
    (void)SDL_ShowSimpleMessageBox(flags, caption, text, nullptr);  // on the console too
    return DialogAnswer::Ok;
  }
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 0, "OK"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "Cancel"},
  };
  const SDL_MessageBoxData box = {SDL_MESSAGEBOX_ERROR, nullptr, caption, text, 2, buttons, nullptr};
  int pressed = 1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return DialogAnswer::Cancel;
  return pressed == 0 ? DialogAnswer::Ok : DialogAnswer::Cancel;
}

}  // namespace lumaro
