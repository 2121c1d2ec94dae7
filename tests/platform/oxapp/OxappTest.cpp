#include <cstdlib>

#include "platform/oxapp/Application.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/vos/vosLibrary.h"
#include "tests/support/TestBasics.h"

namespace {

TEST(CommandLine, ValuesFollowTheFirstOccurrenceOfTheirOption) {
  oxapp::CommandLine commandLine;
  commandLine.SetArguments({"tavrix", "-client", "demo", "-locale", "de", "-client", "other", "-last"});
  EXPECT_EQ(commandLine.GetValue("-client") + commandLine.GetValue("-locale"), "demode");
  EXPECT_EQ(commandLine.GetValue("-last"), "");  // nothing follows it
  EXPECT_TRUE(commandLine.HasOption("-last") && !commandLine.HasOption("-missing"));

  // The program name is not an option, even when it looks like one.
  char program[] = "-client", value[] = "demo";
  char* argv[] = {program, value};
  commandLine.SetArguments(2, argv);
  EXPECT_EQ(commandLine.GetArguments(), (oxStlVector<oxString>{"-client", "demo"}));
  EXPECT_EQ(commandLine.GetValue("-client"), "");

  // Without SetArguments the process-wide command line reads the running
  // application's arguments, so a host that never hands them over works.
  const auto& arguments = oxapp::CommandLine::Get()->GetArguments();
  ASSERT_FALSE(arguments.empty());
  EXPECT_NE(arguments.front().find("OxappTest"), oxString::npos);
}

class ResourceLookup : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    base_ = dir_.path().toStdString();
  }
  // The file beside the executable goes again; the temporary folder takes
  // the rest.
  void TearDown() override {
    if (!shipped_.empty()) QDir(QString::fromStdString(shipped_)).removeRecursively();
  }
  oxString MakeFile(const oxString& path) {
    const QString file = QString::fromStdString(path.starts_with('/') ? path : base_ + "/" + path);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile(file).open(QIODevice::WriteOnly);
    return file.toStdString();
  }
  QTemporaryDir dir_;
  oxString base_, shipped_;
};

TEST_F(ResourceLookup, FoldersThenEnvironmentRootsThenAddedRootsThenExecutableResources) {
  // The same names in several places: each lookup must take the earliest.
  const oxString inFolder = MakeFile("folder/a.png");
  MakeFile("env/demo/a.png");
  const oxString inEnvironment = MakeFile("env/demo/b.png");
  MakeFile("added/demo/b.png");
  const oxString inSecondRoot = MakeFile("added/demo/c.png");
  MakeFile("otherfolder/d.png");  // registered for another context only
  MakeFile("env/other/d.png");
  QDir().mkpath(QString::fromStdString(base_ + "/added/demo/dir.png"));
  setenv("FWG_RESOURCE_PATH", (base_ + "/none:" + base_ + "/env").c_str(), 1);

  oxapp::Application application;
  application.AddResourceFolder("demo", base_ + "/folder");
  application.AddResourceFolder("other", base_ + "/otherfolder");
  application.AddResourceRoot(base_ + "/added");

  std::vector<oxString> found;  // a folder is no resource
  for (const char* name : {"a.png", "b.png", "c.png", "d.png", "dir.png", ""})
    found.push_back(application.GetResource("demo", name));
  EXPECT_EQ(found, (std::vector<oxString>{inFolder, inEnvironment, inSecondRoot, "", "", ""}));
  EXPECT_EQ(application.GetResource("other", "d.png"), base_ + "/otherfolder/d.png");

  // Last comes the resources folder beside the executable's folder.
  shipped_ = vosLibrary::GetExecutableFolder() + "/../resources/oxapptest-ctx";
  const oxString shipped = MakeFile(shipped_ + "/e.png");
  EXPECT_EQ(application.GetResource("oxapptest-ctx", "e.png"), shipped);
  unsetenv("FWG_RESOURCE_PATH");
}

TEST(ApplicationSettings, StoreIsNamedAfterTheApplicationAndWrittenOnExit) {
  // The platform knows no host: unnamed, the application goes by its
  // executable's name.
  EXPECT_EQ(oxapp::Application().GetName(), "OxappTest");
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QByteArray previous = qgetenv("FWG_CONFIG_DIR");
  qputenv("FWG_CONFIG_DIR", dir.path().toUtf8());
  for (int width : {640, 0}) {
    oxapp::Application application;
    application.SetName("editor");
    oxSettings* demo = application.GetSettings()->GetSection("/Corvane/demo", true, true);
    if (width) demo->Set("Width", width);
    else EXPECT_EQ(demo->Get("Width"), oxVariant(640)) << "read back in the next run";
  }
  // A host that never names the application: the executable's name, not ".ini".
  EXPECT_EQ(oxapp::Application().GetSettings()->GetFilePath(), dir.path().toStdString() + "/OxappTest.ini");
  qputenv("FWG_CONFIG_DIR", previous);
}

}  // namespace
