// The main window's menu bar. Its items are laid out once per batch.
#pragma once

#include <QMenuBar>

#include "platform/ui/uiMenuData.h"

class uiMenuBar : public uiWidgetT<QMenuBar>, public uiMenuData {
  UI_OBJECT(uiMenuBar, uiWidget)

 public:
  uiMenuBar(uiWidget* parent, const oxString& name) : uiWidgetT<QMenuBar>(uiImpl(parent)) {
    SetName(name);
  }

  QWidget* MenuWidget() const override { return const_cast<uiMenuBar*>(this); }
};
