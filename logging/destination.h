#pragma once
// TLogWireDestination: where a logger's messages go, as the dispatcher
// learns it from the destination string - the texts of the active parts in
// the order Viewer, File, TCP, UDP, HTTP, Alias, then Additional, joined by
// ",". For example:
//   Viewer,File[Path=C:\Prog\Prog.csl;MaxSize=100;MaxParts=5]
// The component keeps a hash of its string so that a change shows cheaply.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "logging/alias_destination.h"
#include "logging/http_destination.h"
#include "logging/log_file_destination.h"
#include "logging/network_destination.h"
#include "logging/viewer_destination.h"
#include "platform/rtl/component.h"
#include "platform/rtl/update_batch.h"

enum TLogWireAboutInfo : uint8_t { aiLogWire };

class TLogWireDestination : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TLogWireDestination", &TComponent::kClass,
                                 &ConstructInstance<TLogWireDestination>, &TLogWireDestination::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TLogWireDestination(TComponent* owner);
  ~TLogWireDestination() override;

  // The six parts, owned by the component.
  TViewerDestination& Viewer() const { return *viewer_; }
  TLogFileDestination& LogFile() const { return *log_file_; }
  TTcpDestination& TCP() const { return *tcp_; }
  TUdpDestination& UDP() const { return *udp_; }
  THttpDestination& HTTP() const { return *http_; }
  TAliasDestination& Alias() const { return *alias_; }
  // Assigning a part copies the given part's settings into the owned one.
  void SetViewer(const TViewerDestination& source) { viewer_->CopyFrom(source); }
  void SetLogFile(const TLogFileDestination& source) { log_file_->CopyFrom(source); }
  void SetTCP(const TTcpDestination& source) { tcp_->CopyFrom(source); }
  void SetUDP(const TUdpDestination& source) { udp_->CopyFrom(source); }
  void SetHTTP(const THttpDestination& source) { http_->CopyFrom(source); }
  void SetAlias(const TAliasDestination& source) { alias_->CopyFrom(source); }

  // Further parts in string form, appended as they are.
  const std::string& Additional() const { return additional_; }
  void SetAdditional(std::string_view additional);

  TLogWireAboutInfo About() const { return aiLogWire; }
  void SetAbout(TLogWireAboutInfo /*about*/) {}

  std::string GetDestinationString() const;
  // Resets every part and reads `text`. Raises ELogWireInvalidDestination
  // at the first unknown part or option; what was read before stays.
  void SetDestinationString(std::string_view text);

  // Inside an update bracket no hash is computed; the bracket's end does.
  void BeginUpdate() { update_batch_.Begin(); }
  void EndUpdate();
  void UpdateHash();
  // The hash of the destination string as last computed; 0 until the first
  // change.
  uint32_t Hash() const { return hash_; }

  // Validate of the six parts, in string order.
  void ValidateAll();
  // Reset of the six parts; Additional becomes empty.
  void ResetAll();
  void CopyFrom(const TLogWireDestination& source);
  void Assign(const TPersistent* source) override;

  // "Viewer" 0, "File" 1, "Tcp" 2, "Udp" 3, "Http" 4, "Alias" 5, letter case
  // ignored; anything else 6.
  static int32_t GetTypeIndex(std::string_view name);
  // Cuts the next part off `text`: its trimmed type name and the text inside
  // its brackets.
  static void NextPart(std::string& text, std::string& options, std::string& type_name);
  // A cheap hash: every character of a text shorter than 16 bytes, else
  // about eight characters sampled at even steps.
  static uint32_t HashText(std::string_view text);

 private:
  // NextPart on a view of the rest, which moves past the part.
  static void CutNextPart(std::string_view& text, std::string& options, std::string& type_name);
  // The parts in string order.
  TBaseDestination* Part(int32_t index) const;
  static constexpr int32_t kPartCount = 6;

  std::unique_ptr<TViewerDestination> viewer_;
  std::unique_ptr<TLogFileDestination> log_file_;
  std::unique_ptr<TTcpDestination> tcp_;
  std::unique_ptr<TUdpDestination> udp_;
  std::unique_ptr<THttpDestination> http_;
  std::unique_ptr<TAliasDestination> alias_;
  std::string additional_;
  TUpdateBatch update_batch_{TUpdateBatch::kUpdateAlways};
  uint32_t hash_ = 0;
};
