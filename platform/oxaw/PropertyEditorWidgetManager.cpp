#include "platform/oxaw/PropertyEditorWidgetManager.h"

#include <memory>

#include "platform/oxaw/PropertyEditorWidget.h"

namespace oxaw {

namespace {
PropertyEditorWidgetManager*& Instance() {
  static PropertyEditorWidgetManager* instance = nullptr;
  return instance;
}
}  // namespace

struct PropertyEditorWidgetManager::Internal {
  oxStlMap<oxString, std::unique_ptr<IEditorCreator>> creators;
};

PropertyEditorWidgetManager* PropertyEditorWidgetManager::Get() {
  if (!Instance()) Instance() = new PropertyEditorWidgetManager;
  return Instance();
}

void PropertyEditorWidgetManager::Destroy() {
  delete Instance();
  Instance() = nullptr;
}

PropertyEditorWidgetManager::PropertyEditorWidgetManager() : internal_(new Internal) {}
PropertyEditorWidgetManager::~PropertyEditorWidgetManager() { delete internal_; }

void PropertyEditorWidgetManager::RegisterEditor(const oxString& name, IEditorCreator* creator) {
  if (!creator) {
    internal_->creators.erase(name);
    return;
  }
  internal_->creators[name].reset(creator);
}

bool PropertyEditorWidgetManager::IsRegistered(const oxString& name) const {
  return internal_->creators.count(name) != 0;
}

PropertyEditorWidget* PropertyEditorWidgetManager::CreateEditor(const oxString& name) const {
  const auto it = internal_->creators.find(name);
  return it == internal_->creators.end() ? nullptr : it->second->Create();
}

}  // namespace oxaw
