// The snapshot, the reference engine and the scenario texts.
#include "standings/logic/possibilities.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "core/payout.h"
#include "core/scoring.h"
#include "core/text_format.h"

namespace qb {

using namespace possibilities_detail;

namespace {

// Team names in the game-winner text are cut to 15 characters (not bytes).
std::string FirstCharacters(const std::string& text, size_t count) {
  size_t pos = 0;
  for (size_t n = 0; n < count && pos < text.size(); ++n) {
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
  }
  return text.substr(0, pos);
}

const std::string& TeamName(const PoolState& pool, int slot) {
  static const std::string kNone;
  return slot >= 0 && slot <= kMaxSlots ? pool.Teams[slot].Name : kNone;
}

}  // namespace

std::string EntryLabel(const PossibilitiesEntry& e) {
  return e.Name + " " + std::to_string(e.EntryNumber);
}

namespace possibilities_detail {

int PaidPlaces(const PoolState& pool) {
  return std::clamp<int>(pool.NumPayoutPlaces, 0, kPayoutPlaces);
}

bool HasBooby(const PoolState& pool) {
  return pool.Pool.PayoutPct[0] > 0;
}

int16_t SeedOf(const PoolState& pool, int slot) {
  return slot >= 0 && slot <= kMaxSlots ? pool.Teams[slot].Seed : 0;
}

namespace {

// Largest and smallest score of every range of positions 1..n, for finding
// the next position that the exchange loops would swap with.
class ScoreTree {
 public:
  ScoreTree(const std::vector<double>& score, int n) : n_(n) {
    size_ = 1;
    while (size_ < n + 1) size_ *= 2;
    hi_.assign(2 * static_cast<size_t>(size_), -std::numeric_limits<double>::infinity());
    lo_.assign(2 * static_cast<size_t>(size_), std::numeric_limits<double>::infinity());
    for (int i = 1; i <= n; ++i) hi_[size_ + i] = lo_[size_ + i] = score[i];
    for (int i = size_ - 1; i >= 1; --i) Pull(i);
  }
  void Set(int i, double v) {
    int k = size_ + i;
    hi_[k] = lo_[k] = v;
    for (k /= 2; k >= 1; k /= 2) Pull(k);
  }
  // The first position at or after from whose score is above v; 0 for none.
  int FirstAbove(int from, double v) const { return First(1, 0, size_ - 1, from, v); }
  // The last position at or before to whose score is below v; 0 for none.
  int LastBelow(int to, double v) const { return Last(1, 0, size_ - 1, to, v); }

 private:
  void Pull(int k) {
    hi_[k] = std::max(hi_[2 * k], hi_[2 * k + 1]);
    lo_[k] = std::min(lo_[2 * k], lo_[2 * k + 1]);
  }
  int First(int k, int l, int r, int from, double v) const {
    if (r < from || l > n_ || !(hi_[k] > v)) return 0;
    if (l == r) return l;
    const int m = (l + r) / 2;
    if (int found = First(2 * k, l, m, from, v)) return found;
    return First(2 * k + 1, m + 1, r, from, v);
  }
  int Last(int k, int l, int r, int to, double v) const {
    if (l > to || l < 0 || !(lo_[k] < v)) return 0;
    if (l == r) return l >= 1 ? l : 0;
    const int m = (l + r) / 2;
    if (int found = Last(2 * k + 1, m + 1, r, to, v)) return found;
    return Last(2 * k, l, m, to, v);
  }
  int n_, size_ = 1;
  std::vector<double> hi_, lo_;
};

}  // namespace

void OrderByExchange(std::vector<double>& score, std::vector<int32_t>& entry, int a, int paid,
                     bool booby) {
  if (a < 2) return;
  ScoreTree tree(score, a);
  auto exchange = [&](int p, int q) {
    std::swap(score[p], score[q]);
    std::swap(entry[p], entry[q]);
    tree.Set(p, score[p]);
    tree.Set(q, score[q]);
  };
  // for p = 1 to a - 1: for q = p + 1 to a: exchange when score(p) < score(q).
  for (int p = 1; p <= a - 1; ++p) {
    for (int q = tree.FirstAbove(p + 1, score[p]); q != 0; q = tree.FirstAbove(q + 1, score[p]))
      exchange(p, q);
    if (p > 1 && p > paid && score[p] < score[p - 1]) break;
  }
  if (!booby) return;
  // for p = a down to 2: for q = p - 1 down to 1: exchange when score(p) > score(q).
  for (int p = a; p >= 2; --p) {
    for (int q = tree.LastBelow(p - 1, score[p]); q != 0; q = tree.LastBelow(q - 1, score[p]))
      exchange(p, q);
    if (p < a && score[p + 1] < score[p]) break;
  }
}

void PrepareReferenceWork(const PossibilitiesSnapshot& snap, ReferenceWork& work) {
  work.Games = snap.Games;
  work.Score.assign(snap.Entries.size() + 1, 0.0);
  work.Entry.assign(snap.Entries.size() + 1, 0);
}

void ReferenceScenario(const PossibilitiesSnapshot& snap, int32_t s, ReferenceWork& work,
                       std::vector<PlaceCounts>* counts, ScenarioText* text) {
  const PoolState& pool = snap.Pool;
  const OpenGameList& open = snap.Open;
  const int k = open.OpenGameCount;
  GameTable& games = work.Games;
  std::vector<double>& score = work.Score;
  std::vector<int32_t>& entry = work.Entry;
  const int a = static_cast<int>(snap.Entries.size());

  // Lay the scenario's winners on the game table.
  snap.Outcomes.Get(s, work.Winner.data(), work.Loser.data());
  for (int i = 1; i <= k; ++i) {
    GameRecord& game = games[open.OpenGame[i]];
    game.Winner = work.Winner[i];
    game.Loser = work.Loser[i];
    game.WinnerSeed = SeedOf(pool, game.Winner);
    game.LoserSeed = SeedOf(pool, game.Loser);
  }

  // Score every active entry; ranking positions start in entry order.
  for (int e = 0; e < a; ++e) {
    float sum = snap.Entries[e].Points;
    for (int i = 1; i <= k; ++i) {
      const int g = open.OpenGame[i];
      const int16_t pick = snap.OpenPick(e, i);
      if (pick != games[g].Winner) continue;
      games[g].Pick = pick;
      games[g].PickSeed = SeedOf(pool, pick);
      sum = sum + pool.Pool.RoundPoints[open.OpenGameRound[i]];
      sum = sum + SeedBonusForGame(pool, games, g, false);
    }
    score[e + 1] = RoundValue(sum, -2);
    entry[e + 1] = e;
  }

  // Bring the best scores to the top, every entry tied with the last paid
  // place included. With no paid place there is no position 0 to compare.
  // Then the lowest score and every entry tied with it to the bottom.
  const int paid = PaidPlaces(pool);
  const bool booby = HasBooby(pool);
  OrderByExchange(score, entry, a, paid, booby);

  std::string winners;
  // Paid places: ties share a place and the next score takes its position.
  {
    int p = 1, place = 1, counter = 1;
    while (place <= paid && p <= a) {
      const PossibilitiesEntry& e = snap.Entries[entry[p]];
      if (counts) ++(*counts)[entry[p]][place];
      if (text)
        winners +=
            ", " + OrdinalText(place) + "-" + EntryLabel(e) + " ( " + NumberText(score[p]) + " )";
      const double placed = score[p];
      ++p;
      if (p > a) break;
      ++counter;
      if (score[p] != placed) place = counter;
    }
  }
  if (booby) {
    for (int p = a; p >= 1; --p) {
      if (counts) ++(*counts)[entry[p]][kBoobyPlace];
      if (text)
        winners += ", Booby-" + EntryLabel(snap.Entries[entry[p]]) + " ( " +
                   NumberText(static_cast<float>(score[p])) + " )";
      if (p > 1 && score[p] < score[p - 1]) break;
    }
  }
  if (!text) return;

  text->PoolWinners = winners.size() >= 2 ? winners.substr(2) : std::string();
  std::string gameText;
  bool firstSemisLoser = true;
  const int16_t champion = k >= 1 ? work.Winner[k] : 0;
  for (int i = k; i >= 1; --i) {
    const int16_t w = work.Winner[i];
    const std::string name = FirstCharacters(TeamName(pool, w), 15);
    const int d = pool.NumRounds - open.OpenGameRound[i];
    if (d == 0) {
      gameText = "Champion: " + name;
    } else if (d == 1) {
      if (w != champion) gameText += ";  Runner-Up: " + name;
    } else if (d == 2) {
      bool wonLater = false;
      for (int j = i + 1; j <= k; ++j) wonLater = wonLater || work.Winner[j] == w;
      if (!wonLater) {
        gameText += (firstSemisLoser ? ";  Semis Losers: " : ", ") + name;
        firstSemisLoser = false;
      }
    }
  }
  text->GameWinners = gameText;
}

}  // namespace possibilities_detail

void PossibilitiesSnapshot::AddEntry(PossibilitiesEntry entry,
                                     const std::vector<int16_t>& openPicks) {
  Entries.push_back(std::move(entry));
  for (int i = 0; i < Open.OpenGameCount; ++i)
    OpenPicks.push_back(i < static_cast<int>(openPicks.size()) ? openPicks[i] : 0);
}

PossibilitiesResult ComputeScenarios(const PossibilitiesSnapshot& snap,
                                     const PossibilitiesOptions& options) {
  PossibilitiesResult result;
  const int32_t n = snap.Open.ScenarioCount;
  const bool show = n <= kMaxShownScenarios;
  result.Counts.assign(snap.Entries.size(), PlaceCounts{});
  if (show) result.Texts.resize(n);

  ReferenceWork work;
  PrepareReferenceWork(snap, work);
  bool cancelled = false;
  for (int32_t s = 1; s <= n; ++s) {
    if (options.Progress) options.Progress(s - 1);
    if (options.Cancel && options.Cancel->load()) {
      cancelled = true;
      break;
    }
    ReferenceScenario(snap, s, work, &result.Counts, show ? &result.Texts[s - 1] : nullptr);
    result.ScenariosDone = s;
  }

  if (cancelled) {
    result.Counts.assign(snap.Entries.size(), PlaceCounts{});
    return result;
  }
  for (PlaceCounts& c : result.Counts) {
    c[kTotalPlace] = 0;
    for (int p = 0; p <= kPayoutPlaces; ++p) c[kTotalPlace] += c[p];
  }
  result.Completed = true;
  if (options.Progress) options.Progress(n);
  return result;
}

std::string CalculatingScenarioText(int32_t s, int32_t n) {
  return "Calculating Scenario " + std::to_string(s) + " of  " + std::to_string(n);
}

}  // namespace qb
