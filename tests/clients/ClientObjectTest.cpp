#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QAbstractButton>
#include <QDockWidget>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabBar>
#include <memory>

#include "fwg/clients/ClientManager.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/ProjectTree.h"
#include "tests/support/DescribeTree.h"
#include "tests/support/DocumentClient.h"
#include "tests/support/TestBasics.h"
#include "tests/support/Visible.h"
#include "tests/support/WithProjects.h"

namespace {

using fwg::ClientFolder;
using fwg::ClientObject;
using fwg::Folder;
using fwg::Project;
using Frame = uiLayoutFrameEx;
using Log = std::vector<std::string>;

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

std::string Font(oxt::Object* object) {
  return object->oxt::Object::GetProperty("@Font").GetValue().GetString();
}

// Starts with the project "P" holding the client folder "CF", and a client
// with the profiles A and B on a common base: a switch touches only their
// menus.
class ClientObjectTest : public WithProjects {
 protected:
  void SetUp() override {
    WithProjects::SetUp();
    Window()->Show();
    client_ = new DocumentClient;  // owned by the client manager, the profiles by the client
    client_->AddProfile(new LoggedProfile("Base", "", "File", &log_));
    client_->AddProfile(new LoggedProfile("A", "Base", "Alpha", &log_));
    client_->AddProfile(new LoggedProfile("B", "Base", "Beta", &log_));
    project_ = Make<Project>("P");
    folder_ = Make<ClientFolder>(project_, "CF");
  }

  ClientObject* MakeDocument(oxt::Object* folder, const oxString& name) {
    SetCurrent(folder);
    return new ClientObject(client_, name, true);
  }
  // Frames re-tiled in a shown window show their new panes from the event
  // loop.
  static void Settle() { QCoreApplication::processEvents(); }
  static ClientObject* Active() { return fwg::ClientManager::Get()->GetActiveClientObject(); }
  Strings Menus() const { return Visible(Window()->menuBar()); }
  fwg::Profile* GetProfile(const oxString& name) const { return client_->GetProfile(name); }
  Log Take() { return std::exchange(log_, {}); }
  // Logs the document's signals, its "@Font" changes and its frame's
  // activation.
  void Watch(ClientObject* document, oxListenerBase* listener) {
    const std::string name = document->GetName();
    auto add = [this, name](const std::string& what) { log_.push_back(name + " " + what); };
    document->OnActivate().Connect(listener, [add](ClientObject*) { add("activated"); });
    document->OnDeactivate().Connect(listener, [add](ClientObject*) { add("deactivated"); });
    auto* model = oxt::Model::Get();
    model->OnPropertyChanged().Connect(listener, [add, document](oxt::Object* o, oxt::Property& p) {
      if (o == document && p.GetName() == "@Font") add(p.GetValue().GetString());
    });
    document->GetLayouter()->OnActivate().Connect(listener, [add](Frame*) { add("frame"); });
  }

  Log log_;
  DocumentClient* client_ = nullptr;
  Project* project_ = nullptr;
  ClientFolder* folder_ = nullptr;
};

TEST_F(ClientObjectTest, DocumentsTakeTheirPlaceInTheTreeAndItsFrames) {
  auto* inner = Make<ClientFolder>(folder_, "Inner");
  auto* plain = Make<Folder>(folder_, "Plain");

  // The client constructor goes to the nearest client folder or project
  // above the current object (a plain folder is none), and nowhere without.
  ClientObject *inInner = MakeDocument(inner, "InInner"), *inProject = MakeDocument(project_, "InProject");
  ClientObject *besidePlain = MakeDocument(plain, "BesidePlain"), *loose = MakeDocument(nullptr, "Loose");
  std::vector<oxt::Object*> parents;
  for (ClientObject* d : {inInner, inProject, besidePlain, loose}) parents.push_back(d->GetParent());
  EXPECT_EQ(parents, (std::vector<oxt::Object*>{inner, project_, folder_, nullptr}));

  auto* deep = new ClientObject(plain, "Deep", true);
  SetCurrent(deep);
  EXPECT_EQ((std::vector<ClientObject*>{ClientObject::Cast(folder_), ClientObject::GetCurrentObject()}),
            (std::vector<ClientObject*>{nullptr, deep}));

  // The registry makes documents without a client, which start with a
  // normal label.
  ASSERT_EQ(ClientObject::Register(), ClientObject::GetClassInfo());
  auto* fromRegistry = ClientObject::Cast(ClientObject::GetClassInfo()->Create(inner));
  ASSERT_NE(fromRegistry, nullptr);
  EXPECT_EQ(Font(fromRegistry), "normal");
  fromRegistry->SetProfile("A");
  EXPECT_EQ(fromRegistry->GetProfile(), nullptr) << "no client, no profile";

  // Each layouter sits in its folder's frame; one without a framed parent
  // (the plain folder has none) stays out of the central widget.
  std::vector<Frame*> frames;
  for (ClientObject* d : {inInner, inProject, fromRegistry, loose, deep})
    frames.push_back(d->GetLayouter()->GetParentFrame());
  EXPECT_EQ(frames, (std::vector<Frame*>{FindFrame("Inner"), FindFrame("P"), FindFrame("Inner"), nullptr,
                                         nullptr}));

  delete loose;
  EXPECT_EQ(client_->GetClientObjectsList(), (oxStlVector<ClientObject*>{inInner, inProject, besidePlain}));
}

// The short way: an ordinary Qt widget as the view, owned by the document.
TEST_F(ClientObjectTest, PlainWidgetViewIsShownInItsFrameAndGoesWithTheDocument) {
  ClientObject* document = MakeDocument(folder_, "Plain");
  QPointer<QWidget> first = new QLabel("first"), second = new QLabel("second");
  document->SetView(first);
  document->SetView(second);
  EXPECT_TRUE(first.isNull()) << "a replaced view is deleted";
  EXPECT_EQ(document->GetView(), second.data());
  document->Activate();
  Settle();
  EXPECT_TRUE(second->isVisible());
  delete document;
  EXPECT_TRUE(second.isNull());
}

// The title a client gives (or its file's name) names the document in the
// window title, its tab and header and the project tree, marked while it
// has changes; a new document takes the keyboard, one made from a dock
// leaves it there.
TEST_F(ClientObjectTest, OneTitleNamesTheDocumentEverywhereAndANewOneTakesTheKeyboard) {
  auto* tree = new fwg::ProjectTree(nullptr, "Tree");
  std::unique_ptr<QWidget> owner(uiImpl(tree));
  ClientObject* document = MakeDocument(folder_, "Page");
  auto* edit = new QLineEdit;
  document->SetView(edit);
  QApplication::setActiveWindow(Window());
  document->Activate();
  EXPECT_TRUE(edit->hasFocus()) << "typing right after File > New lands in the document";
  document->SetTitle("page.txt");
  document->SetModified(true);
  const auto label = [tree, document] {
    return tree->model()->data(tree->GetIndex(document), Qt::DisplayRole).toString().toStdString();
  };
  EXPECT_EQ(document->GetLayouter()->Caption(), "page.txt*");
  EXPECT_EQ(label(), "page.txt");
  document->SetModified(false);
  EXPECT_EQ(document->GetLayouter()->Caption(), "page.txt");

  auto* console = new QDockWidget("Console", Window());
  auto* line = new QLineEdit(console);
  console->setWidget(line);
  Window()->addDockWidget(Qt::BottomDockWidgetArea, console);
  line->setFocus();
  ClientObject* made = MakeDocument(folder_, "Made");
  made->SetView(new QLineEdit);
  made->Activate();
  EXPECT_TRUE(line->hasFocus()) << "a command typed in a dock keeps the keyboard there";
}

TEST_F(ClientObjectTest, ActivationSwitchesDocumentLabelFrameAndProfileInOrder) {
  ClientObject *a = MakeDocument(folder_, "A"), *b = MakeDocument(folder_, "B");
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
  EXPECT_EQ(Active(), a);
  EXPECT_EQ(oxt::CurrentObjects::Get()->GetCurrentObject(), a);
  EXPECT_EQ(Menus(), (Log{"File", "Alpha"}));
  EXPECT_EQ(stack_->VisibleWidget(), FindFrame("P"));
  Settle();
  EXPECT_TRUE(a->GetLayouter()->isVisible()) << "its tab is in front";

  // The previous document is deactivated first, then the label moves, the
  // frame comes forward, the profile switches and the new one reports.
  b->Activate();
  EXPECT_EQ(Take(), (Log{"A deactivated", "A normal", "B bold", "B frame", "profile B", "B activated"}));
  EXPECT_EQ(Menus(), (Log{"File", "Beta"}));
  Settle();
  EXPECT_TRUE(b->GetLayouter()->isVisible());
  EXPECT_FALSE(a->GetLayouter()->isVisible());
  EXPECT_EQ(uiLayoutFrameEx::m_pActiveInstance, b->GetLayouter())
      << "selecting the project on the way keeps the document's frame active";

  // Again: the same document is deactivated and activated; its profile
  // stays in force.
  b->Activate();
  EXPECT_EQ(Take(), (Log{"B deactivated", "B normal", "B bold", "profile B", "B activated"}));

  // A document without a profile still becomes the active one.
  ClientObject* plain = MakeDocument(folder_, "Plain");
  plain->Activate();
  EXPECT_EQ(Active(), plain);
  EXPECT_EQ(Menus(), (Log{"File", "Beta"})) << "no profile, no switch";

  // None active leaves none bold.
  fwg::ClientManager::Get()->SetActiveClientObject(nullptr);
  EXPECT_EQ(Font(plain), "normal");
}

// A click into another document's frame reports it as selected, and the
// library makes a document the user selects the active one, with or
// without a tree listening; a frame activated by a call selects only.
TEST_F(ClientObjectTest, ClickingTheFrameOfAnotherDocumentSelectsAndActivatesIt) {
  ClientObject *a = MakeDocument(folder_, "A"), *b = MakeDocument(folder_, "B");
  a->Activate();

  std::vector<oxStlVector<oxt::Object*>> selections;
  oxListener<> listener;
  oxt::Model::Get()->OnObjectsSelected().Connect(
      &listener, [&](const oxStlVector<oxt::Object*>& objects) { selections.push_back(objects); });

  Frame* frame = b->GetLayouter();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), frame->mapToGlobal(QPointF(3, 3)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame, &press);
  ASSERT_FALSE(selections.empty());
  EXPECT_EQ(selections.front(), (oxStlVector<oxt::Object*>{b}));
  EXPECT_EQ(Active(), b);

  selections.clear();
  a->GetLayouter()->Activate();
  EXPECT_EQ(selections.front(), (oxStlVector<oxt::Object*>{a}));
  EXPECT_EQ(Active(), b) << "a frame activated by a call only selects";

  // Documents beyond the panes are tabs: a tab's close button closes its
  // document.
  SetLayout(folder_, 1);
  b->Activate();
  Settle();
  QTabBar* tabs = nullptr;
  for (QTabBar* bar : FindFrame("CF")->findChildren<QTabBar*>())
    if (bar->isVisible()) tabs = bar;
  ASSERT_TRUE(tabs && tabs->count() == 2);
  auto* close = tabs->tabButton(1, QTabBar::RightSide) ? tabs->tabButton(1, QTabBar::RightSide)
                                                       : tabs->tabButton(1, QTabBar::LeftSide);
  ASSERT_NE(close, nullptr);
  static_cast<QAbstractButton*>(close)->click();
  Settle();
  EXPECT_EQ(client_->GetClientObjectsList(), (oxStlVector<ClientObject*>{a}));
}

TEST_F(ClientObjectTest, CopyDuplicatesTheSubtreeAndLeavesTheOriginal) {
  ClientObject* original = MakeDocument(folder_, "Original");
  original->SetProfile("B");
  original->AddProperty(oxt::Property("Colour", oxt::Variant("blue")));
  auto* notes = Make<Folder>(original, "Notes");
  notes->AddProperty(oxt::Property("Count", oxt::Variant(3)));
  original->Activate();
  GetProfile("A")->Activate();
  const Strings before = DescribeTree(original);
  ASSERT_EQ(before.size(), 2u);

  // Class, name, client, properties and subtree, made anew.
  auto* target = Make<ClientFolder>(project_, "Target");
  auto* copy = ClientObject::Cast(original->Copy(target));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(DescribeTree(copy), before);
  EXPECT_NE(copy->GetChildren().front(), notes);
  EXPECT_EQ(copy->GetLayouter()->GetParentFrame(), FindFrame("Target"));
  EXPECT_EQ(copy->GetProfile(), GetProfile("B"));
  EXPECT_EQ(fwg::ProfileManager::Get()->GetActiveProfile(), GetProfile("B"));
  // The client's New() activated the copy, then the copy took every
  // property of the source, "@Font" included.
  EXPECT_EQ(Active(), copy);
  EXPECT_EQ(Font(copy) + "/" + Font(original), "normal/normal");
  EXPECT_EQ(DescribeTree(original), before);

  // A client folder copies its documents into the new folder through the
  // client, with their own subtrees.
  oxt::Object* folderCopy = folder_->Copy(project_);
  ASSERT_NE(folderCopy, nullptr);
  EXPECT_EQ(DescribeTree(folderCopy), DescribeTree(folder_));
  EXPECT_EQ(folder_->GetChildren().size(), 1u);

  // Refused: a copy into itself, and a client whose New() makes nothing.
  const int made = client_->made;
  ClientObject* idleDocument = MakeDocument(folder_, "Idle");
  idleDocument->SetClient(new fwg::Client("Idle"));  // its New() makes nothing
  const std::string errors = StderrOf([&] {
    EXPECT_EQ(original->Copy(notes), nullptr);
    EXPECT_EQ(idleDocument->Copy(target), nullptr);
  });
  EXPECT_EQ(CountLines(errors), 2) << errors;
  EXPECT_EQ(errors.rfind("fwg: ", 0), 0u) << errors;
  EXPECT_EQ(client_->made, made);
  EXPECT_TRUE(notes->GetChildren().empty());
  EXPECT_EQ(target->GetChildren(), (oxStlVector<oxt::Object*>{copy}));
}

TEST_F(ClientObjectTest, DeletingTheActiveDocumentLeavesNoActivePointer) {
  ClientObject *a = MakeDocument(folder_, "A"), *b = MakeDocument(folder_, "B");
  a->SetProfile("A");
  a->Activate();
  QPointer<Frame> layouter = a->GetLayouter();

  a->Delete();
  EXPECT_EQ(Active(), nullptr);
  EXPECT_TRUE(layouter.isNull());
  EXPECT_EQ(client_->GetClientObjectsList(), (oxStlVector<ClientObject*>{b}));

  // Later activations find no previous document to deactivate.
  int deactivations = 0;
  oxListener<> listener;
  b->OnDeactivate().Connect(&listener, [&](ClientObject*) { ++deactivations; });
  b->Activate();
  EXPECT_EQ(deactivations, 0);

  // Deleted silently, and with its folder.
  delete b;
  EXPECT_EQ(Active(), nullptr);
  MakeDocument(folder_, "C")->Activate();
  folder_->Delete();
  EXPECT_EQ(Active(), nullptr);
  EXPECT_TRUE(client_->GetClientObjectsList().empty());
  MakeDocument(project_, "D")->Activate();  // finds no deleted document to deactivate
  EXPECT_EQ(Active()->GetName(), "D");
}

TEST_F(ClientObjectTest, DocumentsMayOutliveTheApplicationObject) {
  ClientObject* framed = MakeDocument(folder_, "Framed");
  framed->SetProfile("A");
  framed->Activate();
  // Without a framed parent the layouter stays a child of the main window.
  ClientObject* loose = MakeDocument(nullptr, "Loose");
  QPointer<Frame> framedLayouter = framed->GetLayouter();
  QPointer<Frame> looseLayouter = loose->GetLayouter();

  delete gui_;
  gui_ = nullptr;
  EXPECT_TRUE(looseLayouter.isNull()) << "went with the main window";
  EXPECT_EQ(framed->GetClient(), nullptr) << "the client went with the client manager";
  EXPECT_EQ(framed->GetProfile(), nullptr);

  delete loose;
  project_->Delete();
  EXPECT_TRUE(framedLayouter.isNull());
}

}  // namespace
