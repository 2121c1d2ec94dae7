#include "platform/oxaw/IconPropertyEditorWidget.h"

#include <QGridLayout>

#include "platform/ui/uiFrame.h"
#include "platform/ui/uiToolButton.h"

namespace oxaw {

struct IconPropertyEditorWidget::Internal {
  oxStlVector<IconEntry> entries;
};

IconPropertyEditorWidget::IconPropertyEditorWidget(const oxString& context)
    : PropertyEditorWidget(context), internal_(new Internal) {}

IconPropertyEditorWidget::~IconPropertyEditorWidget() { delete internal_; }

void IconPropertyEditorWidget::AddIcon(const oxString& iconFile, const oxString& label, int row,
                                       int column, const oxt::Variant& value) {
  internal_->entries.push_back({iconFile, label, row, column, value});
}

oxStlVector<IconPropertyEditorWidget::IconEntry>& IconPropertyEditorWidget::GetIconEntries() {
  return internal_->entries;
}

const oxStlVector<IconPropertyEditorWidget::IconEntry>& IconPropertyEditorWidget::GetIconEntries()
    const {
  return internal_->entries;
}

uiWidget* IconPropertyEditorWidget::CreateEditorWidget(const uiRect& rect) {
  auto* chooser = new uiFrame(GetParent(), "IconChooser");
  auto* grid = new QGridLayout(chooser);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(2);
  for (const IconEntry& entry : internal_->entries) {
    auto* button = new uiToolButton(chooser, entry.label);
    button->SetTextLabel(entry.label);
    button->SetIconSet(GetIcon(entry.iconFile));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    grid->addWidget(button, entry.row, entry.column);
    // The value is copied: the entry list may change before the click.
    const oxt::Variant value = entry.value;
    // Hidden first: a listener of the change may delete the editor.
    button->OnClick().Connect(this, std::function<void()>([this, value] {
      HideEditorWidget();
      CommitValue(value);
    }));
  }
  if (!rect.IsEmpty()) chooser->setGeometry(rect);
  SetEditorWidget(chooser);
  return chooser;
}

}  // namespace oxaw
