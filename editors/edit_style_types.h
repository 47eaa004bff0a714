#pragma once
// The enumerations of editor styles: how an editor's border and buttons
// look and how its popup is bordered.

#include <cstdint>

#include "ui/foundation/controls/content_scrolling.h"

enum TlxEditBorderStyle : uint8_t { ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11 };
enum TlxEditButtonStyle : uint8_t { btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11 };
enum TlxEditButtonTransparency : uint8_t { ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected };
enum TlxEditPopupBorderStyle : uint8_t { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };
// Values 1 to 4 of the library's directions (dirLeft, dirRight, dirUp,
// dirDown).
using TlxEditGradientDirection = TlxDirection;

// The editor values of a style, after the container's ten.
inline constexpr uint8_t esvButtonStyle = 10;
inline constexpr uint8_t esvButtonTransparency = 11;
inline constexpr uint8_t esvPopupBorderStyle = 12;
inline constexpr uint8_t esvGradientButtons = 13;
inline constexpr uint8_t esvGradient = 14;
inline constexpr uint8_t esvGradientDirection = 15;
inline constexpr int32_t kLxEditStyleValueCount = 16;
// The values a state style neither publishes nor stores.
inline constexpr uint32_t kLxEditStyleUnpublishedValues = 0xFA78;
