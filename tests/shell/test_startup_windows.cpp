#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "shell/frmAbout.h"
#include "shell/frmErrors.h"
#include "shell/frmSplash.h"
#include "shell/frmStartup.h"
#include "support/fake_main_window.h"
#include "support/modal_answer.h"

namespace qb {
namespace {

TEST(frmSplash, ClosesItselfAfterItsTimeOnAKeyOrOnAClick) {
  TestContext t;
  {
    frmSplash s(t.ctx);
    s.Start(30);
    EXPECT_TRUE(s.isVisible());
    s.WaitUntilClosed();
    EXPECT_TRUE(s.Finished());
    EXPECT_FALSE(s.isVisible());
  }
  {
    frmSplash s(t.ctx);
    s.Start(60000);
    QTest::keyClick(&s, Qt::Key_Space);
    EXPECT_TRUE(s.Finished());
  }
  {
    frmSplash s(t.ctx);
    s.Start(60000);
    QTest::mouseClick(s.findChild<QWidget*>("lblProductName"), Qt::LeftButton);
    EXPECT_TRUE(s.Finished());
    s.WaitUntilClosed();  // returns at once once closed
  }
}

TEST(frmSplash, PlaysTheIntroOnlyWithSoundsFullyOn) {
  struct {
    const char* status;
    bool intro;
  } cases[] = {{"On", true}, {"Click", false}, {"Off", false}};
  for (const auto& c : cases) {
    TestContext t;
    t.pool.SoundStatus = c.status;
    frmSplash::Run(t.ctx, 10);
    EXPECT_EQ(t.waves.played, c.intro ? std::vector<std::string>{"intro"}
                                      : std::vector<std::string>{})
        << c.status;
    EXPECT_EQ(t.pool.SoundPlayed, 0) << "the start-up clears the count after the splash";
  }
}

std::vector<std::string> Items(QListWidget* list) {
  std::vector<std::string> out;
  for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
  return out;
}

TEST(frmStartup, ListsTheRecentFilesThenTheOtherChoices) {
  TestContext t;
  t.settings.SaveSetting("Settings", "MRU0", "/pools/Office.qbp");
  t.settings.SaveSetting("Settings", "MRU2", "/pools/Spring.qbp");  // a gap is skipped
  frmStartup dlg(t.ctx);
  auto* list = dlg.findChild<QListWidget*>("lstChoices");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"/pools/Office.qbp", "/pools/Spring.qbp",
                                                   "More Files...", "Start a new file",
                                                   "Download a new bracket file"}));
  EXPECT_EQ(list->currentRow(), 0);
}

TEST(frmStartup, HandsBackTheChoice) {
  struct {
    int row;
    StartupChoice::Kind kind;
    std::string path;
  } cases[] = {{0, StartupChoice::Kind::RecentFile, "/pools/Office.qbp"},
               {1, StartupChoice::Kind::MoreFiles, ""},
               {2, StartupChoice::Kind::NewFile, ""},
               {3, StartupChoice::Kind::DownloadBracket, ""}};
  for (const auto& c : cases) {
    TestContext t;
    t.settings.SaveSetting("Settings", "MRU0", "/pools/Office.qbp");
    frmStartup dlg(t.ctx);
    dlg.findChild<QListWidget*>("lstChoices")->setCurrentRow(c.row);
    dlg.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Choice().kind, c.kind) << c.row;
    EXPECT_EQ(dlg.Choice().path, c.path);
  }
}

TEST(frmStartup, CancelAndTheCloseBoxLeaveNoPoolToOpen) {
  TestContext t;
  test::OnNextModal<frmStartup>([](frmStartup* d) { d->findChild<QPushButton*>("cmdCancel")->click(); });
  EXPECT_EQ(frmStartup::Ask(t.ctx, nullptr).kind, StartupChoice::Kind::Cancelled);

  test::OnNextModal<frmStartup>([](frmStartup* d) { d->close(); });
  EXPECT_EQ(frmStartup::Ask(t.ctx, nullptr).kind, StartupChoice::Kind::Cancelled);

  // With no recent file the first choice is "More Files..."; a double click takes it.
  test::OnNextModal<frmStartup>([](frmStartup* d) {
    auto* list = d->findChild<QListWidget*>("lstChoices");
    emit list->itemActivated(list->item(0));
  });
  EXPECT_EQ(frmStartup::Ask(t.ctx, nullptr).kind, StartupChoice::Kind::MoreFiles);
}

TEST(frmStartup, HelpAsksTheMainWindowForItsTopic) {
  TestContext t;
  FakeMainWindow main;
  t.ctx.main = &main;
  frmStartup dlg(t.ctx);
  dlg.findChild<QPushButton*>("cmdHelp")->click();
  EXPECT_TRUE(main.Called("DisplayContextHelp frmStartup"));
}

TEST(frmErrors, ListsEveryMessageAndOkUsesTheFileWhileCancelAbandonsIt) {
  TestContext t;
  t.pool.LoadErrors = {"Team record 3 is not valid", "Entry 7 has a pick outside the bracket",
                       "Unknown record: %Junk  `"};
  t.pool.NumLoadErrors = 3;
  {
    frmErrors dlg(t.ctx);
    auto* list = dlg.findChild<QListWidget*>("lstErrors");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Items(list), t.pool.LoadErrors);
    dlg.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(t.pool.DialogCancelled);
  }
  {
    frmErrors dlg(t.ctx);
    dlg.findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_TRUE(t.pool.DialogCancelled);
  }
  t.pool.DialogCancelled = false;
  test::OnNextModal<frmErrors>([](frmErrors* d) { d->close(); });
  EXPECT_FALSE(frmErrors::ShowModal(t.ctx, nullptr));
  EXPECT_TRUE(t.pool.DialogCancelled) << "closing the list abandons the file";

  test::OnNextModal<frmErrors>([](frmErrors* d) {
    EXPECT_EQ(d->findChild<QListWidget*>("lstErrors")->count(), 1);
    d->findChild<QPushButton*>("cmdOK")->click();
  });
  EXPECT_TRUE(frmErrors::ShowModal(t.ctx, {"Bad record"}, nullptr));
}

TEST(frmAbout, NamesTheProductAndCloses) {
  TestContext t;
  frmAbout dlg(t.ctx);
  EXPECT_EQ(dlg.windowTitle(), "About Quorvel Brakkon");
  dlg.show();
  dlg.findChild<QPushButton*>("cmdOK")->click();
  EXPECT_FALSE(dlg.isVisible());
}

}  // namespace
}  // namespace qb
