// Signals and slots for a single GUI thread.
//
// Rules every signal follows:
//  - connections run in the order they were made;
//  - a blocked signal emits nothing, and an emission started from within one
//    of the signal's own slots is dropped (no re-entrance);
//  - a connection is broken by object and member; one broken while the signal
//    emits is skipped at once and removed when the emission ends;
//  - the same slot connected twice holds two connections: it runs twice and
//    needs two disconnects;
//  - a receiver derived from oxListener leaves every signal when destroyed;
//    other receivers disconnect themselves;
//  - a slot may be a script procedure (oxScriptCallback);
//  - a slot may delete the signal's owner: the emission then stops at once.
//
// oxSignal0..3 are the emitting signals; oxiSignal0..2 are the connect-only
// faces handed out by On... accessors. A face makes its signal on the first
// connection; until then emitting through it does nothing.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/core/oxTypes.h"

// Threading policy tag: everything runs on the GUI thread, nothing is locked.
struct single_threaded {
  void lock() {}
  void unlock() {}
};

class oxSignalBase;

// Receivers that derive from this leave all their signals when destroyed.
class oxListenerBase {
 public:
  oxListenerBase() = default;
  // A copy is a new receiver: it inherits no connections.
  oxListenerBase(const oxListenerBase&) {}
  oxListenerBase& operator=(const oxListenerBase&) { return *this; }
  virtual ~oxListenerBase();

  // Breaks every connection this receiver has.
  void DisconnectAllSignals();
  // Number of connections that end with this receiver.
  std::size_t GetSignalConnectionCount() const { return signals_.size(); }

 private:
  friend class oxSignalBase;
  void Attach(oxSignalBase* signal) { signals_.push_back(signal); }
  void Detach(oxSignalBase* signal);

  std::vector<oxSignalBase*> signals_;  // one entry per connection
};

template <class Policy = single_threaded>
class oxListener : public oxListenerBase {
 public:
  virtual void lock() { policy_.lock(); }
  virtual void unlock() { policy_.unlock(); }
  virtual oxListener* AsListener() { return this; }
  virtual oxListenerBase* AsConcreteListener() { return this; }

 private:
  Policy policy_;
};

// A slot that runs a procedure of the host's script interpreter. The host
// installs the invoker; without one, script slots do nothing.
class oxScriptCallback {
 public:
  using Invoker =
      std::function<void(const oxScriptCallback&, const oxStlVector<oxVariant>& args)>;

  oxScriptCallback() = default;
  oxScriptCallback(const oxString& procedure, const oxString& object = {},
                   const oxString& interpreter = {})
      : procedure_(procedure), object_(object), interpreter_(interpreter) {}

  const oxString& GetProcedure() const { return procedure_; }
  const oxString& GetObject() const { return object_; }
  const oxString& GetInterpreter() const { return interpreter_; }

  // Calls the installed invoker; a bound object comes first in the arguments.
  void Invoke(const oxStlVector<oxVariant>& args) const;

  // Installs the process-wide invoker (an empty function removes it).
  static void SetInvoker(Invoker invoker);

  bool operator==(const oxScriptCallback& o) const {
    return procedure_ == o.procedure_ && object_ == o.object_ && interpreter_ == o.interpreter_;
  }

 private:
  oxString procedure_;
  oxString object_;
  oxString interpreter_;
};

// How a slot argument reaches a script: numbers, flags and text as values,
// pointers as pointers, and any other object by its address.
template <class T>
oxVariant oxToVariant(const T& value) {
  using V = std::decay_t<T>;
  if constexpr (std::is_same_v<V, bool>) {
    return oxVariant(value);
  } else if constexpr (std::is_enum_v<V>) {
    return oxVariant(static_cast<int>(value));
  } else if constexpr (std::is_same_v<V, std::nullptr_t>) {
    return oxVariant(static_cast<void*>(nullptr));
  } else if constexpr (std::is_integral_v<V> && (sizeof(V) < sizeof(int) ||
                                                 (sizeof(V) == sizeof(int) && std::is_signed_v<V>))) {
    return oxVariant(static_cast<int>(value));
  } else if constexpr (std::is_integral_v<V>) {
    return oxVariant(static_cast<long long>(value));
  } else if constexpr (std::is_floating_point_v<V>) {
    return oxVariant(std::to_string(value));
  } else if constexpr (std::is_same_v<V, const char*> || std::is_same_v<V, char*>) {
    // std::string would throw on a null C string; that reaches scripts as "".
    return oxVariant(value ? oxString(value) : oxString());
  } else if constexpr (std::is_convertible_v<V, oxString>) {
    return oxVariant(oxString(value));
  } else if constexpr (std::is_pointer_v<V>) {
    return oxVariant(const_cast<void*>(static_cast<const void*>(value)));
  } else {
    return oxVariant(const_cast<void*>(static_cast<const void*>(&value)));
  }
}

// The argument-independent part of every signal: the connection list and
// its bookkeeping.
class oxSignalBase {
 public:
  oxSignalBase() = default;
  oxSignalBase(const oxSignalBase&) = delete;
  oxSignalBase& operator=(const oxSignalBase&) = delete;
  virtual ~oxSignalBase();

  // Connections that will run on the next emission.
  std::size_t GetConnectionCount() const;
  bool HasConnections() const { return GetConnectionCount() > 0; }

  void Block(bool blocked) { blocked_ = blocked; }
  bool IsBlocked() const { return blocked_; }
  bool IsEmitting() const { return emitting_; }

  void DisconnectAll();
  // Breaks every connection whose receiver is `object` (any member).
  void DisconnectObject(const void* object);

 protected:
  struct Slot {
    virtual ~Slot() = default;
    virtual bool SameAs(const Slot& other) const = 0;
    const void* object = nullptr;
    oxListenerBase* listener = nullptr;
    bool dead = false;
  };

  void AddSlot(std::unique_ptr<Slot> slot);
  // Breaks the first live connection equal to `probe`.
  void RemoveSlot(const Slot& probe);
  // Runs `call` on each live slot in order; false if the signal died meanwhile.
  template <class F>
  void Run(F&& call);

 private:
  friend class oxListenerBase;
  void ListenerGone(oxListenerBase* listener);
  void Kill(std::size_t index, bool detach);
  void Compact();

  std::vector<std::unique_ptr<Slot>> slots_;
  bool blocked_ = false;
  bool emitting_ = false;
  bool hasDead_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

template <class F>
void oxSignalBase::Run(F&& call) {
  if (blocked_ || emitting_) return;
  const std::shared_ptr<bool> alive = alive_;
  emitting_ = true;
  // Connections made during the emission wait for the next one.
  const std::size_t count = slots_.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (slots_[i]->dead) continue;
    call(*slots_[i]);
    if (!*alive) return;  // a slot destroyed the signal
  }
  emitting_ = false;
  if (hasDead_) Compact();
}

// The signal proper, parameterised by its argument types.
template <class... A>
class oxSignalT : public oxSignalBase {
  struct CallSlot : Slot {
    virtual void Call(A... args) = 0;
  };

  template <class L, class M>
  struct MemberSlot : CallSlot {
    MemberSlot(L* o, M m) : target(o), member(m) { this->object = o; }
    void Call(A... args) override { (target->*member)(args...); }
    bool SameAs(const Slot& other) const override {
      const auto* o = dynamic_cast<const MemberSlot*>(&other);
      return o && o->target == target && o->member == member;
    }
    L* target;
    M member;
  };

  struct FunctionSlot : CallSlot {
    explicit FunctionSlot(std::function<void(A...)> f) : fn(std::move(f)) {}
    void Call(A... args) override { fn(args...); }
    bool SameAs(const Slot&) const override { return false; }
    std::function<void(A...)> fn;
  };

  struct ScriptSlot : CallSlot {
    explicit ScriptSlot(const oxScriptCallback& c) : callback(c) {}
    void Call(A... args) override { callback.Invoke({oxToVariant(args)...}); }
    bool SameAs(const Slot& other) const override {
      const auto* o = dynamic_cast<const ScriptSlot*>(&other);
      return o && o->callback == callback;
    }
    oxScriptCallback callback;
  };

  template <class Obj, class L, class M>
  void ConnectMember(Obj* object, M member) {
    static_assert(std::is_base_of_v<L, Obj>, "the member must belong to the object's class");
    auto slot = std::make_unique<MemberSlot<L, M>>(static_cast<L*>(object), member);
    slot->object = object;
    if constexpr (std::is_base_of_v<oxListenerBase, Obj>) {
      slot->listener = static_cast<oxListenerBase*>(object);
    }
    AddSlot(std::move(slot));
  }

  template <class Obj, class L, class M>
  void DisconnectMember(Obj* object, M member) {
    MemberSlot<L, M> probe(static_cast<L*>(object), member);
    RemoveSlot(probe);
  }

 public:
  template <class Obj, class L, class R>
  void Connect(Obj* object, R (L::*member)(A...)) {
    ConnectMember<Obj, L>(object, member);
  }
  template <class Obj, class L, class R>
  void Connect(Obj* object, R (L::*member)(A...) const) {
    ConnectMember<Obj, L>(object, member);
  }
  // A function slot that ends with `owner` (or only with DisconnectAll when
  // `owner` is null).
  void Connect(oxListenerBase* owner, std::function<void(A...)> fn) {
    auto slot = std::make_unique<FunctionSlot>(std::move(fn));
    slot->object = owner;
    slot->listener = owner;
    AddSlot(std::move(slot));
  }
  void Connect(const oxScriptCallback& callback) {
    AddSlot(std::make_unique<ScriptSlot>(callback));
  }

  template <class Obj, class L, class R>
  void Disconnect(Obj* object, R (L::*member)(A...)) {
    DisconnectMember<Obj, L>(object, member);
  }
  template <class Obj, class L, class R>
  void Disconnect(Obj* object, R (L::*member)(A...) const) {
    DisconnectMember<Obj, L>(object, member);
  }
  void Disconnect(const oxScriptCallback& callback) { RemoveSlot(ScriptSlot(callback)); }

  void Emit(A... args) {
    Run([&](Slot& slot) { static_cast<CallSlot&>(slot).Call(args...); });
  }
  void operator()(A... args) { Emit(args...); }
};

// A connect-only face over a signal that is made on the first connection.
template <class... A>
class oxiSignalT {
 public:
  using Signal = oxSignalT<A...>;

  template <class Obj, class L, class R>
  void Connect(Obj* object, R (L::*member)(A...)) {
    Ensure().Connect(object, member);
  }
  template <class Obj, class L, class R>
  void Connect(Obj* object, R (L::*member)(A...) const) {
    Ensure().Connect(object, member);
  }
  void Connect(oxListenerBase* owner, std::function<void(A...)> fn) {
    Ensure().Connect(owner, std::move(fn));
  }
  void Connect(const oxScriptCallback& callback) { Ensure().Connect(callback); }

  template <class Obj, class L, class R>
  void Disconnect(Obj* object, R (L::*member)(A...)) {
    if (signal_) signal_->Disconnect(object, member);
  }
  template <class Obj, class L, class R>
  void Disconnect(Obj* object, R (L::*member)(A...) const) {
    if (signal_) signal_->Disconnect(object, member);
  }
  void Disconnect(const oxScriptCallback& callback) {
    if (signal_) signal_->Disconnect(callback);
  }
  void DisconnectAll() {
    if (signal_) signal_->DisconnectAll();
  }

  // For the owner: emits when a signal exists, otherwise does nothing.
  void Emit(A... args) {
    if (signal_) signal_->Emit(args...);
  }
  // Null until the first connection.
  Signal* GetSignal() const { return signal_.get(); }
  std::size_t GetConnectionCount() const { return signal_ ? signal_->GetConnectionCount() : 0; }

 private:
  Signal& Ensure() {
    if (!signal_) signal_ = std::make_unique<Signal>();
    return *signal_;
  }
  std::unique_ptr<Signal> signal_;
};

// The named signal types. The return type is the slots' (results are
// discarded); the policy is always single_threaded.
template <class R, class P = single_threaded>
class oxSignal0 : public oxSignalT<> {};
template <class R, class A1, class P = single_threaded>
class oxSignal1 : public oxSignalT<A1> {};
template <class R, class A1, class A2, class P = single_threaded>
class oxSignal2 : public oxSignalT<A1, A2> {};
template <class R, class A1, class A2, class A3, class P = single_threaded>
class oxSignal3 : public oxSignalT<A1, A2, A3> {};

template <class R, class P = single_threaded>
class oxiSignal0 : public oxiSignalT<> {};
template <class R, class A1, class P = single_threaded>
class oxiSignal1 : public oxiSignalT<A1> {};
template <class R, class A1, class A2, class P = single_threaded>
class oxiSignal2 : public oxiSignalT<A1, A2> {};
