// One piece of background work as the application sees it: a title, its
// progress and text, whether it still runs, and how it ended. Made by
// fwg::Tasks (Tasks.h), which runs the work; the status bar lists the tasks
// that run, each with Cancel.
//
// The work itself reports through a TaskProgress: from a thread of the pool
// for work started with Tasks::Start, on the GUI thread for work started in
// slices (Tasks::StartSliced). Everything a Task tells its listeners (its
// signals, the result handed to the `done` function) happens on the GUI
// thread.
#pragma once

#include <QFuture>
#include <QObject>

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

class Task;
struct TaskShared;

// The work's side of a task. Safe to use from the thread that runs the
// work; cancellation is cooperative: the work looks at IsCanceled() between
// its steps and returns early.
class TaskProgress {
 public:
  // True once the user, the owner's going or the application's end asked
  // the work to stop.
  bool IsCanceled() const;
  // The range the value moves in; 0 and 0 (the default) while the work
  // cannot say how far it is.
  void SetRange(int minimum, int maximum);
  void SetValue(int value);
  // What the work does now, shown beside its title ("Reading page 3").
  void SetText(const oxString& text);
  // Ends the task as failed, with a reason the user can read, once the work
  // returns. The result is not handed on.
  void Fail(const oxString& reason);

 private:
  friend class Tasks;
  friend class TaskRegistry;
  explicit TaskProgress(TaskShared* shared) : shared_(shared) {}
  TaskShared* shared_;
};

class Task : public QObject {
 public:
  enum class State { Running, Finished, Canceled, Failed };

  ~Task() override;
  Task(const Task&) = delete;
  Task& operator=(const Task&) = delete;

  const oxString& GetTitle() const;
  // The progress as the work last reported it, read in one piece when
  // asked.
  struct Progress {
    int minimum = 0;
    int maximum = 0;  // equal to minimum while the work cannot say
    int value = 0;
    oxString text;
  };
  Progress GetProgress() const;
  State GetState() const;
  bool IsRunning() const { return GetState() == State::Running; }
  // Why a failed task failed; "" otherwise.
  const oxString& GetError() const;
  // The future of the work, for code that composes its own Qt concurrency
  // with it (a QFutureWatcher of its own, say).
  QFuture<void> GetFuture() const;

  // Asks the work to stop. The task ends as canceled when the work
  // returns; its result is not handed on. Does nothing once it has ended.
  void Cancel();
  // Cancels and waits until the work has returned (on the GUI thread: the
  // GUI waits, so the work must look at IsCanceled() often). The task has
  // ended when this returns.
  void CancelAndWait();

  // Emitted on the GUI thread once, when the task has ended, after the
  // `done` function ran; the task is deleted right after its listeners.
  oxiSignal1<void, Task*>& OnFinished();

 private:
  friend class Tasks;
  friend class TaskRegistry;
  struct Internal;
  Task(const oxString& title, QObject* owner);
  Internal* internal_;
};

}  // namespace fwg
