#include "editors/editors_module_win.h"

#include <gtest/gtest.h>

#include "data/filter_texts.h"
#include "editors/edit_repository.h"
#include "editors/edit_style_win.h"
#include "platform/toolkit/screen.h"

namespace {

constexpr char kKindName[] = "ModuleKindProperties";
class ModuleKindProperties : public TlxCustomEditProperties {
 public:
  static constexpr TClass kClass{kKindName, &TlxCustomEditProperties::kClass,
                                 &ConstructInstance<ModuleKindProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomEditProperties::TlxCustomEditProperties;
};

TEST(EditorsModuleTest, StartSetsUpTheSharedObjectsAndTheEndFreesThem) {
  lxEditorsInitialize();
  const HCURSOR wheel = Screen->Cursors(crLxEditMouseWheel);
  EXPECT_NE(wheel, nullptr);
  EXPECT_NE(wheel, Screen->Cursors(crDefault));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(wheel, &info));
  EXPECT_EQ(info.xHotspot, 15u);
  EXPECT_EQ(info.yHotspot, 15u);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr)
    DeleteObject(info.hbmColor);

  TlxEditStyleController* controller = lxGetDefaultEditStyleController();
  EXPECT_EQ(lxGetDefaultContainerStyleController(), controller);
  EXPECT_EQ(lxGetFilterResString(lxSFilterOperatorEqual), "equals");

  lxGetRegisteredEditProperties().AddClass(&ModuleKindProperties::kClass, "ModuleKind|A kind");
  lxGetDefaultEditRepository().CreateItemOfClass(TlxEditRepositoryItem::kClass);

  lxEditorsInitialize();  // counted
  lxEditorsFinalize();
  EXPECT_EQ(lxGetRegisteredEditProperties().Count(), 1);

  lxEditorsFinalize();
  EXPECT_EQ(lxGetDefaultContainerStyleController(), nullptr);
  EXPECT_EQ(lxGetRegisteredEditProperties().Count(), 0);
  EXPECT_EQ(lxGetDefaultEditRepository().GetItemCount(), 0);
  EXPECT_NE(Screen->Cursors(crLxEditMouseWheel), wheel);
  lxFreeRegisteredEditProperties();
  lxFreeDefaultEditRepository();
}

}  // namespace
