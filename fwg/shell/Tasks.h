// Background work with progress, for plug-ins and the application alike:
// work starts with a title, reports progress and text, may be canceled, and
// its result comes back on the GUI thread, where everything a client sees
// happens. The status bar shows what runs: one progress bar, the count, and
// a list of the tasks, each with Cancel; a task that fails leaves a message
// bar in the main window.
//
// Work that needs no widget and no object of the tree runs on a pool of
// threads of its own (a QPromise behind each task's QFuture), never on Qt's
// global pool, which Qt's painting waits for:
//
//   fwg::Tasks::Start(
//       tr("Counting words"),
//       [text](fwg::TaskProgress& progress) {     // a pool thread
//         progress.SetRange(0, text.size());
//         int words = 0;
//         for (int i = 0; i < text.size() && !progress.IsCanceled(); ++i) {
//           ...
//           progress.SetValue(i);
//         }
//         return words;
//       },
//       [this](int words) { ShowCount(words); },  // the GUI thread
//       view);                                    // canceled when the view goes
//
// Work that must touch widgets or the object tree runs on the GUI thread in
// slices (StartSliced): a function called again and again, a few
// milliseconds' worth at a time, with the event loop running in between,
// until it answers false.
//
// A task with an owner (any QObject: a document's view, a dialog) is
// canceled when the owner is destroyed, and its `done` is not called: the
// work may outlive what started it, its result never reaches an object that
// is gone. A task without an owner runs to its end whatever documents come
// and go. Work that throws ends its task as failed, with the exception's
// text as the reason.
//
// Quitting while tasks run asks first, then cancels them and waits until
// their work has returned; the application object's end does the same
// without asking.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include "fwg/shell/Task.h"

namespace fwg {

class Tasks {
 public:
  // Runs `work(TaskProgress&)` on the tasks' thread pool. When it has
  // returned without being canceled or failing, `done` gets its result (or
  // nothing, for work that returns nothing) on the GUI thread. The task is
  // the application's until it ends; hold it by QPointer.
  template <class Work, class Done = std::nullptr_t>
  static Task* Start(const oxString& title, Work work, Done done = nullptr, QObject* owner = nullptr);

  // The application's own work whose caller needs the answer at once
  // (reading a large file): runs `work` as Start does and returns its
  // result once it has returned, empty when it was canceled or failed.
  // Meanwhile the GUI thread paints, shows the progress and runs its
  // timers, but takes no input from the user, so nothing the user does
  // comes between (nor can the user cancel it). On the GUI thread only.
  template <class Work>
  static std::optional<std::invoke_result_t<Work&, TaskProgress&>> RunAndWait(const oxString& title, Work work);
  // Whether a RunAndWait is waiting now: work that comes from outside (a
  // later start's files) waits for it to return rather than run in the
  // middle of what asked.
  static bool IsWaiting();

  // Runs `slice(TaskProgress&)` on the GUI thread, repeatedly, until it
  // answers false (the work is done) or the task is canceled; then `done()`
  // unless canceled or failed. Each call should take a few milliseconds at
  // most: the calls are grouped into slices of about 10 ms between which
  // the application handles its events.
  static Task* StartSliced(const oxString& title, std::function<bool(TaskProgress&)> slice,
                           std::function<void()> done = {}, QObject* owner = nullptr);

  // The tasks that run, in the order they were started.
  static oxStlVector<Task*> GetRunning();
  // Cancels every running task and waits until each one has ended.
  static void CancelAllAndWait();
  // While tasks run, asks whether to quit anyway ("Tasks Running": Quit,
  // which cancels them, or Cancel). True when nothing runs or the user
  // chose Quit. The exit procedure asks it.
  static bool ConfirmQuit();

  // Emitted on the GUI thread when a task has started.
  static oxiSignal1<void, Task*>& OnStarted();

 private:
  static Task* StartWork(const oxString& title, std::function<void(TaskProgress&)> work,
                         std::function<void()> done, QObject* owner);
  static void WaitUntilEnded(Task* task);
};

template <class Work>
std::optional<std::invoke_result_t<Work&, TaskProgress&>> Tasks::RunAndWait(const oxString& title, Work work) {
  using Result = std::invoke_result_t<Work&, TaskProgress&>;
  std::optional<Result> result;
  WaitUntilEnded(Start(title, std::move(work), [&result](Result value) { result = std::move(value); }));
  return result;
}

template <class Work, class Done>
Task* Tasks::Start(const oxString& title, Work work, Done done, QObject* owner) {
  using Result = std::invoke_result_t<Work&, TaskProgress&>;
  if constexpr (std::is_void_v<Result>) {
    std::function<void()> finish;
    if constexpr (!std::is_null_pointer_v<Done>) finish = std::move(done);
    return StartWork(title, std::move(work), std::move(finish), owner);
  } else {
    // Written by the pool thread, read on the GUI thread after the work
    // returned: the queued call in between orders the two.
    struct Hand {
      std::optional<Result> result;
      Done done;
    };
    auto hand = std::make_shared<Hand>(Hand{std::nullopt, std::move(done)});
    std::function<void()> finish;
    if constexpr (!std::is_null_pointer_v<Done>) {
      finish = [hand] {
        if (hand->result) hand->done(std::move(*hand->result));
      };
    }
    return StartWork(
        title, [work = std::move(work), hand](TaskProgress& progress) mutable { hand->result.emplace(work(progress)); },
        std::move(finish), owner);
  }
}

}  // namespace fwg
