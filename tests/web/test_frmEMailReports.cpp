// The pools first: their names must come before Qt's keywords.
#include "standings/logic/analysis_pools.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>
#include <sstream>

#include "reports/report_output.h"
#include "standings/frmDisplayRank.h"
#include "standings/frmListBettors.h"
#include "email_reports_support.h"
#include "support/fake_main_window.h"
#include "support/shots.h"
#include "support/upload_site.h"
#include "web/frmEMailReports.h"
#include "web/logic/email_report.h"
#include "web/logic/web_site.h"

namespace qb {
namespace {

using namespace qb::testing;
using test::ReadFile;
using test::WriteFile;
namespace fs = std::filesystem;

const char* const kAllReportBoxes[] = {"chkBettors",          "chkEntries",
                                       "chkCurrentStandings", "chkPoolWinners",
                                       "chkPossibilitiesByName", "chkPossibilitiesByScenario",
                                       "chkTeamAnalysis",     "chkRoundAnalysis"};

class EmailReportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s = Bracket(8);
    s.MainWidth = 12000;
    s.MainHeight = 9000;
    s.Pool.PoolName = "Office Pool";
    std::vector<int16_t> picks(7, 0);
    for (int g = 1; g <= 4; ++g) picks[g - 1] = static_cast<int16_t>(2 * g - 1);
    picks[4] = 1;
    picks[5] = 5;
    picks[6] = 1;
    AddEntry(s, "bob", 1, picks);
    AddEntry(s, "Al", 1, picks);
    Participant(s, "Cy");
    s.Bettors[1].EMail = "bob@example.org";
    s.Bettors[2].EMail = "Al@example.org";
    s.SoundStatus = "On";
    tc.ctx.main = &main;
    main.pool = &s;
    tc.ctx.dataFolder = data.path().string();
  }
  template <class W>
  W* OpenReport() {
    auto w = std::make_unique<W>(tc.ctx);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    W* raw = w.get();
    reports[w->windowName()] = std::move(w);
    return raw;
  }
  std::unique_ptr<frmEMailReports> Open(const char* mode) {
    return OpenEmailReports(tc.ctx, reports, mode);
  }
  template <class T = QCheckBox>
  static T* Find(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  std::string Report(const char* window, ReportKind kind, ReportMode mode,
                     const WebReportSettings& web = {}) {
    std::ostringstream out;
    EXPECT_TRUE(WriteWindowReport(tc.ctx, *reports.at(window), kind, mode, out, web));
    return out.str();
  }
  void UseSite(const test::UploadSite& site) {
    tc.settings.SaveSetting(kWebSettingsSection, kPathFileUrlKey, site.PathFileUrl());
    tc.settings.SaveSetting(kWebSettingsSection, kPathFileKeyKey, test::kSiteKey);
  }
  static void Save(QWidget* w, const char* name) {
    QApplication::processEvents();
    test::SaveShot(w->grab().toImage(), QString("frmEMailReports_%1").arg(name));
  }

  TestContext tc;
  PoolState& s = tc.pool;
  FakeMainWindow main;
  test::TempFolder data;
  ReportWindows reports;
  const std::string sep = ReportSeparatorText();
};

TEST_F(EmailReportsTest, WithNoReportWindowOpenTheFileHoldsOnlyTheAddresses) {
  auto w = Open("Email");
  EXPECT_EQ(w->windowTitle(), "Create E-Mail Report File");
  for (const char* name : kAllReportBoxes) {
    EXPECT_FALSE(Find(w.get(), name)->isEnabled()) << name;
    EXPECT_FALSE(Find(w.get(), name)->isChecked()) << name;
  }
  for (const char* f : {"fraDisplayRank", "fraPossibilities", "fraPoolAnalysis"})
    EXPECT_FALSE(Find<QGroupBox>(w.get(), f)->isEnabled()) << f;
  EXPECT_TRUE(Find(w.get(), "chkEmails")->isChecked());
  EXPECT_FALSE(Find<QLineEdit>(w.get(), "txtPoolName")->isVisible());
  const std::string file = data / kDefaultReportFileName;
  EXPECT_EQ(Find<QLineEdit>(w.get(), "txtFileName")->text().toStdString(), file);
  EXPECT_EQ(s.Pool.ReportFileName, file);
  EXPECT_FALSE(s.PoolChanged);
  Save(w.get(), "email_empty");

  WriteFile(file, "an older and much longer report file that is replaced, not appended to");
  w->cmdCreateReport_Click();
  EXPECT_EQ(ReadFile(file), "   Al@example.org, bob@example.org\r\n" + sep);
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(s.PoolChanged) << "the same name as before";
  EXPECT_EQ(tc.waves.played, (std::vector<std::string>{"type", "type"}));
}

TEST_F(EmailReportsTest, TheFileHoldsTheChosenReportsOfTheOpenWindowsInOrder) {
  OpenReport<frmDisplayRank>();
  OpenReport<frmListBettors>();
  auto w = Open("Email");
  for (const char* name : {"chkBettors", "chkEntries", "chkCurrentStandings"})
    EXPECT_TRUE(Find(w.get(), name)->isChecked()) << name;
  const bool winners = static_cast<frmDisplayRank*>(reports.at("frmDisplayRank").get())
                           ->PayoutsComputed();
  EXPECT_EQ(Find(w.get(), "chkPoolWinners")->isChecked(), winners);
  EXPECT_FALSE(Find(w.get(), "chkPossibilitiesByName")->isEnabled());
  Save(w.get(), "email");

  Find(w.get(), "chkEntries")->setChecked(false);
  Find(w.get(), "chkEmails")->setChecked(false);
  w->cmdCreateReport_Click();
  std::string expected =
      Report("frmListBettors", ReportKind::ParticipantListing, ReportMode::Email) + sep +
      Report("frmDisplayRank", ReportKind::CurrentRankings, ReportMode::Email) + sep;
  if (winners) expected += Report("frmDisplayRank", ReportKind::FinalWinnings, ReportMode::Email) + sep;
  EXPECT_EQ(ReadFile(s.Pool.ReportFileName), expected);
  EXPECT_NE(expected.find("Participant Listing"), std::string::npos);
}

TEST_F(EmailReportsTest, ARetryListsEveryAddressOnceAndANewNameIsKeptInThePool) {
  auto w = Open("Email");
  auto* name = Find<QLineEdit>(w.get(), "txtFileName");
  name->setText(QString::fromStdString(data / "no such folder/reports.txt"));
  w->cmdCreateReport_Click();
  ASSERT_TRUE(w->isVisible());
  EXPECT_TRUE(tc.prompts.AnyTextContains("cannot be written")) << tc.prompts.LastText();
  EXPECT_TRUE(Find<QPushButton>(w.get(), "cmdCreateReport")->isEnabled());

  const std::string chosen = data / "mine.txt";
  tc.files.Queue(chosen);
  w->cmdBrowse_Click();
  EXPECT_EQ(name->text().toStdString(), chosen);
  w->cmdCreateReport_Click();
  EXPECT_EQ(ReadFile(chosen), "   Al@example.org, bob@example.org\r\n" + sep);
  EXPECT_EQ(s.Pool.ReportFileName, chosen);
  EXPECT_TRUE(s.PoolChanged);
}

TEST_F(EmailReportsTest, TheOpenPoolFileIsNeverTheReportFile) {
  s.PoolFilePath = data / "office.qbp";
  WriteFile(s.PoolFilePath, "the pool");
  auto w = Open("Email");
  Find<QLineEdit>(w.get(), "txtFileName")->setText(QString::fromStdString(data / "./office.qbp"));
  w->cmdCreateReport_Click();
  EXPECT_EQ(tc.prompts.LastText(), kReportFileIsPoolText);
  EXPECT_EQ(ReadFile(s.PoolFilePath), "the pool");
  EXPECT_TRUE(w->isVisible());
  Find<QLineEdit>(w.get(), "txtFileName")->setText("  ");
  w->cmdCreateReport_Click();
  EXPECT_EQ(tc.prompts.LastText(), kNoReportFileText);
}

TEST_F(EmailReportsTest, WebModeFieldsAndThePoolNameBox) {
  s.Pool.WebPoolName = "  office pool ";
  tc.settings.SaveSetting("Options", "TimeOut", "45");
  auto w = Open("Web");
  EXPECT_EQ(w->windowTitle().toStdString(), std::string("Send Reports to ") + kDefaultWebHost);
  EXPECT_FALSE(Find(w.get(), "chkEmails")->isEnabled());
  EXPECT_FALSE(Find<QLineEdit>(w.get(), "txtFileName")->isVisible());
  EXPECT_EQ(Find<QLabel>(w.get(), "lblFileName")->text(), "Pool Name:");
  EXPECT_EQ(Find<QPushButton>(w.get(), "cmdCreateReport")->text(), "Send to Internet");
  EXPECT_EQ(Find<QLineEdit>(w.get(), "txtTimeout")->text(), "45");
  EXPECT_EQ(Find<QLineEdit>(w.get(), "txtRptFontSize")->text(), "9");
  auto* pool = Find<QLineEdit>(w.get(), "txtPoolName");
  EXPECT_EQ(pool->text(), "OFFICE POOL");
  Save(w.get(), "web");

  pool->clear();
  pool->setFocus();
  QTest::keyClicks(pool, "my/pool-1");
  EXPECT_EQ(pool->text(), "MYPOOL-1") << "the slash is dropped with a beep";
  EXPECT_EQ(tc.prompts.beeps, 1);
  // Leaving the box with a name that cannot be used says so and comes back.
  QApplication::setActiveWindow(w.get());
  pool->setFocus();
  pool->setText("A.B");
  Find(w.get(), "chkDontSend")->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(tc.prompts.LastText(), kInvalidPoolNameText);
  EXPECT_TRUE(pool->hasFocus());
  tc.prompts.asked.clear();
  pool->setText("a.b");
  w->cmdCreateReport_Click();
  EXPECT_EQ(tc.prompts.LastText(), kInvalidPoolNameText);
  EXPECT_EQ(pool->text(), "A.B");
  pool->setText("");
  w->cmdCreateReport_Click();
  EXPECT_EQ(tc.prompts.LastText(), kEnterPoolNameText);
  EXPECT_TRUE(w->Messages().empty());
}

TEST_F(EmailReportsTest, SendMakesTheOwnerKeyFirstAndUploadsTheReportPages) {
  test::UploadSite site;
  UseSite(site);
  OpenReport<frmListBettors>();
  auto w = Open("Web");
  Find(w.get(), "chkEntries")->setChecked(false);
  Find<QLineEdit>(w.get(), "txtPoolName")->setText("office");
  Find<QLineEdit>(w.get(), "txtRptFontSize")->setText("101");
  ASSERT_EQ(tc.settings.GetSetting(kWebSettingsSection, kOwnerKeySetting, ""), "");
  w->cmdCreateReport_Click();

  const std::string key = tc.settings.GetSetting(kWebSettingsSection, kOwnerKeySetting, "");
  ASSERT_TRUE(IsOwnerKey(key)) << key;
  const std::string html =
      Report("frmListBettors", ReportKind::ParticipantListing, ReportMode::Web, {9, "", "", 500});
  EXPECT_EQ(ReadFile(site.Remote("qbreports/" + key + "-Participants.htm")), html) << w->Messages();
  EXPECT_EQ(ReadFile(site.Remote("qbrptnames/OFFICE.txt")), key + " - OFFICE\r\n");
  EXPECT_FALSE(fs::exists(site.Remote("qbreports/" + key + "-Entries.htm")));
  EXPECT_EQ(s.Pool.WebPoolName, "OFFICE");
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(tc.settings.GetSetting("Options", "TimeOut", ""), "120");
  EXPECT_EQ(tc.settings.GetSetting("Options", "WebRptFontSize", ""), "101");
  EXPECT_EQ(tc.waves.played, std::vector<std::string>{"xylo_up"});
  EXPECT_FALSE(w->isVisible());
}

TEST_F(EmailReportsTest, UnsavedChangesAreSavedFirstOrTheSendStops) {
  s.PoolChanged = true;
  auto w = Open("Web");
  Find(w.get(), "chkDontSend")->setChecked(true);
  Find<QLineEdit>(w.get(), "txtPoolName")->setText("OFFICE");
  tc.prompts.Queue(MsgAnswer::Cancel);
  w->cmdCreateReport_Click();
  EXPECT_EQ(tc.prompts.LastText(), kSaveBeforeUploadText);
  EXPECT_FALSE(main.Called("SaveOpenPool"));
  // A pool that could not be saved (no name chosen for it, say) sends nothing.
  main.saveSucceeds = false;
  tc.prompts.Queue(MsgAnswer::Yes);
  w->cmdCreateReport_Click();
  EXPECT_TRUE(main.Called("SaveOpenPool"));
  EXPECT_TRUE(w->isVisible());
  main.saveSucceeds = true;
  tc.prompts.Queue(MsgAnswer::Yes);
  w->cmdCreateReport_Click();
  EXPECT_FALSE(w->isVisible()) << "saved, then the pages were written";
  // Nothing was sent: the user is told where the pages are.
  const std::string folder = tc.ctx.dataFolder;
  EXPECT_EQ(tc.prompts.LastText(), "The HTML reports were created in the folder:\n" + folder);
}

TEST_F(EmailReportsTest, CancelDuringASendEndsItAsCancelledAndKeepsTheWindow) {
  test::SilentListener silent;
  test::UploadSite site(silent.Host());
  UseSite(site);
  OpenReport<frmListBettors>();
  auto w = Open("Web");
  Find<QLineEdit>(w.get(), "txtPoolName")->setText("OFFICE");
  auto* send = Find<QPushButton>(w.get(), "cmdCreateReport");
  bool sendWasOff = false;
  QTimer::singleShot(400, w.get(), [&] {
    sendWasOff = !send->isEnabled();
    w->cmdCreateReport_Click();  // a second click while it runs does nothing
    QTest::mouseClick(Find<QPushButton>(w.get(), "cmdCancel"), Qt::LeftButton);
  });
  w->cmdCreateReport_Click();
  EXPECT_TRUE(sendWasOff);
  EXPECT_FALSE(w->Sending());
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(send->isEnabled());
  EXPECT_NE(w->Messages().find("Testing connection - Cancelled."), std::string::npos)
      << w->Messages();
  EXPECT_EQ(std::count(tc.waves.played.begin(), tc.waves.played.end(), "xylo_up"), 0);
  EXPECT_TRUE(tc.prompts.asked.empty());
  // With nothing running, Cancel closes.
  w->cmdCancel_Click();
  EXPECT_FALSE(w->isVisible());
}

TEST_F(EmailReportsTest, ClosingTheWindowDuringASendCancelsTheTransfer) {
  test::SilentListener silent;
  test::UploadSite site(silent.Host());
  UseSite(site);
  auto w = Open("Web");
  Find<QLineEdit>(w.get(), "txtPoolName")->setText("OFFICE");
  QTimer::singleShot(400, w.get(), [&] { w->close(); });
  const auto start = std::chrono::steady_clock::now();
  w->cmdCreateReport_Click();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(w->Sending());
  EXPECT_TRUE(tc.prompts.asked.empty());
}

TEST_F(EmailReportsTest, TheWholeSendTimesOut) {
  test::SilentListener silent;
  test::UploadSite site(silent.Host());
  UseSite(site);
  auto w = Open("Web");
  Find<QLineEdit>(w.get(), "txtPoolName")->setText("OFFICE");
  Find<QLineEdit>(w.get(), "txtTimeout")->setText("1");
  w->cmdCreateReport_Click();
  EXPECT_EQ(tc.prompts.LastText(), kTimedOutText);
  EXPECT_EQ(tc.settings.GetSetting("Options", "TimeOut", ""), "15");
  EXPECT_FALSE(Find<QPushButton>(w.get(), "cmdCreateReport")->isEnabled());
  EXPECT_TRUE(w->isVisible());
}

TEST_F(EmailReportsTest, ANameOfAnotherOwnerIsRefusedAndSendComesBack) {
  test::UploadSite site;
  UseSite(site);
  WriteFile(site.Remote("qbrptnames/OFFICE.txt"), "zyxwvutsrqpon - OFFICE\r\n");
  OpenReport<frmListBettors>();
  auto w = Open("Web");
  Find<QLineEdit>(w.get(), "txtPoolName")->setText("OFFICE");
  w->cmdCreateReport_Click();
  EXPECT_EQ(tc.prompts.LastText(), kPoolNameTakenText);
  EXPECT_TRUE(Find<QPushButton>(w.get(), "cmdCreateReport")->isEnabled());
  for (const auto& [path, bytes] : site.RemoteFiles())
    EXPECT_EQ(path.find("qbreports/"), std::string::npos) << path;
  Save(w.get(), "web_refused");
}


TEST_F(EmailReportsTest, PoolNamesWithBlanksAndReSendsGoUpAndTheBoxesAreKept) {
  test::UploadSite site;
  UseSite(site);
  OpenReport<frmListBettors>();
  struct Case {
    const char* name;
    const char* timeout;
    const char* font;
    const char* storedTimeout;
  } cases[] = {{"my pool", "0", "1", "120"},
               {"my pool", "", "101", "120"},  // a re-send under our own name
               {"  Office-2 ", "5", "x", "15"},
               {"o", "1000", "12", "600"}};
  std::string key;
  for (const Case& c : cases) {
    tc.prompts.Queue(MsgAnswer::No);  // the pool name changed: no save wanted
    auto w = Open("Web");
    Find<QLineEdit>(w.get(), "txtPoolName")->setText(c.name);
    Find<QLineEdit>(w.get(), "txtTimeout")->setText(c.timeout);
    Find<QLineEdit>(w.get(), "txtRptFontSize")->setText(c.font);
    w->cmdCreateReport_Click();
    EXPECT_FALSE(w->isVisible()) << c.name << w->Messages();
    key = tc.settings.GetSetting(kWebSettingsSection, kOwnerKeySetting, "");
    EXPECT_EQ(tc.settings.GetSetting("Options", "TimeOut", ""), c.storedTimeout) << c.timeout;
    EXPECT_EQ(tc.settings.GetSetting("Options", "WebRptFontSize", ""), c.font);
  }
  EXPECT_EQ(ReadFile(site.Remote("qbrptnames/MY POOL.txt")), key + " - MY POOL\r\n");
  EXPECT_EQ(ReadFile(site.Remote("qbrptnames/OFFICE-2.txt")), key + " - OFFICE-2\r\n");
  EXPECT_EQ(ReadFile(site.Remote("qbrpthash/" + key + ".txt")), key + " - O\r\n");
  EXPECT_EQ(s.Pool.WebPoolName, "O");
}

TEST_F(EmailReportsTest, AReportFileThatCannotBeWrittenIsReportedAndTheWindowStays) {
  WriteFile(data / "plain", "a file, not a folder");
  for (const std::string& file : {data / "no/such/folder/r.txt", data / "plain/r.txt"}) {
    tc.prompts.asked.clear();
    auto w = Open("Email");
    Find<QLineEdit>(w.get(), "txtFileName")->setText(QString::fromStdString(file));
    w->cmdCreateReport_Click();
    ASSERT_EQ(tc.prompts.asked.size(), 1u) << file;
    EXPECT_EQ(tc.prompts.LastText().rfind("The system has detected an unexpected error.", 0), 0u);
    EXPECT_NE(tc.prompts.LastText().find(file), std::string::npos) << tc.prompts.LastText();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(Find<QPushButton>(w.get(), "cmdCreateReport")->isEnabled());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_NE(s.Pool.ReportFileName, file);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy pointer is gone";
  }
}

TEST_F(EmailReportsTest, ASendCancelledHalfwayCanBeSentAgain) {
  test::UploadSite site;
  UseSite(site);
  OpenReport<frmListBettors>();
  auto w = Open("Web");
  Find<QLineEdit>(w.get(), "txtPoolName")->setText("OFFICE");
  // The server stops answering once the pool name file is being stored.
  QTimer watch;
  bool paused = false;
  QObject::connect(&watch, &QTimer::timeout, w.get(), [&] {
    if (!paused && w->Messages().find("Storing Key File - Response completed.") != std::string::npos) {
      paused = true;
      site.ftp.process->Pause();
      QTimer::singleShot(300, w.get(), [&] { w->cmdCancel_Click(); });
    }
  });
  watch.start(1);
  w->cmdCreateReport_Click();
  watch.stop();
  site.ftp.process->Resume();
  ASSERT_TRUE(paused) << w->Messages();
  EXPECT_TRUE(w->isVisible());
  EXPECT_NE(w->Messages().find(" - Cancelled."), std::string::npos) << w->Messages();
  const std::string key = tc.settings.GetSetting(kWebSettingsSection, kOwnerKeySetting, "");
  EXPECT_FALSE(fs::exists(site.Remote("qbreports/" + key + "-Participants.htm")));
  // Sent again, it goes through.
  tc.prompts.Queue(MsgAnswer::No);
  w->cmdCreateReport_Click();
  EXPECT_FALSE(w->isVisible()) << w->Messages();
  EXPECT_TRUE(fs::exists(site.Remote("qbreports/" + key + "-Participants.htm")));
  EXPECT_EQ(ReadFile(site.Remote("qbrptnames/OFFICE.txt")), key + " - OFFICE\r\n");
}

TEST_F(EmailReportsTest, CancelOrCloseWhileThePathFileIsFetchedStopsAtOnce) {
  for (bool close : {false, true}) {
    s.PoolChanged = false;
    tc.prompts.asked.clear();
    test::UploadSite site;
    UseSite(site);
    site.http.process->Pause();
    auto w = Open("Web");
    Find<QLineEdit>(w.get(), "txtPoolName")->setText("OFFICE");
    QTimer::singleShot(300, w.get(), [&] {
      if (close)
        w->close();
      else
        w->cmdCancel_Click();
    });
    const auto start = std::chrono::steady_clock::now();
    w->cmdCreateReport_Click();
    site.http.process->Resume();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(w->isVisible(), !close);
    EXPECT_TRUE(tc.prompts.asked.empty()) << tc.prompts.LastText();
    if (!close)
      EXPECT_NE(w->Messages().find("Finding Path - Cancelled."), std::string::npos) << w->Messages();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    if (!close) EXPECT_TRUE(Find<QPushButton>(w.get(), "cmdCreateReport")->isEnabled());
  }
}

}  // namespace
}  // namespace qb
