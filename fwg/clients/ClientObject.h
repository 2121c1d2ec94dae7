// A document: a typed object in the object tree that belongs to a client,
// names the profile in force while it is the active document, and owns the
// layout frame (its layouter) that stands for it in the central widget.
//
// Clients make documents with the client constructor, usually from New(),
// and activate them; the object model makes them by class name (without a
// client) when a session is read. At most one document is active at a time;
// the client manager holds it and draws its label bold ("@Font").
#pragma once

#include "fwg/objects/ObjectClass.h"
#include "platform/signals/oxSignal.h"

class uiLayoutFrameEx;

namespace fwg {

class Client;
class Profile;

class ClientObject : public oxt::Object {
  // _Ctor makes a document without a client, announced as created.
  FWG_OBJECT(ClientObject)

 public:
  // Appended to `parent`'s children, without a client. EmitCreated() runs
  // (when `emitCreated` is set) before "@Font" "normal" is added.
  ClientObject(oxt::Object* parent, const oxString& name, bool emitCreated);
  // Placed under the current client folder, else under the current project,
  // else nowhere; listed among the client's documents.
  ClientObject(Client* client, const oxString& name, bool emitCreated);
  // Stops being the active document, deletes the layouter if it is still
  // alive and leaves the client's list.
  ~ClientObject() override;

  // A copy made by the client's New() under `parent`, with this document's
  // profile and properties, announced, then copies of the children below
  // it. Null (with one stderr line) without a client, when New() made no
  // document, or when `parent` lies inside this document.
  oxt::Object* Copy(oxt::Object* parent) override;

  // Deactivates the previous active document (this one included), becomes
  // the current and active object, brings its frame forward, activates its
  // profile and emits OnActivate.
  virtual void Activate();
  // Only emits OnDeactivate: the next activation replaces the active
  // document and the profile.
  virtual void Deactivate();

  // Null once the client has left the client manager (the application
  // object is gone, say). SetClient leaves both clients' lists alone.
  Client* GetClient() const;
  void SetClient(Client* client);

  // Owned by the document while alive; it lives inside its folder's frame,
  // and Qt may delete it with the main window first. Null then.
  uiLayoutFrameEx* GetLayouter() const;

  // The client's profile under the stored name (which may load it); null
  // without a client or when the client knows none.
  Profile* GetProfile() const;
  // Stores the name and activates the profile, only if the client knows a
  // profile of that name; otherwise nothing changes.
  void SetProfile(const oxString& name);

  // Both carry this document.
  oxiSignal1<void, ClientObject*>& OnActivate();
  oxiSignal1<void, ClientObject*>& OnDeactivate();

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
