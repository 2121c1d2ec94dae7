#include "platform/ui/uiWidget.h"

void uiWidget::SetGeometry(int x, int y, int width, int height) {
  GetWidget()->setGeometry(x, y, width, height);
}

void uiWidget::SetWindowState(unsigned state) {
  GetWidget()->setWindowState(Qt::WindowStates(static_cast<int>(state)));
}

uiWidget* uiWidget::ParentWidget() const {
  return dynamic_cast<uiWidget*>(GetWidget()->parentWidget());
}

QWidget* uiFindFocusTarget(QWidget* area) {
  if (!area || !area->isVisible()) return nullptr;
  if (QWidget* last = area->focusWidget(); last && last->isVisible() && area->isAncestorOf(last)) {
    return last;
  }
  if (area->focusPolicy() & Qt::TabFocus) return area;
  for (QWidget* child : area->findChildren<QWidget*>()) {
    if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus)) {
      return child;
    }
  }
  return nullptr;
}
