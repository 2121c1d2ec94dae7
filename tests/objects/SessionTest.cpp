#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <functional>

#include "fwg/actions/Action.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/objects/SessionRecovery.h"
#include "fwg/shell/InfoBar.h"
#include "platform/oxapp/Application.h"
#include "tests/ChildProcess.h"
#include "tests/support/Answer.h"
#include "tests/support/DescribeTree.h"
#include "tests/support/DocumentClient.h"
#include "tests/support/FilledProfile.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/TestBasics.h"
#include "tests/support/WithProjects.h"

namespace {

using fwg::ClientFolder;
using fwg::ClientObject;
using fwg::Project;

class Session : public WithProjects {
 protected:
  void SetUp() override {
    WithProjects::SetUp();
    client_ = new DocumentClient;  // owned by the client manager
    ASSERT_TRUE(dir_.isValid());
  }
  ClientObject* MakeDocument(oxt::Object* folder, const oxString& name) {
    SetCurrent(folder);
    return client_->CreateClientObject(name);
  }
  oxString Path(const char* name) const { return (dir_.path() + "/" + name).toStdString(); }

  DocumentClient* client_ = nullptr;
  QTemporaryDir dir_;
};

TEST_F(Session, ATreeWrittenAndReadBackIsTheSameWithDocumentsMadeOnceByTheirClient) {
  auto* project = new Project("Session");
  auto* sheets = new ClientFolder(project, "Sheets");
  SetLayout(project, 3);
  SetLayout(sheets, 2);
  // Borders the user dragged: a column border, a row border.
  for (const auto& [folder, sizes] : {std::pair<oxt::Object*, oxString>{project, "0.3;"}, {sheets, ";0.6"}}) {
    oxt::Property p("@PaneSizes", sizes);
    folder->SetProperty(p);
  }
  MakeDocument(sheets, "Alpha")->AddProperty(oxt::Property("Colour", oxt::Variant("red")));
  MakeDocument(sheets, "Beta");
  auto* plain = new fwg::Folder(project, "Plain");
  (new oxt::Object(plain, "Leaf"))->AddProperty(oxt::Property("Size", oxt::Variant("4")));
  new ClientObject(static_cast<oxt::Object*>(project), "Loose", true);  // no client
  (new oxt::Object(project, "Scratch"))->AddProperty(oxt::Property("@Persistable", oxt::Variant(false)));
  auto* inner = new ClientFolder(sheets, "Inner");
  MakeDocument(inner, "Deep");
  MakeDocument(project, "Gamma");
  Strings expected = DescribeTree(project);
  expected.erase(std::find(expected.begin(), expected.end(), "  oxt::Object Scratch"));

  const oxString path = Path("session.xml");
  oxString error;
  ASSERT_TRUE(project->SaveSession(path, &error)) << error;
  EXPECT_EQ(project->GetFileName(), path);
  // One "CLIENT" per document that has a client; none for "Loose".
  const QByteArray text = QByteArray::fromStdString(ReadAll(path));
  EXPECT_EQ(text.count("\"CLIENT\""), 4);
  EXPECT_FALSE(text.contains("Scratch")) << "non-persistable children are not written";

  delete project;
  client_->made = 0;

  // The order in which the model hears of the new tree. Documents are
  // renamed after they are announced, so names are looked up afterwards.
  std::vector<std::pair<std::string, oxt::Object*>> heard;
  oxListenerBase listener;
  oxt::Model* model = oxt::Model::Get();
  model->OnObjectCreated().Connect(&listener, [&](oxt::Object* object) {
    heard.emplace_back("created ", object);
  });
  model->OnPropertyChanged().Connect(&listener, [&](oxt::Object* object, oxt::Property& p) {
    if (p.GetName() == "Layout") heard.emplace_back("layout ", object);
  });
  Project* opened = Project::OpenSession(path, &error);
  listener.DisconnectAllSignals();
  ASSERT_NE(opened, nullptr) << error;

  EXPECT_EQ(DescribeTree(opened), expected);
  EXPECT_EQ(opened->GetFileName(), path);
  EXPECT_EQ(FindFrame("Session")->GetPaneEdges() + " " + FindFrame("Sheets")->GetPaneEdges(), "0.3; ;0.6")
      << "the pane sizes come back with the layouts";
  EXPECT_EQ(client_->made, 4) << "each document is made by its client exactly once";

  Strings events;
  for (const auto& [kind, object] : heard) events.push_back(kind + object->GetName());
  // Each folder's layout is announced again after its documents exist.
  auto last = [&](const std::string& event) {
    return std::find(events.rbegin(), events.rend(), event).base() - events.begin();
  };
  for (const auto& [later, earlier] : {std::pair{"layout Sheets", "created Alpha"}, {"layout Sheets", "created Beta"},
                                       {"layout Sheets", "layout Inner"}, {"layout Session", "created Gamma"},
                                       {"layout Session", "layout Sheets"}})
    EXPECT_GT(last(later), last(earlier)) << later << " after " << earlier;
  EXPECT_EQ(events.front(), "created Session");
  // Plain objects are announced too, once each, so a project tree shows them.
  for (const char* name : {"Plain", "Leaf", "Loose", "Alpha"})
    EXPECT_EQ(std::count(events.begin(), events.end(), std::string("created ") + name), 1) << name;
}

// A client that breaks the contract of New(): it makes the document but
// leaves it to whoever made it current.
class CarelessClient : public fwg::Client {
 public:
  CarelessClient() : fwg::Client("Careless") {}
  void New() override {
    new ClientObject(this, "Unnamed", true);
    ++made;
  }
  int made = 0;
};

// An object of a class that no plug-in of this process provides.
struct Foreign : oxt::Object {
  using oxt::Object::Object;
  oxString ClassName() const override { return "acme::Spreadsheet"; }
};

TEST_F(Session, UnknownClientsAndClassesAndCarelessClientsCostOnlyTheirDocumentsToldOnce) {
  auto* careless = new CarelessClient;  // owned by the client manager
  // Written by hand, as another installation with other clients would.
  Project source("Source");
  ClientObject orphan(static_cast<oxt::Object*>(nullptr), "Orphan", false);
  ClientObject known(static_cast<oxt::Object*>(nullptr), "Known", false);
  Foreign sheet(nullptr, "Sheet");
  ClientObject draft(static_cast<oxt::Object*>(nullptr), "Draft", false);
  oxt::FileElement root;
  source.Write(&root);
  oxt::FileElement* element = root.GetElementList().front();
  // An object, after the "CLIENT" element that names its client if any.
  auto add = [&](const char* type, const char* name, oxt::Object* object) {
    if (type) {
      auto* client = new oxt::FileElement(element, "CLIENT", {});
      client->AddValue("type", oxt::Variant(type));
      client->AddValue("name", oxt::Variant(name));
    }
    element->AddObject(object);
  };
  add("Uninstalled", "Orphan", &orphan);
  new oxt::FileElement(element, "NOTES", {});
  add("Documents", "Known", &known);
  add(nullptr, nullptr, &known);  // same class and name, no "CLIENT": a second document
  add("Documents", "Sheet", &sheet);
  add("Careless", "Draft", &draft);
  add("Careless", "Draft 2", &draft);
  const oxString path = Path("foreign.xml");
  ASSERT_TRUE(root.WriteFile(path, nullptr));

  Project* opened = nullptr;
  const std::string errors = StderrOf([&] { opened = Project::OpenSession(path); });
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(DescribeTree(opened),
            (Strings{"fwg::Project Source Layout=0", "  fwg::ClientObject Orphan no client",
                     "  fwg::ClientObject Known client=Documents", "  fwg::ClientObject Known no client",
                     "  fwg::ClientObject Draft client=Careless",
                     "  fwg::ClientObject Draft 2 client=Careless"}));
  EXPECT_EQ(client_->made, 1) << "no document is made for an object that is left out";
  EXPECT_EQ(careless->made, 2) << "no second document for a careless New()";
  // One line per problem, each naming the file.
  ExpectContains(errors, {"'Uninstalled'", "'Source/Sheet'", "'acme::Spreadsheet'", "'Careless'"});
  EXPECT_EQ(CountLines(errors), 3) << errors;
  for (size_t at = 0; at < errors.size(); at = errors.find('\n', at) + 1)
    EXPECT_EQ(errors.compare(at, 5 + path.size(), "fwg: " + path), 0) << errors;
}

TEST_F(Session, ABrokenFileLeavesTheOpenSessionAsItWas) {
  auto* open = new Project("Open");
  MakeDocument(open, "Draft");
  const Strings before = DescribeTree(Root());

  const oxString truncated = Path("truncated.xml");
  ASSERT_TRUE(open->SaveSession(truncated));
  const std::string text = ReadAll(truncated);
  ASSERT_TRUE(WriteAll(truncated, text.substr(0, text.size() - 30)));
  const oxString noProject = Path("no-project.xml");
  ASSERT_TRUE(oxt::FileElement().WriteFile(noProject, nullptr));
  const oxString twoProjects = Path("two-projects.xml");
  oxt::FileElement two;
  open->Write(&two);
  open->Write(&two);
  ASSERT_TRUE(two.WriteFile(twoProjects, nullptr));
  client_->made = 0;

  for (const oxString& path : {truncated, noProject, twoProjects, Path("missing.xml")}) {
    oxString error;
    EXPECT_EQ(Project::OpenSession(path, &error), nullptr) << path;
    EXPECT_FALSE(error.empty()) << path;
    EXPECT_EQ(error.find('\n'), oxString::npos) << "one line: " << error;
    EXPECT_EQ(DescribeTree(Root()), before) << path;
    if (path == twoProjects) { EXPECT_EQ(error, path + ": the file holds 2 projects, a session file holds one"); }
  }
  EXPECT_EQ(client_->made, 0) << "no client is asked before the file is known to be whole";
  EXPECT_EQ(open->GetFileName(), truncated);
}

// A file size limit stands in for a full disk: a small file fails only at
// the final flush, a large one part way through the writes.
TEST_F(Session, ASaveOntoAFullDiskFailsWithTheReasonAndLeavesTheOldFile) {
  auto* project = new Project("Full");
  ClientObject* document = MakeDocument(project, "Draft");
  const oxString path = Path("full.xml");
  ASSERT_TRUE(project->SaveSession(path));
  const std::string old = ReadAll(path);

  for (const size_t grown : {size_t{300}, size_t{64 * 1024}}) {
    document->AddProperty(oxt::Property("Text", oxt::Variant(oxString(grown, 'x'))));
    const ChildResult child =
        RunInChild([&] { return project->SaveSession(path) ? 1 : 0; }, old.size() + grown / 2);
    EXPECT_EQ(child.exitCode, 0) << grown;
    EXPECT_EQ(child.error, "fwg: " + path + ": " + std::strerror(EFBIG) + "\n");
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"full.xml"}) << "no temporary file is left";
  }
}

// Autosave on a read-only disk: it must not switch itself off for the whole
// run, nor answer that all is well. The user is told once, in a bar rather
// than a box; saving is tried again, and works once the disk takes it.
TEST_F(Session, AutosaveThatCannotWriteTellsOnceTriesAgainAndAnswersTruthfully) {
  oxSettings* settings = oxapp::Application::Get()->GetSettings();
  settings->GetSection("Sessions", true, true)->Set("AutosaveSeconds", 3000000);
  const QString config = QString::fromStdString(oxSettings::GetConfigFolder());
  ASSERT_TRUE(QDir().mkpath(config));
  auto* project = new Project("Work");
  project->SetFileName("work.session");  // work of a saved session
  project->SetModified(true);
  const QString recovery = QString::fromStdString(fwg::SessionRecovery::GetRecoveryFile());
  std::unique_ptr<fwg::SessionRecovery> autosave;
  {
    ReadOnlyFolder locked(config);
    if (!locked.IsLocked()) GTEST_SKIP() << "cannot make a folder read-only here";
    const std::string error = StderrOf([&] {
      autosave = std::make_unique<fwg::SessionRecovery>();
      EXPECT_FALSE(autosave->Autosave());
      EXPECT_FALSE(autosave->Autosave());
    });
    EXPECT_EQ(CountLines(error), 2) << "the interval out of range, the failure once: " << error;
    ExpectContains(error, {"'/Sessions/AutosaveSeconds' = '3000000' is out of range", "autosave failed: ",
                           recovery.toStdString() + ".lock: "});
    const auto bars = fwg::InfoBar::GetBars(Window());
    ASSERT_EQ(bars.size(), 1u) << "told once";
    EXPECT_EQ(bars[0]->GetKind(), fwg::InfoBar::Warning);
    EXPECT_TRUE(Contains(bars[0]->GetText(), "not being saved")) << bars[0]->GetText();
    EXPECT_EQ(bars[0]->GetButtonTexts().size(), 1u);
  }
  EXPECT_TRUE(autosave->Autosave()) << "the lock is taken once it can be written";
  EXPECT_TRUE(QFileInfo::exists(recovery));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(fwg::InfoBar::GetBars(Window()).empty()) << "the bar goes once a save works";

  // Later saves that fail tell again, once.
  ReadOnlyFolder locked(config);
  const std::string error = StderrOf([&] { EXPECT_FALSE(autosave->Autosave() || autosave->Autosave()); });
  EXPECT_EQ(CountLines(error), 1) << error;
  EXPECT_EQ(fwg::InfoBar::GetBars(Window()).size(), 1u);
  settings->GetSection("Sessions", true, true)->Remove("AutosaveSeconds");
}

// Autosave keeps what quitting would ask about: after a crash, a session
// never saved whose documents nobody touched is nothing to bring back.
TEST_F(Session, AutosaveKeepsWhatQuittingWouldAskAbout) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(oxSettings::GetConfigFolder())));
  auto* project = new Project("Untitled");
  project->EmitCreated();
  fwg::ClientObject* page = MakeDocument(project, "Page");
  ASSERT_TRUE(project->IsModified());
  const QString recovery = QString::fromStdString(fwg::SessionRecovery::GetRecoveryFile());
  fwg::SessionRecovery autosave;
  EXPECT_TRUE(autosave.Autosave());
  EXPECT_FALSE(QFileInfo::exists(recovery)) << "an untouched page";
  page->EmitModified();
  EXPECT_TRUE(autosave.Autosave());
  EXPECT_TRUE(QFileInfo::exists(recovery)) << "typed into";
}

// What the file dialog that `ask` opens offers (the file it suggests, else
// its folder); the dialog is cancelled.
std::string Offered(const std::function<void()>& ask) {
  QString offered;
  QTimer::singleShot(0, [&offered] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      const QStringList files = dialog->selectedFiles();
      offered = files.isEmpty() || QFileInfo(files.front()).isDir() ? dialog->directory().absolutePath()
                                                                     : files.front();
      dialog->reject();
    }
  });
  ask();
  return offered.toStdString();
}

TEST_F(Session, CommandsKeepRecentSessionsAndTheTitleShowsTheFileAndUnsavedWork) {
  // The recent sessions of earlier runs would fill the slots checked below.
  oxSettings* recent = oxapp::Application::Get()->GetSettings()->GetSection("Sessions", true, true);
  for (int i = 1; i <= fwg::SessionCommands::kMaxRecent; ++i) recent->Remove("Recent" + std::to_string(i));
  // A File menu with the session commands, as the samples' base profile has.
  auto* profile = new FilledProfile("SessionUser", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    fwg::SessionCommands::Install(p, "File");
  }, FilledProfile::FillAt::Build);
  client_->AddProfile(profile);  // owned by the client
  profile->Activate();
  uiMainWindow* window = Window();
  auto* project = new Project("Draft");
  project->EmitCreated();
  EXPECT_FALSE(project->IsModified()) << "a new empty project holds no work";
  // The title as the window shows it: Qt's "[*]" mark as "*" or nothing.
  const auto shown = [window] {
    return window->windowTitle().replace("[*]", window->isWindowModified() ? "*" : "").toStdString();
  };
  fwg::ClientObject* page = MakeDocument(project, "Page");
  EXPECT_EQ(shown(), "Page - Draft - Tavrix 10.0") << "an untouched page is nothing to lose yet";
  page->SetTitle("page.txt");
  page->SetModified(true);
  EXPECT_EQ(shown(), "page.txt* - Draft - Tavrix 10.0") << "the document's own work is marked";
  page->SetModified(false);
  page->EmitModified();
  EXPECT_EQ(shown(), "page.txt - Draft* - Tavrix 10.0") << "content kept in the session is the session's";

  const oxString path = Path("draft.session");
  ASSERT_TRUE(fwg::SessionCommands::SaveAs(project, path));
  EXPECT_EQ(shown(), "page.txt - draft.session - Tavrix 10.0");
  EXPECT_EQ(project->GetName(), "draft") << "a first save names the session after its file";
  EXPECT_EQ(fwg::SessionCommands::GetRecentSessions().front(),
            QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString());
  EXPECT_EQ(profile->GetAction("File.RecentSession1")->GetText(), "&1 draft.session");
  EXPECT_FALSE(profile->GetAction("File.RecentSession5")->IsVisible());

  SetLayout(project, 2);
  EXPECT_EQ(shown(), "page.txt - draft.session* - Tavrix 10.0");
  // Opening the session that is open reads it again from its file, after
  // asking while it holds unsaved changes (named as the user knows it,
  // without the window title's unsaved mark).
  std::vector<std::string> asked;
  AnswerNext({QMessageBox::Cancel}, nullptr, &asked);
  EXPECT_EQ(fwg::SessionCommands::Open(path), project) << "Cancel keeps it as it is";
  EXPECT_EQ(asked, std::vector<std::string>{"\u201cdraft.session\u201d is open and has unsaved changes."});
  EXPECT_TRUE(project->IsModified());
  AnswerNext({QMessageBox::Ok});
  Project* reread = fwg::SessionCommands::Open(path);
  ASSERT_NE(reread, nullptr);
  EXPECT_FALSE(reread->IsModified());
  EXPECT_EQ(Root()->GetChildren().size(), 1u) << "read again, not opened twice";

  // The file dialogs start where the last session is, not in the folder the
  // program was started from; cancelling them changes nothing.
  const QString folder = QFileInfo(QString::fromStdString(path)).absolutePath();
  auto* other = new Project("Other");
  other->EmitCreated();
  EXPECT_EQ(Offered([other] { EXPECT_FALSE(fwg::SessionCommands::SaveAs(other)); }),
            QDir(folder).filePath("Other.session").toStdString());
  EXPECT_EQ(other->GetFileName(), "");
  EXPECT_EQ(Offered([] { EXPECT_EQ(fwg::SessionCommands::Open(), nullptr); }), folder.toStdString());

  // An entry reads the name as it stands, and tells of a session file that
  // went away.
  ASSERT_TRUE(fwg::SessionCommands::SaveAs(other, Path("R&D.session")));
  EXPECT_EQ(profile->GetAction("File.RecentSession1")->GetText(), "&1 R&&D.session");
  ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
  fwg::SessionCommands::AddRecentSession(Path("R&D.session"));
  EXPECT_EQ(profile->GetAction("File.RecentSession2")->GetText(), "&2 draft.session (missing)");
  other->Delete();
}

}  // namespace
