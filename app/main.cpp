// The demo host: builds the application object from the command line,
// shows the main window and runs until the application ends.
//   tavrix [-client <name>] [-locale <locale>]
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/profiles/WindowLayout.h"
#include "fwg/shell/CentralWidget.h"
#include "fwg/shell/Gui.h"
#include "platform/oxapp/Application.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiMainWindow.h"

namespace {

oxString tr(const oxString& text) {
  return oxapp::Application::Get()->TranslateMessage("tavrix", text);
}

// The page shown until a client opens a document.
void ShowWelcome(fwg::Gui* gui) {
  auto* page = new uiFrame(gui->GetMainWindow(), "Welcome");
  auto* layout = new QVBoxLayout(page);
  auto* title = new QLabel(uiStr(tr("Welcome to Tavrix")), page);
  QFont font = title->font();
  font.setPointSize(font.pointSize() * 2);
  title->setFont(font);
  layout->addStretch();
  layout->addWidget(title, 0, Qt::AlignCenter);
  layout->addWidget(new QLabel(uiStr(tr("Clients put their menus, toolbars and documents here.")),
                               page),
                    0, Qt::AlignCenter);
  layout->addStretch();
  gui->GetCentralWidget()->ShowWidget(page);
  gui->GetMainWindow()->statusBar()->showMessage(uiStr(tr("Ready")));
}

// Each profile keeps its own window layout: saved when it is left and at
// exit, put back when it is entered. The exit save comes before the
// application quits, since quitting closes floating dock windows.
void KeepLayoutsPerProfile(fwg::Gui* gui) {
  fwg::ProfileManager* profiles = gui->GetProfileManager();
  profiles->OnActiveProfileChanged().Connect(
      nullptr, [](fwg::Profile* left, fwg::Profile* entered) {
        if (left) fwg::WindowLayout::Save(left);
        if (entered) fwg::WindowLayout::Restore(entered);
      });
  gui->OnExit().Connect(nullptr, [gui, profiles] {
    if (fwg::Profile* active = profiles->GetActiveProfile()) fwg::WindowLayout::Save(active);
    gui->Exit();
  });
}

}  // namespace

int main(int argc, char** argv) {
  oxapp::CommandLine::Get()->SetArguments(argc, argv);
  oxapp::Application::Get()->SetName("tavrix");
  auto* gui = new fwg::Gui(argc, argv);
  ShowWelcome(gui);
  KeepLayoutsPerProfile(gui);
  gui->Start();
  gui->Run();
  delete gui;
  return 0;
}
