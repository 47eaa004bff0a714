#include "platform/db/aggregate_field.h"

#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"

void TAggregateField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TAggregateField>();
  p.String("Expression", &TAggregateField::Expression, &TAggregateField::SetExpression);
  p.Boolean("Active", &TAggregateField::Active, &TAggregateField::SetActive, false);
  p.Boolean("Currency", &TAggregateField::Currency, &TAggregateField::SetCurrency, false);
  p.String("DisplayFormat", &TAggregateField::DisplayFormat, &TAggregateField::SetDisplayFormat);
  p.Integer("Precision", &TAggregateField::Precision, &TAggregateField::SetPrecision, 15);
}

TAggregateField::TAggregateField(TComponent* owner) : TField(owner) {
  SetFieldKind(fkAggregate);
  SetAlignment(taRightJustify);
}

std::string TAggregateField::GetText(bool /*display_text*/) const {
  if (!VarIsNumeric(value_) && !VarIsFMTBcd(value_))
    return VarToStr(value_);
  if (!display_format_.empty())
    return FormatFloat(display_format_, value_.AsDouble());
  if (currency_)
    return CurrToStrF(value_.AsCurrency(), TFloatFormat::ffCurrency, UserLocale().Settings().CurrencyDecimals);
  return FloatToStrF(value_.AsDouble(), TFloatFormat::ffGeneral, precision_, 0);
}
