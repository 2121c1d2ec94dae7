// An editor that offers a fixed set of values as a grid of pictures;
// choosing a picture writes its value into the property.
#pragma once

#include "platform/oxaw/PropertyEditorWidget.h"

namespace oxaw {

class IconPropertyEditorWidget : public PropertyEditorWidget {
 public:
  struct IconEntry {
    oxString iconFile;
    oxString label;
    int row = 0;
    int column = 0;
    oxt::Variant value;
  };

  explicit IconPropertyEditorWidget(const oxString& context = "oxaw");
  ~IconPropertyEditorWidget() override;

  // Appended to the entries; the picture is resolved through GetIcon when
  // the chooser is built.
  void AddIcon(const oxString& iconFile, const oxString& label, int row, int column,
               const oxt::Variant& value);
  // The editor's own list, in the order added. Subclasses may change it;
  // the chooser is built from what it holds at that moment.
  oxStlVector<IconEntry>& GetIconEntries();
  const oxStlVector<IconEntry>& GetIconEntries() const;

  // A frame with one button per entry at the entry's row and column, named
  // and labelled with the entry's label. A click commits the entry's value
  // and hides the chooser.
  uiWidget* CreateEditorWidget(const uiRect& rect) override;
  using PropertyEditorWidget::CreateEditorWidget;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace oxaw
