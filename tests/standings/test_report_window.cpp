// The report-window base: activation, closing, the open flag, help, pages and
// the hand-over of an entry to the entry editor.
#include "standings/report_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTabWidget>

#include "platform/app_context.h"
#include "platform/grid_view.h"
#include "support/fake_main_window.h"

namespace qb {
namespace {

class frmSample : public ReportWindow {
 public:
  explicit frmSample(AppContext& ctx)
      : ReportWindow(ctx, "frmPoolAnalysis", kHelpPoolAnalysis, &PoolState::PoolAnalysisOpen) {
    first = MakeGrid(AddPage("First"), "flxFirst");
    second = MakeGrid(AddPage("Second"), "flxSecond");
    SetOpenFlag(true);
  }
  const Grid* ReportGrid(int page) const override {
    return page == 0 ? &first->grid() : &second->grid();
  }
  GridView* first;
  GridView* second;
};

struct ReportWindowTest : ::testing::Test {
  TestContext t;
  FakeMainWindow main;
  void SetUp() override {
    t.ctx.main = &main;
    t.pool.NumEntries = 3;
  }
};

TEST_F(ReportWindowTest, OpenFlagLastsFromTheLoadUntilTheWindowCloses) {
  QPointer<frmSample> w = new frmSample(t.ctx);
  EXPECT_TRUE(t.pool.PoolAnalysisOpen);
  EXPECT_EQ(w->windowName(), "frmPoolAnalysis");
  EXPECT_EQ(w->helpContext(), kHelpPoolAnalysis);
  w->show();
  t.pool.SoundPlayed = 0;
  w->cmdOK_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
  EXPECT_FALSE(t.pool.PoolAnalysisOpen);
  ASSERT_FALSE(t.waves.played.empty());
  EXPECT_EQ(t.waves.played.back(), "drcls3");
}

TEST_F(ReportWindowTest, CancelClosesTooAndAWindowDeletedUnshownClearsItsFlag) {
  QPointer<frmSample> w = new frmSample(t.ctx);
  w->show();
  w->cmdCancel_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());

  auto* dropped = new frmSample(t.ctx);
  EXPECT_TRUE(t.pool.PoolAnalysisOpen);
  delete dropped;
  EXPECT_FALSE(t.pool.PoolAnalysisOpen);
}

TEST_F(ReportWindowTest, PagesAndTheGridOfEach) {
  frmSample w(t.ctx);
  auto* tabs = w.findChild<QTabWidget*>("SSTab1");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->count(), 2);
  EXPECT_EQ(w.CurrentPage(), 0);
  EXPECT_EQ(w.CurrentReportGrid(), &w.first->grid());
  tabs->setCurrentIndex(1);
  EXPECT_EQ(w.CurrentPage(), 1);
  EXPECT_EQ(w.CurrentReportGrid(), &w.second->grid());
  EXPECT_TRUE(t.waves.played.empty());  // not shown yet: the load's own choice
  w.show();
  tabs->setCurrentIndex(0);
  ASSERT_EQ(t.waves.played.size(), 1u);
  EXPECT_EQ(t.waves.played[0], "start");
}

TEST_F(ReportWindowTest, BecomingActiveInTheMainWindowAdjustsItsMenus) {
  QMdiArea area;
  area.resize(800, 600);
  area.show();
  auto* w = new frmSample(t.ctx);
  QMdiSubWindow* sub = area.addSubWindow(w);
  sub->show();
  area.setActiveSubWindow(sub);
  EXPECT_TRUE(main.Called("AdjustMenuForActiveWindow"));
}

TEST_F(ReportWindowTest, AnEntryOpensOnlyWhileNoOtherIsOpen) {
  frmSample w(t.ctx);
  EXPECT_TRUE(w.OpenEntry(2));
  EXPECT_EQ(t.pool.EditEntryNumber, 2);
  EXPECT_EQ(t.ctx.EditEntryCaller.data(), &w);
  EXPECT_TRUE(main.Called("ShowWindowByName frmEditEntry"));

  main.calls.clear();
  EXPECT_FALSE(w.OpenEntry(3));
  EXPECT_EQ(t.pool.EditEntryNumber, 2);
  EXPECT_EQ(t.prompts.beeps, 1);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text,
            "Another Entry is already open!\r\nPlease close it before editing another entry!");
  EXPECT_EQ(t.prompts.asked[0].icon, MsgIcon::Information);
  EXPECT_FALSE(main.Called("ShowWindowByName"));

  t.pool.EditEntryNumber = 0;
  EXPECT_FALSE(w.OpenEntry(0));
  EXPECT_FALSE(w.OpenEntry(4));  // not in the pool
  EXPECT_EQ(t.pool.EditEntryNumber, 0);
}

}  // namespace
}  // namespace qb
