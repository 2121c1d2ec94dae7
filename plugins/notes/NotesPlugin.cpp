// The demo's "Notes" client: New() puts a plain text page into the main
// window. Documents of their own come with the object tree; until then the
// page is the client's one and only note.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVBoxLayout>

#include "fwg/clients/Client.h"
#include "fwg/profiles/Profile.h"
#include "fwg/shell/CentralWidget.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiMainWindow.h"

namespace {

class NotesClient : public fwg::Client {
 public:
  NotesClient() : fwg::Client("Notes") {
    // Owned by the client, which takes it out of the profile manager when
    // it goes.
    auto* editor = new fwg::Profile("NotesEditor", {}, "notes");
    editor->SetTitle("Notes editor");
    AddProfile(editor);
    SetDefaultProfile("NotesEditor");
  }

  void New() override {
    fwg::Gui* gui = fwg::Gui::Get();
    // The page is a child of the main window: the window deletes it, and
    // the pointer forgets it then.
    if (!page_) page_ = MakePage(gui->GetMainWindow());
    gui->GetCentralWidget()->ShowWidget(page_);
    Client::New();
  }

 private:
  static uiFrame* MakePage(uiMainWindow* window) {
    auto* page = new uiFrame(window, "NotesPage");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Notes"), page));
    layout->addWidget(new QPlainTextEdit(page), 1);
    return page;
  }

  QPointer<uiFrame> page_;
};

// The manager owns the client from its construction on.
void LoadNotes(const fwc::PluginDescription&) { new NotesClient; }

}  // namespace

FWC_PLUGIN(LoadNotes)
