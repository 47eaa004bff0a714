#pragma once
// The locale service: casing, comparison and regional settings of one
// locale. Every locale-aware routine asks UserLocale(), which on Windows is
// the user's locale (read at start-up and again when the system announces a
// settings change) and natively a deterministic English one. Tests install a
// fixed locale (CreateLocale("de-DE")) so that they give the same results on
// any machine and in both builds.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/format_settings.h"

enum class TCompareCase : uint8_t { kSensitive, kIgnore };

class TLocale {
 public:
  TLocale(std::string name, TFormatSettings settings)
      : name_(std::move(name)), settings_(std::move(settings)) {}
  virtual ~TLocale();
  TLocale(const TLocale&) = delete;
  TLocale& operator=(const TLocale&) = delete;

  const std::string& Name() const { return name_; }
  const TFormatSettings& Settings() const { return settings_; }

  virtual std::u16string UpperCase(std::u16string_view text) const = 0;
  virtual std::u16string LowerCase(std::u16string_view text) const = 0;
  // Linguistic order: negative, zero or positive.
  virtual int Compare(std::u16string_view a, std::u16string_view b, TCompareCase mode) const = 0;

 private:
  std::string name_;
  TFormatSettings settings_;
};

// The locale in force. The reference stays valid for the whole run, even
// after SetUserLocale installs another one.
const TLocale& UserLocale();
// Installs `locale` as the user locale; the toolkit does so on a settings
// change, tests do so to fix the locale. Locale listeners are called.
void SetUserLocale(std::unique_ptr<TLocale> locale);
// Reinstalls a locale that UserLocale() answered earlier (scoped changes).
void RestoreUserLocale(const TLocale& earlier);
// The machine's own user locale: on Windows the user's regional settings,
// natively the built-in English one.
std::unique_ptr<TLocale> CreateMachineLocale();
// Reinstalls the machine's own user locale (the real one on Windows, English
// natively) and calls the listeners: the answer to the platform's
// settings-changed notification.
void ReloadUserLocale();

// A locale with fixed regional settings ("de-DE" or "en-US"; anything else
// raises EConvertError). On Windows its casing and comparison come from the
// system's locale functions for that name, natively from the built-in tables.
std::unique_ptr<TLocale> CreateLocale(std::string_view name);
// The built-in deterministic locale, in both builds.
std::unique_ptr<TLocale> CreateTableLocale(std::string_view name);

// Simple one-to-one case mappings of the built-in tables.
char32_t SimpleUpperCase(char32_t c);
char32_t SimpleLowerCase(char32_t c);

// Listeners for locale changes; the id removes one again.
using TLocaleListener = std::function<void()>;
int AddLocaleListener(TLocaleListener listener);
void RemoveLocaleListener(int id);

// Sets a fixed user locale for the lifetime of the object and restores the
// previous one afterwards (tests).
class TScopedLocale {
 public:
  explicit TScopedLocale(std::string_view name);
  ~TScopedLocale();
  TScopedLocale(const TScopedLocale&) = delete;
  TScopedLocale& operator=(const TScopedLocale&) = delete;

 private:
  const TLocale& previous_;
};
