// The application's main window. Close requests are reported through
// OnClose(); while anybody listens, the window does not close by itself:
// the listener decides how the application ends.
#pragma once

#include <QCloseEvent>
#include <QList>
#include <QMainWindow>
#include <functional>

#include "platform/ui/uiDockWindow.h"
#include "platform/ui/uiWidget.h"

class uiMenuBar;
using uiCloseEvent = QCloseEvent;

namespace ui {
// Areas of the main window that take dock windows.
enum Dock { Top = 2, Bottom = 3, Right = 4, Left = 5 };
}  // namespace ui

class uiMainWindow : public uiWidgetT<QMainWindow> {
  UI_OBJECT(uiMainWindow, uiWidget)

 public:
  explicit uiMainWindow(uiWidget* parent = nullptr, const oxString& name = {});

  // Made on first use; owned by the window.
  uiMenuBar* MenuBar();

  void SetCentralWidget(uiWidget* widget);
  uiWidget* CentralWidget() const;

  // Puts the dock window into the area, taking it out of any other.
  void MoveDockWindow(uiDockWindow* dock, ui::Dock area);
  uiDockArea TopDock() const { return Qt::TopDockWidgetArea; }
  uiDockArea BottomDock() const { return Qt::BottomDockWidgetArea; }
  uiDockArea RightDock() const { return Qt::RightDockWidgetArea; }
  uiDockArea LeftDock() const { return Qt::LeftDockWidgetArea; }

  // Shows the message in a non-blocking error box over the window, with the
  // keyboard (while another program has it, once this one has it again).
  // The box is titled SetMessageTitle's title, or the window's.
  void Error(const oxString& message);
  // What message boxes over the window are titled: the application, not
  // the document the window shows at the moment. Empty: the window title.
  void SetMessageTitle(const oxString& title) { messageTitle_ = uiStr(title); }

  oxiSignal1<void, uiCloseEvent*>& OnClose() { return onClose_; }

  // Gives the actions of the menu the window offers on its toolbars, menu
  // bar and dock titles, in order; a null entry is a separator. Without a
  // hook the menu is Qt's, with every toolbar and dock window ever made.
  using PopupMenuHook = std::function<QList<QAction*>()>;
  void SetPopupMenuHook(PopupMenuHook hook) { popupMenuHook_ = std::move(hook); }
  // Null when the hook gives nothing: no menu then. The caller deletes the
  // menu; the actions stay their owners'.
  QMenu* createPopupMenu() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  uiMenuBar* menuBar_ = nullptr;
  oxiSignal1<void, uiCloseEvent*> onClose_;
  PopupMenuHook popupMenuHook_;
  QString messageTitle_;
};
