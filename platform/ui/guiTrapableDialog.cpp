#include "platform/ui/guiTrapableDialog.h"

#include <QApplication>
#include <algorithm>

guiTrapableDialog::helper guiTrapableDialog::s_helper;

void guiTrapableDialog::helper::setModelessDialogs(bool on) {
  on_ = on;
  for (const auto& dialog : shown_) {
    if (dialog) dialog->setEnabled(on);
  }
}

bool guiTrapableDialog::helper::isActiveModeless() const {
  QWidget* active = QApplication::activeWindow();
  return active && std::any_of(shown_.begin(), shown_.end(), [active](const auto& d) {
           return d && d == active && d->isVisible();
         });
}

void guiTrapableDialog::helper::activateTopModeless() {
  for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
    if (*it && (*it)->isVisible()) {
      (*it)->raise();
      (*it)->activateWindow();
      return;
    }
  }
}

void guiTrapableDialog::helper::Shown(guiTrapableDialog* dialog) {
  Forget(dialog);
  shown_.emplace_back(dialog);
  dialog->setEnabled(on_);
}

void guiTrapableDialog::helper::Forget(guiTrapableDialog* dialog) {
  shown_.erase(std::remove_if(shown_.begin(), shown_.end(),
                              [dialog](const auto& d) { return !d || d == dialog; }),
               shown_.end());
}

guiTrapableDialog::guiTrapableDialog(uiWidget* parent, const oxString& name, bool modal)
    : uiWidgetT<QDialog>(uiImpl(parent)) {
  SetName(name);
  setModal(modal);
}

guiTrapableDialog::~guiTrapableDialog() { s_helper.Forget(this); }

void guiTrapableDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!isModal()) s_helper.Shown(this);
}
