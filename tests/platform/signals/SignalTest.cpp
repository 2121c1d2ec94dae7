#include <utility>

#include "platform/signals/oxSignal.h"
#include "tests/support/TestBasics.h"

namespace {

using Log = oxStlVector<oxString>;

// A receiver that leaves its signals when destroyed.
struct Listener : oxListener<> {
  Listener(Log* log, const oxString& name) : log(log), name(name) {}
  void First() { log->push_back(name + ".First"); }
  void Second() { log->push_back(name + ".Second"); }
  void Value(int v) { log->push_back(name + "=" + std::to_string(v)); }
  void Peek(int v) const { log->push_back(name + "?" + std::to_string(v)); }
  // Leaves `quitFrom` from within its own slot.
  void Quit() {
    log->push_back(name + ".Quit");
    quitFrom->Disconnect(this, &Listener::Quit);
  }
  oxSignal0<void>* quitFrom = nullptr;
  Log* log;
  oxString name;
};

struct ScriptCall { oxString procedure, object; oxStlVector<oxVariant> args; };

// Two listeners writing to one log, and a recording script invoker that is
// always removed again, so no test leaves a process-wide invoker behind.
class Signals : public ::testing::Test {
 protected:
  void SetUp() override {
    oxScriptCallback::SetInvoker([this](const oxScriptCallback& cb, const oxStlVector<oxVariant>& args) {
      calls.push_back({cb.GetProcedure(), cb.GetObject(), args});
    });
  }
  void TearDown() override { oxScriptCallback::SetInvoker({}); }
  Log Take() { return std::exchange(log, {}); }

  Log log;
  Listener a{&log, "a"};
  Listener b{&log, "b"};
  oxStlVector<ScriptCall> calls;
};

}  // namespace

TEST_F(Signals, EveryKindOfSlotRunsInConnectionOrder) {
  oxScriptCallback::SetInvoker([&](const oxScriptCallback& cb, const oxStlVector<oxVariant>& args) {
    log.push_back("script:" + cb.GetProcedure() + "=" + std::to_string(args.at(0).GetInteger()));
  });

  oxSignal1<void, int> signal;
  signal.Connect(&b, &Listener::Value);
  signal.Connect(nullptr, [&](int v) { log.push_back("fn=" + std::to_string(v)); });
  signal.Connect(oxScriptCallback("proc"));
  signal.Connect(&a, &Listener::Value);
  signal.Connect(&a, &Listener::Peek);

  signal.Emit(7);
  EXPECT_EQ(Take(), (Log{"b=7", "fn=7", "script:proc=7", "a=7", "a?7"}));

  // Blocking silences the signal but keeps its connections; the call
  // operator emits too.
  signal.Block(true);
  signal.Emit(9);
  signal.Block(false);
  signal(8);
  EXPECT_EQ(Take(), (Log{"b=8", "fn=8", "script:proc=8", "a=8", "a?8"}));
}

TEST_F(Signals, DropsNestedEmissionOfTheSameSignalButRunsOthers) {
  oxSignal1<void, int> signal;
  oxSignal0<void> other;
  other.Connect(nullptr, [&] { log.push_back("other"); });

  signal.Connect(nullptr, [&](int v) {
    log.push_back("outer" + std::to_string(v));
    EXPECT_TRUE(signal.IsEmitting());
    signal.Emit(v + 1);  // dropped: no recursion
    other.Emit();        // a different signal runs
  });
  signal.Connect(nullptr, [&](int v) { log.push_back("next" + std::to_string(v)); });

  signal.Emit(1);
  EXPECT_EQ(Take(), (Log{"outer1", "other", "next1"}));
  // The dropped emission left no trace: the signal emits normally again.
  EXPECT_FALSE(signal.IsEmitting());
  signal.Emit(5);
  EXPECT_EQ(Take(), (Log{"outer5", "other", "next5"}));
}

TEST_F(Signals, DisconnectTakesEffectAtOnceDuringEmission) {
  Listener late(&log, "late");
  oxSignal0<void> signal;

  // A slot that disconnects a later slot: the later one is skipped now.
  signal.Connect(nullptr, [&] {
    log.push_back("cut");
    signal.Disconnect(&b, &Listener::First);
  });
  signal.Connect(&a, &Listener::First);
  signal.Connect(&b, &Listener::First);
  signal.Emit();
  EXPECT_EQ(Take(), (Log{"cut", "a.First"}));
  EXPECT_EQ(b.GetSignalConnectionCount(), 0u);

  // A slot that disconnects itself runs this time only.
  oxSignal0<void> selfish;
  selfish.Connect(nullptr, [&] { log.push_back("before"); });
  late.quitFrom = &selfish;
  selfish.Connect(&late, &Listener::Quit);
  selfish.Connect(nullptr, [&] { log.push_back("after"); });
  selfish.Emit();
  selfish.Emit();
  EXPECT_EQ(Take(), (Log{"before", "late.Quit", "after", "before", "after"}));
  EXPECT_EQ(late.GetSignalConnectionCount(), 0u);

  // A connection made during an emission waits for the next one.
  oxSignal0<void> growing;
  growing.Connect(nullptr, [&] {
    log.push_back("grow");
    if (growing.GetConnectionCount() == 1) growing.Connect(&late, &Listener::First);
  });
  growing.Emit();
  growing.Emit();
  EXPECT_EQ(Take(), (Log{"grow", "grow", "late.First"}));
}

TEST_F(Signals, DisconnectMatchesObjectAndMemberAndCountsDuplicates) {
  oxSignal0<void> signal;

  // Connected twice, disconnected once: one connection stays.
  signal.Connect(&a, &Listener::First);
  signal.Connect(&a, &Listener::First);
  signal.Disconnect(&a, &Listener::First);
  signal.Emit();
  EXPECT_EQ(Take(), (Log{"a.First"}));

  // Never connected: same member of another object, other member of a.
  signal.Disconnect(&b, &Listener::First);
  signal.Disconnect(&a, &Listener::Second);
  EXPECT_EQ(signal.GetConnectionCount(), 1u);

  // Disconnecting one member leaves the object's other members and the
  // same member of other objects.
  signal.Connect(&a, &Listener::Second);
  signal.Connect(&b, &Listener::First);
  signal.Disconnect(&a, &Listener::First);
  signal.Emit();
  EXPECT_EQ(Take(), (Log{"a.Second", "b.First"}));

  // Disconnecting an object breaks all its members and only those.
  signal.Connect(&a, &Listener::First);
  signal.DisconnectObject(&a);
  signal.Emit();
  EXPECT_EQ(Take(), (Log{"b.First"}));
  EXPECT_EQ(a.GetSignalConnectionCount(), 0u);

  signal.DisconnectAll();
  EXPECT_EQ(signal.GetConnectionCount() + b.GetSignalConnectionCount(), 0u);
}

TEST_F(Signals, FaceMakesItsSignalOnFirstConnection) {
  oxiSignal0<void> face0;
  face0.Emit();  // nothing to emit to, and nothing made
  face0.Disconnect(&a, &Listener::First);
  EXPECT_EQ(face0.GetSignal(), nullptr);
  face0.Connect(&a, &Listener::First);
  face0.Emit();
  oxiSignal2<void, int, const oxString&> face2;
  face2.Emit(1, "lost");
  EXPECT_EQ(face2.GetSignal(), nullptr);
  face2.Connect(nullptr, [&](int v, const oxString& s) { log.push_back(s + std::to_string(v)); });
  face2.Emit(4, "x");
  EXPECT_EQ(Take(), (Log{"a.First", "x4"}));
}

TEST_F(Signals, DestroyedListenerLeavesItsSignals) {
  oxSignal0<void> signal;
  oxSignal1<void, int> values;
  auto gone = std::make_unique<Listener>(&log, "gone");
  Listener kept(&log, "kept");
  signal.Connect(gone.get(), &Listener::First);
  signal.Connect(gone.get(), &Listener::First);
  signal.Connect(gone.get(), [&] { log.push_back("owned"); });
  signal.Connect(&kept, &Listener::First);
  values.Connect(gone.get(), &Listener::Value);
  gone.reset();
  EXPECT_EQ(signal.GetConnectionCount() + values.GetConnectionCount(), 1u);
  signal.Emit();
  values.Emit(1);
  EXPECT_EQ(Take(), (Log{"kept.First"}));

  // Destroyed by an earlier slot of the same emission: its later slots are
  // skipped, the others still run.
  auto victim = std::make_unique<Listener>(&log, "victim");
  oxSignal0<void> killer;
  killer.Connect(nullptr, [&] { victim.reset(); });
  killer.Connect(victim.get(), &Listener::First);
  killer.Connect(&kept, &Listener::Second);
  killer.Emit();
  EXPECT_EQ(Take(), (Log{"kept.Second"}));
  EXPECT_EQ(killer.GetConnectionCount(), 2u);

  // A signal that dies first: the listener's own destruction must not reach
  // back into it (checked under valgrind / ASan).
  auto survivor = std::make_unique<Listener>(&log, "survivor");
  auto shortLived = std::make_unique<oxSignal0<void>>();
  shortLived->Connect(survivor.get(), &Listener::First);
  shortLived->Connect(survivor.get(), &Listener::Second);
  signal.Connect(survivor.get(), &Listener::First);
  shortLived.reset();
  EXPECT_EQ(survivor->GetSignalConnectionCount(), 1u);
  survivor.reset();
  EXPECT_EQ(signal.GetConnectionCount(), 1u);
}

TEST_F(Signals, SlotDeletingTheSignalOwnerStopsTheEmission) {
  struct Owner { oxSignal0<void> changed; oxiSignal1<void, int> moved; };

  auto owner = std::make_unique<Owner>();
  owner->changed.Connect(nullptr, [&] { log.push_back("first"); });
  owner->changed.Connect(nullptr, [&] { owner.reset(); });
  owner->changed.Connect(nullptr, [&] { log.push_back("too late"); });
  owner->changed.Emit();
  EXPECT_EQ(owner, nullptr);
  EXPECT_EQ(Take(), (Log{"first"}));

  // Same through a face, with a listener outliving the owner.
  Listener watcher(&log, "w");
  owner = std::make_unique<Owner>();
  owner->moved.Connect(nullptr, [&](int) { owner.reset(); });
  owner->moved.Connect(&watcher, &Listener::Value);
  owner->moved.Emit(2);
  EXPECT_EQ(Take(), Log{});
  EXPECT_EQ(watcher.GetSignalConnectionCount(), 0u);
}

// The order of the arguments, the bound object first and disconnection by
// the three strings are checked through the real engine (ScriptEngineTest);
// here what the signal library itself makes of arguments of other types.
TEST_F(Signals, ScriptsReceiveArgumentsOfEveryTypeAsVariants) {
  struct Thing { int id = 0; } thing;
  int target = 0;
  using Args = oxStlVector<oxVariant>;
  oxSignal1<void, int> values;
  values.Connect(oxScriptCallback("OnValues"));

  // By reference: its address. A null C string reaches the script as empty
  // text, not as a crash.
  oxSignal3<void, int*, Thing&, const char*> objects;
  objects.Connect(oxScriptCallback("OnObjects"));
  objects.Emit(&target, thing, nullptr);
  objects.Emit(&target, thing, "abc");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].args, (Args{oxVariant(&target), oxVariant(&thing), oxVariant(oxString())}));
  EXPECT_EQ(calls[1].args[2], oxVariant(oxString("abc")));

  // Without an invoker scripts are silent and stay connected.
  oxScriptCallback::SetInvoker({});
  values.Emit(2);
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_EQ(values.GetConnectionCount(), 1u);
}
