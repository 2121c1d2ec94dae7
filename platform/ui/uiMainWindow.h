// The application's main window. Close requests are reported through
// OnClose(); while anybody listens, the window does not close by itself:
// the listener decides how the application ends.
#pragma once

#include <QCloseEvent>
#include <QMainWindow>

#include "platform/ui/uiWidget.h"

class uiMenuBar;
using uiCloseEvent = QCloseEvent;

class uiMainWindow : public uiWidgetT<QMainWindow> {
  UI_OBJECT(uiMainWindow, uiWidget)

 public:
  explicit uiMainWindow(uiWidget* parent = nullptr, const oxString& name = {});

  // Made on first use; owned by the window.
  uiMenuBar* MenuBar();

  void SetCentralWidget(uiWidget* widget);
  uiWidget* CentralWidget() const;

  // Shows the message in a non-blocking error box over the window.
  void Error(const oxString& message);

  oxiSignal1<void, uiCloseEvent*>& OnClose() { return onClose_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  uiMenuBar* menuBar_ = nullptr;
  oxiSignal1<void, uiCloseEvent*> onClose_;
};
