#include "platform/oxt/Object.h"

#include <algorithm>
#include <unordered_set>

#include "platform/core/oxDiagnostic.h"
#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/FileElement.h"
#include "platform/oxt/Model.h"

namespace oxt {

namespace {

const char kName[] = "Name";
const char kParent[] = "@Parent";

bool IsAttributeWithDefaultTrue(const oxString& name) {
  return name == "@Persistable" || name == "@OkToDrop" || name == "@OkToDrag";
}

// Every living object by address. GUI thread only. Never freed: objects
// held by other statics may go after it would.
std::unordered_set<const void*>& LiveObjects() {
  static auto* live = new std::unordered_set<const void*>;
  return *live;
}
std::uint64_t g_lastSerial = 0;

}  // namespace

struct Object::Internal {
  oxString name;
  Object* parent = nullptr;
  oxStlVector<Object*> children;  // owned
  oxStlVector<Property> properties;  // stored properties, in the order added
  bool destroying = false;  // lets children know their parent is going too
  bool announced = false;   // EmitCreated ran
  std::uint64_t serial = 0;

  Property* FindProperty(const oxString& propertyName) {
    for (Property& p : properties) {
      if (p.GetName() == propertyName) return &p;
    }
    return nullptr;
  }
};

const char* Object::S_ClassName() { return "oxt::Object"; }

Object::Object(Object* parent, const oxString& name) : internal_(new Internal) {
  internal_->name = name;
  internal_->parent = parent;
  internal_->serial = ++g_lastSerial;
  LiveObjects().insert(this);
  if (parent) parent->internal_->children.push_back(this);
}

Object::~Object() {
  internal_->destroying = true;
  // Each child takes itself out of our list as it goes.
  while (!internal_->children.empty()) delete internal_->children.front();

  Object* parent = internal_->parent;
  Object* successor = parent && !parent->IsBeingDestroyed() ? parent : nullptr;
  CurrentObjects::Get()->ObjectDestroyed(this, successor);
  if (parent) {
    // Found from the front, where a parent that goes deletes its children.
    oxStlVector<Object*>& siblings = parent->internal_->children;
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it != siblings.end()) siblings.erase(it);
  }
  Model::ForgetObject(this);
  LiveObjects().erase(this);
  delete internal_;
}

Object* Object::FromAddress(const void* address) {
  const auto& live = LiveObjects();
  return live.count(address) ? static_cast<Object*>(const_cast<void*>(address)) : nullptr;
}

std::uint64_t Object::GetSerial() const { return internal_->serial; }

bool Object::IsBeingDestroyed() const { return internal_->destroying; }

void Object::Delete() {
  EmitDeleted();
  delete this;
}

oxStlVector<oxString> Object::GetPropertyNames() {
  oxStlVector<oxString> names{kName};
  for (const Property& p : internal_->properties) names.push_back(p.GetName());
  return names;
}

bool Object::GetProperty(Property& p) {
  const oxString& name = p.GetName();
  if (name == kName) {
    p.SetValue(internal_->name);
    return true;
  }
  if (name == kParent) {
    p.SetValue(Variant(internal_->parent));
    return true;
  }
  // The model has no context-menu entries of its own; subclasses add theirs.
  if (name == "@ContextMenu") return true;
  if (const Property* stored = internal_->FindProperty(name)) {
    p.SetValue(stored->GetValue());
    p.GetValueList() = stored->GetValueList();
    p.SetEditorName(stored->GetEditorName());
    return true;
  }
  if (IsAttributeWithDefaultTrue(name)) {
    p.SetValue(true);
    return true;
  }
  return false;
}

bool Object::SetProperty(Property& p) {
  const oxString& name = p.GetName();
  if (name == kParent) {
    auto* parent = static_cast<Object*>(p.GetValue().GetPointer());
    if (!parent || IsAncestorOf(parent)) return false;
    SetParent(parent);  // announces the move itself
    return true;
  }
  if (name == kName) {
    internal_->name = p.GetValue().GetString();
  } else if (!StoreProperty(p)) {
    return false;
  }
  EmitModified(p);
  return true;
}

bool Object::ExecuteMethod(const oxString&, oxStlVector<Variant>&) { return false; }

Object* Object::Copy(Object* parent) {
  if (IsAncestorOf(parent)) {
    oxWarn("oxt::Object::Copy: cannot copy '", internal_->name, "' into itself");
    return nullptr;
  }
  const ClassInfo* info = ClassInfo::GetClassInfo(ClassName());
  Object* copy = info ? info->Create(parent) : nullptr;
  if (!copy) {
    oxWarn("oxt::Object::Copy: cannot create an object of class '", ClassName(), "'");
    return nullptr;
  }
  for (const oxString& name : GetPropertyNames()) {
    if (name == kParent) continue;  // the copy stays where it was made
    Property p(name);
    if (GetProperty(p)) copy->SetProperty(p);
  }
  copy->EmitCreated();
  const oxStlVector<Object*> children = internal_->children;
  for (Object* child : children) child->Copy(copy);
  return copy;
}

bool Object::Read(FileElement* element) {
  if (!element) return false;
  oxString error;
  if (!element->CanCreateObjects(&error)) {
    oxWarn(error);
    return false;
  }
  // An object read from a file is announced like one a user made, once:
  // classes whose constructors announce themselves are not told again.
  if (!internal_->announced) EmitCreated();
  element->SetProperties(this);
  bool complete = true;
  for (FileElement* childElement : element->GetElementList()) {
    if (childElement->GetName() != "OBJECT") continue;
    Object* child = childElement->CreateObject(this);
    if (!child || !child->Read(childElement)) complete = false;
  }
  return complete;
}

bool Object::Write(FileElement* parent) {
  if (!parent) return false;
  FileElement* element = parent->AddObject(this);
  element->AddProperties(this);
  const oxStlVector<Object*> children = internal_->children;
  for (Object* child : children) {
    Property persistable("@Persistable");
    if (child->GetProperty(persistable) && !persistable.GetValue().GetBoolean()) continue;
    child->Write(element);
  }
  return true;
}

void Object::EmitCreated() {
  internal_->announced = true;
  GetModel()->OnObjectCreated().Emit(this);
}

void Object::EmitModified() { GetModel()->OnObjectModified().Emit(this); }

void Object::EmitModified(Property& p) { GetModel()->OnPropertyChanged().Emit(this, p); }

void Object::EmitSelected() { GetModel()->SetSelection({this}); }

void Object::EmitUnselected() {
  Model* model = GetModel();
  oxStlVector<Object*> selection = model->GetSelection();
  if (std::erase(selection, this) == 0) return;
  model->SetSelection(selection);
}

void Object::EmitHighlighted() { GetModel()->OnObjectHighlighted().Emit(this, true); }

void Object::EmitUnhighlighted() { GetModel()->OnObjectHighlighted().Emit(this, false); }

void Object::EmitDeleted() {
  oxStlVector<Object*> subtree;
  CollectSubtree(subtree);
  GetModel()->OnObjectsDeleted().Emit(subtree);
}

oxString Object::ClassName() const { return S_ClassName(); }

bool Object::IsA(const oxString& className) const {
  const oxString own = ClassName();
  if (className == own || className == S_ClassName()) return true;
  const ClassInfo* info = ClassInfo::GetClassInfo(own);
  return info && info->IsA(className);
}

oxString Object::GetName() const { return internal_->name; }

void Object::SetName(const oxString& name) { internal_->name = name; }

Object* Object::GetParent(const oxString& className) const {
  Object* ancestor = internal_->parent;
  if (className.empty()) return ancestor;
  while (ancestor && !ancestor->IsA(className)) ancestor = ancestor->internal_->parent;
  return ancestor;
}

void Object::SetParent(Object* parent) {
  Object* old = internal_->parent;
  if (parent == old) return;
  if (IsAncestorOf(parent)) {
    oxWarn("oxt::Object::SetParent: cannot move '", internal_->name, "' below itself");
    return;
  }
  if (old) std::erase(old->internal_->children, this);
  internal_->parent = parent;
  if (parent) parent->internal_->children.push_back(this);
  Property p(kParent, Variant(parent));
  EmitModified(p);
}

const oxStlVector<Object*>& Object::GetChildren() const { return internal_->children; }

oxStlVector<Object*> Object::GetChildren(const oxString& name, const oxString& className,
                                         bool recursive, bool useIsA) const {
  oxStlVector<Object*> found;
  // Explicit stack in reverse child order keeps the result in preorder.
  oxStlVector<Object*> pending(internal_->children.rbegin(), internal_->children.rend());
  while (!pending.empty()) {
    Object* object = pending.back();
    pending.pop_back();
    const bool nameMatches = name.empty() || object->internal_->name == name;
    const bool classMatches = className.empty() ||
                              (useIsA ? object->IsA(className) : object->ClassName() == className);
    if (nameMatches && classMatches) found.push_back(object);
    if (recursive) {
      const auto& children = object->internal_->children;
      pending.insert(pending.end(), children.rbegin(), children.rend());
    }
  }
  return found;
}

bool Object::IsAncestorOf(const Object* object) const {
  for (; object; object = object->internal_->parent) {
    if (object == this) return true;
  }
  return false;
}

Property Object::GetProperty(const oxString& name) {
  Property p(name);
  GetProperty(p);
  return p;
}

void Object::AddProperty(const Property& p) {
  if (p.GetName() == kName) {
    internal_->name = p.GetValue().GetString();
  } else if (!StoreProperty(p)) {
    oxWarn("oxt::Object::AddProperty: cannot store a property named '", p.GetName(), "'");
  }
}

bool Object::HasProperty(const oxString& name) const {
  return internal_->FindProperty(name) != nullptr;
}

bool Object::StoreProperty(const Property& p) {
  if (p.GetName().empty() || p.GetName() == kParent) return false;
  if (Property* stored = internal_->FindProperty(p.GetName())) {
    *stored = p;
  } else {
    internal_->properties.push_back(p);
  }
  return true;
}

void Object::CollectSubtree(oxStlVector<Object*>& out) {
  out.push_back(this);
  const oxStlVector<Object*> more = GetChildren({}, {}, true, false);
  out.insert(out.end(), more.begin(), more.end());
}

Model* Object::GetModel() const {
  const Object* top = this;
  while (top->internal_->parent) top = top->internal_->parent;
  Model* model = Model::FindByRoot(top);
  return model ? model : Model::Get();
}

Object* Object::GetCurrentObjectFromType(const oxString& className) {
  return CurrentObjects::Get()->GetCurrentObject(className);
}

}  // namespace oxt
