#include "fwg/objects/SessionReading.h"

#include <iostream>

#include "fwg/clients/ClientManager.h"
#include "fwg/objects/Project.h"
#include "platform/oxt/ClassInfo.h"
#include "platform/oxt/FileElement.h"
#include "platform/oxt/Model.h"
#include "platform/ui/uiLayoutFrameEx.h"

namespace fwg {

namespace {

SessionReading* g_reading = nullptr;

const char kClient[] = "CLIENT";
const char kObject[] = "OBJECT";

bool CanCreate(const oxt::FileElement& element) {
  const oxt::ClassInfo* info = oxt::ClassInfo::GetClassInfo(element.GetObjectClass());
  return info && info->GetConstructor();
}

// "Project/Folder/Document": the names of the objects down to `element`.
oxString GetObjectPath(const oxt::FileElement* element) {
  oxString path;
  for (; element; element = element->GetParent()) {
    if (element->GetName() != kObject) continue;
    path = path.empty() ? element->GetObjectName() : element->GetObjectName() + "/" + path;
  }
  return path;
}

}  // namespace

SessionReading::SessionReading(const oxString& source) : outer_(g_reading), source_(source) {
  if (outer_) return;
  g_reading = this;
  uiLayoutFrameEx::HoldArrangement();
}

SessionReading::~SessionReading() {
  if (g_reading != this) return;
  g_reading = nullptr;
  uiLayoutFrameEx::ReleaseArrangement();
}

SessionReading* SessionReading::Get() { return g_reading; }

void SessionReading::Report(const oxString& key, const oxString& message) {
  if (g_reading && g_reading != this) return g_reading->Report(key, message);
  if (!reported_.insert(key).second) return;
  std::cerr << "fwg: " << (source_.empty() ? "" : source_ + ": ") << message << "\n";
}

void SessionReading::Prepare(oxt::FileElement* root) {
  // Walked with explicit stacks: files may nest deeply.
  std::set<oxString> clients;
  oxStlVector<oxt::FileElement*> pending{root};
  while (!pending.empty()) {
    oxt::FileElement* element = pending.back();
    pending.pop_back();
    if (element->GetName() == kClient) clients.insert(element->GetValue("type").GetString());
    pending.insert(pending.end(), element->GetElementList().begin(),
                   element->GetElementList().end());
  }
  if (ClientManager* manager = clients.empty() ? nullptr : ClientManager::Get()) {
    for (const oxString& client : clients) manager->GetClient(client);
  }

  pending.assign(1, root);
  while (!pending.empty()) {
    oxt::FileElement* element = pending.back();
    pending.pop_back();
    const oxStlVector<oxt::FileElement*> children = element->GetElementList();
    for (size_t i = 0; i < children.size(); ++i) {
      oxt::FileElement* child = children[i];
      if (child->GetName() != kObject) continue;
      if (CanCreate(*child)) {
        pending.push_back(child);
        continue;
      }
      Report(kObject + GetObjectPath(child),
             "OBJECT '" + GetObjectPath(child) + "' has the class '" + child->GetObjectClass() +
                 "', which no loaded plug-in provides; it is left out");
      // Its "CLIENT" element would have the client make a document that
      // nothing is read into.
      if (i > 0 && children[i - 1]->GetName() == kClient) element->TakeElement(children[i - 1]);
      element->TakeElement(child);
    }
  }
}

Project* SessionReading::ReadProject(oxt::FileElement* element) {
  oxt::Object* made = element->CreateObject(oxt::Model::Get()->GetRoot());
  Project* project = Project::Cast(made);
  if (!project) {
    delete made;  // a registered "project" class that makes something else
    return nullptr;
  }
  project->Read(element);
  return project;
}

}  // namespace fwg
