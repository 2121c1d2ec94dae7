// Background work as a plug-in and the person at the window meet it: a task
// reports into the status bar, is canceled from its list, fails with a
// message, outlives or goes with its document, and quitting asks and stops
// it. Scripts run their long loops as tasks.
#include <QApplication>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QStatusBar>
#include <QThread>
#include <QToolButton>
#include <atomic>
#include <stdexcept>

#include "fwg/clients/Document.h"
#include "fwg/shell/InfoBar.h"
#include "fwg/shell/ScriptConsole.h"
#include "fwg/shell/Tasks.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/ui/uiManager.h"
#include "tests/support/Answer.h"
#include "tests/support/DocumentClient.h"
#include "tests/support/HangGuard.h"
#include "tests/support/TestBasics.h"
#include "tests/support/WithProjects.h"

namespace {

using fwg::Task;
using fwg::TaskProgress;
using fwg::Tasks;

// Handles events until `holds`; a bound on hanging, not on speed.
template <class Condition>
void Until(const char* what, Condition holds) {
  ReturnsWithin(60, what, [&] {
    while (!holds()) QApplication::processEvents(QEventLoop::AllEvents, 20);
  });
}

class RunningTasks : public WithProjects {
 protected:
  void SetUp() override {
    WithProjects::SetUp();
    Window()->resize(900, 600);
    Window()->Show();
  }
  void TearDown() override {
    release_.release(100);  // work still held goes, as at the end of a run
    WithProjects::TearDown();
  }
  // Work that reports, then waits until the test lets it go, or is canceled.
  std::function<int(TaskProgress&)> HeldWork() {
    return [this](TaskProgress& progress) {
      progress.SetRange(0, 10);
      progress.SetValue(4);
      progress.SetText("page 4");
      reported_.release();
      while (!progress.IsCanceled() && !release_.tryAcquire(1, 5)) {
      }
      ++returned_;
      return 42;
    };
  }
  QWidget* StatusView() const { return Window()->statusBar()->findChild<QWidget*>("fwgTaskStatus"); }
  QToolButton* StatusButton() const { return StatusView()->findChild<QToolButton*>(); }
  static bool Ended(const QPointer<Task>& task) { return task.isNull(); }

  QSemaphore reported_, release_;
  std::atomic<int> returned_{0};
};

TEST_F(RunningTasks, ReportIntoTheStatusBarAndHandTheirResultToTheGuiThread) {
  EXPECT_TRUE(StatusView() == nullptr || !StatusView()->isVisible()) << "nothing runs: nothing shown";
  int result = 0;
  const QThread* resultThread = nullptr;
  QPointer<Task> task = Tasks::Start("Counting", HeldWork(), [&](int value) {
    result = value;
    resultThread = QThread::currentThread();
  });
  reported_.acquire();
  Until("the status bar shows the task", [&] { return StatusView() && StatusView()->isVisible() &&
                                                      StatusButton()->text() == "Counting: page 4"; });
  const auto* bar = StatusView()->findChild<QProgressBar*>();
  EXPECT_EQ(bar->value() * 10 / bar->maximum(), 4);
  EXPECT_EQ(Tasks::GetRunning(), (oxStlVector<Task*>{task}));
  EXPECT_EQ(task->GetProgress().value, 4);
  EXPECT_EQ(task->GetProgress().text, "page 4");

  Task::State ended = Task::State::Running;
  task->OnFinished().Connect(nullptr, [&](Task* finished) { ended = finished->GetState(); });
  release_.release();
  Until("the task ends", [&] { return Ended(task); });
  EXPECT_EQ(ended, Task::State::Finished);
  EXPECT_EQ(result, 42);
  EXPECT_EQ(resultThread, QThread::currentThread());
  Until("the status bar empties", [&] { return !StatusView()->isVisible(); });
}

TEST_F(RunningTasks, AreCanceledFromTheirListWithoutHandingOnAResult) {
  bool handed = false;
  QPointer<Task> first = Tasks::Start("Indexing", HeldWork(), [&](int) { handed = true; });
  QPointer<Task> second = Tasks::Start("Sorting", HeldWork());
  reported_.acquire(2);
  Until("both are shown", [&] { return StatusView() && StatusButton()->text() == "2 tasks"; });
  StatusButton()->click();
  auto* list = Window()->findChild<QWidget*>("fwgTaskList");
  ASSERT_TRUE(list && list->isVisible());
  QPushButton* cancel = list->findChildren<QPushButton*>().value(0);
  ASSERT_NE(cancel, nullptr);
  cancel->click();
  Until("the first stops", [&] { return Ended(first); });
  EXPECT_FALSE(handed);
  EXPECT_EQ(Tasks::GetRunning(), (oxStlVector<Task*>{second}));
  Until("the list follows", [&] { return StatusButton()->text().startsWith("Sorting"); });
  second->CancelAndWait();
  EXPECT_TRUE(Ended(second)) << "waited for and gone";
  EXPECT_EQ(returned_, 2);
}

TEST_F(RunningTasks, ThatFailLeaveAMessageWithTheReason) {
  QPointer<Task> thrown = Tasks::Start("Converting", [](TaskProgress&) -> int { throw std::runtime_error("disk full"); },
                                       [](int) { ADD_FAILURE() << "a failed task hands nothing on"; });
  QPointer<Task> told = Tasks::Start("Checking", [](TaskProgress& progress) { progress.Fail("3 links are broken"); });
  Task::State state = Task::State::Running;
  oxString error;
  thrown->OnFinished().Connect(nullptr, [&](Task* task) { state = task->GetState(), error = task->GetError(); });
  Until("both end", [&] { return Ended(thrown) && Ended(told); });
  EXPECT_EQ(state, Task::State::Failed);
  EXPECT_EQ(error, "disk full");
  oxStlVector<oxString> texts;
  for (fwg::InfoBar* bar : fwg::InfoBar::GetBars(Window())) texts.push_back(bar->GetText());
  std::sort(texts.begin(), texts.end());  // the two ran side by side
  EXPECT_EQ(texts, (oxStlVector<oxString>{"\u201cChecking\u201d failed: 3 links are broken",
                                          "\u201cConverting\u201d failed: disk full"}));
}

// A task tied to a document's view goes with the document; one tied to
// nothing runs on after it and ends as it would.
TEST_F(RunningTasks, OutliveTheirDocumentUnlessItOwnsThem) {
  auto* client = new DocumentClient;  // the client manager owns it
  SetCurrent(Make<fwg::Project>("Work"));
  client->New();
  fwg::ClientObject* document = client->GetClientObjectsList().front();
  bool ownedHanded = false, freeHanded = false;
  QPointer<Task> owned = Tasks::Start("Owned", HeldWork(), [&](int) { ownedHanded = true; }, document->GetLayouter());
  QPointer<Task> free = Tasks::Start("Free", HeldWork(), [&](int) { freeHanded = true; });
  reported_.acquire(2);
  document->Delete();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Until("the owned one stops", [&] { return Ended(owned); });
  EXPECT_FALSE(ownedHanded);
  ASSERT_FALSE(Ended(free));
  release_.release();
  Until("the free one ends", [&] { return Ended(free); });
  EXPECT_TRUE(freeHanded);
}

TEST_F(RunningTasks, KeepTheApplicationUntilTheUserQuitsThenStopBeforeItEnds) {
  uiManager::Get()->TakeExitRequest();
  QPointer<Task> task = Tasks::Start("Rendering", HeldWork());
  reported_.acquire();
  std::vector<std::string> asked;
  AnswerNext({QMessageBox::Cancel}, &asked);
  gui_->Exit();
  EXPECT_FALSE(uiManager::Get()->TakeExitRequest());
  EXPECT_FALSE(Ended(task)) << "Cancel keeps it running";
  AnswerNext({QMessageBox::Ok}, &asked);
  gui_->Exit();
  EXPECT_TRUE(uiManager::Get()->TakeExitRequest());
  EXPECT_TRUE(Ended(task));
  EXPECT_EQ(returned_, 1) << "its work has returned before the application ends";
  EXPECT_EQ(asked, (std::vector<std::string>{"Tasks Running", "Tasks Running"}));
}

TEST_F(RunningTasks, FromScriptsRunALoopInSlicesThatStopsOnCancelOrAThrow) {
  oxScriptEngine* engine = oxScriptEngine::Get();
  engine->Evaluate("var total = 0, states = []; "
                   "app.task('Adding', 1000, i => { total += i; }, s => states.push(s))");
  Until("the loop is done", [&] { return engine->Evaluate("states.length") == "1"; });
  EXPECT_EQ(engine->Evaluate("total + ' ' + states"), "499500 finished");

  engine->Evaluate("app.task('Forever', 1e9, i => {}, s => states.push(s));"
                   "app.task('Broken', 10, i => { if (i == 3) throw new Error('bad step'); }, s => states.push(s))");
  Until("the broken one fails", [&] { return engine->Evaluate("states.length") == "2"; });
  ASSERT_EQ(Tasks::GetRunning().size(), 1u);
  Tasks::GetRunning().front()->Cancel();
  Until("the endless one stops", [&] { return Tasks::GetRunning().empty(); });
  EXPECT_EQ(engine->Evaluate("states.join()"), "finished,failed,canceled");
  EXPECT_EQ(engine->Evaluate("app.task('None', 3, 'not a function')"), "false");
}

// Large files and sessions are read by a task while the window paints;
// what is read is the file, byte for byte.
TEST_F(RunningTasks, OpeningLargeFilesAndSessionsReadsThemAsTasks) {
  struct Bytes : fwg::Document {
    bool Load(const QByteArray& data, oxString*) override { return held = data, true; }
    bool Store(QByteArray* data, oxString*) override { return *data = held, true; }
    QByteArray held;
  } document;
  const QTemporaryDir folder;
  QByteArray content(17 << 20, '\0');
  for (int i = 0; i < content.size(); ++i) content[i] = char(i * 7 + i / 4096);
  QFile file(folder.filePath("large.bin"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
  file.close();
  Strings started;
  oxListenerBase listener;
  Tasks::OnStarted().Connect(&listener, [&](Task* task) { started.push_back(task->GetTitle()); });
  oxString error;
  ASSERT_TRUE(document.Open(file.fileName().toStdString(), &error)) << error;
  EXPECT_TRUE(document.held == content);

  // A session padded with a comment as large.
  const oxString session = folder.filePath("large.session").toStdString();
  ASSERT_TRUE(Make<fwg::Project>("Work")->SaveSession(session, &error)) << error;
  QFile saved(QString::fromStdString(session));
  ASSERT_TRUE(saved.open(QIODevice::Append) && saved.write("<!-- " + QByteArray(17 << 20, 'x') + " -->\n") > 0);
  saved.close();
  const fwg::Project* opened = fwg::Project::OpenSession(session, &error);
  ASSERT_NE(opened, nullptr) << error;
  EXPECT_EQ(opened->GetName(), "Work");
  EXPECT_EQ(started, (Strings{"Opening large.bin", "Opening large.session"}));
  EXPECT_TRUE(Tasks::GetRunning().empty());
}

}  // namespace
