#include "platform/ui/uiTabWidget.h"

#include <QEvent>

#include <algorithm>
#include <vector>

namespace {

class MeasuredOnceTabBar : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  // By index, each with the text it was measured with: QTabBar measures a
  // new tab before tabInserted() tells where it went, so a slot may
  // briefly belong to another tab, which the check notices. The slot holds
  // on to the text it compares with, so the same buffer means the same
  // text. Tabs here have no icons (InsertTab sets none).
  QSize tabSizeHint(int index) const override {
    const QString text = tabText(index);
    const bool known = index >= 0 && std::size_t(index) < sizes_.size();
    if (known) {
      const Measured& measured = sizes_[index];
      if (measured.size.isValid() && measured.text.constData() == text.constData() &&
          measured.text.size() == text.size()) {
        return measured.size;
      }
    }
    const QSize size = QTabBar::tabSizeHint(index);
    if (known) sizes_[index] = {text, size};
    return size;
  }
  // What QTabBar does, without swapping in elided text that is the same.
  QSize minimumTabSizeHint(int index) const override {
    return elideMode() == Qt::ElideNone ? tabSizeHint(index) : QTabBar::minimumTabSizeHint(index);
  }
  void tabInserted(int index) override {
    sizes_.insert(sizes_.begin() + std::min<std::size_t>(index, sizes_.size()), Measured{});
    QTabBar::tabInserted(index);
  }
  void tabRemoved(int index) override {
    if (std::size_t(index) < sizes_.size()) sizes_.erase(sizes_.begin() + index);
    QTabBar::tabRemoved(index);
  }
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
      for (Measured& measured : sizes_) measured.size = {};
    }
    QTabBar::changeEvent(event);
  }

 private:
  struct Measured {
    QString text;
    QSize size;
  };
  mutable std::vector<Measured> sizes_;
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

void uiTabWidget::AppendPages(const oxStlVector<std::pair<uiWidget*, oxString>>& pages) {
  QTabBar* bar = tabBar();
  const int first = count();
  // Adding a tab lays out all the tabs of the bar; hidden ones cost next
  // to nothing there, so the new tabs stay hidden until all are in.
  for (const auto& [page, label] : pages) {
    const int index = addTab(page->GetWidget(), uiStr(label));
    if (index != bar->currentIndex()) bar->setTabVisible(index, false);
  }
  for (int index = first; index < count(); ++index) bar->setTabVisible(index, true);
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
