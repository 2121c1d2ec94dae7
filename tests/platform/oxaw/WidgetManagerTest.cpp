// Named widget makers: widgets made on demand, one per name and parent, and
// forgotten on release.
#include <QPointer>
#include <gtest/gtest.h>

#include <memory>

#include "platform/oxaw/WidgetManager.h"
#include "platform/ui/uiFrame.h"

namespace {

// Counts the widgets it makes.
class CountingCreator : public oxaw::IWidgetCreator {
 public:
  explicit CountingCreator(int* made) : made_(made) {}
  uiWidget* Create(uiWidget* parent, const oxString& name) override {
    ++*made_;
    return new uiFrame(parent, name);
  }

 private:
  int* made_;
};

TEST(WidgetManager, MakesOneWidgetPerNameAndParentUntilReleased) {
  oxaw::WidgetManager manager;
  int made = 0;
  manager.RegisterWidget("Outline", new CountingCreator(&made));
  auto first = std::make_unique<uiFrame>(nullptr, "first");
  auto second = std::make_unique<uiFrame>(nullptr, "second");

  EXPECT_EQ(manager.GetWidget("Unknown", first.get()), nullptr);
  uiWidget* a = manager.GetWidget("Outline", first.get());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Name(), "Outline");
  EXPECT_EQ(manager.GetWidget("Outline", first.get()), a) << "the same parent gets the same widget";
  uiWidget* b = manager.GetWidget("Outline", second.get());
  EXPECT_NE(b, a) << "another parent gets its own";

  // A widget its parent deleted is made again.
  QPointer<QWidget> gone = b->GetWidget();
  second.reset();
  EXPECT_TRUE(gone.isNull());
  second = std::make_unique<uiFrame>(nullptr, "second");
  manager.GetWidget("Outline", second.get());
  EXPECT_EQ(made, 3);

  // Released: the next request makes a new one; the old one stays alive.
  manager.ReleaseWidget("Outline");
  EXPECT_NE(manager.GetWidget("Outline", first.get()), a);
  EXPECT_EQ(made, 4);
  EXPECT_EQ(a->ParentWidget(), first.get());

  // A later maker of the same name replaces the earlier one.
  manager.RegisterWidget("Outline", new oxaw::WidgetCreator<uiFrame>);
  manager.ReleaseWidget("Outline");
  manager.GetWidget("Outline", first.get());
  EXPECT_EQ(made, 4);

  // The process-wide manager comes back fresh after Destroy.
  ASSERT_EQ(oxaw::WidgetManager::Get(), oxaw::WidgetManager::Get());
  oxaw::WidgetManager::Get()->RegisterWidget("Panel", new oxaw::WidgetCreator<uiFrame>);
  oxaw::WidgetManager::Destroy();
  EXPECT_FALSE(oxaw::WidgetManager::Get()->IsRegistered("Panel"));
  oxaw::WidgetManager::Destroy();
}

}  // namespace
