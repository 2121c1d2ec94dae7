#include "fwg/profiles/DockWindow.h"

#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiTabWidget.h"
#include "platform/ui/uiWidgetStack.h"

namespace fwg {

struct DockWindow::Internal {
  bool named = false;
  oxStlVector<DockEntry*> entries;  // owned
  uiTabWidget* tabWidget = nullptr;  // child of the dock window
  uiWidgetStack* widgetStack = nullptr;  // child of the dock window
  int currentTab = 0;
  // Off while the dock window rearranges itself, so that its own hides and
  // tab changes are not taken for the user's.
  bool hideHandling = true;
};

DockWindow::DockWindow(const oxString& name, ui::Dock area, bool named)
    : uiDockWindow(uiManager::Get()->MainWindow(), name), internal_(new Internal) {
  internal_->named = named;
  if (uiMainWindow* window = uiManager::Get()->MainWindow()) window->MoveDockWindow(this, area);
  SetCaption(name);
  OnHide().Connect(this, &DockWindow::HandleHide);
}

DockWindow::~DockWindow() {
  oxaw::WidgetManager* manager = oxaw::WidgetManager::Get();
  for (DockEntry* entry : internal_->entries) {
    if (!entry->name.empty()) manager->ReleaseWidget(entry->name);
    // The widgets die with the toolkit window, after the entries.
    if (entry->guard) QObject::disconnect(entry->guard, nullptr, this, nullptr);
  }
  for (DockEntry* entry : internal_->entries) {
    delete entry->toggleAction;
    delete entry;
  }
  delete internal_;
}

bool DockWindow::IsNamed() const { return internal_->named; }
const oxStlVector<DockEntry*>& DockWindow::GetEntries() const { return internal_->entries; }
uiTabWidget* DockWindow::GetTabWidget() const { return internal_->tabWidget; }
uiWidgetStack* DockWindow::GetWidgetStack() const { return internal_->widgetStack; }

DockEntry* DockWindow::AddEntry(uiWidget* widget, const oxString& name, const oxString& title) {
  auto* entry = new DockEntry;
  entry->dockWindow = this;
  entry->guard = uiImpl(widget);
  entry->widget = widget;
  entry->name = name;
  entry->title = title;
  if (!internal_->named) SetCaption(title);
  // Until it is placed in the stack or the tabs the widget is a bare child
  // of the dock window and must not show over it.
  if (widget) {
    widget->Hide();
    QObject::connect(widget->GetWidget(), &QObject::destroyed, this,
                     [this, entry] { HandleWidgetDeleted(entry); });
  }
  internal_->entries.push_back(entry);
  return entry;
}

void DockWindow::SetEntryShown(DockEntry* entry, bool shown) {
  if (!entry) return;
  entry->shown = shown;
  // A toggle of a dock widget not in force has nothing to show or hide:
  // it leaves the menus that hold it, and its shortcut goes quiet.
  if (entry->toggleAction) entry->toggleAction->SetVisible(shown);
  internal_->hideHandling = false;
  Place(entry);
  internal_->hideHandling = true;
}

void DockWindow::Place(DockEntry* entry) {
  if (internal_->named) {
    ShowTabbed(entry);
  } else {
    ShowStacked(entry);
  }
}

void DockWindow::SetHideHandling(bool on) { internal_->hideHandling = on; }

void DockWindow::TakeRestoredVisibility() {
  if (isHidden()) {
    for (DockEntry* entry : internal_->entries) {
      if (!entry->IsOnScreen()) continue;
      entry->visible = false;
      if (entry->toggleAction) entry->toggleAction->SetChecked(false);
    }
  }
  internal_->hideHandling = false;
  for (DockEntry* entry : internal_->entries) Place(entry);
  if (CountOnScreen() == 0) Hide();
  internal_->hideHandling = true;
}

int DockWindow::CountOnScreen() const {
  int count = 0;
  for (const DockEntry* entry : internal_->entries) {
    if (entry->IsOnScreen()) ++count;
  }
  return count;
}

void DockWindow::ShowStacked(DockEntry* entry) {
  if (!internal_->widgetStack) {
    internal_->widgetStack = new uiWidgetStack(this, {});
    SetWidget(internal_->widgetStack);
  }
  uiWidgetStack* stack = internal_->widgetStack;
  if (uiWidget* widget = entry->GetWidget()) {
    if (entry->IsOnScreen()) {
      if (stack->Id(widget) == -1) stack->AddWidget(widget, -1);
    } else {
      stack->RemoveWidget(widget);
    }
  }
  if (CountOnScreen() == 0) {
    Hide();
  } else {
    stack->Show();
    Show();
  }
}

void DockWindow::ShowTabbed(DockEntry* entry) {
  if (!internal_->tabWidget) {
    internal_->tabWidget = new uiTabWidget(this, Caption(), 0);
    internal_->tabWidget->OnCurrentChange().Connect(this, &DockWindow::HandleCurrentChange);
    SetWidget(internal_->tabWidget);
  }
  uiTabWidget* tabs = internal_->tabWidget;
  if (uiWidget* widget = entry->GetWidget()) {
    if (entry->IsOnScreen()) {
      // Tabs keep the order of the entries that are shown.
      int index = 0;
      for (const DockEntry* other : internal_->entries) {
        if (other == entry) break;
        if (other->shown) ++index;
      }
      tabs->InsertTab(widget, entry->title, index);
    } else {
      tabs->RemovePage(widget);
    }
  }
  const int count = CountOnScreen();
  if (count == 0) {
    Hide();
    return;
  }
  tabs->TabBar()->setVisible(count > 1);
  tabs->Show();
  tabs->SetCurrentPage(internal_->currentTab);
  Show();
}

// A client may delete a dock widget; the entry stays, empty, and the dock
// window goes when nothing else is left on screen.
void DockWindow::HandleWidgetDeleted(DockEntry* entry) {
  entry->widget = nullptr;
  SetEntryShown(entry, entry->shown);
}

void DockWindow::SelectEntry(DockEntry* entry) {
  uiTabWidget* tabs = internal_->tabWidget;
  if (!internal_->named || !tabs || !entry) return;
  const int index = tabs->IndexOf(entry->GetWidget());
  if (index < 0) return;
  internal_->currentTab = index;
  tabs->SetCurrentPage(index);
}

void DockWindow::HandleCurrentChange(uiWidget* page) {
  if (!internal_->hideHandling || !internal_->tabWidget) return;
  internal_->currentTab = internal_->tabWidget->IndexOf(page);
}

// A dock window closed by the user (or hidden by the program) turns its
// widgets off, so that the toggle actions say what is on screen. Hides
// from the window system, such as minimising, change nothing; nor do the
// hides Qt makes while a dock window is dragged to another area or made
// to float, which it follows with a show in the same call: a hide counts
// only if the window is still hidden once control is back in the event
// loop. A close counts at once.
void DockWindow::HandleHide(uiHideEvent* event) {
  if (event->Spontaneous() || !internal_->hideHandling) return;
  QMetaObject::invokeMethod(
      this, [this] {
        if (isHidden() && internal_->hideHandling) TurnWidgetsOff();
      },
      Qt::QueuedConnection);
}

void DockWindow::closeEvent(QCloseEvent* event) {
  uiDockWindow::closeEvent(event);
  if (event->isAccepted() && internal_->hideHandling) TurnWidgetsOff();
}

void DockWindow::TurnWidgetsOff() {
  for (DockEntry* entry : internal_->entries) {
    if (!entry->shown) continue;
    if (internal_->named && internal_->tabWidget) {
      internal_->tabWidget->RemovePage(entry->GetWidget());
    }
    entry->visible = false;
    if (entry->toggleAction) entry->toggleAction->SetChecked(false);
  }
}

ToggleAction::ToggleAction(DockEntry* entry, const oxString& accel, bool checked,
                           Profile* profile)
    : Action({}, profile, false), entry_(entry) {
  SetText(entry ? entry->title : oxString());
  SetCheckable(true);
  SetChecked(checked);
  SetAccel(accel);
  GetUiAction()->OnToggle().Connect(this, &ToggleAction::HandleToggle);
}

ToggleAction::~ToggleAction() = default;

void ToggleAction::HandleToggle(bool on) {
  if (!entry_) return;
  entry_->visible = on;
  DockWindow* window = entry_->dockWindow;
  if (entry_->shown) window->SetEntryShown(entry_, true);
  if (on) window->SelectEntry(entry_);
}

}  // namespace fwg
