#include "platform/ui/uiLayoutFrameEx.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "platform/core/oxDiagnostic.h"
#include "platform/ui/uiLayoutPanes.h"

namespace {

bool IsFixedLayout(int layout) {
  return layout >= uiLayoutFrameEx::Full && layout <= uiLayoutFrameEx::ThreeByTwo;
}

// A view's caption, or its name while it has none.
QString GetTabText(const QWidget* view) {
  return view->windowTitle().isEmpty() ? view->objectName() : view->windowTitle();
}

uiLayoutFrameEx* FindInnermostFrame(QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    if (auto* frame = dynamic_cast<uiLayoutFrameEx*>(widget)) return frame;
  }
  return nullptr;
}

// One per application: activates the innermost frame under a mouse press
// or around a widget that takes the focus. A press that a child ignores is
// delivered again to its ancestors; looking up the deepest child at the
// press position makes every delivery name the same frame.
class ActivationFilter : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* target = nullptr;
    if (event->type() == QEvent::MouseButtonPress) {
      const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
      target = widget->childAt(pos);
      if (!target) target = widget;
    } else if (event->type() == QEvent::FocusIn) {
      // The window getting the focus back, or a popup closing, is no
      // choice of the user's and must not undo a programmatic activation.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
      target = widget;
    } else {
      return false;
    }
    if (uiLayoutFrameEx* frame = FindInnermostFrame(target)) frame->Activate();
    return false;
  }
};

void InstallActivationFilter() {
  static QPointer<ActivationFilter> filter;
  if (filter || !qApp) return;
  filter = new ActivationFilter(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace

uiLayoutFrameEx* uiLayoutFrameEx::m_pActiveInstance = nullptr;

struct uiLayoutFrameEx::Internal {
  // A view is watched, not owned: whoever made it may delete it at any
  // time, and the entry then drops out at the next look.
  struct View {
    QPointer<QWidget> widget;
    uiWidget* view;
  };

  QLabel* header = nullptr;
  QVBoxLayout* column = nullptr;  // header above body
  QWidget* body = nullptr;        // holds the panes; rebuilt by Pagify
  oxStlVector<QTabWidget*> panes;
  oxStlVector<View> views;
  QPointer<uiLayoutFrameEx> parentFrame;
  FixedLayouts layout = Full;
  oxiSignal1<void, uiLayoutFrameEx*> onActivate;

  void PruneViews() {
    std::erase_if(views, [](const View& v) { return v.widget.isNull(); });
  }
  int IndexOf(const uiWidget* view) const {
    for (std::size_t i = 0; i < views.size(); ++i) {
      if (views[i].widget && views[i].view == view) return static_cast<int>(i);
    }
    return -1;
  }
};

uiLayoutFrameEx::uiLayoutFrameEx(uiWidget* parentWidget, const oxString& name,
                                 uiLayoutFrameEx* parentFrame, bool showHeader)
    : uiWidgetT<QFrame>(uiImpl(parentWidget)), internal_(new Internal) {
  SetName(name);
  setFrameStyle(QFrame::Box | QFrame::Plain);

  internal_->column = new QVBoxLayout(this);
  internal_->column->setContentsMargins(2, 2, 2, 2);
  internal_->column->setSpacing(0);
  internal_->header = new QLabel(this);
  internal_->header->setObjectName("Header");
  internal_->header->setAutoFillBackground(true);
  internal_->header->setContentsMargins(4, 2, 4, 2);
  internal_->header->setVisible(showHeader);
  internal_->header->setText(GetTabText(this));
  internal_->column->addWidget(internal_->header);

  UpdateHighlight();
  Pagify();
  InstallActivationFilter();
  if (parentFrame) parentFrame->AddView(this);
}

uiLayoutFrameEx::~uiLayoutFrameEx() {
  if (m_pActiveInstance == this) m_pActiveInstance = nullptr;
  // Hand the views back before Qt deletes our children, panes included.
  internal_->PruneViews();
  const auto views = internal_->views;
  internal_->views.clear();
  for (const Internal::View& v : views) ReleaseView(v.view);
  delete internal_;
  internal_ = nullptr;
}

int uiLayoutFrameEx::GetPaneCount(int layout) {
  return IsFixedLayout(layout) ? static_cast<int>(uiGetLayoutPanes()[layout].cells.size()) : 0;
}

void uiLayoutFrameEx::HideHeader(bool hide) { internal_->header->setVisible(!hide); }

bool uiLayoutFrameEx::IsHeaderHidden() const { return internal_->header->isHidden(); }

void uiLayoutFrameEx::AddView(uiWidget* view) {
  if (!view) return;
  if (internal_->IndexOf(view) >= 0) return;
  auto* frame = dynamic_cast<uiLayoutFrameEx*>(view);
  if (frame) {
    // A frame cannot hold itself or a frame that holds it.
    for (uiLayoutFrameEx* holder = this; holder; holder = holder->GetParentFrame()) {
      if (holder == frame) {
        oxWarn("uiLayoutFrameEx::AddView: '", frame->Name(), "' cannot be shown inside itself");
        return;
      }
    }
    // A frame is shown in one place at a time.
    if (uiLayoutFrameEx* old = frame->GetParentFrame()) old->RemoveChild(frame);
    frame->internal_->parentFrame = this;
  }
  internal_->views.push_back({view->GetWidget(), view});
  view->GetWidget()->installEventFilter(this);
  Pagify();
}

void uiLayoutFrameEx::RemoveChild(uiWidget* view) {
  const int index = internal_->IndexOf(view);
  if (index < 0) return;
  internal_->views.erase(internal_->views.begin() + index);
  ReleaseView(view);
  Pagify();
}

void uiLayoutFrameEx::ReleaseView(uiWidget* view) {
  QWidget* widget = view->GetWidget();
  widget->removeEventFilter(this);
  if (auto* frame = dynamic_cast<uiLayoutFrameEx*>(view)) frame->internal_->parentFrame = nullptr;
  widget->hide();
  widget->setParent(nullptr);
}

oxStlVector<uiWidget*> uiLayoutFrameEx::GetViews() const {
  oxStlVector<uiWidget*> views;
  for (const Internal::View& v : internal_->views) {
    if (v.widget) views.push_back(v.view);
  }
  return views;
}

int uiLayoutFrameEx::GetPaneIndex(uiWidget* view) const {
  if (!view || internal_->IndexOf(view) < 0) return -1;
  for (std::size_t i = 0; i < internal_->panes.size(); ++i) {
    if (internal_->panes[i]->indexOf(view->GetWidget()) >= 0) return static_cast<int>(i);
  }
  return -1;
}

void uiLayoutFrameEx::SetParent(uiLayoutFrameEx* parent) {
  uiLayoutFrameEx* old = GetParentFrame();
  if (parent == old) return;
  if (parent) {
    parent->AddView(this);  // takes it out of the old frame, or refuses
  } else {
    old->RemoveChild(this);
  }
}

uiLayoutFrameEx* uiLayoutFrameEx::GetParentFrame() const { return internal_->parentFrame; }

void uiLayoutFrameEx::Pagify() {
  Internal& d = *internal_;
  d.PruneViews();

  // Take the views out of the old panes first, so that the panes cannot
  // take a view with them, and remember which tabs were in front.
  std::set<QWidget*> front;
  for (QTabWidget* pane : d.panes) {
    if (QWidget* current = pane->currentWidget()) front.insert(current);
  }
  for (const Internal::View& v : d.views) {
    v.widget->hide();
    v.widget->setParent(this);
  }
  // The old body may hold the widget whose event handler led here.
  if (d.body) {
    d.body->hide();
    d.column->removeWidget(d.body);
    d.body->deleteLater();
  }
  d.panes.clear();

  d.body = new QWidget(this);
  d.body->setObjectName("Panes");
  auto* grid = new QGridLayout(d.body);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(2);
  const uiLayoutPanes& arrangement = uiGetLayoutPanes()[d.layout];
  for (int r = 0; r < arrangement.rows; ++r) grid->setRowStretch(r, 1);
  for (int c = 0; c < arrangement.columns; ++c) grid->setColumnStretch(c, 1);
  for (const uiPaneCell& cell : arrangement.cells) {
    auto* pane = new QTabWidget(d.body);
    pane->setDocumentMode(true);
    pane->setTabBarAutoHide(true);  // a pane with one view shows no tab
    grid->addWidget(pane, cell.row, cell.column, cell.rowSpan, cell.columnSpan);
    d.panes.push_back(pane);
  }

  const std::size_t last = d.panes.size() - 1;
  for (std::size_t i = 0; i < d.views.size(); ++i) {
    QTabWidget* pane = d.panes[std::min(i, last)];
    QWidget* widget = d.views[i].widget;
    pane->addTab(widget, GetTabText(widget));
    if (front.count(widget)) pane->setCurrentWidget(widget);
  }
  for (QTabWidget* pane : d.panes) {
    if (QWidget* current = pane->currentWidget()) current->show();
  }
  d.column->addWidget(d.body, 1);
}

void uiLayoutFrameEx::Layout(FixedLayouts layout) {
  if (!IsFixedLayout(layout)) {
    if (layout != 0) {
      oxWarn("uiLayoutFrameEx::Layout: ", static_cast<int>(layout), " is not a fixed layout");
    }
    return;
  }
  internal_->layout = layout;
  Pagify();
}

uiLayoutFrameEx::FixedLayouts uiLayoutFrameEx::GetLayout() const { return internal_->layout; }

void uiLayoutFrameEx::Activate() {
  // A frame that holds the active frame (this one included) keeps it
  // active: selecting a project must not take the focus from its document.
  for (uiLayoutFrameEx* f = m_pActiveInstance; f; f = f->GetParentFrame()) {
    if (f == this) return;
  }
  // Bring it forward first: turning a tab page may move the focus, and the
  // frame that gets it must not end up active instead of this one.
  uiWidget* child = this;
  for (uiLayoutFrameEx* holder = GetParentFrame(); holder; holder = holder->GetParentFrame()) {
    holder->ShowView(child);
    child = holder;
  }
  uiLayoutFrameEx* previous = m_pActiveInstance;
  m_pActiveInstance = this;
  if (previous) previous->UpdateHighlight();
  UpdateHighlight();
  internal_->onActivate.Emit(this);
}

oxiSignal1<void, uiLayoutFrameEx*>& uiLayoutFrameEx::OnActivate() { return internal_->onActivate; }

void uiLayoutFrameEx::ShowView(uiWidget* view) {
  const int index = GetPaneIndex(view);
  if (index >= 0) internal_->panes[index]->setCurrentWidget(view->GetWidget());
}

void uiLayoutFrameEx::UpdateHighlight() {
  const bool active = IsActive();
  QPalette framePalette = palette();
  const QColor border = active ? framePalette.color(QPalette::Highlight)
                               : framePalette.color(QPalette::Mid);
  framePalette.setColor(QPalette::WindowText, border);
  setPalette(framePalette);
  setLineWidth(active ? 2 : 1);

  QPalette headerPalette = internal_->header->palette();
  headerPalette.setColor(QPalette::Window, active ? headerPalette.color(QPalette::Highlight)
                                                  : headerPalette.color(QPalette::Button));
  headerPalette.setColor(QPalette::WindowText,
                         active ? headerPalette.color(QPalette::HighlightedText)
                                : headerPalette.color(QPalette::ButtonText));
  internal_->header->setPalette(headerPalette);
}

void uiLayoutFrameEx::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowTitleChange && internal_) {
    internal_->header->setText(GetTabText(this));
  }
  uiWidgetT<QFrame>::changeEvent(event);
}

bool uiLayoutFrameEx::eventFilter(QObject* watched, QEvent* event) {
  // A view's caption is its tab's text.
  if (event->type() == QEvent::WindowTitleChange && internal_ && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    for (QTabWidget* pane : internal_->panes) {
      if (const int tab = pane->indexOf(widget); tab >= 0) pane->setTabText(tab, GetTabText(widget));
    }
  }
  return uiWidgetT<QFrame>::eventFilter(watched, event);
}
