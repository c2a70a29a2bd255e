#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "profiles/ProfileWorld.h"
#include "ui/ProfileView.h"

namespace nxui {
namespace {

using test::OpenProfile;
using test::ProfileWorld;
using test::PskProfile;

class ProfileViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(w.world, nullptr) << w.error;
    w.Start();
    ASSERT_TRUE(w.store().SaveProfile(OpenProfile("Cafe", "CoffeeCorner")));
    ASSERT_TRUE(w.store().SaveProfile(PskProfile("Home", "Norvix-Home", "sunflower-42")));
    w.page->Refresh();
    view = std::make_unique<ProfileView>(*w.page);
  }
  int RowOf(const char* name) const {
    for (int r = 0; r < view->List()->rowCount(); ++r) {
      if (view->List()->item(r, 1)->text() == QLatin1String(name)) return r;
    }
    return -1;
  }

  ProfileWorld w{test::ProfileScenario()};
  std::unique_ptr<ProfileView> view;
};

TEST_F(ProfileViewTest, RowsCarryTheirIcons) {
  ASSERT_EQ(view->List()->rowCount(), 2);
  const int home = RowOf("Home");
  const int cafe = RowOf("Cafe");
  EXPECT_EQ(view->List()->item(home, 2)->text(), QStringLiteral("Norvix-Home"));
  EXPECT_FALSE(view->List()->item(home, 3)->icon().isNull()) << "secured";
  EXPECT_TRUE(view->List()->item(cafe, 3)->icon().isNull()) << "open";
  EXPECT_FALSE(view->List()->item(cafe, 4)->icon().isNull()) << "network type";
  EXPECT_TRUE(view->List()->item(home, 0)->icon().isNull()) << "nothing applied yet";
  EXPECT_EQ(view->List()->horizontalHeaderItem(1)->text(), QStringLiteral("NAME"));
}

TEST_F(ProfileViewTest, SelectingARowFillsTheDetailsAndApplyConnects) {
  EXPECT_EQ(view->DetailValue(0)->text(), QString());
  view->List()->setCurrentCell(RowOf("Home"), 1);
  EXPECT_EQ(view->DetailValue(0)->text(), QStringLiteral("Home"));
  EXPECT_EQ(view->DetailValue(3)->text(), QStringLiteral("WPA2-PSK "));
  EXPECT_EQ(view->DetailValue(4)->text(), QStringLiteral("AES"));
  ASSERT_TRUE(view->ApplyButton()->isEnabled());
  view->ApplyButton()->click();
  EXPECT_EQ(w.store().ReadStation("CurProfile"), "Home");
  w.Settle();
  w.page->OnTick();
  view->Render();
  EXPECT_EQ(RowOf("Home"), 0) << "the applied profile comes first";
  EXPECT_FALSE(view->List()->item(0, 0)->icon().isNull()) << "the connected profile is marked";
  EXPECT_EQ(view->List()->currentRow(), 0) << "and stays selected";
}

TEST_F(ProfileViewTest, DeleteEmptiesTheListAndDisablesTheButtons) {
  for (int i = 0; i < 2; ++i) {
    view->List()->setCurrentCell(0, 1);
    view->DeleteButton()->click();
  }
  EXPECT_EQ(view->List()->rowCount(), 0);
  EXPECT_FALSE(view->EditButton()->isEnabled());
  EXPECT_FALSE(view->DeleteButton()->isEnabled());
  EXPECT_FALSE(view->ApplyButton()->isEnabled());
  EXPECT_TRUE(view->AddButton()->isEnabled());
  EXPECT_EQ(view->DetailValue(0)->text(), QString());
}

}  // namespace
}  // namespace nxui
