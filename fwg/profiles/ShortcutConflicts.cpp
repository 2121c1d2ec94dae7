#include "fwg/profiles/ShortcutConflicts.h"

#include <QAction>
#include <QCoreApplication>
#include <QShortcutEvent>
#include <algorithm>
#include <iostream>
#include <unordered_map>

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

// Which profile each toolkit action belongs to. Made only when a name is
// needed: switches that create no conflict never pay for it.
std::unordered_map<const QAction*, Owner> MapOwners() {
  std::unordered_map<const QAction*, Owner> owners;
  ProfileManager* manager = ProfileManager::Get();
  if (!manager) return owners;
  const auto add = [&](const Action* action, const Profile* profile) {
    if (!action || !action->GetUiAction()) return;
    owners.emplace(action->GetUiAction(), Owner{action->GetName(), profile->GetName()});
  };
  for (const Profile* profile : manager->GetProfileList()) {
    if (!profile) continue;
    const Profile::Internal* d = profile->GetInternal();
    for (const auto& [name, action] : d->actions) {
      add(action, profile);
      if (const auto* group = dynamic_cast<const ActionGroup*>(action)) {
        for (const Action* member : group->GetActionList()) add(member, profile);
      }
    }
    for (const QPointer<DockWindow>& window : d->dockWindows) {
      if (!window) continue;
      for (const DockEntry* entry : window->GetEntries()) add(entry->toggleAction, profile);
    }
  }
  return owners;
}

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

oxString QuoteWithProfile(const oxString& action, const oxString& profile) {
  oxString text = "'" + action + "'";
  text += profile.empty() ? " (no profile)" : " (profile " + profile + ")";
  return text;
}

}  // namespace

oxStlVector<ShortcutEntry> GetShortcutsInForce() {
  oxStlVector<ShortcutEntry> entries;
  uiMainWindow* window = uiManager::Get()->MainWindow();
  if (!window) return entries;
  for (const QAction* action : window->actions()) {
    if (!IsWindowWide(action)) continue;
    for (const QKeySequence& keys : action->shortcuts()) {
      if (keys.isEmpty()) continue;
      ShortcutEntry entry;
      entry.key = oxStr(keys.toString(QKeySequence::PortableText));
      entry.action = action;
      entries.push_back(std::move(entry));
    }
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const ShortcutEntry& a, const ShortcutEntry& b) { return a.key < b.key; });
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

// Most switches move no key at all: the cheap scan of the action list comes
// first, and names are only looked up for keys held twice.
void ShortcutMonitor::HandleActivated(Profile*) {
  uiMainWindow* window = uiManager::Get()->MainWindow();
  if (!window) return;
  oxStlVector<std::pair<QKeySequence, const QAction*>> keys;
  for (const QAction* action : window->actions()) {
    if (!IsWindowWide(action)) continue;
    for (const QKeySequence& sequence : action->shortcuts()) {
      if (!sequence.isEmpty()) keys.emplace_back(sequence, action);
    }
  }
  std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  bool shared = false;
  for (size_t i = 1; i < keys.size() && !shared; ++i) {
    shared = keys[i].first == keys[i - 1].first && keys[i].second != keys[i - 1].second;
  }
  if (!shared) {
    known_.clear();
    return;
  }
  std::set<Known> now;
  for (const ShortcutConflict& conflict : fwg::GetShortcutConflicts(GetShortcutsInForce())) {
    const Known key{conflict.key, conflict.first, conflict.second};
    now.insert(key);
    if (!known_.count(key)) std::cerr << DescribeConflict(conflict) << std::endl;
  }
  known_.swap(now);
}

// The toolkit hands an ambiguous press to one of the key's holders with the
// ambiguity flag set, and that holder does nothing. An action would add its
// own warning without names; the event stops here for actions and goes on
// for other receivers (a QShortcut signals activatedAmbiguously()).
bool ShortcutMonitor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Shortcut) return false;
  const auto* shortcut = static_cast<QShortcutEvent*>(event);
  if (!shortcut->isAmbiguous()) return false;
  const oxString key = oxStr(shortcut->key().toString(QKeySequence::PortableText));
  oxString holders;
  int count = 0;
  for (const ShortcutEntry& entry : GetShortcutsInForce()) {
    if (entry.key != key) continue;
    holders += (count++ ? ", " : "") + QuoteWithProfile(entry.actionName, entry.profileName);
  }
  if (holders.empty()) holders = "'" + oxStr(watched->objectName()) + "'";
  std::cerr << "fwg: shortcut " << key << " pressed, but it is held by " << holders
            << "; nothing was triggered" << std::endl;
  return qobject_cast<QAction*>(watched) != nullptr;
}

}  // namespace fwg
