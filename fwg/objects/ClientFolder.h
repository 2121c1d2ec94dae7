// A folder of documents. Its "Layout" property chooses the fixed layout in
// which the central widget tiles the folder's views.
#pragma once

#include "fwg/objects/Folder.h"
#include "platform/ui/uiLayoutFrameEx.h"

namespace fwg {

class ClientObject;

class ClientFolder : public Folder {
  FWG_OBJECT(ClientFolder)

 public:
  // The values of "Layout", each named after the panes it gives: 1 shows
  // one document at a time (tabs), the others tile the documents side by
  // side (the last pane takes the rest as tabs).
  //   oxt::Property tile("Layout", fwg::ClientFolder::TwoByTwo);
  //   project->SetProperty(tile);
  // The names and the panes they give are the layout frame's
  // (uiLayoutFrameEx, which draws each), plus NoLayout, none chosen yet.
  using Layout = uiLayoutFrameEx::FixedLayouts;
  using enum uiLayoutFrameEx::FixedLayouts;
  static constexpr int NoLayout = 0;

  // Layout 0 (none chosen); the type list names "fwg::ClientFolder", also
  // for the classes derived from it.
  ClientFolder(oxt::Object* parent, const oxString& name);
  ~ClientFolder() override;

  // The object model's names followed by "Layout".
  oxStlVector<oxString> GetPropertyNames() override;
  // Answers "Layout", "@ContextMenu", "@OkToDrag", "@OkToDrop" and
  // "@NoDuplicateChildNames"; the object model answers the rest.
  bool GetProperty(oxt::Property& p) override;
  // "Layout" stores the number and always announces it, so that the same
  // value lays the frame out again.
  bool SetProperty(oxt::Property& p) override;
  using oxt::Object::GetProperty;

  // Session files. Write adds the folder's element below `parent`: its
  // properties, then its persistable children in order, each document that
  // has a client preceded by a "CLIENT" element (values "type": the
  // client's name, "name": the document's name).
  bool Write(oxt::FileElement* parent) override;
  // Reads from the folder's own element. A "CLIENT" element has that
  // client make the document again, in this folder (its New() must leave
  // the new document current); the document's own element is then read
  // into it. "Layout" is applied once more after the children exist. The
  // documents of an unknown client, or of a client whose New() made none
  // here, are read without a client; each such client is reported once on
  // stderr. Objects of unknown classes are skipped; false if a child could
  // not be made.
  bool Read(oxt::FileElement* element) override;

  // Not the way to activate a document: ClientObject::Activate is. Only
  // reports the misuse.
  void Activate(ClientObject* object);

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
