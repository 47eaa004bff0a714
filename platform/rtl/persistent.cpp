#include "platform/rtl/persistent.h"

void TPersistent::Assign(const TPersistent* source) {
  if (source == nullptr)
    throw EConvertError("Cannot assign a nil to a " + std::string(ClassName()));
  source->AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& destination) const {
  throw EConvertError("Cannot assign a " + std::string(ClassName()) + " to a " +
                      std::string(destination.ClassName()));
}

std::string TPersistent::GetNamePath() const {
  std::string path(ClassName());
  if (const TPersistent* owner = GetOwner()) {
    const std::string owner_path = owner->GetNamePath();
    if (!owner_path.empty())
      path = owner_path + "." + path;
  }
  return path;
}

void TPersistent::DefineProperties(TFiler&) {}
