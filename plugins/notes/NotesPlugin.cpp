// The demo's "Notes" client. Each New() makes a note: a document with a
// plain text view, placed in the current project (made on first use) and
// activated, which puts the NotesEditor profile in force on top of the
// samples' base profile: a Format menu, a Notes toolbar and a Statistics
// dock; the base's Edit menu works on the note as on any text view.
// Notes are the user's plain text files (text/plain, named in the plug-in's
// description): File > Open File makes a note of a text file through
// OpenFile, and the framework saves it through the note's TextDocument. A
// note that has no file yet keeps its text in the session, as its property
// "Text". The Settings dialog's "Notes" page sets the font and word wrap of
// every note, applied to the open ones at once.
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTimer>
#include <functional>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/TextDocument.h"
#include "fwg/shell/FieldsPage.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"
#include "plugins/common/SampleProfile.h"

namespace {

const char kProfile[] = "NotesEditor";
const char kText[] = "Text";
// The settings of the Notes page, in the application's settings.
const char kFontSetting[] = "Notes/Font";
const char kWrapSetting[] = "Notes/WordWrap";

class NoteView : public uiWidgetT<QPlainTextEdit> {
  UI_OBJECT(NoteView, uiWidget)

 public:
  explicit NoteView(const oxString& name) { SetName(name); }
};

// A note owns its view; its layouter only shows it. The view's text is the
// note's file (its Document); without a file the session keeps the text as
// the property "Text".
class Note : public fwg::ClientObject {
 public:
  Note(fwg::Client* client, const oxString& name)
      : fwg::ClientObject(client, name, true), view_(new NoteView(name)) {
    if (uiLayoutFrameEx* layouter = GetLayouter()) layouter->AddView(view_);
    SetDocument(new fwg::TextDocument(view_->document()));
    // Typing is a change of the session while the note has no file; the
    // text document knows the changes of a file itself (undone, they are
    // none).
    QObject::connect(view_, &QPlainTextEdit::textChanged, view_, [this] {
      if (GetFilePath().empty()) EmitModified();
    });
  }
  // Widgets cannot be deleted once the toolkit application is gone (the
  // object tree may outlive it).
  ~Note() override {
    if (QCoreApplication::instance()) delete view_.data();
  }

  QPlainTextEdit* GetView() const { return view_; }

  // The text is a property while the session keeps it, so that property
  // sheets show it too; a file keeps its own text.
  oxStlVector<oxString> GetPropertyNames() override {
    oxStlVector<oxString> names = fwg::ClientObject::GetPropertyNames();
    if (GetFilePath().empty()) names.push_back(kText);
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
  // Told when the dock comes on screen, to count what changed meanwhile.
  std::function<void()> onShown;

 protected:
  void showEvent(QShowEvent* event) override {
    QLabel::showEvent(event);
    if (onShown) onShown();
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
    AddSettingsPage();
  }

  void New() override {
    MakeNote(uiStr(editor_->Tr("Note %1")).arg(++count_).toStdString());
    fwg::Client::New();
  }

  // A note of the file, or none when it cannot be read: the framework
  // tells the user why.
  void OpenFile(const oxString& path) override {
    Note* note = MakeNote(oxStr(QFileInfo(uiStr(path)).fileName()), false);
    if (!note->GetDocument()->Open(path, nullptr)) {
      note->Delete();
      return;
    }
    Show(note);
    fwg::Client::OpenFile(path);
  }

  // The active document, if it is a note.
  static Note* GetActiveNote() {
    return dynamic_cast<Note*>(fwg::ClientManager::Get()->GetActiveClientObject());
  }

  void SetStatistics(Statistics* view) {
    statistics_ = view;
    view->onShown = [this] { UpdateStatistics(); };
    UpdateStatistics();
  }

  // Counted once the changes of a turn of the event loop are in, and only
  // while the dock is on screen (it counts again when it shows): a large
  // file is not walked at every key.
  void UpdateStatistics() {
    if (!statistics_ || countPending_) return;
    countPending_ = true;
    QTimer::singleShot(0, &guard_, [this] {
      countPending_ = false;
      Note* note = GetActiveNote();
      if (!statistics_ || !note || !statistics_->isVisible()) return;
      const QTextDocument* document = note->GetView()->document();
      qsizetype words = 0;
      for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        bool inWord = false;
        for (const QChar c : block.text()) {
          const bool letter = !c.isSpace();
          words += letter && !inWord;
          inWord = letter;
        }
      }
      statistics_->setText(uiStr(editor_->Tr("Lines: %1\nWords: %2\nCharacters: %3"))
                               .arg(document->blockCount())
                               .arg(words)
                               .arg(document->characterCount() - 1));
    });
  }

 private:
  Note* MakeNote(const oxString& name, bool activate = true) {
    samples::UseProject();
    auto* note = new Note(this, name);
    ApplySettings(note);
    QPlainTextEdit* view = note->GetView();
    const auto update = [this, note] {
      if (GetActiveNote() != note) return;
      editor_->UpdateActions(note);
      UpdateStatistics();
    };
    QObject::connect(view, &QPlainTextEdit::textChanged, &guard_, update);
    note->OnActivate().Connect(editor_, [update](fwg::ClientObject*) { update(); });
    if (activate) Show(note);
    return note;
  }

  // Puts the note's profile in force, makes it the active document and
  // gives it the keyboard.
  static void Show(Note* note) {
    note->SetProfile(kProfile);
    note->Activate();
    note->GetView()->setFocus();
  }

  // Font and word wrap of every note; the page goes with the client.
  void AddSettingsPage() {
    auto page = std::make_unique<fwg::FieldsPage>(editor_->Tr("Notes"), editor_->Tr("Documents"), "Notes");
    page->AddFont("Font", editor_->Tr("&Font:"), QFontDatabase::systemFont(QFontDatabase::FixedFont));
    page->AddBool("WordWrap", editor_->Tr("&Wrap long lines"), true);
    // Stored here or changed in the file by hand: the open notes follow.
    fwg::SettingsPages::OnChanged().Connect(editor_, [this] {
      for (fwg::ClientObject* document : GetClientObjectsList()) {
        if (auto* note = dynamic_cast<Note*>(document)) ApplySettings(note);
      }
      if (Note* active = GetActiveNote()) editor_->UpdateActions(active);
    });
    fwg::SettingsPages::Add(std::move(page), this);
  }

  static void ApplySettings(Note* note) {
    QPlainTextEdit* view = note->GetView();
    QFont font;
    if (font.fromString(uiStr(fwg::SettingsPages::GetValue(kFontSetting).GetString()))) view->setFont(font);
    const bool wrap = fwg::SettingsPages::GetValue(kWrapSetting).GetBoolean();
    view->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  }

  NotesEditor* editor_ = nullptr;
  QPointer<Statistics> statistics_;
  bool countPending_ = false;
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

  // Undo, Redo and the clipboard of the base work on the note as on any
  // text view: the library routes them to the widget with the keyboard.

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
  AddToolBar(wrap_, toolbar);
  const oxString statistics = Tr("Statistics");
  RegisterWidget(statistics, new StatisticsMaker(client));
  AddDock(statistics, "RIGHT");
}

void NotesEditor::UpdateActions(Note* note) {
  QPlainTextEdit* view = note->GetView();
  if (wrap_) wrap_->SetChecked(view->lineWrapMode() != QPlainTextEdit::NoWrap);
}

// The manager owns the client from its construction on.
void LoadNotes(const fwc::PluginDescription&) { new NotesClient; }

}  // namespace

FWC_PLUGIN(LoadNotes)
