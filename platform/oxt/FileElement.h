// The element tree of a session file: every element has a name, a text,
// ordered typed values and ordered child elements. Objects write themselves
// as elements named "OBJECT" that record their class and name apart from
// the values, so the values hold only properties.
//
// The text form is XML. Values keep their type (bool, int, long, string,
// empty); pointer values live only in memory and are not written.
#pragma once

#include <memory>
#include <utility>

#include "platform/core/oxTypes.h"
#include "platform/oxt/Variant.h"

namespace oxt {

class Object;

class FileElement {
 public:
  // A root element.
  explicit FileElement(const oxString& name = {}, const oxString& text = {});
  // Appended to and owned by `parent` (a root if `parent` is null).
  FileElement(FileElement* parent, const oxString& name, const oxString& text);
  ~FileElement();  // deletes the child elements
  FileElement(const FileElement&) = delete;
  FileElement& operator=(const FileElement&) = delete;

  const oxString& GetName() const;
  const oxString& GetText() const;
  FileElement* GetParent() const;

  // A value of the same name is replaced in place, keeping its position.
  void AddValue(const oxString& name, const Variant& value);
  // Empty when absent.
  Variant GetValue(const oxString& name) const;
  bool HasValue(const oxString& name) const;
  const oxStlVector<std::pair<oxString, Variant>>& GetValues() const;

  const oxStlVector<FileElement*>& GetElementList() const;
  // Takes a child element out of this one and hands it to the caller, who
  // owns it from then on; null when `child` is not a child of this element.
  std::unique_ptr<FileElement> TakeElement(FileElement* child);

  // The class and name of the object an "OBJECT" element stands for.
  const oxString& GetObjectClass() const;
  const oxString& GetObjectName() const;

  // A new child element "OBJECT" recording the object's class and name.
  FileElement* AddObject(Object* object);
  // Each of the object's property names except "Name" and "@..." names,
  // read through its virtual GetProperty, becomes a value of that name.
  void AddProperties(Object* object);
  // Each value is handed to the object's virtual SetProperty.
  void SetProperties(Object* object);
  // For an "OBJECT" element: a new object of the recorded class below
  // `parent`, named as recorded. Unknown class or no constructor: one
  // stderr line and null. When the element before this one made the object
  // already (it is the current object, the last child of `parent`, of the
  // recorded class and name), that object is returned instead.
  Object* CreateObject(Object* parent);
  // True if every "OBJECT" element below this one (not this one itself)
  // names a class that can be created; otherwise `error` (if given) says
  // which one cannot.
  bool CanCreateObjects(oxString* error) const;

  oxString WriteString() const;
  // The element tree read from XML, or null with "<line>:<column>: <reason>"
  // in `error`. Errors go to stderr only when `error` is null.
  static std::unique_ptr<FileElement> ReadString(const oxString& xml, oxString* error);
  // Atomic: a failed write leaves the old file byte for byte. False with
  // "<path>: <reason>" in `error` (on stderr when `error` is null).
  bool WriteFile(const oxString& path, oxString* error) const;
  // Null on failure with "<path>:<line>:<column>: <reason>" in `error`;
  // nothing read so far survives.
  static std::unique_ptr<FileElement> ReadFile(const oxString& path, oxString* error);

 private:
  Object* FindObjectMadeAhead(Object* parent) const;

  friend class FileElementParser;
  struct Internal;
  Internal* internal_;
};

}  // namespace oxt
