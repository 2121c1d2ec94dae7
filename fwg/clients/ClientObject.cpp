#include "fwg/clients/ClientObject.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDockWidget>
#include <QPointer>
#include <algorithm>
#include <iostream>
#include <memory>
#include <utility>

#include "fwg/LibraryTexts.h"
#include "fwg/Question.h"
#include "fwg/clients/Client.h"
#include "fwg/clients/ClientManager.h"
#include "fwg/clients/Document.h"
#include "fwg/objects/FileCommands.h"
#include "fwg/objects/SessionRecovery.h"
#include "fwg/objects/ClientFolder.h"
#include "fwg/objects/Project.h"
#include "fwg/objects/SessionReading.h"
#include "fwg/profiles/Profile.h"
#include "fwg/Parts.h"
#include "fwg/clients/DocumentArea.h"
#include "platform/core/oxDiagnostic.h"
#include "platform/oxt/CurrentObjects.h"
#include "platform/oxt/FileElement.h"
#include "platform/ui/uiLayoutFrameEx.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiWidgetFrame.h"

namespace fwg {

namespace {

bool FocusIsInDock() {
  if (!QApplication::instance()) return false;
  for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
    if (qobject_cast<QDockWidget*>(w)) return true;
  }
  return false;
}

const char kFont[] = "@Font";
// The element naming the file of a document that shows one, and, in the
// recovery file, the content its file lacks.
const char kFileElement[] = "FILE";
const char kUnsavedElement[] = "UNSAVED";

// The running application's client manager, without making an application
// object: documents may outlive the one that ran them.
ClientManager* FindClientManager() {
  const Parts* parts = FindParts();
  return parts ? parts->clientManager : nullptr;
}

// Where a client's new document goes: the current client folder, else the
// current project, else nowhere.
oxt::Object* ChooseParent() {
  if (ClientFolder* folder = ClientFolder::GetCurrentObject()) return folder;
  return Project::GetCurrentObject();
}

QString Quoted(const ClientObject* document) {
  return TranslateLibraryQText("\u201c%1\u201d").arg(QString::fromStdString(document->GetTitle()));
}

}  // namespace

struct ClientObject::Internal : oxListener<> {
  Internal(ClientObject* document, Client* documentClient);
  ~Internal() override;

  // The client manager deletes its clients when the application object
  // goes, without telling their documents; a client that is no longer
  // registered is treated as gone.
  Client* GetLiveClient() const {
    ClientManager* manager = FindClientManager();
    if (!client || !manager) return nullptr;
    const oxStlVector<Client*>& clients = manager->GetClientList();
    return std::find(clients.begin(), clients.end(), client) != clients.end() ? client : nullptr;
  }

  // Clicking into the frame of a document that is not the active one
  // reports the document as selected; activating it is the listeners' call.
  void HandleFrameActivated(uiLayoutFrameEx*) {
    ClientManager* manager = FindClientManager();
    if (manager && manager->GetActiveClientObject() == owner) return;
    owner->EmitSelected();
  }

  ClientObject* owner;
  Client* client;
  // Owned, but a Qt child of the main window or of the frame it is shown
  // in, so it may die first.
  QPointer<uiLayoutFrameEx> layouter;
  oxString profileName;
  oxiSignal1<void, ClientObject*> onActivate;
  oxiSignal1<void, ClientObject*> onDeactivate;
  oxString title;
  std::unique_ptr<Document> document;
  bool modified = false;
  bool unsavedContent = false;
  bool firstActivation = true;

  void TakeKeyboard() const;
  // Whether a dock had the keyboard when the document was made: asked
  // before its frame is shown, which hides the page that had it and moves
  // the keyboard on, into a dock as like as not.
  bool madeFromDock = FocusIsInDock();
  // Cleared when the document is deleted: activation calls out to client
  // code (its own OnDeactivate listeners among them) that may delete it.
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

ClientObject::Internal::Internal(ClientObject* document, Client* documentClient)
    : owner(document), client(documentClient) {
  layouter = new uiLayoutFrameEx(uiManager::Get()->MainWindow(), owner->GetName(), nullptr, true);
  layouter->OnActivate().Connect(this, &Internal::HandleFrameActivated);
  // The close button of the document's tab; closing deletes the frame, so
  // not from within its own signal.
  layouter->OnCloseRequest().Connect(this, [this](uiLayoutFrameEx*) {
    QMetaObject::invokeMethod(
        layouter.data(), [live = std::weak_ptr<bool>(alive), document = owner] {
          if (auto flag = live.lock(); flag && *flag) document->Close();
        },
        Qt::QueuedConnection);
  });
  layouter->SetCaption(owner->GetName());
  if (client) client->AddClientObject(owner);
}

ClientObject::Internal::~Internal() {
  *alive = false;
  if (ClientManager* manager = FindClientManager()) manager->ForgetClientObject(owner);
  // Widgets cannot be deleted once the toolkit application is gone; the
  // process is ending then anyway.
  if (layouter && QCoreApplication::instance()) delete layouter.data();
  if (Client* live = GetLiveClient()) live->RemoveClientObject(owner);
}

FWG_DEFINE_OBJECT(ClientObject, "fwg::ClientObject", oxt::Object, true);

ClientObject::ClientObject(oxt::Object* parent, const oxString& name, bool emitCreated)
    : oxt::Object(parent, name), internal_(new Internal(this, nullptr)) {
  if (emitCreated) EmitCreated();
  AddProperty(oxt::Property(kFont, oxt::Variant("normal")));
}

ClientObject::ClientObject(Client* client, const oxString& name, bool emitCreated)
    : oxt::Object(ChooseParent(), name), internal_(new Internal(this, client)) {
  if (emitCreated) EmitCreated();
  AddProperty(oxt::Property(kFont, oxt::Variant("normal")));
}

ClientObject::~ClientObject() {
  delete internal_;
  internal_ = nullptr;
}

oxt::Object* ClientObject::Copy(oxt::Object* parent) {
  if (IsAncestorOf(parent)) {
    oxWarn("ClientObject::Copy: cannot copy '", GetName(), "' into itself");
    return nullptr;
  }
  ClientObject* copy = nullptr;
  if (Client* client = GetClient()) {
    oxt::CurrentObjects::Get()->SetCurrentObject(parent);
    client->New();
    copy = GetCurrentObject();
    // Still the document around `parent`, or none: New() made nothing.
    if (!copy || copy->IsAncestorOf(parent)) {
      oxWarn("ClientObject::Copy: client '", client->GetName(),
             "' made no document for the copy of '", GetName(), "'");
      return nullptr;
    }
  } else {
    // A document read from a session before it met its client: copied as
    // the object model would make it.
    copy = new ClientObject(parent, {}, false);
  }

  if (Profile* profile = GetProfile()) copy->SetProfile(profile->GetName());
  // Every property, "@Font" included: the copy reads as bold or normal as
  // the source did, until the next activation sets it.
  for (const oxString& name : GetPropertyNames()) {
    oxt::Property p = oxt::Object::GetProperty(name);
    copy->SetProperty(p);
  }
  copy->EmitCreated();
  const oxStlVector<oxt::Object*> children = GetChildren();
  for (oxt::Object* child : children) child->Copy(copy);
  return copy;
}

bool ClientObject::Write(oxt::FileElement* parent) {
  if (!parent) return false;
  oxt::FileElement* element = parent->AddObject(this);
  element->AddProperties(this);
  // A file's content is the file's: the session names it. The recovery
  // file keeps the changes the file lacks too.
  if (const oxString file = GetFilePath(); !file.empty()) {
    AddContent(element, kFileElement, file);
    QByteArray unsaved;
    if (SessionRecovery::IsWriting() && IsModified() && GetDocument()->Store(&unsaved, nullptr)) {
      AddContent(element, kUnsavedElement, unsaved.toStdString());
    }
  } else {
    WriteContent(element);
  }
  const oxStlVector<oxt::Object*> children = GetChildren();
  for (oxt::Object* child : children) {
    oxt::Property persistable("@Persistable");
    if (child->GetProperty(persistable) && !persistable.GetValue().GetBoolean()) continue;
    child->Write(element);
  }
  return true;
}

bool ClientObject::Read(oxt::FileElement* element) {
  const bool complete = oxt::Object::Read(element);
  oxString file;
  oxString unsaved;
  if (element && GetContent(element, kFileElement, &file)) {
    if (GetContent(element, kUnsavedElement, &unsaved)) {
      FileCommands::Restore(this, file, QByteArray::fromStdString(unsaved));
    } else {
      FileCommands::Reopen(this, file);
    }
  } else if (element) {
    ReadContent(element);
  }
  return complete;
}

void ClientObject::WriteContent(oxt::FileElement*) {}

void ClientObject::ReadContent(oxt::FileElement*) {}

void ClientObject::AddContent(oxt::FileElement* element, const oxString& name,
                              const oxString& data) {
  if (element) new oxt::FileElement(element, name, data);  // owned by `element`
}

bool ClientObject::GetContent(const oxt::FileElement* element, const oxString& name,
                              oxString* data) {
  if (!element) return false;
  for (const oxt::FileElement* child : element->GetElementList()) {
    if (child->GetName() != name) continue;
    if (data) *data = child->GetText();
    return true;
  }
  return false;
}

void ClientObject::Activate() {
  const std::shared_ptr<bool> alive = internal_->alive;
  ClientManager* manager = ClientManager::Get();
  ClientObject* previous = manager->GetActiveClientObject();
  oxt::CurrentObjects::Get()->SetCurrentObject(this);
  // Also when it is this document: listeners see a deactivation before
  // every activation.
  if (previous) previous->Deactivate();
  if (!*alive) {
    std::cerr << "fwg: ClientObject::Activate: the document was deleted while it was "
                 "deactivated; it is not activated\n";
    return;
  }
  manager->SetActiveClientObject(this);
  if (DocumentArea* area = GetParts().documentArea) area->ActivateObject(this);
  if (!*alive) return;
  if (Profile* profile = GetProfile()) profile->Activate();
  if (!*alive) return;
  internal_->onActivate.Emit(this);
  if (*alive && std::exchange(internal_->firstActivation, false)) internal_->TakeKeyboard();
}

// A document made and shown takes the keyboard, so typing right after File
// > New lands in it; not from a dock the user worked in when it was asked
// for (the script console making documents keeps it), nor from the
// client's own choice.
void ClientObject::Internal::TakeKeyboard() const {
  if (madeFromDock || !layouter || !QApplication::instance()) return;
  const QWidget* focus = QApplication::focusWidget();
  if (focus && layouter->isAncestorOf(focus)) return;
  layouter->FocusView();
}

void ClientObject::Deactivate() { internal_->onDeactivate.Emit(this); }

Client* ClientObject::GetClient() const { return internal_->GetLiveClient(); }

void ClientObject::SetClient(Client* client) { internal_->client = client; }

uiLayoutFrameEx* ClientObject::GetLayouter() const {
  return internal_ ? internal_->layouter.data() : nullptr;
}

Profile* ClientObject::GetProfile() const {
  Client* client = GetClient();
  return client ? client->GetProfile(internal_->profileName) : nullptr;
}

void ClientObject::SetProfile(const oxString& name) {
  Client* client = GetClient();
  Profile* profile = client ? client->GetProfile(name) : nullptr;
  if (!profile) return;
  internal_->profileName = name;
  profile->Activate();
}

void ClientObject::SetDocument(Document* document) {
  if (internal_->document.get() == document) return;
  internal_->document.reset(document);
  if (document) {
    document->OnChanged().Connect(internal_, [this](Document*) {
      FileCommands::Watch(this);
      OnTitleChanged().Emit(this);
    });
  }
  FileCommands::Watch(this);
  OnTitleChanged().Emit(this);
}

Document* ClientObject::GetDocument() const { return internal_ ? internal_->document.get() : nullptr; }

oxString ClientObject::GetFilePath() const {
  const Document* document = GetDocument();
  return document ? document->GetFilePath() : oxString();
}

void ClientObject::SetModified(bool modified) {
  if (Document* document = GetDocument(); document && document->HasFile()) {
    return document->SetModified(modified);
  }
  if (internal_->modified == modified) return;
  internal_->modified = modified;
  OnTitleChanged().Emit(this);
}

bool ClientObject::IsModified() const {
  if (const Document* document = GetDocument(); document && document->HasFile()) {
    return document->IsModified();
  }
  return internal_->modified;
}

bool ClientObject::HasUnsavedContent() const { return internal_->unsavedContent; }

void ClientObject::SetContentSaved() { internal_->unsavedContent = false; }

// A document showing a file changes the file, not the session: its
// modified state says so, and the session only holds its path.
void ClientObject::EmitModified() {
  if (Document* document = GetDocument(); document && document->HasFile()) {
    return document->SetModified(true);
  }
  const bool first = !SessionReading::Get() && !internal_->unsavedContent;
  if (first) internal_->unsavedContent = true;
  oxt::Object::EmitModified();
  // Its project holds work of the document's from now on, which the
  // project's title as the window shows it marks.
  if (Project* project = first ? Project::Cast(GetParent()) : nullptr) Project::OnTitleChanged().Emit(project);
}

bool ClientObject::ConfirmClose() {
  const auto answer = AskUser(TranslateLibraryQText("Unsaved Changes"),
                              TranslateLibraryQText("Save the changes to %1?").arg(Quoted(this)),
                              TranslateLibraryQText("Your changes are lost if you don't save them."),
                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                              QMessageBox::Save);
  if (answer == QMessageBox::Discard) return true;
  if (answer != QMessageBox::Save) return false;
  if (GetDocument()) return FileCommands::Save(this);
  Client* client = GetClient();
  return client && client->Save(this);
}

bool ClientObject::Close() {
  const std::shared_ptr<bool> alive = internal_->alive;
  if (IsModified()) {
    if (!ConfirmClose()) return false;
  } else if (HasUnsavedContent()) {
    // Return keeps the work: closing drops it, so it is chosen, not fallen into.
    const auto answer =
        AskUser(TranslateLibraryQText("Close Document"),
                TranslateLibraryQText("%1 holds work that no saved session keeps.").arg(Quoted(this)),
                TranslateLibraryQText("Close it anyway?"), QMessageBox::Ok | QMessageBox::Cancel,
                QMessageBox::Cancel, TranslateLibraryQText("&Close"));
    if (answer != QMessageBox::Ok) return false;
  }
  if (!*alive) return true;
  if (Client* client = GetClient(); client && !client->Close(this)) return false;
  if (!*alive) return true;
  // The next document takes over while this one is still there, so that
  // what the switch hides or shows never meets a half-deleted document.
  ClientManager* manager = FindClientManager();
  QPointer<uiLayoutFrameEx> focused;  // the frame to give the keyboard to
  if (manager && manager->GetActiveClientObject() == this) {
    ClientObject* next = nullptr;
    for (ClientObject* recent : manager->GetRecentClientObjects()) {
      if (recent != this && !IsAncestorOf(recent)) {
        next = recent;
        break;
      }
    }
    if (next) {
      // The keyboard goes to the work, not to whatever widget Qt picks
      // once this document's view is gone; a user working in a dock (a
      // tree) keeps it there.
      bool inDock = false;
      for (QWidget* w = QApplication::focusWidget(); w && !inDock; w = w->parentWidget()) {
        inDock = qobject_cast<QDockWidget*>(w) != nullptr;
      }
      next->Activate();
      if (!inDock) focused = next->GetLayouter();
    } else {
      manager->SetActiveClientObject(nullptr);
      manager->ActivateIdleProfile();
    }
    if (!*alive) return true;
  }
  Delete();
  if (focused) focused->FocusView();
  return true;
}

void ClientObject::SetTitle(const oxString& title) {
  if (internal_->title == title) return;
  internal_->title = title;
  OnTitleChanged().Emit(this);
}

oxString ClientObject::GetTitle() const {
  if (!internal_->title.empty()) return internal_->title;
  if (const Document* document = GetDocument(); document && document->HasFile()) {
    return document->GetFileName();
  }
  return GetName();
}

oxiSignal1<void, ClientObject*>& ClientObject::OnTitleChanged() {
  static oxiSignal1<void, ClientObject*> signal;
  return signal;
}

oxiSignal1<void, ClientObject*>& ClientObject::OnActivate() { return internal_->onActivate; }

oxiSignal1<void, ClientObject*>& ClientObject::OnDeactivate() { return internal_->onDeactivate; }

// Plain views: the frame holds each in a uiWidgetFrame of its own, which is
// how they are told from the views a client adds itself.
namespace {
uiWidgetFrame* FindPlainView(const uiLayoutFrameEx* layouter) {
  for (uiWidget* view : layouter ? layouter->GetViews() : oxStlVector<uiWidget*>()) {
    if (auto* frame = dynamic_cast<uiWidgetFrame*>(view)) return frame;
  }
  return nullptr;
}
}  // namespace

void ClientObject::SetView(QWidget* view) {
  uiLayoutFrameEx* layouter = GetLayouter();
  if (uiWidgetFrame* old = FindPlainView(layouter)) {
    layouter->RemoveChild(old);
    delete old;
  }
  if (!view || !layouter) return;
  auto* frame = new uiWidgetFrame(layouter, GetName(), view);
  layouter->AddView(frame);
  // The frame hands its views back when it goes; this one is the document's.
  QObject::connect(layouter, &QObject::destroyed, frame, [frame] { delete frame; });
}

QWidget* ClientObject::GetView() const {
  uiWidgetFrame* frame = FindPlainView(GetLayouter());
  return frame ? frame->GetHeldWidget() : nullptr;
}

}  // namespace fwg
