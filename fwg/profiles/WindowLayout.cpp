#include "fwg/profiles/WindowLayout.h"

#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>
#include <algorithm>
#include <iostream>
#include <set>
#include <utility>

#include "fwg/profiles/DockWindow.h"
#include "fwg/profiles/ProfileInternal.h"
#include "fwg/profiles/ProfileManager.h"
#include "platform/fwc/Director.h"
#include "platform/settings/oxSettings.h"
#include "platform/oxapp/Application.h"
#include "platform/ui/uiMainWindow.h"
#include "platform/ui/uiManager.h"
#include "platform/ui/uiToolBar.h"

namespace fwg {

namespace {

const char kGeometry[] = "Geometry";
const char kState[] = "State";
// Tells our state apart from anything else saved with QMainWindow.
constexpr int kStateVersion = 1;
// The least a restored window gets, where the screen is that large.
constexpr QSize kMinimumSize(480, 360);

oxString SectionPath(const Profile* profile) {
  return "/Corvane/" + profile->GetPluginName() + "/WindowLayout/" +
         oxSettings::ToSectionName(profile->GetName());
}

oxString ToText(const QByteArray& bytes) { return bytes.toBase64().toStdString(); }

QByteArray FromText(const oxString& text) {
  return QByteArray::fromBase64(QByteArray::fromStdString(text));
}

// QMainWindow keeps docks and toolbars in its state by object name. Ours
// are named after their paths, which repeat across profiles (two profiles
// docking "Tree", a derived profile moving its base's widget elsewhere),
// and the names are what paths and lookups go by, so they cannot change
// for good. While a layout is saved or put back, every dock window and
// toolbar a profile made goes by "<kind>:<profile>/<name>", unique and the
// same from run to run; the old names come back after.
//
// Dock windows of `kept` profiles go by a name no saved state holds, so a
// restore leaves them in the dock area where they are.
class StableNames {
 public:
  explicit StableNames(QMainWindow* window, const oxStlVector<Profile*>& kept = {}) {
    const QList<QToolBar*> toolBars = window->findChildren<QToolBar*>();
    for (Profile* profile : ProfileManager::Get()->GetProfileList()) {
      if (!profile) continue;
      const bool keep = std::find(kept.begin(), kept.end(), profile) != kept.end();
      for (DockWindow* dock : GetDockWindows({profile})) Rename(dock, keep ? "Kept:" : "Dock:", profile);
      for (uiToolBar* toolBar : GetInternal(profile)->toolBars) {
        // Only toolbars still in the window; the list may outlive one.
        if (toolBars.contains(toolBar)) Rename(toolBar, "ToolBar:", profile);
      }
    }
  }
  ~StableNames() {
    for (auto& [object, name] : renamed_) {
      if (object) object->setObjectName(name);
    }
  }
  StableNames(const StableNames&) = delete;
  StableNames& operator=(const StableNames&) = delete;

 private:
  void Rename(QObject* object, const char* kind, const Profile* profile) {
    const QString base = kind + uiStr(profile->GetName()) + "/" + object->objectName();
    QString key = base;
    for (int n = 2; !used_.insert(key).second; ++n) key = base + "#" + QString::number(n);
    renamed_.emplace_back(object, object->objectName());
    object->setObjectName(key);
  }

  std::vector<std::pair<QPointer<QObject>, QString>> renamed_;
  std::set<QString> used_;
};

// A saved state shows whatever was on screen when it was written; what the
// profiles in force say now wins over it.
void HideToolBarsNotInForce(QMainWindow* window) {
  Profile* active = ProfileManager::Get()->GetActiveProfile();
  const oxStlVector<uiWidget*> inForce = active ? active->GetToolBarList() : oxStlVector<uiWidget*>();
  std::set<QWidget*> kept;
  for (uiWidget* toolBar : inForce) kept.insert(toolBar->GetWidget());
  std::set<QWidget*> made;
  for (Profile* profile : ProfileManager::Get()->GetProfileList()) {
    if (!profile) continue;
    const oxStlVector<uiToolBar*>& toolBars = GetInternal(profile)->toolBars;
    made.insert(toolBars.begin(), toolBars.end());
  }
  for (QToolBar* toolBar : window->findChildren<QToolBar*>()) {
    if (made.count(toolBar) && !kept.count(toolBar)) toolBar->hide();
  }
}

// The screen the rectangle is mostly on: the one holding its centre, else
// the one it overlaps most, else the primary screen.
QScreen* ScreenFor(const QRect& rect) {
  if (QScreen* screen = QGuiApplication::screenAt(rect.center())) return screen;
  QScreen* best = QGuiApplication::primaryScreen();
  qint64 bestArea = 0;
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect overlap = screen->availableGeometry().intersected(rect);
    const qint64 area = qint64(overlap.width()) * overlap.height();
    if (area > bestArea) {
      best = screen;
      bestArea = area;
    }
  }
  return best;
}

// The rectangle moved and sized to lie within `available`, and no smaller
// than `minimum` where `available` is larger.
QRect Fit(const QRect& rect, const QRect& available, const QSize& minimum) {
  const int width = std::clamp(rect.width(), std::min(minimum.width(), available.width()),
                               available.width());
  const int height = std::clamp(rect.height(), std::min(minimum.height(), available.height()),
                                available.height());
  const int x = std::clamp(rect.x(), available.left(), available.right() + 1 - width);
  const int y = std::clamp(rect.y(), available.top(), available.bottom() + 1 - height);
  return {x, y, width, height};
}

// Whatever the settings said: the window's normal geometry, frame
// included, lies on one screen and is of a usable size. A maximised window
// keeps its state and gets the corrected geometry to return to.
void KeepOnScreen(QWidget* window) {
  const QRect normal = window->normalGeometry();
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  // Known once the window has been shown; none before.
  const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                         frame.right() - inner.right(), frame.bottom() - inner.bottom());
  QScreen* screen = ScreenFor(normal);
  if (!screen) return;
  const QRect outer = normal.marginsAdded(margins);
  const QSize minimum = kMinimumSize.grownBy(margins);
  const QRect fitted = Fit(outer, screen->availableGeometry(), minimum);
  if (fitted == outer) return;
  const QRect target = fitted.marginsRemoved(margins);
  const Qt::WindowStates state = window->windowState();
  const Qt::WindowStates large = Qt::WindowMaximized | Qt::WindowFullScreen;
  if (state & large) window->setWindowState(state & ~large);
  window->setGeometry(target);
  if (state & large) window->setWindowState(state);
}

// Fits the window again once the window manager has put its frame around
// it, which it does some time after the window is shown; then leaves.
class FrameWatcher : public QObject {
 public:
  explicit FrameWatcher(QWidget* window) : QObject(window) { window->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    const QEvent::Type type = event->type();
    if (type != QEvent::Move && type != QEvent::Resize && type != QEvent::WindowActivate &&
        type != QEvent::Expose) {
      return false;
    }
    if (window->frameGeometry() != window->geometry()) {
      KeepOnScreen(window);
      deleteLater();
    } else if (type == QEvent::WindowActivate) {
      deleteLater();  // active without a frame: no window manager draws one
    }
    return false;
  }
};

oxSettings* GetWindowSection(bool create) {
  oxSettings* settings = oxapp::Application::Get()->GetSettings();
  return settings ? settings->GetSection("MainWindow", create, true) : nullptr;
}

}  // namespace

bool WindowLayout::SaveWindow() {
  uiMainWindow* window = uiManager::Get()->MainWindow();
  oxSettings* section = window ? GetWindowSection(true) : nullptr;
  if (!section) return false;
  section->Set(kGeometry, oxVariant(ToText(window->saveGeometry())));
  return true;
}

bool WindowLayout::RestoreWindow() {
  uiMainWindow* window = uiManager::Get()->MainWindow();
  const oxSettings* section = window ? GetWindowSection(false) : nullptr;
  if (!section || !section->Has(kGeometry)) return false;
  const bool read = window->restoreGeometry(FromText(section->Get(kGeometry).GetString()));
  KeepOnScreen(window);
  if (!read) std::cerr << "fwg: WindowLayout::RestoreWindow: the saved window geometry cannot be read; kept as it was\n";
  return read;
}

void WindowLayout::FitOnScreen() {
  uiMainWindow* window = uiManager::Get()->MainWindow();
  if (!window) return;
  KeepOnScreen(window);
  if (window->isVisible() && window->frameGeometry() == window->geometry()) new FrameWatcher(window);
}

bool WindowLayout::Save(const Profile* profile) {
  uiMainWindow* window = uiManager::Get()->MainWindow();
  oxSettings* settings = fwc::Director::Get()->GetSettings();
  if (!profile || !window || !settings) return false;
  oxSettings* section = settings->GetSection(SectionPath(profile), true, true);
  if (!section) return false;
  const StableNames names(window);
  section->Set(kGeometry, oxVariant(ToText(window->saveGeometry())));
  section->Set(kState, oxVariant(ToText(window->saveState(kStateVersion))));
  return true;
}

bool WindowLayout::SaveChain(const Profile* profile) {
  if (!Save(profile)) return false;
  for (Profile* base : GetBaseChainProfiles(profile)) {
    if (base != profile) Save(base);
  }
  return true;
}

bool WindowLayout::Restore(const Profile* profile) { return Restore(profile, true, {}); }

bool WindowLayout::RestoreDocks(const Profile* entered, const Profile* left) {
  oxStlVector<Profile*> shared;
  if (entered && left) {
    const oxStlVector<Profile*> before = GetBaseChainProfiles(left);
    for (Profile* profile : GetBaseChainProfiles(entered)) {
      if (std::find(before.begin(), before.end(), profile) != before.end()) shared.push_back(profile);
    }
  }
  return Restore(entered, false, shared);
}

bool WindowLayout::Restore(const Profile* profile, bool withGeometry,
                           const oxStlVector<Profile*>& kept) {
  uiMainWindow* window = uiManager::Get()->MainWindow();
  oxSettings* settings = fwc::Director::Get()->GetSettings();
  if (!profile || !window || !settings) return false;
  const oxSettings* section = settings->GetSection(SectionPath(profile), false, true);
  if (!section) return false;
  const QByteArray geometry = withGeometry ? FromText(section->Get(kGeometry).GetString()) : QByteArray();
  const QByteArray state = FromText(section->Get(kState).GetString());
  if (geometry.isEmpty() && state.isEmpty()) return false;

  bool geometryRead = true;
  if (withGeometry) {
    geometryRead = window->restoreGeometry(geometry);
    KeepOnScreen(window);
  }

  const oxStlVector<DockWindow*> docks = GetDockWindows(ProfileManager::Get()->GetProfileList());
  for (DockWindow* dock : docks) dock->SetHideHandling(false);
  bool stateRead = false;
  {
    const StableNames names(window, kept);
    stateRead = window->restoreState(state, kStateVersion);
  }
  for (DockWindow* dock : docks) dock->TakeRestoredVisibility();
  HideToolBarsNotInForce(window);

  if (geometryRead && stateRead) return true;
  // Left in the settings: the next save writes over it.
  std::cerr << "fwg: WindowLayout::Restore: the saved "
            << (geometryRead ? "dock and toolbar layout"
                             : stateRead ? "window geometry" : "window geometry and layout")
            << " of profile '" << profile->GetName() << "' cannot be read; kept as it was\n";
  return false;
}

}  // namespace fwg
