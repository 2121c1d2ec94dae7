// Clients made of a declaration and a script: each runs its own module,
// what its handlers throw is said in full where the user looks, and a
// handler that calls back into the application costs only itself.
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "fwg/actions/Action.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/ScriptedClient.h"
#include "fwg/objects/Project.h"
#include "fwg/objects/UnsavedWork.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/ScriptConsole.h"
#include "platform/fwc/PluginManager.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/settings/oxSettings.h"
#include "tests/support/HangGuard.h"
#include "tests/support/Output.h"
#include "tests/support/WithProjects.h"

namespace {

class ScriptedClients : public WithProjects {
 protected:
  // The client `client` of a new plug-in `plugin`, whose command "go" runs
  // the script's "go"; the script is the file `file` holding `script`.
  fwg::ScriptedClient* Add(const std::string& plugin, const std::string& client, const std::string& file,
                           const std::string& script) {
    const std::string folder = dir_.filePath(QString::fromStdString(plugin)).toStdString();
    QDir().mkpath(QString::fromStdString(folder + "/res"));
    EXPECT_TRUE(WriteAll(folder + "/res/" + file, script));
    EXPECT_TRUE(WriteAll(folder + "/res/d.json", R"({"name": ")" + client +
                                                     R"(", "actions": [{"name": "go", "text": "Go", "handler": "go"}]})"));
    EXPECT_TRUE(WriteAll(folder + "/d.plugin", "name = " + plugin + "\nclient = " + client +
                                                   "\nresources = res\ndeclaration = d.json\nscript = " + file + "\n"));
    fwc::PluginManager* plugins = fwc::PluginManager::Get();
    EXPECT_TRUE(plugins->AddPluginDescriptionFile(folder + "/d.plugin"));
    const fwc::PluginDescription* description = plugins->GetPluginDescription(plugin);
    return description ? fwg::ScriptedClient::Make(*description) : nullptr;
  }
  std::string Path(const std::string& plugin, const std::string& file) const {
    return dir_.filePath(QString::fromStdString(plugin + "/res/" + file)).toStdString();
  }
  static fwg::ClientObject* NewDocument(fwg::Client* client) {
    client->New();
    return client->GetClientObjectsList().back();
  }
  static std::string Text(fwg::ClientObject* document) {
    return document->GetProperty(oxString("Text")).GetValue().GetString();
  }
  static void Go() { fwg::ProfileManager::Get()->GetActiveProfile()->GetAction("go")->Activate(); }

  QTemporaryDir dir_;
};

// Two plug-ins whose scripts share a file name each run their own, and so
// does the user's own version of one of them; a file name may hold dots.
TEST_F(ScriptedClients, EachRunsItsOwnScriptWhateverItsFileIsCalled) {
  const auto script = [](const std::string& mark) {
    return "export function created(d) { d.set('Text', '" + mark + "'); }\n"
           "export function go(d) { d.set('Text', d.get('Text') + ' went " + mark + "'); }\n";
  };
  fwg::ScriptedClient* alpha = Add("alpha", "Alpha", "evil.js", script("alpha"));
  fwg::ScriptedClient* beta = Add("beta", "Beta", "evil.js", script("beta"));
  fwg::ScriptedClient* dotted = Add("gamma", "Gamma", "my.evil.js", script("gamma"));
  ASSERT_TRUE(alpha && beta && dotted);
  const std::string mine = oxSettings::GetConfigFolder() + "/scripts/beta/evil.js";
  QDir().mkpath(QString::fromStdString(oxSettings::GetConfigFolder() + "/scripts/beta"));
  ASSERT_TRUE(WriteAll(mine, "export function go(d) { d.set('Text', 'mine'); }\n"));

  Make<fwg::Project>("Work");
  fwg::ClientObject* a = NewDocument(alpha);
  Go();
  fwg::ClientObject* b = NewDocument(beta);
  EXPECT_EQ(Text(b), "beta") << "what the user's version does not export comes from the plug-in";
  Go();
  fwg::ClientObject* c = NewDocument(dotted);
  Go();
  EXPECT_EQ(Text(a), "alpha went alpha");
  EXPECT_EQ(Text(b), "mine");
  EXPECT_EQ(Text(c), "gamma went gamma");
}

// What "created" puts in is where a new document starts: quitting right
// after asks nothing, and Undo has nothing to take away; the user's own
// changes count from then on.
TEST_F(ScriptedClients, WhatCreatedPutsInIsWhereANewDocumentStarts) {
  fwg::ScriptedClient* client = Add("lists", "Lists", "lists.js",
                                    "export function created(d) { d.set('Text', '- [ ] '); }\n"
                                    "export function go(d) { d.set('Text', d.get('Text') + 'milk'); }\n");
  ASSERT_TRUE(client);
  auto* project = Make<fwg::Project>("Work");
  fwg::ClientObject* list = NewDocument(client);
  const auto* view = qobject_cast<QPlainTextEdit*>(list->GetView());
  ASSERT_TRUE(view);
  EXPECT_EQ(view->toPlainText(), "- [ ] ");
  EXPECT_FALSE(view->document()->isUndoAvailable());
  EXPECT_FALSE(fwg::UnsavedWork::IsUnsaved(project));
  Go();
  EXPECT_EQ(view->toPlainText(), "- [ ] milk");
  EXPECT_TRUE(view->document()->isUndoAvailable());
  EXPECT_TRUE(fwg::UnsavedWork::IsUnsaved(project));
}

// A handler's error says the engine's message with the script's path and
// line, on stderr and in the console; a thrown text is an error too.
TEST_F(ScriptedClients, HandlerErrorsNameTheScriptsPathAndLineInTheConsoleToo) {
  fwg::ScriptedClient* client = Add("faulty", "Faulty", "faulty.js",
                                    "export function created(d) { throw 'no list today'; }\n"
                                    "export function go(d) {\n  d.nothing();\n}\n");
  ASSERT_TRUE(client);
  fwg::ScriptConsole console(nullptr, "Console");
  Make<fwg::Project>("Work");
  const std::string path = Path("faulty", "faulty.js");
  const std::string err = StderrOf([&] {
    NewDocument(client);
    Go();
  });
  ExpectContains(err, {"fwg: " + path + ": uncaught exception: no list today\n", "fwg: " + path + ":3: TypeError"});
  ExpectContains(console.GetOutput(), {"! " + path + ": uncaught exception: no list today\n",
                                       "! " + path + ":3: TypeError"});
}

// A "created" handler that asks for a document of its own kind would make
// documents until the stack ends: it is refused once, with one line.
TEST_F(ScriptedClients, ACreatedHandlerCannotMakeADocumentOfItsOwnKind) {
  fwg::ScriptedClient* client =
      Add("loop", "Loop", "loop.js", "export function created(d) { app.newDocument('Loop'); d.set('Text', 'made'); }\n");
  ASSERT_TRUE(client);
  Make<fwg::Project>("Work");
  fwg::ClientObject* document = nullptr;
  const std::string err = StderrOf([&] { document = NewDocument(client); });
  EXPECT_EQ(err, "fwg: 'Loop' makes no document from its own 'created' handler\n");
  EXPECT_EQ(client->GetClientObjectsList().size(), 1u);
  EXPECT_EQ(Text(document), "made") << "the handler goes on";
}

// A console line that makes a document or runs a command, whose handlers
// are scripts, is still stopped at the line's time limit.
TEST_F(ScriptedClients, ALoopAfterACallIntoTheClientIsStillStopped) {
  fwg::ScriptedClient* client =
      Add("slow", "Slow", "slow.js", "export function created(d) {}\nexport function go(d) {}\n");
  ASSERT_TRUE(client);
  Make<fwg::Project>("Work");
  fwg::ScriptConsole console(nullptr, "Console");
  oxScriptEngine::Get()->SetTimeLimit(300);
  ReturnsWithin(60, "loops after calls into a scripted client", [&] {
    for (const char* line : {"app.newDocument('Slow'); while (true) {}", "app.trigger('go'); while (true) {}"})
      EXPECT_EQ(console.Run(line), "the script ran longer than 300 ms and was stopped") << line;
  });
  oxScriptEngine::Get()->SetTimeLimit(5000);
  EXPECT_EQ(client->GetClientObjectsList().size(), 1u);
}

}  // namespace
