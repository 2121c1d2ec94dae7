#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/settings/oxSettings.h"

namespace {

oxString ReadAll(const oxString& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

void WriteAll(const oxString& path, const oxString& text) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.data(), static_cast<qint64>(text.size()));
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

class SettingsFile : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  oxString PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }
  QTemporaryDir dir_;
};

// Window records are written as bool, long and int and read back with the
// matching getter; text that looks like a number must stay text.
TEST_F(SettingsFile, ValuesKeepTheirTypeAcrossReopening) {
  const oxString path = PathOf("app.ini");
  const oxString awkward = "  lead = a:b [x] #not a comment\n\\tail\t ";
  {
    auto store = oxSettings::Open(path);
    store->Set("Visible", true);
    store->Set("Width", 800);
    store->Set("Flags", static_cast<long long>(5000000000LL));
    store->Set("Number", "42");
    store->Set("Empty", "");
    store->Set(awkward, awkward);
    oxSettings* record = store->GetSection("/Corvane/demo/main", true, true);
    record->Set("X", -10);
    record->Set("Gone", 1);
    record->Remove("Gone");
    record->Set("Pointer", 1);
    testing::internal::CaptureStderr();
    record->Set("Pointer", store.get());  // refused, the earlier value stays
    EXPECT_EQ(CountLines(testing::internal::GetCapturedStderr()), 1);
    store->GetSection("/Corvane/empty", true, true);
  }  // the root writes itself on the way out

  auto store = oxSettings::Open(path);
  EXPECT_EQ(store->Get("Visible"), oxVariant(true));
  EXPECT_EQ(store->Get("Width"), oxVariant(800));
  EXPECT_EQ(store->Get("Flags"), oxVariant(5000000000LL));
  EXPECT_EQ(store->Get("Number").GetType(), oxVariant::Type::String);
  EXPECT_EQ(store->Get("Number").GetString(), "42");
  EXPECT_EQ(store->Get("Empty"), oxVariant(""));
  EXPECT_EQ(store->Get(awkward), oxVariant(awkward));
  EXPECT_TRUE(store->Get("Absent").IsEmpty());
  oxSettings* record = store->GetSection("Corvane/demo/main", false, true);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Get("X", true), oxVariant(-10));
  EXPECT_EQ(record->Get("Pointer"), oxVariant(1));
  EXPECT_FALSE(record->Has("Gone"));
  EXPECT_EQ(store->GetSection("Corvane", false, true)->GetSectionNames(),
            (oxStlVector<oxString>{"demo", "empty"}));
  EXPECT_FALSE(store->IsModified());
}

TEST_F(SettingsFile, SectionsAreFoundByPathAndMadeOnlyWhenAsked) {
  auto store = oxSettings::Open(PathOf("sections.ini"));
  EXPECT_EQ(store->GetSection("/Corvane/demo", false, true), nullptr);
  EXPECT_FALSE(store->IsModified());

  oxSettings* demo = store->GetSection("/Corvane/demo", true, true);
  ASSERT_NE(demo, nullptr);
  EXPECT_EQ(demo->GetPath(), "/Corvane/demo");
  EXPECT_EQ(store->GetPath(), "/");
  // Leading, trailing and doubled slashes name the same section.
  EXPECT_EQ(store->GetSection("//Corvane///demo/", false, true), demo);
  EXPECT_EQ(store->GetSection("/Corvane/", false, true)->GetSectionNames(),
            oxStlVector<oxString>{"demo"});

  // Below a section, or from the root whatever section is asked.
  oxSettings* window = demo->GetSection("main/window", true, false);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetPath(), "/Corvane/demo/main/window");
  EXPECT_EQ(window->GetSection("/Corvane/demo", false, true), demo);
  EXPECT_EQ(window->GetSection("Corvane", false, false), nullptr);
  EXPECT_EQ(demo->GetSection("", false, false), demo);

  // Values belong to their own section only.
  window->Set("X", 1);
  EXPECT_TRUE(window->Has("X"));
  EXPECT_FALSE(demo->Has("X"));
  EXPECT_EQ(window->GetKeys(), oxStlVector<oxString>{"X"});
}

// A damaged file must not take the user's settings with it: the store starts
// empty and the file stays as it was until something is written.
TEST_F(SettingsFile, BrokenFileIsReportedOnceAndKeptUntilTheFirstSet) {
  const oxString path = PathOf("broken.ini");
  const oxString broken = "[/Corvane]\nWidth:int = 800\nthis line has no value\nX:int = 3\n";
  WriteAll(path, broken);

  testing::internal::CaptureStderr();
  auto store = oxSettings::Open(path);
  const std::string error = testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountLines(error), 1);
  EXPECT_NE(error.find("fwg: " + path + ":3:"), std::string::npos) << error;
  EXPECT_TRUE(store->GetKeys().empty());
  EXPECT_EQ(store->GetSection("Corvane", false, true), nullptr);

  EXPECT_TRUE(store->Sync());
  store.reset();
  EXPECT_EQ(ReadAll(path), broken);

  WriteAll(path, "Width:int = notanumber\n");
  testing::internal::CaptureStderr();
  store = oxSettings::Open(path);
  EXPECT_NE(testing::internal::GetCapturedStderr().find(":1:"), std::string::npos);
  store->Set("Width", 640);
  store.reset();
  EXPECT_EQ(oxSettings::Open(path)->Get("Width"), oxVariant(640));
}

// Makes a folder refuse new entries, also to root, which ignores mode bits.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const QString& path) : path_(path.toStdString()) {
    chmod(path_.c_str(), 0555);
    if (geteuid() != 0) {
      locked_ = true;
      return;
    }
    const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags |= FS_IMMUTABLE_FL;
      immutable_ = locked_ = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (fd >= 0) close(fd);
  }
  ~ReadOnlyFolder() {
    if (immutable_) {
      const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
      int flags = 0;
      if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags &= ~FS_IMMUTABLE_FL;
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
      }
      if (fd >= 0) close(fd);
    }
    chmod(path_.c_str(), 0755);
  }
  bool IsLocked() const { return locked_; }

 private:
  oxString path_;
  bool locked_ = false;
  bool immutable_ = false;
};

TEST_F(SettingsFile, FailedSyncLeavesThePreviousFileWhole) {
  const oxString path = PathOf("atomic.ini");
  auto store = oxSettings::Open(path);
  store->Set("Width", 800);
  ASSERT_TRUE(store->Sync());
  const oxString before = ReadAll(path);
  ASSERT_FALSE(before.empty());

  store->Set("Width", 1024);
  store->Set("Height", 768);
  {
    ReadOnlyFolder lock(dir_.path());
    if (!lock.IsLocked()) GTEST_SKIP() << "cannot make a folder read-only here";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store->Sync());
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountLines(error), 1);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_TRUE(store->IsModified());
  }
  EXPECT_EQ(ReadAll(path), before);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"atomic.ini"});

  // Once writable again the pending change goes out.
  ASSERT_TRUE(store->Sync());
  EXPECT_EQ(oxSettings::Open(path)->Get("Height"), oxVariant(768));
}

TEST(SettingsMemory, StoreWithoutFileWritesNothing) {
  auto store = oxSettings::Create();
  store->GetSection("manifest", true, true)->Set("profile", "Editor");
  EXPECT_EQ(store->GetFilePath(), "");
  EXPECT_TRUE(store->Sync());
  EXPECT_EQ(store->GetSection("manifest", false, true)->Get("profile"), oxVariant("Editor"));
}

}  // namespace
