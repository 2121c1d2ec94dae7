// A window docked at an edge of the main window, holding one widget.
#pragma once

#include <QDockWidget>

#include "platform/ui/uiWidget.h"

class uiMainWindow;

// Where a dock window sits; compare with the main window's TopDock() and
// the like.
using uiDockArea = Qt::DockWidgetArea;

class uiDockWindow : public uiWidgetT<QDockWidget> {
  UI_OBJECT(uiDockWindow, uiWidget)

 public:
  // A child of the main window, not yet placed in any area.
  uiDockWindow(uiMainWindow* parent, const oxString& name);
  ~uiDockWindow() override;

  // The widget becomes the dock window's child; a previous one stays a
  // child but is no longer shown.
  void SetWidget(uiWidget* widget);
  uiWidget* Widget() const;

  // The area of the main window the dock window is in; NoDockWidgetArea
  // while it belongs to no main window.
  uiDockArea Area() const;

 protected:
  void moveEvent(QMoveEvent* event) override;

 private:
  void KeepOnScreen();
};
