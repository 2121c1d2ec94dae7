// Shared by the start-up benchmark's two programs: reports the first paint
// of anything in a window on the file descriptor named by BENCH_READY_FD (a
// byte), then quits through `quit`. Without the variable it does nothing.
#pragma once

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

class FirstPaint : public QObject {
 public:
  FirstPaint(QWidget* window, std::function<void()> quit)
      : window_(window),
        quit_(std::move(quit)),
        fd_(qEnvironmentVariableIntValue("BENCH_READY_FD")) {
    if (fd_ > 0) QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Paint && widget && widget->window() == window_) {
      QCoreApplication::instance()->removeEventFilter(this);
      [[maybe_unused]] const auto written = write(fd_, "1", 1);
      close(fd_);
      QTimer::singleShot(0, quit_);
    }
    return false;
  }

 private:
  QWidget* window_;
  std::function<void()> quit_;
  int fd_;
};
