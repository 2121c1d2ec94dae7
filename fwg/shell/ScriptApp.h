// What scripts see of the application: the global object "app", the same
// for the script console's lines, scripted clients' handlers and the
// user's own scripts, through the library's public calls:
//   app.profiles()            the registered profiles' names
//   app.activeProfile()       the active profile's name
//   app.activate(name)        puts a profile in force; false for none
//   app.actions()             the active chain's actions' names
//   app.trigger(name)         runs an action of the active chain
//   app.check(name, on)       checks or unchecks a checkable one
//   app.tree()                the object tree, one "indent class name" line each
//   app.property(path, name)  a property of the object at "Project/Folder/Doc"
//   app.object(path)          that object as scripts see typed objects
//                             (platform/script/oxScriptObject.h): name,
//                             className, path, parent(), children(),
//                             properties(), get(name), set(name, value)
//   app.clients()             the clients' names
//   app.newDocument(client)   makes a document through the client's New()
//   app.status(text[, ms])    shows the text in the status bar, for `ms`
//                             milliseconds or until the next message
//   app.message(text)         shows the text in a box the user closes; the
//                             script goes on at once
//   app.setting(path)         the application's setting at "Section/Key"
//                             (SettingsPages::GetValue): a settings page's
//                             value, its default while none is stored
//   app.task(title, count, step[, done])
//                             runs step(i) for i from 0 to count - 1 as a
//                             task with progress that the user may cancel,
//                             in slices on the GUI thread; false from a step
//                             ends it early, a throw fails it; done(state)
//                             hears "finished", "canceled" or "failed"
// The application object gives every script engine one (AddGlobal), so an
// engine is still made only by the first script.
#pragma once

class QObject;

namespace fwg {

// A new "app", for oxScriptEngine::AddGlobal.
QObject* MakeScriptApp();

}  // namespace fwg
