#include "platform/ui/uiToolButton.h"

#include "platform/ui/uiPopupMenu.h"

uiToolButton::uiToolButton(uiWidget* parent, const oxString& name)
    : uiWidgetT<QToolButton>(uiImpl(parent)) {
  SetName(name);
  setAutoRaise(true);
  connect(this, &QToolButton::clicked, this, [this] { onClick_.Emit(); });
}

void uiToolButton::SetTextLabel(const oxString& label) {
  setText(uiStr(label));
  setToolTip(uiStr(label));
}

uiPopupMenu* uiToolButton::Popup() const { return dynamic_cast<uiPopupMenu*>(menu()); }

void uiToolButton::SetPopup(uiPopupMenu* popup) {
  setMenu(popup);
  setPopupMode(popup ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
}

void uiToolButton::SetShown(bool shown) {
  if (entry_) {
    entry_->setVisible(shown);
  } else {
    setVisible(shown);
  }
}

bool uiToolButton::IsShown() const { return entry_ ? entry_->isVisible() : !isHidden(); }
