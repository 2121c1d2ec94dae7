#include "fwg/actions/Action.h"

#include <string>

#include "fwg/profiles/Profile.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiIconSet.h"
#include "platform/ui/uiKeySequence.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"

namespace fwg {

// The record is at the same time the toolkit action (the concrete records
// below derive from both), so deleting the record destroys the toolkit
// action and nothing else can own it.
struct Action::Internal {
  // The record may go first, with the main window that parents it: its
  // action then stops pointing at it.
  virtual ~Internal() {
    if (owner) owner->internal_ = nullptr;
  }

  Action* owner = nullptr;
  oxiSignal1<void, const Action&> onActionActivate;
  oxiSignal2<void, const Action&, bool> onActionToggle;
  oxString accel;  // the last text given to SetAccel
  Profile* profile = nullptr;
  uiAction* ui = nullptr;  // this record viewed as its toolkit action

  struct Plain;
  struct Sprite;
};

struct Action::Internal::Plain : Action::Internal, uiAction {
  Plain(uiObject* parent, const oxString& name) : uiAction(parent, name) { ui = this; }
};

struct Action::Internal::Sprite : Action::Internal, uiSpriteAction {
  Sprite(uiObject* parent, const oxString& name) : uiSpriteAction(parent, name, uiIconSet()) {
    ui = this;
  }
};

namespace {

// Marks the toolkit action of a list's entry (SetListEntry).
const char kListEntryProperty[] = "fwgListEntry";

uiObject* ActionParent() { return uiManager::Get()->MainWindow(); }

// Faces handed out by a group, which has no record: nobody emits them.
oxiSignal1<void, const Action&>& SilentActivate() {
  static oxiSignal1<void, const Action&> face;
  return face;
}

oxiSignal2<void, const Action&, bool>& SilentToggle() {
  static oxiSignal2<void, const Action&, bool> face;
  return face;
}

oxString WithSize(const oxString& name, int size) {
  return size > 0 ? name + "-" + std::to_string(size) : name;
}

}  // namespace

Action::Action(const oxString& name, Profile* profile, bool sprite) : internal_(nullptr) {
  if (sprite) {
    internal_ = new Internal::Sprite(ActionParent(), name);
  } else {
    internal_ = new Internal::Plain(ActionParent(), name);
  }
  internal_->profile = profile;
  internal_->owner = this;
  // Connected before anybody else can connect, so that OnActionActivate and
  // OnActionToggle run ahead of the direct listeners.
  internal_->ui->OnActivate().Connect(this, &Action::HandleActivate);
  internal_->ui->OnToggle().Connect(this, &Action::HandleToggle);
}

Action::Action() : internal_(nullptr) {}

Action::~Action() {
  if (!internal_) return;
  internal_->owner = nullptr;
  internal_->ui->OnActivate().Disconnect(this, &Action::HandleActivate);
  internal_->ui->OnToggle().Disconnect(this, &Action::HandleToggle);
  delete internal_;
}

uiAction* Action::GetUiAction() const { return internal_ ? internal_->ui : nullptr; }
Profile* Action::GetProfile() const { return internal_ ? internal_->profile : nullptr; }

oxString Action::GetName() const { return GetUiAction()->Name(); }

void Action::SetText(const oxString& text) {
  uiAction* ui = GetUiAction();
  ui->SetText(text);
  ui->SetMenuText(text);
}

oxString Action::GetText() const { return GetUiAction()->MenuText(); }

void Action::SetIcon(const oxString& name) {
  Profile* profile = GetProfile();
  const oxString path = profile ? profile->GetResource(name) : name;
  if (path.empty()) return;
  GetUiAction()->SetIconSet(uiIconSet(path, uiIconSet::Any));
}

// Looks for two files A and B that differ only in their size suffix. For
// "open", 16, 24, strip, ".png" the attempts are openStrip-16.png with
// openStrip-24.png, open-16.png with open-24.png, then open.png twice;
// without the strip flag only the sized pair is tried, and a first size
// below 1 drops the last attempt. An attempt that finds either file ends
// the search.
void Action::SetIcon(const oxString& name, int size1, int size2, bool strip,
                     const oxString& tail) {
  Profile* profile = GetProfile();
  const int attempts = (strip ? 3 : 2) - (size1 < 1 ? 1 : 0);
  oxString pathA;
  oxString pathB;
  for (int k = 0; profile && k < attempts; ++k) {
    oxString a = name;
    oxString b = name;
    if (k == 0 && strip) {
      a += "Strip";
      b += "Strip";
    }
    if (k <= 1) {
      a = WithSize(a, size1);
      b = WithSize(b, size2);
    }
    pathA = profile->GetResource(a + tail);
    pathB = profile->GetResource(b + tail);
    if (!pathA.empty() || !pathB.empty()) break;
  }

  uiAction* ui = GetUiAction();
  if (!pathA.empty() && !pathB.empty()) {
    ui->SetIconSet(uiImageCache::LoadStrip(pathA, pathB));
  } else if (!pathA.empty()) {
    ui->SetIconSet(uiIconSet(pathA, uiIconSet::Any));
  } else {
    ui->SetIconSet(uiIconSet(pathB, uiIconSet::Any));
  }
}

oxString Action::GetIcon() const { return GetUiAction()->IconSet().FileName(); }

void Action::SetAccel(const oxString& accel) {
  if (!internal_) return;
  internal_->accel = accel;
  GetUiAction()->SetAccel(uiKeySequence(accel));
}

oxString Action::GetAccel() const { return internal_ ? internal_->accel : oxString(); }

void Action::SetToolTip(const oxString& tip) { GetUiAction()->SetToolTip(tip); }
oxString Action::GetToolTip() const { return GetUiAction()->ToolTip(); }
void Action::SetStatusTip(const oxString& tip) { GetUiAction()->SetStatusTip(tip); }
oxString Action::GetStatusTip() const { return GetUiAction()->StatusTip(); }
void Action::SetWhatsThis(const oxString& text) { GetUiAction()->SetWhatsThis(text); }
oxString Action::GetWhatsThis() const { return GetUiAction()->WhatsThis(); }
void Action::SetVisible(bool visible) { GetUiAction()->SetVisible(visible); }
bool Action::IsVisible() const { return GetUiAction()->IsVisible(); }
void Action::SetListEntry(bool entry) { GetUiAction()->setProperty(kListEntryProperty, entry); }
bool Action::IsListEntry() const { return GetUiAction()->property(kListEntryProperty).toBool(); }
void Action::SetEnabled(bool enabled) { GetUiAction()->SetEnabled(enabled); }
bool Action::IsEnabled() const { return GetUiAction()->IsEnabled(); }
void Action::SetCheckable(bool checkable) { GetUiAction()->SetToggleAction(checkable, false); }
bool Action::IsCheckable() const { return GetUiAction()->IsToggleAction(); }
void Action::SetChecked(bool checked) { GetUiAction()->SetOn(checked); }
bool Action::IsChecked() const { return GetUiAction()->IsOn(); }

// Clear the key rather than hide the action: the same toolkit action may
// stand in menus and toolbars that the next profile keeps.
void Action::SetActive(bool active) {
  if (!internal_) return;
  GetUiAction()->SetAccel(uiKeySequence(active ? internal_->accel : oxString()));
}

void Action::Activate() {
  uiAction* ui = GetUiAction();
  if (ui->IsToggleAction()) {
    ui->Toggle();
  } else {
    ui->Activate();
  }
}

void Action::Toggle() {
  uiAction* ui = GetUiAction();
  if (ui->IsToggleAction()) ui->Toggle();
}

oxiSignal0<void>& Action::OnActivate() { return GetUiAction()->OnActivate(); }
oxiSignal1<void, bool>& Action::OnToggle() { return GetUiAction()->OnToggle(); }
oxiSignal1<void, bool>& Action::OnUserToggle() { return GetUiAction()->OnUserToggle(); }

oxiSignal1<void, const Action&>& Action::OnActionActivate() {
  return internal_ ? internal_->onActionActivate : SilentActivate();
}

oxiSignal2<void, const Action&, bool>& Action::OnActionToggle() {
  return internal_ ? internal_->onActionToggle : SilentToggle();
}

void Action::HandleActivate() { internal_->onActionActivate.Emit(*this); }
void Action::HandleToggle(bool on) { internal_->onActionToggle.Emit(*this, on); }

}  // namespace fwg
