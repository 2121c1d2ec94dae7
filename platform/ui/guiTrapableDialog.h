// Modeless dialogs under one process-wide switch. While the switch is off,
// every open modeless dialog is disabled, so that nothing can be edited in
// them while the application decides whether to end.
#pragma once

#include <QDialog>
#include <QPointer>
#include <vector>

#include "platform/ui/uiWidget.h"

class guiTrapableDialog : public uiWidgetT<QDialog> {
  UI_OBJECT(guiTrapableDialog, uiWidget)

 public:
  class helper {
   public:
    void setModelessDialogs(bool on);
    bool modelessDialogs() const { return on_; }
    // True when the active window is a shown modeless dialog.
    bool isActiveModeless() const;
    // Raises and activates the most recently shown modeless dialog.
    void activateTopModeless();

   private:
    friend class guiTrapableDialog;
    void Shown(guiTrapableDialog* dialog);
    void Forget(guiTrapableDialog* dialog);
    std::vector<QPointer<guiTrapableDialog>> shown_;  // oldest first
    bool on_ = true;
  };
  static helper s_helper;

  guiTrapableDialog(uiWidget* parent, const oxString& name, bool modal);
  ~guiTrapableDialog() override;

 protected:
  void showEvent(QShowEvent* event) override;
};
