#include "platform/ui/uiPopupMenu.h"

uiPopupMenu::uiPopupMenu(uiWidget* parent, const oxString& name)
    : uiWidgetT<QMenu>(uiImpl(parent)) {
  SetName(name);
  connect(this, &QMenu::aboutToShow, this, [this] { SynchroniseBeforeShow(); });
}

void uiPopupMenu::Popup(const uiPoint& point, int index) {
  Synchronise();
  const int at = index >= 0 && index < Count() ? index : -1;
  QAction* item = at >= 0 ? actions().value(at) : nullptr;
  popup(point, item);
}
