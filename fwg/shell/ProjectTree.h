// A tree view of the object tree for a dock: projects, folders, client
// folders and documents as the default object model holds them, following
// the model's signals (created, deleted, moved, renamed, properties).
//
// - The active document's label is bold: the view draws "@Font".
// - Clicking a document activates it; the arrow keys move the highlight
//   and keep the keyboard in the tree, Enter activates the highlighted
//   document and hands it the keyboard. Selecting a folder or a project
//   makes it current (new documents go there) and selects it in the model.
// - The active document's row follows activations made elsewhere.
// - The context menu of an object is built from its "@ContextMenu" entries
//   (a document's starts with Close):
//   "A:<action>" an action of the active profile chain (or the library's own
//   "Fwg_Context_Delete"), "S:" a separator, "P:<property>" the property's
//   editor ("P:Layout" opens the layout chooser).
// - Objects are dragged when they answer "@OkToDrag" and dropped where the
//   target answers "@OkToDrop" for them; a drop moves them ("@Parent"), or
//   copies them with the copy modifier.
// - Labels are renamed in place ("Name").
//
// The library registers a maker of this view with the widget manager under
// S_WidgetName(), so any profile can dock it: AddDockWidget("ProjectTree",
// "LEFT"). The constructor fits oxaw::WidgetCreator, so a profile may also
// register it under a name of its own (the name is the dock's caption).
#pragma once

#include <QTreeView>

#include "platform/ui/uiWidget.h"

namespace oxt {
class Object;
}

namespace fwg {

class ProjectTree : public uiWidgetT<QTreeView> {
  // A meta-object of its own, so that findChild<fwg::ProjectTree*>() finds it.
  Q_OBJECT
  UI_OBJECT(ProjectTree, uiWidget)

 public:
  // "ProjectTree".
  static const char* S_WidgetName();

  // Shows the default object model as it is now and follows it from then on.
  ProjectTree(uiWidget* parent, const oxString& name, int flags = 0);
  ~ProjectTree() override;
  ProjectTree(const ProjectTree&) = delete;
  ProjectTree& operator=(const ProjectTree&) = delete;

  // The object of a row; null for an invalid index or a row whose object
  // is gone.
  oxt::Object* GetObject(const QModelIndex& index) const;
  // The row of an object; invalid when the tree does not show it.
  QModelIndex GetIndex(oxt::Object* object) const;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
