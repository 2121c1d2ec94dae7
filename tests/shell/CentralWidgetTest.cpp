// The central widget follows the object tree on a real main window:
// projects become pages, client folders frames inside them, and the
// model's property, selection and deletion signals move, re-tile, bring
// forward and remove those frames.
#include <QPointer>
#include <gtest/gtest.h>

#include "fwg/objects/ClientFolder.h"
#include "fwg/shell/CentralWidget.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiMainWindow.h"
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

TEST_F(CentralWidgetTest, ProjectsBecomeRaisedPagesWithoutHeaderAndAreNotActivated) {
  Make<Project>("P1");
  Frame* first = FindFrame("P1");
  ASSERT_NE(first, nullptr);
  EXPECT_GE(stack_->Id(first), 0);
  EXPECT_EQ(stack_->VisibleWidget(), first);
  EXPECT_TRUE(first->IsHeaderHidden());
  EXPECT_EQ(Frame::m_pActiveInstance, nullptr);

  auto* p2 = Make<Project>("P2");
  EXPECT_EQ(stack_->VisibleWidget(), FindFrame("P2"));
  // Announcing the same object again makes no second frame.
  p2->EmitCreated();
  EXPECT_EQ(stack_->findChildren<Frame*>("P2").size(), 1);

  // Objects of other classes get no frame.
  Make<oxt::Object>(p2, "Plain");
  EXPECT_EQ(FindFrame("Plain"), nullptr);
}

TEST_F(CentralWidgetTest, ClientFoldersBecomeActiveViewsOfTheirParentsFrameOrPagesOfTheirOwn) {
  auto* project = Make<Project>("P");
  Make<ClientFolder>(project, "C");
  Frame* page = FindFrame("P");
  Frame* folder = FindFrame("C");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(page->GetViews(), (oxStlVector<uiWidget*>{folder}));
  EXPECT_EQ(folder->GetParentFrame(), page);
  EXPECT_FALSE(folder->IsHeaderHidden());
  EXPECT_EQ(Frame::m_pActiveInstance, folder);

  // Nested client folders go into the nearest frame.
  auto* c = ClientFolder::Cast(project->GetChildren().front());
  Make<ClientFolder>(c, "Inner");
  EXPECT_EQ(FindFrame("Inner")->GetParentFrame(), folder);

  // A client folder under an object without a frame is a page of its own.
  auto* plain = Make<oxt::Object>(project, "Plain");
  Make<ClientFolder>(plain, "Loose");
  Frame* loose = FindFrame("Loose");
  ASSERT_NE(loose, nullptr);
  EXPECT_EQ(loose->GetParentFrame(), nullptr);
  EXPECT_EQ(stack_->VisibleWidget(), loose);
  EXPECT_EQ(Frame::m_pActiveInstance, loose);
}

TEST_F(CentralWidgetTest, LayoutPropertyRetilesTheFolderFrame) {
  auto* project = Make<Project>("P");
  auto* folder = Make<ClientFolder>(project, "C");
  for (const char* name : {"A", "B", "D"}) Make<ClientFolder>(folder, name);
  Frame* frame = FindFrame("C");

  oxt::Property four("Layout", 4);
  folder->SetProperty(four);
  EXPECT_EQ(frame->GetLayout(), Frame::ThreeVertical);
  EXPECT_EQ(frame->GetPaneIndex(FindFrame("D")), 2);

  // A value that is no layout leaves the frame as it is.
  oxt::Property bad("Layout", 99);
  folder->SetProperty(bad);
  EXPECT_EQ(frame->GetLayout(), Frame::ThreeVertical);

  // A project is a client folder too.
  oxt::Property projectLayout("Layout", 3);
  project->SetProperty(projectLayout);
  EXPECT_EQ(FindFrame("P")->GetLayout(), Frame::TwoHorizontal);
}

TEST_F(CentralWidgetTest, ReparentingMovesFramesOnlyBetweenFramedObjects) {
  auto* p1 = Make<Project>("P1");
  auto* p2 = Make<Project>("P2");
  auto* folder = Make<ClientFolder>(p1, "C");
  auto* plain = Make<oxt::Object>(p2, "Plain");
  Frame* frame = FindFrame("C");

  folder->SetParent(p2);
  EXPECT_EQ(frame->GetParentFrame(), FindFrame("P2"));
  EXPECT_TRUE(FindFrame("P1")->GetViews().empty());

  folder->SetParent(plain);
  EXPECT_EQ(frame->GetParentFrame(), FindFrame("P2"));
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
  auto* plain = new oxt::Object(p2, "Plain");
  central_->ActivateObject(plain);
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
  EXPECT_TRUE(goneFrame.isNull());
  EXPECT_TRUE(innerFrame.isNull());
  EXPECT_EQ(Frame::m_pActiveInstance, nullptr);
  EXPECT_EQ(FindFrame("P")->GetViews(), (oxStlVector<uiWidget*>{FindFrame("Keep")}));

  QPointer<Frame> page = FindFrame("P");
  QPointer<Frame> keepFrame = FindFrame("Keep");
  (void)keep;
  project->Delete();
  EXPECT_TRUE(page.isNull());
  EXPECT_TRUE(keepFrame.isNull());
  EXPECT_EQ(stack_->count(), 0);
}

TEST_F(CentralWidgetTest, ShowWidgetSwitchesTheCentralWidgetOnlyOnChange) {
  gui_->GetMainWindow()->Show();
  int stackHides = 0;
  oxListener<> listener;
  stack_->OnHide().Connect(&listener, [&](uiHideEvent*) { ++stackHides; });

  central_->ShowWidget(stack_);
  EXPECT_EQ(stackHides, 0);
  EXPECT_TRUE(stack_->IsVisible());

  uiFrame other(gui_->GetMainWindow(), "Other");
  central_->ShowWidget(&other);
  EXPECT_EQ(gui_->GetMainWindow()->CentralWidget(), &other);
  EXPECT_EQ(stackHides, 1);
  EXPECT_TRUE(other.IsVisible());

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
