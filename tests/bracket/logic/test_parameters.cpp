#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "bracket/logic/parameters.h"
#include "core/bracket.h"
#include "core/payout.h"
#include "core/pool_file_host.h"
#include "core/pool_file_reader.h"
#include "core/pool_file_writer.h"
#include "core/prompts.h"
#include "core/services.h"

namespace qb {
namespace {

Currency Money(double v) { return Currency::FromDouble(v); }

void AddEntries(PoolState& s, int count, int deleted) {
  s.NumEntries = static_cast<int16_t>(count);
  s.Entries.assign(count + 1, EntryRecord{});
  for (int e = 1; e <= count; ++e) s.Entries[e].BettorIndex = e <= deleted ? 0 : 1;
  s.Picks.ResizeEntries(count + 1);
}

TEST(TeamCount, RoundsOrRefused) {
  const struct {
    double teams;
    int rounds;
  } cases[] = {{4, 2},   {4.5, 0},  {5, 3},  {5.5, 3},  {8, 3},  {8.5, 0},  {9, 4},   {16, 4},
               {17, 5},  {32, 5},   {33, 6}, {64, 6},   {64.5, 0}, {65, 0}, {3, 0},   {0, 0},
               {-8, 0},  {1e9, 0}};
  for (const auto& c : cases) EXPECT_EQ(RoundsForTeamCount(c.teams), c.rounds) << c.teams;
  EXPECT_EQ(SlotsForTeamCount(5), 8);
  EXPECT_EQ(SlotsForTeamCount(64), 64);
  EXPECT_EQ(SlotsForTeamCount(0), 0);
}

TEST(TeamCount, StoredWholeWithinSixteenBits) {
  EXPECT_EQ(TeamCountOf(16), 16);
  EXPECT_EQ(TeamCountOf(5.5), 6);
  EXPECT_EQ(TeamCountOf(6.5), 6);  // halves to even
  EXPECT_EQ(TeamCountOf(1e12), 32767);
  EXPECT_EQ(TeamCountOf(-1e12), -32768);
}

TEST(DualSided, RulesOnLeavingTheTeamCount) {
  const struct {
    double teams;
    bool textChanged;
    DualSidedChange change;
  } cases[] = {
      {6, true, DualSidedChange::Clear},   {7.9, false, DualSidedChange::Clear},
      {8, true, DualSidedChange::Keep},    {31, true, DualSidedChange::Keep},
      {32, true, DualSidedChange::Set},    {40, true, DualSidedChange::Set},
      {40, false, DualSidedChange::Keep},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DualSidedForTeamCount(c.teams, c.textChanged), c.change) << c.teams;
  EXPECT_FALSE(DualSidedAllowed(4));
  EXPECT_TRUE(DualSidedAllowed(5));
}

TEST(Reading, AmountsPercentagesAndSingles) {
  const struct {
    const char* text;
    double amount;
  } amounts[] = {{"$5.00", 5},  {"  $12.5", 12.5}, {"5", 5},        {"7.25 each", 7.25},
                 {"abc", 0},    {"", 0},           {"2,50", 2},     {"-3", -3},
                 {"$", 0},      {"1e300", 1e8},    {"-1e300", -1e8}};
  for (const auto& c : amounts) EXPECT_EQ(ReadAmount(c.text), Money(c.amount)) << c.text;
  EXPECT_FLOAT_EQ(ReadPercent("33.3"), 33.3f);
  EXPECT_FLOAT_EQ(ReadPercent("1e9"), 1000.f);
  EXPECT_FLOAT_EQ(ReadSingle(" 1.50"), 1.5f);
  EXPECT_FLOAT_EQ(ReadSingle("x"), 0.f);
  EXPECT_TRUE(std::isfinite(ReadSingle("1e300")));
}

TEST(PayoutFigures, UseTheTypedCostAndLeaveTheStoredOne) {
  PoolState s;
  AddEntries(s, 10, 2);
  s.Pool.CostPerEntry = Money(5);
  std::array<float, 6> pct{0, 50, 30, 20, 0, 0};

  PayoutFigures f = ComputePayoutFigures(s, pct, Money(10), 0, Money(10));
  EXPECT_EQ(s.Pool.CostPerEntry, Money(5));
  EXPECT_EQ(f.Pot, Money(80));

  // The same figures as core gives for a pool that holds the typed cost.
  PoolState same = s;
  same.Pool.CostPerEntry = Money(10);
  std::array<Currency, 6> expected{};
  ComputePrizePool(same, pct, expected, Money(10), 0);
  EXPECT_EQ(f.Amounts, expected);
  EXPECT_EQ(f.Amounts[1], Money(35));
  EXPECT_EQ(f.TotalUnallocated, Money(10));  // the holdback
  EXPECT_EQ(f.PctUnallocated, 0);
}

TEST(PayoutFigures, UnallocatedPercentage) {
  PoolState s;
  AddEntries(s, 3, 0);
  s.Pool.CostPerEntry = Money(33);
  std::array<float, 6> thirds{0, 33.3f, 33.3f, 33.4f, 0, 0};
  PayoutFigures f = ComputePayoutFigures(s, thirds, Currency(), -2, Money(33));
  EXPECT_EQ(f.PctUnallocated, 0);
  EXPECT_EQ(f.TotalUnallocated, Currency());

  std::array<float, 6> partial{5, 50, 25, 0, 0, 0};
  f = ComputePayoutFigures(s, partial, Currency(), 0, Money(33));
  EXPECT_EQ(f.PctUnallocated, 20);
  EXPECT_EQ(f.Amounts[0], Money(5));
  EXPECT_EQ(f.Amounts[1], Money(50));
  EXPECT_EQ(f.Amounts[2], Money(25));
  EXPECT_EQ(f.TotalUnallocated, Money(19));
}

// A pool of 16 teams as read from a file, and the dialog's values for it.
struct ParmsFixture : ::testing::Test {
  PoolState s;
  ScriptedPrompts prompts;
  FixedRandom random{0.25};
  ParmsEdit e;
  bool changed = true;
  MsgAnswer answer = MsgAnswer::OK;

  void SetUp() override {
    s.Pool.PoolName = "Office";
    s.Pool.NumTeams = 16;
    s.Pool.CostPerEntry = Money(5);
    s.Pool.TiebreakerUsed = true;
    s.Pool.TiebreakerType = "Points in Final - Winner";
    s.Pool.PayoutPct = {0, 60, 40, 0, 0, 0};
    s.Pool.PayoutRounding = -2;
    for (int r = 1; r <= 7; ++r) {
      s.Pool.RoundPoints[r] = static_cast<float>(r);
      s.Pool.SeedFactor[r] = 1;
    }
    s.Pool.SeedMethod[2] = 3;
    SetupBracketFromParameters(s, prompts);
    e = EditOf(s);
  }

  static ParmsEdit EditOf(const PoolState& p) {
    ParmsEdit x;
    x.PoolName = p.Pool.PoolName;
    x.Teams = p.Pool.NumTeams;
    x.CostPerEntry = p.Pool.CostPerEntry;
    x.PayoutPct = p.Pool.PayoutPct;
    x.PayoutAmt = p.PayoutAmt;
    x.HoldbackAmt = p.Pool.HoldbackAmt;
    x.PayoutRounding = p.Pool.PayoutRounding;
    x.TiebreakerUsed = p.Pool.TiebreakerUsed;
    x.TiebreakerType = p.Pool.TiebreakerType;
    x.RoundPoints = p.Pool.RoundPoints;
    x.SeedFactor = p.Pool.SeedFactor;
    for (int r = 1; r <= 7; ++r) x.SeedMethod[r] = static_cast<int>(p.Pool.SeedMethod[r]);
    x.DualSided = p.Pool.DualSided;
    x.RoundByRound = p.Pool.RoundByRound;
    x.RePair = p.Pool.RePair;
    return x;
  }

  ParmsOkOutcome Ok() { return RunParmsOk(s, prompts, random, e, changed, answer); }
};

TEST_F(ParmsFixture, EveryComparedValueCountsAsAChange) {
  EXPECT_FALSE(DiffersFromPool(e, s));
  const std::function<void(ParmsEdit&)> edits[] = {
      [](ParmsEdit& x) { x.CostPerEntry = Money(6); },
      [](ParmsEdit& x) { x.Teams = 16.5; },
      [](ParmsEdit& x) { x.PoolName = "office"; },
      [](ParmsEdit& x) { x.PayoutPct[0] = 1; },
      [](ParmsEdit& x) { x.PayoutAmt[5] = Money(1); },
      [](ParmsEdit& x) { x.HoldbackAmt = Money(1); },
      [](ParmsEdit& x) { x.PayoutRounding = 1; },
      [](ParmsEdit& x) { x.SeedFactor[7] = 2; },
      [](ParmsEdit& x) { x.SeedMethod[2] = 1; },
      [](ParmsEdit& x) { x.TiebreakerUsed = false; },
      [](ParmsEdit& x) { x.TiebreakerType = "Points in final - winner"; },
      [](ParmsEdit& x) { x.RoundPoints[6] = 6.5f; },
      [](ParmsEdit& x) { x.RoundByRound = true; },
      [](ParmsEdit& x) { x.RePair = true; },
  };
  int i = 0;
  for (const auto& edit : edits) {
    ParmsEdit x = e;
    edit(x);
    EXPECT_TRUE(DiffersFromPool(x, s)) << "edit " << i;
    ++i;
  }
  ParmsEdit dual = e;
  dual.DualSided = true;
  EXPECT_FALSE(DiffersFromPool(dual, s));
}

TEST_F(ParmsFixture, BadTeamCountIsRefusedAndNothingStored) {
  for (double teams : {0.0, 3.0, 64.5, 100.0}) {
    e.Teams = teams;
    e.PoolName = "Changed";
    s.DialogCancelled = true;
    prompts.asked.clear();
    EXPECT_EQ(Ok(), ParmsOkOutcome::Refused) << teams;
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text,
              "Minimum of 4 and maximum of 64 teams\r\nmanaged by Quorvel Brakkon.");
    EXPECT_EQ(prompts.asked[0].icon, MsgIcon::None);
    EXPECT_EQ(s.Pool.PoolName, "Office");
    EXPECT_TRUE(s.DialogCancelled);
    EXPECT_TRUE(changed);
  }
  EXPECT_NE(s.Pool.PoolId, 0);  // the id is given before the check
}

TEST_F(ParmsFixture, WarningWithEntriesAnsweredYesNoCancel) {
  AddEntries(s, 2, 0);
  e.CostPerEntry = Money(7);

  prompts.Queue(MsgAnswer::Cancel);
  EXPECT_EQ(Ok(), ParmsOkOutcome::Cancelled);
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(s.Pool.CostPerEntry, Money(5));
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].text,
            "WARNING!  Entries have already been entered!\r\n"
            "Are you sure you want to change the parameters for this jackpot?");
  EXPECT_EQ(prompts.asked[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(prompts.asked[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(prompts.beeps, 1);

  prompts.Queue(MsgAnswer::No);
  EXPECT_EQ(Ok(), ParmsOkOutcome::NotStored);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_EQ(s.Pool.CostPerEntry, Money(5));
  EXPECT_FALSE(s.PoolChanged);
  EXPECT_TRUE(changed);

  prompts.Queue(MsgAnswer::Yes);
  EXPECT_EQ(Ok(), ParmsOkOutcome::Stored);
  EXPECT_EQ(s.Pool.CostPerEntry, Money(7));
  EXPECT_EQ(s.PayoutAmt[1], Money(8.4));  // derived again: 2 x 7 x 60%
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_FALSE(changed);
  EXPECT_EQ(prompts.asked.size(), 3u);
}

TEST_F(ParmsFixture, DualSidedAloneIsStoredWithoutTheWarning) {
  AddEntries(s, 2, 0);
  e.DualSided = true;
  EXPECT_EQ(Ok(), ParmsOkOutcome::Stored);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_TRUE(s.Pool.DualSided);
  EXPECT_TRUE(s.PoolChanged);
}

TEST_F(ParmsFixture, NothingChangedStoresWithoutMarkingThePool) {
  changed = false;
  EXPECT_EQ(Ok(), ParmsOkOutcome::Stored);
  EXPECT_FALSE(s.PoolChanged);
}

TEST_F(ParmsFixture, TeamCountChangeEmptiesPicksAndResults) {
  s.Picks.Resize(s.NumGames + 1, 1);
  s.Picks(3, 1) = 5;
  s.Pool.Results[1] = 2;
  s.Pool.Results[15] = 2;
  e.Teams = 8;
  EXPECT_EQ(Ok(), ParmsOkOutcome::Stored);
  EXPECT_EQ(s.Pool.NumTeams, 8);
  EXPECT_EQ(s.NumGames, 7);
  EXPECT_EQ(s.Picks.MaxGame(), 8);
  EXPECT_EQ(s.Picks.MaxEntry(), 1);
  EXPECT_EQ(s.Picks(3, 1), 0);
  for (int g = 1; g <= 127; ++g) EXPECT_EQ(s.Pool.Results[g], 0) << g;
  for (int t = 1; t <= 8; ++t) EXPECT_TRUE(s.Teams[t].Alive) << t;
}

TEST_F(ParmsFixture, SameBracketSizeKeepsResults) {
  s.Pool.Results[1] = 2;
  e.Teams = 15;
  EXPECT_EQ(Ok(), ParmsOkOutcome::Stored);
  EXPECT_EQ(s.Pool.Results[1], 2);
  EXPECT_FALSE(s.Teams[1].Alive);
}

TEST_F(ParmsFixture, PicksCoverDeletedEntriesAfterATeamCountChange) {
  AddEntries(s, 3, 3);  // only deleted entries: the team count may change
  e.Teams = 32;
  prompts.Queue(MsgAnswer::Yes);
  EXPECT_EQ(Ok(), ParmsOkOutcome::Stored);
  EXPECT_EQ(s.NumGames, 31);
  EXPECT_EQ(s.Picks.MaxGame(), 32);
  EXPECT_GE(s.Picks.MaxEntry(), 3);
  EXPECT_EQ(s.Picks(31, 3), 0);
}

TEST_F(ParmsFixture, StoresEveryValue) {
  e.PoolName = "Hoops";
  e.CostPerEntry = Money(2.5);
  e.HoldbackAmt = Money(1);
  e.PayoutPct = {10, 50, 40, 0, 0, 0};
  e.PayoutRounding = -1;
  e.TiebreakerUsed = false;
  e.TiebreakerType = "Typed";
  e.RoundPoints[4] = 8;
  e.SeedFactor[4] = 0.5f;
  e.SeedMethod[4] = 4;
  e.SeedMethod[2] = -1;  // nothing chosen: the stored method stays
  e.RoundByRound = true;
  e.RePair = true;
  EXPECT_EQ(Ok(), ParmsOkOutcome::Stored);
  const PoolHeader& p = s.Pool;
  EXPECT_EQ(p.PoolName, "Hoops");
  EXPECT_EQ(p.CostPerEntry, Money(2.5));
  EXPECT_EQ(p.HoldbackAmt, Money(1));
  EXPECT_EQ(p.PayoutPct, e.PayoutPct);
  EXPECT_EQ(p.PayoutRounding, -1);
  EXPECT_FALSE(p.TiebreakerUsed);
  EXPECT_EQ(p.TiebreakerType, "Typed");
  EXPECT_EQ(p.RoundPoints[4], 8);
  EXPECT_EQ(p.SeedFactor[4], 0.5f);
  EXPECT_EQ(p.SeedMethod[4], 4);
  EXPECT_EQ(p.SeedMethod[2], 3);
  EXPECT_TRUE(p.RoundByRound);
  EXPECT_TRUE(p.RePair);
  EXPECT_TRUE(s.RoundByRoundOrRePair);
  EXPECT_EQ(s.NumPayoutPlaces, 2);
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

// What the dialog's boxes take must come back from the pool file as it was:
// each box is given the extreme values it takes, read as the dialog reads it,
// checked as its OK checks, stored, saved and read again. A value OK refuses
// never reaches the file.
TEST(ParametersSurviveTheFile, TheExtremeValuesEveryBoxTakes) {
  enum Box { Cost, Holdback, Percent, Booby, Points, Factor };
  struct Case {
    Box box;
    const char* text;
  };
  const Case cases[] = {
      {Cost, "-5"},          {Cost, "0"},          {Cost, "99999999.9999"}, {Cost, "1e300"},
      {Cost, "$12.345"},     {Holdback, "-0.01"},  {Holdback, "1e300"},     {Holdback, "0.0001"},
      {Percent, "-0.01"},    {Percent, "100"},     {Percent, "100.01"},     {Percent, "1e9"},
      {Percent, "33.333"},   {Booby, "-1e9"},      {Booby, "0.5"},          {Points, "-1e300"},
      {Points, "1e300"},     {Points, "1e-40"},    {Points, "0.1"},         {Factor, "-3.5e38"},
      {Factor, "123456789"}, {Factor, "1.000001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    PoolState s;
    ScriptedPrompts prompts;
    s.Pool.NumTeams = 4;
    for (int n = 1; n <= 4; ++n) s.Teams[n].Name = "Team " + std::to_string(n);
    SetupBracketFromParameters(s, prompts);
    ParmsEdit e;
    e.Teams = 4;
    e.PoolName = "Extremes";
    for (int r = 1; r <= kMaxRounds; ++r) e.SeedMethod[r] = 1;
    switch (c.box) {
      case Cost: e.CostPerEntry = ReadAmount(c.text); break;
      case Holdback: e.HoldbackAmt = ReadAmount(c.text); break;
      case Percent: e.PayoutPct[1] = ReadPercent(c.text); break;
      case Booby: e.PayoutPct[0] = ReadPercent(c.text); break;
      case Points: e.RoundPoints[2] = ReadSingle(c.text); break;
      case Factor: e.SeedFactor[2] = ReadSingle(c.text); break;
    }
    if (!CheckParmsAmounts(e).empty()) continue;  // refused where it was typed
    StoreParameters(s, e);
    SetupBracketFromParameters(s, prompts);
    const PoolHeader stored = s.Pool;

    RecordingPoolFileHost host;
    FixedRandom random{0.5};
    FixedClock clock{std::tm{}};
    PoolFileServices svc{host, prompts, random, clock};
    PoolState again;
    again.PoolFilePath = "/pools/extremes.qbp";
    std::istringstream in(PoolFileText(s, PoolFileLayout::Full, std::tm{}));
    ASSERT_TRUE(ReadPoolFile(again, in, svc));
    EXPECT_TRUE(host.shownErrors.empty());
    const PoolHeader& p = again.Pool;
    EXPECT_EQ(p.CostPerEntry, stored.CostPerEntry);
    EXPECT_EQ(p.HoldbackAmt, stored.HoldbackAmt);
    EXPECT_EQ(p.PayoutPct, stored.PayoutPct);
    EXPECT_EQ(p.RoundPoints, stored.RoundPoints);
    EXPECT_EQ(p.SeedFactor, stored.SeedFactor);
    EXPECT_EQ(p.SeedMethod, stored.SeedMethod);
  }
}

TEST(ParametersSurviveTheFile, OkRefusesNegativeAmountsAndPercentagesOutsideTheFile) {
  const struct {
    const char* what;
    std::function<void(ParmsEdit&)> set;
    const char* message;
  } cases[] = {
      {"cost", [](ParmsEdit& e) { e.CostPerEntry = ReadAmount("-5"); },
       "The cost per entry cannot be negative."},
      {"holdback", [](ParmsEdit& e) { e.HoldbackAmt = ReadAmount("-0.01"); },
       "The holdback amount cannot be negative."},
      {"percent", [](ParmsEdit& e) { e.PayoutPct[3] = ReadPercent("-10"); },
       "A payout percentage must lie between 0 and 100; the pool file holds no other."},
      {"booby", [](ParmsEdit& e) { e.PayoutPct[0] = ReadPercent("150"); },
       "A payout percentage must lie between 0 and 100; the pool file holds no other."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PoolState s;
    ScriptedPrompts prompts;
    FixedRandom random{0.5};
    ParmsEdit e;
    e.Teams = 8;
    c.set(e);
    bool changed = true;
    MsgAnswer answer = MsgAnswer::OK;
    EXPECT_EQ(RunParmsOk(s, prompts, random, e, changed, answer), ParmsOkOutcome::Refused);
    EXPECT_EQ(prompts.LastText(), c.message);
    EXPECT_EQ(s.Pool.NumTeams, 0);  // nothing stored
    EXPECT_TRUE(changed);
  }
}

}  // namespace
}  // namespace qb
