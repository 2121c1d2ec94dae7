// Runs inside the real host for the demo test: makes a note and a sketch
// through File > New, switches back to the note and prints after each step
// the visible menus, toolbars, docks and two commands' shortcuts. With
// DEMOTEST_SESSION=save:<file> it then edits both, re-tiles the project from
// the project tree's context menu, saves the session and prints the project
// before File > Exit; with
// DEMOTEST_SESSION=open it opens File > Recent Sessions' first entry and
// prints the project.
#include <QDockWidget>
#include <QToolButton>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>
#include <iostream>

#include "fwg/actions/Action.h"
#include "fwg/objects/Project.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "tests/demo/DemoMenus.h"

namespace {

QString Shortcut(const char* profile, const char* action) {
  fwg::Profile* found = fwg::ProfileManager::Get()->GetProfile(profile);
  fwg::Action* command = found ? found->GetAction(action) : nullptr;
  if (!command) return "-";
  const QString keys = command->GetUiAction()->shortcut().toString();
  return keys.isEmpty() ? "none" : keys;
}

void Report(const char* step) {
  QStringList menus;
  for (QAction* menu : fwg::Gui::Get()->GetMainWindow()->menuBar()->actions())
    if (menu->isVisible()) menus << Plain(menu->text());
  std::cout << step << ": menus " << menus.join(' ').toStdString() << " | toolbars "
            << VisibleTitles<QToolBar>() << " | docks " << VisibleTitles<QDockWidget>() << " | wrap "
            << Shortcut("NotesEditor", "wrap").toStdString() << " | line "
            << Shortcut("SketchEditor", "line").toStdString() << "\n";
}

// The session's project as the file keeps it: its layout, and each
// document's class, name and content.
void Describe(const char* step) {
  fwg::Project* project = fwg::SessionCommands::GetSessionProject();
  if (!project) {
    std::cout << step << ": no project\n";
    return;
  }
  std::cout << step << ": " << project->GetName() << " layout "
            << project->GetProperty(oxString("Layout")).GetValue().GetString();
  for (oxt::Object* child : project->GetChildren()) {
    std::cout << " | " << child->ClassName() << " " << child->GetName();
    for (const char* content : {"Text", "Strokes"}) {
      oxt::Property p(content);
      if (child->GetProperty(p)) std::cout << " " << content << "=" << p.GetValue().GetString();
    }
  }
  std::cout << "\n";
}

void SaveAndExit(const oxString& path, fwg::ClientObject* note, fwg::ClientObject* sketch) {
  if (!note || !sketch) return;
  note->GetLayouter()->findChild<QPlainTextEdit*>()->setPlainText("Milk");
  oxt::Property strokes("Strokes", oxString("L #000000 1,2 30,40;"));
  sketch->SetProperty(strokes);
  fwg::Project* project = fwg::SessionCommands::GetSessionProject();
  QWidget* chooser = OpenLayoutChooser(project);  // "2 Horizontal"
  if (auto* button = chooser ? chooser->findChild<QToolButton*>("2 Horizontal") : nullptr) button->click();
  fwg::SessionCommands::SaveAs(project, path);
  Describe("saved");
  if (QAction* exit = FindEntry({"File", "Exit"})) exit->trigger();
}

void OpenRecent() {
  QAction* recent = FindEntry({"File", "Recent Sessions"});
  QList<QAction*> entries = recent && recent->menu() ? recent->menu()->actions() : QList<QAction*>{};
  if (!entries.isEmpty()) entries.front()->trigger();
  Describe("opened");
  fwg::Gui::Get()->Exit();
}

struct Probe : oxListener<> {
  void Run() {
    QTimer::singleShot(0, [] {
      const QString session = qEnvironmentVariable("DEMOTEST_SESSION");
      if (session == "open") return OpenRecent();
      Report("start");
      fwg::ClientObject* note = New("Notes");
      Report("note");
      fwg::ClientObject* sketch = New("Sketch");
      Report("sketch");
      if (note) note->Activate();
      Report("note again");
      if (session.startsWith("save:")) return SaveAndExit(session.mid(5).toStdString(), note, sketch);
      fwg::Gui::Get()->Exit();
    });
  }
};

Probe g_probe;

void LoadProbe(const fwc::PluginDescription&) { fwg::Gui::Get()->OnRun().Connect(&g_probe, &Probe::Run); }

}  // namespace

FWC_PLUGIN(LoadProbe)
