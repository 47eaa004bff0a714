#pragma once
// TBaseDestination: one kind of place a logger's messages can go (viewer,
// log file, TCP, UDP, HTTP, alias). A TLogWireDestination owns one of each
// and joins the texts of the active ones into its destination string.

#include <string>
#include <string_view>
#include <utility>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/persistent.h"

class TLogWireDestination;
class TPropertyListBuilder;

// A destination string that does not parse, or a destination that lacks a
// setting it needs.
class ELogWireInvalidDestination : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "ELogWireInvalidDestination"; }
};

class TBaseDestination : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TBaseDestination", &TPersistent::kClass, nullptr, &TBaseDestination::Publish};
  const TClass* ClassType() const override { return &kClass; }

  // `owner` is told about every change (it is not owned); it may be null.
  TBaseDestination(TLogWireDestination* owner, std::string type_name);

  TLogWireDestination* Owner() const { return owner_; }
  const std::string& TypeName() const { return type_name_; }

  bool Active() const { return active_; }
  void SetActive(bool active);

  // Copies the settings of a destination of the same kind, through the
  // setters, so that the owner notices the change.
  virtual void CopyFrom(const TBaseDestination& source);
  // Raises ELogWireInvalidDestination when the part is active and lacks a
  // setting it needs. Nothing in the base.
  virtual void Validate();
  // The settings of a new part. Changes nothing through the setters: no
  // change is reported.
  virtual void Reset();
  // Tells the owner that the destination string may have changed.
  virtual void Changed();
  // Applies one option read from the destination string; the name is
  // compared without regard to letter case. The base knows no options.
  virtual void SetOption(std::string_view name, std::string_view value);
  // The part's text in the destination string.
  virtual std::string GetText() const;

  // Splits the text inside a part's brackets at the ";" that stand outside
  // nested brackets and applies each "name=value" item through SetOption.
  // A name that appears twice takes its first value both times.
  void ParseOptions(std::string_view options);

  void Assign(const TPersistent* source) override;

  [[noreturn]] void RaiseMissingParameter(std::string_view parameter) const;
  [[noreturn]] void RaiseUnknownOption(std::string_view name) const;

 protected:
  // Stores `value` in `field` and reports a change, when it differs.
  template <class T, class V>
  void Update(T& field, V&& value) {
    if (field == value)
      return;
    field = std::forward<V>(value);
    Changed();
  }
  void ResetActive() { active_ = false; }

 private:
  TLogWireDestination* owner_;
  std::string type_name_;
  bool active_ = false;
};

// Option values that stand for numbers and Boolean values: a text that is
// not one reads as 0 or false.
int32_t LogWireOptionInteger(std::string_view value);
bool LogWireOptionBoolean(std::string_view value);
