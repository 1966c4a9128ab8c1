#include <gtest/gtest.h>

#include "core/pool_file_reader.h"
#include "core/pool_file_writer.h"
#include "core/scoring.h"
#include "pool_file_test_support.h"

namespace qb {
namespace {

using qb::testing::Fixture;
using qb::testing::MakeFiveTeamPool;
using qb::testing::PutFile;
using qb::testing::SameLines;
using qb::testing::TempFolder;

const std::string kHeader = "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\",#2026-12-10 12:00:00#\r\n";
// A 4-team pool: 4 slots, 3 games.
const std::string kParms4 =
    "\"%Parms `\",55,\"Four\",4,2,#FALSE#,0,#TRUE#,\"Actual Games Picked Correctly\",0,\"No\",0,"
    "0,#FALSE#,0,#FALSE#\r\n";
const std::string kTeams4 =
    "\"%Team  `\",1,\"A\",1\r\n\"%Team  `\",2,\"B\",4\r\n\"%Team  `\",3,\"C\",2\r\n"
    "\"%Team  `\",4,\"D\",3\r\n";

class PoolFileReader : public qb::testing::PoolFileTest {
 protected:
  void ExpectLoaded() {
    EXPECT_FALSE(s.DialogCancelled);
    EXPECT_FALSE(s.PoolChanged);
    EXPECT_EQ(host.mru, std::vector<std::string>{s.PoolFilePath});
    EXPECT_EQ(host.sounds, std::vector<std::string>{"fileopn"});
    EXPECT_TRUE(host.fileCommandsEnabled);
    EXPECT_FALSE(host.hourglass);
    EXPECT_EQ(s.OpenFileName, s.PoolFilePath);
  }
  // A failed open leaves an empty pool with no file name.
  void ExpectFailed() {
    EXPECT_TRUE(s.DialogCancelled);
    EXPECT_TRUE(s.PoolFilePath.empty());
    EXPECT_TRUE(s.OpenFileName.empty());
    EXPECT_EQ(s.Pool.NumTeams, 0);
    EXPECT_EQ(s.NumEntries, 0);
    EXPECT_EQ(s.NumBettors, 0);
    EXPECT_FALSE(s.PoolChanged);
    EXPECT_TRUE(host.mru.empty());
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_FALSE(host.fileCommandsEnabled);
    EXPECT_FALSE(host.hourglass);
  }
};

TEST_F(PoolFileReader, ReadsTheFiveTeamPool) {
  ASSERT_TRUE(Read(Fixture("pool_5_teams.qbp")));
  ExpectLoaded();
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_TRUE(host.shownErrors.empty());
  EXPECT_EQ(s.Pool.PoolName, "Office 'Pool'");
  EXPECT_EQ(s.Pool.CostPerEntry, Currency::FromDouble(5.5));
  EXPECT_EQ(s.NumSlots, 8);
  EXPECT_EQ(s.NumGames, 7);
  EXPECT_EQ(s.Teams[2].Name, "Zo\xC3\xAB's Owls");
  EXPECT_EQ(s.Teams[2].Number, 2);
  EXPECT_TRUE(s.ByeGame[2]);
  EXPECT_EQ(s.Pool.Results[1], 2);
  EXPECT_EQ(s.Pool.SeedFactor[2], 0.5f);
  ASSERT_EQ(s.NumBettors, 2);  // the deleted entry and the nameless participant are gone
  EXPECT_EQ(s.CurrentBettor, 0);  // the participant list starts at the top
  EXPECT_EQ(s.Bettors[2].Name, "Bob");
  EXPECT_EQ(s.Bettors[2].Info, "Floor 3, desk 7\nby the window");
  EXPECT_EQ(s.Bettors[1].EMail, "ann@example.com");
  EXPECT_EQ(s.Bettors[1].Phone, "555-0100");
  ASSERT_EQ(s.NumEntries, 3);
  EXPECT_EQ(s.Entries[2].BettorIndex, 2);
  EXPECT_EQ(s.Entries[2].Tiebreaker, 135.5f);
  EXPECT_TRUE(s.Entries[1].Collected);
  EXPECT_EQ(s.Entries[3].BettorIndex, 1);
  EXPECT_EQ(s.Entries[3].EntryNumber, 2);
  EXPECT_EQ(s.Picks(6, 2), 7);
  EXPECT_EQ(s.Picks.MaxGame(), s.NumGames + 1);
  EXPECT_EQ(s.Picks.MaxEntry(), s.NumEntries + 1);
}

// Every field of every record holds its own value, none the default: a field
// the reader drops or two it swaps, or two the writer swaps, show here.
TEST_F(PoolFileReader, EveryFieldOfEveryRecordSurvivesAReadAndAWrite) {
  auto expectEveryField = [](const PoolState& s) {
    const PoolHeader& p = s.Pool;
    EXPECT_EQ(p.PoolId, 4321);
    EXPECT_EQ(p.PoolName, "Every Field");
    EXPECT_EQ(p.NumTeams, 8);
    EXPECT_EQ(p.CostPerEntry, Currency::FromDouble(12.75));
    EXPECT_TRUE(p.TiebreakerUsed);
    EXPECT_EQ(p.TiebreakerType, "Points in Final - Winner");
    EXPECT_EQ(p.PayoutRounding, -1);
    EXPECT_EQ(p.ParmsFlag, "PF");
    EXPECT_EQ(p.HoldbackAmt, Currency::FromDouble(3.25));
    EXPECT_EQ(p.TiebreakerActual, 151);
    EXPECT_TRUE(p.DualSided);
    // The older options are taken into the per-round values once, when read:
    // the factors and points of the file multiplied by the round.
    EXPECT_FALSE(p.SeedOption);
    EXPECT_EQ(p.SeedFactorAll, 0);
    EXPECT_FALSE(p.MultiplyByRound);
    EXPECT_EQ(p.PoolInstructions, "Pick all seven games.");
    EXPECT_EQ(p.DownloadSource, "Spring list");
    EXPECT_EQ(p.ReportFileName, "standings.txt");
    EXPECT_TRUE(p.Parms3Flag);
    EXPECT_EQ(p.Parms3Text, "P3");
    EXPECT_TRUE(p.RoundByRound);
    EXPECT_FALSE(p.RePair);
    EXPECT_EQ(p.WebPoolName, "every-field");
    EXPECT_EQ(p.Parms3Text2, "P3b");
    const float methods[] = {0, 1, 2, 3, 4, 5, 1, 2};
    const float factors[] = {0, 0.5f, 0.25f, 0.75f, 1.25f, 1.75f, 2.5f, 3.5f};
    for (int r = 1; r <= kMaxRounds; ++r) {
      SCOPED_TRACE("round " + std::to_string(r));
      EXPECT_EQ(p.SeedMethod[r], methods[r]);
      EXPECT_EQ(p.SeedFactor[r], factors[r] * r);
      EXPECT_EQ(p.RoundPoints[r], static_cast<float>(r * r));
    }
    const float pct[] = {4, 40, 25, 15, 10, 6};
    const char* flags[] = {"B", "P1", "P2", "P3", "P4", "P5"};
    for (int i = 0; i <= kPayoutPlaces; ++i) {
      EXPECT_EQ(p.PayoutPct[i], pct[i]);
      EXPECT_EQ(p.PayoutFlag[i], flags[i]);
    }
    const char* teams[] = {"", "Ants", "Bees", "Cats", "Dogs", "Eels", "Fox", "Gnus", "Hens"};
    for (int n = 1; n <= 8; ++n) {
      EXPECT_EQ(s.Teams[n].Name, teams[n]);
      EXPECT_EQ(s.Teams[n].Seed, 9 - n);
      EXPECT_EQ(s.Teams[n].Number, n);
    }
    const int results[] = {0, 2, 3, 6, 7, 3, 6, 0};
    for (int g = 1; g <= 7; ++g) EXPECT_EQ(p.Results[g], results[g]);
    ASSERT_EQ(s.NumBettors, 2);
    EXPECT_EQ(s.Bettors[1].Name, "Ann");
    EXPECT_EQ(s.Bettors[1].Info, "sits by the door");
    EXPECT_EQ(s.Bettors[1].EMail, "ann@x.org");
    EXPECT_EQ(s.Bettors[1].Phone, "555-0101");
    EXPECT_EQ(s.Bettors[2].Name, "Bob");
    EXPECT_EQ(s.Bettors[2].Info, "floor 3");
    EXPECT_EQ(s.Bettors[2].EMail, "bob@x.org");
    EXPECT_EQ(s.Bettors[2].Phone, "555-0102");
    ASSERT_EQ(s.NumEntries, 2);
    EXPECT_EQ(s.Entries[1].BettorIndex, 1);
    EXPECT_EQ(s.Entries[1].EntryNumber, 3);
    EXPECT_EQ(s.Entries[1].Tiebreaker, 141.5f);
    EXPECT_TRUE(s.Entries[1].Collected);
    EXPECT_EQ(s.Entries[2].BettorIndex, 2);
    EXPECT_EQ(s.Entries[2].EntryNumber, 7);
    EXPECT_EQ(s.Entries[2].Tiebreaker, 99);
    EXPECT_FALSE(s.Entries[2].Collected);
    const int picks[3][8] = {{}, {0, 2, 3, 6, 7, 3, 6, 6}, {0, 1, 4, 5, 8, 4, 5, 5}};
    for (int e = 1; e <= 2; ++e)
      for (int g = 1; g <= 7; ++g) EXPECT_EQ(s.Picks(g, e), picks[e][g]) << e << "/" << g;
  };
  ASSERT_TRUE(Read(Fixture("pool_every_field.qbp")));
  EXPECT_TRUE(host.shownErrors.empty());
  {
    SCOPED_TRACE("read");
    expectEveryField(s);
  }
  const std::string written = Written();
  s = PoolState();
  host = RecordingPoolFileHost();
  ASSERT_TRUE(Read(written));
  EXPECT_TRUE(host.shownErrors.empty());
  SCOPED_TRACE("written and read again");
  expectEveryField(s);
}

TEST_F(PoolFileReader, AFileReadAndWrittenAgainIsTheSameFile) {
  for (const char* name : {"pool_5_teams.qbp", "pool_5_teams_without_entries.qbp"}) {
    PoolState fresh;
    s = fresh;
    ASSERT_TRUE(Read(Fixture(name))) << name;
    const bool full = std::string(name) == "pool_5_teams.qbp";
    EXPECT_TRUE(SameLines(Fixture(name),
                          Written(full ? PoolFileLayout::Full : PoolFileLayout::WithoutEntries)))
        << name;
  }
}

TEST_F(PoolFileReader, TheWrittenPoolReadsBackAsItWas) {
  MakeFiveTeamPool(s, prompts);
  std::string text = Written();
  PoolState original = s;
  s = PoolState();
  ASSERT_TRUE(Read(text));
  EXPECT_EQ(s.Pool.PoolName, original.Pool.PoolName.substr(0, 7) + "'Pool'");
  EXPECT_EQ(s.Pool.RoundPoints, original.Pool.RoundPoints);
  EXPECT_EQ(s.Pool.SeedMethod, original.Pool.SeedMethod);
  EXPECT_EQ(s.Pool.Results, original.Pool.Results);
  EXPECT_EQ(s.Pool.HoldbackAmt, original.Pool.HoldbackAmt);
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(s.Teams[n].Name, original.Teams[n].Name);
  // Entries 1, 3, 4 of the pool are 1, 2, 3 of the file.
  const int fromOriginal[] = {0, 1, 3, 4};
  for (int e = 1; e <= 3; ++e)
    for (int g = 1; g <= 7; ++g) EXPECT_EQ(s.Picks(g, e), original.Picks(g, fromOriginal[e]));
}

TEST_F(PoolFileReader, LineEndsOfAnyKindReadTheSame) {
  std::string crlf = Fixture("pool_5_teams.qbp");
  std::string lf, cr;
  for (size_t i = 0; i < crlf.size(); ++i) {
    if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') {
      lf += '\n';
      cr += '\r';
      ++i;
    } else {
      lf += crlf[i];
      cr += crlf[i];
    }
  }
  for (const std::string* bytes : {&lf, &cr}) {
    s = PoolState();
    ASSERT_TRUE(Read(*bytes));
    EXPECT_EQ(s.Bettors[2].Info, "Floor 3, desk 7\nby the window");
    EXPECT_TRUE(SameLines(crlf, Written()));
  }
}

TEST_F(PoolFileReader, LinesBeforeTheHeaderAreIgnored) {
  ASSERT_TRUE(Read("Saved for the office, 2026\r\n1,2,3\r\n" + kHeader + kParms4 + kTeams4));
  EXPECT_EQ(s.Pool.PoolName, "Four");
  EXPECT_EQ(s.Teams[4].Name, "D");
}

TEST_F(PoolFileReader, AFileWithoutTheHeaderIsNoPoolFile) {
  for (std::string bytes : {kParms4 + kTeams4, std::string(),
                            "\"%Header`\",\"SomethingElse\",\"2001.1\",#2026-12-10#\r\n" + kParms4,
                            std::string("\"%Header`\"")}) {
    s = PoolState();
    host = RecordingPoolFileHost();
    EXPECT_FALSE(Read(bytes));
    ExpectFailed();
    EXPECT_EQ(prompts.LastText(),
              "Not a Quorvel Brakkon file!\n\r\nFile cannot be used with this program!");
  }
}

TEST_F(PoolFileReader, ALaterVersionIsReadAsTheCurrentOneWhenTheUserAgrees) {
  std::string later = "\"%Header`\",\"QuorvelBrakkon\",\"2030.5\",#2030-01-01 00:00:00#\r\n";
  prompts.Queue(MsgAnswer::Yes);
  ASSERT_TRUE(Read(later + kParms4 + kTeams4));
  EXPECT_EQ(prompts.asked.at(0).text,
            "File created with a later version of Quorvel Brakkon!\n\n\r"
            "You may experience problems loading the file!\n\rDo you wish to continue?");
  EXPECT_EQ(prompts.asked[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(s.Teams[3].Name, "C");
  ExpectLoaded();
}

TEST_F(PoolFileReader, RefusingAVersionLeavesNoFileNamed) {
  std::string later = "\"%Header`\",\"QuorvelBrakkon\",\"2030.5\",#2030-01-01 00:00:00#\r\n";
  prompts.Queue(MsgAnswer::No);
  EXPECT_FALSE(Read(later + kParms4 + kTeams4));
  ExpectFailed();

  s = PoolState();
  prompts.Queue(MsgAnswer::Cancel);
  EXPECT_FALSE(Read(Fixture("pool_old_layout.qbp")));
  EXPECT_EQ(prompts.LastText(),
            "This is a file from an older version of Quorvel Brakkon.\n\r"
            "It will be translated to version 2.0 if you choose OK.");
  EXPECT_EQ(prompts.asked.back().icon, MsgIcon::None);
  ExpectFailed();
}

TEST_F(PoolFileReader, TheOldLayoutIsTranslated) {
  prompts.Queue(MsgAnswer::OK);
  ASSERT_TRUE(Read(Fixture("pool_old_layout.qbp")));
  ExpectLoaded();
  EXPECT_EQ(s.Pool.PoolId, 77);
  EXPECT_EQ(s.Pool.NumTeams, 4);
  EXPECT_EQ(s.Pool.CostPerEntry, Currency::FromDouble(2));
  EXPECT_TRUE(s.Pool.TiebreakerUsed);
  // The single seed option of the older files becomes a method per round.
  for (int r = 1; r <= 7; ++r) {
    EXPECT_EQ(s.Pool.SeedMethod[r], 1) << r;
    EXPECT_EQ(s.Pool.SeedFactor[r], 2) << r;
  }
  EXPECT_FALSE(s.Pool.SeedOption);
  EXPECT_EQ(s.Teams[0].Name, "");  // its slot-0 line is not taken
  EXPECT_EQ(s.Teams[2].Name, "South");
  EXPECT_EQ(s.Pool.Results[2], 3);
  ASSERT_EQ(s.NumEntries, 2);
  ASSERT_EQ(s.NumBettors, 2);
  EXPECT_EQ(s.Bettors[2].Name, "Dana");
  EXPECT_EQ(s.Entries[2].BettorIndex, 2);
  EXPECT_EQ(s.Entries[2].Tiebreaker, 40);
  EXPECT_FALSE(s.Entries[1].Collected);
  EXPECT_EQ(s.Picks(3, 2), 4);
  // Saved again, it is a current file.
  EXPECT_NE(Written().find("\"2001.1\""), std::string::npos);
}

TEST_F(PoolFileReader, ABadRecordInTheOldLayoutAbandonsTheLoad) {
  const std::pair<std::string, std::string> cases[] = {
      {"\"South\",x", "Type mismatch"},
      {std::string("\"So\0th\",4", 9), "Null character in the record"},
  };
  for (const auto& [team, why] : cases) {
    SCOPED_TRACE(why);
    s = PoolState();
    host = RecordingPoolFileHost();
    std::string old = Fixture("pool_old_layout.qbp");
    old.replace(old.find("\"South\",4"), 9, team);
    prompts.Queue(MsgAnswer::OK);
    EXPECT_FALSE(Read(old));
    EXPECT_EQ(prompts.LastText(), "Error in processing the %Team  ` record.\n\n\r" + why);
    EXPECT_EQ(prompts.asked.back().icon, MsgIcon::None);
    EXPECT_EQ(host.closeCalls, 1);
    ExpectFailed();
  }
}

TEST_F(PoolFileReader, TheOldLayoutChecksTheTeamCountAsTheOtherDoes) {
  std::string old = Fixture("pool_old_layout.qbp");
  old.replace(old.find("\"Old Pool\",4"), 12, "\"Old Pool\",2");
  prompts.Queue(MsgAnswer::OK);
  EXPECT_FALSE(Read(old));
  EXPECT_TRUE(prompts.AnyTextContains("Invalid Parameters"));
  ExpectFailed();
}

TEST_F(PoolFileReader, EachBadRecordGivesOneLoadErrorAndTheRestIsRead) {
  const std::string bytes = kHeader + kParms4 +
                            "\"%Team  `\",0,\"Nobody\",0\r\n"        // record 2: slot 0
                            "\"%Team  `\",1,\"A\",x\r\n"              // 3: seed no number
                            "\"%Team  `\",2,\"B\"\r\n"                // 4: cut short
                            "\"%Team  `\",3,\"C\",2\r\n"              // 5
                            "\"%Team  `\",4,\"D\",3\r\n"              // 6
                            "\"%Winner`\",1,9,-1,\r\n"               // 7: slots 9 and -1
                            "\"%EntHdr`\",\"Ann\",70000,1,#TRUE#\r\n"  // 8: number overflows
                            "\"%EntPck`\",1,3,99999,\r\n"            // 9: pick overflows
                            "\"%EntHdr`\",\"Bo\",1,1,#FALSE#\r\n"      // 10
                            "\"%EntPck`\",2,4,4,\r\n";               // 11
  ASSERT_TRUE(Read(bytes));
  ASSERT_EQ(host.shownErrors.size(), 1u);
  const std::vector<std::string> expected = {
      "Header record # 2 %Team  ` - Subscript out of range",
      "Header record # 3 %Team  ` - Type mismatch",
      "Header record # 4 %Team  ` - Type mismatch",
      "Header record # 7 %Winner` - Subscript out of range",
      "Header record # 8 %EntHdr` - Overflow",
      "Header record # 9 %EntPck` - Overflow",
  };
  EXPECT_EQ(host.shownErrors[0], expected);  // every message, the first one too
  EXPECT_EQ(s.LoadErrors, expected);
  EXPECT_EQ(s.NumLoadErrors, 6);
  EXPECT_EQ(s.Teams[3].Name, "C");  // the record after the cut-short one is read
  EXPECT_EQ(s.Teams[1].Name, "A");
  EXPECT_EQ(s.Pool.Results[1], 1);
  EXPECT_EQ(s.Pool.Results[2], 0);  // out-of-range winners become 0
  EXPECT_EQ(s.Pool.Results[3], 0);
  ASSERT_EQ(s.NumEntries, 2);
  EXPECT_EQ(s.Entries[1].BettorIndex, 1);  // the damaged entry keeps its participant
  EXPECT_EQ(s.Picks(1, 1), 1);
  EXPECT_EQ(s.Picks(2, 1), 3);
  EXPECT_EQ(s.Picks(3, 2), 4);
  ExpectLoaded();
}

// A text may read like a record's tag; only a tag that starts a line starts a record.
TEST_F(PoolFileReader, ATextThatReadsLikeATagIsAText) {
  ASSERT_TRUE(Read(kHeader + kParms4 + kTeams4 +
                   "\"%Bettor`\",\"%Winner`\",\"%Bettor`\",\"%EntPck`\",\"%Team  `\"\r\n"
                   "\"%EntHdr`\",\"%Winner`\",1,1,#TRUE#\r\n\"%EntPck`\",1,3,1,\r\n"));
  EXPECT_TRUE(host.shownErrors.empty());
  ASSERT_EQ(s.NumBettors, 1);
  EXPECT_EQ(s.Bettors[1].Name, "%Winner`");
  EXPECT_EQ(s.Bettors[1].Info, "%Bettor`");
  EXPECT_EQ(s.Bettors[1].EMail, "%EntPck`");
  EXPECT_EQ(s.Bettors[1].Phone, "%Team  `");
  EXPECT_EQ(s.Entries[1].BettorIndex, 1);
  const std::string written = Written();
  s = PoolState();
  ASSERT_TRUE(Read(written));
  EXPECT_TRUE(host.shownErrors.empty());
  EXPECT_EQ(Written(), written);
}

TEST_F(PoolFileReader, ARecordCutShortBeforeATextIsReportedAndTheNextOneRead) {
  ASSERT_TRUE(Read(kHeader + kParms4 + "\"%Team  `\",1,\"A\",1\r\n\"%Team  `\",2\r\n" +
                   "\"%Team  `\",3,\"C\",2\r\n\"%EntHdr`\"\r\n\"%EntPck`\",1,3,3,\r\n"));
  EXPECT_EQ(host.shownErrors.at(0),
            (std::vector<std::string>{"Header record # 3 %Team  ` - Type mismatch",
                                      "Header record # 5 %EntHdr` - Type mismatch"}));
  EXPECT_EQ(s.Teams[2].Name, "");
  EXPECT_EQ(s.Teams[3].Name, "C");
  // The entry without its header keeps its picks under a participant.
  ASSERT_EQ(s.NumEntries, 1);
  EXPECT_EQ(s.Bettors[s.Entries[1].BettorIndex].Name, "Unknown Participant");
  EXPECT_EQ(s.Picks(3, 1), 3);
}

// A copy cut off inside a text (a tag or a record's last text) would otherwise
// read as a whole smaller pool.
TEST_F(PoolFileReader, AFileCutOffInsideATextIsALoadError) {
  struct Case {
    std::string tail;
    std::string error;
  };
  const std::vector<Case> cases{
      {"\"%Te", "Header record # 5 %Te - Input past end of file"},
      {"\"%Bettor`\",\"Ann\",\"\",\"\",\"55",
       "Header record # 6 %Bettor` - Input past end of file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    host.shownErrors.clear();
    ASSERT_TRUE(Read(kHeader + kParms4 + "\"%Team  `\",1,\"A\",1\r\n\"%Team  `\",2,\"B\",4\r\n" +
                     "\"%Team  `\",3,\"C\",2\r\n\"%Team  `\",4,\"D\",3\r\n" + c.tail));
    ASSERT_EQ(host.shownErrors.size(), 1u);
    EXPECT_EQ(host.shownErrors[0], std::vector<std::string>{c.error});
  }
  // A file whose last line merely lacks its line end is whole.
  host.shownErrors.clear();
  ASSERT_TRUE(Read(kHeader + kParms4 + kTeams4 + "\"%Bettor`\",\"Ann\",\"\",\"\",\"55\""));
  EXPECT_TRUE(host.shownErrors.empty());
}

// A text file holds no NUL: a line with one is damaged, whatever field holds
// it, while a record of a kind this program does not know is still skipped.
TEST_F(PoolFileReader, ALineWithANulIsALoadErrorAndAnUnknownTagIsSkipped) {
  const std::string nul(1, '\0');
  const std::string ann = "\"%Bettor`\",\"Ann\",\"info\",\"mail\",\"phone\"\r\n";
  const std::string nulName = "\"%Parms `\",55,\"Fo" + nul + "ur\"" +
                              kParms4.substr(kParms4.find("\"Four\"") + 6);
  struct Case {
    const char* what;
    std::string parms, lines;
    std::vector<std::string> errors;
    std::string annInfo;  // the details of Ann that survive
  };
  const std::vector<Case> cases{
      {"in a tag", kParms4, "\"%Bet" + nul + "or`\",\"Ann\",\"info\",\"mail\",\"phone\"\r\n",
       {"Header record # 5 %Bet or` - Null character in the record"}, ""},
      {"in the pool name", nulName, ann,
       {"Header record # 1 %Parms ` - Null character in the record"}, "info"},
      {"in a participant's field", kParms4,
       "\"%Bettor`\",\"Ann\",\"in" + nul + "fo\",\"mail\",\"phone\"\r\n",
       {"Header record # 6 %Bettor` - Null character in the record"}, "info"},
      {"after a field's closing quote", kParms4,
       "\"%Bettor`\",\"Ann\",\"info\"" + nul + ",\"mail\",\"phone\"\r\n",
       {"Header record # 6 %Bettor` - Null character in the record"}, "info"},
      {"in an unknown record", kParms4, "\"%Future`\",\"x" + nul + "\",1\r\n" + ann,
       {"Header record # 5 %Future` - Null character in the record"}, "info"},
      {"none, an unknown tag", kParms4, "\"%Future`\",\"x\",1\r\n\"%Fu`\"\r\n" + ann, {}, "info"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    s = PoolState();
    host.shownErrors.clear();
    ASSERT_TRUE(Read(kHeader + c.parms + kTeams4 + c.lines +
                     "\"%Bettor`\",\"Bo\",\"desk\",\"\",\"\"\r\n"
                     "\"%EntHdr`\",\"Ann\",1,1,#TRUE#\r\n\"%EntPck`\",1,3,1,\r\n"));
    EXPECT_EQ(s.LoadErrors, c.errors);
    EXPECT_EQ(host.shownErrors.size(), c.errors.empty() ? 0u : 1u);
    EXPECT_EQ(s.Pool.PoolName, "Four");
    EXPECT_EQ(s.Pool.NumTeams, 4);
    ASSERT_EQ(s.NumBettors, 2);
    const int a = s.Bettors[1].Name == "Ann" ? 1 : 2;
    EXPECT_EQ(s.Bettors[a].Name, "Ann");
    EXPECT_EQ(s.Bettors[a].Info, c.annInfo);
    EXPECT_EQ(s.Bettors[3 - a].Info, "desk");  // the next record is read
    EXPECT_EQ(s.Entries[1].BettorIndex, a);
    EXPECT_EQ(Written().find('\0'), std::string::npos);
  }
}

TEST_F(PoolFileReader, PicksOutsideTheBracketAreLoadErrors) {
  ASSERT_TRUE(Read(kHeader + kParms4 + kTeams4 + "\"%EntHdr`\",\"Ann\",1,1,#TRUE#\r\n" +
                   "\"%EntPck`\",5,-3,2,\r\n"));
  ASSERT_EQ(host.shownErrors.size(), 1u);
  EXPECT_EQ(host.shownErrors[0],
            std::vector<std::string>{"Header record # 7 %EntPck` - Subscript out of range"});
  EXPECT_EQ(s.Picks(1, 1), 0);
  EXPECT_EQ(s.Picks(2, 1), 0);
  EXPECT_EQ(s.Picks(3, 1), 2);
}

TEST_F(PoolFileReader, ABadValueCostsOnlyThatValue) {
  ASSERT_TRUE(Read(kHeader + kParms4 + kTeams4 + "\"%EntHdr`\",\"Ann\",1,x,#TRUE#\r\n" +
                   "\"%EntPck`\",1,x,3,\r\n"));
  EXPECT_EQ(host.shownErrors.at(0),
            (std::vector<std::string>{"Header record # 6 %EntHdr` - Type mismatch",
                                      "Header record # 7 %EntPck` - Type mismatch"}));
  EXPECT_EQ(s.Entries[1].Tiebreaker, 0);
  EXPECT_TRUE(s.Entries[1].Collected);
  EXPECT_EQ(s.Picks(1, 1), 1);
  EXPECT_EQ(s.Picks(2, 1), 0);
  EXPECT_EQ(s.Picks(3, 1), 3);
}

TEST_F(PoolFileReader, MoneyAndPayoutsNoPoolCanHoldAreLoadErrors) {
  const std::string parms =
      "\"%Parms `\",55,\"Four\",4,2000000000,#FALSE#,0,#TRUE#,\"x\",99,\"No\",-1E12,0,#FALSE#,0,"
      "#FALSE#\r\n";
  ASSERT_TRUE(Read(kHeader + parms + kTeams4 +
                   "\"%Payout`\",0,\"No\",150,\"No\",-5,\"No\",0,\"No\",0,\"No\",0,\"No\",\r\n"));
  EXPECT_EQ(host.shownErrors.at(0),
            (std::vector<std::string>{"Header record # 1 %Parms ` - Value out of range",
                                      "Header record # 6 %Payout` - Value out of range"}));
  EXPECT_EQ(s.Pool.CostPerEntry, Currency());
  EXPECT_EQ(s.Pool.PayoutRounding, 0);
  EXPECT_EQ(s.Pool.HoldbackAmt, Currency());
  EXPECT_EQ(s.Pool.PayoutPct[1], 0);
  EXPECT_EQ(s.Pool.PayoutPct[2], 0);
  EXPECT_EQ(s.Pool.PoolName, "Four");
  EXPECT_EQ(s.Teams[4].Name, "D");
}

TEST_F(PoolFileReader, WinnersAndPicksOfALargerBracketAreDropped) {
  // Eight teams first, then parameters for four that break off after the team count.
  std::string parms8 = kParms4;
  parms8.replace(parms8.find("\"Four\",4"), 8, "\"Four\",8");
  ASSERT_TRUE(Read(kHeader + parms8 + "\"%Winner`\",1,3,6,7,3,7,7,\r\n" +
                   "\"%EntHdr`\",\"Ann\",1,1,#TRUE#\r\n\"%EntPck`\",1,3,6,8,3,8,8,\r\n" +
                   "\"%Parms `\",55,\"Four\",4\r\n" + kTeams4));
  EXPECT_EQ(host.shownErrors.at(0).at(0), "Header record # 5 %Parms ` - Type mismatch");
  EXPECT_EQ(s.NumSlots, 4);
  EXPECT_EQ(s.NumGames, 3);
  EXPECT_EQ(s.Pool.Results[1], 1);
  EXPECT_EQ(s.Pool.Results[2], 3);
  EXPECT_EQ(s.Pool.Results[3], 0);  // slot 6 is not in a 4-team bracket
  EXPECT_EQ(s.Pool.Results[4], 0);
  EXPECT_EQ(s.Picks(2, 1), 3);
  EXPECT_EQ(s.Picks(3, 1), 0);
  EXPECT_EQ(s.Teams[3].Name, "C");
}

TEST_F(PoolFileReader, CancelInTheLoadErrorListAbandonsTheLoad) {
  host.useFileWithErrors = false;
  s.PoolChanged = true;
  EXPECT_FALSE(Read(kHeader + kParms4 + "\"%Team  `\",0,\"Nobody\",0\r\n" + kTeams4));
  EXPECT_EQ(host.shownErrors.size(), 1u);
  EXPECT_EQ(host.closeCalls, 1);
  ExpectFailed();
}

TEST_F(PoolFileReader, TheCloseAfterAnAbandonedLoadFindsNothingToSave) {
  // File > Close asks to save a changed pool and clears DialogCancelled.
  struct ClosingHost : RecordingPoolFileHost {
    PoolState* pool = nullptr;
    bool changedAtClose = true;
    int teamsAtClose = -1;
    void mnuFileClose_Click() override {
      RecordingPoolFileHost::mnuFileClose_Click();
      changedAtClose = pool->PoolChanged;
      teamsAtClose = pool->Pool.NumTeams;
      pool->DialogCancelled = false;
    }
  } closing;
  closing.pool = &s;
  closing.useFileWithErrors = false;
  PoolFileServices withClose{closing, prompts, random, clock};
  s.PoolChanged = true;
  s.PoolFilePath = "/pools/Office.qbp";
  std::istringstream in(kHeader + kParms4 + "\"%Team  `\",0,\"Nobody\",0\r\n" + kTeams4);
  EXPECT_FALSE(ReadPoolFile(s, in, withClose));
  EXPECT_EQ(closing.closeCalls, 1);
  EXPECT_FALSE(closing.changedAtClose);
  EXPECT_EQ(closing.teamsAtClose, 0);
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_TRUE(s.PoolFilePath.empty());
}

// A pool counts its participants and entries in 16 bits: the last that fits
// loads, one more abandons the load with one message instead of failing the
// same record again and again.
TEST_F(PoolFileReader, ThePoolLimitOfParticipantsAndEntriesIsKept) {
  struct Case {
    const char* kind;
    int count;
    bool loads;
  };
  const Case cases[] = {{"participants", 32767, true},
                        {"participants", 32768, false},
                        {"entries", 32767, true},
                        {"entries", 32768, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.count));
    s = PoolState();
    host = RecordingPoolFileHost();
    prompts = ScriptedPrompts();
    std::string bytes = kHeader + kParms4 + kTeams4;
    const bool entries = std::string(c.kind) == "entries";
    for (int i = 1; i <= c.count; ++i) {
      if (entries)
        bytes += "\"%EntHdr`\",\"Ann\"," + std::to_string(i % 30000) + ",1,#TRUE#\r\n"
                 "\"%EntPck`\",1,3,1,\r\n";
      else
        bytes += "\"%Bettor`\",\"P" + std::to_string(i) + "\",\"\",\"\",\"\"\r\n";
    }
    EXPECT_EQ(Read(bytes), c.loads);
    EXPECT_TRUE(host.shownErrors.empty());
    if (c.loads) {
      ExpectLoaded();
      EXPECT_EQ(entries ? s.NumEntries : s.NumBettors, 32767);
      if (entries) EXPECT_EQ(s.Picks(3, 32767), 1);
      EXPECT_TRUE(prompts.asked.empty());
    } else {
      ExpectFailed();
      ASSERT_EQ(prompts.asked.size(), 1u);
      EXPECT_EQ(prompts.LastText(), "This file holds more than 32767 " + std::string(c.kind) +
                                        ", more than a pool can hold.\n\r"
                                        "The file cannot be opened.");
    }
  }
}

// An unclosed quote makes the rest of the file one field; the message quotes
// only its start.
TEST_F(PoolFileReader, ALoadErrorQuotesAFieldOnlyInPart) {
  const std::string rest = "%Tail" + std::string(100000, 'x');
  ASSERT_TRUE(Read(kHeader + kParms4 + kTeams4 + "\"" + rest));
  ASSERT_EQ(host.shownErrors.size(), 1u);
  ASSERT_EQ(host.shownErrors[0].size(), 1u);
  EXPECT_EQ(host.shownErrors[0][0], "Header record # 5 %Tail" + std::string(35, 'x') +
                                        "... - Input past end of file");
  EXPECT_EQ(ShortForMessage("a\r\nb"), "a  b");
  EXPECT_EQ(ShortForMessage(std::string(39, 'e') + "\xC3\xA9!"),
            std::string(39, 'e') + "\xC3\xA9...");
}

TEST_F(PoolFileReader, PicksBeforeAnyEntryFailTheOpen) {
  EXPECT_FALSE(Read(kHeader + kParms4 + kTeams4 + "\"%EntPck`\",1,3,1,\r\n" +
                    "\"%EntHdr`\",\"Ann\",1,1,#TRUE#\r\n\"%EntPck`\",1,3,1,\r\n"));
  EXPECT_EQ(prompts.LastText(), "Invalid Entry record found!\r\nImport will be aborted!");
  EXPECT_EQ(prompts.asked.back().icon, MsgIcon::Critical);
  EXPECT_EQ(prompts.beeps, 2);
  EXPECT_TRUE(host.shownErrors.empty());
  EXPECT_EQ(host.closeCalls, 1);
  ExpectFailed();
}

TEST_F(PoolFileReader, AnImpossibleTeamCountFailsTheOpen) {
  std::string parms = kParms4;
  parms.replace(parms.find("\"Four\",4"), 8, "\"Four\",65");
  EXPECT_FALSE(Read(kHeader + parms + kTeams4));
  EXPECT_TRUE(prompts.AnyTextContains("Invalid Parameters"));
  EXPECT_EQ(host.closeCalls, 1);
  ExpectFailed();

  s = PoolState();
  host = RecordingPoolFileHost();
  EXPECT_FALSE(Read(kHeader + kTeams4));  // no parameters at all
  ExpectFailed();
}

TEST_F(PoolFileReader, ParticipantsAreMatchedByTheirExactName) {
  ASSERT_TRUE(Read(kHeader + kParms4 + kTeams4 +
                   "\"%Bettor`\",\"Ann\",\"front desk\",\"a@example.com\",\"1\"\r\n"
                   "\"%EntHdr`\",\"Ann\",1,1,#TRUE#\r\n\"%EntPck`\",1,3,1,\r\n"
                   "\"%EntHdr`\",\"ann\",1,1,#TRUE#\r\n\"%EntPck`\",1,3,1,\r\n"
                   "\"%EntHdr`\",\"Cy\",1,1,#TRUE#\r\n\"%EntPck`\",1,3,1,\r\n"
                   "\"%EntHdr`\",\"\",1,1,#TRUE#\r\n\"%EntPck`\",1,3,1,\r\n"
                   "\"%EntHdr`\",\"Cy\",2,1,#TRUE#\r\n\"%EntPck`\",1,3,1,\r\n"));
  ASSERT_EQ(s.NumBettors, 4);
  EXPECT_EQ(s.Bettors[2].Name, "ann");
  EXPECT_EQ(s.Bettors[3].Name, "Cy");
  EXPECT_EQ(s.Bettors[3].EMail, "");
  EXPECT_EQ(s.Bettors[4].Name, "Unknown Participant");
  EXPECT_EQ(s.Entries[1].BettorIndex, 1);
  EXPECT_EQ(s.Entries[2].BettorIndex, 2);
  EXPECT_EQ(s.Entries[3].BettorIndex, 3);
  EXPECT_EQ(s.Entries[4].BettorIndex, 4);
  EXPECT_EQ(s.Entries[5].BettorIndex, 3);
}

TEST_F(PoolFileReader, APoolWithoutEntriesHasNoParticipantsAndNoResults) {
  ASSERT_TRUE(Read(Fixture("pool_5_teams_without_entries.qbp")));
  EXPECT_EQ(s.NumBettors, 0);
  EXPECT_EQ(s.NumEntries, 0);
  for (int g = 1; g <= s.NumGames; ++g) EXPECT_EQ(s.Pool.Results[g], 0);
  EXPECT_EQ(s.Pool.SeedFactor[3], 1.0f);
  EXPECT_EQ(s.Pool.RoundPoints[3], 4);
}

TEST_F(PoolFileReader, TheOlderMultiplyOptionMultipliesThePointsRead) {
  std::string parms = kParms4;
  parms.replace(parms.rfind("#FALSE#"), 7, "#TRUE#");
  ASSERT_TRUE(Read(kHeader + parms + kTeams4 +
                   "\"%Parms3`\",#FALSE#,\"\",#FALSE#,#FALSE#,\"\",\"\","
                   "1,1,1,2,0,1,0,1,0,1,0,1,0,1,\r\n"
                   "\"%RPoint`\",1,1,1,1,1,1,1,\r\n"));
  EXPECT_EQ(s.Pool.RoundPoints[1], 1);
  EXPECT_EQ(s.Pool.RoundPoints[2], 2);
  EXPECT_EQ(s.Pool.RoundPoints[7], 7);
  EXPECT_EQ(s.Pool.SeedFactor[2], 4);
  EXPECT_FALSE(s.Pool.MultiplyByRound);
  // Saved and read again, nothing is multiplied twice.
  std::string text = Written();
  s = PoolState();
  ASSERT_TRUE(Read(text));
  EXPECT_EQ(s.Pool.RoundPoints[2], 2);
}

// The lists of entries show the points they hold: an opened pool is scored.
TEST_F(PoolFileReader, AnOpenedPoolIsScoredAgainstItsResults) {
  TempFolder dir;
  s.PoolFilePath = (dir / "Office.qbp").string();
  PutFile(s.PoolFilePath, Fixture("pool_every_field.qbp"));
  ASSERT_TRUE(OpenPoolFile(s, svc));
  ScoreArea expected;
  for (int e = 1; e <= 2; ++e) {
    ScoreEntry(s, s.Games, expected, e);
    EXPECT_EQ(s.Entries[e].Points, static_cast<float>(expected.ScorePoints[0])) << e;
  }
  EXPECT_GT(s.Entries[1].Points, 0);  // Ann picked the first round as it was played
}

TEST_F(PoolFileReader, OpenPoolFileReadsFromDisk) {
  TempFolder dir;
  PutFile(dir / "Office.qbp", Fixture("pool_5_teams.qbp"));
  s.PoolFilePath = (dir / "Office.qbp").string();
  s.PoolChanged = true;
  s.Pool.PoolName = "the pool that was open";
  ASSERT_TRUE(OpenPoolFile(s, svc));
  ExpectLoaded();
  EXPECT_EQ(s.Pool.PoolName, "Office 'Pool'");
}

TEST_F(PoolFileReader, SavingAnOpenedFileChangesOnlyItsDate) {
  TempFolder dir;
  const std::string original = Fixture("pool_5_teams.qbp");
  PutFile(dir / "Office.qbp", original);
  s.PoolFilePath = (dir / "Office.qbp").string();
  ASSERT_TRUE(OpenPoolFile(s, svc));
  std::tm later = qb::testing::TestNow();
  later.tm_year = 127;
  FixedClock laterClock(later);
  PoolFileServices saving{host, prompts, random, laterClock};
  ASSERT_TRUE(SaveFile1N(s, s.PoolFilePath, true, saving));

  std::string saved = qb::testing::FileBytes(s.PoolFilePath);
  std::string expected = original;
  expected.replace(expected.find("#2026-12-10"), 11, "#2027-12-10");
  EXPECT_TRUE(SameLines(expected, saved));
  EXPECT_EQ(qb::testing::FileBytes(dir / "Office.bkp"), original);
}

TEST_F(PoolFileReader, OpenPoolFileTellsWhyAFileCannotBeRead) {
  TempFolder dir;
  const std::pair<std::string, std::string> cases[] = {
      {(dir / "missing.qbp").string(), "Unable to read file\n\n\rNo such file or directory"},
      {dir.path().string(), "Unable to read file\n\n\rIs a directory"},
  };
  for (const auto& [path, message] : cases) {
    s.PoolFilePath = path;
    EXPECT_FALSE(OpenPoolFile(s, svc)) << path;
    EXPECT_EQ(prompts.LastText(), message);
    EXPECT_EQ(prompts.asked.back().icon, MsgIcon::None);
    ExpectFailed();
  }
  s.PoolFilePath.clear();
  EXPECT_FALSE(OpenPoolFile(s, svc));
  EXPECT_EQ(prompts.LastText(), "No file selected");
  EXPECT_TRUE(s.DialogCancelled);
}

}  // namespace
}  // namespace qb
