// What documents ask of the main window's central area: to bring a
// document's frame forward, and to show the documents in place of another
// page (a host's welcome page, say). The application's central widget
// implements it.
#pragma once

namespace oxt {
class Object;
}

namespace fwg {

class DocumentArea {
 public:
  virtual ~DocumentArea() = default;
  // Activates the object's frame and raises its project's page; nothing for
  // an object without a frame.
  virtual void ActivateObject(oxt::Object* object) = 0;
  // Makes the documents' pages the main window's central widget again.
  virtual void ShowDocuments() = 0;
};

}  // namespace fwg
