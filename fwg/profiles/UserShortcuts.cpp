#include "fwg/profiles/UserShortcuts.h"

#include <QKeySequence>
#include <QMenu>
#include <QVariant>
#include <algorithm>
#include <set>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/ActionProfileItem.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/ReplaceActionItem.h"
#include "fwg/profiles/ShortcutScheme.h"
#include "fwg/profiles/UserSettings.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMenuBar.h"
#include "platform/vos/vosFile.h"
#include "platform/vos/vosSaveFile.h"

namespace fwg {

namespace {

const char kSection[] = "/User/Shortcuts";
// The key a profile declared, kept on the toolkit action.
const char kDeclaredProperty[] = "fwgDeclaredKey";

oxSettings* Overrides(const oxString& profile, bool create) {
  return UserSettings::GetProfileSection(kSection, profile, create);
}

bool FindOverride(const oxString& profile, const oxString& name, oxString* keys) {
  const oxSettings* section = Overrides(profile, false);
  if (!section || !section->Has(name)) return false;
  *keys = section->Get(name).GetString();
  return true;
}

bool SameKeys(const oxString& a, const oxString& b) {
  return !a.empty() && !b.empty() &&
         QKeySequence::fromString(uiStr(a), QKeySequence::PortableText) ==
             QKeySequence::fromString(uiStr(b), QKeySequence::PortableText);
}

Action* FindOwnAction(const Profile* profile, const oxString& name) {
  if (!profile) return nullptr;
  const auto& actions = GetInternal(profile)->actions;
  const auto found = actions.find(name);
  if (found == actions.end() || dynamic_cast<ActionGroup*>(found->second)) return nullptr;
  return found->second;
}

template <class Visit>
void ForEachItem(const Visit& visit) {
  for (Profile* profile : ProfileManager::Get()->GetProfileList()) {
    if (!profile) continue;
    for (ProfileItem* item : GetInternal(profile)->items) visit(profile, item);
  }
}

// Calls `visit(profile, replace)` for every replace item.
template <class Visit>
void ForEachReplaceItem(const Visit& visit) {
  ForEachItem([&](Profile* profile, ProfileItem* item) {
    if (auto* replace = dynamic_cast<ReplaceActionItem*>(item)) visit(profile, replace);
  });
}

// The replace item that made `action`, or null.
ReplaceActionItem* FindReplacing(const Action* action) {
  ReplaceActionItem* found = nullptr;
  ForEachReplaceItem([&](Profile*, ReplaceActionItem* replace) {
    if (replace->GetReplacement() == action) found = replace;
  });
  return found;
}

// Whether the entry, or an entry under it, is the action's.
bool Holds(const EntryLocation& entry, const uiAction* target) {
  bool held = false;
  entry.ForEachAction([&held, target](uiAction* action) { held = held || action == target; });
  return held;
}

// Calls `visit(location, on, profile)` for the shown and hidden entries of
// every resolved item, `on` telling whether the entry is in force now.
template <class Visit>
void ForEachResolvedEntry(const Visit& visit) {
  ForEachItem([&](Profile* profile, ProfileItem* item) {
    auto* placed = dynamic_cast<ActionProfileItem*>(item);
    if (!placed || !placed->IsResolved()) return;
    const bool active = profile->IsActive();
    visit(placed->GetShown(), active, profile);
    visit(placed->GetHidden(), !active, profile);
  });
}

// The items' records of the action now give `keys`. An action that had
// no key has no records: it gets one wherever an item's entries hold it.
void RebindRecords(uiAction* ui, const oxString& keys) {
  const uiKeySequence sequence(keys);
  bool recorded = false;
  ForEachResolvedEntry([&](EntryLocation& entry, bool, Profile*) {
    for (ShortcutRecord& record : entry.shortcuts) {
      if (record.action == ui) {
        record.inForce = sequence;
        recorded = true;
      }
    }
  });
  if (recorded || keys.empty()) return;
  ForEachResolvedEntry([&](EntryLocation& entry, bool, Profile* profile) {
    if (entry.IsEmpty() || !Holds(entry, ui)) return;
    entry.shortcuts.push_back({ui, sequence, {}});
    // An item that had nothing to switch has a key to give now.
    GetInternal(profile)->switchingStale = true;
  });
}

// Whether an action whose key was empty holds a key once given one: not
// while a replacement stands in for it, nor (a replacement) while its item
// is withdrawn, nor while any entry recording it is withdrawn.
bool IsKeyInForce(const Action* action) {
  if (const ReplaceActionItem* made = FindReplacing(action)) {
    return made->IsResolved() && made->GetOwner()->IsActive();
  }
  bool inForce = !UserShortcuts::IsReplaced(action);
  const uiAction* ui = action->GetUiAction();
  ForEachResolvedEntry([&](EntryLocation& entry, bool on, Profile*) {
    for (const ShortcutRecord& record : entry.shortcuts) {
      if (record.action == ui && !on) inForce = false;
    }
  });
  return inForce;
}

void Rebind(Action* action, const oxString& keys) {
  uiAction* ui = action->GetUiAction();
  const bool hadKey = !action->GetAccel().empty();
  const bool holding = !ui->shortcut().isEmpty();
  RebindRecords(ui, keys);
  const bool inForce = hadKey ? holding : IsKeyInForce(action);
  action->SetAccel(keys);
  if (!inForce) ui->SetAccel(uiKeySequence());
  // Replacements without an override of their own follow, as they follow
  // the declared key.
  ForEachReplaceItem([&](Profile* profile, ReplaceActionItem* replace) {
    if (replace->GetReplaced() != action || !replace->GetReplacement()) return;
    if (!UserShortcuts::HasOverride(profile, action->GetName())) Rebind(replace->GetReplacement(), keys);
  });
}

// The profiles whose actions can be in force with `profile`'s: its chain
// and every profile whose chain holds it.
oxStlVector<Profile*> Companions(const Profile* profile) {
  oxStlVector<Profile*> companions = GetBaseChainProfiles(profile);
  for (Profile* other : ProfileManager::Get()->GetProfileList()) {
    if (!other || other == profile) continue;
    const oxStlVector<Profile*> chain = GetBaseChainProfiles(other);
    if (std::find(chain.begin(), chain.end(), profile) != chain.end()) companions.push_back(other);
  }
  return companions;
}

bool IsReplacePair(const Action* a, const Action* b) {
  bool pair = false;
  ForEachReplaceItem([&](Profile*, ReplaceActionItem* replace) {
    const Action* x = replace->GetReplaced();
    const Action* y = replace->GetReplacement();
    if ((x == a && y == b) || (x == b && y == a)) pair = true;
  });
  return pair;
}

// Reads a scheme file whole; false with "file:line: reason" (or "file:
// reason") at the first thing wrong.
bool ReadScheme(const oxString& path, oxStlVector<ShortcutScheme::Line>* lines, oxString* error) {
  QByteArray text;
  oxString reason;
  if (!vosFile::ReadFile(path, ShortcutScheme::kMaxFileSize, &text, &reason)) {
    *error = path + ": " + reason;
    return false;
  }
  return ShortcutScheme::Read(text, path, lines, error);
}

void StoreOverride(const oxString& profile, const oxString& name, const oxString& keys) {
  if (oxSettings* section = Overrides(profile, true)) section->Set(name, oxVariant(keys));
}

// The stored key of the action in portable text, or false with one line
// when what the settings hold does not read (written by hand, or by
// another program).
bool ReadOverride(const Profile* profile, const oxString& name, oxString* keys) {
  oxString stored;
  if (!FindOverride(profile->GetName(), name, &stored)) return false;
  oxString problem;
  if (ShortcutScheme::ReadKeys(stored, keys, &problem)) return true;
  const oxSettings* settings = fwc::Director::Get()->GetSettings();
  oxWarn(settings ? settings->GetFilePath() : oxString("settings"), ": the user's key for ", oxQuote(name),
         " of profile ", oxQuote(profile->GetName()), ": ", problem, "; the declared key is used");
  return false;
}

}  // namespace

oxStlVector<UserShortcuts::Command> UserShortcuts::GetCommands() {
  // Actions that title a menu their item put in the menu bar: hidden, they
  // only name the menu the user opens.
  std::set<const Action*> titles;
  ForEachItem([&](Profile*, ProfileItem* item) {
    const auto* menu = dynamic_cast<MenuItem*>(item);
    if (menu && dynamic_cast<uiMenuBar*>(menu->GetShown().GetContainer())) {
      titles.insert(menu->GetAction());
    }
  });
  oxStlVector<Command> commands;
  for (Profile* profile : ProfileManager::Get()->GetProfileList()) {
    if (!profile) continue;
    for (const auto& [name, action] : GetInternal(profile)->actions) {
      if (!action || name.empty() || dynamic_cast<ActionGroup*>(action)) continue;
      if (action->GetUiAction()->menu<QMenu*>()) continue;
      // Hidden titles, and placeholders a menu fills in later (recent
      // files) until they show.
      if (!action->IsVisible() && (titles.count(action) || action->GetText().empty())) continue;
      if (action->IsListEntry()) continue;
      commands.push_back({profile, action, name});
    }
  }
  return commands;
}

oxString UserShortcuts::GetShortcut(const Profile* profile, const oxString& actionName) {
  const Action* action = FindOwnAction(profile, actionName);
  return action ? action->GetAccel() : oxString();
}

oxString UserShortcuts::GetDefaultShortcut(const Profile* profile, const oxString& actionName) {
  const Action* action = FindOwnAction(profile, actionName);
  if (!action) return {};
  if (const ReplaceActionItem* made = FindReplacing(action)) {
    return made->GetReplaced() ? made->GetReplaced()->GetAccel() : oxString();
  }
  return oxStr(action->GetUiAction()->property(kDeclaredProperty).toString());
}

bool UserShortcuts::HasOverride(const Profile* profile, const oxString& actionName) {
  oxString ignored;
  return profile && FindOverride(profile->GetName(), actionName, &ignored);
}

bool UserShortcuts::IsReplaced(const Action* action) {
  bool replaced = false;
  ForEachReplaceItem([&](Profile* profile, ReplaceActionItem* replace) {
    if (replace->GetReplaced() == action && replace->IsResolved() && profile->IsActive()) replaced = true;
  });
  return replaced;
}

bool UserShortcuts::SetShortcut(Profile* profile, const oxString& actionName, const oxString& keys,
                                oxString* error) {
  oxString normal, problem;
  if (!profile) {
    problem = "no profile";
  } else if (!ShortcutScheme::ReadKeys(keys, &normal, &problem)) {
  } else if (!UserSettings::CanKeep(profile->GetName(), actionName)) {
    problem = "the settings cannot keep a key for " + oxQuote(actionName);
  }
  if (!problem.empty()) {
    oxWarn(problem, "; the shortcut of ", oxQuote(actionName), " is left as it was");
    if (error) *error = problem;
    return false;
  }
  StoreOverride(profile->GetName(), actionName, normal);
  const bool kept = UserSettings::Store(error);
  if (Action* action = FindOwnAction(profile, actionName)) Rebind(action, normal);
  return kept;
}

bool UserShortcuts::ResetShortcut(Profile* profile, const oxString& actionName, oxString* error) {
  if (!HasOverride(profile, actionName)) return true;
  Overrides(profile->GetName(), false)->Remove(actionName);
  const bool kept = UserSettings::Store(error);
  if (Action* action = FindOwnAction(profile, actionName)) {
    Rebind(action, GetDefaultShortcut(profile, actionName));
  }
  return kept;
}

bool UserShortcuts::ResetAll(oxString* error) {
  bool kept = true;
  for (Profile* profile : ProfileManager::Get()->GetProfileList()) {
    const oxSettings* section = profile ? Overrides(profile->GetName(), false) : nullptr;
    if (!section) continue;
    for (const oxString& name : section->GetKeys()) {
      oxString reason;
      if (!ResetShortcut(profile, name, &reason) && kept) {
        kept = false;
        if (error) *error = reason;
      }
    }
  }
  return kept;
}

oxStlVector<ShortcutClash> UserShortcuts::FindClashes(const Profile* profile,
                                                      const oxString& actionName,
                                                      const oxString& keys) {
  oxStlVector<ShortcutClash> clashes;
  const Action* self = FindOwnAction(profile, actionName);
  oxString normal, problem;
  if (!self || !ShortcutScheme::ReadKeys(keys, &normal, &problem) || normal.empty()) return clashes;
  for (Profile* other : Companions(profile)) {
    for (const auto& [name, action] : GetInternal(other)->actions) {
      if (!action || action == self || dynamic_cast<ActionGroup*>(action)) continue;
      if (!SameKeys(action->GetAccel(), normal) || IsReplacePair(self, action)) continue;
      clashes.push_back({name, other->GetName(), oxStr(uiPlainText(uiStr(action->GetText())))});
    }
  }
  return clashes;
}

bool UserShortcuts::ExportScheme(const oxString& path, oxString* error) {
  oxStlVector<ShortcutScheme::Line> lines;
  oxSettings* root = UserSettings::GetRoot(kSection, false);
  for (const oxString& profile : root ? root->GetSectionNames() : oxStlVector<oxString>()) {
    const oxSettings* section = root->GetSection(profile, false, false);
    if (!section) continue;
    for (const oxString& name : section->GetKeys()) {
      ShortcutScheme::Line line{oxSettings::FromSectionName(profile), name, {}};
      oxString problem;
      if (!ShortcutScheme::ReadKeys(section->Get(name).GetString(), &line.keys, &problem)) {
        problem = "its key " + problem;
      } else if (!ShortcutScheme::CanWrite(line)) {
        problem = "a scheme cannot hold its names";
      }
      if (problem.empty()) {
        lines.push_back(std::move(line));
      } else {
        oxWarn(path, ": the user's key for ", oxQuote(line.action), " of profile ", oxQuote(line.profile),
               " is left out: ", problem);
      }
    }
  }
  oxString reason;
  if (vosSaveFile::WriteFile(path, ShortcutScheme::Write(lines), &reason)) return true;
  if (error) *error = path + ": " + reason;
  return false;
}

bool UserShortcuts::ImportScheme(const oxString& path, oxString* error, bool* applied) {
  if (applied) *applied = false;
  oxStlVector<ShortcutScheme::Line> lines;
  oxString reason;
  if (!ReadScheme(path, &lines, &reason)) {
    if (error) *error = reason;
    return false;
  }
  for (const ShortcutScheme::Line& line : lines) {
    StoreOverride(line.profile, line.action, line.keys);
    Profile* profile = ProfileManager::Get()->GetProfile(line.profile);
    if (Action* action = FindOwnAction(profile, line.action)) Rebind(action, line.keys);
  }
  if (applied) *applied = true;
  if (UserSettings::Store(&reason)) return true;
  if (error) *error = reason;
  return false;
}

void UserShortcuts::GiveKeyOnCreation(Profile* profile, const oxString& actionName,
                                      Action* action, const oxString& declared) {
  if (!declared.empty()) action->GetUiAction()->setProperty(kDeclaredProperty, uiStr(declared));
  oxString keys;
  if (profile && !actionName.empty() && ReadOverride(profile, actionName, &keys)) {
    action->SetAccel(keys);
  } else if (!declared.empty()) {
    action->SetAccel(declared);
  }
}

}  // namespace fwg
