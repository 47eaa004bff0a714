#include "platform/toolkit/picture_dialog.h"

#include <gtest/gtest.h>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/jpeg_image.h"
#include "platform/toolkit/metafile.h"
#include "platform/toolkit/picture.h"

namespace {

TEST(PictureDialogTest, FiltersListTheFormatsOfAClassAndItsDescendants) {
  EXPECT_EQ(GraphicFileFilter(TBitmap::kClass), "All (*.bmp)|*.bmp|Bitmaps (*.bmp)|*.bmp");
  EXPECT_EQ(GraphicFileFilter(TJPEGImage::kClass),
            "All (*.jpg;*.jpeg)|*.jpg;*.jpeg|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg");
  EXPECT_EQ(GraphicFileFilter(TGraphic::kClass), TPicture::GraphicFilter());
  EXPECT_EQ(GraphicFileFilter(TPicture::kClass), "");
}

TEST(PictureDialogTest, DialogsStartWithEveryPictureFormat) {
  TOpenPictureDialog open(nullptr);
  TSavePictureDialog save(nullptr);
  EXPECT_EQ(open.Filter(), TPicture::GraphicFilter());
  EXPECT_EQ(save.Filter(), TPicture::GraphicFilter());
  EXPECT_NE(open.Filter().find("*.emf"), std::string::npos);
  EXPECT_NE(open.Filter().find("*.ico"), std::string::npos);
}

}  // namespace
