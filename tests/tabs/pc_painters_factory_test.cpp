#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "tabs/pc_painter_styles.h"
#include "tabs/pc_painters_factory.h"
#include "tests/tabs/fixed_width_painter.h"

namespace {

template <class Style>
class TTestStyle final : public Style {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override {
    return std::make_unique<TFixedWidthPainter>(control);
  }
};

const TTestStyle<TlxPCTabsStyle> kTabs;
const TTestStyle<TlxPCButtonsStyle> kButtons;
const TTestStyle<TlxPCFlatButtonsStyle> kFlatButtons;
const TTestStyle<TlxPCExtraFlatStyle> kExtraFlat;
const TTestStyle<TlxPCUltraFlatStyle> kUltraFlat;
const TTestStyle<TlxPCFlatStyle> kFlat;
const TTestStyle<TlxPCOffice11Style> kOffice11;
const TTestStyle<TlxPCSlantedStyle> kSlanted;
const TTestStyle<TlxPCOneNoteStyle> kOneNote;

// The shipped registration order.
const std::vector<TlxPCPainterClass> kShipped = {&kTabs,      &kButtons, &kFlatButtons, &kExtraFlat, &kUltraFlat,
                                                 &kFlat,      &kOffice11, &kSlanted,    &kOneNote};

class PaintersFactoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(lxPCPaintersFactoryInstance(), nullptr);
    for (TlxPCPainterClass painter_class : kShipped)
      lxPCRegisterPainterClass(painter_class);
  }
  void TearDown() override {
    for (TlxPCPainterClass painter_class : kShipped)
      lxPCUnregisterPainterClass(painter_class);
  }
  TlxPCPaintersFactory& Factory() { return *lxPCPaintersFactoryInstance(); }
};

TEST_F(PaintersFactoryTest, StylesFollowTheLookAndFeel) {
  struct Case {
    TlxPCLookAndFeelInfo look_and_feel;
    int32_t style;
  };
  const Case cases[] = {
      {{kPCLookAndFeelFlat, false, false}, 7},     {{kPCLookAndFeelStandard, false, false}, 1},
      {{kPCLookAndFeelUltraFlat, false, false}, 6}, {{kPCLookAndFeelOffice11, false, false}, 8},
      {{kPCLookAndFeelOffice11, true, false}, -1},  {{kPCLookAndFeelWinXP, false, true}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Factory().GetStyleIDForLookAndFeel(c.look_and_feel), c.style) << c.look_and_feel.TabPainterStyle;
    EXPECT_EQ(Factory().GetDefaultStyleID(c.look_and_feel), 1);
  }
}

TEST_F(PaintersFactoryTest, FindsClassesByStyleNumber) {
  EXPECT_EQ(Factory().GetCount(), 9);
  EXPECT_EQ(Factory().FindPainterClass(4), nullptr);
  EXPECT_EQ(Factory().FindPainterClass(0), nullptr);
  for (TlxPCPainterClass painter_class : kShipped)
    EXPECT_EQ(Factory().FindPainterClass(painter_class->GetStyleID()), painter_class);
  EXPECT_EQ(Factory().FindPainterClass(10)->GetStyleName(), "OneNote");
  EXPECT_FALSE(Factory().FindPainterClass(10)->CanRotateTabs());
  EXPECT_TRUE(Factory().FindPainterClass(2)->IsTabButtonLike());
  EXPECT_TRUE(Factory().FindPainterClass(3)->AllowMultiSelectTabs());
  EXPECT_FALSE(Factory().FindPainterClass(3)->IsMainTabRowNearPage());
  EXPECT_TRUE(Factory().FindPainterClass(6)->IsMainTabRowNearPage());
  lxPCRegisterPainterClass(&kTabs);  // listed once
  EXPECT_EQ(Factory().GetCount(), 9);
  EXPECT_EQ(Factory().GetPainterClass(8), &kOneNote);
}

TEST_F(PaintersFactoryTest, MakesPaintersAndRefusesANullClass) {
  TFixedTabControl control;
  std::unique_ptr<IlxPCLayoutPainter> painter = Factory().GetPainterInstance(&kFlat, control);
  ASSERT_NE(painter, nullptr);
  TlxPCPaintersFactory::ReleasePainter(std::move(painter));
  TlxPCPaintersFactory::ReleasePainter(nullptr);
  try {
    Factory().GetPainterInstance(nullptr, control);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TlxPCPaintersFactory.GetPainterInstance: PCPainterClass is nil");
  }
}

TEST(PaintersFactoryLifetimeTest, ExistsWhileAClassIsRegistered) {
  ASSERT_EQ(lxPCPaintersFactoryInstance(), nullptr);
  lxPCRegisterPainterClass(&kSlanted);
  lxPCRegisterPainterClass(&kButtons);
  ASSERT_NE(lxPCPaintersFactoryInstance(), nullptr);
  // Only the default rule applies: the first registered class.
  EXPECT_EQ(lxPCPaintersFactoryInstance()->GetDefaultStyleID({}), 9);
  lxPCUnregisterPainterClass(&kSlanted);
  ASSERT_NE(lxPCPaintersFactoryInstance(), nullptr);
  lxPCUnregisterPainterClass(&kButtons);
  EXPECT_EQ(lxPCPaintersFactoryInstance(), nullptr);
  lxPCUnregisterPainterClass(&kButtons);  // nothing to do
  lxPCRegisterPainterClass(&kOneNote);
  ASSERT_NE(lxPCPaintersFactoryInstance(), nullptr);
  lxPCUnregisterPainterClass(&kOneNote);
  EXPECT_EQ(lxPCPaintersFactoryInstance(), nullptr);
}

TEST(PaintersFactoryLifetimeTest, DefaultWithoutClassesIsAnError) {
  TlxPCPaintersFactory empty;
  try {
    empty.GetDefaultStyleID({});
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TlxPCPaintersFactory.GetDefaultStyleID: There are no styles registered");
  }
}

}  // namespace
