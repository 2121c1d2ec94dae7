#include "platform/oxt/Model.h"

#include <algorithm>

#include "platform/oxt/Object.h"

namespace oxt {

namespace {

// Models live for the process; leaked so that objects destroyed during
// static destruction can still leave them.
oxStlMap<oxString, Model*>& GetModels() {
  static auto* models = new oxStlMap<oxString, Model*>;
  return *models;
}

}  // namespace

struct Model::Internal {
  oxString name;
  Object* root = nullptr;  // owned
  oxSignal1<void, Object*> created;
  oxSignal2<void, Object*, Property&> propertyChanged;
  oxSignal1<void, Object*> modified;
  oxSignal1<void, const oxStlVector<Object*>&> deleted;
  oxSignal1<void, const oxStlVector<Object*>&> selected;
  oxSignal2<void, Object*, bool> highlighted;
  oxStlVector<Object*> selection;  // not owned; dying objects take themselves out
};

Model::Model(const oxString& name) : internal_(new Internal) {
  internal_->name = name;
  internal_->root = new Object(nullptr, name);
}

Model::~Model() {
  delete internal_->root;
  delete internal_;
}

Model* Model::Get(const oxString& name) {
  Model*& model = GetModels()[name];
  if (!model) model = new Model(name);
  return model;
}

Object* Model::GetRoot() {
  if (!internal_->root) internal_->root = new Object(nullptr, internal_->name);
  return internal_->root;
}

const oxString& Model::GetName() const { return internal_->name; }

oxSignal1<void, Object*>& Model::OnObjectCreated() { return internal_->created; }

oxSignal2<void, Object*, Property&>& Model::OnPropertyChanged() {
  return internal_->propertyChanged;
}

oxSignal1<void, Object*>& Model::OnObjectModified() { return internal_->modified; }

oxSignal1<void, const oxStlVector<Object*>&>& Model::OnObjectsDeleted() {
  return internal_->deleted;
}

oxSignal1<void, const oxStlVector<Object*>&>& Model::OnObjectsSelected() {
  return internal_->selected;
}

oxSignal2<void, Object*, bool>& Model::OnObjectHighlighted() { return internal_->highlighted; }

const oxStlVector<Object*>& Model::GetSelection() const { return internal_->selection; }

void Model::SetSelection(const oxStlVector<Object*>& objects) {
  internal_->selection = objects;
  // Listeners get a copy: a slot that changes the selection must not pull
  // the list from under the other slots.
  const oxStlVector<Object*> selection = internal_->selection;
  internal_->selected.Emit(selection);
}

void Model::ForgetObject(Object* object) {
  for (auto& [name, model] : GetModels()) {
    std::erase(model->internal_->selection, object);
    if (model->internal_->root == object) model->internal_->root = nullptr;
  }
}

Object* Model::FindObject(const oxString& path) {
  Object* object = GetRoot();
  for (const oxString& name : oxSplit(path, '/')) {
    if (name.empty()) continue;
    Object* found = nullptr;
    for (Object* child : object->GetChildren()) {
      if (child->GetName() == name) {
        found = child;
        break;
      }
    }
    if (!found) return nullptr;
    object = found;
  }
  return object;
}

Model* Model::FindByRoot(const Object* root) {
  for (auto& [name, model] : GetModels()) {
    if (model->internal_->root == root) return model;
  }
  return nullptr;
}

}  // namespace oxt
