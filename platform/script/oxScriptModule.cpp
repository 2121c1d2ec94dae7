// The JavaScript engine behind oxScriptEngine: Qt's QJSEngine, in a module
// of its own so that only programs that run scripts load Qt's Qml.
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJSEngine>
#include <QJSManagedValue>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/oxt/Object.h"
#include "platform/script/oxScriptBackend.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/script/oxScriptObject.h"
#include "platform/vos/vosFile.h"

namespace {

using Clock = std::chrono::steady_clock;

// Script calls that reach the application, and through it scripts again,
// may nest this deep: enough for a handler that makes a document whose
// script makes another, and far from the end of the thread's stack.
constexpr int kMaxDepth = 16;
// While calls run, the watchdog looks this often at the clock and the
// program's memory; after this many looks without a call it sleeps until
// the next one.
constexpr auto kTick = std::chrono::milliseconds(20);
constexpr int kIdleTicks = 50;
// A script file larger than this is not a script.
constexpr qint64 kMaxScriptBytes = 16 << 20;

QString ToQ(const oxString& text) { return QString::fromStdString(text); }

// The engine names files as URLs ("file:///home/ann/tasks.js").
QString LocalName(const QString& file) {
  const QUrl url(file);
  return url.isLocalFile() ? url.toLocalFile() : file;
}

// The files a module imports, and theirs, as far as their import lines
// name them with a literal path ("./tools.js", "../lib/a.mjs", "/opt/x.js"),
// checked as scripts are before the engine reads any of them (a name in a
// comment or a string is checked too, and refused only if it is there and
// not a script one may read): the engine
// would block on a pipe and read a device without end. Returns the first
// refusal ("'<file>' imported by '<module>': <reason>"), or "".
oxString CheckImports(const QString& module) {
  static const QRegularExpression kImport(
      QStringLiteral(R"((?:\bimport|\bexport)\s*(?:[^'";]*?\bfrom\s*)?\(?\s*(['"])([^'"\n]+)\1)"));
  constexpr int kMostFiles = 256;
  QStringList pending{module};
  QSet<QString> seen{module};
  while (!pending.isEmpty() && seen.size() <= kMostFiles) {
    const QString file = pending.takeFirst();
    QByteArray text;
    oxString error;
    if (!vosFile::ReadFile(file.toStdString(), kMaxScriptBytes, &text, &error)) {
      return file == module ? oxString() : "'" + file.toStdString() + "': " + error;
    }
    const QString source = QString::fromUtf8(text);
    for (auto it = kImport.globalMatch(source); it.hasNext();) {
      const QString name = it.next().captured(2);
      if (!name.startsWith("./") && !name.startsWith("../") && !name.startsWith('/')) continue;
      const QString imported = QFileInfo(QFileInfo(file).dir(), name).absoluteFilePath();
      // One that is not there is the engine's to report, as it would be
      // anyway; the line may be a comment.
      if (seen.contains(imported) || !QFileInfo::exists(imported)) continue;
      seen.insert(imported);
      oxString refusal;
      if (!vosFile::CheckReadable(imported.toStdString(), kMaxScriptBytes, &refusal)) {
        return "'" + imported.toStdString() + "' imported by '" + file.toStdString() + "': " + refusal;
      }
      pending << imported;
    }
  }
  return {};
}

// A thrown text may hold line breaks and be of any length; a report stays
// one line a person can read.
oxString OneLine(QString text) {
  constexpr int kMost = 400;
  if (text.size() > kMost) text = text.left(kMost) + "...";
  for (QChar& c : text)
    if (c.unicode() < 0x20) c = ' ';
  return text.toStdString();
}

// What a script threw, as one line: an Error as "path:line: message", where
// it was made; any other value as "where: uncaught exception: value".
oxString Describe(const QJSValue& thrown, const QString& where) {
  if (thrown.isError()) {
    const QJSValue file = thrown.property("fileName");
    const QString at = file.isString() && !file.toString().isEmpty()
                           ? LocalName(file.toString()) + ":" + QString::number(thrown.property("lineNumber").toInt())
                           : where;
    return OneLine(at + ": " + thrown.toString());
  }
  return OneLine(where + ": uncaught exception: " + thrown.toString());
}

// "console:3" from the innermost frame of a stack trace as QJSEngine::evaluate
// gives it ("function:line:column:file"); `fallback` without one.
QString Where(const QStringList& trace, const QString& fallback) {
  if (trace.isEmpty()) return fallback;
  const QStringList parts = trace.front().split(':');
  if (parts.size() < 4) return fallback;
  return LocalName(parts.mid(3).join(':')) + ":" + parts[1];
}

// The program's resident memory, from /proc (0 where it cannot be read).
long ResidentMegabytes() {
  static const long page = sysconf(_SC_PAGESIZE);
  char text[128] = {};
  const int file = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
  if (file < 0) return 0;
  const ssize_t size = ::read(file, text, sizeof text - 1);
  ::close(file);
  if (size <= 0) return 0;
  char* at = nullptr;
  std::strtol(text, &at, 10);  // the size of the address space
  return std::strtol(at, nullptr, 10) * page / (1024 * 1024);
}

// Qt's engine looks for a stop between script instructions only: a built-in
// function runs to its end. These would fill memory element by element
// (`new Array(1e9).fill(0)`) or make one text of any length, so fill works
// in slices, between which a stop takes effect, and no text grows past
// 2^27 characters (256 MB), as other engines refuse texts past their own
// length.
const char kGuardedBuiltIns[] = R"((function (maxLength, slice) {
  "use strict";
  const define = (owner, name, value) => Object.defineProperty(owner, name,
      { value: value, writable: true, configurable: true, enumerable: false });
  const integer = (x) => { const n = Number(x); return n !== n ? 0 : Math.trunc(n); };
  const refuse = () => { throw new RangeError("Invalid string length"); };
  const builtIn = { fill: Array.prototype.fill, repeat: String.prototype.repeat,
                    padStart: String.prototype.padStart, padEnd: String.prototype.padEnd };
  define(Array.prototype, "fill", function fill(value, start, end) {
    if (this == null) return builtIn.fill.call(this, value);  // throws as the built-in does
    const o = Object(this);
    const length = Math.min(Math.max(integer(o.length), 0), Number.MAX_SAFE_INTEGER);
    const from = integer(start), to = end === undefined ? length : integer(end);
    const last = to < 0 ? Math.max(length + to, 0) : Math.min(to, length);
    for (let k = from < 0 ? Math.max(length + from, 0) : Math.min(from, length); k < last; k += slice)
      builtIn.fill.call(o, value, k, Math.min(k + slice, last));
    return o;
  });
  define(String.prototype, "repeat", function repeat(count) {
    if (this == null) return builtIn.repeat.call(this, count);
    const text = String(this), n = integer(count);
    if (n > 0 && text.length * n > maxLength) refuse();
    return builtIn.repeat.call(text, count);
  });
  define(String.prototype, "padStart", function padStart(length, filler) {
    if (integer(length) > maxLength) refuse();
    return builtIn.padStart.call(this, length, filler);
  });
  define(String.prototype, "padEnd", function padEnd(length, filler) {
    if (integer(length) > maxLength) refuse();
    return builtIn.padEnd.call(this, length, filler);
  });
  // The built-ins that walk an array natively cannot be stopped midway: an
  // array that long would be sparse (a dense one passes the memory ceiling
  // first) and is refused rather than walked for minutes.
  const refuseArray = () => { throw new RangeError("Invalid array length"); };
  const tooLong = (o) => o != null && integer(Object(o).length) > maxLength;
  for (const name of ["forEach", "map", "filter", "some", "every", "find", "findIndex", "findLast",
                      "findLastIndex", "indexOf", "lastIndexOf", "includes", "reduce", "reduceRight",
                      "join", "toString", "toLocaleString", "reverse", "sort", "copyWithin", "splice",
                      "slice", "flat", "flatMap"]) {
    const native = Array.prototype[name];
    if (typeof native !== "function") continue;
    define(Array.prototype, name, {[name](...args) {
      if (tooLong(this)) refuseArray();
      return native.apply(this, args);
    }}[name]);
  }
  const from = Array.from;
  define(Array, "from", function from_(items, ...rest) {
    if (tooLong(items)) refuseArray();
    return from.call(this, items, ...rest);
  });
}))";

template <class WrapObject>
QJSValue ToScript(const oxVariant& value, WrapObject wrap) {
  switch (value.GetType()) {
    case oxVariant::Type::Boolean: return QJSValue(value.GetBoolean());
    case oxVariant::Type::Integer: return QJSValue(value.GetInteger());
    case oxVariant::Type::Long: return QJSValue(static_cast<double>(value.GetLong()));
    case oxVariant::Type::String: return QJSValue(ToQ(value.GetString()));
    case oxVariant::Type::Pointer: return wrap(oxt::Object::FromAddress(value.GetPointer()));
    case oxVariant::Type::Empty: break;
  }
  return QJSValue(QJSValue::NullValue);
}

// A function's result as the application takes it: flags, whole numbers
// and text; anything else is empty.
oxVariant FromScript(const QJSValue& value) {
  if (value.isBool()) return value.toBool();
  if (value.isString()) return value.toString().toStdString();
  if (value.isNumber()) {
    const double number = value.toNumber();
    if (number >= INT_MIN && number <= INT_MAX) return static_cast<int>(number);
    if (std::isfinite(number)) return static_cast<long long>(number);
  }
  return {};
}

// The value at a dotted path below `start`, and the object holding it.
QJSValue Walk(QJSValue start, const QStringList& parts, QJSValue* owner) {
  QJSValue value = start;
  for (const QString& part : parts) {
    if (!value.isObject()) return QJSValue();
    *owner = value;
    value = value.property(part);
  }
  return value;
}

// Why a call did not run to its end.
enum class Stop { None, Time, Memory, Depth };

// A second thread stops a call that runs past the limits: the engine runs
// on the GUI thread, which cannot look at a clock or the memory meanwhile.
// While calls come, it looks every tick; idle, it sleeps until the next
// call, which alone wakes it. So arming it costs a call no wake-up of that
// thread unless it slept.
struct EngineState {
  // First, so that it goes last: every value below belongs to it.
  QJSEngine engine;
  // Held for the engine's life: besides sparing a look-up per call, a value
  // held keeps the engine's store of held values from giving its memory
  // back and taking it again on every call.
  QJSValue global = engine.globalObject();
  std::set<QString> loaded;
  // The wrappers of the typed objects handed to slots, one per object while
  // it lives, so that calls with the same object make no new one.
  struct Wrapper {
    std::uint64_t serial;
    QJSValue value;
  };
  std::unordered_map<const void*, Wrapper> wrappers;
  std::size_t nextSweep = 64;
  // The loaded modules, in load order: the file's name without ".js", its
  // absolute path and its exports.
  struct Module {
    QString name;
    QString file;
    QJSValue exports;
  };
  std::vector<Module> modules;
  int depth = 0;  // script calls running, one inside the other

  mutable std::mutex mutex;  // guards what follows
  std::condition_variable wake;
  int limitMs = 5000;
  int memoryLimitMb = 512;
  std::uint64_t calls = 0;  // outermost calls so far
  Clock::time_point deadline{};
  bool armed = false;
  Stop stopped = Stop::None;
  bool sleeping = false;
  bool quitting = false;
  std::thread watchdog;

  EngineState() : watchdog([this] { Watch(); }) {}
  ~EngineState() {
    {
      std::lock_guard<std::mutex> lock(mutex);
      quitting = true;
    }
    wake.notify_all();
    watchdog.join();
  }

  void Watch() {
    std::unique_lock<std::mutex> lock(mutex);
    std::uint64_t measured = 0;  // the call whose growth is measured from `base`
    long base = 0;
    std::uint64_t seen = calls;
    int idle = 0;
    while (!quitting) {
      if (armed) {
        idle = 0;
        if (measured != calls) {
          measured = calls;
          base = ResidentMegabytes();
        } else if (ResidentMegabytes() - base > memoryLimitMb) {
          Interrupt(Stop::Memory);
        }
        if (armed && Clock::now() >= deadline) Interrupt(Stop::Time);
      } else if (calls != seen) {
        idle = 0;
      } else if (++idle >= kIdleTicks) {
        sleeping = true;
        wake.wait(lock, [&] { return quitting || calls != seen; });
        sleeping = false;
        idle = 0;
      }
      seen = calls;
      const Clock::time_point next = Clock::now() + kTick;
      wake.wait_until(lock, armed && deadline < next ? deadline : next);
    }
  }

  // With the mutex held.
  void Interrupt(Stop why) {
    armed = false;
    stopped = why;
    engine.setInterrupted(true);
  }

  void SetLimits(int milliseconds, int megabytes) {
    std::lock_guard<std::mutex> lock(mutex);
    if (milliseconds > 0) limitMs = milliseconds;
    if (megabytes > 0) memoryLimitMb = megabytes;
  }

  // Runs `call` under the limits; why it was stopped, if it was. A call
  // inside another runs under the outer one's limits, and only the outer one
  // ends the stop: until then every script the application calls meanwhile
  // returns at once.
  template <class Body>
  Stop Guarded(Body&& call) {
    if (depth >= kMaxDepth) return Stop::Depth;
    const bool outermost = depth == 0;
    if (outermost) {
      bool sleeper = false;
      {
        std::lock_guard<std::mutex> lock(mutex);
        deadline = Clock::now() + std::chrono::milliseconds(limitMs);
        armed = true;
        stopped = Stop::None;
        ++calls;
        sleeper = sleeping;
      }
      if (sleeper) wake.notify_all();
    }
    ++depth;
    call();
    --depth;
    Stop why = Stop::None;
    {
      std::lock_guard<std::mutex> lock(mutex);
      if (outermost) armed = false;
      why = stopped;
    }
    if (outermost && why != Stop::None) {
      engine.setInterrupted(false);
      if (why == Stop::Memory) engine.collectGarbage();
    }
    return why;
  }

  // The one line of a stop, naming the call (`what`: "script 'tasks.add'").
  oxString StopLine(Stop why, const oxString& what) const {
    std::lock_guard<std::mutex> lock(mutex);
    switch (why) {
      case Stop::Time: return what + " ran longer than " + std::to_string(limitMs) + " ms and was stopped";
      case Stop::Memory:
        return what + " took more than " + std::to_string(memoryLimitMb) + " MB and was stopped";
      case Stop::Depth:
        return what + " was not run: script calls nest deeper than " + std::to_string(kMaxDepth) +
               " through the application";
      case Stop::None: break;
    }
    return {};
  }

  // Guarded, with the stop reported by the call it ended: the outermost, or
  // the one refused for its depth. False when it did not finish.
  template <class Body>
  bool Run(const oxString& what, Body&& call) {
    const bool outermost = depth == 0;
    const Stop why = Guarded(call);
    if (why == Stop::Depth || (why != Stop::None && outermost)) oxScriptEngine::Report(StopLine(why, what));
    return why == Stop::None;
  }

  // Calls `function` with `owner` as `this`; what it threw, as one line, or
  // nothing. Under the caller's guard.
  oxString Call(const QJSValue& function, const QJSValue& owner, const QJSValueList& values,
                const QString& where) {
    QJSManagedValue(function, &engine).callWithInstance(owner, values);
    return engine.hasError() ? Describe(engine.catchError(), where) : oxString();
  }

  QJSValue WrapObject(oxt::Object* object) {
    if (!object) return QJSValue(QJSValue::NullValue);
    const auto held = wrappers.find(object);
    if (held != wrappers.end() && held->second.serial == object->GetSerial()) return held->second.value;
    if (wrappers.size() >= nextSweep) {  // the wrappers of objects gone
      std::erase_if(wrappers, [](const auto& entry) {
        const oxt::Object* alive = oxt::Object::FromAddress(entry.first);
        return !alive || alive->GetSerial() != entry.second.serial;
      });
      nextSweep = 2 * wrappers.size() + 64;
    }
    QJSValue value = oxScriptObject::Wrap(engine, object);
    wrappers[object] = {object->GetSerial(), value};
    return value;
  }

  // The arguments of a slot as script values; the bound object as the
  // object of the tree it names, else as its text.
  QJSValueList ToScriptArguments(const oxStlVector<oxVariant>& args, bool bound) {
    QJSValueList values;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (bound && i == 0) {
        if (oxt::Object* object = oxScriptObject::Find(ToQ(args[i].GetString()))) {
          values << WrapObject(object);
          continue;
        }
      }
      values << ToScript(args[i], [this](oxt::Object* object) { return WrapObject(object); });
    }
    return values;
  }

  const Module* FindModule(const oxString& path) const {
    const QString file = QFileInfo(ToQ(path)).absoluteFilePath();
    for (const Module& module : modules)
      if (module.file == file) return &module;
    return nullptr;
  }

  // A global by name or dotted path; else "module.function" of the first
  // module of that name (which may hold dots); else the first module that
  // exports the name. `file` is the module's.
  QJSValue Find(const QString& name, QJSValue* owner, QString* file) {
    const QStringList parts = name.split('.');
    QJSValue found = Walk(global, parts, owner);
    if (found.isCallable()) return found;
    for (const Module& module : modules) {
      if (name.startsWith(module.name + '.')) {
        found = Walk(module.exports, name.mid(module.name.size() + 1).split('.'), owner);
        if (found.isCallable()) {
          *file = module.file;
          return found;
        }
      }
    }
    for (const Module& module : modules) {
      found = Walk(module.exports, parts, owner);
      if (found.isCallable()) {
        *file = module.file;
        return found;
      }
    }
    return QJSValue();
  }
};

class JSBackend : public oxScriptBackend {
 public:
  JSBackend() {
    // qsTr("...") translates within the script's file name without its
    // suffix ("tasks" for tasks.js), through the application's translators.
    d.engine.installExtensions(QJSEngine::ConsoleExtension | QJSEngine::TranslationExtension);
    d.engine.evaluate(kGuardedBuiltIns).call({1 << 27, 1 << 16});
  }

  bool LoadFile(const oxString& path) override {
    const QFileInfo info(ToQ(path));
    const QString file = info.absoluteFilePath();
    if (d.loaded.count(file)) return true;
    // A pipe would block the program and a device never end.
    oxString error;
    if (!vosFile::CheckReadable(path, kMaxScriptBytes, &error)) {
      oxScriptEngine::Report("script '" + path + "' cannot be read: " + error);
      return false;
    }
    if (const oxString refusal = CheckImports(file); !refusal.empty()) {
      oxScriptEngine::Report("script '" + path + "' cannot be loaded: " + refusal);
      return false;
    }
    d.loaded.insert(file);
    oxString failure;
    const bool finished = d.Run("script '" + path + "'", [&] {
      QJSEngine& engine = d.engine;
      QJSValue exports = engine.importModule(file);
      // A module whose body throws comes back whole, the error left pending.
      if (engine.hasError() || exports.isError()) {
        failure = Describe(engine.hasError() ? engine.catchError() : exports, file);
        return;
      }
      const QString name = info.completeBaseName();
      d.modules.push_back({name, file, exports});
      if (!d.global.hasProperty(name)) d.global.setProperty(name, exports);
    });
    if (finished && !failure.empty()) oxScriptEngine::Report(failure);
    return finished && failure.empty();
  }

  oxString Evaluate(const oxString& text, bool* failed) override {
    oxString answer;
    bool error = false;
    const Stop why = d.Guarded([&] {
      QStringList trace;
      const QJSValue result = d.engine.evaluate(ToQ(text), "console", 1, &trace);
      // A value thrown leaves a trace; an Error is an error even as a result.
      error = !trace.isEmpty() || result.isError();
      answer = error ? Describe(result, Where(trace, "console")) : result.toString().toStdString();
    });
    if (failed) *failed = error || why != Stop::None;
    return why == Stop::None ? answer : d.StopLine(why, "the script");
  }

  void Invoke(const oxScriptCallback& callback, const oxStlVector<oxVariant>& args) override {
    const oxString& name = callback.GetProcedure();
    bool found = false;
    oxString thrown;
    const bool finished = d.Run("script '" + name + "'", [&] {
      QJSValue owner;
      QString file;
      const QJSValue procedure = d.Find(ToQ(name), &owner, &file);
      found = procedure.isCallable();
      if (!found) return;
      const QJSValueList values = d.ToScriptArguments(args, !callback.GetObject().empty());
      thrown = d.Call(procedure, owner, values, file.isEmpty() ? "'" + ToQ(name) + "'" : file);
    });
    if (!finished) return;
    if (!found) {
      oxScriptEngine::Report("script procedure '" + name + "' is not defined");
    } else if (!thrown.empty()) {
      oxScriptEngine::Report(thrown);
    }
  }

  void InvokeExport(const oxString& path, const oxString& name, const oxStlVector<oxVariant>& args) override {
    const EngineState::Module* module = d.FindModule(path);
    if (!module) {
      oxScriptEngine::Report("script '" + path + "' is not loaded; '" + name + "' was not run");
      return;
    }
    bool found = false;
    oxString thrown;
    const bool finished = d.Run("script '" + name + "' of '" + path + "'", [&] {
      const QJSValue function = module->exports.property(ToQ(name));
      found = function.isCallable();
      if (found) thrown = d.Call(function, module->exports, d.ToScriptArguments(args, false), module->file);
    });
    if (!finished) return;
    if (!found) {
      oxScriptEngine::Report("script '" + path + "' exports no function '" + name + "'");
    } else if (!thrown.empty()) {
      oxScriptEngine::Report(thrown);
    }
  }

  bool CallFunction(const QVariant& function, const oxStlVector<oxVariant>& args, oxVariant* result,
                    oxString* error) override {
    const QJSValue callable =
        function.metaType() == QMetaType::fromType<QJSValue>() ? function.value<QJSValue>() : QJSValue();
    if (!callable.isCallable()) {
      if (error) *error = "not a function";
      return false;
    }
    QJSValue answer;
    oxString thrown;
    const Stop why = d.Guarded([&] {
      answer = QJSManagedValue(callable, &d.engine).call(d.ToScriptArguments(args, false));
      if (d.engine.hasError()) thrown = Describe(d.engine.catchError(), "script function");
    });
    if (why != Stop::None) thrown = d.StopLine(why, "the script function");
    if (!thrown.empty()) {
      if (error) *error = thrown;
      return false;
    }
    if (result) *result = FromScript(answer);
    return true;
  }

  bool HasProcedure(const oxString& procedure) override {
    bool found = false;
    d.Guarded([&] {
      QJSValue owner;
      QString file;
      found = d.Find(ToQ(procedure), &owner, &file).isCallable();
    });
    return found;
  }

  bool HasExport(const oxString& path, const oxString& name) override {
    const EngineState::Module* module = d.FindModule(path);
    bool found = false;
    if (module) d.Guarded([&] { found = module->exports.property(ToQ(name)).isCallable(); });
    return found;
  }

  void SetTimeLimit(int milliseconds) override { d.SetLimits(std::max(1, milliseconds), 0); }
  int GetTimeLimit() const override {
    std::lock_guard<std::mutex> lock(d.mutex);
    return d.limitMs;
  }
  void SetMemoryLimit(int megabytes) override { d.SetLimits(0, std::max(1, megabytes)); }
  int GetMemoryLimit() const override {
    std::lock_guard<std::mutex> lock(d.mutex);
    return d.memoryLimitMb;
  }
  QJSEngine* GetJSEngine() override { return &d.engine; }

  void SetGlobalObject(const oxString& name, QObject* object) override {
    QJSEngine::setObjectOwnership(object, object->parent() ? QJSEngine::CppOwnership
                                                            : QJSEngine::JavaScriptOwnership);
    d.global.setProperty(ToQ(name), d.engine.newQObject(object));
  }

  QObject* NewObjectWrapper(oxt::Object* object) override {
    return object ? new oxScriptObject(object) : nullptr;
  }

 private:
  EngineState d;
};

}  // namespace

extern "C" Q_DECL_EXPORT oxScriptBackend* oxMakeScriptBackend() { return new JSBackend; }
