#include "fwg/shell/ScriptApp.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QStatusBar>
#include <memory>
#include <set>

#include "fwg/Parts.h"
#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/SettingsPage.h"
#include "fwg/shell/Tasks.h"
#include "platform/oxt/Model.h"
#include "platform/oxt/Object.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/ui/uiMainWindow.h"

namespace fwg {

namespace {

oxt::Object* FindObject(const QString& path) { return oxt::Model::Get()->FindObject(path.toStdString()); }

void Describe(oxt::Object* object, int depth, QStringList* lines) {
  for (oxt::Object* child : object->GetChildren()) {
    *lines << QString(depth * 2, ' ') + QString::fromStdString(child->ClassName() + " " + child->GetName());
    Describe(child, depth + 1, lines);
  }
}

Action* FindAction(const QString& name) {
  Profile* active = ProfileManager::Get()->GetActiveProfile();
  return active ? active->GetAction(name.toStdString()) : nullptr;
}

class ScriptApp : public QObject {
  Q_OBJECT

 public:
  Q_INVOKABLE QStringList profiles() const {
    QStringList names;
    for (Profile* profile : ProfileManager::Get()->GetProfileList())
      if (profile) names << QString::fromStdString(profile->GetName());
    return names;
  }
  Q_INVOKABLE QString activeProfile() const {
    Profile* active = ProfileManager::Get()->GetActiveProfile();
    return active ? QString::fromStdString(active->GetName()) : QString();
  }
  Q_INVOKABLE bool activate(const QString& name) {
    Profile* profile = ProfileManager::Get()->GetProfile(name.toStdString());
    if (profile) profile->Activate();
    return profile != nullptr;
  }
  Q_INVOKABLE QStringList actions() const {
    std::set<oxString> names;
    ProfileManager* manager = ProfileManager::Get();
    for (Profile* profile = manager->GetActiveProfile(); profile;
         profile = profile->GetBaseName().empty() ? nullptr : manager->GetProfile(profile->GetBaseName())) {
      for (const auto& [name, action] : profile->GetActions()) names.insert(name);
    }
    QStringList list;
    for (const oxString& name : names) list << QString::fromStdString(name);
    return list;
  }
  Q_INVOKABLE bool trigger(const QString& name) {
    Action* action = FindAction(name);
    if (action) action->Activate();
    return action != nullptr;
  }
  Q_INVOKABLE bool check(const QString& name, bool on) {
    Action* action = FindAction(name);
    if (!action || !action->IsCheckable()) return false;
    action->SetChecked(on);
    return true;
  }
  Q_INVOKABLE QString tree() const {
    QStringList lines;
    Describe(oxt::Model::Get()->GetRoot(), 0, &lines);
    return lines.join('\n');
  }
  Q_INVOKABLE QString property(const QString& path, const QString& name) const {
    oxt::Object* object = FindObject(path);
    return object ? QString::fromStdString(object->GetProperty(name.toStdString()).GetValue().GetString())
                  : QString();
  }
  // The typed object at "Project/Folder/Document" (oxScriptObject.h); null
  // for none.
  Q_INVOKABLE QObject* object(const QString& path) {
    return oxScriptEngine::Get()->NewObjectWrapper(FindObject(path));
  }
  Q_INVOKABLE QStringList clients() const {
    QStringList names;
    for (const oxString& name : ClientManager::Get()->GetClientNames()) names << QString::fromStdString(name);
    return names;
  }
  Q_INVOKABLE bool newDocument(const QString& client) {
    Client* found = ClientManager::Get()->GetClient(client.toStdString());
    if (found) found->New();
    return found != nullptr;
  }
  Q_INVOKABLE bool status(const QString& text, int milliseconds = 0) {
    uiMainWindow* window = FindMainWindow();
    if (window) window->statusBar()->showMessage(text, std::max(0, milliseconds));
    return window != nullptr;
  }
  // The application's setting at "Section/Key": stored, else the default of
  // the settings page field bound to it; undefined for neither.
  Q_INVOKABLE QVariant setting(const QString& path) const {
    const oxVariant value = SettingsPages::GetValue(path.toStdString());
    switch (value.GetType()) {
      case oxVariant::Type::Boolean:
        return value.GetBoolean();
      case oxVariant::Type::Integer:
      case oxVariant::Type::Long:
        return static_cast<double>(value.GetLong());
      case oxVariant::Type::String:
        return QString::fromStdString(value.GetString());
      default:
        return {};
    }
  }
  // A box that does not wait: a script runs under a time limit, and the
  // application's own work goes on while the user reads.
  Q_INVOKABLE bool message(const QString& text) {
    uiMainWindow* window = FindMainWindow();
    if (!window) return false;
    auto* box = new QMessageBox(QMessageBox::Information, QGuiApplication::applicationDisplayName(), text,
                                QMessageBox::Ok, window);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    return true;
  }
  // A long loop as a task: step(i) for i from 0 to count - 1, on the GUI
  // thread (the engine runs there only), a few milliseconds' worth of
  // steps at a time with the application's events in between. The status
  // bar shows the progress and cancels it. A step answering false ends
  // the loop early; a step that throws or is stopped fails the task. Each
  // step runs under the script limits, the loop as a whole has none.
  // done(state), if given, hears "finished", "canceled" or "failed".
  Q_INVOKABLE bool task(const QString& title, int count, const QVariant& step, const QVariant& done = {}) {
    oxScriptEngine* engine = oxScriptEngine::Get();
    // A script's function arrives as the engine's value type, whose header
    // this library does not use; the engine checks the rest.
    if (QByteArrayView(step.metaType().name()) != "QJSValue") {
      oxScriptEngine::Report("app.task: '" + title.toStdString() + "' has no step function");
      return false;
    }
    auto next = std::make_shared<int>(0);
    Task* started = Tasks::StartSliced(title.toStdString(), [step, count, next, engine](TaskProgress& progress) {
      if (*next >= count) return false;
      progress.SetRange(0, count);
      oxVariant answer;
      oxString error;
      if (!engine->CallFunction(step, {oxVariant(*next)}, &answer, &error)) {
        progress.Fail(error);
        return false;
      }
      progress.SetValue(++*next);
      return !(answer.GetType() == oxVariant::Type::Boolean && !answer.GetBoolean());
    });
    if (done.isValid() && !done.isNull()) {
      started->OnFinished().Connect(nullptr, [done, engine](Task* task) {
        static const char* const kStates[] = {"running", "finished", "canceled", "failed"};
        oxString error;
        if (!engine->CallFunction(done, {oxVariant(kStates[int(task->GetState())])}, nullptr, &error))
          oxScriptEngine::Report(error);
      });
    }
    return true;
  }
};

}  // namespace

QObject* MakeScriptApp() { return new ScriptApp; }

}  // namespace fwg

#include "ScriptApp.moc"
