// The report distribution with the possibilities and pool-analysis windows
// open: which of their reports are offered, and that each box writes its own
// report from its own grid.
#include "standings/logic/possibility_pools.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <map>
#include <memory>
#include <sstream>

#include "reports/report_output.h"
#include "standings/frmPoolAnalysis.h"
#include "standings/frmPossibilities.h"
#include "email_reports_support.h"
#include "support/fake_main_window.h"
#include "support/upload_site.h"
#include "web/frmEMailReports.h"
#include "web/logic/email_report.h"

namespace qb {
namespace {

const char* const kBoxes[] = {"chkBettors",          "chkEntries",
                              "chkCurrentStandings", "chkPoolWinners",
                              "chkPossibilitiesByScenario", "chkPossibilitiesByName",
                              "chkTeamAnalysis",     "chkRoundAnalysis"};

// A possibilities window whose grids are given: its scenario table may hold
// any number of rows.
class GivenPossibilities : public ReportWindow {
 public:
  GivenPossibilities(AppContext& ctx, int scenarioRows)
      : ReportWindow(ctx, "frmPossibilities", kHelpPossibilities, nullptr),
        scenarios_(scenarioRows, 2, std::min(scenarioRows, 1), 0),
        entries_(2, 9, 1, 1) {}
  const Grid* ReportGrid(int page) const override { return page == 0 ? &scenarios_ : &entries_; }

 private:
  Grid scenarios_, entries_;
};

class AnalysisDistributionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::PoolRecipe recipe;
    recipe.teams = 16;
    recipe.entries = 8;
    recipe.openGames = 3;
    recipe.deletedShare = 0;
    recipe.paidPlaces = 3;
    recipe.booby = true;
    s = testing::MakeRandomPool(recipe, 2026);
    s.MainWidth = 12000;
    s.MainHeight = 9000;
    tc.ctx.main = &main;
    main.pool = &s;
    tc.ctx.dataFolder = data.path().string();
  }
  void OpenAnalysisWindows() {
    auto possibilities = std::make_unique<frmPossibilities>(tc.ctx);
    possibilities->setAttribute(Qt::WA_DeleteOnClose, false);
    possibilities->show();
    possibilities->findChild<QPushButton*>("cmdProcessing")->click();
    possibilities->WaitForRun();
    ASSERT_TRUE(s.PossibilitiesReady);
    reports["frmPossibilities"] = std::move(possibilities);
    auto analysis = std::make_unique<frmPoolAnalysis>(tc.ctx);
    analysis->setAttribute(Qt::WA_DeleteOnClose, false);
    ASSERT_TRUE(s.PoolAnalysisOpen);
    reports["frmPoolAnalysis"] = std::move(analysis);
  }
  std::unique_ptr<frmEMailReports> Open() {
    return testing::OpenEmailReports(tc.ctx, reports, "Email");
  }
  static QCheckBox* Box(QWidget* w, const char* name) {
    QCheckBox* c = w->findChild<QCheckBox*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  std::vector<std::string> Offered(QWidget* w) {
    std::vector<std::string> names;
    for (const char* name : kBoxes) {
      QCheckBox* box = Box(w, name);
      EXPECT_EQ(box->isEnabled(), box->isChecked()) << name << ": offered is chosen";
      if (box->isEnabled()) names.push_back(name);
    }
    return names;
  }
  std::string Report(const char* window, ReportKind kind) {
    std::ostringstream out;
    EXPECT_TRUE(WriteWindowReport(tc.ctx, *reports.at(window), kind, ReportMode::Email, out, {}));
    return out.str();
  }

  TestContext tc;
  PoolState& s = tc.pool;
  FakeMainWindow main;
  test::TempFolder data;
  testing::ReportWindows reports;
};

TEST_F(AnalysisDistributionTest, EachBoxWritesItsOwnReportFromItsOwnGrid) {
  OpenAnalysisWindows();
  struct Case {
    const char* box;
    const char* window;
    ReportKind kind;
    const char* title;
  };
  const Case cases[] = {
      {"chkPossibilitiesByScenario", "frmPossibilities", ReportKind::ScenarioWinners,
       "Scenario Winners"},
      {"chkPossibilitiesByName", "frmPossibilities", ReportKind::WinningPossibilities,
       "Winning Possibilities"},
      {"chkTeamAnalysis", "frmPoolAnalysis", ReportKind::PoolAnalysis, "Pool Analysis"},
      {"chkRoundAnalysis", "frmPoolAnalysis", ReportKind::UpsetAnalysis, "Upset Analysis"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    auto w = Open();
    EXPECT_EQ(Offered(w.get()),
              (std::vector<std::string>{"chkPossibilitiesByScenario", "chkPossibilitiesByName",
                                        "chkTeamAnalysis", "chkRoundAnalysis"}));
    EXPECT_TRUE(w->findChild<QGroupBox*>("fraPossibilities")->isEnabled());
    EXPECT_TRUE(w->findChild<QGroupBox*>("fraPoolAnalysis")->isEnabled());
    EXPECT_FALSE(w->findChild<QGroupBox*>("fraDisplayRank")->isEnabled());
    for (const char* name : kBoxes) Box(w.get(), name)->setChecked(name == std::string(c.box));
    Box(w.get(), "chkEmails")->setChecked(false);
    w->cmdCreateReport_Click();
    const std::string report = Report(c.window, c.kind);
    EXPECT_NE(report.find(c.title), std::string::npos);
    EXPECT_EQ(test::ReadFile(s.Pool.ReportFileName), report + ReportSeparatorText());
  }
  // All four together, in the order of the boxes' table.
  auto w = Open();
  Box(w.get(), "chkEmails")->setChecked(false);
  w->cmdCreateReport_Click();
  std::string all;
  for (const Case& c : cases) all += Report(c.window, c.kind) + ReportSeparatorText();
  EXPECT_EQ(test::ReadFile(s.Pool.ReportFileName), all);
}

TEST_F(AnalysisDistributionTest, ByScenarioOnlyWithTwoOrMoreScenarioRows) {
  s.PossibilitiesReady = true;
  for (int rows : {0, 1, 2, 5}) {
    SCOPED_TRACE(rows);
    reports["frmPossibilities"] = std::make_unique<GivenPossibilities>(tc.ctx, rows);
    auto w = Open();
    std::vector<std::string> offered = {"chkPossibilitiesByName"};
    if (rows >= 2) offered.insert(offered.begin(), "chkPossibilitiesByScenario");
    EXPECT_EQ(Offered(w.get()), offered);
    EXPECT_TRUE(w->findChild<QGroupBox*>("fraPossibilities")->isEnabled());
  }
  // A window left open after its run was cancelled offers nothing.
  s.PossibilitiesReady = false;
  auto w = Open();
  EXPECT_TRUE(Offered(w.get()).empty());
  EXPECT_FALSE(w->findChild<QGroupBox*>("fraPossibilities")->isEnabled());
}

}  // namespace
}  // namespace qb
