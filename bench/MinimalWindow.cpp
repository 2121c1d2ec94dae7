// The start-up benchmark's baseline: a minimal Qt 6 program showing an
// empty QMainWindow of the host's size.
#include <QApplication>
#include <QMainWindow>

#include "bench/FirstPaint.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Minimal");
  window.setGeometry(20, 50, 1000, 800);
  FirstPaint ready(&window, [] { QCoreApplication::quit(); });
  window.show();
  return app.exec();
}
