// The fast engine.
//
// Scenarios are visited in Gray-code order, the final on the digit that flips
// most often, so from one scenario to the next only a game or two change
// their winner. Entries with the same points and the same picks of the open
// games form one class; classes are ordered by those picks, so the classes
// that picked one team for a game lie in a few runs, and a changed winner
// moves whole runs of fixed-point scores at once.
//
// The fixed-point score of a class is the exact sum of its points and
// winnings, within a known distance of the single-precision sum that the
// reference rounds to hundredths. So only the classes near the top and near
// the bottom can matter; those few are summed and rounded exactly as the
// reference does it (with whole points and no seed bonus the fixed-point
// score already is that sum), and they alone settle the places.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "core/bracket.h"
#include "core/payout.h"
#include "core/scoring.h"
#include "standings/logic/parallel.h"
#include "standings/logic/possibilities.h"

namespace qb {

using namespace possibilities_detail;

namespace {

constexpr int kSlots = kMaxOpenGames + 1;  // open games 1..15
constexpr int kCodeBits = 5;               // a game has at most 16 possible winners

// The few loops that touch every class get a wide-vector copy as well, chosen
// when the program starts on a processor that has them.
// (Not under the thread checker: the choice is made before its runtime starts.)
#if defined(__SANITIZE_THREAD__)
#define QB_WIDE_VECTORS
#else
#define QB_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#endif

struct Range {
  int32_t begin;
  int32_t end;
};

struct ClassCount {
  std::array<int32_t, kPayoutPlaces + 1> place{};  // 0 booby, 1..5
};

// Runs fn(t) on n threads while the calling thread reports progress.
template <typename Fn, typename Poll>
void RunThreads(int n, Fn&& fn, Poll&& poll) {
  std::mutex m;
  std::condition_variable cv;
  int remaining = n;
  std::vector<std::thread> pool;
  pool.reserve(n);
  for (int t = 0; t < n; ++t) {
    pool.emplace_back([&, t] {
      fn(t);
      std::lock_guard<std::mutex> lock(m);
      if (--remaining == 0) cv.notify_all();
    });
  }
  {
    std::unique_lock<std::mutex> lock(m);
    while (remaining > 0) {
      cv.wait_for(lock, std::chrono::milliseconds(20), [&] { return remaining == 0; });
      lock.unlock();
      poll();
      lock.lock();
    }
  }
  for (std::thread& th : pool) th.join();
}

QB_WIDE_VECTORS void AddToRange(int32_t* __restrict score, int32_t count, int32_t d) {
  for (int32_t c = 0; c < count; ++c) score[c] += d;
}

// Highest and lowest score of every block of classes, branch-free.
QB_WIDE_VECTORS void BlockBounds(const int32_t* score, int32_t count, int32_t block, int32_t* high,
                                 int32_t* low) {
  for (int32_t b = 0, x = 0; b < count; b += block, ++x) {
    const int32_t e = std::min(b + block, count);
    int32_t hi = INT32_MIN, lo = INT32_MAX;
    for (int32_t c = b; c < e; ++c) {
      const int32_t v = score[c];
      hi = v > hi ? v : hi;
      lo = v < lo ? v : lo;
    }
    high[x] = hi;
    low[x] = lo;
  }
}

class FastEngine {
 public:
  FastEngine(const PossibilitiesSnapshot& snap, const PossibilitiesOptions& options)
      : snap_(snap),
        pool_(snap.Pool),
        options_(options),
        k_(snap.Open.OpenGameCount),
        n_(snap.Open.ScenarioCount),
        paid_(PaidPlaces(snap.Pool)),
        booby_(HasBooby(snap.Pool)) {
    threads_ = WorkerThreads(options.Threads);
  }

  PossibilitiesResult Run();

 private:
  bool Stopping() const {
    return abort_.load(std::memory_order_relaxed) ||
           (options_.Cancel && options_.Cancel->load(std::memory_order_relaxed));
  }
  void Fail() {
    std::lock_guard<std::mutex> lock(errorMutex_);
    if (!error_) error_ = std::current_exception();
    abort_ = true;
  }
  template <typename Fn>
  void Parallel(int n, Fn&& fn) {
    RunThreads(
        n,
        [&](int t) {
          try {
            fn(t);
          } catch (...) {
            Fail();
          }
        },
        [&] {
          // The callback runs the caller's code; what it throws ends the run
          // once the workers have stopped.
          try {
            ReportProgress();
          } catch (...) {
            Fail();
          }
        });
    if (error_) std::rethrow_exception(error_);
  }
  void ReportProgress() {
    if (!options_.Progress) return;
    int32_t done = counted_.load();
    if (n_ <= kMaxShownScenarios) done = (done + texted_.load()) / 2;
    if (done != lastReported_) {
      lastReported_ = done;
      options_.Progress(done);
    }
  }

  int32_t ScenarioAt(int32_t t) const {
    const uint32_t gray = static_cast<uint32_t>(t) ^ (static_cast<uint32_t>(t) >> 1);
    uint32_t s = 0;
    for (int j = 0; j < k_; ++j)
      if (gray & (1u << j)) s |= 1u << (k_ - 1 - j);  // digit j is open game k - j
    return static_cast<int32_t>(s) + 1;
  }
  // Scenarios per task: enough tasks to balance the threads, each long
  // enough that its fresh start is paid back by the steps after it.
  int32_t ChunkSize() const { return std::clamp<int32_t>(n_ / (threads_ * 8), 1, 1024); }
  size_t At(int32_t s, int i) const { return (static_cast<size_t>(s) - 1) * k_ + (i - 1); }
  int32_t Fix(float v) const { return static_cast<int32_t>(std::llrint(v * scale_)); }
  int32_t ValueFix(int32_t s, int i) const {
    return seeded_ ? rpFix_[i] + Fix(bonus_[At(s, i)]) : rpFix_[i];
  }

  bool FindPossibleWinners();
  void BuildTables(std::array<float, kSlots>& most);
  void ComputeTables(int32_t from, int32_t to, std::array<float, kSlots>& most);
  void BuildClasses();
  bool ChooseFixedPoint(const std::array<float, kSlots>& most);
  void CountChunks(std::vector<ClassCount>& counts);
  // won[i - 1]: the code of open game i's winner in scenario s.
  double ExactScore(int32_t c, int32_t s, const uint8_t* won) const;

  const PossibilitiesSnapshot& snap_;
  const PoolState& pool_;
  const PossibilitiesOptions& options_;
  const int k_;
  const int32_t n_;
  const int paid_;
  const bool booby_;
  int threads_ = 1;

  std::atomic<bool> abort_{false};
  std::mutex errorMutex_;
  std::exception_ptr error_;
  std::atomic<int32_t> counted_{0};
  std::atomic<int32_t> texted_{0};
  std::atomic<int32_t> nextChunk_{0};
  int32_t lastReported_ = -1;
  std::atomic<bool> nonFinite_{false};

  std::array<float, kSlots> rp_{};
  std::array<std::vector<int16_t>, kSlots> winners_;  // code c is winners_[i][c - 1]
  // codeOf_[i][slot]: the code of a team that can win open game i, else 0.
  std::array<std::array<uint8_t, kMaxSlots + 1>, kSlots> codeOf_{};
  // Some open game's round has a seed method; without one every bonus is 0
  // and no bonus is kept.
  bool seeded_ = false;
  std::unique_ptr<float[]> bonus_;   // At(s, i)

  int32_t classes_ = 0;
  int64_t totalWeight_ = 0;
  std::vector<float> classPoints_;
  std::vector<int32_t> classWeight_;
  std::vector<uint8_t> classCode_;  // classes x k: code of the pick, 0 never wins
  std::vector<int32_t> entryClass_;
  std::array<std::vector<std::vector<Range>>, kSlots> runs_;  // [i][code]

  double scale_ = 1;
  std::array<int32_t, kSlots> rpFix_{};
  std::vector<int32_t> classFix_;
  int32_t deltaFix_ = 0;
  bool wholeScores_ = false;  // the fixed-point scores order and tie as the reference's
};

// The teams that can win each open game: its two slots in round 1, later the
// winners its feeders can have (a decided feeder has one).
bool FastEngine::FindPossibleWinners() {
  const OpenGameList& open = snap_.Open;
  for (int i = 1; i <= k_; ++i) {
    rp_[i] = pool_.Pool.RoundPoints[open.OpenGameRound[i]];
    const int g = open.OpenGame[i];
    const int r = open.OpenGameRound[i];
    std::vector<int16_t>& w = winners_[i];
    if (r <= 1) {
      w = {static_cast<int16_t>(2 * g - 1), static_cast<int16_t>(2 * g)};
    } else {
      const int m = g - pool_.RoundEnd[r - 1];
      const int first = pool_.RoundEnd[r - 2] + 2 * m - 1;
      for (int f = first; f <= first + 1; ++f) {
        int j = 0;
        for (int x = 1; x < i; ++x)
          if (open.OpenGame[x] == f) j = x;
        if (j) {
          w.insert(w.end(), winners_[j].begin(), winners_[j].end());
        } else {
          w.push_back(f >= 1 && f <= kMaxGames ? pool_.Pool.Results[f] : 0);
        }
      }
    }
    std::sort(w.begin(), w.end());
    w.erase(std::unique(w.begin(), w.end()), w.end());
    if (w.size() >= (1u << kCodeBits)) return false;
    for (size_t c = 0; c < w.size(); ++c) {
      // A stored result outside the bracket: the reference copes with it.
      if (w[c] < 0 || w[c] > kMaxSlots) return false;
      codeOf_[i][w[c]] = static_cast<uint8_t>(c + 1);
    }
    // The core scores a game by the round its own table gives it.
    const int scored = g >= 1 && g <= kMaxGames ? pool_.GameRound[g] : r;
    seeded_ = seeded_ || WholeSeedMethod(pool_.Pool.SeedMethod[r]) != 0 ||
              (scored >= 1 && scored <= kMaxRounds &&
               WholeSeedMethod(pool_.Pool.SeedMethod[scored]) != 0);
  }
  return true;
}

// With a seed method in some round: the seed bonus of a correct pick of each
// open game in each scenario, the same for every entry that picked the
// winner, from the core's own scoring. Each worker writes its own scenarios,
// so the table is first touched there. Without one, every bonus is 0.
void FastEngine::BuildTables(std::array<float, kSlots>& most) {
  if (!seeded_) return;
  bonus_.reset(new float[static_cast<size_t>(n_) * k_]);
  const int workers = std::max(1, std::min<int>(threads_, n_ / 1024 + 1));
  std::vector<std::array<float, kSlots>> mostByThread(workers);
  Parallel(workers, [&](int t) {
    const int32_t from = 1 + static_cast<int32_t>(int64_t{n_} * t / workers);
    const int32_t to = 1 + static_cast<int32_t>(int64_t{n_} * (t + 1) / workers);
    ComputeTables(from, to, mostByThread[t]);
  });
  for (const auto& m : mostByThread)
    for (int i = 1; i <= k_; ++i) most[i] = std::max(most[i], m[i]);
}

void FastEngine::ComputeTables(int32_t from, int32_t to, std::array<float, kSlots>& most) {
  const OpenGameList& open = snap_.Open;
  GameTable games = snap_.Games;
  std::array<int16_t, 32> winner{}, loser{};
  for (int32_t s = from; s < to; ++s) {
    if ((s & 255) == 0 && Stopping()) return;
    snap_.Outcomes.Get(s, winner.data(), loser.data());
    for (int i = 1; i <= k_; ++i) {
      GameRecord& game = games[open.OpenGame[i]];
      game.Winner = winner[i];
      game.Loser = loser[i];
      game.WinnerSeed = SeedOf(pool_, game.Winner);
      game.LoserSeed = SeedOf(pool_, game.Loser);
    }
    float* bonus = &bonus_[At(s, 1)];
    for (int i = 1; i <= k_; ++i) {
      const int g = open.OpenGame[i];
      games[g].Pick = winner[i];
      games[g].PickSeed = SeedOf(pool_, winner[i]);
      const float b = SeedBonusForGame(pool_, games, g, false);
      bonus[i - 1] = b;
      if (std::isfinite(b))
        most[i] = std::max(most[i], std::fabs(b));
      else
        nonFinite_ = true;
    }
  }
}

void FastEngine::BuildClasses() {
  struct Key {
    uint64_t high, low;
    uint32_t points;
    int32_t entry;
    bool operator<(const Key& y) const {
      if (high != y.high) return high < y.high;
      if (low != y.low) return low < y.low;
      if (points != y.points) return points < y.points;
      return entry < y.entry;
    }
  };
  const size_t a = snap_.Entries.size();
  std::vector<Key> keys(a);
  std::vector<uint8_t> codes(a * k_);
  // Each thread makes the keys of its part and sorts them; the parts are then merged.
  const size_t parts = PartsFor(a, threads_, 2048);
  std::vector<size_t> bound(parts + 1);
  for (size_t p = 0; p <= parts; ++p) bound[p] = a * p / parts;
  ParallelParts(parts, [&](size_t p) {
    for (size_t e = bound[p]; e < bound[p + 1]; ++e) {
      Key key{0, 0, 0, static_cast<int32_t>(e)};
      for (int i = 1; i <= k_; ++i) {
        const int16_t pick = snap_.OpenPick(e, i);
        const uint8_t c = pick >= 0 && pick <= kMaxSlots ? codeOf_[i][pick] : 0;
        codes[e * k_ + i - 1] = c;
        // The final first: the digit that flips most often gets the longest runs.
        const int j = k_ - i;
        if (j < 12)
          key.high |= static_cast<uint64_t>(c) << (kCodeBits * (11 - j));
        else
          key.low |= static_cast<uint64_t>(c) << (kCodeBits * (14 - j));
      }
      std::memcpy(&key.points, &snap_.Entries[e].Points, sizeof(float));
      keys[e] = key;
    }
    std::sort(keys.begin() + bound[p], keys.begin() + bound[p + 1]);
  });
  MergeSortedParts(keys, std::move(bound));

  // One class per run of equal keys; each class remembers its first entry.
  entryClass_.assign(a, 0);
  std::vector<int32_t> firstOf;
  for (size_t x = 0; x < a; ++x) {
    const Key& key = keys[x];
    if (x == 0 || key.high != keys[x - 1].high || key.low != keys[x - 1].low ||
        key.points != keys[x - 1].points) {
      ++classes_;
      firstOf.push_back(key.entry);
      classWeight_.push_back(0);
    }
    ++classWeight_.back();
    entryClass_[key.entry] = classes_ - 1;
  }
  totalWeight_ = static_cast<int64_t>(a);
  classPoints_.resize(classes_);
  classCode_.resize(static_cast<size_t>(classes_) * k_);
  for (int32_t c = 0; c < classes_; ++c) {
    const int32_t e = firstOf[c];
    classPoints_[c] = snap_.Entries[e].Points;
    std::copy_n(codes.begin() + static_cast<size_t>(e) * k_, k_,
                classCode_.begin() + static_cast<size_t>(c) * k_);
  }

  // The runs of each open game, the games side by side.
  const size_t gameParts = classes_ < 4096 ? 1 : std::min<size_t>(k_, WorkerThreads(threads_));
  ParallelParts(gameParts, [&](size_t part) {
    for (int i = 1 + static_cast<int>(part); i <= k_; i += static_cast<int>(gameParts)) {
      runs_[i].assign(winners_[i].size() + 1, {});
      for (int32_t c = 0; c < classes_;) {
        const uint8_t code = classCode_[static_cast<size_t>(c) * k_ + i - 1];
        int32_t end = c + 1;
        while (end < classes_ && classCode_[static_cast<size_t>(end) * k_ + i - 1] == code) ++end;
        if (code) runs_[i][code].push_back({c, end});
        c = end;
      }
    }
  });
}

// Picks the fixed-point unit and the distance within which a class may still
// round level with another; false when the scores are too large for it.
bool FastEngine::ChooseFixedPoint(const std::array<float, kSlots>& most) {
  double maxPoints = 0;
  for (float p : classPoints_) maxPoints = std::max(maxPoints, std::fabs(static_cast<double>(p)));
  double bound = maxPoints;
  for (int i = 1; i <= k_; ++i)
    bound += std::fabs(static_cast<double>(rp_[i])) + static_cast<double>(most[i]);
  if (!(bound < std::ldexp(1.0, 36))) return false;  // also NaN and infinity

  const int q =
      std::min(20, static_cast<int>(std::floor(std::log2(std::ldexp(1.0, 29) / (bound + 1)))));
  scale_ = std::ldexp(1.0, q);
  for (int i = 1; i <= k_; ++i) rpFix_[i] = Fix(rp_[i]);
  classFix_.resize(classes_);
  for (int32_t c = 0; c < classes_; ++c) classFix_[c] = Fix(classPoints_[c]);

  const double grid = (1 + 2 * k_) * 0.5 / scale_;                     // to the unit
  const double single = 2 * k_ * std::ldexp(1.0, -24) * bound * 1.01;  // single precision
  const double rounding = 0.005 + 1e-9 * (bound + 1);                  // to hundredths
  const double delta = 2 * single + 2 * rounding + 2 * grid;
  deltaFix_ = static_cast<int32_t>(std::ceil(delta * scale_ * 1.01)) + 2;

  // Whole points, no seed bonus and sums below 2^24: single precision holds
  // every sum exactly, rounding to hundredths keeps it, and the fixed-point
  // score is the reference's score times the unit.
  auto whole = [](float v) { return std::floor(v) == v; };
  wholeScores_ = !seeded_ && bound < std::ldexp(1.0, 24) &&
                 std::all_of(classPoints_.begin(), classPoints_.end(), whole) &&
                 std::all_of(rp_.begin() + 1, rp_.begin() + 1 + k_, whole);
  return true;
}

// The score of a class in scenario s exactly as the reference sums it.
double FastEngine::ExactScore(int32_t c, int32_t s, const uint8_t* won) const {
  float sum = classPoints_[c];
  const uint8_t* picks = &classCode_[static_cast<size_t>(c) * k_];
  const float* bonus = seeded_ ? &bonus_[At(s, 1)] : nullptr;
  for (int i = 1; i <= k_; ++i) {
    if (picks[i - 1] != won[i - 1]) continue;
    sum = sum + rp_[i];
    // The reference adds a bonus of 0 as well, which changes no sum.
    if (bonus) sum = sum + bonus[i - 1];
  }
  return RoundValue(sum, -2);
}

// The paid-th highest of the values, each counted weight(x) times; it lies
// among the paid highest. With less weight than paid in all, the lowest.
template <typename Value, typename Weight>
auto PaidThreshold(std::span<const int32_t> from, int paid, Value value, Weight weight) {
  using V = decltype(value(from[0]));
  std::array<std::pair<V, int32_t>, kPayoutPlaces> best{};
  int size = 0;
  for (int32_t x : from) {
    const V v = value(x);
    if (size == paid && v <= best[size - 1].first) continue;
    int at = size < paid ? size++ : size - 1;
    while (at > 0 && best[at - 1].first < v) {
      best[at] = best[at - 1];
      --at;
    }
    best[at] = {v, x};
  }
  int64_t counted = 0;
  for (int x = 0; x < size; ++x) {
    counted += weight(best[x].second);
    if (counted >= paid) return best[x].first;
  }
  return size ? best[size - 1].first : std::numeric_limits<V>::lowest();
}

// The paid highest of count values (paid at most count), highest first,
// and where they stand.
struct Highest {
  std::array<int32_t, kPayoutPlaces> value;
  std::array<int32_t, kPayoutPlaces> at;
};
Highest PaidHighest(const int32_t* values, int32_t count, int paid) {
  Highest best;
  best.value.fill(INT32_MIN);
  best.at.fill(0);
  for (int32_t x = 0; x < count; ++x) {
    const int32_t v = values[x];
    if (v <= best.value[paid - 1]) continue;
    int at = paid - 1;
    while (at > 0 && best.value[at - 1] < v) {
      best.value[at] = best.value[at - 1];
      best.at[at] = best.at[at - 1];
      --at;
    }
    best.value[at] = v;
    best.at[at] = x;
  }
  return best;
}

void FastEngine::CountChunks(std::vector<ClassCount>& counts) {
  const int32_t chunk = ChunkSize();
  const int32_t chunks = (n_ + chunk - 1) / chunk;
  // Blocks of classes; a few hundred at most, so their bounds are quick to
  // sort out, and a power of two wide, so a class finds its block by a shift.
  int shift = 6;
  while ((classes_ >> shift) > 256) ++shift;
  const int32_t block = int32_t{1} << shift;
  const int32_t mask = block - 1;
  const int32_t blocks = (classes_ + block - 1) / block;
  std::vector<int32_t> score(classes_), high(blocks), low(blocks);
  // The candidates of a scenario, written in place without a check of room.
  std::vector<int32_t> topRoom(classes_ + block), bottomRoom(classes_ + block);
  std::span<int32_t> top, bottom;
  std::vector<double> exact;
  std::array<int16_t, 32> winner{}, loser{};
  std::array<uint8_t, kSlots> curCode{};
  std::array<int32_t, kSlots> curValue{};
  const bool wantTop = paid_ > 0;
  const bool everyonePaid = wantTop && totalWeight_ <= paid_;

  // A block wholly inside a run moves with it; one partly inside is marked
  // for its bounds to be found again.
  std::vector<uint8_t> stale(blocks, 0);
  std::vector<int32_t> staleList;
  auto addRuns = [&](const std::vector<Range>& runs, int32_t d) {
    for (const Range& r : runs) {
      AddToRange(score.data() + r.begin, r.end - r.begin, d);
      int32_t first = r.begin >> shift, last = (r.end - 1) >> shift;
      if ((r.begin & mask) != 0) {
        if (!stale[first]) staleList.push_back(first);
        stale[first] = 1;
        ++first;
      }
      if ((r.end & mask) != 0 && r.end != classes_ && last >= first) {
        if (!stale[last]) staleList.push_back(last);
        stale[last] = 1;
        --last;
      }
      for (int32_t b = first; b <= last; ++b) {
        high[b] += d;
        low[b] += d;
      }
    }
  };
  // Classes scoring at least (or at most) the threshold, from the blocks that can hold one.
  // Each class is written and kept only when it qualifies: no branch to mispredict.
  auto collectAbove = [&](int64_t threshold, std::vector<int32_t>& room) {
    const auto th = static_cast<int32_t>(std::clamp<int64_t>(threshold, INT32_MIN, INT32_MAX));
    int32_t* out = room.data();
    size_t n = 0;
    for (int32_t b = 0; b < blocks; ++b) {
      if (high[b] < th) continue;
      for (int32_t c = b << shift, e = std::min(c + block, classes_); c < e; ++c) {
        out[n] = c;
        n += score[c] >= th;
      }
    }
    return std::span<int32_t>(out, n);
  };
  auto collectBelow = [&](int64_t threshold, std::vector<int32_t>& room) {
    const auto th = static_cast<int32_t>(std::clamp<int64_t>(threshold, INT32_MIN, INT32_MAX));
    int32_t* out = room.data();
    size_t n = 0;
    for (int32_t b = 0; b < blocks; ++b) {
      if (low[b] > th) continue;
      for (int32_t c = b << shift, e = std::min(c + block, classes_); c < e; ++c) {
        out[n] = c;
        n += score[c] <= th;
      }
    }
    return std::span<int32_t>(out, n);
  };

  for (;;) {
    const int32_t index = nextChunk_.fetch_add(1);
    if (index >= chunks || Stopping()) return;
    const int32_t t0 = index * chunk;
    const int32_t t1 = std::min(n_, t0 + chunk);

    int32_t reported = t0;
    for (int32_t t = t0; t < t1; ++t) {
      if (Stopping()) return;
      const int32_t s = ScenarioAt(t);
      snap_.Outcomes.Get(s, winner.data(), loser.data());
      if (t == t0) {
        std::copy(classFix_.begin(), classFix_.end(), score.begin());
        for (int i = 1; i <= k_; ++i) {
          curCode[i] = codeOf_[i][winner[i]];
          curValue[i] = ValueFix(s, i);
          addRuns(runs_[i][curCode[i]], curValue[i]);
        }
      } else {
        for (int i = 1; i <= k_; ++i) {
          const uint8_t c = codeOf_[i][winner[i]];
          const int32_t v = ValueFix(s, i);
          if (c != curCode[i]) {
            addRuns(runs_[i][curCode[i]], -curValue[i]);
            addRuns(runs_[i][c], v);
          } else if (v != curValue[i]) {
            addRuns(runs_[i][c], v - curValue[i]);
          }
          curCode[i] = c;
          curValue[i] = v;
        }
      }
      if (classes_ == 0) continue;
      if (t == t0) {
        BlockBounds(score.data(), classes_, block, high.data(), low.data());
        for (int32_t b : staleList) stale[b] = 0;
      } else {
        for (int32_t b : staleList) {
          const int32_t from = b << shift;
          BlockBounds(score.data() + from, std::min(block, classes_ - from), block, &high[b],
                      &low[b]);
          stale[b] = 0;
        }
      }
      staleList.clear();

      // Candidates for a paid place: the paid-th best score is at least the
      // paid-th highest block top, and only classes within the distance of it
      // can round level with it or above.
      if (wantTop) {
        if (everyonePaid) {
          top = collectAbove(INT64_MIN, topRoom);
        } else {
          // Each block holds an entry at its top, so the paid blocks with
          // the highest tops vouch for paid entries; the paid-th best of
          // their classes is a floor for the paid-th best of all.
          int64_t floor = INT64_MIN / 2;
          if (blocks >= paid_) {
            const Highest best = PaidHighest(high.data(), blocks, paid_);
            const int32_t least = best.value[paid_ - 1];
            size_t n = 0;
            for (int p = 0; p < paid_; ++p)
              for (int32_t c = best.at[p] << shift, e = std::min(c + block, classes_); c < e; ++c) {
                topRoom[n] = c;
                n += score[c] >= least;
              }
            floor = PaidThreshold(
                std::span<const int32_t>(topRoom.data(), n), paid_,
                [&](int32_t c) { return score[c]; }, [&](int32_t c) { return classWeight_[c]; });
          }
          top = collectAbove(floor - deltaFix_, topRoom);
          const int32_t u = PaidThreshold(
              top, paid_, [&](int32_t c) { return score[c]; },
              [&](int32_t c) { return classWeight_[c]; });
          const int64_t need = int64_t{u} - deltaFix_;
          top = top.first(
              std::remove_if(top.begin(), top.end(), [&](int32_t c) { return score[c] < need; }) -
              top.begin());
        }
        // Paid places: 1 + the entries that score more. At most paid
        // distinct scores reach the paid-th best, so this stays linear
        // however many entries tie.
        exact.resize(classes_);
        for (int32_t c : top) exact[c] = wholeScores_ ? score[c] : ExactScore(c, s, &curCode[1]);
        const double last = PaidThreshold(
            top, paid_, [&](int32_t c) { return exact[c]; },
            [&](int32_t c) { return classWeight_[c]; });
        std::array<double, kPayoutPlaces> level{};
        std::array<int64_t, kPayoutPlaces> levelWeight{};
        int levels = 0;
        for (int32_t c : top) {
          if (exact[c] < last) continue;
          int l = 0;
          while (l < levels && level[l] != exact[c]) ++l;
          if (l == levels) {
            level[levels] = exact[c];
            levelWeight[levels++] = 0;
          }
          levelWeight[l] += classWeight_[c];
        }
        std::array<int, kPayoutPlaces> place{};
        for (int l = 0; l < levels; ++l) {
          int64_t above = 0;
          for (int m = 0; m < levels; ++m)
            if (level[m] > level[l]) above += levelWeight[m];
          place[l] = static_cast<int>(above + 1);
        }
        for (int32_t c : top) {
          if (exact[c] < last) continue;
          int l = 0;
          while (level[l] != exact[c]) ++l;
          ++counts[c].place[place[l]];
        }
      }
      if (booby_) {
        const int32_t lowest = *std::min_element(low.begin(), low.end());
        bottom = collectBelow(int64_t{lowest} + deltaFix_, bottomRoom);
        exact.resize(classes_);
        double least = std::numeric_limits<double>::infinity();
        for (int32_t c : bottom) {
          exact[c] = wholeScores_ ? score[c] : ExactScore(c, s, &curCode[1]);
          least = std::min(least, exact[c]);
        }
        for (int32_t c : bottom)
          if (exact[c] == least) ++counts[c].place[kBoobyPlace];
      }

      if (t + 1 - reported >= 64) {
        counted_ += t + 1 - reported;
        reported = t + 1;
      }
    }
    counted_ += t1 - reported;
  }
}

PossibilitiesResult FastEngine::Run() {
  PossibilitiesResult result;
  const bool show = n_ <= kMaxShownScenarios;
  if (show) result.Texts.resize(n_);
  const size_t a = snap_.Entries.size();

  using Clock = std::chrono::steady_clock;
  auto since = [](Clock::time_point& t) {
    const Clock::time_point now = Clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - t).count();
    t = now;
    return ms;
  };
  Clock::time_point t = Clock::now();
  PossibilitiesTimings& timings = result.Timings;

  std::array<float, kSlots> most{};
  bool fast = FindPossibleWinners();
  if (fast) {
    BuildTables(most);
    timings.Tables = since(t);
    BuildClasses();
    timings.Classes = since(t);
    fast = !nonFinite_ && ChooseFixedPoint(most);
  }
  if (!fast && !Stopping()) {
    // Scores too large for the fixed point (or not finite): the reference
    // counts them, slowly but alike.
    PossibilitiesResult reference = ComputeScenarios(snap_, options_);
    reference.Timings = timings;
    reference.Timings.Counting = since(t);
    return reference;
  }

  std::vector<std::vector<ClassCount>> countsByThread;
  if (!Stopping()) {
    const int32_t chunks = (n_ + ChunkSize() - 1) / ChunkSize();
    const int workers = std::max(1, std::min<int>(threads_, chunks));
    countsByThread.assign(workers, std::vector<ClassCount>(classes_));
    Parallel(workers, [&](int t) { CountChunks(countsByThread[t]); });
  }
  timings.Counting = since(t);

  if (show && !Stopping()) {
    std::atomic<int32_t> next{1};
    const int workers = std::max(1, std::min<int>(threads_, n_));
    Parallel(workers, [&](int) {
      ReferenceWork work;
      PrepareReferenceWork(snap_, work);
      for (int32_t s = next++; s <= n_ && !Stopping(); s = next++) {
        ReferenceScenario(snap_, s, work, nullptr, &result.Texts[s - 1]);
        ++texted_;
      }
    });
  }
  timings.Texts = since(t);

  result.Counts.assign(a, PlaceCounts{});
  if (Stopping()) {
    result.ScenariosDone = counted_.load();
    return result;
  }
  std::vector<ClassCount> total(classes_);
  for (const auto& counts : countsByThread)
    for (int32_t c = 0; c < classes_; ++c)
      for (int p = 0; p <= kPayoutPlaces; ++p) total[c].place[p] += counts[c].place[p];
  for (size_t e = 0; e < a; ++e) {
    const ClassCount& c = total[entryClass_[e]];
    PlaceCounts& out = result.Counts[e];
    for (int p = 0; p <= kPayoutPlaces; ++p) {
      out[p] = c.place[p];
      out[kTotalPlace] += c.place[p];
    }
  }
  result.Completed = true;
  result.ScenariosDone = n_;
  if (options_.Progress) options_.Progress(n_);
  return result;
}

}  // namespace

PossibilitiesResult ComputeScenariosFast(const PossibilitiesSnapshot& snap,
                                         const PossibilitiesOptions& options) {
  FastEngine engine(snap, options);
  return engine.Run();
}

}  // namespace qb
