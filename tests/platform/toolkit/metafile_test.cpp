#include "platform/toolkit/metafile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/picture.h"

namespace {

// A recorded drawing: a green rectangle over the left half of its frame.
HENHMETAFILE RecordGreenHalf() {
  HDC screen = GetDC(nullptr);
  const int width_mm100 = MulDiv(40, 2540, GetDeviceCaps(screen, LOGPIXELSX));
  const int height_mm100 = MulDiv(20, 2540, GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  const RECT frame{0, 0, width_mm100, height_mm100};
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  const RECT half{0, 0, 20, 20};
  FillRect(dc, &half, green);
  DeleteObject(green);
  return CloseEnhMetaFile(dc);
}

std::string MetafileBytes(TMetafile& metafile) {
  TMemoryStream stream;
  metafile.SaveToStream(stream);
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void LoadMetafile(TMetafile& metafile, const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  metafile.LoadFromStream(stream);
}

TEST(MetafileTest, RoundTripsThroughItsFileFormAndDraws) {
  TMetafile recorded;
  recorded.SetHandle(RecordGreenHalf());
  EXPECT_NEAR(recorded.Width(), 40, 1);
  EXPECT_NEAR(recorded.Height(), 20, 1);
  const std::string bytes = MetafileBytes(recorded);
  ASSERT_TRUE(IsEnhancedMetafile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));

  TMetafile loaded;
  LoadMetafile(loaded, bytes);
  ASSERT_FALSE(loaded.Empty());
  EXPECT_EQ(MetafileBytes(loaded), bytes);
  TBitmap target(40, 20, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(TRect(0, 0, 40, 20));
  target.Canvas().StretchDraw(TRect(0, 0, 40, 20), &loaded);
  EXPECT_EQ(target.Canvas().Pixel(5, 10), clLime);
  EXPECT_EQ(target.Canvas().Pixel(35, 10), clWhite);

  TMetafile copy;
  copy.Assign(&loaded);
  EXPECT_NE(copy.Handle(), loaded.Handle());
  EXPECT_EQ(MetafileBytes(copy), bytes);
  EXPECT_EQ(TPicture::GraphicClassOfExtension("emf"), &TMetafile::kClass);
}

TEST(MetafileTest, BrokenBytesRaiseAndLeaveItEmpty) {
  TMetafile recorded;
  recorded.SetHandle(RecordGreenHalf());
  const std::string bytes = MetafileBytes(recorded);
  std::string long_record = bytes;
  uint32_t header_size = 0;
  std::memcpy(&header_size, bytes.data() + 4, sizeof(header_size));
  long_record[header_size + 5] = static_cast<char>(0x7F);  // the second record's size
  std::string wrong_total = bytes;
  wrong_total[48] = static_cast<char>(wrong_total[48] + 4);  // nBytes
  std::string no_signature = bytes;
  no_signature[40] = 'X';
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"truncated", bytes.substr(0, bytes.size() - 12)},
      {"header only", bytes.substr(0, 88)},
      {"record beyond the end", long_record},
      {"total beyond the end", wrong_total},
      {"no signature", no_signature},
      {"a bitmap", "BM" + std::string(200, '\0')},
  };
  for (const Case& c : cases) {
    TMetafile metafile;
    metafile.SetHandle(RecordGreenHalf());
    EXPECT_THROW(LoadMetafile(metafile, c.bytes), EInvalidGraphic) << c.name;
    EXPECT_TRUE(metafile.Empty()) << c.name;
    EXPECT_EQ(metafile.Width(), 0) << c.name;
  }
}

}  // namespace
