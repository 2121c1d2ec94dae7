#include "platform/ui/uiPopupMenu.h"

uiPopupMenu::uiPopupMenu(uiWidget* parent, const oxString& name)
    : uiWidgetT<QMenu>(uiImpl(parent)) {
  SetName(name);
  // First connection of aboutToShow: the client's handlers run after it,
  // while the menu counts as opening.
  connect(this, &QMenu::aboutToShow, this, [this] { BeginOpening(); });
  connect(this, &QMenu::aboutToHide, this, [this] { EndOpening(); });
}

void uiPopupMenu::showEvent(QShowEvent* event) {
  uiWidgetT<QMenu>::showEvent(event);
  EndOpening();
}

void uiPopupMenu::Popup(const uiPoint& point, int index) {
  Synchronise();
  const int at = index >= 0 && index < Count() ? index : -1;
  QAction* item = at >= 0 ? actions().value(at) : nullptr;
  popup(point, item);
}
