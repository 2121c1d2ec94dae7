#include "platform/signals/oxSignal.h"

#include <algorithm>

namespace {
oxScriptCallback::Invoker& ScriptInvoker() {
  static oxScriptCallback::Invoker invoker;
  return invoker;
}
}  // namespace

void oxScriptCallback::SetInvoker(Invoker invoker) { ScriptInvoker() = std::move(invoker); }

void oxScriptCallback::Invoke(const oxStlVector<oxVariant>& args) const {
  const Invoker& invoker = ScriptInvoker();
  if (!invoker) return;
  if (object_.empty()) {
    invoker(*this, args);
    return;
  }
  oxStlVector<oxVariant> bound;
  bound.reserve(args.size() + 1);
  bound.emplace_back(object_);
  bound.insert(bound.end(), args.begin(), args.end());
  invoker(*this, bound);
}

oxListenerBase::~oxListenerBase() { DisconnectAllSignals(); }

void oxListenerBase::DisconnectAllSignals() {
  // ListenerGone() does not call back into Detach, so the list can be taken.
  std::vector<oxSignalBase*> signals;
  signals.swap(signals_);
  std::sort(signals.begin(), signals.end());
  signals.erase(std::unique(signals.begin(), signals.end()), signals.end());
  for (oxSignalBase* signal : signals) signal->ListenerGone(this);
}

void oxListenerBase::Detach(oxSignalBase* signal) {
  const auto it = std::find(signals_.begin(), signals_.end(), signal);
  if (it != signals_.end()) signals_.erase(it);
}

oxSignalBase::~oxSignalBase() {
  *alive_ = false;
  for (auto& slot : slots_) {
    if (!slot->dead && slot->listener) slot->listener->Detach(this);
  }
}

std::size_t oxSignalBase::GetConnectionCount() const {
  return static_cast<std::size_t>(
      std::count_if(slots_.begin(), slots_.end(), [](const auto& s) { return !s->dead; }));
}

void oxSignalBase::AddSlot(std::unique_ptr<Slot> slot) {
  if (slot->listener) slot->listener->Attach(this);
  slots_.push_back(std::move(slot));
}

void oxSignalBase::Kill(std::size_t index, bool detach) {
  Slot& slot = *slots_[index];
  if (detach && slot.listener) slot.listener->Detach(this);
  slot.dead = true;
  hasDead_ = true;
}

void oxSignalBase::RemoveSlot(const Slot& probe) {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (!slots_[i]->dead && slots_[i]->SameAs(probe)) {
      Kill(i, true);
      break;
    }
  }
  if (!emitting_) Compact();
}

void oxSignalBase::DisconnectAll() {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (!slots_[i]->dead) Kill(i, true);
  }
  if (!emitting_) Compact();
}

void oxSignalBase::DisconnectObject(const void* object) {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (!slots_[i]->dead && slots_[i]->object == object) Kill(i, true);
  }
  if (!emitting_) Compact();
}

void oxSignalBase::ListenerGone(oxListenerBase* listener) {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (!slots_[i]->dead && slots_[i]->listener == listener) Kill(i, false);
  }
  if (!emitting_) Compact();
}

void oxSignalBase::Compact() {
  slots_.erase(std::remove_if(slots_.begin(), slots_.end(), [](const auto& s) { return s->dead; }),
               slots_.end());
  hasDead_ = false;
}
