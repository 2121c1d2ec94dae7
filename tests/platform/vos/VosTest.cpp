#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/vos/vosFile.h"
#include "platform/vos/vosFileInfo.h"
#include "platform/vos/vosLibrary.h"

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

// Translation files are loaded from the folder and the file name of a
// resource path, so the split must give back a usable folder in every shape.
TEST(FileInfo, SplitsIntoFolderAndFileName) {
  struct Case {
    const char* path;
    const char* folder;
    const char* fileName;
  };
  const Case cases[] = {
      {"/res/demo/translations_de.qm", "/res/demo", "translations_de.qm"},
      {"translations_de.qm", ".", "translations_de.qm"},
      {"/translations_de.qm", "/", "translations_de.qm"},
      {"res//demo.qm", "res", "demo.qm"},
      {"res/demo/", "res/demo", ""},
      {"res\\demo\\translations_de.qm", "res/demo", "translations_de.qm"},
      {"C:\\res\\demo.qm", "C:/res", "demo.qm"},
      {"res/../demo/./x.qm", "demo", "x.qm"},
      {"../x.qm", "..", "x.qm"},
      {"", ".", ""},
  };
  for (const Case& c : cases) {
    const vosFileInfo info(c.path);
    EXPECT_EQ(info.GetPath(), c.folder) << c.path;
    EXPECT_EQ(info.GetFileName(), c.fileName) << c.path;
  }
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
