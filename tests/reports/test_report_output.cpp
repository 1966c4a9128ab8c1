#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

#include <regex>

#include "platform/app_context.h"
#include "reports/logic/report_fixture.h"
#include "reports/report_output.h"
#include "support/pdf_tools.h"

namespace qb {
namespace {

using namespace qb::testing;

class ReportPrintingTest : public ::testing::Test {
 protected:
  void SetUp() override { MakePool(t.pool); }
  std::string Pdf(const char* name) { return dir.filePath(name).toStdString(); }
  TestContext t;
  QTemporaryDir dir;
};

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST_F(ReportPrintingTest, AMultiPageReportPrintsEveryRowWithAHeadingOnEachPage) {
  const std::string pdf = Pdf("scenarios.pdf");
  t.files.Queue(pdf);
  t.pool.PrintFontSize = 10;
  t.pool.PrintOrientation = 2;
  ASSERT_TRUE(PrintReport(t.ctx, ReportKind::ScenarioWinners, ScenarioGrid(40)));
  // QB_REPORT_SHOTS=<folder> keeps a copy to look at.
  if (const char* keep = std::getenv("QB_REPORT_SHOTS")) {
    QFile::remove(QDir(keep).filePath("scenario_winners.pdf"));
    QFile::copy(QString::fromStdString(pdf), QDir(keep).filePath("scenario_winners.pdf"));
  }
  const int pages = test::PdfPages(pdf);
  ASSERT_GE(pages, 3);
  auto [w, h] = test::PdfPageSize(pdf);
  EXPECT_GT(w, h);  // landscape
  for (int p = 1; p <= pages; ++p) {
    SCOPED_TRACE(p);
    std::string text = test::PdfText(pdf, p);
    EXPECT_NE(text.find("Quorvel Brakkon"), std::string::npos);
    EXPECT_TRUE(std::regex_search(text, std::regex("Scenario Winners +Page +" + std::to_string(p))));
    // Whole scenarios only: as many game lines as pool-winner lines.
    EXPECT_EQ(Count(text, "Duke, Iowa, Duke"), Count(text, "1st: Bob 1 (12)"));
  }
  std::string all = test::PdfText(pdf);
  for (int s = 1; s <= 40; ++s)
    EXPECT_NE(all.find("Duke, Iowa, Duke " + std::to_string(s) + "\n"), std::string::npos) << s;
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"type", "type"}));
}

TEST_F(ReportPrintingTest, AFontTooLargeForThePageIsMadeSmallerSoNothingIsCutOff) {
  const std::string pdf = Pdf("portrait.pdf");
  t.files.Queue(pdf);
  t.pool.PrintFontSize = 24;
  t.pool.PrintOrientation = 1;
  ASSERT_TRUE(PrintReport(t.ctx, ReportKind::CurrentRankings, RankingsGrid()));
  auto [w, h] = test::PdfPageSize(pdf);
  EXPECT_LT(w, h);  // portrait
  std::string text = test::PdfText(pdf);
  EXPECT_TRUE(std::regex_search(text, std::regex("Current Rankings By Current Rank +Page +1")));
  EXPECT_NE(text.find("Total Pot is $8.00"), std::string::npos);
  // The last column of the widest row, printed whole.
  EXPECT_NE(text.find("1234567234567"), std::string::npos);
}

TEST_F(ReportPrintingTest, ManyTiedPoolWinnersPrintWholeInTheChosenFont) {
  // A scenario whose pool winners run far wider than the page.
  Grid grid = ScenarioGrid(3);
  std::string winners = "1st-Bob 1 ( 12 )";
  for (int e = 2; e <= 80; ++e) winners += ",  Booby-Player " + std::to_string(e) + " 2 ( 0 )";
  grid.SetTextMatrix(2, 1, winners);
  const std::string pdf = Pdf("ties.pdf");
  t.files.Queue(pdf);
  t.pool.PrintFontSize = 8;
  t.pool.PrintOrientation = 2;
  ASSERT_TRUE(PrintReport(t.ctx, ReportKind::ScenarioWinners, grid));
  std::string text = test::PdfText(pdf);
  for (int e : {2, 40, 80})
    EXPECT_NE(text.find("Booby-Player " + std::to_string(e) + " 2 ( 0 )"), std::string::npos) << e;
  // Printed at the font size chosen: a line of the heading still fits a
  // normal page width (so the font was not shrunk to a speck).
  EXPECT_TRUE(std::regex_search(text, std::regex("Scenario Winners +Page +1")));
  EXPECT_LE(test::PdfPages(pdf), 2);
  for (const auto& line : testing::SplitLines(text)) EXPECT_LE(line.size(), 200u) << line;
}

TEST_F(ReportPrintingTest, CancellingThePdfNamePrintsNothingAndIsSilent) {
  t.files.Queue(std::nullopt);
  EXPECT_FALSE(PrintReport(t.ctx, ReportKind::CurrentRankings, RankingsGrid()));
  EXPECT_TRUE(t.waves.played.empty());
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

}  // namespace
}  // namespace qb
