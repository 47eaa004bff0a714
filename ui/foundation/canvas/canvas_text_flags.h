#pragma once
// The canvas's text flags: a 16-bit set that painters and owner-draw code
// pass to TlxCanvas.DrawTextInRect and TlxCanvas.CalcTextRect. Left and top
// alignment are the defaults and carry no meaning of their own.

#include <cstdint>

using TlxCanvasTextFlags = uint16_t;

constexpr TlxCanvasTextFlags lxtfLeft = 0x0001;
constexpr TlxCanvasTextFlags lxtfRight = 0x0002;
constexpr TlxCanvasTextFlags lxtfCenterX = 0x0004;
constexpr TlxCanvasTextFlags lxtfTop = 0x0008;
constexpr TlxCanvasTextFlags lxtfBottom = 0x0010;
constexpr TlxCanvasTextFlags lxtfCenterY = 0x0020;
constexpr TlxCanvasTextFlags lxtfSingleLine = 0x0040;
constexpr TlxCanvasTextFlags lxtfNoClip = 0x0080;
constexpr TlxCanvasTextFlags lxtfExpandTabs = 0x0100;
constexpr TlxCanvasTextFlags lxtfShowPrefix = 0x0200;
constexpr TlxCanvasTextFlags lxtfWordBreak = 0x0400;
constexpr TlxCanvasTextFlags lxtfEndEllipsis = 0x0800;
constexpr TlxCanvasTextFlags lxtfCalcRect = 0x1000;
constexpr TlxCanvasTextFlags lxtfPathEllipsis = 0x2000;
// With word break: break only between words, never inside one.
constexpr TlxCanvasTextFlags lxtfDontBreakChars = 0x4000;
