#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/bracket.h"
#include "core/pool_file_fields.h"
#include "core/prompts.h"
#include "web/logic/download.h"

namespace qb {
namespace {

TEST(DownloadList, ReadsThePairsAfterTheHeader) {
  DownloadList list = ReadDownloadList(
      "\"Quorvel Brakkon Internet Downloads\"\r\n"
      "\"Spring Bracket 64\",\"https://site.example/dl/spring64.qbp\"\r\n"
      "\"Spring Results 64\",\"https://site.example/dl/spring64r.qbp\"\r\n\r\n");
  EXPECT_TRUE(list.headerFound);
  ASSERT_EQ(list.choices.size(), 2u);
  EXPECT_EQ(list.choices[0].description, "Spring Bracket 64");
  EXPECT_EQ(list.choices[0].address, "https://site.example/dl/spring64.qbp");
  EXPECT_EQ(list.choices[1].address, "https://site.example/dl/spring64r.qbp");
  EXPECT_TRUE(list.readError.empty());

  std::ifstream fixture(std::string(QB_FIXTURES) + "/download_list.txt", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(fixture)), std::istreambuf_iterator<char>());
  EXPECT_EQ(ReadDownloadList(bytes).choices.size(), 2u);
}

TEST(DownloadList, AWrongHeaderOrAnEmptyFileGivesNoList) {
  for (const char* bytes : {"", "\r\n", "\"Internet Downloads\"\r\n\"a\",\"b\"\r\n",
                            "\"quorvel brakkon internet downloads\"\r\n\"a\",\"b\""}) {
    DownloadList list = ReadDownloadList(bytes);
    EXPECT_FALSE(list.headerFound) << bytes;
    EXPECT_TRUE(list.choices.empty()) << bytes;
  }
}

TEST(DownloadList, ADescriptionWithoutItsAddressKeepsThePairsBeforeIt) {
  DownloadList list = ReadDownloadList(
      "Quorvel Brakkon Internet Downloads\n\"A\",\"http://a/\"\n\"B, the second\"\n");
  EXPECT_TRUE(list.headerFound);
  ASSERT_EQ(list.choices.size(), 1u);
  EXPECT_EQ(list.choices[0].description, "A");
  EXPECT_EQ(list.readError, kInputPastEnd);
}

TEST(DownloadTimeout, IsKeptBetween10And600Seconds) {
  struct Case {
    const char* text;
    const char* after;
    int seconds;
  } cases[] = {{"5", "10", 10},       {"abc", "10", 10},    {"", "10", 10},
               {"900", "600", 600},   {"10", "10", 10},     {"600", "600", 600},
               {"120", "120", 120},   {"15.6", "15.6", 16}, {"45 s", "45 s", 45},
               {"-30", "10", 10},     {"600.4", "600", 600}};
  for (const Case& c : cases) {
    DownloadTimeout t = NormalizeDownloadTimeout(c.text);
    EXPECT_EQ(t.text, c.after) << c.text;
    EXPECT_EQ(t.seconds, c.seconds) << c.text;
  }
}

TEST(DownloadLog, AFetchReadsAsTheLogShowsIt) {
  std::string log;
  for (int s : {1, 2, 3, 4, 5, 6, 7, 8, 12}) log += DownloadLogText(static_cast<TransferState>(s));
  EXPECT_EQ(log,
            "Resolving host...Host resolved.\r\nConnecting...Connected.\r\n"
            "Requesting...Request sent.\r\nReceiving response...Response received.\r\n"
            "Response completed.\r\n");
  EXPECT_EQ(DownloadLogText(TransferState::Error), "\r\nError occurred!\r\n");
  EXPECT_EQ(DownloadLogText(TransferState::Disconnecting) +
                DownloadLogText(TransferState::Disconnected),
            "Disconnecting...Disconnected.\r\n");
}

// An 8-team pool: slots 1..8, games 1..7.
class DownloadedResultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pool.Pool.NumTeams = 8;
    SetupBracketFromParameters(pool, prompts);
    const char* names[] = {"", "Gators", "Owls", "Hawks", "Bears", "Lions", "Tigers", "Rams",
                           "Colts"};
    for (int n = 1; n <= 8; ++n) {
      pool.Teams[n].Number = static_cast<int16_t>(n);
      pool.Teams[n].Name = names[n];
      pool.Teams[n].Seed = static_cast<int16_t>(n);
    }
    ResetTeamAdvance(pool);
  }
  // A results file of the same teams, with one team line replaced when asked.
  std::string File(const std::string& winners, int replaceSlot = 0,
                   const std::string& replacement = "") const {
    std::string f =
        "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\",#2026-12-10 12:00:00#\r\n"
        "\"%Parms `\",1,\"Spring\",8,5,#FALSE#,0,#FALSE#,\"\",0,\"No\",0,0,#FALSE#,0,#FALSE#\r\n";
    for (int n = 1; n <= 8; ++n) {
      if (n == replaceSlot) {
        f += replacement + "\r\n";
        continue;
      }
      f += "\"%Team  `\"," + std::to_string(n) + ",\"" + pool.Teams[n].Name + "\"," +
           std::to_string(n) + "\r\n";
    }
    if (!winners.empty()) f += "\"%Winner`\"," + winners + "\r\n";
    return f;
  }

  ScriptedPrompts prompts;
  PoolState pool;
};

TEST_F(DownloadedResultsTest, MatchingTeamsGiveTheWinnersOfEveryGame) {
  DownloadedResults r = ReadDownloadedResults(File("1,3,5,7,1,5,0,"), pool, true);
  EXPECT_FALSE(r.readError);
  EXPECT_TRUE(r.mismatchLines.empty());
  EXPECT_TRUE(r.hasWinners);
  const int16_t expected[] = {0, 1, 3, 5, 7, 1, 5, 0};
  for (int g = 1; g <= 7; ++g) EXPECT_EQ(r.winners[g], expected[g]) << g;
}

TEST_F(DownloadedResultsTest, EachSlotThatDiffersGivesItsLineInSlotOrder) {
  std::string f = File("0,0,0,0,0,0,0", 3, "\"%Team  `\",3,\"Hawks\",9");
  f += "\"%Team  `\",6,\"tigers\",6\r\n";  // a later record for a slot wins
  DownloadedResults r = ReadDownloadedResults(f, pool, true);
  ASSERT_EQ(r.mismatchLines.size(), 2u);
  EXPECT_EQ(r.mismatchLines[0],
            "\r\nMismatch on team  3:  Results file has 'Hawks  9' vs. 'Hawks  3' in your file.");
  EXPECT_EQ(r.mismatchLines[1],
            "\r\nMismatch on team  6:  Results file has 'tigers  6' vs. 'Tigers  6' in your file.");
  EXPECT_TRUE(ReadDownloadedResults(f, pool, false).mismatchLines.empty())
      << "the Continue pass does not compare";
}

TEST_F(DownloadedResultsTest, AMissingTeamRecordIsAMismatch) {
  std::string f = File("0,0,0,0,0,0,0", 8, "");
  DownloadedResults r = ReadDownloadedResults(f, pool, true);
  ASSERT_EQ(r.mismatchLines.size(), 1u);
  EXPECT_EQ(r.mismatchLines[0],
            "\r\nMismatch on team  8:  Results file has '  0' vs. 'Colts  8' in your file.");
}

TEST_F(DownloadedResultsTest, ARecordThatCannotBeReadMakesTheFileUnusable) {
  struct Case {
    std::string file;
    const char* tag;
    int count;
    const char* why;
  } cases[] = {
      {File("1,3,5,7,0,0,0", 4, "\"%Team  `\",9,\"Extra\",1"), "%Team  `", 4,
       kSubscriptOutOfRange},
      {File("1,3,5,7,0,0,0", 4, "\"%Team  `\",-1,\"Extra\",1"), "%Team  `", 4,
       kSubscriptOutOfRange},
      {File("1,3,5,7,0,0,0", 2, "\"%Team  `\",2,\"Owls\",\"two\""), "%Team  `", 2,
       kTypeMismatch},
      // Winners must be team slots of this bracket.
      {File("1,3,5,7,1,5,9"), "%Winner`", 9, kSubscriptOutOfRange},
      {File("1,3,5,-7,1,5,0"), "%Winner`", 9, kSubscriptOutOfRange},
      {File("1,3,5"), "%Winner`", 9, kInputPastEnd},
  };
  for (const Case& c : cases) {
    DownloadedResults r = ReadDownloadedResults(c.file, pool, true);
    ASSERT_TRUE(r.readError) << c.file;
    EXPECT_EQ(r.errorTag, c.tag) << c.file;
    EXPECT_EQ(r.recordCount, c.count) << c.file;
    EXPECT_EQ(r.errorDescription, c.why) << c.file;
  }
  DownloadedResults r = ReadDownloadedResults(cases[0].file, pool, true);
  EXPECT_EQ(DownloadReadErrorMessage(r),
            "Error in processing the %Team  ` record.  Count =  4\n\n\r"
            "Subscript out of range\n\n\r"
            "File cannot be used.  See the Help system for Tech Support information.");
}

TEST_F(DownloadedResultsTest, AFileWithoutWinnersSaysSo) {
  for (const std::string& f : {File(""), std::string(), std::string("<html>Not here</html>")}) {
    DownloadedResults r = ReadDownloadedResults(f, pool, false);
    EXPECT_FALSE(r.readError) << f;
    EXPECT_FALSE(r.hasWinners) << f;
  }
}

TEST_F(DownloadedResultsTest, TheMergeCopiesEveryGameAndBringsTheTeamsAdvanceUpToDate) {
  pool.Pool.Results = {};
  pool.Pool.Results[7] = 2;  // a stale final winner, not in the file
  DownloadedResults r = ReadDownloadedResults(File("1,3,5,7,1,5,0"), pool, true);
  MergeDownloadedResults(pool, r);
  const int16_t expected[] = {0, 1, 3, 5, 7, 1, 5, 0};
  for (int g = 1; g <= 7; ++g) EXPECT_EQ(pool.Pool.Results[g], expected[g]) << g;
  const bool alive[] = {false, true, false, false, false, true, false, false, false};
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(pool.Teams[n].Alive, alive[n]) << "slot " << n;
}

TEST_F(DownloadedResultsTest, TheMergeRescoresEveryEntry) {
  pool.Pool.RoundPoints[1] = 1;
  pool.Pool.RoundPoints[2] = 2;
  pool.Pool.RoundPoints[3] = 4;
  pool.NumBettors = 1;
  pool.Bettors.resize(2);
  pool.Bettors[1].Name = "Ann";
  pool.NumEntries = 1;
  pool.Entries.resize(2);
  pool.Entries[1].BettorIndex = 1;
  pool.Picks.Resize(pool.NumGames, 1);
  const int16_t picks[] = {0, 1, 3, 5, 7, 1, 5, 1};
  for (int g = 1; g <= 7; ++g) pool.Picks(g, 1) = picks[g];
  DownloadedResults r = ReadDownloadedResults(File("1,3,5,7,1,5,0"), pool, true);
  MergeDownloadedResults(pool, r);
  EXPECT_EQ(pool.Entries[1].GamesWon, 6);
  EXPECT_FLOAT_EQ(pool.Entries[1].Points, 8);  // four first-round games and both semi-finals
}

}  // namespace
}  // namespace qb
