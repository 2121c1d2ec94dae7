#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

#include <cmath>

#include "platform/ui/uiFrame.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "tests/support/TestBasics.h"

namespace {

using Frame = uiLayoutFrameEx;

void SettleLayouts() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

QTabWidget* GetTabWidgetOf(QWidget* view) {
  for (QWidget* w = view->parentWidget(); w; w = w->parentWidget())
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs;
  return nullptr;
}

// Views, their own top-level frame, deleted at the end of each test.
class LayoutFrameTest : public ::testing::Test {
 protected:
  void TearDown() override {
    views_.clear();
    frames_.clear();
    EXPECT_EQ(Frame::m_pActiveInstance, nullptr) << "a deleted frame stayed active";
  }
  Frame* MakeFrame(const oxString& name, Frame* parent = nullptr) {
    frames_.push_back(std::make_unique<Frame>(nullptr, name, parent, true));
    return frames_.back().get();
  }
  uiFrame* MakeView(const oxString& name) {
    views_.push_back(std::make_unique<uiFrame>(nullptr, name));
    return views_.back().get();
  }

  std::vector<std::unique_ptr<Frame>> frames_;
  std::vector<std::unique_ptr<uiFrame>> views_;
};

// Expected pane rectangles in sixths of the area the panes cover, in pane
// order.
struct LayoutCase { Frame::FixedLayouts layout; std::vector<QRect> cells; };

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << "layout " << int(c.layout); }

const std::vector<LayoutCase> kLayoutCases = {
    {Frame::Full, {{0, 0, 6, 6}}},
    {Frame::TwoVertical, {{0, 0, 6, 3}, {0, 3, 6, 3}}},
    {Frame::TwoHorizontal, {{0, 0, 3, 6}, {3, 0, 3, 6}}},
    {Frame::ThreeVertical, {{0, 0, 6, 2}, {0, 2, 6, 2}, {0, 4, 6, 2}}},
    {Frame::ThreeHorizontal, {{0, 0, 2, 6}, {2, 0, 2, 6}, {4, 0, 2, 6}}},
    {Frame::SplitLeft, {{0, 0, 3, 3}, {3, 0, 3, 6}, {0, 3, 3, 3}}},
    {Frame::SplitRight, {{0, 0, 3, 6}, {3, 0, 3, 3}, {3, 3, 3, 3}}},
    {Frame::SplitTop, {{0, 0, 3, 3}, {3, 0, 3, 3}, {0, 3, 6, 3}}},
    {Frame::SplitBottom, {{0, 0, 6, 3}, {0, 3, 3, 3}, {3, 3, 3, 3}}},
    {Frame::TwoByTwo, {{0, 0, 3, 3}, {3, 0, 3, 3}, {0, 3, 3, 3}, {3, 3, 3, 3}}},
    {Frame::TwoByThree, {{0, 0, 3, 2}, {3, 0, 3, 2}, {0, 2, 3, 2}, {3, 2, 3, 2}, {0, 4, 3, 2}, {3, 4, 3, 2}}},
    {Frame::ThreeByTwo, {{0, 0, 2, 3}, {2, 0, 2, 3}, {4, 0, 2, 3}, {0, 3, 2, 3}, {2, 3, 2, 3}, {4, 3, 2, 3}}},
};

class FixedLayoutTest : public LayoutFrameTest, public ::testing::WithParamInterface<LayoutCase> {};

// One view per pane lands where the layout's picture puts it on screen;
// two views more than panes share the last pane with its own view as tabs,
// one of them in front.
TEST_P(FixedLayoutTest, PlacesOneViewPerPaneAndTheRestAsTabsOfTheLast) {
  const LayoutCase& c = GetParam();
  const int panes = static_cast<int>(c.cells.size());
  ASSERT_EQ(Frame::GetPaneCount(c.layout), panes);

  Frame* frame = MakeFrame("Folder");
  frame->HideHeader(true);
  std::vector<uiFrame*> views;
  for (int i = 0; i < panes + 2; ++i) {
    views.push_back(MakeView("View" + std::to_string(i)));
    if (i < panes) frame->AddView(views.back());
  }
  frame->Layout(c.layout);
  frame->resize(600, 600);
  frame->show();
  SettleLayouts();

  QRect covered;
  for (int i = 0; i < panes; ++i) covered |= QRect(views[i]->mapTo(frame, QPoint(0, 0)), views[i]->size());
  ASSERT_TRUE(covered.width() > 500 && covered.height() > 500);
  // Each pane's rectangle, rounded to sixths of the covered area.
  std::vector<QRect> cells;
  auto sixths = [](int at, int length) { return static_cast<int>(std::lround(6.0 * at / length)); };
  for (int i = 0; i < panes; ++i) {
    EXPECT_TRUE(views[i]->isVisible()) << i;
    EXPECT_EQ(frame->GetPaneIndex(views[i]), i);
    const QRect r(views[i]->mapTo(frame, QPoint(0, 0)) - covered.topLeft(), views[i]->size());
    cells.emplace_back(sixths(r.x(), covered.width()), sixths(r.y(), covered.height()),
                       sixths(r.width(), covered.width()), sixths(r.height(), covered.height()));
  }
  EXPECT_EQ(cells, c.cells);

  for (int i = panes; i < panes + 2; ++i) frame->AddView(views[i]);
  SettleLayouts();
  for (int i = 0; i < panes + 2; ++i) EXPECT_EQ(frame->GetPaneIndex(views[i]), std::min(i, panes - 1)) << i;
  QTabWidget* last = GetTabWidgetOf(views[panes - 1]);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->count(), 3);
  EXPECT_EQ(std::count_if(views.end() - 3, views.end(), [](uiFrame* v) { return v->isVisible(); }), 1);
}

INSTANTIATE_TEST_SUITE_P(AllTwelve, FixedLayoutTest, ::testing::ValuesIn(kLayoutCases));

TEST_F(LayoutFrameTest, RefusesValuesThatAreNoLayoutAndKeepsTheArrangement) {
  Frame* frame = MakeFrame("Folder");
  uiFrame* b = MakeView("B");
  frame->AddView(MakeView("A"));
  frame->AddView(b);
  frame->Layout(Frame::TwoHorizontal);
  for (int bad : {0, 13, -1}) frame->Layout(static_cast<Frame::FixedLayouts>(bad));
  EXPECT_EQ(frame->GetLayout(), Frame::TwoHorizontal);
  EXPECT_EQ(frame->GetPaneIndex(b), 1);
  // A frame starts in "Full": all views are tabs of the one pane.
  Frame* fresh = MakeFrame("Fresh");
  fresh->AddView(MakeView("C"));
  fresh->AddView(b);
  EXPECT_EQ(fresh->GetPaneIndex(b), 0);
}

// A border the user drags is told and read back as fractions; borders that
// do not fit the layout are refused, and a new layout starts even.
TEST_F(LayoutFrameTest, DraggedPaneBordersAreToldAndPutBack) {
  Frame* frame = MakeFrame("Folder");
  frame->AddView(MakeView("A"));
  frame->AddView(MakeView("B"));
  frame->Layout(Frame::TwoHorizontal);
  frame->resize(400, 300);
  frame->show();
  SettleLayouts();
  EXPECT_EQ(frame->GetPaneEdges(), "");
  int told = 0;
  frame->OnPaneEdgesChanged().Connect(nullptr, [&told](Frame*) { ++told; });
  const int border = frame->findChild<uiFrame*>("B")->geometry().left() - 2;
  const int y = frame->height() / 2;
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(border, y), frame->mapToGlobal(QPointF(border, y)),
                    Qt::LeftButton, Qt::LeftButton, {});
  QMouseEvent move(QEvent::MouseMove, QPointF(100, y), frame->mapToGlobal(QPointF(100, y)), Qt::NoButton,
                   Qt::LeftButton, {});
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(100, y), frame->mapToGlobal(QPointF(100, y)),
                      Qt::LeftButton, Qt::NoButton, {});
  for (QMouseEvent* event : {&press, &move, &release}) QApplication::sendEvent(frame, event);
  EXPECT_EQ(told, 1);
  const oxString dragged = frame->GetPaneEdges();
  EXPECT_EQ(dragged.substr(0, 2), "0.") << dragged;
  EXPECT_LT(std::stod(dragged), 0.4) << dragged;

  for (const char* unfit : {"0.3", "0.3,0.6;", ";0.5", "0.7,0.2;", "x;"}) EXPECT_FALSE(frame->SetPaneEdges(unfit)) << unfit;
  EXPECT_EQ(frame->GetPaneEdges(), dragged);
  EXPECT_TRUE(frame->SetPaneEdges("0.75;"));
  EXPECT_GT(frame->findChild<uiFrame*>("B")->geometry().left(), 280);
  frame->Layout(Frame::TwoVertical);
  EXPECT_EQ(frame->GetPaneEdges(), "");
}

TEST_F(LayoutFrameTest, RemovedViewsAndViewsOfDeletedFramesAreHandedBackNotDeleted) {
  Frame* frame = MakeFrame("Folder");
  frame->Layout(Frame::TwoHorizontal);
  uiFrame *a = MakeView("A"), *b = MakeView("B"), *c = MakeView("C");
  for (uiFrame* view : {a, b, c, b}) frame->AddView(view);  // b again: stays in its place
  EXPECT_EQ(frame->GetViews(), (oxStlVector<uiWidget*>{a, b, c}));

  frame->RemoveChild(a);
  frame->RemoveChild(a);  // not held: nothing happens
  EXPECT_EQ(frame->GetViews(), (oxStlVector<uiWidget*>{b, c}));
  EXPECT_EQ(a->parentWidget(), nullptr);
  EXPECT_TRUE(a->isHidden());
  EXPECT_EQ(frame->GetPaneIndex(c), 1);  // the rest moved up

  // A view deleted by its owner drops out.
  std::erase_if(views_, [&](const auto& v) { return v.get() == b; });
  EXPECT_EQ(frame->GetViews(), (oxStlVector<uiWidget*>{c}));

  QPointer<uiFrame> survivor(c);
  std::erase_if(frames_, [&](const auto& f) { return f.get() == frame; });
  ASSERT_FALSE(survivor.isNull());
  EXPECT_EQ(c->parentWidget(), nullptr);
}

// Closing a project deletes its folders' frames in one call: the frames
// held by another of them go with it, the views that stay (documents'
// frames) are handed back in the order deleting the frames one by one
// would hand them back, and a frame still waiting for a hold to end goes
// too.
TEST_F(LayoutFrameTest, FramesDeletedTogetherHandBackOnlyTheViewsThatStay) {
  uiFrame window(nullptr, "Window");
  auto* outer = new Frame(&window, "Outer", nullptr, true);
  window.show();
  oxStlVector<QPointer<Frame>> inner;
  for (const char* name : {"One", "Two", "Three"}) inner.emplace_back(new Frame(nullptr, name, outer, true));
  Frame* kept = MakeFrame("Kept", outer);  // not among the frames deleted
  uiFrame *a = MakeView("A"), *b = MakeView("B"), *c = MakeView("C");
  inner[0]->AddView(a);
  inner[2]->AddView(b);
  inner[2]->AddView(c);
  inner[1]->Activate();
  SettleLayouts();
  oxStlVector<QString> handedBack;
  struct Watch : QObject {
    oxStlVector<QString>* seen;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::ParentChange && !static_cast<QWidget*>(watched)->parentWidget())
        seen->push_back(watched->objectName());
      return false;
    }
  } watch;
  watch.seen = &handedBack;
  for (uiFrame* view : {a, b, c}) view->installEventFilter(&watch);

  Frame::HoldArrangement();
  QPointer<Frame> late = new Frame(nullptr, "Late", outer, true);
  QPointer<Frame> top = outer;
  Frame::DeleteFrames({late, inner[2], inner[1], inner[0], outer});
  Frame::ReleaseArrangement();

  EXPECT_TRUE(top.isNull() && late.isNull());
  for (const QPointer<Frame>& frame : inner) EXPECT_TRUE(frame.isNull());
  EXPECT_EQ(handedBack, (oxStlVector<QString>{"B", "C", "A"}));
  for (uiWidget* view : {static_cast<uiWidget*>(a), static_cast<uiWidget*>(b), static_cast<uiWidget*>(c),
                         static_cast<uiWidget*>(kept)}) {
    EXPECT_EQ(view->GetWidget()->parentWidget(), nullptr);
    EXPECT_TRUE(view->GetWidget()->isHidden());
  }
  EXPECT_EQ(kept->GetParentFrame(), nullptr);
  EXPECT_EQ(Frame::m_pActiveInstance, nullptr);
  for (uiFrame* view : {a, b, c}) view->removeEventFilter(&watch);
}

TEST_F(LayoutFrameTest, FramesMoveBetweenFramesButNeverIntoThemselves) {
  Frame *left = MakeFrame("Left"), *right = MakeFrame("Right");
  Frame* inner = MakeFrame("Inner", left);  // a view of `left` from the start
  EXPECT_EQ(left->GetViews(), (oxStlVector<uiWidget*>{inner}));

  inner->SetParent(right);
  EXPECT_TRUE(left->GetViews().empty());
  EXPECT_EQ(right->GetViews(), (oxStlVector<uiWidget*>{inner}));

  // Into itself or into a frame it holds: refused, nothing moves.
  right->SetParent(inner);
  inner->AddView(inner);
  EXPECT_EQ(right->GetParentFrame(), nullptr);
  EXPECT_TRUE(inner->GetViews().empty());
  EXPECT_EQ(inner->GetParentFrame(), right);

  inner->SetParent(nullptr);
  EXPECT_TRUE(right->GetViews().empty());

  // Deleting a held frame leaves its holder with one view less.
  Frame* doomed = MakeFrame("Doomed", left);
  std::erase_if(frames_, [&](const auto& f) { return f.get() == doomed; });
  EXPECT_TRUE(left->GetViews().empty());
}

TEST_F(LayoutFrameTest, ActivationIsProcessWideAndSignalledOnlyOnChange) {
  Frame *a = MakeFrame("A"), *b = MakeFrame("B");
  std::vector<Frame*> activated;
  oxListener<> listener;
  a->OnActivate().Connect(&listener, [&](Frame* f) { activated.push_back(f); });
  b->OnActivate().Connect(&listener, [&](Frame* f) { activated.push_back(f); });

  a->Activate();
  a->Activate();
  b->Activate();
  EXPECT_FALSE(a->IsActive());
  EXPECT_EQ(Frame::m_pActiveInstance, b);
  EXPECT_EQ(activated, (std::vector<Frame*>{a, b}));
  // Drawn highlighted: the active frame's border is the thicker one.
  EXPECT_GT(b->lineWidth(), a->lineWidth());

  std::erase_if(frames_, [&](const auto& f) { return f.get() == b; });
  EXPECT_EQ(Frame::m_pActiveInstance, nullptr);
  EXPECT_EQ(activated.size(), 2u);
}

TEST_F(LayoutFrameTest, ActivatingABuriedFrameBringsItsTabsForward) {
  Frame *page = MakeFrame("Page"), *folder = MakeFrame("Folder", page), *other = MakeFrame("Other", page);
  Frame* doc = MakeFrame("Doc", folder);
  MakeFrame("Doc2", folder);
  page->show();
  QTabWidget* pageTabs = GetTabWidgetOf(folder);
  pageTabs->setCurrentWidget(other);
  QTabWidget* folderTabs = GetTabWidgetOf(doc);
  folderTabs->setCurrentIndex(1);

  doc->Activate();

  EXPECT_EQ(pageTabs->currentWidget(), folder);
  EXPECT_EQ(folderTabs->currentWidget(), doc);

  // The frames that hold the active one leave it active.
  page->Activate();
  folder->Activate();
  EXPECT_EQ(Frame::m_pActiveInstance, doc);
  other->Activate();
  EXPECT_EQ(Frame::m_pActiveInstance, other);

  // The highlight is the frames' own border: the tabs' text and the views
  // keep the colours of the application, active frame or not.
  const QColor text = QApplication::palette().color(QPalette::WindowText);
  for (QWidget* widget : {static_cast<QWidget*>(pageTabs->tabBar()),
                          static_cast<QWidget*>(folderTabs->tabBar()), static_cast<QWidget*>(other)}) {
    EXPECT_EQ(widget->palette().color(QPalette::WindowText), text) << widget->metaObject()->className();
  }
}

TEST_F(LayoutFrameTest, ClickingOrFocusingInsideActivatesTheInnermostFrame) {
  Frame* outer = MakeFrame("Outer");
  outer->Layout(Frame::TwoHorizontal);
  Frame *left = MakeFrame("Left", outer), *right = MakeFrame("Right", outer);
  uiFrame* content = MakeView("Content");
  auto* label = new QLabel("text", content);
  label->setGeometry(0, 0, 50, 20);
  right->AddView(content);
  outer->resize(400, 300);
  outer->show();
  SettleLayouts();

  // A label ignores the press, so it travels up to the outer frame too;
  // every delivery must name the same, innermost frame.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(label, &press);
  EXPECT_EQ(Frame::m_pActiveInstance, right);

  // The window getting the focus back does not change the active frame;
  // the user tabbing into a frame does.
  QFocusEvent windowFocus(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(left, &windowFocus);
  EXPECT_EQ(Frame::m_pActiveInstance, right);
  QFocusEvent tabFocus(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(left, &tabFocus);
  EXPECT_EQ(Frame::m_pActiveInstance, left);
}

}  // namespace
