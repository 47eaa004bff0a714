#include "editors/edit_style_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A container as its styles see it.
class FakeContainer : public TPersistent, public IlxStyledContainer {
 public:
  bool UsesParentColorByDefault() const override { return parent_colored_by_default; }
  bool ParentColor() const override { return parent_color; }
  void SetParentColor(bool value) override { parent_color = value; }
  bool ParentFont() const override { return parent_font; }
  void SetParentFont(bool value) override { parent_font = value; }
  bool GetParentColor(TColor& color) const override {
    color = parent_colour;
    return has_parent;
  }
  bool IsInplace() const override { return inplace; }
  bool IsStylePropertyUsed(const std::string& name, bool state_style) const override {
    return !state_style || styles->GetNormalStyle()->PublishesProperty(name);
  }

  bool parent_colored_by_default = false;
  bool parent_color = false;
  bool parent_font = false;
  bool has_parent = false;
  TColor parent_colour = clYellow;
  bool inplace = false;
  TlxContainerStyles* styles = nullptr;
};

class ContainerStyleTest : public ::testing::Test {
 protected:
  ContainerStyleTest() { lxGetDefaultEditStyleController(); }
  ~ContainerStyleTest() override { lxFreeDefaultEditStyleController(); }

  std::unique_ptr<TlxContainerStyles> MakeStyles(FakeContainer& container) {
    auto styles = std::make_unique<TlxContainerStyles>(&container, lxStyleClassOf<TlxEditStyle>());
    container.styles = styles.get();
    return styles;
  }
  static TlxEditStyle* Edit(TlxContainerStyle* style) { return static_cast<TlxEditStyle*>(style); }
};

TEST_F(ContainerStyleTest, ANewContainersStylesAnswerTheirDefaults) {
  FakeContainer container;
  auto styles = MakeStyles(container);
  TlxContainerStyle* normal = styles->GetNormalStyle();
  EXPECT_TRUE(normal->AssignedValues().Empty());
  EXPECT_EQ(normal->Edges(), (TlxBorders{bLeft, bTop, bRight, bBottom}));
  EXPECT_TRUE(normal->HotTrack());
  EXPECT_FALSE(normal->Shadow());
  EXPECT_TRUE(normal->TransparentBorder());
  EXPECT_EQ(normal->BorderColor(), clWindowFrame);
  EXPECT_EQ(normal->GetColor(), clWindow);
  EXPECT_EQ(normal->BorderStyle(), lxBorderStyleOfLookAndFeel(normal->LookAndFeel()->Kind()));

  TlxContainerStyle* disabled = styles->GetDisabledStyle();
  EXPECT_EQ(disabled->GetColor(), clBtnFace);
  EXPECT_EQ(disabled->GetTextColor(), clBtnShadow);
  EXPECT_EQ(disabled->BorderColor(), clBtnShadow);
  EXPECT_EQ(disabled->BorderStyle(), normal->BorderStyle());

  FakeContainer parent_colored;
  parent_colored.parent_colored_by_default = true;
  auto other = MakeStyles(parent_colored);
  EXPECT_EQ(other->GetNormalStyle()->GetColor(), clBtnFace);
  EXPECT_EQ(other->GetDisabledStyle()->GetColor(), clBtnFace);
}

TEST_F(ContainerStyleTest, FocusedAndHotBordersThickenOnlyWithHotTrack) {
  FakeContainer container;
  auto styles = MakeStyles(container);
  styles->GetNormalStyle()->SetBorderStyle(cbsSingle);
  EXPECT_EQ(styles->GetHotStyle()->BorderStyle(), cbsThick);
  EXPECT_EQ(styles->GetFocusedStyle()->BorderStyle(), cbsThick);
  EXPECT_EQ(styles->GetDisabledStyle()->BorderStyle(), cbsSingle);
  styles->GetHotStyle()->SetHotTrack(false);
  EXPECT_FALSE(styles->GetNormalStyle()->HotTrack());
  EXPECT_EQ(styles->GetHotStyle()->BorderStyle(), cbsSingle);
  EXPECT_EQ(styles->GetFocusedStyle()->BorderStyle(), cbsSingle);
}

TEST_F(ContainerStyleTest, MasterValuesWrittenOnAStateStyleLandOnTheNormalStyle) {
  FakeContainer container;
  auto styles = MakeStyles(container);
  styles->GetHotStyle()->SetEdges({bLeft});
  EXPECT_EQ(styles->GetNormalStyle()->Edges(), TlxBorders{bLeft});
  EXPECT_TRUE(styles->GetNormalStyle()->AssignedValues().Contains(csvEdges));
  EXPECT_FALSE(styles->GetHotStyle()->AssignedValues().Contains(csvEdges));
  EXPECT_FALSE(styles->GetHotStyle()->ValueNeedsStoring(csvEdges));
  EXPECT_TRUE(styles->GetNormalStyle()->ValueNeedsStoring(csvEdges));
  EXPECT_FALSE(styles->GetHotStyle()->PublishesProperty("Edges"));
  EXPECT_TRUE(styles->GetHotStyle()->PublishesProperty("Color"));
  EXPECT_FALSE(styles->GetHotStyle()->PublishesProperty("StyleController"));
}

TEST_F(ContainerStyleTest, AControllersValueHoldsUntilTheStyleAssignsItsOwn) {
  FakeContainer container;
  auto styles = MakeStyles(container);
  TlxEditStyleController controller(nullptr);
  controller.Style()->SetColor(clYellow);
  styles->GetNormalStyle()->SetStyleController(&controller);
  EXPECT_EQ(styles->GetNormalStyle()->StyleController(), &controller);
  EXPECT_EQ(styles->GetNormalStyle()->GetColor(), clYellow);
  EXPECT_TRUE(styles->GetNormalStyle()->IsValueAssigned(csvColor));
  EXPECT_FALSE(styles->GetNormalStyle()->ValueNeedsStoring(csvColor));

  styles->GetNormalStyle()->SetColor(clRed);
  EXPECT_EQ(styles->GetNormalStyle()->GetColor(), clRed);
  styles->GetNormalStyle()->SetAssignedValues(TlxContainerStyleValues());
  EXPECT_EQ(styles->GetNormalStyle()->GetColor(), clYellow);
  // The focused style follows the controller's focused style, whose
  // default is its own normal colour.
  EXPECT_EQ(styles->GetFocusedStyle()->GetColor(), clYellow);
}

TEST_F(ContainerStyleTest, ControllerCyclesAreRefusedInEitherOrder) {
  TlxEditStyleController a(nullptr);
  TlxEditStyleController b(nullptr);
  a.Style()->SetStyleController(&b);
  EXPECT_EQ(a.Style()->StyleController(), &b);
  b.Style()->SetStyleController(&a);
  EXPECT_EQ(b.Style()->StyleController(), nullptr);
  a.Style()->SetStyleController(&a);
  EXPECT_EQ(a.Style()->StyleController(), &b);

  // The chain still resolves: b's value reaches a's listeners.
  b.Style()->SetBorderStyle(ebsFlat);
  EXPECT_EQ(a.Style()->BorderStyle(), cbsFlat);
}

TEST_F(ContainerStyleTest, AFreedControllerLeavesItsListenersOnTheFallback) {
  FakeContainer container;
  auto styles = MakeStyles(container);
  {
    TlxEditStyleController controller(nullptr);
    controller.Style()->SetColor(clYellow);
    styles->GetNormalStyle()->SetStyleController(&controller);
    EXPECT_EQ(controller.ListenerCount(), 1);
  }
  EXPECT_EQ(styles->GetNormalStyle()->StyleController(), nullptr);
  EXPECT_EQ(styles->GetNormalStyle()->GetEffectiveStyleController(), lxGetDefaultEditStyleController());
  EXPECT_EQ(styles->GetNormalStyle()->GetColor(), clWindow);
}

TEST_F(ContainerStyleTest, ChangesInsideOneLockFireTheHandlerOnce) {
  FakeContainer container;
  auto styles = MakeStyles(container);
  int changes = 0;
  styles->SetChangeHandler([&changes](TObject*) { ++changes; });
  TlxContainerStyle* normal = styles->GetNormalStyle();
  normal->LockChanges();
  for (TColor colour = 1; colour <= 10; ++colour)
    normal->SetColor(colour);
  EXPECT_EQ(changes, 0);
  normal->UnlockChanges();
  EXPECT_EQ(changes, 1);
  normal->SetColor(10);
  EXPECT_EQ(changes, 1);
}

TEST_F(ContainerStyleTest, EditValuesOfStateStylesComeFromTheNormalStyleButTheButtonStyle) {
  FakeContainer container;
  auto styles = MakeStyles(container);
  TlxEditStyle* normal = Edit(styles->GetNormalStyle());
  EXPECT_EQ(normal->GetButtonStyle(), btsDefault);

  Edit(styles->GetFocusedStyle())->SetButtonTransparency(ebtAlways);
  for (TlxContainerStateItem state : {csNormal, csActive, csDisabled, csHotTrack})
    EXPECT_EQ(Edit(styles->GetStateStyle(state))->GetButtonTransparency(), ebtAlways);
  EXPECT_TRUE(normal->AssignedValues().Contains(esvButtonTransparency));

  Edit(styles->GetHotStyle())->SetButtonStyle(btsFlat);
  EXPECT_EQ(Edit(styles->GetHotStyle())->GetButtonStyle(), btsFlat);
  EXPECT_EQ(normal->GetButtonStyle(), btsDefault);
  EXPECT_EQ(Edit(styles->GetFocusedStyle())->GetButtonStyle(), btsDefault);

  std::string name;
  EXPECT_TRUE(normal->GetValueName(esvGradientDirection, name));
  EXPECT_EQ(name, "GradientDirection");
  EXPECT_FALSE(normal->GetValueName(16, name));
  EXPECT_EQ(name, "");
}

TEST_F(ContainerStyleTest, AControllerButtonStyleIsReportedButNotStored) {
  FakeContainer container;
  auto styles = MakeStyles(container);
  TlxEditStyleController controller(nullptr);
  controller.Style()->SetButtonStyle(btsFlat);
  styles->GetNormalStyle()->SetStyleController(&controller);
  EXPECT_EQ(Edit(styles->GetNormalStyle())->GetButtonStyle(), btsFlat);
  EXPECT_TRUE(Edit(styles->GetNormalStyle())->IsValueAssigned(esvButtonStyle));
  EXPECT_FALSE(Edit(styles->GetNormalStyle())->ButtonStyleNeedsStoring());
}

TEST_F(ContainerStyleTest, AnInplaceEditorsStyleIgnoresTheDefaultController) {
  lxGetDefaultEditStyleController()->Style()->SetColor(clAqua);
  FakeContainer standalone;
  auto standalone_styles = MakeStyles(standalone);
  EXPECT_EQ(standalone_styles->GetNormalStyle()->GetColor(), clAqua);

  FakeContainer inplace;
  inplace.inplace = true;
  auto inplace_styles = MakeStyles(inplace);
  Edit(inplace_styles->GetNormalStyle())->RelinkFallbackController();
  EXPECT_EQ(inplace_styles->GetNormalStyle()->GetEffectiveStyleController(), nullptr);
  EXPECT_EQ(inplace_styles->GetNormalStyle()->GetColor(), clWindow);
}

TEST_F(ContainerStyleTest, OneControllerRestylesThirtyEditorsExceptOneWithItsOwnValue) {
  TlxEditStyleController controller(nullptr);
  std::vector<std::unique_ptr<FakeContainer>> containers;
  std::vector<std::unique_ptr<TlxContainerStyles>> sets;
  int changes = 0;
  for (int i = 0; i < 30; ++i) {
    containers.push_back(std::make_unique<FakeContainer>());
    sets.push_back(MakeStyles(*containers.back()));
    sets.back()->GetNormalStyle()->SetStyleController(&controller);
    sets.back()->SetChangeHandler([&changes](TObject*) { ++changes; });
  }
  Edit(sets[7]->GetNormalStyle())->SetButtonStyle(btsHotFlat);
  changes = 0;

  controller.Style()->SetButtonStyle(btsUltraFlat);
  EXPECT_EQ(changes, 30);
  for (size_t i = 0; i < sets.size(); ++i)
    EXPECT_EQ(Edit(sets[i]->GetNormalStyle())->GetButtonStyle(), i == 7 ? btsHotFlat : btsUltraFlat) << i;
}

TEST_F(ContainerStyleTest, DirectAccessStylesCarryValuesWithoutNotifying) {
  TlxEditStyle carrier(nullptr, true);
  int changes = 0;
  carrier.SetChangeHandler([&changes](TObject*) { ++changes; });
  carrier.SetColor(clRed);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(carrier.GetColor(), clRed);
  EXPECT_EQ(carrier.BorderColor(), clDefault);
  EXPECT_TRUE(carrier.Edges().Empty());
  EXPECT_FALSE(carrier.Shadow());
  EXPECT_TRUE(carrier.TransparentBorder());
  EXPECT_EQ(carrier.GetEffectiveStyleController(), nullptr);
  TFont font;
  carrier.SetFont(&font);
  EXPECT_EQ(carrier.Font(), &font);
}

}  // namespace
