// A frame filled by one ordinary Qt widget: how a plain QWidget takes a
// place that wants a uiWidget (a document's view, a dock widget).
#pragma once

#include <QFrame>
#include <QPointer>
#include <QVBoxLayout>

#include "platform/ui/uiWidget.h"

class uiWidgetFrame : public uiWidgetT<QFrame> {
  UI_OBJECT(uiWidgetFrame, uiWidget)

 public:
  // Takes `widget` in as its child: the widget goes with the frame. The
  // frame shows the widget's window title and passes the focus on to it.
  uiWidgetFrame(QWidget* parent, const oxString& name, QWidget* widget)
      : uiWidgetT<QFrame>(parent), widget_(widget) {
    SetName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(widget);
    setWindowTitle(widget->windowTitle());
    setFocusProxy(widget);
  }

  // Null once its owner deleted it.
  QWidget* GetHeldWidget() const { return widget_; }

 private:
  QPointer<QWidget> widget_;
};
