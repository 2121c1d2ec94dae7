// Switching between two profile chains, against two ways of doing the same
// with plain Qt in the same shown main window:
//   QtRebuild  deletes one chain's menus and creates the other's;
//   QtFloor    calls setVisible/setShortcut on exactly the QActions the switch
//              changes (the least per-entry work a switch can do);
//   QtFloorHiddenBar  the same with the menu bar hidden around it.
//   QtKeys     only what every switch has to do whatever its entries: the
//              chains' menus in and out of the bar and setShortcut on the
//              keyed QActions (EntryEdits, with the same kind of check
//              between iterations): how far the toolkit itself moves from
//              50 to 500 entries when its objects meet cold caches.
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
// PathLookup finds the last entry of each menu of the chain in force by its
// path, against QtPathLookup, the same walk over the menus' Qt actions: a
// lookup should cost little more at 500 entries per menu than at 50.
//
// SwitchMemory runs 10,000 switches after a warm-up and reports how many
// QObjects under the main window and how many heap bytes (mallinfo2) they
// left behind; both should be 0.
//
// The *Shape cases take the same measures in the shapes of applications
// whose documents bring menus of their own, each against the same plain Qt
// baselines in the same shape: a root profile with a File menu (New, Open,
// Save, Quit with their usual keys), both chains recorded through
// AddAction/AddMenu before the first activation, and every fifth entry keyed
// (200 keys per chain whatever the entries):
//   OwnKeys     each chain its own two-stroke keys (A "Ctrl+Alt+A, 0",
//               "Ctrl+Alt+B, 0", ...; B the same with Ctrl+Shift+);
//   SharedKeys  both chains the same keys, Ctrl+S and Ctrl+Z first, as
//               every document profile of an application has them (there
//               the documents' Save holds Ctrl+S, the root's holds none).
//   EntryEdits  as ported applications build their menus: in Build(), each
//               top-level menu by a one-name path ("A Menu 07") and each
//               entry by an edit of its own at the menu's end ("A Menu 07/
//               A07 Entry 12"), with two-stroke keys of the chain's own on
//               every tenth entry (every fifth at 50 entries: 200 keys).
//               Between iterations, with the clock stopped, the program
//               checks what a user would see: only the active chain's
//               menus in the bar, only its entries holding their keys, its
//               paths found and the other chain's not, File keeping its
//               keys, and no Qt object added.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>

#include <memory>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/UserShortcuts.h"
#include "fwg/shell/Gui.h"
#include "platform/ui/uiAction.h"
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

QString FirstShapeKey(const QString&, int n) { return KeyText(n); }

// Two strokes, a chain's own: "Ctrl+Alt+A, 0" for A, "Ctrl+Shift+A, 0" for B.
QString OwnKey(const QString& tag, int n) {
  return QString(tag == "A" ? "Ctrl+Alt+" : "Ctrl+Shift+") + QChar('A' + n % 26) + ", " +
         QChar('0' + n / 26);
}

// The same keys in both chains, Save's and Undo's first, none of them one
// the root holds.
QString SharedKey(const QString&, int n) {
  static const QStringList keys = [] {
    QStringList list{"Ctrl+S", "Ctrl+Z"};
    const QStringList root{"Ctrl+N", "Ctrl+O", "Ctrl+Q"};
    for (int k = 0; list.size() < kKeyed; ++k) {
      const QString key = KeyText(k);
      if (!list.contains(key) && !root.contains(key)) list << key;
    }
    return list;
  }();
  return keys[n];
}

struct Shape {
  bool fileMenu;  // the root's File menu of four keyed entries; else File/Quit
  int keyStride;  // every keyStride-th entry is keyed, kKeyedPerMenu per menu
  QString (*key)(const QString& tag, int n);
  bool saveKeyInRoot;
  // Names with spaces, every entry an edit of its own, made in Build();
  // the stride is the largest up to keyStride that keys kKeyedPerMenu.
  bool entryEdits = false;

  int StrideFor(int entries) const {
    return entryEdits ? std::clamp(entries / kKeyedPerMenu, 1, keyStride) : keyStride;
  }
  // The key of a chain's entry, or empty.
  QString KeyAt(const QString& tag, int menu, int entry, int entries) const {
    const int stride = StrideFor(entries);
    if (entry % stride || entry / stride >= kKeyedPerMenu) return {};
    return key(tag, menu * kKeyedPerMenu + entry / stride);
  }
  QString MenuName(const QString& tag, int menu) const {
    return entryEdits ? QString("%1 Menu %2").arg(tag).arg(menu, 2, 10, QChar('0'))
                      : tag + "Menu" + QString::number(menu);
  }
  QString EntryName(const QString& tag, int menu, int entry) const {
    return entryEdits ? QString("%1%2 Entry %3").arg(tag).arg(menu, 2, 10, QChar('0')).arg(entry, 2, 10, QChar('0'))
                      : MenuName(tag, menu) + "Entry" + QString::number(entry);
  }
};

constexpr Shape kFirstShape{false, 1, &FirstShapeKey, false};
constexpr Shape kOwnKeys{true, 5, &OwnKey, true};
constexpr Shape kSharedKeys{true, 5, &SharedKey, false};
constexpr Shape kEntryEdits{true, 10, &OwnKey, true, true};

struct FileEntry {
  const char* name;
  const char* text;
  const char* key;
};

std::vector<FileEntry> FileEntries(const Shape& shape) {
  return {{"New", "&New", "Ctrl+N"},
          {"Open", "&Open", "Ctrl+O"},
          {"Save", "&Save", shape.saveKeyInRoot ? "Ctrl+S" : ""},
          {"Quit", "&Quit", "Ctrl+Q"}};
}

class ChainProfile : public fwg::Profile {
 public:
  ChainProfile(const oxString& name, const oxString& base, int entries,
               const Shape& shape = kFirstShape)
      : fwg::Profile(name, base), entries_(entries), shape_(shape) {}
  void Build() override {
    if (!recorded_) Record();
  }
  // What Build records, at once.
  void Record() {
    recorded_ = true;
    const QString tag = QString::fromStdString(GetName());
    for (int m = 0; m < kMenus; ++m) {
      const oxString menu = shape_.MenuName(tag, m).toStdString();
      AddMenu(AddAction(menu, menu), menu);
      for (int e = 0; e < entries_; ++e) {
        const oxString entry = shape_.EntryName(tag, m, e).toStdString();
        const oxString key = shape_.KeyAt(tag, m, e, entries_).toStdString();
        AddMenu(AddAction(entry, entry, {}, key), menu + "/" + entry);
      }
    }
  }

 private:
  int entries_;
  Shape shape_;
  bool recorded_ = false;
};

class FileRootProfile : public fwg::Profile {
 public:
  explicit FileRootProfile(const Shape& shape) : fwg::Profile("Root") {
    AddMenu(AddAction("file", "&File"), "File");
    for (const FileEntry& entry : FileEntries(shape)) {
      AddMenu(AddAction(entry.name, entry.text, {}, entry.key), oxString("File/") + entry.name);
    }
  }
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
  explicit World(int entries = kEntries, const Shape& shape = kFirstShape) {
    gui = new fwg::Gui(0, nullptr);
    gui->GetMainWindow()->show();
    if (shape.fileMenu) {
      new FileRootProfile(shape);
      a = new ChainProfile("A", "Root", entries, shape);
      b = new ChainProfile("B", "Root", entries, shape);
      if (!shape.entryEdits) {
        a->Record();
        b->Record();
      }
    } else {
      new BaseProfile;
      a = new ChainProfile("A", "Base", entries);
      b = new ChainProfile("B", "Base", entries);
    }
    b->Activate();
    a->Activate();
    QCoreApplication::processEvents();
  }
  ~World() { delete gui; }
  void Switch() {
    (toB ? static_cast<fwg::Profile*>(b) : a)->Activate();
    toB = !toB;
  }
  // One iteration of the switch cases; out of line, so that a profiler can
  // single it out (valgrind --toggle-collect='*SwitchAndSettle*').
  [[gnu::noinline]] void SwitchAndSettle() {
    Switch();
    QCoreApplication::processEvents();
  }
  fwg::Gui* gui;
  ChainProfile* a;
  ChainProfile* b;
  bool toB = true;
};

void ProfileSwitch(benchmark::State& state) {
  World world(static_cast<int>(state.range(0)));
  for (auto _ : state) world.SwitchAndSettle();
}
BENCHMARK(ProfileSwitch)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

void ProfileSwitchShape(benchmark::State& state, const Shape& shape) {
  World world(static_cast<int>(state.range(0)), shape);
  for (auto _ : state) world.SwitchAndSettle();
}
BENCHMARK_CAPTURE(ProfileSwitchShape, OwnKeys, kOwnKeys)
    ->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ProfileSwitchShape, SharedKeys, kSharedKeys)
    ->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

int CountObjects(QObject* root) { return static_cast<int>(root->findChildren<QObject*>().size()); }

// What a user of the EntryEdits shape sees after a switch to `active`, or
// why not.
QString CheckEntryEdits(World& world, int entries, int objects) {
  ChainProfile* active = world.toB ? world.a : world.b;  // toB: A is active
  const QString on = QString::fromStdString(active->GetName());
  const QString off = on == "A" ? "B" : "A";
  QStringList bar;
  for (QAction* entry : world.gui->GetMainWindow()->MenuBar()->actions()) {
    if (entry->isVisible()) bar << entry->text();
  }
  QStringList expected{"&File"};
  for (int m = 0; m < kMenus; ++m) expected << kEntryEdits.MenuName(on, m);
  if (bar != expected) return "menu bar: " + bar.join(", ");
  for (const QString& tag : {on, off}) {
    fwg::Profile* profile = tag == "A" ? static_cast<fwg::Profile*>(world.a) : world.b;
    for (int m = 0; m < kMenus; ++m) {
      for (int e = 0; e < entries; ++e) {
        const QString key = kEntryEdits.KeyAt(tag, m, e, entries);
        if (key.isEmpty()) continue;
        const QString name = kEntryEdits.EntryName(tag, m, e);
        const QKeySequence held = profile->GetAction(name.toStdString())->GetUiAction()->shortcut();
        if (held != (tag == on ? QKeySequence(key) : QKeySequence())) return name + " holds " + held.toString();
      }
      const QString path = kEntryEdits.MenuName(tag, m) + "/" + kEntryEdits.EntryName(tag, m, entries - 1);
      if (!active->GetMenuObjectFromPath(path.toStdString()) != (tag == off)) return "path " + path;
    }
  }
  for (const FileEntry& entry : FileEntries(kEntryEdits)) {
    const QKeySequence held = active->GetAction(entry.name)->GetUiAction()->shortcut();
    if (held != QKeySequence(entry.key)) return QString("File/") + entry.name + " holds " + held.toString();
  }
  if (const int now = CountObjects(world.gui->GetMainWindow()); now != objects) {
    return QString("%1 Qt objects more").arg(now - objects);
  }
  return {};
}

// Every entry of both chains on screen once, so that what follows meets
// what a user who opened the menus leaves behind; A is in force again.
void ShowEveryMenuOnce(World& world) {
  for (int i = 0; i < 2; ++i) {
    for (QAction* entry : world.gui->GetMainWindow()->MenuBar()->actions()) {
      if (QMenu* menu = entry->menu(); menu && entry->isVisible()) {
        menu->popup({0, 0});
        menu->hide();
      }
    }
    world.SwitchAndSettle();
  }
}

void ProfileSwitchEntryEdits(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  World world(entries, kEntryEdits);
  ShowEveryMenuOnce(world);
  const int objects = CountObjects(world.gui->GetMainWindow());
  for (auto _ : state) {
    world.SwitchAndSettle();
    state.PauseTiming();
    if (const QString fault = CheckEntryEdits(world, entries, objects); !fault.isEmpty()) {
      const std::string reason = fault.toStdString();
      state.SkipWithError(reason.c_str());
    }
    state.ResumeTiming();
  }
}
BENCHMARK(ProfileSwitchEntryEdits)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

// Looking entries up by their paths in the EntryEdits shape, as clients do
// to reach an entry a profile made: per iteration the last entry of each of
// the chain in force's menus ("A Menu 07/A07 Entry 499"), through the
// profile (PathLookup) and, as a baseline, by the same walk over the menu
// bar's and the menus' own Qt actions, texts compared without their "&"
// markers and shortcut column (QtPathLookup).
QString QtPlain(const QAction* action) {
  QString text = action->text();
  text.replace("&&", QString(QChar(1))).remove('&').replace(QChar(1), "&");
  return text.section('\t', 0, 0);
}

QAction* QtFind(const QList<QAction*>& actions, const QString& plain) {
  for (QAction* action : actions) {
    if (action->isVisible() && !action->isSeparator() && QtPlain(action) == plain) return action;
  }
  return nullptr;
}

void PathLookupCase(benchmark::State& state, bool qtOnly) {
  const int entries = static_cast<int>(state.range(0));
  World world(entries, kEntryEdits);
  ShowEveryMenuOnce(world);
  QMenuBar* bar = world.gui->GetMainWindow()->MenuBar();
  std::vector<std::pair<QString, QString>> paths;
  for (int m = 0; m < kMenus; ++m) {
    paths.emplace_back(kEntryEdits.MenuName("A", m), kEntryEdits.EntryName("A", m, entries - 1));
  }
  std::vector<oxString> joined;
  for (const auto& [menu, entry] : paths) joined.push_back((menu + "/" + entry).toStdString());
  int found = 0;
  for (auto _ : state) {
    found = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      if (qtOnly) {
        QAction* title = QtFind(bar->actions(), paths[i].first);
        found += title && title->menu() && QtFind(title->menu()->actions(), paths[i].second);
      } else {
        found += world.a->GetMenuObjectFromPath(joined[i]) != nullptr;
      }
    }
  }
  if (found != kMenus) state.SkipWithError("a path was not found");
}

void PathLookup(benchmark::State& state) { PathLookupCase(state, false); }
BENCHMARK(PathLookup)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMicrosecond);

void QtPathLookup(benchmark::State& state) { PathLookupCase(state, true); }
BENCHMARK(QtPathLookup)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMicrosecond);

// OwnKeys with 200 of chain A's keyed entries given keys of the user's own
// (four-stroke sequences nobody else holds) before the first activation:
// switching gives and withdraws them like declared keys, so it should cost
// what OwnKeys costs.
void ProfileSwitchUserKeys(benchmark::State& state) {
  auto* gui = new fwg::Gui(0, nullptr);
  for (int n = 0; n < kKeyed; ++n) {
    const int menu = n / kKeyedPerMenu, entry = (n % kKeyedPerMenu) * kOwnKeys.keyStride;
    const oxString name = "AMenu" + std::to_string(menu) + "Entry" + std::to_string(entry);
    fwg::Profile stand("A", {}, {}, false);  // the overrides are stored by name
    fwg::UserShortcuts::SetShortcut(&stand, name, "Ctrl+F1, Ctrl+F2, Ctrl+F3, " + KeyText(n).toStdString());
  }
  delete gui;
  {
    World world(static_cast<int>(state.range(0)), kOwnKeys);
    for (auto _ : state) world.SwitchAndSettle();
    fwg::UserShortcuts::ResetAll();
  }
}
BENCHMARK(ProfileSwitchUserKeys)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

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

  void Build(QMenuBar* bar, const QString& tag, int entryCount,
             const Shape& shape = kFirstShape) {
    for (int m = 0; m < kMenus; ++m) {
      auto* menu = new QMenu(shape.MenuName(tag, m), bar);
      for (int e = 0; e < entryCount; ++e) {
        auto* action = new QAction(
            shape.entryEdits ? shape.EntryName(tag, m, e) : tag + "Entry" + QString::number(e), menu);
        if (const QString text = shape.KeyAt(tag, m, e, entryCount); !text.isEmpty()) {
          const QKeySequence key(text);
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
  void SetKeysInForce(bool on) {
    for (QMenu* menu : menus) menu->menuAction()->setVisible(on);
    for (auto& [action, key] : keyed) action->setShortcut(on ? key : QKeySequence());
  }
  void SetInForce(bool on) {
    for (QMenu* menu : menus) menu->menuAction()->setVisible(on);
    for (QAction* entry : entries) entry->setVisible(on);
    for (auto& [action, key] : keyed) action->setShortcut(on ? key : QKeySequence());
  }
};

struct QtWorld {
  explicit QtWorld(const Shape& shape = kFirstShape) {
    gui = new fwg::Gui(0, nullptr);
    gui->GetMainWindow()->show();
    bar = gui->GetMainWindow()->MenuBar();
    if (shape.fileMenu) {
      QMenu* file = bar->addMenu("&File");
      for (const FileEntry& entry : FileEntries(shape)) {
        file->addAction(entry.text)->setShortcut(QKeySequence(entry.key));
      }
    }
    QCoreApplication::processEvents();
  }
  ~QtWorld() { delete gui; }
  fwg::Gui* gui;
  QMenuBar* bar;
};

void QtRebuildCase(benchmark::State& state, const Shape& shape) {
  const int entries = static_cast<int>(state.range(0));
  QtWorld world(shape);
  QtChain chain;
  bool toB = true;
  chain.Build(world.bar, "A", entries, shape);
  for (auto _ : state) {
    chain.Destroy();
    chain.Build(world.bar, toB ? "B" : "A", entries, shape);
    toB = !toB;
    QCoreApplication::processEvents();
  }
}

void QtRebuild(benchmark::State& state) { QtRebuildCase(state, kFirstShape); }
BENCHMARK(QtRebuild)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

void QtRebuildShape(benchmark::State& state, const Shape& shape) { QtRebuildCase(state, shape); }
BENCHMARK_CAPTURE(QtRebuildShape, OwnKeys, kOwnKeys)
    ->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtRebuildShape, SharedKeys, kSharedKeys)
    ->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtRebuildShape, EntryEdits, kEntryEdits)
    ->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

// Both chains in the bar, B's not in force.
struct QtChains {
  QtChains(int entries, const Shape& shape) : world(shape) {
    a.Build(world.bar, "A", entries, shape);
    b.Build(world.bar, "B", entries, shape);
  }
  QtWorld world;
  QtChain a, b;
};

void QtFloorCase(benchmark::State& state, bool hideBar, const Shape& shape = kFirstShape) {
  QtChains chains(static_cast<int>(state.range(0)), shape);
  QtWorld& world = chains.world;
  QtChain &a = chains.a, &b = chains.b;
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

void QtFloorShape(benchmark::State& state, const Shape& shape) { QtFloorCase(state, false, shape); }
BENCHMARK_CAPTURE(QtFloorShape, OwnKeys, kOwnKeys)
    ->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtFloorShape, SharedKeys, kSharedKeys)
    ->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtFloorShape, EntryEdits, kEntryEdits)
    ->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

// QtFloor's chains in the EntryEdits shape, switched by their menus and keys
// alone; between iterations, with the clock stopped, the bar, the keys of
// both chains and the objects of the window are checked as EntryEdits
// checks its own.
void QtKeys(benchmark::State& state) {
  QtChains chains(static_cast<int>(state.range(0)), kEntryEdits);
  QtWorld& world = chains.world;
  QtChain &a = chains.a, &b = chains.b;
  b.SetKeysInForce(false);
  for (QMenu* menu : a.menus) {  // on screen once, as in EntryEdits
    menu->popup({0, 0});
    menu->hide();
  }
  QCoreApplication::processEvents();
  QWidget* window = world.gui->GetMainWindow();
  const int objects = CountObjects(window);
  bool toB = true;
  for (auto _ : state) {
    (toB ? a : b).SetKeysInForce(false);
    (toB ? b : a).SetKeysInForce(true);
    QCoreApplication::processEvents();
    state.PauseTiming();
    const QtChain& active = toB ? b : a;
    int shown = 0;
    for (QAction* entry : world.bar->actions()) shown += entry->isVisible();
    bool keysRight = true;
    for (const QtChain* chain : {&a, &b}) {
      for (const auto& [action, key] : chain->keyed) {
        keysRight = keysRight && action->shortcut() == (chain == &active ? key : QKeySequence());
      }
    }
    if (shown != kMenus + 1 || !keysRight || CountObjects(window) != objects) {
      state.SkipWithError("the menus or keys of the chain in force are not the ones shown");
    }
    toB = !toB;
    state.ResumeTiming();
  }
}
BENCHMARK(QtKeys)->Arg(kEntries)->Arg(10 * kEntries)->Unit(benchmark::kMillisecond);

void SwitchMemoryCase(benchmark::State& state, const Shape& shape) {
  World world(kEntries, shape);
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

void SwitchMemory(benchmark::State& state) { SwitchMemoryCase(state, kFirstShape); }
BENCHMARK(SwitchMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void SwitchMemoryShape(benchmark::State& state, const Shape& shape) {
  SwitchMemoryCase(state, shape);
}
BENCHMARK_CAPTURE(SwitchMemoryShape, OwnKeys, kOwnKeys)
    ->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwitchMemoryShape, SharedKeys, kSharedKeys)
    ->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwitchMemoryShape, EntryEdits, kEntryEdits)
    ->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
