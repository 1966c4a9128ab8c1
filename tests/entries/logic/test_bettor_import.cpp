#include <gtest/gtest.h>

#include <sstream>

#include "entries/logic/bettor_import.h"

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

TEST(ReadCsvBettors, OneParticipantPerLineSkippingNamelessLines) {
  PoolState s;
  std::istringstream in(
      "Ann,a@x.org,555,info\r\n"
      "\r\n"
      ",nobody@x.org,1,2\r\n"
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

TEST(ApplyBettorRows, AnEmptyGridStillMarksThePoolChanged) {
  PoolState s;
  EXPECT_EQ(ApplyBettorRows(s, {}), 0);
  EXPECT_TRUE(s.PoolChanged);
}

}  // namespace
}  // namespace qb
