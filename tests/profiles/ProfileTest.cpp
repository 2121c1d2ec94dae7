#include <QDir>
#include <QTemporaryDir>

#include "fwg/profiles/ProfileInternal.h"
#include "platform/fwc/PluginManager.h"
#include "tests/support/Output.h"
#include "tests/support/ProfileWidgets.h"

namespace {

using Names = oxStlVector<oxString>;
using Profiles = oxStlVector<fwg::Profile*>;
using Found = std::vector<fwg::Action*>;

class ProfileFixture : public WithGui {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    WithGui::SetUp();
    manager_ = fwg::ProfileManager::Get();
  }

  // A folder below the temporary folder holding the named empty files.
  oxString Folder(const std::string& name, std::initializer_list<const char*> files) {
    const QString path = dir_.filePath(QString::fromStdString(name));
    QDir().mkpath(path);
    for (const char* file : files) EXPECT_TRUE(QFile(path + "/" + file).open(QIODevice::WriteOnly));
    return path.toStdString();
  }
  oxString Path(const char* file) const { return dir_.filePath(file).toStdString(); }

  QTemporaryDir dir_;
  fwg::ProfileManager* manager_ = nullptr;
};

class CountingProfile : public fwg::Profile {
 public:
  CountingProfile(const oxString& name, int* deleted) : Profile(name), deleted_(deleted) {}
  ~CountingProfile() override { ++*deleted_; }
  void Activate() override {
    ++activations;
    Profile::Activate();
  }
  int activations = 0;

 private:
  int* deleted_;
};

TEST_F(ProfileFixture, FirstRegisteredWinsUntilRemoved) {
  auto *first = new fwg::Profile("Same"), *other = new fwg::Profile("Other");
  auto* second = new fwg::Profile("Same");
  EXPECT_EQ(manager_->GetProfileList(), (Profiles{first, other, second}));
  EXPECT_EQ(manager_->GetProfile("Same"), first);
  EXPECT_EQ(manager_->GetProfile("same"), nullptr) << "names are case-sensitive";

  manager_->RemoveProfile(first);
  EXPECT_EQ(manager_->GetProfile("Same"), second);
  delete first;  // not in the list any more: nothing else changes
  EXPECT_EQ(manager_->GetProfileList(), (Profiles{other, second}));
  delete other;  // deleting a registered profile takes it out
  EXPECT_EQ(manager_->GetProfileList(), (Profiles{second}));
  delete second;

  // Added twice (and null once), removed at once.
  fwg::Profile loose("", {}, {}, false);
  manager_->AddProfile(&loose);
  manager_->AddProfile(&loose);
  manager_->AddProfile(nullptr);
  EXPECT_EQ(manager_->GetProfileList(), (Profiles{&loose, &loose, nullptr}));
  EXPECT_EQ(manager_->GetProfile(""), &loose) << "an empty name added by hand is found";
  manager_->RemoveProfile(&loose);
  EXPECT_EQ(manager_->GetProfileList(), (Profiles{nullptr}));
  manager_->RemoveProfile(nullptr);
  EXPECT_TRUE(manager_->GetProfileList().empty());
}

TEST_F(ProfileFixture, ActivationByPointerAndNameAndRemovalOfTheActiveProfile) {
  int deleted = 0;
  auto *a = new CountingProfile("A", &deleted), *b = new CountingProfile("B", &deleted);
  manager_->Activate(nullptr);
  manager_->Activate("nobody");
  EXPECT_EQ(manager_->GetActiveProfile(), nullptr);
  manager_->Activate("B");
  manager_->Activate(a);
  EXPECT_EQ(a->activations * 10 + b->activations, 11) << "through the profile's own Activate()";
  EXPECT_EQ(manager_->GetActiveProfile(), a);

  // Removing the active profile forgets it; its state stays as it was.
  manager_->RemoveProfile(a);
  EXPECT_EQ(manager_->GetActiveProfile(), nullptr);
  EXPECT_TRUE(a->IsActive());
  manager_->AddProfile(a);

  // Removing an unlisted profile still clears it as the active one.
  manager_->SetActiveProfile(b);
  manager_->RemoveProfile(b);
  manager_->SetActiveProfile(b);
  manager_->RemoveProfile(b);
  EXPECT_EQ(manager_->GetActiveProfile(), nullptr);
  delete b;

  // The application object deletes the profiles left, each once.
  manager_->AddProfile(a);
  manager_->AddProfile(nullptr);
  delete gui_;
  gui_ = nullptr;
  EXPECT_EQ(deleted, 2);
}

TEST_F(ProfileFixture, ChainOfThreeFindsActionsAndResourcesFromItsBases) {
  fwg::Profile root("Root");
  fwg::Profile middle("Middle", "Root");
  fwg::Profile leaf("Leaf", "Middle");
  EXPECT_EQ(fwg::GetBaseChainProfiles(&leaf), (Profiles{&root, &middle, &leaf}));
  fwg::Action* open = root.AddAction("open", "&Open", {}, "Ctrl+O");
  fwg::Action* print = middle.AddAction("print", "&Print");
  fwg::ActionGroup* view = root.AddActionGroup("view", "&View");
  // The flag changes nothing; bases do not see derived actions; a plain
  // action is not a group; the own map holds no inherited actions.
  EXPECT_EQ((Found{leaf.GetAction("open"), leaf.GetAction("print", false), root.GetAction("print"),
                   leaf.GetAction("nothing"), leaf.GetActionGroup("view"),
                   leaf.GetActionGroup("open")}),
            (Found{open, print, nullptr, nullptr, view, nullptr}));
  EXPECT_TRUE(leaf.GetActions().empty());

  // A name registered in the middle hides the root's from the middle down;
  // a null entry is passed over.
  fwg::Action* mine = middle.AddAction("open", "Open &here");
  EXPECT_EQ((Found{leaf.GetAction("open"), root.GetAction("open")}), (Found{mine, open}));
  middle.AddAction("open", static_cast<fwg::Action*>(nullptr));
  EXPECT_EQ(leaf.GetAction("open"), open);
  delete mine;  // dropped from the map, so still ours

  // An action made without a name works but is nobody's.
  fwg::Action* anonymous = leaf.AddAction("", "Anonymous");
  EXPECT_EQ(leaf.GetAction(""), nullptr);
  EXPECT_TRUE(leaf.GetActions().empty());
  delete anonymous;

  // Resources: nearest profile first, its folders in order.
  root.AddResourcePath(Folder("c", {"icon.png", "root-only.png"}));
  middle.AddResourcePath(Folder("a", {}));
  middle.AddResourcePath(Folder("b", {"icon.png"}));
  EXPECT_EQ((Names{leaf.GetResource("icon.png"), middle.GetResource("icon.png"),
                   leaf.GetResource("root-only.png"), root.GetResource("icon.png"),
                   leaf.GetResource("nowhere.png")}),
            (Names{Path("b/icon.png"), Path("b/icon.png"), Path("c/root-only.png"),
                   Path("c/icon.png"), ""}));

  // A second profile of a base's name is never reached by name.
  fwg::Profile twin("Root");
  twin.AddResourcePath(Folder("twin", {"root-only.png"}));
  EXPECT_EQ(leaf.GetResource("root-only.png") + twin.GetResource("root-only.png"),
            Path("c/root-only.png") + Path("c/root-only.png"));

  // Folder and name are joined with one slash, as they are.
  leaf.AddResourcePath(dir_.path().toStdString() + "/");
  EXPECT_EQ(leaf.GetResource("b/icon.png"), dir_.path().toStdString() + "//b/icon.png");
}

TEST_F(ProfileFixture, UnregisteredProfileSearchesOnlyItsRegisteredBases) {
  fwg::Profile base("Shared");
  base.AddResourcePath(Folder("shared", {"base.png"}));
  fwg::Action* inherited = base.AddAction("copy", "&Copy");
  fwg::Profile hidden("Hidden", "Shared", "", false);
  hidden.AddResourcePath(Folder("hidden", {"own.png"}));
  fwg::Action* own = hidden.AddAction("paste", "&Paste");
  fwg::Profile nameless("", "Shared");
  nameless.AddResourcePath(Path("hidden"));

  EXPECT_EQ(manager_->GetProfileList(), (Profiles{&base})) << "neither is registered";
  for (const fwg::Profile* p : {&hidden, &nameless}) {
    EXPECT_EQ(p->GetResource("own.png"), "");
    EXPECT_EQ(p->GetResource("base.png"), Path("shared/base.png"));
  }
  EXPECT_EQ((Found{hidden.GetAction("copy"), hidden.GetAction("paste"),
                   hidden.GetActions().at("paste")}),
            (Found{inherited, nullptr, own}));
}

TEST_F(ProfileFixture, MissingBaseAndLoopsEndTheWalk) {
  fwg::Profile orphan("Orphan", "NoSuchProfile");
  orphan.AddResourcePath(Folder("orphan", {"o.png"}));
  EXPECT_EQ(fwg::GetBaseChainProfiles(&orphan), (Profiles{&orphan}));
  EXPECT_EQ(orphan.GetResource("o.png"), Path("orphan/o.png"));

  fwg::Profile a("LoopA", "LoopB");
  fwg::Profile b("LoopB", "LoopA");
  fwg::Profile self("LoopSelf", "LoopSelf");
  a.AddResourcePath(Folder("loop-a", {"a.png"}));
  b.AddResourcePath(Folder("loop-b", {"b.png"}));
  testing::internal::CaptureStderr();
  EXPECT_EQ(fwg::GetBaseChainProfiles(&a), (Profiles{&b, &a}));
  EXPECT_EQ(a.GetResource("b.png"), Path("loop-b/b.png"));
  EXPECT_EQ(a.GetResource("none.png"), "");
  EXPECT_EQ(fwg::GetBaseChainProfiles(&self), (Profiles{&self}));
  const std::string err = testing::internal::GetCapturedStderr();
  // One line per loop, however often the chain is walked.
  EXPECT_EQ(CountLines(err), 2) << err;
  ExpectContains(err, {"fwg: ", "'LoopA'", "'LoopSelf'"});
}

TEST_F(ProfileFixture, PluginResourceFoldersComeFromTheDescription) {
  ASSERT_TRUE(WriteAll(Path("icons.plugin"), "name = profile-test-icons\nlibrary = libnothing.so\n"
                                             "resources = images, more/icons\n"));
  ASSERT_TRUE(fwc::PluginManager::Get()->AddPluginDescriptionFile(Path("icons.plugin")));

  fwg::Profile profile("Plugged", "", "profile-test-icons");
  const oxString base = QDir(dir_.path()).absolutePath().toStdString();
  EXPECT_EQ(profile.GetResourcePaths(), (Names{base + "/images", base + "/more/icons"}));
  Folder("more/icons", {"p.png"});
  EXPECT_EQ(profile.GetResource("p.png"), base + "/more/icons/p.png");
  fwg::Profile unknown("Unplugged", "", "no-such-plugin");
  EXPECT_TRUE(unknown.GetResourcePaths().empty()) << "an unknown plug-in adds no folders";
}

using ProfileTranslationFixture = InGerman<WithGui>;

TEST_F(ProfileTranslationFixture, EachProfileTranslatesFromItsOwnFile) {
  fwg::Profile writer("Writer");
  fwg::Profile reader("Reader", "Writer");
  fwg::Profile plain("Plain");
  EXPECT_EQ(writer.tr("Menu", "Open"), "Öffnen");
  EXPECT_EQ(writer.tr("Toolbar", "Open"), "Dokument öffnen") << "the context tells them apart";
  EXPECT_EQ(reader.tr("Menu", "Open"), "Anzeigen") << "its own file, not its base's";
  EXPECT_EQ(writer.tr("", "Open"), "Öffnen");
  EXPECT_EQ(writer.tr("Menu", "Close"), "Close") << "untranslated text comes back";
  EXPECT_EQ(plain.tr("Menu", "Open"), "Open") << "a profile without a file";
  EXPECT_EQ(writer.tr("Menu", "Open"), "Öffnen") << "switching files back and forth";
}

}  // namespace
