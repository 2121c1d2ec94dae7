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

  // Shows or hides the button's entry in its toolbar (the toolbar lays out
  // by its own entry for the button, not by the widget). The button is on
  // screen while the entry is shown and the action it stands for is
  // visible; each side keeps its own flag, so a change of the action never
  // brings back an entry that a profile took away.
  void SetShown(bool shown);
  bool IsShown() const { return shown_; }
  void SetActionVisible(bool visible);
  // A third side: the user took the button off the toolbar (customizing
  // it), whatever the profile and the action say.
  void SetUserHidden(bool hidden);
  bool IsUserHidden() const { return userHidden_; }
  // Enabled state of the action shown, kept on the toolbar entry as well:
  // Qt enables a widget again from its entry when the entry is shown.
  void SetActionEnabled(bool enabled);
  void SetToolBarEntry(QAction* entry);
  QAction* ToolBarEntry() const { return entry_; }

  // The action whose state the button shows; a shared button shows the
  // action in force, and only that action's changes reach it.
  void SetActionInForce(QObject* action) { inForce_ = action; }
  QObject* ActionInForce() const { return inForce_; }

  oxiSignal0<void>& OnClick() { return onClick_; }

 private:
  void Update();

  oxiSignal0<void> onClick_;
  QPointer<QAction> entry_;
  QPointer<QObject> inForce_;
  bool shown_ = true;
  bool actionVisible_ = true;
  bool userHidden_ = false;
  bool actionEnabled_ = true;
};
