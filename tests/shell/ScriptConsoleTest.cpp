// The script console drives the running application through "app".
#include <QLineEdit>
#include <QTest>

#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/ScriptConsole.h"
#include "tests/support/DocumentClient.h"
#include "tests/support/FilledProfile.h"
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

}  // namespace
