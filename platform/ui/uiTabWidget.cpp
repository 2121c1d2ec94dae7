#include "platform/ui/uiTabWidget.h"

uiTabWidget::uiTabWidget(uiWidget* parent, const oxString& name, int flags)
    : uiWidgetT<QTabWidget>(uiImpl(parent)) {
  if (flags) setWindowFlags(Qt::WindowFlags(flags));
  SetName(name);
  connect(this, &QTabWidget::currentChanged, this,
          [this](int index) { onCurrentChange_.Emit(Page(index)); });
}

int uiTabWidget::InsertTab(uiWidget* widget, const oxString& label, int index) {
  if (!widget) return -1;
  if (const int known = IndexOf(widget); known >= 0) return known;
  return insertTab(index, widget->GetWidget(), uiStr(label));
}

void uiTabWidget::RemovePage(uiWidget* widget) {
  const int index = IndexOf(widget);
  if (index < 0) return;
  removeTab(index);
  widget->Hide();
}

int uiTabWidget::IndexOf(uiWidget* widget) const {
  return widget ? indexOf(widget->GetWidget()) : -1;
}
