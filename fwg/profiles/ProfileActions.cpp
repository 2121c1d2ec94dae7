// The profile's action registry: making, registering, finding along the
// base chain and replacing actions and groups.
#include <algorithm>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ReplaceActionItem.h"
#include "fwg/profiles/UserShortcuts.h"
#include "platform/core/oxDiagnostic.h"

namespace fwg {

namespace {

Action* MakeAction(Profile* profile, const oxString& name, const oxString& text,
                   const oxString& icon, const oxString& accel, bool sprite) {
  auto* action = new Action(name, profile, sprite);
  action->SetText(text);
  UserShortcuts::GiveKeyOnCreation(profile, name, action, accel);
  if (!icon.empty()) action->SetIcon(icon);
  if (!name.empty()) profile->AddAction(name, action);
  return action;
}

ActionGroup* MakeGroup(Profile* profile, const oxString& name, const oxString& text,
                       bool dropDown, const oxString& icon, bool sprite) {
  auto* group = new ActionGroup(name, profile, sprite);
  group->SetExclusive(false);
  group->SetText(text);
  group->SetUsesDropDown(dropDown);
  if (!icon.empty()) group->SetIcon(icon);
  if (!name.empty()) profile->AddAction(name, group);
  return group;
}

}  // namespace

// An action registered before under the name is dropped from the map, not
// deleted: whoever registered it twice keeps it.
void Profile::AddAction(const oxString& name, Action* action) { internal_->actions[name] = action; }

// An action made with an empty name is not registered: the caller owns it.
Action* Profile::AddAction(const oxString& name, oxString text, const oxString& icon,
                           oxString accel) {
  return MakeAction(this, name, text, icon, accel, false);
}

Action* Profile::AddSpriteAction(const oxString& name, oxString text, const oxString& icon,
                                 oxString accel) {
  return MakeAction(this, name, text, icon, accel, true);
}

ActionGroup* Profile::AddActionGroup(const oxString& name, oxString text, bool dropDown,
                                     const oxString& icon) {
  return MakeGroup(this, name, text, dropDown, icon, false);
}

ActionGroup* Profile::AddSpriteActionGroup(const oxString& name, oxString text, bool dropDown,
                                           const oxString& icon) {
  return MakeGroup(this, name, text, dropDown, icon, true);
}

// The profile itself first, then its base and so on: a name registered here
// hides the inherited action from this profile and those built on it. Only
// registered profiles take part, so an unregistered profile sees its bases'
// actions but not its own.
Action* Profile::GetAction(const oxString& name, bool /*flag*/) const {
  oxStlVector<Profile*> chain = GetBaseChainProfiles(this);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const auto& actions = (*it)->internal_->actions;
    const auto found = actions.find(name);
    if (found != actions.end() && found->second) return found->second;
  }
  return nullptr;
}

ActionGroup* Profile::GetActionGroup(const oxString& name, bool flag) const {
  return dynamic_cast<ActionGroup*>(GetAction(name, flag));
}

Action* Profile::ReplaceAction(const oxString& name) {
  internal_->Record(new ReplaceActionItem(this, name));
  Action* replacement = GetAction(name, true);
  // A missing base explains itself, once.
  if (!replacement && !ReportMissingBase(this)) {
    oxWarn("Profile::ReplaceAction: no profile that '", GetName(), "' is built on has an action '", name,
           "'");
  }
  return replacement;
}

oxStlMap<oxString, Action*>& Profile::GetActions() { return internal_->actions; }

}  // namespace fwg
