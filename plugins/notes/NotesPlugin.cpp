// The demo's "Notes" client. Each New() makes a note: a document with a
// plain text view, placed in the current project (made on first use) and
// activated, which puts the NotesEditor profile's File menu and toolbar in
// force. Notes are opened from and saved to plain text files, and whole
// sessions of notes through the File menu's session commands.
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSaveFile>
#include <iostream>
#include <string>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Project.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/profiles/Profile.h"
#include "fwg/shell/CentralWidget.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"

namespace {

const char kProfile[] = "NotesEditor";
const char kText[] = "TEXT";

class NoteView : public uiWidgetT<QPlainTextEdit> {
  UI_OBJECT(NoteView, uiWidget)

 public:
  explicit NoteView(const oxString& name) { SetName(name); }
};

// A note owns its view; its layouter only shows it. Its text is kept in
// the session as the content piece "TEXT".
class Note : public fwg::ClientObject {
 public:
  Note(fwg::Client* client, const oxString& name)
      : fwg::ClientObject(client, name, true), view_(new NoteView(name)) {
    if (uiLayoutFrameEx* layouter = GetLayouter()) layouter->AddView(view_);
    // Typing is a change of the session.
    QObject::connect(view_, &QPlainTextEdit::textChanged, view_, [this] { EmitModified(); });
  }
  ~Note() override { delete view_.data(); }

  void WriteContent(oxt::FileElement* element) override {
    AddContent(element, kText, oxStr(view_->toPlainText()));
  }
  void ReadContent(oxt::FileElement* element) override {
    oxString text;
    if (GetContent(element, kText, &text)) view_->setPlainText(uiStr(text));
  }

  QPlainTextEdit* GetView() const { return view_; }
  // The file the note was opened from or last saved to; "" before.
  const oxString& GetPath() const { return path_; }
  void SetPath(const oxString& path) { path_ = path; }

 private:
  QPointer<NoteView> view_;
  oxString path_;
};

class NotesClient;

// File menu and toolbar of the notes. Built at its first activation, when
// the first note becomes the active document.
class NotesEditor : public fwg::Profile {
 public:
  explicit NotesEditor(NotesClient* client);
  void Build() override;

 private:
  NotesClient* client_;
};

class NotesClient : public fwg::Client {
 public:
  NotesClient() : fwg::Client("Notes") {
    // Owned by the client, which takes it out of the profile manager when
    // it goes.
    AddProfile(new NotesEditor(this));
    SetDefaultProfile(kProfile);
  }

  void New() override {
    MakeNote("Note " + std::to_string(++count_));
    fwg::Client::New();
  }

  // Nothing is made when the file cannot be read.
  void OpenFile(const oxString& path) override {
    QFile file(uiStr(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
      std::cerr << "fwg: notes: cannot open '" << path << "': " << oxStr(file.errorString())
                << "\n";
      return;
    }
    const QString text = QString::fromUtf8(file.readAll());
    Note* note = MakeNote(oxStr(QFileInfo(file).completeBaseName()));
    note->GetView()->setPlainText(text);
    note->SetPath(path);
    fwg::Client::OpenFile(path);
  }

  // Asks for a file name the first time.
  bool Save(fwg::ClientObject* object) override {
    auto* note = dynamic_cast<Note*>(object);
    if (!note) return false;
    oxString path = note->GetPath();
    if (path.empty()) {
      path = oxStr(QFileDialog::getSaveFileName(fwg::Gui::Get()->GetMainWindow(), "Save Note",
                                                uiStr(note->GetName() + ".txt"),
                                                "Text files (*.txt)"));
    }
    if (path.empty() || !SaveAs(note, path)) return false;
    return fwg::Client::Save(note);
  }

  // Written whole or not at all; the note takes the file's name.
  bool SaveAs(fwg::ClientObject* object, const oxString& path) override {
    auto* note = dynamic_cast<Note*>(object);
    if (!note) return false;
    QSaveFile file(uiStr(path));
    const QByteArray text = note->GetView()->toPlainText().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
      std::cerr << "fwg: notes: cannot save '" << path << "': " << oxStr(file.errorString())
                << "\n";
      return false;
    }
    note->SetPath(path);
    oxt::Property name("Name", oxt::Variant(oxStr(QFileInfo(uiStr(path)).completeBaseName())));
    note->SetProperty(name);
    return fwg::Client::SaveAs(note, path);
  }

 private:
  Note* MakeNote(const oxString& name) {
    ShowDocuments();
    UseProject();
    auto* note = new Note(this, name);
    note->SetProfile(kProfile);
    note->Activate();
    note->GetView()->setFocus();
    return note;
  }

  // Notes go to the current client folder or project; without one, to the
  // first project, made if there is none.
  static void UseProject() {
    if (fwg::ClientFolder::GetCurrentObject()) return;
    const oxStlVector<oxt::Object*> projects = oxt::Model::Get()->GetRoot()->GetChildren(
        {}, fwg::Project::S_ClassName(), false, true);
    oxt::Object* project = projects.empty() ? nullptr : projects.front();
    if (!project) {
      project = new fwg::Project("Notes");
      project->EmitCreated();
    }
    oxt::CurrentObjects::Get()->SetCurrentObject(project);
  }

  // The host may have put a page of its own in the central area.
  static void ShowDocuments() { fwg::Gui::Get()->GetCentralWidget()->ShowPages(); }

  int count_ = 0;
};

NotesEditor::NotesEditor(NotesClient* client)
    : fwg::Profile(kProfile, {}, "notes"), client_(client) {
  SetTitle("Notes editor");
}

void NotesEditor::Build() {
  // The menu takes its title from this action, which also becomes the
  // menu's first entry; hidden there, it only names the menu.
  fwg::Action* file = AddAction("file", "&File");
  AddMenu(file, "File");
  file->SetVisible(false);

  fwg::Action* create = AddAction("new", "&New", {}, "Ctrl+N");
  create->SetIcon("new", 16, 24, true, ".png");
  fwg::Action* open = AddAction("open", "&Open...", {}, "Ctrl+O");
  open->SetIcon("open", 16, 24, true, ".png");
  fwg::Action* save = AddAction("save", "&Save", {}, "Ctrl+S");
  save->SetIcon("save", 16, 24, true, ".png");
  AddMenu(create, "File/New");
  AddMenu(open, "File/Open");
  AddMenu(save, "File/Save");
  AddToolBar(create, "Notes");
  AddToolBar(save, "Notes/New");
  // Sessions keep the notes with their texts.
  fwg::SessionCommands::Install(this, "File");

  NotesClient* client = client_;
  create->OnActivate().Connect(this, [client] { client->New(); });
  open->OnActivate().Connect(this, [client] {
    const QString path = QFileDialog::getOpenFileName(fwg::Gui::Get()->GetMainWindow(),
                                                      "Open Note", {}, "Text files (*.txt)");
    if (!path.isEmpty()) client->OpenFile(oxStr(path));
  });
  save->OnActivate().Connect(this, [client] {
    client->Save(fwg::ClientManager::Get()->GetActiveClientObject());
  });
}

// The manager owns the client from its construction on.
void LoadNotes(const fwc::PluginDescription&) { new NotesClient; }

}  // namespace

FWC_PLUGIN(LoadNotes)
