#include "fwg/shell/CentralWidget.h"

#include <QTabWidget>

#include "platform/ui/uiFrame.h"
#include "tests/support/TestBasics.h"
#include "tests/support/WithProjects.h"

namespace {

using fwg::ClientFolder;
using fwg::Project;
using Frame = uiLayoutFrameEx;

class CentralWidgetTest : public WithProjects {
 protected:
  void SetUp() override {
    WithProjects::SetUp();
    central_ = gui_->GetCentralWidget();
  }
  void TearDown() override {
    WithProjects::TearDown();
    EXPECT_EQ(Frame::m_pActiveInstance, nullptr);
  }

  fwg::CentralWidget* central_ = nullptr;
};

TEST_F(CentralWidgetTest, ProjectsBecomePagesAndClientFoldersActiveViewsOfTheNearestFrame) {
  auto* project = Make<Project>("P");
  Frame* page = FindFrame("P");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(stack_->VisibleWidget(), page);
  EXPECT_TRUE(page->IsHeaderHidden());
  EXPECT_EQ(Frame::m_pActiveInstance, nullptr) << "a page is raised, not activated";
  project->EmitCreated();  // announced again: no second frame
  EXPECT_EQ(stack_->findChildren<Frame*>("P").size(), 1);

  auto* folder = Make<ClientFolder>(project, "C");
  Make<ClientFolder>(folder, "Inner");
  Frame* frame = FindFrame("C");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(page->GetViews(), (oxStlVector<uiWidget*>{frame}));
  EXPECT_FALSE(frame->IsHeaderHidden());
  EXPECT_EQ(FindFrame("Inner")->GetParentFrame(), frame);
  EXPECT_EQ(Frame::m_pActiveInstance, FindFrame("Inner"));

  // Objects of other classes get no frame; a client folder below one is a
  // page of its own.
  auto* plain = Make<oxt::Object>(project, "Plain");
  EXPECT_EQ(FindFrame("Plain"), nullptr);
  Make<ClientFolder>(plain, "Loose");
  Frame* loose = FindFrame("Loose");
  ASSERT_NE(loose, nullptr);
  EXPECT_EQ(loose->GetParentFrame(), nullptr);
  EXPECT_EQ(stack_->VisibleWidget(), loose);
  EXPECT_EQ(Frame::m_pActiveInstance, loose);

  // Reparenting moves frames only between framed objects.
  auto* p2 = Make<Project>("P2");
  folder->SetParent(p2);
  EXPECT_EQ(frame->GetParentFrame(), FindFrame("P2"));
  EXPECT_TRUE(page->GetViews().empty());
  folder->SetParent(plain);
  EXPECT_EQ(frame->GetParentFrame(), FindFrame("P2"));
}

TEST_F(CentralWidgetTest, LayoutPropertyRetilesTheFolderFrame) {
  auto* project = Make<Project>("P");
  auto* folder = Make<ClientFolder>(project, "C");
  for (const char* name : {"A", "B", "D"}) Make<ClientFolder>(folder, name);
  Frame* frame = FindFrame("C");
  // A value that is no layout leaves the frame as it is; a project is a
  // client folder too.
  for (int layout : {4, 99}) {
    SetLayout(folder, layout);
    EXPECT_EQ(frame->GetLayout(), Frame::ThreeVertical);
  }
  EXPECT_EQ(frame->GetPaneIndex(FindFrame("D")), 2);
  SetLayout(project, 3);
  EXPECT_EQ(FindFrame("P")->GetLayout(), Frame::TwoHorizontal);
}

// What the keys act on is what a person sees: a layout of one pane shows
// the active frame, and the active frame asked again comes forward.
TEST_F(CentralWidgetTest, TheActiveFrameStaysInFrontWhenTheLayoutChanges) {
  Window()->Show();
  auto* project = Make<Project>("P");
  Make<ClientFolder>(project, "A");
  auto* b = Make<ClientFolder>(project, "B");
  ASSERT_EQ(Frame::m_pActiveInstance, FindFrame("B"));
  for (int layout : {fwg::ClientFolder::TwoHorizontal, fwg::ClientFolder::Full}) SetLayout(project, layout);
  EXPECT_TRUE(FindFrame("B")->isVisible());
  EXPECT_FALSE(FindFrame("A")->isVisible());

  QTabWidget* tabs = nullptr;
  for (QTabWidget* candidate : FindFrame("P")->findChildren<QTabWidget*>())
    if (candidate->indexOf(FindFrame("A")) >= 0) tabs = candidate;
  ASSERT_NE(tabs, nullptr);
  tabs->setCurrentWidget(FindFrame("A"));  // a page turned, nothing activated
  ASSERT_FALSE(FindFrame("B")->isVisible());
  central_->ActivateObject(b);
  EXPECT_TRUE(FindFrame("B")->isVisible());
  EXPECT_EQ(Frame::m_pActiveInstance, FindFrame("B"));
}

TEST_F(CentralWidgetTest, SelectingOneObjectBringsItForwardTwoObjectsNothing) {
  auto* p1 = Make<Project>("P1");
  auto* c1 = Make<ClientFolder>(p1, "C1");
  auto* p2 = Make<Project>("P2");
  auto* c2 = Make<ClientFolder>(p2, "C2");
  EXPECT_EQ(stack_->VisibleWidget(), FindFrame("P2"));
  EXPECT_EQ(Frame::m_pActiveInstance, FindFrame("C2"));

  oxt::Model::Get()->SetSelection({c1, c2});
  EXPECT_EQ(stack_->VisibleWidget(), FindFrame("P2"));
  EXPECT_EQ(Frame::m_pActiveInstance, FindFrame("C2"));

  c1->EmitSelected();
  EXPECT_EQ(stack_->VisibleWidget(), FindFrame("P1"));
  EXPECT_EQ(Frame::m_pActiveInstance, FindFrame("C1"));

  // Nothing at all for an object without a frame, not even its page.
  central_->ActivateObject(new oxt::Object(p2, "Plain"));
  central_->ActivateObject(nullptr);
  EXPECT_EQ(stack_->VisibleWidget(), FindFrame("P1"));
  EXPECT_EQ(Frame::m_pActiveInstance, FindFrame("C1"));

  // A folder outside every project is activated but raises no project.
  auto* loose = Make<ClientFolder>(Root(), "Loose");
  c2->EmitSelected();
  loose->EmitSelected();
  EXPECT_EQ(Frame::m_pActiveInstance, FindFrame("Loose"));
  EXPECT_EQ(stack_->VisibleWidget(), FindFrame("P2"));
  loose->Delete();
}

TEST_F(CentralWidgetTest, DeletingObjectsRemovesAndDeletesTheirFrames) {
  auto* project = Make<Project>("P");
  auto* keep = Make<ClientFolder>(project, "Keep");
  auto* gone = Make<ClientFolder>(project, "Gone");
  Make<ClientFolder>(gone, "GoneInner");
  QPointer<Frame> goneFrame = FindFrame("Gone");
  QPointer<Frame> innerFrame = FindFrame("GoneInner");
  ASSERT_EQ(Frame::m_pActiveInstance, innerFrame.data());
  gone->Delete();
  EXPECT_TRUE(goneFrame.isNull() && innerFrame.isNull());
  EXPECT_EQ(Frame::m_pActiveInstance, nullptr);
  EXPECT_EQ(FindFrame("P")->GetViews(), (oxStlVector<uiWidget*>{FindFrame("Keep")}));

  QPointer<Frame> page = FindFrame("P");
  QPointer<Frame> keepFrame = FindFrame(keep->GetName());
  project->Delete();
  EXPECT_TRUE(page.isNull() && keepFrame.isNull());
  EXPECT_EQ(stack_->count(), 0);
}

TEST_F(CentralWidgetTest, ShowWidgetSwitchesTheCentralWidgetOnlyOnChange) {
  gui_->GetMainWindow()->Show();
  int stackHides = 0;
  oxListener<> listener;
  stack_->OnHide().Connect(&listener, [&](uiHideEvent*) { ++stackHides; });

  uiFrame other(gui_->GetMainWindow(), "Other");
  central_->ShowWidget(stack_);  // shown already: not hidden and shown again
  central_->ShowWidget(&other);
  EXPECT_EQ(gui_->GetMainWindow()->CentralWidget(), &other);
  EXPECT_EQ(stackHides, 1);
  central_->ShowWidget(stack_);
  EXPECT_EQ(gui_->GetMainWindow()->CentralWidget(), stack_);
  EXPECT_FALSE(other.IsVisible());
}

TEST_F(CentralWidgetTest, TearingDownTheApplicationLeavesTheTreeUsable) {
  auto* project = Make<Project>("P");
  Make<ClientFolder>(project, "C");
  QPointer<Frame> folderFrame = FindFrame("C");

  delete gui_;
  gui_ = nullptr;
  EXPECT_TRUE(folderFrame.isNull());
  EXPECT_EQ(Frame::m_pActiveInstance, nullptr);
  // Nobody listens any more: creating and deleting objects is harmless.
  Make<ClientFolder>(project, "After");
  project->Delete();
}

}  // namespace
