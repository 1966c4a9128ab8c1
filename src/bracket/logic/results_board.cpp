#include "bracket/logic/results_board.h"

#include <algorithm>
#include <cctype>

namespace qb {

namespace {

bool IsByeName(const std::string& name) {
  if (name.size() != 3) return false;
  std::string lower;
  for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "bye";
}

DropOutcome Refused() { return {}; }

}  // namespace

ResultsBoard::ResultsBoard(const PoolState& pool)
    : slots_(pool.NumSlots),
      rounds_(pool.NumRounds),
      games_(pool.NumGames),
      rePair_(pool.Pool.RePair),
      roundEnd_(pool.NumRounds + 1),
      bye_(pool.NumSlots + 1),
      winner_(pool.NumGames + 1) {
  for (int r = 0; r <= rounds_; ++r) roundEnd_[r] = pool.RoundEnd[r];
  for (int s = 1; s <= slots_; ++s) bye_[s] = IsByeName(pool.Teams[s].Name);
}

int ResultsBoard::Winner(int game) const {
  return game >= 1 && game <= games_ ? winner_[game] : 0;
}

bool ResultsBoard::IsByeSlot(int slot) const {
  return slot >= 1 && slot <= slots_ && bye_[slot];
}

bool ResultsBoard::IsByeGame(int game) const {
  if (RoundOf(game) != 1) return false;
  return IsByeSlot(2 * game - 1) != IsByeSlot(2 * game);
}

int ResultsBoard::RoundOf(int game) const {
  if (game < 1 || game > games_) return 0;
  int r = 1;
  while (r < rounds_ && game > roundEnd_[r]) ++r;
  return r;
}

int ResultsBoard::FirstGame(int round) const { return roundEnd_[round - 1] + 1; }
int ResultsBoard::LastGame(int round) const { return roundEnd_[round]; }

int ResultsBoard::TeamOf(const BoardSource& source) const {
  if (source.kind == BoardSource::Kind::WinnerBox) return Winner(source.number);
  if (source.number < 1 || source.number > slots_ || bye_[source.number]) return 0;
  return source.number;
}

int ResultsBoard::RoundOf(const BoardSource& source) const {
  return source.kind == BoardSource::Kind::TeamBox ? 0 : RoundOf(source.number);
}

void ResultsBoard::Load(const PoolHeader& pool) {
  std::fill(winner_.begin(), winner_.end(), 0);
  for (int g = 1; g <= LastGame(1); ++g) {
    if (!IsByeGame(g)) continue;
    winner_[g] = IsByeSlot(2 * g - 1) ? 2 * g : 2 * g - 1;
  }
  for (int g = 1; g <= games_; ++g) {
    if (IsByeGame(g) || pool.Results[g] == 0) continue;
    winner_[g] = pool.Results[g];
  }
}

std::vector<int16_t> ResultsBoard::Results() const {
  std::vector<int16_t> out(games_ + 1);
  for (int g = 1; g <= games_; ++g) out[g] = static_cast<int16_t>(winner_[g]);
  return out;
}

bool ResultsBoard::FeedsGame(const BoardSource& source, int game) const {
  int r = RoundOf(game);
  if (r == 1)
    return source.kind == BoardSource::Kind::TeamBox &&
           (source.number == 2 * game - 1 || source.number == 2 * game);
  if (source.kind != BoardSource::Kind::WinnerBox || RoundOf(source.number) != r - 1) return false;
  if (rePair_) return true;
  int k = game - roundEnd_[r - 1];
  int feeder2 = roundEnd_[r - 2] + 2 * k;
  return source.number == feeder2 || source.number == feeder2 - 1;
}

std::vector<int> ResultsBoard::ClearLaterRounds(int team, int round) {
  std::vector<int> cleared;
  if (round >= rounds_) return cleared;
  for (int g = FirstGame(round + 1); g <= games_; ++g) {
    if (winner_[g] == team) {
      winner_[g] = 0;
      cleared.push_back(g);
    }
  }
  return cleared;
}

DropOutcome ResultsBoard::Place(int game, const BoardSource& source) {
  int team = TeamOf(source);
  int r = RoundOf(game);
  if (team == 0 || r == 0 || !FeedsGame(source, game)) return Refused();
  if (winner_[game] == team) return {DropOutcome::Kind::Unchanged, game, {}, {}};
  for (int g = FirstGame(r); g <= LastGame(r); ++g)
    if (g != game && winner_[g] == team) return Refused();

  DropOutcome out;
  out.game = game;
  int old = winner_[game];
  if (old != 0) {
    out.clearedGames = ClearLaterRounds(old, r);
    if (!out.clearedGames.empty()) out.sounds.push_back("cork");
    out.kind = DropOutcome::Kind::Changed;
    out.sounds.push_back("claves");
  } else {
    out.kind = DropOutcome::Kind::Placed;
    out.sounds.push_back("start");
  }
  winner_[game] = team;
  return out;
}

DropOutcome ResultsBoard::PlaceInRound(int round, const BoardSource& source) {
  int team = TeamOf(source);
  if (team == 0 || round < 1 || round > rounds_) return Refused();
  if (rePair_ && round > 1) {
    for (int g = FirstGame(round); g <= LastGame(round); ++g)
      if (winner_[g] == team) return Place(g, source);
    for (int g = FirstGame(round); g <= LastGame(round); ++g)
      if (winner_[g] == 0) return Place(g, source);
    return Refused();
  }
  int k = (team - 1) / (1 << round) + 1;
  return Place(FirstGame(round) + k - 1, source);
}

DropOutcome ResultsBoard::TakeBack(const BoardSource& source) {
  if (source.kind != BoardSource::Kind::WinnerBox) return Refused();
  int game = source.number;
  int team = Winner(game);
  // A Bye game's winner advances without playing: there is no result to take back.
  if (team == 0 || IsByeGame(game)) return Refused();
  DropOutcome out;
  out.kind = DropOutcome::Kind::TakenBack;
  out.game = game;
  winner_[game] = 0;
  out.clearedGames = ClearLaterRounds(team, RoundOf(game));
  out.sounds.push_back("cork");
  return out;
}

}  // namespace qb
