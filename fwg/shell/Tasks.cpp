#include "fwg/shell/Tasks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QThreadPool>
#include <QTimer>
#include <exception>
#include <iostream>
#include <map>
#include <vector>

#include "fwg/LibraryTexts.h"
#include "fwg/Parts.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/TaskInternal.h"
#include "fwg/shell/TaskStatus.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

// How long the sliced tasks run, together, before the event loop has its
// turn again.
constexpr int kSliceMs = 10;

}  // namespace

// The running tasks, on the GUI thread. Lives for the process: the work's
// threads post to it, never to a task, which may be gone by then.
class TaskRegistry : public QObject {
 public:
  TaskRegistry() {
    slicer_.setInterval(0);
    QObject::connect(&slicer_, &QTimer::timeout, this, [this] { RunSlices(); });
  }

  static TaskRegistry& Get() {
    static TaskRegistry* registry = new TaskRegistry;  // reachable to the end, never deleted
    return *registry;
  }

  Task* Add(Task* task) {
    Task::Internal* d = task->internal_;
    d->serial = nextSerial_++;
    running_[d->serial] = task;
    if (QObject* owner = d->owner) {
      QObject::connect(owner, &QObject::destroyed, task, [task] {
        task->internal_->ownerGone = true;
        task->Cancel();
      });
    }
    if (d->slice && !slicer_.isActive()) slicer_.start();
    TaskStatus::Update();
    Tasks::OnStarted().Emit(task);
    return task;
  }

  // Work on the pool has returned: called by its thread. The serials
  // gather until the GUI thread takes them, with one wake-up for all that
  // return meanwhile.
  void Returned(uint64_t serial) {
    bool first = false;
    {
      std::lock_guard<std::mutex> lock(returnedMutex_);
      first = returned_.empty();
      returned_.push_back(serial);
    }
    if (first) QMetaObject::invokeMethod(this, [this] { EndReturned(); }, Qt::QueuedConnection);
  }

  // Ends the task: its state, `done`, the message of a failure, the
  // listeners; then deletes it. Never runs inside one of the task's own
  // slots, so deleting it here is safe.
  void End(Task* task) {
    Task::Internal* d = task->internal_;
    if (d->state != Task::State::Running) return;
    if (d->slice) {
      d->shared->promise.finish();
    } else {
      d->future.waitForFinished();  // the thread posts just before it finishes
    }
    bool failed = false;
    oxString failure;
    {
      std::lock_guard<std::mutex> lock(d->shared->mutex);
      failed = d->shared->failed;
      failure = d->shared->failure;
    }
    if (d->future.isCanceled() || d->ownerGone) {
      d->state = Task::State::Canceled;
    } else if (failed) {
      d->state = Task::State::Failed;
      d->error = failure.empty() ? TranslateLibraryText("the work stopped on an unexpected error") : failure;
    } else {
      d->state = Task::State::Finished;
    }
    running_.erase(d->serial);
    // What the functions hold goes now, on this thread (a script's
    // function must go while its engine lives).
    std::function<void()> done = std::move(d->done);
    d->done = nullptr;
    d->slice = nullptr;
    if (d->state == Task::State::Finished && done) done();
    done = nullptr;
    if (d->state == Task::State::Failed) {
      InfoBar::Show(QString::fromStdString(TranslateLibraryText("\u201c%1\u201d failed: %2"))
                        .arg(QString::fromStdString(d->title), QString::fromStdString(d->error))
                        .toStdString(),
                    InfoBar::Error);
    }
    TaskStatus::Update();
    d->onFinished.Emit(task);
    delete task;
  }

  oxStlVector<Task*> GetRunning() const {
    oxStlVector<Task*> tasks;
    tasks.reserve(running_.size());
    for (const auto& [serial, task] : running_) tasks.push_back(task);
    return tasks;
  }

  uint64_t NextSerial() const { return nextSerial_; }

  // The tasks' own threads, as many as the machine has cores. Not Qt's
  // global pool: Qt paints and scales images on it and waits for it on the
  // GUI thread, so long work there would stop the window from painting.
  QThreadPool& GetPool() { return pool_; }

 private:
  // Ends the tasks whose work returned; late news of a task that has
  // already ended is dropped.
  void EndReturned() {
    std::vector<uint64_t> serials;
    {
      std::lock_guard<std::mutex> lock(returnedMutex_);
      serials.swap(returned_);
      returned_.swap(spare_);  // the room of the last batch, for the next
    }
    for (const uint64_t serial : serials) {
      const auto found = running_.find(serial);
      if (found != running_.end()) End(found->second);  // may run the loop, and this, again
    }
    serials.clear();
    std::lock_guard<std::mutex> lock(returnedMutex_);
    if (serials.capacity() > spare_.capacity()) spare_.swap(serials);
  }

  // Calls the sliced tasks in turn, for about kSliceMs together.
  void RunSlices() {
    QElapsedTimer clock;
    clock.start();
    bool any = true;
    while (any && clock.elapsed() < kSliceMs) {
      any = false;
      for (Task* task : GetRunning()) {
        Task::Internal* d = task->internal_;
        if (!d->slice) continue;
        any = true;
        if (d->future.isCanceled() || !RunSlice(d)) End(task);
      }
    }
    if (!any) slicer_.stop();
  }

  // One call of the task's slice; false when the work is done.
  static bool RunSlice(Task::Internal* d) {
    TaskProgress progress(d->shared.get());
    try {
      return d->slice(progress) && !d->shared->failed;
    } catch (const std::exception& e) {
      progress.Fail(e.what());
    } catch (...) {
      progress.Fail({});
    }
    return false;
  }

  std::map<uint64_t, Task*> running_;  // by serial: the order they started
  uint64_t nextSerial_ = 1;
  QTimer slicer_;  // runs while sliced tasks do
  QThreadPool pool_;
  std::mutex returnedMutex_;  // guards what follows
  std::vector<uint64_t> returned_;
  std::vector<uint64_t> spare_;
};

Task* Tasks::StartWork(const oxString& title, std::function<void(TaskProgress&)> work,
                       std::function<void()> done, QObject* owner) {
  TaskRegistry& registry = TaskRegistry::Get();
  auto* task = new Task(title, owner);
  task->internal_->done = std::move(done);
  std::shared_ptr<TaskShared> shared = task->internal_->shared;
  shared->work = std::move(work);
  registry.Add(task);
  shared->serial = task->internal_->serial;
  // Only the shared part goes along: small enough to be carried without
  // an allocation of its own.
  registry.GetPool().start([shared = std::move(shared)] {
    TaskProgress progress(shared.get());
    if (!shared->promise.isCanceled()) {
      try {
        shared->work(progress);
      } catch (const std::exception& e) {
        progress.Fail(e.what());
      } catch (...) {
        progress.Fail({});  // told in the GUI thread's words
      }
    }
    shared->work = nullptr;
    TaskRegistry::Get().Returned(shared->serial);  // before finishing: the task waits for that, then may go
    shared->promise.finish();
  });
  return task;
}

Task* Tasks::StartSliced(const oxString& title, std::function<bool(TaskProgress&)> slice,
                         std::function<void()> done, QObject* owner) {
  if (!slice) {
    std::cerr << "fwg: Tasks::StartSliced: '" << title << "' has no work\n";
    return nullptr;
  }
  auto* task = new Task(title, owner);
  task->internal_->slice = std::move(slice);
  task->internal_->done = std::move(done);
  return TaskRegistry::Get().Add(task);
}

namespace {
int g_waiting = 0;  // RunAndWait calls in progress
}  // namespace

void Tasks::WaitUntilEnded(Task* task) {
  QEventLoop wait;
  task->OnFinished().Connect(nullptr, [&wait](Task*) { wait.quit(); });
  ++g_waiting;
  wait.exec(QEventLoop::ExcludeUserInputEvents);
  --g_waiting;
}

bool Tasks::IsWaiting() { return g_waiting > 0; }

oxStlVector<Task*> Tasks::GetRunning() { return TaskRegistry::Get().GetRunning(); }

void Task::CancelAndWait() {
  if (internal_->state != State::Running) return;
  Cancel();
  TaskRegistry::Get().End(this);
}

void Tasks::CancelAllAndWait() {
  TaskRegistry& registry = TaskRegistry::Get();
  for (Task* task : registry.GetRunning()) task->Cancel();  // all at once: they stop side by side
  // One at a time, looked up again: a listener of one may end another.
  for (oxStlVector<Task*> running = registry.GetRunning(); !running.empty(); running = registry.GetRunning()) {
    running.front()->Cancel();
    registry.End(running.front());
  }
}

bool Tasks::ConfirmQuit() {
  static bool asking = false;
  const oxStlVector<Task*> running = GetRunning();
  if (running.empty()) return true;
  if (asking) return false;
  asking = true;
  const QString text =
      running.size() == 1
          ? TranslateLibraryQText("\u201c%1\u201d is still running.").arg(QString::fromStdString(running.front()->GetTitle()))
          : TranslateLibraryQText("%1 tasks are still running.").arg(running.size());
  QMessageBox box(QMessageBox::Question, TranslateLibraryQText("Tasks Running"), text,
                  QMessageBox::Ok | QMessageBox::Cancel, FindMainWindow());
  box.setInformativeText(TranslateLibraryQText("Quitting cancels them; what they have not finished is lost."));
  box.button(QMessageBox::Ok)->setText(TranslateLibraryQText("&Quit"));
  box.setDefaultButton(QMessageBox::Cancel);
  const bool quit = box.exec() == QMessageBox::Ok;
  asking = false;
  return quit;
}

oxiSignal1<void, Task*>& Tasks::OnStarted() {
  static oxiSignal1<void, Task*> signal;
  return signal;
}

}  // namespace fwg
