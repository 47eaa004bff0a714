#include "logging/destination.h"

#include "platform/rtl/format.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

namespace {

constexpr int32_t kViewerIndex = 0;
constexpr int32_t kUnknownIndex = 6;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && static_cast<uint8_t>(text.front()) <= ' ')
    text.remove_prefix(1);
  while (!text.empty() && static_cast<uint8_t>(text.back()) <= ' ')
    text.remove_suffix(1);
  return text;
}

void AppendPart(std::string& list, std::string_view part) {
  if (!list.empty())
    list += ',';
  list += part;
}

}  // namespace

void TLogWireDestination::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TLogWireDestination>();
  p.Enumeration("About", &TLogWireDestination::About, &TLogWireDestination::SetAbout,
                std::vector<std::string>{"aiLogWire"}, std::optional<TLogWireAboutInfo>());
  p.String("Additional", &TLogWireDestination::Additional, &TLogWireDestination::SetAdditional);
  p.Persistent("Viewer", TViewerDestination::kClass, [](const TLogWireDestination& d) { return d.viewer_.get(); });
  p.Persistent("LogFile", TLogFileDestination::kClass,
               [](const TLogWireDestination& d) { return d.log_file_.get(); });
  p.Persistent("TCP", TTcpDestination::kClass, [](const TLogWireDestination& d) { return d.tcp_.get(); });
  p.Persistent("UDP", TUdpDestination::kClass, [](const TLogWireDestination& d) { return d.udp_.get(); });
  p.Persistent("HTTP", THttpDestination::kClass, [](const TLogWireDestination& d) { return d.http_.get(); });
  p.Persistent("Alias", TAliasDestination::kClass, [](const TLogWireDestination& d) { return d.alias_.get(); });
}

TLogWireDestination::TLogWireDestination(TComponent* owner)
    : TComponent(owner),
      viewer_(std::make_unique<TViewerDestination>(this)),
      log_file_(std::make_unique<TLogFileDestination>(this)),
      tcp_(std::make_unique<TTcpDestination>(this)),
      udp_(std::make_unique<TUdpDestination>(this)),
      http_(std::make_unique<THttpDestination>(this)),
      alias_(std::make_unique<TAliasDestination>(this)) {}

TLogWireDestination::~TLogWireDestination() = default;

TBaseDestination* TLogWireDestination::Part(int32_t index) const {
  switch (index) {
    case 0: return viewer_.get();
    case 1: return log_file_.get();
    case 2: return tcp_.get();
    case 3: return udp_.get();
    case 4: return http_.get();
    case 5: return alias_.get();
    default: return nullptr;
  }
}

void TLogWireDestination::SetAdditional(std::string_view additional) {
  if (additional_ == additional)
    return;
  additional_ = additional;
  UpdateHash();
}

std::string TLogWireDestination::GetDestinationString() const {
  std::string text;
  for (int32_t index = 0; index < kPartCount; ++index) {
    const TBaseDestination* part = Part(index);
    if (part->Active())
      AppendPart(text, part->GetText());
  }
  if (!additional_.empty())
    AppendPart(text, additional_);
  return text;
}

void TLogWireDestination::SetDestinationString(std::string_view text) {
  ResetAll();
  TUpdateScope<TLogWireDestination> update(*this);
  std::string options;
  std::string type_name;
  while (!text.empty()) {
    CutNextPart(text, options, type_name);
    const int32_t index = GetTypeIndex(type_name);
    if (index == kUnknownIndex)
      throw ELogWireInvalidDestination(
          Format("Invalid Destination Type -- %s is not recognized", {type_name}));
    TBaseDestination* part = Part(index);
    if (index == kViewerIndex) {
      part->SetActive(true);
    } else if (!part->Active()) {
      part->SetActive(true);
      part->ParseOptions(options);
    } else {
      // Appended in place: a string with many parts of one kind stays linear.
      AppendPart(additional_, type_name + "[" + options + "]");
    }
  }
}

void TLogWireDestination::EndUpdate() {
  update_batch_.End([this] { UpdateHash(); });
}

void TLogWireDestination::UpdateHash() {
  if (update_batch_.Change())
    hash_ = HashText(GetDestinationString());
}

void TLogWireDestination::ValidateAll() {
  for (int32_t index = 0; index < kPartCount; ++index)
    Part(index)->Validate();
}

void TLogWireDestination::ResetAll() {
  for (int32_t index = 0; index < kPartCount; ++index)
    Part(index)->Reset();
  additional_.clear();
}

void TLogWireDestination::CopyFrom(const TLogWireDestination& source) {
  if (&source == this)
    return;
  TUpdateScope<TLogWireDestination> update(*this);
  SetAdditional(source.Additional());
  for (int32_t index = 0; index < kPartCount; ++index)
    Part(index)->CopyFrom(*source.Part(index));
}

void TLogWireDestination::Assign(const TPersistent* source) {
  if (const auto* destination = dynamic_cast<const TLogWireDestination*>(source)) {
    CopyFrom(*destination);
    return;
  }
  TComponent::Assign(source);
}

int32_t TLogWireDestination::GetTypeIndex(std::string_view name) {
  static constexpr std::string_view kTypeNames[] = {"Viewer", "File", "Tcp", "Udp", "Http", "Alias"};
  for (int32_t index = 0; index < kPartCount; ++index) {
    if (SameText(name, kTypeNames[index]))
      return index;
  }
  return kUnknownIndex;
}

void TLogWireDestination::NextPart(std::string& text, std::string& options, std::string& type_name) {
  std::string_view rest = text;
  CutNextPart(rest, options, type_name);
  text = std::string(rest);
}

void TLogWireDestination::CutNextPart(std::string_view& text, std::string& options, std::string& type_name) {
  options.clear();
  type_name.clear();
  int64_t depth = 0;
  size_t position = 0;
  for (; position < text.size(); ++position) {
    const char c = text[position];
    if (c == ',' && depth <= 0)
      break;
    if (c == '[')
      ++depth;
    else if (c == ']')
      --depth;
    (depth <= 0 ? type_name : options) += c;
  }
  text.remove_prefix(position < text.size() ? position + 1 : position);
  if (!options.empty())
    options.erase(0, 1);  // the opening bracket
  if (!type_name.empty() && type_name.back() == ']')
    type_name.pop_back();
  type_name = std::string(Trim(type_name));
}

uint32_t TLogWireDestination::HashText(std::string_view text) {
  uint32_t hash = 0;
  const auto byte = [&](size_t position) { return static_cast<uint32_t>(static_cast<uint8_t>(text[position])); };
  const size_t length = text.size();
  if (length < 16) {
    for (size_t position = 0; position < length; ++position)
      hash = hash * 37 + byte(position);
    return hash;
  }
  const size_t step = length / 8;
  // Positions 0, step, 2 x step, ... while the remaining count, starting at
  // length - 1 and less one step per character, stays non-negative.
  for (size_t position = 0; position < length; position += step)
    hash = hash * 39 + byte(position);
  return hash;
}
