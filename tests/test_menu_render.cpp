// The window's menu drawn for real: its text has lower case, and each access letter is
// underlined, read back from the pixels of each row.
#include <algorithm>

#include "gl_fixture.h"
#include "shell/menu.h"

namespace lumaro {
namespace {

// Where a row's text has ink, in window pixels (y down within the row).
struct Ink {
  int left = 1 << 20, right = -1;
  // The top and bottom ink row over a span of columns; -1 when the span has none.
  int top(int from, int to) const { return Edge(from, to, true); }
  int bottom(int from, int to) const { return Edge(from, to, false); }
  std::vector<std::pair<int, int>> pixels;  // x, y

 private:
  int Edge(int from, int to, bool topmost) const {
    int edge = -1;
    for (const auto& [x, y] : pixels)
      if (x >= from && x <= to && (edge < 0 || (topmost ? y < edge : y > edge))) edge = y;
    return edge;
  }
};

class MenuRender : public GlTest {
 protected:
  // The menu open at the top-left of a black 320 x 240 picture, drawn and read back.
  void SetUp() override {
    GlTest::SetUp();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    OpenMenu(0, 0, width_, height_);
    DrawMenuPopup(width_, height_);
    frame_ = ReadFrame();
    CloseMenu();
  }
  // Letters stand out of the dark box by far more than the box from black.
  Ink RowInk(int row) const {
    Ink ink;
    for (int y = 0; y < kMenuRowHeight; ++y)
      for (int x = 0; x < kMenuWidth; ++x) {
        const int windowY = row * kMenuRowHeight + y;
        if (Pixel(frame_, x, height_ - 1 - windowY).sum() < 180) continue;
        ink.pixels.push_back({x, y});
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
      }
    return ink;
  }
  std::vector<Rgb> frame_;
};

TEST_F(MenuRender, HeadingsAndItemsInLowerCase) {
  // The Draw heading: its capital D reaches higher than the "raw" after it.
  int second = -1;
  for (int row = 0, headings = 0; row < kMenuRowCount && second < 0; ++row)
    if (kMenuRows[row].id == 0 && ++headings == 2) second = row;
  ASSERT_GE(second, 0);
  const Ink ink = RowInk(second);
  ASSERT_GT(ink.right, ink.left) << "no text in the row";
  const int width = ink.right - ink.left;
  const int capital = ink.top(ink.left, ink.left + width / 5);
  const int small = ink.top(ink.left + width * 2 / 5, ink.right);
  EXPECT_GE(small, capital + 2) << "the letters after the first are as tall as it";
}

TEST_F(MenuRender, AccessLettersUnderlined) {
  // Every row whose first letter is its access letter: ink under that letter, below the
  // baseline the letters after it stand on (none of them reaches below it).
  int checked = 0;
  for (int row = 0; row < kMenuRowCount; ++row) {
    if (kMenuRows[row].text[0] != '&') continue;
    SCOPED_TRACE(kMenuRows[row].text);
    const Ink ink = RowInk(row);
    ASSERT_GT(ink.right, ink.left) << "no text in the row";
    const int width = ink.right - ink.left;
    const int underFirst = ink.bottom(ink.left, ink.left + width / 5);
    const int underRest = ink.bottom(ink.left + width * 2 / 5, ink.right);
    EXPECT_GE(underFirst, underRest + 2) << "no line under the access letter";
    ++checked;
  }
  EXPECT_GE(checked, 2) << "no row marks its first letter as its access letter";
}

}  // namespace
}  // namespace lumaro
