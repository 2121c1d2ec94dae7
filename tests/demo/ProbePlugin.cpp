// Runs inside the real host for the demo test: once the window is up, makes
// a note and a sketch through File > New, switches back to the note, prints
// after each step what the window shows (visible menus, toolbars, docks and
// the shortcuts of a notes and a sketch command) and ends the application.
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <iostream>

#include "fwg/actions/Action.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"

namespace {

QString Plain(QString text) { return text.left(text.indexOf('\t')).remove('&'); }

template <class W>
QStringList Visible(QWidget* window) {
  QStringList names;
  for (W* widget : window->findChildren<W*>()) {
    if (widget->isVisible()) names << widget->windowTitle();
  }
  names.sort();
  return names;
}

QString Shortcut(const char* profile, const char* action) {
  fwg::Profile* found = fwg::ProfileManager::Get()->GetProfile(profile);
  fwg::Action* command = found ? found->GetAction(action) : nullptr;
  if (!command) return "-";
  const QString keys = command->GetUiAction()->shortcut().toString();
  return keys.isEmpty() ? "none" : keys;
}

void Report(const char* step) {
  QWidget* window = fwg::Gui::Get()->GetMainWindow();
  QStringList menus;
  for (QAction* menu : window->findChild<QMenuBar*>()->actions()) {
    if (menu->isVisible()) menus << Plain(menu->text());
  }
  std::cout << step << ": menus " << menus.join(' ').toStdString() << " | toolbars "
            << Visible<QToolBar>(window).join(' ').toStdString() << " | docks "
            << Visible<QDockWidget>(window).join(' ').toStdString() << " | save "
            << Shortcut("NotesEditor", "save").toStdString() << " | line "
            << Shortcut("SketchEditor", "line").toStdString() << "\n";
}

// File > New > `client`, as the user chooses it.
fwg::ClientObject* New(const char* client) {
  for (QAction* menu : fwg::Gui::Get()->GetMainWindow()->findChild<QMenuBar*>()->actions()) {
    if (Plain(menu->text()) != "File") continue;
    emit menu->menu()->aboutToShow();
    for (QAction* entry : menu->menu()->actions()) {
      if (!entry->menu() || Plain(entry->text()) != "New") continue;
      emit entry->menu()->aboutToShow();
      for (QAction* choice : entry->menu()->actions()) {
        if (Plain(choice->text()) == client) choice->trigger();
      }
    }
  }
  return fwg::ClientManager::Get()->GetActiveClientObject();
}

struct Probe : oxListener<> {
  void Run() {
    QTimer::singleShot(0, [] {
      Report("start");
      fwg::ClientObject* note = New("Notes");
      Report("note");
      New("Sketch");
      Report("sketch");
      if (note) note->Activate();
      Report("note again");
      fwg::Gui::Get()->Exit();
    });
  }
};

Probe g_probe;

void LoadProbe(const fwc::PluginDescription&) {
  fwg::Gui::Get()->OnRun().Connect(&g_probe, &Probe::Run);
}

}  // namespace

FWC_PLUGIN(LoadProbe)
