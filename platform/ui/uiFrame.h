// A plain framed widget; the default widget that registered names make.
#pragma once

#include <QFrame>

#include "platform/ui/uiWidget.h"

class uiFrame : public uiWidgetT<QFrame> {
  UI_OBJECT(uiFrame, uiWidget)

 public:
  uiFrame(uiWidget* parent, const oxString& name, int flags = 0)
      : uiWidgetT<QFrame>(uiImpl(parent), Qt::WindowFlags(flags)) {
    SetName(name);
  }
};
