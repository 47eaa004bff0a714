#pragma once
// TLogWireLogger: the component code logs through. Each send operation
// turns a text into one message stamped with the time, the process and
// thread identity and the logger's category, offers it to OnSendMsg, and
// hands it to the connection, which delivers it to the dispatcher. A failed
// delivery switches the logger off; it never reaches the caller.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "logging/destination.h"
#include "logging/message_types.h"
#include "logging/time_stamp.h"
#include "platform/rtl/component.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/format.h"

class TLogWireConnection;
class TStrings;

using TLogWireColor = int32_t;

// What OnSendMsg sees of a message. Details exists only during the event.
struct TLogWireMsgData {
  int32_t MsgType = 0;
  std::string MsgText;
  TStrings* Details = nullptr;
  uint32_t ProcessId = 0;
  std::string ThreadName;
  std::string ComputerName;
  std::string AppName;
  std::string TypeName;
  std::string Category;
  TLogWireColor CategoryColor = 0;
  TLogWireColor CategoryFontColor = 0;
  TLogWireTimeStamp TimeStamp;
};

// Handled comes in true: a handler that leaves it so keeps the message from
// being sent.
using TLogWireSendMsgEvent = std::function<void(TObject* sender, TLogWireMsgData& msg_data, bool& handled)>;

class TLogWireLogger : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TLogWireLogger", &TComponent::kClass, &ConstructInstance<TLogWireLogger>,
                                 &TLogWireLogger::Publish};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr TLogWireColor kDefaultCategoryColor = 16777215;  // white
  static constexpr TLogWireColor kDefaultCategoryFontColor = 0;     // black

  // Takes Enabled from the global manager's enabled flag.
  explicit TLogWireLogger(TComponent* owner);
  ~TLogWireLogger() override;

  // The send operations. Each does nothing unless both this logger and the
  // global manager are enabled.
  void SendMsg(std::string_view text);
  void SendMsgOfType(uint32_t type, std::string_view text);
  void SendError(std::string_view text);
  // A format that does not fit its arguments sends an error message naming
  // the format instead.
  void SendFmtMsgOfType(uint32_t type, std::string_view format, std::initializer_list<TFormatArg> args);
  void SendFmtError(std::string_view format, std::initializer_list<TFormatArg> args);
  // "name = 'value'".
  void SendNamedStringOfType(uint32_t type, std::string_view name, std::string_view value);
  void SendNamedString(std::string_view name, std::string_view value);

  // Method tracing. The object forms send "Class.Method", or for a named
  // component "Class( Name ).Method", with the class name as type name; a
  // null object acts as the form without one. The result forms send
  // "Method = result".
  virtual void EnterMethod(std::string_view method_name);
  virtual void EnterMethod(const TObject* object, std::string_view method_name);
  virtual void ExitMethod(std::string_view method_name);
  virtual void ExitMethod(const TObject* object, std::string_view method_name);
  virtual void ExitMethod(const TObject* object, std::string_view method_name, std::string_view result);
  virtual void ExitMethodCollapse(std::string_view method_name);
  virtual void ExitMethodCollapse(const TObject* object, std::string_view method_name);
  virtual void ExitMethodCollapse(const TObject* object, std::string_view method_name, std::string_view result);

  // Sends whatever the enabled flags say.
  void SendTyped(uint32_t type, std::string_view text, std::string_view type_name);
  // Builds, offers and delivers one message; the connection's answer, 0
  // when it was not delivered. Switches the logger off when the delivery
  // failed.
  virtual int32_t DoSendMsg(uint32_t type, std::string_view text, std::string_view details,
                            std::string_view type_name);

  // Tab, line feed and carriage return as "[TAB]", "[LF]", "[CR]", any other
  // byte below 32 as "[#n]".
  static std::string EscapeControlChars(std::string_view text);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  const std::string& Category() const { return category_; }
  void SetCategory(std::string_view category) { category_ = category; }
  TLogWireColor CategoryColor() const { return category_color_; }
  void SetCategoryColor(TLogWireColor color) { category_color_ = color; }
  TLogWireColor CategoryFontColor() const { return category_font_color_; }
  void SetCategoryFontColor(TLogWireColor color) { category_font_color_ = color; }
  const std::string& DateTimeFormat() const { return date_time_format_; }
  void SetDateTimeFormat(std::string_view format) { date_time_format_ = format; }
  TLogWireAboutInfo About() const { return aiLogWire; }
  void SetAbout(TLogWireAboutInfo /*about*/) {}

  // Where this logger's messages go; null means the manager's default.
  TLogWireDestination* Destination() const { return destination_; }
  void SetDestination(TLogWireDestination* destination);

  // The dispatch id under which the dispatcher knows this logger, and the
  // day it was made.
  const std::string& DispatchId() const { return dispatch_id_; }
  TDateTime DispatchIdDate() const { return dispatch_id_date_; }

  // A connection of the logger's own instead of the manager's (none unless
  // set).
  void SetConnection(std::unique_ptr<TLogWireConnection> connection);
  void FreeConnection();

  // Older stored loggers carry four more values that are read, never
  // written: "DestinationDetails" (read through ReadDestinationDetails),
  // and "HexNumPrefix", "HexViewWidth" and "QuoteChar", which are dropped.
  void DefineProperties(TFiler& filer) override;

  // The older stored form of a destination: a new TLogWireDestination,
  // named "LWDestination<n>" (the first free n from 1) in the logger's owner
  // (in the logger itself when it has none), read from `text` and made the
  // logger's Destination.
  void ReadDestinationDetails(std::string_view text);

  TLogWireSendMsgEvent OnSendMsg;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool CanLog() const;
  static std::string MethodText(const TObject* object, std::string_view method_name);
  static std::string_view ObjectTypeName(const TObject* object);
  // False when the event kept the message.
  bool OfferToEvent(uint32_t type, std::string_view text, std::string_view details,
                    std::string_view type_name, const TLogWireTimeStamp& stamp);

  std::string dispatch_id_;
  TDateTime dispatch_id_date_ = 0;
  bool enabled_ = true;
  std::string date_time_format_;
  std::string category_;
  TLogWireColor category_color_ = kDefaultCategoryColor;
  TLogWireColor category_font_color_ = kDefaultCategoryFontColor;
  std::unique_ptr<TLogWireConnection> connection_;
  TLogWireDestination* destination_ = nullptr;
};

// `base` followed by the smallest number from 1 that gives a name no
// component of `owner` has.
std::string LogWireUniqueComponentName(const TComponent& owner, std::string_view base);
