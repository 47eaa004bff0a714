#include "editors/kinds/image_module_win.h"

#include <gtest/gtest.h>

#include "editors/edit_repository.h"
#include "editors/kinds/image_properties_win.h"
#include "editors/kinds/png_image_win.h"
#include "platform/toolkit/picture.h"

namespace {

TEST(ImageModuleTest, RegistersTheKindAndOffersThePngType) {
  lxImageInitialize();
  lxImageInitialize();  // counted
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxImageProperties"), &TlxImageProperties::kClass);
  EXPECT_EQ(lxImageFindGraphicClass("tlxpngimage"), &TlxPNGImage::kClass);
  lxImageFinalize();
  EXPECT_EQ(TPicture::GraphicClassOfExtension("png"), &TlxPNGImage::kClass);
  lxImageFinalize();
  EXPECT_EQ(TPicture::GraphicClassOfExtension("png"), nullptr);
  // The kind stays until the registry itself is freed.
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxImageProperties"), &TlxImageProperties::kClass);
  lxFreeRegisteredEditProperties();
}

}  // namespace
