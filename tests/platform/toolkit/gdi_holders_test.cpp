// The GDI holders and canvas scopes give their resource back on every path
// out of a scope, and hand an object on when told to.

#include "platform/toolkit/gdi_holders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "platform/toolkit/canvas_scopes.h"

namespace {

struct TFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Runs `body`, which must fail with TFailure.
template <class Body>
void ExpectFailure(Body body) {
  EXPECT_THROW(body(), TFailure);
}

bool IsLiveObject(HGDIOBJ object) { return GetObjectType(object) != 0; }

HBITMAP NewBitmap() {
  TWindowDC screen;
  return CreateCompatibleBitmap(screen.Handle(), 4, 4);
}

TEST(OwnedGdiObject, DeletesItsObjectOnEveryPathOut) {
  HBITMAP kept = nullptr;
  {
    TOwnedBitmap bitmap(NewBitmap());
    kept = bitmap.Get();
    ASSERT_TRUE(IsLiveObject(kept));
  }
  EXPECT_FALSE(IsLiveObject(kept));

  HRGN region = nullptr;
  ExpectFailure([&] {
    TOwnedRegion owned(CreateRectRgn(0, 0, 5, 5));
    region = owned.Get();
    throw TFailure("drawing failed");
  });
  EXPECT_FALSE(IsLiveObject(region));
}

TEST(OwnedGdiObject, ReleaseHandsTheObjectOn) {
  HBITMAP handed_on = nullptr;
  {
    TOwnedBitmap bitmap(NewBitmap());
    handed_on = bitmap.Release();
    EXPECT_FALSE(bitmap);
  }
  EXPECT_TRUE(IsLiveObject(handed_on));
  DeleteObject(handed_on);
}

TEST(OwnedGdiObject, MoveAndResetDeleteOnlyWhatIsNoLongerHeld) {
  TOwnedBitmap first(NewBitmap());
  const HBITMAP first_handle = first.Get();
  TOwnedBitmap second(NewBitmap());
  const HBITMAP second_handle = second.Get();

  second = std::move(first);
  EXPECT_FALSE(IsLiveObject(second_handle)) << "the object replaced by the move is deleted";
  EXPECT_EQ(second.Get(), first_handle);
  EXPECT_TRUE(IsLiveObject(first_handle));

  TOwnedBitmap moved(std::move(second));
  EXPECT_EQ(moved.Get(), first_handle);
  moved.Reset();
  EXPECT_FALSE(IsLiveObject(first_handle));
  EXPECT_FALSE(moved);
}

TEST(MemoryDC, IsAMemoryContextUntilTheScopeEnds) {
  HDC dc = nullptr;
  {
    TMemoryDC memory;
    dc = memory.Handle();
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
  }
  EXPECT_FALSE(IsLiveObject(dc));
}

TEST(SelectedObject, PutsThePreviousObjectBackSoThatTheOwnerCanDeleteIt) {
  TMemoryDC memory;
  const HGDIOBJ original = GetCurrentObject(memory.Handle(), OBJ_BITMAP);
  HBITMAP drawn_into = nullptr;
  ExpectFailure([&] {
    // Declared in this order, the bitmap leaves the context before it is
    // deleted: a selected bitmap cannot be deleted.
    TOwnedBitmap bitmap(NewBitmap());
    drawn_into = bitmap.Get();
    TSelectedObject selected(memory.Handle(), bitmap.Get());
    EXPECT_EQ(GetCurrentObject(memory.Handle(), OBJ_BITMAP), bitmap.Get());
    throw TFailure("drawing failed");
  });
  EXPECT_EQ(GetCurrentObject(memory.Handle(), OBJ_BITMAP), original);
  EXPECT_FALSE(IsLiveObject(drawn_into));
}

TEST(SavedDCState, RestoresOriginAndClippingAtTheEnd) {
  TMemoryDC memory;
  ExpectFailure([&] {
    TSavedDCState saved(memory.Handle());
    SetViewportOrgEx(memory.Handle(), 7, 9, nullptr);
    IntersectClipRect(memory.Handle(), 0, 0, 1, 1);
    throw TFailure("painting failed");
  });
  POINT origin{-1, -1};
  GetViewportOrgEx(memory.Handle(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(memory.Handle(), clip), 0) << "no clip region is left behind";
  DeleteObject(clip);
}

TEST(PaintDC, ValidatesTheWindowAtTheEnd) {
  // Only a visible window has a part to paint.
  HWND window = CreateWindowExW(WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  ValidateRect(window, nullptr);
  InvalidateRect(window, nullptr, FALSE);
  ASSERT_TRUE(GetUpdateRect(window, nullptr, FALSE));
  {
    TPaintDC paint(window);
    EXPECT_NE(paint.Handle(), nullptr);
    EXPECT_EQ(paint.PaintInfo().hdc, paint.Handle());
  }
  EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "EndPaint ran";
  DestroyWindow(window);
}

TEST(CanvasLock, HoldsTheLockForTheScope) {
  TCanvas canvas;
  ExpectFailure([&] {
    TCanvasLock outer(canvas);
    TCanvasLock inner(canvas);
    EXPECT_EQ(canvas.LockCount(), 2);
    throw TFailure("drawing failed");
  });
  EXPECT_EQ(canvas.LockCount(), 0);
}

TEST(CanvasHandleScope, LendsTheContextUnderTheLockAndForgetsIt) {
  TControlCanvas canvas;
  TMemoryDC memory;
  TOwnedBitmap bitmap(NewBitmap());
  TSelectedObject selected(memory.Handle(), bitmap.Get());
  {
    TCanvasHandleScope painting(canvas, memory.Handle());
    EXPECT_EQ(canvas.CurrentHandle(), memory.Handle());
    EXPECT_EQ(canvas.LockCount(), 1);
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(TRect(0, 0, 4, 4));
  }
  EXPECT_FALSE(canvas.HandleAllocated());
  EXPECT_EQ(canvas.LockCount(), 0);
  EXPECT_EQ(GetPixel(memory.Handle(), 1, 1), RGB(255, 0, 0)) << "the canvas drew on the lent context";

  ExpectFailure([&] {
    TCanvasHandleScope painting(canvas, memory.Handle());
    throw TFailure("Paint failed");
  });
  EXPECT_FALSE(canvas.HandleAllocated());
  EXPECT_EQ(canvas.LockCount(), 0);
  EXPECT_EQ(GetObjectType(memory.Handle()), static_cast<DWORD>(OBJ_MEMDC)) << "the lender still owns the context";
}

}  // namespace
