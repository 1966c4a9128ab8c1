#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>

#include "standings/logic/parallel.h"

namespace qb {
namespace {

TEST(ParallelSort, SortsLikeTheStandardSortOnAnyNumberOfThreads) {
  std::mt19937 rng(3);
  for (size_t n : {0, 1, 5000, 8193, 40000}) {
    std::vector<uint64_t> v(n);
    for (uint64_t& x : v) x = rng() % 1000 * 100000 + rng() % 100000;
    std::vector<uint64_t> expected = v;
    std::sort(expected.begin(), expected.end());
    for (int threads : {1, 2, 3, 7, 8}) {
      std::vector<uint64_t> w = v;
      ParallelSort(w, threads, 1000);
      ASSERT_EQ(w, expected) << n << " values, " << threads << " threads";
    }
  }
}

TEST(ParallelRanges, CoversEveryIndexOnceAndPassesOnWhatIsThrown) {
  std::vector<std::atomic<int>> seen(10000);
  ParallelRanges(seen.size(), 6, [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) ++seen[i];
  }, 100);
  for (const auto& x : seen) ASSERT_EQ(x.load(), 1);
  EXPECT_THROW(ParallelRanges(
                   10000, 4,
                   [](size_t from, size_t) {
                     if (from > 0) throw std::runtime_error("worker");
                   },
                   100),
               std::runtime_error);
}

}  // namespace
}  // namespace qb
