// What the person at the keyboard meets: quitting and closing ask while
// work is unsaved, the application's own commands stay on their keys in
// every chain.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include "fwg/clients/ClientManager.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/PaletteCommands.h"
#include "fwg/shell/HostCommands.h"
#include "platform/ui/uiManager.h"
#include "tests/support/Answer.h"
#include "tests/support/DocumentClient.h"
#include "tests/support/TestBasics.h"
#include "tests/support/WithProjects.h"

namespace {

using fwg::ClientObject;
using Titles = std::vector<std::string>;

// A client whose documents know their file: Save succeeds or not as told.
class FileClient : public DocumentClient {
 public:
  bool Save(ClientObject* document) override {
    saved.push_back(document->GetName());
    if (saves) document->SetModified(false);
    return saves;
  }
  bool Close(ClientObject* document) override { return closes && DocumentClient::Close(document); }
  Strings saved;
  bool saves = true;
  bool closes = true;
};

class AtTheKeyboard : public WithProjects {
 protected:
  void SetUp() override {
    WithProjects::SetUp();
    Window()->Show();
    client_ = new FileClient;  // owned by the client manager
    auto* base = new fwg::Profile("Base", "");
    base->AddMenu(base->AddAction("file", "&File"), "File");
    client_->AddProfile(base);
    fwg::ClientManager::Get()->SetIdleProfile("Base");
    project_ = Make<fwg::Project>("Work");
    fwg::HostCommands::Install();
    uiManager::Get()->TakeExitRequest();
  }
  ClientObject* New() {
    SetCurrent(project_);
    client_->New();
    return Active();
  }
  static ClientObject* Active() { return fwg::ClientManager::Get()->GetActiveClientObject(); }
  // Exit() with `answer` given to each question; true when it ended the
  // application.
  bool Quit(std::vector<QMessageBox::StandardButton> answers, Titles* asked) {
    AnswerNext(answers, asked);
    gui_->Exit();
    return uiManager::Get()->TakeExitRequest();
  }

  FileClient* client_ = nullptr;
  fwg::Project* project_ = nullptr;
};

TEST_F(AtTheKeyboard, QuittingAsksWhileWorkIsUnsavedAndOnlyEndsWhenTheUserSaysSo) {
  Titles asked;
  EXPECT_TRUE(Quit({}, &asked)) << "nothing unsaved: no question";
  ClientObject* note = New();
  ASSERT_TRUE(project_->IsModified());
  EXPECT_TRUE(Quit({}, &asked)) << "an untouched document in a session never saved: nothing to lose";
  note->EmitModified();
  EXPECT_FALSE(Quit({QMessageBox::Cancel}, &asked));
  EXPECT_TRUE(project_->IsModified() && Active() == note) << "Cancel keeps everything";

  // A document's own work is asked about first, and a refused save keeps
  // the application running.
  note->SetModified(true);
  client_->saves = false;
  EXPECT_FALSE(Quit({QMessageBox::Save}, &asked));
  client_->saves = true;
  EXPECT_FALSE(Quit({QMessageBox::Save, QMessageBox::Cancel}, &asked));
  EXPECT_EQ(client_->saved, (Strings{"Untitled 1", "Untitled 1"}));
  EXPECT_FALSE(note->IsModified());

  // Save goes through the session's file; a failed save says so and stays.
  const QTemporaryDir folder;
  project_->SetFileName(folder.filePath("missing/work.session").toStdString());
  EXPECT_FALSE(Quit({QMessageBox::Save}, &asked));
  EXPECT_TRUE(project_->IsModified());
  project_->SetFileName(folder.filePath("work.session").toStdString());
  EXPECT_TRUE(Quit({QMessageBox::Save}, &asked));
  EXPECT_FALSE(project_->IsModified());
  EXPECT_TRUE(QFile::exists(folder.filePath("work.session")));

  note->EmitModified();
  EXPECT_TRUE(Quit({QMessageBox::Discard}, &asked));
  EXPECT_EQ(asked, Titles(7, "Unsaved Changes"));
}

TEST_F(AtTheKeyboard, ClosingADocumentAsksWhenItHoldsWorkAndHandsOverToTheLastUsed) {
  ClientObject* first = New();
  ClientObject* second = New();
  ClientObject* third = New();
  second->Activate();
  Titles asked;
  // Untouched: it goes at once, and the one used before it takes over.
  ASSERT_TRUE(second->Close());
  EXPECT_EQ(Active(), third);
  EXPECT_TRUE(asked.empty());

  // Typed into: asks, and a client refusing keeps it.
  third->EmitModified();
  client_->closes = false;
  AnswerNext({QMessageBox::Ok}, &asked);
  EXPECT_FALSE(third->Close());
  client_->closes = true;
  AnswerNext({QMessageBox::Ok}, &asked);
  EXPECT_TRUE(third->Close());
  EXPECT_EQ(asked, (Titles{"Close Document", "Close Document"}));
  EXPECT_EQ(Active(), first);

  // The last one leaves the idle profile in force.
  project_->SetModified(false);
  EXPECT_TRUE(first->Close());
  EXPECT_EQ(Active(), nullptr);
  EXPECT_EQ(fwg::ProfileManager::Get()->GetActiveProfile()->GetName(), "Base");
  EXPECT_TRUE(project_->IsModified()) << "closing is a change of the session";
}

TEST_F(AtTheKeyboard, TheApplicationsCommandsKeepTheirKeysUnlessAProfileHoldsThem) {
  auto* own = new fwg::Profile("OwnQuit", "");
  own->AddMenu(own->AddAction("file", "&File"), "File");
  own->AddMenu(own->AddAction("quit", "&Leave", {}, "Ctrl+Q"), "File/File");
  client_->AddProfile(own);
  QAction* quit = fwg::HostCommands::GetActions().front();  // Quit comes first
  ASSERT_EQ(quit->objectName(), "Quit");
  EXPECT_EQ(quit->shortcut(), QKeySequence("Ctrl+Q"));

  const std::string err = StderrOf([&] { own->Activate(); });
  EXPECT_TRUE(quit->shortcut().isEmpty()) << "the profile's own Quit holds the key";
  EXPECT_EQ(err.find("Ctrl+Q"), std::string::npos) << "and no conflict is reported: " << err;
  // The palette's commands, each between bars.
  const auto listed = [] {
    std::string texts = "|";
    for (const auto& command : fwg::CollectPaletteCommands()) texts += command.text.toStdString() + "|";
    return texts;
  };
  ExpectContains(listed(), {"|Leave|", "|Close Document|", "|Next Document|"});
  EXPECT_FALSE(Contains(listed(), "|Quit|"));

  client_->GetProfile("Base")->Activate();
  EXPECT_EQ(quit->shortcut(), QKeySequence("Ctrl+Q")) << "given back when the chain is left";
  EXPECT_TRUE(Contains(listed(), "|Quit|"));
}

// F6 moves the keyboard from pane to pane and rings the pane it went to,
// for as long as the keyboard stays there.
TEST_F(AtTheKeyboard, NextPaneRingsThePaneThatHasTheKeyboard) {
  auto* notes = new fwg::Profile("Notes", "Base");
  auto* outline = new QLineEdit;
  outline->setObjectName("Outline");
  notes->AddDockWidget(outline, "RIGHT");
  client_->AddProfile(notes);
  QApplication::setActiveWindow(Window());
  New()->SetView(new QLineEdit);
  notes->Activate();
  const auto ring = [this]() -> QRect {
    const QWidget* cue = Window()->findChild<QWidget*>("fwgPaneCue");
    return cue && cue->isVisible() ? cue->geometry() : QRect();
  };
  const auto area = [this](QWidget* pane) { return QRect(pane->mapTo(Window(), QPoint()), pane->size()); };
  fwg::HostCommands::CyclePanes(true);  // from nowhere into the document
  ASSERT_TRUE(Active()->GetLayouter()->isAncestorOf(QApplication::focusWidget()));
  EXPECT_TRUE(ring().contains(area(Active()->GetLayouter())));
  fwg::HostCommands::CyclePanes(true);
  ASSERT_TRUE(outline->hasFocus());
  EXPECT_TRUE(ring().contains(area(outline)) && !ring().contains(area(Active()->GetLayouter())));
  Active()->GetLayouter()->FocusView();  // a click, say: no ring
  EXPECT_EQ(ring(), QRect());
}

// Shift+F10 opens the context menu of what has the keyboard, as the Menu
// key does: at its cursor, not where the mouse happens to be.
TEST_F(AtTheKeyboard, ShiftF10OpensTheContextMenuOfWhatHasTheKeyboard) {
  struct Probe : QLineEdit {
    void contextMenuEvent(QContextMenuEvent* event) override {
      asked.emplace_back(event->reason(), event->pos());
    }
    std::vector<std::pair<QContextMenuEvent::Reason, QPoint>> asked;
  };
  QApplication::setActiveWindow(Window());
  auto* view = new Probe;
  New()->SetView(view);
  view->setFocus();
  QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_EQ(view->asked.size(), 1u);
  EXPECT_EQ(view->asked[0].first, QContextMenuEvent::Keyboard);
  EXPECT_TRUE(view->rect().contains(view->asked[0].second));
}

}  // namespace
