// The menu popup drawn over the frame in window pixels: a dark box, the lit item, and each
// row's text in the text font with its access letter underlined.
#include <GL/gl.h>

#include <string>

#include "assets/assets.h"
#include "base/report.h"
#include "gfx/draw.h"
#include "gfx/text_font.h"
#include "shell/menu.h"

namespace lumaro {

namespace {
TextFont MenuFont;
bool FontRefused = false;  // said once, then the menu draws without text

constexpr int kHeadingIndent = 6, kItemIndent = 18;  // pixels from the menu's left edge

// Window pixels, y down.
void Box(float x0, float y0, float x1, float y1) {
  DrawTexturedQuad({0, 1, x0, y0, 0}, {1, 1, x1, y0, 0}, {1, 0, x1, y1, 0}, {0, 0, x0, y1, 0});
}

bool FontReady() {
  if (MenuFont.texture || FontRefused) return MenuFont.texture != 0;
  const Status loaded = LoadTextFont(Picture_text_font, &MenuFont);
  if (!loaded.ok()) {
    Warn("the menu's text: " + loaded.why());
    ReleaseTextFont(&MenuFont);
    FontRefused = true;
  }
  return loaded.ok();
}

// One row's text at its pen, the access letter's cell underlined.
void DrawRowText(const char* text, int x, int top) {
  std::string shown;
  int underlineFrom = -1, underlineTo = -1;
  for (const char* c = text; *c; ++c) {
    if (c[0] == '&' && c[1] && underlineFrom < 0) {
      underlineFrom = x + TextWidth(MenuFont, shown);
      underlineTo = underlineFrom + TextWidth(MenuFont, std::string_view(c + 1, 1));
      continue;
    }
    shown += *c;
  }
  glEnable(GL_TEXTURE_2D);
  DrawTextLine(MenuFont, shown, x, top);
  if (underlineFrom < 0) return;
  glDisable(GL_TEXTURE_2D);
  const float y = static_cast<float>(top + kTextUnderline);
  Box(static_cast<float>(underlineFrom), y, static_cast<float>(underlineTo - 1), y + 1);
}
}  // namespace

void DrawMenuPopup(int windowWidth, int windowHeight) {
  if (!MenuIsOpen()) return;
  int left = 0, top = 0;
  MenuCorner(&left, &top);
  glViewport(0, 0, windowWidth, windowHeight);
  PushOrthoBox(0, static_cast<float>(windowWidth), static_cast<float>(windowHeight), 0);  // window pixels, y down
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glColor4f(0.08f, 0.1f, 0.12f, 1);
  Box(left, top, left + kMenuWidth, top + kMenuHeight);
  if (HighlightedMenuRow() >= 0) {
    glColor4f(0.15f, 0.35f, 0.2f, 1);
    const float y = static_cast<float>(top + HighlightedMenuRow() * kMenuRowHeight);
    Box(left, y, left + kMenuWidth, y + kMenuRowHeight);
  }
  if (FontReady()) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    for (int row = 0; row < kMenuRowCount; ++row) {
      const bool heading = kMenuRows[row].id == 0;
      const float brightness = heading ? 0.6f : 1.0f;
      glColor4f(brightness, brightness, brightness, 0);
      DrawRowText(kMenuRows[row].text, left + (heading ? kHeadingIndent : kItemIndent), top + row * kMenuRowHeight);
    }
    glDisable(GL_BLEND);
  }
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  PopOrthoBox();
}

void ReleaseMenuText() {
  ReleaseTextFont(&MenuFont);
  FontRefused = false;
}

}  // namespace lumaro
