#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/shell/CommandPalette.h"
#include "fwg/shell/HostCommands.h"
#include "platform/ui/uiPopupMenu.h"
#include "tests/support/FilledProfile.h"
#include "tests/support/TestBasics.h"
#include "tests/support/WithGui.h"

namespace {

// A top-level menu titled by a hidden action, as clients make them.
void AddMenuBarMenu(fwg::Profile* p, const oxString& title) {
  fwg::Action* action = p->AddAction(title, "&" + title);
  p->AddMenu(action, title);
  action->SetVisible(false);
}

class CommandPaletteTest : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    window_ = gui_->GetMainWindow();
    window_->Show();
    QApplication::setActiveWindow(window_);
    palette_ = fwg::CommandPalette::Install();
  }

  void Open() { QTest::keyClick(window_, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier); }
  void Type(const char* text) { QTest::keyClicks(palette_->findChild<QLineEdit*>(), text); }
  void Press(Qt::Key key) { QTest::keyClick(palette_->findChild<QLineEdit*>(), key); }

  // "place: text [shortcut]" of each listed command.
  Strings Listed() const {
    Strings rows;
    for (const fwg::PaletteCommand& c : palette_->GetListedCommands()) {
      std::string row = (c.place + ": " + c.text).toStdString();
      if (!c.shortcut.isEmpty()) row += " [" + c.shortcut.toStdString() + "]";
      rows.push_back(row);
    }
    return rows;
  }
  // Types `query` into a newly opened palette and says what it lists first.
  std::string FirstFor(const char* query) {
    Open();
    Type(query);
    const auto listed = palette_->GetListedCommands();
    return listed.empty() ? "" : listed[0].text.toStdString();
  }

  uiMainWindow* window_ = nullptr;
  fwg::CommandPalette* palette_ = nullptr;
};

TEST_F(CommandPaletteTest, ListsExactlyWhatTheActiveChainOffers) {
  auto* base = new FilledProfile("Base", "", [](fwg::Profile* p) {
    AddMenuBarMenu(p, "File");
    p->AddMenu(p->AddAction("open", "&Open...", {}, "Ctrl+O"), "File/File");
    fwg::ActionGroup* recent = p->AddActionGroup("recent", "Recent &Sessions", true);
    recent->AddAction(p->AddAction("clear", "&Clear"));
    p->AddMenu(recent, "File/Open...");
    p->AddMenu(p->AddAction("print", "&Print"), "File/Open...");
    p->GetAction("print")->SetEnabled(false);
    p->AddMenu(p->AddAction("secret", "Secret"), "File/Open...");
    p->GetAction("secret")->SetVisible(false);
  });
  auto* draw = new FilledProfile("Draw", "Base", [](fwg::Profile* p) {
    AddMenuBarMenu(p, "Edit");
    fwg::Action* undo = p->AddAction("undo", "&Undo", {}, "Ctrl+Z");
    p->AddMenu(undo, "Edit/Edit");
    p->AddToolBar(undo, "Drawing");
    p->AddToolBar(p->AddAction("zoomin", "Zoom &In"), "Drawing/Undo");
    p->AddContextMenu(p->AddAction("fill", "Fill"), "Canvas");
  });
  auto* text = new FilledProfile("Text", "Base", [](fwg::Profile* p) {
    p->RemoveMenu("File/Open...");
    AddMenuBarMenu(p, "View");
    p->AddMenu(p->AddAction("wrap", "Word &Wrap"), "View/View");
    p->GetAction("wrap")->SetCheckable(true);
  });

  draw->Activate();
  Open();
  ASSERT_TRUE(palette_->IsOpen());
  EXPECT_EQ(Listed(), (Strings{"File: Open... [Ctrl+O]", "File › Recent Sessions: Clear",
                               "Edit: Undo [Ctrl+Z]", "Toolbar › Drawing: Zoom In",
                               "Context menu › Canvas: Fill"}));

  text->Activate();
  EXPECT_FALSE(palette_->IsOpen()) << "a switch closes the palette";
  Open();
  EXPECT_EQ(Listed(), (Strings{"File › Recent Sessions: Clear", "View: Word Wrap"}));
  EXPECT_TRUE(palette_->GetListedCommands()[1].checkable);
  Press(Qt::Key_Escape);
  EXPECT_FALSE(palette_->IsOpen());

  base->Activate();
  Open();
  EXPECT_EQ(Listed(), (Strings{"File: Open... [Ctrl+O]", "File › Recent Sessions: Clear"}));
}

// The application's own commands are listed where no menu offers them:
// a menu's Save All, even greyed, is the command, not a second one beside it.
TEST_F(CommandPaletteTest, ListsTheApplicationsCommandsTheMenusDoNotOffer) {
  fwg::HostCommands::Install();
  auto* files = new FilledProfile("Files", "", [](fwg::Profile* p) {
    AddMenuBarMenu(p, "File");
    p->AddMenu(p->AddAction("saveAll", "Save A&ll"), "File/File");
    p->AddMenu(p->AddAction("saveAs", "Save &As\u2026"), "File/Save All");
    p->GetAction("saveAs")->SetEnabled(false);
  });
  files->Activate();
  Open();
  Strings saves;
  for (const std::string& row : Listed()) {
    if (row.find(": Save") != std::string::npos) saves.push_back(row);
  }
  EXPECT_EQ(saves, (Strings{"File: Save All", "Application: Save [Ctrl+S]", "Application: Save Session [Ctrl+Alt+S]",
                            "Application: Save Session As\u2026 [Ctrl+Alt+Shift+S]"}));
}

TEST_F(CommandPaletteTest, RanksLettersInOrderByRunsAndWordStarts) {
  const char* const file[] = {"Save", "Save As...", "Open Recent", "Export PDF", "Close All"};
  const char* const view[] = {"Select All", "Copy",     "Paste Special",       "Zoom In",
                              "Zoom Out",   "Toggle Word Wrap", "Show Command Palette"};
  auto* p = new FilledProfile("Main", "", [&](fwg::Profile* p) {
    AddMenuBarMenu(p, "File");
    AddMenuBarMenu(p, "View");
    // A last component not there yet appends inside the menu.
    for (const char* name : file) p->AddMenu(p->AddAction(name, name), oxString("File/") + name);
    for (const char* name : view) p->AddMenu(p->AddAction(name, name), oxString("View/") + name);
  });
  p->Activate();

  const struct { const char *query, *first; } table[] = {
      {"sa", "Save"},               // a run edges out initials (Select All)
      {"sav", "Save"},              // a tie goes to the shorter text
      {"ca", "Close All"},
      {"cp", "Show Command Palette"},  // initials beat scattered letters (Copy)
      {"zout", "Zoom Out"},
      {"ww", "Toggle Word Wrap"},
      {"pdf", "Export PDF"},
      {"view zi", "Zoom In"},       // letters found only with the place
      {"xyz", ""},
  };
  for (const auto& row : table) {
    EXPECT_EQ(FirstFor(row.query), row.first) << row.query;
    // Nothing listed is said in words.
    EXPECT_EQ(palette_->findChild<QLabel*>()->isVisible(), !*row.first) << row.query;
    Press(Qt::Key_Escape);
  }

  // Run "Save As..." once: it now wins its tie with "Save".
  ASSERT_EQ(FirstFor("saveas"), "Save As...");
  Press(Qt::Key_Return);
  EXPECT_EQ(FirstFor("sav"), "Save As...");
}

TEST_F(CommandPaletteTest, EnterDoesWhatAMenuClickDoes) {
  std::vector<std::string> log;
  auto* p = new FilledProfile("Main", "", [&log](fwg::Profile* p) {
    AddMenuBarMenu(p, "Tools");
    for (const char* name : {"Measure", "Snap"}) {
      fwg::Action* action = p->AddAction(name, name);
      p->AddMenu(action, oxString("Tools/") + name);
      action->OnActionActivate().Connect(p, [&log](const fwg::Action& a) {
        log.push_back("ActionActivate " + a.GetName());
      });
      action->OnActivate().Connect(p, [&log] { log.push_back("Activate"); });
      action->OnActionToggle().Connect(p, [&log](const fwg::Action& a, bool on) {
        log.push_back("ActionToggle " + a.GetName() + (on ? " on" : " off"));
      });
      action->OnToggle().Connect(p, [&log](bool on) { log.push_back(on ? "Toggle on" : "Toggle off"); });
    }
    p->GetAction("Snap")->SetCheckable(true);
  });
  p->Activate();

  // Clicks on the two items of the open menu.
  QMenu* menu = p->GetMenu("Tools");
  menu->popup(QPoint(10, 10));
  for (QAction* item : menu->actions()) {
    if (item->isVisible()) QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    if (!menu->isVisible()) menu->popup(QPoint(10, 10));
  }
  menu->hide();
  const std::vector<std::string> clicked = log;
  ASSERT_EQ(clicked, (std::vector<std::string>{"ActionActivate Measure", "Activate",
                                               "ActionToggle Snap on", "Toggle on"}));

  // The same two from the palette: Enter on the first; then, with the one
  // just run listed first, Down and Enter on the second.
  p->GetAction("Snap")->SetChecked(false);
  log.clear();
  Open();
  Press(Qt::Key_Return);
  EXPECT_FALSE(palette_->IsOpen());
  Open();
  Press(Qt::Key_Down);
  Press(Qt::Key_Return);
  EXPECT_EQ(log, clicked);

  // The key comes from the settings and can be changed there.
  EXPECT_EQ(palette_->GetShortcut(), "Ctrl+Shift+P");
  EXPECT_EQ(CountLines(StderrOf([&] { EXPECT_FALSE(palette_->SetShortcut("Ctrl+Nonsense")); })), 1);
  ASSERT_TRUE(palette_->SetShortcut("Ctrl+K"));
  QTest::keyClick(window_, Qt::Key_K, Qt::ControlModifier);
  EXPECT_TRUE(palette_->IsOpen());
  palette_->SetShortcut("Ctrl+Shift+P");
}

}  // namespace
