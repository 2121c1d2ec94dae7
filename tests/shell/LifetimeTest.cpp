// Objects that go in an order their owners did not plan for: each case
// here was once a use after free. Run under the address sanitizer.
#include <QApplication>
#include <QMenuBar>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/objects/Project.h"
#include "platform/fwc/Director.h"
#include "platform/ui/uiFrame.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "tests/support/TestBasics.h"
#include "tests/support/Visible.h"
#include "tests/support/WithGui.h"

namespace {

// A client whose profile "Doc" shows a "Doc" menu; its destructor asks for
// the application object, as a plug-in's tear-down may.
class Client : public fwg::Client {
 public:
  Client() : fwg::Client("Docs") {
    profile = new fwg::Profile("Doc", "");
    profile->AddMenu(profile->AddAction("doc", "Doc"), "Doc");
    AddProfile(profile);
  }
  ~Client() override { seenInTearDown = fwg::Gui::Get(); }
  fwg::ClientObject* MakeDocument() {
    auto* document = new fwg::ClientObject(this, "D", true);
    document->SetProfile("Doc");
    return document;
  }
  fwg::Profile* profile;
  static inline fwg::Gui* seenInTearDown = nullptr;
};

class Lifetime : public WithGui {
 protected:
  size_t VisibleMenus() const { return Visible(Window()->menuBar()).size(); }
};

TEST_F(Lifetime, TearDownFindsTheDyingApplicationObjectAndNoOther) {
  new Client;
  fwg::Gui* gui = gui_;
  delete gui_;
  gui_ = nullptr;
  EXPECT_EQ(Client::seenInTearDown, gui) << "a Get() while tearing down made a second object";
  EXPECT_EQ(fwc::Director::Get()->GetGui(), nullptr);
}

// Views leaving their frames move the focus while the application object
// tears down; no document's frame is activated for it, so no client slot
// runs after the managers it reaches are gone (it crashed the host at exit).
TEST_F(Lifetime, TearDownActivatesNoFrameWhenTheFocusMoves) {
  auto* client = new Client;
  oxt::Property sideBySide("Layout", 3);
  fwg::Project::UseCurrent("P")->SetProperty(sideBySide);
  Window()->Show();
  int activations = 0;
  std::vector<std::unique_ptr<uiFrame>> views;  // handed back by their frames
  for (int i = 0; i < 2; ++i) {
    fwg::ClientObject* document = client->MakeDocument();
    views.push_back(std::make_unique<uiFrame>(nullptr, "View"));
    views.back()->setFocusPolicy(Qt::StrongFocus);
    document->GetLayouter()->AddView(views.back().get());
    document->Activate();
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(Window());
    views.back()->setFocus();
    document->GetLayouter()->OnActivate().Connect(nullptr, [&activations](uiLayoutFrameEx*) {
      ++activations;
      fwg::ClientManager::Get()->GetActiveClientObject();
    });
  }
  views.front()->setFocus();
  ASSERT_EQ(activations, 1) << "a focused view activates its frame";
  activations = 0;
  delete gui_;
  gui_ = nullptr;
  EXPECT_EQ(activations, 0);
}

TEST_F(Lifetime, DeletedProfilesAndDocumentsLeaveNothingDangling) {
  auto* client = new Client;
  fwg::ClientObject* document = client->MakeDocument();
  document->Activate();
  EXPECT_EQ(VisibleMenus(), 1u);

  // The active profile deleted behind its client's back.
  delete client->profile;
  EXPECT_EQ(VisibleMenus(), 0u) << "a deleted profile's menus stay on screen";
  EXPECT_EQ(fwg::ProfileManager::Get()->GetActiveProfile(), nullptr);
  document->Activate();
  EXPECT_EQ(document->GetProfile(), nullptr);

  // An item recording another profile's action, which goes before the item
  // is first applied.
  auto *other = new fwg::Profile("Other", ""), *user = new fwg::Profile("User", "");
  user->AddMenu(other->AddAction("borrowed", "Borrowed"), "Borrowed");
  delete other;
  user->Activate();
  EXPECT_EQ(user->GetMenu("Borrowed"), nullptr);

  // A document deleted by its own deactivation listener while activated.
  document->OnDeactivate().Connect(nullptr, [document](fwg::ClientObject*) { delete document; });
  document->Activate();
  EXPECT_EQ(fwg::ClientManager::Get()->GetActiveClientObject(), nullptr);
}

TEST_F(Lifetime, ARemovedClientTakesItsMenusAndLeavesItsDocuments) {
  auto* client = new Client;
  fwg::ClientObject* document = client->MakeDocument();
  document->Activate();
  fwg::ClientManager::Get()->RemoveClient(client);
  EXPECT_EQ(VisibleMenus(), 0u);
  EXPECT_EQ(document->GetClient(), nullptr);
  document->Activate();  // no client, no profile: still the active document
  EXPECT_EQ(fwg::ClientManager::Get()->GetActiveClientObject(), document);
}

TEST_F(Lifetime, ProfilesAndActionsMayOutliveTheApplicationObject) {
  auto* registered = new fwg::Profile("Kept", "");
  registered->AddAction("a", "A");
  fwg::ProfileManager::Get()->RemoveProfile(registered);  // not deleted with the manager
  auto* unlisted = new fwg::Profile("Loose", "", "", false);
  unlisted->AddAction("b", "B");
  auto* action = new fwg::Action("c", nullptr, false);
  unlisted->Activate();
  delete gui_;
  gui_ = nullptr;
  delete registered;
  delete unlisted;
  delete action;
}

TEST_F(Lifetime, AnExitListenerMayDeleteTheApplicationObject) {
  bool ran = false;
  gui_->OnExit().Connect(nullptr, [&] {
    ran = true;
    delete gui_;
    gui_ = nullptr;
  });
  gui_->Exit();
  EXPECT_TRUE(ran);
  EXPECT_EQ(fwc::Director::Get()->GetGui(), nullptr);
}

}  // namespace
