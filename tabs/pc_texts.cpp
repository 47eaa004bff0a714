#include "tabs/pc_texts.h"

#include "platform/rtl/exceptions.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr TlxStringResource kPCTexts[] = {
    {&slxPCImageListIndexError, "Index (%d) must be between 0 and %d"},
    {&slxPCNoBaseImages, "BaseImages is not assigned"},
    {&slxPCNoRegisteredStyles, "There are no styles registered"},
    {&slxPCPageIndexError, "%d is an invalid PageIndex value.  PageIndex must be between 0 and %d"},
    {&slxPCPainterClassError, "PCPainterClass is nil"},
    {&slxPCStandardStyleError, "%s is an unsupported standard style"},
    {&slxPCStyleNameError, "%s is an unregistered style name"},
    {&slxPCTabCountEqualsZero, "Tabs.Count = 0"},
    {&slxPCTabIndexError, "Tab's index (%d) out of bounds"},
    {&slxPCTabVisibleIndexOutsOfBounds, "TabVisibleIndex (%d) must be between 0 and %d"},
    {&slxPCVisibleTabListEmpty, "There are no visible tabs"},
    {&slxPCAllowRotateError, "%s style does not support rotation of tabs"},
};

TlxModuleStartCount& PCTextsModule() {
  static TlxModuleStartCount module;
  return module;
}

}  // namespace

std::span<const TlxStringResource> lxPCStringTable() { return kPCTexts; }

void lxRegisterPCStrings() {
  if (PCTextsModule().Started())
    return;
  PCTextsModule().Start([] { lxRegisterProductStrings(kLxPageControlProductKey, kPCTexts); });
}

void lxUnregisterPCStrings() {
  PCTextsModule().End([] { lxGetResourceStringsRepository().UnregisterProduct(kLxPageControlProductKey); });
}

std::string lxPCText(const TlxResourceString& record) {
  // The errors read the program's own string table; registering with the
  // repository only makes the identifiers known to it.
  lxAddStringResources(kPCTexts);
  return lxLookupResString(record);
}

void lxPCRaise(std::string_view class_name, std::string_view method, const std::string& text) {
  std::string message(class_name);
  message += '.';
  message += method;
  message += ": ";
  message += text;
  throw Exception(std::move(message));
}
