#include <QApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "fwg/actions/Action.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/LayoutPropertyEditor.h"
#include "fwg/shell/ProjectTree.h"
#include "fwg/shell/CommandPalette.h"
#include "fwg/shell/FieldsPage.h"
#include "fwg/shell/ShortcutsDialog.h"
#include "fwg/shell/Tasks.h"
#include "platform/fwc/PluginManager.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "tests/demo/DemoMenus.h"
#include "tests/support/Output.h"
#include "tests/support/Visible.h"
#include "tests/support/WithGui.h"

namespace {

using Names = std::vector<std::string>;

struct HostRun {
  std::vector<const char*> args;
  int status;
  std::string out, err;  // parts each stream must hold
};

HostRun Start(const QStringList& args, const QProcessEnvironment& environment) {
  QProcess host;
  host.setProcessEnvironment(environment);
  host.start(DEMOTEST_HOST, args);
  host.waitForFinished(-1);
  return {{}, host.exitCode(), host.readAllStandardOutput().toStdString(),
          host.readAllStandardError().toStdString()};
}

TEST(HostOptions, PrintAndExitWithoutAWindow) {
  const HostRun cases[] = {
      {{"-locale", "en", "--help"}, 0, "Plug-ins are read from: " FWG_PLUGIN_DIR "\n", ""},
      {{"-locale", "de", "--help"}, 0, "Aufruf: tavrix", ""},
      {{"--version"}, 0, "tavrix 10.0 (fwg 10.0, Qt ", ""},
      {{"-locale", "en", "-client"}, 0, "installed clients: notes, scratch, sketch, tasks\n", ""},
      {{"-client", "-locale", "de"}, 0, "installierte Clients: notes, scratch, sketch, tasks\n", ""},
  };
  // Without any window system: these options must not need one.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "xcb");
  environment.remove("DISPLAY");
  for (const HostRun& expected : cases) {
    QStringList args;
    for (const char* arg : expected.args) args << arg;
    const HostRun run = Start(args, environment);
    const std::string name = args.join(' ').toStdString();
    EXPECT_EQ(run.status, expected.status) << name << ": " << run.err;
    EXPECT_TRUE(Contains(run.out, expected.out)) << name << ": " << run.out;
    EXPECT_TRUE(Contains(run.err, expected.err)) << name << ": " << run.err;
  }
}

QProcessEnvironment WithBothPlugins() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("FWG_PLUGIN_PATH", FWG_PLUGIN_DIR ":" DEMOTEST_PROBE_DIR);
  return environment;
}

// The real host with both plug-ins, and a probe plug-in that makes a note
// and a sketch through File > New, switches back to the note and reports
// what the window shows after each step.
TEST(HostWithBothPlugins, SwitchingDocumentsSwitchesMenusToolbarsDocksAndShortcuts) {
  QProcessEnvironment environment = WithBothPlugins();
  const HostRun run = Start({"-locale", "en"}, environment);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "start: menus File Edit View Help | toolbars Main | docks Projects Properties"
            " | wrap - | line -\n"
            "note: menus File Edit View Format Help | toolbars Main Notes"
            " | docks Projects Properties Statistics | wrap Ctrl+Shift+W | line -\n"
            "sketch: menus File Edit View Sketch Help | toolbars Main Tools"
            " | docks Colours Projects Properties | wrap none | line L\n"
            "note again: menus File Edit View Format Help | toolbars Main Notes"
            " | docks Projects Properties Statistics | wrap Ctrl+Shift+W | line none\n");
}

// A session saved through the real host's session commands, which ends
// through File > Exit, comes back in a second run from File > Recent
// Sessions as it was saved: documents of both clients, their content and
// the project's layout.
TEST(HostWithBothPlugins, ASessionSavedAndExitedComesBackInTheNextRun) {
  const QTemporaryDir config;
  QProcessEnvironment environment = WithBothPlugins();
  environment.insert("FWG_CONFIG_DIR", config.path());
  environment.insert("DEMOTEST_SESSION", "save:" + config.filePath("work.session"));
  const HostRun saved = Start({"-locale", "en"}, environment);
  ASSERT_EQ(saved.status, 0) << saved.err;
  const auto at = saved.out.find("saved: ");
  ASSERT_NE(at, std::string::npos) << saved.out;
  EXPECT_TRUE(Contains(saved.out, "layout 3 | fwg::ClientObject Note 1 Text=Milk | "))
      << saved.out;
  EXPECT_FALSE(QFile::exists(config.filePath("tavrix.recovery")))
      << "a clean end removes the autosaved work";

  environment.insert("DEMOTEST_SESSION", "open");
  const HostRun opened = Start({"-locale", "en"}, environment);
  ASSERT_EQ(opened.status, 0) << opened.err;
  EXPECT_EQ(opened.out, "opened: " + saved.out.substr(at + 7));
}

class DemoFixture : public WithGui {
 protected:
  // Loaded plug-ins stay loaded and make their clients only once, so each
  // test needs a process of its own, as CTest gives it.
  void SetUp() override {
    oxapp::CommandLine::Get()->SetArguments(oxStlVector<oxString>{"demotest", "-locale", Locale()});
    if (fwc::PluginManager::Get()->IsPluginLoaded("samples"))
      GTEST_SKIP() << "the sample plug-ins are loaded already";
    WithGui::SetUp();
    // As the host does at start-up: the palette, then the plug-in without a client.
    fwg::CommandPalette::Install();
    ASSERT_TRUE(fwc::PluginManager::Get()->LoadPlugin("samples"));
    window_ = gui_->GetMainWindow();
    window_->Show();
  }

  virtual const char* Locale() const { return "en"; }

  Names Menus() const { return Visible(window_->menuBar()); }
  static fwg::Profile* Active() { return fwg::ProfileManager::Get()->GetActiveProfile(); }
  static fwg::ClientObject* ActiveDocument() { return fwg::ClientManager::Get()->GetActiveClientObject(); }
  fwg::ProjectTree* Tree() const { return window_->findChild<fwg::ProjectTree*>(); }

  uiMainWindow* window_ = nullptr;
};

TEST_F(DemoFixture, DocumentsUndoSwitchByTreeAndFrameAndOfferTheirEntries) {
  const Names file{"New", "Open File\u2026", "Recent Files", "Save", "Save As\u2026", "Save All",
                   "Revert", "Save Session", "Save Session As\u2026", "Open Session\u2026",
                   "Recent Sessions", "Print\u2026", "Print Preview\u2026", "Export as PDF\u2026",
                   "Close", "Exit"};
  EXPECT_EQ(Entries({"File"}), file);
  EXPECT_FALSE(Active()->GetAction("close")->IsEnabled()) << "nothing to close yet";
  // Ctrl+N makes a document of the plain kind.
  QApplication::setActiveWindow(window_);
  QTest::keyClick(window_, Qt::Key_N, Qt::ControlModifier);
  fwg::ClientObject* note = ActiveDocument();
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(Active()->GetAction("close")->IsEnabled());
  EXPECT_EQ(note->GetName(), "Note 1");
  EXPECT_EQ(Entries({"File"}), file) << "the files are the framework's, whatever the client";
  // The shortcuts dialog says where each command is, disabled ones too.
  {
    fwg::ShortcutsDialog shortcuts;
    const auto placeOf = [&shortcuts](const char* profile, const char* action) {
      if (!shortcuts.SelectCommand(profile, action)) return std::string("(no row)");
      return shortcuts.findChild<QTreeWidget*>()->currentItem()->text(2).toStdString();
    };
    EXPECT_EQ(placeOf("Samples", "new.Sketch"), "File \u203a New");
    EXPECT_EQ(placeOf("Samples", "redo"), "Edit");
    // One row per command: the palette once, with its key; the docks' toggles too.
    const auto rowsNamed = [&shortcuts](const QString& command) {
      return shortcuts.findChild<QTreeWidget*>()->findItems(command, Qt::MatchStartsWith, 1);
    };
    ASSERT_EQ(rowsNamed("Command Palette").size(), 1);
    EXPECT_EQ(rowsNamed("Command Palette")[0]->text(0), "Ctrl+Shift+P");
    ASSERT_EQ(rowsNamed("Script Console").size(), 1);
    EXPECT_EQ(rowsNamed("Script Console")[0]->text(0), "Ctrl+Alt+J");
  }

  fwg::ClientObject* sketch = New("Sketch");
  ASSERT_NE(sketch, nullptr);
  EXPECT_EQ(sketch->GetParent(), note->GetParent()) << "one project for both";
  EXPECT_EQ(Entries({"View"}), (Names{"Customize Toolbars...", "Projects", "Properties", "Script Console", "Colours"}));

  // The tools are exclusive; drawing with one is undone through Edit.
  fwg::Action* line = Active()->GetAction("line");
  line->Activate();
  EXPECT_TRUE(line->IsChecked() && !Active()->GetAction("pen")->IsChecked());
  // In a scroll area: a small pane scrolls the drawing rather than cut it.
  auto* scroller = qobject_cast<QScrollArea*>(sketch->GetLayouter()->GetViews().front()->GetWidget());
  ASSERT_NE(scroller, nullptr);
  QWidget* drawing = scroller->widget();
  QTest::mousePress(drawing, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(drawing, QPoint(40, 30));
  QTest::mouseRelease(drawing, Qt::LeftButton, {}, QPoint(40, 30));
  EXPECT_EQ(sketch->GetProperty(oxString("Strokes")).GetValue().GetString(),
            "L #000000 10,10 40,30;");
  EXPECT_TRUE(sketch->HasUnsavedContent()) << "drawing is work: closing the sketch asks first";
  scroller->resize(100, 80);  // a small pane
  EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0) << "the drawing scrolls, not cut off";
  QAction* undo = FindEntry({"Edit", "Undo"});
  ASSERT_TRUE(undo && undo->isEnabled());
  undo->trigger();
  EXPECT_EQ(sketch->GetProperty(oxString("Strokes")).GetValue().GetString(), "");
  EXPECT_NE(Active()->GetContextMenuObjectFromPath("Sketch/Undo"), nullptr);

  // Smoothing is a task in the background, its result one step to undo.
  Active()->GetAction("pen")->Activate();
  QTest::mousePress(drawing, Qt::LeftButton, {}, QPoint(10, 10));
  for (const QPoint at : {QPoint(20, 30), QPoint(30, 10), QPoint(40, 30)}) QTest::mouseMove(drawing, at);
  QTest::mouseRelease(drawing, Qt::LeftButton, {}, QPoint(40, 30));
  const oxString drawn = "P #000000 10,10 20,30 30,10 40,30;";
  ASSERT_EQ(sketch->GetProperty(oxString("Strokes")).GetValue().GetString(), drawn);
  FindEntry({"Sketch", "Smooth All Strokes"})->trigger();
  while (!fwg::Tasks::GetRunning().empty()) QApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(sketch->GetProperty(oxString("Strokes")).GetValue().GetString(), "P #000000 10,10 25,20 25,20 40,30;");
  undo->trigger();
  EXPECT_EQ(sketch->GetProperty(oxString("Strokes")).GetValue().GetString(), drawn);

  // A click on the note in the project tree switches back.
  QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {},
                    Tree()->visualRect(Tree()->GetIndex(note)).center());
  EXPECT_EQ(ActiveDocument(), note);
  EXPECT_EQ(Tree()->model()->data(Tree()->GetIndex(note), Qt::FontRole).value<QFont>().bold(),
            true);
  EXPECT_EQ(Menus(), (Names{"File", "Edit", "View", "Format", "Help"}));

  // The focus moving on from views that a switch hides or refills (the
  // property sheet) is no choice of the user's and does not undo the switch.
  oxt::Property sideBySide("Layout", 3);
  note->GetParent()->SetProperty(sideBySide);
  note->Activate();
  QApplication::setActiveWindow(window_);
  Tree()->setFocus();
  ASSERT_TRUE(Tree()->hasFocus());
  sketch->Activate();
  EXPECT_EQ(ActiveDocument(), sketch);
}

// The sample made of JSON and JavaScript only: no script engine until its
// first list, then menus that switch as a C++ client's do and commands that
// run its script. A session whose values hold script text runs none of it.
TEST_F(DemoFixture, TheScriptedSampleWorksLikeACppClientAndSessionsRunNoScript) {
  fwg::ClientObject* note = New("Notes");
  ASSERT_NE(note, nullptr);
  EXPECT_FALSE(oxScriptEngine::Exists()) << "nothing has used a script yet";
  fwg::ClientObject* list = New("Tasks");
  ASSERT_TRUE(list && list != note && list->GetView());
  EXPECT_EQ(Menus(), (Names{"File", "Edit", "View", "Tasks", "Help"}));
  QWidget* view = list->GetView();
  QTest::keyClicks(view, "milk");
  FindEntry({"Tasks", "Add Task"})->trigger();
  QTest::keyClicks(view, "bread");
  QTest::keyClick(view, Qt::Key_Up);
  FindEntry({"Tasks", "Done"})->trigger();
  const auto text = [&] { return list->GetProperty(oxString("Text")).GetValue().GetString(); };
  EXPECT_EQ(text(), "- [ ] bread\n- [x] milk") << "done tasks go to the end";
  // The page the list's declaration brings, as the user changes it: now they stay.
  auto* page = dynamic_cast<fwg::FieldsPage*>(fwg::SettingsPages::Find("Tasks"));
  ASSERT_NE(page, nullptr);
  QWidget holder;
  page->MakeWidget(&holder);
  ASSERT_TRUE(page->SetShownValue("DoneAtEnd", false));
  EXPECT_EQ(page->Store(), "");
  QTest::keyClick(view, Qt::Key_Down);
  FindEntry({"Tasks", "Done"})->trigger();
  QTest::keyClick(view, Qt::Key_Up);
  FindEntry({"Tasks", "Done"})->trigger();
  EXPECT_EQ(text(), "- [x] bread\n- [ ] milk");
  // A Markdown file's headings, empty lines and last newline stay as they were.
  oxt::Property week("Text", oxString("# Week\n\n- [x] milk\n- [ ] eggs\n\n## Later\n- [ ] call\n"));
  list->SetProperty(week);
  FindEntry({"Tasks", "Open Tasks First"})->trigger();
  EXPECT_EQ(text(), "# Week\n\n- [ ] eggs\n- [x] milk\n\n## Later\n- [ ] call\n");
  FindEntry({"Tasks", "Remove Done Tasks"})->trigger();
  EXPECT_EQ(text(), "# Week\n\n- [ ] eggs\n\n## Later\n- [ ] call\n");
  QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
  FindEntry({"Tasks", "Done"})->trigger();
  EXPECT_EQ(text(), "# Week\n\n- [ ] eggs\n\n## Later\n- [ ] call\n") << "a heading is no task";
  EXPECT_EQ(window_->statusBar()->currentMessage(), "This line is not a task");
  // Tasks as other programs write them keep their bullets.
  oxt::Property other("Text", oxString("* [X] soap\n+ [ ] tea"));
  list->SetProperty(other);
  QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
  FindEntry({"Tasks", "Done"})->trigger();
  EXPECT_EQ(text(), "* [ ] soap\n+ [ ] tea");
  FindEntry({"Tasks", "Done"})->trigger();
  EXPECT_EQ(text(), "* [x] soap\n+ [ ] tea");
  // Undo takes the cursor back to the task, not to the end of the list.
  oxt::Property four("Text", oxString("- [ ] a\n- [ ] b\n- [ ] c\n- [ ] d"));
  list->SetProperty(four);
  QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClick(view, Qt::Key_Down);
  FindEntry({"Tasks", "Done"})->trigger();
  ASSERT_EQ(text(), "- [ ] a\n- [x] b\n- [ ] c\n- [ ] d");
  QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(text(), "- [ ] a\n- [ ] b\n- [ ] c\n- [ ] d");
  EXPECT_EQ(list->GetProperty(oxString("@Line")).GetValue().GetInteger(), 1);
  note->Activate();
  EXPECT_EQ(Menus(), (Names{"File", "Edit", "View", "Format", "Help"}));
  // The Notes page's word wrap reaches the open note at once.
  auto* notes = dynamic_cast<fwg::FieldsPage*>(fwg::SettingsPages::Find("Notes"));
  ASSERT_NE(notes, nullptr);
  notes->MakeWidget(&holder);
  ASSERT_TRUE(notes->SetShownValue("WordWrap", false));
  EXPECT_EQ(notes->Store(), "");
  auto* noteView = note->GetLayouter()->findChild<QPlainTextEdit*>();
  ASSERT_NE(noteView, nullptr);
  EXPECT_EQ(noteView->lineWrapMode(), QPlainTextEdit::NoWrap);

  const QTemporaryDir dir;
  const oxString session = dir.filePath("tasks.session").toStdString();
  for (const char* name : {"Text", "Script"}) {
    oxt::Property value(name, oxString("globalThis.ran = true"));
    list->SetProperty(value);
  }
  auto* project = dynamic_cast<fwg::Project*>(list->GetParent());
  ASSERT_TRUE(project && project->SaveSession(session));
  project->Delete();
  fwg::Project* opened = fwg::Project::OpenSession(session);
  ASSERT_TRUE(opened && opened->GetChildren().size() == 2);
  EXPECT_EQ(opened->GetChildren().back()->GetProperty(oxString("Text")).GetValue().GetString(),
            "globalThis.ran = true");
  EXPECT_EQ(oxScriptEngine::Get()->Evaluate("typeof ran"), "undefined");
}

class GermanDemoFixture : public DemoFixture {
 protected:
  const char* Locale() const override { return "de"; }
};

TEST_F(GermanDemoFixture, MenusDocksDocumentsLayoutsAndTheDeclaredSamplesReadGerman) {
  EXPECT_EQ(Menus(), (Names{"Datei", "Bearbeiten", "Ansicht", "Hilfe"}));
  EXPECT_EQ(VisibleTitles<QDockWidget>(), "Eigenschaften Projekte");
  fwg::ClientObject* sketch = New("Skizze", {"Datei", "Neu"});
  ASSERT_NE(sketch, nullptr);
  EXPECT_EQ(sketch->GetName(), "Skizze 1");
  EXPECT_EQ(Entries({"Skizze"}), (Names{"Stift", "Linie", "Rechteck", "Ellipse", "Alle Striche gl\u00e4tten", "Leeren"}));
  EXPECT_EQ(fwg::LayoutPropertyEditor().GetIconEntries().at(1).label, "2 nebeneinander");
  // A declared profile written in English names the base's menus in English
  // ("View"): its menu still goes before Help, and its list joins the
  // project every sample uses.
  fwg::ClientObject* tasks = New("Aufgaben", {"Datei", "Neu"});
  ASSERT_NE(tasks, nullptr);
  EXPECT_EQ(tasks->GetName(), "Aufgaben 1");
  EXPECT_EQ(Menus(), (Names{"Datei", "Bearbeiten", "Ansicht", "Aufgaben", "Hilfe"}));
  EXPECT_EQ(Entries({"Aufgaben"}).front(), "Aufgabe hinzufügen");
  FindEntry({"Aufgaben", "Erledigte Aufgaben entfernen"})->trigger();  // the script's qsTr
  EXPECT_EQ(window_->statusBar()->currentMessage(), "Noch 1 offene Aufgaben");
  EXPECT_EQ(tasks->GetParent(), sketch->GetParent());
  EXPECT_EQ(tasks->GetParent()->GetName(), "Unbenannt");
  // The other declared sample reads German too, its pads included.
  fwg::ClientObject* pad = New("Notizblock", {"Datei", "Neu"});
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->GetName(), "Blatt 1");
  const auto* text = qobject_cast<QPlainTextEdit*>(pad->GetLayouter()->GetViews().front()->GetWidget());
  EXPECT_TRUE(text && text->placeholderText().contains("Strg+Umschalt+P"));
  EXPECT_EQ(Menus(), (Names{"Datei", "Bearbeiten", "Ansicht", "Notizblock", "Hilfe"}));
  // Every entry finds its place by the German names its path now has.
  EXPECT_EQ(Entries({"Notizblock"}), (Names{"Neues Blatt", "Leeren", "Zeit einfügen", "Schreibweise",
                                            "Zeilenumbruch", "Leerzeichen anzeigen"}));
}

TEST_F(DemoFixture, TreeContextMenuRetilesAFolderAndDropsMoveDocuments) {
  fwg::ClientObject* note = New("Notes");
  ASSERT_TRUE(note && New("Sketch"));
  oxt::Object* project = note->GetParent();
  fwg::ProjectTree* tree = Tree();
  const QModelIndex row = tree->GetIndex(project);

  // Right-click on the project, choose Layout, pick "2 Horizontal".
  QWidget* chooser = OpenLayoutChooser(project);
  auto* twoHorizontal = chooser ? chooser->findChild<QToolButton*>("2 Horizontal") : nullptr;
  ASSERT_NE(twoHorizontal, nullptr);
  twoHorizontal->click();
  EXPECT_EQ(project->GetProperty(oxString("Layout")).GetValue().GetInteger(), 3);
  EXPECT_EQ(note->GetLayouter()->GetParentFrame()->GetLayout(), uiLayoutFrameEx::TwoHorizontal);

  // Documents move into a folder; the project itself cannot be dragged.
  auto* folder = new fwg::ClientFolder(project, "Folder");
  folder->EmitCreated();
  QAbstractItemModel* model = tree->model();
  EXPECT_FALSE(model->flags(row) & Qt::ItemIsDragEnabled);
  std::unique_ptr<QMimeData> dragged(model->mimeData({tree->GetIndex(note)}));
  ASSERT_TRUE(model->dropMimeData(dragged.get(), Qt::MoveAction, -1, 0, tree->GetIndex(folder)));
  EXPECT_EQ(note->GetParent(), folder);
  EXPECT_EQ(tree->GetIndex(note).parent(), tree->GetIndex(folder));
  EXPECT_EQ(note->GetLayouter()->GetParentFrame()->GetViews().size(), 1u);
  project->Delete();
  EXPECT_FALSE(tree->GetIndex(project).isValid());
}

}  // namespace
