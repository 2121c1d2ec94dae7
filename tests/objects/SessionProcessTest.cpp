// Sessions across processes, through the demo host and test plug-ins: a
// session saved by one process opens in one that has loaded none of its
// plug-ins, and work autosaved before a kill comes back with "-recover".
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <cstdlib>

#include "fwg/objects/Project.h"
#include "platform/fwc/Director.h"
#include "platform/fwc/PluginManager.h"
#include "platform/settings/oxSettings.h"
#include "tests/support/DescribeTree.h"
#include "tests/support/TestBasics.h"
#include "tests/support/WithGui.h"

namespace {

// Before anything asks for the plug-in manager: it reads this folder once.
const bool kEnvironmentSet = setenv("FWG_PLUGIN_PATH", SESSIONTEST_PLUGIN_DIR, 1) == 0;

// A bound for a child that hangs, not a timing.
constexpr int kPatienceMs = 60000;

class SessionProcess : public WithGui {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kEnvironmentSet);
    ASSERT_TRUE(config_.isValid());
    WithGui::SetUp();
  }

  // Starts the host with the probe client in `mode` (see ProbePlugin.cpp)
  // and returns what the probe printed, once it printed "end"; fewer lines
  // if the host ended before.
  Strings RunProbe(QProcess& host, const QString& mode, QStringList arguments, const QString& file = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("FWG_PLUGIN_PATH", SESSIONTEST_PLUGIN_DIR);
    environment.insert("FWG_CONFIG_DIR", config_.path());
    environment.insert("SESSIONPROBE", mode);
    if (!file.isEmpty()) environment.insert("SESSIONPROBE_FILE", file);
    host.setProcessEnvironment(environment);
    host.start(SESSIONTEST_HOST, arguments << "-client" << "sessionprobe");
    Strings lines;
    while (host.canReadLine() || host.waitForReadyRead(kPatienceMs)) {
      const QString line = QString::fromUtf8(host.readLine()).trimmed();
      if (line == "probe: end") return lines;
      if (line.startsWith("probe: ")) lines.push_back(line.mid(7).toStdString());
    }
    ADD_FAILURE() << "the probe did not finish: " << host.readAllStandardError().toStdString();
    return lines;
  }

  QTemporaryDir config_;
};

TEST_F(SessionProcess, ASessionOpensAsSavedWhereNoneOfItsPluginsIsLoaded) {
  const QString file = config_.path() + "/work.session";
  QProcess saver;
  const Strings saved = RunProbe(saver, "build", {}, file);
  ASSERT_TRUE(saver.waitForFinished(kPatienceMs));
  ASSERT_GT(saved.size(), 5u);
  fwc::PluginManager* plugins = fwc::Director::Get()->GetPluginManager();
  ASSERT_FALSE(plugins->IsPluginLoaded("sessiontest-sketches"));
  ASSERT_FALSE(plugins->IsPluginLoaded("sessiontest-lists"));

  oxString error;
  fwg::Project* opened = fwg::Project::OpenSession(file.toStdString(), &error);
  ASSERT_NE(opened, nullptr) << error;
  EXPECT_EQ(DescribeTree(opened), saved);
  EXPECT_FALSE(opened->IsModified());
  EXPECT_EQ(opened->GetTitle(), "work.session");
}

TEST_F(SessionProcess, WorkAutosavedBeforeACrashComesBackWithRecover) {
  {
    const auto settings = oxSettings::Open(config_.path().toStdString() + "/tavrix.ini");
    settings->GetSection("Sessions", true, true)->Set("AutosaveSeconds", 1);
    ASSERT_TRUE(settings->Sync());
  }
  const QString recovery = config_.path() + "/tavrix.recovery";
  QProcess crashing;
  const Strings built = RunProbe(crashing, "build", {});
  ASSERT_GT(built.size(), 5u);
  for (int waited = 0; waited < kPatienceMs && !QFileInfo::exists(recovery); waited += 50)
    QThread::msleep(50);
  ASSERT_TRUE(QFileInfo::exists(recovery)) << "no autosave";
  crashing.kill();
  crashing.waitForFinished(kPatienceMs);

  QProcess restarted;
  const Strings recovered = RunProbe(restarted, "describe", {"-recover"});
  ASSERT_TRUE(restarted.waitForFinished(kPatienceMs));
  EXPECT_EQ(restarted.exitCode(), 0);
  EXPECT_EQ(recovered, built);
  EXPECT_FALSE(QFileInfo::exists(recovery)) << "a clean end removes the recovery file";
}

}  // namespace
