// Registry of the clients and keeper of the one active client object.
//
// At construction the manager turns the framework core's plug-in
// descriptions into one record per client name: the plug-ins that make the
// client exist (loaded when the client is first requested) and those that
// provide one of its profiles on demand (manifest key "profile"). Clients
// register themselves from their base constructor; the manager owns them.
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

class Client;
class ClientObject;
class FileTypes;

class ClientManager {
 public:
  // The application object's client manager.
  static ClientManager* Get();

  // Reads the plug-in descriptions into client records.
  ClientManager();
  // Deletes every client, in the order they were added.
  ~ClientManager();
  ClientManager(const ClientManager&) = delete;
  ClientManager& operator=(const ClientManager&) = delete;

  // Takes ownership and announces the client through OnNewClient. Called by
  // every client's base constructor; nothing else should call it.
  void AddClient(Client* client);
  // Takes the client out and deletes it: its profiles go with it (those in
  // force withdraw their entries first) and its documents stay, without a
  // client. Nothing happens for a client that is not registered.
  void RemoveClient(Client* client);
  // The client of that name or alias, loading its plug-ins on the first
  // request; its lazy profiles are announced to it when this request made
  // it exist. Null when there is none.
  Client* GetClient(const oxString& name);
  oxStlVector<Client*>& GetClientList();
  // One entry per described client: its alias, or its name without one.
  oxStlVector<oxString> GetClientNames() const;
  // Emitted from within the client's base constructor: a slot may read the
  // name but not rely on the subclass.
  oxiSignal1<void, Client*>& OnNewClient();

  // The file types the described clients open (FileTypes.h), read from
  // the descriptions at construction. Owned by the manager.
  FileTypes* GetFileTypes() const;

  // Not owned. Sets "@Font" "normal" on the previous active object and
  // "bold" on the new one.
  void SetActiveClientObject(ClientObject* object);
  ClientObject* GetActiveClientObject() const;
  // After the active document changed, with the new one (null: none).
  oxiSignal1<void, ClientObject*>& OnActiveClientObjectChanged();

  // Documents in the order they were last active, the active one first.
  // Documents that were never active are not listed.
  oxStlVector<ClientObject*> GetRecentClientObjects() const;
  // Called by a document as it goes: it leaves the recent list, and when it
  // was the active one, the next recent document is activated once control
  // returns to the event loop (or the idle profile comes into force).
  void ForgetClientObject(ClientObject* object);

  // The profile in force while no document is active: at start-up, before
  // the first document, and after the last one went. A host or a client-less
  // plug-in names it (the samples name their base profile); empty by
  // default, and then the last document's profile stays in force.
  void SetIdleProfile(const oxString& name);
  oxString GetIdleProfile() const;
  // Puts the idle profile in force now, if one is named and exists.
  void ActivateIdleProfile();

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
