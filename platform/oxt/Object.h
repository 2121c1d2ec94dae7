// A node of the typed object tree: a name, an owned list of children,
// stored properties, and the virtual protocol through which views, property
// sheets and session files talk to every object.
//
// Ownership: an object owns its children and deletes them with itself.
// Deleting through Delete() announces the subtree first (OnObjectsDeleted);
// a plain delete is silent.
#pragma once

#include <cstdint>

#include "platform/core/oxTypes.h"
#include "platform/oxt/Property.h"
#include "platform/oxt/Variant.h"

namespace oxt {

class FileElement;
class Model;

class Object {
 public:
  static const char* S_ClassName();  // "oxt::Object"

  // Appended to the parent's children; emits nothing (the creator calls
  // EmitCreated once the object is complete).
  explicit Object(Object* parent = nullptr, const oxString& name = {});
  // Deletes the children without signals, leaves the parent, the model's
  // selection and, handing over to the parent, the current object.
  virtual ~Object();
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  // Announces the subtree (EmitDeleted), then deletes this.
  virtual void Delete();
  // "Name", then the stored property names in the order they were added.
  virtual oxStlVector<oxString> GetPropertyNames();
  // Fills `p` by its name; false if the object has no such property.
  // Attribute names start with "@": "@Parent", "@Persistable",
  // "@ContextMenu", "@OkToDrop", "@OkToDrag".
  virtual bool GetProperty(Property& p);
  // "Name" renames, "@Parent" moves (refused for null, the object itself or
  // a descendant), any other name is stored. An accepted change emits
  // EmitModified(p).
  virtual bool SetProperty(Property& p);
  virtual bool ExecuteMethod(const oxString& name, oxStlVector<Variant>& args);
  // A new object of the same class below `parent` with this object's
  // properties and copies of its children; emits created for each copy.
  // Null (with one stderr line) if the class cannot be created by name.
  virtual Object* Copy(Object* parent);
  // Reads the properties and child objects written by Write from this
  // object's own element. Child classes are checked first: if one cannot be
  // created, nothing is changed and the result is false.
  virtual bool Read(FileElement* element);
  // Adds this object's element below `parent` with the properties and the
  // persistable children.
  virtual bool Write(FileElement* parent);
  virtual void EmitCreated();
  virtual void EmitModified();
  virtual void EmitModified(Property& p);
  // The selection becomes this object alone.
  virtual void EmitSelected();
  // This object leaves the selection (no signal if it was not selected).
  virtual void EmitUnselected();
  virtual void EmitHighlighted();
  virtual void EmitUnhighlighted();
  // This object and its descendants in preorder, while they are intact.
  virtual void EmitDeleted();
  virtual oxString ClassName() const;
  // The class itself or any registered base; every object is an
  // "oxt::Object".
  virtual bool IsA(const oxString& className) const;

  oxString GetName() const;
  // Renames without a signal (SetProperty with "Name" announces it).
  void SetName(const oxString& name);

  // Empty: the parent. Otherwise the nearest ancestor that IsA(className).
  Object* GetParent(const oxString& className = {}) const;
  // Moves the object to the end of the new parent's children (null
  // detaches it) and emits the property change "@Parent" with the new
  // parent. Moving below itself or a descendant is refused.
  void SetParent(Object* parent);

  const oxStlVector<Object*>& GetChildren() const;
  // Children (or all descendants in preorder when `recursive`) matching
  // both filters; an empty filter matches all. `useIsA` false compares the
  // exact class name.
  oxStlVector<Object*> GetChildren(const oxString& name, const oxString& className,
                                   bool recursive, bool useIsA) const;
  // True if `object` is this object or below it.
  bool IsAncestorOf(const Object* object) const;

  // Property(name) filled through the virtual GetProperty. Classes that
  // override GetProperty(Property&) hide this overload: call it as
  // oxt::Object::GetProperty(name) or add a using-declaration.
  Property GetProperty(const oxString& name);
  // Stores the property (replacing one of the same name) without a signal.
  // "Name" renames; "@Parent" and empty names are refused.
  void AddProperty(const Property& p);
  // True for a stored property of that name.
  bool HasProperty(const oxString& name) const;

  // The model whose root is this object's top ancestor, else the default.
  Model* GetModel() const;

  static Object* GetCurrentObjectFromType(const oxString& className);

  // The object whose oxt::Object part sits at `address`, while it lives;
  // null for any other address. How an untyped pointer (a script
  // argument) is known to be a typed object.
  static Object* FromAddress(const void* address);
  // Different for every object of the run, so that a holder of an address
  // tells this object from a later one made at the same place.
  std::uint64_t GetSerial() const;

 private:
  bool StoreProperty(const Property& p);
  void CollectSubtree(oxStlVector<Object*>& out);
  bool IsBeingDestroyed() const;

  struct Internal;
  Internal* internal_;
};

}  // namespace oxt
