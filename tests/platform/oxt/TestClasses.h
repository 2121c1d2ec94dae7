// Small registered classes for the object-model tests: a folder, a project
// that is a folder by its registered base, and a document.
#pragma once

#include "platform/oxt/Object.h"

namespace oxttest {

class Folder : public oxt::Object {
 public:
  explicit Folder(oxt::Object* parent = nullptr, const oxString& name = {})
      : oxt::Object(parent, name) {}
  oxString ClassName() const override { return "test::Folder"; }
};

class Project : public Folder {
 public:
  using Folder::Folder;
  oxString ClassName() const override { return "test::Project"; }
};

class Doc : public oxt::Object {
 public:
  explicit Doc(oxt::Object* parent = nullptr, const oxString& name = {})
      : oxt::Object(parent, name) {}
  oxString ClassName() const override { return "test::Doc"; }
};

// Registers the three classes once (bases by name, as a library would at
// load time). Safe to call from every test.
void RegisterTestClasses();

// One line per object, indented by depth: class, name and every property
// but "Name" with its type, so two trees compare as text.
oxString DumpTree(oxt::Object* object);

}  // namespace oxttest
