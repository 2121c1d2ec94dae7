// The base's edit commands on the text widget that has the keyboard, in
// whatever document, with no code of the document's client.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include "fwg/actions/Action.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/shell/EditCommands.h"
#include "platform/ui/uiAction.h"
#include "tests/support/DocumentClient.h"
#include "tests/support/FilledProfile.h"
#include "tests/support/WithGui.h"

namespace {

using fwg::EditCommands;

class EditRouting : public WithGui {
 protected:
  void SetUp() override {
    WithGui::SetUp();
    base_ = new FilledProfile("Base", "", [](fwg::Profile* p) {
      const std::pair<const char*, EditCommands::Command> kCommands[] = {
          {"undo", EditCommands::Undo}, {"redo", EditCommands::Redo}, {"cut", EditCommands::Cut},
          {"copy", EditCommands::Copy}, {"paste", EditCommands::Paste}, {"selectAll", EditCommands::SelectAll}};
      for (const auto& [name, command] : kCommands) EditCommands::Route(p->AddAction(name, name), command);
    });
    client_ = new DocumentClient;
    Window()->Show();
    QApplication::setActiveWindow(Window());
  }
  // A document of the client showing `view`, with the keyboard in it.
  template <class View>
  View* Document(View* view) {
    client_->New();
    fwg::ClientManager::Get()->GetActiveClientObject()->SetView(view);
    base_->Activate();
    view->setFocus();
    return view;
  }
  // The routed commands that are enabled.
  std::string Enabled() const {
    std::string names;
    for (const char* name : {"undo", "redo", "cut", "copy", "paste", "selectAll"})
      if (base_->GetAction(name)->IsEnabled()) names += std::string(names.empty() ? "" : " ") + name;
    return names;
  }
  void Trigger(const char* name) { base_->GetAction(name)->GetUiAction()->trigger(); }

  fwg::Profile* base_ = nullptr;
  DocumentClient* client_ = nullptr;
};

TEST_F(EditRouting, TheCommandsActOnTheTextWidgetWithTheKeyboardAsItsStateAllows) {
  QGuiApplication::clipboard()->setText("milk");
  auto* note = Document(new QPlainTextEdit);
  EXPECT_EQ(Enabled(), "paste");
  QTest::keyClicks(note, "eggs");
  EXPECT_EQ(Enabled(), "undo paste selectAll");
  Trigger("selectAll");
  EXPECT_EQ(Enabled(), "undo cut copy paste selectAll");
  Trigger("cut");
  EXPECT_EQ(note->toPlainText(), "");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "eggs");
  Trigger("undo");
  EXPECT_EQ(note->toPlainText(), "eggs");
  EXPECT_EQ(Enabled(), "undo redo paste selectAll");

  // F10 gives the keyboard to the menu bar: the commands stay with the note.
  Window()->menuBar()->setFocus();
  EXPECT_EQ(Enabled(), "undo redo paste selectAll");

  // A line of another document, read-only: nothing that would change it.
  auto* line = Document(new QLineEdit("butter"));
  line->setReadOnly(true);
  line->selectAll();
  EXPECT_EQ(Enabled(), "copy selectAll");
  Trigger("paste");
  EXPECT_EQ(line->text(), "butter");

  // No text widget has the keyboard: nothing to do.
  auto* other = Document(new QWidget);
  other->setFocusPolicy(Qt::StrongFocus);
  other->setFocus();
  EXPECT_EQ(Enabled(), "");
  EXPECT_FALSE(EditCommands::Run(EditCommands::SelectAll));
  note->setFocus();
  EXPECT_TRUE(EditCommands::Run(EditCommands::SelectAll));
}

// A client with edit logic of its own says so by replacing the command:
// the replacement runs, the text widget is left alone.
TEST_F(EditRouting, AReplacedCommandIsTheClientsOwn) {
  int own = 0;
  auto* sketch = new FilledProfile("Sketch", "Base", [&own](fwg::Profile* p) {
    fwg::Action* undo = p->ReplaceAction("undo");
    undo->SetEnabled(true);  // its state is the client's to keep
    undo->OnActivate().Connect(nullptr, [&own] { ++own; });
  });
  auto* note = Document(new QPlainTextEdit);
  QTest::keyClicks(note, "eggs");
  sketch->Activate();
  sketch->GetAction("undo")->Activate();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(note->toPlainText(), "eggs");
}

}  // namespace
