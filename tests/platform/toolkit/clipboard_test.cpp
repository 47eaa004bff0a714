#include "platform/toolkit/clipboard.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/picture.h"

namespace {

// Puts 8-bit text on the clipboard as another program would.
void PutRawAnsiText(const std::string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

std::string RawAnsiText() {
  std::string text;
  if (!OpenClipboard(nullptr))
    return "<not opened>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST(ClipboardTest, TextRoundTripsInBothForms) {
  TClipboard& clipboard = *Clipboard();
  clipboard.SetAsText("Größe 12 € 日本");
  EXPECT_EQ(clipboard.AsText(), "Größe 12 € 日本");
  EXPECT_EQ(clipboard.AsWideText(), u"Größe 12 € 日本");
  EXPECT_TRUE(clipboard.HasFormat(CF_UNICODETEXT));
  // 8-bit readers get the text from the system's conversion.
  EXPECT_TRUE(clipboard.HasFormat(CF_TEXT));
  clipboard.SetAsText("plain words");
  EXPECT_EQ(RawAnsiText(), "plain words");

  // Text another program put in 8 bits reads in both forms.
  PutRawAnsiText("from elsewhere");
  EXPECT_EQ(clipboard.AsText(), "from elsewhere");
  EXPECT_EQ(clipboard.AsWideText(), u"from elsewhere");

  clipboard.SetAsWideText(u"wide \u00e4");
  EXPECT_EQ(clipboard.AsText(), "wide ä");
}

TEST(ClipboardTest, ClearEmptiesAndTextStopsAtNull) {
  TClipboard& clipboard = *Clipboard();
  clipboard.SetAsText("something");
  clipboard.Clear();
  EXPECT_EQ(clipboard.FormatCount(), 0);
  EXPECT_FALSE(clipboard.HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(clipboard.AsText(), "");
  EXPECT_THROW(clipboard.Formats(0), EListError);

  clipboard.SetAsWideText(std::u16string(u"before\0after", 12));
  EXPECT_EQ(clipboard.AsText(), "before");
}

TEST(ClipboardTest, OneSessionOffersSeveralFormats) {
  TClipboard& clipboard = *Clipboard();
  TBitmap bitmap(4, 3, pf24bit);
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect(Rect(0, 0, 4, 3));

  clipboard.Open();
  clipboard.Open();
  EXPECT_EQ(clipboard.OpenCount(), 2);
  clipboard.SetAsText("caption");
  clipboard.Assign(&bitmap);
  clipboard.Close();
  EXPECT_EQ(clipboard.OpenCount(), 1);
  clipboard.Close();
  EXPECT_EQ(clipboard.OpenCount(), 0);
  clipboard.Close();  // one close too many is harmless
  EXPECT_EQ(clipboard.OpenCount(), 0);

  EXPECT_EQ(clipboard.AsText(), "caption");
  EXPECT_TRUE(clipboard.HasFormat(CF_PICTURE));
  bool listed_text = false;
  bool listed_dib = false;
  for (int32_t i = 0; i < clipboard.FormatCount(); ++i) {
    listed_text = listed_text || clipboard.Formats(i) == CF_UNICODETEXT;
    listed_dib = listed_dib || clipboard.Formats(i) == CF_DIB;
  }
  EXPECT_TRUE(listed_text);
  EXPECT_TRUE(listed_dib);

  // Outside a session every setting replaces what was there.
  clipboard.SetAsText("alone");
  EXPECT_FALSE(clipboard.HasFormat(CF_PICTURE));
}

TEST(ClipboardTest, BitmapsRoundTrip) {
  TClipboard& clipboard = *Clipboard();
  TBitmap source(7, 5, pf24bit);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 7; ++x)
      source.Canvas().SetPixel(x, y, RGBColor(static_cast<uint8_t>(x * 30), static_cast<uint8_t>(y * 50), 99));
  clipboard.Assign(&source);
  EXPECT_TRUE(clipboard.HasFormat(CF_PICTURE));
  EXPECT_TRUE(clipboard.HasFormat(CF_BITMAP));

  TBitmap copy;
  copy.Assign(Clipboard());
  ASSERT_EQ(copy.Width(), 7);
  ASSERT_EQ(copy.Height(), 5);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 7; ++x)
      EXPECT_EQ(copy.Canvas().Pixel(x, y), source.Canvas().Pixel(x, y)) << x << "," << y;
}

TEST(ClipboardTest, PicturesGoThroughTheirBitmaps) {
  TPicture picture;
  picture.Bitmap().SetSize(3, 3);
  picture.Bitmap().Canvas().Brush().SetColor(clLime);
  picture.Bitmap().Canvas().FillRect(Rect(0, 0, 3, 3));
  Clipboard()->Assign(&picture);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_PICTURE));
  TPicture copy;
  copy.Assign(Clipboard());
  ASSERT_NE(dynamic_cast<TBitmap*>(copy.Graphic()), nullptr);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Bitmap().Canvas().Pixel(1, 1), clLime);
  // A picture of another kind is refused.
  TPicture icon_picture;
  icon_picture.Icon().SetHandle(CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512))));
  EXPECT_THROW(Clipboard()->Assign(&icon_picture), EConvertError);
}

TEST(ClipboardTest, ReadsBitmapsThatOthersPutAsDeviceBitmaps) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP device_bitmap = CreateCompatibleBitmap(screen, 6, 2);
  HGDIOBJ old = SelectObject(memory, device_bitmap);
  RECT all{0, 0, 6, 2};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(memory, &all, blue);
  SelectObject(memory, old);
  DeleteObject(blue);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_NE(SetClipboardData(CF_BITMAP, device_bitmap), nullptr);
  CloseClipboard();

  EXPECT_TRUE(Clipboard()->HasFormat(CF_PICTURE));
  TBitmap copy;
  copy.Assign(Clipboard());
  ASSERT_EQ(copy.Width(), 6);
  ASSERT_EQ(copy.Height(), 2);
  EXPECT_EQ(ColorToRGB(copy.Canvas().Pixel(5, 1)), clBlue);
}

TEST(ClipboardTest, RefusalsAreReported) {
  TClipboard& clipboard = *Clipboard();
  clipboard.SetAsText("no picture here");
  TBitmap bitmap;
  EXPECT_THROW(bitmap.Assign(Clipboard()), EClipboardException);
  EXPECT_THROW(clipboard.Assign(nullptr), EConvertError);
  TBitmap empty;
  EXPECT_THROW(clipboard.Assign(&empty), EClipboardException);
  EXPECT_EQ(clipboard.AsText(), "no picture here");
}

TEST(ClipboardTest, AClipboardHeldElsewhereCannotBeOpened) {
  std::atomic<bool> holding{false};
  std::atomic<bool> release{false};
  std::thread holder([&] {
    if (OpenClipboard(nullptr)) {
      holding = true;
      while (!release)
        Sleep(5);
      CloseClipboard();
    }
  });
  for (int i = 0; i < 1000 && !holding; ++i)
    Sleep(5);
  if (!holding) {
    release = true;
    holder.join();
    FAIL() << "the helper thread could not open the clipboard";
  }
  EXPECT_THROW(Clipboard()->SetAsText("blocked"), EClipboardException);
  EXPECT_EQ(Clipboard()->OpenCount(), 0);
  release = true;
  holder.join();
  Clipboard()->SetAsText("free again");
  EXPECT_EQ(Clipboard()->AsText(), "free again");
}

TEST(ClipboardTest, ReplacingTheProcessClipboard) {
  TClipboard* own = new TClipboard;
  TClipboard* previous = SetClipboard(own);
  EXPECT_EQ(Clipboard(), own);
  own->SetAsText("through the replacement");
  delete SetClipboard(previous);
  EXPECT_EQ(Clipboard(), previous);
  EXPECT_EQ(Clipboard()->AsText(), "through the replacement");
}

}  // namespace
