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

QString PlainText(QString text) {
  text.replace("&&", QString(QChar(0x1)));
  text.remove('&');
  text.replace(QChar(0x1), "&");
  const int tab = static_cast<int>(text.indexOf('\t'));
  return tab < 0 ? text : text.left(tab);
}

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
  if (owner.actionName.empty()) owner.actionName = oxStr(PlainText(target->text()));
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
std::vector<HeldKey> CollectKeys(const std::unordered_set<const QAction*>* actions = nullptr) {
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

// Gives each yielding action its key, or none while another action of
// `held` holds it.
void GiveWay(const std::vector<HeldKey>& held) {
  auto& yielding = GetYielding();
  std::erase_if(yielding, [](const auto& entry) { return entry.first.isNull(); });
  for (const auto& [action, keys] : yielding) {
    const bool taken = std::any_of(held.begin(), held.end(), [&](const HeldKey& h) {
      return h.keys == keys && !IsYielding(h.action);
    });
    const QKeySequence wanted = taken ? QKeySequence() : keys;
    if (action->shortcut() != wanted) action->setShortcut(wanted);
  }
}

oxString QuoteWithProfile(const oxString& action, const oxString& profile) {
  oxString text = "'" + action + "'";
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
  for (size_t i = 1; i < entries.size(); ++i) {
    if (entries[i].key != entries[i - 1].key) continue;
    entries[i].conflicting = entries[i - 1].conflicting = true;
  }
  const auto owners = MapOwners();
  for (ShortcutEntry& entry : entries) {
    entry.command = oxStr(PlainText(entry.action->text()));
    const auto found = owners.find(entry.action);
    if (found != owners.end()) {
      entry.actionName = found->second.actionName;
      entry.profileName = found->second.profileName;
    }
    if (entry.actionName.empty()) entry.actionName = oxStr(entry.action->objectName());
    if (entry.actionName.empty()) entry.actionName = entry.command;
  }
  return entries;
}

oxStlVector<ShortcutConflict> GetShortcutConflicts(const oxStlVector<ShortcutEntry>& entries) {
  oxStlVector<ShortcutConflict> conflicts;
  for (size_t i = 0; i < entries.size(); ++i) {
    for (size_t j = i + 1; j < entries.size() && entries[j].key == entries[i].key; ++j) {
      const ShortcutEntry& a = entries[i];
      const ShortcutEntry& b = entries[j];
      if (a.action == b.action) continue;  // one action listing a key twice
      conflicts.push_back(
          {a.key, a.actionName, a.profileName, b.actionName, b.profileName, a.action, b.action});
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
  return "fwg: shortcut " + conflict.key + " is held by " +
         QuoteWithProfile(conflict.firstAction, conflict.firstProfile) + " and " +
         QuoteWithProfile(conflict.secondAction, conflict.secondProfile) +
         "; the key triggers neither";
}

oxStlVector<ShortcutConflict> ProfileManager::GetShortcutConflicts() const {
  return fwg::GetShortcutConflicts(GetShortcutsInForce());
}

ShortcutMonitor::ShortcutMonitor(ProfileManager* manager) {
  manager->OnProfileActivated().Connect(this, &ShortcutMonitor::HandleActivated);
  if (QCoreApplication* application = QCoreApplication::instance()) {
    application->installEventFilter(this);
  }
}

ShortcutMonitor::~ShortcutMonitor() = default;

// Runs after every switch, so it works from the keys alone and looks up
// names only for a conflict that was not there before.
void ShortcutMonitor::HandleActivated(Profile*) {
  uiMainWindow* window = uiManager::Get()->MainWindow();
  if (window != window_) {
    // A new main window: learn the keys it already has.
    window_ = window;
    keyed_.clear();
    if (window) {
      for (const QAction* action : window->actions()) {
        if (!action->shortcut().isEmpty()) keyed_.insert(action);
      }
    }
  }
  if (!GetYielding().empty()) GiveWay(CollectKeys(&keyed_));
  std::set<Known> now;
  ForEachSharedKey(CollectKeys(&keyed_), [&](const HeldKey& first, const HeldKey& second) {
    const Known known{oxStr(first.keys.toString(QKeySequence::PortableText)), first.action,
                      second.action};
    now.insert(known);
    if (known_.count(known)) return;
    const Owner a = FindOwner(first.action);
    const Owner b = FindOwner(second.action);
    std::cerr << DescribeConflict({std::get<0>(known), a.actionName, a.profileName, b.actionName,
                                   b.profileName, first.action, second.action})
              << std::endl;
  });
  known_.swap(now);
}

// Keeps the actions of the main window that hold a key, so that the check
// after a switch looks at those rather than at every action of the window.
void ShortcutMonitor::NoteAction(QActionEvent* event) {
  const QAction* action = event->action();
  if (event->type() == QEvent::ActionRemoved) {
    keyed_.erase(action);  // possibly half destroyed: only its address is used
  } else if (!action->shortcut().isEmpty()) {
    keyed_.insert(action);
  } else {
    keyed_.erase(action);
  }
}

// The toolkit hands an ambiguous press to one of the key's holders with the
// ambiguity flag set, and that holder does nothing. An action would add its
// own warning without names; the event stops here for actions and goes on
// for other receivers (a QShortcut signals activatedAmbiguously()).
bool ShortcutMonitor::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ActionAdded:
    case QEvent::ActionChanged:
    case QEvent::ActionRemoved:
      if (watched == window_ && window_) NoteAction(static_cast<QActionEvent*>(event));
      return false;
    case QEvent::Shortcut:
      break;
    default:
      return false;
  }
  const auto* shortcut = static_cast<QShortcutEvent*>(event);
  if (!shortcut->isAmbiguous()) return false;
  const oxString key = oxStr(shortcut->key().toString(QKeySequence::PortableText));
  oxString holders;
  int count = 0;
  for (const ShortcutEntry& entry : GetShortcutsInForce()) {
    if (entry.key != key) continue;
    holders += (count++ ? ", " : "") + QuoteWithProfile(entry.actionName, entry.profileName);
  }
  if (holders.empty()) holders.append("'").append(oxStr(watched->objectName())).append("'");
  std::cerr << "fwg: shortcut " << key << " pressed, but it is held by " << holders
            << "; nothing was triggered" << std::endl;
  return qobject_cast<QAction*>(watched) != nullptr;
}

}  // namespace fwg
