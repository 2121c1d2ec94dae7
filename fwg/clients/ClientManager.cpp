#include "fwg/clients/ClientManager.h"

#include "fwg/clients/Client.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/FileTypes.h"
#include "fwg/clients/ScriptedClient.h"
#include "fwg/Parts.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/oxt/Model.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMenuData.h"

#include <QCoreApplication>
#include <QPointer>
#include <algorithm>
#include "platform/fwc/Director.h"
#include "platform/fwc/PluginManager.h"
#include "platform/oxapp/Manifest.h"
#include "platform/oxt/Property.h"
#include "platform/settings/oxSettings.h"

namespace fwg {

namespace {

// One plug-in of a client; `profileName` empty for a plug-in that makes the
// client exist, else the profile it provides on demand.
struct PluginEntry {
  oxString pluginName;
  oxString profileName;
};

// What the descriptions say about one client name. Never changes after the
// manager's construction, except for `loaded`.
struct ClientRecord {
  oxString clientName;
  oxString alias;  // the first description's
  // Set once the immediate plug-ins were asked for, so that a client they
  // did not create is not asked for again.
  bool loaded = false;
  oxStlVector<PluginEntry> entries;  // never empty
};

oxString ReadProfileName(const fwc::PluginDescription& description) {
  const oxapp::Manifest* manifest = description.GetManifest();
  const oxSettings* contents = manifest ? manifest->GetContents() : nullptr;
  return contents ? contents->Get("profile", true).GetString() : oxString();
}

}  // namespace

struct ClientManager::Internal : oxListener<> {
  oxStlVector<Client*> clients;  // owned, in the order they registered
  oxiSignal1<void, Client*> onNewClient;
  oxiSignal1<void, ClientObject*> onActiveChanged;
  ClientObject* activeClientObject = nullptr;  // not owned
  oxStlVector<ClientObject*> recent;           // not owned; left by ForgetClientObject
  oxString idleProfile;
  // Set while a replacement for a deleted active document is on its way.
  bool replacing = false;
  QObject guard;  // ends queued calls with the manager
  oxStlVector<ClientRecord> records;
  FileTypes fileTypes;

  void AddRecordEntry(const fwc::PluginDescription& description);
  Client* FindClient(const oxString& name) const;
  static void LoadImmediatePlugins(ClientRecord& record);

  // A document the user selects by its frame (clicked into, focused, its
  // tab chosen) becomes the active document. Not while a switch moves the
  // focus about, nor for frames activated by a call (a session being read
  // activates each new frame): those are no choice of the user's.
  void HandleSelection(const oxStlVector<oxt::Object*>& objects) {
    if (objects.size() != 1 || uiMenuBatch::IsActive()) return;
    if (!uiLayoutFrameEx::IsActivatingByUser()) return;
    ClientObject* document = ClientObject::Cast(objects.front());
    if (document && document != activeClientObject) document->Activate();
  }

  void ActivateIdleProfile() const {
    if (Profile* idle = ProfileManager::Get()->GetProfile(idleProfile)) idle->Activate();
  }

  void ReplaceActive() {
    replacing = false;
    if (activeClientObject) return;
    if (!recent.empty()) {
      recent.front()->Activate();
    } else {
      ActivateIdleProfile();
    }
  }
};

void ClientManager::Internal::AddRecordEntry(const fwc::PluginDescription& description) {
  const oxString& clientName = description.GetClientName();
  const oxString& pluginName = description.GetName();
  if (clientName.empty() || pluginName.empty()) return;
  PluginEntry entry{pluginName, ReadProfileName(description)};
  for (ClientRecord& record : records) {
    if (record.clientName != clientName) continue;
    record.entries.push_back(std::move(entry));
    return;
  }
  ClientRecord record;
  record.clientName = clientName;
  record.alias = description.GetAlias();
  record.entries.push_back(std::move(entry));
  records.push_back(std::move(record));
}

Client* ClientManager::Internal::FindClient(const oxString& name) const {
  for (Client* client : clients) {
    if (client->GetName() == name) return client;
  }
  return nullptr;
}

void ClientManager::Internal::LoadImmediatePlugins(ClientRecord& record) {
  if (record.loaded) return;
  record.loaded = true;
  // The plug-in manager reports its own failures; a plug-in that does not
  // load simply leaves the client missing.
  fwc::PluginManager* plugins = fwc::Director::Get()->GetPluginManager();
  for (const PluginEntry& entry : record.entries) {
    if (entry.profileName.empty()) plugins->LoadPlugin(entry.pluginName);
  }
}

ClientManager* ClientManager::Get() { return GetParts().clientManager; }

ClientManager::ClientManager() : internal_(new Internal) {
  oxt::Model::Get()->OnObjectsSelected().Connect(internal_, &Internal::HandleSelection);
  fwc::PluginManager* plugins = fwc::Director::Get()->GetPluginManager();
  for (const fwc::PluginDescription* description : plugins->GetPluginDescriptions()) {
    if (!description) continue;
    internal_->AddRecordEntry(*description);
    internal_->fileTypes.AddDescription(*description);
  }
  // Plug-ins without a library become clients here.
  plugins->SetScriptedLoader(
      [](const fwc::PluginDescription& description) { return ScriptedClient::Make(description) != nullptr; });
}

ClientManager::~ClientManager() {
  fwc::Director::Get()->GetPluginManager()->SetScriptedLoader({});
  internal_->DisconnectAllSignals();
  // Taken out first: a client's destructor leaves the list it is in.
  oxStlVector<Client*> clients;
  clients.swap(internal_->clients);
  for (Client* client : clients) delete client;
  delete internal_;
}

void ClientManager::AddClient(Client* client) {
  internal_->clients.push_back(client);
  internal_->onNewClient.Emit(client);
}

void ClientManager::RemoveClient(Client* client) {
  if (std::erase(internal_->clients, client) == 0) return;
  delete client;
}

Client* ClientManager::GetClient(const oxString& requested) {
  oxString name = requested;
  for (const ClientRecord& record : internal_->records) {
    if (record.alias == name) {
      name = record.clientName;
      break;
    }
  }
  if (Client* client = internal_->FindClient(name)) return client;

  // By index: loading a plug-in may reach back into the manager.
  for (size_t i = 0; i < internal_->records.size(); ++i) {
    if (internal_->records[i].clientName != name) continue;
    Internal::LoadImmediatePlugins(internal_->records[i]);
    Client* client = internal_->FindClient(name);
    if (!client) continue;
    for (const PluginEntry& entry : internal_->records[i].entries) {
      if (!entry.profileName.empty()) client->AddLazyLoadProfile(entry.profileName, entry.pluginName);
    }
    return client;
  }
  return nullptr;
}

oxStlVector<Client*>& ClientManager::GetClientList() { return internal_->clients; }

oxStlVector<oxString> ClientManager::GetClientNames() const {
  oxStlVector<oxString> names;
  for (const ClientRecord& record : internal_->records) {
    names.push_back(record.alias.empty() ? record.clientName : record.alias);
  }
  return names;
}

oxiSignal1<void, Client*>& ClientManager::OnNewClient() { return internal_->onNewClient; }

void ClientManager::SetActiveClientObject(ClientObject* object) {
  const bool changed = internal_->activeClientObject != object;
  oxt::Property font("@Font", oxt::Variant("normal"));
  if (internal_->activeClientObject) internal_->activeClientObject->SetProperty(font);
  internal_->activeClientObject = object;
  if (object) {
    std::erase(internal_->recent, object);
    internal_->recent.insert(internal_->recent.begin(), object);
  }
  font.SetValue(oxt::Variant("bold"));
  if (object) object->SetProperty(font);
  if (changed) internal_->onActiveChanged.Emit(object);
}

oxiSignal1<void, ClientObject*>& ClientManager::OnActiveClientObjectChanged() {
  return internal_->onActiveChanged;
}

ClientObject* ClientManager::GetActiveClientObject() const { return internal_->activeClientObject; }

oxStlVector<ClientObject*> ClientManager::GetRecentClientObjects() const {
  return internal_->recent;
}

void ClientManager::ForgetClientObject(ClientObject* object) {
  std::erase(internal_->recent, object);
  if (internal_->activeClientObject != object) return;
  SetActiveClientObject(nullptr);
  // Not from within the deletion: the object tree may be halfway through
  // taking a whole folder away.
  if (internal_->replacing || !QCoreApplication::instance()) return;
  internal_->replacing = true;
  QMetaObject::invokeMethod(&internal_->guard, [d = internal_] { d->ReplaceActive(); },
                            Qt::QueuedConnection);
}

void ClientManager::SetIdleProfile(const oxString& name) { internal_->idleProfile = name; }
FileTypes* ClientManager::GetFileTypes() const { return &internal_->fileTypes; }

oxString ClientManager::GetIdleProfile() const { return internal_->idleProfile; }

void ClientManager::ActivateIdleProfile() { internal_->ActivateIdleProfile(); }

}  // namespace fwg
