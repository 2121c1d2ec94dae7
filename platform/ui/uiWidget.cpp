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
