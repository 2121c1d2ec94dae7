#include "platform/ui/uiDockWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "platform/ui/uiMainWindow.h"

uiDockWindow::uiDockWindow(uiMainWindow* parent, const oxString& name)
    : uiWidgetT<QDockWidget>(uiImpl(parent)) {
  SetName(name);
  connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
    if (floating) QTimer::singleShot(0, this, [this] { KeepOnScreen(); });
  });
}

// A floating dock window dropped partly off the screen is moved back, so
// that its title bar stays within reach. Not while it is being dragged.
void uiDockWindow::KeepOnScreen() {
  if (!isFloating() || !isVisible() || QGuiApplication::mouseButtons() != Qt::NoButton) return;
  const QRect frame = frameGeometry();
  QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (!screen) screen = this->screen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  if (available.contains(frame)) return;
  QPoint to = frame.topLeft();
  to.setX(std::clamp(to.x(), available.left(), std::max(available.left(), available.right() - frame.width() + 1)));
  to.setY(std::clamp(to.y(), available.top(), std::max(available.top(), available.bottom() - frame.height() + 1)));
  move(to);
}

void uiDockWindow::moveEvent(QMoveEvent* event) {
  uiWidgetT<QDockWidget>::moveEvent(event);
  if (isFloating()) QTimer::singleShot(0, this, [this] { KeepOnScreen(); });
}

uiDockWindow::~uiDockWindow() = default;

void uiDockWindow::SetWidget(uiWidget* widget) { setWidget(uiImpl(widget)); }

uiWidget* uiDockWindow::Widget() const { return dynamic_cast<uiWidget*>(widget()); }

uiDockArea uiDockWindow::Area() const {
  auto* window = qobject_cast<QMainWindow*>(parentWidget());
  return window ? window->dockWidgetArea(const_cast<uiDockWindow*>(this)) : Qt::NoDockWidgetArea;
}
