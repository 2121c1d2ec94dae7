// The editor of a client folder's "Layout" property: one picture per fixed
// layout, offering only the layouts the current client folder has views for.
#pragma once

#include "platform/oxaw/IconPropertyEditorWidget.h"

namespace fwg {

class LayoutPropertyEditor : public oxaw::IconPropertyEditorWidget {
 public:
  // Texts are translated, and the pictures "layout1.png" ... found, in the
  // application's "fwg" context.
  LayoutPropertyEditor();
  ~LayoutPropertyEditor() override;

  // The chooser with the first 1, 3, 9, 10 or 12 layouts, by the number of
  // views (client objects and client folders) of the current client folder.
  uiWidget* CreateEditorWidget(const uiRect& rect) override;
  using oxaw::IconPropertyEditorWidget::CreateEditorWidget;
};

}  // namespace fwg
