#include "plugins/common/BaseProfile.h"

#include <QMessageBox>
#include <cctype>
#include <iostream>
#include <set>

#include "fwg/actions/Action.h"
#include "fwg/actions/ActionGroup.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/PrintCommands.h"
#include "fwg/objects/SessionCommands.h"
#include "fwg/shell/CommandPalette.h"
#include "fwg/shell/EditCommands.h"
#include "fwg/shell/Gui.h"
#include "fwg/shell/ProjectTree.h"
#include "fwg/shell/PropertySheet.h"
#include "fwg/shell/ScriptConsole.h"
#include "fwg/shell/SettingsDialog.h"
#include "fwg/shell/ShortcutsDialog.h"
#include "fwg/shell/ToolBarsDialog.h"
#include "platform/ui/uiMainWindow.h"
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

// The entry's text with a mnemonic on its first letter that no entry before
// it took, so that each client is one key away in the "New" submenu.
oxString WithMnemonic(const oxString& name, std::set<char>* taken) {
  oxString text;
  bool marked = false;
  for (const char c : name) {
    const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!marked && std::isalnum(static_cast<unsigned char>(c)) && taken->insert(key).second) {
      text += '&';
      marked = true;
    }
    text += c;
    if (c == '&') text += '&';  // a name's own "&" stays one
  }
  return text;
}

}  // namespace

BaseProfile::BaseProfile() : SampleProfile(kBaseProfileName, "samples") { SetTitle(Tr("Samples")); }

void BaseProfile::Build() {
  BuildFileMenu();
  BuildEditMenu();
  const oxString view = AddTopMenu("view", Tr("&View"));
  fwg::Action* toolBars = AddAction("view.toolbars", Tr("Customize &Toolbars..."));
  toolBars->SetStatusTip(Tr("Add, take off and move the commands of the toolbars"));
  toolBars->OnActivate().Connect(this, [] { (new fwg::ToolBarsDialog)->show(); });
  AddMenu(toolBars, view + "/" + MenuName(toolBars->GetText()));
  BuildHelpMenu();

  // The dock captions and toggles read the names the widgets are
  // registered under, so the library's views are registered again under
  // names in the user's language.
  const oxString projects = Tr("Projects");
  const oxString properties = Tr("Properties");
  RegisterWidget(projects, new oxaw::WidgetCreator<fwg::ProjectTree>);
  RegisterWidget(properties, new oxaw::WidgetCreator<fwg::PropertySheet>);
  AddDock(projects, "LEFT", "Ctrl+Alt+P");
  AddDock(properties, "LEFT");
  // JavaScript on the running application, closed until View opens it.
  const oxString console = Tr("Script Console");
  RegisterWidget(console, new oxaw::WidgetCreator<fwg::ScriptConsole>);
  AddDock(console, "BOTTOM", "Ctrl+Alt+J");
  SetDockWidgetVisible(console, false);
}

void BaseProfile::BuildFileMenu() {
  const oxString file = AddTopMenu("file", Tr("&File"));

  // Shown as a submenu of File and as a drop-down button of the main
  // toolbar.
  fwg::ActionGroup* create = AddActionGroup("new", Tr("&New"), true, "new.png");
  std::set<char> mnemonics;
  for (const oxString& client : GetDescribedClients()) {
    // Ctrl+N makes a note, the plain kind.
    fwg::Action* entry = AddAction("new." + client, WithMnemonic(Tr(client.c_str()), &mnemonics),
                                   client + ".png", client == "Notes" ? "Ctrl+N" : "");
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
  // The user's files, then, after a separator, the sessions.
  fwg::FileCommands::Install(this, file);
  fwg::ActionGroup* sessions = AddActionGroup("sessions.group", {});
  sessions->AddSeparator();
  AddMenu(sessions, file + "/sessions.group");
  fwg::SessionCommands::Install(this, file);
  // Printing the active document, whichever client it is of.
  fwg::PrintCommands::Install(this, file);

  // Close and Exit after a separator, as one group. Close asks first when
  // the document holds work; Exit asks about unsaved work.
  fwg::ActionGroup* ending = AddActionGroup("exit.group", {});
  fwg::Action* close = AddAction("close", Tr("&Close"), {}, "Ctrl+W");
  close->OnActivate().Connect(this, [] {
    if (fwg::ClientObject* active = fwg::ClientManager::Get()->GetActiveClientObject()) active->Close();
  });
  // Greyed while there is no document to close, as the file commands are.
  fwg::FileCommands::FollowTargets(this, [close] {
    const fwg::ClientManager* documents = fwg::ClientManager::Get();
    close->SetEnabled(documents && documents->GetActiveClientObject());
  });
  fwg::Action* exit = AddAction("exit", Tr("E&xit"), {}, "Ctrl+Q");
  exit->OnActivate().Connect(this, [] { fwg::Gui::Get()->Exit(); });
  ending->AddSeparator();
  ending->AddAction(close);
  ending->AddAction(exit);
  AddMenu(ending, file + "/" + MenuName(Tr("E&xit")));
}

// On the text widget with the keyboard, whatever client's document it is
// in (fwg::EditCommands); a client with its own edit logic replaces them
// (the sketch's undo stack).
void BaseProfile::BuildEditMenu() {
  using fwg::EditCommands;
  const oxString edit = AddTopMenu("edit", Tr("&Edit"));
  fwg::Action* undo = AddAction("undo", Tr("&Undo"), "undo.png", "Ctrl+Z");
  fwg::Action* redo = AddAction("redo", Tr("&Redo"), "redo.png", "Ctrl+Shift+Z");
  EditCommands::Route(undo, EditCommands::Undo);
  EditCommands::Route(redo, EditCommands::Redo);
  for (fwg::Action* action : {undo, redo}) {
    AddMenu(action, edit + "/" + MenuName(action->GetText()));
    AddToolBar(action, MainToolBar() + "/" + MenuName(action->GetText()));
  }
  // The clipboard, with the toolkit's usual keys, after a separator.
  fwg::ActionGroup* clipboard = AddActionGroup("clipboard", {});
  clipboard->AddSeparator();
  const struct {
    const char *name, *text, *keys;
    EditCommands::Command command;
  } kClipboard[] = {
      {"cut", "Cu&t", "Ctrl+X", EditCommands::Cut},
      {"copy", "&Copy", "Ctrl+C", EditCommands::Copy},
      {"paste", "&Paste", "Ctrl+V", EditCommands::Paste},
      {"selectAll", "Select &All", "Ctrl+A", EditCommands::SelectAll},
  };
  for (const auto& entry : kClipboard) {
    fwg::Action* action = AddAction(entry.name, Tr(entry.text), {}, entry.keys);
    EditCommands::Route(action, entry.command);
    clipboard->AddAction(action);
  }
  AddMenu(clipboard, edit + "/" + MenuName(redo->GetText()));
  // The Settings dialog last, after a separator, with the platform's key.
  fwg::ActionGroup* settings = AddActionGroup("settings.group", {});
  settings->AddSeparator();
  fwg::Action* preferences =
      AddAction("preferences", Tr("Prefere&nces..."), {},
                fwg::SettingsDialog::GetShortcut().toString(QKeySequence::PortableText).toStdString());
  preferences->SetStatusTip(Tr("Settings of the application and its plug-ins"));
  preferences->OnActivate().Connect(this, [] { fwg::SettingsDialog::Open(); });
  settings->AddAction(preferences);
  AddMenu(settings, edit + "/settings.group");
}

// About, the shortcuts in force and the palette: how a user finds the rest.
void BaseProfile::BuildHelpMenu() {
  const oxString help = AddTopMenu("help", Tr("&Help"));
  // With the palette's key: one command, the palette's own gives way.
  const fwg::CommandPalette* installed = fwg::CommandPalette::Get();
  fwg::Action* palette =
      AddAction("help.palette", Tr("&Command Palette..."), {}, installed ? installed->GetShortcut() : oxString());
  palette->SetStatusTip(Tr("Find and run any command by typing part of its name"));
  palette->OnActivate().Connect(this, [] {
    if (fwg::CommandPalette* found = fwg::CommandPalette::Get()) found->Open();
  });
  fwg::Action* shortcuts = AddAction("help.shortcuts", Tr("&Keyboard Shortcuts..."));
  shortcuts->SetStatusTip(Tr("Every command with its shortcut; record your own keys"));
  shortcuts->OnActivate().Connect(this, [] { (new fwg::ShortcutsDialog)->show(); });
  fwg::Action* about = AddAction("help.about", Tr("&About Tavrix"));
  about->OnActivate().Connect(this, [this] {
    QMessageBox::about(fwg::Gui::Get()->GetMainWindow(), uiStr(Tr("About Tavrix")),
                       uiStr(Tr("Tavrix, the demo host of the fwg framework, with its sample "
                                "clients: notes, sketches, scratch pads and task lists.")));
  });
  for (fwg::Action* action : {palette, shortcuts, about}) {
    AddMenu(action, help + "/" + MenuName(action->GetText()));
  }
}

}  // namespace samples
