// A group of actions that menus and toolbars show as one unit: side by side
// (each member its own item or button) or behind one drop-down. With
// exclusive set, at most one checkable member is checked at a time. A group
// is itself an action: its text and icon title the drop-down, and its
// visibility and enabled state apply to every member; a drop-down's item in
// a menu is greyed with it.
#pragma once

#include <QActionGroup>
#include <QPointer>
#include <vector>

#include "platform/ui/uiAction.h"

class uiMenuData;
class uiPopupMenu;

class uiActionGroup : public uiAction {
  UI_OBJECT(uiActionGroup, uiAction)

 public:
  uiActionGroup(uiObject* parent, const oxString& name, bool exclusive = true);
  ~uiActionGroup() override;

  // Members are not owned; a null entry is a separator.
  void Add(uiAction* action);
  void AddSeparator();
  const oxStlVector<uiAction*>& Members() const { return members_; }

  void SetExclusive(bool exclusive);
  bool IsExclusive() const { return exclusive_; }
  void SetUsesDropDown(bool dropDown) { dropDown_ = dropDown; }
  bool UsesDropDown() const { return dropDown_; }

  void SetEnabled(bool enabled) override;
  void SetVisible(bool visible) override;

  bool AddTo(uiWidget* widget, int index = -1) override;
  // The menu a drop-down shows its members in; made on the first call.
  uiPopupMenu* DropDownMenu();

 private:
  friend class uiAction;
  void Detach(uiAction* action);

  QActionGroup* qgroup_;
  oxStlVector<uiAction*> members_;
  QPointer<uiPopupMenu> dropDown_menu_;
  // The drop-down's items in menus: greyed with the group.
  struct DropDownItem {
    QPointer<QWidget> widget;  // the menu's, gone with it
    uiMenuData* menu;
    int id;
  };
  std::vector<DropDownItem> dropDownItems_;
  bool exclusive_;
  bool dropDown_ = false;
};

// A group shown as a panel of large icons that can itself be shown, hidden
// and resized.
class uiSpriteActionGroup : public uiActionGroup {
  UI_OBJECT(uiSpriteActionGroup, uiActionGroup)

 public:
  uiSpriteActionGroup(uiWidget* parent, const oxString& name, const oxString& text, int width,
                      int height);
  ~uiSpriteActionGroup() override;

  uiSize SizeHint() const { return sizeHint_; }
  void Resize(const uiSize& size);
  void Show();
  void Hide();
  bool IsShown() const;
  // The panel, made on first Show().
  QWidget* Panel() const { return panel_; }

 private:
  uiWidget* parentWidget_;
  uiSize sizeHint_;
  QPointer<QWidget> panel_;
};
