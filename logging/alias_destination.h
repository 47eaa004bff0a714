#pragma once
// A destination the dispatcher knows under a name of its own.

#include "logging/base_destination.h"

class TAliasDestination : public TBaseDestination {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TAliasDestination", &TBaseDestination::kClass, nullptr,
                                 &TAliasDestination::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TAliasDestination(TLogWireDestination* owner);

  const std::string& Name() const { return name_; }
  void SetName(std::string_view name) { Update(name_, name); }

  void CopyFrom(const TBaseDestination& source) override;
  void Validate() override;
  void Reset() override;
  void SetOption(std::string_view name, std::string_view value) override;
  std::string GetText() const override;

 private:
  std::string name_;
};
