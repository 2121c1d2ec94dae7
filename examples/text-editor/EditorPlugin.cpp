// "Editor": the user's text files, each a document with a QPlainTextEdit.
// Opening, saving, Save As, Recent Files and watching the files for other
// programs' changes are the framework's; the plug-in says how a document
// is made for a file, and a TextDocument reads and writes its text.
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <iostream>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/TextDocument.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiMainWindow.h"

namespace {

const char kProfile[] = "Editor";

class EditorProfile : public fwg::Profile {
 public:
  EditorProfile() : fwg::Profile(kProfile) {}

  void Build() override {
    // A menu takes its title from its first action, which stays hidden.
    fwg::Action* title = AddAction("editor.menu", "&Editor");
    AddMenu(title, "Editor");
    title->SetVisible(false);

    // The editor's own Open, on the standard key: it wins the key over the
    // framework's Open File while an editor document is active.
    fwg::Action* open = AddAction("editor.open", "&Open Text...", {}, "Ctrl+O");
    open->SetStatusTip("Opens text files in the editor");
    AddMenu(open, "Editor/Open");
    open->OnActivate().Connect(this, [] {
      const QStringList files = QFileDialog::getOpenFileNames(
          fwg::Gui::Get()->GetMainWindow(), "Open Text", {}, "Text files (*.txt *.log *.csv)");
      for (const QString& file : files) fwg::FileCommands::Open(file.toStdString());
    });

    fwg::Action* wrap = AddAction("editor.wrap", "&Word Wrap", {}, "Alt+Z");
    wrap->SetCheckable(true);
    AddMenu(wrap, "Editor/Wrap");
    wrap->OnToggle().Connect(this, [](bool on) {
      for (QPlainTextEdit* view : fwg::Gui::Get()->GetMainWindow()->findChildren<QPlainTextEdit*>())
        view->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    });
  }
};

class EditorClient : public fwg::Client {
 public:
  EditorClient() : fwg::Client("Editor") { AddProfile(new EditorProfile); }  // the client owns it

  void New() override {
    fwg::ClientObject* document = Make("Text " + std::to_string(++count_));
    Show(document);
    std::cout << "editor: " << document->GetName() << "\n" << std::flush;
  }

  // A document for the file, or none when it cannot be read: the framework
  // then tells the user why.
  void OpenFile(const oxString& path) override {
    fwg::ClientObject* document = Make(QFileInfo(QString::fromStdString(path)).fileName().toStdString());
    if (!document->GetDocument()->Open(path, nullptr)) {
      document->Delete();
      return;
    }
    Show(document);
    const auto* view = static_cast<QPlainTextEdit*>(document->GetView());
    std::cout << "editor: opened " << document->GetTitle() << " (" << view->blockCount()
              << " lines)\n" << std::flush;
  }

 private:
  fwg::ClientObject* Make(const oxString& name) {
    fwg::Project::UseCurrent("Texts");
    auto* document = new fwg::ClientObject(this, name, true);
    auto* view = new QPlainTextEdit;
    document->SetView(view);  // the document owns the view from now on
    document->SetDocument(new fwg::TextDocument(view->document()));
    return document;
  }
  static void Show(fwg::ClientObject* document) {
    document->SetProfile(kProfile);
    document->Activate();
    document->GetView()->setFocus();
  }

  int count_ = 0;
};

void LoadEditor(const fwc::PluginDescription&) { new EditorClient; }  // the manager owns it

}  // namespace

FWC_PLUGIN(LoadEditor)
