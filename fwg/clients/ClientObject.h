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

class QWidget;
class uiLayoutFrameEx;

namespace oxt {
class ClassInfo;
class FileElement;
}

namespace fwg {

class Client;
class Document;
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

  // Session files: the document's element holds its properties, then what
  // WriteContent adds, then its persistable children. Read sets the
  // properties, reads the children, then hands the element to ReadContent.
  bool Write(oxt::FileElement* parent) override;
  bool Read(oxt::FileElement* element) override;

  // Content hooks: what a document holds beyond its properties (a note's
  // text, a sketch's strokes) goes into its session element here. Values of
  // `element` itself are read back as properties, so content belongs in
  // child elements, named anything but "OBJECT" and "CLIENT"; AddContent
  // and GetContent do the common case of one named piece of text or bytes.
  // ReadContent gets the element written by WriteContent's counterpart in
  // an earlier process; a piece it does not find is simply absent. Both do
  // nothing by default.
  //
  // A document whose content changes calls EmitModified() so that its
  // project counts as changed (Project::IsModified) and is autosaved.
  virtual void WriteContent(oxt::FileElement* element);
  virtual void ReadContent(oxt::FileElement* element);
  // Adds a child element `name` of `element` holding `data`, which may be
  // any bytes: the file carries what XML cannot hold in base64.
  static void AddContent(oxt::FileElement* element, const oxString& name, const oxString& data);
  // The data of the first child element `name` of `element`; false when
  // there is none.
  static bool GetContent(const oxt::FileElement* element, const oxString& name, oxString* data);

  // Deactivates the previous active document (this one included), becomes
  // the current and active object, brings its frame forward, activates its
  // profile and emits OnActivate. At its first activation a document takes
  // the keyboard (its view), unless the keyboard is in a dock or already in
  // the document.
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

  // The file the document shows, kept apart from its view: owned from
  // now on (a later call deletes the one it replaces). With a document that
  // has a file, the file is the document's work: its modified state is the
  // document's, its name the title, and a session keeps the path, not the
  // content (WriteContent and ReadContent are not called then; the file is
  // read again when the session is). Without a file (a new document not
  // saved yet) the content lives in the session as before.
  void SetDocument(Document* document);
  Document* GetDocument() const;
  // The document's file, "" when it has none.
  oxString GetFilePath() const;

  // Unsaved work. A document whose work lives outside the session (a file
  // it was opened from) says SetModified(true) while it differs from that
  // file and SetModified(false) once saved: the window title marks it, and
  // closing the document or quitting asks first (ConfirmClose). With a
  // Document that has a file, both go to it.
  void SetModified(bool modified);
  bool IsModified() const;
  // Content changes (EmitModified()) since the document's session was last
  // saved or read: closing the document would lose them.
  bool HasUnsavedContent() const;
  // Told by Project::SaveSession: the session now keeps the content.
  void SetContentSaved();
  // Content changed: the document's project counts as changed, and the
  // document as holding unsaved content. For a document showing a file the
  // change is the file's: its Document is marked modified instead.
  void EmitModified() override;
  using oxt::Object::EmitModified;

  // Asked before a document that IsModified() goes (closed, or the
  // application ends). True when it may go. The default asks the user
  // whether to save its changes (Save, Discard, Cancel) and saves: a
  // Document's file as File > Save does (FileCommands::Save), otherwise
  // through its client's Save(); override it to ask and save your own way.
  virtual bool ConfirmClose();
  // Closes the document as the user's Close command does: asks first when
  // it holds work (ConfirmClose while modified; a confirmation while it
  // holds unsaved content), lets its client close it (Client::Close, which
  // may refuse), makes the most recently active other document active when
  // this one was, and deletes it. False when the user or the client kept
  // it; the document is gone when true.
  bool Close();

  // What the main window's title shows of the document: the title set,
  // else its file's name, else its name.
  void SetTitle(const oxString& title);
  oxString GetTitle() const;
  // Carries a document whose title or modified state changed.
  static oxiSignal1<void, ClientObject*>& OnTitleChanged();

  // The short way for an ordinary Qt widget as the document's view: shown
  // in the document's frame, owned by the document from then on (it goes
  // with the frame). A later call deletes the view it replaces; null only
  // deletes it. A view that must be a uiWidget goes through
  // GetLayouter()->AddView() instead.
  void SetView(QWidget* view);
  // The view SetView gave; null when none, or once its owner deleted it.
  QWidget* GetView() const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
