// Switching between two profile chains, against two ways of doing the same
// with plain Qt in the same shown main window:
//   QtRebuild  deletes one chain's menus and creates the other's;
//   QtFloor    calls setVisible/setShortcut on exactly the QActions the switch
//              changes (the least per-entry work a switch can do);
//   QtFloorHiddenBar  the same with the menu bar hidden around it.
// Each chain adds kMenus top-level menus of 50 entries (500 in the scaling
// case, argument 500), kKeyed of them with shortcuts, on a common base. Every
// iteration is one switch followed by one round of event processing. A
// switch should cost what changes on screen, not what the profiles hold: at
// ten times the entries it should take at most twice as long.
//
//   cmake -B build -DFWG_BUILD_BENCH=ON && ninja -C build ProfileSwitchBench
//   QT_QPA_PLATFORM=offscreen build/out/bin/ProfileSwitchBench
//
// SwitchListeners measures what the listeners of each switch (the
// shortcut-conflict check) add to ProfileSwitch.
//
// SwitchMemory runs 10,000 switches after a warm-up and reports how many
// QObjects under the main window and how many heap bytes (mallinfo2) they
// left behind; both should be 0.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/Gui.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiMenuBar.h"

namespace {

constexpr int kMenus = 20;
constexpr int kEntries = 50;  // per menu, unless a case says otherwise
constexpr int kKeyed = 200;   // per chain, whatever the entries
constexpr int kKeyedPerMenu = kKeyed / kMenus;

// The same shortcut texts serve both chains, as they would in an
// application whose documents offer the same keys.
QString KeyText(int n) {
  static const char* const kMods[] = {"Ctrl+", "Ctrl+Shift+", "Alt+", "Alt+Shift+",
                                      "Ctrl+Alt+", "Ctrl+Alt+Shift+", "Meta+", "Meta+Shift+"};
  static const char kKeys[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  return QString(kMods[n / 36]) + QChar(kKeys[n % 36]);
}

class ChainProfile : public fwg::Profile {
 public:
  ChainProfile(const oxString& name, const oxString& base, int entries)
      : fwg::Profile(name, base), entries_(entries) {}
  void Build() override {
    const oxString tag = GetName();
    for (int m = 0; m < kMenus; ++m) {
      const oxString menu = tag + "Menu" + std::to_string(m);
      AddMenu(AddAction(menu, menu), menu);
      for (int e = 0; e < entries_; ++e) {
        const oxString entry = menu + "Entry" + std::to_string(e);
        const oxString key = e < kKeyedPerMenu
                                 ? KeyText(m * kKeyedPerMenu + e).toStdString()
                                 : oxString();
        AddMenu(AddAction(entry, entry, {}, key), menu + "/" + entry);
      }
    }
  }

 private:
  int entries_;
};

class BaseProfile : public fwg::Profile {
 public:
  BaseProfile() : fwg::Profile("Base") {}
  void Build() override {
    AddMenu(AddAction("file", "&File"), "File");
    // Not Ctrl+Q: the chains hold that key (KeyText(16)), which would make a
    // shortcut conflict, and a report, on every switch.
    AddMenu(AddAction("quit", "&Quit", {}, "Ctrl+F4"), "File/Quit");
  }
};

// One shown main window with both chains built and A active.
struct World {
  explicit World(int entries = kEntries) {
    gui = new fwg::Gui(0, nullptr);
    gui->GetMainWindow()->show();
    new BaseProfile;
    a = new ChainProfile("A", "Base", entries);
    b = new ChainProfile("B", "Base", entries);
    b->Activate();
    a->Activate();
    QCoreApplication::processEvents();
  }
  ~World() { delete gui; }
  void Switch() {
    (toB ? static_cast<fwg::Profile*>(b) : a)->Activate();
    toB = !toB;
  }
  fwg::Gui* gui;
  ChainProfile* a;
  ChainProfile* b;
  bool toB = true;
};

void ProfileSwitch(benchmark::State& state) {
  World world(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    world.Switch();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(ProfileSwitch)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

// The part of ProfileSwitch that the profile manager's listeners take after
// each switch: the shortcut-conflict check over the window's actions.
void SwitchListeners(benchmark::State& state) {
  World world;
  fwg::ProfileManager* manager = fwg::ProfileManager::Get();
  for (auto _ : state) manager->OnProfileActivated().Emit(manager->GetActiveProfile());
}
BENCHMARK(SwitchListeners)->Unit(benchmark::kMillisecond);

// Plain Qt menus of one chain in a menu bar.
struct QtChain {
  std::vector<QMenu*> menus;
  std::vector<QAction*> entries;
  std::vector<std::pair<QAction*, QKeySequence>> keyed;

  void Build(QMenuBar* bar, const QString& tag, int entryCount) {
    for (int m = 0; m < kMenus; ++m) {
      auto* menu = new QMenu(tag + "Menu" + QString::number(m), bar);
      for (int e = 0; e < entryCount; ++e) {
        auto* action = new QAction(tag + "Entry" + QString::number(e), menu);
        if (e < kKeyedPerMenu) {
          const QKeySequence key(KeyText(m * kKeyedPerMenu + e));
          action->setShortcut(key);
          keyed.emplace_back(action, key);
        }
        menu->addAction(action);
        entries.push_back(action);
      }
      bar->addMenu(menu);
      menus.push_back(menu);
    }
  }
  void Destroy() {
    for (QMenu* menu : menus) delete menu;
    menus.clear();
    entries.clear();
    keyed.clear();
  }
  void SetInForce(bool on) {
    for (QMenu* menu : menus) menu->menuAction()->setVisible(on);
    for (QAction* entry : entries) entry->setVisible(on);
    for (auto& [action, key] : keyed) action->setShortcut(on ? key : QKeySequence());
  }
};

struct QtWorld {
  QtWorld() {
    gui = new fwg::Gui(0, nullptr);
    gui->GetMainWindow()->show();
    bar = gui->GetMainWindow()->MenuBar();
    QCoreApplication::processEvents();
  }
  ~QtWorld() { delete gui; }
  fwg::Gui* gui;
  QMenuBar* bar;
};

void QtRebuild(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  QtWorld world;
  QtChain chain;
  bool toB = true;
  chain.Build(world.bar, "A", entries);
  for (auto _ : state) {
    chain.Destroy();
    chain.Build(world.bar, toB ? "B" : "A", entries);
    toB = !toB;
    QCoreApplication::processEvents();
  }
}
BENCHMARK(QtRebuild)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

void QtFloorCase(benchmark::State& state, bool hideBar) {
  const int entries = static_cast<int>(state.range(0));
  QtWorld world;
  QtChain a, b;
  a.Build(world.bar, "A", entries);
  b.Build(world.bar, "B", entries);
  b.SetInForce(false);
  bool toB = true;
  QCoreApplication::processEvents();
  for (auto _ : state) {
    if (hideBar) world.bar->hide();
    (toB ? a : b).SetInForce(false);
    (toB ? b : a).SetInForce(true);
    if (hideBar) world.bar->show();
    toB = !toB;
    QCoreApplication::processEvents();
  }
}

void QtFloor(benchmark::State& state) { QtFloorCase(state, false); }
BENCHMARK(QtFloor)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

void QtFloorHiddenBar(benchmark::State& state) { QtFloorCase(state, true); }
BENCHMARK(QtFloorHiddenBar)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

int CountObjects(QObject* root) { return static_cast<int>(root->findChildren<QObject*>().size()); }

void SwitchMemory(benchmark::State& state) {
  World world;
  for (int i = 0; i < 100; ++i) {
    world.Switch();
    QCoreApplication::processEvents();
  }
  QObject* window = world.gui->GetMainWindow();
  int objects = 0;
  size_t heap = 0;
  for (auto _ : state) {
    objects = CountObjects(window);
    heap = mallinfo2().uordblks;
    for (int i = 0; i < 10000; ++i) {
      world.Switch();
      QCoreApplication::processEvents();
    }
  }
  state.counters["qobjects_delta"] = CountObjects(window) - objects;
  state.counters["heap_delta_bytes"] =
      static_cast<double>(static_cast<long long>(mallinfo2().uordblks) -
                          static_cast<long long>(heap));
}
BENCHMARK(SwitchMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
