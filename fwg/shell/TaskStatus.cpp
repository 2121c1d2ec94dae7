#include "fwg/shell/TaskStatus.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <map>

#include "fwg/LibraryTexts.h"
#include "fwg/Parts.h"
#include "fwg/shell/Tasks.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

// How often the progress shown is read again while tasks run, and how
// long changes gather before the view follows them: many tasks that start
// and end one after the other cost one look at them all.
constexpr int kPollMs = 200;
constexpr int kGatherMs = 40;

QString Describe(const Task* task) {
  const QString title = QString::fromStdString(task->GetTitle());
  const QString text = QString::fromStdString(task->GetProgress().text);
  return text.isEmpty() ? title : title + QStringLiteral(": ") + text;
}

// 0 to 1000; -1 while the task cannot say how far it is.
int PerMille(const Task* task) {
  const Task::Progress progress = task->GetProgress();
  if (progress.maximum <= progress.minimum) return -1;
  const int value = std::clamp(progress.value, progress.minimum, progress.maximum);
  return int(1000LL * (value - progress.minimum) / (progress.maximum - progress.minimum));
}

void Show(QProgressBar* bar, int perMille) {
  if (perMille < 0) {
    bar->setRange(0, 0);  // busy
  } else {
    bar->setRange(0, 1000);
    bar->setValue(perMille);
  }
}

// The list the button opens: a row per task.
class TaskList : public QFrame {
 public:
  explicit TaskList(QWidget* parent) : QFrame(parent, Qt::Popup) {
    setObjectName("fwgTaskList");
    setFrameShape(QFrame::StyledPanel);
    column_ = new QVBoxLayout(this);
  }

  void Refresh(const oxStlVector<Task*>& running) {
    for (auto row = rows_.begin(); row != rows_.end();) {
      if (std::find(running.begin(), running.end(), row->first) == running.end()) {
        delete row->second.box;
        row = rows_.erase(row);
      } else {
        ++row;
      }
    }
    for (Task* task : running) {
      Row& row = rows_[task];
      if (!row.box) Make(task, &row);
      row.label->setText(Describe(task));
      Show(row.bar, PerMille(task));
    }
    adjustSize();
  }

 private:
  struct Row {
    QWidget* box = nullptr;
    QLabel* label = nullptr;
    QProgressBar* bar = nullptr;
  };

  void Make(Task* task, Row* row) {
    row->box = new QWidget(this);
    auto* line = new QHBoxLayout(row->box);
    line->setContentsMargins(0, 0, 0, 0);
    auto* texts = new QVBoxLayout;
    row->label = new QLabel(row->box);
    row->bar = new QProgressBar(row->box);
    row->bar->setTextVisible(false);
    row->bar->setMinimumWidth(240);
    texts->addWidget(row->label);
    texts->addWidget(row->bar);
    line->addLayout(texts, 1);
    auto* cancel = new QPushButton(TranslateLibraryQText("Cancel"), row->box);
    cancel->setAccessibleName(TranslateLibraryQText("Cancel %1").arg(QString::fromStdString(task->GetTitle())));
    QObject::connect(cancel, &QPushButton::clicked, task, [task, cancel] {
      task->Cancel();
      cancel->setEnabled(false);
    });
    line->addWidget(cancel);
    column_->addWidget(row->box);
  }

  QVBoxLayout* column_;
  std::map<Task*, Row> rows_;
};

class TaskView : public QWidget {
 public:
  explicit TaskView(QStatusBar* bar) : QWidget(bar) {
    setObjectName("fwgTaskStatus");
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    progress_->setFixedWidth(140);
    progress_->setMaximumHeight(fontMetrics().height());
    button_ = new QToolButton(this);
    button_->setAutoRaise(true);
    button_->setToolTip(TranslateLibraryQText("Show the running tasks"));
    line->addWidget(progress_);
    line->addWidget(button_);
    list_ = new TaskList(this);
    QObject::connect(button_, &QToolButton::clicked, this, [this] { OpenList(); });
    poll_.setInterval(kPollMs);
    QObject::connect(&poll_, &QTimer::timeout, this, [this] { Refresh(); });
    later_.setSingleShot(true);
    later_.setInterval(kGatherMs);
    QObject::connect(&later_, &QTimer::timeout, this, [this] { Refresh(); });
    bar->addPermanentWidget(this);
    hide();
  }

  bool IsScheduled() const { return later_.isActive(); }
  void Schedule() {
    if (!later_.isActive()) later_.start();
  }

 private:
  void Refresh() {
    const oxStlVector<Task*> running = Tasks::GetRunning();
    if (running.empty()) {
      poll_.stop();
      list_->hide();
      hide();
      return;
    }
    if (!poll_.isActive()) poll_.start();
    int sum = 0;
    bool busy = false;
    for (const Task* task : running) {
      const int perMille = PerMille(task);
      busy |= perMille < 0;
      sum += std::max(0, perMille);
    }
    Show(progress_, busy ? -1 : sum / int(running.size()));
    button_->setText(running.size() == 1 ? Describe(running.front())
                                         : TranslateLibraryQText("%1 tasks").arg(running.size()));
    show();
    if (list_->isVisible()) list_->Refresh(running);
  }

  void OpenList() {
    list_->Refresh(Tasks::GetRunning());
    const QPoint corner = button_->mapToGlobal(QPoint(button_->width(), 0));
    list_->move(corner - QPoint(list_->width(), list_->height()));
    list_->show();
  }

  QProgressBar* progress_;
  QToolButton* button_;
  TaskList* list_;
  QTimer poll_;   // while tasks run
  QTimer later_;  // one refresh for many changes
};

}  // namespace

void TaskStatus::Update() {
  static QPointer<TaskView> view;  // goes with its window
  if (view && view->IsScheduled()) return;  // many tasks in a row: no look-ups
  uiMainWindow* window = FindMainWindow();
  if (!window) return;
  if (!view || view->window() != window) view = new TaskView(window->statusBar());
  view->Schedule();
}

}  // namespace fwg
