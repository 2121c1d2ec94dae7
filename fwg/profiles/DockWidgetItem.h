// A recorded dock edit of a profile: put a registered widget into a dock
// window (add) or take the chain's dock widget of that name away while the
// profile is in force (remove). The first application finds or makes the
// dock window and asks the widget manager for the widget; later ones only
// show and hide.
#pragma once

#include <QPointer>

#include "fwg/profiles/DockWindow.h"
#include "fwg/profiles/PathParser.h"
#include "fwg/profiles/ProfileItem.h"

namespace fwg {

class DockWidgetItem : public ProfileItem {
 public:
  // Remove items take an empty path and accelerator.
  DockWidgetItem(Profile* owner, Mode mode, const oxString& widgetName, const oxString& path,
                 const oxString& accel);
  ~DockWidgetItem() override;

  void Apply(bool on) override;

  const oxString& GetWidgetName() const { return widgetName_; }
  bool IsResolved() const { return resolved_; }
  // The state the entry and its toggle action start in; takes effect when
  // the item is resolved.
  void SetVisible(bool visible) { visible_ = visible; }
  bool IsVisible() const { return visible_; }

  // The entry this item made, and the entry of the same widget name it
  // covers; null when none or when its dock window is gone.
  DockEntry* GetOwnEntry() const { return own_.Get(); }
  DockEntry* GetCoveredEntry() const { return covered_.Get(); }

 private:
  // An entry is owned by its dock window; the window may go first (its
  // profile deleted), and the reference then reads as null.
  struct EntryRef {
    QPointer<DockWindow> window;
    DockEntry* entry = nullptr;
    DockEntry* Get() const { return window ? entry : nullptr; }
  };

  void Resolve();
  oxString MakeTitle(uiWidget* widget) const;
  DockWindow* FindOrMakeDockWindow(const DockPath& path);

  oxString widgetName_;
  oxString path_;
  oxString accel_;
  bool visible_ = true;
  bool resolved_ = false;
  EntryRef own_;
  EntryRef covered_;
};

}  // namespace fwg
