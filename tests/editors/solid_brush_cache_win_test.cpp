#include "editors/solid_brush_cache_win.h"

#include <gtest/gtest.h>

namespace {

bool IsLiveBrush(HBRUSH brush) { return GetObjectType(brush) == OBJ_BRUSH; }

DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

COLORREF BrushColor(HBRUSH brush) {
  LOGBRUSH info{};
  GetObjectW(brush, sizeof(info), &info);
  return info.lbColor;
}

TEST(SolidBrushCacheTest, SystemColoursAnswerTheSystemBrushesAndStayOutOfTheCache) {
  TlxSolidBrushCache cache;
  EXPECT_EQ(cache.GetBrush(clBtnFace), GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(cache.GetBrush(clWindow), GetSysColorBrush(COLOR_WINDOW));
  EXPECT_EQ(cache.Depth(), 0);
}

TEST(SolidBrushCacheTest, AFullCachePushesOutTheLeastUsedBrush) {
  const DWORD before = GdiObjects();
  {
    TlxSolidBrushCache cache(4);
    HBRUSH red = cache.GetBrush(0x0000FF);
    EXPECT_EQ(BrushColor(red), RGB(255, 0, 0));
    EXPECT_EQ(cache.GetBrush(0x0000FF), red);  // asked twice
    HBRUSH first_once = cache.GetBrush(0x00FF00);
    cache.GetBrush(0xFF0000);
    cache.GetBrush(0x123456);
    EXPECT_EQ(cache.Depth(), 4);

    HBRUSH fifth = cache.GetBrush(0x654321);
    EXPECT_EQ(cache.Depth(), 4);
    EXPECT_FALSE(IsLiveBrush(first_once));
    EXPECT_TRUE(IsLiveBrush(red));
    EXPECT_EQ(cache.GetBrush(0x0000FF), red);
    EXPECT_EQ(BrushColor(fifth), RGB(0x21, 0x43, 0x65));

    cache.HandleSystemPaletteChange();
    EXPECT_EQ(cache.Depth(), 0);
    EXPECT_FALSE(IsLiveBrush(red));
    HBRUSH again = cache.GetBrush(0x0000FF);
    EXPECT_TRUE(IsLiveBrush(again));
    EXPECT_EQ(cache.Depth(), 1);
  }
  EXPECT_EQ(GdiObjects(), before);
}

TEST(SolidBrushCacheTest, ABrushHandedOutDuringAPaintLivesUntilThePaintEnds) {
  const DWORD before = GdiObjects();
  TlxSolidBrushCache cache(2);
  cache.BeginPaint();
  HBRUSH held = cache.GetBrush(0x0000FF);
  cache.GetBrush(0x00FF00);
  cache.GetBrush(0xFF0000);  // pushes the held brush out of the cache
  cache.GetBrush(0x00FFFF);
  EXPECT_TRUE(IsLiveBrush(held));
  EXPECT_EQ(BrushColor(held), RGB(255, 0, 0));
  EXPECT_EQ(cache.RetiredCount(), 2);

  cache.BeginPaint();  // nested paints keep them too
  cache.EndPaint();
  EXPECT_TRUE(IsLiveBrush(held));
  cache.EndPaint();
  EXPECT_FALSE(IsLiveBrush(held));
  EXPECT_EQ(cache.RetiredCount(), 0);
  cache.EndPaint();  // a stray end does nothing
  cache.ReleaseAll();
  EXPECT_EQ(GdiObjects(), before);
}

TEST(SolidBrushCacheTest, TheSharedCacheKeepsItsBrushesForAPaintScope) {
  HBRUSH held = nullptr;
  {
    TlxBrushPaintScope paint;
    held = lxGetSolidBrush(0x010203);
    for (TColor colour = 0x100000; colour < 0x100000 + 200; ++colour)
      lxGetSolidBrush(colour);
    EXPECT_TRUE(IsLiveBrush(held));
    EXPECT_EQ(lxSolidBrushCache().Depth(), lxSolidBrushCache().MaxDepth());
  }
  EXPECT_FALSE(IsLiveBrush(held));
  lxFreeSolidBrushCache();
}

}  // namespace
