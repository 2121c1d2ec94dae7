// The top of a session's tree: a client folder that is a page of its own in
// the central widget and carries the name of its session file.
#pragma once

#include "fwg/objects/ClientFolder.h"
#include "platform/signals/oxSignal.h"

namespace fwg {

class Project : public ClientFolder {
  FWG_OBJECT(Project)

 public:
  Project(oxt::Object* parent, const oxString& name);
  // Below the root of the default object model.
  explicit Project(const oxString& name);
  ~Project() override;

  // A project's own context menu, and it cannot be dragged; the rest as
  // for a client folder.
  bool GetProperty(oxt::Property& p) override;
  using oxt::Object::GetProperty;

  // Writes the project and everything persistable below it to `path`
  // atomically: a failed save leaves the old file as it was. On success the
  // path becomes the project's file name and the project has no unsaved
  // changes. On failure, false with the reason in `error` (on stderr when
  // `error` is null).
  bool SaveSession(const oxString& path, oxString* error = nullptr);
  // Reads the whole file, then loads the plug-ins of the clients it names
  // (they may register the classes of their documents) before a new
  // project is built from it under the default model's root, named as
  // written and with `path` as its file name. An object whose class is
  // still unknown then is left out and reported once on stderr, naming the
  // file, the object and the class; the rest opens. A file that cannot be
  // read, or holds no project or several, gives null with the reason in `error` (on
  // stderr when null) and leaves the object tree as it was.
  static Project* OpenSession(const oxString& path, oxString* error = nullptr);

  // Where a client's New() puts its document: the current client folder or
  // project when there is one; otherwise the first project, or a new one
  // named `name` (made and announced), which becomes current. Clients call
  // it before making a document so that it never lands nowhere.
  static ClientFolder* UseCurrent(const oxString& name);

  // Stored only: the library neither opens nor checks the file.
  void SetFileName(const oxString& fileName);
  oxString GetFileName() const;

  // Unsaved changes. Every change inside the project that the default
  // object model announces sets it: objects made, renamed, moved or
  // deleted, properties set, documents reporting a change of their content
  // (EmitModified()). Attributes ("@..." names, such as the active
  // document's "@Font") and whatever happens while a session is read do
  // not count. SaveSession and OpenSession clear it.
  bool IsModified() const;
  void SetModified(bool modified);
  // What the user knows the project by: its session file's name without
  // the folder, or its own name while it has no file, followed by "*"
  // while there are unsaved changes.
  oxString GetTitle() const;
  // The title without the "*".
  oxString GetUnmarkedTitle() const;
  // Carries a project whose title changed.
  static oxiSignal1<void, Project*>& OnTitleChanged();

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
