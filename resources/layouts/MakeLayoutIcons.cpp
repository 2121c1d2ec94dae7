// Draws the pictures of the twelve fixed layouts: one PNG per layout,
// showing its panes in their places.
//
//   MakeLayoutIcons <folder>
//
// The build runs it into the application's "fwg" resources.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "platform/ui/uiLayoutPanes.h"

namespace {

QImage Draw(const uiLayoutPanes& picture) {
  constexpr int kSize = 32;
  constexpr int kMargin = 2;  // around the whole picture
  constexpr int kGap = 2;     // between panes
  QImage image(kSize, kSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  // Grid line i in pixels; panes keep half a gap from every inner line.
  const auto at = [](int i, int count) {
    return kMargin + (i * (kSize - 2 * kMargin) + count / 2) / count;
  };
  for (const uiPaneCell& cell : picture.cells) {
    const int lastRow = cell.row + cell.rowSpan, lastColumn = cell.column + cell.columnSpan;
    const QPoint topLeft(at(cell.column, picture.columns) + (cell.column ? kGap / 2 : 0),
                         at(cell.row, picture.rows) + (cell.row ? kGap / 2 : 0));
    const QPoint bottomRight(
        at(lastColumn, picture.columns) - 1 - (lastColumn < picture.columns ? kGap / 2 : 0),
        at(lastRow, picture.rows) - 1 - (lastRow < picture.rows ? kGap / 2 : 0));
    const QRect box(topLeft, bottomRight);
    painter.fillRect(box, QColor(0xdd, 0xe6, 0xf2));
    // A title bar on each pane makes the panes read as windows.
    painter.fillRect(QRect(box.topLeft(), QSize(box.width(), 3)), QColor(0x3b, 0x6e, 0xb4));
    painter.setPen(QColor(0x2a, 0x4d, 0x7f));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "fwg: usage: MakeLayoutIcons <folder>\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (const uiLayoutPanes& layout : uiGetLayoutPanes()) {
    if (!layout.picture) continue;  // entry 0: no layout
    const QString path = folder + "/" + layout.picture;
    if (!Draw(layout).save(path, "PNG")) {
      std::fprintf(stderr, "fwg: could not write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
