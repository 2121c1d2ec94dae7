// Property editors by name. A property names its editor (the property's
// editor name); a property sheet asks the manager for a new editor of that
// name. Whoever provides an editor registers its creator.
#pragma once

#include "platform/core/oxTypes.h"

namespace oxaw {

class PropertyEditorWidget;

class PropertyEditorWidgetManager {
 public:
  class IEditorCreator {
   public:
    virtual ~IEditorCreator() = default;
    // A new editor, owned by the caller.
    virtual PropertyEditorWidget* Create() = 0;
  };

  // Makes a default-constructed T.
  template <class T>
  class EditorCreator : public IEditorCreator {
   public:
    PropertyEditorWidget* Create() override { return new T; }
  };

  // Made on first use; Destroy() frees it with its creators.
  static PropertyEditorWidgetManager* Get();
  static void Destroy();

  PropertyEditorWidgetManager();
  ~PropertyEditorWidgetManager();
  PropertyEditorWidgetManager(const PropertyEditorWidgetManager&) = delete;
  PropertyEditorWidgetManager& operator=(const PropertyEditorWidgetManager&) = delete;

  // Takes ownership of the creator; a creator registered earlier under the
  // same name is deleted and replaced. A null creator removes the name.
  void RegisterEditor(const oxString& name, IEditorCreator* creator);
  bool IsRegistered(const oxString& name) const;
  // A new editor of that name, owned by the caller; null for an unknown name.
  PropertyEditorWidget* CreateEditor(const oxString& name) const;

 private:
  struct Internal;
  Internal* internal_;
};

}  // namespace oxaw
