// The demo's "Notes" client. Each New() makes a note: a document with a
// plain text view, placed in the current project (made on first use) and
// activated, which puts the NotesEditor profile's File menu and toolbar in
// force. Notes are opened from and saved to plain text files. Two dock
// windows list the notes and count the words of the active one; the View
// menu shows and hides them.
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QPointer>
#include <QSaveFile>
#include <functional>
#include <iostream>
#include <string>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "fwg/shell/CentralWidget.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"

namespace {

const char kProfile[] = "NotesEditor";

class NoteView : public uiWidgetT<QPlainTextEdit> {
  UI_OBJECT(NoteView, uiWidget)

 public:
  explicit NoteView(const oxString& name) { SetName(name); }
};

class NoteList : public uiWidgetT<QListWidget> {
  UI_OBJECT(NoteList, uiWidget)

 public:
  using uiWidgetT::uiWidgetT;
};

class NoteCount : public uiWidgetT<QLabel> {
  UI_OBJECT(NoteCount, uiWidget)

 public:
  using uiWidgetT::uiWidgetT;
};

// A widget maker for a dock. The window title it sets becomes the dock's
// title; the profile names the widget.
class DockMaker : public oxaw::IWidgetCreator {
 public:
  explicit DockMaker(std::function<uiWidget*(QWidget*)> make) : make_(std::move(make)) {}
  uiWidget* Create(uiWidget* parent, const oxString&) override { return make_(uiImpl(parent)); }

 private:
  std::function<uiWidget*(QWidget*)> make_;
};

// A note owns its view; its layouter only shows it.
class Note : public fwg::ClientObject {
 public:
  Note(fwg::Client* client, const oxString& name)
      : fwg::ClientObject(client, name, true), view_(new NoteView(name)) {
    if (uiLayoutFrameEx* layouter = GetLayouter()) layouter->AddView(view_);
  }
  ~Note() override { delete view_.data(); }

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

  // The note list of the dock; a click activates the note.
  uiWidget* MakeList(QWidget* parent) {
    auto* list = new NoteList(parent);
    list->setWindowTitle("Notes");
    QObject::connect(list, &QListWidget::currentRowChanged, list, [this](int row) {
      const oxStlVector<fwg::ClientObject*> notes = GetClientObjectsList();
      if (row >= 0 && row < static_cast<int>(notes.size()) &&
          notes[row] != fwg::ClientManager::Get()->GetActiveClientObject()) {
        notes[row]->Activate();
      }
    });
    list_ = list;
    UpdateDocks();
    return list;
  }

  uiWidget* MakeCount(QWidget* parent) {
    auto* count = new NoteCount(parent);
    count->setWindowTitle("Word count");
    count->setMargin(6);
    wordCount_ = count;
    UpdateDocks();
    return count;
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
    UpdateDocks();
    return fwg::Client::SaveAs(note, path);
  }

 private:
  Note* MakeNote(const oxString& name) {
    ShowDocuments();
    UseProject();
    auto* note = new Note(this, name);
    QObject::connect(note->GetView(), &QPlainTextEdit::textChanged, note->GetView(),
                     [this] { UpdateDocks(); });
    note->OnActivate().Connect(nullptr, [this](fwg::ClientObject*) { UpdateDocks(); });
    note->SetProfile(kProfile);
    note->Activate();
    note->GetView()->setFocus();
    return note;
  }

  // The list shows every note, the active one current; the count is the
  // active note's.
  void UpdateDocks() {
    const oxStlVector<fwg::ClientObject*> notes = GetClientObjectsList();
    auto* active = dynamic_cast<Note*>(fwg::ClientManager::Get()->GetActiveClientObject());
    if (list_) {
      const QSignalBlocker blocker(list_.data());
      list_->clear();
      for (fwg::ClientObject* note : notes) {
        list_->addItem(uiStr(note->GetName()));
        if (note == active) list_->setCurrentRow(list_->count() - 1);
      }
    }
    if (wordCount_ && active) {
      const QString text = active->GetView()->toPlainText();
      wordCount_->setText(QString("%1 words, %2 characters")
                          .arg(text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size())
                          .arg(text.size()));
    }
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
  static void ShowDocuments() { fwg::Gui::Get()->GetCentralWidget()->ShowDocuments(); }

  int count_ = 0;
  QPointer<QListWidget> list_;
  QPointer<QLabel> wordCount_;
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

  // The docks, and a View menu with their toggles. The Dock group is made
  // here, before the docks exist; as a drop-down it shows each dock's
  // toggle once the dock is made, and stays valid for the profile's life.
  NotesClient* owner = client_;
  RegisterWidget("NoteList", new DockMaker([owner](QWidget* p) { return owner->MakeList(p); }));
  RegisterWidget("NoteCount", new DockMaker([owner](QWidget* p) { return owner->MakeCount(p); }));
  AddDockWidget("NoteList", "LEFT", "Ctrl+Shift+L");
  AddDockWidget("NoteCount", "BOTTOM");
  fwg::Action* view = AddAction("view", "&View");
  AddMenu(view, "View");
  view->SetVisible(false);
  fwg::ActionGroup* docks = GetDockToggleActions();
  docks->SetText("&Dock Windows");
  docks->SetUsesDropDown(true);
  AddMenu(docks, "View/Docks");

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
