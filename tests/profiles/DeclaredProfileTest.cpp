#include "fwg/profiles/DeclaredProfile.h"

#include <QTemporaryDir>
#include <sys/stat.h>

#include "platform/oxapp/Application.h"
#include "platform/script/oxScriptEngine.h"
#include "fwg/profiles/ShortcutConflicts.h"
#include "tests/support/Output.h"
#include "tests/support/ProfileWidgets.h"

namespace {

// What a user sees of a menu once it opens, submenus indented.
void DescribeMenu(QWidget* menu, const std::string& indent, std::string& out) {
  if (auto* popup = qobject_cast<QMenu*>(menu)) {
    popup->popup({0, 0});
    popup->hide();
  }
  for (QAction* item : menu->actions()) {
    if (!item->isVisible()) continue;
    out += indent + (item->isSeparator() ? "-" : item->text().toStdString());
    out += item->isChecked() ? " [x]\n" : "\n";
    if (item->menu()) DescribeMenu(item->menu(), indent + "  ", out);
  }
}

// Menus, toolbars, context menus, docks and keys in force of the window.
std::string DescribeWindow(uiMainWindow* window) {
  std::string out;
  DescribeMenu(window->menuBar(), "", out);
  for (QToolBar* bar : window->findChildren<QToolBar*>()) {
    if (bar->isHidden()) continue;
    out += "toolbar " + bar->objectName().toStdString() + ":";
    for (QAction* entry : bar->actions()) {
      auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(entry));
      if (entry->isVisible() && button) out += " " + button->text().toStdString();
    }
    out += "\n";
  }
  for (QMenu* menu : window->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
    out += "context " + menu->objectName().toStdString() + "\n";
    DescribeMenu(menu, "  ", out);
  }
  for (QDockWidget* dock : window->findChildren<QDockWidget*>()) {
    out += "dock " + dock->objectName().toStdString() + (dock->isVisible() ? " shown " : " hidden ") +
           std::to_string(window->dockWidgetArea(dock)) + "\n";
  }
  for (const fwg::ShortcutEntry& entry : fwg::GetShortcutsInForce())
    out += "key " + entry.key + " " + entry.actionName + "\n";
  return out;
}

using Fill = FilledProfile::Fill;
// Filled from Build(), as a profile written in C++ usually is.
constexpr auto kInBuild = FilledProfile::FillAt::Build;

struct Pair {
  const char* what;
  const char* base;     // JSON of profile Base
  const char* derived;  // JSON of profile Derived, built on Base
  Fill fillBase;        // the same in C++
  Fill fillDerived;
};

const Pair kPairs[] = {
    {"menus",
     R"({"name": "Base", "actions": [
          {"name": "file", "text": "&File", "visible": false},
          {"name": "open", "text": "&Open...", "shortcut": "Ctrl+O"},
          {"name": "save", "text": "&Save", "shortcut": "Ctrl+S"},
          {"name": "quit", "text": "&Quit", "shortcut": "Ctrl+Q"}],
        "edits": [
          {"op": "add", "menu": "File", "action": "file"},
          {"op": "add", "menu": "File/File", "action": "open"},
          {"op": "add", "menu": "File/Open...", "action": "save"},
          {"op": "add", "menu": "File/Save", "action": "quit"}]})",
     R"({"name": "Derived", "base": "Base", "actions": [
          {"name": "views", "text": "&Views", "group": ["grid", "-", "outline"], "exclusive": true},
          {"name": "grid", "text": "&Grid", "checkable": true, "checked": true},
          {"name": "outline", "text": "&Outline", "checkable": true},
          {"name": "export", "text": "E&xport", "group": ["pdf"], "dropDown": true},
          {"name": "pdf", "text": "PDF", "tip": "As PDF"},
          {"name": "print", "text": "&Print", "shortcut": "Ctrl+P"}],
        "edits": [
          {"op": "add", "menu": "View", "action": "views"},
          {"op": "add", "menu": "File/Save", "action": "export"},
          {"op": "replace", "menu": "File/Open...", "action": "print"},
          {"op": "remove", "menu": "File/Quit"}]})",
     [](fwg::Profile* p) {
       p->AddAction("file", "&File")->SetVisible(false);
       p->AddMenu("file", "File");
       p->AddMenu(p->AddAction("open", "&Open...", {}, "Ctrl+O"), "File/File");
       p->AddMenu(p->AddAction("save", "&Save", {}, "Ctrl+S"), "File/Open...");
       p->AddMenu(p->AddAction("quit", "&Quit", {}, "Ctrl+Q"), "File/Save");
     },
     [](fwg::Profile* p) {
       fwg::ActionGroup* views = p->AddActionGroup("views", "&Views");
       views->SetExclusive(true);
       p->AddAction("grid", "&Grid")->SetCheckable(true);
       p->GetAction("grid")->SetChecked(true);
       p->AddAction("outline", "&Outline")->SetCheckable(true);
       p->AddActionGroup("export", "E&xport", true);
       p->AddAction("pdf", "PDF")->SetToolTip("As PDF");
       views->AddAction("grid");
       views->AddSeparator();
       views->AddAction("outline");
       p->GetActionGroup("export")->AddAction("pdf");
       p->AddMenu("views", "View");
       p->AddMenu("export", "File/Save");
       p->ReplaceMenu(p->AddAction("print", "&Print", {}, "Ctrl+P"), "File/Open...");
       p->RemoveMenu("File/Quit");
     }},
    {"toolbars, context menus and docks",
     R"({"name": "Base", "actions": [{"name": "new", "text": "&New"}, {"name": "cut", "text": "Cu&t"}],
        "edits": [{"op": "add", "toolbar": "Main", "action": "new"},
                  {"op": "add", "contextMenu": "Canvas", "action": "cut"},
                  {"op": "add", "widget": "Tree", "dock": "left"}]})",
     R"({"name": "Derived", "base": "Base",
        "actions": [{"name": "zoom", "text": "&Zoom", "shortcut": "Ctrl+Z"}, {"name": "paste", "text": "&Paste"}],
        "edits": [{"op": "add", "toolbar": "View", "action": "zoom"},
                  {"op": "add", "toolbar": "View/Zoom", "action": "paste"},
                  {"op": "add", "contextMenu": "Canvas/Cut", "action": "paste"},
                  {"op": "remove", "toolbar": "Main"},
                  {"op": "add", "widget": "Props", "dock": "RIGHT/Panels", "shortcut": "Ctrl+1"},
                  {"op": "add", "widget": "Log", "dock": "RIGHT/Panels"},
                  {"op": "remove", "widget": "Tree"}]})",
     [](fwg::Profile* p) {
       p->AddToolBar(p->AddAction("new", "&New"), "Main");
       p->AddContextMenu(p->AddAction("cut", "Cu&t"), "Canvas");
       p->AddDockWidget("Tree", "left");
     },
     [](fwg::Profile* p) {
       p->AddToolBar(p->AddAction("zoom", "&Zoom", {}, "Ctrl+Z"), "View");
       p->AddToolBar(p->AddAction("paste", "&Paste"), "View/Zoom");
       p->AddContextMenu("paste", "Canvas/Cut");
       p->RemoveToolBar("Main");
       p->AddDockWidget("Props", "RIGHT/Panels", "Ctrl+1");
       p->AddDockWidget("Log", "RIGHT/Panels");
       p->RemoveDockWidget("Tree");
     }},
};

class DeclaredProfile : public WithGui {
 protected:
  // In a fresh application object: makes the profiles, then describes the
  // window after each of the switches.
  std::vector<std::string> Run(const std::function<void()>& makeProfiles) {
    WithGui::TearDown();
    WithGui::SetUp();
    Window()->Show();
    auto* maker = new fwg::Profile("Maker", "");
    for (const char* name : {"Tree", "Props", "Log"}) maker->RegisterWidget(name);
    makeProfiles();
    std::vector<std::string> seen;
    for (const char* name : {"Base", "Derived", "Other", "Derived", "Base"}) {
      fwg::ProfileManager::Get()->Activate(name);
      seen.push_back(DescribeWindow(Window()));
    }
    return seen;
  }
};

TEST_F(DeclaredProfile, GivesTheWidgetsOfTheSameProfileWrittenInCpp) {
  for (const Pair& pair : kPairs) {
    const auto written = Run([&] {
      new FilledProfile("Base", "", pair.fillBase, kInBuild);
      new FilledProfile("Derived", "Base", pair.fillDerived, kInBuild);
      new FilledProfile("Other", "Base", {}, kInBuild);
    });
    const auto declared = Run([&] {
      ASSERT_NE(fwg::DeclaredProfile::Read(pair.base, "base.json", {}), nullptr);
      ASSERT_NE(fwg::DeclaredProfile::Read(pair.derived, "derived.json", {}), nullptr);
      fwg::DeclaredProfile::Read(R"({"name": "Other", "base": "Base"})", "other.json", {});
    });
    EXPECT_EQ(declared, written) << pair.what;
    EXPECT_NE(written[0], written[1]) << pair.what << ": the switches change something";
    EXPECT_EQ(written[1], written[3]) << pair.what << ": and come back to the same";
  }
}

TEST_F(DeclaredProfile, ReachesHandlersByNameAndReportsMissingOnesOnce) {
  fwg::DeclaredProfile* profile = fwg::DeclaredProfile::Read(R"({"name": "Main", "actions": [
      {"name": "save", "text": "Save", "handler": "doc.save"},
      {"name": "wrap", "text": "Wrap", "checkable": true, "handler": "view.wrap"},
      {"name": "again", "text": "Again", "handler": "doc.save"},
      {"name": "tidy", "text": "Tidy", "script": "tidy"},
      {"name": "grid", "text": "Grid", "checkable": true, "script": "grid"}]})",
                                                             "main.json", {});
  ASSERT_NE(profile, nullptr);
  std::vector<std::string> calls;
  profile->SetHandler("view.wrap", [&](const fwg::Action& a) {
    calls.push_back(a.GetName() + (a.IsChecked() ? " on" : " off"));
  });
  testing::internal::CaptureStderr();
  profile->Activate();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "fwg: main.json:2: no handler 'doc.save' is registered (action 'save')\n");

  profile->SetHandler("doc.save", [&](const fwg::Action& a) { calls.push_back(a.GetName()); });
  profile->GetAction("save")->Activate();
  profile->GetAction("wrap")->Activate();
  profile->GetAction("again")->Activate();
  EXPECT_EQ(calls, (std::vector<std::string>{"save", "wrap on", "again"}));

  // Script procedures as handlers; a checkable action's gets its new state.
  oxScriptEngine* scripts = oxScriptEngine::Get();
  scripts->Evaluate("var ran = []; function tidy() { ran.push('tidy'); }\n"
                    "function grid(on) { ran.push('grid ' + on); }");
  profile->GetAction("tidy")->Activate();
  profile->GetAction("grid")->Activate();
  EXPECT_EQ(scripts->Evaluate("ran.join()"), "tidy,grid true");
}

// A button without an icon is read by its text; the tip is what hovering
// adds, set in the file or later from C++.
TEST_F(DeclaredProfile, AToolbarButtonIsLabelledWithTheTextAndTipsTheTip) {
  fwg::DeclaredProfile* profile = fwg::DeclaredProfile::Read(R"({"name": "Main", "actions": [
      {"name": "tidy", "text": "&Tidy", "tip": "Sorts the lines", "shortcut": "Ctrl+T"},
      {"name": "wrap", "text": "&Wrap"}],
      "edits": [{"op": "add", "toolbar": "Main", "action": "tidy"},
                {"op": "add", "toolbar": "Main/Tidy", "action": "wrap"}]})",
                                                             "main.json", {});
  ASSERT_NE(profile, nullptr);
  profile->Activate();
  const uiToolButton* tidy = ButtonOf(profile->GetAction("tidy"));
  const uiToolButton* wrap = ButtonOf(profile->GetAction("wrap"));
  ASSERT_TRUE(tidy && wrap);
  EXPECT_EQ(tidy->text(), "Tidy") << "no mnemonic: Alt+T belongs to the menu bar";
  EXPECT_EQ(tidy->toolTip(), "Sorts the lines (Ctrl+T)");
  EXPECT_EQ(wrap->toolTip(), "Wrap") << "without a tip, the text";
  profile->GetAction("wrap")->SetToolTip("Breaks long lines");
  EXPECT_EQ(wrap->text(), "Wrap");
  EXPECT_EQ(wrap->toolTip(), "Breaks long lines");
}

TEST_F(DeclaredProfile, BrokenFilesNameTheirLineAndRegisterNothing) {
  const struct { const char *text, *message; } table[] = {
      {"", "x.json:1:1: illegal value"},
      {"{\n  \"name\": \"A\",\n  \"actions\": [\n    {\"name\": \"a\",}\n  ]\n}",
       "x.json:4:19: object is missing after a comma"},
      {"[1]", "x.json:1:1: the file must hold one JSON object"},
      {"{\n  \"title\": \"T\"\n}", "x.json:1:1: 'name' is missing"},
      {"{\n  \"name\": \"A\",\n  \"shortcuts\": []\n}", "x.json:3:16: unknown key 'shortcuts'"},
      {"{\"name\": \"A\",\n \"actions\": [\n  {\"name\": \"a\", \"checkable\": 1}]}",
       "x.json:3:30: 'checkable' must be true or false"},
      {"{\"name\": \"A\",\n \"actions\": [{\"name\": \"a\",\n  \"shortcut\": \"Ctrl+Bogus\"}]}",
       "x.json:3:15: 'Ctrl+Bogus' is not a key sequence"},
      {"{\"name\": \"A\", \"actions\": [{\"name\": \"a\"},\n {\"name\": \"a\"}]}",
       "x.json:2:11: action 'a' is declared twice"},
      {"{\"name\": \"A\", \"actions\": [{\"name\": \"g\", \"group\": [\"a\",\n 2]}]}",
       "x.json:2:2: a group member must be an action name or \"-\""},
      {"{\"name\": \"A\", \"edits\": [\n {\"op\": \"move\", \"menu\": \"File\"}]}",
       "x.json:2:9: 'op' must be \"add\", \"remove\" or \"replace\""},
      {"{\"name\": \"A\", \"edits\": [\n {\"op\": \"add\", \"menu\": \"File\", \"toolbar\": \"T\", "
       "\"action\": \"a\"}]}",
       "x.json:2:2: an edit names exactly one of 'menu', 'toolbar', 'contextMenu' or 'widget'"},
      {"{\"name\": \"A\", \"edits\": [\n {\"op\": \"add\", \"menu\": \"File\"}]}",
       "x.json:2:2: 'action' is missing"},
      {"{\"name\": \"A\", \"edits\": [\n {\"op\": \"replace\", \"widget\": \"Log\"}]}",
       "x.json:2:9: a dock edit is \"add\" or \"remove\""},
      // Found once the file reads: a profile that could never be reached by
      // its name, and one whose inherited names could not be found.
      {"{\"title\": \"T\",\n \"name\": \"Taken\"}",
       "x.json:2: a profile named 'Taken' is registered already; no profile is made"},
      {"{\"name\": \"B\",\n\n \"base\": \"Nowhere\"}",
       "x.json:3: the base profile 'Nowhere' is not registered (read it first); no profile is made"},
  };
  new FilledProfile("Taken", "");
  const size_t registered = fwg::ProfileManager::Get()->GetProfileList().size();
  for (const auto& row : table) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(fwg::DeclaredProfile::Read(row.text, "x.json", {}), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string("fwg: ") + row.message + "\n");
  }
  EXPECT_EQ(fwg::ProfileManager::Get()->GetProfileList().size(), registered);
  // A named pipe would block in open(), a device never end.
  QTemporaryDir folder;
  const oxString pipe = folder.filePath("pipe.json").toStdString();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const oxString& path : {oxString("/nonexistent/x.json"), pipe, oxString("/dev/zero")}) {
    const std::string error = StderrOf([&] { EXPECT_EQ(fwg::DeclaredProfile::Read(path), nullptr); });
    EXPECT_EQ(CountLines(error), 1) << error;
    EXPECT_TRUE(Contains(error, "cannot read '" + path + "': ")) << error;
  }
}

// Paths are walked when an edit is first put in force, long after the file
// was read: one that finds nothing still names its file and line, quoted
// short. A translated name holding a '/' would split its path.
TEST_F(DeclaredProfile, EditsWhosePathFindsNothingOrATranslationSplitsNameTheirLine) {
  const std::string missing = "File/" + std::string(5000, 'x');
  const std::string text = R"({"name": "Main",
 "actions": [{"name": "save", "text": "Save"}],
 "edits": [{"op": "add", "menu": "Missing/Save", "action": "save"},
   {"op": "remove", "menu": ")" + missing + R"("}]})";
  fwg::DeclaredProfile* profile = fwg::DeclaredProfile::Read(QByteArray::fromStdString(text), "main.json", {});
  ASSERT_NE(profile, nullptr);
  const std::string error = StderrOf([&] { profile->Activate(); });
  EXPECT_EQ(error,
            "fwg: main.json:3: could not find the item specified by 'Missing/Save'; the edit is left out\n"
            "fwg: main.json:4: could not find the item specified by 'File/" + std::string(55, 'x') +
                "'...; the edit is left out\n");

  oxapp::Application::Get()->SetTranslateFunction([](const oxString&, const oxString& text, const oxString&) {
    return text == "Change &Case" ? oxString("&Groß-/Kleinschreibung") : text;
  });
  EXPECT_EQ(StderrOf([] {
              EXPECT_NE(fwg::DeclaredProfile::Read(R"({"name": "Cased",
 "actions": [{"name": "case", "text": "Change &Case"}, {"name": "upper", "text": "Upper"}],
 "edits": [{"op": "add", "menu": "Case", "action": "case"},
   {"op": "add", "menu": "Case/Change Case", "action": "upper"}]})", "cased.json", {}), nullptr);
            }),
            "fwg: cased.json:4: the translation 'Groß-/Kleinschreibung' of 'Change Case' holds a '/', "
            "which splits the path 'Case/Change Case'; the edit is left out\n");
}

}  // namespace
