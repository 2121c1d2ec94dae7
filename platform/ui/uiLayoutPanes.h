// The panes of the twelve fixed layouts, in one table for the layout frame
// that tiles its views by it and for the build-time tool that draws the
// layouts' pictures from it. Keep in step with the drawing in
// uiLayoutFrameEx.h.
#pragma once

#include <vector>

struct uiPaneCell {
  int row, column, rowSpan, columnSpan;
};

struct uiLayoutPanes {
  const char* picture;  // file name of the layout's picture; null for no layout
  int rows, columns;
  std::vector<uiPaneCell> cells;  // in pane order
};

// Indexed by layout value (uiLayoutFrameEx::FixedLayouts); entry 0 is no
// layout.
inline const std::vector<uiLayoutPanes>& uiGetLayoutPanes() {
  static const std::vector<uiLayoutPanes> layouts = {
      {nullptr, 0, 0, {}},
      {"layout1.png", 1, 1, {{0, 0, 1, 1}}},                                    // Full
      {"layout2v.png", 2, 1, {{0, 0, 1, 1}, {1, 0, 1, 1}}},                     // 2 Vertical
      {"layout2h.png", 1, 2, {{0, 0, 1, 1}, {0, 1, 1, 1}}},                     // 2 Horizontal
      {"layout3v.png", 3, 1, {{0, 0, 1, 1}, {1, 0, 1, 1}, {2, 0, 1, 1}}},       // 3 Vertical
      {"layout3h.png", 1, 3, {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 2, 1, 1}}},       // 3 Horizontal
      {"layout3l.png", 2, 2, {{0, 0, 1, 1}, {0, 1, 2, 1}, {1, 0, 1, 1}}},       // Split Left
      {"layout3r.png", 2, 2, {{0, 0, 2, 1}, {0, 1, 1, 1}, {1, 1, 1, 1}}},       // Split Right
      {"layout3t.png", 2, 2, {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 2}}},       // Split Top
      {"layout3b.png", 2, 2, {{0, 0, 1, 2}, {1, 0, 1, 1}, {1, 1, 1, 1}}},       // Split Bottom
      {"layout2x2.png", 2, 2, {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}}},  // 2 x 2
      {"layout2x3.png", 3, 2,
       {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}, {2, 0, 1, 1},
        {2, 1, 1, 1}}},  // 2 By 3
      {"layout3x2.png", 2, 3,
       {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 2, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1},
        {1, 2, 1, 1}}},  // 3 By 2
  };
  return layouts;
}
