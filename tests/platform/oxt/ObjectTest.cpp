#include <gtest/gtest.h>

#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "platform/oxt/Object.h"
#include "tests/platform/oxt/TestClasses.h"

using oxttest::Doc;
using oxttest::Folder;
using oxttest::Project;

namespace {

oxString Names(const oxStlVector<oxt::Object*>& objects) {
  oxString out;
  for (const oxt::Object* o : objects) out += (out.empty() ? "" : ",") + o->GetName();
  return out;
}

// Records what a model announces, in a form that shows the arguments.
struct Recorder : oxListener<> {
  explicit Recorder(oxt::Model* model) {
    model->OnObjectCreated().Connect(this, &Recorder::Created);
    model->OnPropertyChanged().Connect(this, &Recorder::Changed);
    model->OnObjectsDeleted().Connect(this, &Recorder::Deleted);
    model->OnObjectsSelected().Connect(this, &Recorder::Selected);
  }
  void Created(oxt::Object* o) {
    const oxt::Object* parent = o->GetParent();
    events.push_back("created " + o->GetName() + " in " + (parent ? parent->GetName() : "-"));
  }
  void Changed(oxt::Object* o, oxt::Property& p) {
    oxString value = p.GetValue().GetString();
    if (p.GetValue().GetType() == oxVariant::Type::Pointer) {
      const auto* target = static_cast<oxt::Object*>(p.GetValue().GetPointer());
      value = target ? "->" + target->GetName() : "->null";
    }
    events.push_back("changed " + o->GetName() + " " + p.GetName() + "=" + value);
  }
  // Reads every object's parent to prove the objects are still intact.
  void Deleted(const oxStlVector<oxt::Object*>& objects) {
    oxString out;
    for (const oxt::Object* o : objects) out += " " + o->GetName() + "<" + o->GetParent()->GetName();
    events.push_back("deleted" + out);
  }
  void Selected(const oxStlVector<oxt::Object*>& objects) {
    events.push_back("selected " + Names(objects));
  }
  oxStlVector<oxString> events;
};

class Tracked : public Doc {
 public:
  Tracked(oxt::Object* parent, const oxString& name, oxStlVector<oxString>* gone)
      : Doc(parent, name), gone_(gone) {}
  ~Tracked() override { gone_->push_back(GetName()); }

 private:
  oxStlVector<oxString>* gone_;
};

// Every test builds below a sandbox in the default model's tree.
class ObjectModel : public ::testing::Test {
 protected:
  void SetUp() override {
    oxttest::RegisterTestClasses();
    sandbox_ = new oxt::Object(oxt::Model::Get()->GetRoot(), "sandbox");
  }
  void TearDown() override {
    delete sandbox_;
    oxt::CurrentObjects::Get()->SetCurrentObject(nullptr);
    oxt::Model::Get()->SetSelection({});
  }
  oxt::Object* sandbox_ = nullptr;
};

TEST_F(ObjectModel, DeletingAnObjectDeletesItsSubtreeSilentlyAndLeavesItsParent) {
  oxStlVector<oxString> gone;
  auto* project = new Project(sandbox_, "P");
  auto* folder = new Tracked(project, "F", &gone);
  new Tracked(folder, "d1", &gone);
  new Tracked(new Tracked(folder, "d2", &gone), "d3", &gone);
  auto* sibling = new Doc(project, "S");
  Recorder recorder(oxt::Model::Get());

  delete folder;

  EXPECT_EQ(gone, (oxStlVector<oxString>{"F", "d1", "d2", "d3"}));
  EXPECT_EQ(project->GetChildren(), oxStlVector<oxt::Object*>{sibling});
  EXPECT_TRUE(recorder.events.empty());
}

TEST_F(ObjectModel, CurrentObjectOfAClassWalksUpAndFallsBackToTheParentOnDestruction) {
  auto* project = new Project(sandbox_, "P");
  auto* folder = new Folder(project, "F");
  auto* doc = new Doc(folder, "D");
  auto* current = oxt::CurrentObjects::Get();
  current->SetCurrentObject(doc);

  EXPECT_EQ(oxt::Object::GetCurrentObjectFromType("test::Folder"), folder);
  EXPECT_EQ(oxt::Object::GetCurrentObjectFromType("test::Project"), project);
  EXPECT_EQ(oxt::Object::GetCurrentObjectFromType("oxt::Object"), doc);
  EXPECT_EQ(oxt::Object::GetCurrentObjectFromType("test::Unknown"), nullptr);
  // A project is a folder by its registered base.
  current->SetCurrentObject(project);
  EXPECT_EQ(current->GetCurrentObject("test::Folder"), project);

  current->SetCurrentObject(doc);
  delete doc;
  EXPECT_EQ(current->GetCurrentObject(), folder);

  // The parent is going too: nothing of the dying subtree stays current.
  auto* inner = new Doc(new Folder(folder, "G"), "E");
  current->SetCurrentObject(inner);
  delete inner->GetParent();
  EXPECT_EQ(current->GetCurrentObject(), nullptr);
}

TEST_F(ObjectModel, ClassesAreRelatedThroughRegisteredBaseNames) {
  auto* project = new Project(sandbox_, "P");
  auto* folder = new Folder(project, "F");
  auto* doc = new Doc(folder, "D");

  EXPECT_TRUE(project->IsA("test::Folder"));
  EXPECT_TRUE(project->IsA("oxt::Object"));
  EXPECT_FALSE(folder->IsA("test::Project"));
  EXPECT_FALSE(doc->IsA("test::Folder"));
  EXPECT_TRUE(sandbox_->IsA("oxt::Object"));

  EXPECT_EQ(doc->GetParent(), folder);
  EXPECT_EQ(doc->GetParent("test::Folder"), folder);
  EXPECT_EQ(doc->GetParent("test::Project"), project);
  EXPECT_EQ(project->GetParent("test::Project"), nullptr);  // itself does not count

  EXPECT_EQ(Names(sandbox_->GetChildren({}, "test::Folder", true, true)), "P,F");
  EXPECT_EQ(Names(sandbox_->GetChildren({}, "test::Folder", true, false)), "F");
  EXPECT_EQ(Names(sandbox_->GetChildren({}, {}, false, false)), "P");
  EXPECT_EQ(Names(sandbox_->GetChildren("D", {}, true, true)), "D");
}

TEST_F(ObjectModel, RegistryCreatesByNameAndSurvivesCyclesAndShadowing) {
  ASSERT_NE(oxt::ClassInfo::GetClassInfo("oxt::Object"), nullptr);
  EXPECT_EQ(oxt::ClassInfo::GetClassInfo("test::Nowhere"), nullptr);

  oxt::Object* made = oxt::ClassInfo::GetClassInfo("test::Project")->Create(sandbox_);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->ClassName(), "test::Project");
  EXPECT_EQ(made->GetParent(), sandbox_);

  oxt::ClassInfo a("test::CycleA");
  oxt::ClassInfo b("test::CycleB");
  a.AddBase("test::CycleB");
  b.AddBase("test::CycleA");
  EXPECT_TRUE(a.IsA("test::CycleB"));
  EXPECT_FALSE(a.IsA("test::Elsewhere"));
  EXPECT_EQ(a.Create(sandbox_), nullptr);  // no constructor

  {
    oxt::ClassInfo shadow("test::Doc");
    EXPECT_EQ(oxt::ClassInfo::GetClassInfo("test::Doc"), &shadow);
  }
  EXPECT_NE(oxt::ClassInfo::GetClassInfo("test::Doc"), nullptr);
  EXPECT_EQ(oxt::ClassInfo::GetClassInfo("test::Doc")->GetConstructor() != nullptr, true);
}

TEST_F(ObjectModel, PropertiesAnswerDefaultsAndStoredValues) {
  auto* doc = new Doc(sandbox_, "D");
  Recorder recorder(oxt::Model::Get());
  oxt::Property menu("@ContextMenu");
  menu.AddValue("A:Earlier");
  EXPECT_TRUE(doc->GetProperty(menu));
  EXPECT_EQ(menu.GetValueList(), oxStlVector<oxt::Variant>{"A:Earlier"});
  EXPECT_TRUE(doc->oxt::Object::GetProperty("@Persistable").GetValue().GetBoolean());
  EXPECT_TRUE(doc->oxt::Object::GetProperty("@OkToDrop").GetValue().GetBoolean());
  oxt::Property unknown("Colour");
  EXPECT_FALSE(doc->GetProperty(unknown));

  oxt::Property size("Size", 3);
  size.AddValue(1);
  size.SetEditorName("SpinBox");
  doc->AddProperty(size);
  doc->AddProperty(oxt::Property("@Persistable", false));
  doc->AddProperty(oxt::Property("Size", 4));  // replaces in place
  EXPECT_TRUE(recorder.events.empty());
  EXPECT_EQ(doc->GetPropertyNames(), (oxStlVector<oxString>{"Name", "Size", "@Persistable"}));
  EXPECT_FALSE(doc->oxt::Object::GetProperty("@Persistable").GetValue().GetBoolean());
  const oxt::Property stored = doc->oxt::Object::GetProperty("Size");
  EXPECT_EQ(stored.GetValue(), oxt::Variant(4));
  EXPECT_TRUE(stored.GetValueList().empty());
}

TEST_F(ObjectModel, ChangesAreAnnouncedWithTheObjectAndTheNewValue) {
  auto* project = new Project(sandbox_, "P");
  auto* folder = new Folder(project, "F");
  auto* doc = new Doc(folder, "D");
  Recorder recorder(oxt::Model::Get());

  doc->EmitCreated();
  oxt::Property rename("Name", "Doc");
  EXPECT_TRUE(doc->SetProperty(rename));
  oxt::Property layout("Layout", 4);
  EXPECT_TRUE(folder->SetProperty(layout));
  oxt::Property move("@Parent", oxt::Variant(project));
  EXPECT_TRUE(doc->SetProperty(move));
  EXPECT_EQ(doc->GetParent(), project);
  EXPECT_EQ(project->GetChildren().back(), doc);
  EXPECT_TRUE(folder->GetChildren().empty());

  // Refused moves change nothing and say nothing.
  oxt::Property toNull("@Parent", oxt::Variant(static_cast<oxt::Object*>(nullptr)));
  oxt::Property intoItself("@Parent", oxt::Variant(folder));
  EXPECT_FALSE(doc->SetProperty(toNull));
  EXPECT_FALSE(project->SetProperty(intoItself));
  EXPECT_EQ(project->GetParent(), sandbox_);

  EXPECT_EQ(recorder.events, (oxStlVector<oxString>{
                                 "created D in F",
                                 "changed Doc Name=Doc",
                                 "changed F Layout=4",
                                 "changed Doc @Parent=->P",
                             }));
}

TEST_F(ObjectModel, DeleteAnnouncesTheIntactSubtreeInPreorderAndSelectionFollows) {
  auto* project = new Project(sandbox_, "P");
  auto* folder = new Folder(project, "F");
  auto* first = new Doc(folder, "d1");
  new Doc(first, "d1a");
  auto* second = new Doc(folder, "d2");
  Recorder recorder(oxt::Model::Get());

  first->EmitSelected();
  second->EmitSelected();
  oxt::Model::Get()->SetSelection({first, second});
  second->EmitUnselected();
  second->EmitUnselected();  // not selected any more: nothing to say
  oxt::Model::Get()->SetSelection({first, second});
  folder->Delete();

  EXPECT_EQ(project->GetChildren().size(), 0u);
  EXPECT_TRUE(oxt::Model::Get()->GetSelection().empty());
  EXPECT_EQ(recorder.events, (oxStlVector<oxString>{
                                 "selected d1",
                                 "selected d2",
                                 "selected d1,d2",
                                 "selected d1",
                                 "selected d1,d2",
                                 "deleted F<P d1<F d1a<d1 d2<F",
                             }));
}

TEST_F(ObjectModel, CopyDuplicatesClassPropertiesAndChildren) {
  auto* project = new Project(sandbox_, "P");
  auto* folder = new Folder(project, "F");
  folder->AddProperty(oxt::Property("Layout", 3));
  auto* doc = new Doc(folder, "D");
  doc->AddProperty(oxt::Property("Path", "a/b"));
  auto* target = new Project(sandbox_, "Q");
  Recorder recorder(oxt::Model::Get());

  oxt::Object* copy = folder->Copy(target);

  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(oxttest::DumpTree(copy), oxttest::DumpTree(folder));
  EXPECT_EQ(copy->GetParent(), target);
  EXPECT_EQ(copy->GetChildren()[0]->ClassName(), "test::Doc");
  EXPECT_EQ(recorder.events, (oxStlVector<oxString>{
                                 "changed F Name=F",
                                 "changed F Layout=3",
                                 "created F in Q",
                                 "changed D Name=D",
                                 "changed D Path=a/b",
                                 "created D in F",
                             }));
  EXPECT_EQ(folder->Copy(doc), nullptr);  // not into its own subtree
}

TEST_F(ObjectModel, ObjectsReportToTheModelOfTheirTree) {
  oxt::Model* other = oxt::Model::Get("other");
  ASSERT_NE(other, oxt::Model::Get());
  auto* inOther = new Doc(other->GetRoot(), "X");
  auto* loose = new Doc(nullptr, "L");
  Recorder otherRecorder(other);
  Recorder defaultRecorder(oxt::Model::Get());

  EXPECT_EQ(inOther->GetModel(), other);
  EXPECT_EQ(loose->GetModel(), oxt::Model::Get());
  inOther->EmitCreated();
  loose->EmitCreated();
  EXPECT_EQ(otherRecorder.events, oxStlVector<oxString>{"created X in other"});
  EXPECT_EQ(defaultRecorder.events, oxStlVector<oxString>{"created L in -"});
  delete inOther;
  delete loose;
}

}  // namespace
