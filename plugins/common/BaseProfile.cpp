#include "plugins/common/BaseProfile.h"

#include <iostream>
#include <set>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/ProjectTree.h"
#include "fwg/shell/PropertySheet.h"
#include "platform/fwc/PluginManager.h"
#include "platform/oxaw/WidgetManager.h"

namespace samples {

namespace {

// The clients the plug-in descriptions announce, each once, in the order
// the descriptions were read: the "New" submenu offers these, loading a
// client's plug-in only when its entry is chosen.
oxStlVector<oxString> GetDescribedClients() {
  oxStlVector<oxString> clients;
  std::set<oxString> seen;
  for (const fwc::PluginDescription* description :
       fwc::PluginManager::Get()->GetPluginDescriptions()) {
    const oxString& client = description->GetClientName();
    if (!client.empty() && seen.insert(client).second) clients.push_back(client);
  }
  return clients;
}

}  // namespace

BaseProfile::BaseProfile() : SampleProfile(kBaseProfileName, "samples") { SetTitle(Tr("Samples")); }

void BaseProfile::Build() {
  BuildFileMenu();
  BuildEditMenu();
  AddTopMenu("view", Tr("&View"));

  // The dock captions and toggles read the names the widgets are
  // registered under, so the library's views are registered again under
  // names in the user's language.
  const oxString projects = Tr("Projects");
  const oxString properties = Tr("Properties");
  RegisterWidget(projects, new oxaw::WidgetCreator<fwg::ProjectTree>);
  RegisterWidget(properties, new oxaw::WidgetCreator<fwg::PropertySheet>);
  AddDock(projects, "LEFT", "Ctrl+Alt+P");
  AddDock(properties, "LEFT");
}

void BaseProfile::BuildFileMenu() {
  const oxString file = AddTopMenu("file", Tr("&File"));

  // Shown as a submenu of File and as a drop-down button of the main
  // toolbar.
  fwg::ActionGroup* create = AddActionGroup("new", Tr("&New"), true, "new.png");
  for (const oxString& client : GetDescribedClients()) {
    fwg::Action* entry = AddAction("new." + client, Tr(client.c_str()), client + ".png");
    entry->OnActivate().Connect(this, [client] {
      if (fwg::Client* found = fwg::ClientManager::Get()->GetClient(client)) {
        found->New();
      } else {
        std::cerr << "fwg: samples: the client '" << client << "' could not be loaded\n";
      }
    });
    create->AddAction(entry);
  }
  AddMenu(create, file + "/" + MenuName(Tr("&New")));
  AddToolBar(create, MainToolBar());
  fwg::SessionCommands::Install(this, file);

  // A separator before Exit: both as one group.
  fwg::ActionGroup* quit = AddActionGroup("exit.group", {});
  fwg::Action* exit = AddAction("exit", Tr("E&xit"), {}, "Ctrl+Q");
  exit->OnActivate().Connect(this, [] { fwg::Gui::Get()->Exit(); });
  quit->AddSeparator();
  quit->AddAction(exit);
  AddMenu(quit, file + "/" + MenuName(Tr("E&xit")));
}

// Disabled here: a client's profile replaces both with actions on its
// active document while it is active.
void BaseProfile::BuildEditMenu() {
  const oxString edit = AddTopMenu("edit", Tr("&Edit"));
  fwg::Action* undo = AddAction("undo", Tr("&Undo"), "undo.png", "Ctrl+Z");
  fwg::Action* redo = AddAction("redo", Tr("&Redo"), "redo.png", "Ctrl+Shift+Z");
  for (fwg::Action* action : {undo, redo}) {
    action->SetEnabled(false);
    AddMenu(action, edit + "/" + MenuName(action->GetText()));
    AddToolBar(action, MainToolBar() + "/" + MenuName(action->GetText()));
  }
}

}  // namespace samples
