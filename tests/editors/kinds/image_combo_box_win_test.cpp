#include "editors/kinds/image_combo_box_win.h"

#include <gtest/gtest.h>

#include "editors/edit_repository.h"
#include "editors/editors_module_win.h"
#include "editors/filter_edit_helper.h"
#include "platform/rtl/locale.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace image_combo_box_win_test {

using test_support::PumpMessagesUntilIdle;

constexpr TColor kImageColors[] = {0x0000FF, 0x00FF00, 0xFF0000};

// An editor with three items ("Rot" 1, "Grün" 2, "Blau" 3) and a list of
// three solid 16 x 16 images in red, green and blue.
class ImageComboForm {
 public:
  ImageComboForm() {
    lxEditorsInitialize();
    lxImageComboBoxModuleStart();
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 420, 320);
    images = new TCustomImageList(16, 16, form);
    for (TColor color : kImageColors) {
      TBitmap bitmap(16, 16);
      bitmap.Canvas().Brush().SetColor(color);
      bitmap.Canvas().FillRect(TRect(0, 0, 16, 16));
      images->AddMasked(bitmap, clNone);
    }
    edit = new TlxImageComboBox(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 200, 24);
    TlxImageComboBoxProperties* properties = edit->GetProperties();
    properties->SetImages(images);
    int32_t value = 1;
    for (const char* description : {"Rot", "Grün", "Blau"}) {
      TlxImageComboBoxItem* item = properties->Items()->Add();
      item->SetDescription(description);
      item->SetValue(Variant(value++));
    }
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpMessagesUntilIdle();
  }
  ~ImageComboForm() {
    form->Free();
    PumpMessagesUntilIdle();
    lxImageComboBoxModuleEnd();
  }
  ImageComboForm(const ImageComboForm&) = delete;
  ImageComboForm& operator=(const ImageComboForm&) = delete;

  TlxImageComboBoxViewInfo& Info() { return static_cast<TlxImageComboBoxViewInfo&>(edit->GetViewInfo()); }
  COLORREF PixelAtImageCentre() {
    edit->Repaint();
    PumpMessagesUntilIdle();
    const TRect r = Info().ImageRect;
    return test_support::WindowPixels::Capture(edit->Handle()).At((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  TScopedLocale german{"de-DE"};
  TForm* form;
  TCustomImageList* images;
  TlxImageComboBox* edit;
};

TEST(ImageComboBoxTest, IsRegisteredWithItsFilterHelper) {
  ImageComboForm fixture;
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxImageComboBoxProperties"),
            &TlxImageComboBoxProperties::kClass);
  TlxFilterEditHelperClass helper = lxGetFilterEditsController().FindHelperClass(&TlxImageComboBoxProperties::kClass);
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->GetValueEditorClass(), &TlxImageComboBox::kClass);
  TlxFilterConditionOperators operators;
  helper->GetSupportedOperators(fixture.edit->GetProperties(), nullptr, operators, true);
  EXPECT_TRUE(operators.Contains(fcoEqual));
  EXPECT_TRUE(operators.Contains(fcoInList));
  EXPECT_FALSE(operators.Contains(fcoLess));
  EXPECT_EQ(fixture.edit->GetProperties()->DropDownListStyle(), lsFixedList);
  EXPECT_EQ(fixture.edit->GetProperties()->Items()->GetItem(2)->ImageIndex(), 2);
}

TEST(ImageComboBoxTest, TheValueShowsItsItemsDescriptionAndImage) {
  ImageComboForm fixture;
  fixture.edit->SetEditValue(Variant(int32_t{2}));
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->ItemIndex(), 1);
  EXPECT_EQ(fixture.Info().Text, "Grün");
  EXPECT_EQ(fixture.Info().ImageIndex, 1);
  EXPECT_TRUE(test_support::ColorsNear(fixture.PixelAtImageCentre(), RGB(0, 255, 0), 8));
  EXPECT_LT(fixture.Info().ImageRect.Right, fixture.Info().TextRect.Left) << "the image sits left of the text";

  TlxImageComboBoxProperties* properties = fixture.edit->GetProperties();
  properties->SetDefaultDescription("unbekannt");
  properties->SetDefaultImageIndex(2);
  fixture.edit->SetEditValue(Variant(int32_t{9}));
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.Info().Text, "unbekannt");
  EXPECT_EQ(fixture.Info().ImageIndex, 2);
  EXPECT_TRUE(test_support::ColorsNear(fixture.PixelAtImageCentre(), RGB(0, 0, 255), 8));
  Variant display;
  properties->ConvertToDisplayValue(Variant(int32_t{3}), display, false);
  EXPECT_EQ(VarToStr(display), "Blau");
}

TEST(ImageComboBoxTest, WithoutDescriptionsOnlyTheImageShowsCentred) {
  ImageComboForm fixture;
  TlxImageComboBoxProperties* properties = fixture.edit->GetProperties();
  properties->SetShowDescriptions(false);
  fixture.edit->SetEditValue(Variant(int32_t{1}));
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.Info().Text, "");
  const TRect client = fixture.Info().ClientRect;
  const TRect image = fixture.Info().ImageRect;
  EXPECT_NEAR((image.Left + image.Right) / 2, (client.Left + client.Right) / 2, 2);
  EXPECT_TRUE(test_support::ColorsNear(fixture.PixelAtImageCentre(), RGB(255, 0, 0), 8));
  EXPECT_EQ(properties->FindItemByDescription("Rot"), nullptr) << "no description can be typed";
  EXPECT_FALSE(properties->IsLookupItemText("Rot"));
}

TEST(ImageComboBoxTest, AnImageWiderThanTheEditorHidesTheText) {
  ImageComboForm fixture;
  fixture.edit->SetBounds(10, 10, 30, 24);
  fixture.edit->SetEditValue(Variant(int32_t{1}));
  PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.Info().TextRect.IsEmpty());
}

TEST(ImageComboBoxTest, PickingInTheListSetsTheItemsValue) {
  ImageComboForm fixture;
  fixture.edit->SetFocus();
  PumpMessagesUntilIdle();
  fixture.edit->DropDown();
  PumpMessagesUntilIdle();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  test_support::InputKey(VK_DOWN);
  test_support::InputKey(VK_DOWN);
  test_support::InputKey(VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  fixture.edit->ValidateEdit(false);
  EXPECT_EQ(fixture.edit->EditValue().AsInteger(), 2);
  EXPECT_EQ(fixture.edit->Text(), "Grün");
}

TEST(ImageComboBoxTest, EqualValuesAreThoseShowingTheSameTextAndImage) {
  ImageComboForm fixture;
  TlxImageComboBoxProperties* properties = fixture.edit->GetProperties();
  properties->Items()->GetItem(2)->SetDescription("Rot");
  EXPECT_FALSE(properties->EditValuesEqual(Variant(int32_t{1}), Variant(int32_t{3}))) << "another image";
  properties->Items()->GetItem(2)->SetImageIndex(0);
  EXPECT_TRUE(properties->EditValuesEqual(Variant(int32_t{1}), Variant(int32_t{3})));
  properties->SetImages(nullptr);
  properties->Items()->GetItem(2)->SetImageIndex(1);
  EXPECT_TRUE(properties->EditValuesEqual(Variant(int32_t{1}), Variant(int32_t{3}))) << "without images";
}

TEST(ImageComboBoxTest, AFreedImageListIsForgotten) {
  ImageComboForm fixture;
  delete fixture.images;
  fixture.images = nullptr;
  EXPECT_EQ(fixture.edit->GetProperties()->Images(), nullptr);
  fixture.edit->SetEditValue(Variant(int32_t{1}));
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.Info().Text, "Rot");
}

}  // namespace image_combo_box_win_test
