// A named set of actions that menus and toolbars show as one unit: side by
// side or behind a drop-down button, optionally with at most one member
// checked at a time (exclusive). A group is itself an action with a text,
// an icon and visibility, held by its toolkit group; it has no shortcut and
// no action signals of its own.
#pragma once

#include "fwg/actions/Action.h"

namespace fwg {

class ActionGroup : public Action {
 public:
  // The toolkit group is a child of the main window; the sprite kind is a
  // panel of large icons and starts non-exclusive. `profile` may be null.
  ActionGroup(const oxString& name, Profile* profile, bool sprite = false);
  // Destroys the toolkit group; the members stay (their profile owns them).
  ~ActionGroup() override;
  ActionGroup(const ActionGroup&) = delete;
  ActionGroup& operator=(const ActionGroup&) = delete;

  void SetExclusive(bool exclusive);
  bool GetIsExclusive() const;
  void SetUsesDropDown(bool dropDown);
  bool GetUsesDropDown() const;

  // Appends a member (not owned); the same action twice stands twice. A
  // null action is ignored. A member that is deleted leaves the list.
  void AddAction(Action* action);
  // Appends the action of that name found through the group's profile;
  // nothing when there is no profile or no such action.
  void AddAction(const oxString& name);
  // Appends a separator, listed as a null entry.
  void AddSeparator();
  // Members in order of addition; separators are null entries.
  const oxStlVector<Action*>& GetActionList() const;

  // Gives or withdraws the shortcuts of every member, nested groups too.
  void SetActive(bool active) override;
  uiAction* GetUiAction() const override;

 private:
  Profile* GetProfile() const override;

  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
