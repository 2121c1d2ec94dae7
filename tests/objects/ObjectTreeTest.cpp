#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Folder.h"
#include "fwg/objects/Project.h"
#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "tests/support/TestBasics.h"

namespace {

using fwg::ClientFolder;
using fwg::Folder;
using fwg::Project;

// A document as the object model sees it: only its class name matters to
// folders.
class Document : public oxt::Object {
 public:
  using oxt::Object::Object;
  oxString ClassName() const override { return "fwg::ClientObject"; }
};

// Projects live under the default model's root, which outlives the test:
// every project made here is deleted again.
class ObjectTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Root()->GetChildren({}, Project::S_ClassName(), true, true).empty())
        << "a previous test left a project behind";
  }
  void TearDown() override {
    oxt::CurrentObjects::Get()->SetCurrentObject(nullptr);
    projects_.clear();
  }
  static oxt::Object* Root() { return oxt::Model::Get()->GetRoot(); }
  Project* MakeProject(const oxString& name) {
    projects_.push_back(std::make_unique<Project>(name));
    return projects_.back().get();
  }
  static std::vector<oxString> ContextMenu(oxt::Object* object) {
    oxt::Property p("@ContextMenu");
    EXPECT_TRUE(object->GetProperty(p));
    std::vector<oxString> entries;
    for (const oxt::Variant& v : p.GetValueList()) entries.push_back(v.GetString());
    return entries;
  }

  std::vector<std::unique_ptr<Project>> projects_;
};

TEST_F(ObjectTreeTest, ClassesAreRegisteredAtLoadWithTheirBasesAndOnlyOnce) {
  struct Expected { oxt::ClassInfo* info; const char *name, *base; };
  const Expected classes[] = {
      {Folder::s_classInfo, "fwg::Folder", "oxt::Object"},
      {ClientFolder::s_classInfo, "fwg::ClientFolder", "fwg::Folder"},
      {Project::s_classInfo, "fwg::Project", "fwg::ClientFolder"},
  };
  Project* project = MakeProject("P");
  for (const Expected& c : classes) {
    ASSERT_NE(c.info, nullptr) << c.name;
    EXPECT_EQ(oxt::ClassInfo::GetClassInfo(c.name), c.info);
    EXPECT_EQ(c.info->GetBases(), (oxStlVector<oxString>{c.base}));
    // The registry makes each class by name, unnamed, below the parent.
    oxt::Object* made = c.info->Create(project);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassName() + "'" + made->GetName() + "'", c.name + std::string("''"));
    EXPECT_EQ(made->GetParent(), project);
  }

  int announced = 0;
  oxListener<> listener;
  oxt::ClassInfo::OnClassInfoAdded().Connect(&listener, [&](oxt::ClassInfo*) { ++announced; });
  EXPECT_EQ((std::vector{Folder::Register(), ClientFolder::Register(), Project::Register()}),
            (std::vector{classes[0].info, classes[1].info, classes[2].info}));
  EXPECT_EQ(announced, 0);
}

// How parents are found by class is the object model's; what is the folder
// classes' own is their casts and current objects.
TEST_F(ObjectTreeTest, CastsTypesAndCurrentObjectsWorkAcrossTheTree) {
  // P / C1 / F / C2 / D, plus a plain object beside C1.
  Project* project = MakeProject("P");
  auto* outer = new ClientFolder(project, "C1");
  auto* folder = new Folder(outer, "F");
  auto* inner = new ClientFolder(folder, "C2");
  auto* doc = new Document(inner, "D");
  auto* plain = new oxt::Object(project, "Plain");

  using Objects = std::vector<oxt::Object*>;
  EXPECT_EQ((Objects{ClientFolder::Cast(project), Folder::Cast(project), Project::Cast(outer),
                     ClientFolder::Cast(folder), Folder::Cast(plain), Project::Cast(nullptr)}),
            (Objects{project, project, nullptr, nullptr, nullptr, nullptr}));

  // The current folder, client folder and project, from each current object.
  Document loose(nullptr, "Loose");
  const struct {
    oxt::Object* current;
    Objects found;
  } cases[] = {{doc, {inner, inner, project}}, {folder, {folder, outer, project}}, {&loose, {}}};
  for (const auto& c : cases) {
    oxt::CurrentObjects::Get()->SetCurrentObject(c.current);
    Objects found = {Folder::GetCurrentObject(), ClientFolder::GetCurrentObject(), Project::GetCurrentObject()};
    EXPECT_EQ(found, c.found.empty() ? Objects(3, nullptr) : c.found) << c.current->GetName();
  }
  oxt::CurrentObjects::Get()->SetCurrentObject(nullptr);

  // The type list names the client folder class, even for projects.
  EXPECT_EQ(project->GetTypes(), (oxStlVector<oxString>{"fwg::ClientFolder"}));
}

TEST_F(ObjectTreeTest, LayoutIsAPropertyThatAlwaysAnnouncesItsChange) {
  Project* project = MakeProject("P");
  auto* folder = new ClientFolder(project, "C");
  EXPECT_EQ(folder->GetPropertyNames().back(), "Layout");

  oxt::Property layout("Layout");
  EXPECT_TRUE(project->GetProperty(layout));
  EXPECT_EQ(layout.GetEditorName() + std::to_string(layout.GetValue().GetInteger()), "LayoutEditor0");

  std::vector<std::pair<oxt::Object*, int>> changes;
  oxListener<> listener;
  oxt::Model::Get()->OnPropertyChanged().Connect(&listener, [&](oxt::Object* o, oxt::Property& p) {
        if (p.GetName() == "Layout") changes.emplace_back(o, p.GetValue().GetInteger());
      });
  oxt::Property four("Layout", 4);
  EXPECT_TRUE(folder->SetProperty(four));
  EXPECT_TRUE(folder->SetProperty(four));  // the same value lays out again
  EXPECT_EQ(changes, (std::vector<std::pair<oxt::Object*, int>>{{folder, 4}, {folder, 4}}));

  // Other names are the object model's; a copy made by class name keeps
  // the layout.
  oxt::Property colour("Colour", "red");
  EXPECT_TRUE(folder->SetProperty(colour));
  oxt::Object* copy = folder->Copy(project);
  ASSERT_NE(ClientFolder::Cast(copy), nullptr);
  EXPECT_EQ(copy->GetProperty("Layout").GetValue().GetInteger(), 4);
  EXPECT_EQ(copy->GetProperty("Colour").GetValue().GetString(), "red");
}

TEST_F(ObjectTreeTest, ContextMenusOfferDeletingOnlyAnEmptyProjectThatIsNotAlone) {
  Project* first = MakeProject("First");
  auto* folder = new ClientFolder(first, "C");
  EXPECT_EQ(ContextMenu(folder), (std::vector<oxString>{"S:", "P:Layout"}));
  // Empty and alone: no delete entry.
  Project* lone = MakeProject("Lone");
  projects_.erase(projects_.begin());
  EXPECT_EQ(ContextMenu(lone), (std::vector<oxString>{"A:File.SaveSession", "S:", "P:Layout"}));

  Project* second = MakeProject("Second");
  EXPECT_EQ(ContextMenu(lone), (std::vector<oxString>{"A:File.SaveSession", "A:Fwg_Context_Delete", "S:",
                                                       "P:Layout"}));
  new ClientFolder(second, "Child");
  EXPECT_EQ(ContextMenu(second), (std::vector<oxString>{"A:File.SaveSession", "S:", "P:Layout"}));
}

TEST_F(ObjectTreeTest, DragAndDropAnswers) {
  Project* project = MakeProject("P");
  auto *folder = new ClientFolder(project, "C"), *other = new ClientFolder(project, "Other");
  auto* doc = new Document(other, "D");
  auto* plain = new oxt::Object(other, "Plain");
  // Whether the object answers, and its answer.
  auto ask = [](oxt::Object* o, oxt::Property p) {
    const bool answered = o->GetProperty(p);
    return std::pair(answered, p.GetValue().GetBoolean());
  };
  EXPECT_EQ(ask(project, oxt::Property("@OkToDrag")), std::pair(false, false));
  EXPECT_EQ(ask(folder, oxt::Property("@OkToDrag")), std::pair(true, true));
  EXPECT_EQ(ask(project, oxt::Property("@NoDuplicateChildNames")), std::pair(true, true));

  // One object of another class spoils the drop and leaves the value alone.
  oxt::Property mixed("@OkToDrop", "untouched");
  mixed.AddValue(doc);
  mixed.AddValue("not an object");
  mixed.AddValue(plain);
  EXPECT_FALSE(folder->GetProperty(mixed));
  EXPECT_EQ(mixed.GetValue().GetString(), "untouched");

  // Documents, client folders and projects: the object model decides.
  oxt::Property fitting("@OkToDrop");
  for (oxt::Object* o : std::initializer_list<oxt::Object*>{doc, other, project}) fitting.AddValue(o);
  EXPECT_EQ(ask(folder, fitting), std::pair(true, true));
}

TEST_F(ObjectTreeTest, ActivatingADocumentThroughAFolderOnlyReportsTheMisuse) {
  Project* project = MakeProject("P");
  testing::internal::CaptureStdout();
  project->Activate(nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "SHOULD NOT BE HERE\n");
  EXPECT_TRUE(project->GetChildren().empty());
}

}  // namespace
