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
  shown_ = shown;
  Update();
}

void uiToolButton::SetActionVisible(bool visible) {
  actionVisible_ = visible;
  Update();
}

void uiToolButton::SetUserHidden(bool hidden) {
  userHidden_ = hidden;
  Update();
}

void uiToolButton::SetActionEnabled(bool enabled) {
  actionEnabled_ = enabled;
  Update();
}

void uiToolButton::SetToolBarEntry(QAction* entry) {
  entry_ = entry;
  Update();
}

void uiToolButton::Update() {
  const bool visible = shown_ && actionVisible_ && !userHidden_;
  if (entry_) {
    entry_->setEnabled(actionEnabled_);
    entry_->setVisible(visible);
  } else {
    setVisible(visible);
  }
  setEnabled(actionEnabled_);
}
