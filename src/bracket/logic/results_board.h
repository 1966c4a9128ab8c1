#pragma once
// The results window's board: which team stands in which winner box, and the
// rules by which a dragged team may be placed, replaced or taken back.
#include <string>
#include <vector>

#include "core/pool_state.h"

namespace qb {

// Where a dragged team comes from: a team box (its slot) or a winner box (its game).
struct BoardSource {
  enum class Kind { TeamBox, WinnerBox };
  Kind kind = Kind::TeamBox;
  int number = 0;  // slot or game
  static BoardSource Team(int slot) { return {Kind::TeamBox, slot}; }
  static BoardSource Winner(int game) { return {Kind::WinnerBox, game}; }
};

struct DropOutcome {
  enum class Kind { Refused, Placed, Changed, Unchanged, TakenBack };
  Kind kind = Kind::Refused;
  int game = 0;                  // the box written or cleared
  std::vector<int> clearedGames; // later-round boxes emptied of the team that lost its place
  std::vector<std::string> sounds;
  bool accepted() const { return kind != Kind::Refused && kind != Kind::Unchanged; }
};

class ResultsBoard {
 public:
  // Shape from the pool's bracket tables, Bye slots from the team names.
  explicit ResultsBoard(const PoolState& pool);

  int slotCount() const { return slots_; }
  int roundCount() const { return rounds_; }
  int gameCount() const { return games_; }
  bool rePair() const { return rePair_; }

  // Team slot in winner box g, 0 when undecided.
  int Winner(int game) const;
  bool Decided(int game) const { return Winner(game) != 0; }
  bool IsByeSlot(int slot) const;
  // A first-round game with one "Bye": its real team advances without playing.
  bool IsByeGame(int game) const;
  int RoundOf(int game) const;
  int FirstGame(int round) const;
  int LastGame(int round) const;
  // The slot a source carries, 0 when it carries none (an empty winner box).
  int TeamOf(const BoardSource& source) const;
  // Round of the box a source stands in: 0 the team column.
  int RoundOf(const BoardSource& source) const;

  // Opponents of "Bye" slots advanced, then every stored result of a game
  // that is not a Bye game.
  void Load(const PoolHeader& pool);
  // Winner slot per game, 1..NumGames (index 0 unused).
  std::vector<int16_t> Results() const;

  // Drop of a team on game g's winner box.
  DropOutcome Place(int game, const BoardSource& source);
  // Drop on a round's caption: the box of that round the team's path leads to
  // (with re-pairing: the first empty box of the round).
  DropOutcome PlaceInRound(int round, const BoardSource& source);
  // A winner box dropped back on the team column: its result is taken back.
  DropOutcome TakeBack(const BoardSource& source);

 private:
  bool FeedsGame(const BoardSource& source, int game) const;
  std::vector<int> ClearLaterRounds(int team, int round);

  int slots_ = 0;
  int rounds_ = 0;
  int games_ = 0;
  bool rePair_ = false;
  std::vector<int> roundEnd_;  // 0..rounds
  std::vector<bool> bye_;      // 1..slots
  std::vector<int> winner_;    // 1..games
};

}  // namespace qb
