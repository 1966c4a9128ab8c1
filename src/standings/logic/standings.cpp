#include "standings/logic/standings.h"

#include <charconv>
#include <cmath>

#include "core/scoring.h"
#include "core/text_format.h"
#include "standings/logic/report_grid.h"

namespace qb {

namespace {

int Rounds(const PoolState& s) {
  return std::clamp<int>(s.NumRounds, 0, kMaxRounds);
}
int GameCount(const PoolState& s) {
  return std::clamp<int>(s.NumGames, 0, kMaxGames);
}

std::string IntText(long long v) {
  char buf[24];
  auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
  return std::string(buf, end);
}

// Whole numbers, by far the most common, skip the general formatting.
bool IsWhole(float v) {
  return std::fabs(v) < 1e7f && v == std::trunc(v);
}

}  // namespace

std::string PlainNumber(float value) {
  if (IsWhole(value)) return IntText(static_cast<long long>(value));
  return NumberText(value);
}

std::string SignedNumber(float value) {
  std::string t = PlainNumber(value);
  return t[0] == '-' ? t : " " + t;
}

std::string LeftChars(const std::string& text, int n) {
  size_t seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == static_cast<size_t>(n))
      return text.substr(0, i);
  }
  return text;
}

int LiveEntryCount(const PoolState& s) {
  int n = 0;
  for (int e = 1; e <= HeldEntries(s); ++e) n += s.Entries[e].BettorIndex > 0;
  return n;
}

std::string StandingsCaption(const PoolState& s, int entry) {
  const EntryRecord& e = s.Entries[entry];
  const int b = e.BettorIndex;
  const std::string& name =
      b > 0 && b < static_cast<int>(s.Bettors.size()) ? s.Bettors[b].Name : std::string();
  return name + SignedNumber(e.EntryNumber);
}

std::vector<EntryScore> ScoreLiveEntries(const PoolState& s) {
  std::vector<EntryScore> out;
  out.reserve(static_cast<size_t>(LiveEntryCount(s)));
  GameTable games{};
  ScoreArea score;
  BuildGameTable(s, games, s.Pool.Results.data());
  for (int e = 1; e <= HeldEntries(s); ++e) {
    if (s.Entries[e].BettorIndex <= 0) continue;
    ScoreEntry(s, games, score, e);
    EntryScore& x = out.emplace_back();
    x.entry = e;
    x.points = static_cast<float>(score.ScorePoints[0]);
    x.gamesWon = score.ScoreGames[0];
    x.possiblePoints = static_cast<float>(score.ScorePossiblePoints);
    for (int r = 1; r <= kMaxRounds; ++r) {
      x.roundPoints[r] = static_cast<float>(score.ScorePoints[r]);
      x.roundGames[r] = score.ScoreGames[r];
      x.roundOpen[r] = score.ScoreOpenGames[r];
    }
  }
  return out;
}

int DecidedGameCount(const PoolState& s) {
  int n = 0;
  for (int g = 1; g <= GameCount(s); ++g) n += !s.ByeGame[g] && s.Pool.Results[g] != 0;
  return n;
}

void BuildStandingsGrid(const PoolState& s, const std::vector<EntryScore>& scores, Grid& g) {
  const int rounds = Rounds(s);
  const int cols = 2 * rounds + 10;
  const bool tiebreaker = s.Pool.TiebreakerUsed;
  const bool possible = !s.LoserSeedScoring;
  const int decided = DecidedGameCount(s);
  const int final = GameCount(s);

  g.SetRows(0);
  g.SetCols(cols);
  g.SetRows(kRankHeaderRows + static_cast<int>(scores.size()));
  g.SetFixedRows(kRankHeaderRows);
  g.SetFixedCols(1);
  g.Tag.clear();

  static const int widths[] = {1500, 700, 500, 600, 500, 700, 500, 1500, 0, 0};
  for (int c = 0; c < 10; ++c) g.SetColWidth(c, widths[c]);
  g.SetTextMatrix(0, kRankPoints, "Current:");
  g.SetTextMatrix(0, kRankPossible, "Possible:");
  const char* headers[] = {
      "Name / Entry", "Points", "Rank", "Games",
      "  %",          "Points", "Rank", tiebreaker ? "Winner / Tiebrk" : "Picked Winner"};
  for (int c = 0; c < 8; ++c) g.SetTextMatrix(1, c, headers[c]);
  for (int r = 1; r <= rounds; ++r) {
    const int c = kRankRound1 + 2 * (r - 1);
    g.SetColWidth(c, 500);
    g.SetColWidth(c + 1, 500);
    g.SetTextMatrix(0, c, "Rnd " + IntText(r) + ":");
    g.SetTextMatrix(1, c, " Pts");
    g.SetTextMatrix(1, c + 1, "Gms");
  }

  int row = kRankHeaderRows;
  for (const EntryScore& x : scores) {
    const EntryRecord& e = s.Entries[x.entry];
    g.SetTextMatrix(row, kRankName, StandingsCaption(s, x.entry));
    g.SetTextMatrix(row, kRankPoints, PlainNumber(x.points));
    g.SetTextMatrix(row, kRankGames, IntText(x.gamesWon));
    if (decided > 0)
      g.SetTextMatrix(row, kRankPercent,
                      " " + IntText(static_cast<long long>(x.gamesWon) * 100 / decided) + "%");
    if (possible) {
      g.SetTextMatrix(row, kRankPossible, PlainNumber(x.possiblePoints));
    } else {
      g.SetTextMatrix(row, kRankPossible, "n/a");
      g.SetTextMatrix(row, kRankPossibleRank, "n/a");
    }
    int pick = final >= 1 && final <= s.Picks.MaxGame() && x.entry <= s.Picks.MaxEntry()
                   ? s.Picks(final, x.entry)
                   : 0;
    std::string champion = pick >= 1 && pick <= kMaxSlots ? s.Teams[pick].Name : std::string();
    if (tiebreaker) champion = LeftChars(champion, 14) + "/" + SignedNumber(e.Tiebreaker);
    g.SetTextMatrix(row, kRankChampion, std::move(champion));
    g.SetTextMatrix(row, kRankEntry, IntText(x.entry));
    for (int r = 1; r <= rounds; ++r) {
      const int c = kRankRound1 + 2 * (r - 1);
      g.SetTextMatrix(row, c, PlainNumber(x.roundPoints[r]));
      std::string games = IntText(x.roundGames[r]);
      if (x.roundOpen[r] > 0 && !s.Pool.RePair) games += "-" + IntText(x.roundOpen[r]);
      g.SetTextMatrix(row, c + 1, std::move(games));
    }
    ++row;
  }
}

void SortRankByName(Grid& g) {
  SortGridRows(g, kRankHeaderRows, kRankName, flexSortGenericAscending);
  g.Tag = " By Name";
}

void SortRankByGames(Grid& g) {
  SortGridRows(g, kRankHeaderRows, kRankGames, flexSortNumericDescending);
  g.Tag = " By Games Correct";
}

void SortRankByCurrent(Grid& g) {
  SortByRankKey(g, kRankHeaderRows, kRankKey, kRankPoints, kRankPossible, kRankCurrentRank);
  g.Tag = " By Current Rank";
}

bool SortRankByPossible(Grid& g, bool loserSeedScoring) {
  if (loserSeedScoring) return false;
  SortByRankKey(g, kRankHeaderRows, kRankKey, kRankPossible, kRankPoints, kRankPossibleRank);
  g.Tag = " By Possible Points";
  return true;
}

}  // namespace qb
