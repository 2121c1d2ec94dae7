#include "platform/ui/uiWidgetStack.h"

uiWidgetStack::uiWidgetStack(uiWidget* parent, const oxString& name)
    : uiWidgetT<QStackedWidget>(uiImpl(parent)) {
  SetName(name);
  // A page deleted by its owner leaves the stack by itself; forget its id.
  connect(this, &QStackedWidget::widgetRemoved, this, [this](int) {
    for (auto it = ids_.begin(); it != ids_.end();) {
      it = indexOf(it->first) < 0 ? ids_.erase(it) : std::next(it);
    }
  });
}

int uiWidgetStack::AddWidget(uiWidget* widget, int id) {
  if (!widget) return -1;
  QWidget* w = widget->GetWidget();
  if (const int known = Id(widget); known >= 0) return known;
  if (id < 0) id = nextId_;
  nextId_ = std::max(nextId_, id + 1);
  addWidget(w);
  ids_[w] = id;
  return id;
}

void uiWidgetStack::RemoveWidget(uiWidget* widget) {
  if (!widget || Id(widget) < 0) return;
  removeWidget(widget->GetWidget());
  ids_.erase(widget->GetWidget());
}

int uiWidgetStack::Id(uiWidget* widget) const {
  if (!widget) return -1;
  const auto it = ids_.find(widget->GetWidget());
  return it == ids_.end() || indexOf(it->first) < 0 ? -1 : it->second;
}

uiWidget* uiWidgetStack::Widget(int id) const {
  for (const auto& [w, known] : ids_) {
    if (known == id && indexOf(w) >= 0) return dynamic_cast<uiWidget*>(w);
  }
  return nullptr;
}

void uiWidgetStack::RaiseWidget(uiWidget* widget) {
  if (Id(widget) >= 0) setCurrentWidget(widget->GetWidget());
}
