#pragma once
// The open pool: its records, arrays, derived bracket tables, the scoring work
// area and the flags through which the windows hand work to each other.
// main() owns one PoolState; every test builds its own. Arrays that the
// program numbers from 1 keep element 0 unused.
#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/currency.h"

namespace qb {

inline constexpr int kMaxRounds = 7;    // rounds 1..7 in the per-round arrays
inline constexpr int kMaxGames = 127;   // games 1..127
inline constexpr int kMaxSlots = 128;   // bracket slots 1..128
inline constexpr int kPayoutPlaces = 5; // places 1..5; 0 is the booby prize

struct PoolHeader {
  int16_t PoolId = 0;
  std::string PoolName;
  int16_t NumTeams = 0;
  Currency CostPerEntry;
  bool SeedOption = false;
  float SeedFactorAll = 0;
  int16_t SeedFormula = 0;
  bool TiebreakerUsed = false;
  std::string TiebreakerType;
  int16_t PayoutRounding = 0;
  std::string ParmsFlag;
  std::array<float, kMaxRounds + 1> RoundPoints{};          // 1..7
  std::array<float, kPayoutPlaces + 1> PayoutPct{};         // 0..5
  std::array<std::string, kPayoutPlaces + 1> PayoutFlag{};  // 0..5
  Currency HoldbackAmt;
  float TiebreakerActual = 0;
  bool DualSided = false;
  std::array<int16_t, kMaxGames + 1> Results{};  // 1..127
  bool MultiplyByRound = false;
  std::string PoolInstructions;
  std::string DownloadSource;
  std::string ReportFileName;
  bool Parms3Flag = false;
  std::string Parms3Text;
  std::array<float, kMaxRounds + 1> SeedFactor{};  // 1..7
  std::array<float, kMaxRounds + 1> SeedMethod{};  // 1..7, whole numbers 0..5
  bool RoundByRound = false;
  bool RePair = false;
  std::string WebPoolName;
  std::string Parms3Text2;
};

struct TeamRecord {
  int16_t Number = 0;
  std::string Name;
  int16_t Seed = 0;
  bool Alive = false;
};

struct EntryRecord {
  float Tiebreaker = 0;
  int16_t BettorIndex = 0;  // 0: deleted entry
  std::string BettorName;
  int16_t EntryNumber = 0;
  float Points = 0;
  int16_t GamesWon = 0;
  float PossiblePoints = 0;
  bool Collected = false;
  std::array<float, kMaxRounds + 1> RoundPointsWon{};  // 1..7
  std::array<int16_t, kMaxRounds + 1> RoundGamesWon{};  // 1..7
  std::array<int16_t, kMaxRounds + 1> RoundOpenGames{};  // 1..7
  // Which entry this is while it lives in the pool (core/entry_identity.h);
  // 0 for none. Not part of the pool file.
  uint32_t Identity = 0;
};

struct BettorRecord {
  std::string Name;
  std::string Info;
  std::string Phone;
  std::string EMail;
  bool ImportMark = false;
};

struct GameRecord {
  int16_t Winner = 0;
  int16_t WinnerSeed = 0;
  int16_t Pick = 0;
  int16_t PickSeed = 0;
  int16_t Loser = 0;
  int16_t LoserSeed = 0;
  int16_t Feeder1 = 0;
  int16_t Feeder2 = 0;
  bool PickCorrect = false;
};

// Per-game work table, games 1..127. Scoring writes into a table its caller
// owns, so a long run can score copies on other threads.
using GameTable = std::array<GameRecord, kMaxGames + 1>;

// Score work area of ScoreEntry: index 0 the total, r round r.
struct ScoreArea {
  std::array<double, 9> ScorePoints{};
  std::array<int16_t, 9> ScoreGames{};
  std::array<int16_t, 9> ScoreOpenGames{};
  double ScorePossiblePoints = 0;
};

// Team slot picked by entry e to win game g, both bounds from 0. Reads and
// writes outside the bounds throw instead of touching other memory.
class PickMatrix {
 public:
  // Re-creates the matrix with games 0..maxGame and entries 0..maxEntry, all 0.
  void Resize(int maxGame, int maxEntry);
  // Changes only the entry bound, keeping the picks that still fit.
  void ResizeEntries(int maxEntry);
  // Raises either bound to at least the one given, keeping every pick.
  void EnsureSize(int maxGame, int maxEntry);
  int MaxGame() const { return maxGame_; }
  int MaxEntry() const { return maxEntry_; }
  // Picks the storage holds room for.
  size_t Capacity() const { return data_.capacity(); }
  int16_t& at(int game, int entry) { return data_[Index(game, entry)]; }
  int16_t at(int game, int entry) const { return data_[Index(game, entry)]; }
  int16_t& operator()(int game, int entry) { return at(game, entry); }
  int16_t operator()(int game, int entry) const { return at(game, entry); }

 private:
  size_t Index(int game, int entry) const {
    if (game < 0 || game > maxGame_ || entry < 0 || entry > maxEntry_)
      throw std::out_of_range("pick outside the pick matrix");
    return static_cast<size_t>(entry) * (maxGame_ + 1) + game;
  }
  int maxGame_ = -1;
  int maxEntry_ = -1;
  std::vector<int16_t> data_;  // entry-major, so growing entries keeps picks in place
};

struct PoolState {
  // --- the pool and the file being imported
  PoolHeader Pool;
  PoolHeader ImportPool;

  // --- bracket, entries, participants
  std::array<TeamRecord, kMaxSlots + 1> Teams{};  // 0..128
  std::vector<EntryRecord> Entries;               // 0..; element 0 unused
  PickMatrix Picks;
  std::vector<BettorRecord> Bettors;  // 0..; element 0 unused

  // --- derived bracket tables
  GameTable Games{};
  std::array<int16_t, 9> RoundEnd{};                        // 0..8
  std::array<int16_t, kMaxGames + 1> GameRound{};            // 1..127
  std::array<int16_t, kMaxRounds + 1> GamesInRound{};        // 1..7
  std::array<int16_t, kMaxRounds + 1> NonByeGamesInRound{};  // 1..7
  std::array<bool, kMaxGames + 1> ByeGame{};                 // 0..127
  std::array<int16_t, kMaxGames + 1> FavoredSeed{};          // 1..127
  std::array<Currency, kPayoutPlaces + 1> PayoutAmt{};       // 0..5
  std::array<std::string, 6> SeedMethodName{};               // 0..5
  std::array<std::string, 6> SeedMethodChoice{};             // 0..5
  std::array<std::string, kMaxRounds + 1> SeedMethodDescr{}; // 1..7

  // --- import work copies
  std::array<TeamRecord, kMaxSlots + 1> ImportTeams{};
  std::vector<EntryRecord> ImportEntries;
  PickMatrix ImportPicks;
  std::vector<BettorRecord> ImportBettors;

  // --- counts and derived values
  int16_t NumSlots = 0;
  int16_t NumRounds = 0;
  int16_t NumGames = 0;
  int16_t NumNonByeGames = 0;
  int16_t NumEntries = 0;
  int16_t NumDeletedEntries = 0;
  int16_t NumBettors = 0;
  int16_t NumPayoutPlaces = 0;
  int16_t NumImportEntries = 0;
  int16_t NumImportBettors = 0;
  int16_t ImportBettorsBase = 0;
  Currency CollectedTotal;
  Currency OwedTotal;
  bool NumericTiebreaker = false;
  bool LoserSeedScoring = false;
  bool RoundByRoundOrRePair = false;
  // The last entry identity given; kept across pools, so no two entries ever
  // share one.
  uint32_t LastEntryIdentity = 0;

  // --- score work area of the open pool
  ScoreArea Score;

  // --- flags and hand-over variables shared by the windows
  bool DialogCancelled = false;
  bool PoolChanged = false;
  std::string PoolFilePath;
  std::string OpenFileName;
  std::string SoundStatus = "On";
  int16_t SoundPlayed = 0;
  int16_t CurrentEntry = 0;
  int16_t EditEntryNumber = 0;
  bool NewEntryMode = false;
  int16_t CurrentBettor = 0;
  std::string NewBettorName;
  int16_t CopyFromEntry = 0;
  int16_t PrintEntry = 0;
  std::string OutputMode;
  std::string ReportSortName;
  std::string DownloadType;
  std::string DownloadPath;
  std::vector<std::string> ImportFileList;
  std::string ImportFolder;
  int16_t NumImportFiles = 0;
  std::string ImportBettorsPath;
  bool BettorImportFromEntries = false;
  std::vector<std::string> LoadErrors;  // first message at index 0
  int32_t NumLoadErrors = 0;
  bool ShowBottomToolbar = true;
  int16_t AnalysisTeam = 0;
  int16_t AnalysisRound = 0;
  bool PoolAnalysisOpen = false;
  bool DisplayRankOpen = false;
  bool PossibilitiesReady = false;
  bool ListBettorsOpen = false;
  int32_t MainTop = 0;
  int32_t MainLeft = 0;
  int32_t MainWidth = 0;
  int32_t MainHeight = 0;
  int16_t NumDeletedBettors = 0;
  // Report font size and orientation (1 portrait, 2 landscape) of the printer.
  int16_t PrintFontSize = 8;
  int16_t PrintOrientation = 2;

  PoolState();
};

class Random;

// Fills SeedMethodName and SeedMethodChoice (done by the constructor too).
void FillSeedMethodNames(PoolState& s);

// Resets the open pool to an empty new pool.
void ClearPool(PoolState& s);

// Hands memory that was freed (a large pool closed, a possibilities run's
// work on several threads) back to the system instead of keeping it for
// allocations that may never come.
void ReturnFreedMemory();
// Entries 1..n that NumEntries counts and the records hold: 0 when either
// has none, Entries emptied altogether included (element 0 is no entry, and
// clamp must not get a bound below 0).
inline int HeldEntries(const PoolState& s) {
  const int records = std::max(static_cast<int>(s.Entries.size()) - 1, 0);
  return std::clamp<int>(s.NumEntries, 0, records);
}
// Clears one entry record; its Collected flag and open games stay.
void ClearEntryRecord(PoolState& s, int entry);
void ClearImportHeader(PoolState& s);
void ClearImportPool(PoolState& s);
// Gives the pool a random id 1..30000 when it has none.
void EnsurePoolId(PoolState& s, Random& random);

}  // namespace qb
