#include "fwg/profiles/ReplaceActionItem.h"

#include "fwg/actions/Action.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/UserShortcuts.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiToolButton.h"

namespace fwg {

ReplaceActionItem::ReplaceActionItem(Profile* owner, const oxString& name)
    : ProfileItem(owner, Replace) {
  replaced_ = owner->GetAction(name, true);
  if (!replaced_) return;
  replacedUi_ = replaced_->GetUiAction();

  replacement_ = new Action(name, owner, false);
  owner->AddAction(name, replacement_);

  // The text is moved over by Apply, so it belongs to whichever action is
  // in force.
  replacement_->SetText({});
  // The user's key for the replacement, else the replaced action's.
  UserShortcuts::GiveKeyOnCreation(owner, name, replacement_, replaced_->GetAccel());
  replacement_->SetToolTip(replaced_->GetToolTip());
  const oxString statusTip = replaced_->GetStatusTip();
  replacement_->SetStatusTip(statusTip != replacement_->GetToolTip() ? statusTip : oxString());
  replacement_->SetWhatsThis(replaced_->GetWhatsThis());
  replacement_->SetVisible(replaced_->IsVisible());
  replacement_->SetEnabled(replaced_->IsEnabled());
  replacement_->SetCheckable(replaced_->IsCheckable());
  replacement_->SetChecked(replaced_->IsChecked());
  replacement_->GetUiAction()->SetIconSet(replaced_->GetUiAction()->IconSet());
  replacement_->SetActive(false);
}

ReplaceActionItem::~ReplaceActionItem() = default;

bool ReplaceActionItem::IsInert() const { return !replaced_ || !replacedUi_; }

void ReplaceActionItem::Apply(bool on) {
  if (IsInert()) return;
  if (!resolved_) Resolve();

  Action* from = on ? replaced_ : replacement_;
  Action* to = on ? replacement_ : replaced_;
  const oxString text = from->GetText();
  from->SetText({});
  to->SetText(text);

  // Out of force first: where both share a tool button, the last one put
  // into force owns it.
  PutInForce(replaced_, !on);
  PutInForce(replacement_, on);
}

// Each menu entry of the replaced action gets the substitute's entry just
// before it; a tool button is not duplicated but shared.
void ReplaceActionItem::Resolve() {
  uiAction* substitute = replacement_->GetUiAction();
  for (const uiAction::Place& place : replaced_->GetUiAction()->GetActionItems()) {
    if (auto* popup = dynamic_cast<uiPopupMenu*>(place.widget)) {
      if (place.id != -1) substitute->AddTo(popup, popup->IndexOf(place.id));
    } else if (auto* button = dynamic_cast<uiToolButton*>(place.widget)) {
      uiAction::AddToActionItemMap(substitute, button, 0);
    }
  }
  resolved_ = true;
}

void ReplaceActionItem::PutInForce(Action* action, bool on) {
  action->SetActive(on);
  uiAction* ui = action->GetUiAction();
  for (const uiAction::Place& place : ui->GetActionItems()) {
    if (auto* popup = dynamic_cast<uiPopupMenu*>(place.widget)) {
      if (place.id != -1) popup->SetItemVisible(place.id, on);
    } else if (auto* button = dynamic_cast<uiToolButton*>(place.widget)) {
      if (!on) continue;
      button->SetActionInForce(ui);
      ui->ShowOn(button);
      button->OnClick().DisconnectAll();
      // The button may outlive the action in force (it belongs to the
      // replaced action's toolkit action).
      button->OnClick().Connect(nullptr, [target = QPointer<uiAction>(ui)] {
        if (target) target->Activate();
      });
    }
  }
}

}  // namespace fwg
