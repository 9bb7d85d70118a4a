// The menu's rows, where it opens, and what the pointer and the keys pick; drawn in
// menu_draw.cpp.
#include "shell/menu.h"

#include <algorithm>
#include <cctype>

namespace lumaro {

const MenuRow kMenuRows[kMenuRowCount] = {
    {"&File", 0},           {"E&xit", 40001},        {"&Draw", 0},
    {"&320 x 240", 40002},  {"&512 x 384", 40009},   {"&640 x 480", 40003},
    {"&800 x 600", 40004},  {"102&4 x 768", 40005},  {"&1152 x 864", 40008},
    {"1&280 x 960", 40006}, {"16&00 x 1200", 40007},
};

namespace {
struct MenuState {
  bool Open = false;
  int Left = 0, Top = 0;
  int Highlighted = -1;
  // The rows the keys act on: a heading's items when the keys opened it, all when the mouse did.
  int KeyRowsBegin = 0, KeyRowsEnd = kMenuRowCount;
};
MenuState State;

int RowAt(int x, int y) {
  if (!State.Open || x < State.Left || x >= State.Left + kMenuWidth || y < State.Top) return -1;
  int row = (y - State.Top) / kMenuRowHeight;
  return row < kMenuRowCount ? row : -1;
}

uint32_t PickRow(int row) {
  const uint32_t id = kMenuRows[row].id;
  if (id != 0) CloseMenu();
  return id;
}
}  // namespace

char AccessLetter(const char* text) {
  for (const char* c = text; *c; ++c)
    if (c[0] == '&' && c[1]) return static_cast<char>(std::tolower(static_cast<unsigned char>(c[1])));
  return 0;
}

void OpenMenu(int x, int y, int windowWidth, int windowHeight) {
  State.Open = true;
  State.Left = x + kMenuWidth <= windowWidth ? x : x - kMenuWidth;
  State.Top = y + kMenuHeight <= windowHeight ? y : y - kMenuHeight;
  // A window smaller than the menu: its top-left part inside.
  State.Left = std::max(0, std::min(State.Left, windowWidth - kMenuWidth));
  State.Top = std::max(0, std::min(State.Top, windowHeight - kMenuHeight));
  State.Highlighted = -1;
  State.KeyRowsBegin = 0;
  State.KeyRowsEnd = kMenuRowCount;
}

bool OpenMenuAtHeading(char letter, int windowWidth, int windowHeight) {
  const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (int row = 0; row < kMenuRowCount; ++row) {
    if (kMenuRows[row].id != 0 || AccessLetter(kMenuRows[row].text) != wanted) continue;
    OpenMenu(0, 0, windowWidth, windowHeight);
    State.KeyRowsBegin = row + 1;
    State.KeyRowsEnd = State.KeyRowsBegin;
    while (State.KeyRowsEnd < kMenuRowCount && kMenuRows[State.KeyRowsEnd].id != 0) ++State.KeyRowsEnd;
    State.Highlighted = State.KeyRowsBegin < State.KeyRowsEnd ? State.KeyRowsBegin : -1;
    return true;
  }
  return false;
}

uint32_t PickMenuItemByLetter(char letter) {
  if (!State.Open) return 0;
  const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (int row = State.KeyRowsBegin; row < State.KeyRowsEnd; ++row)
    if (kMenuRows[row].id != 0 && AccessLetter(kMenuRows[row].text) == wanted) return PickRow(row);
  return 0;
}

void MoveMenuHighlight(int step) {
  if (!State.Open || State.KeyRowsBegin >= State.KeyRowsEnd) return;
  int row = State.Highlighted;
  for (int tries = 0; tries < kMenuRowCount; ++tries) {
    // From none lit, Down lights the first item and Up the last.
    row = row < 0 ? (step > 0 ? State.KeyRowsBegin : State.KeyRowsEnd - 1) : row + step;
    if (row < State.KeyRowsBegin) row = State.KeyRowsEnd - 1;
    if (row >= State.KeyRowsEnd) row = State.KeyRowsBegin;
    if (kMenuRows[row].id != 0) {
      State.Highlighted = row;
      return;
    }
  }
}

uint32_t PickHighlightedMenuItem() { return State.Open && State.Highlighted >= 0 ? PickRow(State.Highlighted) : 0; }

void MenuCorner(int* left, int* top) {
  *left = State.Left;
  *top = State.Top;
}

void CloseMenu() { State.Open = false; }
bool MenuIsOpen() { return State.Open; }
int HighlightedMenuRow() { return State.Highlighted; }

uint32_t MenuItemAt(int x, int y) {
  int row = RowAt(x, y);
  return row < 0 ? 0 : kMenuRows[row].id;
}

void HighlightMenuItemAt(int x, int y) {
  int row = RowAt(x, y);
  State.Highlighted = (row >= 0 && kMenuRows[row].id != 0) ? row : -1;
}

}  // namespace lumaro
