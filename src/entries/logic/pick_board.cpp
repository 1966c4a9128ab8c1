#include "entries/logic/pick_board.h"

#include <algorithm>
#include <cctype>

namespace qb {

namespace {

bool EqualsNoCase(const std::string& a, const char* b) {
  size_t n = std::char_traits<char>::length(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// Game of `team` in round r on its fixed path: the ceiling of team / 2^r.
int PathGameInRound(const PoolState& s, int team, int r) {
  return s.RoundEnd[r - 1] + ((team + (1 << r) - 1) >> r);
}

int SameGameKey(int team, int round) {
  return (team + (1 << round) - 1) >> round;
}

bool IsBye(const PoolState& s, int game) {
  return game >= 1 && game <= kMaxGames && s.ByeGame[game];
}

}  // namespace

bool IsByeSlot(const PoolState& s, int slot) {
  return slot >= 1 && slot <= kMaxSlots && EqualsNoCase(s.Teams[slot].Name, "Bye");
}

int16_t ByeGameTeam(const PoolState& s, int game) {
  if (!IsBye(s, game) || s.GameRound[game] != 1) return 0;
  int a = 2 * game - 1, b = 2 * game;
  bool byeA = IsByeSlot(s, a), byeB = IsByeSlot(s, b);
  if (byeA && !byeB) return static_cast<int16_t>(b);
  if (byeB && !byeA) return static_cast<int16_t>(a);
  return 0;
}

PickBoard EmptyBoard(const PoolState& s) {
  PickBoard board(static_cast<size_t>(s.NumGames) + 1, 0);
  for (int g = 1; g <= s.NumGames; ++g) {
    if (IsBye(s, g)) board[g] = ByeGameTeam(s, g);
  }
  return board;
}

PickBoard BoardFromEntry(const PoolState& s, int entry) {
  PickBoard board = EmptyBoard(s);
  if (entry < 1 || entry > s.Picks.MaxEntry()) return board;
  for (int g = 1; g <= s.NumGames && g <= s.Picks.MaxGame(); ++g) {
    if (IsBye(s, g)) continue;
    int16_t t = s.Picks(g, entry);
    board[g] = (t >= 0 && t <= s.NumSlots) ? t : 0;
  }
  return board;
}

PlaceOutcome PlacePick(const PoolState& s, PickBoard& board, int team, int targetRound,
                       bool backward, int sourceRound, int targetGame) {
  PlaceOutcome out;
  const bool rePair = s.Pool.RePair;
  const bool roundByRound = s.Pool.RoundByRound;
  const bool eitherFlag = s.RoundByRoundOrRePair;
  auto refuse = [&] {
    out.refused = true;
    out.sounds.clear();
    return out;
  };
  auto clearBox = [&](int g) {
    board[g] = 0;
    out.sounds.push_back("cork");
  };
  if (team < 1 || team > s.NumSlots || targetGame < 0 || targetGame > s.NumGames) return refuse();

  if (rePair) {
    if (targetRound != 0 && targetGame < 1) return out;  // a heading: silently nothing
    if (targetRound == 1 && sourceRound == 0) {
      int partner = (team % 2 == 1) ? team + 1 : team - 1;
      for (int g = s.RoundEnd[0] + 1; g <= s.RoundEnd[1]; ++g) {
        if (g != targetGame && board[g] == partner) return refuse();
      }
    }
    // A Bye game's box is locked to its own team.
    if (IsBye(s, targetGame)) return refuse();
    if (targetRound != sourceRound) {
      for (int g = 1; g <= s.NumGames; ++g) {
        if (g != targetGame && s.GameRound[g] == targetRound && board[g] == team) return refuse();
      }
    }
    if (!roundByRound) {
      for (int r = 1; r < targetRound; ++r) {
        bool found = false;
        for (int g = s.RoundEnd[r - 1] + 1; g <= s.RoundEnd[r] && !found; ++g)
          found = board[g] == team;
        if (!found) return refuse();
      }
    }
    int old = (targetGame >= 1 && board[targetGame] > 0) ? board[targetGame] : -1;
    for (int g = 1; g <= s.NumGames; ++g) {
      if (IsBye(s, g)) continue;
      int gr = s.GameRound[g];
      if (!(gr == targetRound || !roundByRound)) continue;
      bool movesInRound =
          board[g] == team && gr == targetRound && g != targetGame && targetRound == sourceRound;
      bool pulledBack =
          board[g] == team && targetRound < sourceRound && gr >= targetRound && g != targetGame;
      bool replacedLater = board[g] == old && gr > targetRound;
      if (movesInRound || pulledBack || replacedLater) clearBox(g);
    }
  }

  if (targetRound != 0) {
    for (int r = 1; r <= s.NumRounds; ++r) {
      int g = rePair ? targetGame : PathGameInRound(s, team, r);
      if (g < 1 || g > s.NumGames) continue;
      if (r > targetRound || (r != targetRound && eitherFlag)) {
        int u = board[g];
        if (u > 0 && !rePair && !IsBye(s, g) &&
            SameGameKey(u, targetRound) == SameGameKey(team, targetRound) &&
            (u != team || backward) && (r == sourceRound || !eitherFlag))
          clearBox(g);
        continue;
      }
      if (IsBye(s, g)) continue;  // locked; on a fixed path it already holds this team
      if (board[g] == team) continue;
      out.sounds.push_back(board[g] == 0 ? "start" : "claves");
      board[g] = static_cast<int16_t>(team);
    }
  } else {
    for (int g = 1; g <= s.NumGames; ++g) {
      if (board[g] != team || IsBye(s, g)) continue;
      if (roundByRound && s.GameRound[g] != sourceRound) continue;
      clearBox(g);
    }
  }
  return out;
}

int16_t DraggedTeam(const PoolState& s, const PickBoard& board, DragSource source) {
  if (source.kind == DragSource::TeamName) {
    if (source.index < 1 || source.index > s.NumSlots || IsByeSlot(s, source.index)) return 0;
    return static_cast<int16_t>(source.index);
  }
  // A Bye game's box is locked: its team cannot be dragged out of it.
  if (source.index < 1 || source.index > s.NumGames || IsBye(s, source.index)) return 0;
  const int16_t team = board[source.index];
  // A "Bye" read from a file is shown, yet carries no team.
  return team > 0 && !IsByeSlot(s, team) ? team : 0;
}

int RoundOfSource(const PoolState& s, DragSource source) {
  if (source.kind == DragSource::TeamName) return 0;
  return (source.index >= 1 && source.index <= s.NumGames) ? s.GameRound[source.index] : 0;
}

PickDropOutcome DropOnWinner(const PoolState& s, PickBoard& board, DragSource source, int game) {
  PickDropOutcome out;
  if (source.kind == DragSource::Winner && source.index == game) return out;
  out.changed = true;
  if (game < 1 || game > s.NumGames) return out;
  int team = DraggedTeam(s, board, source);
  int targetRound = s.GameRound[game];
  if (targetRound < 1 || team <= 0) return out;
  int sourceRound = RoundOfSource(s, source);
  // Backward by round: a sideways move within a round takes nothing back.
  bool backward = source.kind == DragSource::Winner && sourceRound > targetRound;
  out.place = PlacePick(s, board, team, targetRound, backward, sourceRound, game);
  return out;
}

PickDropOutcome DropOnRoundHeading(const PoolState& s, PickBoard& board, DragSource source,
                                   int heading) {
  PickDropOutcome out;
  out.changed = true;
  int round = heading > s.NumRounds ? 2 * s.NumRounds - heading : heading;
  if (round < 1 || round > s.NumRounds) return out;
  int team = DraggedTeam(s, board, source);
  if (team <= 0) return out;
  int sourceRound = RoundOfSource(s, source);
  bool backward = source.kind == DragSource::Winner && sourceRound > round;
  out.place = PlacePick(s, board, team, round, backward, sourceRound, 0);
  return out;
}

PickDropOutcome DropOnTeamColumn(const PoolState& s, PickBoard& board, DragSource source) {
  PickDropOutcome out;
  out.changed = true;
  if (source.kind != DragSource::Winner) return out;
  int team = DraggedTeam(s, board, source);
  if (team <= 0) return out;
  out.place = PlacePick(s, board, team, 0, true, RoundOfSource(s, source), 0);
  return out;
}

void FillWithHigherSeeds(const PoolState& s, PickBoard& board) {
  auto usable = [&](int t) { return t >= 1 && t <= s.NumSlots && !IsByeSlot(s, t); };
  // The smaller seed number wins; no seed (0) counts as the smallest. Ties go to `a`.
  auto better = [&](int a, int b) {
    if (!usable(a)) return usable(b) ? b : 0;
    if (!usable(b)) return a;
    return s.Teams[a].Seed > s.Teams[b].Seed ? b : a;
  };
  for (int r = 1; r <= s.NumRounds; ++r) {
    for (int g = s.RoundEnd[r - 1] + 1; g <= s.RoundEnd[r]; ++g) {
      if (board[g] > 0 || IsBye(s, g)) continue;
      int pick;
      if (r == 1) {
        pick = better(2 * g - 1, 2 * g);
      } else {
        int k = g - s.RoundEnd[r - 1];
        int lower = board[s.RoundEnd[r - 2] + 2 * k];
        int upper = board[s.RoundEnd[r - 2] + 2 * k - 1];
        pick = better(lower, upper);
      }
      board[g] = static_cast<int16_t>(pick);
    }
  }
}

void ClearAllPicks(const PoolState& s, PickBoard& board) {
  board = EmptyBoard(s);
}

}  // namespace qb
