#include "platform/oxaw/PropertyEditorWidget.h"

#include <QPointer>

#include "platform/oxapp/Application.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiManager.h"

namespace oxaw {

struct PropertyEditorWidget::Internal {
  oxString context;
  uiWidget* parent = nullptr;
  oxt::Property* property = nullptr;
  // The widget may die with its Qt parent before the editor does.
  QPointer<QWidget> editorImpl;
  uiWidget* editor = nullptr;
  oxiSignal1<void, oxt::Property&> onValueChanged;

  uiWidget* GetEditor() const { return editorImpl ? editor : nullptr; }
};

PropertyEditorWidget::PropertyEditorWidget(const oxString& context) : internal_(new Internal) {
  internal_->context = context;
}

PropertyEditorWidget::~PropertyEditorWidget() {
  DeleteEditorWidget();
  delete internal_;
}

void PropertyEditorWidget::Init(uiWidget* parent, oxt::Property& property) {
  internal_->parent = parent;
  internal_->property = &property;
}

void PropertyEditorWidget::SetValue(const oxt::Property& property) {
  if (internal_->property) internal_->property->SetValue(property.GetValue());
}

void PropertyEditorWidget::EditValue() { EditValue(uiRect()); }

void PropertyEditorWidget::EditValue(const uiRect& rect) {
  if (uiWidget* widget = CreateEditorWidget(rect)) ShowEditorWidget(widget);
}

uiWidget* PropertyEditorWidget::CreateEditorWidget() { return CreateEditorWidget(uiRect()); }

// The plain editor has nothing to choose from: an empty frame.
uiWidget* PropertyEditorWidget::CreateEditorWidget(const uiRect& rect) {
  auto* frame = new uiFrame(internal_->parent, "PropertyEditor");
  if (!rect.IsEmpty()) frame->setGeometry(rect);
  SetEditorWidget(frame);
  return frame;
}

void PropertyEditorWidget::DeleteEditorWidget() {
  delete internal_->editorImpl.data();
  internal_->editorImpl = nullptr;
  internal_->editor = nullptr;
}

void PropertyEditorWidget::ShowEditorWidget(uiWidget* widget) {
  if (widget) widget->Show();
}

void PropertyEditorWidget::HideEditorWidget() {
  if (uiWidget* widget = internal_->GetEditor()) widget->Hide();
}

uiIconSet PropertyEditorWidget::GetIcon(const oxString& fileName) {
  oxString path = uiManager::Get()->FindImage(fileName);
  if (path.empty()) path = oxapp::Application::Get()->GetResource(internal_->context, fileName);
  if (path.empty()) return {};
  return uiIconSet(path);
}

oxString PropertyEditorWidget::tr(const oxString& source) const {
  return oxapp::Application::Get()->TranslateMessage(internal_->context, source);
}

const oxString& PropertyEditorWidget::GetContext() const { return internal_->context; }
oxt::Property* PropertyEditorWidget::GetProperty() const { return internal_->property; }
uiWidget* PropertyEditorWidget::GetParent() const { return internal_->parent; }
uiWidget* PropertyEditorWidget::GetEditorWidget() const { return internal_->GetEditor(); }

oxiSignal1<void, oxt::Property&>& PropertyEditorWidget::OnValueChanged() {
  return internal_->onValueChanged;
}

void PropertyEditorWidget::SetEditorWidget(uiWidget* widget) {
  if (widget == internal_->GetEditor()) return;
  DeleteEditorWidget();
  internal_->editor = widget;
  internal_->editorImpl = uiImpl(widget);
}

void PropertyEditorWidget::CommitValue(const oxt::Variant& value) {
  if (!internal_->property) return;
  internal_->property->SetValue(value);
  internal_->onValueChanged.Emit(*internal_->property);
}

}  // namespace oxaw
