#include "tabs/pc_painters_factory.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"
#include "tabs/pc_texts.h"

namespace {

std::unique_ptr<TlxPCPaintersFactory>& FactoryHolder() {
  static std::unique_ptr<TlxPCPaintersFactory> factory;
  return factory;
}

}  // namespace

int32_t TlxPCPaintersFactory::GetDefaultStyleID(const TlxPCLookAndFeelInfo& look_and_feel) const {
  if (classes_.empty())
    lxPCRaise("TlxPCPaintersFactory", "GetDefaultStyleID", lxPCText(slxPCNoRegisteredStyles));
  for (auto it = classes_.rbegin(); it != classes_.rend(); ++it)
    if ((*it)->IsDefaultForLookAndFeel(look_and_feel))
      return (*it)->GetStyleID();
  return classes_.front()->GetStyleID();
}

int32_t TlxPCPaintersFactory::GetStyleIDForLookAndFeel(const TlxPCLookAndFeelInfo& look_and_feel) const {
  for (auto it = classes_.rbegin(); it != classes_.rend(); ++it)
    if ((*it)->SuitsLookAndFeel(look_and_feel))
      return (*it)->GetStyleID();
  return -1;
}

TlxPCPainterClass TlxPCPaintersFactory::FindPainterClass(int32_t style_id) const {
  for (TlxPCPainterClass painter_class : classes_)
    if (painter_class->GetStyleID() == style_id)
      return painter_class;
  return nullptr;
}

std::unique_ptr<IlxPCLayoutPainter> TlxPCPaintersFactory::GetPainterInstance(TlxPCPainterClass painter_class,
                                                                             TlxTabControlModel& control) const {
  if (painter_class == nullptr)
    lxPCRaise("TlxPCPaintersFactory", "GetPainterInstance", lxPCText(slxPCPainterClassError));
  return painter_class->CreatePainter(control);
}

TlxPCPainterClass TlxPCPaintersFactory::GetPainterClass(int32_t index) const {
  if (index < 0 || index >= GetCount())
    throw EListError::IndexOutOfBounds(index);
  return classes_[static_cast<size_t>(index)];
}

void lxPCRegisterPainterClass(TlxPCPainterClass painter_class) {
  if (painter_class == nullptr)
    return;
  std::unique_ptr<TlxPCPaintersFactory>& factory = FactoryHolder();
  if (factory == nullptr)
    factory = std::make_unique<TlxPCPaintersFactory>();
  std::vector<TlxPCPainterClass>& classes = factory->classes_;
  if (std::find(classes.begin(), classes.end(), painter_class) == classes.end())
    classes.push_back(painter_class);
}

void lxPCUnregisterPainterClass(TlxPCPainterClass painter_class) {
  std::unique_ptr<TlxPCPaintersFactory>& factory = FactoryHolder();
  if (factory == nullptr)
    return;
  std::vector<TlxPCPainterClass>& classes = factory->classes_;
  classes.erase(std::remove(classes.begin(), classes.end(), painter_class), classes.end());
  if (classes.empty())
    factory.reset();
}

TlxPCPaintersFactory* lxPCPaintersFactoryInstance() { return FactoryHolder().get(); }
