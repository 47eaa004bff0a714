#pragma once
// The kinds of themed object the component library draws with visual styles,
// the visual-style class each one opens, and the tests on style names and
// system versions that decide whether visual styles are used at all. Pure
// data and text rules; the system calls live in the *_win files.

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

enum TlxThemedObjectType : uint8_t {
  totButton,
  totClock,
  totComboBox,
  totEdit,
  totExplorerBar,
  totHeader,
  totListBox,
  totListView,
  totMenu,
  totPage,
  totProgress,
  totRebar,
  totScrollBar,
  totSpin,
  totStartPanel,
  totStatus,
  totTab,
  totTaskBand,
  totTaskBar,
  totToolBar,
  totToolTip,
  totTrackBar,
  totTrayNotify,
  totTreeView,
  totWindow,
};

inline constexpr int kThemedObjectTypeCount = totWindow + 1;

// A set of themed object types, one bit per type index.
using TlxThemedObjectTypes = std::bitset<kThemedObjectTypeCount>;

TlxThemedObjectTypes lxThemedObjectTypes(std::initializer_list<TlxThemedObjectType> types);

// The visual-style class name a type opens by default ("Button", "Tab"...).
std::u16string_view lxThemedObjectClassName(TlxThemedObjectType type);

// Visual styles exist from system version 5.1 on.
bool lxIsXPOrLaterVersion(uint32_t major_version, uint32_t minor_version);

// The last path element of a file name (after the last '\' or '/').
std::u16string_view lxFileNameWithoutPath(std::u16string_view path);

// ASCII letters upper-cased, everything else unchanged. Enough to compare a
// name with the system's fixed ASCII style and colour names.
std::u16string lxUpperCaseAscii(std::u16string_view text);

// Whether a visual-style file is one of the two styles the system ships with
// ("LUNA.MSSTYLES", "ROYALE.MSSTYLES"), in any letter case and any folder.
bool lxIsStockVisualStyleFileName(std::u16string_view style_file);
