// Named widget makers. Clients register a maker under a name; profiles ask
// for the widget by name when a dock needs it.
#pragma once

#include <memory>

#include "platform/ui/uiWidget.h"

namespace oxaw {

class IWidgetCreator {
 public:
  virtual ~IWidgetCreator() = default;
  virtual uiWidget* Create(uiWidget* parent, const oxString& name) = 0;
};

// Makes a W(parent, name, 0).
template <class W>
class WidgetCreator : public IWidgetCreator {
 public:
  uiWidget* Create(uiWidget* parent, const oxString& name) override {
    return new W(parent, name, 0);
  }
};

class WidgetManager {
 public:
  // Made on first use; Destroy() frees it (the application's tear-down).
  static WidgetManager* Get();
  static void Destroy();

  WidgetManager();
  ~WidgetManager();
  WidgetManager(const WidgetManager&) = delete;
  WidgetManager& operator=(const WidgetManager&) = delete;

  // Takes ownership of the maker; a later maker of the same name replaces it.
  void RegisterWidget(const oxString& name, IWidgetCreator* creator);
  bool IsRegistered(const oxString& name) const;

  // The widget made for `name` under `parent`, made now if none is alive;
  // null when no maker has that name. The parent owns the widget.
  uiWidget* GetWidget(const oxString& name, uiWidget* parent);

  // Forgets the widgets made for the name (they are not deleted), so the
  // next GetWidget makes a new one.
  void ReleaseWidget(const oxString& name);

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace oxaw
