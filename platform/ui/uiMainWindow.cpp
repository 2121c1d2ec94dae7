#include "platform/ui/uiMainWindow.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>

#include "platform/ui/uiMenuBar.h"

uiMainWindow::uiMainWindow(uiWidget* parent, const oxString& name)
    : uiWidgetT<QMainWindow>(uiImpl(parent)) {
  SetName(name);
}

uiMenuBar* uiMainWindow::MenuBar() {
  if (!menuBar_) {
    menuBar_ = new uiMenuBar(this, "MenuBar");
    setMenuBar(menuBar_);
  }
  return menuBar_;
}

void uiMainWindow::SetCentralWidget(uiWidget* widget) {
  // QMainWindow deletes a replaced central widget; keep it alive instead,
  // since callers own what they hand in.
  if (QWidget* old = centralWidget(); old && old != uiImpl(widget)) {
    takeCentralWidget();
    old->setParent(this);
    old->hide();
  }
  setCentralWidget(uiImpl(widget));
}

uiWidget* uiMainWindow::CentralWidget() const {
  return dynamic_cast<uiWidget*>(centralWidget());
}

void uiMainWindow::MoveDockWindow(uiDockWindow* dock, ui::Dock area) {
  if (!dock) return;
  Qt::DockWidgetArea where = Qt::LeftDockWidgetArea;
  switch (area) {
    case ui::Top: where = Qt::TopDockWidgetArea; break;
    case ui::Bottom: where = Qt::BottomDockWidgetArea; break;
    case ui::Right: where = Qt::RightDockWidgetArea; break;
    case ui::Left: break;
  }
  addDockWidget(where, dock);
}

void uiMainWindow::Error(const oxString& message) {
  auto* box = new QMessageBox(QMessageBox::Critical, messageTitle_.isEmpty() ? windowTitle() : messageTitle_,
                              uiStr(message), QMessageBox::Ok, this);
  box->setObjectName("ErrorBox");
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->show();
  // With the keyboard, so that Return or Escape answers it: shown while the
  // window itself is being put up, the box would lose it to the window.
  // While another program has the keyboard, once this one has it again.
  if (QGuiApplication::applicationState() == Qt::ApplicationActive) {
    box->activateWindow();
    return;
  }
  auto* watch = new QObject(box);  // goes with the box, or once the box has the keyboard
  connect(qApp, &QGuiApplication::applicationStateChanged, watch, [box, watch](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) return;
    box->activateWindow();
    watch->deleteLater();
  });
}

void uiMainWindow::closeEvent(QCloseEvent* event) {
  if (!onClose_.GetConnectionCount()) {
    QMainWindow::closeEvent(event);
    return;
  }
  event->ignore();
  onClose_.Emit(event);
}

QMenu* uiMainWindow::createPopupMenu() {
  if (!popupMenuHook_) return QMainWindow::createPopupMenu();
  const QList<QAction*> actions = popupMenuHook_();
  if (actions.isEmpty()) return nullptr;
  auto* menu = new QMenu(this);
  for (QAction* action : actions) {
    if (action) {
      menu->addAction(action);
    } else {
      menu->addSeparator();
    }
  }
  return menu;
}
