// A button of a toolbar. Clicks go out through OnClick(); which action a
// click triggers is decided by whoever connects to it.
#pragma once

#include <QPointer>
#include <QToolButton>

#include "platform/ui/uiIconSet.h"
#include "platform/ui/uiWidget.h"

class uiPopupMenu;

class uiToolButton : public uiWidgetT<QToolButton> {
  UI_OBJECT(uiToolButton, uiWidget)

 public:
  uiToolButton(uiWidget* parent, const oxString& name);

  void SetIconSet(const uiIconSet& icon) { setIcon(icon.GetIcon()); }
  void SetTextLabel(const oxString& label);
  oxString TextLabel() const { return oxStr(text()); }
  // The drop-down menu of the button, or null.
  uiPopupMenu* Popup() const;
  void SetPopup(uiPopupMenu* popup);

  // Shows or hides the button in its toolbar (the toolbar lays out by its
  // own entry for the button, not by the widget).
  void SetShown(bool shown);
  bool IsShown() const;
  void SetToolBarEntry(QAction* entry) { entry_ = entry; }
  QAction* ToolBarEntry() const { return entry_; }

  oxiSignal0<void>& OnClick() { return onClick_; }

 private:
  oxiSignal0<void> onClick_;
  QPointer<QAction> entry_;
};
