// The editor styles' enumerations in form descriptions: every value written
// by the platform's writer comes back through its reader, and a value the
// reader does not know is refused without touching the style.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editors/edit_style_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"

namespace {

// One published enumeration of the edit style: its values in order, how to
// set one and how to read it back.
struct StyleEnumeration {
  const char* name;
  int count;
  std::function<void(TlxEditStyle&, int)> set;
  std::function<int(const TlxEditStyle&)> get;
};

std::vector<StyleEnumeration> Enumerations() {
  return {
      {"BorderStyle", ebsOffice11 + 1,
       [](TlxEditStyle& s, int v) { s.SetBorderStyle(static_cast<TlxEditBorderStyle>(v)); },
       [](const TlxEditStyle& s) { return static_cast<int>(s.GetBorderStyle()); }},
      {"ButtonStyle", btsOffice11 + 1,
       [](TlxEditStyle& s, int v) { s.SetButtonStyle(static_cast<TlxEditButtonStyle>(v)); },
       [](const TlxEditStyle& s) { return static_cast<int>(s.GetButtonStyle()); }},
      {"ButtonTransparency", ebtHideUnselected + 1,
       [](TlxEditStyle& s, int v) { s.SetButtonTransparency(static_cast<TlxEditButtonTransparency>(v)); },
       [](const TlxEditStyle& s) { return static_cast<int>(s.GetButtonTransparency()); }},
      {"GradientDirection", 5,
       [](TlxEditStyle& s, int v) { s.SetGradientDirection(static_cast<TlxEditGradientDirection>(v)); },
       [](const TlxEditStyle& s) { return static_cast<int>(s.GetGradientDirection()); }},
      {"PopupBorderStyle", epbsFlat + 1,
       [](TlxEditStyle& s, int v) { s.SetPopupBorderStyle(static_cast<TlxEditPopupBorderStyle>(v)); },
       [](const TlxEditStyle& s) { return static_cast<int>(s.GetPopupBorderStyle()); }},
  };
}

std::string Bytes(TMemoryStream& stream) {
  const auto* bytes = reinterpret_cast<const char*>(stream.Memory());
  return std::string(bytes, bytes + stream.Size());
}

TEST(EditStyleStreamingTest, EveryEnumerationValueComesBack) {
  for (const StyleEnumeration& e : Enumerations()) {
    for (int value = 0; value < e.count; ++value) {
      SCOPED_TRACE(testing::Message() << e.name << " = " << value);
      TlxEditStyleController written(nullptr);
      e.set(*written.Style(), value);
      TMemoryStream stream;
      stream.WriteComponent(written);

      TlxEditStyleController read(nullptr);
      // Start the reader's copy from another value, so that a value the
      // description left out would show.
      e.set(*read.Style(), value == 0 ? 1 : 0);
      stream.SetPosition(0);
      stream.ReadComponent(&read);
      EXPECT_EQ(e.get(*read.Style()), value);
    }
  }
}

TEST(EditStyleStreamingTest, AnUnknownValueIsRefusedAndLeavesTheStyle) {
  TlxEditStyleController written(nullptr);
  written.Style()->SetBorderStyle(ebsFlat);
  written.Style()->SetButtonStyle(btsHotFlat);
  TMemoryStream stream;
  stream.WriteComponent(written);
  std::string bytes = Bytes(stream);
  // The same length, so the description stays well formed around it.
  const size_t at = bytes.find("btsHotFlat");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 10, "btsHotFlux");

  TMemoryStream spoilt;
  spoilt.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  spoilt.SetPosition(0);
  TlxEditStyleController read(nullptr);
  read.Style()->SetButtonStyle(bts3D);
  EXPECT_THROW(spoilt.ReadComponent(&read), EReadError);
  EXPECT_EQ(read.Style()->GetButtonStyle(), bts3D);
}

}  // namespace
