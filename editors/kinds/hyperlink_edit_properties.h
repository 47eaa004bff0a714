#pragma once
// The hyperlink editor kind's settings: the link colour, how the link is
// opened (single or double click, a start key, or an event instead of the
// shell) and the prefix put in front of a link that lacks one. Portable;
// the control and its drawing are the platform's.

#include <cstdint>
#include <string>
#include <string_view>

#include "editors/filter_edit_helper.h"
#include "editors/text_edit_properties.h"
#include "platform/toolkit/color.h"

enum TlxHyperLinkEditUsePrefix : uint8_t { upAlways, upOnlyOnExecute, upNever };

class TlxCustomHyperLinkEditProperties : public TlxCustomTextEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomHyperLinkEditProperties", &TlxCustomTextEditProperties::kClass,
                                 &ConstructInstance<TlxCustomHyperLinkEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomHyperLinkEditProperties(TPersistent* owner);

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  // The text without blanks around it, with the prefix in front unless it
  // is empty or already names where it leads: it begins with the prefix
  // (in any case) or with a scheme and "://" ("https://x" stays as it is).
  virtual std::string AddPrefix(std::string_view text) const;

  const TClass* GetEditControlClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;
  uint32_t GetEditCapabilities() const override;
  // With UsePrefix upAlways the accepted text gets the prefix.
  void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                            IlxEditControl* edit) override;

  // True unless UsePrefix is upNever; setting picks upAlways or upNever.
  bool AutoComplete() const { return use_prefix_ != upNever; }
  void SetAutoComplete(bool value) { use_prefix_ = value ? upAlways : upNever; }
  TColor LinkColor() const { return link_color_; }
  void SetLinkColor(TColor value) { Store(link_color_, value); }
  const std::string& Prefix() const { return prefix_; }
  void SetPrefix(const std::string& value) { prefix_ = value; }
  bool SingleClick() const { return single_click_; }
  void SetSingleClick(bool value) { Store(single_click_, value); }
  TlxShortCut StartKey() const { return start_key_; }
  void SetStartKey(TlxShortCut value) { start_key_ = value; }
  TlxHyperLinkEditUsePrefix UsePrefix() const { return use_prefix_; }
  void SetUsePrefix(TlxHyperLinkEditUsePrefix value) { use_prefix_ = value; }

  TNotifyEvent OnStartClick;

 private:
  TColor link_color_ = clBlue;
  std::string prefix_;
  bool single_click_ = false;
  TlxShortCut start_key_ = 16397;
  TlxHyperLinkEditUsePrefix use_prefix_ = upAlways;
};

class TlxHyperLinkEditProperties : public TlxCustomHyperLinkEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxHyperLinkEditProperties", &TlxCustomHyperLinkEditProperties::kClass,
                                 &ConstructInstance<TlxHyperLinkEditProperties>, &TlxHyperLinkEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomHyperLinkEditProperties::TlxCustomHyperLinkEditProperties;
};

// Whether a link text begins with a scheme and "://" ("https://", "ftp://").
bool lxLinkHasScheme(std::string_view text);

// The text kinds' filter helper with the hyperlink editor for operands.
class TlxFilterHyperLinkEditHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterHyperLinkEditHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClassRef GetValueEditorClass() const override;
};

void lxHyperLinkEditModuleStart();
void lxHyperLinkEditModuleEnd();
