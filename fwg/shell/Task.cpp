#include "fwg/shell/Task.h"

#include "fwg/shell/TaskInternal.h"

namespace fwg {

bool TaskProgress::IsCanceled() const { return shared_->promise.isCanceled(); }

void TaskProgress::SetRange(int minimum, int maximum) {
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->minimum = minimum;
    shared_->maximum = std::max(minimum, maximum);
  }
  shared_->promise.setProgressRange(minimum, std::max(minimum, maximum));
}

void TaskProgress::SetValue(int value) {
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->value = value;
  }
  shared_->promise.setProgressValue(value);
}

void TaskProgress::SetText(const oxString& text) {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->text = text;
}

void TaskProgress::Fail(const oxString& reason) {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  if (shared_->failed) return;  // the first reason is the one told
  shared_->failed = true;
  shared_->failure = reason;
}

Task::Task(const oxString& title, QObject* owner) : internal_(new Internal) {
  internal_->title = title;
  internal_->owner = owner;
  internal_->future = internal_->shared->promise.future();
  internal_->shared->promise.start();
}

Task::~Task() { delete internal_; }

const oxString& Task::GetTitle() const { return internal_->title; }

Task::Progress Task::GetProgress() const {
  const TaskShared& shared = *internal_->shared;
  std::lock_guard<std::mutex> lock(shared.mutex);
  return {shared.minimum, shared.maximum, shared.value, shared.text};
}

Task::State Task::GetState() const { return internal_->state; }

const oxString& Task::GetError() const { return internal_->error; }

QFuture<void> Task::GetFuture() const { return internal_->future; }

void Task::Cancel() {
  if (internal_->state == State::Running) internal_->future.cancel();
}

oxiSignal1<void, Task*>& Task::OnFinished() { return internal_->onFinished; }

}  // namespace fwg
