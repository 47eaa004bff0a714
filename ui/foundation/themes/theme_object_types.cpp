#include "ui/foundation/themes/theme_object_types.h"

#include <array>
#include <string>

namespace {

constexpr std::array<std::u16string_view, kThemedObjectTypeCount> kClassNames{
    u"Button",     u"Clock",   u"ComboBox",   u"Edit",     u"ExplorerBar", u"Header",   u"ListBox",
    u"ListView",   u"Menu",    u"Page",       u"Progress", u"Rebar",       u"ScrollBar", u"Spin",
    u"StartPanel", u"Status",  u"Tab",        u"TaskBand", u"TaskBar",     u"ToolBar",  u"ToolTip",
    u"TrackBar",   u"TrayNotify", u"TreeView", u"Window"};

}  // namespace

TlxThemedObjectTypes lxThemedObjectTypes(std::initializer_list<TlxThemedObjectType> types) {
  TlxThemedObjectTypes set;
  for (TlxThemedObjectType type : types)
    set.set(type);
  return set;
}

std::u16string_view lxThemedObjectClassName(TlxThemedObjectType type) {
  if (type >= kThemedObjectTypeCount)
    return {};
  return kClassNames[type];
}

bool lxIsXPOrLaterVersion(uint32_t major_version, uint32_t minor_version) {
  return major_version > 5 || (major_version == 5 && minor_version >= 1);
}

std::u16string_view lxFileNameWithoutPath(std::u16string_view path) {
  const size_t separator = path.find_last_of(u"\\/");
  if (separator == std::u16string_view::npos)
    return path;
  return path.substr(separator + 1);
}

std::u16string lxUpperCaseAscii(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z')
      c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return upper;
}

bool lxIsStockVisualStyleFileName(std::u16string_view style_file) {
  const std::u16string name = lxUpperCaseAscii(lxFileNameWithoutPath(style_file));
  return name == u"LUNA.MSSTYLES" || name == u"ROYALE.MSSTYLES";
}
