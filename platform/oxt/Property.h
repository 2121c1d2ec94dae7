// A named value handed between an object and whoever asks it something:
// the value itself, an ordered value list (context-menu entries, dropped
// objects) and the name of the editor a property sheet should use.
#pragma once

#include "platform/core/oxTypes.h"
#include "platform/oxt/Variant.h"

namespace oxt {

// A small value type, copied freely.
class Property {
 public:
  Property(const oxString& name = {}, const Variant& value = {});

  const oxString& GetName() const { return name_; }
  void SetName(const oxString& name) { name_ = name; }

  const Variant& GetValue() const { return value_; }
  void SetValue(const Variant& value) { value_ = value; }

  oxStlVector<Variant>& GetValueList() { return valueList_; }
  const oxStlVector<Variant>& GetValueList() const { return valueList_; }
  void AddValue(const Variant& value) { valueList_.push_back(value); }

  const oxString& GetEditorName() const { return editorName_; }
  void SetEditorName(const oxString& name) { editorName_ = name; }

 private:
  oxString name_;
  Variant value_;
  oxStlVector<Variant> valueList_;
  oxString editorName_;
};

}  // namespace oxt
