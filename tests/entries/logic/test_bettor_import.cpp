#include <gtest/gtest.h>

#include <sstream>

#include "core/prompts.h"
#include "entries/logic/bettor_import.h"
#include "entries/logic/entry_import.h"

namespace qb {
namespace {

void AddBettor(PoolState& s, const std::string& name, const std::string& email,
               const std::string& phone, const std::string& info) {
  s.NumBettors = static_cast<int16_t>(s.NumBettors + 1);
  s.Bettors.resize(static_cast<size_t>(s.NumBettors) + 1);
  s.Bettors[s.NumBettors] = {name, info, phone, email, false};
}

TEST(SplitCsvLine, QuotesCommasBlanksAndDoubledQuotes) {
  struct Case {
    std::string line;
    std::vector<std::string> fields;
  } cases[] = {
      {"Ann,a@x.org,555-1234,likes blue", {"Ann", "a@x.org", "555-1234", "likes blue"}},
      {"  Bob  , b@x.org ,,", {"Bob", "b@x.org", "", ""}},
      {"\"Smith, Jo\",j@x.org", {"Smith, Jo", "j@x.org"}},
      {"\"He said \"\"hi\"\"\",,1", {"He said \"hi\"", "", "1"}},
      {"", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCsvLine(c.line), c.fields) << c.line;
}

TEST(CsvTextAsUtf8, KeepsUtf8AndTakesOtherBytesAsWindows1252) {
  EXPECT_EQ(CsvTextAsUtf8("Zo\xC3\xAB,z@x.org"), "Zo\xC3\xAB,z@x.org");
  EXPECT_EQ(CsvTextAsUtf8("\xEF\xBB\xBF"
                          "Ann"),
            "Ann");
  EXPECT_EQ(CsvTextAsUtf8("Zo\xEB,caf\xE9 \x80"), "Zo\xC3\xAB,caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(CsvTextAsUtf8("end\xC3"), "end\xC3\x83");  // a sequence cut short is no UTF-8
}

TEST(ReadCsvBettors, OneParticipantPerLineSkippingNamelessLines) {
  PoolState s;
  std::istringstream in(
      "Ann,a@x.org,555,info\r\n"
      "\r\n"
      ",nobody@x.org,1,2\r\n"
      "\"   \",blank@x.org,3,4\r\n"
      "Bob\r\n"  // a short line must not take the next line's fields
      "Cy,c@x.org,777,more\rDee,d@x.org,,\n");
  EXPECT_EQ(ReadCsvBettors(in, s), 4);
  ASSERT_EQ(s.NumImportBettors, 4);
  EXPECT_EQ(s.ImportBettors[1].Name, "Ann");
  EXPECT_EQ(s.ImportBettors[1].Info, "info");
  EXPECT_EQ(s.ImportBettors[2].Name, "Bob");
  EXPECT_EQ(s.ImportBettors[2].EMail, "");
  EXPECT_EQ(s.ImportBettors[3].Phone, "777");
  EXPECT_EQ(s.ImportBettors[3].Info, "more");
  EXPECT_EQ(s.ImportBettors[4].Name, "Dee");
  EXPECT_TRUE(s.ImportBettors[4].ImportMark);
}

struct ImportFixture : ::testing::Test {
  PoolState s;
  void SetUp() override {
    AddBettor(s, "Ann", "ann@x.org", "", "info");
    AddBettor(s, "Bob", "bob@x.org", "555", "");
    std::istringstream in(
        "Ann,ann@new.org,123,info\n"  // overlay e-mail, fill phone
        "Bob,bob@x.org,555,\n"        // nothing new: no row
        "bob,b@x.org,,\n"             // another person: case counts
        "Ann,,,\n");                  // a second Ann with nothing new
    ReadCsvBettors(in, s);
  }
};

TEST_F(ImportFixture, RowsMarksAndActions) {
  auto rows = FillBettorRows(s);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "Ann");
  EXPECT_EQ(rows[0].action, kOverlay);
  EXPECT_EQ(rows[0].marks, (std::array<std::string, 3>{"Y", "ND", "*"}));
  EXPECT_EQ(rows[1].name, "bob");
  EXPECT_EQ(rows[1].action, kAddAsNew);
  EXPECT_EQ(rows[1].poolIndex, 0);

  ClickBettorAction(s, rows[0]);
  EXPECT_EQ(rows[0].action, kKeepCurrent);
  EXPECT_EQ(rows[0].marks, (std::array<std::string, 3>{"N", "N", "*"}));
  ClickBettorAction(s, rows[0]);
  EXPECT_EQ(rows[0].action, kOverlay);
  ClickBettorMark(s, rows[0], kEMail);
  EXPECT_EQ(rows[0].action, kNewData);
  ClickBettorMark(s, rows[0], kInfo);  // "*" stays
  EXPECT_EQ(rows[0].marks[kInfo], "*");
}

TEST_F(ImportFixture, ApplyAddsUnderAFreeNameAndFillsMarkedFields) {
  auto rows = FillBettorRows(s);
  ClickBettorMark(s, rows[0], kEMail);  // keep Ann's e-mail, take the phone
  rows.push_back(rows[1]);              // "bob" offered twice
  s.PoolChanged = false;
  EXPECT_EQ(ApplyBettorRows(s, rows), 3);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(s.Bettors[1].EMail, "ann@x.org");
  EXPECT_EQ(s.Bettors[1].Phone, "123");
  ASSERT_EQ(s.NumBettors, 4);
  EXPECT_EQ(s.Bettors[3].Name, "bob");
  EXPECT_EQ(s.Bettors[4].Name, "bob*");
  EXPECT_EQ(s.Bettors[3].EMail, "b@x.org");
}

TEST(CheckBettorRows, NewParticipantsMustFitTheLargestParticipantCount) {
  PoolState s;
  std::vector<BettorImportRow> rows(2);
  rows[0].action = kAddAsNew;
  rows[1].action = kOverlay;
  s.NumBettors = 32766;
  EXPECT_EQ(CheckBettorRows(s, rows), "");
  rows[1].action = kAddAsNew;
  EXPECT_EQ(CheckBettorRows(s, rows),
            "The pool cannot hold more than 32767 participants.\nNothing will be imported.");
}

TEST(ApplyBettorRows, ANewNameThatStoresLikeATakenOneGetsItsStar) {
  PoolState s;
  s.NumBettors = 1;
  s.Bettors.assign(3, BettorRecord{});
  s.Bettors[1].Name = "Jo 'JJ'";
  s.NumImportBettors = 1;
  s.ImportBettors.assign(3, BettorRecord{});
  s.ImportBettors[1].Name = "Jo \"JJ\"";
  std::vector<BettorImportRow> rows(1);
  rows[0].action = kAddAsNew;
  rows[0].importIndex = 1;
  EXPECT_EQ(ApplyBettorRows(s, rows), 1);
  EXPECT_EQ(s.Bettors[2].Name, "Jo \"JJ\"*");
  EXPECT_EQ(s.ImportBettors[1].Name, "Jo \"JJ\"*");
}

TEST(ApplyBettorRows, AnEmptyGridStillMarksThePoolChanged) {
  PoolState s;
  EXPECT_EQ(ApplyBettorRows(s, {}), 0);
  EXPECT_TRUE(s.PoolChanged);
}

const char* const kPoolFileWithParticipants =
    "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\",#2026-12-10 12:00:00#\r\n"
    "\"%Parms `\",1,\"Office\",4,5,#FALSE#,0,#TRUE#,\"\",0,\"No\",0,0,#FALSE#,0,#FALSE#\r\n"
    "\"%Team  `\",1,\"Gators\",1\r\n"
    "\"%Bettor`\",\"Ann\",\"likes, owls\",\"ann@x.org\",\"555\"\r\n"
    "\"%Bettor`\",\"\",\"\",\"\",\"\"\r\n"
    "\"%Bettor`\",\"Bob\",\"\",\"\",\"777\"\r\n"
    "\"%EntHdr`\",\"Cy\",1,0,#FALSE#\r\n"
    "\"%EntPck`\",1,3,1,\r\n";

TEST(ReadPoolFileBettors, TakesTheParticipantRecordsOnly) {
  PoolState s;
  ScriptedPrompts p;
  ASSERT_TRUE(ReadPoolFileBettors(kPoolFileWithParticipants, s, p));
  EXPECT_TRUE(p.asked.empty());
  ASSERT_EQ(s.NumImportBettors, 2);  // no nameless one, no "Cy" of an entry
  const BettorRecord& ann = s.ImportBettors[1];
  EXPECT_EQ(ann.Name, "Ann");
  EXPECT_EQ(ann.Info, "likes, owls");
  EXPECT_EQ(ann.EMail, "ann@x.org");
  EXPECT_EQ(ann.Phone, "555");
  EXPECT_TRUE(ann.ImportMark);
  EXPECT_EQ(s.ImportBettors[2].Phone, "777");
}

TEST(ReadPoolFileBettors, ADamagedRecordEndsTheReadAndThoseBeforeItAreOffered) {
  std::string cut = kPoolFileWithParticipants;
  cut = cut.substr(0, cut.find("\"Bob\",\"\"") + 6);  // ends inside Bob's record
  PoolState s;
  ScriptedPrompts p;
  EXPECT_TRUE(ReadPoolFileBettors(cut, s, p));
  EXPECT_EQ(p.LastText(), "Error in processing the %Bettor` record.\n\nInput past end of file");
  ASSERT_EQ(s.NumImportBettors, 1);
  EXPECT_EQ(s.ImportBettors[1].Name, "Ann");
  EXPECT_TRUE(s.ImportBettors[1].ImportMark);
}

TEST(ReadPoolFileBettors, ARefusedFileTakesNobody) {
  std::string later = kPoolFileWithParticipants;
  later.replace(later.find("2001.1"), 6, "2009.1");
  struct Case {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"another product", "\"%Header`\",\"Other\",\"1\",#2026-12-10#\r\n",
       "File is not a Quorvel Brakkon file.\nNothing will be imported."},
      {"no header", "Ann,ann@x.org\r\n",
       "File is not a Quorvel Brakkon file.\nNothing will be imported."},
      {"a later version, refused", later,
       "File created from later version of Quorvel Brakkon!\n"
       "You may experience problems loading the file!\n"
       "If it is a file from an earlier version of Quorvel Brakkon, \n"
       "try opening it as the main pool file then saving it.\n"
       "Do you wish to continue?"},
  };
  for (const Case& c : cases) {
    PoolState s;
    ScriptedPrompts p;
    p.Queue(MsgAnswer::No);
    EXPECT_FALSE(ReadPoolFileBettors(c.bytes, s, p)) << c.what;
    EXPECT_EQ(p.LastText(), c.message) << c.what;
    EXPECT_EQ(s.NumImportBettors, 0) << c.what;
  }

  PoolState s;
  ScriptedPrompts p;
  p.Queue(MsgAnswer::Yes);
  EXPECT_TRUE(ReadPoolFileBettors(later, s, p));
  EXPECT_EQ(s.NumImportBettors, 2);
}

// A pool file would save such a character as '?': an import that holds one
// is refused, naming it, in the participant import and the entry import alike.
TEST(UnstorableImportText, NamesTheParticipantAndTheCharacter) {
  PoolState s;
  std::istringstream in(CsvTextAsUtf8("Zo\xC3\xAB,z@x.org,,\r\n\xC5\x81ukasz \xC5\xBB" "ak,l@x.org,,\r\n"));
  ReadCsvBettors(in, s);
  EXPECT_EQ(UnstorableImportText(s),
            "The participant \"\xC5\x81ukasz \xC5\xBB" "ak\" holds the character \"\xC5\x81\", which a "
            "pool file cannot hold.\nNothing will be imported.");
  s.ImportBettors[2].Name = "Lukasz";
  s.ImportBettors[2].Info = "\xE6\x9D\x8E";
  EXPECT_NE(UnstorableImportText(s).find("\"\xE6\x9D\x8E\""), std::string::npos);
  s.ImportBettors[2].Info = "";
  EXPECT_EQ(UnstorableImportText(s), "");  // Windows-1252 holds the e with two dots

  PoolState pool;
  pool.Pool.NumTeams = 4;
  ScriptedPrompts p;
  const std::string file = std::string("\xEF\xBB\xBF") + kPoolFileWithParticipants +
                           "\"%EntHdr`\",\"\xE6\x9D\x8E\",1,0,#FALSE#\r\n\"%EntPck`\",1,3,1,\r\n";
  EXPECT_FALSE(ReadImportBytes(pool, file, "Other.qbp", p));
  EXPECT_NE(p.LastText().find("holds the character \"\xE6\x9D\x8E\""), std::string::npos) << p.LastText();
}

}  // namespace
}  // namespace qb
