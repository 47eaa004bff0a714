#include "editors/kinds/image_control_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "editors/edit_repository.h"
#include "editors/editors_module_win.h"
#include "editors/kinds/image_module_win.h"
#include "editors/kinds/image_picture_value_win.h"
#include "editors/kinds/image_view_win.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/clipboard.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/jpeg_image.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/picture.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_pixels.h"

namespace image_control_win_test {

using test_support::PumpMessagesUntilIdle;

// The file bytes of a bitmap of one colour.
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

class ImageForm {
 public:
  ImageForm() {
    lxEditorsInitialize();
    lxImageInitialize();
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 400, 300);
    image = new TlxImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 140, 100);
    form->Show();
    SetForegroundWindow(form->Handle());
    image->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~ImageForm() {
    test_support::StopModalScript();
    form->Free();
    PumpMessagesUntilIdle();
    lxImageFinalize();
  }
  ImageForm(const ImageForm&) = delete;
  ImageForm& operator=(const ImageForm&) = delete;

  TRect Client() const { return image->GetViewInfo().ClientRect; }
  COLORREF PixelAt(int32_t x, int32_t y) {
    image->Repaint();
    PumpMessagesUntilIdle();
    return test_support::WindowPixels::Capture(image->Handle()).At(Client().Left + x, Client().Top + y);
  }
  TMenuItem* Item(int32_t position) { return image->ImagePopupMenu()->Items().Items(position); }

  TForm* form;
  TlxImage* image;
};

const COLORREF kRed = RGB(255, 0, 0);

TEST(ImageControlTest, IsTheImageKindsControl) {
  ImageForm fixture;
  EXPECT_EQ(fixture.image->GetProperties()->GetEditControlClass(), &TlxImage::kClass);
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxImageProperties"), &TlxImageProperties::kClass);
  EXPECT_EQ(fixture.image->Width(), 140);
  EXPECT_EQ(fixture.image->Height(), 100);
  EXPECT_TRUE(fixture.image->GetEditValue().IsNull()) << "no picture is Null";
}

TEST(ImageControlTest, TheValueIsThePicturesBytesBothWays) {
  ImageForm fixture;
  const std::string bytes = BitmapBytes(40, 30, clRed);
  fixture.image->SetEditValue(Variant(bytes));
  EXPECT_EQ(fixture.image->Picture()->Width(), 40);
  EXPECT_EQ(fixture.image->Picture()->Height(), 30);
  const Variant value = fixture.image->GetEditValue();
  ASSERT_TRUE(VarIsStr(value));
  TPicture again;
  lxLoadPictureFromValue(again, &TBitmap::kClass, value);
  EXPECT_EQ(again.Width(), 40);
  EXPECT_FALSE(fixture.image->Modified()) << "a stored value is no user change";

  // A 5-byte value and corrupt bytes give an empty picture, nothing else.
  fixture.image->SetEditValue(Variant(std::string("BM\x01\x02\x03", 5)));
  EXPECT_TRUE(fixture.image->GetEditValue().IsNull());
  fixture.image->SetEditValue(Variant(bytes.substr(0, bytes.size() / 2)));
  EXPECT_TRUE(fixture.image->GetEditValue().IsNull());
}

TEST(ImageControlTest, ASmallPictureIsCentredAndALargeOneShrunkInProportion) {
  ImageForm fixture;
  fixture.image->SetBounds(10, 10, 100 + fixture.image->Width() - fixture.Client().Width(),
                           100 + fixture.image->Height() - fixture.Client().Height());
  PumpMessagesUntilIdle();
  ASSERT_EQ(fixture.Client().Width(), 100);
  ASSERT_EQ(fixture.Client().Height(), 100);
  fixture.image->GetProperties()->SetShowFocusRect(false);
  fixture.image->SetEditValue(Variant(BitmapBytes(40, 30, clRed)));
  EXPECT_EQ(fixture.PixelAt(30, 35), kRed);
  EXPECT_EQ(fixture.PixelAt(69, 64), kRed);
  EXPECT_NE(fixture.PixelAt(29, 35), kRed);
  EXPECT_NE(fixture.PixelAt(70, 64), kRed);

  fixture.image->SetEditValue(Variant(BitmapBytes(400, 100, clRed)));
  // 100 x 25, moved down by 37.
  EXPECT_EQ(fixture.PixelAt(0, 37), kRed);
  EXPECT_EQ(fixture.PixelAt(99, 61), kRed);
  EXPECT_NE(fixture.PixelAt(50, 36), kRed);
  EXPECT_NE(fixture.PixelAt(50, 62), kRed);
}

TEST(ImageControlTest, TheMenuShowsAndEnablesItsItemsByLayoutAndState) {
  ImageForm fixture;
  TlxImage& image = *fixture.image;
  image.PreparePopupMenu();
  ASSERT_NE(image.ImagePopupMenu(), nullptr);
  ASSERT_EQ(image.ImagePopupMenu()->Items().Count(), 9);
  const char* captions[] = {"Cu&t", "&Copy", "&Paste", "&Delete", "-", "&Load...", "Save &As...", "-"};
  for (int32_t i = 0; i < 8; ++i)
    EXPECT_EQ(fixture.Item(i)->Caption(), captions[i]) << i;
  // Empty: nothing to cut, copy, delete or save.
  EXPECT_FALSE(fixture.Item(0)->Enabled());
  EXPECT_FALSE(fixture.Item(1)->Enabled());
  EXPECT_FALSE(fixture.Item(3)->Enabled());
  EXPECT_TRUE(fixture.Item(5)->Enabled());
  EXPECT_FALSE(fixture.Item(6)->Enabled());
  EXPECT_FALSE(fixture.Item(8)->Visible()) << "no custom item by default";

  image.SetEditValue(Variant(BitmapBytes(8, 8, clRed)));
  image.PreparePopupMenu();
  for (int32_t position : {0, 1, 3, 6})
    EXPECT_TRUE(fixture.Item(position)->Enabled()) << position;

  image.GetProperties()->SetGraphicClassName("TIcon");
  image.PreparePopupMenu();
  EXPECT_FALSE(fixture.Item(0)->Enabled()) << "icons are not cut";
  EXPECT_FALSE(fixture.Item(1)->Enabled());
  EXPECT_FALSE(fixture.Item(2)->Enabled());

  image.GetProperties()->PopupMenuLayout()->SetMenuItems(TlxPopupMenuItems{pmiCustom});
  image.GetProperties()->PopupMenuLayout()->SetCustomMenuItemCaption("Eigenes");
  image.PreparePopupMenu();
  for (int32_t i = 0; i < 8; ++i)
    EXPECT_FALSE(fixture.Item(i)->Visible()) << "the custom item alone, without separators: " << i;
  EXPECT_TRUE(fixture.Item(8)->Visible());
  EXPECT_EQ(fixture.Item(8)->Caption(), "Eigenes");
  int clicks = 0;
  image.GetProperties()->OnCustomClick = [&clicks](TObject*) { ++clicks; };
  image.ExecuteMenuAction(imaCustom);
  EXPECT_EQ(clicks, 1);
}

TEST(ImageControlTest, TheMenuKeyOpensTheMenuAtTenTen) {
  ImageForm fixture;
  bool menu_seen = false;
  test_support::RunWhileModal([&menu_seen] {
    if (test_support::FindThreadWindow(L"#32768") == nullptr)
      return false;
    menu_seen = true;
    test_support::InputKey(VK_ESCAPE);
    return true;
  });
  // The menu key arrives as a context menu request without a position.
  SendMessageW(fixture.image->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(fixture.image->Handle()),
               MAKELPARAM(-1, -1));
  PumpMessagesUntilIdle();
  EXPECT_TRUE(menu_seen);
  EXPECT_EQ(fixture.image->LastMenuPosition(), TPoint(10, 10));
}

TEST(ImageControlTest, CopyAndPasteGoThroughTheRealClipboardAsBitmapOrJpeg) {
  ImageForm fixture;
  TlxImage& image = *fixture.image;
  image.SetEditValue(Variant(BitmapBytes(20, 10, clRed)));
  image.SetFocus();
  PumpMessagesUntilIdle();
  test_support::InputKey(VK_INSERT, false, true);  // Ctrl+Insert copies
  PumpMessagesUntilIdle();
  ASSERT_TRUE(Clipboard()->HasFormat(CF_BITMAP));

  image.ExecuteMenuAction(imaDelete);
  EXPECT_TRUE(image.GetEditValue().IsNull());
  EXPECT_TRUE(image.Modified()) << "the menu is the user's";

  image.GetProperties()->SetGraphicClassName("tjpegimage");
  ASSERT_EQ(image.GetProperties()->GraphicClass(), &TJPEGImage::kClass);
  // Ctrl+Insert with Shift also held pastes.
  test_support::InputKey(VK_INSERT, true, true);
  PumpMessagesUntilIdle();
  const Variant value = image.GetEditValue();
  ASSERT_TRUE(VarIsStr(value));
  const std::string bytes = value.AsString();
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF) << "a pasted bitmap is stored as JPEG";
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);
  EXPECT_EQ(image.Picture()->Width(), 20);

  // Shift+Delete cuts.
  test_support::InputKey(VK_DELETE, true, false);
  PumpMessagesUntilIdle();
  EXPECT_TRUE(image.GetEditValue().IsNull());
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
}

TEST(ImageControlTest, ReadOnlyRefusesPasteAndDelete) {
  ImageForm fixture;
  TlxImage& image = *fixture.image;
  image.SetEditValue(Variant(BitmapBytes(6, 6, clRed)));
  image.GetProperties()->SetReadOnly(true);
  image.PreparePopupMenu();
  EXPECT_FALSE(fixture.Item(0)->Enabled());
  EXPECT_FALSE(fixture.Item(2)->Enabled());
  EXPECT_FALSE(fixture.Item(3)->Enabled());
  EXPECT_FALSE(fixture.Item(5)->Enabled());
  EXPECT_TRUE(fixture.Item(1)->Enabled());
  image.ExecuteMenuAction(imaDelete);
  EXPECT_EQ(image.Picture()->Width(), 6);
}

TEST(ImageControlTest, LoadsAndSavesThroughThePictureDialogs) {
  ImageForm fixture;
  TlxImage& image = *fixture.image;
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string source = std::string(folder) + "lx_image_load.bmp";
  const std::string target = std::string(folder) + "lx_image_save.bmp";
  std::remove(target.c_str());
  {
    std::ofstream file(source, std::ios::binary);
    const std::string bytes = BitmapBytes(12, 7, clRed);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  int closes = 0;
  int last_reason = -1;
  auto answer_with = [](std::string name) {
    test_support::RunWhileModal([name] {
      HWND dialog = test_support::FindThreadDialog();
      if (dialog == nullptr)
        return false;
      HWND box = GetDlgItem(dialog, 0x47C);
      HWND edit = box != nullptr ? FindWindowExW(box, nullptr, L"Edit", nullptr) : GetDlgItem(dialog, 0x480);
      SendMessageA(edit != nullptr ? edit : box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      return true;
    });
  };
  image.OnDialogClosed = [&closes, &last_reason](TObject*, int32_t reason) {
    ++closes;
    last_reason = reason;
  };
  answer_with(source);
  image.ExecuteMenuAction(imaLoad);
  EXPECT_FALSE(image.IsDialogOpen());
  EXPECT_EQ(image.Picture()->Width(), 12);
  EXPECT_EQ(image.Picture()->Height(), 7);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(last_reason, 4);

  answer_with(target);
  image.ExecuteMenuAction(imaSave);
  TPicture saved;
  saved.LoadFromFile(target);
  EXPECT_EQ(saved.Width(), 12);
  std::remove(source.c_str());
  std::remove(target.c_str());
}

}  // namespace image_control_win_test
