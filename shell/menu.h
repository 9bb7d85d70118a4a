// The windowed mode's menu: a popup drawn over the frame with the glyph font.
#pragma once
#include <cstdint>

namespace lumaro {

struct MenuRow {
  const char* text;  // upper case: the font has no lower-case letters
  uint32_t id;       // 0 for a heading
};
constexpr int kMenuRowCount = 11;
extern const MenuRow kMenuRows[kMenuRowCount];

constexpr int kMenuRowHeight = 20;  // pixels
constexpr int kMenuGlyphSize = 16;
constexpr int kMenuWidth = 12 * kMenuGlyphSize;
constexpr int kMenuHeight = kMenuRowCount * kMenuRowHeight;

// At the pointer (window pixels, origin top-left), opening leftward or upward where it would
// reach past the window's right or bottom edge, so that all of it can be clicked.
void OpenMenu(int x, int y, int windowWidth, int windowHeight);
void CloseMenu();
bool MenuIsOpen();
uint32_t MenuItemAt(int x, int y);  // 0 when the point is on no item
void HighlightMenuItemAt(int x, int y);
int HighlightedMenuRow();  // -1 when none

// Drawn after the frame was captured, so it never shows in saved frames.
void DrawMenuPopup(int windowWidth, int windowHeight);
// The menu's top-left corner while open (tests).
void MenuCorner(int* left, int* top);

}  // namespace lumaro
