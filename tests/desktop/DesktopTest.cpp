// The real host on an X server and openbox of each test's own, driven through
// xdotool as a person drives it; what it shows comes from StateProbe.cpp. A
// failing test keeps its folder: state, host log and a screenshot.
#include <QCoreApplication>
#include <QFile>
#include <QPoint>
#include <QRect>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

#include "platform/settings/oxSettings.h"
#include "tests/support/Output.h"

namespace {

// A condition on one value of the state file, and how to say it.
struct Check {
  QString what;
  std::function<bool(const QString&)> holds;
};
Check Is(const QString& value) { return {"is '" + value + "'", [=](const QString& v) { return v == value; }}; }
Check Has(const QString& part) { return {"has '" + part + "'", [=](const QString& v) { return v.contains(part); }}; }
// An item of a list: menus are separated by spaces, documents by commas.
Check Lists(const QString& item, QChar separator = ',') {
  return {"lists '" + item + "'", [=](const QString& v) { return v.split(separator).contains(item); }};
}
Check operator!(const Check& c) { return {"not " + c.what, [=](const QString& v) { return !c.holds(v); }}; }

// openbox with the keys a person uses here: A-F4 asks the window to close,
// A-F11 toggles maximised; new windows take the focus.
const char kOpenboxConfig[] = R"(<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <keyboard>
    <keybind key="A-F4"><action name="Close"/></keybind>
    <keybind key="A-F11"><action name="ToggleMaximize"/></keybind>
  </keyboard>
</openbox_config>
)";

constexpr int kPatienceMs = 15000;

class Desktop : public ::testing::Test {
 protected:
  virtual QString Screen() const { return "1280x1024x24"; }

  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    environment_ = QProcessEnvironment::systemEnvironment();
    // A display of this test's own, named: Xvfb then locks it first
    // (/tmp/.X<n>-lock, made atomically) and ends at once when another
    // server holds it, and the next number is tried. Left to pick one
    // (-displayfd) it takes no lock, and two servers started at the same
    // moment by parallel tests took the same number, the second removing
    // the first one's socket.
    xvfb_.setStandardErrorFile(Path("xvfb.log"), QIODevice::Append);
    bool up = false;
    for (int attempt = 0, display = 100 + QCoreApplication::applicationPid() % 800; attempt < 40 && !up;
         ++attempt, ++display) {
      // -noreset: the look below is the server's last client for a moment,
      // and a server that resets then refuses the window manager.
      xvfb_.start("Xvfb", {":" + QString::number(display), "-screen", "0", Screen(), "-nolisten", "tcp",
                           "-noreset"});
      environment_.insert("DISPLAY", ":" + QString::number(display));
      const auto ended = [this] { return xvfb_.waitForFinished(0) || xvfb_.state() == QProcess::NotRunning; };
      up = Eventually([&] { return ended() || Succeeds("xprop", {"-root"}); }) && !ended();
      if (!up && !ended()) xvfb_.kill(), xvfb_.waitForFinished();
    }
    ASSERT_TRUE(up) << "Xvfb did not start";
    QFile config(Path("openbox.xml"));  // an absolute path: openbox ignores a relative one
    ASSERT_TRUE(config.open(QIODevice::WriteOnly) && config.write(kOpenboxConfig) > 0);
    config.close();
    windowManager_.setProcessEnvironment(environment_);
    windowManager_.setProcessChannelMode(QProcess::MergedChannels);
    windowManager_.setStandardOutputFile(Path("openbox.log"));
    windowManager_.start("openbox", {"--config-file", config.fileName()});
    // A loaded machine may take a while to start a window manager.
    ASSERT_TRUE(Eventually([&] { return Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); },
                           4 * kPatienceMs))
        << "no window manager on " << environment_.value("DISPLAY").toStdString();
    environment_.insert("QT_QPA_PLATFORM", "xcb");
    environment_.remove("SESSION_MANAGER");
    environment_.insert("FWG_CONFIG_DIR", Path("config"));
    environment_.insert("FWG_PLUGIN_PATH", FWG_PLUGIN_DIR ":" DESKTOPTEST_PROBE_DIR);
    environment_.insert("DESKTOPTEST_STATE", Path("state"));
    host_.setProcessEnvironment(environment_);
    host_.setProcessChannelMode(QProcess::MergedChannels);
    host_.setStandardOutputFile(Path("host.log"), QIODevice::Append);
  }

  void TearDown() override {
    if (HasFailure()) {
      Run("import", {"-window", "root", Path("screen.png")});
      std::cout << "State, host log and screenshot kept in " << folder_.path().toStdString() << "\n";
      folder_.setAutoRemove(false);
    }
    // SIGTERM first: Xvfb then removes its lock file and socket.
    for (QProcess* process : {&host_, &windowManager_, &xvfb_})
      if (process->terminate(), !process->waitForFinished(5000)) process->kill(), process->waitForFinished();
  }

  QString Path(const QString& name) const { return folder_.filePath(name); }

  // The host with `args` (the one still running is killed); waits, when
  // `ready` says so, until a chain is in force and a widget has the keyboard.
  // With `fileLimitKiB`, no file it writes may grow past that: a write
  // beyond fails as on a full disk.
  bool Start(const QStringList& args, bool ready = true, int fileLimitKiB = 0) {
    if (host_.state() != QProcess::NotRunning) host_.kill(), host_.waitForFinished();
    QFile::remove(Path("state"));
    const QStringList hostArgs = QStringList{"-locale", "en"} + args;
    if (fileLimitKiB > 0) {
      // An ignored signal stays ignored across exec: the write fails with EFBIG.
      const QString limit = QString("trap '' XFSZ; ulimit -f %1; exec \"$@\"").arg(fileLimitKiB);
      host_.start("bash", QStringList{"-c", limit, "tavrix", DESKTOPTEST_HOST} + hostArgs);
    } else {
      host_.start(DESKTOPTEST_HOST, hostArgs);
    }
    return !ready || (WaitFor("profile", !Is("")) && WaitFor("focus", !Is("")));
  }
  // Without an event loop QProcess learns of the end only when asked.
  bool HasEnded() { return host_.waitForFinished(0) || host_.state() == QProcess::NotRunning; }
  bool IsRunning() { return !host_.waitForFinished(1000); }
  std::string Ending() const {
    return host_.exitStatus() == QProcess::CrashExit ? "killed by a signal" : "status " + std::to_string(host_.exitCode());
  }
  // The status of a host that ended by itself; -1 while it still runs.
  int ExitStatus() {
    if (!HasEnded() && !host_.waitForFinished(kPatienceMs)) return -1;
    return host_.exitStatus() == QProcess::NormalExit ? host_.exitCode() : -1;
  }

  QString State(const QString& key = {}) const {
    QFile file(Path("state"));
    const QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    const QRegularExpression line("^" + key + "=(.*)$", QRegularExpression::MultilineOption);
    return key.isEmpty() ? text : line.match(text).captured(1);
  }
  bool WaitFor(const QString& key, const Check& check) {
    if (Eventually([&] { return check.holds(State(key)); })) return true;
    ADD_FAILURE() << "waited for " << key.toStdString() << " that " << check.what.toStdString()
                  << (HasEnded() ? "; the host has ended (" + Ending() + ") and last showed:\n" : "; the host shows:\n")
                  << State().toStdString();
    return false;
  }
  bool WaitFor(const QString& key, const QString& value) { return WaitFor(key, Is(value)); }
  // What must still hold a while after the step that could have broken it.
  bool Keeps(const QString& key, const Check& check) { return QThread::msleep(1000), WaitFor(key, check); }
  static bool Eventually(const std::function<bool()>& done, int patienceMs = kPatienceMs) {
    for (int waited = 0; waited < patienceMs && !done(); waited += 50) QThread::msleep(50);
    return done();
  }

  bool Succeeds(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.start(program, args);
    return process.waitForFinished(kPatienceMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
  }
  QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.start(program, args);
    return process.waitForFinished(kPatienceMs), process.readAllStandardOutput();
  }
  void Keys(const QStringList& keys) { Run("xdotool", QStringList{"key", "--clearmodifiers", "--delay", "150"} + keys); }
  void Type(const QString& text) { Run("xdotool", {"type", "--delay", "40", text}); }
  // A press at `at` ("x,y" from the state) and a release after moving by
  // `by` in three steps; none for a click.
  void Press(const QString& at, QPoint by = {}) {
    const QPoint from(at.section(',', 0, 0).toInt(), at.section(',', 1).toInt());
    const auto move = [](QPoint to) { return QStringList{"mousemove", QString::number(to.x()), QString::number(to.y())}; };
    QStringList steps = move(from) << "mousedown" << "1";
    for (int part = 1; part <= 3 && !by.isNull(); ++part) steps << "sleep" << "0.1" << move(from + by * part / 3);
    Run("xdotool", steps << "sleep" << "0.1" << "mouseup" << "1");
  }

  // `-client notes` with "Milk" typed into the note: work to lose.
  bool StartWithWork() {
    if (!Start({"-client", "notes"})) return false;
    Type("Milk");
    return WaitFor("text", "Milk") && WaitFor("title", Has("*"));
  }
  // A new document of `client` through the command palette; its name.
  QString New(const QString& client) {
    const QString before = State("documents");
    Keys({"ctrl+shift+p"});
    if (!WaitFor("palette", "1")) return {};
    Type(client), Keys({"Return"});
    return WaitFor("documents", !Is(before)) ? State("active") : QString();
  }
  // Tabs to the dialog's button `text` and presses it: Qt's standard
  // buttons have no mnemonics, and their order is the platform's.
  bool Choose(const QString& text) {
    for (int tab = 0; tab < 8 && State("button") != text; ++tab) Keys({"Tab"}), QThread::msleep(300);
    return WaitFor("button", text) && (Keys({"space"}), true);
  }
  // Types a path in the config folder into the file dialog and accepts.
  QString SaveAs(const QString& name) {
    Keys({"ctrl+a"}), Type(Path("config/" + name)), Keys({"Return"});
    return Path("config/" + name);
  }
  // The centre of the tab that shows `document`, "x,y".
  QString TabOf(const QString& document) {
    const QRegularExpression tab("(^|;)" + QRegularExpression::escape(document) + "@([^;]*)");
    return tab.match(State("tabs")).captured(2);
  }

  QTemporaryDir folder_;
  QProcessEnvironment environment_;
  QProcess xvfb_, windowManager_, host_;
};

// The screens the walk met: a laptop's and a small netbook's.
class SmallScreen : public Desktop, public ::testing::WithParamInterface<const char*> {
 protected:
  QString Screen() const override { return GetParam(); }
};

// "x y width height" as a rectangle.
QRect RectOf(const QString& text) {
  const QStringList parts = text.split(' ');
  return parts.size() == 4 ? QRect(parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()) : QRect();
}
Check Within(const QString& screen) {
  return {"lies within " + screen, [=](const QString& v) { return RectOf(screen).contains(RectOf(v)); }};
}

}  // namespace

// Escape on the question keeps everything; Discard (Alt+D) ends the host.
TEST_F(Desktop, EveryQuitPathAsksAndCancelKeepsEverything) {
  for (const QStringList& quit : {QStringList{"ctrl+q"}, {"alt+f", "Up", "Return"}, {"alt+F4"}}) {
    SCOPED_TRACE(quit.join(' ').toStdString());
    ASSERT_TRUE(StartWithWork());
    Keys(quit);
    ASSERT_TRUE(WaitFor("dialog", "Unsaved Changes"));
    Keys({"Escape"});
    ASSERT_TRUE(WaitFor("dialog", "") && IsRunning());
    EXPECT_TRUE(WaitFor("title", Has("*")) && WaitFor("text", "Milk"));
    Keys(quit);
    // Its letter: Alt+D.
    ASSERT_TRUE(WaitFor("dialog", "Unsaved Changes"));
    Keys({"alt+d"});
    EXPECT_EQ(ExitStatus(), 0);
  }
}

// Save on the quit question goes through Save Session As for an untitled
// session; Escape there keeps the host.
TEST_F(Desktop, SavingWhenQuittingAsksForTheSessionFile) {
  ASSERT_TRUE(StartWithWork());
  for (const bool cancel : {true, false}) {
    Keys({"ctrl+q"});
    ASSERT_TRUE(WaitFor("dialog", "Unsaved Changes"));
    Keys({"alt+s"});
    ASSERT_TRUE(WaitFor("dialog", "Save Session As"));
    if (!cancel) break;
    Keys({"Escape"});
    ASSERT_TRUE(WaitFor("dialog", "") && IsRunning());
  }
  const QString file = SaveAs("work.session");
  EXPECT_EQ(ExitStatus(), 0);
  EXPECT_TRUE(QFile::exists(file));
}

// The autosave left by a killed host is offered at every start until the
// user answers; Escape is no answer.
TEST_F(Desktop, EscapeOnTheRecoveryQuestionKeepsTheAutosavedWork) {
  oxSettings::Open(Path("config/tavrix.ini").toStdString())->GetSection("Sessions", true, true)->Set("AutosaveSeconds", 1);
  ASSERT_TRUE(StartWithWork());
  const QString recovery = Path("config/tavrix.recovery");
  ASSERT_TRUE(Eventually([&] { return QFile::exists(recovery); })) << "no autosave";
  for (const int run : {1, 2}) {
    SCOPED_TRACE(run);
    ASSERT_TRUE(Start({}, false));  // kills the host still running
    ASSERT_TRUE(WaitFor("dialog", !Is("")));
    Keys({"Escape"});
    ASSERT_TRUE(WaitFor("dialog", "") && IsRunning());
    EXPECT_TRUE(QFile::exists(recovery));
    Keys({"alt+F4"});
    EXPECT_EQ(ExitStatus(), 0);
  }
}

// Each client's chain builds on the common base: File, Help and the
// palette's Exit are there, and Exit either ends the host or asks.
TEST_F(Desktop, EverySampleClientLeavesFileAndThePaletteReachable) {
  for (const char* client : {"notes", "sketch", "scratch"}) {
    SCOPED_TRACE(client);
    ASSERT_TRUE(Start({"-client", client}));
    EXPECT_TRUE(WaitFor("menus", Lists("File", ' ')) && WaitFor("menus", Lists("Help", ' ')));
    Keys({"ctrl+shift+p"});
    ASSERT_TRUE(WaitFor("palette", "1"));
    Type("exit"), Keys({"Return"});
    ASSERT_TRUE(Eventually([&] { return HasEnded() || State("dialog") == "Unsaved Changes"; }));
    EXPECT_TRUE(!HasEnded() || ExitStatus() == 0) << host_.exitCode();
  }
}

// An untouched document goes at once; one typed into asks first.
TEST_F(Desktop, ADocumentClosesAndAsksWhenItHoldsWork) {
  ASSERT_TRUE(Start({"-client", "notes"}));
  const QString kept = State("active"), untouched = New("notes");
  ASSERT_FALSE(untouched.isEmpty());
  Keys({"ctrl+w"});
  ASSERT_TRUE(WaitFor("documents", !Lists(untouched)) && WaitFor("active", kept));
  EXPECT_TRUE(WaitFor("title", !Has("*"))) << "a session of untouched notes holds nothing to lose";
  EXPECT_TRUE(WaitFor("focus", "QPlainTextEdit")) << "the keyboard is not on the document left";
  Press(State("canvas"));
  Type("Milk");
  ASSERT_TRUE(WaitFor("text", "Milk"));
  // Escape and Return keep the work; closing it is chosen (Alt+C).
  for (const char* answer : {"Escape", "Return", "alt+c"}) {
    Keys({"ctrl+w"});
    ASSERT_TRUE(WaitFor("dialog", "Close Document"));
    Keys({answer});
    ASSERT_TRUE(WaitFor("dialog", ""));
    EXPECT_TRUE(answer == QString("alt+c") ? WaitFor("documents", !Lists(kept)) : Keeps("documents", Lists(kept)));
  }
  // With the last document gone the welcome page says what to do next.
  EXPECT_TRUE(WaitFor("central", "Welcome"));
  New("notes");
  EXPECT_TRUE(WaitFor("central", !Is("Welcome")));
}

// Tabs show when the one-pane layout holds more documents than panes;
// Ctrl+Tab goes in most-recently-used order, Ctrl+Shift+Tab the other way.
TEST_F(Desktop, ATabClickAndCtrlTabActivate) {
  ASSERT_TRUE(Start({"-client", "notes"}));
  const QString first = State("active"), second = New("notes"), sketch = New("sketch");
  ASSERT_TRUE(!second.isEmpty() && WaitFor("tabs", Has(sketch + "@")));
  Press(TabOf(first));
  ASSERT_TRUE(WaitFor("active", first));
  EXPECT_TRUE(WaitFor("profile", "NotesEditor"));
  Keys({"ctrl+Tab"});
  ASSERT_TRUE(WaitFor("active", sketch));
  EXPECT_TRUE(WaitFor("profile", "SketchEditor"));
  Keys({"ctrl+shift+Tab"});
  EXPECT_TRUE(WaitFor("active", second));
}

// Size and maximised state are the user's, whatever document is active.
TEST_F(Desktop, TheWindowKeepsItsSizeAndMaximisedStateAcrossSwitches) {
  ASSERT_TRUE(Start({"-client", "notes"}));
  const QString note = State("active"), sketch = New("sketch");
  ASSERT_FALSE(sketch.isEmpty());
  Run("xdotool", {"getactivewindow", "windowsize", "900", "700"});
  ASSERT_TRUE(WaitFor("geometry", Has(" 900 700")));
  Keys({"ctrl+Tab"});
  ASSERT_TRUE(WaitFor("active", note));
  EXPECT_TRUE(Keeps("geometry", Has(" 900 700")));
  Keys({"alt+F11"});
  ASSERT_TRUE(WaitFor("maximized", "1"));
  Keys({"ctrl+Tab"});
  ASSERT_TRUE(WaitFor("active", sketch));
  EXPECT_TRUE(Keeps("maximized", Is("1")));
}

TEST_F(Desktop, AClickInASketchAddsNoStrokeButADragDoes) {
  ASSERT_TRUE(Start({"-client", "sketch"}) && WaitFor("canvas", !Is("")));
  Press(State("canvas"));
  EXPECT_TRUE(Keeps("undo", Is("0")));
  Press(State("canvas"), {60, 40});
  EXPECT_TRUE(WaitFor("undo", "1"));
}

// F6 walks from the document through the docks; in the tree the arrows
// only select and Enter activates.
TEST_F(Desktop, ArrowKeysInTheTreeKeepTheFocusThere) {
  ASSERT_TRUE(Start({"-client", "notes"}));
  const QString first = State("active"), second = New("notes");
  ASSERT_FALSE(second.isEmpty());
  for (int press = 0; press < 8 && State("focus") != "fwg::ProjectTree"; ++press) Keys({"F6"}), QThread::msleep(300);
  ASSERT_TRUE(WaitFor("focus", "fwg::ProjectTree"));
  Keys({"Up"});
  EXPECT_TRUE(Keeps("focus", Is("fwg::ProjectTree")) && WaitFor("active", second));
  Keys({"Return"});
  EXPECT_TRUE(WaitFor("active", first));
}

// Toolbar buttons never take the keyboard: the window's first focus is not
// on one, and Space presses no command.
TEST_F(Desktop, NoToolbarButtonTakesTheKeyboard) {
  ASSERT_TRUE(Start({}));
  EXPECT_TRUE(Keeps("focus", !Is("QToolButton")));
  Keys({"space"});
  EXPECT_TRUE(Keeps("documents", Is("")) && Keeps("dialog", Is("")));
}

// Ctrl+S is the session's save: Save As the first time, then at once.
TEST_F(Desktop, CtrlSSavesTheSession) {
  ASSERT_TRUE(StartWithWork());
  Keys({"ctrl+s"});
  ASSERT_TRUE(WaitFor("dialog", "Save Session As"));
  const QString file = SaveAs("work.session");
  ASSERT_TRUE(WaitFor("title", !Has("*")));
  EXPECT_TRUE(QFile::exists(file));
  Type(" and eggs");
  ASSERT_TRUE(WaitFor("title", Has("*")));
  Keys({"ctrl+s"});
  EXPECT_TRUE(WaitFor("title", !Has("*")) && WaitFor("dialog", ""));
}

// The user's own files, as a person opens and saves them.
static bool WriteFile(const QString& path, const QByteArray& bytes) { return WriteAll(path.toStdString(), bytes.toStdString()); }
static QByteArray ReadFile(const QString& path) { return QByteArray::fromStdString(ReadAll(path.toStdString())); }

// Files named on the command line open, each by the client of its type;
// Ctrl+S writes the active one where it came from; quitting asks while one
// has changes.
TEST_F(Desktop, NamedFilesOpenAndCtrlSSavesWhereTheyCameFrom) {
  const QString a = Path("a.txt"), b = Path("b.txt");
  ASSERT_TRUE(WriteFile(a, "apples") && WriteFile(b, "bananas"));
  ASSERT_TRUE(Start({a, b}));
  ASSERT_TRUE(WaitFor("documents", Lists("a.txt")) && WaitFor("documents", Lists("b.txt")));
  ASSERT_TRUE(WaitFor("active", "b.txt") && WaitFor("text", "bananas"));
  EXPECT_TRUE(WaitFor("focus", "QPlainTextEdit")) << "the file opened has the keyboard";
  Keys({"ctrl+End"}), Type(" and more");
  ASSERT_TRUE(WaitFor("title", Has("b.txt*")));
  Keys({"ctrl+s"});
  ASSERT_TRUE(WaitFor("title", Has("b.txt - ")));
  EXPECT_EQ(ReadFile(b), "bananas and more");
  EXPECT_EQ(ReadFile(a), "apples");
  Type("!");
  ASSERT_TRUE(WaitFor("title", Has("b.txt*")));
  Keys({"ctrl+q"});
  ASSERT_TRUE(WaitFor("dialog", "Unsaved Changes"));
  Keys({"Escape"});
  ASSERT_TRUE(WaitFor("dialog", "") && IsRunning());
  EXPECT_TRUE(WaitFor("text", "bananas and more!"));
}

// Ctrl+O offers every client's types; a sketch file loads the sketch
// plug-in, which nothing had asked for before. A file dropped on the
// window opens the same way, and one open already comes forward.
TEST_F(Desktop, CtrlOAndADropOpenFilesByTypeLoadingTheirPluginOnDemand) {
  const QString sketch = Path("house.sketch"), list = Path("shopping.md");
  ASSERT_TRUE(WriteFile(sketch, R"({"format": "fwg-sketch", "version": 1, "strokes": "L #000000 10,10 90,60;"})"));
  ASSERT_TRUE(WriteFile(list, "- [ ] bread\n- [x] milk\n"));
  ASSERT_TRUE(Start({"-client", "notes"}));
  Keys({"ctrl+o"});
  ASSERT_TRUE(WaitFor("dialog", "Open File"));
  Type(sketch), Keys({"Return"});
  ASSERT_TRUE(WaitFor("active", "house.sketch"));
  EXPECT_TRUE(WaitFor("profile", "SketchEditor"));
  ASSERT_TRUE(WriteFile(Path("state.drop"), (list + "\n").toUtf8()));
  ASSERT_TRUE(WaitFor("active", "shopping.md"));
  EXPECT_TRUE(WaitFor("text", Has("- [ ] bread")));
  ASSERT_TRUE(WriteFile(Path("state.drop"), (sketch + "\n").toUtf8()));
  EXPECT_TRUE(WaitFor("active", "house.sketch"));
  EXPECT_EQ(State("documents").count("house.sketch"), 1) << "not opened twice";
}

// Another program writes the open file three times: one bar in the
// document, which keeps the keyboard, and the file's newest text after
// Reload.
TEST_F(Desktop, AFileChangedByAnotherProgramIsToldOnceInABar) {
  const QString file = Path("watched.txt");
  ASSERT_TRUE(WriteFile(file, "first"));
  ASSERT_TRUE(Start({file}) && WaitFor("text", "first"));
  for (const char* text : {"second", "third", "fourth"}) ASSERT_TRUE(WriteFile(file, text));
  ASSERT_TRUE(WaitFor("bars", Has("was changed by another program")));
  EXPECT_TRUE(Keeps("bars", !Has(" | "))) << "one bar for the burst";
  EXPECT_EQ(State("dialog"), "");
  EXPECT_EQ(State("focus"), "QPlainTextEdit") << "typing goes on";
  const QRegularExpression reload("Reload@([^;]*)");
  Press(reload.match(State("barbuttons")).captured(1));
  EXPECT_TRUE(WaitFor("text", "fourth"));
  EXPECT_TRUE(WaitFor("bars", ""));
}

// A second start with two files hands them to the window running and ends;
// with -new-instance it opens a window of its own.
TEST_F(Desktop, ASecondStartHandsItsFilesToTheRunningWindow) {
  const QString a = Path("a.txt"), b = Path("b.txt"), c = Path("c.txt");
  ASSERT_TRUE(WriteFile(a, "apples") && WriteFile(b, "bananas") && WriteFile(c, "cherries"));
  ASSERT_TRUE(Start({a}) && WaitFor("active", "a.txt"));
  QProcess second;
  QProcessEnvironment environment = environment_;
  environment.insert("DESKTOPTEST_STATE", Path("second"));
  second.setProcessEnvironment(environment);
  second.start(DESKTOPTEST_HOST, {"-locale", "en", b, c});
  ASSERT_TRUE(second.waitForFinished(kPatienceMs));
  EXPECT_EQ(second.exitCode(), 0);
  ASSERT_TRUE(WaitFor("documents", Lists("b.txt")) && WaitFor("documents", Lists("c.txt")));
  EXPECT_TRUE(WaitFor("active", "c.txt"));
  EXPECT_FALSE(QFile::exists(Path("second"))) << "the second start showed no window";

  second.start(DESKTOPTEST_HOST, {"-locale", "en", "-new-instance", c});
  EXPECT_TRUE(Eventually([&] { return QFile::exists(Path("second")); })) << "a window of its own";
  second.kill(), second.waitForFinished();
}

// A save onto a full disk (a file size limit stands in for it) says so and
// leaves the old file as it was.
TEST_F(Desktop, ASaveOntoAFullDiskSaysSoAndKeepsTheOldFile) {
  const QString file = Path("big.txt");
  QByteArray text;
  for (int line = 0; line < 5000; ++line) text += "line " + QByteArray::number(line) + " of a long file\n";
  ASSERT_TRUE(WriteFile(file, text));
  ASSERT_TRUE(Start({file}, true, 64));
  ASSERT_TRUE(WaitFor("active", "big.txt"));
  Type("x");
  ASSERT_TRUE(WaitFor("title", Has("big.txt*")));
  Keys({"ctrl+s"});
  ASSERT_TRUE(WaitFor("errors", Has("Could not save")));
  EXPECT_EQ(ReadFile(file), text);
  EXPECT_TRUE(WaitFor("title", Has("big.txt*"))) << "the changes are still unsaved";
}

// A file named at start that is not there is told in a box that has the
// keyboard: Return closes it, and the keyboard goes back to the window.
TEST_F(Desktop, AMissingFileNamedAtStartIsToldInABoxThatHasTheKeyboard) {
  ASSERT_TRUE(Start({Path("gone.md")}));
  ASSERT_TRUE(WaitFor("errors", Has("Could not open")));
  Keys({"Return"});
  EXPECT_TRUE(WaitFor("errors", ""));
  Keys({"ctrl+q"});
  EXPECT_EQ(ExitStatus(), 0);
}

// A client's own Open on Ctrl+O, on a base whose Open File holds the key
// too: the key opens the client's dialog, not neither.
TEST_F(Desktop, AClientsOwnCtrlOWinsOverItsBase) {
  ASSERT_TRUE(Start({"-client", "opener"}));
  ASSERT_TRUE(WaitFor("profile", "Opener"));
  Keys({"ctrl+o"});
  EXPECT_TRUE(WaitFor("dialog", "Own Open"));
}

// A new document has the keyboard without a line of its client's, also
// when its page hides the document that had it.
TEST_F(Desktop, ANewDocumentTakesTheKeyboardFromTheOneItHides) {
  ASSERT_TRUE(Start({"-client", "opener"}));
  ASSERT_TRUE(WaitFor("focus", "QPlainTextEdit"));
  ASSERT_FALSE(New("opener").isEmpty());
  Type("Milk");
  EXPECT_TRUE(WaitFor("text", "Milk")) << "typing right after New goes into the new document";
}

// The first window fits the room its screen gives, status bar included;
// after a restart the restored window keeps its title bar on the screen,
// where a person can take hold of it.
TEST_P(SmallScreen, TheWindowFitsItsScreenAtFirstAndAfterARestart) {
  for (const char* run : {"first", "restored"}) {
    SCOPED_TRACE(run);
    ASSERT_TRUE(Start({}));
    ASSERT_TRUE(WaitFor("screen", !Is("")));
    EXPECT_TRUE(WaitFor("frame", Within(State("screen"))));
    Keys({"ctrl+q"});
    ASSERT_EQ(ExitStatus(), 0);
  }
}

// The question about the work of a killed run comes over the whole window,
// title bar included, where the window had to be fitted to the screen.
TEST_P(SmallScreen, TheRecoveryQuestionComesOverAWindowThatFitsTheScreen) {
  oxSettings::Open(Path("config/tavrix.ini").toStdString())->GetSection("Sessions", true, true)->Set("AutosaveSeconds", 1);
  ASSERT_TRUE(StartWithWork());
  ASSERT_TRUE(Eventually([&] { return QFile::exists(Path("config/tavrix.recovery")); })) << "no autosave";
  ASSERT_TRUE(Start({}, false));  // kills the host still running
  ASSERT_TRUE(WaitFor("dialog", !Is("")));
  EXPECT_TRUE(Within(State("screen")).holds(State("frame"))) << "off the screen: " << State("frame").toStdString();
  Keys({"alt+d"});
  ASSERT_TRUE(WaitFor("dialog", ""));
  Keys({"ctrl+q"});
  EXPECT_EQ(ExitStatus(), 0);
}
INSTANTIATE_TEST_SUITE_P(Desktop, SmallScreen, ::testing::Values("1280x800x24", "1024x600x24"));

// Two notes side by side, then one pane again: the note the title, the
// docks and Ctrl+W act on is the one in front.
TEST_F(Desktop, ALayoutOfOnePaneShowsTheActiveDocument) {
  ASSERT_TRUE(Start({"-client", "notes"}));
  const QString first = State("active"), second = New("notes");
  ASSERT_TRUE(!second.isEmpty() && WaitFor("shown", second));
  Keys({"ctrl+alt+j"});
  ASSERT_TRUE(WaitFor("focus", "QLineEdit"));
  for (const char* layout : {"3", "1"}) {
    Type(QString("app.object('Untitled').set('Layout', %1)").arg(layout)), Keys({"Return"});
    EXPECT_TRUE(WaitFor("shown", layout == QString("3") ? Lists(first) : Is(second))) << layout;
    EXPECT_TRUE(WaitFor("active", second) && WaitFor("title", Has(second)));
  }
  Keys({"ctrl+w"});
  EXPECT_TRUE(WaitFor("documents", !Lists(second)) && WaitFor("shown", first));
}

// The Edit menu works in documents whose clients wrote no line for it,
// as the keys always did: picked from the menu, as a person does.
TEST_F(Desktop, TheEditMenuWorksOnTheTextOfEveryDocument) {
  for (const char* client : {"scratch", "tasks"}) {
    SCOPED_TRACE(client);
    ASSERT_TRUE(Start({"-client", client}));
    Press(State("canvas"));
    Keys({"ctrl+End"});
    Type(" milk");
    ASSERT_TRUE(WaitFor("edits", Has("undo")));
    EXPECT_TRUE(WaitFor("edits", !Has("cut")));
    Keys({"alt+e", "a"});  // Select All
    ASSERT_TRUE(WaitFor("edits", Has("cut")));
    Keys({"alt+e", "t"});  // Cut
    ASSERT_TRUE(WaitFor("edits", Has("paste")));
    EXPECT_TRUE(WaitFor("edits", !Has("selectAll")));
    Keys({"alt+e", "p"});  // Paste
    EXPECT_TRUE(WaitFor("edits", Has("selectAll")));
    Keys({"alt+e", "u"});  // Undo: the paste goes
    EXPECT_TRUE(WaitFor("edits", !Has("selectAll")));
  }
}

// The script console, a dock of the common base, stays as the person left
// it in every chain; a line that makes a document leaves the keyboard in
// the console.
TEST_F(Desktop, TheScriptConsoleStaysAsTheUserLeftItInEveryChain) {
  const QString console = "Script Console";
  ASSERT_TRUE(Start({"-client", "notes"}));
  const QString note = State("active");
  Keys({"ctrl+alt+j"});
  ASSERT_TRUE(WaitFor("docks", Lists(console)));
  const QString sketch = New("sketch");
  ASSERT_FALSE(sketch.isEmpty());
  EXPECT_TRUE(Keeps("docks", Lists(console)));
  Keys({"ctrl+alt+j"});
  ASSERT_TRUE(WaitFor("docks", !Lists(console)));
  Press(TabOf(note));
  ASSERT_TRUE(WaitFor("active", note));
  EXPECT_TRUE(Keeps("docks", !Lists(console)));
  Keys({"ctrl+alt+j"});
  ASSERT_TRUE(WaitFor("docks", Lists(console)));
  Press(TabOf(sketch));
  ASSERT_TRUE(WaitFor("active", sketch));
  EXPECT_TRUE(Keeps("docks", Lists(console)));
  Press(TabOf(note));
  ASSERT_TRUE(WaitFor("active", note));
  EXPECT_TRUE(Keeps("docks", Lists(console)));

  Keys({"ctrl+alt+j", "ctrl+alt+j"});  // closed and opened: the keyboard is in it
  ASSERT_TRUE(WaitFor("focus", "QLineEdit"));
  const QString before = State("documents");
  Type("app.newDocument('notes')"), Keys({"Return"});
  ASSERT_TRUE(WaitFor("documents", !Is(before)));
  EXPECT_TRUE(Keeps("focus", Is("QLineEdit")) && WaitFor("docks", Lists(console)));
  Type("1"), Keys({"Return"});
  EXPECT_TRUE(Keeps("text", Is(""))) << "the next line went into the new note";
}

// Ctrl+, opens the Settings dialog; the filter finds the autosave interval,
// typed in and confirmed with Return it is stored and in force.
TEST_F(Desktop, TheSettingsDialogOpensByItsKeyAndStoresWhatIsTyped) {
  ASSERT_TRUE(Start({"-client", "notes"}));
  Keys({"ctrl+comma"});
  ASSERT_TRUE(WaitFor("window", "Settings"));
  Type("autosave");
  Keys({"Tab", "Tab", "ctrl+a"}), Type("45"), Keys({"Return"});
  ASSERT_TRUE(WaitFor("window", !Is("Settings")));
  EXPECT_TRUE(Eventually([&] {
    QFile file(Path("config/tavrix.ini"));
    return file.open(QIODevice::ReadOnly) && file.readAll().contains("AutosaveSeconds=@int 45");
  })) << "the settings file holds the interval";
}

// A script's long loop runs as a task: the status bar shows it, a person
// opens its list and cancels it there, and quitting then asks nothing.
TEST_F(Desktop, ATaskIsCanceledFromTheStatusBar) {
  ASSERT_TRUE(Start({"-client", "notes"}));
  Keys({"ctrl+alt+j"});
  ASSERT_TRUE(WaitFor("focus", "QLineEdit"));
  Type("app.task('Counting', 1e9, i => {})"), Keys({"Return"});
  ASSERT_TRUE(WaitFor("tasks", "Counting") && WaitFor("tasklist", !Is("")));
  Press(State("tasklist"));
  ASSERT_TRUE(WaitFor("taskcancel", !Is("")));
  Press(State("taskcancel"));
  EXPECT_TRUE(WaitFor("tasks", ""));
  EXPECT_TRUE(WaitFor("tasklist", "") && WaitFor("errors", ""));
  Keys({"Escape", "ctrl+q"});
  EXPECT_EQ(ExitStatus(), 0) << "nothing runs and nothing is unsaved: no question";
}
