// The image that follows the mouse while a control is dragged: where it is
// drawn (hot spot, over which controls), hiding it while a target paints,
// and that it and its handles are gone when the drag ends in any way.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/drag.h"
#include "platform/toolkit/drag_image_list.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/win_control.h"
#include "tests/platform/toolkit/form_fixture.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"

namespace {

constexpr int kImageSize = 16;
// Not the middle of the image, so that swapped or ignored coordinates show.
const TPoint kHotSpot(4, 6);

// A control that is dragged with a red square whose lower right quarter is
// see-through.
class ImageSource : public TCustomControl {
 public:
  explicit ImageSource(TComponent* owner) : TCustomControl(owner), images_(new TDragImageList(this)) {
    images_->SetSize(kImageSize, kImageSize);
    TBitmap image(kImageSize, kImageSize, pf24bit);
    image.Canvas().Brush().SetColor(clRed);
    image.Canvas().FillRect(Rect(0, 0, kImageSize, kImageSize));
    image.Canvas().Brush().SetColor(clFuchsia);
    image.Canvas().FillRect(Rect(kImageSize / 2, kImageSize / 2, kImageSize, kImageSize));
    images_->AddMasked(image, clFuchsia);
    images_->SetDragImage(0, kHotSpot.X, kHotSpot.Y);
  }
  TDragImageList* GetDragImages() override { return images_; }
  TDragImageList& Images() { return *images_; }

 private:
  TDragImageList* images_;  // owned as a component
};

class Target : public TCustomControl {
 public:
  Target(TComponent* owner, bool displays_drag_images) : TCustomControl(owner) {
    ControlStyle().Set(csDisplayDragImage, displays_drag_images);
    SetColor(clWhite);
    OnDragOver = [](TObject*, TObject*, int32_t, int32_t, TDragState, bool& accept) { accept = true; };
  }
};

// A white form with the source at the left, a target that displays drag
// images in the middle and one that does not at the right.
struct DragScene {
  form_fixture::FormPtr<TForm> form = form_fixture::MakeForm(300, 200);
  ImageSource* source = nullptr;
  Target* showing = nullptr;
  Target* plain = nullptr;

  DragScene() {
    form->SetColor(clWhite);
    source = new ImageSource(form.get());
    source->SetBounds(10, 10, 50, 50);
    source->SetParent(form.get());
    showing = new Target(form.get(), true);
    showing->SetBounds(80, 10, 150, 180);
    showing->SetParent(form.get());
    plain = new Target(form.get(), false);
    plain->SetBounds(240, 10, 50, 180);
    plain->SetParent(form.get());
    form_fixture::ShowAndSettle(*form);
  }

  TPoint FormToScreen(TPoint client) { return form->ClientToScreen(client); }
  test_support::WindowPixels Pixels() { return test_support::WindowPixels::Capture(form->Handle()); }
};

bool IsImageRed(COLORREF color) {
  // The system may blend the image with what lies under it a little.
  return GetRValue(color) >= 0xC0 && GetGValue(color) <= 0x80 && GetBValue(color) <= 0x80;
}

// Whether the image's opaque part, and not its see-through part, is drawn
// with the hot spot at `mouse` (form client coordinates) over `background`.
bool ImageDrawnAt(const test_support::WindowPixels& pixels, TPoint mouse, TColor background = clWhite) {
  const TPoint corner = mouse - kHotSpot;
  const COLORREF under = ColorToColorRef(background);
  return IsImageRed(pixels.At(corner.X + 1, corner.Y + 1)) &&
         IsImageRed(pixels.At(corner.X + kImageSize - 2, corner.Y + 1)) &&
         IsImageRed(pixels.At(corner.X + 1, corner.Y + kImageSize - 2)) &&
         pixels.At(corner.X + kImageSize - 3, corner.Y + kImageSize - 3) == under &&
         pixels.At(corner.X - 2, corner.Y + 2) == under && pixels.At(corner.X + 2, corner.Y - 2) == under;
}

// Nothing but `color` where the image with its hot spot at `mouse` would
// be, and a little around it.
bool NoImageAround(const test_support::WindowPixels& pixels, TPoint mouse, TColor color = clWhite) {
  const TPoint corner = mouse - kHotSpot;
  const COLORREF wanted = ColorToColorRef(color);
  for (int y = corner.Y - 2; y < corner.Y + kImageSize + 2; ++y)
    for (int x = corner.X - 2; x < corner.X + kImageSize + 2; ++x)
      if (pixels.At(x, y) != wanted)
        return false;
  return true;
}

bool SystemDragRunning() { return ImageList_GetDragImage(nullptr, nullptr) != nullptr; }

TEST(DragImageTest, ListRefusesDragsWithoutAnImage) {
  auto form = form_fixture::MakeForm();
  form_fixture::ShowAndSettle(*form);
  TDragImageList images(nullptr);
  TBitmap empty;
  EXPECT_EQ(images.AddMasked(empty, clFuchsia), -1);
  EXPECT_FALSE(images.BeginDrag(form->Handle(), 10, 10));  // no images at all
  TBitmap image(kImageSize, kImageSize, pf24bit);
  ASSERT_EQ(images.AddMasked(image, clFuchsia), 0);
  for (const int32_t index : {-1, 1}) {
    images.SetDragImage(index, 0, 0);
    EXPECT_FALSE(images.BeginDrag(form->Handle(), 10, 10)) << index;
  }
  EXPECT_FALSE(images.Dragging());
  EXPECT_FALSE(images.EndDrag());
  EXPECT_FALSE(images.DragMove(5, 5));
  EXPECT_FALSE(SystemDragRunning());

  // A drag may begin off screen and be shown over a window later.
  images.SetDragImage(0, 0, 0);
  ASSERT_TRUE(images.BeginDrag(nullptr, 0, 0));
  EXPECT_FALSE(images.DragImageVisible());
  EXPECT_FALSE(images.DragMove(5, 5));
  // A second drag of the same list does not start over the running one.
  EXPECT_FALSE(images.BeginDrag(form->Handle(), 10, 10));
  EXPECT_TRUE(images.DragLock(form->Handle(), 10, 10));
  EXPECT_TRUE(images.DragImageVisible());
  // Resizing empties the list; the running drag keeps its own copy.
  images.SetSize(8, 8);
  EXPECT_EQ(images.Count(), 0);
  EXPECT_TRUE(images.DragMove(20, 20));
  EXPECT_TRUE(images.EndDrag());
  EXPECT_FALSE(SystemDragRunning());
}

TEST(DragImageTest, ImageFollowsTheMouseAtItsHotSpot) {
  DragScene scene;
  const TPoint first(120, 60);
  const TPoint second(170, 130);
  scene.source->BeginDrag(true);
  DragTo(scene.FormToScreen(first));
  EXPECT_TRUE(scene.source->Images().Dragging());
  EXPECT_TRUE(scene.source->Images().DragImageVisible());
  EXPECT_EQ(scene.source->Images().LockWindow(), scene.form->Handle());
  EXPECT_TRUE(ImageDrawnAt(scene.Pixels(), first));

  DragTo(scene.FormToScreen(second));
  const auto moved = scene.Pixels();
  EXPECT_TRUE(ImageDrawnAt(moved, second));
  // What the image covered at the first place is back.
  EXPECT_TRUE(NoImageAround(moved, first));

  FinishDrag(true);
  EXPECT_FALSE(scene.source->Images().Dragging());
  EXPECT_FALSE(SystemDragRunning());
  EXPECT_TRUE(NoImageAround(scene.Pixels(), second));
}

TEST(DragImageTest, ImageShowsOnlyOverControlsThatDisplayIt) {
  DragScene scene;
  TDragImageList& images = scene.source->Images();
  const TPoint over_plain(265, 100);
  const TPoint over_form(70, 150);  // the bare form between the controls
  const TPoint over_showing(150, 100);
  scene.source->BeginDrag(true);

  DragTo(scene.FormToScreen(over_plain));
  EXPECT_FALSE(images.DragImageVisible());
  EXPECT_TRUE(NoImageAround(scene.Pixels(), over_plain));

  DragTo(scene.FormToScreen(over_showing));
  EXPECT_TRUE(images.DragImageVisible());
  EXPECT_TRUE(ImageDrawnAt(scene.Pixels(), over_showing));

  DragTo(scene.FormToScreen(over_form));
  EXPECT_FALSE(images.DragImageVisible());
  const auto off = scene.Pixels();
  EXPECT_TRUE(NoImageAround(off, over_form));
  EXPECT_TRUE(NoImageAround(off, over_showing));
  // The drag itself goes on while the image is away.
  EXPECT_TRUE(scene.source->Dragging());
  EXPECT_TRUE(images.Dragging());

  DragTo(scene.FormToScreen(over_showing + TPoint(5, 5)));
  EXPECT_TRUE(ImageDrawnAt(scene.Pixels(), over_showing + TPoint(5, 5)));
  CancelDrag();
  EXPECT_FALSE(SystemDragRunning());
}

TEST(DragImageTest, DragOverHandlerHidesTheImageWhileItPaints) {
  DragScene scene;
  const TPoint first(120, 60);
  const TPoint second(160, 90);
  bool hiding_took_it_off = false;
  bool highlighted = false;
  // The target highlights itself when the drag first moves over it: it
  // paints under the image, so it hides the image around the paint.
  scene.showing->OnDragOver = [&](TObject*, TObject* source, int32_t, int32_t, TDragState state, bool& accept) {
    accept = true;
    if (state != dsDragMove || highlighted)
      return;
    auto* object = dynamic_cast<TDragObject*>(source);
    ASSERT_NE(object, nullptr);
    object->HideDragImage();
    // Still where the previous move left it, until hidden.
    hiding_took_it_off = NoImageAround(scene.Pixels(), first);
    scene.showing->SetColor(clYellow);
    scene.showing->Repaint();
    object->ShowDragImage();
    highlighted = true;
  };
  scene.source->BeginDrag(true);
  DragTo(scene.FormToScreen(first));
  ASSERT_TRUE(ImageDrawnAt(scene.Pixels(), first));
  DragTo(scene.FormToScreen(second));
  ASSERT_TRUE(highlighted);
  EXPECT_TRUE(hiding_took_it_off);
  // Shown again at the new place; the old place shows the new colour, not
  // what was under the image before the paint.
  const auto after = scene.Pixels();
  EXPECT_TRUE(ImageDrawnAt(after, second, clYellow));
  EXPECT_TRUE(NoImageAround(after, first, clYellow));
  FinishDrag(false);
  EXPECT_TRUE(NoImageAround(scene.Pixels(), second, clYellow));
}

// Real mouse input, through SendInput at a screen point.
void InputMouse(TPoint screen, DWORD buttons = 0) {
  test_support::InputMouseAt(POINT{screen.X, screen.Y}, buttons);
  form_fixture::Pump(200);
}

// Puts the mouse back where it was: later tests place their forms where
// the mouse would otherwise be left.
class MouseRestorer {
 public:
  MouseRestorer() { GetCursorPos(&saved_); }
  ~MouseRestorer() { InputMouse(TPoint(saved_.x, saved_.y)); }
  MouseRestorer(const MouseRestorer&) = delete;
  MouseRestorer& operator=(const MouseRestorer&) = delete;

 private:
  POINT saved_{};
};

TEST(DragImageTest, AutomaticDragWithTheMouseShowsTheImageAndDrops) {
  const MouseRestorer restorer;
  DragScene scene;
  scene.source->SetDragMode(dmAutomatic);
  std::string dropped;
  scene.showing->OnDragDrop = [&](TObject*, TObject*, int32_t x, int32_t y) {
    dropped = std::to_string(x) + "," + std::to_string(y);
  };
  InputMouse(scene.FormToScreen(TPoint(30, 30)));
  InputMouse(scene.FormToScreen(TPoint(30, 30)), MOUSEEVENTF_LEFTDOWN);
  InputMouse(scene.FormToScreen(TPoint(60, 40)));
  const TPoint over(140, 80);
  InputMouse(scene.FormToScreen(over));
  ASSERT_TRUE(form_fixture::PumpUntil([&] { return scene.source->Images().DragImageVisible(); }, 2000));
  EXPECT_TRUE(ImageDrawnAt(scene.Pixels(), over));

  InputMouse(scene.FormToScreen(over), MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(form_fixture::PumpUntil([&] { return !scene.source->Dragging(); }, 2000));
  EXPECT_EQ(dropped, std::to_string(over.X - scene.showing->Left()) + "," +
                         std::to_string(over.Y - scene.showing->Top()));
  EXPECT_FALSE(SystemDragRunning());
  EXPECT_TRUE(NoImageAround(scene.Pixels(), over));
}

TEST(DragImageTest, EveryWayOfEndingRemovesTheImageAndItsHandles) {
  DragScene scene;
  const TPoint over(150, 100);
  struct Ending {
    const char* name;
    std::function<void(DragScene&)> end;
  };
  const Ending endings[] = {
      {"dropped", [](DragScene&) { FinishDrag(true); }},
      {"released elsewhere", [](DragScene&) { FinishDrag(false); }},
      {"escape key",
       [](DragScene&) {
         test_support::InputKey(VK_ESCAPE);
         form_fixture::PumpUntil([] { return DragSourceControl() == nullptr; }, 2000);
       }},
      {"capture taken away", [](DragScene&) { SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0); }},
      {"source freed",
       [](DragScene& dragged) {
         delete dragged.source;
         dragged.source = nullptr;
       }},
  };
  // Once before counting: the system keeps some drag state after the first.
  scene.source->BeginDrag(true);
  DragTo(scene.FormToScreen(over));
  FinishDrag(true);

  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.name);
    form_fixture::Pump(100);
    const DWORD before = test_support::CountGdiObjects();
    scene.source->BeginDrag(true);
    DragTo(scene.FormToScreen(over));
    ASSERT_TRUE(ImageDrawnAt(scene.Pixels(), over));
    ending.end(scene);
    EXPECT_EQ(DragSourceControl(), nullptr);
    EXPECT_FALSE(SystemDragRunning());
    EXPECT_TRUE(NoImageAround(scene.Pixels(), over));
    form_fixture::Pump(100);
    if (scene.source != nullptr)
      EXPECT_EQ(test_support::CountGdiObjects(), before);
    else
      EXPECT_LE(test_support::CountGdiObjects(), before);  // the freed source's own handles went too
  }
}

}  // namespace
