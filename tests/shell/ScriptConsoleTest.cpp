// The script console drives the running application through "app".
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>

#include "fwg/actions/Action.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/ScriptConsole.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/ui/uiMainWindow.h"
#include "tests/support/DocumentClient.h"
#include "tests/support/FilledProfile.h"
#include "tests/support/HangGuard.h"
#include "tests/support/Output.h"
#include "tests/support/WithProjects.h"

namespace {

using Console = WithProjects;

TEST_F(Console, SwitchesProfilesRunsActionsAndReadsTheTree) {
  auto* client = new DocumentClient;  // owned by the client manager
  client->AddProfile(new FilledProfile("Write", "", [](fwg::Profile* p) { p->AddAction("go.Write", "Go"); }));
  Make<fwg::Project>("Work");
  fwg::ScriptConsole console(nullptr, "Console");
  EXPECT_EQ(console.Run("app.activate('Write') && app.activeProfile()"), "Write");
  EXPECT_EQ(fwg::ProfileManager::Get()->GetActiveProfile()->GetName(), "Write");
  EXPECT_EQ(console.Run("app.actions().join()"), "go.Write");
  SetCurrent(Root()->GetChildren().front());
  EXPECT_EQ(console.Run("app.newDocument('Documents') && app.tree()"),
            "fwg::Project Work\n  fwg::ClientObject Untitled 1");
  EXPECT_EQ(console.Run("app.property('Work/Untitled 1', 'Name')"), "Untitled 1");
  EXPECT_EQ(console.Run("var d = app.object('Work/Untitled 1'); d.set('Name', 'Page') && "
                        "[app.object('Work').children()[0].name, app.object('Work/Page').className].join()"),
            "Page,fwg::ClientObject");
  EXPECT_TRUE(Contains(console.Run("app.nothing()"), "TypeError")) << "errors are answers too";

  // Up recalls what was typed, as shells do.
  QLineEdit* input = console.findChild<QLineEdit*>();
  QTest::keyClick(input, Qt::Key_Up);
  EXPECT_EQ(input->text(), "app.nothing()");
  EXPECT_TRUE(Contains(console.GetOutput(), "> app.activate('Write') && app.activeProfile()\nWrite\n"));
}

// Scripts tell the user things without stopping: a status line, and a box
// the script does not wait for.
TEST_F(Console, ScriptsWriteToTheStatusBarAndShowAMessageWithoutWaiting) {
  fwg::ScriptConsole console(nullptr, "Console");
  EXPECT_EQ(console.Run("app.status('3 tasks left')"), "true");
  EXPECT_EQ(Window()->statusBar()->currentMessage(), "3 tasks left");
  EXPECT_EQ(console.Run("app.message('All done') && 'went on'"), "went on");
  QMessageBox* box = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* found = qobject_cast<QMessageBox*>(widget); found && found->text() == "All done") box = found;
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_FALSE(box->isModal());
  box->close();
}

// A line that calls into the application, which runs script slots, shows
// what they report under it, and stays under the line's own limit.
TEST_F(Console, CallsIntoTheApplicationReportUnderTheLineAndKeepItsLimit) {
  auto* client = new DocumentClient;  // owned by the client manager
  fwg::Action* go = nullptr;
  client->AddProfile(new FilledProfile("Loop", "", [&](fwg::Profile* p) { go = p->AddAction("go", "Go"); }));
  ASSERT_TRUE(go);
  go->OnActivate().Connect(oxScriptCallback("fail"));
  fwg::ScriptConsole console(nullptr, "Console");
  console.Run("app.activate('Loop'); function fail() { throw new Error('not now'); }");
  StderrOf([&] { console.Run("app.trigger('go')"); });
  EXPECT_TRUE(Contains(console.GetOutput(), "> app.trigger('go')\n! console:1: Error: not now\ntrue"))
      << console.GetOutput();
  // With the console closed, a failure is told in one bar of the window,
  // which the next failure updates.
  StderrOf([&] { console.Run("fail = function () { throw new Error('nor later'); }; app.trigger('go')"); });
  const auto bars = fwg::InfoBar::GetBars(Window());
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0]->GetText(), "A script failed: console:1: Error: nor later");
  bars[0]->Close();

  oxScriptEngine::Get()->SetTimeLimit(300);
  ReturnsWithin(60, "a loop after a call into the application", [&] {
    bool failed = false;
    StderrOf([&] {
      EXPECT_EQ(console.Run("app.trigger('go'); while (true) {}", &failed),
                "the script ran longer than 300 ms and was stopped");
    });
    EXPECT_TRUE(failed);
  });
  oxScriptEngine::Get()->SetTimeLimit(5000);
}

}  // namespace
