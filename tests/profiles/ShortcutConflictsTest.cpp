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

TEST_F(ShortcutConflicts, AreReportedOnceWhenMadeAndDroppedWhenGone) {
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
  EXPECT_TRUE(manager->GetShortcutConflicts().empty());

  EXPECT_EQ(Switch(sketch),
            "fwg: shortcut Ctrl+S is held by 'save' (profile Base) and 'stroke' (profile "
            "Sketch); the key triggers neither\n");
  ASSERT_EQ(manager->GetShortcutConflicts().size(), 1u);
  EXPECT_EQ(manager->GetShortcutConflicts()[0].secondProfile, "Sketch");
  EXPECT_EQ(Switch(detail), "") << "a conflict the switch kept is not news";

  // A key press meets both holders: the press is reported, nothing runs.
  int saved = 0;
  base->GetAction("save")->OnActivate().Connect(nullptr, [&saved] { ++saved; });
  uiMainWindow* window = gui_->GetMainWindow();
  window->Show();
  QApplication::setActiveWindow(window);
  ExpectContains(StderrOf([window] { QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier); }),
                 {"Ctrl+S pressed, but it is held by 'save' (profile Base), 'stroke'"});
  EXPECT_EQ(saved, 0);

  auto* dialog = new fwg::ShortcutsDialog;
  EXPECT_EQ(dialog->CountShownRows(), 2);
  EXPECT_EQ(dialog->CountShownConflicts(), 2);
  dialog->SetFilter("sketch");
  EXPECT_EQ(dialog->CountShownRows(), 1);

  EXPECT_EQ(Switch(text), "");
  EXPECT_TRUE(manager->GetShortcutConflicts().empty());
  EXPECT_EQ(dialog->CountShownConflicts(), 0) << "the dialog follows the switch";
  dialog->SetFilter("");
  EXPECT_EQ(dialog->CountShownRows(), 2) << "Ctrl+S and Ctrl+B";
  QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saved, 1) << "the key works again";

  EXPECT_NE(Switch(sketch), "") << "made again, reported again";
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
}

}  // namespace
