#include "fwg/actions/ActionGroup.h"

#include <algorithm>

#include "fwg/profiles/Profile.h"
#include "platform/ui/uiActionGroup.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"

namespace fwg {

// As for Action, the record is at the same time the toolkit group.
struct ActionGroup::Internal {
  // As for an action's record: the main window may delete it first.
  virtual ~Internal() {
    if (owner) owner->internal_ = nullptr;
  }

  ActionGroup* owner = nullptr;
  oxStlVector<Action*> members;  // not owned; null entries are separators
  Profile* profile = nullptr;
  uiActionGroup* ui = nullptr;  // this record viewed as its toolkit group

  struct Group;
  struct SpriteGroup;
};

struct ActionGroup::Internal::Group : ActionGroup::Internal, uiActionGroup {
  Group(uiObject* parent, const oxString& name) : uiActionGroup(parent, name, false) { ui = this; }
};

// The panel's text stays empty and its icons are 64 pixels square.
struct ActionGroup::Internal::SpriteGroup : ActionGroup::Internal, uiSpriteActionGroup {
  SpriteGroup(uiWidget* parent, const oxString& name)
      : uiSpriteActionGroup(parent, name, {}, 64, 64) {
    ui = this;
    SetExclusive(false);
  }
};

ActionGroup::ActionGroup(const oxString& name, Profile* profile, bool sprite) : internal_(nullptr) {
  uiMainWindow* parent = uiManager::Get()->MainWindow();
  if (sprite) {
    internal_ = new Internal::SpriteGroup(parent, name);
  } else {
    internal_ = new Internal::Group(parent, name);
  }
  internal_->profile = profile;
  internal_->owner = this;
}

ActionGroup::~ActionGroup() {
  if (!internal_) return;
  internal_->owner = nullptr;
  delete internal_;
}

uiAction* ActionGroup::GetUiAction() const { return internal_ ? internal_->ui : nullptr; }
Profile* ActionGroup::GetProfile() const { return internal_ ? internal_->profile : nullptr; }

void ActionGroup::SetExclusive(bool exclusive) { internal_->ui->SetExclusive(exclusive); }
bool ActionGroup::GetIsExclusive() const { return internal_->ui->IsExclusive(); }
void ActionGroup::SetUsesDropDown(bool dropDown) { internal_->ui->SetUsesDropDown(dropDown); }
bool ActionGroup::GetUsesDropDown() const { return internal_->ui->UsesDropDown(); }

// A member deleted by its owner leaves the list, so that a group that
// outlives some of its members (a derived profile's, holding its base's
// dock toggles) never lists a dead one.
void ActionGroup::AddAction(Action* action) {
  if (!action) return;
  uiAction* ui = action->GetUiAction();
  internal_->ui->Add(ui);
  internal_->members.push_back(action);
  Internal* d = internal_;
  QObject::connect(ui, &QObject::destroyed, d->ui, [d, action] { std::erase(d->members, action); });
}

void ActionGroup::AddAction(const oxString& name) {
  Profile* profile = GetProfile();
  if (!profile) return;
  AddAction(profile->GetAction(name, true));
}

// The toolkit group first, so that list positions match its item order.
void ActionGroup::AddSeparator() {
  internal_->ui->AddSeparator();
  internal_->members.push_back(nullptr);
}

const oxStlVector<Action*>& ActionGroup::GetActionList() const { return internal_->members; }

void ActionGroup::SetActive(bool active) {
  if (!internal_) return;
  for (Action* member : internal_->members) {
    if (member) member->SetActive(active);
  }
}

}  // namespace fwg
