// Draws the PNG icons that the action tests look up, and the demo's icons.
//
//   MakeIcons test <dir>   test icons in <dir>/full, <dir>/bare, <dir>/partial
//   MakeIcons demo <dir>   demo icons in <dir> (committed under resources/icons)
//
// Test icons are flat squares whose colour tells which file and which strip
// frame an icon came from; strips hold four frames side by side in the
// order normal, disabled, active, selected.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

const QColor kFrameColours[4] = {QColor(200, 0, 0), QColor(128, 128, 128), QColor(0, 160, 0),
                                 QColor(0, 0, 200)};

bool Save(const QImage& image, const QString& path) {
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "MakeIcons: cannot write %s\n", qPrintable(path));
  return false;
}

QImage Square(int side, const QColor& colour) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

QImage Strip(int side, const std::function<void(QPainter&, int side, int frame)>& draw) {
  QImage image(side * 4, side, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  for (int frame = 0; frame < 4; ++frame) {
    painter.save();
    painter.translate(frame * side, 0);
    draw(painter, side, frame);
    painter.restore();
  }
  return image;
}

bool MakeTestIcons(const QString& dir) {
  const QString full = dir + "/full";
  const QString bare = dir + "/bare";
  const QString partial = dir + "/partial";
  for (const QString& folder : {full, bare, partial}) QDir().mkpath(folder);
  const auto flat = [](QPainter& p, int side, int frame) {
    p.fillRect(0, 0, side, side, kFrameColours[frame]);
  };
  bool ok = true;
  ok &= Save(Strip(16, flat), full + "/openStrip-16.png");
  ok &= Save(Strip(24, flat), full + "/openStrip-24.png");
  ok &= Save(Square(16, QColor(255, 255, 0)), full + "/open-16.png");
  ok &= Save(Square(24, QColor(0, 255, 255)), full + "/open-24.png");
  ok &= Save(Square(32, QColor(255, 0, 255)), full + "/open.png");
  ok &= Save(Square(32, QColor(255, 0, 255)), bare + "/open.png");
  ok &= Save(Strip(24, flat), partial + "/openStrip-24.png");
  ok &= Save(Square(16, QColor(255, 128, 0)), partial + "/save-16.png");
  return ok;
}

// Demo glyphs, drawn on a 32-unit grid and scaled to the icon's side. The
// strip frames are: normal, disabled (grey), active (lighter), selected.
QColor Tint(const QColor& colour, int frame) {
  switch (frame) {
    case 1: return QColor(150, 150, 150);
    case 2: return colour.lighter(130);
    case 3: return colour.darker(130);
    default: return colour;
  }
}

void DrawOpen(QPainter& p, int side, int frame) {
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / 32.0, side / 32.0);
  p.setPen(QPen(QColor(90, 60, 10), 1.5));
  p.setBrush(Tint(QColor(230, 180, 60), frame));
  QPainterPath back;
  back.moveTo(3, 8);
  back.lineTo(12, 8);
  back.lineTo(15, 11);
  back.lineTo(29, 11);
  back.lineTo(29, 27);
  back.lineTo(3, 27);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(Tint(QColor(250, 210, 100), frame));
  p.drawPolygon(QPolygonF({QPointF(3, 27), QPointF(8, 15), QPointF(31, 15), QPointF(29, 27)}));
}

void DrawNew(QPainter& p, int side, int frame) {
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / 32.0, side / 32.0);
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  p.setBrush(Tint(QColor(250, 250, 250), frame));
  p.drawPolygon(QPolygonF({QPointF(7, 3), QPointF(20, 3), QPointF(26, 9), QPointF(26, 29),
                           QPointF(7, 29)}));
  p.drawPolyline(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
  p.setPen(QPen(Tint(QColor(40, 110, 200), frame), 1.5));
  for (int y = 14; y <= 24; y += 5) p.drawLine(QPointF(11, y), QPointF(22, y));
}

void DrawSave(QPainter& p, int side, int frame) {
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / 32.0, side / 32.0);
  p.setPen(QPen(QColor(20, 30, 70), 1.5));
  p.setBrush(Tint(QColor(50, 90, 180), frame));
  p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
  p.setBrush(QColor(240, 240, 240));
  p.drawRect(QRectF(9, 4, 14, 9));
  p.setBrush(Tint(QColor(200, 200, 210), frame));
  p.drawRect(QRectF(8, 18, 16, 10));
}

bool MakeDemoIcons(const QString& dir) {
  QDir().mkpath(dir);
  struct Glyph {
    const char* name;
    void (*draw)(QPainter&, int, int);
  };
  const Glyph glyphs[] = {{"new", DrawNew}, {"open", DrawOpen}, {"save", DrawSave}};
  bool ok = true;
  for (const Glyph& glyph : glyphs) {
    const QString name = glyph.name;
    for (int side : {16, 24}) {
      QImage single(side, side, QImage::Format_ARGB32);
      single.fill(Qt::transparent);
      {
        QPainter painter(&single);
        glyph.draw(painter, side, 0);
      }
      ok &= Save(single, QString("%1/%2-%3.png").arg(dir, name).arg(side));
      ok &= Save(Strip(side, glyph.draw), QString("%1/%2Strip-%3.png").arg(dir, name).arg(side));
    }
    QImage plain(32, 32, QImage::Format_ARGB32);
    plain.fill(Qt::transparent);
    {
      QPainter painter(&plain);
      glyph.draw(painter, 32, 0);
    }
    ok &= Save(plain, dir + "/" + name + ".png");
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: MakeIcons test|demo <dir>\n");
    return 2;
  }
  const QString kind = argv[1];
  const QString dir = QString::fromLocal8Bit(argv[2]);
  if (kind == "test") return MakeTestIcons(dir) ? 0 : 1;
  if (kind == "demo") return MakeDemoIcons(dir) ? 0 : 1;
  std::fprintf(stderr, "usage: MakeIcons test|demo <dir>\n");
  return 2;
}
