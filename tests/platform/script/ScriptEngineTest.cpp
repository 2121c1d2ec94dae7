// Script procedures as slots: what they receive, and that a failing or
// runaway script costs only itself.
#include <gtest/gtest.h>

#include "platform/script/oxScriptEngine.h"
#include "tests/support/Output.h"

namespace {

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
