// The main window's menu bar.
#pragma once

#include <QMenuBar>

#include "platform/ui/uiWidget.h"

class uiMenuBar : public uiWidgetT<QMenuBar> {
  UI_OBJECT(uiMenuBar, uiWidget)

 public:
  uiMenuBar(uiWidget* parent, const oxString& name) : uiWidgetT<QMenuBar>(uiImpl(parent)) {
    SetName(name);
  }
};
