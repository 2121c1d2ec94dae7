// Dock windows made by profiles, the dock widgets in them and the actions
// that show and hide those widgets.
//
// A dock window made for one widget (unnamed) shows it in a widget stack;
// a dock window named in a dock path (named) holds its widgets as tabs. A
// widget is on screen while its entry is shown (its profile item is in
// force) and visible (the user's choice through the toggle action).
#pragma once

#include <QPointer>

#include "fwg/actions/Action.h"
#include "platform/signals/oxSignal.h"
#include "platform/ui/uiDockWindow.h"
#include "platform/ui/uiMainWindow.h"

class uiTabWidget;
class uiWidgetStack;

namespace fwg {

class ActionGroup;
class DockWindow;
class ToggleAction;

// One dock widget in a dock window; owned by the dock window.
struct DockEntry {
  DockWindow* dockWindow = nullptr;
  // Made by the widget manager as a child of the dock window; a client may
  // still delete it, which the guard notices.
  QPointer<QWidget> guard;
  uiWidget* widget = nullptr;
  bool shown = false;
  bool visible = true;
  ToggleAction* toggleAction = nullptr;  // owned
  // The name the widget is registered under: lookups go by it, whatever
  // the maker named the widget.
  oxString name;
  // What the dock window, the tab and the toggle action show.
  oxString title;

  // The widget, or null once it has been deleted.
  uiWidget* GetWidget() const { return guard ? widget : nullptr; }
  bool IsOnScreen() const { return shown && visible && GetWidget(); }
};

class DockWindow : public uiDockWindow, public oxListener<single_threaded> {
 public:
  // A child of the main window, moved into `area`, captioned `name`.
  DockWindow(const oxString& name, ui::Dock area, bool named);
  // Tells the widget manager to forget the entries' widgets and deletes
  // the entries; the widgets go with the toolkit window.
  ~DockWindow() override;
  DockWindow(const DockWindow&) = delete;
  DockWindow& operator=(const DockWindow&) = delete;

  bool IsNamed() const;
  // In order of creation; owned.
  const oxStlVector<DockEntry*>& GetEntries() const;
  // Appends an entry for the widget registered under `name`: not shown,
  // visible, no toggle action. A dock window made for one widget takes
  // the title as its caption.
  DockEntry* AddEntry(uiWidget* widget, const oxString& name, const oxString& title);

  // Puts the entry's widget on or off screen (on when shown and visible)
  // and shows the dock window while any of its entries is on screen.
  void SetEntryShown(DockEntry* entry, bool shown);
  // Makes the entry's tab the current one and remembers it; nothing in an
  // unnamed dock window.
  void SelectEntry(DockEntry* entry);

  // Off while something else rearranges the window (a layout being put
  // back), so that its hides are not taken for the user's; on by default.
  void SetHideHandling(bool on);
  // After a saved layout was put back with hide handling off: hidden by
  // it, the window turns its widgets off as if the user had closed it;
  // then it shows exactly what its entries say. Hide handling is on again.
  void TakeRestoredVisibility();

  // Made on first use; null before.
  uiTabWidget* GetTabWidget() const;
  uiWidgetStack* GetWidgetStack() const;

 private:
  void HandleHide(uiHideEvent* event);
  void closeEvent(QCloseEvent* event) override;
  void TurnWidgetsOff();
  void HandleCurrentChange(uiWidget* page);
  void HandleWidgetDeleted(DockEntry* entry);
  void Place(DockEntry* entry);
  void ShowStacked(DockEntry* entry);
  void ShowTabbed(DockEntry* entry);
  int CountOnScreen() const;

  struct Internal;
  Internal* internal_;
};

// The checkable action that shows and hides one dock widget; its text is
// the widget's title.
class ToggleAction : public Action, public oxListener<single_threaded> {
 public:
  ToggleAction(DockEntry* entry, const oxString& accel, bool checked, Profile* profile);
  ~ToggleAction() override;
  ToggleAction(const ToggleAction&) = delete;
  ToggleAction& operator=(const ToggleAction&) = delete;

  DockEntry* GetEntry() const { return entry_; }

 private:
  void HandleToggle(bool on);

  DockEntry* entry_;
};

// Appends the toggle to a "Dock" group unless it is there already; a
// separator opens a group that had nothing.
void JoinDockGroup(ActionGroup* group, ToggleAction* toggle);
// Adds a toggle just made for a dock of `owner` to the dock groups handed
// out by `owner` and the profiles built on it.
void OfferToDockGroups(const Profile* owner, ToggleAction* toggle);

}  // namespace fwg
