// Keyboard shortcuts in force in the main window, and the conflicts among
// them.
//
// Every action of a profile carries its key in the main window's action
// list, so two actions there with the same key sequence make the toolkit's
// ambiguous shortcut. Where the two belong to one chain of profiles (one
// profile builds on the other), the profile nearer the active document
// wins: its action takes the key and the other's is shadowed, silent while
// both are in force, so a client's own Open wins over a base's and a chain
// never holds a dead key. Both keep what they hold (the menus show the key
// on both, Action::GetAccel answers as before); only the press goes to the
// winner. Between unrelated profiles, or two actions of one profile, the
// key triggers neither. The profile manager reports each conflict and each
// shadowing that a switch creates (one stderr line), answers the current
// ones (ProfileManager::GetShortcutConflicts), and reports every key press
// that triggers nothing for that reason.
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QVarLengthArray>
#include <set>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

class QAction;
class QActionEvent;
class QShortcutEvent;
class QWidget;

namespace fwg {

class Profile;
class ProfileManager;

// One shortcut of the main window's action list.
struct ShortcutEntry {
  oxString key;          // portable text: "Ctrl+Shift+S"
  oxString command;      // the action's text, without "&" markers
  oxString actionName;   // the action's name
  oxString profileName;  // the owning profile; "" for actions of no profile
  const QAction* action = nullptr;
  bool conflicting = false;  // another entry has the same key, and the key triggers neither
  bool shadowed = false;     // another entry has the same key and takes it from this one
};

// Two actions holding the same key.
struct ShortcutConflict {
  oxString key;
  oxString firstAction;
  oxString firstProfile;
  oxString secondAction;
  oxString secondProfile;
  const QAction* first = nullptr;
  const QAction* second = nullptr;
  // 1 or 2 when that action takes the key, its profile building on the
  // other's; 0 when the key triggers neither.
  int winner = 0;
};

// Every shortcut of the main window's action list, by key, then in list
// order; entries sharing a key are marked. Disabled actions count: enabling
// them is what makes the key ambiguous. Empty without a main window.
oxStlVector<ShortcutEntry> GetShortcutsInForce();

// Conflicts of `entries` (as GetShortcutsInForce returns them): every pair
// of entries with the same key, in entry order.
oxStlVector<ShortcutConflict> GetShortcutConflicts(const oxStlVector<ShortcutEntry>& entries);

// A main-window action whose key gives way: while another action of the
// window holds the same key, the yielding action holds none, and it gets
// the key back once the key is free again (looked at after every switch).
// The application's own commands use it, so that they keep their keys
// wherever no profile uses them, without ever making a key ambiguous.
void SetYieldingShortcut(QAction* action, const QKeySequence& keys);
// The key a yielding action holds while it is free; empty for others.
QKeySequence GetYieldingShortcut(const QAction* action);

// "fwg: ..." line naming the key, both actions and their profiles, and
// which takes the key when one does.
oxString DescribeConflict(const ShortcutConflict& conflict);

// Which of two profiles is nearer the active document: 1 when `first`
// builds on `second` (`second` is in its base chain), 2 for the opposite,
// 0 when neither builds on the other (or they are one).
int CompareNearness(const oxString& first, const oxString& second);

// The profile manager's reporter: after each switch, one stderr line per
// conflict that was not there before; on each ambiguous key press, one line
// naming the actions that hold the key. Made and owned by the manager.
class ShortcutMonitor : public QObject, public oxListener<single_threaded> {
 public:
  explicit ShortcutMonitor(ProfileManager* manager);
  ~ShortcutMonitor() override;
  ShortcutMonitor(const ShortcutMonitor&) = delete;
  ShortcutMonitor& operator=(const ShortcutMonitor&) = delete;

  // Watches the main window (its action list) and the keyed actions (their
  // key presses); nothing application-wide, so a switch's events pass by.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using Known = std::tuple<oxString, const QAction*, const QAction*>;

  void HandleActivated(Profile* profile);
  void Watch(QWidget* window);
  void NoteAction(const QAction* action, bool removed);
  void ReportAmbiguous(QObject* watched, const QKeySequence& keys) const;
  // A press of an action's key: true when it stops here (ambiguous, or
  // handed to the action of the nearer profile).
  bool HandleShortcut(QAction* action, const QShortcutEvent* press);
  // The action a press of `keys` goes to while several hold it: the one of
  // the profile nearer the active document. Null when no one profile of
  // the holders builds on all the others.
  QAction* FindWinner(const QKeySequence& keys) const;
  // Whether two actions of the window hold one key now.
  bool HasSharedKey() const { return sharedKeys_ > 0; }

  std::set<Known> known_;
  // Shadowings reported in this run: said once, not at every switch.
  std::set<Known> shadowsTold_;
  // The main window whose keyed actions are kept, and those actions with
  // the window-wide keys each held when last seen.
  QPointer<QWidget> window_;
  std::unordered_map<const QAction*, QList<QKeySequence>> keyed_;
  // The holders of each key, and how many keys have more than one.
  // Mostly one or two: kept in the table, as a switch changes the holders
  // of thousands of keys.
  using Holders = QVarLengthArray<const QAction*, 2>;
  QHash<QKeySequence, Holders> holders_;
  int sharedKeys_ = 0;
  // Actions other than the toolkit's own whose key presses this monitor
  // watches with a filter (it never lets go).
  std::unordered_set<const QObject*> watching_;
};

}  // namespace fwg
