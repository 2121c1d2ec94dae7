// Shared by the start-up benchmark's two programs: reports the first paint
// of anything in a window on the file descriptor named by BENCH_READY_FD (a
// byte, then what `report` gives, if anything), then quits through `quit`.
// Without the variable it does nothing.
#pragma once

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <string>

// Start-up marks of a program that does not link the framework, in the
// form the framework's marks are reported in: "<step> <nanoseconds>" lines
// on the monotonic clock.
class LocalMarks {
 public:
  static void Mark(const char* step) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    Text() += std::string(step) + " " +
              std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) + "\n";
  }
  static std::string Report() {
    Mark("first-paint");
    return Text();
  }

 private:
  static std::string& Text() {
    static std::string text;
    return text;
  }
};

class FirstPaint : public QObject {
 public:
  FirstPaint(QWidget* window, std::function<void()> quit,
             std::function<std::string()> report = {})
      : window_(window),
        quit_(std::move(quit)),
        report_(std::move(report)),
        fd_(qEnvironmentVariableIntValue("BENCH_READY_FD")) {
    if (fd_ > 0) QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Paint && widget && widget->window() == window_) {
      QCoreApplication::instance()->removeEventFilter(this);
      [[maybe_unused]] auto written = write(fd_, "1", 1);
      if (report_) {
        const std::string text = report_();
        written = write(fd_, text.data(), text.size());
      }
      close(fd_);
      QTimer::singleShot(0, quit_);
    }
    return false;
  }

 private:
  QWidget* window_;
  std::function<void()> quit_;
  std::function<std::string()> report_;
  int fd_;
};
