#include "fwg/clients/ScriptedClient.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "fwg/LibraryTexts.h"
#include "fwg/actions/Action.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/clients/TextDocument.h"
#include "fwg/objects/Project.h"
#include "fwg/profiles/DeclaredProfile.h"
#include "platform/fwc/PluginDescription.h"
#include "platform/script/oxScriptEngine.h"
#include "platform/settings/oxSettings.h"
#include "platform/ui/uiObject.h"

namespace fwg {

namespace {

const char kText[] = "Text";
const char kLine[] = "@Line";

// A document of a scripted client. Its content is the property "Text",
// shown as a text to edit or as a page the script fills; the view belongs
// to the document (SetView) and may go first with the main window.
class ScriptedDocument : public ClientObject {
 public:
  ScriptedDocument(Client* client, const oxString& name, bool textView)
      : ClientObject(client, name, true) {
    if (textView) {
      text_ = new QPlainTextEdit;
      // Typing is a change of the session; the text document knows the
      // changes of a file itself (undone, they are none).
      QObject::connect(text_, &QPlainTextEdit::textChanged, text_, [this] {
        if (GetFilePath().empty()) EmitModified();
      });
      SetView(text_);
      SetDocument(new TextDocument(text_->document()));
    } else {
      page_ = new QLabel;
      page_->setWordWrap(true);
      page_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      page_->setMargin(8);
      page_->setTextInteractionFlags(Qt::TextSelectableByMouse);
      // A page, as a text view looks: the frame around it colours its
      // own text as the active document's.
      page_->setAutoFillBackground(true);
      page_->setBackgroundRole(QPalette::Base);
      page_->setForegroundRole(QPalette::Text);
      SetView(page_);
    }
  }

  // A file keeps its own text; the session keeps it otherwise.
  oxStlVector<oxString> GetPropertyNames() override {
    oxStlVector<oxString> names = ClientObject::GetPropertyNames();
    if (GetFilePath().empty()) names.push_back(kText);
    return names;
  }
  bool GetProperty(oxt::Property& p) override {
    if (p.GetName() == kText) {
      p.SetValue(GetText());
      return true;
    }
    if (p.GetName() == kLine && text_) {
      p.SetValue(text_->textCursor().blockNumber());
      return true;
    }
    return ClientObject::GetProperty(p);
  }
  bool SetProperty(oxt::Property& p) override {
    if (p.GetName() == kText) {
      SetText(uiStr(p.GetValue().GetString()));
      EmitModified(p);
      return true;
    }
    if (p.GetName() == kLine && text_) {
      MoveToLine(p.GetValue().GetInteger());
      return true;
    }
    return ClientObject::SetProperty(p);
  }
  using oxt::Object::GetProperty;

  // What "created" put in is where the document starts, as a C++ client's
  // code fills a view before the user sees it: nothing to lose yet, and
  // nothing for Undo to take away.
  void Started() {
    if (text_) {
      text_->document()->clearUndoRedoStacks();
      text_->document()->setModified(false);
    }
    SetContentSaved();
  }

 private:
  oxString GetText() const {
    if (text_) return text_->toPlainText().toStdString();
    return page_ ? page_->text().toStdString() : oxString();
  }

  // One step the user can undo, the cursor kept on its line. Only the part
  // that differs is replaced: Undo puts the cursor back where the change
  // was, not at the end of the text.
  void SetText(const QString& text) {
    if (page_) page_->setText(text);
    if (!text_) return;
    const QString old = text_->toPlainText();
    if (text == old) return;
    const qsizetype shorter = std::min(old.size(), text.size());
    qsizetype start = 0;
    while (start < shorter && old[start] == text[start]) ++start;
    if (start > 0 && text[start - 1].isHighSurrogate()) --start;  // a character stays whole
    qsizetype tail = 0;
    while (tail < shorter - start && old[old.size() - 1 - tail] == text[text.size() - 1 - tail]) ++tail;
    if (tail > 0 && text[text.size() - tail].isLowSurrogate()) --tail;
    const int line = text_->textCursor().blockNumber();
    QTextCursor cursor(text_->document());
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(old.size() - tail), QTextCursor::KeepAnchor);
    cursor.insertText(text.mid(start, text.size() - start - tail));
    MoveToLine(line);
  }

  void MoveToLine(int line) {
    QTextDocument* document = text_->document();
    const QTextBlock block = document->findBlockByNumber(std::clamp(line, 0, document->blockCount() - 1));
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    text_->setTextCursor(cursor);
  }

  QPointer<QPlainTextEdit> text_;
  QPointer<QLabel> page_;
};

}  // namespace

struct ScriptedClient::Internal {
  DeclaredProfile* profile = nullptr;  // owned as the client's profile
  oxString plugin;
  oxString script;                     // a file name in the resource folders
  // The modules loaded: the plug-in's, and the user's own version of it,
  // whose exports answer first. Empty when there is none.
  oxString scriptPath;
  oxString userScriptPath;
  bool textView = true;
  bool scriptLoaded = false;
  bool creating = false;  // while "created" runs
  int count = 0;

  // In force and active, with the keyboard.
  void Show(ClientObject* document) const {
    document->SetProfile(profile->GetName());
    document->Activate();
    if (QWidget* view = document->GetView()) view->setFocus();
  }

  // Profile::LoadScript reports a script that is missing or fails, once.
  // A module is known by its path, so two plug-ins' scripts of one name
  // each run their own.
  void LoadScript() {
    if (scriptLoaded) return;
    scriptLoaded = true;
    if (profile->LoadScript(script)) scriptPath = profile->GetResource(script);
    const oxString mine = oxSettings::GetConfigFolder() + "/scripts/" + plugin + "/" + script;
    if (QFileInfo::exists(uiStr(mine)) && oxScriptEngine::Get()->LoadFile(mine)) userScriptPath = mine;
  }

  // Whether a script exports a function for the handler; RunHandler runs
  // the user's if there is one, else the plug-in's.
  bool HasHandler(const oxString& handler) const {
    oxScriptEngine* scripts = oxScriptEngine::Get();
    return (!userScriptPath.empty() && scripts->HasExport(userScriptPath, handler)) ||
           (!scriptPath.empty() && scripts->HasExport(scriptPath, handler));
  }
  void RunHandler(const oxString& handler, const oxStlVector<oxVariant>& args) const {
    oxScriptEngine* scripts = oxScriptEngine::Get();
    const bool mine = !userScriptPath.empty() && scripts->HasExport(userScriptPath, handler);
    if (mine || !scriptPath.empty()) scripts->InvokeExport(mine ? userScriptPath : scriptPath, handler, args);
  }
};

ScriptedClient* ScriptedClient::Make(const fwc::PluginDescription& description) {
  DeclaredProfile* profile = DeclaredProfile::Read(description.GetDeclarationFile(), description.GetName());
  return profile ? new ScriptedClient(description, profile) : nullptr;  // Read said why
}

ScriptedClient::ScriptedClient(const fwc::PluginDescription& description, DeclaredProfile* profile)
    : Client(description.GetClientName()), internal_(new Internal) {
  Internal& d = *internal_;
  d.profile = profile;
  d.plugin = description.GetName();
  d.script = description.GetScriptFile();
  d.textView = description.GetView() != "widget";
  AddProfile(profile);
  SetDefaultProfile(profile->GetName());
  // Each handler runs the script's export of that name on the active
  // document of this client; "new" makes a document.
  for (const oxString& handler : profile->GetHandlerNames()) {
    profile->SetHandler(handler, [this, handler](const Action& action) {
      if (handler == "new") {
        New();
        return;
      }
      ClientObject* active = ClientManager::Get()->GetActiveClientObject();
      auto* document = dynamic_cast<ScriptedDocument*>(active);
      if (!document || document->GetClient() != this) return;
      oxStlVector<oxVariant> args{oxVariant(static_cast<oxt::Object*>(document))};
      if (action.IsCheckable()) args.emplace_back(action.IsChecked());
      internal_->RunHandler(handler, args);
    });
  }
}

ScriptedClient::~ScriptedClient() { delete internal_; }

void ScriptedClient::New() {
  Internal& d = *internal_;
  // Each document's handler would make the next until the stack ends.
  if (d.creating) {
    // Appended to a string of its own: GCC 12 takes `"'" + name` for an
    // overlapping copy in optimised builds (-Wrestrict).
    oxString line = "'";
    line += GetName();
    oxScriptEngine::Report(line + "' makes no document from its own 'created' handler");
    return;
  }
  d.LoadScript();
  Project::UseCurrent(TranslateLibraryText("Untitled"));
  const oxString name = d.profile->tr({}, GetName()) + " " + std::to_string(++d.count);
  auto* document = new ScriptedDocument(this, name, d.textView);
  d.Show(document);
  if (d.HasHandler("created")) {
    d.creating = true;
    d.RunHandler("created", {oxVariant(static_cast<oxt::Object*>(document))});
    d.creating = false;
    document->Started();
  }
  Client::New();
}

void ScriptedClient::OpenFile(const oxString& path) {
  Internal& d = *internal_;
  if (!d.textView) return Client::OpenFile(path);  // a page the script fills is no file
  d.LoadScript();
  Project::UseCurrent(TranslateLibraryText("Untitled"));
  auto* document =
      new ScriptedDocument(this, QFileInfo(uiStr(path)).fileName().toStdString(), d.textView);
  if (!document->GetDocument()->Open(path, nullptr)) {
    document->Delete();  // the file commands tell the user why
    return;
  }
  d.Show(document);
  Client::OpenFile(path);
}

}  // namespace fwg
