#include <QApplication>
#include <QTest>

#include "fwg/profiles/ShortcutConflicts.h"
#include "fwg/shell/ShortcutsDialog.h"
#include "tests/support/Output.h"
#include "tests/support/ProfileWidgets.h"

namespace {

// Filled from Build(): the conflicts are reported when a switch makes them.
constexpr auto kInBuild = FilledProfile::FillAt::Build;

using ShortcutConflicts = WithGui;

std::string Switch(fwg::Profile* profile) { return StderrOf([profile] { profile->Activate(); }); }

// A client's own key wins over its base's: the key goes to the profile
// nearer the active document, and the base's action stays silent while it
// is shadowed, even while the winner is disabled.
TEST_F(ShortcutConflicts, AKeyHeldTwiceInOneChainGoesToTheNearerProfile) {
  auto* base = new FilledProfile("Base", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("save", "&Save", {}, "Ctrl+S"), "File");
  }, kInBuild);
  auto* sketch = new FilledProfile("Sketch", "Base", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("stroke", "&Stroke", {}, "Ctrl+S"), "Draw");
  }, kInBuild);
  auto* detail = new FilledProfile("Detail", "Sketch", [](fwg::Profile*) {}, kInBuild);
  auto* text = new FilledProfile("Text", "Base", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("bold", "&Bold", {}, "Ctrl+B"), "Format");
  }, kInBuild);
  fwg::ProfileManager* manager = fwg::ProfileManager::Get();
  EXPECT_EQ(Switch(base), "");
  EXPECT_EQ(Switch(sketch),
            "fwg: shortcut Ctrl+S of 'save' (profile Base) is shadowed by 'stroke' (profile "
            "Sketch), whose profile builds on it: the key goes to the latter while both are in "
            "force\n");
  ASSERT_EQ(manager->GetShortcutConflicts().size(), 1u);
  EXPECT_EQ(manager->GetShortcutConflicts()[0].winner, 2);
  EXPECT_EQ(Switch(detail), "") << "a shadowing the switch kept is not news";
  EXPECT_EQ(base->GetAction("save")->GetAccel(), "Ctrl+S") << "the shadowed action keeps its key";

  int saved = 0, stroked = 0;
  base->GetAction("save")->OnActivate().Connect(nullptr, [&saved] { ++saved; });
  sketch->GetAction("stroke")->OnActivate().Connect(nullptr, [&stroked] { ++stroked; });
  uiMainWindow* window = gui_->GetMainWindow();
  window->Show();
  QApplication::setActiveWindow(window);
  EXPECT_EQ(StderrOf([window] { QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier); }), "");
  EXPECT_EQ(stroked, 1);
  EXPECT_EQ(saved, 0);
  sketch->GetAction("stroke")->SetEnabled(false);
  QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(stroked + saved, 1) << "a disabled winner leaves the key silent";
  sketch->GetAction("stroke")->SetEnabled(true);

  auto* dialog = new fwg::ShortcutsDialog;
  EXPECT_EQ(dialog->CountShownRows(), 2);
  EXPECT_EQ(dialog->CountShownConflicts(), 0) << "a shadowed key is no conflict";

  EXPECT_EQ(Switch(text), "");
  EXPECT_TRUE(manager->GetShortcutConflicts().empty());
  QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saved, 1) << "out of the shadow, the base's key works";
  EXPECT_EQ(Switch(sketch), "") << "told once a run";
  QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(stroked, 2);
}

// The check after a switch keeps the holders of each key from the window's
// own action events: a key given between two switches is seen by the next.
TEST_F(ShortcutConflicts, KeysGivenBetweenSwitchesAreCheckedAtTheNext) {
  auto* base = new FilledProfile("Base", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("save", "&Save", {}, "Ctrl+S"), "File");
    p->AddMenu(p->AddAction("print", "&Print"), "Print");
  }, kInBuild);
  auto* text = new FilledProfile("Text", "Base", [](fwg::Profile*) {}, kInBuild);
  EXPECT_EQ(Switch(base), "");
  QAction* print = base->GetAction("print")->GetUiAction();
  print->setShortcut(QKeySequence("Ctrl+S"));
  ExpectContains(Switch(text),
                 {"Ctrl+S is held by 'save' (profile Base) and 'print' (profile Base)"});
  print->setShortcut({});
  EXPECT_EQ(Switch(base), "");
  EXPECT_TRUE(fwg::ProfileManager::Get()->GetShortcutConflicts().empty());

  // Actions without a name are named by their text, or said to have none.
  auto* zoom = new QAction("&Zoom", gui_->GetMainWindow());
  auto* blank = new QAction(gui_->GetMainWindow());
  for (QAction* action : {zoom, blank}) {
    action->setShortcut(QKeySequence("Ctrl+Y"));
    gui_->GetMainWindow()->addAction(action);
  }
  EXPECT_EQ(Switch(text), "fwg: shortcut Ctrl+Y is held by 'Zoom' (no profile) and an action without a name or "
                          "text (no profile); the key triggers neither\n");
}

}  // namespace
