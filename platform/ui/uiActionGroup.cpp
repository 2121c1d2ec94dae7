#include "platform/ui/uiActionGroup.h"

#include <QGridLayout>
#include <QToolButton>
#include <algorithm>

#include "platform/ui/uiMenuData.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"

uiActionGroup::uiActionGroup(uiObject* parent, const oxString& name, bool exclusive)
    : uiAction(parent, name), qgroup_(new QActionGroup(this)), exclusive_(exclusive) {
  SetExclusive(exclusive);
}

uiActionGroup::~uiActionGroup() {
  for (uiAction* member : members_) {
    if (member) std::erase(member->groups_, this);
  }
}

void uiActionGroup::Add(uiAction* action) {
  if (!action) return;
  members_.push_back(action);
  if (std::find(action->groups_.begin(), action->groups_.end(), this) == action->groups_.end()) {
    action->groups_.push_back(this);
  }
  qgroup_->addAction(action);
  if (dropDown_menu_) action->AddTo(dropDown_menu_);
  // An action answers to the last group it joined, but stays listed in
  // earlier ones; it must leave those too when it goes.
  connect(action, &QObject::destroyed, this, [this, action] {
    members_.erase(std::remove(members_.begin(), members_.end(), action), members_.end());
  });
}

void uiActionGroup::AddSeparator() {
  members_.push_back(nullptr);
  if (dropDown_menu_) dropDown_menu_->InsertSeparator();
}

void uiActionGroup::Detach(uiAction* action) {
  qgroup_->removeAction(action);
  members_.erase(std::remove(members_.begin(), members_.end(), action), members_.end());
}

void uiActionGroup::SetExclusive(bool exclusive) {
  exclusive_ = exclusive;
  qgroup_->setExclusionPolicy(exclusive ? QActionGroup::ExclusionPolicy::Exclusive
                                        : QActionGroup::ExclusionPolicy::None);
}

void uiActionGroup::SetEnabled(bool enabled) {
  uiAction::SetEnabled(enabled);
  for (uiAction* member : members_) {
    if (member) member->SetEnabled(enabled);
  }
  for (const DropDownItem& item : dropDownItems_) {
    if (item.widget) item.menu->SetItemEnabled(item.id, enabled);
  }
}

void uiActionGroup::SetVisible(bool visible) {
  uiAction::SetVisible(visible);
  for (uiAction* member : members_) {
    if (member) member->SetVisible(visible);
  }
}

uiPopupMenu* uiActionGroup::DropDownMenu() {
  if (!dropDown_menu_) {
    dropDown_menu_ = new uiPopupMenu(nullptr, Name());
    connect(this, &QObject::destroyed, dropDown_menu_.data(), &QObject::deleteLater);
    for (uiAction* member : members_) {
      if (member) {
        member->AddTo(dropDown_menu_);
      } else {
        dropDown_menu_->InsertSeparator();
      }
    }
  }
  return dropDown_menu_;
}

// Side by side, each member becomes its own item or button (a separator its
// own separator); with a drop-down, the group is one entry opening a menu of
// the members.
bool uiActionGroup::AddTo(uiWidget* widget, int index) {
  auto* menu = dynamic_cast<uiMenuData*>(widget);
  auto* toolbar = dynamic_cast<uiToolBar*>(widget);
  if (!menu && !toolbar) return false;
  if (dropDown_) {
    if (menu) {
      const int id = menu->InsertItem(MenuText(), DropDownMenu(), index);
      menu->SetItemEnabled(id, isEnabled());
      std::erase_if(dropDownItems_, [](const DropDownItem& item) { return item.widget.isNull(); });
      dropDownItems_.push_back({menu->MenuWidget(), menu, id});
      return true;
    }
    AddButtonTo(widget, index);
    const auto places = GetActionItems();
    if (auto* button = dynamic_cast<uiToolButton*>(places.back().widget)) {
      button->SetPopup(DropDownMenu());
    }
    return true;
  }
  int at = index;
  for (uiAction* member : members_) {
    if (menu) {
      if (member) {
        member->AddTo(widget, at);
      } else {
        menu->InsertSeparator(at);
      }
      if (at >= 0) ++at;
    } else if (member) {
      member->AddTo(widget);
    } else {
      toolbar->AddSeparator();
    }
  }
  return true;
}

uiSpriteActionGroup::uiSpriteActionGroup(uiWidget* parent, const oxString& name,
                                         const oxString& text, int width, int height)
    : uiActionGroup(parent, name, false), parentWidget_(parent), sizeHint_(width, height) {
  SetText(text);
  SetMenuText(text);
}

uiSpriteActionGroup::~uiSpriteActionGroup() { delete panel_.data(); }

void uiSpriteActionGroup::Resize(const uiSize& size) {
  sizeHint_ = size;
  if (panel_) panel_->resize(size);
}

void uiSpriteActionGroup::Show() {
  if (!panel_) {
    panel_ = new QWidget(uiImpl(parentWidget_));
    auto* grid = new QGridLayout(panel_);
    int column = 0;
    for (uiAction* member : Members()) {
      if (!member) continue;
      auto* button = new QToolButton(panel_);
      button->setDefaultAction(member);
      button->setIconSize(QSize(sizeHint_.Width(), sizeHint_.Height()));
      button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
      grid->addWidget(button, 0, column++);
    }
  }
  panel_->show();
}

void uiSpriteActionGroup::Hide() {
  if (panel_) panel_->hide();
}

bool uiSpriteActionGroup::IsShown() const { return panel_ && panel_->isVisible(); }
