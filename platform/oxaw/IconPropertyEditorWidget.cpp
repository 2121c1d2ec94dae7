#include "platform/oxaw/IconPropertyEditorWidget.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <algorithm>

#include "platform/ui/uiFrame.h"
#include "platform/ui/uiToolButton.h"

namespace oxaw {

namespace {

// The chooser from the keyboard: the arrows go from picture to picture in
// the order they were added, Return or Enter chooses the one with the
// focus, as Space does. The click is queued: a listener of the change may
// delete the chooser, and with it the button whose key event this is.
class ChooserKeys : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || event->type() != QEvent::KeyPress) return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
        return true;
      case Qt::Key_Right:
      case Qt::Key_Down:
        return Step(button, 1);
      case Qt::Key_Left:
      case Qt::Key_Up:
        return Step(button, -1);
      default:
        return false;
    }
  }

 private:
  static bool Step(QAbstractButton* from, qsizetype by) {
    const QList<QAbstractButton*> buttons =
        from->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    const qsizetype at = buttons.indexOf(from);
    const qsizetype to = at + by;
    if (at < 0 || to < 0 || to >= buttons.size()) return true;
    buttons[to]->setFocus(Qt::TabFocusReason);
    return true;
  }
};

}  // namespace

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
  auto* keys = new ChooserKeys(chooser);
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
    button->installEventFilter(keys);
    if (grid->count() == 1) button->setFocus();  // the keyboard starts at the first picture
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
