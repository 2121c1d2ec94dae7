// A stack of widgets of which one is shown, addressed by widget or by id.
#pragma once

#include <QStackedWidget>
#include <map>

#include "platform/ui/uiWidget.h"

class uiWidgetStack : public uiWidgetT<QStackedWidget> {
  UI_OBJECT(uiWidgetStack, uiWidget)

 public:
  uiWidgetStack(uiWidget* parent, const oxString& name);

  // Adds the widget under `id`, or under a new id when id is -1; a widget
  // already held keeps its id. Returns the id.
  int AddWidget(uiWidget* widget, int id = -1);
  void RemoveWidget(uiWidget* widget);
  // The widget's id, or -1 for a widget not held.
  int Id(uiWidget* widget) const;
  uiWidget* Widget(int id) const;
  void RaiseWidget(uiWidget* widget);
  uiWidget* VisibleWidget() const { return dynamic_cast<uiWidget*>(currentWidget()); }

 private:
  std::map<QWidget*, int> ids_;
  int nextId_ = 0;
};
