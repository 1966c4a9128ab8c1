#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>

#include "bracket/logic/parameters.h"
#include "core/bracket.h"
#include "core/pool_file_host.h"
#include "core/pool_file_reader.h"
#include "core/pool_file_writer.h"
#include "core/prompts.h"
#include "core/services.h"
#include "core/text_format.h"
#include "entries/logic/entry_header.h"
#include "entries/logic/participants.h"

namespace qb {
namespace {

// Every Windows-1252 character class a user can type: letters with accents,
// the upper half's symbols, quotes, commas and field-like punctuation.
const std::string kAllClasses =
    "A z 0 9 é É ñ ß ÿ Ÿ € ‚ „ … † ‰ Š œ ™ « » ° ± µ ¿ ¡ ' , ; : | \\ / ~ ` ^ & % $ # @ ! ( ) [ ] { }";
const std::string kLong = std::string(1000, 'W') + "é€Ÿ";
const std::string kCommas = ",,, a, b ,c,";
const std::string kQuoted = "He said \"win\", 'now'";
const std::string kPadded = "  spaces both sides  ";

// A pool of four teams, one participant and one entry, ready for the boxes.
PoolState SmallPool() {
  PoolState s;
  ScriptedPrompts prompts;
  s.Pool.NumTeams = 4;
  for (int n = 1; n <= 4; ++n) s.Teams[n].Name = "Team " + std::to_string(n);
  SetupBracketFromParameters(s, prompts);
  s.Pool.PoolName = "Extremes";
  s.Pool.TiebreakerUsed = true;
  s.NumericTiebreaker = true;
  StoreBettor(s, 0, "First", "", "", "");
  s.NumEntries = 1;
  s.Entries.assign(2, EntryRecord{});
  s.Entries[1].BettorIndex = 1;
  s.Entries[1].EntryNumber = 1;
  s.Picks.Resize(s.NumGames + 1, 2);
  return s;
}

// Saves as the program does (quotes first become apostrophes) and reopens.
PoolState SaveAndReopen(PoolState& s) {
  ReplaceDoubleQuotes(s, PoolFileLayout::Full);
  RecordingPoolFileHost host;
  ScriptedPrompts prompts;
  FixedRandom random{0.5};
  FixedClock clock{std::tm{}};
  PoolFileServices svc{host, prompts, random, clock};
  PoolState again;
  again.PoolFilePath = "/pools/extremes.qbp";
  std::istringstream in(PoolFileText(s, PoolFileLayout::Full, std::tm{}));
  EXPECT_TRUE(ReadPoolFile(again, in, svc));
  EXPECT_TRUE(host.shownErrors.empty());
  return again;
}

// What the tiebreaker boxes accept, turned into the stored figure as they do.
float TiebreakerFrom(const std::string& text) { return static_cast<float>(Val(text)); }

// The seed box takes up to four digits; the window keeps the whole part.
int16_t SeedFrom(const std::string& text) {
  double v = Val(text);
  return static_cast<int16_t>(std::clamp(std::trunc(v), -32768.0, 32767.0));
}

TEST(ValuesSurviveTheFile, EveryTextBoxKeepsItsExtremes) {
  enum Box { Team, Name, Phone, EMail, Info, PoolName, Instructions };
  const char* boxNames[] = {"team", "name", "phone", "email", "info", "pool name", "instructions"};
  const std::string texts[] = {kAllClasses, kLong,  kCommas,
                               kQuoted,     kPadded, "x",
                               "line one\nline two"};
  for (Box box : {Team, Name, Phone, EMail, Info, PoolName, Instructions}) {
    for (const std::string& text : texts) {
      SCOPED_TRACE(std::string(boxNames[box]) + ": " + text.substr(0, 40));
      PoolState s = SmallPool();
      switch (box) {
        case Team: s.Teams[2].Name = text; break;
        case Name:
          ASSERT_EQ(CheckBettorName(s, text, 1), BettorNameCheck::Ok);
          StoreBettor(s, 1, text, "", "", "");
          break;
        case Phone: StoreBettor(s, 1, "First", text, "", ""); break;
        case EMail: StoreBettor(s, 1, "First", "", text, ""); break;
        case Info: StoreBettor(s, 1, "First", "", "", text); break;
        case PoolName: s.Pool.PoolName = text; break;
        case Instructions: s.Pool.PoolInstructions = text; break;
      }
      PoolState again = SaveAndReopen(s);
      EXPECT_EQ(again.Teams[2].Name, s.Teams[2].Name);
      EXPECT_EQ(again.Pool.PoolName, s.Pool.PoolName);
      EXPECT_EQ(again.Pool.PoolInstructions, s.Pool.PoolInstructions);
      ASSERT_GE(again.NumBettors, 1);
      const BettorRecord& b = again.Bettors[1];
      EXPECT_EQ(b.Name, s.Bettors[1].Name);
      EXPECT_EQ(b.Phone, s.Bettors[1].Phone);
      EXPECT_EQ(b.EMail, s.Bettors[1].EMail);
      EXPECT_EQ(b.Info, s.Bettors[1].Info);
      // What was typed is what comes back, but for the quotes the file cannot hold.
      if (text.find('"') == std::string::npos) {
        const std::string* back[] = {&again.Teams[2].Name, &b.Name, &b.Phone, &b.EMail,
                                     &b.Info, &again.Pool.PoolName, &again.Pool.PoolInstructions};
        EXPECT_EQ(*back[box], text);
      }
    }
  }
}

TEST(ValuesSurviveTheFile, NumbersAtTheBoundsTheBoxesTake) {
  enum Box { Seed, EntryNumber, EntryTiebreaker, ResultTiebreaker };
  struct Case {
    Box box;
    const char* text;
  };
  const Case cases[] = {
      {Seed, "0"},
      {Seed, "1"},
      {Seed, "9999"},
      {Seed, "0001"},
      {EntryNumber, "1"},
      {EntryNumber, "32767"},
      {EntryNumber, "2.4"},
      {EntryTiebreaker, "-999999999.9999"},
      {EntryTiebreaker, "999999999.9999"},
      {EntryTiebreaker, "-0.0001"},
      {EntryTiebreaker, "0.0001"},
      {EntryTiebreaker, "123.4567"},
      {EntryTiebreaker, "-"},
      {EntryTiebreaker, "."},
      {ResultTiebreaker, "-999999999.9999"},
      {ResultTiebreaker, "0.0001"},
      {ResultTiebreaker, "-12.3456"},
      {ResultTiebreaker, "999999999"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    PoolState s = SmallPool();
    switch (c.box) {
      case Seed: s.Teams[3].Seed = SeedFrom(c.text); break;
      case EntryNumber: {
        HeaderCheck check = CheckEntryHeader(s, 1, "First", 1, c.text);
        ASSERT_EQ(check.Refusal, HeaderRefusal::None) << check.Message;
        StoreEntryHeader(s, 1, "First", check);
        break;
      }
      case EntryTiebreaker: s.Entries[1].Tiebreaker = TiebreakerFrom(c.text); break;
      case ResultTiebreaker: s.Pool.TiebreakerActual = TiebreakerFrom(c.text); break;
    }
    PoolState again = SaveAndReopen(s);
    EXPECT_EQ(again.Teams[3].Seed, s.Teams[3].Seed);
    ASSERT_GE(again.NumEntries, 1);
    EXPECT_EQ(again.Entries[1].EntryNumber, s.Entries[1].EntryNumber);
    EXPECT_EQ(again.Entries[1].Tiebreaker, s.Entries[1].Tiebreaker);
    EXPECT_EQ(again.Pool.TiebreakerActual, s.Pool.TiebreakerActual);
  }
}

}  // namespace
}  // namespace qb
