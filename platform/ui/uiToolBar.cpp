#include "platform/ui/uiToolBar.h"

#include <QMainWindow>

#include "platform/ui/uiToolButton.h"

uiToolBar::uiToolBar(uiWidget* parent, const oxString& name, bool newLine)
    : uiWidgetT<QToolBar>(uiImpl(parent)) {
  SetName(name);
  setWindowTitle(uiStr(name));
  if (auto* window = qobject_cast<QMainWindow*>(uiImpl(parent))) {
    if (newLine) window->addToolBarBreak();
    window->addToolBar(this);
  }
}

QAction* uiToolBar::AddButton(uiToolButton* button) {
  QAction* entry = addWidget(button);
  button->SetToolBarEntry(entry);
  return entry;
}
