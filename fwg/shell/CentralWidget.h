// The main window's central area: a stack with one page per project.
#pragma once

class uiWidget;

namespace oxt {
class Object;
}

namespace fwg {

class CentralWidget {
 public:
  // Installs its stack as the main window's central widget.
  CentralWidget();
  virtual ~CentralWidget();
  CentralWidget(const CentralWidget&) = delete;
  CentralWidget& operator=(const CentralWidget&) = delete;

  // Brings the object's frame and its project's page forward.
  virtual void ActivateObject(oxt::Object* object);
  // Makes the widget the main window's central widget.
  virtual void ShowWidget(uiWidget* widget);

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
