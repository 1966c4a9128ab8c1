#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/entry_identity.h"
#include "core/pool_file_test_support.h"
#include "core/pool_file_writer.h"
#include "core/prompts.h"
#include "entries/logic/bettor_import.h"
#include "entries/logic/entry_import.h"
#include "import_pool.h"
#include "pool_builder.h"

namespace qb {
namespace {

using testing::AddBettor;
using testing::AddEntry;

// An open pool of 4 teams: 3 games, slots 1..4.
PoolState FourTeamPool() {
  PoolState s;
  testing::MakeFourTeamPool(s);
  s.Pool.TiebreakerUsed = true;
  ClearImportPool(s);
  return s;
}

void AddPicks(PoolState& s, int entry, std::initializer_list<int> picks) {
  s.Picks.EnsureSize(s.NumGames + 1, entry + 1);
  int g = 1;
  for (int p : picks) s.Picks(g++, entry) = static_cast<int16_t>(p);
}

// The text of a pool file: the open pool's bracket with the participants and
// entries `fill` adds.
template <typename Fill>
std::string FileFrom(const PoolState& pool, Fill fill) {
  PoolState f = pool;
  f.NumBettors = 0;
  f.NumEntries = 0;
  f.Bettors.assign(2, {});
  f.Entries.assign(2, {});
  fill(f);
  return PoolFileText(f, PoolFileLayout::Full, std::tm{});
}

struct EntryImportTest : ::testing::Test {
  PoolState s = FourTeamPool();
  ScriptedPrompts prompts;

  bool Read(const std::string& bytes, const std::string& name = "/in/a.qbp") {
    return ReadImportBytes(s, bytes, name, prompts);
  }
};

TEST_F(EntryImportTest, ReadsEntriesPicksAndParticipantsLookingNamesUpAcrossFiles) {
  std::string first = FileFrom(s, [](PoolState& f) {
    int ann = AddBettor(f, "Ann", "", "", "likes owls");
    AddPicks(f, AddEntry(f, ann, 1, true), {1, 3, 3});
    int cy = AddBettor(f, "Cy");
    AddPicks(f, AddEntry(f, cy, 2), {2, 4, 0});
  });
  std::string second = FileFrom(s, [](PoolState& f) {
    int ann = AddBettor(f, "Ann", "555", "ann@x.org", "other info");
    AddPicks(f, AddEntry(f, ann, 2), {1, 4, 4});
  });
  ASSERT_TRUE(Read(first));
  EXPECT_EQ(s.ImportBettorsBase, 0);
  ASSERT_TRUE(Read(second));
  EXPECT_EQ(s.ImportBettorsBase, 2);
  EXPECT_TRUE(prompts.asked.empty());

  ASSERT_EQ(s.NumImportEntries, 3);
  ASSERT_EQ(s.NumImportBettors, 2);  // Ann once, though both files name her
  const BettorRecord& ann = s.ImportBettors[1];
  EXPECT_EQ(ann.Name, "Ann");
  EXPECT_EQ(ann.Info, "likes owls");     // the first file's value stays
  EXPECT_EQ(ann.EMail, "ann@x.org");     // an empty one is filled in
  EXPECT_EQ(ann.Phone, "555");
  EXPECT_EQ(s.ImportEntries[1].BettorIndex, 1);
  EXPECT_EQ(s.ImportEntries[3].BettorIndex, 1);
  EXPECT_EQ(s.ImportEntries[2].BettorName, "Cy");
  EXPECT_TRUE(s.ImportEntries[1].Collected);
  EXPECT_EQ(s.ImportEntries[3].EntryNumber, 2);
  EXPECT_EQ(s.ImportPicks(2, 1), 3);
  EXPECT_EQ(s.ImportPicks(3, 3), 4);
  EXPECT_EQ(s.ImportPicks(3, 2), 0);
}

TEST_F(EntryImportTest, AnEntryWithoutANameOrAParticipantRecordGetsANameOnlyParticipant) {
  std::string bytes =
      "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\",#2026-12-10 12:00:00#\r\n"
      "\"%Parms `\",1,\"Office\",4,5,#FALSE#,0,#TRUE#,\"\",0,\"No\",0,0,#FALSE#,0,#FALSE#\r\n"
      "\"%EntHdr`\",\"\",1,0,#FALSE#\r\n"
      "\"%EntPck`\",1,3,1,\r\n"
      "\"%EntHdr`\",\"Dee\",4,12.5,#TRUE#\r\n";
  ASSERT_TRUE(Read(bytes));
  ASSERT_EQ(s.NumImportEntries, 2);
  EXPECT_EQ(s.ImportEntries[1].BettorName, "Unknown Participant");
  EXPECT_EQ(s.ImportBettors[s.ImportEntries[1].BettorIndex].Name, "Unknown Participant");
  EXPECT_EQ(s.ImportBettors[s.ImportEntries[2].BettorIndex].Name, "Dee");
  EXPECT_FLOAT_EQ(s.ImportEntries[2].Tiebreaker, 12.5f);
}

TEST_F(EntryImportTest, EachFaultStopsTheImportWithItsMessage) {
  const std::string header = "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\",#2026-12-10#\r\n";
  const std::string parms =
      "\"%Parms `\",1,\"Office\",4,5,#FALSE#,0,#TRUE#,\"\",0,\"No\",0,0,#FALSE#,0,#FALSE#\r\n";
  struct Case {
    const char* what;
    std::string bytes;
    std::string message;
    MsgIcon icon;
  } cases[] = {
      {"another product", "\"%Header`\",\"Other\",\"2001.1\",#2026-12-10#\r\n" + parms,
       "Not a Quorvel Brakkon file.  Cannot import file /in/a.qbp", MsgIcon::Exclamation},
      {"no header", parms, "Not a Quorvel Brakkon file.  Cannot import file /in/a.qbp",
       MsgIcon::Exclamation},
      {"another team count",
       header +
           "\"%Parms `\",1,\"Office\",8,5,#FALSE#,0,#TRUE#,\"\",0,\"No\",0,0,#FALSE#,0,#FALSE#\r\n",
       "Number of Teams/Players in import file\ndoes not equal that of open jackpot file.\n"
       "File cannot be imported!",
       MsgIcon::Critical},
      {"no parameters at all", header + "\"%EntHdr`\",\"Ann\",1,0,#FALSE#\r\n",
       "Number of Teams/Players in import file\ndoes not equal that of open jackpot file.\n"
       "File cannot be imported!",
       MsgIcon::Critical},
      {"picks before any entry", header + parms + "\"%EntPck`\",1,3,1,\r\n",
       "Invalid Entry record found!\nImport will be aborted!", MsgIcon::Critical},
      {"a pick outside the bracket",
       header + parms + "\"%EntHdr`\",\"Ann\",1,0,#FALSE#\r\n\"%EntPck`\",1,9,1,\r\n",
       "Error in processing the %EntPck` record.\n\nSubscript out of range",
       MsgIcon::Exclamation},
      {"a team slot 0", header + parms + "\"%Team  `\",0,\"Owls\",1\r\n",
       "Error in processing the %Team  ` record.\n\nSubscript out of range",
       MsgIcon::Exclamation},
      {"a number that is none", header + parms + "\"%EntHdr`\",\"Ann\",\"one\",0,#FALSE#\r\n",
       "Error in processing the %EntHdr` record.\n\nType mismatch", MsgIcon::Exclamation},
      {"a record cut short", header + parms + "\"%EntHdr`\",\"Ann\",1\r\n",
       "Error in processing the %EntHdr` record.\n\nInput past end of file",
       MsgIcon::Exclamation},
  };
  for (const Case& c : cases) {
    PoolState fresh = FourTeamPool();
    ScriptedPrompts p;
    EXPECT_FALSE(ReadImportBytes(fresh, c.bytes, "/in/a.qbp", p)) << c.what;
    ASSERT_EQ(p.asked.size(), 1u) << c.what;
    EXPECT_EQ(p.asked[0].text, c.message) << c.what;
    EXPECT_EQ(p.asked[0].icon, c.icon) << c.what;
    EXPECT_GE(p.beeps, 1) << c.what;
  }
}

TEST_F(EntryImportTest, PicksBeforeTheFirstEntryOfASecondFileStopTheImportToo) {
  ASSERT_TRUE(Read(FileFrom(s, [](PoolState& f) { AddEntry(f, AddBettor(f, "Ann"), 1); })));
  std::string second =
      "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\",#2026-12-10#\r\n"
      "\"%Parms `\",1,\"Office\",4,5,#FALSE#,0,#TRUE#,\"\",0,\"No\",0,0,#FALSE#,0,#FALSE#\r\n"
      "\"%EntPck`\",1,3,1,\r\n";
  EXPECT_FALSE(Read(second, "/in/b.qbp"));
  EXPECT_EQ(prompts.LastText(), "Invalid Entry record found!\nImport will be aborted!");
}

TEST_F(EntryImportTest, AnUnknownVersionAsksWithNoAsTheDefault) {
  std::string bytes = FileFrom(s, [](PoolState& f) { AddEntry(f, AddBettor(f, "Ann"), 1); });
  bytes.replace(bytes.find("2001.1"), 6, "2005.0");
  EXPECT_FALSE(Read(bytes));  // nobody answers: the default, No
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].text,
            "Software does not support the version specified in the file!\n"
            "You could experience problems loading the file!\n"
            "If it is a file from an earlier version of Quorvel Brakkon, \n"
            "try opening it as the main pool file then saving it.\n"
            "Do you wish to continue?");
  EXPECT_EQ(prompts.asked[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(prompts.asked[0].defaultButton, 2);
  EXPECT_EQ(s.NumImportEntries, 0);

  prompts.Queue(MsgAnswer::Yes);
  EXPECT_TRUE(Read(bytes));
  EXPECT_EQ(s.NumImportEntries, 1);
}

TEST_F(EntryImportTest, AFileOfTheOldestLayoutIsReadWithItsShorterRecords) {
  std::string bytes =
      "\"%Header`\",\"QuorvelBrakkon\",\"1.0\",#1999-03-01#\r\n"
      "\"%Parms `\",1,\"Office\",4,5,#FALSE#,0,#TRUE#,\"\",0,\"No\",0,0,#FALSE#\r\n"
      "\"%Team  `\",1,\"Gators\",1\r\n"
      "\"%EntHdr`\",\"Ann\",3,7\r\n"
      "\"%EntPck`\",1,3,1,\r\n";
  prompts.Queue(MsgAnswer::Yes);
  ASSERT_TRUE(Read(bytes));
  ASSERT_EQ(s.NumImportEntries, 1);
  EXPECT_EQ(s.ImportEntries[1].EntryNumber, 3);
  EXPECT_FALSE(s.ImportEntries[1].Collected);
  EXPECT_EQ(s.ImportPicks(3, 1), 1);
}

TEST_F(EntryImportTest, ReadImportFileNamesAMissingFileAndAnEmptyChoice) {
  s.ImportFileList = {""};
  EXPECT_FALSE(ReadImportFile(s, 0, prompts));
  EXPECT_EQ(prompts.LastText(), "No file selected");

  const testing::TempFolder folder;
  s.ImportFolder = folder.path().string();
  s.ImportFileList = {"missing.qbp", "there.qbp"};
  EXPECT_FALSE(ReadImportFile(s, 0, prompts));
  EXPECT_EQ(prompts.LastText().rfind("Unable to read file missing.qbp", 0), 0u);

  std::ofstream(folder / "there.qbp", std::ios::binary)
      << FileFrom(s, [](PoolState& f) { AddEntry(f, AddBettor(f, "Ann"), 1); });
  EXPECT_TRUE(ReadImportFile(s, 1, prompts));  // a name in the folder
  EXPECT_EQ(s.NumImportEntries, 1);
}

// ---------------------------------------------------------------- differences

TEST_F(EntryImportTest, DifferencesAreListedUnderOneHeadingPerFile) {
  std::string bytes = FileFrom(s, [](PoolState& f) {
    f.Teams[2].Name = "Ravens";
    f.Teams[3].Seed = 9;
    f.Pool.CostPerEntry = Currency::FromDouble(2.5);
    f.Pool.RoundPoints[2] = 3;
  });
  ASSERT_TRUE(Read(bytes));
  EXPECT_EQ(s.LoadErrors,
            (std::vector<std::string>{
                "Errors below found in file /in/a.qbp",
                "Team & Seed 2: 'Ravens, seed 2' in import file, 'Owls, seed 2' in current file",
                "Team & Seed 3: 'Hawks, seed 9' in import file, 'Hawks, seed 3' in current file",
                "Cost Per Share: '2.5' in import file, '5' in current file",
                "Round Points 2: '3' in import file, '2' in current file",
            }));
  EXPECT_EQ(s.NumLoadErrors, 5);

  // An entry file is compared on its bracket only, whatever the case of its name.
  s.LoadErrors.clear();
  ASSERT_TRUE(Read(bytes, "/in/Ann.QBI"));
  ASSERT_EQ(s.LoadErrors.size(), 3u);
  EXPECT_EQ(s.LoadErrors[0], "Errors below found in file /in/Ann.QBI");
}

TEST_F(EntryImportTest, AFileLikeThePoolAddsNoLineAndByeMatchesInAnyCase) {
  s.Teams[4].Name = "Bye";
  s.Teams[4].Seed = 0;
  std::string bytes = FileFrom(s, [](PoolState& f) { f.Teams[4].Name = "BYE"; });
  ASSERT_TRUE(Read(bytes));
  EXPECT_TRUE(s.LoadErrors.empty());
  EXPECT_EQ(s.NumLoadErrors, 0);
}

// ---------------------------------------------------------------- rows

struct ImportRowsTest : EntryImportTest {
  void SetUp() override {
    int ann = AddBettor(s, "Ann");
    int bob = AddBettor(s, "Bob");
    AddPicks(s, AddEntry(s, ann, 1, /*collected=*/true), {1, 3, 1});
    AddPicks(s, AddEntry(s, bob, 1), {2, 4, 4});
    AddEntry(s, 0, 2);  // a deleted entry of nobody
    ASSERT_TRUE(Read(FileFrom(s, [](PoolState& f) {
      int ann = AddBettor(f, "Ann");
      int bob = AddBettor(f, "Bob");
      AddPicks(f, AddEntry(f, ann, 1, false), {2, 3, 3});
      AddPicks(f, AddEntry(f, bob, 1, true), {2, 4, 2});
      AddPicks(f, AddEntry(f, ann, 7, true), {1, 0, 0});
    })));
    rows = FillImportRows(s);
    ASSERT_EQ(rows.size(), 3u);
  }
  std::vector<ImportEntryRow> rows;
};

TEST_F(ImportRowsTest, OneNewAcceptedRowPerEntryWithItsFigures) {
  EXPECT_EQ(rows[0].nameEntry, "Ann / 1");
  EXPECT_EQ(rows[0].accept, kAccept);
  EXPECT_EQ(rows[0].replace, kNew);
  EXPECT_EQ(rows[0].collected, kNo);
  EXPECT_EQ(rows[1].collected, kYes);
  EXPECT_EQ(rows[0].missingPicks, 0);
  EXPECT_EQ(rows[2].missingPicks, 2);
  EXPECT_EQ(rows[0].tiebreaker, kNo);
  s.Pool.TiebreakerUsed = false;
  EXPECT_EQ(FillImportRows(s)[0].tiebreaker, kUnknown);
}

TEST_F(ImportRowsTest, ReplaceNeedsALiveEntryOfThatNameAndNumber) {
  EXPECT_EQ(ClickImportReplace(s, rows[2]),
            "There is no Entry Number 7 for Ann on file\nCannot change to be a 'Replace'");
  EXPECT_EQ(rows[2].replace, kNew);

  // Bob's entry 1 stops counting once Bob is deleted.
  s.Bettors[2] = BettorRecord{};
  EXPECT_FALSE(ClickImportReplace(s, rows[1]).empty());
  EXPECT_EQ(rows[1].replace, kNew);
}

TEST_F(ImportRowsTest, ACollectedPoolEntryShowsPreviouslyUntilTheRowIsNewAgain) {
  ImportEntryRow& ann = rows[0];  // the file: not collected; the pool: collected
  EXPECT_EQ(ClickImportReplace(s, ann), "");
  EXPECT_EQ(ann.replace, kReplace);
  EXPECT_EQ(ann.poolEntry, 1);
  EXPECT_EQ(ann.collected, kPreviously);
  EXPECT_EQ(ClickImportCollected(ann),
            "This entry was already marked as collected\nand cannot be changed here.");
  EXPECT_EQ(ann.collected, kPreviously);
  MarkAllImportCollected(rows, false);
  EXPECT_EQ(ann.collected, kPreviously);

  // Back to new: the file's own value, not the replaced entry's payment.
  ClickImportReplace(s, ann);
  EXPECT_EQ(ann.replace, kNew);
  EXPECT_EQ(ann.collected, kNo);

  ImportEntryRow& bob = rows[1];  // the pool entry was not collected
  EXPECT_EQ(bob.collected, kNo);  // marked so above
  ClickImportCollected(bob);
  EXPECT_EQ(bob.collected, kYes);
  ClickImportReplace(s, bob);
  EXPECT_EQ(bob.replace, kReplace);
  EXPECT_EQ(bob.collected, kYes);  // the row's own choice stays
  ClickImportCollected(bob);
  EXPECT_EQ(bob.collected, kNo);
}

TEST_F(ImportRowsTest, TotalsCountTheRowsAndPriceTheShares) {
  ClickImportReplace(s, rows[0]);  // Previously
  ClickImportAccept(rows[2]);
  EXPECT_EQ(rows[2].accept, kReject);
  ImportTotals t = UpdateImportTotals(s, rows);
  EXPECT_EQ(t.rejected, 1);
  EXPECT_EQ(t.replacing, 1);
  EXPECT_EQ(t.added, 1);
  EXPECT_EQ(t.collected, 2);
  EXPECT_EQ(t.cost, Currency::FromDouble(10));
  EXPECT_EQ(t.collectedAmount, Currency::FromDouble(10));
  MarkAllImportCollected(rows, true);
  EXPECT_EQ(rows[2].collected, kYes);
  EXPECT_TRUE(AnyImportAccepted(rows));
  ClickImportAccept(rows[0]);
  ClickImportAccept(rows[1]);
  EXPECT_FALSE(AnyImportAccepted(rows));
}

TEST_F(ImportRowsTest, OnlyTheParticipantsOfAcceptedEntriesAreOffered) {
  ClickImportAccept(rows[1]);  // Bob's only entry
  MarkImportParticipants(s, rows);
  EXPECT_TRUE(s.ImportBettors[1].ImportMark);
  EXPECT_FALSE(s.ImportBettors[2].ImportMark);
}

TEST_F(ImportRowsTest, ApplyReplacesAndAppendsKeepingEveryPick) {
  ClickImportReplace(s, rows[0]);  // over Ann's entry 1, which was collected
  ClickImportReplace(s, rows[1]);  // over Bob's entry 1
  s.PoolChanged = false;
  EXPECT_EQ(ApplyImportRows(s, rows), 3);
  EXPECT_TRUE(s.PoolChanged);
  ASSERT_EQ(s.NumEntries, 4);
  EXPECT_TRUE(s.Entries[1].Collected);  // "Previously" keeps the payment
  EXPECT_EQ(s.Picks(1, 1), 2);
  EXPECT_EQ(s.Picks(3, 1), 3);
  EXPECT_TRUE(s.Entries[2].Collected);
  EXPECT_EQ(s.Picks(3, 2), 2);
  EXPECT_EQ(s.Entries[3].BettorIndex, 0);  // the deleted entry is untouched
  const EntryRecord& added = s.Entries[4];
  EXPECT_EQ(added.BettorIndex, 1);
  EXPECT_EQ(added.EntryNumber, 7);
  EXPECT_TRUE(added.Collected);
  EXPECT_EQ(s.Picks(1, 4), 1);
  EXPECT_EQ(s.Picks(2, 4), 0);
  EXPECT_GE(s.Picks.MaxEntry(), 5);
  EXPECT_EQ(s.NumBettors, 2);
}

// A report open over the pool still opens a replaced entry, which is the
// same entry with new picks; an appended entry is one of its own.
TEST_F(ImportRowsTest, AReplacedEntryStaysTheEntryAReportListedAndAnAppendedOneIsNew) {
  const ListedEntryIds listed(s);
  ClickImportReplace(s, rows[0]);  // over Ann's entry 1
  ApplyImportRows(s, rows);
  ASSERT_EQ(s.NumEntries, 5);
  EXPECT_EQ(listed.Find(s, 1), 1);
  EXPECT_EQ(listed.Find(s, 2), 2);
  for (int e : {4, 5}) {
    SCOPED_TRACE(e);
    EXPECT_NE(s.Entries[e].Identity, 0u);
    EXPECT_NE(s.Entries[e].Identity, s.Entries[1].Identity);
    EXPECT_NE(s.Entries[e].Identity, s.Entries[2].Identity);
  }
  EXPECT_NE(s.Entries[4].Identity, s.Entries[5].Identity);
}

TEST_F(ImportRowsTest, AnAppendedEntryFindsItsParticipantUnderTheNameTheImportGaveIt) {
  // The participant import added Ann as "Ann*" beside another "Ann".
  AddBettor(s, "Ann*");
  s.ImportBettors[1].Name = "Ann*";
  ClickImportAccept(rows[1]);
  ApplyImportRows(s, rows);
  ASSERT_EQ(s.NumEntries, 5);
  EXPECT_EQ(s.Entries[4].BettorIndex, 3);
  EXPECT_EQ(s.Entries[5].BettorIndex, 3);
  EXPECT_EQ(s.Entries[5].BettorName, "Ann*");
}

TEST_F(ImportRowsTest, AReplaceWhoseEntryIsGoneIsAddedInstead) {
  ClickImportReplace(s, rows[1]);
  s.Entries[2].EntryNumber = 5;  // no longer Bob's entry 1
  ClickImportAccept(rows[0]);
  ClickImportAccept(rows[2]);
  ApplyImportRows(s, rows);
  ASSERT_EQ(s.NumEntries, 4);
  EXPECT_EQ(s.Entries[2].EntryNumber, 5);
  EXPECT_EQ(s.Entries[4].BettorIndex, 2);
  EXPECT_EQ(s.Entries[4].EntryNumber, 1);
}

TEST_F(ImportRowsTest, ThePoolCannotGrowPastTheLargestEntryCount) {
  EXPECT_EQ(CheckImportRows(s, rows), "");
  s.NumEntries = 32766;
  EXPECT_NE(CheckImportRows(s, rows), "");
}

// Imports that bring the pool to the most entries and participants it can
// hold, and one past it: read, offered, refused or applied as a whole.
TEST_F(EntryImportTest, AnImportUpToTheRecordLimitAppliesAndOnePastItIsRefusedWithTheLimit) {
  struct Case {
    const char* what;
    int entries;       // in the file
    bool ownPeople;    // each entry with a participant of its own
    bool fits;
  };
  const Case cases[] = {
      {"entries to the limit", kMaxPoolRecords - 1, false, true},
      {"entries one past it", kMaxPoolRecords, false, false},
      {"participants to the limit", kMaxPoolRecords - 1, true, true},
      {"participants one past it", kMaxPoolRecords - 1, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    s = FourTeamPool();
    AddPicks(s, AddEntry(s, AddBettor(s, "Ann"), 1), {1, 3, 1});
    if (std::string(c.what) == "participants one past it") AddBettor(s, "Zed");
    const PoolState before = s;
    const std::string file = FileFrom(s, [&](PoolState& f) {
      int pat = c.ownPeople ? 0 : AddBettor(f, "Pat");
      for (int e = 1; e <= c.entries; ++e) {
        int who = c.ownPeople ? AddBettor(f, "P" + std::to_string(e)) : pat;
        AddPicks(f, AddEntry(f, who, static_cast<int16_t>(c.ownPeople ? 1 : e)), {2, 4, 4});
      }
    });
    prompts.asked.clear();
    ASSERT_TRUE(Read(file)) << (prompts.asked.empty() ? "" : prompts.asked.back().text);
    std::vector<ImportEntryRow> rows = FillImportRows(s);
    ASSERT_EQ(static_cast<int>(rows.size()), c.entries);
    const std::string refusal = CheckImportRows(s, rows);
    if (!c.fits) {
      EXPECT_NE(refusal.find(std::to_string(kMaxPoolRecords)), std::string::npos) << refusal;
      EXPECT_EQ(s.NumEntries, before.NumEntries);
      EXPECT_EQ(s.NumBettors, before.NumBettors);
      continue;
    }
    ASSERT_EQ(refusal, "");
    EXPECT_EQ(ApplyImportRows(s, rows), c.entries);
    ASSERT_EQ(s.NumEntries, kMaxPoolRecords);
    EXPECT_GT(s.NumBettors, 0);
    EXPECT_LE(s.NumBettors, kMaxPoolRecords);
    EXPECT_EQ(s.Bettors[s.Entries[1].BettorIndex].Name, "Ann");
    EXPECT_EQ(s.Picks(1, 1), 1);
    const EntryRecord& last = s.Entries[kMaxPoolRecords];
    EXPECT_GT(last.BettorIndex, 0);
    EXPECT_EQ(s.Picks(2, kMaxPoolRecords), 4);
  }
}

// ---------------------------------------------------------------- what OK does

const std::string kTooManyEntries =
    "The pool cannot hold more than 32767 entries.\nReject some entries and try again.";
const std::string kTooManyParticipants =
    "The pool cannot hold more than 32767 participants.\nReject some entries and try again.";

// The window's OK past its checks: the participants of the accepted rows
// first, then the entries.
int ApplyAsTheWindowDoes(PoolState& s, const std::vector<ImportEntryRow>& rows) {
  MarkImportParticipants(s, rows);
  s.BettorImportFromEntries = true;
  const std::vector<BettorImportRow> people = FillBettorRows(s);
  EXPECT_EQ(CheckBettorRows(s, people), "");
  ApplyBettorRows(s, people);
  s.BettorImportFromEntries = false;
  return ApplyImportRows(s, rows);
}

// Deleted entries and participants of their own up to the counts given.
void FillUpTo(PoolState& s, int entries, int participants) {
  while (s.NumEntries < entries) AddEntry(s, 0, 0);
  while (s.NumBettors < participants) AddBettor(s, "Filler " + std::to_string(s.NumBettors));
}

// A pool of Ann, Bob and Eve with two entries numbered 1 of Bob's, and an
// import of the entries a case names.
struct ImportPlanTest : EntryImportTest {
  struct Row {
    const char* who;
    int number;
    // 'N' new, 'R' replace as a click makes it, 'X' reject, 'E' replace
    // poolEntry (a click names the first entry of the key)
    char how;
    int poolEntry = 0;
  };

  void SetUp() override {
    AddBettor(s, "Ann");
    AddBettor(s, "Bob");
    AddBettor(s, "Eve");
    AddPicks(s, AddEntry(s, 1, 1, /*collected=*/true), {1, 3, 1});
    AddPicks(s, AddEntry(s, 2, 1), {2, 4, 4});
    AddEntry(s, 0, 2);  // a deleted entry of nobody
    AddPicks(s, AddEntry(s, 2, 1), {1, 4, 1});  // Bob's second entry numbered 1
    AddPicks(s, AddEntry(s, 3, 1), {2, 3, 2});
  }

  // Reads the rows' entries (the k-th row picks slot 1 + k mod 4 in the
  // final) and makes each row's choice.
  std::vector<ImportEntryRow> Import(const std::vector<Row>& wanted) {
    EXPECT_TRUE(Read(FileFrom(s, [&](PoolState& f) {
      int k = 0;
      for (const Row& r : wanted) {
        int who = 0;
        for (int b = 1; b <= f.NumBettors; ++b)
          if (f.Bettors[b].Name == r.who) who = b;
        if (who == 0) who = AddBettor(f, r.who);
        AddPicks(f, AddEntry(f, who, r.number), {1, 3, 1 + (k++ % 4)});
      }
    })));
    std::vector<ImportEntryRow> rows = FillImportRows(s);
    EXPECT_EQ(rows.size(), wanted.size());
    for (size_t i = 0; i < rows.size() && i < wanted.size(); ++i) {
      if (wanted[i].how == 'R') {
        EXPECT_EQ(ClickImportReplace(s, rows[i]), "") << i;
      }
      if (wanted[i].how == 'X') ClickImportAccept(rows[i]);
      if (wanted[i].how == 'E') {
        rows[i].replace = kReplace;
        rows[i].poolEntry = wanted[i].poolEntry;
      }
    }
    return rows;
  }
};

// Whatever rows the user leaves, the check counts the entries and
// participants that OK then makes: an import that brings the pool exactly to
// the limit passes and makes that many, one more is refused.
TEST_F(ImportPlanTest, TheCheckCountsWhatTheApplyMakesForEveryMixOfRows) {
  struct Case {
    const char* what;
    std::vector<Row> rows;
    void (*change)(PoolState&);  // what changed after the clicks, if anything
    int appended;
    int newPeople;
  };
  const Case cases[] = {
      {"two rows of one key, both replacing", {{"Ann", 1, 'R'}, {"Ann", 1, 'R'}}, nullptr, 0, 0},
      {"a replace beside an add of its key", {{"Bob", 1, 'R'}, {"Bob", 1, 'N'}}, nullptr, 1, 0},
      {"new participants shared by rows",
       {{"Cy", 1, 'N'}, {"Cy", 2, 'N'}, {"Dee", 1, 'N'}, {"Cy", 3, 'N'}}, nullptr, 4, 2},
      {"a replace of the later of two entries of one number", {{"Bob", 1, 'E', 4}}, nullptr, 0, 0},
      {"a replace whose entry was renumbered", {{"Eve", 1, 'R'}},
       [](PoolState& p) { p.Entries[5].EntryNumber = 9; }, 1, 0},
      {"a replace whose participant was deleted", {{"Eve", 1, 'R'}},
       [](PoolState& p) { p.Bettors[3] = BettorRecord{}; }, 1, 1},
      {"rejected rows", {{"Cy", 1, 'X'}, {"Dee", 1, 'N'}, {"Ann", 1, 'X'}}, nullptr, 1, 1},
      {"all of these at once",
       {{"Ann", 1, 'R'}, {"Ann", 1, 'R'}, {"Bob", 1, 'E', 4}, {"Bob", 1, 'N'}, {"Cy", 1, 'N'},
        {"Eve", 1, 'R'}, {"Cy", 2, 'N'}, {"Dee", 1, 'X'}, {"Dee", 2, 'N'}},
       [](PoolState& p) { p.Bettors[3] = BettorRecord{}; }, 5, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    s = FourTeamPool();
    SetUp();
    const std::vector<ImportEntryRow> rows = Import(c.rows);
    if (c.change) c.change(s);
    const PoolState base = s;
    const int accepted = static_cast<int>(std::count_if(
        rows.begin(), rows.end(), [](const ImportEntryRow& r) { return r.accept == kAccept; }));

    for (bool window : {false, true}) {
      SCOPED_TRACE(window ? "through the participant import" : "the entries alone");
      PoolState p = base;
      EXPECT_EQ(window ? ApplyAsTheWindowDoes(p, rows) : ApplyImportRows(p, rows), accepted);
      EXPECT_EQ(p.NumEntries, base.NumEntries + c.appended);
      EXPECT_EQ(p.NumBettors, base.NumBettors + c.newPeople);
    }

    PoolState full = base;
    FillUpTo(full, kMaxPoolRecords - c.appended, 0);
    EXPECT_EQ(CheckImportRows(full, rows), "");
    ApplyImportRows(full, rows);
    EXPECT_EQ(full.NumEntries, kMaxPoolRecords);
    if (c.appended > 0) {
      PoolState over = base;
      FillUpTo(over, kMaxPoolRecords - c.appended + 1, 0);
      EXPECT_EQ(CheckImportRows(over, rows), kTooManyEntries);
    }

    full = base;
    FillUpTo(full, 0, kMaxPoolRecords - c.newPeople);
    EXPECT_EQ(CheckImportRows(full, rows), "");
    ApplyAsTheWindowDoes(full, rows);
    EXPECT_EQ(full.NumBettors, kMaxPoolRecords);
    if (c.newPeople > 0) {
      PoolState over = base;
      FillUpTo(over, 0, kMaxPoolRecords - c.newPeople + 1);
      EXPECT_EQ(CheckImportRows(over, rows), kTooManyParticipants);
    }
  }
}

TEST_F(ImportPlanTest, RowsOfOneKeyReplaceTheirEntryInTurnAndAnAddedOneStandsBeside) {
  const std::vector<ImportEntryRow> rows =
      Import({{"Ann", 1, 'R'}, {"Ann", 1, 'R'}, {"Ann", 1, 'N'}});
  EXPECT_EQ(ApplyImportRows(s, rows), 3);
  ASSERT_EQ(s.NumEntries, 6);
  EXPECT_EQ(s.Picks(3, 1), 2);  // the later replace's picks
  EXPECT_TRUE(s.Entries[1].Collected);
  EXPECT_EQ(s.Entries[6].BettorIndex, 1);
  EXPECT_EQ(s.Entries[6].EntryNumber, 1);
  EXPECT_EQ(s.Picks(3, 6), 3);
  EXPECT_EQ(s.NumBettors, 3);
}

TEST_F(ImportPlanTest, AReplaceOverwritesTheEntryItsRowNamesThoughAnEarlierOneHasItsNumber) {
  const std::vector<ImportEntryRow> rows = Import({{"Bob", 1, 'E', 4}});
  EXPECT_EQ(ApplyImportRows(s, rows), 1);
  ASSERT_EQ(s.NumEntries, 5);
  EXPECT_EQ(s.Picks(3, 4), 1);
  EXPECT_EQ(s.Picks(1, 2), 2);  // the earlier entry numbered 1 is as it was
  EXPECT_EQ(s.Picks(3, 2), 4);
}

TEST_F(ImportPlanTest, NewParticipantsAreMadeOnceInTheOrderTheRowsFirstNameThem) {
  const std::vector<ImportEntryRow> rows =
      Import({{"Cy", 1, 'N'}, {"Dee", 1, 'N'}, {"Cy", 2, 'N'}, {"Ann", 4, 'N'}, {"Dee", 2, 'N'}});
  for (bool window : {false, true}) {
    SCOPED_TRACE(window ? "through the participant import" : "the entries alone");
    PoolState p = s;
    EXPECT_EQ(window ? ApplyAsTheWindowDoes(p, rows) : ApplyImportRows(p, rows), 5);
    ASSERT_EQ(p.NumBettors, 5);
    EXPECT_EQ(p.Bettors[4].Name, "Cy");
    EXPECT_EQ(p.Bettors[5].Name, "Dee");
    ASSERT_EQ(p.NumEntries, 10);
    const int owners[] = {4, 5, 4, 1, 5};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(p.Entries[6 + k].BettorIndex, owners[k]) << k;
  }
}

}  // namespace
}  // namespace qb
