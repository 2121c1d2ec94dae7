// A popup menu: a submenu, a top-level menu of the menu bar or a context
// menu. Its items catch up with changes when it is about to show.
#pragma once

#include <QMenu>

#include "platform/ui/uiMenuData.h"

class uiPopupMenu : public uiWidgetT<QMenu>, public uiMenuData {
  UI_OBJECT(uiPopupMenu, uiWidget)

 public:
  uiPopupMenu(uiWidget* parent, const oxString& name);

  QWidget* MenuWidget() const override { return const_cast<uiPopupMenu*>(this); }

  // Shows the menu at the point (global coordinates); with an index, that
  // item is placed under the point.
  void Popup(const uiPoint& point, int index = -1);

 protected:
  void showEvent(QShowEvent* event) override;
};
