#pragma once
// Shares a loop among worker threads and waits for them all.
#include <algorithm>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace qb {

// Threads for a run: the number asked for, or one per core for 0.
inline int WorkerThreads(int asked) {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(asked > 0 ? asked : cores, 1, 64);
}

// Parts to cut n items into: one per thread, but none shorter than least
// (a thread costs more than a short loop).
inline size_t PartsFor(size_t n, int threads, size_t least) {
  const size_t most = std::max<size_t>(1, n / std::max<size_t>(1, least));
  return std::min<size_t>(static_cast<size_t>(WorkerThreads(threads)), most);
}

// Calls fn(p) for p = 0..parts-1, one thread each, part 0 on the caller.
// What a call throws reaches the caller once every part has ended.
template <typename Fn>
void ParallelParts(size_t parts, Fn&& fn) {
  if (parts <= 1) {
    if (parts == 1) fn(size_t{0});
    return;
  }
  std::mutex m;
  std::exception_ptr error;
  auto run = [&](size_t p) {
    try {
      fn(p);
    } catch (...) {
      std::lock_guard<std::mutex> lock(m);
      if (!error) error = std::current_exception();
    }
  };
  std::vector<std::thread> pool;
  pool.reserve(parts - 1);
  for (size_t p = 1; p < parts; ++p) pool.emplace_back(run, p);
  run(0);
  for (std::thread& t : pool) t.join();
  if (error) std::rethrow_exception(error);
}

// Calls fn(from, to) on consecutive ranges that cover 0..n.
template <typename Fn>
void ParallelRanges(size_t n, int threads, Fn&& fn, size_t leastPerThread = 1024) {
  const size_t parts = PartsFor(n, threads, leastPerThread);
  ParallelParts(parts, [&](size_t p) { fn(n * p / parts, n * (p + 1) / parts); });
}

// v holds sorted parts v[bound[p]..bound[p + 1]); merges them into one.
template <typename T>
void MergeSortedParts(std::vector<T>& v, std::vector<size_t> bound) {
  std::vector<T> buffer;
  while (bound.size() > 2) {
    buffer.resize(v.size());
    std::vector<size_t> next;
    size_t p = 0;
    for (; p + 2 < bound.size(); p += 2) {
      std::merge(v.begin() + bound[p], v.begin() + bound[p + 1], v.begin() + bound[p + 1],
                 v.begin() + bound[p + 2], buffer.begin() + bound[p]);
      next.push_back(bound[p]);
    }
    if (p + 1 < bound.size()) {  // an odd part out
      std::copy(v.begin() + bound[p], v.begin() + bound[p + 1], buffer.begin() + bound[p]);
      next.push_back(bound[p]);
    }
    next.push_back(v.size());
    v.swap(buffer);
    bound = std::move(next);
  }
}

// Sorts by operator<: parts sorted side by side, then merged. Equal elements
// may come out in any order, so keys should be unique.
template <typename T>
void ParallelSort(std::vector<T>& v, int threads, size_t leastPerThread = 4096) {
  const size_t n = v.size();
  const size_t parts = PartsFor(n, threads, leastPerThread);
  std::vector<size_t> bound(parts + 1);
  for (size_t p = 0; p <= parts; ++p) bound[p] = n * p / parts;
  ParallelParts(parts, [&](size_t p) { std::sort(v.begin() + bound[p], v.begin() + bound[p + 1]); });
  MergeSortedParts(v, std::move(bound));
}

}  // namespace qb
