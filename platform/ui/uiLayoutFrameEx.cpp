#include "platform/ui/uiLayoutFrameEx.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QPointer>
#include <QTabWidget>

#include "platform/ui/uiTabWidget.h"
#include <algorithm>
#include <set>
#include <unordered_set>

#include "platform/core/oxDiagnostic.h"
#include "platform/ui/uiLayoutPanes.h"
#include "platform/ui/uiMenuData.h"

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

// Off while an application tears down: focus moved by views leaving their
// frames is nobody's choice.
bool g_activationEnabled = true;
// Set while a click, the focus or a tab chosen activates a frame.
bool g_byUser = false;

void ActivateByUser(uiLayoutFrameEx* frame) {
  const bool outer = g_byUser;
  g_byUser = true;
  frame->Activate();
  g_byUser = outer;
}

// One per application: activates the innermost frame under a mouse press
// or around a widget that takes the focus. A press that a child ignores is
// delivered again to its ancestors; looking up the deepest child at the
// press position makes every delivery name the same frame.
class ActivationFilter : public QObject {
 public:
  using QObject::QObject;

  // Sees every event of the application: the two it wants are told apart
  // by their type before anything else is looked at.
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::FocusIn) return false;
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
      // Nor is the focus leaving a widget that a profile switch hides: the
      // document being activated would lose to the one it replaces.
      if (uiMenuBatch::IsActive()) return false;
      target = widget;
    } else {
      return false;
    }
    if (!g_activationEnabled) return false;
    if (uiLayoutFrameEx* frame = FindInnermostFrame(target)) ActivateByUser(frame);
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

namespace {

// Arrangement is process-wide state, like the active frame: one GUI thread.
int g_holds = 0;
// Frames that went out of arrangement under a hold, in that order, which
// puts frames before the frames made inside them.
oxStlVector<QPointer<uiLayoutFrameEx>> g_held;
// Set while frames are being arranged: a frame shown meanwhile is one of
// them, or is arranged when its turn comes.
bool g_arranging = false;
// Frames made inside other frames under a hold wait here, out of sight,
// until the hold ends and they move into their frames from the bottom of
// the new tree up (AdoptViews). All of them share this one window meanwhile,
// so each move stays near the top of the widget tree and within one
// window, which keeps it cheap; only the top of the new tree then moves
// into the main window, once.
QPointer<QWidget> g_nursery;
// Frames activated or left under a hold, to draw once it ends.
oxStlVector<QPointer<uiLayoutFrameEx>> g_highlights;
// The frames DeleteFrames is deleting: one that holds another does not
// hand it back.
std::unordered_set<const uiLayoutFrameEx*> g_going;

}  // namespace

struct uiLayoutFrameEx::Internal {
  // A view is watched, not owned: whoever made it may delete it at any
  // time, and the entry then drops out at the next look.
  struct View {
    QPointer<QWidget> widget;
    uiWidget* view;
    int pane = -1;  // while arranged
  };
  // A pane that holds several views shows them as tabs; one view fills
  // its pane itself, and an empty pane is empty space. Tab widgets are
  // the costly part of a frame, and most frames show one view.
  struct Pane {
    QPointer<QWidget> widget;  // the view or the tabs; null for no view
    QTabWidget* tabs;          // made by the frame, or null
  };

  // The header above the panes, all placed by hand (PlaceContents): a
  // frame without a layout keeps Qt's layout work, which walks up and
  // down through nested layouts, within one level of a nest, and every
  // level of widgets less makes each change deep inside cheaper.
  QLabel* header = nullptr;
  int topMargin = 0;
  oxStlVector<Pane> panes;  // in pane order
  oxStlVector<View> views;
  QPointer<uiLayoutFrameEx> parentFrame;
  FixedLayouts layout = Full;
  // Where the inner borders between columns and between rows lie, as
  // fractions of the frame; even until the user drags a border. A new
  // layout starts even again.
  std::vector<double> columnEdges, rowEdges;
  // The border being dragged: a column border (vertical line) or a row
  // border, and its index; -1 while none is.
  bool draggingColumn = false;
  int dragging = -1;
  oxiSignal1<void, uiLayoutFrameEx*> onActivate;
  oxiSignal1<void, uiLayoutFrameEx*> onCloseRequest;
  oxiSignal1<void, uiLayoutFrameEx*> onPaneEdgesChanged;
  // False while the panes do not show the views as they are now.
  bool arranged = false;
  bool held = false;  // listed in g_held
  bool drawn = false;  // the highlight, drawnActive telling which
  bool drawnActive = false;
  // The view last brought forward while not arranged; only the last pane
  // can hold several views.
  QPointer<QWidget> front;

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
    : uiWidgetT<QFrame>(nullptr), internal_(new Internal) {
  // Made without a parent and put in place last: every change of a widget
  // deep inside others walks up through all of them, so the setting up is
  // done where that is cheap.
  SetName(name);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  // Spares a walk up to the window whenever the contents are placed.
  setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);

  internal_->header = new QLabel(this);
  internal_->header->setObjectName("Header");
  internal_->header->setAutoFillBackground(true);
  internal_->header->setContentsMargins(4, 2, 4, 2);
  internal_->header->setVisible(showHeader);
  internal_->header->setText(GetTabText(this));

  UpdateHighlight();
  InstallActivationFilter();
  if (parentFrame) {
    if (g_holds > 0) {
      if (!g_nursery) g_nursery = new QWidget;
      setParent(g_nursery);
    }
    parentFrame->AddView(this);
  } else if (parentWidget) {
    setParent(uiImpl(parentWidget));
  }
}

uiLayoutFrameEx::~uiLayoutFrameEx() {
  if (m_pActiveInstance == this) m_pActiveInstance = nullptr;
  // Hand the views back before Qt deletes our children, panes included.
  ReleaseViews();
  delete internal_;
  internal_ = nullptr;
}

void uiLayoutFrameEx::ReleaseViews() {
  internal_->PruneViews();
  const auto views = internal_->views;
  internal_->views.clear();
  for (const Internal::View& v : views) {
    if (auto* frame = dynamic_cast<uiLayoutFrameEx*>(v.view); frame && g_going.count(frame)) {
      // Goes with us: no longer ours to watch, nor we its parent frame.
      v.widget->removeEventFilter(this);
      frame->internal_->parentFrame = nullptr;
      continue;
    }
    ReleaseView(v.view);
  }
}

void uiLayoutFrameEx::DeleteFrames(const oxStlVector<uiLayoutFrameEx*>& frames) {
  if (frames.empty()) return;
  // Qt takes a widget that dies out of the events posted to it in a pass
  // over all the posted events. Until the event loop runs, every widget
  // made waits there for its polish and every one shown for its paint, so
  // deleting thousands of frames made or shown since then would cost the
  // square of their number; delivering those requests first takes a pass
  // for each kind. They are what the event loop would deliver next anyway.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::PolishRequest);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
  const std::unordered_set<const uiLayoutFrameEx*> outer = g_going;
  g_going.insert(frames.begin(), frames.end());
  struct Going {
    QPointer<uiLayoutFrameEx> frame;
    bool held;  // by another of the frames
  };
  oxStlVector<Going> going;
  for (uiLayoutFrameEx* frame : frames) going.push_back({frame, g_going.count(frame->GetParentFrame()) > 0});
  // The other views are handed back first, in the order the frames would
  // have handed them back.
  for (const Going& g : going) {
    if (g.frame) g.frame->ReleaseViews();
  }
  // Then the frames not held by another: each takes the frames inside it
  // along as Qt children. A frame made under a hold may not sit inside its
  // holder yet, so whatever is left goes after them.
  for (const Going& g : going) {
    if (!g.frame || g.held) continue;
    // Out of the window first: Qt has the window forget each widget that
    // dies there together with every widget inside it, which for a deep
    // nest deleted from its top costs the square of its depth.
    if (!g.frame->isWindow()) g.frame->setParent(nullptr);
    delete g.frame.data();
  }
  for (const Going& g : going) delete g.frame.data();
  g_going = outer;
}

int uiLayoutFrameEx::GetPaneCount(int layout) {
  return IsFixedLayout(layout) ? static_cast<int>(uiGetLayoutPanes()[layout].cells.size()) : 0;
}

void uiLayoutFrameEx::HideHeader(bool hide) {
  internal_->header->setVisible(!hide);
  PlaceContents();
}

bool uiLayoutFrameEx::IsHeaderHidden() const { return internal_->header->isHidden(); }

void uiLayoutFrameEx::SetTopMargin(int height) {
  height = std::max(0, height);
  if (height == internal_->topMargin) return;
  internal_->topMargin = height;
  PlaceContents();
  updateGeometry();
}

int uiLayoutFrameEx::GetTopMargin() const { return internal_->topMargin; }

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
  QWidget* widget = view->GetWidget();
  internal_->views.push_back({widget, view});
  widget->installEventFilter(this);
  // Kept in this frame, out of sight, until the frame is arranged. Under
  // a hold it moves in when the hold ends (AdoptViews), from the bottom of
  // a new tree up, where moving a widget in costs little.
  widget->hide();
  if (g_holds == 0 && widget->parentWidget() != this) widget->setParent(this);
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
  EnsureArranged();
  return internal_->views[internal_->IndexOf(view)].pane;
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

void uiLayoutFrameEx::HoldArrangement() { ++g_holds; }

void uiLayoutFrameEx::ReleaseArrangement() {
  if (g_holds == 0 || --g_holds > 0) return;
  const oxStlVector<QPointer<uiLayoutFrameEx>> held = std::move(g_held);
  g_held.clear();
  for (auto it = held.rbegin(); it != held.rend(); ++it) {
    if (uiLayoutFrameEx* frame = *it) {
      frame->internal_->held = false;
      frame->AdoptViews();
    }
  }
  // Frames come before the frames made inside them, so each on-screen
  // nest is arranged from its top.
  for (const QPointer<uiLayoutFrameEx>& frame : held) {
    if (frame && !frame->internal_->arranged && frame->isVisible()) frame->Arrange();
  }
  const oxStlVector<QPointer<uiLayoutFrameEx>> highlights = std::move(g_highlights);
  g_highlights.clear();
  for (const QPointer<uiLayoutFrameEx>& frame : highlights) {
    if (frame) frame->UpdateHighlight();
  }
  if (g_nursery && g_nursery->children().isEmpty()) delete g_nursery.data();
}

void uiLayoutFrameEx::Pagify() {
  Internal& d = *internal_;
  d.arranged = false;
  if (g_holds == 0) {
    if (isVisible()) Arrange();
    return;
  }
  // Out of sight until the hold ends, with the first tab in front (the
  // one that was is remembered): a shown tab bar lays all its tabs out
  // again on every change, and any tab bar does when the tab in front or
  // one before it goes, so that emptying a pane from its last tab back is
  // what stays cheap.
  for (const Internal::Pane& pane : d.panes) {
    if (!pane.tabs) continue;
    if (!d.front) d.front = pane.tabs->currentWidget();
    pane.tabs->hide();
    pane.tabs->setCurrentIndex(0);
  }
  if (!d.held) {
    d.held = true;
    g_held.emplace_back(this);
  }
}

void uiLayoutFrameEx::EnsureArranged() const {
  if (!internal_->arranged) const_cast<uiLayoutFrameEx*>(this)->Arrange();
}

void uiLayoutFrameEx::showEvent(QShowEvent* event) {
  uiWidgetT<QFrame>::showEvent(event);
  Internal& d = *internal_;
  if (d.arranged || d.held || g_arranging) return;
  Arrange();
}

// A frame on screen is arranged together with the frames that will show
// inside it, out of sight, and then shown once. Showing the frames one by
// one would have Qt lay out every frame around each of them again, which
// for a deep nest costs the square of its depth in layouts, each of them
// as costly as the depth again.
void uiLayoutFrameEx::Arrange() {
  if (g_arranging) {
    BuildPanes();
    return ShowPanes();
  }
  g_arranging = true;
  const bool onScreen = isVisible();
  oxStlVector<uiLayoutFrameEx*> frames{this};
  for (std::size_t i = 0; i < frames.size(); ++i) {
    uiLayoutFrameEx* frame = frames[i];
    frame->BuildPanes();
    if (!onScreen) break;
    for (const Internal::Pane& pane : frame->internal_->panes) {
      QWidget* front = pane.tabs ? pane.tabs->currentWidget() : pane.widget.data();
      auto* inner = dynamic_cast<uiLayoutFrameEx*>(front);
      if (inner && !inner->internal_->arranged && !inner->internal_->held) frames.push_back(inner);
    }
  }
  // Innermost first: a pane inside a hidden frame only learns that it is
  // to show with it; the outermost frame's panes then show them all.
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) (*it)->ShowPanes();
  g_arranging = false;
}

void uiLayoutFrameEx::BuildPanes() {
  Internal& d = *internal_;
  d.arranged = true;
  d.PruneViews();

  // Take the views out of the old panes first, so that the panes cannot
  // take a view with them, and remember which tabs were in front. A view
  // that fills a pane of its own stays where it is, which spares moving a
  // frame and everything inside it.
  std::set<QWidget*> front;
  for (const Internal::Pane& pane : d.panes) {
    if (QWidget* current = pane.tabs ? pane.tabs->currentWidget() : nullptr) front.insert(current);
  }
  for (const Internal::View& v : d.views) {
    if (v.widget->parentWidget() == this) continue;
    v.widget->hide();
    v.widget->setParent(this);
  }
  // An old pane may hold the widget whose event handler led here.
  for (const Internal::Pane& pane : d.panes) {
    if (!pane.tabs) continue;
    pane.tabs->hide();
    pane.tabs->deleteLater();
  }
  d.panes.clear();

  // View i goes to pane i; the last pane takes the rest. Tabs are filled
  // before they are shown, so that each tab bar lays its tabs out once.
  const uiLayoutPanes& arrangement = uiGetLayoutPanes()[d.layout];
  const std::size_t count = d.views.size();
  const std::size_t last = arrangement.cells.size() - 1;
  for (std::size_t p = 0; p <= last; ++p) {
    const std::size_t first = p;
    const std::size_t end = p < last ? std::min(p + 1, count) : count;
    Internal::Pane pane{nullptr, nullptr};
    if (end == first + 1) {
      pane.widget = d.views[first].widget;
    } else if (end > first) {
      auto* tabs = new uiTabWidget(this, "Tabs");
      tabs->hide();
      tabs->setDocumentMode(true);
      oxStlVector<std::pair<uiWidget*, oxString>> pages;
      bool closable = false;
      for (std::size_t i = first; i < end; ++i) {
        pages.emplace_back(d.views[i].view, GetTabText(d.views[i].widget).toStdString());
        const auto* frame = dynamic_cast<const uiLayoutFrameEx*>(d.views[i].widget.data());
        closable = closable || (frame && frame->internal_->onCloseRequest.GetConnectionCount() > 0);
      }
      // Before the tabs are in, so that each is measured with its button.
      tabs->setTabsClosable(closable);
      tabs->AppendPages(pages);
      ConnectTabs(tabs);
      for (std::size_t i = first; i < end; ++i) {
        if (front.count(d.views[i].widget)) tabs->setCurrentWidget(d.views[i].widget);
      }
      pane.tabs = tabs;
      pane.widget = tabs;
    }
    for (std::size_t i = first; i < end; ++i) d.views[i].pane = static_cast<int>(p);
    d.panes.push_back(pane);
  }
  if (QTabWidget* tabs = d.panes.back().tabs; tabs && d.front && tabs->indexOf(d.front) >= 0) {
    tabs->setCurrentWidget(d.front);
  }
  // Whatever was in front before, the active frame (or the frame holding
  // it) is: a new layout must not hide what the keys act on.
  if (QWidget* active = m_pActiveInstance) {
    for (const Internal::Pane& pane : d.panes) {
      if (!pane.tabs) continue;
      for (int i = 0; i < pane.tabs->count(); ++i) {
        QWidget* page = pane.tabs->widget(i);
        if (page == active || page->isAncestorOf(active)) pane.tabs->setCurrentIndex(i);
      }
    }
  }
  d.front.clear();
  PlaceContents();
}

void uiLayoutFrameEx::AdoptViews() {
  for (const Internal::View& v : internal_->views) {
    if (v.widget && !isAncestorOf(v.widget)) v.widget->setParent(this);
  }
}

void uiLayoutFrameEx::ShowPanes() {
  for (const Internal::Pane& pane : internal_->panes) {
    if (pane.widget) pane.widget->show();
  }
}

// Rows and columns share the room equally, as the layout pictures show.
namespace {

constexpr int kSpacing = 4;  // between panes: room to grab a border

// Even fractions for `parts` parts: the inner borders at 1/parts, 2/parts...
std::vector<double> EvenEdges(int parts) {
  std::vector<double> edges;
  for (int i = 1; i < parts; ++i) edges.push_back(static_cast<double>(i) / parts);
  return edges;
}

// The start of part `i` of `length` from `start`, with the borders at
// `edges` (part `parts` is the end, plus the spacing).
int EdgeAt(int start, int length, const std::vector<double>& edges, int i) {
  const int parts = static_cast<int>(edges.size()) + 1;
  const double fraction = i <= 0 ? 0.0 : i >= parts ? 1.0 : edges[static_cast<std::size_t>(i - 1)];
  return start + static_cast<int>(fraction * (length + kSpacing));
}

}  // namespace

// The area the panes share, below the header.
QRect uiLayoutFrameEx::PaneArea() const {
  const QRect area = contentsRect().adjusted(2, 2 + internal_->topMargin, -2, -2);
  const int headerHeight = internal_->header->isHidden() ? 0 : internal_->header->sizeHint().height();
  return {area.x(), area.y() + headerHeight, area.width(), std::max(0, area.height() - headerHeight)};
}

void uiLayoutFrameEx::PlaceContents() {
  Internal& d = *internal_;
  const QRect area = contentsRect().adjusted(2, 2 + d.topMargin, -2, -2);
  const int headerHeight = d.header->isHidden() ? 0 : d.header->sizeHint().height();
  d.header->setGeometry(area.x(), area.y(), area.width(), headerHeight);
  if (d.panes.empty()) return;
  const uiLayoutPanes& arrangement = uiGetLayoutPanes()[d.layout];
  if (static_cast<int>(d.columnEdges.size()) != arrangement.columns - 1) d.columnEdges = EvenEdges(arrangement.columns);
  if (static_cast<int>(d.rowEdges.size()) != arrangement.rows - 1) d.rowEdges = EvenEdges(arrangement.rows);
  const QRect grid = PaneArea();
  for (std::size_t p = 0; p < d.panes.size(); ++p) {
    QWidget* widget = d.panes[p].widget;
    if (!widget) continue;
    const uiPaneCell& cell = arrangement.cells[p];
    const int left = EdgeAt(grid.x(), grid.width(), d.columnEdges, cell.column);
    const int right =
        EdgeAt(grid.x(), grid.width(), d.columnEdges, cell.column + cell.columnSpan) - kSpacing;
    const int top = EdgeAt(grid.y(), grid.height(), d.rowEdges, cell.row);
    const int bottom = EdgeAt(grid.y(), grid.height(), d.rowEdges, cell.row + cell.rowSpan) - kSpacing;
    widget->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
  }
}

// The borders between panes can be dragged, each within its neighbours.
void uiLayoutFrameEx::mousePressEvent(QMouseEvent* event) {
  Internal& d = *internal_;
  const QPoint at = event->position().toPoint();
  const QRect grid = PaneArea();
  d.dragging = -1;
  if (event->button() == Qt::LeftButton && grid.contains(at) && d.panes.size() > 1) {
    for (bool column : {true, false}) {
      const std::vector<double>& edges = column ? d.columnEdges : d.rowEdges;
      for (int i = 0; i < static_cast<int>(edges.size()); ++i) {
        const int border = column ? EdgeAt(grid.x(), grid.width(), edges, i + 1)
                                  : EdgeAt(grid.y(), grid.height(), edges, i + 1);
        const int position = column ? at.x() : at.y();
        if (position >= border - kSpacing - 1 && position <= border + 1) {
          d.dragging = i;
          d.draggingColumn = column;
        }
      }
    }
  }
  if (d.dragging < 0) uiWidgetT<QFrame>::mousePressEvent(event);
}

void uiLayoutFrameEx::mouseMoveEvent(QMouseEvent* event) {
  Internal& d = *internal_;
  if (d.dragging < 0) return uiWidgetT<QFrame>::mouseMoveEvent(event);
  const QRect grid = PaneArea();
  std::vector<double>& edges = d.draggingColumn ? d.columnEdges : d.rowEdges;
  const int length = d.draggingColumn ? grid.width() : grid.height();
  if (length <= 0) return;
  const int position = d.draggingColumn ? event->position().toPoint().x() - grid.x()
                                        : event->position().toPoint().y() - grid.y();
  // At least 40 pixels for each neighbour.
  const auto at = static_cast<std::size_t>(d.dragging);
  const double margin = 40.0 / length;
  const double low = (at == 0 ? 0.0 : edges[at - 1]) + margin;
  const double high = (at + 1 == edges.size() ? 1.0 : edges[at + 1]) - margin;
  if (low >= high) return;
  edges[at] = std::clamp(static_cast<double>(position + kSpacing / 2) / length, low, high);
  PlaceContents();
}

void uiLayoutFrameEx::mouseReleaseEvent(QMouseEvent* event) {
  if (internal_->dragging < 0) return uiWidgetT<QFrame>::mouseReleaseEvent(event);
  internal_->dragging = -1;
  internal_->onPaneEdgesChanged.Emit(this);
}

oxString uiLayoutFrameEx::GetPaneEdges() const {
  const Internal& d = *internal_;
  const auto list = [](const std::vector<double>& edges) {
    QStringList parts;
    for (const double edge : edges) parts << QString::number(edge, 'g', 4);
    return parts.join(',');
  };
  const uiLayoutPanes& arrangement = uiGetLayoutPanes()[d.layout];
  if (d.columnEdges == EvenEdges(arrangement.columns) && d.rowEdges == EvenEdges(arrangement.rows)) return {};
  if (d.columnEdges.empty() && d.rowEdges.empty()) return {};
  return oxStr(list(d.columnEdges) + ';' + list(d.rowEdges));
}

bool uiLayoutFrameEx::SetPaneEdges(const oxString& text) {
  Internal& d = *internal_;
  const uiLayoutPanes& arrangement = uiGetLayoutPanes()[d.layout];
  const QStringList halves = uiStr(text).split(';');
  if (halves.size() != 2) return false;
  std::vector<double> read[2];
  for (int half = 0; half < 2; ++half) {
    for (const QString& part : halves[half].split(',', Qt::SkipEmptyParts)) {
      bool number = false;
      const double edge = part.toDouble(&number);
      // In order and inside the frame, or not at all.
      if (!number || edge <= 0 || edge >= 1 || (!read[half].empty() && edge <= read[half].back())) return false;
      read[half].push_back(edge);
    }
  }
  if (static_cast<int>(read[0].size()) != arrangement.columns - 1 ||
      static_cast<int>(read[1].size()) != arrangement.rows - 1) {
    return false;
  }
  d.columnEdges = read[0];
  d.rowEdges = read[1];
  if (d.arranged) PlaceContents();
  return true;
}

oxiSignal1<void, uiLayoutFrameEx*>& uiLayoutFrameEx::OnPaneEdgesChanged() {
  return internal_->onPaneEdgesChanged;
}

void uiLayoutFrameEx::resizeEvent(QResizeEvent* event) {
  uiWidgetT<QFrame>::resizeEvent(event);
  PlaceContents();
}

void uiLayoutFrameEx::Layout(FixedLayouts layout) {
  if (!IsFixedLayout(layout)) {
    if (layout != 0) {
      oxWarn("uiLayoutFrameEx::Layout: ", static_cast<int>(layout), " is not a fixed layout");
    }
    return;
  }
  internal_->layout = layout;
  internal_->columnEdges.clear();
  internal_->rowEdges.clear();
  Pagify();
}

uiLayoutFrameEx::FixedLayouts uiLayoutFrameEx::GetLayout() const { return internal_->layout; }

void uiLayoutFrameEx::Activate() {
  // The active frame asked again is brought forward: a tab chosen by hand
  // or a layout changed may have hidden it, and the user must see what the
  // window's title, docks and keys act on.
  if (m_pActiveInstance == this) return BringForward();
  // A frame that holds the active frame keeps it active: selecting a
  // project must not take the focus from its document.
  for (uiLayoutFrameEx* f = m_pActiveInstance; f; f = f->GetParentFrame()) {
    if (f == this) return;
  }
  // Bring it forward first: turning a tab page may move the focus, and the
  // frame that gets it must not end up active instead of this one.
  BringForward();
  uiLayoutFrameEx* previous = m_pActiveInstance;
  m_pActiveInstance = this;
  // Under a hold, only the frames whose look differs at its end are drawn
  // again: reading a session activates every new frame in turn.
  for (uiLayoutFrameEx* frame : {previous, this}) {
    if (!frame) continue;
    if (g_holds > 0) {
      g_highlights.emplace_back(frame);
    } else {
      frame->UpdateHighlight();
    }
  }
  internal_->onActivate.Emit(this);
}

void uiLayoutFrameEx::BringForward() {
  uiWidget* child = this;
  for (uiLayoutFrameEx* holder = GetParentFrame(); holder; holder = holder->GetParentFrame()) {
    holder->ShowView(child);
    child = holder;
  }
}

oxiSignal1<void, uiLayoutFrameEx*>& uiLayoutFrameEx::OnActivate() { return internal_->onActivate; }

oxiSignal1<void, uiLayoutFrameEx*>& uiLayoutFrameEx::OnCloseRequest() {
  return internal_->onCloseRequest;
}

void uiLayoutFrameEx::SetActivationEnabled(bool enabled) { g_activationEnabled = enabled; }

bool uiLayoutFrameEx::FocusView() {
  QWidget* target = uiFindFocusTarget(this);
  if (target) target->setFocus(Qt::OtherFocusReason);
  return target != nullptr;
}

bool uiLayoutFrameEx::IsActivatingByUser() { return g_byUser; }

// A tab chosen by the user activates the frame it shows, as a click into
// the frame does; a frame whose owner listens for close requests gets a
// close button on its tab.
void uiLayoutFrameEx::ConnectTabs(QTabWidget* tabs) {
  const auto frameAt = [tabs](int index) { return dynamic_cast<uiLayoutFrameEx*>(tabs->widget(index)); };
  connect(tabs, &QTabWidget::tabBarClicked, tabs, [frameAt](int index) {
    if (uiLayoutFrameEx* frame = frameAt(index); frame && g_activationEnabled) ActivateByUser(frame);
  });
  if (!tabs->tabsClosable()) return;
  QTabBar* bar = tabs->tabBar();
  for (int i = 0; i < tabs->count(); ++i) {
    const uiLayoutFrameEx* frame = frameAt(i);
    if (frame && frame->internal_->onCloseRequest.GetConnectionCount() > 0) continue;
    for (auto side : {QTabBar::LeftSide, QTabBar::RightSide}) {
      if (QWidget* button = bar->tabButton(i, side)) {
        bar->setTabButton(i, side, nullptr);
        button->deleteLater();
      }
    }
  }
  connect(tabs, &QTabWidget::tabCloseRequested, tabs, [frameAt](int index) {
    if (uiLayoutFrameEx* frame = frameAt(index)) frame->internal_->onCloseRequest.Emit(frame);
  });
}

QSize uiLayoutFrameEx::sizeHint() const { return minimumSizeHint().expandedTo(QSize(160, 120)); }

QSize uiLayoutFrameEx::minimumSizeHint() const {
  const int border = 2 * frameWidth() + 4;  // the frame and the margins around its contents
  const QLabel* header = internal_ ? internal_->header : nullptr;
  const int headerHeight = header && !header->isHidden() ? header->sizeHint().height() : 0;
  return QSize(border, border + headerHeight + (internal_ ? internal_->topMargin : 0));
}

void uiLayoutFrameEx::ShowView(uiWidget* view) {
  if (!internal_->arranged) {
    QWidget* widget = view->GetWidget();
    if (internal_->front != widget && internal_->IndexOf(view) >= 0) internal_->front = widget;
    return;
  }
  const int index = GetPaneIndex(view);
  if (QTabWidget* tabs = index >= 0 ? internal_->panes[index].tabs : nullptr) {
    tabs->setCurrentWidget(view->GetWidget());
  }
}

void uiLayoutFrameEx::UpdateHighlight() {
  const bool active = IsActive();
  if (internal_->drawn && internal_->drawnActive == active) return;
  internal_->drawn = true;
  internal_->drawnActive = active;
  setLineWidth(active ? 2 : 1);
  update();

  QPalette headerPalette = internal_->header->palette();
  headerPalette.setColor(QPalette::Window, active ? headerPalette.color(QPalette::Highlight)
                                                  : headerPalette.color(QPalette::Button));
  headerPalette.setColor(QPalette::WindowText,
                         active ? headerPalette.color(QPalette::HighlightedText)
                                : headerPalette.color(QPalette::ButtonText));
  internal_->header->setPalette(headerPalette);
}

// The border in the highlight colour while the frame is active. Drawn here
// rather than through the frame's palette, which its views and tab bars
// would inherit: their text would turn the border's colour.
void uiLayoutFrameEx::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionFrame option;
  initStyleOption(&option);
  const bool active = internal_ && internal_->drawn ? internal_->drawnActive : IsActive();
  option.palette.setColor(QPalette::WindowText,
                          palette().color(active ? QPalette::Highlight : QPalette::Mid));
  style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, this);
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
    for (const Internal::Pane& pane : internal_->panes) {
      if (const int tab = pane.tabs ? pane.tabs->indexOf(widget) : -1; tab >= 0) {
        pane.tabs->setTabText(tab, GetTabText(widget));
      }
    }
  }
  return uiWidgetT<QFrame>::eventFilter(watched, event);
}
