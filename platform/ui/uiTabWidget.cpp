#include "platform/ui/uiTabWidget.h"

#include <QEvent>
#include <QHash>

namespace {

// Sizes are remembered by text, not by index:
// QTabBar measures a new tab before it tells a subclass where it went.
class MeasuredOnceTabBar : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  QSize tabSizeHint(int index) const override {
    QHash<QString, QSize>& sizes = sizes_[tabIcon(index).isNull() ? 0 : 1];
    const QString text = tabText(index);
    const auto known = sizes.constFind(text);
    if (known != sizes.constEnd()) return *known;
    return sizes[text] = QTabBar::tabSizeHint(index);
  }
  // What QTabBar does, without swapping in elided text that is the same.
  QSize minimumTabSizeHint(int index) const override {
    return elideMode() == Qt::ElideNone ? tabSizeHint(index) : QTabBar::minimumTabSizeHint(index);
  }
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
      for (QHash<QString, QSize>& sizes : sizes_) sizes.clear();
    }
    QTabBar::changeEvent(event);
  }

 private:
  mutable QHash<QString, QSize> sizes_[2];  // without and with an icon
};

}  // namespace

uiTabWidget::uiTabWidget(uiWidget* parent, const oxString& name, int flags)
    : uiWidgetT<QTabWidget>(uiImpl(parent)) {
  if (flags) setWindowFlags(Qt::WindowFlags(flags));
  setTabBar(new MeasuredOnceTabBar(this));
  SetName(name);
  connect(this, &QTabWidget::currentChanged, this,
          [this](int index) { onCurrentChange_.Emit(Page(index)); });
}

int uiTabWidget::InsertTab(uiWidget* widget, const oxString& label, int index) {
  if (!widget) return -1;
  if (const int known = IndexOf(widget); known >= 0) return known;
  return insertTab(index, widget->GetWidget(), uiStr(label));
}

void uiTabWidget::RemovePage(uiWidget* widget) {
  const int index = IndexOf(widget);
  if (index < 0) return;
  removeTab(index);
  widget->Hide();
}

int uiTabWidget::IndexOf(uiWidget* widget) const {
  return widget ? indexOf(widget->GetWidget()) : -1;
}
