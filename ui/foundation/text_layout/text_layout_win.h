#pragma once
// The text layout on a device context: parameters from the selected font,
// rows measured with it, and the rows drawn with alignment, justification,
// end ellipsis, highlight and placeholder bars. lxTextOutWide runs the
// whole pipeline; the ANSI forms take the program's 8-bit text.

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "platform/toolkit/canvas.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/font.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/text_layout/text_arrangement.h"
#include "ui/foundation/text_layout/text_breaking.h"
#include "ui/foundation/text_layout/text_measurer.h"
#include "ui/foundation/text_layout/text_rows.h"

// Measures with the font selected into a device context.
class TlxDCTextMeasurer : public IlxTextMeasurer {
 public:
  explicit TlxDCTextMeasurer(HDC dc) : dc_(dc) {}
  TSize MeasureText(std::u16string_view text, bool expand_tabs) override;
  int32_t FitCharacters(std::u16string_view text, int32_t max_width) override;
  bool IsMultiByteInAnsiCodePage(char16_t c) override;

 private:
  HDC dc_;
};

// The font metrics of the context's selected font as the layout needs them.
TlxTextFontMetrics lxReadTextFontMetrics(HDC dc, TlxTextOutFlags flags);

void lxInitTextParams(HDC dc, TlxTextOutFlags flags, TlxTextLayoutParams& params, double line_spacing = 1.0);
void lxInitTextParamsForCanvas(TlxCanvas& canvas, TlxTextOutFlags flags, TlxTextLayoutParams& params,
                               double line_spacing = 1.0);

// Breaks wide text measured on `dc`.
bool lxMakeTextRows(HDC dc, const char16_t* text, int32_t length, const TRect& text_rect,
                    const TlxTextLayoutParams& params, TlxTextRows& rows, int32_t& row_count, int32_t max_rows = 0);
// 8-bit text, converted into the rows' own wide text first.
bool lxMakeTextRowsOnDC(HDC dc, std::string_view text, const TRect& text_rect, const TlxTextLayoutParams& params,
                        TlxTextRows& rows, int32_t& row_count, int32_t max_rows = 0);
bool lxMakeTextRowsOnCanvas(TlxCanvas& canvas, std::string_view text, const TRect& text_rect,
                            const TlxTextLayoutParams& params, TlxTextRows& rows, int32_t& row_count,
                            int32_t max_rows = 0);

// Draws arranged rows. The highlight (characters of the whole text) gets
// its own background and text colours when they are neither clNone nor
// clDefault.
void lxDrawTextRows(HDC dc, const TRect& text_rect, const TlxTextLayoutParams& params, const TlxTextRows& rows,
                    int32_t row_count, int32_t highlight_start, int32_t highlight_length, TColor highlight_background,
                    TColor highlight_text_color, bool text_did_not_fit);

// The whole pipeline. Returns the text height, or the row count with
// lxtoMeasureRowCount (also when the height comes to 0); with
// lxtoMeasureRect `rect` receives the rectangle the text needs and nothing
// is drawn. `font` (may be null) is selected for the call; `text_color`
// other than clDefault overrides its colour. The context's font and text
// colour are as before afterwards.
int32_t lxTextOutWide(HDC dc, std::u16string_view text, TRect& rect, TlxTextOutFlags flags,
                      int32_t highlight_start, int32_t highlight_length, TFont* font, TColor highlight_background,
                      TColor highlight_text_color, int32_t max_rows, int32_t left_indent, int32_t right_indent,
                      TColor text_color, double line_spacing = 1.0);
int32_t lxTextOutAnsiOnDC(HDC dc, std::string_view text, TRect& rect, TlxTextOutFlags flags, TFont* font = nullptr,
                          int32_t max_rows = 0, int32_t left_indent = 0, int32_t right_indent = 0,
                          TColor text_color = clDefault, double line_spacing = 1.0);
int32_t lxTextOutAnsiOnCanvas(TCanvas& canvas, std::string_view text, TRect& rect, TlxTextOutFlags flags,
                              TFont* font = nullptr, int32_t max_rows = 0, int32_t left_indent = 0,
                              int32_t right_indent = 0, TColor text_color = clDefault, double line_spacing = 1.0);

// The module's counted start and end: the pattern brushes of the
// placeholder bars.
void lxTextLayoutModuleStart();
void lxTextLayoutModuleEnd();
