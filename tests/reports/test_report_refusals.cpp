// File > Print on a report window whose page has no report just now: the
// user is told why, with a beep, and nothing is printed.
// The pool builders first: their names must come before Qt's macros.
#include "standings/logic/possibility_pools.h"
#include "standings/logic/rank_pools.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>

#include "platform/app_context.h"
#include "reports/report_output.h"
#include "standings/frmDisplayRank.h"
#include "standings/frmPossibilities.h"

namespace qb {
namespace {

TEST(ReportRefusals, PossibilitiesNotComputedSayWhyBeforeAndAfterACancelledRun) {
  TestContext t;
  testing::PoolRecipe recipe;
  recipe.teams = 16;
  recipe.entries = 3000;
  recipe.openGames = 15;
  t.pool = testing::MakeRandomPool(recipe, 7);
  frmPossibilities w(t.ctx);
  w.show();
  t.prompts.beeps = 0;
  ASSERT_TRUE(PrintWindowReport(t.ctx, w));
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text,
            "The possibilities have not been computed yet.  Click on 'Begin Processing' first.");
  EXPECT_EQ(t.prompts.beeps, 1);

  auto* button = w.findChild<QPushButton*>("cmdProcessing");
  button->click();  // begin
  button->click();  // cancel
  w.WaitForRun();
  ASSERT_EQ(w.ProcessingStatus(), "Cancelled");
  for (int page : {0, 1}) {
    w.SSTab1()->setCurrentIndex(page);
    t.prompts.asked.clear();
    ASSERT_TRUE(PrintWindowReport(t.ctx, w));
    ASSERT_EQ(t.prompts.asked.size(), 1u) << page;
    EXPECT_EQ(t.prompts.asked[0].text,
              "The possibilities have not been computed: the run was stopped.");
  }
  EXPECT_TRUE(t.files.titles.empty());  // no PDF was asked for
}

TEST(ReportRefusals, PoolWinnersThatCannotBeComputedSayTheirOwnReason) {
  TestContext t;
  t.pool = testing::ThreeEntries().s;  // games 4 to 7 still open
  t.pool.MainWidth = 12000;
  t.pool.MainHeight = 9000;
  frmDisplayRank w(t.ctx);
  w.show();
  w.SSTab1()->setCurrentIndex(1);
  t.prompts.beeps = 0;
  ASSERT_TRUE(PrintWindowReport(t.ctx, w));
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text.rfind("Complete results are not entered.", 0), 0u)
      << t.prompts.asked[0].text;
  EXPECT_EQ(t.prompts.beeps, 1);
  EXPECT_TRUE(t.files.titles.empty());
}

}  // namespace
}  // namespace qb
