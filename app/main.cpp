// The demo host: builds the application object from the command line,
// shows the main window and runs until the application ends. Open projects
// are saved automatically for recovery; after a run that did not end
// cleanly the next start offers the work back.
//   tavrix [-client <name>] [-locale <locale>] [-recover | -norecover]
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

#include "fwg/objects/SessionRecovery.h"
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

}  // namespace

int main(int argc, char** argv) {
  oxapp::CommandLine::Get()->SetArguments(argc, argv);
  oxapp::Application::Get()->SetName("tavrix");
  auto* gui = new fwg::Gui(argc, argv);
  ShowWelcome(gui);
  auto* recovery = new fwg::SessionRecovery;
  // Once the window is up, before "-client" makes its first document.
  oxListenerBase listener;
  gui->OnRun().Connect(&listener, [recovery] { recovery->Offer(); });
  gui->Start();
  gui->Run();
  delete recovery;  // a clean end: the recovery file goes
  delete gui;
  return 0;
}
