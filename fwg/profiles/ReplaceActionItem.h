// A profile's substitute for an inherited action. The substitute has the
// same name and takes over the inherited action's menu entries, tool
// buttons, text and shortcut while the item is in force; withdrawn, all of
// it goes back to the inherited action.
#pragma once

#include <QPointer>

#include "fwg/profiles/ProfileItem.h"
#include "platform/core/oxTypes.h"

class uiAction;

namespace fwg {

class Action;

class ReplaceActionItem : public ProfileItem {
 public:
  // Finds the action of that name along the owner's chain and makes and
  // registers the substitute in the owner (inactive). When nothing is found
  // the item stays inert.
  ReplaceActionItem(Profile* owner, const oxString& name);
  ~ReplaceActionItem() override;

  // The first call places the substitute beside each menu entry of the
  // replaced action and on its tool buttons.
  void Apply(bool on) override;

  // Not owned: the replaced action belongs to its own profile, the
  // substitute to the owner's action map.
  Action* GetReplaced() const { return replaced_; }
  Action* GetReplacement() const { return replacement_; }
  bool IsResolved() const { return resolved_; }

 private:
  void Resolve();
  bool IsInert() const;
  static void PutInForce(Action* action, bool on);

  Action* replaced_ = nullptr;
  Action* replacement_ = nullptr;
  // Watches the replaced action's toolkit action: a base profile deleted
  // before this item's owner makes the item inert instead of dangling.
  QPointer<uiAction> replacedUi_;
  bool resolved_ = false;
};

}  // namespace fwg
