#pragma once
// Mixing of three RGB colours by percentages, the arithmetic behind the
// highlight colours of hot and pressed buttons. RGB values are 0x00BBGGRR.

#include <cstdint>

// Each channel is face * face_percent / 100 + highlight * highlight_percent
// / 100 + window * window_percent / 100 (every product rounded as MulDiv
// rounds), limited to 0..255. A face of pure black or pure white carries no
// tint to mix with: the highlight comes back unchanged.
uint32_t lxMixColorChannels(uint32_t face_rgb, uint32_t highlight_rgb, uint32_t window_rgb, int8_t face_percent,
                            int8_t highlight_percent, int8_t window_percent);
