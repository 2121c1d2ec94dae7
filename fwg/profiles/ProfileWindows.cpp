// Window-layout persistence of profiles: the profile's own settings
// section, the window records that profile subclasses write and restore,
// and the visibility of the chain's toolbars.
#include <cstdint>

#include "fwg/profiles/ActionProfileItem.h"
#include "fwg/profiles/Profile.h"
#include "fwg/profiles/ProfileInternal.h"
#include "platform/fwc/Director.h"
#include "platform/oxapp/Application.h"
#include "platform/settings/oxSettings.h"
#include "platform/ui/uiWidget.h"

namespace fwg {

namespace {

const char kVisible[] = "Visible";
const char kFlags[] = "Flags";
const char kX[] = "X";
const char kY[] = "Y";
const char kWidth[] = "Width";
const char kHeight[] = "Height";

oxString RecordPath(const oxString& section, const oxString& key) { return section + "/" + key; }

uiWidget* FindToolBar(const Profile* profile, const oxString& name) {
  for (uiWidget* toolBar : profile->GetToolBarList()) {
    if (toolBar->Name() == name) return toolBar;
  }
  return nullptr;
}

}  // namespace

oxSettings* Profile::GetSettings() const {
  oxSettings* settings = fwc::Director::Get()->GetSettings();
  return settings ? settings->GetSection("/Corvane/" + GetPluginName(), false, true) : nullptr;
}

bool Profile::SaveWindowInfo(const oxString& section, const oxString& key, uiWidget* widget) {
  oxSettings* settings = widget ? oxapp::Application::Get()->GetSettings() : nullptr;
  oxSettings* record = settings ? settings->GetSection(RecordPath(section, key), true, true) : nullptr;
  if (!record) return false;
  const uiPoint pos = widget->Pos();
  const uiSize size = widget->Size();
  record->Set(kVisible, oxVariant(widget->IsVisible()));
  // The toolkit's state bits, kept as they are.
  record->Set(kFlags, oxVariant(static_cast<long>(static_cast<int32_t>(widget->WindowState()))));
  record->Set(kX, oxVariant(pos.X()));
  record->Set(kY, oxVariant(pos.Y()));
  record->Set(kWidth, oxVariant(size.Width()));
  record->Set(kHeight, oxVariant(size.Height()));
  return true;
}

void Profile::LoadWindowInfo(const oxString& section, const oxString& key, uiWidget* widget) {
  oxSettings* settings = widget ? oxapp::Application::Get()->GetSettings() : nullptr;
  // Without creation: a window that was never saved keeps its layout.
  const oxSettings* record =
      settings ? settings->GetSection(RecordPath(section, key), false, true) : nullptr;
  if (!record) return;
  const bool visible = record->Get(kVisible, true).GetBoolean();
  const auto flags = static_cast<unsigned>(record->Get(kFlags, true).GetLong());
  const int x = record->Get(kX, true).GetInteger();
  const int y = record->Get(kY, true).GetInteger();
  const int width = record->Get(kWidth, true).GetInteger();
  const int height = record->Get(kHeight, true).GetInteger();
  // Size before position, and the state after both, so that a maximised
  // window keeps the normal geometry to return to.
  widget->Resize(uiSize(width, height));
  widget->Move(uiPoint(x, y));
  widget->SetWindowState(flags);
  if (visible) {
    widget->Show();
  } else {
    widget->Hide();
  }
}

bool Profile::IsToolBarVisible(const oxString& name) const {
  const uiWidget* toolBar = FindToolBar(this, name);
  return toolBar && toolBar->IsVisible();
}

void Profile::SetToolBarVisible(const oxString& name, bool visible) {
  if (uiWidget* toolBar = FindToolBar(this, name)) {
    if (visible) {
      toolBar->Show();
    } else {
      toolBar->Hide();
    }
    return;
  }
  // Not made yet: the wish goes to the item that will make it. Only this
  // profile's own items; a base profile's toolbar is the base's to start.
  // A button in another's toolbar makes none.
  for (ProfileItem* it : internal_->items) {
    if (dynamic_cast<ToolBarButtonItem*>(it)) continue;
    auto* item = dynamic_cast<ToolBarItem*>(it);
    if (item && item->GetAction() && ActionProfileItem::DefaultName(item->GetAction()) == name) {
      item->SetVisible(visible);
      return;
    }
  }
}

}  // namespace fwg
