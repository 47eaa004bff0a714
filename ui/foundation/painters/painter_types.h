#pragma once
// The argument types every painter operation shares, and the two numberings
// of painters: the style code a painter reports and the look-and-feel kind
// that indexes the painter table. Portable.

#include <cstdint>

#include "platform/rtl/alignment.h"

// The states a painter draws a part in.
enum TlxButtonState : uint8_t { lxbsDefault, lxbsNormal, lxbsHot, lxbsPressed, lxbsDisabled };
// The look-and-feel kinds, which index the painter table.
enum TlxLookAndFeelKind : uint8_t { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };

enum TlxCheckBoxState : uint8_t { cbsUnchecked, cbsChecked, cbsGrayed };
enum TlxAlignmentVert : uint8_t { vaTop, vaBottom, vaCenter };

// What GetLookAndFeelStyle answers.
constexpr int32_t lxStyleFlat = 0;
constexpr int32_t lxStyleStandard = 1;
constexpr int32_t lxStyleUltraFlat = 2;
constexpr int32_t lxStyleNative = 3;
constexpr int32_t lxStyleOffice11 = 4;

// 0 flat, 2 ultra-flat, 4 Office 2003; every other code is standard.
TlxLookAndFeelKind lxStyleToLookAndFeelKind(int32_t style);

// The visual-style push-button state of a button state: default 5, normal 1,
// hot 2, pressed 3, disabled 4.
int32_t lxButtonStateToThemeState(TlxButtonState state);

// Scroll-bar parts as the scroll bar numbers them.
enum TlxScrollBarPart : uint8_t { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };
// Arrow directions.
enum TlxArrowDirection : uint8_t { adUp, adDown, adLeft, adRight };
// Indicator kinds of the grid's indicator column.
enum TlxIndicatorKind : uint8_t { ikNone, ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow, ikFilter };
