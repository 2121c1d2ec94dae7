// Script procedures as slots: what they receive, and that a failing or
// runaway script costs only itself.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "platform/oxt/Model.h"
#include "platform/oxt/Object.h"
#include "platform/script/oxScriptEngine.h"
#include "tests/support/Output.h"

namespace {

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
  ExpectContains(err, {"broken.js:2: Error: not today\n"});
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

}  // namespace
