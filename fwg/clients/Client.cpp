#include "fwg/clients/Client.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include "fwg/clients/ClientManager.h"
#include "fwg/clients/ClientObject.h"
#include "fwg/profiles/Profile.h"
#include "fwg/Parts.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "fwg/shell/SettingsPage.h"
#include "platform/fwc/Director.h"
#include "platform/fwc/PluginManager.h"
#include "platform/oxt/Property.h"
#include "platform/ui/uiLayoutFrameEx.h"

namespace fwg {

namespace {

// A profile that a plug-in provides once it is loaded. `loaded` turns true
// on the first request and stays so: the plug-in is asked at most once.
struct LazyProfile {
  oxString profileName;
  oxString pluginName;
  bool loaded = false;
};

}  // namespace

struct Client::Internal : oxListener<> {
  oxString name;
  oxString defaultProfile;
  oxStlVector<Profile*> profiles;  // owned
  oxStlVector<LazyProfile> lazyProfiles;
  oxStlVector<ClientObject*> clientObjects;  // not owned: the object tree has them
  oxSignal0<void> onNew;
  oxSignal1<void, const oxString&> onNewObject;
  oxSignal1<void, const oxString&> onOpenFile;
  oxSignal1<void, const oxString&> onImportFile;
  oxSignal1<void, ClientObject*> onClose;
  oxSignal1<void, ClientObject*> onSave;
  oxSignal2<void, ClientObject*, const oxString&> onSaveAs;
  oxSignal3<void, ClientObject*, oxt::Object*, const oxString&> onNewFolder;

  // A profile deleted by someone else leaves the list.
  void HandleProfileDeleted(Profile* profile) { std::erase(profiles, profile); }

  Profile* FindProfile(const oxString& profileName) const {
    for (Profile* profile : profiles) {
      if (profile && profile->GetName() == profileName) return profile;
    }
    return nullptr;
  }
};

Client::Client(const oxString& name) : internal_(new Internal) {
  internal_->name = name;
  ClientManager::Get()->AddClient(this);
}

Client::~Client() {
  SettingsPages::RemoveOwnedBy(this);  // the pages it added
  // Clients go while the application object tears down, or after it.
  const Parts* parts = FindParts();
  ProfileManager* profileManager = parts ? parts->profileManager : nullptr;
  // Deleted directly rather than through RemoveClient: the manager's list
  // must not keep it.
  if (ClientManager* manager = parts ? parts->clientManager : nullptr) {
    std::erase(manager->GetClientList(), this);
  }
  // Taken out first: each deletion would take the profile out of the list.
  oxStlVector<Profile*> profiles;
  profiles.swap(internal_->profiles);
  for (auto it = profiles.begin(); it != profiles.end(); ++it) {
    // A profile added twice is still deleted once.
    if (std::find(profiles.begin(), it, *it) != it) continue;
    if (profileManager) profileManager->RemoveProfile(*it);
    delete *it;
  }
  delete internal_;
}

void Client::New(const oxString& name) { internal_->onNewObject(name); }
void Client::New() { internal_->onNew(); }
void Client::OpenFile(const oxString& path) { internal_->onOpenFile(path); }
void Client::ImportFile(const oxString& path) { internal_->onImportFile(path); }

bool Client::Close(ClientObject* object) {
  internal_->onClose(object);
  return true;
}

bool Client::Save(ClientObject* object) {
  internal_->onSave(object);
  return true;
}

bool Client::SaveAs(ClientObject* object, const oxString& path) {
  internal_->onSaveAs(object, path);
  return true;
}

bool Client::NewFolder(ClientObject* object, oxt::Object* parent, const oxString& name) {
  internal_->onNewFolder(object, parent, name);
  return false;
}

namespace {

// The view a person sees for the document: the one it set, else the first
// its frame shows.
QWidget* FindView(ClientObject* object) {
  if (QWidget* view = object->GetView()) return view;
  uiLayoutFrameEx* frame = object->GetLayouter();
  if (!frame) return nullptr;
  for (uiWidget* view : frame->GetViews()) {
    if (QWidget* widget = uiImpl(view)) return widget;
  }
  return nullptr;
}

QTextDocument* FindText(QWidget* view) {
  if (auto* plain = qobject_cast<QPlainTextEdit*>(view)) return plain->document();
  if (auto* rich = qobject_cast<QTextEdit*>(view)) return rich->document();
  return nullptr;
}

}  // namespace

bool Client::Print(ClientObject* object, QPagedPaintDevice* device) {
  QWidget* view = object && device ? FindView(object) : nullptr;
  if (!view) return false;
  // A frame around a text view (a plain widget's) prints the text too.
  QTextDocument* text = FindText(view);
  if (!text) {
    const auto plain = view->findChildren<QPlainTextEdit*>();
    const auto rich = view->findChildren<QTextEdit*>();
    if (plain.size() + rich.size() == 1)
      text = plain.isEmpty() ? rich.front()->document() : plain.front()->document();
  }
  if (text) {
    text->print(device);  // a copy laid out for the page, page numbers below
    return true;
  }
  QPainter painter(device);
  if (!painter.isActive()) return false;
  const QRect page = painter.viewport();
  const QSize size = view->size().isEmpty() ? view->sizeHint() : view->size();
  if (size.isEmpty()) return false;
  const qreal scale = std::min({1.0 * page.width() / size.width(), 1.0 * page.height() / size.height(),
                                device->logicalDpiX() / qreal(view->logicalDpiX())});
  painter.scale(scale, scale);
  view->render(&painter, {}, {}, QWidget::DrawChildren);
  return true;
}

ClientObject* Client::CreateClientObject(const oxString& name) {
  New();
  // dynamic_cast: an object of another class may claim the type name.
  auto* object =
      dynamic_cast<ClientObject*>(oxt::Object::GetCurrentObjectFromType(ClientObject::S_ClassName()));
  if (object && !name.empty()) {
    oxt::Property property("Name", oxt::Variant(name));
    object->SetProperty(property);
  }
  return object;
}

oxString Client::GetName() const { return internal_->name; }

void Client::AddProfile(Profile* profile) {
  if (!profile) return;
  internal_->profiles.push_back(profile);
  GetInternal(profile)->onDeleted.Connect(internal_, &Internal::HandleProfileDeleted);
}

void Client::RemoveProfile(Profile* profile) {
  auto& profiles = internal_->profiles;
  profiles.erase(std::remove(profiles.begin(), profiles.end(), profile), profiles.end());
}

oxStlVector<Profile*>& Client::GetProfileList() { return internal_->profiles; }

Profile* Client::GetProfile(const oxString& name) {
  if (Profile* profile = internal_->FindProfile(name)) return profile;
  // By index: the plug-in may announce further lazy profiles while it loads.
  for (size_t i = 0; i < internal_->lazyProfiles.size(); ++i) {
    if (internal_->lazyProfiles[i].loaded || internal_->lazyProfiles[i].profileName != name) {
      continue;
    }
    internal_->lazyProfiles[i].loaded = true;
    const oxString pluginName = internal_->lazyProfiles[i].pluginName;
    fwc::Director::Get()->GetPluginManager()->LoadPlugin(pluginName);
    if (Profile* profile = internal_->FindProfile(name)) return profile;
  }
  return nullptr;
}

void Client::AddLazyLoadProfile(const oxString& profileName, const oxString& pluginName) {
  internal_->lazyProfiles.push_back(LazyProfile{profileName, pluginName, false});
}

oxStlVector<oxString> Client::GetProfileNameList() const {
  oxStlVector<oxString> names;
  for (const Profile* profile : internal_->profiles) {
    if (profile) names.push_back(profile->GetTitle());
  }
  for (const LazyProfile& lazy : internal_->lazyProfiles) {
    if (!lazy.loaded) names.push_back(lazy.profileName);
  }
  return names;
}

void Client::SetDefaultProfile(const oxString& name) { internal_->defaultProfile = name; }
oxString Client::GetDefaultProfile() const { return internal_->defaultProfile; }

void Client::AddClientObject(ClientObject* object) { internal_->clientObjects.push_back(object); }

void Client::RemoveClientObject(ClientObject* object) {
  auto& objects = internal_->clientObjects;
  const auto found = std::find(objects.begin(), objects.end(), object);
  if (found != objects.end()) objects.erase(found);
}

oxStlVector<ClientObject*> Client::GetClientObjectsList() const { return internal_->clientObjects; }

oxSignal0<void>& Client::OnNew() { return internal_->onNew; }
oxSignal1<void, const oxString&>& Client::OnNewObject() { return internal_->onNewObject; }
oxSignal1<void, const oxString&>& Client::OnOpenFile() { return internal_->onOpenFile; }
oxSignal1<void, const oxString&>& Client::OnImportFile() { return internal_->onImportFile; }
oxSignal1<void, ClientObject*>& Client::OnClose() { return internal_->onClose; }
oxSignal1<void, ClientObject*>& Client::OnSave() { return internal_->onSave; }
oxSignal2<void, ClientObject*, const oxString&>& Client::OnSaveAs() { return internal_->onSaveAs; }
oxSignal3<void, ClientObject*, oxt::Object*, const oxString&>& Client::OnNewFolder() {
  return internal_->onNewFolder;
}

}  // namespace fwg
