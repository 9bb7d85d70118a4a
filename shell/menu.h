// The windowed mode's menu: a popup drawn over the frame in the text font, its headings File
// and Draw with their items under them, each with an access letter ("&" before it in the
// text, drawn underlined) that picks it from the keyboard.
#pragma once
#include <cstdint>

namespace lumaro {

struct MenuRow {
  const char* text;  // the letter after "&" is the access letter
  uint32_t id;       // 0 for a heading
};
constexpr int kMenuRowCount = 11;
extern const MenuRow kMenuRows[kMenuRowCount];

constexpr int kMenuRowHeight = 20;  // pixels
constexpr int kMenuWidth = 192;     // pixels
constexpr int kMenuHeight = kMenuRowCount * kMenuRowHeight;

// At the pointer (window pixels, origin top-left), opening leftward or upward where it would
// reach past the window's right or bottom edge, so that all of it can be clicked.
void OpenMenu(int x, int y, int windowWidth, int windowHeight);
void CloseMenu();
bool MenuIsOpen();
uint32_t MenuItemAt(int x, int y);  // 0 when the point is on no item
void HighlightMenuItemAt(int x, int y);
int HighlightedMenuRow();  // -1 when none

// The keyboard, as Alt+F and then X pick File's Exit. Alt and a heading's access letter
// (any case) opens the menu at the window's top-left with that heading's first item lit;
// false when no heading has the letter.
bool OpenMenuAtHeading(char letter, int windowWidth, int windowHeight);
// A letter while the menu is open picks the item with that access letter under the heading
// opened by key (under any heading when the mouse opened it): its id, and the menu closes.
// 0, the menu still open, when no item there has it.
uint32_t PickMenuItemByLetter(char letter);
// Up (-1) and Down (+1) light the item before or after, within the heading opened by key;
// Return picks the lit item (0 when none is), closing the menu.
void MoveMenuHighlight(int step);
uint32_t PickHighlightedMenuItem();

// The access letter of a row's text, lower case; 0 when it has none.
char AccessLetter(const char* text);

// Drawn after the frame was captured, so it never shows in saved frames. The text font's
// texture is made on the current context when first drawn; ReleaseMenuText deletes it
// before that context goes.
void DrawMenuPopup(int windowWidth, int windowHeight);
void ReleaseMenuText();
// The menu's top-left corner while open (tests).
void MenuCorner(int* left, int* top);

}  // namespace lumaro
