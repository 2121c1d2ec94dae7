// The main window's central area. It mirrors the object tree in layout
// frames: every project is a page of a widget stack, every client folder a
// frame inside its parent's frame (or a page of its own when its parent has
// none), and every document shows its own frame, its layouter, inside its
// folder's frame. It follows the default object model's signals to build,
// move, re-tile and remove these frames.
#pragma once

class uiWidget;

namespace oxt {
class Object;
}

namespace fwg {

class CentralWidget {
 public:
  // Listens to the default object model and installs its stack as the
  // main window's central widget. Objects created before this get no frame.
  CentralWidget();
  // Deletes the stack and the frames of projects and client folders; the
  // documents' layouters stay with their documents.
  virtual ~CentralWidget();
  CentralWidget(const CentralWidget&) = delete;
  CentralWidget& operator=(const CentralWidget&) = delete;

  // Activates the object's frame and raises its project's page. Does
  // nothing for an object without a frame.
  virtual void ActivateObject(oxt::Object* object);
  // Makes the widget the main window's central widget, hiding the one
  // before; nothing happens when it already is.
  virtual void ShowWidget(uiWidget* widget);
  // Shows the projects' pages again after ShowWidget showed another
  // widget (a host's welcome page, say).
  void ShowPages();

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
