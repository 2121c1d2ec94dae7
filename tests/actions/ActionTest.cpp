// Actions over real toolkit actions: withdrawn shortcuts, signal order,
// icons looked up in real PNG files, and their lifetime.
#include <QImage>
#include <QPointer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fwg/actions/Action.h"
#include "fwg/profiles/Profile.h"
#include "fwg/shell/Gui.h"
#include "platform/ui/uiAction.h"
#include "platform/ui/uiMainWindow.h"
#include "tests/support/WithGui.h"

namespace {

const std::string kIcons = FWG_TEST_ICONS;

using ActionFixture = WithGui;

// The colour in the middle of the icon's image for that size and mode.
QColor ColourOf(const uiIconSet& icon, int side, QIcon::Mode mode) {
  const QImage image = icon.GetIcon().pixmap(QSize(side, side), mode).toImage();
  return image.pixelColor(side / 2, side / 2);
}

TEST_F(ActionFixture, WithdrawnShortcutLeavesTheQActionAndComesBack) {
  fwg::Profile profile("Editor");
  fwg::Action* save = profile.AddAction("save", "&Save", {}, "Ctrl+S");
  QAction* qt = save->GetUiAction();
  EXPECT_EQ(qt->shortcut(), QKeySequence("Ctrl+S"));

  save->SetActive(false);
  EXPECT_TRUE(qt->shortcut().isEmpty());
  EXPECT_EQ(save->GetAccel(), "Ctrl+S") << "the remembered text stays";
  EXPECT_EQ(save->GetText(), "&Save") << "only the key goes";
  EXPECT_TRUE(save->IsVisible());

  save->SetActive(true);
  EXPECT_EQ(qt->shortcut(), QKeySequence("Ctrl+S"));

  // An action that never had a shortcut gets none when made active.
  fwg::Action* plain = profile.AddAction("plain", "Plain");
  plain->SetActive(true);
  EXPECT_TRUE(plain->GetUiAction()->shortcut().isEmpty());

  // An empty text clears the key and is remembered as empty.
  save->SetAccel("");
  EXPECT_TRUE(qt->shortcut().isEmpty());
  save->SetActive(true);
  EXPECT_TRUE(qt->shortcut().isEmpty());
}

TEST_F(ActionFixture, ActionSignalsRunBeforeDirectListeners) {
  fwg::Action action("run", nullptr);
  std::vector<std::string> calls;
  // The direct listener connects first and still runs second.
  action.OnActivate().Connect(nullptr, [&] { calls.push_back("direct"); });
  action.OnActionActivate().Connect(nullptr, [&](const fwg::Action& a) {
    calls.push_back("action:" + a.GetName());
  });
  action.OnToggle().Connect(nullptr, [&](bool on) { calls.push_back(on ? "on" : "off"); });

  action.Activate();
  EXPECT_EQ(calls, (std::vector<std::string>{"action:run", "direct"}));

  // A user's trigger goes the same way.
  calls.clear();
  action.GetUiAction()->trigger();
  EXPECT_EQ(calls, (std::vector<std::string>{"action:run", "direct"}));

  // Toggle does nothing to a plain action.
  calls.clear();
  action.Toggle();
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(action.IsChecked());
}

TEST_F(ActionFixture, CheckableActionTogglesInsteadOfActivating) {
  fwg::Action action("wrap", nullptr);
  action.SetCheckable(true);
  std::vector<std::string> calls;
  action.OnActivate().Connect(nullptr, [&] { calls.push_back("activate"); });
  action.OnToggle().Connect(nullptr, [&](bool on) { calls.push_back(on ? "on" : "off"); });
  action.OnActionActivate().Connect(nullptr, [&](const fwg::Action&) {
    calls.push_back("action-activate");
  });
  action.OnActionToggle().Connect(nullptr, [&](const fwg::Action& a, bool on) {
    calls.push_back(a.GetName() + (on ? ":on" : ":off"));
  });

  action.Activate();
  EXPECT_TRUE(action.IsChecked());
  action.Toggle();
  EXPECT_FALSE(action.IsChecked());
  EXPECT_EQ(calls, (std::vector<std::string>{"wrap:on", "on", "wrap:off", "off"}));

  // Setting the state the same way is not a change and emits nothing.
  calls.clear();
  action.SetChecked(false);
  EXPECT_TRUE(calls.empty());
}

TEST_F(ActionFixture, DeletingAnActionDestroysItsToolkitAction) {
  auto* action = new fwg::Action("gone", nullptr, true);
  QPointer<uiAction> ui = action->GetUiAction();
  ASSERT_TRUE(ui);
  EXPECT_TRUE(ui->IsA("uiSpriteAction"));
  EXPECT_TRUE(gui_->GetMainWindow()->actions().contains(ui.data()))
      << "the main window holds the action's shortcut";
  EXPECT_TRUE(gui_->GetMainWindow()->findChildren<uiAction*>().contains(ui.data()))
      << "the main window owns its actions";
  int direct = 0;
  action->OnActivate().Connect(nullptr, [&] { ++direct; });
  delete action;
  EXPECT_FALSE(ui);
  EXPECT_EQ(direct, 0);
}

TEST_F(ActionFixture, IconByNameComesFromTheProfileOrIsAPath) {
  fwg::Profile profile("Icons");
  profile.AddResourcePath(kIcons + "/full");
  fwg::Action* open = profile.AddAction("open", "Open", "open.png");
  EXPECT_EQ(open->GetIcon(), kIcons + "/full/open.png");
  EXPECT_FALSE(open->GetUiAction()->IconSet().IsNull());

  // A name found nowhere leaves the icon as it was.
  open->SetIcon("missing.png");
  EXPECT_EQ(open->GetIcon(), kIcons + "/full/open.png");

  // Without a profile the name is the path.
  fwg::Action loose("loose", nullptr);
  loose.SetIcon(kIcons + "/bare/open.png");
  EXPECT_EQ(loose.GetIcon(), kIcons + "/bare/open.png");
}

TEST_F(ActionFixture, SizedIconPicksTheStripBeforeTheSizedFiles) {
  fwg::Profile profile("Strips");
  profile.AddResourcePath(kIcons + "/full");
  fwg::Action action("open", &profile);

  action.SetIcon("open", 16, 24, true, ".png");
  EXPECT_EQ(action.GetIcon(), kIcons + "/full/openStrip-16.png");
  const uiIconSet& strip = action.GetUiAction()->IconSet();
  // The strips are split into frames: normal, disabled, active, selected,
  // for each of the two sizes.
  const QList<QSize> sizes = strip.GetIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(24, 24)));
  EXPECT_EQ(ColourOf(strip, 16, QIcon::Normal), QColor(200, 0, 0));
  EXPECT_EQ(ColourOf(strip, 16, QIcon::Disabled), QColor(128, 128, 128));
  EXPECT_EQ(ColourOf(strip, 24, QIcon::Active), QColor(0, 160, 0));
  EXPECT_EQ(ColourOf(strip, 24, QIcon::Selected), QColor(0, 0, 200));

  // Without the strip flag the sized pair is loaded, each image for its size.
  action.SetIcon("open", 16, 24, false, ".png");
  EXPECT_EQ(action.GetIcon(), kIcons + "/full/open-16.png");
  const uiIconSet& pair = action.GetUiAction()->IconSet();
  EXPECT_EQ(ColourOf(pair, 16, QIcon::Normal), QColor(255, 255, 0));
  EXPECT_EQ(ColourOf(pair, 24, QIcon::Normal), QColor(0, 255, 255));
}

TEST_F(ActionFixture, SizedIconFallsBackAlongItsAttempts) {
  fwg::Profile bare("Bare");
  bare.AddResourcePath(kIcons + "/bare");
  fwg::Action action("open", &bare);

  // Only open.png exists: the third attempt (strip flag set) finds it twice.
  action.SetIcon("open", 16, 24, true, ".png");
  EXPECT_EQ(action.GetIcon(), kIcons + "/bare/open.png");
  // Without the strip flag the bare name is never tried: the icon is cleared.
  action.SetIcon("open", 16, 24, false, ".png");
  EXPECT_EQ(action.GetIcon(), "");
  EXPECT_TRUE(action.GetUiAction()->IconSet().IsNull());

  fwg::Profile partial("Partial");
  partial.AddResourcePath(kIcons + "/partial");
  fwg::Action other("open", &partial);
  // Sizes 0 and 24 with the strip flag: openStrip.png is missing, so the
  // second file of the first attempt is used alone.
  other.SetIcon("open", 0, 24, true, ".png");
  EXPECT_EQ(other.GetIcon(), kIcons + "/partial/openStrip-24.png");
  // Only the first-size file of a pair exists.
  other.SetIcon("save", 16, 24, false, ".png");
  EXPECT_EQ(other.GetIcon(), kIcons + "/partial/save-16.png");

  // Without a profile nothing is looked up and the icon is cleared.
  fwg::Action loose("loose", nullptr);
  loose.SetIcon(kIcons + "/bare/open.png");
  loose.SetIcon(kIcons + "/bare/open", 0, 0, true, ".png");
  EXPECT_TRUE(loose.GetUiAction()->IconSet().IsNull());
}

}  // namespace
