#include "editors/kinds/gdi_plus_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Points the binding at another library for one test and back at the
// system's afterwards, leaving GDI+ bound as the other tests expect it.
class LibraryNameScope {
 public:
  explicit LibraryNameScope(const std::string& name) {
    lxUnloadGdiPlus();
    previous_ = lxSetGdiPlusLibraryName(name);
  }
  ~LibraryNameScope() {
    lxUnloadGdiPlus();
    lxSetGdiPlusLibraryName(previous_);
    lxCheckGdiPlus();
  }

 private:
  std::string previous_;
};

TEST(GdiPlusBindingTest, BindsEveryEntryPointOfTheSystemLibrary) {
  ASSERT_TRUE(lxCheckGdiPlus());
  EXPECT_NE(lxGdiPlusLibrary(), nullptr);
  for (size_t index = 0; index < lxGdiPlusEntryPointCount; ++index)
    EXPECT_NE(lxGdiPlusEntryPoint(index), nullptr) << lxGdiPlusEntryPointNames[index];
  EXPECT_NE(lxGdiPlus().GdipDrawImageRectRect, nullptr);
  EXPECT_TRUE(lxCheckGdiPlus());
}

TEST(GdiPlusBindingTest, UnloadShutsDownAndTheNextCheckBindsAgain) {
  ASSERT_TRUE(lxCheckGdiPlus());
  lxUnloadGdiPlus();
  EXPECT_EQ(lxGdiPlusLibrary(), nullptr);
  EXPECT_EQ(lxGdiPlusEntryPoint(0), nullptr);
  EXPECT_EQ(lxGdiPlus().GdipAlloc, nullptr);
  EXPECT_TRUE(lxCheckGdiPlus());
  EXPECT_NE(lxGdiPlus().GdipAlloc, nullptr);
}

TEST(GdiPlusBindingTest, FindsEncodersWhateverTheCaseOfTheMimeType) {
  CLSID lower{};
  ASSERT_EQ(lxGetImageEncoderClsid("image/png", lower), 0);
  EXPECT_NE(lower.Data1, 0u);
  for (const char* mime : {"IMAGE/PNG", "Image/Png"}) {
    CLSID found{};
    EXPECT_EQ(lxGetImageEncoderClsid(mime, found), 0) << mime;
    EXPECT_TRUE(IsEqualCLSID(found, lower)) << mime;
  }
  CLSID bitmap{};
  EXPECT_EQ(lxGetImageEncoderClsid("image/bmp", bitmap), 0);
  EXPECT_FALSE(IsEqualCLSID(bitmap, lower));
}

TEST(GdiPlusBindingTest, AnUnknownMimeTypeLeavesTheIdentifierUntouched) {
  CLSID untouched;
  std::memset(&untouched, 0x5A, sizeof(untouched));
  const CLSID before = untouched;
  EXPECT_EQ(lxGetImageEncoderClsid("image/x-no-such-format", untouched), 1);
  EXPECT_EQ(lxGetImageEncoderClsid("", untouched), 1);
  EXPECT_TRUE(IsEqualCLSID(untouched, before));
}

TEST(GdiPlusBindingTest, ThePngEncoderIsLookedUpOnceAndKept) {
  lxCheckPngEncoder();
  ASSERT_TRUE(lxPngEncoderKnown());
  CLSID png{};
  ASSERT_EQ(lxGetImageEncoderClsid("image/png", png), 0);
  EXPECT_TRUE(IsEqualCLSID(lxPngEncoderClsid(), png));
  const CLSID* kept = &lxPngEncoderClsid();
  lxCheckPngEncoder();
  EXPECT_EQ(&lxPngEncoderClsid(), kept);
  EXPECT_TRUE(IsEqualCLSID(lxPngEncoderClsid(), png));
}

TEST(GdiPlusBindingTest, WithoutTheLibraryEveryCheckFailsQuietlyAndTriesAgain) {
  LibraryNameScope missing("lx_no_such_gdiplus.dll");
  EXPECT_FALSE(lxCheckGdiPlus());
  EXPECT_FALSE(lxCheckGdiPlus());
  EXPECT_EQ(lxGdiPlusLibrary(), nullptr);
  CLSID untouched{};
  EXPECT_EQ(lxGetImageEncoderClsid("image/png", untouched), 1);
  lxCheckPngEncoder();
  EXPECT_FALSE(lxPngEncoderKnown());
}

TEST(GdiPlusBindingTest, ALibraryWithoutTheEntryPointsIsReleasedAndLeavesEveryPointerEmpty) {
  // A system library that this program does not load otherwise.
  constexpr char kOther[] = "cabinet.dll";
  ASSERT_EQ(GetModuleHandleA(kOther), nullptr);
  LibraryNameScope other(kOther);
  for (int attempt = 0; attempt < 3; ++attempt) {
    EXPECT_FALSE(lxCheckGdiPlus());
    EXPECT_EQ(GetModuleHandleA(kOther), nullptr) << "attempt " << attempt;
  }
  for (size_t index = 0; index < lxGdiPlusEntryPointCount; ++index)
    EXPECT_EQ(lxGdiPlusEntryPoint(index), nullptr) << lxGdiPlusEntryPointNames[index];
  EXPECT_EQ(lxGdiPlus().GdipFree, nullptr);
}

TEST(GdiPlusBindingTest, AnExecutableIsNoLoadableLibrary) { EXPECT_FALSE(lxIsLibraryModule()); }

TEST(GdiPlusBindingTest, TheModuleEndUnloadsThroughTheUnitsLoader) {
  lxGdiPlusInitialize();
  ASSERT_TRUE(lxCheckGdiPlus());
  EXPECT_EQ(lxUnitsLoader().EndList().size(), 1u);
  lxGdiPlusFinalize();
  EXPECT_EQ(lxGdiPlusLibrary(), nullptr);
  EXPECT_EQ(lxGdiPlus().GdipAlloc, nullptr);
  EXPECT_TRUE(lxCheckGdiPlus());
}

}  // namespace
