// The demo's "Scratch" client: one scratch pad in the central area. Its
// menus, toolbar and context menu are declared in ScratchBase.json and
// Scratch.json, in the plug-in's resource folder; this file only makes the
// pad and registers the handlers the declarations name.
#include <QContextMenuEvent>
#include <QDateTime>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/profiles/DeclaredProfile.h"
#include "fwg/shell/CentralWidget.h"
#include "fwg/shell/CommandPalette.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/ShortcutsDialog.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiWidget.h"

namespace {

const char kPlugin[] = "scratch";
const char kProfile[] = "Scratch";
const char kContextMenu[] = "ScratchPad";

// The pad asks the active profile for its context menu.
class Pad : public uiWidgetT<QPlainTextEdit> {
  UI_OBJECT(Pad, uiWidget)

 public:
  explicit Pad(fwg::Profile* profile) : profile_(profile) { SetName("ScratchPad"); }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    profile_->PopupContextMenu(kContextMenu, event->globalPos().x(), event->globalPos().y());
  }

 private:
  fwg::Profile* profile_;
};

class ScratchClient : public fwg::Client {
 public:
  ScratchClient() : fwg::Client("Scratch") {
    // The base first: the second file names it as its base. A file that
    // cannot be read has been reported and gives no profile.
    if (fwg::DeclaredProfile* base = fwg::DeclaredProfile::Read("ScratchBase.json", kPlugin)) {
      AddProfile(base);
      RegisterHelp(base);
    }
    profile_ = fwg::DeclaredProfile::Read("Scratch.json", kPlugin);
    if (!profile_) return;
    AddProfile(profile_);
    SetDefaultProfile(kProfile);
    RegisterHandlers();
  }

  ~ScratchClient() override { delete pad_.data(); }

  // Shows the pad (made on first use) with its profile in force; a pad
  // that is already shown starts again empty.
  void New() override {
    if (!profile_) return;
    if (!pad_) {
      pad_ = new Pad(profile_);
      pad_->setPlaceholderText("Type here. Ctrl+Shift+P finds any command.");
    } else {
      pad_->clear();
    }
    fwg::Gui::Get()->GetCentralWidget()->ShowWidget(pad_);
    profile_->Activate();
    pad_->setFocus();
    fwg::Client::New();
  }

 private:
  static void RegisterHelp(fwg::DeclaredProfile* base) {
    base->SetHandler("help.palette", [](const fwg::Action&) {
      if (fwg::CommandPalette* palette = fwg::CommandPalette::Get()) palette->Open();
    });
    base->SetHandler("help.shortcuts",
                     [](const fwg::Action&) { (new fwg::ShortcutsDialog)->show(); });
  }

  // The pad exists whenever these run: the profile is only in force after
  // New() made it.
  void RegisterHandlers() {
    profile_->SetHandler("scratch.new", [this](const fwg::Action&) { New(); });
    profile_->SetHandler("scratch.clear", [this](const fwg::Action&) { pad_->clear(); });
    profile_->SetHandler("scratch.time", [this](const fwg::Action&) {
      pad_->insertPlainText(QDateTime::currentDateTime().toString(Qt::ISODate));
    });
    profile_->SetHandler("scratch.upper", [this](const fwg::Action&) {
      Transform([](const QString& text) { return text.toUpper(); });
    });
    profile_->SetHandler("scratch.lower", [this](const fwg::Action&) {
      Transform([](const QString& text) { return text.toLower(); });
    });
    profile_->SetHandler("scratch.title", [this](const fwg::Action&) {
      Transform([](QString text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
          const bool start = i == 0 || !text[i - 1].isLetterOrNumber();
          text[i] = start ? text[i].toUpper() : text[i].toLower();
        }
        return text;
      });
    });
    profile_->SetHandler("scratch.wrap", [this](const fwg::Action& action) {
      pad_->setLineWrapMode(action.IsChecked() ? QPlainTextEdit::WidgetWidth
                                               : QPlainTextEdit::NoWrap);
    });
    profile_->SetHandler("scratch.spaces", [this](const fwg::Action& action) {
      QTextOption option = pad_->document()->defaultTextOption();
      option.setFlags(action.IsChecked() ? QTextOption::ShowTabsAndSpaces : QTextOption::Flags());
      pad_->document()->setDefaultTextOption(option);
    });
  }

  // The selection, or the whole pad when nothing is selected.
  template <class F>
  void Transform(F change) {
    QTextCursor cursor = pad_->textCursor();
    if (!cursor.hasSelection()) cursor.select(QTextCursor::Document);
    cursor.insertText(change(cursor.selectedText()));
  }

  fwg::DeclaredProfile* profile_ = nullptr;
  QPointer<Pad> pad_;
};

// The manager owns the client from its construction on.
void LoadScratch(const fwc::PluginDescription&) { new ScratchClient; }

}  // namespace

FWC_PLUGIN(LoadScratch)
