// Draws the icons of the sample plug-ins, 32 pixels square, into their
// resource folders:
//
//   MakeSampleIcons <samples folder> <notes folder> <sketch folder>
//
// The build runs it; the pictures are not kept in the source tree.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

using Draw = std::function<void(QPainter&)>;

const QColor kInk(40, 50, 70);
const QColor kBlue(40, 110, 200);

bool Save(const QString& folder, const char* name, const Draw& draw) {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
  }
  const QString path = folder + "/" + name;
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "MakeSampleIcons: cannot write %s\n", qPrintable(path));
  return false;
}

void Page(QPainter& p, const QColor& paper) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(paper);
  p.drawPolygon(
      QPolygonF({QPointF(6, 3), QPointF(20, 3), QPointF(26, 9), QPointF(26, 29), QPointF(6, 29)}));
}

// A curved arrow; `mirror` points it the other way (redo).
void Arrow(QPainter& p, bool mirror) {
  if (mirror) {
    p.translate(32, 0);
    p.scale(-1, 1);
  }
  p.setPen(QPen(kBlue, 3.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath path;
  path.moveTo(9, 13);
  path.cubicTo(16, 6, 28, 9, 26, 20);
  path.cubicTo(25, 26, 19, 28, 15, 27);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({QPointF(3, 14), QPointF(13, 5), QPointF(14, 18)}));
}

bool MakeSamples(const QString& folder) {
  bool ok = true;
  ok &= Save(folder, "new.png", [](QPainter& p) {
    Page(p, Qt::white);
    p.setPen(QPen(QColor(30, 150, 60), 3));
    p.drawLine(QPointF(16, 12), QPointF(16, 24));
    p.drawLine(QPointF(10, 18), QPointF(22, 18));
  });
  ok &= Save(folder, "Notes.png", [](QPainter& p) {
    Page(p, QColor(255, 250, 200));
    p.setPen(QPen(kBlue, 1.5));
    for (int y = 12; y <= 24; y += 4) p.drawLine(QPointF(10, y), QPointF(22, y));
  });
  ok &= Save(folder, "Sketch.png", [](QPainter& p) {
    Page(p, Qt::white);
    p.setPen(QPen(QColor(210, 60, 50), 2.5, Qt::SolidLine, Qt::RoundCap));
    QPainterPath path;
    path.moveTo(9, 24);
    path.cubicTo(12, 10, 17, 26, 23, 12);
    p.drawPath(path);
  });
  ok &= Save(folder, "undo.png", [](QPainter& p) { Arrow(p, false); });
  ok &= Save(folder, "redo.png", [](QPainter& p) { Arrow(p, true); });
  return ok;
}

bool MakeNotes(const QString& folder) {
  bool ok = true;
  ok &= Save(folder, "wrap.png", [](QPainter& p) {
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 8), QPointF(26, 8));
    QPainterPath path;
    path.moveTo(4, 16);
    path.lineTo(24, 16);
    path.cubicTo(30, 16, 30, 24, 24, 24);
    path.lineTo(16, 24);
    p.setPen(QPen(kBlue, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(12, 24), QPointF(18, 19), QPointF(18, 29)}));
  });
  const auto letters = [](int big, bool plus) {
    return [big, plus](QPainter& p) {
      QFont font;
      font.setBold(true);
      font.setPixelSize(big);
      p.setFont(font);
      p.setPen(kInk);
      p.drawText(QRectF(0, 4, 22, 28), Qt::AlignCenter, "A");
      p.setPen(QPen(kBlue, 3));
      p.drawLine(QPointF(21, 8), QPointF(31, 8));
      if (plus) p.drawLine(QPointF(26, 3), QPointF(26, 13));
    };
  };
  ok &= Save(folder, "larger.png", letters(24, true));
  ok &= Save(folder, "smaller.png", letters(16, false));
  return ok;
}

bool MakeSketch(const QString& folder) {
  const QPen line(kInk, 2.5, Qt::SolidLine, Qt::RoundCap);
  bool ok = true;
  ok &= Save(folder, "pen.png", [](QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(240, 190, 60));
    p.drawPolygon(QPolygonF(
        {QPointF(6, 26), QPointF(8, 19), QPointF(23, 4), QPointF(28, 9), QPointF(13, 24)}));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(6, 26), QPointF(7, 22), QPointF(10, 25)}));
  });
  ok &= Save(folder, "line.png", [line](QPainter& p) {
    p.setPen(line);
    p.drawLine(QPointF(5, 27), QPointF(27, 5));
  });
  ok &= Save(folder, "rectangle.png", [line](QPainter& p) {
    p.setPen(line);
    p.setBrush(QColor(170, 200, 240));
    p.drawRect(QRectF(5, 8, 22, 16));
  });
  ok &= Save(folder, "ellipse.png", [line](QPainter& p) {
    p.setPen(line);
    p.setBrush(QColor(250, 200, 190));
    p.drawEllipse(QRectF(4, 7, 24, 18));
  });
  ok &= Save(folder, "clear.png", [](QPainter& p) {
    Page(p, Qt::white);
    p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 12), QPointF(21, 22));
    p.drawLine(QPointF(21, 12), QPointF(11, 22));
  });
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: MakeSampleIcons <samples folder> <notes folder> <sketch folder>\n");
    return 2;
  }
  const QString samples = QString::fromLocal8Bit(argv[1]);
  const QString notes = QString::fromLocal8Bit(argv[2]);
  const QString sketch = QString::fromLocal8Bit(argv[3]);
  for (const QString& folder : {samples, notes, sketch}) QDir().mkpath(folder);
  const bool ok = MakeSamples(samples) && MakeNotes(notes) && MakeSketch(sketch);
  return ok ? 0 : 1;
}
