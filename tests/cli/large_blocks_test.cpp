// The large-block range of specbridge-cli: first fit from the bottom, freed
// neighbours joined, nothing handed out twice, null when it is full.
#include "cli/large_blocks.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace specbridge::cli {
namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kMiB = std::size_t{1} << 20;

std::uintptr_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

TEST(LargeBlocks, HandsOutDisjointAlignedBlocksAndReusesFreedSpace) {
  LargeBlocks blocks(8 * kMiB);
  void* a = blocks.Allocate(kMiB);
  void* b = blocks.Allocate(kMiB);
  void* c = blocks.Allocate(kMiB);
  ASSERT_TRUE(a && b && c);
  for (void* p : {a, b, c}) {
    EXPECT_TRUE(blocks.Owns(p));
    EXPECT_EQ(Address(p) % 16, 0u);
    std::memset(p, 0x5A, kMiB);  // the whole block is writable
  }
  EXPECT_GE(Address(b), Address(a) + kMiB);
  EXPECT_GE(Address(c), Address(b) + kMiB);
  const std::size_t highWater = blocks.HighWater();

  // a and b freed in either order join into one range that takes a block of
  // twice the size at a's place, without raising the high water.
  blocks.Free(b);
  blocks.Free(a);
  void* d = blocks.Allocate(2 * kMiB);
  EXPECT_EQ(d, a);
  EXPECT_EQ(blocks.HighWater(), highWater);

  // Freed between two live blocks, a range is reused by a smaller block.
  blocks.Free(d);
  void* e = blocks.Allocate(kMiB / 2);
  EXPECT_EQ(e, a);
  blocks.Free(e);
  blocks.Free(c);
  // Everything free again: one range from the bottom.
  EXPECT_EQ(blocks.Allocate(7 * kMiB), a);
}

TEST(LargeBlocks, RefusesWhatDoesNotFitAndStaysUsable) {
  LargeBlocks blocks(4 * kMiB);
  EXPECT_EQ(blocks.Allocate(5 * kMiB), nullptr);
  EXPECT_EQ(blocks.Allocate(SIZE_MAX - 8), nullptr);
  void* a = blocks.Allocate(3 * kMiB);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(blocks.Allocate(2 * kMiB), nullptr);
  blocks.Free(a);
  EXPECT_NE(blocks.Allocate(2 * kMiB), nullptr);
  int local = 0;
  EXPECT_FALSE(blocks.Owns(&local));
}

TEST(LargeBlocks, ManyHolesAtOnce) {
  // More holes than the free list holds: blocks freed past its end are
  // lost to reuse, never handed out twice.
  // A block of a page less its size field takes one page.
  constexpr std::size_t kBlock = kPage - 16;
  LargeBlocks blocks(1024 * kPage);
  std::vector<void*> live;
  for (void* p = blocks.Allocate(kBlock); p != nullptr; p = blocks.Allocate(kBlock)) live.push_back(p);
  ASSERT_EQ(live.size(), 1024u);
  for (std::size_t i = 0; i < live.size(); i += 2) blocks.Free(live[i]);
  std::vector<void*> again;
  for (void* p = blocks.Allocate(kBlock); p != nullptr; p = blocks.Allocate(kBlock)) again.push_back(p);
  EXPECT_EQ(again.size(), 256u);
  for (void* p : again) {
    const auto index = static_cast<std::size_t>((Address(p) - Address(live[0])) / kPage);
    EXPECT_EQ(live[index], p);
    EXPECT_EQ(index % 2, 0u);
  }
}

}  // namespace
}  // namespace specbridge::cli
