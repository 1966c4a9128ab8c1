// The download commands of the main window with the real download window.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "shell/startup.h"
#include "shell_fixture.h"
#include "support/local_servers.h"
#include "support/modal_answer.h"
#include "web/frmDownload.h"
#include "web/frmEMailReports.h"
#include "web/logic/email_report.h"

namespace qb {
namespace {

class WebCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    t.pool.SoundStatus = "Off";
    t.ctx.dataFolder = data.path().toStdString();
    t.pool.DownloadPath = data.filePath("QBDownload.qbp").toStdString();
    QFile::copy(QString(QB_FIXTURES) + "/pool_5_teams.qbp", site.filePath("office.qbp"));
    web = test::StartHttpServer(site.path().toStdString());
    QFile list(data.filePath("QBDownloads.txt"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(("\"Quorvel Brakkon Internet Downloads\"\r\n\"Office Bracket\",\"" +
                web.Address("/office.qbp") + "\"\r\n")
                   .c_str());
  }
  // Picks the one file and downloads it once the download window is up.
  void DownloadWhenAsked() {
    test::OnNextModal<frmDownload>([this](frmDownload* d) {
      asked = d->windowTitle().toStdString();
      auto* types = d->findChild<QComboBox*>("comFileType");
      types->setCurrentIndex(types->findText("Office Bracket"));
      d->findChild<QPushButton*>("cmdDownload")->click();
      if (d->isVisible()) d->findChild<QPushButton*>("cmdCancel")->click();
    });
  }

  QTemporaryDir data, site;
  TestContext t;
  test::LocalServer web;
  std::string asked;
};

TEST_F(WebCommands, TheStartupChoiceDownloadsABracketAndOpensItUntitled) {
  frmMain main(t.ctx, StandardWindows());
  main.MDIForm_Load();
  main.show();
  EXPECT_TRUE(main.MenuItem("mnuToolsDownloadBracket")->isEnabled());
  DownloadWhenAsked();
  RunStartupChoice(main, StartupChoice{StartupChoice::Kind::DownloadBracket, {}});
  EXPECT_EQ(asked, "Download Brackets from quorvelbrakkon.example");
  ASSERT_TRUE(main.PoolOpen()) << (t.prompts.asked.empty() ? "" : t.prompts.LastText());
  EXPECT_EQ(t.prompts.LastText(), "Download Completed.");
  EXPECT_EQ(t.pool.Teams[1].Name, "Gators");
  EXPECT_TRUE(t.pool.PoolFilePath.empty()) << "saving asks for a name";
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_EQ(t.pool.Pool.DownloadSource, "Office Bracket");
  EXPECT_TRUE(t.pool.DownloadType.empty());
  EXPECT_EQ(main.Recent().at(0), "") << "the downloaded file stays out of the recent files";
  EXPECT_FALSE(main.MenuItem("mnuToolsDownloadBracket")->isEnabled());
  EXPECT_TRUE(main.MenuItem("mnuToolsDownloadResults")->isEnabled());
}

TEST_F(WebCommands, ResultsAreRefusedWhileTheResultsWindowIsOpen) {
  frmMain main(t.ctx, StandardWindows());
  main.MDIForm_Load();
  main.show();
  main.InitialOpen(std::string(QB_FIXTURES) + "/pool_5_teams.qbp");
  ASSERT_TRUE(main.PoolOpen());
  main.RunCommand("mnuEditResults");
  ASSERT_EQ(main.ActiveWindowName(), "frmEnterResults");
  bool shown = false;
  test::OnNextModal<frmDownload>([&](frmDownload* d) {
    shown = true;
    d->cmdCancel_Click();
  });
  main.RunCommand("mnuToolsDownloadResults");
  EXPECT_EQ(t.prompts.LastText(),
            "Please close the Enter Results window before downloading results.");
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_TRUE(t.pool.DownloadType.empty());

  main.RunCommand("mnuEditCancel");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  ASSERT_EQ(main.ActiveChild(), nullptr);
  main.RunCommand("mnuToolsDownloadResults");
  EXPECT_TRUE(shown);
}

TEST_F(WebCommands, TheEmailCommandOffersTheReportsOfTheOpenWindows) {
  frmMain main(t.ctx, StandardWindows());
  main.MDIForm_Load();
  main.show();
  main.InitialOpen(std::string(QB_FIXTURES) + "/pool_5_teams.qbp");
  ASSERT_TRUE(main.PoolOpen());
  main.RunCommand("mnuReportsDisplayRankings");
  ASSERT_EQ(main.ActiveWindowName(), "frmDisplayRank");
  const std::string file = data.filePath("reports.txt").toStdString();
  bool standings = false, listing = true;
  test::OnNextModal<frmEMailReports>([&](frmEMailReports* d) {
    standings = d->findChild<QCheckBox*>("chkCurrentStandings")->isChecked();
    listing = d->findChild<QCheckBox*>("chkBettors")->isEnabled();
    d->findChild<QLineEdit*>("txtFileName")->setText(QString::fromStdString(file));
    d->cmdCreateReport_Click();
    if (d->isVisible()) d->cmdCancel_Click();
  });
  main.RunCommand("mnuReportsEmail");
  EXPECT_EQ(t.pool.OutputMode, "Email");
  EXPECT_TRUE(standings);
  EXPECT_FALSE(listing) << "the listing window is not open";
  QFile written(QString::fromStdString(file));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const std::string text = written.readAll().toStdString();
  EXPECT_NE(text.find("Current Rankings"), std::string::npos);
  EXPECT_TRUE(text.ends_with(ReportSeparatorText()));
  EXPECT_EQ(t.pool.Pool.ReportFileName, file);
}

TEST_F(WebCommands, SavingFirstAsksForANameWhenThePoolHasNone) {
  frmMain main(t.ctx, StandardWindows());
  main.MDIForm_Load();
  main.show();
  main.InitialOpen(std::string(QB_FIXTURES) + "/pool_5_teams.qbp");
  ASSERT_TRUE(main.PoolOpen());
  t.pool.PoolFilePath.clear();
  t.pool.PoolChanged = true;
  t.prompts.Queue(MsgAnswer::Yes);
  t.files.Queue(std::nullopt);  // the user gives no name
  std::string messages = "not run";
  test::OnNextModal<frmEMailReports>([&](frmEMailReports* d) {
    d->findChild<QLineEdit*>("txtPoolName")->setText("OFFICE");
    d->cmdCreateReport_Click();
    messages = d->Messages();
    d->cmdCancel_Click();
  });
  main.RunCommand("mnuReportsInternet");
  EXPECT_EQ(t.prompts.asked.at(0).text, kSaveBeforeUploadText);
  ASSERT_EQ(t.files.titles.size(), 1u);
  EXPECT_EQ(t.files.titles[0], "Save As");
  EXPECT_EQ(messages, "") << "nothing is sent for a pool that was not saved";
  EXPECT_TRUE(t.pool.PoolChanged);
}

}  // namespace
}  // namespace qb
