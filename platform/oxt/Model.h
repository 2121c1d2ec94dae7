// A named tree of objects with the signals that views of the tree follow.
// Objects find their model through the root of their tree; objects outside
// every model's tree report to the default model (the unnamed one).
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/oxt/Property.h"
#include "platform/signals/oxSignal.h"

namespace oxt {

class Object;

class Model {
 public:
  // The model of that name, made on first use; "" is the default model.
  // Models live for the whole process.
  static Model* Get(const oxString& name = {});

  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  // Owned by the model. Made again if someone deleted it.
  Object* GetRoot();
  const oxString& GetName() const;

  // A new object, once it has its parent.
  oxSignal1<void, Object*>& OnObjectCreated();
  // A property changed; the property carries its new value.
  oxSignal2<void, Object*, Property&>& OnPropertyChanged();
  // The object changed in a way not tied to one property.
  oxSignal1<void, Object*>& OnObjectModified();
  // Objects about to go, still intact: a subtree in preorder.
  oxSignal1<void, const oxStlVector<Object*>&>& OnObjectsDeleted();
  // The objects that are selected now.
  oxSignal1<void, const oxStlVector<Object*>&>& OnObjectsSelected();
  // An object was highlighted (true) or lost its highlight (false).
  oxSignal2<void, Object*, bool>& OnObjectHighlighted();

  // The objects selected now; destroyed objects leave it silently.
  const oxStlVector<Object*>& GetSelection() const;
  // Replaces the selection and emits OnObjectsSelected with it.
  void SetSelection(const oxStlVector<Object*>& objects);

  // The object at "Project/Folder/Document" below the root, each step the
  // first child of that name; the root for an empty path, null for none.
  Object* FindObject(const oxString& path);

 private:
  friend class Object;
  explicit Model(const oxString& name);
  ~Model();
  // Called by a dying object: drops it from the selection and the root.
  static void ForgetObject(Object* object);
  // The model whose root is `root`, or null.
  static Model* FindByRoot(const Object* root);

  struct Internal;
  Internal* internal_;
};

}  // namespace oxt
