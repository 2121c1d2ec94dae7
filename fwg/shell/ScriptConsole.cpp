#include "fwg/shell/ScriptConsole.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "fwg/actions/Action.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/oxt/Model.h"
#include "platform/oxt/Object.h"
#include "platform/script/oxScriptEngine.h"

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

}  // namespace

// What scripts see of the application as "app".
class ConsoleApp : public QObject {
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
};

struct ScriptConsole::Internal {
  QPlainTextEdit* output = nullptr;
  QLineEdit* input = nullptr;
  QStringList history;
  int recalled = 0;  // history.size() while no entry is recalled
};

const char* ScriptConsole::S_WidgetName() { return "ScriptConsole"; }

ScriptConsole::ScriptConsole(uiWidget* parent, const oxString& name, int)
    : uiWidgetT<QWidget>(uiImpl(parent)), internal_(new Internal) {
  SetName(name);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  internal_->output = new QPlainTextEdit(this);
  internal_->output->setReadOnly(true);
  internal_->input = new QLineEdit(this);
  internal_->input->setPlaceholderText("app.profiles()");
  internal_->input->installEventFilter(this);
  layout->addWidget(internal_->output);
  layout->addWidget(internal_->input);
  setFocusProxy(internal_->input);
  connect(internal_->input, &QLineEdit::returnPressed, this, [this] {
    const QString text = internal_->input->text();
    internal_->input->clear();
    if (text.trimmed().isEmpty()) return;
    Run(text.toStdString());
    // The next line goes into the console too: a command that made or
    // activated a document (app.newDocument) took the keyboard with it.
    // Also once the events it left behind are handled.
    const auto keep = [input = internal_->input] {
      if (input->isVisible() && input->window()->isActiveWindow()) input->setFocus(Qt::OtherFocusReason);
    };
    keep();
    QTimer::singleShot(0, internal_->input, keep);
  });
}

ScriptConsole::~ScriptConsole() { delete internal_; }

oxString ScriptConsole::Run(const oxString& text, bool* failed) {
  Internal& d = *internal_;
  d.history << QString::fromStdString(text);
  d.recalled = static_cast<int>(d.history.size());
  // One "app" for the process's engine, made with the first line run: a
  // console that is only docked makes no engine.
  oxScriptEngine* engine = oxScriptEngine::Get();
  if (engine->Evaluate("typeof app") == "undefined") engine->SetGlobalObject("app", new ConsoleApp);
  bool error = false;
  const oxString result = engine->Evaluate(text, &error);
  d.output->appendPlainText("> " + QString::fromStdString(text));
  d.output->appendPlainText((error ? "! " : "") + QString::fromStdString(result));
  if (failed) *failed = error;
  return result;
}

oxString ScriptConsole::GetOutput() const { return internal_->output->toPlainText().toStdString(); }

void ScriptConsole::showEvent(QShowEvent* event) {
  uiWidgetT<QWidget>::showEvent(event);
  internal_->input->setFocus(Qt::OtherFocusReason);
}

// Up and Down walk the history as shells do.
bool ScriptConsole::eventFilter(QObject* watched, QEvent* event) {
  Internal& d = *internal_;
  if (watched == d.input && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !d.history.isEmpty()) {
      d.recalled = std::clamp(d.recalled + (key == Qt::Key_Up ? -1 : 1), 0,
                              static_cast<int>(d.history.size()));
      d.input->setText(d.recalled < d.history.size() ? d.history[d.recalled] : QString());
      return true;
    }
  }
  return uiWidgetT<QWidget>::eventFilter(watched, event);
}

}  // namespace fwg

#include "ScriptConsole.moc"
