#include "logging/logger.h"

#include <optional>

#include "logging/connection.h"
#include "logging/logging_module.h"
#include "logging/manager.h"
#include "logging/message.h"
#include "logging/message_record.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/property.h"
#include "platform/rtl/strings.h"

namespace {

constexpr std::string_view kFormatErrorText = "SendFmtMsg Error: Invalid Format Arguments - ";

}  // namespace

void TLogWireLogger::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TLogWireLogger>();
  p.Enumeration("About", &TLogWireLogger::About, &TLogWireLogger::SetAbout,
                std::vector<std::string>{"aiLogWire"}, std::optional<TLogWireAboutInfo>());
  p.String("Category", &TLogWireLogger::Category, &TLogWireLogger::SetCategory);
  p.Integer("CategoryColor", &TLogWireLogger::CategoryColor, &TLogWireLogger::SetCategoryColor,
            kDefaultCategoryColor);
  p.Integer("CategoryFontColor", &TLogWireLogger::CategoryFontColor, &TLogWireLogger::SetCategoryFontColor,
            kDefaultCategoryFontColor);
  p.String("DateTimeFormat", &TLogWireLogger::DateTimeFormat, &TLogWireLogger::SetDateTimeFormat);
  p.Reference<TLogWireDestination>("Destination", &TLogWireLogger::Destination,
                                   &TLogWireLogger::SetDestination);
  p.Boolean("Enabled", &TLogWireLogger::Enabled, &TLogWireLogger::SetEnabled, true);
}

TLogWireLogger::TLogWireLogger(TComponent* owner) : TComponent(owner) {
  if (const TLogWireManager* manager = GlobalLogWireManager())
    enabled_ = manager->Enabled();
}

TLogWireLogger::~TLogWireLogger() {
  FreeConnection();
  SetDestination(nullptr);
}

bool TLogWireLogger::CanLog() const {
  const TLogWireManager* manager = GlobalLogWireManager();
  return enabled_ && manager != nullptr && manager->Enabled();
}

void TLogWireLogger::SendMsg(std::string_view text) { SendMsgOfType(lwmtInfo, text); }

void TLogWireLogger::SendMsgOfType(uint32_t type, std::string_view text) {
  if (CanLog())
    DoSendMsg(type, text, {}, {});
}

void TLogWireLogger::SendError(std::string_view text) { SendMsgOfType(lwmtError, text); }

void TLogWireLogger::SendFmtMsgOfType(uint32_t type, std::string_view format,
                                      std::initializer_list<TFormatArg> args) {
  if (!CanLog())
    return;
  std::string text;
  try {
    text = Format(format, args);
  } catch (const EConvertError&) {
    DoSendMsg(lwmtError, std::string(kFormatErrorText) + std::string(format), {}, {});
    return;
  }
  DoSendMsg(type, text, {}, {});
}

void TLogWireLogger::SendFmtError(std::string_view format, std::initializer_list<TFormatArg> args) {
  SendFmtMsgOfType(lwmtError, format, args);
}

void TLogWireLogger::SendNamedStringOfType(uint32_t type, std::string_view name, std::string_view value) {
  SendFmtMsgOfType(type, "%s = '%s'", {name, value});
}

void TLogWireLogger::SendNamedString(std::string_view name, std::string_view value) {
  SendNamedStringOfType(lwmtInfo, name, value);
}

std::string TLogWireLogger::MethodText(const TObject* object, std::string_view method_name) {
  if (object == nullptr)
    return std::string(method_name);
  std::string text(object->ClassName());
  const auto* component = dynamic_cast<const TComponent*>(object);
  if (component != nullptr && !component->Name().empty())
    text += "( " + component->Name() + " )";
  return text + "." + std::string(method_name);
}

std::string_view TLogWireLogger::ObjectTypeName(const TObject* object) {
  return object == nullptr ? std::string_view() : object->ClassName();
}

void TLogWireLogger::EnterMethod(std::string_view method_name) { EnterMethod(nullptr, method_name); }

void TLogWireLogger::EnterMethod(const TObject* object, std::string_view method_name) {
  if (CanLog())
    DoSendMsg(lwmtEnter, MethodText(object, method_name), {}, ObjectTypeName(object));
}

void TLogWireLogger::ExitMethod(std::string_view method_name) { ExitMethod(nullptr, method_name); }

void TLogWireLogger::ExitMethod(const TObject* object, std::string_view method_name) {
  if (CanLog())
    DoSendMsg(lwmtExit, MethodText(object, method_name), {}, ObjectTypeName(object));
}

void TLogWireLogger::ExitMethod(const TObject* object, std::string_view method_name, std::string_view result) {
  ExitMethod(object, Format("%s = %s", {method_name, result}));
}

void TLogWireLogger::ExitMethodCollapse(std::string_view method_name) { ExitMethodCollapse(nullptr, method_name); }

void TLogWireLogger::ExitMethodCollapse(const TObject* object, std::string_view method_name) {
  if (CanLog())
    DoSendMsg(lwmtExitMethodCollapse, MethodText(object, method_name), {}, ObjectTypeName(object));
}

void TLogWireLogger::ExitMethodCollapse(const TObject* object, std::string_view method_name,
                                        std::string_view result) {
  ExitMethodCollapse(object, Format("%s = %s", {method_name, result}));
}

void TLogWireLogger::SendTyped(uint32_t type, std::string_view text, std::string_view type_name) {
  DoSendMsg(type, text, {}, type_name);
}

bool TLogWireLogger::OfferToEvent(uint32_t type, std::string_view text, std::string_view details,
                                  std::string_view type_name, const TLogWireTimeStamp& stamp) {
  if (!OnSendMsg || IsLogWireControlType(type))
    return true;
  TLogWireManager& manager = *GlobalLogWireManager();
  TStringList detail_lines;
  detail_lines.SetText(details);
  TLogWireMsgData data;
  data.MsgType = static_cast<int32_t>(type);
  data.MsgText = text;
  data.Details = &detail_lines;
  data.ProcessId = manager.GetProcessId();
  data.ThreadName = manager.GetThreadName();
  data.ComputerName = manager.GetComputerName();
  data.AppName = manager.GetAppName();
  data.TypeName = type_name;
  data.Category = category_;
  data.CategoryColor = category_color_;
  data.CategoryFontColor = category_font_color_;
  data.TimeStamp = stamp;
  bool handled = true;
  OnSendMsg(this, data, handled);
  return !handled;
}

int32_t TLogWireLogger::DoSendMsg(uint32_t type, std::string_view text, std::string_view details,
                                  std::string_view type_name) {
  TLogWireManager* manager = GlobalLogWireManager();
  if (manager == nullptr)
    return 0;
  const TLogWireTimeStamp stamp = manager->GetTimeStamp();
  if (!OfferToEvent(type, text, details, type_name, stamp))
    return 0;

  using namespace LogWireRecord;
  TLogWireMessage message;
  message.MsgType = type;
  message.Text = manager->EscapeControlChars() ? EscapeControlChars(text) : std::string(text);
  message.Details = details;
  message.Time = static_cast<uint32_t>(stamp.Time);
  message.Date = static_cast<uint32_t>(stamp.Date);
  message.TimeZoneBias = manager->TimeZoneBias();
  message.ProcessId = manager->GetProcessId();
  message.ThreadName = LogWireFieldText(manager->GetThreadName(), kMaxThreadName);
  message.AppName = LogWireFieldText(manager->GetAppName(), kMaxAppName);
  message.ComputerName = LogWireFieldText(manager->GetComputerName(), kMaxComputerName);
  message.TypeName = LogWireFieldText(type_name, kMaxTypeName);
  message.Category = LogWireFieldText(category_, kMaxCategory);
  message.CategoryColor = static_cast<uint32_t>(category_color_);
  message.CategoryFontColor = static_cast<uint32_t>(category_font_color_);

  TLogWireConnection& connection = connection_ != nullptr ? *connection_ : manager->Connection();
  const int32_t result = connection.SendMessage(*this, dispatch_id_, dispatch_id_date_, message);
  if (result == 0)
    enabled_ = false;
  return result;
}

std::string TLogWireLogger::EscapeControlChars(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto code = static_cast<uint8_t>(c);
    if (code >= 32)
      escaped += c;
    else if (c == '\t')
      escaped += "[TAB]";
    else if (c == '\n')
      escaped += "[LF]";
    else if (c == '\r')
      escaped += "[CR]";
    else
      escaped += "[#" + std::to_string(code) + "]";
  }
  return escaped;
}

void TLogWireLogger::SetDestination(TLogWireDestination* destination) {
  if (destination == destination_)
    return;
  if (destination_ != nullptr)
    destination_->RemoveFreeNotification(this);
  destination_ = destination;
  if (destination_ != nullptr)
    destination_->FreeNotification(this);
}

void TLogWireLogger::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == destination_)
    destination_ = nullptr;
}

void TLogWireLogger::SetConnection(std::unique_ptr<TLogWireConnection> connection) {
  FreeConnection();
  connection_ = std::move(connection);
}

void TLogWireLogger::FreeConnection() { connection_.reset(); }

void TLogWireLogger::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  const auto drop_value = [](TReader& reader) { reader.SkipValue(); };
  filer.DefineProperty(
      "DestinationDetails", [this](TReader& reader) { ReadDestinationDetails(reader.ReadString()); }, nullptr,
      false);
  filer.DefineProperty("HexNumPrefix", drop_value, nullptr, false);
  filer.DefineProperty("HexViewWidth", drop_value, nullptr, false);
  filer.DefineProperty("QuoteChar", drop_value, nullptr, false);
}

void TLogWireLogger::ReadDestinationDetails(std::string_view text) {
  // A logger without owner owns the destination itself, so that it is
  // freed with the logger.
  TComponent& owner = Owner() != nullptr ? *Owner() : *this;
  auto destination = std::make_unique<TLogWireDestination>(nullptr);
  destination->SetName(LogWireUniqueComponentName(owner, "LWDestination"));
  destination->SetDestinationString(text);
  owner.InsertComponent(destination.get());
  SetDestination(destination.release());
}

std::string LogWireUniqueComponentName(const TComponent& owner, std::string_view base) {
  for (int32_t number = 1;; ++number) {
    std::string name = std::string(base) + std::to_string(number);
    if (owner.FindComponent(name) == nullptr)
      return name;
  }
}
