#pragma once
// Text helpers that need no device: the search for the narrowest wrap width
// and whether a character set reorders a text.

#include <cstdint>
#include <functional>
#include <string_view>

// The narrowest width in [narrowest, widest] at which a text, wrapped at
// word boundaries, is no taller than `allowed_height`. `wrapped_height`
// gives the height at a width. When `narrowest` already fits it is the
// answer; otherwise a halving search keeps a lower bound that is too tall
// and an upper bound that fits until they are one apart, and answers the
// upper bound (`widest` when even that is too tall).
int32_t lxNarrowestWrapWidth(int32_t narrowest, int32_t widest, int32_t allowed_height,
                             const std::function<int32_t(int32_t width)>& wrapped_height);

// Character set numbers as the system's fonts carry them.
inline constexpr uint8_t lxGb2312Charset = 134;
inline constexpr uint8_t lxChineseBig5Charset = 136;
inline constexpr uint8_t lxArabicCharset = 178;

// Whether text in `charset` (already resolved from the default set) may be
// laid out in another order than stored: only GB 2312, Big5 and Arabic, and
// not for a text that starts with a single-byte character below 0x80 (nor
// for an empty one, which has nothing to reorder).
bool lxResolvedCharsetReordersText(uint8_t charset, std::string_view text);
