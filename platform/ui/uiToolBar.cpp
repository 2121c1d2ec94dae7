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

QAction* uiToolBar::InsertButton(uiToolButton* button, int index) {
  // As the toolkit's own toolbar buttons: never the keyboard's, so keys
  // typed where the focus was (Space in the project tree) cannot press
  // one, and the window's first focus goes to its content.
  button->setFocusPolicy(Qt::NoFocus);
  const QList<QAction*> entries = actions();
  QAction* before = index >= 0 && index < entries.size() ? entries[index] : nullptr;
  QAction* entry = before ? insertWidget(before, button) : addWidget(button);
  // Walks read the children in order: the button goes before the first
  // button it now stands before.
  for (int i = index; before && i < entries.size(); ++i) {
    if (QWidget* next = widgetForAction(entries[i]); next && next->parentWidget() == this) {
      button->stackUnder(next);
      break;
    }
  }
  button->SetToolBarEntry(entry);
  return entry;
}
