#include "platform/error_report.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/app_context.h"

namespace qb {
namespace {

TEST(AskKeepChanges, AsksOnlyWhenChanged) {
  TestContext t;
  EXPECT_EQ(AskKeepChanges(t.prompts, false), MsgAnswer::No);
  EXPECT_TRUE(t.prompts.asked.empty());
  t.prompts.Queue(MsgAnswer::Cancel);
  EXPECT_EQ(AskKeepChanges(t.prompts, true), MsgAnswer::Cancel);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text, "Do you wish to keep your changes?");
  EXPECT_EQ(t.prompts.asked[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(t.prompts.beeps, 1);
}

TEST(ReportUnexpectedError, BeepsThriceShowsTheReportAndRestoresThePointer) {
  TestContext t;
  QWidget window;
  window.show();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ReportUnexpectedError(t.ctx, &window, false, std::out_of_range("Subscript out of range"),
                        "frmDisplayRank");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(t.prompts.beeps, 3);
  EXPECT_EQ(t.prompts.LastText(),
            "The system has detected an unexpected error.\r\n\nError #9:  Subscript out of range, "
            "Source:  frmDisplayRank");
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::Critical);
  EXPECT_TRUE(window.isVisible());

  ReportUnexpectedError(t.ctx, &window, true, UnexpectedError(53, "File not found", "Open"), "x");
  EXPECT_NE(t.prompts.LastText().find("Error #53:  File not found, Source:  Open"),
            std::string::npos);
  EXPECT_FALSE(window.isVisible());
}

TEST(ReportUnexpectedError, UnloadClosesAChildWithItsFrameButNeverTheMainWindow) {
  TestContext t;
  QMdiArea area;
  auto* child = new QWidget;
  QMdiSubWindow* sub = area.addSubWindow(child);
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
  area.show();
  sub->show();
  ReportUnexpectedError(t.ctx, child, true, std::runtime_error("x"), "Form_Load");
  EXPECT_FALSE(sub->isVisible());
}

TEST(RunGuarded, ReportsWhatEscapesAHandlerAndGoesOn) {
  TestContext t;
  bool after = false;
  RunGuarded(t.ctx, nullptr, false, "cmdOK_Click", [] { throw std::runtime_error("boom"); });
  RunGuarded(t.ctx, nullptr, false, "cmdOK_Click", [&] { after = true; });
  EXPECT_TRUE(after);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_NE(t.prompts.LastText().find("boom, Source:  cmdOK_Click"), std::string::npos);
}

}  // namespace
}  // namespace qb
