// A toolbar of the main window.
#pragma once

#include <QToolBar>

#include "platform/ui/uiWidget.h"

class uiToolButton;

class uiToolBar : public uiWidgetT<QToolBar> {
  UI_OBJECT(uiToolBar, uiWidget)

 public:
  // With a main window as parent the toolbar docks at its top.
  uiToolBar(uiWidget* parent, const oxString& name, bool newLine = false);

  // Appends the button; the toolbar owns it.
  QAction* AddButton(uiToolButton* button) { return InsertButton(button, -1); }
  // Puts the button before the entry at `index` (any entry: buttons,
  // separators); at the end for -1 or past the last entry. Its place among
  // the toolbar's children follows, so walks see the entries in the order
  // shown.
  QAction* InsertButton(uiToolButton* button, int index);
  void AddSeparator() { addSeparator(); }
  // Accepted for callers; separators always draw as lines.
  void SetSeparatorType(int type) { separatorType_ = type; }
  int SeparatorType() const { return separatorType_; }

 private:
  int separatorType_ = 0;
};
