#include <QImage>

#include <tuple>

#include "tests/support/ProfileWidgets.h"

namespace {

const std::string kIcons = FWG_TEST_ICONS;
using Calls = std::vector<std::string>;
using ActionFixture = WithGui;

void Watch(fwg::Action& action, Calls& calls) {
  action.OnActivate().Connect(nullptr, [&] { calls.push_back("direct"); });
  action.OnActionActivate().Connect(
      nullptr, [&](const fwg::Action& a) { calls.push_back("action:" + a.GetName()); });
  action.OnToggle().Connect(nullptr, [&](bool on) { calls.push_back(on ? "on" : "off"); });
  action.OnActionToggle().Connect(nullptr, [&](const fwg::Action& a, bool on) {
    calls.push_back(a.GetName() + (on ? ":on" : ":off"));
  });
}

TEST_F(ActionFixture, WithdrawnShortcutLeavesTheQActionAndComesBack) {
  fwg::Profile profile("Editor");
  fwg::Action* save = profile.AddAction("save", "&Save", {}, "Ctrl+S");
  fwg::Action* plain = profile.AddAction("plain", "Plain");
  EXPECT_EQ(KeyOf(save), "Ctrl+S");
  save->SetActive(false);
  plain->SetActive(true);  // never had a shortcut: gets none
  EXPECT_EQ(KeyOf(save) + KeyOf(plain), "");
  // Only the key goes: the remembered text stays.
  EXPECT_EQ(save->GetAccel() + " " + save->GetText(), "Ctrl+S &Save");
  EXPECT_TRUE(save->IsVisible());
  save->SetActive(true);
  EXPECT_EQ(KeyOf(save), "Ctrl+S");

  // An empty text clears the key and is remembered as empty.
  save->SetAccel("");
  save->SetActive(true);
  EXPECT_EQ(KeyOf(save), "");
}

// The key changes of a switch are held back from nobody: whoever connects to
// the toolkit action's changed() hears each of them, also after another
// listener went.
TEST_F(ActionFixture, EveryListenerOfTheToolkitActionHearsItsKeyChange) {
  fwg::Profile profile("Editor");
  fwg::Action* save = profile.AddAction("save", "&Save", {}, "Ctrl+S");
  QAction* toolkit = save->GetUiAction();
  int first = 0, second = 0;
  QObject firstListener;
  QObject::connect(toolkit, &QAction::changed, &firstListener, [&] { ++first; });
  const auto secondConnection = QObject::connect(toolkit, &QAction::changed, [&] { ++second; });
  save->SetActive(false);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);
  QObject::disconnect(secondConnection);
  save->SetActive(true);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 1);
  // Gone with its receiver, then connected anew.
  QObject::disconnect(toolkit, nullptr, &firstListener, nullptr);
  QObject::connect(toolkit, &QAction::changed, [&] { ++second; });
  save->SetActive(false);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(KeyOf(save), "");
}

TEST_F(ActionFixture, ActionSignalsRunBeforeDirectListenersAndCheckableOnesToggle) {
  // The direct listener connects first and still runs second; a user's
  // trigger goes the same way; Toggle does nothing to a plain action.
  fwg::Action plain("run", nullptr);
  Calls calls;
  Watch(plain, calls);
  plain.Activate();
  plain.GetUiAction()->trigger();
  plain.Toggle();
  EXPECT_EQ(calls, (Calls{"action:run", "direct", "action:run", "direct"}));
  EXPECT_FALSE(plain.IsChecked());

  // A checkable action toggles instead of activating; setting the state it
  // has is not a change and emits nothing.
  fwg::Action wrap("wrap", nullptr);
  wrap.SetCheckable(true);
  calls.clear();
  Watch(wrap, calls);
  wrap.Activate();
  const bool checked = wrap.IsChecked();
  wrap.Toggle();
  wrap.SetChecked(false);
  EXPECT_TRUE(checked && !wrap.IsChecked());
  EXPECT_EQ(calls, (Calls{"wrap:on", "on", "wrap:off", "off"}));

  // The user's toggle (what a click triggers) is told apart after it; the
  // program's SetChecked is not one.
  wrap.OnUserToggle().Connect(nullptr, [&](bool on) { calls.push_back(on ? "user on" : "user off"); });
  calls.clear();
  wrap.GetUiAction()->trigger();
  wrap.SetChecked(false);
  EXPECT_EQ(calls, (Calls{"wrap:on", "on", "user on", "wrap:off", "off"}));
}

TEST_F(ActionFixture, DeletingAnActionDestroysItsToolkitAction) {
  auto* action = new fwg::Action("gone", nullptr, true);
  QPointer<uiAction> ui = action->GetUiAction();
  ASSERT_TRUE(ui && ui->IsA("uiSpriteAction"));
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
  EXPECT_FALSE(open->GetUiAction()->IconSet().IsNull());
  open->SetIcon("missing.png");
  EXPECT_EQ(open->GetIcon(), kIcons + "/full/open.png") << "a name found nowhere changes nothing";

  // Without a profile the name is the path, and sized names are not looked
  // up: the icon is cleared.
  fwg::Action loose("loose", nullptr);
  loose.SetIcon(kIcons + "/bare/open.png");
  EXPECT_EQ(loose.GetIcon(), kIcons + "/bare/open.png");
  loose.SetIcon(kIcons + "/bare/open", 0, 0, true, ".png");
  EXPECT_TRUE(loose.GetUiAction()->IconSet().IsNull());
}

QColor ColourOf(const uiIconSet& icon, int side, QIcon::Mode mode) {
  return icon.GetIcon().pixmap(QSize(side, side), mode).toImage().pixelColor(side / 2, side / 2);
}

TEST_F(ActionFixture, SizedIconTriesStripThenSizedFilesThenTheBareName) {
  using Colour = std::tuple<int, QIcon::Mode, QColor>;  // side, mode, colour
  const struct {
    const char *folder, *name;
    int small, large;
    bool strip;
    const char* found;  // under the folder; null when the icon is cleared
    std::vector<Colour> colours;
  } cases[] = {
      // Strips are split into frames: normal, disabled, active, selected.
      {"full", "open", 16, 24, true, "openStrip-16.png",
       {{16, QIcon::Normal, QColor(200, 0, 0)}, {16, QIcon::Disabled, QColor(128, 128, 128)},
        {24, QIcon::Active, QColor(0, 160, 0)}, {24, QIcon::Selected, QColor(0, 0, 200)}}},
      // Without the strip flag the sized pair, each image for its size.
      {"full", "open", 16, 24, false, "open-16.png",
       {{16, QIcon::Normal, QColor(255, 255, 0)}, {24, QIcon::Normal, QColor(0, 255, 255)}}},
      // Only open.png: the third attempt (strip flag set) finds it twice.
      {"bare", "open", 16, 24, true, "open.png", {}},
      // Without the strip flag the bare name is never tried.
      {"bare", "open", 16, 24, false, nullptr, {}},
      // openStrip.png is missing: the second file of the first attempt alone.
      {"partial", "open", 0, 24, true, "openStrip-24.png", {}},
      // Only the first-size file of a pair exists.
      {"partial", "save", 16, 24, false, "save-16.png", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.folder) + " " + c.name + (c.strip ? " strip" : ""));
    fwg::Profile profile(c.folder);
    profile.AddResourcePath(kIcons + "/" + c.folder);
    fwg::Action action("open", &profile);
    action.SetIcon("open", 16, 24, true, ".png");  // an icon to replace or clear
    action.SetIcon(c.name, c.small, c.large, c.strip, ".png");
    const uiIconSet& icon = action.GetUiAction()->IconSet();
    EXPECT_EQ(action.GetIcon(), c.found ? kIcons + "/" + c.folder + "/" + c.found : "");
    EXPECT_EQ(icon.IsNull(), !c.found);
    for (const auto& [side, mode, colour] : c.colours) {
      EXPECT_TRUE(icon.GetIcon().availableSizes().contains(QSize(side, side)));
      EXPECT_EQ(ColourOf(icon, side, mode), colour) << side;
    }
  }
}

}  // namespace
