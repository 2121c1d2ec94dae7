#include "fwg/shell/CentralWidget.h"

#include "fwg/shell/Gui.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiWidgetStack.h"

namespace fwg {

struct CentralWidget::Internal {
  uiWidgetStack* stack = nullptr;
};

CentralWidget::CentralWidget() : internal_(new Internal) {
  uiMainWindow* window = Gui::Instance()->GetMainWindow();
  internal_->stack = new uiWidgetStack(window, "CentralWidget");
  ShowWidget(internal_->stack);
}

CentralWidget::~CentralWidget() {
  delete internal_->stack;
  delete internal_;
}

void CentralWidget::ActivateObject(oxt::Object*) {}

void CentralWidget::ShowWidget(uiWidget* widget) {
  uiMainWindow* window = Gui::Instance()->GetMainWindow();
  uiWidget* current = window->CentralWidget();
  if (current == widget) return;
  if (current) current->Hide();
  window->SetCentralWidget(widget);
  widget->Show();
}

}  // namespace fwg
