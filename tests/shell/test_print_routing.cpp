// File > Print and File > Print to Comma-Delimited File on report windows.
#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <memory>

#include "platform/app_context.h"
#include "platform/grid_view.h"
#include "reports/logic/report_fixture.h"
#include "shell/frmMain.h"
#include "shell/print_routing.h"
#include "standings/report_window.h"
#include "support/pdf_tools.h"

namespace qb {
namespace {

using namespace qb::testing;

// A report window of the given name with two pages, each with a grid.
class FakeReport : public ReportWindow {
 public:
  FakeReport(AppContext& ctx, const std::string& name, Grid first, Grid second)
      : ReportWindow(ctx, name, 0, nullptr) {
    pages[0] = MakeGrid(AddPage("First"), "flxFirst");
    pages[1] = MakeGrid(AddPage("Second"), "flxSecond");
    pages[0]->grid() = std::move(first);
    pages[1]->grid() = std::move(second);
    resize(300, 200);
  }
  const Grid* ReportGrid(int page) const override {
    return page >= 0 && page < 2 ? &pages[page]->grid() : nullptr;
  }
  GridView* pages[2];
};

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PrintRoutingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakePool(t.pool);
    WindowTable w;
    w.children["frmDisplayRank"] = [](AppContext& c) -> ChildWindow* {
      return new FakeReport(c, "frmDisplayRank", RankingsGrid(), PayoutsGrid());
    };
    w.children["frmPoolAnalysis"] = [](AppContext& c) -> ChildWindow* {
      return new FakeReport(c, "frmPoolAnalysis", PoolAnalysisGrid(), UpsetGrid());
    };
    w.children["frmPossibilities"] = [](AppContext& c) -> ChildWindow* {
      auto* f = new FakeReport(c, "frmPossibilities", ScenarioGrid(2), PossibilitiesGrid());
      f->SSTab1()->hide();  // no run yet
      return f;
    };
    w.dialogs["PrintToFile"] = PrintToFile;
    main = std::make_unique<frmMain>(t.ctx, std::move(w));
    main->MDIForm_Load();
    main->EnableFileCommands();
  }
  FakeReport* Show(const char* name, int page) {
    main->ShowWindowByName(name);
    auto* report = dynamic_cast<FakeReport*>(main->ActiveChild());
    if (report) report->SSTab1()->setCurrentIndex(page);
    return report;
  }
  std::string Path(const char* name) { return dir.filePath(name).toStdString(); }

  TestContext t;
  QTemporaryDir dir;
  std::unique_ptr<frmMain> main;
};

TEST_F(PrintRoutingTest, FilePrintPrintsTheReportOfThePageShown) {
  ASSERT_TRUE(Show("frmDisplayRank", 1));
  t.files.Queue(Path("winners.pdf"));
  main->RunCommand("mnuFilePrint");
  EXPECT_EQ(t.pool.OutputMode, "Print");
  std::string text = test::PdfText(Path("winners.pdf"));
  EXPECT_NE(text.find("Final Winnings Calculations Report By Current Rank"), std::string::npos);
  EXPECT_NE(text.find("Tiebrk Diff"), std::string::npos);
  EXPECT_NE(text.find("Eve & Co 1"), std::string::npos);

  main->ActiveChild()->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(0);
  t.files.Queue(Path("standings.pdf"));
  main->RunCommand("mnuFilePrint");
  text = test::PdfText(Path("standings.pdf"));
  EXPECT_NE(text.find("Current Rankings By Current Rank"), std::string::npos);
}

TEST_F(PrintRoutingTest, ThePossibilitiesPrintAndExportNothingBeforeARunAndSayWhy) {
  ASSERT_TRUE(Show("frmPossibilities", 0));
  const struct {
    const char* command;
    const char* why;
  } cases[] = {
      {"mnuFilePrint", "This page has no report to print."},
      {"mnuFilePrintToFile", "This page has no report to export."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    t.prompts.asked.clear();
    t.prompts.beeps = 0;
    main->RunCommand(c.command);
    EXPECT_TRUE(t.files.titles.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    ASSERT_EQ(t.prompts.asked.size(), 1u);
    EXPECT_EQ(t.prompts.asked[0].text, c.why);
    EXPECT_EQ(t.prompts.beeps, 1);
  }
}

TEST_F(PrintRoutingTest, PrintToFileWritesTheGridOfThePageWithItsTitle) {
  ASSERT_TRUE(Show("frmDisplayRank", 0));
  t.files.Queue(Path("rank.csv"));
  t.waves.played.clear();
  main->RunCommand("mnuFilePrintToFile");
  ASSERT_EQ(t.files.titles, std::vector<std::string>{kPrintToFileTitle});
  std::string text = FileText(Path("rank.csv"));
  EXPECT_EQ(text.rfind("\"Quorvel Brakkon by Dunmerrow Inc. ", 0), 0u);
  EXPECT_NE(text.find("\"Office <Pool> & Friends - Current Rank Report - 12/10/2026\"\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\"Bob \"\"Ace\"\" Smith & Company 1\",\"1234567.5\","), std::string::npos);
  EXPECT_EQ(t.prompts.LastText(), kPrintToFileDone);
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"start", "type", "type"}));
}

TEST_F(PrintRoutingTest, ThePoolAnalysisExportsTheTeamsWhicheverPageIsShown) {
  ASSERT_TRUE(Show("frmPoolAnalysis", 1));
  t.files.Queue(Path("teams.csv"));
  main->RunCommand("mnuFilePrintToFile");
  std::string text = FileText(Path("teams.csv"));
  EXPECT_NE(text.find(" - Pool Analysis - "), std::string::npos);
  EXPECT_NE(text.find("\"Texas A&M\""), std::string::npos);
}

TEST_F(PrintRoutingTest, CancellingTheExportWritesNothingAndSaysNothing) {
  ASSERT_TRUE(Show("frmDisplayRank", 1));
  t.files.Queue(std::nullopt);
  main->RunCommand("mnuFilePrintToFile");
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PrintRoutingTest, AFailedExportSaysSoAndLeavesNothingBehind) {
  ASSERT_TRUE(Show("frmDisplayRank", 1));
  // A folder in the way: the finished file cannot take its place.
  ASSERT_TRUE(QDir(dir.path()).mkpath("taken.csv/inside"));
  t.files.Queue(Path("taken.csv"));
  main->RunCommand("mnuFilePrintToFile");
  EXPECT_TRUE(t.prompts.AnyTextContains("cannot be written"));
  EXPECT_FALSE(t.prompts.AnyTextContains(kPrintToFileDone));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"taken.csv"});
  EXPECT_TRUE(QDir(dir.filePath("taken.csv/inside")).exists());
}

TEST_F(PrintRoutingTest, AFileNameInAMissingFolderIsToldNotThrown) {
  ASSERT_TRUE(Show("frmDisplayRank", 0));
  t.files.Queue(Path("no/such/folder/x.csv"));
  main->RunCommand("mnuFilePrintToFile");
  EXPECT_TRUE(t.prompts.AnyTextContains("cannot be written"));
  EXPECT_FALSE(t.prompts.AnyTextContains("unexpected"));
}

}  // namespace
}  // namespace qb
