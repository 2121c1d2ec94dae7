#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/Model.h"
#include "tests/platform/oxt/TestClasses.h"
#include "tests/support/TestBasics.h"

using oxttest::Doc;
using oxttest::Folder;
using oxttest::Project;

namespace {

using Events = oxStlVector<oxString>;

oxString Names(const oxStlVector<oxt::Object*>& objects) {
  oxString out;
  for (const oxt::Object* o : objects) out += (out.empty() ? "" : ",") + o->GetName();
  return out;
}

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
  void Selected(const oxStlVector<oxt::Object*>& objects) { events.push_back("selected " + Names(objects)); }
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

// Every test builds below a sandbox in the default model's tree, which
// starts as sandbox / P / F / D.
class ObjectModel : public ::testing::Test {
 protected:
  void SetUp() override {
    oxttest::RegisterTestClasses();
    sandbox_ = new oxt::Object(oxt::Model::Get()->GetRoot(), "sandbox");
    project_ = new Project(sandbox_, "P");
    folder_ = new Folder(project_, "F");
    doc_ = new Doc(folder_, "D");
  }
  void TearDown() override {
    delete sandbox_;
    oxt::CurrentObjects::Get()->SetCurrentObject(nullptr);
    oxt::Model::Get()->SetSelection({});
  }
  oxt::Object* sandbox_ = nullptr;
  Project* project_ = nullptr;
  Folder* folder_ = nullptr;
  Doc* doc_ = nullptr;
};

// The C++ delete is silent; Delete() announces the intact subtree first.
TEST_F(ObjectModel, DeletingIsSilentWhileDeleteAnnouncesTheIntactSubtreeAndSelectionFollows) {
  oxStlVector<oxString> gone;
  auto* doomed = new Tracked(project_, "T", &gone);
  new Tracked(doomed, "d1", &gone);
  new Tracked(new Tracked(doomed, "d2", &gone), "d3", &gone);
  Recorder recorder(oxt::Model::Get());

  delete doomed;

  EXPECT_EQ(gone, (oxStlVector<oxString>{"T", "d1", "d2", "d3"}));
  EXPECT_EQ(project_->GetChildren(), oxStlVector<oxt::Object*>{folder_});
  EXPECT_TRUE(recorder.events.empty());

  delete doc_;
  auto* first = new Doc(folder_, "d1");
  new Doc(first, "d1a");
  auto* second = new Doc(folder_, "d2");

  first->EmitSelected();
  second->EmitSelected();
  oxt::Model::Get()->SetSelection({first, second});
  second->EmitUnselected();
  second->EmitUnselected();  // not selected any more: nothing to say
  oxt::Model::Get()->SetSelection({first, second});
  folder_->Delete();

  EXPECT_EQ(project_->GetChildren().size(), 0u);
  EXPECT_TRUE(oxt::Model::Get()->GetSelection().empty());
  EXPECT_EQ(recorder.events, (Events{"selected d1", "selected d2", "selected d1,d2", "selected d1",
                                     "selected d1,d2", "deleted F<P d1<F d1a<d1 d2<F"}));
}

TEST_F(ObjectModel, ClassesAndCurrentObjectsAreRelatedThroughRegisteredBaseNames) {
  EXPECT_EQ((std::vector<bool>{project_->IsA("test::Folder"), project_->IsA("oxt::Object"),
                               folder_->IsA("test::Project"), doc_->IsA("test::Folder")}),
            (std::vector<bool>{true, true, false, false}));
  // The object itself does not count as its parent.
  EXPECT_EQ((std::vector<oxt::Object*>{doc_->GetParent("test::Folder"), doc_->GetParent("test::Project"),
                                       project_->GetParent("test::Project")}),
            (std::vector<oxt::Object*>{folder_, project_, nullptr}));

  EXPECT_EQ(Names(sandbox_->GetChildren({}, "test::Folder", true, true)), "P,F");
  EXPECT_EQ(Names(sandbox_->GetChildren({}, "test::Folder", true, false)), "F");
  EXPECT_EQ(Names(sandbox_->GetChildren({}, {}, false, false)), "P");
  EXPECT_EQ(Names(sandbox_->GetChildren("D", {}, true, true)), "D");

  // The current object of a class is found walking up from the current one.
  auto* current = oxt::CurrentObjects::Get();
  current->SetCurrentObject(doc_);
  std::vector<oxt::Object*> found;
  for (const char* type : {"test::Folder", "test::Project", "oxt::Object", "test::Unknown"})
    found.push_back(oxt::Object::GetCurrentObjectFromType(type));
  EXPECT_EQ(found, (std::vector<oxt::Object*>{folder_, project_, doc_, nullptr}));
  current->SetCurrentObject(project_);
  EXPECT_EQ(current->GetCurrentObject("test::Folder"), project_);

  // A destroyed current object hands over to its parent, unless the parent
  // is going too: nothing of a dying subtree stays current.
  current->SetCurrentObject(doc_);
  delete doc_;
  EXPECT_EQ(current->GetCurrentObject(), folder_);
  auto* inner = new Doc(new Folder(folder_, "G"), "E");
  current->SetCurrentObject(inner);
  delete inner->GetParent();
  EXPECT_EQ(current->GetCurrentObject(), nullptr);
}

TEST_F(ObjectModel, RegistryCreatesByNameAndSurvivesCyclesAndShadowing) {
  EXPECT_EQ(oxt::ClassInfo::GetClassInfo("test::Nowhere"), nullptr);
  oxt::Object* made = oxt::ClassInfo::GetClassInfo("test::Project")->Create(sandbox_);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->ClassName(), "test::Project");

  oxt::ClassInfo a("test::CycleA"), b("test::CycleB");
  a.AddBase("test::CycleB");
  b.AddBase("test::CycleA");
  EXPECT_EQ(std::pair(a.IsA("test::CycleB"), a.IsA("test::Elsewhere")), std::pair(true, false));
  EXPECT_EQ(a.Create(sandbox_), nullptr);  // no constructor

  {
    oxt::ClassInfo shadow("test::Doc");
    EXPECT_EQ(oxt::ClassInfo::GetClassInfo("test::Doc"), &shadow);
  }
  ASSERT_NE(oxt::ClassInfo::GetClassInfo("test::Doc"), nullptr);
  EXPECT_TRUE(oxt::ClassInfo::GetClassInfo("test::Doc")->GetConstructor());
}

TEST_F(ObjectModel, PropertiesAnswerDefaultsAndStoredValues) {
  Recorder recorder(oxt::Model::Get());
  oxt::Property menu("@ContextMenu"), unknown("Colour");
  menu.AddValue("A:Earlier");
  EXPECT_EQ((std::vector<bool>{doc_->GetProperty(menu), doc_->GetProperty(unknown),
                               doc_->oxt::Object::GetProperty("@OkToDrop").GetValue().GetBoolean()}),
            (std::vector<bool>{true, false, true}));
  EXPECT_EQ(menu.GetValueList(), oxStlVector<oxt::Variant>{"A:Earlier"});

  oxt::Property size("Size", 3);
  size.AddValue(1);
  size.SetEditorName("SpinBox");
  doc_->AddProperty(size);
  doc_->AddProperty(oxt::Property("@Persistable", false));
  doc_->AddProperty(oxt::Property("Size", 4));  // replaces in place
  EXPECT_TRUE(recorder.events.empty());
  EXPECT_EQ(doc_->GetPropertyNames(), (oxStlVector<oxString>{"Name", "Size", "@Persistable"}));
  EXPECT_FALSE(doc_->oxt::Object::GetProperty("@Persistable").GetValue().GetBoolean());
  const oxt::Property stored = doc_->oxt::Object::GetProperty("Size");
  EXPECT_EQ(stored.GetValue(), oxt::Variant(4));
  EXPECT_TRUE(stored.GetValueList().empty());
}

TEST_F(ObjectModel, ChangesAreAnnouncedWithTheObjectAndTheNewValue) {
  Recorder recorder(oxt::Model::Get());
  doc_->EmitCreated();
  oxt::Property rename("Name", "Doc");
  EXPECT_TRUE(doc_->SetProperty(rename));
  oxt::Property layout("Layout", 4);
  EXPECT_TRUE(folder_->SetProperty(layout));
  oxt::Property move("@Parent", oxt::Variant(project_));
  EXPECT_TRUE(doc_->SetProperty(move));
  EXPECT_EQ(project_->GetChildren().back(), doc_);
  EXPECT_TRUE(folder_->GetChildren().empty());

  // Refused moves change nothing and say nothing.
  oxt::Property toNull("@Parent", oxt::Variant(static_cast<oxt::Object*>(nullptr)));
  oxt::Property intoItself("@Parent", oxt::Variant(folder_));
  EXPECT_FALSE(doc_->SetProperty(toNull) || project_->SetProperty(intoItself));
  EXPECT_EQ(project_->GetParent(), sandbox_);
  EXPECT_EQ(recorder.events, (Events{"created D in F", "changed Doc Name=Doc", "changed F Layout=4",
                                     "changed Doc @Parent=->P"}));
}

TEST_F(ObjectModel, CopyDuplicatesClassPropertiesAndChildren) {
  folder_->AddProperty(oxt::Property("Layout", 3));
  doc_->AddProperty(oxt::Property("Path", "a/b"));
  auto* target = new Project(sandbox_, "Q");
  Recorder recorder(oxt::Model::Get());

  oxt::Object* copy = folder_->Copy(target);

  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(oxttest::DumpTree(copy), oxttest::DumpTree(folder_));
  EXPECT_EQ(copy->GetParent(), target);
  EXPECT_EQ(recorder.events, (Events{"changed F Name=F", "changed F Layout=3", "created F in Q",
                                     "changed D Name=D", "changed D Path=a/b", "created D in F"}));
  EXPECT_EQ(folder_->Copy(doc_), nullptr);  // not into its own subtree
}

}  // namespace
