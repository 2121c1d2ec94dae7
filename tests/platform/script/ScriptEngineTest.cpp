// Script procedures as slots: what they receive, and that a failing or
// runaway script costs only itself.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <fstream>
#include <sstream>

#include "platform/oxt/Model.h"
#include "platform/oxt/Object.h"
#include "platform/script/oxScriptEngine.h"
#include "tests/support/HangGuard.h"
#include "tests/support/Output.h"

namespace {

// A way back into scripts from a script, as the application's calls are.
class Echo : public QObject {
  Q_OBJECT

 public:
  Q_INVOKABLE void callAgain() { oxScriptEngine::Get()->Invoke(oxScriptCallback("again"), {}); }
};

bool QmlLoaded() {
  std::ifstream maps("/proc/self/maps");
  std::stringstream text;
  text << maps.rdbuf();
  return text.str().find("libQt6Qml") != std::string::npos;
}

// Programs that never run a script do not load Qt's Qml: the engine's
// module brings it with the first script.
TEST(ScriptModule, QmlComesWithTheFirstScript) {
  if (oxScriptEngine::Exists()) GTEST_SKIP() << "another test of this process made the engine";
  oxScriptEngine::Install();
  EXPECT_FALSE(QmlLoaded());
  EXPECT_EQ(oxScriptEngine::Get()->Evaluate("6 * 7"), "42");
  EXPECT_TRUE(QmlLoaded());
}

class ScriptSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    oxScriptEngine::Install();
    engine_ = oxScriptEngine::Get();
    engine_->Evaluate(
        "var calls = [];\n"
        "function record() { calls.push(Array.prototype.join.call(arguments, '|')); }\n"
        "var tools = { tidy: function (n) { calls.push('tidy ' + (n + 1)); } };\n"
        "function boom() { throw new Error('boom'); }\n"
        "function spin() { for (;;) {} }\n");
  }
  std::string Calls() { return engine_->Evaluate("calls.join(';')"); }

  oxScriptEngine* engine_ = nullptr;
};

TEST_F(ScriptSlots, ArgumentsArriveInOrderAfterTheBoundObject) {
  oxSignal3<void, int, const oxString&, bool> changed;
  changed.Connect(oxScriptCallback("record", "Sheet 1"));
  changed.Connect(oxScriptCallback("record", "", "javascript"));
  changed.Connect(oxScriptCallback("tools.tidy"));
  changed(41, "Name", true);
  EXPECT_EQ(Calls(), "Sheet 1|41|Name|true;41|Name|true;tidy 42");

  changed.Disconnect(oxScriptCallback("record", "Sheet 1"));
  engine_->Evaluate("calls = []");
  changed(1, "x", false);
  EXPECT_EQ(Calls(), "1|x|false;tidy 2") << "a script slot is found again by its three strings";
}

// A bound object that names an object of the tree and a typed object
// argument arrive as wrappers, in order; other pointers as null. A wrapper
// outlives its object harmlessly.
TEST_F(ScriptSlots, TypedObjectsArriveAsWrappersInOrder) {
  auto* work = new oxt::Object(oxt::Model::Get()->GetRoot(), "Work");
  auto* note = new oxt::Object(work, "Note");
  note->AddProperty(oxt::Property("Size", 3));
  engine_->Evaluate(
      "function seen(bound, o, other, n) { kept = o; calls.push([bound.className, bound.children()[0].name,"
      " o.path, o.parent().name, o.get('Size') + 1, o.set('Size', '7'), other, n].join('|')); }");
  oxSignal3<void, oxt::Object*, int*, int> changed;
  int plain = 0;
  changed.Connect(oxScriptCallback("seen", "Work"));
  changed(note, &plain, 5);
  EXPECT_EQ(Calls(), "oxt::Object|Note|Work/Note|Work|4|true||5");
  EXPECT_EQ(note->GetProperty(oxString("Size")).GetValue(), oxVariant(7)) << "set in the property's type";
  delete work;
  EXPECT_EQ(engine_->Evaluate("[kept.alive, kept.name, kept.get('Size'), kept.set('Size', 1)].join()"),
            "false,,,false");
}

// Script files are modules: an export is found as "module.function" and by
// its bare name; a module that throws while it loads is reported.
TEST_F(ScriptSlots, ModuleExportsAreFoundByModuleAndByName) {
  QTemporaryDir dir;
  const auto write = [&](const char* name, const char* text) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
  };
  write("shelf.js", "export function put(n) { calls.push('put ' + n); }\n");
  write("broken.js", "export function put() {}\nthrow new Error('not today');\n");
  std::string err = StderrOf([&] { EXPECT_EQ(engine_->LoadFolder(dir.path().toStdString()), 1); });
  ExpectContains(err, {"fwg: " + dir.filePath("broken.js").toStdString() + ":2: Error: not today\n"});
  oxSignal1<void, int> fired;
  fired.Connect(oxScriptCallback("shelf.put"));
  fired.Connect(oxScriptCallback("put"));
  fired(2);
  EXPECT_EQ(Calls(), "put 2;put 2");
  EXPECT_EQ(engine_->Evaluate("shelf.put(3); calls.length"), "3") << "the console reaches it too";
}

TEST_F(ScriptSlots, AFailingOrRunawayScriptCostsOnlyItself) {
  oxSignal0<void> fired;
  int after = 0;
  fired.Connect(oxScriptCallback("boom"));
  fired.Connect(oxScriptCallback("spin"));
  fired.Connect(oxScriptCallback("record", "", "python"));
  fired.Connect(oxScriptCallback("missing"));
  fired.Connect(nullptr, [&] { ++after; });
  engine_->SetTimeLimit(200);
  const std::string err = StderrOf([&] { fired(); });
  EXPECT_EQ(after, 1) << "the emission goes on";
  ExpectContains(err, {"console:4: Error: boom\n", "'spin' ran longer than 200 ms and was stopped\n",
                       "names the interpreter 'python'; only javascript runs\n",
                       "'missing' is not defined\n"});
  EXPECT_EQ(Calls(), "") << "nothing ran for another interpreter";
  EXPECT_EQ(engine_->Evaluate("1 + 1"), "2") << "the engine works after a stop";
}

// Not only Errors: whatever a slot, a module or a console line throws is an
// error, said where it happened.
TEST_F(ScriptSlots, EveryThrowIsReportedAsAnError) {
  engine_->Evaluate("function text() { throw 'x'; }\nfunction number() { throw 42; }");
  oxSignal0<void> fired;
  fired.Connect(oxScriptCallback("text"));
  fired.Connect(oxScriptCallback("number"));
  ExpectContains(StderrOf([&] { fired(); }),
                 {"fwg: 'text': uncaught exception: x\n", "fwg: 'number': uncaught exception: 42\n"});
  for (const char* line : {"throw 42", "\nthrow {}", "throw undefined"}) {
    bool failed = false;
    const std::string answer = engine_->Evaluate(line, &failed);
    EXPECT_TRUE(failed && Contains(answer, "uncaught exception")) << line << ": " << answer;
  }
  EXPECT_EQ(engine_->Evaluate("\nthrow 42"), "console:2: uncaught exception: 42");
  bool failed = true;
  EXPECT_EQ(engine_->Evaluate("undefined", &failed), "undefined");
  EXPECT_FALSE(failed) << "a result is no error";
}

// The text of a result or of what was thrown is script code too: it runs
// under the limit, in the console, in a slot and in a module's body.
TEST_F(ScriptSlots, TurningResultsAndErrorsIntoTextCannotOutrunTheLimit) {
  engine_->SetTimeLimit(200);
  const char* endless = "({ toString() { for (;;) {} } })";
  const std::string badName = "(() => { const e = new Error('x');"
                              " Object.defineProperty(e, 'fileName', { get() { for (;;) {} } }); return e; })()";
  engine_->Evaluate("var endless = " + std::string(endless) + "; var badName = " + badName +
                    "; function throwsEndless() { throw endless; } function throwsBadName() { throw badName; }");
  QTemporaryDir dir;
  const std::string module = dir.filePath("endless.js").toStdString();
  ASSERT_TRUE(WriteAll(module, "throw { toString() { for (;;) {} } };\n"));
  ReturnsWithin(60, "texts of results and errors", [&] {
    for (const std::string& line : std::vector<std::string>{std::string(endless), std::string("throw endless"), std::string("throw badName")}) {
      bool failed = false;
      EXPECT_EQ(engine_->Evaluate(line, &failed), "the script ran longer than 200 ms and was stopped") << line;
      EXPECT_TRUE(failed);
    }
    oxSignal0<void> fired;
    fired.Connect(oxScriptCallback("throwsEndless"));
    fired.Connect(oxScriptCallback("throwsBadName"));
    ExpectContains(StderrOf([&] { fired(); }), {"fwg: script 'throwsEndless' ran longer than 200 ms",
                                                "fwg: script 'throwsBadName' ran longer than 200 ms"});
    ExpectContains(StderrOf([&] { EXPECT_FALSE(engine_->LoadFile(module)); }),
                   {"fwg: script '" + module + "' ran longer than 200 ms and was stopped\n"});
  });
  EXPECT_EQ(engine_->Evaluate("1 + 1"), "2");
}

// A script that fills memory is stopped at the ceiling as a runaway loop is
// at the time limit, also inside a built-in function, and the engine works
// on.
TEST_F(ScriptSlots, AScriptThatFillsMemoryIsStoppedAtTheCeiling) {
  engine_->SetTimeLimit(120000);
  engine_->SetMemoryLimit(64);
  ReturnsWithin(100, "scripts filling memory", [&] {
    for (const char* line : {"new Array(1e9).fill(0)", "var a = []; for (;;) a.push({ n: a.length })"}) {
      bool failed = false;
      EXPECT_EQ(engine_->Evaluate(line, &failed), "the script took more than 64 MB and was stopped") << line;
      EXPECT_TRUE(failed);
    }
    EXPECT_TRUE(Contains(engine_->Evaluate("'x'.repeat(2 ** 31)"), "RangeError"));
    for (const char* line : {"new Array(1e9).forEach(x => x)", "Array.from({ length: 1e9 })",
                             "new Array(1e9).join()"}) {
      EXPECT_TRUE(Contains(engine_->Evaluate(line), "RangeError")) << line;
    }
  });
  EXPECT_EQ(engine_->Evaluate("[3, 1, 2].map(x => x * 2).sort().join()"), "2,4,6");
  EXPECT_EQ(engine_->Evaluate("String([1, [2]]) + Array.from('ab').indexOf('b')"), "1,21");
  EXPECT_EQ(engine_->Evaluate("[1, 2, 3, 4].fill(0, 1, -1).join()"), "1,0,0,4") << "fill works as before";
  engine_->SetMemoryLimit(512);
  engine_->SetTimeLimit(5000);
}

// A script that calls itself back through C++ is refused at a depth, with
// one line, long before the stack ends; the calls above it finish.
TEST_F(ScriptSlots, ScriptCallsNestingThroughTheApplicationAreRefusedAtADepth) {
  engine_->SetGlobalObject("echo", new Echo);  // the engine's
  engine_->Evaluate("var depth = 0; function again() { ++depth; echo.callAgain(); }");
  const std::string err = StderrOf([&] { EXPECT_EQ(engine_->Evaluate("echo.callAgain(); depth"), "15"); });
  EXPECT_EQ(err, "fwg: script 'again' was not run: script calls nest deeper than 16 through the application\n");
}

// Modules are known by their path: two of one file name each run their own
// functions, and a file name may hold dots.
// A module importing a pipe or a device would hang the engine's reader:
// refused before anything runs, naming the file; a sound import loads.
TEST_F(ScriptSlots, ImportsThatAreNotScriptsAreRefusedBeforeTheEngineReadsThem) {
  QTemporaryDir dir;
  const std::string pipe = dir.filePath("pipe.js").toStdString();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  ASSERT_TRUE(WriteAll(dir.filePath("tools.js").toStdString(), "export const n = 7;\n"));
  ASSERT_TRUE(WriteAll(dir.filePath("sound.js").toStdString(),
                       "// import \"./gone.js\" is only a comment\n"
                       "import { n } from \"./tools.js\";\nexport function run() { calls.push('n' + n); }\n"));
  ASSERT_TRUE(WriteAll(dir.filePath("piped.js").toStdString(), "import \"./sound.js\";\nimport { x } from './pipe.js';\n"));
  ASSERT_TRUE(WriteAll(dir.filePath("zero.js").toStdString(), "const z = import(\"/dev/zero\");\n"));
  for (const char* name : {"piped.js", "zero.js"}) {
    const std::string file = dir.filePath(name).toStdString();
    bool loaded = true;
    std::string err;
    ReturnsWithin(60, name, [&] { err = StderrOf([&] { loaded = engine_->LoadFile(file); }); });
    EXPECT_FALSE(loaded) << name;
    EXPECT_TRUE(Contains(err, "script '" + file + "' cannot be loaded: '")) << err;
    EXPECT_TRUE(Contains(err, name == std::string("piped.js") ? pipe : "/dev/zero")) << err;
  }
  const std::string sound = dir.filePath("sound.js").toStdString();
  ASSERT_TRUE(engine_->LoadFile(sound));
  engine_->InvokeExport(sound, "run", {});
  EXPECT_EQ(Calls(), "n7");
}

TEST_F(ScriptSlots, ModulesAreKnownByTheirPathAndMayHaveDotsInTheirName) {
  QTemporaryDir dir;
  std::vector<std::string> files;
  for (const char* folder : {"a", "b"}) {
    files.push_back(dir.filePath(QString(folder) + "/evil.js").toStdString());
    QDir().mkpath(dir.filePath(folder));
    ASSERT_TRUE(WriteAll(files.back(), "export function run() { calls.push('" + std::string(folder) + "'); }\n"));
    ASSERT_TRUE(engine_->LoadFile(files.back()));
  }
  ASSERT_TRUE(WriteAll(dir.filePath("my.evil.js").toStdString(), "export function run() { calls.push('dots'); }\n"));
  ASSERT_TRUE(engine_->LoadFile(dir.filePath("my.evil.js").toStdString()));
  engine_->InvokeExport(files[1], "run", {});
  engine_->InvokeExport(files[0], "run", {});
  oxSignal0<void> fired;
  fired.Connect(oxScriptCallback("my.evil.run"));
  fired();
  EXPECT_EQ(Calls(), "b;a;dots");
  EXPECT_TRUE(engine_->HasExport(files[0], "run"));
  EXPECT_FALSE(engine_->HasExport(files[0], "walk"));
  ExpectContains(StderrOf([&] { engine_->InvokeExport(files[0], "walk", {}); }),
                 {"fwg: script '" + files[0] + "' exports no function 'walk'\n"});
}

}  // namespace

#include "ScriptEngineTest.moc"
