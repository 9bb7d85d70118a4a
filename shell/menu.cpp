#include "shell/menu.h"

#include <GL/gl.h>

#include <algorithm>

#include "gfx/draw.h"
#include "gfx/glyphs.h"

namespace lumaro {

const MenuRow kMenuRows[kMenuRowCount] = {
    {"FILE", 0},
    {" EXIT", 40001},
    {"DRAW", 0},
    {" 320 X 240", 40002},
    {" 512 X 384", 40009},
    {" 640 X 480", 40003},
    {" 800 X 600", 40004},
    {" 1024 X 768", 40005},
    {" 1152 X 864", 40008},
    {" 1280 X 960", 40006},
    {" 1600 X 1200", 40007},
};

namespace {
bool Open = false;
int Left = 0, Top = 0;
int Highlighted = -1;

int RowAt(int x, int y) {
  if (!Open || x < Left || x >= Left + kMenuWidth || y < Top) return -1;
  int row = (y - Top) / kMenuRowHeight;
  return row < kMenuRowCount ? row : -1;
}

// Window pixels, y down: the texture's top row at y0.
void Quad(float x0, float y0, float x1, float y1) {
  DrawTexturedQuad({0, 1, x0, y0, 0}, {1, 1, x1, y0, 0}, {1, 0, x1, y1, 0}, {0, 0, x0, y1, 0});
}
}  // namespace

void OpenMenu(int x, int y, int windowWidth, int windowHeight) {
  Open = true;
  Left = x + kMenuWidth <= windowWidth ? x : x - kMenuWidth;
  Top = y + kMenuHeight <= windowHeight ? y : y - kMenuHeight;
  // A window smaller than the menu: its top-left part inside.
  Left = std::max(0, std::min(Left, windowWidth - kMenuWidth));
  Top = std::max(0, std::min(Top, windowHeight - kMenuHeight));
  Highlighted = -1;
}

void MenuCorner(int* left, int* top) {
  *left = Left;
  *top = Top;
}

void CloseMenu() { Open = false; }
bool MenuIsOpen() { return Open; }
int HighlightedMenuRow() { return Highlighted; }

uint32_t MenuItemAt(int x, int y) {
  int row = RowAt(x, y);
  return row < 0 ? 0 : kMenuRows[row].id;
}

void HighlightMenuItemAt(int x, int y) {
  int row = RowAt(x, y);
  Highlighted = (row >= 0 && kMenuRows[row].id != 0) ? row : -1;
}

void DrawMenuPopup(int windowWidth, int windowHeight) {
  if (!Open) return;
  glViewport(0, 0, windowWidth, windowHeight);
  PushOrthoBox(0, windowWidth, windowHeight, 0);  // window pixels, y down
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  const float bottom = static_cast<float>(Top + kMenuHeight);
  glColor4f(0.08f, 0.1f, 0.12f, 1);
  Quad(Left, Top, Left + kMenuWidth, bottom);
  if (Highlighted >= 0) {
    glColor4f(0.15f, 0.35f, 0.2f, 1);
    float y = static_cast<float>(Top + Highlighted * kMenuRowHeight);
    Quad(Left, y, Left + kMenuWidth, y + kMenuRowHeight);
  }
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  for (int row = 0; row < kMenuRowCount; ++row) {
    float brightness = kMenuRows[row].id == 0 ? 0.6f : 1.0f;
    glColor4f(brightness, brightness, brightness, 0);
    float x = static_cast<float>(Left + 4);
    float y = static_cast<float>(Top + row * kMenuRowHeight + (kMenuRowHeight - kMenuGlyphSize) / 2);
    for (const char* c = kMenuRows[row].text; *c; ++c) {
      glBindTexture(GL_TEXTURE_2D, GlyphTextures[GlyphIndex(*c)]);
      Quad(x, y, x + kMenuGlyphSize, y + kMenuGlyphSize);
      x += kMenuGlyphSize * 0.8f;
    }
  }
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  PopOrthoBox();
}

}  // namespace lumaro
