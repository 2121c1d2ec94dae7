#include <sys/stat.h>
#include <unistd.h>

#include "platform/settings/oxSettings.h"
#include "platform/settings/oxSettingsText.h"
#include "tests/ChildProcess.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/TestBasics.h"

namespace {

// The values a file holds, read apart from any store.
QSettings::SettingsMap InFile(const oxString& path) {
  return oxSettingsText::Read(QByteArray::fromStdString(ReadAll(path)), nullptr);
}

class SettingsFile : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  oxString PathOf(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }
  QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files, QDir::Name); }
  QTemporaryDir dir_;
};

// Window records are written as bool, long and int and read back with the
// matching getter; text that looks like a number must stay text.
TEST_F(SettingsFile, ValuesKeepTheirTypeAcrossReopening) {
  const oxString path = PathOf("app.ini");
  const oxString awkward = "  lead = a:b/c [x] #not a comment\n\\tail\t ";
  const std::pair<oxString, oxVariant> values[] = {
      {"Visible", true}, {"Width", 800},      {"Flags", 5000000000LL}, {"Number", "42"},
      {"Empty", ""},     {"Tagged", "@int 42"}, {awkward, awkward}};
  {
    auto store = oxSettings::Open(path);
    for (const auto& [key, value] : values) store->Set(key, value);
    oxSettings* record = store->GetSection("/Corvane/demo/main", true, true);
    record->Set("X", -10);
    record->Set("Gone", 1);
    record->Remove("Gone");
    record->Set("Pointer", 1);
    // A key named like a section goes without the section.
    oxSettings* demo = store->GetSection("Corvane/demo", false, true);
    demo->Set("main", 7);
    demo->Remove("main");
    // Refused, the earlier value stays.
    EXPECT_EQ(CountLines(StderrOf([&] { record->Set("Pointer", store.get()); })), 1);
  }  // the root writes itself on the way out

  auto store = oxSettings::Open(path);
  for (const auto& [key, value] : values) EXPECT_EQ(store->Get(key), value) << key;
  EXPECT_TRUE(store->Get("Absent").IsEmpty());
  oxSettings* record = store->GetSection("Corvane/demo/main", false, true);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ((oxStlVector<oxVariant>{record->Get("X", true), record->Get("Pointer")}), (oxStlVector<oxVariant>{-10, 1}));
  EXPECT_FALSE(record->Has("Gone"));
  EXPECT_EQ(store->GetSection("Corvane/demo", false, true)->GetKeys(), oxStlVector<oxString>{});
  EXPECT_FALSE(store->IsModified());
}

// Files written before the store moved onto QSettings keep their values.
TEST_F(SettingsFile, AFileOfTheEarlierFormIsWrittenAgainInTheCurrentOne) {
  const oxString path = PathOf("earlier.ini");
  ASSERT_TRUE(WriteAll(path, "# fwg settings\n[/]\nTop:int = 5\n[/Corvane/demo]\nVisible:bool = true\n"
                 "Flags:long = 5000000000\nTitle:string = \\ Main\\: window\\n\n[/Corvane/empty]\n"));
  std::unique_ptr<oxSettings> store;
  EXPECT_EQ(StderrOf([&] { store = oxSettings::Open(path); }), "");
  oxSettings* demo = store->GetSection("Corvane/demo", false, true);
  ASSERT_NE(demo, nullptr);
  EXPECT_EQ((oxStlVector<oxVariant>{store->Get("Top"), demo->Get("Visible"), demo->Get("Flags"), demo->Get("Title")}),
            (oxStlVector<oxVariant>{5, true, 5000000000LL, " Main: window\n"}));
  EXPECT_TRUE(ReadAll(path).starts_with("; fwg settings\n")) << ReadAll(path);
  EXPECT_EQ(InFile(path).size(), 4);
  EXPECT_FALSE(store->IsModified());
}

TEST_F(SettingsFile, SectionsAreFoundByPathAndMadeOnlyWhenAsked) {
  auto store = oxSettings::Open(PathOf("sections.ini"));
  EXPECT_EQ(store->GetSection("/Corvane/demo", false, true), nullptr);
  EXPECT_FALSE(store->IsModified());

  oxSettings* demo = store->GetSection("/Corvane/demo", true, true);
  ASSERT_NE(demo, nullptr);
  EXPECT_EQ(store->GetSection("/Corvane/", false, true)->GetSectionNames(), oxStlVector<oxString>{"demo"});

  // Below a section, or from the root whatever section is asked; leading,
  // trailing and doubled slashes name the same section.
  oxSettings* window = demo->GetSection("main/window", true, false);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetPath(), "/Corvane/demo/main/window");
  EXPECT_EQ((std::vector<oxSettings*>{store->GetSection("//Corvane///demo/", false, true),
                                      window->GetSection("/Corvane/demo", false, true),
                                      window->GetSection("Corvane", false, false), demo->GetSection("", false, false)}),
            (std::vector<oxSettings*>{demo, demo, nullptr, demo}));

  // Values belong to their own section only.
  window->Set("X", 1);
  EXPECT_FALSE(demo->Has("X"));

  // Beyond the limits: one line each, nothing made or stored.
  oxString deep;
  for (int i = 0; i < oxSettingsText::kMaxDepth; ++i) deep += "/a";
  const oxString huge(oxSettingsText::kMaxNameSize + 1, 'k');
  const std::string error = StderrOf([&] {
    EXPECT_EQ(window->GetSection(deep, true, false), nullptr);
    EXPECT_EQ(store->GetSection(huge, true, true), nullptr);
    window->Set(huge, 1);
    window->Set("", 1);
  });
  EXPECT_EQ(CountLines(error), 4) << error;
  EXPECT_LT(error.size(), 1000u) << "echoed names are cut short";
  EXPECT_NE(store->GetSection(deep, true, true), nullptr) << "64 levels are allowed";
  EXPECT_EQ(window->GetKeys(), oxStlVector<oxString>{"X"});

  // A store without a file writes nothing and says so by succeeding.
  auto memory = oxSettings::Create();
  memory->GetSection("manifest", true, true)->Set("profile", "Editor");
  EXPECT_TRUE(memory->Sync());
}

// A damaged file must not take the user's settings with it: every good line
// is kept, the file as it was is copied aside before anything is written
// over it, and one line says so.
TEST_F(SettingsFile, BadLinesCostOnlyThemselvesAndTheFileIsCopiedAside) {
  oxString deep = "[a";
  for (int i = 0; i < oxSettingsText::kMaxDepth; ++i) deep += "/a";
  const struct { oxString bad; const char* problem; } cases[] = {
      {"this line has no value\n", "expected 'key=value'"},
      {"Width=@int wide\n", "bad typed value '@int wide'"},
      {"Tab=\\q\n", "escape"},
      {"Bad%zz=1\n", "bad key 'Bad%zz'"},
      {oxString(5000, 'k') + "=1\n", "key longer than 1024 bytes"},
      {deep + "]\nLost=1\n", "deeper than 64 levels; 2 lines not read"},
      {"[Corvane\nLost=1\n", "expected ']'"},
  };
  int index = 0;
  for (const auto& c : cases) {
    const oxString path = PathOf("bad" + std::to_string(index++) + ".ini");
    const oxString text = "; fwg settings\nTop=@int 1\n" + c.bad + "[Kept]\nName=kept\n";
    ASSERT_TRUE(WriteAll(path, text));
    std::unique_ptr<oxSettings> store;
    const std::string error = StderrOf([&] { store = oxSettings::Open(path); });
    EXPECT_EQ(CountLines(error), 1) << error;
    EXPECT_TRUE(error.starts_with("fwg: " + path + ":3: ")) << error;
    ExpectContains(error, {c.problem, path + ".broken"});
    EXPECT_LT(error.size(), 1000u) << "echoed input is cut short";
    EXPECT_EQ(ReadAll(path + ".broken"), text);

    store->Set("Added", true);
    store.reset();
    EXPECT_EQ(InFile(path), (QSettings::SettingsMap{{"Top", 1}, {"Kept/Name", QByteArray("kept")}, {"Added", true}}))
        << c.bad;
  }
}

// A named pipe in place of the file would block the program at start, a
// device would be read until memory runs out: neither is read, and neither
// is ever written over.
TEST_F(SettingsFile, ANamedPipeOrADeviceIsNeitherReadNorWrittenOver) {
  const oxString pipe = PathOf("pipe.ini");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const oxString& path : {pipe, oxString("/dev/zero")}) {
    const ChildResult opened = RunInChild([&] {
      alarm(20);  // a bound on a hang, not a timing
      auto store = oxSettings::Open(path);
      store->Set("Width", 800);
      oxString error;
      return !store->Sync(&error) && store->Get("Width") == oxVariant(800) && !error.empty() ? 0 : 1;
    });
    EXPECT_EQ(opened.exitCode, 0) << path << ": " << opened.error;
    EXPECT_EQ(CountLines(opened.error), 1) << opened.error;
    ExpectContains(opened.error, {"'" + path + "': not a regular file", "changes stay in memory"});
  }
  struct stat info {};
  EXPECT_TRUE(stat(pipe.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) << "left as it was";
}

// A settings folder deleted while the program runs (or a network home that
// dropped) must not take the user's other settings with it: the next write
// puts back everything the program holds, not only the newest change.
TEST_F(SettingsFile, WhatIsHeldIsWrittenBackWholeWhenTheFolderVanished) {
  const QString folder = dir_.filePath("config");
  const oxString path = folder.toStdString() + "/app.ini";
  auto store = oxSettings::Open(path);
  store->GetSection("User/Shortcuts/Base", true, true)->Set("save", "Ctrl+Alt+S");
  store->Set("Width", 800);
  ASSERT_TRUE(store->Sync());
  const QSettings::SettingsMap held = InFile(path);

  ASSERT_TRUE(QDir(folder).removeRecursively());
  const std::string error = StderrOf([&] { EXPECT_TRUE(store->Sync()) << "nothing changed, all the same"; });
  EXPECT_EQ(CountLines(error), 1) << error;
  EXPECT_EQ(InFile(path), held);

  ASSERT_TRUE(QDir(folder).removeRecursively());
  store->Set("Height", 600);
  ASSERT_TRUE(store->Sync());
  QSettings::SettingsMap now = held;
  now.insert("Height", 600);
  EXPECT_EQ(InFile(path), now);
  EXPECT_EQ(store->GetSection("User/Shortcuts/Base", false, true)->Get("save"), oxVariant("Ctrl+Alt+S"));
}

// On a full disk the settings file itself is often never reached: the lock
// file beside it is written first. The reason given must be the disk's.
TEST_F(SettingsFile, AFullDiskIsTheReasonGivenEvenWhereTheLockFileMeetsIt) {
  const QString folder = dir_.filePath("disk");
  ASSERT_TRUE(QDir().mkpath(folder));
  const oxString path = folder.toStdString() + "/app.ini";
  const ChildResult full = RunInChild([&] {
    if (!MountSmallDisk(folder.toStdString(), 64 << 10)) return 77;
    auto store = oxSettings::Open(path);
    store->Set("Width", 800);
    if (!store->Sync()) return 2;
    FillDisk(folder.toStdString());
    store->Set("Height", 600);
    oxString error;
    return !store->Sync(&error) && error == std::strerror(ENOSPC) && ReadAll(path).find("Height") == std::string::npos ? 0 : 1;
  });
  if (full.exitCode != 77) {
    EXPECT_EQ(full.exitCode, 0) << full.error;
    EXPECT_EQ(full.error, "fwg: cannot write settings file '" + path + "': " + std::strerror(ENOSPC) + "\n");
    return;
  }
  // No disk of its own here: a file size limit below what a lock file
  // holds fails its write the same way.
  auto store = oxSettings::Open(path);
  store->Set("Width", 800);
  const ChildResult limited = RunInChild([&] { return store->Sync() ? 1 : 0; }, 8);
  EXPECT_EQ(limited.exitCode, 0);
  EXPECT_EQ(limited.error, "fwg: cannot write settings file '" + path + "': " + std::strerror(EFBIG) + "\n");
}

// Numbers a user may set are read with their range: a value outside it (or
// no number at all) costs one line and the default, never an overflow
// further on.
TEST_F(SettingsFile, NumbersAreReadWithinTheirRangeOrTheFallbackIsUsed) {
  auto store = oxSettings::Open(PathOf("numbers.ini"));
  oxSettings* section = store->GetSection("Sessions", true, true);
  const struct { oxVariant value; int64_t read; } cases[] = {
      {oxVariant(30), 30},           {oxVariant("45"), 45},         {oxVariant(3000000), 60},
      {oxVariant(-5), 60},           {oxVariant("often"), 60},      {oxVariant(5000000000LL), 60},
      {oxVariant(true), 60},         {oxVariant("12 "), 60},        {oxVariant(0), 0},
  };
  for (const auto& c : cases) {
    section->Set("AutosaveSeconds", c.value);
    int64_t read = 0;
    const std::string error = StderrOf([&] { read = section->GetInteger("AutosaveSeconds", 60, 0, 86400); });
    EXPECT_EQ(read, c.read) << c.value.GetString();
    EXPECT_EQ(CountLines(error), c.read == 60 ? 1 : 0) << error;
    if (c.read == 60) ExpectContains(error, {"'/Sessions/AutosaveSeconds'", "(0 to 86400); 60 is used"});
  }
  section->Remove("AutosaveSeconds");
  EXPECT_EQ(StderrOf([&] { EXPECT_EQ(section->GetInteger("AutosaveSeconds", 60, 0, 86400), 60); }), "");
}

// Whatever byte a file ends at (a crash, a full disk in another program),
// the lines before it are read, and the next write keeps them.
TEST_F(SettingsFile, AFileCutAtAnyByteKeepsEveryCompleteLine) {
  const struct {
    const char* text;
    const char* key;  // as the file reader names it; null for other lines
    QVariant value;
  } lines[] = {
      {"; fwg settings\n", nullptr, {}},
      {"Top=@int 5\n", "Top", 5},
      {"[Corvane/demo]\n", nullptr, {}},
      {"Visible=@bool true\n", "Corvane/demo/Visible", true},
      {"Flags=@long 5000000000\n", "Corvane/demo/Flags", 5000000000LL},
      {"Title=\\x20Main window\\n\n", "Corvane/demo/Title", QByteArray(" Main window\n")},
      {"[Corvane/demo/main]\n", nullptr, {}},
      {"Width=@int 800\n", "Corvane/demo/main/Width", 800},
  };
  oxString whole;
  for (const auto& line : lines) whole += line.text;

  for (size_t cut = 0; cut <= whole.size(); ++cut) {
    const oxString path = PathOf("cut" + std::to_string(cut) + ".ini");
    ASSERT_TRUE(WriteAll(path, whole.substr(0, cut)));
    const std::string error = StderrOf([&] { oxSettings::Open(path)->Set("Added", 1); });

    const QSettings::SettingsMap written = InFile(path);
    size_t end = 0;
    for (const auto& line : lines) {
      end += std::strlen(line.text);
      if (!line.key) continue;
      if (end <= cut) EXPECT_EQ(written.value(line.key), line.value) << cut << ": " << line.key;
      else EXPECT_FALSE(written.contains(line.key)) << cut << ": " << line.key;
    }
    EXPECT_EQ(written.value("Added"), QVariant(1)) << cut;
    const bool midLine = cut > std::strlen(lines[0].text) && whole[cut - 1] != '\n';
    EXPECT_EQ(CountLines(error), midLine ? 1 : 0) << cut << ": " << error;
    EXPECT_EQ(ReadAll(path + ".broken"), midLine ? whole.substr(0, cut) : "") << cut;
  }
}

TEST_F(SettingsFile, FailedSavesSayWhyOnceAndLeaveTheOldFileAsItWas) {
  const oxString path = PathOf("atomic.ini");
  auto store = oxSettings::Open(path);
  store->Set("Width", 800);
  ASSERT_TRUE(store->Sync());
  const oxString before = ReadAll(path);

  // A full disk, which a small file meets only at the final flush; a file
  // size limit stands in for it.
  store->Set("Title", oxString(600, 't'));
  const ChildResult full = RunInChild([&] { return store->Sync() ? 1 : 0; }, before.size() + 300);
  EXPECT_EQ(full.exitCode, 0);
  EXPECT_EQ(full.error, "fwg: cannot write settings file '" + path + "': " + std::strerror(EFBIG) + "\n");
  EXPECT_EQ(ReadAll(path), before);
  EXPECT_EQ(Files(), QStringList{"atomic.ini"}) << "no temporary file is left";

  {
    ReadOnlyFolder lock(dir_.path());
    if (!lock.IsLocked()) GTEST_SKIP() << "cannot make a folder read-only here";
    auto elsewhere = oxSettings::Open(PathOf("locked/sub/app.ini"));
    elsewhere->Set("Width", 1);
    const std::string error = StderrOf([&] {
      EXPECT_FALSE((store->Sync() || store->Sync()) || elsewhere->Sync());
      elsewhere.reset();  // tries again, quietly
    });
    EXPECT_EQ(CountLines(error), 2) << error;
    ExpectContains(error, {"'" + path + "': ", "locked/sub/app.ini"});
    EXPECT_FALSE(Contains(error, std::strerror(ENOENT))) << "the folder's own reason: " << error;
    EXPECT_TRUE(store->IsModified());
  }
  EXPECT_EQ(ReadAll(path), before);
  EXPECT_EQ(Files(), QStringList{"atomic.ini"});

  // Once writable again the pending change goes out.
  ASSERT_TRUE(store->Sync());
  EXPECT_EQ(InFile(path).value("Title"), QVariant(QByteArray(600, 't')));
}

// Two running instances of the program share one settings file; what one
// writes must survive the other's next write.
TEST_F(SettingsFile, TwoInstancesWritingOneFileKeepEachOthersKeys) {
  const oxString path = PathOf("shared.ini");
  auto store = oxSettings::Open(path);
  store->Set("Shared", 1);
  ASSERT_TRUE(store->Sync());

  const ChildResult other = RunInChild([&] {
    auto theirs = oxSettings::Open(path);
    theirs->GetSection("Theirs", true, true)->Set("Width", 640);
    theirs->Set("Shared", 2);
    return theirs->Sync() ? 0 : 1;
  });
  ASSERT_EQ(other.exitCode, 0) << other.error;
  store->GetSection("Mine", true, true)->Set("Width", 800);
  ASSERT_TRUE(store->Sync());

  EXPECT_EQ(InFile(path), (QSettings::SettingsMap{{"Theirs/Width", 640}, {"Mine/Width", 800}, {"Shared", 2}}));
  EXPECT_EQ(store->GetSection("Theirs", false, true)->Get("Width"), oxVariant(640));
}

}  // namespace
