// The demo's "Notes" client. Each New() makes a note: a document with a
// plain text view, placed in the current project (made on first use) and
// activated, which puts the NotesEditor profile in force on top of the
// samples' base profile: Open and Save in the File menu, a Format menu, a
// Notes toolbar, a Statistics dock, and Undo and Redo working on the note.
// Notes are opened from and saved to plain text files; in a session their
// text is the property "Text".
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSaveFile>
#include <iostream>
#include <map>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/vos/vosLibrary.h"
#include "plugins/common/SampleProfile.h"

namespace {

// Where the text file dialogs start.
QString TextFolder() { return uiStr(vosLibrary::GetDocumentsFolder()); }

const char kProfile[] = "NotesEditor";
const char kText[] = "Text";

class NoteView : public uiWidgetT<QPlainTextEdit> {
  UI_OBJECT(NoteView, uiWidget)

 public:
  explicit NoteView(const oxString& name) { SetName(name); }
};

// A note owns its view; its layouter only shows it. Its text is kept in
// the session as its property "Text".
class Note : public fwg::ClientObject {
 public:
  Note(fwg::Client* client, const oxString& name)
      : fwg::ClientObject(client, name, true), view_(new NoteView(name)) {
    if (uiLayoutFrameEx* layouter = GetLayouter()) layouter->AddView(view_);
    // Typing is a change of the session.
    QObject::connect(view_, &QPlainTextEdit::textChanged, view_, [this] { EmitModified(); });
  }
  // Widgets cannot be deleted once the toolkit application is gone (the
  // object tree may outlive it).
  ~Note() override {
    if (QCoreApplication::instance()) delete view_.data();
  }

  QPlainTextEdit* GetView() const { return view_; }
  // The file the note was opened from or last saved to; "" before.
  const oxString& GetPath() const { return path_; }
  void SetPath(const oxString& path) { path_ = path; }

  // The text is a property, so that sessions keep it and property sheets
  // show it.
  oxStlVector<oxString> GetPropertyNames() override {
    oxStlVector<oxString> names = fwg::ClientObject::GetPropertyNames();
    names.push_back(kText);
    return names;
  }
  bool GetProperty(oxt::Property& p) override {
    if (p.GetName() != kText) return fwg::ClientObject::GetProperty(p);
    p.SetValue(view_ ? view_->toPlainText().toStdString() : oxString());
    return true;
  }
  bool SetProperty(oxt::Property& p) override {
    if (p.GetName() != kText) return fwg::ClientObject::SetProperty(p);
    if (view_) view_->setPlainText(uiStr(p.GetValue().GetString()));
    EmitModified(p);
    return true;
  }
  using oxt::Object::GetProperty;

 private:
  QPointer<NoteView> view_;
  oxString path_;
};

class NotesClient;

class NotesEditor : public samples::SampleProfile {
 public:
  explicit NotesEditor(NotesClient* client)
      : samples::SampleProfile(kProfile, "notes"), client_(client) {
    SetTitle(Tr("Notes editor"));
  }
  void Build() override;

  // Brings the Edit menu and Word Wrap in line with the active note.
  void UpdateActions(Note* note);

 private:
  NotesClient* client_;
  // The base's Edit actions as this profile replaced them, by name.
  std::map<std::string, fwg::Action*> edits_;
  fwg::Action* wrap_ = nullptr;
};

// The Statistics dock: counts of the active note.
class Statistics : public uiWidgetT<QLabel> {
  UI_OBJECT(Statistics, uiWidget)

 public:
  Statistics(uiWidget* parent, const oxString& name, int) : uiWidgetT<QLabel>(uiImpl(parent)) {
    SetName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(8);
    // Room for large counts from the start: the dock does not widen (and
    // the document narrow) as the numbers grow.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Characters: 0000000")) + 16);
  }
};

class NotesClient : public fwg::Client {
 public:
  NotesClient() : fwg::Client("Notes") {
    samples::EnsureBaseProfile();
    // Owned by the client, which takes it out of the profile manager when
    // it goes.
    editor_ = new NotesEditor(this);
    AddProfile(editor_);
    SetDefaultProfile(kProfile);
  }

  void New() override {
    MakeNote(uiStr(editor_->Tr("Note %1")).arg(++count_).toStdString());
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
      path = oxStr(QFileDialog::getSaveFileName(
          fwg::Gui::Get()->GetMainWindow(), uiStr(editor_->Tr("Export Text")),
          QDir(TextFolder()).filePath(uiStr(note->GetName() + ".txt")),
          uiStr(editor_->Tr("Text files (*.txt)"))));
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

  // The active document, if it is a note.
  static Note* GetActiveNote() {
    return dynamic_cast<Note*>(fwg::ClientManager::Get()->GetActiveClientObject());
  }

  void SetStatistics(Statistics* view) {
    statistics_ = view;
    UpdateStatistics();
  }

  void UpdateStatistics() {
    Note* note = GetActiveNote();
    if (!statistics_ || !note) return;
    const QString text = note->GetView()->toPlainText();
    const auto words = text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size();
    statistics_->setText(uiStr(editor_->Tr("Lines: %1\nWords: %2\nCharacters: %3"))
                             .arg(note->GetView()->blockCount())
                             .arg(words)
                             .arg(text.size()));
  }

 private:
  Note* MakeNote(const oxString& name) {
    samples::UseProject();
    auto* note = new Note(this, name);
    QPlainTextEdit* view = note->GetView();
    const auto update = [this, note] {
      if (GetActiveNote() != note) return;
      editor_->UpdateActions(note);
      UpdateStatistics();
    };
    QObject::connect(view, &QPlainTextEdit::undoAvailable, &guard_, update);
    QObject::connect(view, &QPlainTextEdit::redoAvailable, &guard_, update);
    QObject::connect(view, &QPlainTextEdit::textChanged, &guard_, update);
    QObject::connect(view, &QPlainTextEdit::copyAvailable, &guard_, update);
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, view, update);
    note->OnActivate().Connect(editor_, [update](fwg::ClientObject*) { update(); });
    note->SetProfile(kProfile);
    note->Activate();
    view->setFocus();
    return note;
  }

  NotesEditor* editor_ = nullptr;
  QPointer<Statistics> statistics_;
  // Ends the connections to the notes' views with the client: notes may
  // outlive it.
  QObject guard_;
  int count_ = 0;
};

// Makes the Statistics dock and hands it to the client.
class StatisticsMaker : public oxaw::IWidgetCreator {
 public:
  explicit StatisticsMaker(NotesClient* client) : client_(client) {}
  uiWidget* Create(uiWidget* parent, const oxString& name) override {
    auto* view = new Statistics(parent, name, 0);
    client_->SetStatistics(view);
    return view;
  }

 private:
  NotesClient* client_;
};

void NotesEditor::Build() {
  NotesClient* client = client_;

  // Undo, Redo and the clipboard of the base, on the active note while
  // notes are active (when the base is there to give them).
  const auto onNote = [](void (QPlainTextEdit::*edit)()) {
    return [edit] {
      if (Note* note = NotesClient::GetActiveNote()) (note->GetView()->*edit)();
    };
  };
  const std::pair<const char*, void (QPlainTextEdit::*)()> kEdits[] = {
      {"undo", &QPlainTextEdit::undo},   {"redo", &QPlainTextEdit::redo},
      {"cut", &QPlainTextEdit::cut},     {"copy", &QPlainTextEdit::copy},
      {"paste", &QPlainTextEdit::paste}, {"selectAll", &QPlainTextEdit::selectAll},
  };
  for (const auto& [name, edit] : kEdits) {
    fwg::Action* action = ReplaceAction(name);
    if (!action) continue;
    action->OnActivate().Connect(this, onNote(edit));
    edits_[name] = action;
  }

  // Plain text files in and out, after File > New; the session itself is
  // what Save Session (Ctrl+S) keeps.
  fwg::Action* open = AddAction("open", Tr("&Import Text..."));
  open->SetIcon("open", 16, 24, true, ".png");
  fwg::Action* save = AddAction("save", Tr("&Export..."));
  save->SetIcon("save", 16, 24, true, ".png");
  fwg::ActionGroup* files = AddActionGroup("files", {});
  files->AddAction(open);
  files->AddAction(save);
  AddMenu(files, samples::FileMenu() + "/" + samples::MenuName(samples::BaseText("&New")));
  open->OnActivate().Connect(this, [this, client] {
    const QString path =
        QFileDialog::getOpenFileName(fwg::Gui::Get()->GetMainWindow(), uiStr(Tr("Import Text")), TextFolder(),
                                     uiStr(Tr("Text files (*.txt)")));
    if (!path.isEmpty()) client->OpenFile(oxStr(path));
  });
  save->OnActivate().Connect(
      this, [client] { client->Save(fwg::ClientManager::Get()->GetActiveClientObject()); });

  // The Format menu.
  const oxString format = AddTopMenu("format", Tr("F&ormat"));
  wrap_ = AddAction("wrap", Tr("&Word Wrap"), "wrap.png", "Ctrl+Shift+W");
  wrap_->SetCheckable(true);
  wrap_->SetChecked(true);
  fwg::Action* larger = AddAction("larger", Tr("&Larger Text"), "larger.png", "Ctrl+=");
  fwg::Action* smaller = AddAction("smaller", Tr("&Smaller Text"), "smaller.png", "Ctrl+-");
  for (fwg::Action* action : {wrap_, larger, smaller}) {
    AddMenu(action, format + "/" + samples::MenuName(action->GetText()));
  }
  wrap_->OnToggle().Connect(this, [](bool on) {
    if (Note* note = NotesClient::GetActiveNote()) {
      note->GetView()->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    }
  });
  const auto zoom = [](int steps) {
    if (Note* note = NotesClient::GetActiveNote()) note->GetView()->zoomIn(steps);
  };
  larger->OnActivate().Connect(this, [zoom] { zoom(2); });
  smaller->OnActivate().Connect(this, [zoom] { zoom(-2); });

  // The Notes toolbar and the Statistics dock.
  const oxString toolbar = Tr("Notes");
  // The first makes the toolbar; the next is appended to it (a path
  // naming a button that is not there yet).
  AddToolBar(open, toolbar);
  AddToolBar(wrap_, toolbar + "/" + samples::MenuName(wrap_->GetText()));
  // Export goes into the base's Main toolbar, beside Undo and Redo, while
  // notes are active only.
  AddToolBarButton(save, samples::MainToolBar());
  const oxString statistics = Tr("Statistics");
  RegisterWidget(statistics, new StatisticsMaker(client));
  AddDock(statistics, "RIGHT");
}

void NotesEditor::UpdateActions(Note* note) {
  QPlainTextEdit* view = note->GetView();
  QTextDocument* document = view->document();
  const bool selected = view->textCursor().hasSelection();
  const std::pair<const char*, bool> kEnabled[] = {
      {"undo", document->isUndoAvailable()}, {"redo", document->isRedoAvailable()},
      {"cut", selected},                     {"copy", selected},
      {"paste", view->canPaste()},           {"selectAll", !document->isEmpty()},
  };
  for (const auto& [name, enabled] : kEnabled) {
    if (fwg::Action* action = edits_[name]) action->SetEnabled(enabled);
  }
  if (wrap_) wrap_->SetChecked(view->lineWrapMode() != QPlainTextEdit::NoWrap);
}

// The manager owns the client from its construction on.
void LoadNotes(const fwc::PluginDescription&) { new NotesClient; }

}  // namespace

FWC_PLUGIN(LoadNotes)
