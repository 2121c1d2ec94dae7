// The client manager and clients, loaded from real plug-ins. Loaded
// plug-ins stay for the rest of the process, so the tests that load them
// need a process of their own, as CTest gives each test; run by hand in one
// process they skip once the plug-in is already in.

#include "fwg/clients/ClientManager.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/Profile.h"
#include "platform/fwc/Director.h"
#include "platform/fwc/PluginManager.h"
#include "platform/oxapp/CommandLine.h"
#include "platform/oxt/CurrentObjects.h"
#include "tests/support/DocumentClient.h"
#include "tests/support/TestBasics.h"
#include "tests/support/WithGui.h"

namespace {

const oxString kPluginDir = CLIENTTEST_PLUGIN_DIR;

// Before anything asks for the plug-in manager: it reads this folder once.
const bool kEnvironmentSet = [] {
  return setenv("FWG_PLUGIN_PATH", CLIENTTEST_PLUGIN_DIR, 1) == 0 &&
         setenv("FWG_CONFIG_DIR", CLIENTTEST_CONFIG_DIR, 0) == 0;
}();

// What the plug-in manager said while it read the descriptions, which it
// does once per process.
std::string g_scanErrors;

struct ScanEnvironment : ::testing::Environment {
  void SetUp() override { g_scanErrors = StderrOf([] { fwc::Director::Get()->GetPluginManager(); }); }
};

[[maybe_unused]] ::testing::Environment* const kScanEnvironment =
    ::testing::AddGlobalTestEnvironment(new ScanEnvironment);

bool IsLoaded(const oxString& plugin) {
  return fwc::Director::Get()->GetPluginManager()->IsPluginLoaded(plugin);
}

struct Log : oxListener<> {
  Strings lines;
  void Add(const std::string& line) { lines.push_back(line); }
};

class ClientFixture : public WithGui {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kEnvironmentSet);
    oxapp::CommandLine::Get()->SetArguments(oxStlVector<oxString>{"clienttest"});
    WithGui::SetUp();
  }
  static fwg::ClientManager* Manager() { return fwg::ClientManager::Get(); }
};

class PluginClientFixture : public ClientFixture {
 protected:
  void SetUp() override {
    if (IsLoaded("clienttest-main")) GTEST_SKIP() << "the test plug-in is loaded already";
    ClientFixture::SetUp();
  }
};

class LocalClient : public fwg::Client {
 public:
  LocalClient(const oxString& name, Log* log) : fwg::Client(name) { log->Add("constructed " + name); }
};

TEST_F(PluginClientFixture, FindsTheClientByNameAndAliasAndLoadsItsPluginsOnceWhenAsked) {
  Log log;
  Manager()->OnNewClient().Connect(&log, [&log](fwg::Client* c) { log.Add("new " + c->GetName()); });
  EXPECT_TRUE(Manager()->GetClientList().empty());

  fwg::Client* client = Manager()->GetClient("clienttest");
  ASSERT_NE(client, nullptr);
  EXPECT_TRUE(IsLoaded("clienttest-main"));
  for (const char* name : {"ClientTest", "clienttest", "ClientTest"})
    EXPECT_EQ(Manager()->GetClient(name), client);
  EXPECT_EQ(log.lines, (Strings{"new ClientTest"}));
  EXPECT_EQ(Manager()->GetClientList(), (oxStlVector<fwg::Client*>{client}));

  // Only the first description of a client gives its alias; names are
  // compared exactly.
  for (const char* name : {"tools", "CLIENTTEST", "clienttest-main"})
    EXPECT_EQ(Manager()->GetClient(name), nullptr);

  // The lazy profiles were announced once, by the request that loaded the
  // client, and none of their plug-ins is loaded yet.
  EXPECT_EQ(client->GetProfileNameList(),
            (oxStlVector<oxString>{"Test editor", "ClientTestTools", "ClientTestTools"}));
  ASSERT_EQ(client->GetProfileList().size(), 1u);

  // A profile the client holds already loads nothing.
  fwg::Profile* editor = client->GetProfile("ClientTestEditor");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(client->GetProfile("NoSuchProfile"), nullptr);
  EXPECT_FALSE(IsLoaded("clienttest-tools"));

  // The first plug-in offering the profile has no library: it is reported
  // and the second one, which provides the profile, is loaded in the same
  // request.
  fwg::Profile* tools = nullptr;
  const std::string error = StderrOf([&] { tools = client->GetProfile("ClientTestTools"); });
  ASSERT_NE(tools, nullptr);
  EXPECT_TRUE(IsLoaded("clienttest-tools"));
  EXPECT_EQ(CountLines(error), 1) << error;
  ExpectContains(error, {kPluginDir + "/client-tools-a.plugin"});

  // Found from now on without asking any plug-in again, and listed by
  // title in place of the waiting entries.
  EXPECT_EQ(StderrOf([&] { EXPECT_EQ(client->GetProfile("ClientTestTools"), tools); }), "");
  EXPECT_EQ(client->GetProfileNameList(), (oxStlVector<oxString>{"Test editor", "Test tools"}));
  EXPECT_EQ(client->GetProfileList(), (oxStlVector<fwg::Profile*>{editor, tools}));
}

TEST_F(PluginClientFixture, BadDescriptionsAndLibrariesAreReportedAndOtherClientsStillLoad) {
  // The description that does not parse was reported while it was read and
  // makes no client record.
  EXPECT_EQ(CountLines(g_scanErrors), 1) << g_scanErrors;
  ExpectContains(g_scanErrors, {"fwg: " + kPluginDir + "/broken.plugin:3:"});
  EXPECT_EQ(Manager()->GetClientNames(), (oxStlVector<oxString>{"clienttest", "Missing", "noentry"}));
  EXPECT_EQ(Manager()->GetClient("Broken"), nullptr);

  const std::string error = StderrOf([&] {
    // Asked again, the records load nothing and say nothing more.
    for (const char* name : {"Missing", "noentry", "Missing", "NoEntry"})
      EXPECT_EQ(Manager()->GetClient(name), nullptr) << name;
  });
  ASSERT_EQ(CountLines(error), 2) << error;
  ExpectContains(error.substr(0, error.find('\n')),
                 {kPluginDir + "/missing.plugin", "libclienttest_missing.so"});
  ExpectContains(error.substr(error.find('\n') + 1), {kPluginDir + "/noentry.plugin", "entry point"});

  ASSERT_NE(Manager()->GetClient("clienttest"), nullptr);
  EXPECT_EQ(Manager()->GetClientList().size(), 1u);
}

TEST_F(ClientFixture, ClientIsListedFromItsBaseConstructorUntilDeletedByAnyone) {
  Log log;
  Manager()->OnNewClient().Connect(&log, [&log](fwg::Client* client) {
    const auto& list = fwg::ClientManager::Get()->GetClientList();
    const bool listed = std::find(list.begin(), list.end(), client) != list.end();
    log.Add("new " + client->GetName() + (listed ? " listed" : " unlisted"));
  });

  auto *first = new LocalClient("Local", &log), *second = new LocalClient("Other", &log);
  // The announcement comes before the subclass's constructor body.
  EXPECT_EQ(log.lines,
            (Strings{"new Local listed", "constructed Local", "new Other listed", "constructed Other"}));
  EXPECT_EQ(Manager()->GetClientList(), (oxStlVector<fwg::Client*>{first, second}));
  // Found without a description, yet not among the described names.
  EXPECT_EQ(Manager()->GetClient("Other"), second);
  EXPECT_EQ(std::ranges::count(Manager()->GetClientNames(), "Other"), 0);
  // Deleted directly, not through RemoveClient: a later lookup must not
  // reach it. The manager deletes the other with the application object.
  delete first;
  EXPECT_EQ(Manager()->GetClientList(), (oxStlVector<fwg::Client*>{second}));
  EXPECT_EQ(Manager()->GetClient("Local"), nullptr);
}

// Hosts and plug-ins answer the file commands through these signals; only
// the closing and saving commands report success.
TEST_F(ClientFixture, FileOperationsEmitTheirSignalsAndReturnWhatTheyPromise) {
  auto* client = new fwg::Client("Local");
  Log log;
  client->OnSaveAs().Connect(&log, [&](fwg::ClientObject* o, const oxString& p) {
    log.Add(std::string(o ? "save as " : "save as null ") + p);
  });
  client->OnNewFolder().Connect(&log, [&](fwg::ClientObject* o, oxt::Object* parent, const oxString& n) {
    log.Add("folder " + o->GetName() + " in " + parent->GetName() + " named " + n);
  });
  oxt::Object root(nullptr, "Root");
  fwg::ClientObject document(&root, "Doc", false);
  EXPECT_EQ((std::vector<bool>{client->Close(&document), client->Save(nullptr),
                               client->SaveAs(nullptr, "/tmp/b.txt"), client->NewFolder(&document, &root, "F")}),
            (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(log.lines, (Strings{"save as null /tmp/b.txt", "folder Doc in Root named F"}));
}

TEST_F(ClientFixture, LazyEntriesAreTriedOnceEachAndListedProfilesWin) {
  auto* client = new fwg::Client("Local");
  auto* listed = new fwg::Profile("Listed");
  client->AddProfile(listed);
  client->AddLazyLoadProfile("Listed", "clienttest-nonesuch-1");
  client->AddLazyLoadProfile("Extra", "clienttest-nonesuch-2");
  client->AddLazyLoadProfile("Extra", "clienttest-nonesuch-3");
  EXPECT_EQ(client->GetProfileNameList(), (oxStlVector<oxString>{"Listed", "Listed", "Extra", "Extra"}));

  // Nothing loaded for a profile the client holds.
  EXPECT_EQ(StderrOf([&] { EXPECT_EQ(client->GetProfile("Listed"), listed); }), "");

  // Both entries of the name are tried in one request, then never again.
  const std::string error = StderrOf([&] {
    EXPECT_EQ(client->GetProfile("Extra"), nullptr);
    EXPECT_EQ(client->GetProfile("Extra"), nullptr);
  });
  EXPECT_EQ(CountLines(error), 2) << error;
  ExpectContains(error, {"clienttest-nonesuch-2", "clienttest-nonesuch-3"});
  EXPECT_EQ(client->GetProfileNameList(), (oxStlVector<oxString>{"Listed", "Listed"}));

  // Handed back, not deleted: the caller owns it again.
  client->RemoveProfile(listed);
  StderrOf([&] { EXPECT_EQ(client->GetProfile("Listed"), nullptr); });  // tries the lazy entry
  delete listed;
}

TEST_F(ClientFixture, CreateClientObjectNamesTheDocumentThatNewLeftCurrent) {
  fwg::Project project("P");
  oxt::CurrentObjects::Get()->SetCurrentObject(&project);
  auto* client = new DocumentClient;

  fwg::ClientObject* report = client->CreateClientObject("Report");
  fwg::ClientObject* untitled = client->CreateClientObject("");
  ASSERT_EQ(project.GetChildren(), (oxStlVector<oxt::Object*>{report, untitled}));
  EXPECT_EQ(report->GetName() + ", " + untitled->GetName(), "Report, Untitled 2");

  // A client whose New() makes nothing finds no client object, even with a
  // plain object current.
  auto* plain = new fwg::Client("Plain");
  oxt::Object other(nullptr, "Other");
  oxt::CurrentObjects::Get()->SetCurrentObject(&other);
  EXPECT_EQ(plain->CreateClientObject("Name"), nullptr);
  EXPECT_EQ(other.GetName(), "Other");
  oxt::CurrentObjects::Get()->SetCurrentObject(nullptr);

  // Documents belong to the tree; the client only lists them.
  EXPECT_EQ(client->GetClientObjectsList(), (oxStlVector<fwg::ClientObject*>{report, untitled}));
}

}  // namespace
