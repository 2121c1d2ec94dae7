// The demo's "Scratch" client: scratch pads, documents with a plain text
// view whose text the session keeps. The pads' profile is declared in
// Scratch.json, in the plug-in's resource folder, on the samples' base
// profile (File, Edit, View, Help); this file makes the pads and registers
// the handlers the declaration names.
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/profiles/DeclaredProfile.h"
#include "fwg/shell/CommandPalette.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiWidget.h"
#include "plugins/common/SampleProfile.h"

namespace {

const char kPlugin[] = "scratch";
const char kProfile[] = "Scratch";
const char kContextMenu[] = "ScratchPad";
const char kText[] = "Text";

// The pad asks the active profile for its context menu.
class Pad : public uiWidgetT<QPlainTextEdit> {
  UI_OBJECT(Pad, uiWidget)

 public:
  explicit Pad(fwg::Profile* profile) : profile_(profile) {
    SetName("ScratchPad");
    // The palette's key as the user's language writes it ("Strg+Umschalt+P").
    const fwg::CommandPalette* palette = fwg::CommandPalette::Get();
    const QKeySequence keys(uiStr(palette ? palette->GetShortcut() : oxString("Ctrl+Shift+P")));
    setPlaceholderText(uiStr(profile->tr({}, "Type here. %1 finds any command."))
                           .arg(keys.toString(QKeySequence::NativeText)));
  }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    profile_->PopupContextMenu(kContextMenu, event->globalPos().x(), event->globalPos().y());
  }

 private:
  fwg::Profile* profile_;
};

// A pad owns its view; the session keeps its text.
class PadDocument : public fwg::ClientObject {
 public:
  PadDocument(fwg::Client* client, const oxString& name, fwg::Profile* profile)
      : fwg::ClientObject(client, name, true), view_(new Pad(profile)) {
    if (uiLayoutFrameEx* layouter = GetLayouter()) layouter->AddView(view_);
    QObject::connect(view_, &QPlainTextEdit::textChanged, view_, [this] { EmitModified(); });
  }
  ~PadDocument() override {
    if (QCoreApplication::instance()) delete view_.data();
  }
  QPlainTextEdit* GetView() const { return view_; }

  void WriteContent(oxt::FileElement* element) override {
    if (view_) AddContent(element, kText, view_->toPlainText().toStdString());
  }
  void ReadContent(oxt::FileElement* element) override {
    oxString text;
    if (view_ && GetContent(element, kText, &text)) view_->setPlainText(uiStr(text));
  }

 private:
  QPointer<Pad> view_;
};

class ScratchClient : public fwg::Client {
 public:
  ScratchClient() : fwg::Client("Scratch") {
    samples::EnsureBaseProfile();
    // A file that cannot be read has been reported and gives no profile.
    profile_ = fwg::DeclaredProfile::Read("Scratch.json", kPlugin);
    if (!profile_) return;
    AddProfile(profile_);
    SetDefaultProfile(kProfile);
    RegisterHandlers();
  }

  // A new pad in the current project, active, with the keyboard.
  void New() override {
    if (!profile_) return;
    samples::UseProject();
    const QString name = uiStr(profile_->tr({}, "Pad %1")).arg(++count_);
    auto* pad = new PadDocument(this, oxStr(name), profile_);
    pad->SetProfile(kProfile);
    pad->Activate();
    pad->GetView()->setFocus();
    fwg::Client::New();
  }

 private:
  // The active pad's view; the handlers run only while a pad is active.
  static QPlainTextEdit* ActivePad() {
    auto* pad = dynamic_cast<PadDocument*>(fwg::ClientManager::Get()->GetActiveClientObject());
    return pad ? pad->GetView() : nullptr;
  }

  // Runs `edit` on the active pad, if there is one.
  template <class F>
  static auto OnPad(F edit) {
    return [edit](const fwg::Action& action) {
      if (QPlainTextEdit* pad = ActivePad()) edit(pad, action);
    };
  }

  void RegisterHandlers() {
    profile_->SetHandler("scratch.new", [this](const fwg::Action&) { New(); });
    profile_->SetHandler("scratch.clear", OnPad([](QPlainTextEdit* pad, const fwg::Action&) { pad->clear(); }));
    profile_->SetHandler("scratch.time", OnPad([](QPlainTextEdit* pad, const fwg::Action&) {
      pad->insertPlainText(QDateTime::currentDateTime().toString(Qt::ISODate));
    }));
    profile_->SetHandler("scratch.upper", OnPad([](QPlainTextEdit* pad, const fwg::Action&) {
      Transform(pad, [](const QString& text) { return text.toUpper(); });
    }));
    profile_->SetHandler("scratch.lower", OnPad([](QPlainTextEdit* pad, const fwg::Action&) {
      Transform(pad, [](const QString& text) { return text.toLower(); });
    }));
    profile_->SetHandler("scratch.title", OnPad([](QPlainTextEdit* pad, const fwg::Action&) {
      Transform(pad, [](QString text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
          const bool start = i == 0 || !text[i - 1].isLetterOrNumber();
          text[i] = start ? text[i].toUpper() : text[i].toLower();
        }
        return text;
      });
    }));
    profile_->SetHandler("scratch.wrap", OnPad([](QPlainTextEdit* pad, const fwg::Action& action) {
      pad->setLineWrapMode(action.IsChecked() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    }));
    profile_->SetHandler("scratch.spaces", OnPad([](QPlainTextEdit* pad, const fwg::Action& action) {
      QTextOption option = pad->document()->defaultTextOption();
      option.setFlags(action.IsChecked() ? QTextOption::ShowTabsAndSpaces : QTextOption::Flags());
      pad->document()->setDefaultTextOption(option);
    }));
  }

  // The selection, or the whole pad when nothing is selected.
  template <class F>
  static void Transform(QPlainTextEdit* pad, F change) {
    QTextCursor cursor = pad->textCursor();
    if (!cursor.hasSelection()) cursor.select(QTextCursor::Document);
    cursor.insertText(change(cursor.selectedText()));
  }

  fwg::DeclaredProfile* profile_ = nullptr;
  int count_ = 0;
};

// The manager owns the client from its construction on.
void LoadScratch(const fwc::PluginDescription&) { new ScratchClient; }

}  // namespace

FWC_PLUGIN(LoadScratch)
