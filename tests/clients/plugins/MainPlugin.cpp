// The test client. New() prints a marker line and ends the application, so
// that a host started with "-client" shows it reached the client and quits.
#include <iostream>

#include "fwg/clients/Client.h"
#include "fwg/profiles/Profile.h"
#include "fwg/shell/Gui.h"
#include "platform/fwc/Plugin.h"

namespace {

class TestClient : public fwg::Client {
 public:
  TestClient() : fwg::Client("ClientTest") {
    auto* editor = new fwg::Profile("ClientTestEditor");
    editor->SetTitle("Test editor");
    AddProfile(editor);
  }

  void New() override {
    std::cout << "clienttest: New() of " << GetName() << std::endl;
    Client::New();
    fwg::Gui::Get()->Exit();
  }
};

void LoadMain(const fwc::PluginDescription&) { new TestClient; }

}  // namespace

FWC_PLUGIN(LoadMain)
