#pragma once
// The painters' prepared glyphs: the radio-button images rendered once per
// look-and-feel kind, state and flags, the system check-box glyph size, the
// grid indicator images and the two 8 x 8 page patterns of classic scroll
// bars. Made on first use, freed by lxFreePainterGlyphs.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/image_list.h"
#include "ui/foundation/look_and_feel/system_palette_win.h"
#include "ui/foundation/painters/painter_glyphs.h"

class TlxRadioButtonImageList : public TObject {
 public:
  static constexpr TClass kClass{"TlxRadioButtonImageList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Measures the system radio button and renders every glyph.
  TlxRadioButtonImageList();
  ~TlxRadioButtonImageList() override;

  int32_t GlyphIndex(TlxLookAndFeelKind kind, TlxButtonState state, bool designing, bool focused,
                     bool checked) const;
  // With clDefault the image goes straight onto the canvas through its mask;
  // otherwise it is first put on a bitmap filled with the background colour.
  void PaintGlyph(TCanvas& canvas, int32_t x, int32_t y, TlxLookAndFeelKind kind, TlxButtonState state,
                  bool checked, bool focused, bool designing, TColor background);
  TSize GetGlyphSize() const { return TSize(pattern_.Width(), pattern_.Height()); }
  // Renders every glyph again in the current system colours.
  void Rebuild();

  const TlxRadioPattern& Pattern() const { return pattern_; }
  TCustomImageList& Images() { return *images_; }

 private:
  void MeasureAndBuildPattern();
  void CreateButtonMask();
  void AddGlyph(TlxLookAndFeelKind kind, TlxButtonState state, bool checked, bool designing, bool focused,
                const TlxRadioGlyphColors& colors);

  TlxRadioPattern pattern_;
  std::unique_ptr<TImageList> images_;
  std::unique_ptr<TBitmap> button_mask_;
  std::vector<int32_t> index_map_;
};

// The shared radio glyphs, made and filled on first use.
TlxRadioButtonImageList& lxRadioButtonGlyphs();
bool lxRadioButtonGlyphsExist();

// The size of one check box of the system's check-box bitmap (a 4 x 3 grid).
TSize lxCheckButtonGlyphSize();

// The grid indicator images: arrow, edit, insert, multi-dot, multi-arrow,
// filter; indicator kind k (1 to 6) draws image k - 1.
constexpr int32_t lxIndicatorImageCount = 6;
TCustomImageList& lxIndicatorImages();

// The page patterns of classic scroll bars, normal and pressed; refilled in
// the current system colours (made first when missing).
void lxRefreshStdScrollBarBitmaps();
TBitmap& lxStdScrollBarBitmap(bool pressed);

// The painters' subscriber to system colour changes: renders the radio
// glyphs again when they exist.
class TSystemPaletteChangedNotifier : public TlxSystemPaletteChangedNotifier {
 public:
  static constexpr TClass kClass{"TSystemPaletteChangedNotifier", &TlxSystemPaletteChangedNotifier::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TSystemPaletteChangedNotifier() : TlxSystemPaletteChangedNotifier(true) {}
  void NotifyPaletteChanged() override;
};

// Makes, in this order, the extended painter list, the indicator images, the
// scroll-bar page patterns, the palette-change notifier and the check-box
// glyph size. Calling it again adds nothing.
void lxStartPainterGlyphs();

// Frees the notifier, the page patterns, the indicator images and the radio
// glyphs; later use makes them anew.
void lxFreePainterGlyphs();
