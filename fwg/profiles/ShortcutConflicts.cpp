#include "fwg/profiles/ShortcutConflicts.h"

#include <QAction>
#include <QActionEvent>
#include <QCoreApplication>
#include <QShortcutEvent>
#include <algorithm>
#include <iostream>
#include <unordered_map>
#include <unordered_set>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/DockWindow.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"

namespace fwg {

namespace {

struct Owner {
  oxString actionName;
  oxString profileName;
};

// Keys that only a focused widget sees cannot collide across the window.
bool IsWindowWide(const QAction* action) {
  return action->shortcutContext() == Qt::WindowShortcut ||
         action->shortcutContext() == Qt::ApplicationShortcut;
}

// Calls `visit` with every action of every registered profile (group
// members and dock toggles included) and its profile, until it answers
// false.
template <class Visit>
void ForEachProfileAction(const Visit& visit) {
  ProfileManager* manager = ProfileManager::Get();
  if (!manager) return;
  for (Profile* profile : manager->GetProfileList()) {
    if (!profile) continue;
    const Profile::Internal* d = GetInternal(profile);
    for (const auto& [name, action] : d->actions) {
      if (action && !visit(action, profile)) return;
      if (const auto* group = dynamic_cast<const ActionGroup*>(action)) {
        for (const Action* member : group->GetActionList()) {
          if (member && !visit(member, profile)) return;
        }
      }
    }
    for (const DockWindow* window : GetDockWindows({profile})) {
      for (const DockEntry* entry : window->GetEntries()) {
        if (entry->toggleAction && !visit(entry->toggleAction, profile)) return;
      }
    }
  }
}

// Which profile each toolkit action belongs to, for listing every key.
std::unordered_map<const QAction*, Owner> MapOwners() {
  std::unordered_map<const QAction*, Owner> owners;
  ForEachProfileAction([&](const Action* action, const Profile* profile) {
    if (action->GetUiAction()) {
      owners.emplace(action->GetUiAction(), Owner{action->GetName(), profile->GetName()});
    }
    return true;
  });
  return owners;
}

// The owner of one action, for a message: a walk without building a map.
Owner FindOwner(const QAction* target) {
  Owner owner;
  ForEachProfileAction([&](const Action* action, const Profile* profile) {
    if (action->GetUiAction() != target) return true;
    owner = {action->GetName(), profile->GetName()};
    return false;
  });
  if (owner.actionName.empty()) owner.actionName = oxStr(target->objectName());
  if (owner.actionName.empty()) owner.actionName = oxStr(uiPlainText(target->text()));
  return owner;
}

// One key of one action of the main window's action list.
struct HeldKey {
  QKeySequence keys;
  const QAction* action;
};

// The window-wide keys of `actions` (the main window's action list when
// null), by key, in list order among equal keys. Cheap: most actions have
// no key, and the first key alone is read for them.
std::vector<HeldKey> CollectKeys(const std::vector<const QAction*>* actions = nullptr) {
  std::vector<HeldKey> held;
  uiMainWindow* window = uiManager::Get()->MainWindow();
  if (!window) return held;
  auto add = [&held](const QAction* action) {
    if (action->shortcut().isEmpty() || !IsWindowWide(action)) return;
    for (const QKeySequence& keys : action->shortcuts()) {
      if (!keys.isEmpty()) held.push_back({keys, action});
    }
  };
  if (!actions) {
    for (const QAction* action : window->actions()) add(action);
  } else {
    for (const QAction* action : *actions) add(action);
  }
  std::stable_sort(held.begin(), held.end(),
                   [](const HeldKey& a, const HeldKey& b) { return a.keys < b.keys; });
  const bool shared = std::adjacent_find(held.begin(), held.end(), [](const auto& a, const auto& b) {
                        return a.keys == b.keys;
                      }) != held.end();
  if (actions && shared) {
    // Only then is the list order needed.
    std::unordered_map<const QAction*, qsizetype> place;
    const QList<QAction*> list = window->actions();
    for (qsizetype i = 0; i < list.size(); ++i) place.emplace(list[i], i);
    std::stable_sort(held.begin(), held.end(), [&place](const HeldKey& a, const HeldKey& b) {
      return a.keys < b.keys || (a.keys == b.keys && place[a.action] < place[b.action]);
    });
  }
  return held;
}

// Calls `visit` with each pair of different actions holding the same key.
template <class Visit>
void ForEachSharedKey(const std::vector<HeldKey>& held, const Visit& visit) {
  for (size_t i = 0; i < held.size(); ++i) {
    for (size_t j = i + 1; j < held.size() && held[j].keys == held[i].keys; ++j) {
      if (held[i].action != held[j].action) visit(held[i], held[j]);
    }
  }
}

// The yielding actions and the keys they hold while free.
std::vector<std::pair<QPointer<QAction>, QKeySequence>>& GetYielding() {
  static std::vector<std::pair<QPointer<QAction>, QKeySequence>> yielding;
  return yielding;
}

bool IsYielding(const QAction* action) {
  for (const auto& [yielding, keys] : GetYielding()) {
    if (yielding == action) return true;
  }
  return false;
}

// Gives each yielding action its key, or none while `isTaken(keys)` says
// that another action holds it. The key is written only when it differs.
template <class IsTaken>
void GiveWayWhere(const IsTaken& isTaken) {
  auto& yielding = GetYielding();
  std::erase_if(yielding, [](const auto& entry) { return entry.first.isNull(); });
  for (size_t i = 0; i < yielding.size(); ++i) {
    QAction* action = yielding[i].first;
    const QKeySequence keys = yielding[i].second;
    const QKeySequence wanted = isTaken(keys) ? QKeySequence() : keys;
    if (action->shortcut() != wanted) action->setShortcut(wanted);
  }
}

// The same, with another action of `held` holding the key.
void GiveWay(const std::vector<HeldKey>& held) {
  GiveWayWhere([&held](const QKeySequence& keys) {
    return std::any_of(held.begin(), held.end(), [&](const HeldKey& h) {
      return h.keys == keys && !IsYielding(h.action);
    });
  });
}

// A profile's base chain, nearest first, itself included; a cycle ends it.
oxStlVector<oxString> GetChainNames(const oxString& name) {
  oxStlVector<oxString> chain;
  ProfileManager* manager = ProfileManager::Get();
  for (oxString next = name; !next.empty();) {
    if (std::find(chain.begin(), chain.end(), next) != chain.end()) break;
    chain.push_back(next);
    Profile* profile = manager ? manager->GetProfile(next) : nullptr;
    next = profile ? profile->GetBaseName() : oxString();
  }
  return chain;
}

oxString QuoteWithProfile(const oxString& action, const oxString& profile) {
  // Quotes around nothing read as a fault of the message.
  oxString text = action.empty() ? oxString("an action without a name or text") : "'" + action + "'";
  text += profile.empty() ? " (no profile)" : " (profile " + profile + ")";
  return text;
}

}  // namespace

oxStlVector<ShortcutEntry> GetShortcutsInForce() {
  oxStlVector<ShortcutEntry> entries;
  for (const HeldKey& held : CollectKeys()) {
    ShortcutEntry entry;
    entry.key = oxStr(held.keys.toString(QKeySequence::PortableText));
    entry.action = held.action;
    entries.push_back(std::move(entry));
  }
  const auto owners = MapOwners();
  for (ShortcutEntry& entry : entries) {
    entry.command = oxStr(uiPlainText(entry.action->text()));
    const auto found = owners.find(entry.action);
    if (found != owners.end()) {
      entry.actionName = found->second.actionName;
      entry.profileName = found->second.profileName;
    }
    if (entry.actionName.empty()) entry.actionName = oxStr(entry.action->objectName());
    if (entry.actionName.empty()) entry.actionName = entry.command;
  }
  // Each run of one key: the entry of the nearest profile takes it when
  // its profile builds on every other's; else the key triggers neither.
  for (size_t first = 0; first < entries.size();) {
    size_t end = first + 1;
    while (end < entries.size() && entries[end].key == entries[first].key) ++end;
    if (end - first > 1) {
      size_t winner = first;
      for (size_t i = first + 1; i < end; ++i) {
        if (CompareNearness(entries[i].profileName, entries[winner].profileName) == 1) winner = i;
      }
      bool wins = !entries[winner].profileName.empty();
      for (size_t i = first; i < end && wins; ++i) {
        wins = i == winner ||
               CompareNearness(entries[winner].profileName, entries[i].profileName) == 1;
      }
      for (size_t i = first; i < end; ++i) {
        entries[i].conflicting = !wins;
        entries[i].shadowed = wins && i != winner;
      }
    }
    first = end;
  }
  return entries;
}

int CompareNearness(const oxString& first, const oxString& second) {
  if (first.empty() || second.empty() || first == second) return 0;
  const oxStlVector<oxString> firstChain = GetChainNames(first);
  if (std::find(firstChain.begin(), firstChain.end(), second) != firstChain.end()) return 1;
  const oxStlVector<oxString> secondChain = GetChainNames(second);
  if (std::find(secondChain.begin(), secondChain.end(), first) != secondChain.end()) return 2;
  return 0;
}

oxStlVector<ShortcutConflict> GetShortcutConflicts(const oxStlVector<ShortcutEntry>& entries) {
  oxStlVector<ShortcutConflict> conflicts;
  for (size_t i = 0; i < entries.size(); ++i) {
    for (size_t j = i + 1; j < entries.size() && entries[j].key == entries[i].key; ++j) {
      const ShortcutEntry& a = entries[i];
      const ShortcutEntry& b = entries[j];
      if (a.action == b.action) continue;  // one action listing a key twice
      int winner = 0;
      if (!a.conflicting && !b.conflicting) winner = a.shadowed ? 2 : 1;
      if (a.shadowed && b.shadowed) winner = 0;  // both give way to a third
      conflicts.push_back({a.key, a.actionName, a.profileName, b.actionName, b.profileName,
                           a.action, b.action, winner});
    }
  }
  return conflicts;
}

void SetYieldingShortcut(QAction* action, const QKeySequence& keys) {
  if (!action) return;
  auto& yielding = GetYielding();
  std::erase_if(yielding, [action](const auto& entry) { return entry.first == action; });
  action->setShortcut({});
  yielding.emplace_back(action, keys);
  GiveWay(CollectKeys());
}

QKeySequence GetYieldingShortcut(const QAction* action) {
  for (const auto& [yielding, keys] : GetYielding()) {
    if (yielding == action) return keys;
  }
  return {};
}

oxString DescribeConflict(const ShortcutConflict& conflict) {
  const oxString first = QuoteWithProfile(conflict.firstAction, conflict.firstProfile);
  const oxString second = QuoteWithProfile(conflict.secondAction, conflict.secondProfile);
  if (conflict.winner == 1 || conflict.winner == 2) {
    const bool firstWins = conflict.winner == 1;
    return "fwg: shortcut " + conflict.key + " of " + (firstWins ? second : first) +
           " is shadowed by " + (firstWins ? first : second) +
           ", whose profile builds on it: the key goes to the latter while both are in force";
  }
  return "fwg: shortcut " + conflict.key + " is held by " + first + " and " + second +
         "; the key triggers neither";
}

oxStlVector<ShortcutConflict> ProfileManager::GetShortcutConflicts() const {
  return fwg::GetShortcutConflicts(GetShortcutsInForce());
}

namespace {
ShortcutMonitor* g_monitor = nullptr;
}  // namespace

ShortcutMonitor::ShortcutMonitor(ProfileManager* manager) {
  manager->OnProfileActivated().Connect(this, &ShortcutMonitor::HandleActivated);
  // The presses of the toolkit's own actions are watched without a filter
  // on each of them.
  g_monitor = this;
  uiAction::SetShortcutWatcher([](QAction* action, QEvent* press) {
    return g_monitor && g_monitor->HandleShortcut(action, static_cast<QShortcutEvent*>(press));
  });
  // Keys given before the first switch are pressed too.
  if (uiMainWindow* window = uiManager::Get()->MainWindow()) Watch(window);
}

ShortcutMonitor::~ShortcutMonitor() {
  if (g_monitor != this) return;
  g_monitor = nullptr;
  uiAction::SetShortcutWatcher(nullptr);
}

// A new main window: learn the keys it already has, then follow its action
// events.
void ShortcutMonitor::Watch(QWidget* window) {
  if (window_) window_->removeEventFilter(this);
  window_ = window;
  keyed_.clear();
  holders_.clear();
  sharedKeys_ = 0;
  if (!window) return;
  window->installEventFilter(this);
  for (const QAction* action : window->actions()) NoteAction(action, false);
}

// Runs after every switch. The holders of each key are kept up to date by
// the window's action events, so a switch that leaves no key shared (and
// none shared before) costs a look at a counter; otherwise the pairs are
// worked out from the keyed actions, and names are looked up only for a
// conflict that was not there before.
void ShortcutMonitor::HandleActivated(Profile*) {
  uiMainWindow* window = uiManager::Get()->MainWindow();
  if (window != window_) Watch(window);
  if (!GetYielding().empty()) {
    GiveWayWhere([this](const QKeySequence& keys) {
      const auto found = holders_.constFind(keys);
      return found != holders_.cend() &&
             std::any_of(found->begin(), found->end(),
                         [](const QAction* holder) { return !IsYielding(holder); });
    });
  }
  if (!HasSharedKey() && known_.empty()) return;
  std::vector<const QAction*> actions;
  actions.reserve(keyed_.size());
  for (const auto& [action, keys] : keyed_) {
    if (!keys.isEmpty()) actions.push_back(action);
  }
  std::set<Known> now;
  ForEachSharedKey(CollectKeys(&actions), [&](const HeldKey& first, const HeldKey& second) {
    const Known known{oxStr(first.keys.toString(QKeySequence::PortableText)), first.action,
                      second.action};
    now.insert(known);
    if (known_.count(known)) return;
    const Owner a = FindOwner(first.action);
    const Owner b = FindOwner(second.action);
    ShortcutConflict conflict{std::get<0>(known), a.actionName,   a.profileName, b.actionName,
                              b.profileName,      first.action,   second.action};
    if (const QAction* winner = FindWinner(first.keys)) {
      if (winner == first.action) conflict.winner = 1;
      if (winner == second.action) conflict.winner = 2;
      // Said once a run; a third holder that takes the key from both is
      // told with its own pair.
      if (!conflict.winner || !shadowsTold_.insert(known).second) return;
    }
    std::cerr << DescribeConflict(conflict) << std::endl;
  });
  known_.swap(now);
}

QAction* ShortcutMonitor::FindWinner(const QKeySequence& keys) const {
  const auto found = holders_.constFind(keys);
  if (found == holders_.cend() || found->size() < 2) return nullptr;
  oxStlVector<std::pair<const QAction*, oxString>> held;
  for (const QAction* holder : *found) {
    if (IsYielding(holder)) continue;
    const oxString profile = FindOwner(holder).profileName;
    if (profile.empty()) return nullptr;  // not a profile's: nobody's to give way to
    held.emplace_back(holder, profile);
  }
  if (held.size() < 2) return nullptr;
  size_t winner = 0;
  for (size_t i = 1; i < held.size(); ++i) {
    if (CompareNearness(held[i].second, held[winner].second) == 1) winner = i;
  }
  for (size_t i = 0; i < held.size(); ++i) {
    if (i != winner && CompareNearness(held[winner].second, held[i].second) != 1) return nullptr;
  }
  return const_cast<QAction*>(held[winner].first);
}

// Keeps the window-wide keys each action of the main window holds, and the
// holders of each key. A removed action may be half destroyed: only its
// address and what was kept of it are used then.
void ShortcutMonitor::NoteAction(const QAction* action, bool removed) {
  // Shared with the action: no copy is made of its keys.
  QList<QKeySequence> now;
  if (!removed && !action->shortcut().isEmpty() && IsWindowWide(action)) {
    now = action->shortcuts();
    if (now.contains(QKeySequence())) now.removeAll(QKeySequence());  // else stays shared
  }
  if (removed) watching_.erase(action);
  // An action that held a key keeps its record, empty while it holds none,
  // until it leaves the window, and so does a key without holders: a switch
  // gives and withdraws the same keys over and over.
  auto kept = keyed_.find(action);
  if (kept == keyed_.end() ? now.isEmpty() : kept->second == now && !removed) return;  // no key changed
  if (kept == keyed_.end()) {
    kept = keyed_.emplace(action, QList<QKeySequence>()).first;
    // Looked at once while in the window: the toolkit hands a press of the
    // key to the action itself; its own actions pass their presses to
    // HandleShortcut.
    if (!dynamic_cast<const uiAction*>(action) && watching_.insert(action).second) {
      const_cast<QAction*>(action)->installEventFilter(this);
    }
  }
  for (const QKeySequence& keys : std::as_const(kept->second)) {
    auto found = holders_.find(keys);
    if (found == holders_.end()) continue;
    Holders& list = *found;
    if (list.size() == 2) --sharedKeys_;
    const auto at = std::find(list.begin(), list.end(), action);
    if (at != list.end()) list.erase(at);
  }
  for (const QKeySequence& keys : std::as_const(now)) {
    Holders& list = holders_[keys];
    list.push_back(action);
    if (list.size() == 2) ++sharedKeys_;
  }
  if (removed) {
    keyed_.erase(kept);
    return;
  }
  kept->second = std::move(now);
}

void ShortcutMonitor::ReportAmbiguous(QObject* watched, const QKeySequence& keys) const {
  const oxString key = oxStr(keys.toString(QKeySequence::PortableText));
  oxString holders;
  int count = 0;
  for (const ShortcutEntry& entry : GetShortcutsInForce()) {
    if (entry.key != key) continue;
    holders += (count++ ? ", " : "") + QuoteWithProfile(entry.actionName, entry.profileName);
  }
  if (holders.empty()) holders = QuoteWithProfile(oxStr(watched->objectName()), {});
  std::cerr << "fwg: shortcut " << key << " pressed, but it is held by " << holders
            << "; nothing was triggered" << std::endl;
}

// The toolkit hands an ambiguous press to one of the key's holders with the
// ambiguity flag set, and that holder does nothing. An action would add its
// own warning without names; the event stops here.
bool ShortcutMonitor::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ActionAdded:
    case QEvent::ActionChanged:
    case QEvent::ActionRemoved:
      if (watched == window_ && window_) {
        NoteAction(static_cast<QActionEvent*>(event)->action(),
                   event->type() == QEvent::ActionRemoved);
      }
      return false;
    case QEvent::Shortcut: {
      auto* action = qobject_cast<QAction*>(watched);
      return action && HandleShortcut(action, static_cast<QShortcutEvent*>(event));
    }
    default:
      return false;
  }
}

bool ShortcutMonitor::HandleShortcut(QAction* action, const QShortcutEvent* shortcut) {
  QAction* winner = FindWinner(shortcut->key());
  if (!winner) {
    // Held by several with no one nearer: neither runs, whichever of them
    // is disabled (the toolkit would hand the press to an enabled one that
    // comes first).
    const auto found = holders_.constFind(shortcut->key());
    const qsizetype holders = found == holders_.cend() ? 0 : std::count_if(
        found->begin(), found->end(), [](const QAction* holder) { return !IsYielding(holder); });
    if (!shortcut->isAmbiguous() && holders < 2) return false;
    ReportAmbiguous(action, shortcut->key());
    return true;
  }
  // The press goes to the nearest profile's action, or nowhere while that
  // one is disabled: a shadowed action never stands in for it.
  if (winner == action && !shortcut->isAmbiguous()) return false;
  if (winner->isEnabled()) winner->activate(QAction::Trigger);
  return true;
}

}  // namespace fwg
