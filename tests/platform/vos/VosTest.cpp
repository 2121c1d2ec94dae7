#include <cstdlib>
#include <sys/stat.h>

#include "platform/vos/vosFile.h"
#include "platform/vos/vosFileInfo.h"
#include "platform/vos/vosLibrary.h"
#include "tests/ChildProcess.h"
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

// Every reader of a file a person chose goes through ReadFile: a named pipe
// would block it in open() for good, a device such as /dev/zero would be
// read until memory runs out, and a giant file is no scheme or declaration.
TEST(ReadFile, TakesRegularFilesUpToTheirLimitAndNothingElse) {
  QTemporaryDir dir;
  const oxString root = dir.path().toStdString();
  ASSERT_EQ(mkfifo((root + "/pipe").c_str(), 0600), 0);
  ASSERT_TRUE(WriteAll(root + "/small", "abc") && WriteAll(root + "/large", std::string(2048, 'x')));
  const struct { oxString path; const char* error; } cases[] = {
      {root + "/small", ""},
      {root + "/pipe", "not a regular file but a named pipe"},
      {"/dev/zero", "not a regular file but a device"},
      {root, "not a regular file but a folder"},
      {root + "/large", "larger than 1 KB"},
      {root + "/missing", std::strerror(ENOENT)},
  };
  for (const auto& c : cases) {
    const ChildResult read = RunInChild([&] {
      alarm(20);  // a bound on a hang, not a timing
      QByteArray data;
      oxString error;
      const bool done = vosFile::ReadFile(c.path, 1024, &data, &error);
      const bool checked = vosFile::CheckReadable(c.path, 1024, nullptr);
      std::fputs(error.c_str(), stderr);
      return done == checked && done == (data == "abc") && (done || data.isEmpty()) ? 0 : 1;
    });
    EXPECT_EQ(read.exitCode, 0) << c.path;
    EXPECT_EQ(read.error, c.error) << c.path;
  }
}

}  // namespace
