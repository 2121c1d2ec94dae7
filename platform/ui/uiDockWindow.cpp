#include "platform/ui/uiDockWindow.h"

#include "platform/ui/uiMainWindow.h"

uiDockWindow::uiDockWindow(uiMainWindow* parent, const oxString& name)
    : uiWidgetT<QDockWidget>(uiImpl(parent)) {
  SetName(name);
}

uiDockWindow::~uiDockWindow() = default;

void uiDockWindow::SetWidget(uiWidget* widget) { setWidget(uiImpl(widget)); }

uiWidget* uiDockWindow::Widget() const { return dynamic_cast<uiWidget*>(widget()); }

uiDockArea uiDockWindow::Area() const {
  auto* window = qobject_cast<QMainWindow*>(parentWidget());
  return window ? window->dockWidgetArea(const_cast<uiDockWindow*>(this)) : Qt::NoDockWidgetArea;
}
