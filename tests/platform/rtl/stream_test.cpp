#include "platform/rtl/stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/rtl/file_stream.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/string_stream.h"

namespace {

TEST(MemoryStreamTest, ReadsWritesSeeksAndGrows) {
  TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  EXPECT_EQ(stream.Position(), 6);
  EXPECT_EQ(stream.Size(), 6);
  stream.SetPosition(10);  // writing past the end fills the gap with zeros
  stream.WriteBuffer("z", 1);
  EXPECT_EQ(stream.Size(), 11);
  EXPECT_EQ(stream.Memory()[7], 0);
  EXPECT_EQ(stream.Seek(-3, soEnd), 8);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 3);
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  stream.SetSize(2);
  EXPECT_EQ(stream.Position(), 2);
  stream.SetPosition(-5);
  EXPECT_EQ(stream.Read(buffer, 1), 0);  // before the start: nothing
  EXPECT_EQ(stream.Write("x", 1), 0);
}

TEST(MemoryStreamTest, ReadBufferAndWriteBufferRaiseThePlatformErrors) {
  TMemoryStream stream;
  stream.WriteBuffer("ab", 2);
  stream.SetPosition(0);
  char buffer[4];
  try {
    stream.ReadBuffer(buffer, 3);
    FAIL();
  } catch (const EReadError& error) {
    EXPECT_EQ(error.Message(), "Stream read error");
  }
  stream.ReadBuffer(buffer, 0);  // nothing to read is no error

  TStringStream read_only_like("x");
  read_only_like.SetPosition(-1);
  try {
    read_only_like.WriteBuffer("y", 1);
    FAIL();
  } catch (const EWriteError& error) {
    EXPECT_EQ(error.Message(), "Stream write error");
  }
}

TEST(MemoryStreamTest, CopyFromTakesACountOrTheWholeSource) {
  TStringStream source("0123456789");
  source.SetPosition(4);
  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 3), 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 3), "456");
  TStringStream whole;
  EXPECT_EQ(whole.CopyFrom(source, 0), 10);  // from the start, whatever the position
  EXPECT_EQ(whole.DataString(), "0123456789");
  source.SetPosition(8);
  EXPECT_THROW(target.CopyFrom(source, 5), EReadError);
}

TEST(MemoryStreamTest, AbsurdSizesFailWithAStreamError) {
  TMemoryStream stream;
  EXPECT_THROW(stream.SetSize(INT64_MAX), EStreamError);
  EXPECT_EQ(stream.Size(), 0);
}

TEST(StringStreamTest, ReadStringStopsAtTheEnd) {
  TStringStream stream("Größe");
  EXPECT_EQ(stream.ReadString(3), "Gr\xC3");
  EXPECT_EQ(stream.ReadString(100), "\xB6\xC3\x9F" "e");
  stream.WriteString("!");
  EXPECT_EQ(stream.DataString(), "Größe!");
  EXPECT_EQ(stream.ReadString(-1), "");
}

class FileStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("lx_stream_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string PathOf(const char* name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

TEST_F(FileStreamTest, CreateWritesAndOpenReadsBack) {
  const std::string path = PathOf("data.bin");
  {
    TFileStream file(path, fmCreate);
    file.WriteBuffer("hello world", 11);
    file.SetSize(5);  // cuts and leaves the position at the end
    EXPECT_EQ(file.Position(), 5);
    file.WriteBuffer("!", 1);
    file.FlushToDisk();
  }
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(file.Size(), 6);
  char buffer[6];
  file.ReadBuffer(buffer, 6);
  EXPECT_EQ(std::string(buffer, 6), "hello!");
  EXPECT_EQ(file.Write("x", 1), 0);  // opened for reading only
}

TEST_F(FileStreamTest, OpeningAMissingFileNamesItInTheError) {
  const std::string path = PathOf("missing.txt");
  try {
    TFileStream file(path, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.Message().rfind("Cannot open file \"" + path + "\". ", 0), 0u) << error.Message();
  }
  EXPECT_THROW(TFileStream(PathOf("no/such/folder.txt"), fmCreate), EFCreateError);
  EXPECT_THROW(TFileStream(folder_.string(), fmOpenRead), EFOpenError);  // a folder is not a file
}

// Each row: the first handle's mode, the second's, whether the second opens.
struct ShareCase {
  uint16_t first;
  uint16_t second;
  bool second_opens;
};

TEST_F(FileStreamTest, ShareModesDecideWhetherASecondHandleOpens) {
  const std::string path = PathOf("shared.txt");
  { TFileStream create(path, fmCreate); }
  const ShareCase cases[] = {
      {fmOpenReadWrite | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
      {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
      {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenReadWrite | fmShareDenyNone, false},
      {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
      {fmOpenReadWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite, false},  // it would deny a writer
      {fmOpenReadWrite | fmShareDenyNone, fmOpenReadWrite | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyNone, fmOpenReadWrite | fmShareExclusive, false},
      {fmOpenRead | fmShareDenyNone, fmCreate, false},
      {fmOpenWrite | fmShareDenyRead, fmOpenRead | fmShareDenyNone, false},
      {fmOpenWrite | fmShareDenyRead, fmOpenWrite | fmShareDenyNone, true},
  };
  for (const ShareCase& c : cases) {
    TFileStream first(path, c.first);
    bool opened = true;
    try {
      TFileStream second(path, c.second);
    } catch (const EStreamError& error) {
      opened = false;
      EXPECT_NE(error.Message().find(path), std::string::npos);
    }
    EXPECT_EQ(opened, c.second_opens) << std::hex << c.first << " then " << c.second;
  }
  // Closed handles leave nothing behind.
  TFileStream exclusive(path, fmOpenReadWrite | fmShareExclusive);
}

TEST_F(FileStreamTest, CreateRefusedBySharingLeavesTheContent) {
  const std::string path = PathOf("kept.txt");
  {
    TFileStream file(path, fmCreate);
    file.WriteBuffer("keep", 4);
  }
  {
    TFileStream reader(path, fmOpenRead | fmShareDenyWrite);
    EXPECT_THROW(TFileStream(path, fmCreate), EFCreateError);
  }
  EXPECT_EQ(std::filesystem::file_size(path), 4u);
}

TEST_F(FileStreamTest, MemoryStreamLoadsAndSavesFiles) {
  const std::string path = PathOf("copy.bin");
  TStringStream source("payload");
  TMemoryStream memory;
  memory.LoadFromStream(source);
  memory.SaveToFile(path);
  TMemoryStream loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.Bytes(), memory.Bytes());
  EXPECT_EQ(loaded.Position(), 0);
}

}  // namespace
