// The user's files as a person meets them: opened by type and once,
// saved where they came from, kept by path in sessions, watched for other
// programs' changes, listed among the recent files; every failure one
// message, and nothing else changed.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include "fwg/Parts.h"
#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/FileTypes.h"
#include "fwg/clients/TextDocument.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/PrintCommands.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/objects/SessionRecovery.h"
#include "fwg/objects/UnsavedWork.h"
#include "fwg/profiles/UserShortcuts.h"
#include "fwg/profiles/UserToolBars.h"
#include "fwg/shell/InfoBar.h"
#include "platform/ui/uiMainWindow.h"
#include "fwg/shell/SingleInstance.h"
#include "fwg/shell/ToolBarsDialog.h"
#include "platform/oxapp/Application.h"
#include "tests/ChildProcess.h"
#include "tests/support/Answer.h"
#include "tests/support/FilledProfile.h"
#include "tests/support/Output.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/WithProjects.h"

namespace {

using fwg::ClientObject;
using fwg::FileCommands;

// A text editor as a plug-in author writes one: a plain text view per
// document, its file read and written by a TextDocument.
class TextClient : public fwg::Client {
 public:
  TextClient() : fwg::Client("Texts") {}
  void OpenFile(const oxString& path) override {
    ClientObject* document = Make(QFileInfo(uiStr(path)).fileName().toStdString());
    if (!document->GetDocument()->Open(path, nullptr)) {
      document->Delete();
      return;
    }
    document->Activate();
  }
  void New() override { Make("Text " + std::to_string(++made))->Activate(); }
  static QPlainTextEdit* ViewOf(ClientObject* document) {
    return static_cast<QPlainTextEdit*>(document->GetView());
  }
  int made = 0;

 private:
  ClientObject* Make(const oxString& name) {
    fwg::Project::UseCurrent("Untitled");
    auto* document = new ClientObject(this, name, true);
    auto* view = new QPlainTextEdit;
    document->SetView(view);
    document->SetDocument(new fwg::TextDocument(view->document()));
    return document;
  }
};

class Files : public WithProjects {
 protected:
  void SetUp() override {
    WithProjects::SetUp();
    client_ = new TextClient;  // the manager owns it
    // Logs: the build's notes take plain text; a log is named exactly.
    fwg::FileTypes::Get()->Add("Texts", "text/x-log", {}, "test");
    FileCommands::ClearRecentFiles();
  }

  std::string Path(const char* name) const { return QDir(dir_.path()).filePath(name).toStdString(); }
  std::string Write(const char* name, const std::string& content) const {
    const std::string path = Path(name);
    EXPECT_TRUE(WriteAll(path, content));
    return path;
  }
  static size_t CountDocuments() { return Root()->GetChildren({}, ClientObject::S_ClassName(), true, true).size(); }
  // The texts of the error boxes shown since the last call, which closes them.
  std::string ClosePendingErrors() const {
    std::string texts;
    for (QMessageBox* box : Window()->findChildren<QMessageBox*>("ErrorBox")) {
      texts += box->text().toStdString() + "\n";
      delete box;
    }
    return texts;
  }

  QTemporaryDir dir_;
  TextClient* client_ = nullptr;
};

TEST_F(Files, AFileOpensOnceByItsTypeAndSavesWhereItCameFrom) {
  const std::string path = Write("a.log", "first line\n");
  ClientObject* note = FileCommands::Open(path);
  ASSERT_NE(note, nullptr) << ClosePendingErrors();
  EXPECT_EQ(note->GetFilePath(), path);
  EXPECT_EQ(note->GetTitle(), "a.log");
  EXPECT_EQ(TextClient::ViewOf(note)->toPlainText(), "first line\n");
  EXPECT_FALSE(note->IsModified());
  EXPECT_FALSE(note->HasUnsavedContent()) << "the file holds the work, not the session";
  EXPECT_EQ(FileCommands::GetRecentFiles(), oxStlVector<oxString>{path});

  client_->New();
  EXPECT_EQ(FileCommands::Open(path), note) << "open already: brought forward, not opened twice";
  EXPECT_EQ(fwg::ClientManager::Get()->GetActiveClientObject(), note);
  EXPECT_EQ(CountDocuments(), 2u);

  TextClient::ViewOf(note)->appendPlainText("second line");
  EXPECT_TRUE(note->IsModified());
  EXPECT_TRUE(FileCommands::Save(note));
  EXPECT_EQ(ReadAll(path), "first line\n\nsecond line");
  EXPECT_FALSE(note->IsModified());

  // Save As moves the document to the new file, which it is known by.
  EXPECT_TRUE(FileCommands::SaveAs(note, Path("b.log")));
  EXPECT_EQ(note->GetTitle(), "b.log");
  EXPECT_EQ(note->GetName(), "b.log");
  EXPECT_EQ(FileCommands::FindDocument(Path("b.log")), note);
  EXPECT_EQ(FileCommands::FindDocument(path), nullptr);
  EXPECT_EQ(FileCommands::GetRecentFiles(), (oxStlVector<oxString>{Path("b.log"), path}));

  // A new text typed into is work of its session until Save As gives it a
  // file, which holds it from then on.
  ClientObject* text = client_->GetClientObjectsList().front() == note ? client_->GetClientObjectsList().back()
                                                                      : client_->GetClientObjectsList().front();
  ASSERT_NE(text, note);
  text->Activate();
  TextClient::ViewOf(text)->insertPlainText("shopping");
  text->EmitModified();  // as its client tells of typing
  EXPECT_TRUE(Window()->windowTitle().contains("Untitled*")) << Window()->windowTitle().toStdString();
  ASSERT_TRUE(FileCommands::SaveAs(text, Path("list.log")));
  EXPECT_TRUE(Window()->windowTitle().startsWith("list.log[*] - Untitled - ")) << Window()->windowTitle().toStdString();
  EXPECT_FALSE(fwg::UnsavedWork::IsUnsaved(fwg::Project::Cast(text->GetParent())));
  note->Activate();

  // Revert asks while there are changes, and keeps them on Cancel.
  TextClient::ViewOf(note)->selectAll();
  TextClient::ViewOf(note)->insertPlainText("scratch");
  AnswerNext({QMessageBox::No});
  EXPECT_FALSE(FileCommands::Revert(note));
  EXPECT_EQ(TextClient::ViewOf(note)->toPlainText(), "scratch");
  AnswerNext({QMessageBox::Yes});
  EXPECT_TRUE(FileCommands::Revert(note));
  EXPECT_EQ(TextClient::ViewOf(note)->toPlainText(), "first line\n\nsecond line");
  EXPECT_EQ(ClosePendingErrors(), "");
}

TEST_F(Files, WhatCannotBeOpenedIsToldInOneMessageAndChangesNothing) {
  const std::string fifo = Path("pipe.log");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    const char* reason;
  } kCases[] = {
      {Path("missing.log"), "there is no such file"},
      {dir_.path().toStdString(), "it is a folder"},
      {Write("photo.png", "\x89PNG\r\n\x1a\n"), "no installed client opens files of this type"},
      {Write("binary.log", std::string("a\0b", 3)), "it is not a text file"},
      {fifo, "it is not a regular file"},
  };
  for (const auto& bad : kCases) {
    EXPECT_EQ(FileCommands::Open(bad.path), nullptr) << bad.path;
    const std::string shown = ClosePendingErrors();
    EXPECT_EQ(CountLines(shown), 1) << shown;
    ExpectContains(shown, {"Could not open", QFileInfo(uiStr(bad.path)).fileName().toStdString(), bad.reason});
    EXPECT_EQ(CountDocuments(), 0u) << bad.path;
    EXPECT_TRUE(Root()->GetChildren().empty()) << "no project was left behind for " << bad.path;
  }
  EXPECT_TRUE(FileCommands::GetRecentFiles().empty());

  // Several files at once (named at start, chosen together, dropped): those
  // that open do, the rest are told in one box, a line each, titled by the
  // application rather than a session that came and went.
  const std::string good = Write("good.log", "fine\n");
  EXPECT_TRUE(FileCommands::OpenFiles({kCases[0].path, good, kCases[3].path}));
  EXPECT_EQ(CountDocuments(), 1u);
  const auto boxes = Window()->findChildren<QMessageBox*>("ErrorBox");
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_FALSE(boxes.front()->windowTitle().contains("Untitled")) << boxes.front()->windowTitle().toStdString();
  const std::string shown = ClosePendingErrors();
  EXPECT_EQ(CountLines(shown), 3) << shown;
  ExpectContains(shown, {"These files could not be opened:\n", "missing.log\u201d: there is no such file.\n",
                         "binary.log\u201d: it is not a text file.\n"});
  EXPECT_FALSE(FileCommands::OpenFiles({kCases[0].path}));
  EXPECT_EQ(ClosePendingErrors(), "Could not open \u201c" + kCases[0].path + "\u201d: there is no such file.\n");
}

// A file size limit stands in for a full disk.
TEST_F(Files, AFailedSaveSaysWhyAndLeavesTheOldFileByteForByte) {
  const std::string path = Write("kept.log", "the old text\n");
  ClientObject* note = FileCommands::Open(path);
  ASSERT_NE(note, nullptr);
  TextClient::ViewOf(note)->insertPlainText(QString(64 * 1024, 'x'));
  const ChildResult child = RunInChild(
      [&] {
        const bool saved = FileCommands::Save(note);
        const auto boxes = Window()->findChildren<QMessageBox*>("ErrorBox");
        return !saved && boxes.size() == 1 &&
                       boxes.front()->text().contains(QString::fromUtf8(std::strerror(EFBIG)))
                   ? 0
                   : 1;
      },
      1024);
  EXPECT_EQ(child.exitCode, 0) << child.error;
  EXPECT_EQ(ReadAll(path), "the old text\n");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"kept.log"}) << "no temporary file is left";
}

TEST_F(Files, ASessionKeepsFilesByPathAndOpensThemAgain) {
  const std::string path = Write("kept.log", "the file's text\n");
  ClientObject* note = FileCommands::Open(path);
  ASSERT_NE(note, nullptr);
  client_->New();  // a document of the session itself
  ClientObject* own = fwg::ClientManager::Get()->GetActiveClientObject();
  TextClient::ViewOf(own)->setPlainText("the session's text");
  oxt::Property text("Text", oxt::Variant(oxString("the session's text")));
  own->AddProperty(text);
  const std::string session = Path("work.session");
  auto* project = fwg::Project::Cast(note->GetParent());
  ASSERT_TRUE(project->SaveSession(session));
  const std::string saved = ReadAll(session);
  ExpectContains(saved, {path, "the session's text"});
  EXPECT_FALSE(Contains(saved, "the file's text")) << "the file keeps its own content";

  project->Delete();
  WriteAll(path, "changed meanwhile\n");
  fwg::Project* reopened = fwg::SessionCommands::Open(session);
  ASSERT_NE(reopened, nullptr);
  ClientObject* again = FileCommands::FindDocument(path);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(TextClient::ViewOf(again)->toPlainText(), "changed meanwhile\n");
  EXPECT_FALSE(again->IsModified());
  EXPECT_EQ(ClosePendingErrors(), "");

  // A file gone since is told, and the document keeps naming it.
  reopened->Delete();
  ASSERT_TRUE(QFile::remove(uiStr(path)));
  reopened = fwg::SessionCommands::Open(session);
  ASSERT_NE(reopened, nullptr) << "a missing file is not fatal";
  ExpectContains(ClosePendingErrors(), {"these files of it were not", path});
  ASSERT_NE(FileCommands::FindDocument(path), nullptr);
}

// A crash loses no typing in a file: the recovery file keeps what the file
// lacks, and the restored document shows it, modified, the file untouched.
TEST_F(Files, ChangesAFileLacksComeBackAfterACrash) {
  const std::string path = Write("draft.log", "saved part\n");
  ClientObject* note = FileCommands::Open(path);
  ASSERT_NE(note, nullptr);
  TextClient::ViewOf(note)->moveCursor(QTextCursor::End);
  TextClient::ViewOf(note)->insertPlainText("typed since");
  oxapp::CommandLine::Get()->SetArguments({"tavrix", "-recover"});
  const QString recoveryFile = uiStr(fwg::SessionRecovery::GetRecoveryFile());
  std::string autosaved;
  {
    fwg::SessionRecovery recovery;
    ASSERT_TRUE(recovery.Autosave());
    autosaved = ReadAll(recoveryFile.toStdString());
    ASSERT_FALSE(autosaved.empty()) << "unsaved typing in a file is work to keep";
    note->GetParent()->Delete();
  }
  // What a run that did not end cleanly leaves behind.
  ASSERT_TRUE(WriteAll(recoveryFile.toStdString(), autosaved));
  fwg::SessionRecovery next;
  ASSERT_EQ(next.Offer().size(), 1u);
  ClientObject* restored = FileCommands::FindDocument(path);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(TextClient::ViewOf(restored)->toPlainText(), "saved part\ntyped since");
  EXPECT_TRUE(restored->IsModified());
  EXPECT_EQ(ReadAll(path), "saved part\n");
  const auto bars = fwg::InfoBar::GetBars(restored->GetLayouter());
  ASSERT_EQ(bars.size(), 1u) << "the document says its work is back, unsaved";
  ExpectContains(bars[0]->GetText(), {"Restored"});
  EXPECT_EQ(bars[0]->GetButtonTexts(), oxStlVector<oxString>{"&Save"});
}

// The news comes as a bar in the document's frame, which stops nothing:
// one bar for a burst, and the document untouched until a button says.
TEST_F(Files, AFileChangedElsewhereIsToldOnceAndUnsavedEditsAreNeverDroppedUnasked) {
  const std::string path = Write("watched.log", "one\n");
  ClientObject* note = FileCommands::Open(path);
  ASSERT_NE(note, nullptr);
  QWidget* frame = note->GetLayouter();
  const auto bars = [frame] { return fwg::InfoBar::GetBars(frame); };
  const auto press = [&](const char* text) {
    ASSERT_EQ(bars().size(), 1u);
    for (QPushButton* button : bars()[0]->findChildren<QPushButton*>())
      if (button->text() == text) return button->click();
    FAIL() << "no button " << text;
  };
  TextClient::ViewOf(note)->insertPlainText("my edit: ");
  for (const char* content : {"two\n", "three\n", "four\n"}) WriteAll(path, content);
  QTRY_COMPARE_WITH_TIMEOUT(bars().size(), 1u, 20000);
  WriteAll(path, "five\n");
  QTest::qWait(100);
  QCoreApplication::processEvents();
  ASSERT_EQ(bars().size(), 1u) << "once for the burst";
  ExpectContains(bars()[0]->GetText(), {"watched.log", "was changed by another program", "lose your unsaved changes"});
  EXPECT_EQ(bars()[0]->GetButtonTexts(), (oxStlVector<oxString>{"&Reload", "&Keep Mine"}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "nothing waits for the answer";
  EXPECT_EQ(TextClient::ViewOf(note)->toPlainText(), "one\nmy edit: ");
  press("&Keep Mine");
  EXPECT_EQ(TextClient::ViewOf(note)->toPlainText(), "one\nmy edit: ");
  EXPECT_TRUE(note->IsModified());

  // Without edits of its own the user may take the new content.
  ASSERT_TRUE(FileCommands::Save(note));
  QTRY_VERIFY_WITH_TIMEOUT(bars().empty(), 20000);
  WriteAll(path, "theirs\n");
  QTRY_COMPARE_WITH_TIMEOUT(bars().size(), 1u, 20000);
  press("&Reload");
  EXPECT_EQ(TextClient::ViewOf(note)->toPlainText(), "theirs\n");
  EXPECT_FALSE(note->IsModified());

  // A removed file: the document keeps its text, now unsaved work.
  QTRY_VERIFY_WITH_TIMEOUT(bars().empty(), 20000);
  ASSERT_TRUE(QFile::remove(uiStr(path)));
  QTRY_COMPARE_WITH_TIMEOUT(bars().size(), 1u, 20000);
  ExpectContains(bars()[0]->GetText(), {"was removed or renamed"});
  EXPECT_TRUE(note->IsModified());
  press("&Save");
  EXPECT_EQ(ReadAll(path), "theirs\n");
}

// The host started again with two files gives them to this process, the
// instance running, and ends; with -new-instance it runs on its own. A
// socket left behind by an instance that was killed stands in nobody's way.
TEST_F(Files, ASecondStartHandsItsFilesToTheRunningInstance) {
  oxapp::Application::Get()->SetName("tavrix");  // the host's socket name
  {
    // What a killed instance leaves: a socket file nobody listens on.
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = fwg::SingleInstance::GetServerName();
    ASSERT_LT(name.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, name.c_str());
    const int stale = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(stale);
  }
  EXPECT_FALSE(fwg::SingleInstance::HandOver({Path("x.log")}, "")) << "nobody there";
  ASSERT_TRUE(fwg::SingleInstance::Listen());
  oxStlVector<oxString> handed;
  oxListenerBase listener;
  fwg::SingleInstance::OnHandedOver().Connect(
      &listener, [&](const oxStlVector<oxString>& files, const oxString&) { handed = files; });
  const auto run = [this](QStringList arguments) {
    QProcess host;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("FWG_PLUGIN_PATH", FILECOMMANDSTEST_PLUGIN_DIR);
    environment.insert("SESSIONPROBE", "describe");  // its own run ends at once
    host.setProcessEnvironment(environment);
    host.setWorkingDirectory(dir_.path());
    host.start(FILECOMMANDSTEST_HOST, arguments);
    // This process answers the child: events run while it waits (and may
    // be where the child's end is noted).
    while (host.state() != QProcess::NotRunning) {
      host.waitForFinished(20);
      QCoreApplication::processEvents();
    }
    return host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1;
  };
  const std::string a = Write("a.log", "apples\n"), b = Write("b.log", "bananas\n");
  EXPECT_EQ(run({"a.log", uiStr(b), "-client", "Texts"}), 0);
  QTRY_COMPARE_WITH_TIMEOUT(handed.size(), 2u, 20000);
  EXPECT_EQ(client_->made, 1) << "the client's new document, as at a start";
  EXPECT_EQ(handed, (oxStlVector<oxString>{a, b})) << "a name relative to where it was started";
  ASSERT_NE(FileCommands::FindDocument(a), nullptr);
  ASSERT_NE(FileCommands::FindDocument(b), nullptr);
  EXPECT_EQ(fwg::ClientManager::Get()->GetActiveClientObject(), FileCommands::FindDocument(b));

  const std::string c = Write("c.log", "cherries\n");
  EXPECT_EQ(run({"-new-instance", uiStr(c), "-client", "sessionprobe"}), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(FileCommands::FindDocument(c), nullptr);
  EXPECT_EQ(handed.size(), 2u);
  fwg::SingleInstance::StopListening();
  EXPECT_FALSE(fwg::SingleInstance::IsListening());
  EXPECT_FALSE(QFileInfo::exists(uiStr(fwg::SingleInstance::GetServerName()))) << "the socket goes with it";
}

TEST_F(Files, RecentFilesKeepTheLastTenMostRecentFirstAndMarkMissingOnes) {
  auto* profile = new FilledProfile("FileUser", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    FileCommands::Install(p, "File");
    p->AddToolBar(p->GetAction("File.OpenFile"), "Main");
  }, FilledProfile::FillAt::Build);
  client_->AddProfile(profile);  // owned by the client
  profile->Activate();
  EXPECT_FALSE(profile->GetAction("File.RecentFiles")->IsEnabled()) << "greyed while empty";
  const std::string kept = Write("kept.log", "here\n");
  FileCommands::AddRecentFile(Path("gone.log"));
  EXPECT_TRUE(profile->GetAction("File.RecentFiles")->IsEnabled());
  FileCommands::AddRecentFile(kept);
  EXPECT_EQ(profile->GetAction("File.RecentFile1")->GetText(), "&1 kept.log");
  EXPECT_EQ(profile->GetAction("File.RecentFile2")->GetText(), "&2 gone.log (missing)");
  EXPECT_FALSE(profile->GetAction("File.RecentFile3")->IsVisible());
  // A key or a button would open whatever stands first then, not kept.log:
  // the entries are offered neither in the Keyboard Shortcuts dialog nor in
  // Customize Toolbars.
  std::set<oxString> keyable;
  for (const fwg::UserShortcuts::Command& command : fwg::UserShortcuts::GetCommands()) {
    if (command.profile == profile) keyable.insert(command.actionName);
  }
  EXPECT_FALSE(keyable.count("File.RecentFile1") || keyable.count("File.RecentFile2"));
  EXPECT_TRUE(keyable.count("File.ClearRecentFiles") && keyable.count("File.OpenFile"));
  auto* toolBars = new fwg::ToolBarsDialog;
  EXPECT_FALSE(toolBars->AddEntry(fwg::UserToolBars::MakeToken(profile, "File.RecentFile1")));
  EXPECT_TRUE(toolBars->AddEntry(fwg::UserToolBars::MakeToken(profile, "File.ClearRecentFiles")));
  toolBars->reject();
  AnswerNext({QMessageBox::Yes});  // remove it from the list
  profile->GetAction("File.RecentFile2")->Activate();
  EXPECT_EQ(FileCommands::GetRecentFiles(), oxStlVector<oxString>{kept});
  EXPECT_EQ(ClosePendingErrors(), "") << "a missing file is asked about, not an error";
  for (int i = 0; i < 12; ++i) FileCommands::AddRecentFile(Path(("f" + std::to_string(i)).c_str()));
  const oxStlVector<oxString> recent = FileCommands::GetRecentFiles();
  ASSERT_EQ(recent.size(), 10u);
  EXPECT_EQ(recent.front() + " " + recent.back(), Path("f11") + " " + Path("f2"));
}

// The file and session commands wait for something to act on, as Print
// does: Save, Save As and Save All for a document or a session, Revert
// for a document that has a file, the session's own for a session.
TEST_F(Files, CommandsAreGreyedWhileThereIsNothingForThem) {
  auto* profile = new FilledProfile("Saving", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    FileCommands::Install(p, "File");
    fwg::SessionCommands::Install(p, "File");
  }, FilledProfile::FillAt::Build);
  client_->AddProfile(profile);  // owned by the client
  profile->Activate();
  const auto enabled = [profile] {
    std::string shown;
    for (const char* name : {"File.Save", "File.SaveAs", "File.SaveAll", "File.Revert", "File.SaveSession",
                             "File.SaveSessionAs"}) {
      shown += profile->GetAction(name)->IsEnabled() ? '1' : '0';
    }
    return shown;
  };
  EXPECT_EQ(enabled(), "000000") << "an empty window has nothing to save";
  client_->New();
  EXPECT_EQ(enabled(), "111011") << "a new text lives in its session until it has a file";
  ClientObject* note = FileCommands::Open(Write("a.log", "first\n"));
  ASSERT_NE(note, nullptr) << ClosePendingErrors();
  EXPECT_EQ(enabled(), "111111");
  ClientObject* text = fwg::ClientManager::Get()->GetRecentClientObjects().back();
  text->Activate();
  EXPECT_EQ(enabled(), "111011");
  ASSERT_TRUE(FileCommands::SaveAs(text, Path("b.log")));
  EXPECT_EQ(enabled(), "111111") << "saved to a file, it can be read again from there";
  for (ClientObject* document : {note, text}) document->Delete();
  QCoreApplication::processEvents();
  EXPECT_EQ(enabled(), "111011") << "the session stays when its documents close";
  for (oxt::Object* project : Root()->GetChildren()) project->Delete();
  QCoreApplication::processEvents();
  EXPECT_EQ(enabled(), "000000");
}

// A long text prints over several pages, every line readable in the PDF;
// the entries wait for a document, and an export that cannot be written
// says so and leaves the old file.
TEST_F(Files, ATextPrintsToPdfOverAsManyPagesAsItTakes) {
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  auto* profile = new FilledProfile("Printing", "", [](fwg::Profile* p) {
    p->AddMenu(p->AddAction("file", "&File"), "File");
    fwg::PrintCommands::Install(p, "File");
  }, FilledProfile::FillAt::Build);
  client_->AddProfile(profile);  // owned by the client
  profile->Activate();
  fwg::Action* print = profile->GetAction("File.Print");
  ASSERT_NE(print, nullptr);
  EXPECT_FALSE(print->IsEnabled()) << "nothing to print yet";
  std::string text;
  for (int i = 1; i <= 150; ++i) text += "Line number " + std::to_string(i) + " of the list\n";
  ClientObject* note = FileCommands::Open(Write("long.log", text));
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(print->IsEnabled());
  EXPECT_TRUE(profile->GetAction("File.ExportPdf")->IsEnabled());

  // Qt's print support comes with the first print dialog, not before; the
  // preview paints the document.
  const auto printSupportLoaded = [] { return ReadAll("/proc/self/maps").find("libQt6PrintSupport") != std::string::npos; };
  EXPECT_FALSE(printSupportLoaded());
  bool previewed = false;
  QTimer::singleShot(0, [&] {
    previewed = QApplication::activeModalWidget() != nullptr;
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  EXPECT_FALSE(fwg::PrintCommands::PrintPreview(note)) << "cancelled";
  EXPECT_TRUE(previewed);
  EXPECT_TRUE(printSupportLoaded());

  const std::string pdf = Path("long.pdf");
  ASSERT_TRUE(fwg::PrintCommands::ExportPdf(note, pdf)) << ClosePendingErrors();
  EXPECT_EQ(fwg::FindMainWindow()->statusBar()->currentMessage(),
            QString("Exported \u201c%1\u201d").arg(QDir::toNativeSeparators(uiStr(pdf))));
  QProcess reader;
  reader.start(pdftotext, {"-layout", uiStr(pdf), "-"});
  ASSERT_TRUE(reader.waitForFinished(60000));
  const QString printed = QString::fromUtf8(reader.readAllStandardOutput());
  for (int i : {1, 2, 75, 150}) EXPECT_TRUE(printed.contains(QString("Line number %1 of the list").arg(i))) << i;
  EXPECT_GE(printed.count('\f'), 2) << "a page holds a hundred lines at most";

  const std::string kept = ReadAll(pdf);
  if (const ReadOnlyFolder locked(dir_.path()); locked.IsLocked()) {
    EXPECT_FALSE(fwg::PrintCommands::ExportPdf(note, pdf));
    const std::string shown = ClosePendingErrors();
    EXPECT_EQ(CountLines(shown), 1) << shown;
    ExpectContains(shown, {"Could not export", "long.pdf"});
  }
  EXPECT_EQ(ReadAll(pdf), kept);

  note->Delete();
  QCoreApplication::processEvents();
  EXPECT_FALSE(print->IsEnabled());
}

}  // namespace
