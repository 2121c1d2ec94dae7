#include "fwg/profiles/ActionProfileItem.h"

#include <algorithm>

#include "fwg/Parts.h"
#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/profiles/PathWalker.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/UserToolBars.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiMenuBar.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolBar.h"
#include "platform/ui/uiToolButton.h"

namespace fwg {

ActionProfileItem::ActionProfileItem(Profile* owner, Mode mode, Action* action,
                                     const oxString& path)
    : ProfileItem(owner, mode),
      action_(action),
      actionGuard_(action ? action->GetUiAction() : nullptr),
      path_(path) {}

ActionProfileItem::~ActionProfileItem() = default;

oxString ActionProfileItem::DefaultName(const Action* action) {
  if (!action) return {};
  oxString name = action->GetText();
  if (name.empty()) name = action->GetName();
  oxString result;
  for (char c : name) {
    if (c == '\t') break;
    if (c != '&') result += c;
  }
  return result;
}

oxString ActionProfileItem::GetOrigin() const {
  const auto& describe = GetInternal(owner_)->describeItem;
  return describe ? describe(this) : oxString();
}

void ActionProfileItem::Apply(bool on) {
  if (!resolved_) Resolve();
  if (gated_) {
    shown_.GiveShortcuts(on);
    return;
  }
  // An added entry hides nothing and a removed one shows nothing.
  if (GetMode() != Remove) shown_.SetShown(on);
  if (GetMode() != Add) hidden_.SetShown(!on);
}

void ActionProfileItem::Prefetch() const {
  if (!resolved_) return;
  shown_.PrefetchShortcuts();
  if (!gated_) hidden_.PrefetchShortcuts();
}

void ActionProfileItem::Resolve() {
  resolved_ = true;
  oxString lastName;
  const EntryLocation target = WalkForEdit(GetRoot(), path_, GetMode() == Add, &lastName, GetOrigin());
  switch (GetMode()) {
    case Remove:
      hidden_ = target;
      break;
    case Replace:
      hidden_ = target;
      shown_ = MakeEntry(target, lastName);
      break;
    case Add:
      shown_ = MakeEntry(target, lastName);
      shown_.visible = visible_;
      break;
  }
  if (!hidden_.IsEmpty()) hidden_.CollectShortcuts(hidden_.shortcuts);
  if (!shown_.IsEmpty()) shown_.CollectShortcuts(shown_.shortcuts);
  if (GetMode() == Add && GatesEntries()) Gate();
}

// Only a single menu entry: the members of a group side by side follow
// their first entry's visibility on every switch, which a gate does not do.
void ActionProfileItem::Gate() {
  uiMenuData* menu = shown_.GetContainerMenu();
  if (!menu || !shown_.members.empty()) return;
  menu->SetItemVisible(shown_.id, visible_);
  menu->SetItemGate(shown_.id, &GetInternal(owner_)->menuGate);
  gated_ = true;
}

EntryLocation ActionProfileItem::MakeEntry(const EntryLocation& at, const oxString& lastName) {
  uiObject* container = at.GetContainer();
  Action* action = GetAction();
  if (!container || !action) return {};
  uiAction* t = action->GetUiAction();
  uiMainWindow* window = uiManager::Get()->MainWindow();
  Profile::Internal* owner = GetInternal(owner_);

  if (auto* bar = dynamic_cast<uiMenuBar*>(container)) {
    auto* popup = new uiPopupMenu(bar, t->MenuText());
    t->AddTo(popup, -1);
    const int itemId = bar->InsertItem(t->MenuText(), popup, at.index);
    return {bar, popup, bar->IndexOf(itemId), itemId};
  }
  if (auto* popup = dynamic_cast<uiPopupMenu*>(container)) {
    const int before = popup->Count();
    t->AddTo(popup, at.index);
    const int position = at.index < 0 ? before : at.index;
    auto* group = dynamic_cast<ActionGroup*>(action);
    if (!group || group->GetUsesDropDown()) {
      return {popup, t, position, popup->IdAt(position)};
    }
    const auto& list = group->GetActionList();
    uiObject* first = !list.empty() && list[0] ? list[0]->GetUiAction() : nullptr;
    EntryLocation entry(popup, first, position, popup->IdAt(position));
    for (int k = 1; k < static_cast<int>(list.size()); ++k) {
      uiObject* member = list[k] ? list[k]->GetUiAction() : nullptr;
      entry.members.emplace_back(popup, member, position + k, popup->IdAt(position + k));
    }
    return entry;
  }
  if (container->IsA("uiToolBars")) {
    const oxString name = lastName.empty() ? DefaultName(action) : lastName;
    auto* toolbar = new uiToolBar(window, name, false);
    toolbar->SetSeparatorType(1);
    owner->toolBars.push_back(toolbar);
    UserToolBars::SetMadeBy(toolbar, action->GetName());
    t->AddTo(toolbar, -1);
    return {container, toolbar, -1};
  }
  if (auto* toolbar = dynamic_cast<uiToolBar*>(container)) {
    // A button in a toolbar the profile did not make stays there for good.
    t->AddTo(toolbar, -1);
    return {};
  }
  if (container->IsA("uiContextMenus")) {
    const oxString name = lastName.empty() ? DefaultName(action) : lastName;
    auto* popup = new uiPopupMenu(window, name);
    owner->contextMenus.push_back(popup);
    t->AddTo(popup, -1);
    return {container, popup, 0, 0};
  }
  return {};
}

MenuItem::~MenuItem() = default;

uiObject* MenuItem::GetRoot() { return GetParts().mainWindow->MenuBar(); }

ToolBarItem::~ToolBarItem() = default;

uiObject* ToolBarItem::GetRoot() {
  root_.Refresh();
  return &root_;
}

ToolBarButtonItem::~ToolBarButtonItem() = default;

EntryLocation ToolBarButtonItem::MakeEntry(const EntryLocation& at, const oxString&) {
  Action* action = GetAction();
  auto* toolbar = dynamic_cast<uiToolBar*>(at.GetContainer());
  int index = -1;
  if (toolbar) {
    // `at` is a place among the toolbar's entries as walks see them; the
    // button goes before the entry standing there.
    const EntryLocation whole(nullptr, toolbar, -1);
    const auto* next = at.index >= 0 && at.index < static_cast<int>(whole.children.size())
                           ? dynamic_cast<uiToolButton*>(whole.children[at.index])
                           : nullptr;
    if (next) index = toolbar->actions().indexOf(next->ToolBarEntry());
  } else {
    // The path named a toolbar itself: the button goes at its end.
    toolbar = dynamic_cast<uiToolBar*>(at.GetObject());
  }
  if (!toolbar) {
    if (at.GetContainer()) ReportMissingItem(GetPath(), GetOrigin());
    return {};
  }
  if (!action) return {};
  // Side by side, each member of a group is a button of its own; the
  // group's separators are left out of toolbars the profile shares.
  auto* group = dynamic_cast<ActionGroup*>(action);
  std::vector<Action*> buttons{action};
  if (group && !group->GetUsesDropDown()) buttons = group->GetActionList();
  EntryLocation entry;
  for (Action* member : buttons) {
    uiAction* t = member ? member->GetUiAction() : nullptr;
    if (!t || !t->AddTo(toolbar, index)) continue;
    auto* button = dynamic_cast<uiToolButton*>(t->GetActionItems().back().widget);
    const oxStlVector<uiObject*> now = EntryLocation(nullptr, toolbar, -1).children;
    const auto place = std::find(now.begin(), now.end(), button);
    EntryLocation made(toolbar, button, static_cast<int>(place - now.begin()));
    if (entry.IsEmpty()) {
      entry = std::move(made);
    } else {
      entry.members.push_back(std::move(made));
    }
    if (index >= 0) ++index;
  }
  return entry;
}

ContextMenuItem::~ContextMenuItem() = default;

uiObject* ContextMenuItem::GetRoot() {
  root_.Refresh();
  return &root_;
}

void ContextMenuItem::Apply(bool on) {
  ActionProfileItem::Apply(on);
  for (uiPopupMenu* popup : GetInternal(owner_)->contextMenus) popup->Hide();
}

}  // namespace fwg
