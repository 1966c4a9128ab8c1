#include "entries/logic/entry_save.h"

#include <algorithm>

#include "core/entry_identity.h"
#include "core/prompts.h"
#include "core/scoring.h"
#include "entries/logic/entry_list.h"

namespace qb {

SaveCheck CheckEntryBeforeSave(const PoolState& s, int entry, const PickBoard& board,
                               bool entryChanged, Prompts& prompts) {
  if (entry < 1 || entry > s.NumEntries) return SaveCheck::NeedHeader;
  const EntryRecord& e = s.Entries.at(static_cast<size_t>(entry));
  if (e.BettorIndex == 0 || e.EntryNumber <= 0) {
    prompts.Beep();
    return SaveCheck::NeedHeader;
  }
  const bool roundByRound = s.Pool.RoundByRound;
  if (AnyResultsEntered(s) && entryChanged && !roundByRound) {
    if (prompts.Ask("Results have been entered!  Do you really want to change this entry?",
                    MsgButtons::OKCancel, MsgIcon::Exclamation) == MsgAnswer::Cancel)
      return SaveCheck::Cancelled;
  }
  auto empty = [&](int g) { return board[g] <= 0 && !s.ByeGame[g]; };
  if (roundByRound) {
    int pickRound = 0;
    for (int g = s.NumGames; g >= 1; --g) {
      if (board[g] > 0) {
        pickRound = s.GameRound[g];
        break;
      }
    }
    // Before any result the first round is the one being played, so picks
    // through round 2 are not yet ahead of it.
    if (pickRound - 1 > std::max(HighestRoundWithWinner(s), 1)) {
      if (prompts.Ask("Picks entered more than one round in advance!\nDo you want to save this "
                      "entry?",
                      MsgButtons::OKCancel, MsgIcon::Exclamation) == MsgAnswer::Cancel)
        return SaveCheck::Cancelled;
    }
    for (int g = 1; g <= s.NumGames; ++g) {
      if (s.Pool.Results[g] >= 1 && empty(g)) {
        if (prompts.Ask("Pick not entered for a game where results already recorded!\nDo you "
                        "want to save this entry?",
                        MsgButtons::OKCancel, MsgIcon::Exclamation) == MsgAnswer::Cancel)
          return SaveCheck::Cancelled;
      }
    }
  } else {
    bool incomplete = false;
    for (int g = 1; g <= s.NumGames && !incomplete; ++g) incomplete = empty(g);
    if (incomplete) {
      prompts.Beep();
      if (prompts.Ask("Entry not completely filled.  Quit Anyway?", MsgButtons::YesNo,
                      MsgIcon::Exclamation) == MsgAnswer::No)
        return SaveCheck::Cancelled;
    }
  }
  return SaveCheck::Proceed;
}

std::string StoreEntry(PoolState& s, int entry, const PickBoard& board, const EntryFigures& f,
                       bool entryChanged) {
  s.Picks.EnsureSize(s.NumGames + 1, entry);
  for (int g = 1; g <= s.NumGames; ++g) s.Picks(g, entry) = board[g];

  // The figures stored are those of the scoring itself, never read back from
  // the panel's formatted text.
  BuildGameTable(s, s.Games, s.Pool.Results.data());
  ScoreEntry(s, s.Games, s.Score, entry);
  EntryRecord& e = s.Entries.at(static_cast<size_t>(entry));
  e.Points = static_cast<float>(s.Score.ScorePoints[0]);
  e.GamesWon = s.Score.ScoreGames[0];
  for (int r = 1; r <= s.NumRounds; ++r) {
    e.RoundGamesWon[r] = s.Score.ScoreGames[r];
    e.RoundPointsWon[r] = static_cast<float>(s.Score.ScorePoints[r]);
  }
  e.Tiebreaker = f.tiebreaker;
  e.Collected = f.collected;
  if (entryChanged) {
    s.PoolChanged = true;
    return "pswitch";
  }
  return "start";
}

void DiscardEntry(PoolState& s, int entry) {
  if (entry < 1 || entry > s.NumEntries) return;
  for (int e = entry; e < s.NumEntries; ++e) {
    s.Entries[e] = s.Entries[e + 1];
    for (int g = 0; g <= s.Picks.MaxGame(); ++g) s.Picks(g, e) = s.Picks(g, e + 1);
  }
  s.NumEntries = static_cast<int16_t>(s.NumEntries - 1);
  s.Entries.resize(static_cast<size_t>(std::max<int>(s.NumEntries, 1)) + 1);
  s.Picks.ResizeEntries(std::max<int>(s.NumEntries, 1));
  if (s.CurrentEntry == entry) s.CurrentEntry = 0;
  else if (s.CurrentEntry > entry) s.CurrentEntry = static_cast<int16_t>(s.CurrentEntry - 1);
  KeepPayoutAmountsCurrent(s);
}

int AppendNewEntry(PoolState& s) {
  int e = s.NumEntries + 1;
  s.NumEntries = static_cast<int16_t>(e);
  if (static_cast<int>(s.Entries.size()) < e + 1) s.Entries.resize(static_cast<size_t>(e) + 1);
  s.Entries[e] = EntryRecord{};
  GiveEntryIdentity(s, e);
  s.Picks.EnsureSize(s.NumGames + 1, e);
  for (int g = 0; g <= s.Picks.MaxGame(); ++g) s.Picks(g, e) = 0;
  return e;
}

}  // namespace qb
