#include <cstdlib>

#include "platform/vos/vosFile.h"
#include "platform/vos/vosFileInfo.h"
#include "platform/vos/vosLibrary.h"
#include "tests/support/TestBasics.h"

namespace {

oxString CurrentFolder() { return QDir::currentPath().toStdString(); }

// Icon search paths are written with variables; a variable that is not set
// must vanish rather than leave "$NAME" in the path. Relative paths resolve
// against the working folder.
TEST(AbsoluteFileName, ExpandsVariablesResolvesAndCleans) {
  setenv("FWG_VOS_TEST_ROOT", "/opt/corvane", 1);
  setenv("FWG_VOS_TEST_REL", "rel", 1);
  unsetenv("FWG_VOS_TEST_UNSET");
  const std::pair<oxString, oxString> cases[] = {
      {"$FWG_VOS_TEST_ROOT/scripts/images", "/opt/corvane/scripts/images"},
      {"${FWG_VOS_TEST_ROOT}/ui", "/opt/corvane/ui"},
      {"${FWG_VOS_TEST_ROOT}2/../ui", "/opt/ui"},
      {"$FWG_VOS_TEST_UNSET/scripts/images/ui/toolbars", "/scripts/images/ui/toolbars"},
      {"/price/$5/${unclosed", "/price/$5/${unclosed"},  // a dollar that starts no name
      {"icons/./small//a.png", CurrentFolder() + "/icons/small/a.png"},
      {"/a/b/../c/", "/a/c"},
      {"", ""},
      {"$FWG_VOS_TEST_REL/x", CurrentFolder() + "/rel/x"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(vosLibrary::GetAbsoluteFileName(path), expected) << path;
}

// Paths written on another system separate their parts with '\'; translation
// files are then found by the folder and file name of such a path.
TEST(FileInfo, TakesBackslashesAsSeparators) {
  const vosFileInfo windows("C:\\res\\demo.qm"), bare("");
  EXPECT_EQ((std::vector<oxString>{windows.GetPath(), windows.GetFileName(), bare.GetPath()}),
            (std::vector<oxString>{"C:/res", "demo.qm", "."}));
}

TEST(FileExists, AnswersForRegularFilesOnly) {
  QTemporaryDir dir;
  const oxString root = dir.path().toStdString();
  ASSERT_TRUE(QFile(dir.filePath("icon.png")).open(QIODevice::WriteOnly) && QDir(dir.path()).mkdir("folder.png"));
  EXPECT_EQ((std::vector<bool>{vosFile::Exists(root + "/icon.png"), vosFile::Exists(root + "/folder.png"),
                               vosFile::Exists(root + "/missing.png"), vosFile::Exists("")}),
            (std::vector<bool>{true, false, false, false}));
}

}  // namespace
