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
#include <vector>

namespace {

struct Cell {
  int row, column, rowSpan, columnSpan;
};

struct Picture {
  const char* file;
  int rows, columns;
  std::vector<Cell> cells;
};

// The panes as the layout frame places them (grid rows and columns).
const std::vector<Picture>& GetPictures() {
  static const std::vector<Picture> pictures = {
      {"layout1.png", 1, 1, {{0, 0, 1, 1}}},
      {"layout2v.png", 2, 1, {{0, 0, 1, 1}, {1, 0, 1, 1}}},
      {"layout2h.png", 1, 2, {{0, 0, 1, 1}, {0, 1, 1, 1}}},
      {"layout3v.png", 3, 1, {{0, 0, 1, 1}, {1, 0, 1, 1}, {2, 0, 1, 1}}},
      {"layout3h.png", 1, 3, {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 2, 1, 1}}},
      {"layout3l.png", 2, 2, {{0, 0, 1, 1}, {0, 1, 2, 1}, {1, 0, 1, 1}}},
      {"layout3r.png", 2, 2, {{0, 0, 2, 1}, {0, 1, 1, 1}, {1, 1, 1, 1}}},
      {"layout3t.png", 2, 2, {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 2}}},
      {"layout3b.png", 2, 2, {{0, 0, 1, 2}, {1, 0, 1, 1}, {1, 1, 1, 1}}},
      {"layout2x2.png", 2, 2, {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}}},
      {"layout2x3.png", 3, 2,
       {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}, {2, 0, 1, 1}, {2, 1, 1, 1}}},
      {"layout3x2.png", 2, 3,
       {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 2, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}, {1, 2, 1, 1}}},
  };
  return pictures;
}

QImage Draw(const Picture& picture) {
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
  for (const Cell& cell : picture.cells) {
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
  for (const Picture& picture : GetPictures()) {
    const QString path = folder + "/" + picture.file;
    if (!Draw(picture).save(path, "PNG")) {
      std::fprintf(stderr, "fwg: could not write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
