#include "platform/oxaw/WidgetManager.h"

#include <QPointer>
#include <map>
#include <vector>

namespace oxaw {

namespace {
WidgetManager*& Instance() {
  static WidgetManager* instance = nullptr;
  return instance;
}
}  // namespace

struct WidgetManager::Internal {
  struct Made {
    QPointer<QWidget> widget;
    QWidget* parent;
  };
  std::map<oxString, std::unique_ptr<IWidgetCreator>> creators;
  std::map<oxString, std::vector<Made>> made;
};

WidgetManager* WidgetManager::Get() {
  if (!Instance()) Instance() = new WidgetManager;
  return Instance();
}

void WidgetManager::Destroy() {
  delete Instance();
  Instance() = nullptr;
}

WidgetManager::WidgetManager() : internal_(new Internal) {}
WidgetManager::~WidgetManager() { delete internal_; }

void WidgetManager::RegisterWidget(const oxString& name, IWidgetCreator* creator) {
  internal_->creators[name].reset(creator);
}

bool WidgetManager::IsRegistered(const oxString& name) const {
  return internal_->creators.count(name) > 0;
}

uiWidget* WidgetManager::GetWidget(const oxString& name, uiWidget* parent) {
  const auto creator = internal_->creators.find(name);
  if (creator == internal_->creators.end()) return nullptr;
  std::vector<Internal::Made>& made = internal_->made[name];
  QWidget* const parentWidget = uiImpl(parent);
  for (const Internal::Made& m : made) {
    if (m.widget && m.parent == parentWidget) return dynamic_cast<uiWidget*>(m.widget.data());
  }
  uiWidget* widget = creator->second->Create(parent, name);
  if (widget) made.push_back({widget->GetWidget(), parentWidget});
  return widget;
}

void WidgetManager::ReleaseWidget(const oxString& name) { internal_->made.erase(name); }

}  // namespace oxaw
