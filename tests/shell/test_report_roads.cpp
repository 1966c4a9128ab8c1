// Printing and exporting the reports of the real report windows, as the
// File menu reaches them.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>

#include "shell/frmMain.h"
#include "shell/print_routing.h"
#include "shell/window_table.h"
#include "standings/frmPossibilities.h"
#include "standings/logic/possibility_pools.h"
#include "reports/logic/report_fixture.h"
#include "support/pdf_tools.h"

namespace qb {
namespace {

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ReportRoads : ::testing::Test {
  TestContext t;
  QTemporaryDir dir;
  std::unique_ptr<frmMain> main;

  std::string Path(const char* name) { return dir.filePath(name).toStdString(); }
  void OpenPool(int openGames, int entries) {
    testing::PoolRecipe recipe;
    recipe.teams = 16;
    recipe.entries = entries;
    recipe.openGames = openGames;
    t.pool = testing::MakeRandomPool(recipe, 5);
    t.pool.Pool.PoolName = "Office & Co";
    main = std::make_unique<frmMain>(t.ctx, StandardWindows());
    main->MDIForm_Load();
    main->show();
    main->EnableFileCommands();
  }
  QTabWidget* Tabs() { return main->ActiveChild()->findChild<QTabWidget*>("SSTab1"); }
};

TEST_F(ReportRoads, PossibilitiesPrintAndExportOnceTheRunHasEnded) {
  OpenPool(3, 12);
  main->RunCommand("mnuReportsPossible");
  ASSERT_EQ(main->ActiveWindowName(), "frmPossibilities");
  auto* w = dynamic_cast<frmPossibilities*>(main->ActiveChild());
  ASSERT_TRUE(w);
  // Before the run there is nothing to print.
  main->RunCommand("mnuFilePrint");
  EXPECT_TRUE(t.files.titles.empty());

  w->cmdProcessing_Click();
  w->WaitForRun();
  ASSERT_EQ(w->ProcessingStatus(), "Completed");
  Tabs()->setCurrentIndex(0);
  t.files.Queue(Path("scenarios.pdf"));
  main->RunCommand("mnuFilePrint");
  std::string text = test::PdfText(Path("scenarios.pdf"));
  EXPECT_TRUE(std::regex_search(text, std::regex("Scenario Winners +Page +1")));
  EXPECT_NE(text.find("Scenario Game Winners / Jackpot Winners (Points)"), std::string::npos);

  Tabs()->setCurrentIndex(1);
  t.files.Queue(Path("names.pdf"));
  main->RunCommand("mnuFilePrint");
  text = test::PdfText(Path("names.pdf"));
  if (const char* keep = std::getenv("QB_REPORT_SHOTS")) {
    QFile::remove(QDir(keep).filePath("possibilities_by_name.pdf"));
    QFile::copy(QString::fromStdString(Path("names.pdf")), QDir(keep).filePath("possibilities_by_name.pdf"));
  }
  EXPECT_TRUE(std::regex_search(text, std::regex("Winning Possibilities By Name +Page +1")));

  t.files.Queue(Path("names.csv"));
  main->RunCommand("mnuFilePrintToFile");
  text = FileText(Path("names.csv"));
  EXPECT_NE(text.find("\"Office & Co - Possibilities by Name Report - "), std::string::npos);
  EXPECT_EQ(t.prompts.LastText(), kPrintToFileDone);
}

// Keeps a copy of the PDF to look at when QB_REPORT_SHOTS names a folder.
void Keep(const std::string& pdf, const char* name) {
  if (const char* keep = std::getenv("QB_REPORT_SHOTS")) {
    QFile::remove(QDir(keep).filePath(name));
    QFile::copy(QString::fromStdString(pdf), QDir(keep).filePath(name));
  }
}

TEST_F(ReportRoads, RankingsPrintTheStandingsAndOnlyPoolWinnersThatCouldBeComputed) {
  OpenPool(3, 12);  // results incomplete: no pool winners yet
  main->RunCommand("mnuReportsDisplayRankings");
  ASSERT_EQ(main->ActiveWindowName(), "frmDisplayRank");
  Tabs()->setCurrentIndex(0);
  t.files.Queue(Path("standings.pdf"));
  main->RunCommand("mnuFilePrint");
  Keep(Path("standings.pdf"), "current_rankings.pdf");
  std::string text = test::PdfText(Path("standings.pdf"));
  EXPECT_TRUE(std::regex_search(text, std::regex("Current Rankings By Current Rank +Page +1")));
  EXPECT_NE(text.find("Name / Entry"), std::string::npos);
  t.files.Queue(Path("standings.csv"));
  main->RunCommand("mnuFilePrintToFile");
  EXPECT_NE(FileText(Path("standings.csv")).find(" - Current Rank Report - "), std::string::npos);

  Tabs()->setCurrentIndex(1);
  const int beeps = t.prompts.beeps;
  t.files.titles.clear();
  main->RunCommand("mnuFilePrint");
  main->RunCommand("mnuFilePrintToFile");
  EXPECT_TRUE(t.files.titles.empty());
  EXPECT_EQ(t.prompts.beeps, beeps + 2);
}

TEST_F(ReportRoads, PoolAnalysisPrintsBothPagesAndExportsTheTeams) {
  OpenPool(6, 12);
  main->RunCommand("mnuReportsPoolAnalysis");
  ASSERT_EQ(main->ActiveWindowName(), "frmPoolAnalysis");
  Tabs()->setCurrentIndex(0);
  t.files.Queue(Path("teams.pdf"));
  main->RunCommand("mnuFilePrint");
  Keep(Path("teams.pdf"), "pool_analysis.pdf");
  std::string text = test::PdfText(Path("teams.pdf"));
  EXPECT_TRUE(std::regex_search(text, std::regex("Pool Analysis By [A-Za-z ]+ +Page +1")));
  EXPECT_NE(text.find("Team 1 "), std::string::npos);
  // The hidden slot numbers after the last round are not printed.
  for (const auto& line : testing::SplitLines(text))
    if (std::regex_search(line, std::regex("^ +\\d+ Team "))) {
      EXPECT_TRUE(std::regex_search(line, std::regex("%$"))) << line;
    }

  Tabs()->setCurrentIndex(1);
  t.files.Queue(Path("upsets.pdf"));
  main->RunCommand("mnuFilePrint");
  text = test::PdfText(Path("upsets.pdf"));
  EXPECT_TRUE(std::regex_search(text, std::regex("Upset Analysis +Page +1")));

  t.files.Queue(Path("teams.csv"));
  main->RunCommand("mnuFilePrintToFile");
  text = FileText(Path("teams.csv"));
  EXPECT_NE(text.find(" - Pool Analysis - "), std::string::npos);
  EXPECT_NE(text.find("\"Team 1 - "), std::string::npos);
}

TEST_F(ReportRoads, TheListingPrintsParticipantsAndEveryEntrysPicks) {
  OpenPool(6, 12);
  main->RunCommand("mnuReportsListBettors");
  ASSERT_EQ(main->ActiveWindowName(), "frmListBettors");
  Tabs()->setCurrentIndex(0);
  t.files.Queue(Path("people.pdf"));
  main->RunCommand("mnuFilePrint");
  std::string text = test::PdfText(Path("people.pdf"));
  EXPECT_TRUE(std::regex_search(text, std::regex("Participant Listing By [A-Za-z ]+ +Page +1")));

  Tabs()->setCurrentIndex(1);
  t.files.Queue(Path("picks.pdf"));
  main->RunCommand("mnuFilePrint");
  Keep(Path("picks.pdf"), "entry_picks.pdf");
  text = test::PdfText(Path("picks.pdf"));
  EXPECT_TRUE(std::regex_search(text, std::regex("Entry Picks Summary")));
  EXPECT_NE(text.find("Winners Picked"), std::string::npos);

  t.files.Queue(Path("entries.csv"));
  main->RunCommand("mnuFilePrintToFile");
  EXPECT_NE(FileText(Path("entries.csv")).find(" - Entry Listing - "), std::string::npos);
}

}  // namespace
}  // namespace qb
