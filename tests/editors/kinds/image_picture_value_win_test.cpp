#include "editors/kinds/image_picture_value_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editors/kinds/png_image_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/jpeg_image.h"
#include "platform/toolkit/metafile.h"
#include "platform/toolkit/picture.h"

namespace {

std::string GraphicBytes(TGraphic& graphic) {
  TMemoryStream stream;
  graphic.SaveToStream(stream);
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

std::unique_ptr<TBitmap> Square(int32_t size, TColor color) {
  auto bitmap = std::make_unique<TBitmap>(size, size, pf24bit);
  bitmap->Canvas().Brush().SetColor(color);
  bitmap->Canvas().FillRect(TRect(0, 0, size, size));
  return bitmap;
}

// File bytes of one small picture in every format the editor reads.
struct PictureBytes {
  PictureBytes() {
    const std::unique_ptr<TBitmap> square = Square(6, clRed);
    bitmap = GraphicBytes(*square);
    TJPEGImage jpeg_image;
    jpeg_image.Assign(square.get());
    jpeg = jpeg_image.Data();
    TlxPNGImage png_image;
    png_image.Assign(square.get());
    png = GraphicBytes(png_image);
    TIcon icon_image;
    ICONINFO info{TRUE, 0, 0, square->MaskHandle(), square->Handle()};
    icon_image.SetHandle(CreateIconIndirect(&info));
    icon = GraphicBytes(icon_image);
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    Rectangle(dc, 0, 0, 10, 10);
    TMetafile metafile;
    metafile.SetHandle(CloseEnhMetaFile(dc));
    emf = GraphicBytes(metafile);
  }
  std::string bitmap, jpeg, png, icon, emf;
};

std::string WithHeader(const std::string& bytes, uint32_t size) {
  std::string header = {1, 0, 0, 1};
  for (int shift = 0; shift < 32; shift += 8)
    header += static_cast<char>((size >> shift) & 0xFF);
  return header + bytes;
}

class PictureValueTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    lxPngImageInitialize();
    bytes_ = new PictureBytes;
  }
  static void TearDownTestSuite() {
    delete bytes_;
    lxPngImageFinalize();
  }
  // A picture that holds something, so that emptying it shows.
  static std::unique_ptr<TPicture> FullPicture() {
    auto picture = std::make_unique<TPicture>();
    picture->Bitmap().SetSize(3, 3);
    return picture;
  }
  static PictureBytes* bytes_;
};

PictureBytes* PictureValueTest::bytes_ = nullptr;

TEST_F(PictureValueTest, DecodesBehindAConsistentGraphicHeaderOnly) {
  const std::string& bitmap = bytes_->bitmap;
  auto picture = FullPicture();
  lxLoadPictureFromValue(*picture, &TBitmap::kClass,
                         Variant(WithHeader(bitmap, static_cast<uint32_t>(bitmap.size()))));
  EXPECT_EQ(picture->Width(), 6);
  lxLoadPictureFromValue(*picture, &TBitmap::kClass,
                         Variant(WithHeader(bitmap, static_cast<uint32_t>(bitmap.size()) + 1)));
  EXPECT_EQ(picture->Graphic(), nullptr);  // read from byte 0: not a bitmap
}

TEST_F(PictureValueTest, NonPictureValuesEmptyThePicture) {
  Variant bad_array = VarArrayCreate(0, 1, varVariant);
  VarArrayPut(bad_array, Variant(300), 0);
  VarArrayPut(bad_array, Variant(1), 1);
  const Variant values[] = {Variant::Null(), Variant(), Variant(42), Variant(""), Variant("ABCDE"), bad_array};
  for (size_t index = 0; index < std::size(values); ++index) {
    auto picture = FullPicture();
    lxLoadPictureFromValue(*picture, &TBitmap::kClass, values[index]);
    EXPECT_EQ(picture->Graphic(), nullptr) << "value " << index;
  }
}

TEST_F(PictureValueTest, ReadsAByteArrayValue) {
  const std::string& bitmap = bytes_->bitmap;
  Variant array = VarArrayCreate(0, static_cast<int32_t>(bitmap.size()) - 1, varByte);
  for (size_t index = 0; index < bitmap.size(); ++index)
    VarArrayPut(array, Variant::FromByte(static_cast<uint8_t>(bitmap[index])), static_cast<int32_t>(index));
  TPicture picture;
  lxLoadPictureFromValue(picture, &TBitmap::kClass, array);
  EXPECT_EQ(picture.Width(), 6);
}

TEST_F(PictureValueTest, EachFormatLoadsWithItsClassAndSavesItsBytesBack) {
  const std::string* png = &bytes_->png;
  struct Case {
    const char* name;
    const TClass* graphic_class;
    const std::string* bytes;
  };
  const Case cases[] = {
      {"bitmap", &TBitmap::kClass, &bytes_->bitmap}, {"JPEG", &TJPEGImage::kClass, &bytes_->jpeg},
      {"PNG", &TlxPNGImage::kClass, png},            {"icon", &TIcon::kClass, &bytes_->icon},
      {"metafile", &TMetafile::kClass, &bytes_->emf}, {"no class", nullptr, &bytes_->bitmap},
  };
  for (const Case& c : cases) {
    TPicture picture;
    lxLoadPictureFromValue(picture, c.graphic_class, Variant(*c.bytes));
    ASSERT_NE(picture.Graphic(), nullptr) << c.name;
    EXPECT_EQ(picture.Graphic()->ClassType(), c.graphic_class != nullptr ? c.graphic_class : &TBitmap::kClass)
        << c.name;
    std::string saved;
    lxSavePictureToString(&picture, saved);
    EXPECT_EQ(saved, *c.bytes) << c.name;
  }
  std::string nothing = "x";
  lxSavePictureToString(nullptr, nothing);
  EXPECT_EQ(nothing, "");
  TPicture empty;
  lxSavePictureToString(&empty, nothing);
  EXPECT_EQ(nothing, "");
}

TEST_F(PictureValueTest, BytesTheClassRejectsAreDecodedBySignature) {
  struct Case {
    const char* name;
    const TClass* graphic_class;
    const std::string* bytes;
    const TClass* shown;
  };
  const Case cases[] = {
      {"PNG under the default bitmap class", &TBitmap::kClass, &bytes_->png, &TlxPNGImage::kClass},
      {"JPEG under the default bitmap class", &TBitmap::kClass, &bytes_->jpeg, &TJPEGImage::kClass},
      {"JPEG without a class", nullptr, &bytes_->jpeg, &TJPEGImage::kClass},
      {"bitmap under the JPEG class", &TJPEGImage::kClass, &bytes_->bitmap, &TBitmap::kClass},
      {"metafile under the icon class", &TIcon::kClass, &bytes_->emf, &TMetafile::kClass},
  };
  for (const Case& c : cases) {
    TPicture picture;
    const Variant value(WithHeader(*c.bytes, static_cast<uint32_t>(c.bytes->size())));
    lxLoadPictureFromValue(picture, c.graphic_class, value);
    ASSERT_NE(picture.Graphic(), nullptr) << c.name;
    EXPECT_EQ(picture.Graphic()->ClassType(), c.shown) << c.name;
    EXPECT_FALSE(picture.Graphic()->Empty()) << c.name;
  }
}

TEST_F(PictureValueTest, CorruptAndTruncatedImagesGiveAnEmptyPicture) {
  const std::string* all[] = {&bytes_->bitmap, &bytes_->jpeg, &bytes_->png, &bytes_->icon, &bytes_->emf};
  const TClass* classes[] = {&TBitmap::kClass, &TJPEGImage::kClass, &TlxPNGImage::kClass, &TIcon::kClass,
                             &TMetafile::kClass, nullptr};
  for (size_t format = 0; format < std::size(all); ++format) {
    const std::string* good = all[format];
    std::string scrambled = *good;
    for (size_t index = 6; index < scrambled.size(); index += 3)
      scrambled[index] = static_cast<char>(scrambled[index] ^ 0xA5);
    const std::string broken[] = {good->substr(0, good->size() / 2), good->substr(0, 10), scrambled};
    for (const TClass* graphic_class : classes)
      for (size_t variant = 0; variant < std::size(broken); ++variant) {
        auto picture = FullPicture();
        lxLoadPictureFromValue(*picture, graphic_class, Variant(broken[variant]));
        const bool empty = picture->Graphic() == nullptr || picture->Graphic()->Empty();
        EXPECT_TRUE(empty) << "format " << format << " variant " << variant << " class "
                           << (graphic_class != nullptr ? graphic_class->ClassName() : std::string_view("none"));
      }
  }
}

}  // namespace
