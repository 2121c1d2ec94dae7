// A small property sheet for a dock: the properties of one object of the
// object tree, name and value per row. It shows the current object when the
// object model's selection changes, or the document that has just become
// active, and follows its changes. "Name" is edited in place; a property that names an editor
// ("Layout") opens that editor on a double click or Return.
//
// Registered by the library with the widget manager under S_WidgetName();
// the constructor fits oxaw::WidgetCreator like the project tree's.
#pragma once

#include <QTableWidget>

#include "platform/ui/uiWidget.h"

namespace oxt {
class Object;
}

namespace fwg {

class PropertySheet : public uiWidgetT<QTableWidget> {
  // A meta-object of its own, so that findChild<fwg::PropertySheet*>() finds it.
  Q_OBJECT
  UI_OBJECT(PropertySheet, uiWidget)

 public:
  // "PropertySheet".
  static const char* S_WidgetName();

  PropertySheet(uiWidget* parent, const oxString& name, int flags = 0);
  ~PropertySheet() override;
  PropertySheet(const PropertySheet&) = delete;
  PropertySheet& operator=(const PropertySheet&) = delete;

  // The object shown; null for none, or once it has left the object tree.
  oxt::Object* GetObject() const;
  // Shows the object's properties ("@" attributes left out); null empties
  // the sheet.
  void SetObject(oxt::Object* object);

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace fwg
