// Profiles: names, base chains resolved through the manager, resource
// lookup along the chain, plug-in resource folders and translation.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/fwc/PluginManager.h"
#include "platform/oxapp/Application.h"
#include "platform/oxapp/CommandLine.h"
#include "tests/support/WithGui.h"

namespace {

class ProfileFixture : public WithGui {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    WithGui::SetUp();
  }

  // A folder below the temporary folder holding the named empty files.
  oxString Folder(const std::string& name, std::initializer_list<const char*> files) {
    const QString path = dir_.filePath(QString::fromStdString(name));
    QDir().mkpath(path);
    for (const char* file : files) {
      QFile f(path + "/" + file);
      EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    }
    return path.toStdString();
  }

  QTemporaryDir dir_;
};

TEST_F(ProfileFixture, RecordedInclusionsTakeNoPartInLookups) {
  fwg::Profile profile("Editor", "Base", "");
  EXPECT_EQ(profile.GetTitle(), "Editor") << "no title: the name";
  profile.AddProfile("", true);
  profile.AddProfile("Extras", true);
  profile.AddProfile("Other", false);
  profile.AddProfile("Other", false);
  EXPECT_EQ(profile.GetIncludedProfiles(), (oxStlVector<oxString>{"Base", "Extras"}));
  EXPECT_EQ(profile.GetOtherProfiles(), (oxStlVector<oxString>{"Other", "Other"}));

  fwg::Profile extras("Extras");
  extras.AddResourcePath(Folder("extras", {"x.png"}));
  EXPECT_EQ(profile.GetResource("x.png"), "");
}

TEST_F(ProfileFixture, ChainOfThreeFindsResourcesFromItsBases) {
  fwg::Profile root("Root");
  fwg::Profile middle("Middle", "Root");
  fwg::Profile leaf("Leaf", "Middle");
  root.AddResourcePath(Folder("c", {"icon.png", "root-only.png"}));
  middle.AddResourcePath(Folder("a", {}));
  middle.AddResourcePath(Folder("b", {"icon.png"}));
  const oxString b = dir_.filePath("b").toStdString();

  EXPECT_EQ(fwg::GetBaseChain(&leaf), (oxStlVector<oxString>{"Root", "Middle", "Leaf"}));
  // Nearest profile first, its folders in order.
  EXPECT_EQ(leaf.GetResource("icon.png"), b + "/icon.png");
  EXPECT_EQ(middle.GetResource("icon.png"), b + "/icon.png");
  EXPECT_EQ(leaf.GetResource("root-only.png"), dir_.filePath("c/root-only.png").toStdString());
  EXPECT_EQ(root.GetResource("icon.png"), dir_.filePath("c/icon.png").toStdString());
  EXPECT_EQ(leaf.GetResource("nowhere.png"), "");

  // A second profile of a base's name is never reached by name.
  fwg::Profile twin("Root");
  twin.AddResourcePath(Folder("twin", {"root-only.png"}));
  EXPECT_EQ(leaf.GetResource("root-only.png"), dir_.filePath("c/root-only.png").toStdString());
  EXPECT_EQ(twin.GetResource("root-only.png"), dir_.filePath("c/root-only.png").toStdString());

  // Folder and name are joined with one slash, as they are.
  leaf.AddResourcePath(dir_.path().toStdString() + "/");
  EXPECT_EQ(leaf.GetResource("b/icon.png"), dir_.path().toStdString() + "//b/icon.png");
}

TEST_F(ProfileFixture, UnregisteredProfileSearchesOnlyItsRegisteredBases) {
  fwg::Profile base("Shared");
  base.AddResourcePath(Folder("shared", {"base.png"}));
  fwg::Profile hidden("Hidden", "Shared", "", false);
  hidden.AddResourcePath(Folder("hidden", {"own.png"}));
  fwg::Profile nameless("", "Shared");
  nameless.AddResourcePath(dir_.filePath("hidden").toStdString());

  const auto& list = fwg::ProfileManager::Get()->GetProfileList();
  EXPECT_EQ(std::count(list.begin(), list.end(), &hidden), 0);
  EXPECT_EQ(std::count(list.begin(), list.end(), &nameless), 0);
  EXPECT_EQ(hidden.GetResource("own.png"), "");
  EXPECT_EQ(hidden.GetResource("base.png"), dir_.filePath("shared/base.png").toStdString());
  EXPECT_EQ(nameless.GetResource("own.png"), "");
  EXPECT_EQ(nameless.GetResource("base.png"), dir_.filePath("shared/base.png").toStdString());
}

TEST_F(ProfileFixture, MissingBaseAndLoopsEndTheWalk) {
  fwg::Profile orphan("Orphan", "NoSuchProfile");
  orphan.AddResourcePath(Folder("orphan", {"o.png"}));
  EXPECT_EQ(fwg::GetBaseChain(&orphan), (oxStlVector<oxString>{"Orphan"}));
  EXPECT_EQ(orphan.GetResource("o.png"), dir_.filePath("orphan/o.png").toStdString());

  // LoopA is built on LoopB and LoopB on LoopA.
  fwg::Profile a("LoopA", "LoopB");
  fwg::Profile b("LoopB", "LoopA");
  fwg::Profile self("LoopSelf", "LoopSelf");
  a.AddResourcePath(Folder("loop-a", {"a.png"}));
  b.AddResourcePath(Folder("loop-b", {"b.png"}));

  testing::internal::CaptureStderr();
  EXPECT_EQ(fwg::GetBaseChain(&a), (oxStlVector<oxString>{"LoopB", "LoopA"}));
  EXPECT_EQ(a.GetResource("b.png"), dir_.filePath("loop-b/b.png").toStdString());
  EXPECT_EQ(a.GetResource("none.png"), "");
  EXPECT_EQ(fwg::GetBaseChain(&self), (oxStlVector<oxString>{"LoopSelf"}));
  const std::string err = testing::internal::GetCapturedStderr();
  // One line per loop, however often the chain is walked.
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
  EXPECT_NE(err.find("fwg: "), std::string::npos);
  EXPECT_NE(err.find("'LoopA'"), std::string::npos);
  EXPECT_NE(err.find("'LoopSelf'"), std::string::npos);
}

TEST_F(ProfileFixture, PluginResourceFoldersComeFromTheDescription) {
  const QString file = dir_.filePath("icons.plugin");
  QFile description(file);
  ASSERT_TRUE(description.open(QIODevice::WriteOnly));
  description.write("name = profile-test-icons\nlibrary = libnothing.so\n"
                    "resources = images, more/icons\n");
  description.close();
  ASSERT_TRUE(fwc::PluginManager::Get()->AddPluginDescriptionFile(file.toStdString()));

  fwg::Profile profile("Plugged", "", "profile-test-icons");
  const oxString base = QDir(dir_.path()).absolutePath().toStdString();
  EXPECT_EQ(profile.GetPluginName(), "profile-test-icons");
  EXPECT_EQ(profile.GetResourcePaths(),
            (oxStlVector<oxString>{base + "/images", base + "/more/icons"}));
  Folder("more/icons", {"p.png"});
  EXPECT_EQ(profile.GetResource("p.png"), base + "/more/icons/p.png");

  // An unknown plug-in adds no folders.
  fwg::Profile unknown("Unplugged", "", "no-such-plugin");
  EXPECT_TRUE(unknown.GetResourcePaths().empty());
}

class ProfileTranslationFixture : public WithGui {
 protected:
  void SetUp() override {
    oxapp::Application::Get()->AddResourceRoot(FWG_TEST_RESOURCES);
    oxapp::CommandLine::Get()->SetArguments({"tavrix", "-locale", "de"});
    WithGui::SetUp();
  }
  void TearDown() override {
    WithGui::TearDown();
    oxapp::CommandLine::Get()->SetArguments({});
  }
};

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
