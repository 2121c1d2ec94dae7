// Base of the editors a property sheet opens for one property. The sheet
// hands the editor the property (Init), tells it the current value
// (SetValue) and asks it to edit (EditValue); the editor builds its widget,
// writes the chosen value into the property and reports it through
// OnValueChanged.
#pragma once

#include "platform/oxt/Property.h"
#include "platform/signals/oxSignal.h"
#include "platform/ui/uiIconSet.h"
#include "platform/ui/uiWidget.h"

namespace oxaw {

class PropertyEditorWidget : public oxListener<> {
 public:
  // `context` names where the editor's texts are translated and where its
  // pictures are looked up among the application's resources.
  explicit PropertyEditorWidget(const oxString& context = "oxaw");
  // Deletes the editor widget if it is still alive.
  virtual ~PropertyEditorWidget();
  PropertyEditorWidget(const PropertyEditorWidget&) = delete;
  PropertyEditorWidget& operator=(const PropertyEditorWidget&) = delete;

  // `property` is not owned and must outlive the editor (or the next Init);
  // the editor widget is made under `parent` (a top-level window if null).
  virtual void Init(uiWidget* parent, oxt::Property& property);
  // Takes the value of `property` as the edited property's value.
  virtual void SetValue(const oxt::Property& property);
  // Builds the editor widget (replacing an earlier one) and shows it.
  virtual void EditValue();
  virtual void EditValue(const uiRect& rect);
  // The editor widget placed at `rect` (left to the widget's own size when
  // the rectangle is empty); the editor keeps it until DeleteEditorWidget.
  virtual uiWidget* CreateEditorWidget();
  virtual uiWidget* CreateEditorWidget(const uiRect& rect);
  virtual void DeleteEditorWidget();
  virtual void ShowEditorWidget(uiWidget* widget);
  virtual void HideEditorWidget();
  // The picture of an image file: from the toolkit's image path, else from
  // the application's resources of the editor's context; empty if neither
  // has it.
  virtual uiIconSet GetIcon(const oxString& fileName);

  // `source` translated in the editor's context.
  oxString tr(const oxString& source) const;

  const oxString& GetContext() const;
  // Null before Init.
  oxt::Property* GetProperty() const;
  uiWidget* GetParent() const;
  // The widget of the last CreateEditorWidget, or null once deleted.
  uiWidget* GetEditorWidget() const;

  // Emitted after a chosen value was written into the property.
  oxiSignal1<void, oxt::Property&>& OnValueChanged();

 protected:
  // Records the widget a subclass built so that the editor can show, hide
  // and delete it; deletes the one recorded before.
  void SetEditorWidget(uiWidget* widget);
  // Writes `value` into the property and emits OnValueChanged.
  void CommitValue(const oxt::Variant& value);

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace oxaw
