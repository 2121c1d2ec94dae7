// The process's script interpreter: JavaScript on Qt's own engine
// (QJSEngine), behind the signal library's script callbacks. Made on the
// first script call or load, so that start-up does not pay for it: the
// engine lives in the module "libfwgscript.so" beside the platform
// library, loaded then, with Qt's Qml; a program that runs no script loads
// neither. Without the module every script call writes one line (once) and
// runs nothing. The engine goes with the application (QCoreApplication's
// post routines), or at exit when there is none.
//
// Script files are JavaScript modules, each known by its path: a
// profile's (LoadFile, through Profile::LoadScript) and the user's own, in
// the folder "scripts" beside the settings files, loaded when the engine
// is made; never a session file. Code that knows its module calls its
// exports by path (InvokeExport). A procedure of a script slot is found by
// name, in this order:
//   - a global function, by name ("tidy") or dotted path ("notes.tidy"),
//     as Evaluate defines them;
//   - "module.function": an export of the first module loaded from
//     "module.js" ("my.notes.tidy" for "my.notes.js"; each module is also
//     the global of that name, unless it is taken);
//   - "function": the first loaded module that exports it.
// Arguments cross as JavaScript values: flags, numbers and text as such, a
// typed object (oxt::Object) as an oxScriptObject wrapper, anything else
// as null; a bound object that names an object of the tree ("Work/Note 1")
// as that object's wrapper, otherwise as its text.
//
// Whatever a script throws is reported once, an Error as
// "path:line: message", any other value as "where: uncaught exception:
// value", and the emission goes on with the next slot. Every piece of
// script code runs under two limits, also what turns a result or an error
// into text, and a call into the application from a script runs under the
// limits of the outermost call: a call that runs longer than the time
// limit, or during which the program grows by more than the memory limit,
// is stopped with one line. Script calls that nest through the application
// deeper than 16 are refused with one line.
#pragma once

#include <functional>

#include "platform/core/oxTypes.h"
#include "platform/signals/oxSignal.h"

class QJSEngine;
class QObject;
class QVariant;

namespace oxt {
class Object;
}

class oxScriptEngine {
 public:
  // The engine, made on the first call.
  static oxScriptEngine* Get();
  // Whether Get() has made it yet.
  static bool Exists();
  // Sends the signal library's script callbacks here (cheap: the engine
  // itself is still made on the first call).
  static void Install();
  // Gives every engine, when it is made, the global `name`: the object
  // `make` returns, which the engine owns. An engine that exists gets it at
  // once. For the application's own objects ("app"): the engine is still
  // made only by the first script.
  static void AddGlobal(const oxString& name, std::function<QObject*()> make);
  // Writes one line about a script ("fwg: " and `line`) and hands `line`
  // to OnReport's slots: errors, stops and missing procedures, for a
  // console to show.
  static void Report(const oxString& line);
  static oxSignal1<void, const oxString&>& OnReport();

  ~oxScriptEngine();
  oxScriptEngine(const oxScriptEngine&) = delete;
  oxScriptEngine& operator=(const oxScriptEngine&) = delete;

  // Loads a script file as a module, once per path (a second load of the
  // same file does nothing). False, with one line on stderr, when it
  // cannot be read or throws.
  bool LoadFile(const oxString& path);
  // Loads every ".js" file of the folder, in name order. Files that fail
  // cost only themselves.
  int LoadFolder(const oxString& folder);
  // Whether `procedure` names a function now (see above).
  bool HasProcedure(const oxString& procedure) const;
  // Whether the module loaded from `path` exports a function `name`.
  bool HasExport(const oxString& path, const oxString& name) const;
  // Runs text as a script; the result as text, or "file:line: message"
  // with `failed` set. For consoles and tests.
  oxString Evaluate(const oxString& text, bool* failed = nullptr);

  // Calls the callback's procedure with the arguments. An interpreter
  // other than "" or "javascript" gets one line and runs nothing.
  void Invoke(const oxScriptCallback& callback, const oxStlVector<oxVariant>& args);
  // Calls the function `name` that the module loaded from `path` exports;
  // one line when it has none.
  void InvokeExport(const oxString& path, const oxString& name, const oxStlVector<oxVariant>& args);

  // Calls a function a script handed to the application (a method's
  // argument of type QVariant holds it) with the arguments, under the
  // limits. Its result crosses back as a flag, a number or text, anything
  // else as empty. False, with one line in `error` and nothing reported,
  // when `function` is no function, or the call threw or was stopped: the
  // caller says what failed.
  bool CallFunction(const QVariant& function, const oxStlVector<oxVariant>& args, oxVariant* result,
                    oxString* error);

  // The most a call may run before it is stopped: 5 seconds, or
  // "TimeLimitSeconds" under "Scripts" in the application's settings.
  void SetTimeLimit(int milliseconds);
  int GetTimeLimit() const;
  // The most the program may grow while a call runs: 512 MB, or
  // "MemoryLimitMB" under "Scripts" in the application's settings.
  void SetMemoryLimit(int megabytes);
  int GetMemoryLimit() const;

  // Qt's engine, for code that links Qt's Qml itself; null without the
  // module.
  QJSEngine* GetJSEngine() const;
  // Makes `object` the global `name` of scripts, its properties, slots and
  // invokable methods reachable from them. The engine deletes an object
  // without a parent with itself; one with a parent stays its parent's.
  void SetGlobalObject(const oxString& name, QObject* object);
  // A new wrapper of a typed object (oxScriptObject.h), with no parent:
  // handed to a script as a method's result, the script's collector owns
  // it. Null for null.
  QObject* NewObjectWrapper(oxt::Object* object);

 private:
  oxScriptEngine();
  struct Internal;
  Internal* internal_;
};
