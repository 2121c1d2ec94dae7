// Documents on a real application object: where a client's documents go in
// the object tree, how activation switches the active document, its bold
// label, its profile chain and its frame, what a copy duplicates, and that
// deleting documents (or the application object first) leaves nothing
// dangling.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Folder.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/Gui.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiWidgetStack.h"
#include "tests/support/DocumentClient.h"
#include "tests/support/Visible.h"
#include "tests/support/WithGui.h"

namespace {

using fwg::ClientFolder;
using fwg::ClientObject;
using fwg::Folder;
using fwg::Project;
using Frame = uiLayoutFrameEx;
using Log = std::vector<std::string>;

// Logs each activation, then does the real one.
class LoggedProfile : public fwg::Profile {
 public:
  LoggedProfile(const oxString& name, const oxString& base, const oxString& menu, Log* log)
      : Profile(name, base), log_(log) {
    AddMenu(AddAction(menu, "&" + menu), menu);
  }
  void Activate() override {
    log_->push_back("profile " + GetName());
    Profile::Activate();
  }

 private:
  Log* log_;
};

// A client whose New() makes nothing.
class IdleClient : public fwg::Client {
 public:
  IdleClient() : fwg::Client("Idle") {}
  void New() override {}
};

std::string Font(oxt::Object* object) {
  return object->oxt::Object::GetProperty("@Font").GetValue().GetString();
}

class ClientObjectTest : public WithGui {
 protected:
  void SetUp() override {
    oxapp::CommandLine::Get()->SetArguments({"tavrix"});
    oxt::CurrentObjects::Get()->SetCurrentObject(nullptr);
    WithGui::SetUp();
    Window()->Show();
    stack_ = dynamic_cast<uiWidgetStack*>(Window()->CentralWidget());
    // Owned by the client manager, the profiles by the client.
    client_ = new DocumentClient;
    // A and B build on a common base: a switch touches only their menus.
    client_->AddProfile(new LoggedProfile("Base", "", "File", &log_));
    client_->AddProfile(new LoggedProfile("A", "Base", "Alpha", &log_));
    client_->AddProfile(new LoggedProfile("B", "Base", "Beta", &log_));
  }
  void TearDown() override {
    for (oxt::Object* project : Root()->GetChildren({}, Project::S_ClassName(), false, true)) {
      project->Delete();
    }
    WithGui::TearDown();
    oxt::CurrentObjects::Get()->SetCurrentObject(nullptr);
  }

  static oxt::Object* Root() { return oxt::Model::Get()->GetRoot(); }
  static void SetCurrent(oxt::Object* object) {
    oxt::CurrentObjects::Get()->SetCurrentObject(object);
  }
  // Made and announced the way clients and session reading do it.
  template <class T, class... Args>
  static T* Make(Args&&... args) {
    T* object = new T(std::forward<Args>(args)...);
    object->EmitCreated();
    return object;
  }
  // A client document made in `folder`.
  ClientObject* MakeDocument(oxt::Object* folder, const oxString& name) {
    SetCurrent(folder);
    return new ClientObject(client_, name, true);
  }
  Frame* FindFrame(const oxString& name) const {
    return stack_->findChild<Frame*>(uiStr(name));
  }
  // Frames re-tiled in a shown window show their new panes from the event
  // loop.
  static void Settle() { QCoreApplication::processEvents(); }
  static fwg::ClientManager* Manager() { return fwg::ClientManager::Get(); }
  QMenuBar* MenuBar() const { return Window()->menuBar(); }
  fwg::Profile* GetProfile(const oxString& name) const { return client_->GetProfile(name); }
  Log Take() {
    Log taken;
    taken.swap(log_);
    return taken;
  }
  // Logs the document's signals, its "@Font" changes and its frame's
  // activation.
  void Watch(ClientObject* document, oxListenerBase* listener) {
    const std::string name = document->GetName();
    document->OnActivate().Connect(listener, [this, name](ClientObject*) {
      log_.push_back(name + " activated");
    });
    document->OnDeactivate().Connect(listener, [this, name](ClientObject*) {
      log_.push_back(name + " deactivated");
    });
    oxt::Model::Get()->OnPropertyChanged().Connect(
        listener, [this, document, name](oxt::Object* object, oxt::Property& p) {
          if (object == document && p.GetName() == "@Font") {
            log_.push_back(name + " " + p.GetValue().GetString());
          }
        });
    document->GetLayouter()->OnActivate().Connect(listener, [this, name](Frame*) {
      log_.push_back(name + " frame");
    });
  }

  Log log_;
  uiWidgetStack* stack_ = nullptr;
  DocumentClient* client_ = nullptr;
};

TEST_F(ClientObjectTest, DocumentsTakeTheirPlaceInTheTreeAndItsFrames) {
  auto* project = Make<Project>("P");
  auto* folder = Make<ClientFolder>(project, "CF");
  auto* inner = Make<ClientFolder>(folder, "Inner");
  auto* plain = Make<Folder>(folder, "Plain");

  // The client constructor goes to the nearest client folder or project
  // above the current object, and nowhere without one.
  ClientObject* inInner = MakeDocument(inner, "InInner");
  ClientObject* inProject = MakeDocument(project, "InProject");
  ClientObject* besidePlain = MakeDocument(plain, "BesidePlain");
  ClientObject* loose = MakeDocument(nullptr, "Loose");
  EXPECT_EQ(inInner->GetParent(), inner);
  EXPECT_EQ(inProject->GetParent(), project);
  EXPECT_EQ(besidePlain->GetParent(), folder) << "a plain folder is not a client folder";
  EXPECT_EQ(loose->GetParent(), nullptr);
  EXPECT_EQ(client_->GetClientObjectsList(),
            (oxStlVector<ClientObject*>{inInner, inProject, besidePlain, loose}));

  // Casts and current objects of the document class (the folder classes'
  // own are the object tree test's).
  auto* deep = new ClientObject(plain, "Deep", true);
  EXPECT_EQ(ClientObject::Cast(folder), nullptr);
  SetCurrent(deep);
  EXPECT_EQ(ClientObject::GetCurrentObject(), deep);
  SetCurrent(folder);
  EXPECT_EQ(ClientObject::GetCurrentObject(), nullptr);

  // Registered once; the registry makes announced documents without a
  // client, which start with a normal label.
  int announced = 0;
  oxListener<> listener;
  oxt::ClassInfo::OnClassInfoAdded().Connect(&listener, [&](oxt::ClassInfo*) { ++announced; });
  oxt::ClassInfo* info = ClientObject::Register();
  EXPECT_EQ(announced, 0);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info, ClientObject::GetClassInfo());
  EXPECT_TRUE(info->IsA(oxt::Object::S_ClassName()));
  auto* fromRegistry = ClientObject::Cast(info->Create(inner));
  ASSERT_NE(fromRegistry, nullptr);
  EXPECT_EQ(fromRegistry->GetClient(), nullptr);
  EXPECT_EQ(Font(fromRegistry), "normal");
  fromRegistry->SetProfile("A");
  EXPECT_EQ(fromRegistry->GetProfile(), nullptr) << "no client, no profile";

  // Each layouter sits in its folder's frame; one without a framed parent
  // stays out of the central widget.
  EXPECT_EQ(inInner->GetLayouter()->GetParentFrame(), FindFrame("Inner"));
  EXPECT_EQ(inProject->GetLayouter()->GetParentFrame(), FindFrame("P"));
  EXPECT_EQ(fromRegistry->GetLayouter()->GetParentFrame(), FindFrame("Inner"));
  EXPECT_EQ(loose->GetLayouter()->GetParentFrame(), nullptr);
  EXPECT_EQ(deep->GetLayouter()->GetParentFrame(), nullptr) << "the plain folder has no frame";

  delete loose;
  EXPECT_EQ(client_->GetClientObjectsList(),
            (oxStlVector<ClientObject*>{inInner, inProject, besidePlain}));
}

TEST_F(ClientObjectTest, ActivationSwitchesDocumentLabelFrameAndProfileInOrder) {
  auto* p1 = Make<Project>("P1");
  auto* folder = Make<ClientFolder>(p1, "CF");
  ClientObject* a = MakeDocument(folder, "A");
  ClientObject* b = MakeDocument(folder, "B");
  a->SetProfile("A");
  b->SetProfile("B");
  b->SetProfile("Unknown");
  EXPECT_EQ(b->GetProfile(), GetProfile("B")) << "a name the client does not know is ignored";
  oxListener<> listener;
  Watch(a, &listener);
  Watch(b, &listener);

  // Another project's page is in front until A is activated.
  Make<Project>("P2");
  EXPECT_EQ(stack_->VisibleWidget(), FindFrame("P2"));
  Take();

  a->Activate();
  EXPECT_EQ(Take(), (Log{"A bold", "A frame", "profile A", "A activated"}));
  EXPECT_EQ(Manager()->GetActiveClientObject(), a);
  EXPECT_EQ(oxt::CurrentObjects::Get()->GetCurrentObject(), a);
  EXPECT_EQ(Visible(MenuBar()), (Log{"File", "Alpha"}));
  EXPECT_EQ(stack_->VisibleWidget(), FindFrame("P1"));
  Settle();
  EXPECT_TRUE(a->GetLayouter()->isVisible()) << "its tab is in front";
  EXPECT_FALSE(b->GetLayouter()->isVisible());

  // The previous document is deactivated first, then the label moves, the
  // frame comes forward, the profile switches and the new one reports.
  b->Activate();
  EXPECT_EQ(Take(),
            (Log{"A deactivated", "A normal", "B bold", "B frame", "profile B", "B activated"}));
  EXPECT_EQ(Manager()->GetActiveClientObject(), b);
  EXPECT_EQ(Visible(MenuBar()), (Log{"File", "Beta"}));
  EXPECT_FALSE(GetProfile("A")->IsActive());
  EXPECT_TRUE(GetProfile("Base")->IsActive());
  Settle();
  EXPECT_TRUE(b->GetLayouter()->isVisible());
  EXPECT_FALSE(a->GetLayouter()->isVisible());
  EXPECT_EQ(uiLayoutFrameEx::m_pActiveInstance, b->GetLayouter())
      << "selecting the project on the way keeps the document's frame active";

  // Again: the same document is deactivated and activated; its profile
  // stays in force.
  listener.DisconnectAllSignals();
  oxListener<> again;
  b->OnActivate().Connect(&again, [this](ClientObject*) { log_.push_back("B activated"); });
  b->OnDeactivate().Connect(&again, [this](ClientObject*) { log_.push_back("B deactivated"); });
  b->Activate();
  EXPECT_EQ(Take(), (Log{"B deactivated", "profile B", "B activated"}));
  EXPECT_EQ(fwg::ProfileManager::Get()->GetActiveProfile(), GetProfile("B"));
  EXPECT_TRUE(GetProfile("B")->IsActive());
  EXPECT_EQ(Font(b), "bold");

  // A document without a profile still becomes the active one.
  ClientObject* plain = MakeDocument(folder, "Plain");
  plain->Activate();
  EXPECT_EQ(Manager()->GetActiveClientObject(), plain);
  EXPECT_EQ(Visible(MenuBar()), (Log{"File", "Beta"})) << "no profile, no switch";
}

TEST_F(ClientObjectTest, ActivatingTheFrameOfAnotherDocumentSelectsIt) {
  auto* project = Make<Project>("P");
  auto* folder = Make<ClientFolder>(project, "CF");
  ClientObject* a = MakeDocument(folder, "A");
  ClientObject* b = MakeDocument(folder, "B");
  a->Activate();

  std::vector<oxStlVector<oxt::Object*>> selections;
  oxListener<> listener;
  oxt::Model::Get()->OnObjectsSelected().Connect(
      &listener, [&](const oxStlVector<oxt::Object*>& objects) { selections.push_back(objects); });

  // A click into B's frame, as the user makes it.
  Frame* frame = b->GetLayouter();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), frame->mapToGlobal(QPointF(3, 3)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame, &press);
  ASSERT_FALSE(selections.empty());
  EXPECT_EQ(selections.front(), (oxStlVector<oxt::Object*>{b}));
  EXPECT_EQ(Manager()->GetActiveClientObject(), a) << "selecting is not activating";

  // The active document's frame selects nothing of its own.
  selections.clear();
  a->GetLayouter()->Activate();
  for (const auto& selection : selections) {
    EXPECT_EQ(std::count(selection.begin(), selection.end(), a), 0);
  }
}

TEST_F(ClientObjectTest, CopyDuplicatesTheSubtreeAndLeavesTheOriginal) {
  auto* project = Make<Project>("P");
  auto* folder = Make<ClientFolder>(project, "CF");
  ClientObject* original = MakeDocument(folder, "Original");
  original->SetProfile("B");
  oxt::Property colour("Colour", oxt::Variant("blue"));
  original->SetProperty(colour);
  auto* notes = Make<Folder>(original, "Notes");
  oxt::Property count("Count", oxt::Variant(3));
  notes->SetProperty(count);
  original->Activate();
  GetProfile("A")->Activate();

  auto* target = Make<ClientFolder>(project, "Target");
  auto* copy = ClientObject::Cast(original->Copy(target));
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, original);
  EXPECT_EQ(copy->GetParent(), target);
  EXPECT_EQ(copy->GetName(), "Original");
  EXPECT_EQ(copy->GetLayouter()->GetParentFrame(), FindFrame("Target"));
  EXPECT_EQ(copy->GetClient(), client_);
  EXPECT_EQ(copy->GetProfile(), GetProfile("B"));
  EXPECT_EQ(fwg::ProfileManager::Get()->GetActiveProfile(), GetProfile("B"));
  EXPECT_EQ(copy->oxt::Object::GetProperty("Colour").GetValue().GetString(), "blue");
  ASSERT_EQ(copy->GetChildren().size(), 1u);
  oxt::Object* notesCopy = copy->GetChildren().front();
  EXPECT_NE(notesCopy, notes);
  EXPECT_EQ(notesCopy->ClassName(), Folder::S_ClassName());
  EXPECT_EQ(notesCopy->GetName(), "Notes");
  EXPECT_EQ(notesCopy->GetProperty("Count").GetValue().GetInteger(), 3);
  // The client's New() activated the copy, then the copy took every
  // property of the source, "@Font" included.
  EXPECT_EQ(Manager()->GetActiveClientObject(), copy);
  EXPECT_EQ(Font(copy), "normal");
  EXPECT_EQ(Font(original), "normal");

  EXPECT_EQ(original->GetParent(), folder);
  EXPECT_EQ(original->GetChildren(), (oxStlVector<oxt::Object*>{notes}));
  EXPECT_EQ(notes->GetProperty("Count").GetValue().GetInteger(), 3);
  EXPECT_EQ(original->oxt::Object::GetProperty("Colour").GetValue().GetString(), "blue");
  EXPECT_EQ(target->GetChildren(), (oxStlVector<oxt::Object*>{copy}));

  // A client folder copies its documents into the new folder through the
  // client, with their own subtrees.
  auto* folderCopy = folder->Copy(project);
  ASSERT_NE(folderCopy, nullptr);
  auto copies = folderCopy->GetChildren({}, ClientObject::S_ClassName(), false, true);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies.front()->GetName(), "Original");
  EXPECT_EQ(copies.front()->GetChildren({}, Folder::S_ClassName(), false, true).size(), 1u);
  EXPECT_EQ(folder->GetChildren().size(), 1u);

  // Refused: a copy into itself, and a client whose New() makes nothing.
  const int made = client_->made;
  testing::internal::CaptureStderr();
  EXPECT_EQ(original->Copy(notes), nullptr);
  auto* idle = new IdleClient;
  ClientObject* idleDocument = MakeDocument(folder, "Idle");
  idleDocument->SetClient(idle);
  EXPECT_EQ(idleDocument->Copy(target), nullptr);
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 2) << errors;
  EXPECT_EQ(errors.rfind("fwg: ", 0), 0u) << errors;
  EXPECT_EQ(client_->made, made);
  EXPECT_EQ(notes->GetChildren().size(), 0u);
  EXPECT_EQ(target->GetChildren().size(), 1u);
}

TEST_F(ClientObjectTest, DeletingTheActiveDocumentLeavesNoActivePointer) {
  auto* project = Make<Project>("P");
  auto* folder = Make<ClientFolder>(project, "CF");
  ClientObject* a = MakeDocument(folder, "A");
  ClientObject* b = MakeDocument(folder, "B");
  a->SetProfile("A");
  a->Activate();
  QPointer<Frame> layouter = a->GetLayouter();

  a->Delete();
  EXPECT_EQ(Manager()->GetActiveClientObject(), nullptr);
  EXPECT_TRUE(layouter.isNull());
  EXPECT_EQ(client_->GetClientObjectsList(), (oxStlVector<ClientObject*>{b}));
  EXPECT_EQ(FindFrame("CF")->GetViews(), (oxStlVector<uiWidget*>{b->GetLayouter()}));

  // Later activations find no previous document to deactivate.
  int deactivations = 0;
  oxListener<> listener;
  b->OnDeactivate().Connect(&listener, [&](ClientObject*) { ++deactivations; });
  b->Activate();
  EXPECT_EQ(Manager()->GetActiveClientObject(), b);
  EXPECT_EQ(deactivations, 0);

  // Deleted silently, and with its folder.
  delete b;
  EXPECT_EQ(Manager()->GetActiveClientObject(), nullptr);
  ClientObject* c = MakeDocument(folder, "C");
  c->Activate();
  folder->Delete();
  EXPECT_EQ(Manager()->GetActiveClientObject(), nullptr);
  EXPECT_TRUE(client_->GetClientObjectsList().empty());
  MakeDocument(project, "D")->Activate();
  EXPECT_EQ(Manager()->GetActiveClientObject()->GetName(), "D");
}

TEST_F(ClientObjectTest, DocumentsMayOutliveTheApplicationObject) {
  auto* project = Make<Project>("P");
  auto* folder = Make<ClientFolder>(project, "CF");
  ClientObject* framed = MakeDocument(folder, "Framed");
  framed->SetProfile("A");
  framed->Activate();
  // Without a framed parent the layouter stays a child of the main window.
  ClientObject* loose = MakeDocument(nullptr, "Loose");
  QPointer<Frame> framedLayouter = framed->GetLayouter();
  QPointer<Frame> looseLayouter = loose->GetLayouter();

  delete gui_;
  gui_ = nullptr;
  EXPECT_TRUE(looseLayouter.isNull()) << "went with the main window";
  EXPECT_EQ(loose->GetLayouter(), nullptr);
  EXPECT_EQ(framed->GetClient(), nullptr) << "the client went with the client manager";
  EXPECT_EQ(framed->GetProfile(), nullptr);

  delete loose;
  project->Delete();
  EXPECT_TRUE(framedLayouter.isNull());
}

}  // namespace
