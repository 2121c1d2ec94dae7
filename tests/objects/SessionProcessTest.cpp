// Sessions across processes, through the demo host and test plug-ins: a
// session saved by one process opens in one that has loaded none of its
// plug-ins, and work autosaved before a kill comes back with "-recover".
#include <QFile>
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

  void WriteSettings(const QByteArray& text) {
    QFile file(config_.path() + "/tavrix.ini");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
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
  // As the README tells a person to write it.
  WriteSettings("[Sessions]\nAutosaveSeconds=1\n");
  const QString recovery = config_.path() + "/tavrix.recovery";
  QProcess crashing;
  const Strings built = RunProbe(crashing, "build", {});
  ASSERT_GT(built.size(), 5u);
  for (int waited = 0; waited < kPatienceMs && !QFileInfo::exists(recovery); waited += 50)
    QThread::msleep(50);
  ASSERT_TRUE(QFileInfo::exists(recovery)) << "no autosave";

  // A second instance beside it neither takes its work nor removes it.
  QProcess beside;
  const Strings seen = RunProbe(beside, "describe", {"-new-instance", "-recover"});
  ASSERT_TRUE(beside.waitForFinished(kPatienceMs));
  EXPECT_NE(seen, built) << "restored the running instance's work";
  EXPECT_TRUE(QFileInfo::exists(recovery)) << "removed the running instance's recovery file";

  crashing.kill();
  crashing.waitForFinished(kPatienceMs);

  QProcess restarted;
  const Strings recovered = RunProbe(restarted, "describe", {"-recover"});
  ASSERT_TRUE(restarted.waitForFinished(kPatienceMs));
  EXPECT_EQ(restarted.exitCode(), 0);
  EXPECT_EQ(recovered, built);
  EXPECT_FALSE(QFileInfo::exists(recovery)) << "a clean end removes the recovery file";
}

// A setting typed in a form the program does not read is named once,
// rather than leaving the user to wait for an autosave that never comes.
TEST_F(SessionProcess, AnAutosaveSettingThatCannotBeReadIsNamed) {
  const struct { const char *line, *says; } table[] = {
      {"AutosaveSeconds:int = 5", "[Sessions] 'AutosaveSeconds:int' is no setting; the autosave interval is "
                                  "written AutosaveSeconds=<seconds>"},
      {"AutosaveSeconds=soon", "'/Sessions/AutosaveSeconds' = 'soon' is not a whole number (0 to 86400); 60 "
                               "is used"},
  };
  for (const auto& row : table) {
    WriteSettings(QByteArray("[/Sessions]\n") + row.line + "\n");
    QProcess host;
    RunProbe(host, "describe", {});
    ASSERT_TRUE(host.waitForFinished(kPatienceMs));
    const QString errors = host.readAllStandardError();
    EXPECT_EQ(errors.count("fwg: " + config_.path() + "/tavrix.ini: " + row.says + "\n"), 1) << errors.toStdString();
  }
}

}  // namespace
