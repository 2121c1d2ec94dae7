#include "fwg/profiles/UserToolBars.h"

#include <QAction>
#include <QPointer>
#include <QStringList>
#include <algorithm>

#include "fwg/actions/Action.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/UserSettings.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"

namespace fwg {

namespace {

const char kSection[] = "/User/ToolBars";
const char kEntries[] = "Entries";
const char kRemoved[] = "Removed";
// On entries the user added: the token of a button, true on a separator.
const char kUserToken[] = "fwgUserToken";
const char kSeparator[] = "-";
// On a toolbar a profile made: the name of the action whose entry made it.
const char kMadeBy[] = "fwgMadeBy";

// A toolbar whose arrangement is kept: its entries in the order its
// profile recorded them, and how many entries it had when last arranged.
struct Kept {
  QPointer<uiToolBar> toolBar;
  QList<QPointer<QAction>> recorded;
  qsizetype arranged = -1;
  bool customized = false;
};

std::vector<Kept>& GetKept() {
  static std::vector<Kept> kept;
  return kept;
}

Kept& Remember(uiToolBar* toolBar) {
  auto& kept = GetKept();
  std::erase_if(kept, [](const Kept& k) { return k.toolBar.isNull(); });
  for (Kept& k : kept) {
    if (k.toolBar == toolBar) return k;
  }
  Kept k;
  k.toolBar = toolBar;
  for (QAction* entry : toolBar->actions()) k.recorded.push_back(entry);
  kept.push_back(std::move(k));
  return kept.back();
}

// The toolbar goes by the action whose entry made it, the same in every
// language; arrangements kept under the toolbar's name before are still
// read until the first change writes them under the action.
oxSettings* Section(const uiToolBar* toolBar, bool create) {
  const Profile* owner = UserToolBars::GetOwner(toolBar);
  oxSettings* profile = owner ? UserSettings::GetProfileSection(kSection, owner->GetName(), create) : nullptr;
  if (!profile) return nullptr;
  const QString madeBy = toolBar->property(kMadeBy).toString();
  const oxString byName = oxSettings::ToSectionName(oxStr(toolBar->objectName()));
  if (madeBy.isEmpty()) return profile->GetSection(byName, create, false);
  oxSettings* byAction = profile->GetSection(oxSettings::ToSectionName(oxStr("@" + madeBy)), create, false);
  if (byAction && (create || byAction->Has(kEntries))) return byAction;
  oxSettings* earlier = profile->GetSection(byName, false, false);
  return earlier && earlier->Has(kEntries) ? earlier : byAction;
}

QStringList ReadList(const oxSettings* section, const char* key) {
  return section ? uiStr(section->Get(key).GetString()).split('\n', Qt::SkipEmptyParts)
                 : QStringList();
}

uiToolButton* ButtonOf(uiToolBar* toolBar, QAction* entry) {
  return dynamic_cast<uiToolButton*>(toolBar->widgetForAction(entry));
}

QString UserToken(uiToolBar* toolBar, QAction* entry) {
  if (entry->isSeparator()) return entry->property(kUserToken).toBool() ? kSeparator : QString();
  const uiToolButton* button = ButtonOf(toolBar, entry);
  return button ? button->property(kUserToken).toString() : QString();
}

// The token of any entry: the same as UserToken for what the user added.
QString TokenOf(uiToolBar* toolBar, QAction* entry) {
  if (entry->isSeparator()) return kSeparator;
  const QString user = UserToken(toolBar, entry);
  if (!user.isEmpty()) return user;
  const uiToolButton* button = ButtonOf(toolBar, entry);
  return button ? button->objectName() : QString();
}

// The entries a profile made, in the order it recorded them; those made
// after the first arrangement at the end.
QList<QAction*> RecordedOrder(uiToolBar* toolBar) {
  const auto& kept = GetKept();
  const auto found = std::find_if(kept.begin(), kept.end(),
                                  [toolBar](const Kept& k) { return k.toolBar == toolBar; });
  QList<QAction*> order;
  if (found != kept.end()) {
    for (const QPointer<QAction>& entry : found->recorded) {
      if (entry && toolBar->actions().contains(entry.data())) order.push_back(entry);
    }
  }
  for (QAction* entry : toolBar->actions()) {
    if (UserToken(toolBar, entry).isEmpty() && !order.contains(entry)) order.push_back(entry);
  }
  return order;
}

// The profile and action of a token the user added; null when its profile
// is not loaded or has no such action.
Action* FindAdded(const QString& token, Profile** profile) {
  const qsizetype tab = token.indexOf('\t');
  if (!token.startsWith('+') || tab < 0) return nullptr;
  *profile = ProfileManager::Get()->GetProfile(oxStr(token.mid(1, tab - 1)));
  return *profile ? (*profile)->GetAction(oxStr(token.mid(tab + 1))) : nullptr;
}

QAction* MakeEntry(uiToolBar* toolBar, const QString& token) {
  if (token == kSeparator) {
    auto* separator = new QAction(toolBar);
    separator->setSeparator(true);
    separator->setProperty(kUserToken, true);
    toolBar->addAction(separator);
    return separator;
  }
  Profile* profile = nullptr;
  Action* action = FindAdded(token, &profile);
  if (!action || !action->GetUiAction()->AddTo(toolBar, -1)) return nullptr;
  QAction* entry = toolBar->actions().last();
  if (uiToolButton* button = ButtonOf(toolBar, entry)) button->setProperty(kUserToken, token);
  return entry;
}

// What the dialog lists of a button.
UserToolBars::Entry EntryOf(uiToolBar* toolBar, QAction* entry, const uiToolButton* button, bool inForce) {
  return {oxStr(TokenOf(toolBar, entry)), oxStr(button->text()), inForce, button->icon()};
}

void DeleteEntry(uiToolBar* toolBar, QAction* entry) {
  if (uiToolButton* button = ButtonOf(toolBar, entry)) {
    toolBar->removeAction(entry);
    delete button;
  }
  delete entry;
}

// Takes every entry out and puts them back in `order`: walks read a
// toolbar's buttons in the order of its children, which this keeps.
void Reorder(uiToolBar* toolBar, const QList<QAction*>& order) {
  if (toolBar->actions() == order) return;
  for (QAction* entry : toolBar->actions()) toolBar->removeAction(entry);
  for (QAction* entry : order) toolBar->addAction(entry);
}

// A command the user added is on the toolbar while its profile is in force.
void ShowAddedInForce(uiToolBar* toolBar) {
  const Profile* active = ProfileManager::Get()->GetActiveProfile();
  const oxStlVector<Profile*> chain = active ? GetBaseChainProfiles(active) : oxStlVector<Profile*>();
  for (QAction* entry : toolBar->actions()) {
    uiToolButton* button = ButtonOf(toolBar, entry);
    const QString token = button ? button->property(kUserToken).toString() : QString();
    Profile* profile = nullptr;
    if (token.isEmpty() || !FindAdded(token, &profile)) continue;
    button->SetUserHidden(std::find(chain.begin(), chain.end(), profile) == chain.end());
  }
}

void Arrange(uiToolBar* toolBar, const QStringList& tokens, const QStringList& removed) {
  Kept& kept = Remember(toolBar);
  QList<QAction*> entries = toolBar->actions();
  QList<QAction*> order;
  std::vector<bool> used(static_cast<size_t>(entries.size()), false);
  for (const QString& token : tokens) {
    QAction* found = nullptr;
    for (qsizetype i = 0; i < entries.size() && !found; ++i) {
      if (used[static_cast<size_t>(i)] || TokenOf(toolBar, entries[i]) != token) continue;
      used[static_cast<size_t>(i)] = true;
      found = entries[i];
    }
    if (!found) found = MakeEntry(toolBar, token);
    if (!found) continue;
    order.push_back(found);
    if (uiToolButton* button = ButtonOf(toolBar, found); button && UserToken(toolBar, found).isEmpty()) {
      button->SetUserHidden(false);
    }
    if (found->isSeparator()) found->setVisible(true);
  }
  for (qsizetype i = 0; i < entries.size(); ++i) {
    if (used[static_cast<size_t>(i)]) continue;
    if (!UserToken(toolBar, entries[i]).isEmpty()) {
      DeleteEntry(toolBar, entries[i]);
      continue;
    }
    // Entries the arrangement does not know (made after it) keep their place
    // at the end; those it took off stay there hidden, for switches to find.
    if (uiToolButton* button = ButtonOf(toolBar, entries[i])) {
      button->SetUserHidden(removed.contains(button->objectName()));
    } else if (entries[i]->isSeparator()) {
      entries[i]->setVisible(false);
    }
    order.push_back(entries[i]);
  }
  Reorder(toolBar, order);
  ShowAddedInForce(toolBar);
  kept.customized = true;
  kept.arranged = toolBar->actions().size();
}

void ArrangeFromSettings(uiToolBar* toolBar) {
  const oxSettings* section = Section(toolBar, false);
  if (!section || !section->Has(kEntries)) return;
  Arrange(toolBar, ReadList(section, kEntries), ReadList(section, kRemoved));
}

struct Keeper : QObject, oxListener<single_threaded> {
  // Toolbars already looked up in the settings.
  std::vector<QPointer<uiToolBar>> seen;

  void HandleActivated(Profile*) {
    std::erase_if(seen, [](const QPointer<uiToolBar>& t) { return t.isNull(); });
    // A profile's list may outlive a toolbar its owner deleted: only those
    // still in the window are looked at, and only pointers compared before.
    QList<QToolBar*> alive;
    bool aliveRead = false;
    for (Profile* profile : ProfileManager::Get()->GetProfileList()) {
      if (!profile) continue;
      for (uiToolBar* toolBar : GetInternal(profile)->toolBars) {
        if (std::find(seen.begin(), seen.end(), toolBar) != seen.end()) continue;
        if (!aliveRead && parent()) alive = parent()->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly);
        aliveRead = true;
        if (!alive.contains(static_cast<QToolBar*>(toolBar))) continue;
        seen.emplace_back(toolBar);
        ArrangeFromSettings(toolBar);
      }
    }
    for (Kept& kept : GetKept()) {
      if (!kept.toolBar || !kept.customized) continue;
      if (kept.toolBar->actions().size() != kept.arranged) {
        ArrangeFromSettings(kept.toolBar);
      } else {
        ShowAddedInForce(kept.toolBar);
      }
    }
  }
};

}  // namespace

Profile* UserToolBars::GetOwner(const uiToolBar* toolBar) {
  for (Profile* profile : ProfileManager::Get()->GetProfileList()) {
    if (!profile) continue;
    const auto& toolBars = GetInternal(profile)->toolBars;
    if (std::find(toolBars.begin(), toolBars.end(), toolBar) != toolBars.end()) return profile;
  }
  return nullptr;
}

oxStlVector<UserToolBars::Entry> UserToolBars::GetEntries(uiToolBar* toolBar) {
  oxStlVector<Entry> entries;
  if (!toolBar) return entries;
  for (QAction* entry : toolBar->actions()) {
    const uiToolButton* button = ButtonOf(toolBar, entry);
    if (entry->isSeparator()) {
      if (entry->isVisible()) entries.push_back({kSeparator, {}, true, {}});
    } else if (button && !button->IsUserHidden()) {
      entries.push_back(EntryOf(toolBar, entry, button, button->IsShown()));
    } else if (button && UserToken(toolBar, entry).size()) {
      entries.push_back(EntryOf(toolBar, entry, button, false));
    }
  }
  return entries;
}

oxString UserToolBars::MakeToken(const Profile* profile, const oxString& actionName) {
  // Appended piece by piece: "+" + name makes GCC 12 warn wrongly at -O3.
  oxString token = "+";
  token += profile->GetName();
  token += '\t';
  token += actionName;
  return token;
}

bool UserToolBars::Customize(uiToolBar* toolBar, const oxStlVector<oxString>& tokens, oxString* error) {
  if (!toolBar || !GetOwner(toolBar)) return false;
  QStringList list;
  for (const oxString& token : tokens) list << uiStr(token);
  // Buttons a profile made that the list leaves out are taken off.
  QStringList removed;
  for (QAction* entry : toolBar->actions()) {
    const QString token = TokenOf(toolBar, entry);
    if (ButtonOf(toolBar, entry) && UserToken(toolBar, entry).isEmpty() && !list.contains(token))
      removed << token;
  }
  Arrange(toolBar, list, removed);
  oxSettings* section = Section(toolBar, true);
  if (!section) {  // said why on stderr
    if (error) *error = "the settings cannot keep the arrangement of this toolbar";
    return false;
  }
  section->Set(kEntries, oxVariant(oxStr(list.join('\n'))));
  section->Set(kRemoved, oxVariant(oxStr(removed.join('\n'))));
  return UserSettings::Store(error);
}

void UserToolBars::SetMadeBy(uiToolBar* toolBar, const oxString& actionName) {
  if (toolBar) toolBar->setProperty(kMadeBy, uiStr(actionName));
}

bool UserToolBars::Reset(uiToolBar* toolBar, oxString* error) {
  if (!toolBar) return false;
  bool kept = true;
  // Twice where an earlier arrangement is still kept under the toolbar's name.
  for (int pass = 0; pass < 2; ++pass) {
    oxSettings* section = Section(toolBar, false);
    if (!section || !section->Has(kEntries)) break;
    section->Remove(kEntries);
    section->Remove(kRemoved);
    kept = UserSettings::Store(error);
  }
  Kept& remembered = Remember(toolBar);
  const QList<QAction*> order = RecordedOrder(toolBar);
  for (QAction* entry : toolBar->actions()) {
    if (!order.contains(entry)) {
      DeleteEntry(toolBar, entry);
      continue;
    }
    if (uiToolButton* button = ButtonOf(toolBar, entry)) button->SetUserHidden(false);
    if (entry->isSeparator()) entry->setVisible(true);
  }
  Reorder(toolBar, order);
  remembered.customized = false;
  return kept;
}

oxStlVector<UserToolBars::Entry> UserToolBars::GetRecordedEntries(uiToolBar* toolBar) {
  oxStlVector<Entry> entries;
  for (QAction* entry : toolBar ? RecordedOrder(toolBar) : QList<QAction*>()) {
    if (entry->isSeparator()) {
      entries.push_back({kSeparator, {}, true, {}});
    } else if (const uiToolButton* button = ButtonOf(toolBar, entry)) {
      entries.push_back(EntryOf(toolBar, entry, button, button->IsShown()));
    }
  }
  return entries;
}

bool UserToolBars::IsCustomized(const uiToolBar* toolBar) {
  const oxSettings* section = toolBar ? Section(toolBar, false) : nullptr;
  return section && section->Has(kEntries);
}

void UserToolBars::Keep(ProfileManager* manager, QObject* lifetime) {
  auto* keeper = new Keeper;
  keeper->setParent(lifetime);
  manager->OnProfileActivated().Connect(keeper, &Keeper::HandleActivated);
}

}  // namespace fwg
