// A client that brings its own Open on Ctrl+O, on the samples' base
// profile, whose Open File holds Ctrl+O too: the desktop test presses the
// key and expects this client's dialog.
#include <QFileDialog>
#include <QPlainTextEdit>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"
#include "platform/ui/uiMainWindow.h"
#include "plugins/common/SampleProfile.h"

namespace {

class OpenerProfile : public fwg::Profile {
 public:
  OpenerProfile() : fwg::Profile("Opener", samples::kBaseProfileName) {}
  void Build() override {
    fwg::Action* open = AddAction("opener.open", "&Own Open...", {}, "Ctrl+O");
    AddMenu(open, "Opener");
    open->OnActivate().Connect(this, [] {
      QFileDialog::getOpenFileName(fwg::Gui::Get()->GetMainWindow(), "Own Open");
    });
  }
};

class OpenerClient : public fwg::Client {
 public:
  OpenerClient() : fwg::Client("Opener") {
    samples::EnsureBaseProfile();
    AddProfile(new OpenerProfile);  // the client owns it
  }
  void New() override {
    samples::UseProject();
    auto* document = new fwg::ClientObject(this, "Opened", true);
    document->SetView(new QPlainTextEdit);
    document->SetProfile("Opener");
    document->Activate();  // the library gives it the keyboard
  }
};

void LoadOpener(const fwc::PluginDescription&) { new OpenerClient; }  // the manager owns it

}  // namespace

FWC_PLUGIN(LoadOpener)
