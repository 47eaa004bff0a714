#include "editors/kinds/blob_edit_win.h"

#include <gtest/gtest.h>

#include "editors/edit_repository.h"
#include "editors/editors_module_win.h"
#include "editors/kinds/button_win.h"
#include "editors/kinds/image_module_win.h"
#include "editors/kinds/image_picture_value_win.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/image_list.h"
#include "platform/toolkit/jpeg_image.h"
#include "platform/toolkit/picture.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace blob_edit_win_test {

using test_support::PumpMessagesUntilIdle;

std::string BitmapBytes(int32_t width, int32_t height, TColor color) {
  TBitmap bitmap(width, height, pf24bit);
  bitmap.Canvas().Brush().SetColor(color);
  bitmap.Canvas().FillRect(TRect(0, 0, width, height));
  TPicture picture;
  picture.SetGraphic(&bitmap);
  std::string bytes;
  lxSavePictureToString(&picture, bytes);
  return bytes;
}

class BlobForm {
 public:
  BlobForm() {
    lxEditorsInitialize();
    lxImageInitialize();
    lxBlobEditModuleStart();
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 500, 400);
    edit = new TlxBlobEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 24);
    other = new TlxBlobEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 300, 150, 24);
    form->Show();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~BlobForm() {
    form->Free();
    PumpMessagesUntilIdle();
    lxBlobEditModuleEnd();
    lxImageFinalize();
  }
  BlobForm(const BlobForm&) = delete;
  BlobForm& operator=(const BlobForm&) = delete;

  TlxBlobEditProperties& Properties() { return *edit->GetProperties(); }
  void Open() {
    edit->DropDown();
    PumpMessagesUntilIdle();
  }
  void Click(TControl* control) {
    auto* window = dynamic_cast<TWinControl*>(control);
    ASSERT_NE(window, nullptr);
    test_support::InputClick(window->Handle(), POINT{window->Width() / 2, window->Height() / 2});
    PumpMessagesUntilIdle();
  }
  void TypeIntoMemo(const std::string& text) {
    ASSERT_NE(edit->PopupMemo(), nullptr);
    test_support::SendText(edit->PopupMemo()->Handle(), text);
    PumpMessagesUntilIdle();
  }

  TForm* form;
  TlxBlobEdit* edit;
  TlxBlobEdit* other;
};

TEST(BlobEditPropertiesTest, DefaultsKindsAndGraphicClass) {
  lxImageInitialize();
  {
    TlxBlobEditProperties properties(nullptr);
    EXPECT_EQ(properties.PopupMinWidth(), 160);
    EXPECT_EQ(properties.PopupMinHeight(), 140);
    EXPECT_TRUE(properties.ImmediatePopup());
    EXPECT_TRUE(properties.AlwaysSaveData());
    EXPECT_EQ(properties.BlobPaintStyle(), bpsIcon);
    EXPECT_EQ(properties.ResolvedKind(), bekBlob) << "bekAuto without bound data";
    EXPECT_EQ(properties.Buttons()->GetButton(0)->Kind(), bkEllipsis);
    properties.SetBlobEditKind(bekMemo);
    EXPECT_EQ(properties.Buttons()->GetButton(0)->Kind(), bkDown);
    EXPECT_TRUE(properties.HasDisplayValue());
    properties.SetBlobEditKind(bekOle);
    EXPECT_EQ(properties.Buttons()->GetButton(0)->Kind(), bkEllipsis);
    EXPECT_FALSE(properties.HasDisplayValue());

    EXPECT_EQ(properties.PictureGraphicClassName(), "TBitmap");
    EXPECT_FALSE(properties.PictureGraphicClassNameNeedsStoring());
    properties.SetPictureGraphicClassName("tjpegimage");
    EXPECT_EQ(properties.PictureGraphicClass(), &TJPEGImage::kClass);
    properties.SetPictureGraphicClassName("TNoSuchGraphic");
    EXPECT_EQ(properties.PictureGraphicClass(), &TJPEGImage::kClass) << "an unknown name changes nothing";
    properties.SetPictureGraphicClassName("");
    EXPECT_EQ(properties.PictureGraphicClass(), nullptr);

    TlxBlobEditProperties copy(nullptr);
    properties.SetMemoMaxLength(12);
    properties.SetAlwaysSaveData(false);
    copy.Assign(&properties);
    EXPECT_EQ(copy.BlobEditKind(), bekOle);
    EXPECT_EQ(copy.MemoMaxLength(), 12);
    EXPECT_FALSE(copy.AlwaysSaveData());
    EXPECT_EQ(copy.PictureGraphicClass(), nullptr);

    // Memos in bpsText compare as texts; everything else counts as changed.
    copy.SetBlobEditKind(bekMemo);
    copy.SetBlobPaintStyle(bpsText);
    EXPECT_TRUE(copy.EditValuesEqual(Variant(std::string("a")), Variant(std::string("a"))));
    EXPECT_FALSE(copy.EditValuesEqual(Variant(std::string("a")), Variant(std::string("A"))));
    copy.SetBlobPaintStyle(bpsIcon);
    EXPECT_FALSE(copy.EditValuesEqual(Variant(std::string("a")), Variant(std::string("a"))));
  }
  lxImageFinalize();
}

TEST(BlobEditTest, IsRegisteredAndShowsItsTexts) {
  BlobForm fixture;
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxBlobEditProperties"),
            &TlxBlobEditProperties::kClass);
  EXPECT_EQ(lxBlobEditIcons()->Count(), 8);
  fixture.Properties().SetBlobEditKind(bekMemo);
  fixture.Properties().SetBlobPaintStyle(bpsDefault);
  fixture.edit->SetEditValue(Variant::Null());
  EXPECT_EQ(fixture.edit->ShownText(), "(memo)");
  fixture.edit->SetEditValue(Variant(std::string("eins\r\nzwei")));
  EXPECT_EQ(fixture.edit->ShownText(), "(MEMO)");
  fixture.Properties().SetBlobPaintStyle(bpsText);
  EXPECT_EQ(fixture.edit->ShownText(), "eins");
  std::string grid_text;
  fixture.Properties().FormatDisplayText(Variant(std::string("eins\r\nzwei")), grid_text, false);
  EXPECT_EQ(grid_text, "eins");
}

TEST(BlobEditTest, TheMemoPopupSavesOnOkOnly) {
  BlobForm fixture;
  fixture.Properties().SetBlobEditKind(bekMemo);
  fixture.edit->SetEditValue(Variant(std::string("alt")));
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  TlxPopupMemo* memo = fixture.edit->PopupMemo();
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->Text(), "alt");
  ASSERT_NE(fixture.edit->OkButton(), nullptr);
  ASSERT_NE(fixture.edit->CancelButton(), nullptr);
  EXPECT_EQ(fixture.edit->OkButton()->Caption(), "&OK");
  EXPECT_EQ(fixture.edit->CancelButton()->Caption(), "&Cancel");
  EXPECT_EQ(fixture.edit->OkButton()->Width(), fixture.edit->CancelButton()->Width());
  EXPECT_FALSE(fixture.edit->OkButton()->Enabled()) << "nothing changed yet";
  EXPECT_EQ(fixture.edit->OkButton()->Parent(), fixture.edit->PopupWindow());

  fixture.TypeIntoMemo("!");
  EXPECT_TRUE(fixture.edit->OkButton()->Enabled());
  fixture.Click(fixture.edit->CancelButton());
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(VarToStr(fixture.edit->GetEditValue()), "alt") << "Cancel drops the change";

  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  fixture.edit->PopupMemo()->SetText("neu");
  fixture.TypeIntoMemo("!");
  fixture.Click(fixture.edit->OkButton());
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(VarToStr(fixture.edit->GetEditValue()), "!neu");
  EXPECT_TRUE(fixture.edit->Modified());
}

TEST(BlobEditTest, EscapeCancelsAndCtrlEnterAccepts) {
  BlobForm fixture;
  fixture.Properties().SetBlobEditKind(bekMemo);
  fixture.edit->SetEditValue(Variant(std::string("x")));
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  fixture.TypeIntoMemo("y");
  test_support::SendKey(fixture.edit->PopupMemo()->Handle(), VK_ESCAPE);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(VarToStr(fixture.edit->GetEditValue()), "x");

  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  fixture.TypeIntoMemo("z");
  test_support::InputKey(VK_RETURN, false, true);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  const std::string saved = VarToStr(fixture.edit->GetEditValue());
  EXPECT_NE(saved.find('z'), std::string::npos);
  EXPECT_EQ(saved.find('\n'), std::string::npos) << "the accepting Enter types no line break";
}

TEST(BlobEditTest, AClickElsewhereKeepsChangesOnlyWithAlwaysSaveData) {
  for (bool always_save : {true, false}) {
    BlobForm fixture;
    fixture.Properties().SetBlobEditKind(bekMemo);
    fixture.Properties().SetAlwaysSaveData(always_save);
    fixture.edit->SetEditValue(Variant(std::string("a")));
    fixture.Open();
    ASSERT_TRUE(fixture.edit->GetDroppedDown());
    fixture.TypeIntoMemo("b");
    fixture.Click(fixture.other);
    EXPECT_FALSE(fixture.edit->GetDroppedDown());
    EXPECT_EQ(VarToStr(fixture.edit->GetEditValue()), always_save ? "ba" : "a") << always_save;
  }
}

TEST(BlobEditTest, AReadOnlyEditorHasOnlyAClosButton) {
  BlobForm fixture;
  fixture.Properties().SetBlobEditKind(bekMemo);
  fixture.Properties().SetReadOnly(true);
  fixture.edit->SetEditValue(Variant(std::string("fest")));
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(fixture.edit->OkButton(), nullptr);
  ASSERT_NE(fixture.edit->CancelButton(), nullptr);
  EXPECT_EQ(fixture.edit->CancelButton()->Caption(), "&Close");
  EXPECT_TRUE(fixture.edit->PopupMemo()->ReadOnly());
  fixture.Click(fixture.edit->CancelButton());
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(VarToStr(fixture.edit->GetEditValue()), "fest");
}

TEST(BlobEditTest, ThePicturePopupTakesThePicturesSize) {
  BlobForm fixture;
  fixture.Properties().SetBlobEditKind(bekPict);
  fixture.edit->SetEditValue(Variant(BitmapBytes(180, 150, clRed)));
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  TlxPopupImage* image = fixture.edit->PopupImage();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Picture()->Width(), 180);
  EXPECT_EQ(fixture.edit->CalculatePopupContentSize(), TSize(184, 154));
  EXPECT_FALSE(image->Modified());
  // Enter in the image accepts; nothing changed, so nothing is saved.
  test_support::SendKey(image->Handle(), VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_FALSE(fixture.edit->Modified());

  // A picture deleted in the popup is saved by OK.
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  fixture.edit->PopupImage()->ExecuteMenuAction(imaDelete);
  EXPECT_TRUE(fixture.edit->OkButton()->Enabled());
  fixture.Click(fixture.edit->OkButton());
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_TRUE(fixture.edit->GetEditValue().IsNull());
}

TEST(BlobEditTest, TheIconStandsForKindAndEmptiness) {
  BlobForm fixture;
  fixture.Properties().SetBlobEditKind(bekPict);
  fixture.edit->SetEditValue(Variant(BitmapBytes(4, 4, clRed)));
  fixture.edit->Repaint();
  PumpMessagesUntilIdle();
  auto& info = static_cast<TlxBlobEditViewInfo&>(fixture.edit->GetViewInfo());
  EXPECT_EQ(info.ImageIndex, 5);
  const TRect icon = info.IconRect;
  EXPECT_GT(icon.Width(), 0);
  // The filled picture icon's green hill shows in the middle of its rect.
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(fixture.edit->Handle());
  EXPECT_EQ(pixels.At(icon.Left + 10, icon.Top + 12), RGB(0, 128, 0));
  fixture.edit->SetEditValue(Variant::Null());
  fixture.edit->Repaint();
  PumpMessagesUntilIdle();
  EXPECT_EQ(info.ImageIndex, 4);
}

}  // namespace blob_edit_win_test
