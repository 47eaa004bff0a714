#include "editors/kinds/image_properties_win.h"

#include <gtest/gtest.h>

#include "editors/kinds/image_view_win.h"
#include "editors/kinds/png_image_win.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/jpeg_image.h"
#include "platform/toolkit/metafile.h"

namespace {

TEST(ImagePropertiesTest, TheGraphicClassListHasThePngTypeOnlyWhereItIsRegistered) {
  lxFreeImageGraphicClasses();
  EXPECT_EQ(lxImageGraphicClasses(),
            (std::vector<const TClass*>{&TBitmap::kClass, &TIcon::kClass, &TMetafile::kClass, &TJPEGImage::kClass}));
  lxPngImageInitialize();
  lxFreeImageGraphicClasses();
  EXPECT_EQ(lxImageGraphicClasses(), (std::vector<const TClass*>{&TBitmap::kClass, &TIcon::kClass, &TMetafile::kClass,
                                                                 &TlxPNGImage::kClass, &TJPEGImage::kClass}));
  lxPngImageFinalize();
  lxFreeImageGraphicClasses();
}

TEST(ImagePropertiesTest, GraphicClassNamesSelectFromTheListIgnoringCase) {
  TlxImageProperties properties(nullptr);
  EXPECT_EQ(properties.GraphicClass(), &TBitmap::kClass);
  int changes = 0;
  properties.SetOwnerChangedHandler([&changes](TlxCustomEditProperties*) { ++changes; });
  struct Case {
    const char* name;
    const TClass* selected;
  };
  const Case cases[] = {
      {"tjpegimage", &TJPEGImage::kClass}, {"TForm", &TJPEGImage::kClass},   {"TIcon", &TIcon::kClass},
      {"TICON", &TIcon::kClass},           {"", nullptr},                    {"TMetafile", &TMetafile::kClass},
  };
  for (const Case& c : cases) {
    properties.SetGraphicClassName(c.name);
    EXPECT_EQ(properties.GraphicClass(), c.selected) << c.name;
  }
  EXPECT_EQ(changes, 4);  // the ignored name and the repeated class change nothing
  EXPECT_EQ(properties.GraphicClassName(), "TMetafile");
}

TEST(ImagePropertiesTest, TheGraphicClassForAValueFallsBackToBitmapsOnlyWhenPasting) {
  TlxImageProperties properties(nullptr);
  properties.SetGraphicClass(nullptr);
  EXPECT_EQ(properties.GetGraphicClass(nullptr, 0, false), nullptr);
  EXPECT_EQ(properties.GetGraphicClass(nullptr, 0, true), &TBitmap::kClass);
  int32_t asked_record = -1;
  properties.OnGetGraphicClass = [&](TObject*, int32_t record, bool pasting, const TClass*& graphic_class) {
    asked_record = record;
    if (pasting)
      graphic_class = &TJPEGImage::kClass;
  };
  EXPECT_EQ(properties.GetGraphicClass(nullptr, 7, true), &TJPEGImage::kClass);
  EXPECT_EQ(asked_record, 7);
  EXPECT_EQ(properties.GetGraphicClass(nullptr, 8, false), nullptr);
}

TEST(ImagePropertiesTest, ShowsTheCaptionForAnyValueButNull) {
  TlxImageProperties properties(nullptr);
  properties.SetCaption("Foto");
  std::string text = "x";
  properties.FormatDisplayText(Variant::Null(), text, true);
  EXPECT_EQ(text, "");
  properties.FormatDisplayText(Variant("bytes"), text, true);
  EXPECT_EQ(text, "Foto");
  properties.FormatDisplayText(Variant(), text, true);
  EXPECT_EQ(text, "Foto");
  EXPECT_TRUE(properties.HasDisplayValue());
  EXPECT_TRUE(properties.CanRestoreEditValue());
  EXPECT_EQ(properties.GetEditorKindFlags() & 1u, 1u);
  EXPECT_EQ(properties.GetEditCapabilities() & 6u, 6u);
  EXPECT_EQ(properties.GetViewInfoClass().Class, &TlxImageViewInfo::kClass);
}

TEST(ImagePropertiesTest, AssignCopiesEverySettingOnce) {
  TlxImageProperties source(nullptr);
  source.SetCaption("Bild");
  source.SetCenter(false);
  source.SetCustomFilter("Bilder|*.bmp");
  source.SetGraphicClass(&TJPEGImage::kClass);
  source.SetGraphicTransparency(gtTransparent);
  source.SetProportional(false);
  source.SetShowFocusRect(false);
  source.SetStretch(true);
  source.PopupMenuLayout()->SetMenuItems({pmiCustom});
  source.PopupMenuLayout()->SetCustomMenuItemCaption("Eigenes");
  source.OnCustomClick = [](TObject*) {};
  TlxImageProperties copy(nullptr);
  int changes = 0;
  copy.SetOwnerChangedHandler([&changes](TlxCustomEditProperties*) { ++changes; });
  copy.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(copy.Caption(), "Bild");
  EXPECT_FALSE(copy.Center());
  EXPECT_EQ(copy.CustomFilter(), "Bilder|*.bmp");
  EXPECT_EQ(copy.GraphicClass(), &TJPEGImage::kClass);
  EXPECT_EQ(copy.GraphicTransparency(), gtTransparent);
  EXPECT_FALSE(copy.Proportional());
  EXPECT_FALSE(copy.ShowFocusRect());
  EXPECT_TRUE(copy.Stretch());
  EXPECT_EQ(copy.PopupMenuLayout()->MenuItems(), TlxPopupMenuItems{pmiCustom});
  EXPECT_EQ(copy.PopupMenuLayout()->CustomMenuItemCaption(), "Eigenes");
  EXPECT_TRUE(static_cast<bool>(copy.OnCustomClick));
}

TEST(ImagePropertiesTest, TheMenuLayoutKeepsACopyOfTheGlyph) {
  TlxPopupMenuLayout layout(nullptr);
  EXPECT_EQ(layout.MenuItems().Bits(), 63u);
  TBitmap* created = layout.CustomMenuItemGlyph();
  ASSERT_NE(created, nullptr);
  EXPECT_TRUE(created->Empty());
  TBitmap glyph(16, 16, pf24bit);
  layout.SetCustomMenuItemGlyph(&glyph);
  EXPECT_NE(layout.CustomMenuItemGlyph(), &glyph);
  EXPECT_EQ(layout.CustomMenuItemGlyph()->Width(), 16);
  layout.SetCustomMenuItemGlyph(nullptr);
  EXPECT_TRUE(layout.CustomMenuItemGlyph()->Empty());
}

}  // namespace
