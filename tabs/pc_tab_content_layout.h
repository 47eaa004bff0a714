#pragma once
// Where a tab's image and caption go inside the tab: across the row they are
// centred in bands given by the painter's margins, along the row the image
// and the caption (shortened with an ellipsis when needed) are placed as one
// block. Portable: text is measured through the small interface below.

#include <cstdint>
#include <string>

#include "platform/rtl/geometry.h"
#include "tabs/tab_types.h"

struct TlxPCCaptionFit {
  int32_t Width = 0;
  std::string Text;  // the caption as shortened
};

class IlxPCCaptionMeasurer {
 public:
  virtual ~IlxPCCaptionMeasurer() = default;
  // The caption's width in one line ("&" marks an accelerator).
  virtual int32_t TextWidth(const std::string& caption) = 0;
  // The caption drawn in one line into `max_width`, shortened with "...".
  virtual TlxPCCaptionFit FitCaption(const std::string& caption, int32_t max_width) = 0;
  // The height of "Zg" in the tab's font.
  virtual int32_t TextHeight() = 0;
};

struct TlxPCTabContentInput {
  // The tab's full rectangle; in the native look moved to (0, 0) and, for
  // vertical captions, with width and height exchanged.
  TRect TabRect;
  int32_t Direction = 0;  // 0, 1 or 2 (0 in the native look)
  bool NativeLook = false;
  bool HasImages = false;
  bool TabHasImage = false;
  TSize ImageSize;         // as in the image list
  TSize RotatedImageSize;  // as drawn
  int32_t ImageBorder = 0;
  // Margins across the row (top and bottom are used).
  TRect ImageHOffsets;
  TRect TextHOffsets;
  // Margins along the row (start, end).
  int32_t ContentStart = 0, ContentEnd = 0;
  int32_t CompactStart = 0, CompactEnd = 0;
  int32_t ImageOnlyStart = 0, ImageOnlyEnd = 0;
  int32_t ImageTextDistance = 0;
  bool ButtonLike = false;
  bool Pressed = false;
  bool Rotate = false;
  bool MainRowNearPage = true;
  int32_t DrawingVariant = 1;
  std::string Caption;
  // Rotated tabs without fixed widths align captions as the control says.
  bool UseCaptionAlignment = false;
  TAlignment Alignment = taCenter;
  int32_t MaxCaptionWidth = 0;
};

struct TlxPCTabContentRects {
  TRect Image;
  TRect Caption;
};

TlxPCTabContentRects lxPCCalculateTabImageAndTextRects(const TlxPCTabContentInput& input,
                                                       IlxPCCaptionMeasurer& measurer);
