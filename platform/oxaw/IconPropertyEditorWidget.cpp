#include "platform/oxaw/IconPropertyEditorWidget.h"

#include <QGridLayout>
#include <algorithm>

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
    // Pictures large enough to tell the layouts apart, each named below.
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(48, 48));
    button->setAutoRaise(true);
    grid->addWidget(button, entry.row, entry.column);
    // The value is copied: the entry list may change before the click.
    const oxt::Variant value = entry.value;
    // Hidden first: a listener of the change may delete the editor.
    button->OnClick().Connect(this, std::function<void()>([this, value] {
      HideEditorWidget();
      CommitValue(value);
    }));
  }
  // Placed at the given corner, as large as the named pictures need.
  if (!rect.IsEmpty()) chooser->setGeometry(QRect(rect.X(), rect.Y(),
                                                  std::max(rect.Width(), chooser->sizeHint().width()),
                                                  std::max(rect.Height(), chooser->sizeHint().height())));
  SetEditorWidget(chooser);
  return chooser;
}

}  // namespace oxaw
