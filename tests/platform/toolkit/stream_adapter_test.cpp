#include "platform/toolkit/stream_adapter.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/memory_stream.h"

namespace {

// Counts its own destruction, to see an owned stream freed with the adapter.
class CountedStream : public TMemoryStream {
 public:
  explicit CountedStream(int& destroyed) : destroyed_(destroyed) {}
  ~CountedStream() override { ++destroyed_; }

 private:
  int& destroyed_;
};

TEST(StreamAdapterTest, ReadsWritesAndSeeksTheStream) {
  TMemoryStream stream;
  IStream* adapter = nullptr;
  ASSERT_EQ((new TStreamAdapter(stream))->QueryInterface(__uuidof(IStream), reinterpret_cast<void**>(&adapter)),
            S_OK);
  ULONG moved = 0;
  ASSERT_EQ(adapter->Write("abcdef", 6, &moved), S_OK);
  EXPECT_EQ(moved, 6u);
  LARGE_INTEGER offset{};
  offset.QuadPart = -4;
  ULARGE_INTEGER position{};
  ASSERT_EQ(adapter->Seek(offset, STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 2u);
  char buffer[8] = {};
  ASSERT_EQ(adapter->Read(buffer, 8, &moved), S_OK);
  EXPECT_EQ(moved, 4u);
  EXPECT_EQ(std::string(buffer, 4), "cdef");
  STATSTG statistics{};
  ASSERT_EQ(adapter->Stat(&statistics, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(statistics.cbSize.QuadPart, 6u);
  EXPECT_EQ(statistics.type, static_cast<DWORD>(STGTY_STREAM));
  ULARGE_INTEGER size{};
  size.QuadPart = 3;
  ASSERT_EQ(adapter->SetSize(size), S_OK);
  EXPECT_EQ(stream.Size(), 3);
  offset.QuadPart = 0;
  EXPECT_EQ(adapter->Seek(offset, 7, nullptr), STG_E_INVALIDFUNCTION);
  void* other = nullptr;
  EXPECT_EQ(adapter->QueryInterface(__uuidof(IDispatch), &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(adapter->Release(), 0u);
  EXPECT_EQ(stream.Size(), 3);  // held by reference: still ours
}

TEST(StreamAdapterTest, CopiesIntoAnotherSystemStream) {
  TMemoryStream source;
  source.WriteBuffer("0123456789", 10);
  source.SetPosition(2);
  TMemoryStream target;
  auto* from = new TStreamAdapter(source);
  auto* to = new TStreamAdapter(target);
  from->AddRef();
  to->AddRef();
  ULARGE_INTEGER count{};
  count.QuadPart = 5;
  ULARGE_INTEGER read{};
  ULARGE_INTEGER written{};
  EXPECT_EQ(from->CopyTo(to, count, &read, &written), S_OK);
  EXPECT_EQ(read.QuadPart, 5u);
  EXPECT_EQ(written.QuadPart, 5u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 5), "23456");
  from->Release();
  to->Release();
}

TEST(StreamAdapterTest, AnOwnedStreamGoesWithTheLastReference) {
  int destroyed = 0;
  auto* adapter = new TStreamAdapter(*new CountedStream(destroyed), soOwned);
  adapter->AddRef();
  adapter->AddRef();
  adapter->Release();
  EXPECT_EQ(destroyed, 0);
  adapter->Release();
  EXPECT_EQ(destroyed, 1);
}

}  // namespace
