// A client: one application module plugged into the framework.
//
// A client owns the profiles it contributes, knows which of its profiles
// still wait in plug-ins that load on demand, and lists the documents
// (client objects) that belong to it. Each file operation is virtual and by
// default only emits its signal, so a client either overrides the operation
// or connects to the signal.
//
// Plug-in authors derive from Client and construct their client from the
// plug-in's entry point; the base constructor registers it with the client
// manager, which owns it from then on.
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

class QPagedPaintDevice;

namespace oxt {
class Object;
}

namespace fwg {

class ClientObject;
class Profile;

class Client {
 public:
  // Registers the client with the client manager as the last step, so that
  // OnNewClient runs before a subclass's constructor body.
  explicit Client(const oxString& name);
  // Deletes the client's profiles (after taking them out of the profile
  // manager). Client objects belong to the object tree and are left alone.
  virtual ~Client();
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  // File and document operations. The defaults emit the matching signal
  // with the arguments unchanged; Close, Save and SaveAs answer true,
  // NewFolder false.
  virtual void New(const oxString& name);
  virtual void New();
  virtual void OpenFile(const oxString& path);
  virtual void ImportFile(const oxString& path);
  virtual bool Close(ClientObject* object);
  virtual bool Save(ClientObject* object);
  virtual bool SaveAs(ClientObject* object, const oxString& path);
  virtual bool NewFolder(ClientObject* object, oxt::Object* parent, const oxString& name);
  // Paints the document on `device`, page after page (device->newPage()
  // between pages), for File > Print, its preview and the PDF export
  // (PrintCommands). The painter is the client's to make. The default
  // prints what the document's view shows: the text of a text view
  // (QTextEdit, QPlainTextEdit) over as many pages as it takes, any other
  // view rendered onto one page, scaled down to fit. False when there is
  // nothing to print (no view).
  virtual bool Print(ClientObject* object, QPagedPaintDevice* device);
  // Runs New(), which must leave the new document as the current client
  // object, and names it `name` unless that is empty. Null when New() made
  // none.
  virtual ClientObject* CreateClientObject(const oxString& name);

  oxString GetName() const;

  // Profiles. The client takes ownership of what is added; RemoveProfile
  // hands it back without deleting it.
  void AddProfile(Profile* profile);
  void RemoveProfile(Profile* profile);
  oxStlVector<Profile*>& GetProfileList();
  // The profile of that name; a profile announced as lazy has its plug-in
  // loaded on the first request (each such plug-in is asked once). Null when
  // none.
  Profile* GetProfile(const oxString& name);
  // Announces a profile that `pluginName` provides when loaded.
  void AddLazyLoadProfile(const oxString& profileName, const oxString& pluginName);
  // Titles of the profiles held, then the names of the lazy profiles not
  // loaded yet.
  oxStlVector<oxString> GetProfileNameList() const;
  // Kept for the host and the clients; the library does not read it.
  void SetDefaultProfile(const oxString& name);
  oxString GetDefaultProfile() const;

  // Documents of this client; not owned. Called by the documents themselves.
  void AddClientObject(ClientObject* object);
  // Removes the first occurrence only.
  void RemoveClientObject(ClientObject* object);
  // A copy, so documents made or destroyed while the caller walks it do not
  // disturb the walk.
  oxStlVector<ClientObject*> GetClientObjectsList() const;

  // The emitting signals themselves: subclasses and hosts may emit them too.
  oxSignal0<void>& OnNew();
  oxSignal1<void, const oxString&>& OnNewObject();
  oxSignal1<void, const oxString&>& OnOpenFile();
  oxSignal1<void, const oxString&>& OnImportFile();
  oxSignal1<void, ClientObject*>& OnClose();
  oxSignal1<void, ClientObject*>& OnSave();
  oxSignal2<void, ClientObject*, const oxString&>& OnSaveAs();
  oxSignal3<void, ClientObject*, oxt::Object*, const oxString&>& OnNewFolder();

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
