// The user's own keys and toolbars: recorded in the shortcuts dialog with
// live conflicts, kept in the settings across a restart of the window,
// carried to replacements, moved in scheme files; toolbars arranged, kept
// and reset while switching goes on.
#include <QKeySequenceEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <sys/stat.h>

#include "fwg/profiles/UserShortcuts.h"
#include "fwg/profiles/UserToolBars.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/ShortcutsDialog.h"
#include "fwg/shell/ToolBarsDialog.h"
#include "platform/fwc/Director.h"
#include "platform/settings/oxSettings.h"
#include "tests/support/Output.h"
#include "tests/support/ProfileWidgets.h"
#include "tests/support/ReadOnlyFolder.h"

namespace {

using fwg::UserShortcuts;

// Every test leaves the process-wide settings without user keys.
class UserKeys : public WithGui {
 protected:
  void TearDown() override {
    UserShortcuts::ResetAll();
    WithGui::TearDown();
  }
  // Base: File/Save (Ctrl+S); Sketch on Base; Text on Base; Other alone.
  void MakeProfiles() {
    base_ = new FilledProfile("Base", "", [](fwg::Profile* p) {
      p->AddMenu(p->AddAction("save", "&Save", {}, "Ctrl+S"), "File");
    });
    sketch_ = new FilledProfile("Sketch", "Base", [](fwg::Profile* p) {
      p->AddMenu(p->AddAction("stroke", "&Stroke", {}, "Ctrl+T"), "Draw");
      // A hidden title of a menu and a placeholder: no commands to bind.
      p->AddMenu(p->AddAction("tools", "&Tools"), "Tools");
      p->GetAction("tools")->SetVisible(false);
      p->AddAction("slot", "")->SetVisible(false);
    });
    new FilledProfile("Text", "Base", [](fwg::Profile* p) {
      p->AddMenu(p->AddAction("bold", "&Bold", {}, "Ctrl+B"), "Format");
    });
    new FilledProfile("Other", "", [](fwg::Profile* p) {
      p->AddMenu(p->AddAction("other", "&Other", {}, "Ctrl+B"), "Other");
    });
  }
  fwg::Profile* base_ = nullptr;
  fwg::Profile* sketch_ = nullptr;
};

void Record(QKeySequenceEdit* edit, std::initializer_list<QKeyCombination> strokes) {
  edit->clear();
  for (const QKeyCombination& stroke : strokes) QTest::keyClick(edit, stroke.key(), stroke.keyboardModifiers());
}

TEST_F(UserKeys, RecordingNamesTheCommandsThatCanBeInForceTogether) {
  MakeProfiles();
  sketch_->Activate();
  auto* dialog = new fwg::ShortcutsDialog;
  auto* edit = dialog->findChild<QKeySequenceEdit*>();
  EXPECT_FALSE(dialog->SelectCommand("Sketch", "tools"));
  EXPECT_FALSE(dialog->SelectCommand("Sketch", "slot"));
  ASSERT_TRUE(dialog->SelectCommand("Sketch", "stroke"));
  Record(edit, {Qt::CTRL | Qt::Key_S});
  EXPECT_TRUE(Contains(dialog->GetClashText(), "'Save' (save, profile Base)")) << dialog->GetClashText();
  Record(edit, {Qt::CTRL | Qt::Key_B});
  EXPECT_EQ(dialog->GetClashText(), "") << "Text and Other are never in force with Sketch";
  ASSERT_TRUE(dialog->SelectCommand("Base", "save"));
  // Return on the command's row goes on to its key.
  auto* list = dialog->findChild<QTreeWidget*>();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(dialog->focusWidget(), edit);
  Record(edit, {Qt::CTRL | Qt::Key_T});
  EXPECT_TRUE(Contains(dialog->GetClashText(), "(stroke, profile Sketch)")) << "a profile built on it";

  // Two strokes, kept by Return (which is not recorded): the menu entry
  // holds them at once.
  Record(edit, {Qt::CTRL | Qt::Key_K, Qt::CTRL | Qt::Key_S});
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(KeyOf(base_->GetAction("save")), "Ctrl+K, Ctrl+S");
  EXPECT_TRUE(UserShortcuts::HasOverride(base_, "save"));
  // Shift+Tab only leaves the box: Shift alone starts no recording.
  QTest::keyPress(edit, Qt::Key_Shift);
  QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
  emit edit->editingFinished();
  EXPECT_EQ(KeyOf(base_->GetAction("save")), "Ctrl+K, Ctrl+S");

  // A conflicting key may be kept, and the report after a switch names it:
  // Sketch builds on Base, so its stroke takes the key.
  ASSERT_TRUE(dialog->SelectCommand("Sketch", "stroke"));
  Record(edit, {Qt::CTRL | Qt::Key_K, Qt::CTRL | Qt::Key_S});
  emit edit->editingFinished();
  EXPECT_EQ(KeyOf(sketch_->GetAction("stroke")), "Ctrl+K, Ctrl+S");
  fwg::ProfileManager::Get()->Activate("Text");
  EXPECT_EQ(KeyOf(sketch_->GetAction("stroke")), "") << "withdrawn like a declared key";
  ExpectContains(StderrOf([this] { sketch_->Activate(); }),
                 {"Ctrl+K, Ctrl+S of 'save' (profile Base) is shadowed by 'stroke' (profile Sketch)"});
  EXPECT_FALSE(UserShortcuts::SetShortcut(sketch_, "stroke", "Ctrl+Nothing"));
  EXPECT_EQ(KeyOf(sketch_->GetAction("stroke")), "Ctrl+K, Ctrl+S") << "a bad key changes nothing";
}

// Delete the window and make the profiles again: the key is what the
// settings held, for the action and for the replacement in a derived
// profile, and it is on disk.
TEST_F(UserKeys, SurviveARestartAndFollowAReplacedAction) {
  auto make = [] {
    new FilledProfile("Base", "", [](fwg::Profile* p) {
      p->AddMenu(p->AddAction("save", "&Save", {}, "Ctrl+S"), "File");
    });
    return new FilledProfile("Draft", "Base", [](fwg::Profile* p) { p->ReplaceAction("save"); });
  };
  fwg::Profile* draft = make();
  draft->Activate();
  fwg::Profile* base = fwg::ProfileManager::Get()->GetProfile("Base");
  UserShortcuts::SetShortcut(base, "save", "Ctrl+Alt+S");
  EXPECT_EQ(KeyOf(draft->GetAction("save")), "Ctrl+Alt+S") << "the replacement follows at once";
  EXPECT_EQ(KeyOf(base->GetAction("save")), "") << "the replaced action holds none";
  auto* dialog = new fwg::ShortcutsDialog;
  EXPECT_FALSE(dialog->SelectCommand("Base", "save")) << "one row: the replacement's";
  EXPECT_TRUE(dialog->SelectCommand("Draft", "save"));
  delete dialog;

  delete gui_;
  gui_ = new fwg::Gui(0, nullptr);
  draft = make();
  base = fwg::ProfileManager::Get()->GetProfile("Base");
  EXPECT_EQ(KeyOf(base->GetAction("save")), "Ctrl+Alt+S");
  draft->Activate();
  EXPECT_EQ(KeyOf(draft->GetAction("save")), "Ctrl+Alt+S");
  EXPECT_EQ(UserShortcuts::GetDefaultShortcut(draft, "save"), "Ctrl+Alt+S");
  const auto onDisk = oxSettings::Open(fwc::Director::Get()->GetSettings()->GetFilePath());
  EXPECT_EQ(onDisk->GetSection("User/Shortcuts/Base", false, true)->Get("save").GetString(), "Ctrl+Alt+S");

  UserShortcuts::SetShortcut(draft, "save", "F2");
  EXPECT_EQ(KeyOf(draft->GetAction("save")), "F2") << "its own key wins";
  UserShortcuts::ResetShortcut(base, "save");
  EXPECT_EQ(KeyOf(draft->GetAction("save")), "F2");
  UserShortcuts::ResetShortcut(draft, "save");
  EXPECT_EQ(KeyOf(draft->GetAction("save")), "Ctrl+S") << "the declared key again";
  base->Activate();
  EXPECT_EQ(KeyOf(base->GetAction("save")), "Ctrl+S");
}

TEST_F(UserKeys, SchemesGoOutAndComeBackAndABrokenOneChangesNothing) {
  MakeProfiles();
  sketch_->Activate();
  QTemporaryDir folder;
  const oxString scheme = oxStr(folder.filePath("mine.keys"));
  UserShortcuts::SetShortcut(base_, "save", "Ctrl+K, Ctrl+S");
  UserShortcuts::SetShortcut(sketch_, "stroke", "");
  auto* pen = new FilledProfile("Ink/Pen", "", [](fwg::Profile* p) { p->AddAction("ink", "Ink"); });
  UserShortcuts::SetShortcut(pen, "ink", "F7");
  oxString error;
  ASSERT_TRUE(UserShortcuts::ExportScheme(scheme, &error)) << error;
  UserShortcuts::ResetAll();
  EXPECT_EQ(KeyOf(sketch_->GetAction("stroke")), "Ctrl+T");

  ASSERT_TRUE(UserShortcuts::ImportScheme(scheme, &error)) << error;
  EXPECT_EQ(KeyOf(base_->GetAction("save")), "Ctrl+K, Ctrl+S");
  EXPECT_EQ(KeyOf(sketch_->GetAction("stroke")), "") << "no key is a key too";
  EXPECT_EQ(UserShortcuts::GetShortcut(pen, "ink"), "F7") << "a '/' in a profile's name";

  const oxString broken = oxStr(folder.filePath("broken.keys"));
  WriteAll(broken, "fwg shortcut scheme 1\n[Base]\nsave = F5\n\n[Sketch]\nstroke = Ctrl+Nothing\n");
  EXPECT_FALSE(UserShortcuts::ImportScheme(broken, &error));
  EXPECT_EQ(error, broken + ":6: 'Ctrl+Nothing' is not a key sequence");
  EXPECT_EQ(KeyOf(base_->GetAction("save")), "Ctrl+K, Ctrl+S") << "nothing applied";
  WriteAll(broken, "keys\n");
  EXPECT_FALSE(UserShortcuts::ImportScheme(broken, &error));
  EXPECT_TRUE(Contains(error, "broken.keys:1: not a shortcut scheme")) << error;
}

std::string Buttons(uiToolBar* bar) {
  std::string shown;
  for (QAction* entry : bar->actions()) {
    if (!entry->isVisible()) continue;
    QWidget* button = bar->widgetForAction(entry);
    shown += entry->isSeparator() ? "- " : button->objectName().toStdString() + " ";
  }
  return shown;
}

// What a person hands in as a scheme is refused whole, in one short line
// naming the file, whatever it is: a named pipe, a device, a giant, a key
// too long to echo, names the settings cannot keep, five strokes.
TEST_F(UserKeys, SchemesThatCannotBeTakenWholeAreRefusedInOneShortLine) {
  MakeProfiles();
  QTemporaryDir folder;
  const oxString pipe = oxStr(folder.filePath("pipe.keys"));
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  auto scheme = [&folder](const std::string& name, const std::string& lines) {
    const oxString path = oxStr(folder.filePath(QString::fromStdString(name)));
    WriteAll(path, "fwg shortcut scheme 1\n[Base]\nsave = F5\n" + lines);
    return path;
  };
  const struct { oxString path; const char* reason; } cases[] = {
      {pipe, ": not a regular file but a named pipe"},
      {"/dev/zero", ": not a regular file but a device"},
      {scheme("giant", "# " + std::string(2 << 20, 'x') + "\n"), ": larger than 1 MB"},
      {scheme("long", "[Sketch]\nstroke = Ctrl+" + std::string(500000, 'K') + "\n"), ":5: 'Ctrl+KKK"},
      {scheme("action", std::string(2000, 'a') + " = F6\n"), ":4: an action name longer than 1024 bytes"},
      {scheme("profile", "[" + std::string(2000, 'p') + "]\nx = F6\n"), ":4: a profile name longer than 1024"},
      {scheme("strokes", "[Sketch]\nstroke = A, B, C, D, E\n"), ":5: 'A, B, C, D, E' has more than four strokes"},
      {scheme("empty", "[Sketch]\nstroke = A, , B\n"), ":5: 'A, , B' is not a key sequence"},
  };
  for (const auto& c : cases) {
    oxString error;
    bool applied = true;
    EXPECT_FALSE(UserShortcuts::ImportScheme(c.path, &error, &applied));
    EXPECT_FALSE(applied);
    EXPECT_TRUE(error.starts_with(c.path + c.reason)) << error.substr(0, 200);
    EXPECT_LT(error.size(), c.path.size() + 200) << "input is quoted short";
    EXPECT_EQ(KeyOf(base_->GetAction("save")), "Ctrl+S") << c.path << ": nothing applied";
  }
}

// Keys in the settings are the user's or another program's: one that does
// not read is told and not taken, and the declared key holds.
TEST_F(UserKeys, KeysInTheSettingsThatDoNotReadAreToldAndNotTaken) {
  oxSettings* settings = fwc::Director::Get()->GetSettings();
  settings->GetSection("User/Shortcuts/Base", true, true)->Set("save", "Ctrl+Nothing");
  settings->GetSection("User/Shortcuts/Sketch", true, true)->Set("stroke", std::string(10 << 20, 'K'));
  settings->GetSection("User/Shortcuts/Text", true, true)->Set("bold", "Ctrl+\x01");
  settings->GetSection("User/Shortcuts/Other", true, true)->Set("other", "A, B, C, D, E");
  const std::string error = StderrOf([this] { MakeProfiles(); });
  EXPECT_EQ(CountLines(error), 4) << error.substr(0, 2000);
  EXPECT_LT(error.size(), 2000u);
  ExpectContains(error, {"'Ctrl+Nothing' is not a key sequence", "is longer than 256 bytes",
                         "'Ctrl+\\x01' holds a control character", "has more than four strokes",
                         "the declared key is used"});
  fwg::ProfileManager* profiles = fwg::ProfileManager::Get();
  EXPECT_EQ(KeyOf(base_->GetAction("save")) + KeyOf(sketch_->GetAction("stroke")) +
                KeyOf(profiles->GetProfile("Text")->GetAction("bold")) +
                KeyOf(profiles->GetProfile("Other")->GetAction("other")),
            "Ctrl+SCtrl+TCtrl+BCtrl+B");
}

// A full disk or a read-only settings folder: the change is in force, the
// caller hears that it was not saved and why, and so does the user.
TEST_F(UserKeys, ChangesThatCannotBeSavedAreToldAndStayInForce) {
  MakeProfiles();
  sketch_->Activate();
  const QString config = uiStr(fwc::Director::Get()->GetSettings()->GetFilePath()).section('/', 0, -2);
  ASSERT_TRUE(UserShortcuts::SetShortcut(base_, "save", "F4"));
  QTemporaryDir folder;
  const oxString scheme = oxStr(folder.filePath("mine.keys"));
  WriteAll(scheme, "fwg shortcut scheme 1\n[Sketch]\nstroke = F8\n");
  {
    ReadOnlyFolder locked(config);
    if (!locked.IsLocked()) GTEST_SKIP() << "cannot make a folder read-only here";
    oxString reason;
    StderrOf([&] { EXPECT_FALSE(UserShortcuts::SetShortcut(base_, "save", "F3", &reason)); });
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(KeyOf(base_->GetAction("save")), "F3") << "in force all the same";

    oxString error;
    bool applied = false;
    EXPECT_FALSE(UserShortcuts::ImportScheme(scheme, &error, &applied));
    EXPECT_TRUE(applied);
    EXPECT_EQ(error, reason);
    EXPECT_EQ(KeyOf(sketch_->GetAction("stroke")), "F8");

    auto* dialog = new fwg::ShortcutsDialog;
    ASSERT_TRUE(dialog->SelectCommand("Sketch", "stroke"));
    Record(dialog->findChild<QKeySequenceEdit*>(), {Qt::Key_F9});
    emit dialog->findChild<QKeySequenceEdit*>()->editingFinished();
    const auto bars = fwg::InfoBar::GetBars(dialog);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_TRUE(Contains(bars[0]->GetText(), "could not be saved") && Contains(bars[0]->GetText(), reason))
        << bars[0]->GetText();
    delete dialog;

    auto* bar = new FilledProfile("Bar", "", [](fwg::Profile* p) {
      p->AddToolBar(p->AddAction("undo", "Undo"), "Main");
      p->AddToolBar(p->AddAction("redo", "Redo"), "Main/Redo");
    });
    bar->Activate();
    uiToolBar* main = ToolBarNamed(Window(), "Main");
    EXPECT_FALSE(fwg::UserToolBars::Customize(main, {"redo"}, &error));
    EXPECT_EQ(error, reason);
    EXPECT_EQ(Buttons(main), "redo ");
    auto* toolBars = new fwg::ToolBarsDialog;
    ASSERT_TRUE(toolBars->SelectToolBar("Main"));
    EXPECT_TRUE(toolBars->AddEntry("-"));
    toolBars->accept();
    ASSERT_EQ(fwg::InfoBar::GetBars(Window()).size(), 1u) << "the dialog is gone; the window says it";
    EXPECT_TRUE(Contains(fwg::InfoBar::GetBars(Window())[0]->GetText(), reason));
  }
  ASSERT_TRUE(fwc::Director::Get()->GetSettings()->Sync()) << "written once the folder takes it";
  EXPECT_EQ(oxSettings::Open(fwc::Director::Get()->GetSettings()->GetFilePath())
                ->GetSection("User/Shortcuts/Sketch", false, true)
                ->Get("stroke"),
            oxVariant("F9"));
}

// Main is Base's toolbar (undo, redo); Draw adds "stroke" to it while in
// force. The user moves redo first, takes undo off and adds a separator and
// Draw's "fill".
TEST_F(UserKeys, ArrangedToolBarsSurviveARestartAndComeBackOnReset) {
  auto make = [] {
    new FilledProfile("Base", "", [](fwg::Profile* p) {
      p->AddToolBar(p->AddAction("undo", "Undo"), "Main");
      p->AddToolBar(p->AddAction("redo", "Redo"), "Main/Redo");
    });
    return new FilledProfile("Draw", "Base", [](fwg::Profile* p) {
      p->AddToolBarButton(p->AddAction("stroke", "Stroke"), "Main");
      p->AddAction("fill", "Fill");
      p->AddToolBar(p->AddAction("erase", "Erase"), "Tools");
    });
  };
  fwg::Profile* draw = make();
  draw->Activate();
  uiToolBar* main = ToolBarNamed(Window(), "Main");
  ASSERT_EQ(Buttons(main), "undo redo stroke ");
  ASSERT_TRUE(fwg::UserToolBars::Customize(
      main, {"redo", "-", fwg::UserToolBars::MakeToken(draw, "fill"), "stroke"}));
  EXPECT_EQ(Buttons(main), "redo - fill stroke ");
  fwg::ProfileManager::Get()->Activate("Base");
  EXPECT_EQ(Buttons(main), "redo - ") << "Draw's entries go with Draw";

  delete gui_;
  gui_ = new fwg::Gui(0, nullptr);
  draw = make();
  fwg::ProfileManager::Get()->Activate("Base");
  main = ToolBarNamed(Window(), "Main");
  EXPECT_EQ(Buttons(main), "redo - ");
  draw->Activate();
  EXPECT_EQ(Buttons(main), "redo - fill stroke ") << "Draw's button, made now, finds its place";
  EXPECT_TRUE(fwg::UserToolBars::IsCustomized(main));

  fwg::UserToolBars::Reset(main);
  EXPECT_EQ(Buttons(main), "undo redo stroke ");
  EXPECT_FALSE(fwg::UserToolBars::IsCustomized(main));
  fwg::ProfileManager::Get()->Activate("Base");
  EXPECT_EQ(Buttons(main), "undo redo ");

  // The dialog holds the edits of every toolbar until OK; Cancel drops them.
  draw->Activate();
  for (const bool ok : {false, true}) {
    auto* dialog = new fwg::ToolBarsDialog;
    ASSERT_TRUE(dialog->SelectToolBar("Main"));
    EXPECT_TRUE(dialog->AddEntry("-"));
    ASSERT_TRUE(dialog->SelectToolBar("Tools"));
    EXPECT_TRUE(dialog->AddEntry(fwg::UserToolBars::MakeToken(draw, "fill")));
    ASSERT_TRUE(dialog->SelectToolBar("Main"));
    EXPECT_EQ(dialog->GetEntries(), (oxStlVector<oxString>{"undo", "-", "redo", "stroke"}));
    EXPECT_EQ(Buttons(main), "undo redo stroke ") << "nothing changes before OK";
    ok ? dialog->accept() : dialog->reject();
  }
  EXPECT_EQ(Buttons(main), "undo - redo stroke ");
  EXPECT_EQ(Buttons(ToolBarNamed(Window(), "Tools")), "erase fill ");
}

// The toolbar's name is a translated text; its arrangement goes by the
// action that made it, so another language finds it, and one kept under
// the name before is still found.
TEST_F(UserKeys, ArrangedToolBarsAreFoundInAnotherLanguage) {
  fwc::Director::Get()->GetSettings()->GetSection("/User/ToolBars/Lang/Tools", true, true)->Set("Entries", "fill\nerase");
  auto make = [](const oxString& main, const oxString& tools) {
    return new FilledProfile("Lang", "", [=](fwg::Profile* p) {
      p->AddToolBar(p->AddAction("undo", "Undo"), main);
      p->AddToolBar(p->AddAction("redo", "Redo"), main + "/Redo");
      p->AddToolBar(p->AddAction("erase", "Erase"), tools);
      p->AddToolBar(p->AddAction("fill", "Fill"), tools + "/Erase");
    });
  };
  make("Main", "Tools")->Activate();
  EXPECT_EQ(Buttons(ToolBarNamed(Window(), "Tools")), "fill erase ") << "kept under its name before";
  ASSERT_TRUE(fwg::UserToolBars::Customize(ToolBarNamed(Window(), "Main"), {"redo", "undo"}));
  ASSERT_TRUE(fwg::UserToolBars::Customize(ToolBarNamed(Window(), "Tools"), {"fill", "-", "erase"}));

  delete gui_;
  gui_ = new fwg::Gui(0, nullptr);
  make("Haupt", "Werkzeuge")->Activate();
  EXPECT_EQ(Buttons(ToolBarNamed(Window(), "Haupt")), "redo undo ");
  EXPECT_EQ(Buttons(ToolBarNamed(Window(), "Werkzeuge")), "fill - erase ");
  fwg::UserToolBars::Reset(ToolBarNamed(Window(), "Werkzeuge"));
  EXPECT_FALSE(fwg::UserToolBars::IsCustomized(ToolBarNamed(Window(), "Werkzeuge")))
      << "the arrangement under the earlier name goes too";
  fwg::UserToolBars::Reset(ToolBarNamed(Window(), "Haupt"));
}

}  // namespace
