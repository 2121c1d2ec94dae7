#include <sys/stat.h>

#include <QFileInfo>

#include "platform/fwc/Director.h"
#include "platform/fwc/PluginManager.h"
#include "platform/oxapp/Application.h"
#include "platform/vos/vosLibrary.h"
#include "tests/ChildProcess.h"
#include "tests/support/TestBasics.h"

namespace {

// Run outside CTest, the singletons' settings still stay out of the user's
// own configuration folder.
const bool kPrivateConfig = [] { return setenv("FWG_CONFIG_DIR", FWCTEST_CONFIG_DIR, 0) == 0; }();

const oxString kPluginDir = FWCTEST_PLUGIN_DIR;

oxSettings* LoadRecord() {
  return oxapp::Application::Get()->GetSettings()->GetSection("/fwctest", true, true);
}

// A folder with one good plug-in, one library without entry point, one
// description whose library is missing and one that does not parse.
TEST(PluginLoading, EntryPointRunsOnceAndFailuresAreReportedWithoutStoppingOthers) {
  ASSERT_TRUE(kPrivateConfig);
  fwc::PluginManager manager;
  std::string error = StderrOf([&] { manager.AddPluginFolder(kPluginDir); });
  EXPECT_EQ(CountLines(error), 1) << error;
  ExpectContains(error, {"fwg: " + kPluginDir + "/broken.plugin:3:", "libary"});
  EXPECT_EQ(manager.GetPluginDescription("fwctest-broken"), nullptr);

  // The others are listed in file order with their fields.
  oxStlVector<oxString> ours;
  for (const fwc::PluginDescription* description : manager.GetPluginDescriptions())
    if (description->GetBaseFolder() == kPluginDir) ours.push_back(description->GetName());
  EXPECT_EQ(ours, (oxStlVector<oxString>{"fwctest-good", "fwctest-missing", "fwctest-noentry"}));
  const fwc::PluginDescription* good = manager.GetPluginDescription("fwctest-good");
  ASSERT_NE(good, nullptr);
  EXPECT_EQ(good->GetClientName() + " " + good->GetAlias(), "FwcTest fwctest");
  EXPECT_EQ(good->GetResourceFolders(), (oxStlVector<oxString>{"resources", "icons/small"}));
  ASSERT_NE(good->GetManifest()->GetContents(), nullptr);
  EXPECT_EQ(good->GetManifest()->GetContents()->Get("profile", true).GetString(), "FwcTestProfile");

  const int64_t loadsBefore = LoadRecord()->Get("loads").GetLong();
  error = StderrOf([&] {
    EXPECT_FALSE(manager.LoadPlugin("fwctest-missing") || manager.LoadPlugin("fwctest-noentry"));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(manager.LoadPlugin("fwctest-good"));
    // A failure is remembered too: asking again neither retries nor repeats.
    EXPECT_FALSE(manager.LoadPlugin("fwctest-missing") || manager.LoadPlugin("fwctest-noentry"));
  });
  ASSERT_EQ(CountLines(error), 2) << error;
  const std::string missingLine = error.substr(0, error.find('\n'));
  ExpectContains(missingLine,
                 {"'fwctest-missing'", kPluginDir + "/libfwctest_missing.so", kPluginDir + "/missing.plugin"});
  ExpectContains(error.substr(error.find('\n') + 1),
                 {"'fwctest-noentry'", kPluginDir + "/libfwctest_noentry.so", "entry point"});

  EXPECT_EQ(LoadRecord()->Get("loads").GetLong(), loadsBefore + 1);
  EXPECT_EQ(LoadRecord()->Get("name"), oxVariant("fwctest-good"));
  EXPECT_EQ(std::pair(manager.IsPluginLoaded("fwctest-good"), manager.IsPluginLoaded("fwctest-noentry")),
            std::pair(true, false));

  error = StderrOf([&] { EXPECT_FALSE(manager.LoadPlugin("fwctest-unknown")); });
  EXPECT_EQ(CountLines(error), 1);
  ExpectContains(error, {"'fwctest-unknown'"});
}

class DescriptionFiles : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  oxString Write(const std::string& name, const std::string& text) {
    const oxString path = dir_.filePath(QString::fromStdString(name)).toStdString();
    EXPECT_TRUE(WriteAll(path, text));
    return path;
  }
  QTemporaryDir dir_;
};

TEST_F(DescriptionFiles, EachFaultGivesOneLineNamingFileAndLine) {
  struct Case {
    std::string text;
    const char* where;    // appended to the file name
    const char* message;
  };
  const Case cases[] = {
      {"name = a\nlibrary = b\njust words\n", ":3: ", "expected 'key = value'"},
      {"  = value\n", ":1: ", "expected 'key = value'"},
      {"name = a\nlibrary = b\n[extras]\n", ":3: ", "unknown section 'extras'"},
      {"name = a\nnmae = b\nlibrary = c\n", ":2: ", "unknown key 'nmae'"},
      {"name = a\nname = b\nlibrary = c\n", ":2: ", "'name' given twice"},
      {"name = a\nlibrary = b\n[manifest\n", ":3: ", "expected ']'"},
      {"library = b\n", ": ", "missing value for 'name'"},
      {"name = a\nlibrary =   # to be filled in\n", ": ", "missing value for 'library'"},
      {"name = a\nlibrary = $FWCTEST_UNSET\n", ": ", "library '$FWCTEST_UNSET' names no file"},
      {"name = a\nlibrary = b\nclient = A\ndeclaration = a.json\nscript = a.js\n", ": ", "exclude each other"},
      {"name = a\nclient = A\ndeclaration = a.json\n", ": ", "missing value for 'script'"},
      {"name = a\nclient = A\ndeclaration = a.json\nscript = a.js\nview = tree\n", ": ", "unknown view 'tree'"},
      // Echoed input stays one readable line.
      {"name = a\n\x1b[2J" + std::string(1 << 20, 'k') + " = v\n", ":2: ", "unknown key '\\x1b[2Jkkk"},
  };
  fwc::PluginManager manager;
  const size_t known = manager.GetPluginDescriptions().size();
  int index = 0;
  for (const Case& c : cases) {
    const oxString file = Write("case" + std::to_string(index++) + ".plugin", c.text);
    const std::string error = StderrOf([&] { EXPECT_FALSE(manager.AddPluginDescriptionFile(file)); });
    EXPECT_EQ(CountLines(error), 1) << error;
    EXPECT_LT(error.size(), file.size() + 150) << error;
    ExpectContains(error, {"fwg: " + file + c.where, c.message});
  }
  const oxString absent = dir_.filePath("absent.plugin").toStdString();
  ExpectContains(StderrOf([&] { EXPECT_FALSE(manager.AddPluginDescriptionFile(absent)); }), {absent});
  EXPECT_EQ(manager.GetPluginDescriptions().size(), known);
}

TEST_F(DescriptionFiles, FirstDescriptionOfANameWinsAndLibraryPathsAreResolved) {
  setenv("FWCTEST_LIBRARY_ROOT", "/opt/corvane", 1);
  const oxString first = Write("first.plugin",
                               "# comment line\n\n  name=shared   \n library = lib/libshared.so # beside us\n"
                               "[manifest]\n");
  const oxString second = Write("second.plugin", "name = shared\nlibrary = /abs/libother.so\n");
  const oxString thirdFile = Write("third.plugin", "name = third\nlibrary = $FWCTEST_LIBRARY_ROOT/lib/libthird.so\n"
                                               "resources = , a ,,b,\n");
  fwc::PluginManager manager;
  EXPECT_TRUE(manager.AddPluginDescriptionFile(first));
  const std::string error = StderrOf([&] { EXPECT_FALSE(manager.AddPluginDescriptionFile(second)); });
  EXPECT_EQ(CountLines(error), 1);
  ExpectContains(error, {second, "'shared'"});
  EXPECT_TRUE(manager.AddPluginDescriptionFile(thirdFile));

  const fwc::PluginDescription* shared = manager.GetPluginDescription("shared");
  const fwc::PluginDescription* third = manager.GetPluginDescription("third");
  ASSERT_TRUE(shared && third);
  EXPECT_EQ(shared->GetFileName(), first);
  EXPECT_EQ((oxStlVector<oxString>{shared->GetLibraryFile(), third->GetLibraryFile()}),
            (oxStlVector<oxString>{dir_.path().toStdString() + "/lib/libshared.so", "/opt/corvane/lib/libthird.so"}));
  EXPECT_EQ(shared->GetManifest()->GetContents(), nullptr);  // a bare [manifest] holds no keys
  EXPECT_EQ(third->GetResourceFolders(), (oxStlVector<oxString>{"a", "b"}));
}

// A client without a library goes to the loader the host installs; without
// one it does not load.
TEST_F(DescriptionFiles, AScriptedClientGoesToTheHostsLoader) {
  const oxString file = Write("jobs.plugin", "name = jobs\nclient = Jobs\ndeclaration = T.json\nscript = t.js\n");
  fwc::PluginManager bare, hosting;
  ASSERT_TRUE(bare.AddPluginDescriptionFile(file) && hosting.AddPluginDescriptionFile(file));
  ExpectContains(StderrOf([&] { EXPECT_FALSE(bare.LoadPlugin("jobs")); }), {"'jobs'", "names no library"});
  oxString made;
  hosting.SetScriptedLoader([&](const fwc::PluginDescription& d) {
    made = d.GetDeclarationFile() + " " + d.GetScriptFile() + " " + d.GetView();
    return true;
  });
  EXPECT_TRUE(hosting.LoadPlugin("jobs"));
  EXPECT_EQ(made, "T.json t.js text");
}

// A description the process may not read, and a second one that registers a
// client already registered, are left out with a line naming the files; one
// that only adds a profile to that client on demand is fine.
TEST_F(DescriptionFiles, UnreadableAndClashingDescriptionsAreLeftOutWithOneLineEach) {
  std::unique_ptr<fwc::PluginManager> manager;
  StderrOf([&] { manager = std::make_unique<fwc::PluginManager>(); });
  const oxString first = Write("a-first.plugin", "\xEF\xBB\xBFname = first\nlibrary = libfirst.so\nclient = Shared\n");
  Write("b-lazy.plugin", "name = lazy\nlibrary = liblazy.so\nclient = Shared\n[manifest]\nprofile = Extra\n");
  const oxString second = Write("c-second.plugin", "name = second\nlibrary = libsecond.so\nclient = Shared\n");
  const oxString secret = Write("d-secret.plugin", "name = secret\nlibrary = libsecret.so\n");
  ASSERT_EQ(chmod(secret.c_str(), 0), 0);
  ASSERT_EQ(chmod(dir_.path().toLocal8Bit().constData(), 0755), 0);
  const ChildResult child = RunInChild([&] {
    if (geteuid() == 0 && setuid(65534) != 0) return 2;  // root reads every file
    manager->AddPluginFolder(dir_.path().toStdString());
    const bool adopted = manager->GetPluginDescription("first") && manager->GetPluginDescription("lazy");
    const bool refused = !manager->GetPluginDescription("second") && !manager->GetPluginDescription("secret");
    return adopted && refused ? 0 : 1;
  });
  EXPECT_EQ(child.exitCode, 0) << child.error;
  EXPECT_EQ(child.error, "fwg: " + second + ": client 'Shared' is already registered by " + first +
                             "; ignored\nfwg: " + secret + ": cannot be read: " + std::strerror(EACCES) + "\n");
}

// The manager reads the folders of $FWG_PLUGIN_PATH when it is made; a
// folder that does not exist is no error there.
TEST(PluginSearchPath, ConstructorReadsEveryFolderOfTheEnvironment) {
  const QByteArray previous = qgetenv("FWG_PLUGIN_PATH");
  qputenv("FWG_PLUGIN_PATH", QByteArray::fromStdString("/nonexistent/fwg-plugins:" + kPluginDir));
  std::unique_ptr<fwc::PluginManager> manager;
  const std::string error = StderrOf([&] { manager = std::make_unique<fwc::PluginManager>(); });
  qputenv("FWG_PLUGIN_PATH", previous);
  EXPECT_EQ(CountLines(error), 1) << error;  // broken.plugin, nothing about the missing folder
  EXPECT_NE(manager->GetPluginDescription("fwctest-good"), nullptr);
  EXPECT_EQ(fwc::PluginManager::Get(), fwc::Director::Get()->GetPluginManager());
  // Asked for by name, the missing folder is reported.
  ExpectContains(StderrOf([&] { manager->AddPluginFolder("/nonexistent/fwg-plugins"); }),
                 {"/nonexistent/fwg-plugins"});
}

// An author's folder comes beside the host's own plug-ins, each folder once;
// FWG_NO_DEFAULT_PLUGINS leaves the host's out.
TEST(PluginSearchPath, TheEnvironmentsFoldersComeBeforeTheHostsOwn) {
  const QByteArray previous = qgetenv("FWG_PLUGIN_PATH"), only = qgetenv("FWG_NO_DEFAULT_PLUGINS");
  const oxString own = vosLibrary::GetAbsoluteFileName(vosLibrary::GetExecutableFolder() + "/../plugins");
  qputenv("FWG_PLUGIN_PATH", QByteArray::fromStdString(kPluginDir + ":" + own + ":" + kPluginDir + "/."));
  qunsetenv("FWG_NO_DEFAULT_PLUGINS");
  const oxStlVector<oxString> added = fwc::PluginManager::GetPluginFolders();
  qputenv("FWG_NO_DEFAULT_PLUGINS", "1");
  const oxStlVector<oxString> alone = fwc::PluginManager::GetPluginFolders();
  qputenv("FWG_PLUGIN_PATH", previous);
  qputenv("FWG_NO_DEFAULT_PLUGINS", only);
  ASSERT_EQ(added.size(), 2u);
  EXPECT_EQ(QFileInfo(QString::fromStdString(added[0])), QFileInfo(QString::fromStdString(kPluginDir)));
  EXPECT_EQ(QFileInfo(QString::fromStdString(added[1])), QFileInfo(QString::fromStdString(own)));
  EXPECT_EQ(alone.size(), 2u) << "the host's own only as the environment names it";
}

}  // namespace
