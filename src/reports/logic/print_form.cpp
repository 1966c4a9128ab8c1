#include "reports/logic/print_form.h"

#include <algorithm>
#include <cstdio>

#include "core/payout.h"
#include "core/scoring.h"
#include "core/text_format.h"
#include "entries/logic/pick_board.h"

namespace qb {

namespace {

bool ValidSlot(const PoolState& s, int slot) { return slot >= 1 && slot <= s.NumSlots; }

// The seed, a blank and the name, trimmed: a team without seed shows "0".
std::string SeedAndName(const PoolState& s, int slot) {
  return Trim(std::to_string(s.Teams[slot].Seed) + " " + s.Teams[slot].Name);
}

void Clear(WinnerBoxContents& box) {
  box.text = " ";
  box.slot = 0;
  box.seed = " ";
}

// Game of slot `team` in round r on its fixed path.
int PathGame(const PoolState& s, int team, int r) {
  return s.RoundEnd[r - 1] + ((team + (1 << r) - 1) >> r);
}

// Advances a team along its fixed path through the given round; with lock the
// boxes become read-only and light orange (a Bye game's team).
void PlacePick(const PoolState& s, PrintFormContents& c, int team, int throughRound, bool lock) {
  for (int r = 1; r <= s.NumRounds; ++r) {
    int g = PathGame(s, team, r);
    if (g < 1 || g > c.numGames) continue;
    WinnerBoxContents& box = c.winners[g];
    if (r <= throughRound) {
      box.text = s.Teams[team].Name;
      box.slot = static_cast<int16_t>(team);
      box.seed = std::to_string(s.Teams[team].Seed);
      if (lock) {
        box.locked = true;
        box.colour = BoxColour::LightOrange;
      }
    } else if (box.slot > 0) {
      int k = throughRound;
      bool samePlace = ((box.slot + (1 << k) - 1) >> k) == ((team + (1 << k) - 1) >> k);
      if (samePlace && box.slot != team) Clear(box);
    }
  }
}

void LoadTeams(const PoolState& s, PrintFormContents& c) {
  for (int t = 1; t <= s.NumSlots; ++t) {
    c.teamNames[t] = s.Teams[t].Name;
    c.teamSeeds[t] = std::to_string(s.Teams[t].Seed);
  }
  for (int t = 1; t <= s.NumSlots; ++t) {
    if (!IsByeSlot(s, t)) continue;
    int partner = t % 2 == 0 ? t - 1 : t + 1;
    PlacePick(s, c, partner, 1, true);
  }
}

void ShowPoolParameters(const PoolState& s, PrintFormContents& c) {
  for (int r = 1; r <= 6 && r <= s.NumRounds; ++r) {
    c.roundPoints[r] = FormatAmount(static_cast<double>(s.Pool.RoundPoints[r]));
    c.seedFormula[r] = s.SeedMethodDescr[r];
  }
  std::string payouts;
  for (int i = 1; i <= s.NumPayoutPlaces && i <= kPayoutPlaces; ++i)
    payouts += OrdinalText(i) + "-" + Str(s.Pool.PayoutPct[i]) + "%  ";
  if (s.Pool.PayoutPct[0] != 0) payouts += "Booby-" + Str(s.Pool.PayoutPct[0]) + "%  ";
  c.payouts = payouts;
  c.costPerEntry = FormatMoney(s.Pool.CostPerEntry);
}

void LoadEntryPicks(const PoolState& s, PrintFormContents& c, int entry) {
  for (int g = 1; g <= c.numGames; ++g) {
    WinnerBoxContents& box = c.winners[g];
    int p = g <= s.Picks.MaxGame() && entry <= s.Picks.MaxEntry() ? s.Picks(g, entry) : 0;
    if (!ValidSlot(s, p)) {
      box.text = " ";
      box.seed = " ";
      box.slot = 0;
      continue;
    }
    box.text = SeedAndName(s, p);
    box.slot = static_cast<int16_t>(p);
    box.seed = std::to_string(s.Teams[p].Seed);
  }
  c.tiebreakerAmount = NumberText(s.Entries[entry].Tiebreaker);
}

void ShowEntryScoring(const PoolState& s, PrintFormContents& c, int entry) {
  GameTable games{};
  ScoreArea score{};
  for (int g = 1; g <= c.numGames; ++g) {
    int p = c.winners[g].slot;
    games[g].Pick = static_cast<int16_t>(p);
    games[g].PickSeed = ValidSlot(s, p) ? s.Teams[p].Seed : 0;
  }
  BuildGameTable(s, games, s.Pool.Results.data());
  ScoreEntry(s, games, score, 0);
  c.gamesWon[0] = std::to_string(score.ScoreGames[0]);
  c.pointsWon[0] = NumberText(score.ScorePoints[0]);
  for (int r = 1; r <= s.NumRounds; ++r) {
    c.gamesWon[r] = std::to_string(score.ScoreGames[r]);
    c.pointsWon[r] = NumberText(score.ScorePoints[r]);
  }

  // Upsets picked: a pick whose seed is a higher number than the game's favourite.
  std::array<int, kMaxRounds + 1> upsets{};
  for (int g = 1; g <= c.numGames; ++g) {
    double seed = Val(c.winners[g].seed);
    if (seed > s.FavoredSeed[g]) {
      ++upsets[s.GameRound[g]];
      ++upsets[0];
    }
  }
  auto label = [](int count, int games) {
    double pct = games > 0 ? RoundValue(count * 100.0 / games, 0) : 0;
    return Str(count) + " - " + Str(static_cast<long long>(pct)) + "%";
  };
  for (int r = 1; r <= s.NumRounds; ++r)
    c.upsets[r] = label(upsets[r], std::max<int>(1, s.NonByeGamesInRound[r]));
  c.upsets[0] = label(upsets[0], s.NumNonByeGames);

  // Colours: a correct pick yellow, no pick red, a lost pick struck through.
  for (int g = 1; g <= c.numGames; ++g) {
    WinnerBoxContents& box = c.winners[g];
    int t = box.slot;
    int w = s.Pool.Results[g];
    if (s.ByeGame[g]) {
      box.colour = BoxColour::White;
    } else if (t == 0) {
      box.colour = BoxColour::Red;
    } else if ((w != 0 && t == w) || games[g].PickCorrect) {
      // Re-paired pools score a pick whose team won another game of the round.
      box.colour = BoxColour::Yellow;
    } else if (w == 0 && ValidSlot(s, t) && s.Teams[t].Alive) {
      box.colour = BoxColour::White;
    } else {
      box.lostPick = true;
    }
  }
}

void LoadResults(const PoolState& s, PrintFormContents& c) {
  for (int g = 1; g <= c.numGames; ++g) {
    int w = s.Pool.Results[g];
    c.winners[g].text = ValidSlot(s, w) ? SeedAndName(s, w) : " ";
  }
  if (s.Pool.TiebreakerActual != 0 && s.Pool.TiebreakerUsed)
    c.tiebreakerAmount = NumberText(s.Pool.TiebreakerActual);
}

bool ChampionShown(const PrintFormContents& c) {
  return c.numGames >= 1 && !Trim(c.winners[c.numGames].text).empty();
}

}  // namespace

std::string TeamLabel(const PoolState& s, int slot) {
  if (slot < 0 || slot > kMaxSlots) return {};
  const TeamRecord& t = s.Teams[slot];
  return t.Seed == 0 ? t.Name : std::to_string(t.Seed) + " " + t.Name;
}

std::string ShortDateText(const std::tm& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d/%d/%d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900);
  return buf;
}

PrintFormContents LoadPrintForm(const PoolState& s, int document, const std::tm& today) {
  PrintFormContents c;
  c.document = document;
  c.numSlots = std::clamp<int>(s.NumSlots, 0, kMaxSlots);
  c.numRounds = std::clamp<int>(s.NumRounds, 0, kMaxRounds);
  c.numGames = std::clamp<int>(s.NumGames, 0, kMaxGames);
  c.teamNames.assign(c.numSlots + 1, "");
  c.teamSeeds.assign(c.numSlots + 1, "");
  c.winners.assign(c.numGames + 1, WinnerBoxContents{});

  c.showTiebreaker = s.NumericTiebreaker;
  if (c.showTiebreaker) c.tiebreakerType = s.Pool.TiebreakerType;
  LoadTeams(s, c);
  c.fileName = s.Pool.PoolName;
  ShowPoolParameters(s, c);

  if (document == kBlankPoolForm) {
    c.showInstructions = true;
    c.showNameFrame = true;
    c.instructions =
        s.Pool.PoolInstructions.empty() ? kDefaultInstructions : s.Pool.PoolInstructions;
    c.showFilled = ChampionShown(c);
  } else if (document > 0 && document <= s.NumEntries &&
             document < static_cast<int>(s.Entries.size())) {
    LoadEntryPicks(s, c, document);
    c.showScoring = true;
    c.showHeader = true;
    const EntryRecord& e = s.Entries[document];
    std::string name;
    if (e.BettorIndex >= 1 && e.BettorIndex < static_cast<int>(s.Bettors.size()))
      name = s.Bettors[e.BettorIndex].Name;
    c.header = "Entry #" + Str(e.EntryNumber) + " for " + name;
    ShowEntryScoring(s, c, document);
  } else if (document == kResultsForm) {
    c.showInstructions = true;
    c.instructions = " ";
    c.showHeader = true;
    c.header = " -- As of " + ShortDateText(today);
    c.fileName = "Results for " + s.Pool.PoolName;
    LoadResults(s, c);
  } else {
    c.knownDocument = false;
  }
  return c;
}

bool FillWithHigherSeeds(const PoolState& s, PrintFormContents& c) {
  if (c.document != kBlankPoolForm) return false;
  PickBoard board(static_cast<size_t>(c.numGames) + 1, 0);
  for (int g = 1; g <= c.numGames; ++g) board[g] = c.winners[g].slot;
  FillWithHigherSeeds(s, board);
  for (int g = 1; g <= c.numGames; ++g) {
    WinnerBoxContents& box = c.winners[g];
    if (box.slot != 0 || board[g] == 0) continue;
    box.slot = board[g];
    box.text = TeamLabel(s, board[g]);
    box.seed = std::to_string(s.Teams[board[g]].Seed);
  }
  c.showFilled = ChampionShown(c);
  return true;
}

void StoreInstructions(PoolState& s, const PrintFormContents& c) {
  if (c.document != kBlankPoolForm) return;
  if (c.instructions != s.Pool.PoolInstructions) {
    s.PoolChanged = true;
    s.Pool.PoolInstructions = c.instructions;
  }
}

}  // namespace qb
