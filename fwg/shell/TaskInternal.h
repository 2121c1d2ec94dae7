// Not API: what a Task holds, shared with Tasks (the registry) and the
// status bar's view of the tasks.
#pragma once

#include <QPointer>
#include <QPromise>
#include <functional>
#include <memory>
#include <mutex>

#include "fwg/shell/Task.h"

namespace fwg {

// What the work's thread and the GUI thread both reach: the promise behind
// the task's future, the progress as reported, and a failure. Held by both
// sides, so the work may outlive the Task object by the moment it takes
// to return.
struct TaskShared {
  uint64_t serial = 0;
  // The work, on the pool; dropped on its thread once it returned.
  std::function<void(TaskProgress&)> work;
  QPromise<void> promise;
  mutable std::mutex mutex;  // guards what follows
  int minimum = 0;
  int maximum = 0;
  int value = 0;
  oxString text;
  oxString failure;
  bool failed = false;
};

struct Task::Internal {
  uint64_t serial = 0;  // tells a finished task's late news from a new task's
  oxString title;
  std::shared_ptr<TaskShared> shared = std::make_shared<TaskShared>();
  QFuture<void> future;
  QPointer<QObject> owner;
  bool ownerGone = false;
  State state = State::Running;
  oxString error;
  std::function<void()> done;
  // Work in slices on the GUI thread; empty for work on the pool.
  std::function<bool(TaskProgress&)> slice;
  oxiSignal1<void, Task*> onFinished;
};

}  // namespace fwg
