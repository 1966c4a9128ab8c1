#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "core/bracket.h"
#include "shell/main_window_placement.h"
#include "shell_fixture.h"
#include "support/shots.h"
#include "web/logic/web_site.h"

namespace qb {
namespace {

std::vector<std::string> MenuTexts(QMenu* menu) {
  std::vector<std::string> out;
  for (QAction* a : menu->actions())
    out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  return out;
}

QMenu* Menu(frmMain& m, const char* name) {
  return m.findChild<QMenu*>(name);
}

TEST_F(ShellTest, MenusAndTipsNameTheSiteTheSettingsGive) {
  t.settings.SaveSetting("Web", "Host", "pool.example.org");
  MakeMain();
  auto texts = [](QMenu* m) {
    std::string all;
    for (QAction* a : m->actions()) all += a->text().toStdString() + "\n";
    return all;
  };
  EXPECT_NE(texts(Menu(*main, "mnuTools")).find("Download Bracket from pool.example.org\n"),
            std::string::npos);
  EXPECT_NE(texts(Menu(*main, "mnuTools")).find("Download Results from pool.example.org\n"),
            std::string::npos);
  EXPECT_NE(texts(Menu(*main, "mnuReports")).find("&Send Reports to pool.example.org\n"),
            std::string::npos);
  EXPECT_EQ(texts(Menu(*main, "mnuReports")).find(kDefaultWebHost), std::string::npos);
  EXPECT_EQ(main->ToolbarButton("UploadRpts")->toolTip(), "Send displayed reports to pool.example.org");
  EXPECT_EQ(main->ToolbarButton("InetDownload")->toolTip(),
            "Download bracket file from pool.example.org");
}

TEST_F(ShellTest, MenusInOrder) {
  MakeMain();
  using V = std::vector<std::string>;
  EXPECT_EQ(MenuTexts(Menu(*main, "mnuFile")),
            (V{"&New", "&Open", "&Close", "-", "&Save", "Save &As...", "&Backup to Diskette", "-",
               "Page Set&up...", "&Print...", "Print to Comma-Delimited &File", "-", "-", "", "",
               "", "", "-", "E&xit"}));
  EXPECT_EQ(MenuTexts(Menu(*main, "mnuEdit")),
            (V{"&Save and Exit (OK)", "&Exit w/out Saving (Cancel)", "-", "&Pool Parameters",
               "Bracket &Setup", "-", "Input/Edit &Participant Info", "&Input/Edit Entry", "-",
               "&Enter Results", "-", "Options"}));
  EXPECT_EQ(MenuTexts(Menu(*main, "mnuView")),
            (V{"&Top Toolbar", "Status &Bar", "&Bottom Toolbar", "&Show Entry Scoring Summary"}));
  std::string site = kDefaultWebHost;
  EXPECT_EQ(MenuTexts(Menu(*main, "mnuReports")),
            (V{"Display Participant and Entry &Info", "Display Pool &Analysis", "Display &Rankings",
               "Display &Possible Results", "-", "&Create Reports for Emailing to Participants",
               "&Send Reports to " + site}));
  EXPECT_EQ(MenuTexts(Menu(*main, "mnuTools")),
            (V{"&Bring in Entries from another File", "Bring in &Participants from another File",
               "&Create Pool File without Entries", "-", "Download Bracket from " + site,
               "Download Results from " + site}));
  EXPECT_EQ(MenuTexts(Menu(*main, "mnuWindow")), (V{"&Cascade", "&Arrange Icons"}));
  EXPECT_EQ(
      MenuTexts(Menu(*main, "mnuHelp")),
      (V{"&Overview", "&Window Help", "&Search For Help On...", "-", "&About Quorvel Brakkon"}));
  EXPECT_EQ(MenuTexts(main->EntryPopupMenu()),
            (V{"OK - Save and Exit", "CANCEL - Exit without Saving", "-", "Edit Entry Info",
               "Fill with Higher Seeds", "Show Pool Parameters", "Print", "Clear All Picks",
               "Copy Picks from another Entry"}));
  // the pop-up is not on the menu bar
  for (QAction* a : main->menuBar()->actions()) EXPECT_NE(a->text(), "Entry PopUp");
}

TEST_F(ShellTest, ToolbarsAndStatusBar) {
  MakeMain();
  auto* top = main->findChild<QToolBar*>("tbToolBar");
  ASSERT_NE(top, nullptr);
  std::vector<std::string> keys;
  int separators = 0;
  for (QAction* a : top->actions()) {
    if (a->isSeparator())
      ++separators;
    else
      keys.push_back(a->data().toString().toStdString());
  }
  EXPECT_EQ(keys,
            (std::vector<std::string>{
                "MRU",         "New",           "Open",        "Save",          "Print",
                "Parms",       "SetupBrackets", "EditBettor",  "EditEntry",     "EnterResults",
                "ListBettors", "PoolAnalysis",  "DisplayRank", "Possibilities", "CreateEmails",
                "UploadRpts",  "InetDownload",  "AcceptEntry", "ImportBettors", "Help"}));
  EXPECT_EQ(separators, 5);
  EXPECT_EQ(main->ToolbarButton("MRU")->toolTip(), "Open Most Recently Used File");
  EXPECT_EQ(main->ToolbarButton("InetDownload")->toolTip().toStdString(),
            std::string("Download bracket file from ") + kDefaultWebHost);
  EXPECT_FALSE(main->ToolbarButton("Parms")->icon().isNull());
  // bottom toolbar: six buttons, hidden at load
  EXPECT_FALSE(main->BottomToolbar()->isVisibleTo(main.get()));
  EXPECT_TRUE(t.pool.ShowBottomToolbar);
  EXPECT_EQ(main->BottomButton("cmdQBFill")->text(), "Fill with Higher Seeds");
  EXPECT_EQ(main->BottomButton("cmdQBOK")->width(), 81);
  EXPECT_NE(main->findChild<QStatusBar*>("sbStatusBar"), nullptr);
}

TEST_F(ShellTest, CaptionFollowsThePool) {
  MakeMain();
  EXPECT_EQ(main->windowTitle(), "Quorvel Brakkon - No file open");
  t.pool.Pool.PoolName = "Office";
  t.pool.Pool.PoolId = 57;
  main->RefreshCaption();
  EXPECT_EQ(main->windowTitle(), "Quorvel Brakkon - Office   (File ID = 57)");
}

TEST_F(ShellTest, PlacementRestoredWithLimitsAndSavedOnClose) {
  t.settings.SaveSetting("Settings", "MainLeft", "0");
  t.settings.SaveSetting("Settings", "MainTop", "500");
  t.settings.SaveSetting("Settings", "MainWidth", "9000");
  t.settings.SaveSetting("Settings", "MainHeight", "3000");
  MakeMain();
  EXPECT_EQ(main->pos(), QPoint(67, 67));
  EXPECT_EQ(main->size(), QSize(600, 5000 / 15));
  EXPECT_EQ(t.pool.MainLeft, 67 * 15);
  EXPECT_EQ(t.pool.MainWidth, 600 * 15);
  main->show();
  main->resize(700, 500);
  EXPECT_EQ(t.pool.MainWidth, 700 * 15);
  EXPECT_TRUE(main->close());
  EXPECT_EQ(t.settings.GetSetting("Settings", "MainWidth", ""), "10500");
  EXPECT_EQ(t.settings.GetSetting("Settings", "MainHeight", ""), "7500");
  EXPECT_EQ(t.settings.GetSetting("Settings", "MainLeft", ""), "1005");
}

TEST_F(ShellTest, APlaceOffEveryScreenGoesBackToTheDefault) {
  t.settings.SaveSetting("Settings", "MainLeft", "900000");
  t.settings.SaveSetting("Settings", "MainTop", "900000");
  t.settings.SaveSetting("Settings", "MainWidth", "7500");
  t.settings.SaveSetting("Settings", "MainHeight", "5000");
  MakeMain();
  EXPECT_EQ(main->pos(), QPoint(67, 67));
}

TEST_F(ShellTest, FirstStartWithoutSettings) {
  MakeMain();
  // Large enough for the largest child window, within the screen.
  const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize child = LargestChildWindowSize();
  EXPECT_GE(main->width(), std::min(child.width(), room.width()));
  EXPECT_TRUE(room.contains(main->frameGeometry())) << main->frameGeometry().x();
  EXPECT_GE(main->height(), std::min(child.height(), room.height() - 40));
  EXPECT_GE(main->width(), std::min(main->findChild<QToolBar*>("tbToolBar")->sizeHint().width(),
                                    room.width()));
  for (int i = 0; i < 4; ++i)
    EXPECT_FALSE(main->MenuItem("mnuFileMRU" + std::to_string(i))->isVisible());
}

TEST_F(ShellTest, APlaceHangingOffTheScreenIsBroughtBackOntoIt) {
  const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
  // Stored at the screen's corner at full size.
  t.settings.SaveSetting("Settings", "MainLeft", std::to_string((room.right() - 40) * 15));
  t.settings.SaveSetting("Settings", "MainTop", std::to_string((room.bottom() - 30) * 15));
  t.settings.SaveSetting("Settings", "MainWidth", std::to_string(room.width() * 15));
  t.settings.SaveSetting("Settings", "MainHeight", std::to_string(room.height() * 15));
  MakeMain();
  main->show();
  EXPECT_TRUE(room.contains(main->frameGeometry()));
  QStatusBar* bar = main->statusBar();
  EXPECT_TRUE(room.contains(bar->mapToGlobal(QPoint(bar->width() - 1, bar->height() - 1))));
}

TEST_F(ShellTest, ClosingMaximisedKeepsTheStoredPlacement) {
  t.settings.SaveSetting("Settings", "MainWidth", "9000");
  MakeMain();
  main->showMaximized();
  EXPECT_TRUE(main->close());
  EXPECT_EQ(t.settings.GetSetting("Settings", "MainWidth", ""), "9000");
  EXPECT_EQ(t.settings.GetSetting("Settings", "MainLeft", "absent"), "absent");
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"shutdown"}));
}

TEST_F(ShellTest, ExitCancelledKeepsThePoolAndPlaysStart) {
  MakeMain();
  OpenCompletePool();
  t.pool.PoolChanged = true;
  t.prompts.Queue(MsgAnswer::Cancel);
  main->show();
  main->RunCommand("mnuFileExit");
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(t.pool.Pool.PoolName, "Office");
  EXPECT_TRUE(main->PoolOpen());
  EXPECT_EQ(t.prompts.LastText(), "Do you wish to save the changes to file:\n\rOffice");
  EXPECT_EQ(t.prompts.asked.back().buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"start"}));
  // No: the pool goes and the program ends with "shutdown"
  t.waves.played.clear();
  t.prompts.Queue(MsgAnswer::No);
  main->RunCommand("mnuFileExit");
  EXPECT_FALSE(main->isVisible());
  EXPECT_EQ(t.pool.Pool.PoolName, "");
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"start", "shutdown"}));
}

TEST_F(ShellTest, EnablingByPoolStateAndWindowsThatExist) {
  MakeMain();
  // no pool
  for (const char* item : {"mnuFileClose", "mnuFileSave", "mnuEditParms", "mnuFilePrint",
                           "mnuWindowCascade", "mnuToolsDownloadResults"})
    EXPECT_FALSE(Enabled(item)) << item;
  for (const char* item : {"mnuFileNew", "mnuFileOpen", "mnuFileExit", "mnuViewToolbar",
                           "mnuToolsDownloadBracket", "mnuHelpContents"})
    EXPECT_TRUE(Enabled(item)) << item;
  EXPECT_FALSE(ButtonEnabled("Save"));
  EXPECT_TRUE(ButtonEnabled("New"));
  // a new pool: only the parameters
  main->EnableFileCommands();
  EXPECT_TRUE(Enabled("mnuEditParms"));
  EXPECT_TRUE(Enabled("mnuFileSave"));
  EXPECT_FALSE(Enabled("mnuEditSetup"));
  EXPECT_FALSE(Enabled("mnuReportsDisplayRankings"));
  EXPECT_FALSE(Enabled("mnuToolsDownloadBracket"));
  EXPECT_EQ(main->ToolbarButton("InetDownload")->toolTip().toStdString(),
            std::string("Download results from ") + kDefaultWebHost);
  // a complete bracket
  OpenCompletePool();
  EXPECT_TRUE(Enabled("mnuEditSetup"));
  EXPECT_TRUE(Enabled("mnuEditResults"));
  EXPECT_TRUE(Enabled("mnuReportsDisplayRankings"));
  EXPECT_TRUE(ButtonEnabled("DisplayRank"));
  // windows not part of the program stay disabled whatever the state
  for (const char* item :
       {"mnuEditBettors", "mnuEditOptions", "mnuReportsEmail", "mnuFilePageSetup", "mnuFileBackup",
        "mnuHelpAbout", "mnuToolsImportBettors", "mnuFilePrintToFile"})
    EXPECT_FALSE(Enabled(item)) << item;
  EXPECT_FALSE(ButtonEnabled("EditBettor"));
  EXPECT_FALSE(ButtonEnabled("CreateEmails"));
  // print follows the active window: none open
  EXPECT_FALSE(Enabled("mnuFilePrint"));
  EXPECT_FALSE(ButtonEnabled("Print"));
  Open("frmDisplayRank");
  EXPECT_TRUE(Enabled("mnuFilePrint"));
  EXPECT_TRUE(ButtonEnabled("Print"));
  Open("frmSetup");
  EXPECT_TRUE(Enabled("mnuFilePrint"));
  EXPECT_FALSE(Enabled("mnuFilePrintToFile"));
  // closing the pool disables all again
  t.prompts.Queue(MsgAnswer::OK);
  main->RunCommand("mnuFileClose");
  EXPECT_FALSE(Enabled("mnuFilePrint"));
  EXPECT_FALSE(Enabled("mnuEditResults"));
  EXPECT_TRUE(Enabled("mnuToolsDownloadBracket"));
}

TEST_F(ShellTest, CheckBracketCompleteGuardsTheCommands) {
  MakeMain();
  main->EnableFileCommands();
  // no team count
  EXPECT_TRUE(main->CheckBracketComplete());
  EXPECT_EQ(t.prompts.LastText(),
            "Number of Teams/Players must be set. \r\nPlease set this parameter using 'Jackpot "
            "Parameters'");
  EXPECT_EQ(t.prompts.beeps, 1);
  // Enter Results refused with a gap in the teams
  OpenCompletePool();
  t.pool.Teams[3].Name.clear();
  main->RunCommand("mnuEditResults");
  EXPECT_EQ(main->ActiveChild(), nullptr);
  EXPECT_EQ(t.prompts.LastText(),
            "All of the teams have not been entered.\r\nPlease complete using 'Bracket Setup'");
  t.pool.Teams[3].Name = "Team 3";
  EXPECT_FALSE(main->CheckBracketComplete());
  main->RunCommand("mnuEditResults");
  ASSERT_NE(main->ActiveChild(), nullptr);
  EXPECT_EQ(main->ActiveWindowName(), "frmEnterResults");
}

TEST_F(ShellTest, ForwardingWithNoChildRefreshesTheCaptionOnly) {
  MakeMain();
  OpenCompletePool();
  for (const char* c : {"cmdQBOK", "cmdQBCancel", "cmdQBFill", "mnuEditOK", "mnuEntryPopUpClear"})
    main->RunCommand(c);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(main->windowTitle(), "Quorvel Brakkon - Office   (File ID = 57)");
}

TEST_F(ShellTest, ForwardingGoesToTheActiveWindowByName) {
  MakeMain();
  OpenCompletePool();
  Open("frmSetup");
  Open("frmEditEntry");
  log.clear();
  main->RunCommand("cmdQBOK");
  main->RunCommand("cmdQBShowParms");
  main->RunCommand("mnuEntryPopUpCopyEntry");
  main->RunCommand("cmdQBPrintPreview");
  main->RunCommand("mnuEntryPopUpPrint");
  EXPECT_EQ(log,
            (std::vector<std::string>{"frmEditEntry.cmdOK_Click", "frmEditEntry.cmdShowParms_Click",
                                      "frmEditEntry.CopyEntry", "frmEditEntry.PrintPreview",
                                      "frmEditEntry.PrintPreview"}));
  EXPECT_EQ(t.pool.OutputMode, "Print");
  // the pop-up's editor items do nothing while another window is active
  Open("frmSetup");
  log.clear();
  for (const char* c : {"mnuEntryPopUpFill", "mnuEntryPopUpClear", "mnuEntryPopUpEntryInfo",
                        "mnuEntryPopUpShowParms", "mnuEntryPopUpCopyEntry", "cmdQBFill"})
    main->RunCommand(c);
  EXPECT_TRUE(log.empty());
  // the print preview: Print Preview prints, Fill fills
  Open("frmPrintForm");
  log.clear();
  main->RunCommand("cmdQBPrintPreview");
  main->RunCommand("mnuEntryPopUpFill");
  main->RunCommand("mnuEditOK");
  main->RunCommand("mnuEntryPopUpCancel");
  EXPECT_EQ(log,
            (std::vector<std::string>{"frmPrintForm.cmdPrint_Click", "frmPrintForm.cmdFill_Click",
                                      "frmPrintForm.cmdCancel_Click"}));
}

TEST_F(ShellTest, EditOkClosesAReportWindowTheBottomOkDoesNot) {
  MakeMain();
  OpenCompletePool();
  Open("frmDisplayRank");
  main->RunCommand("cmdQBOK");
  EXPECT_EQ(main->ActiveWindowName(), "frmDisplayRank");
  main->RunCommand("mnuEditOK");
  QApplication::processEvents();
  EXPECT_EQ(main->ActiveChild(), nullptr);
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_TRUE(log.empty());  // closed without a question
}

TEST_F(ShellTest, ALoadedWindowIsOnlyBroughtForward) {
  MakeMain();
  OpenCompletePool();
  TestChild* rank = Open("frmDisplayRank");
  Open("frmPoolAnalysis");
  EXPECT_EQ(Open("frmDisplayRank"), rank);
  EXPECT_EQ(main->mdiArea()->subWindowList().size(), 2);
}

TEST_F(ShellTest, AWindowThatRefusesToOpenIsDropped) {
  MakeMain();
  OpenCompletePool();
  refuseToOpen = "frmPossibilities";
  main->RunCommand("mnuReportsPossible");
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_FALSE(t.pool.DialogCancelled);
}

TEST_F(ShellTest, AChildClosingItselfTakesItsFrame) {
  MakeMain();
  OpenCompletePool();
  TestChild* setup = Open("frmSetup");
  log.clear();
  setup->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_EQ(main->ActiveChild(), nullptr);
  EXPECT_TRUE(log.empty());  // it decided itself: not asked again
}

TEST_F(ShellTest, BottomToolbarFollowsTheActiveWindow) {
  MakeMain();
  OpenCompletePool();
  main->show();
  Open("frmEditEntry");
  EXPECT_TRUE(main->BottomToolbar()->isVisible());
  EXPECT_TRUE(main->BottomButton("cmdQBShowParms")->isVisible());
  EXPECT_TRUE(main->MenuItem("mnuViewShowScoring")->isVisible());
  t.pool.PrintEntry = -2;
  Open("frmPrintForm");
  EXPECT_FALSE(main->BottomButton("cmdQBOK")->isVisible());
  EXPECT_EQ(main->BottomButton("cmdQBCancel")->text(), "Close");
  EXPECT_EQ(main->BottomButton("cmdQBPrintPreview")->text(), "Print");
  EXPECT_TRUE(main->BottomButton("cmdQBFill")->isVisible());
  Open("frmDisplayRank");
  EXPECT_FALSE(main->BottomToolbar()->isVisible());
  EXPECT_FALSE(main->MenuItem("mnuViewShowScoring")->isVisible());
  // View > Bottom Toolbar off keeps it hidden over an editing window
  main->MenuItem("mnuViewBottomToolbar")->trigger();
  EXPECT_FALSE(t.pool.ShowBottomToolbar);
  Open("frmSetup");
  EXPECT_FALSE(main->BottomToolbar()->isVisible());
}

TEST_F(ShellTest, ViewTogglesAndTheirSounds) {
  MakeMain();
  main->show();
  main->MenuItem("mnuViewToolbar")->trigger();
  EXPECT_FALSE(main->findChild<QToolBar*>("tbToolBar")->isVisible());
  main->MenuItem("mnuViewToolbar")->trigger();
  main->MenuItem("mnuViewStatusBar")->trigger();
  main->MenuItem("mnuViewStatusBar")->trigger();
  EXPECT_TRUE(main->statusBar()->isVisible());
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"whoosh", "start", "whoosh", "gong"}));
  // Show Entry Scoring reaches only the entry editor
  OpenCompletePool();
  Open("frmEditEntry");
  log.clear();
  main->MenuItem("mnuViewShowScoring")->trigger();
  EXPECT_FALSE(main->ShowEntryScoringChecked());
  EXPECT_EQ(log, (std::vector<std::string>{"frmEditEntry.AdjustHeightForScoring"}));
}

TEST_F(ShellTest, RecentFilesInMenuAndSettings) {
  t.settings.SaveSetting("Settings", "MRU0", "/p/a&b.qbp");
  t.pool.DownloadPath = "/data/QBDownload.qbp";
  MakeMain();
  EXPECT_TRUE(main->MenuItem("mnuFileMRU0")->isVisible());
  EXPECT_EQ(main->MenuItem("mnuFileMRU0")->text(), "/p/a&&b.qbp");
  EXPECT_FALSE(main->MenuItem("mnuFileMRU1")->isVisible());
  main->AddMRU("/p/c.qbp");
  main->AddMRU("/DATA/qbdownload.qbp");
  EXPECT_EQ(t.settings.GetSetting("Settings", "MRU0", ""), "/p/c.qbp");
  EXPECT_EQ(t.settings.GetSetting("Settings", "MRU1", ""), "/p/a&b.qbp");
  EXPECT_EQ(t.settings.GetSetting("Settings", "MRU2", "x"), "");
  EXPECT_TRUE(main->MenuItem("mnuFileMRU1")->isVisible());
  EXPECT_FALSE(main->MenuItem("mnuFileMRU2")->isVisible());
}

TEST_F(ShellTest, RecentFileButtonWithAnEmptyListOnlyBeeps) {
  MakeMain();
  main->EnableFileCommands();  // a new pool: PoolFilePath is empty too
  main->RunCommand("tbToolBar:MRU");
  EXPECT_EQ(t.prompts.beeps, 1);
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_TRUE(main->PoolOpen());
}

TEST_F(ShellTest, ReopeningTheOpenFileAsksFirst) {
  MakeMain();
  OpenCompletePool();
  main->AddMRU("/p/office.qbp");
  t.pool.PoolFilePath = "/p/office.qbp";
  t.prompts.Queue(MsgAnswer::No);
  main->RunCommand("mnuFileMRU0");
  EXPECT_EQ(t.prompts.LastText(), "File already open.\r\nDo you wish to re-open?");
  EXPECT_EQ(t.pool.Pool.PoolName, "Office");  // nothing re-read
  EXPECT_TRUE(main->PoolOpen());
}

struct SaveQuestionCase {
  const char* command;
  MsgAnswer answer;
  bool goesOn;
};

void PrintTo(const SaveQuestionCase& c, std::ostream* os) { *os << c.command; }

class SaveQuestion : public ShellTest, public ::testing::WithParamInterface<SaveQuestionCase> {};

// Cancel, and a Yes whose save fails, keep the pool; No goes on.
TEST_P(SaveQuestion, StopsOnCancelAndOnAFailedYes) {
  const auto& c = GetParam();
  MakeMain();
  OpenCompletePool();
  t.pool.PoolChanged = true;
  t.pool.Pool.NumTeams = 3;  // the save refuses: no valid team count
  t.pool.PoolFilePath = "/nonexistent/office.qbp";
  main->AddMRU("/nonexistent/other.qbp");
  t.prompts.Queue(c.answer);
  main->RunCommand(c.command);
  std::string command = c.command;
  bool wentOn = command == "mnuFileClose"  ? t.pool.Pool.PoolName.empty()
                : command == "mnuFileNew"  ? !log.empty() && log[0] == "dialog frmParms"
                : command == "mnuFileOpen" ? !t.files.titles.empty()
                                           : !main->PoolOpen();
  EXPECT_EQ(wentOn, c.goesOn) << c.command;
  EXPECT_EQ(t.prompts.asked[0].text, "Do you wish to save the changes to file:\n\rOffice");
  if (!c.goesOn) {
    EXPECT_EQ(t.pool.Pool.PoolName, "Office");
    EXPECT_TRUE(main->PoolOpen());
    EXPECT_TRUE(t.pool.PoolChanged);
  }
}

INSTANTIATE_TEST_SUITE_P(
    FileCommands, SaveQuestion,
    ::testing::Values(SaveQuestionCase{"mnuFileClose", MsgAnswer::Cancel, false},
                      SaveQuestionCase{"mnuFileClose", MsgAnswer::No, true},
                      SaveQuestionCase{"mnuFileClose", MsgAnswer::Yes, false},
                      SaveQuestionCase{"mnuFileNew", MsgAnswer::Cancel, false},
                      SaveQuestionCase{"mnuFileNew", MsgAnswer::No, true},
                      SaveQuestionCase{"mnuFileNew", MsgAnswer::Yes, false},
                      SaveQuestionCase{"mnuFileOpen", MsgAnswer::Cancel, false},
                      SaveQuestionCase{"mnuFileOpen", MsgAnswer::No, true},
                      SaveQuestionCase{"mnuFileOpen", MsgAnswer::Yes, false},
                      SaveQuestionCase{"mnuFileMRU0", MsgAnswer::Cancel, false},
                      SaveQuestionCase{"mnuFileMRU0", MsgAnswer::No, true},
                      SaveQuestionCase{"mnuFileMRU0", MsgAnswer::Yes, false}),
    [](const ::testing::TestParamInfo<SaveQuestionCase>& info) {
      const char* answer = info.param.answer == MsgAnswer::Yes  ? "Yes"
                           : info.param.answer == MsgAnswer::No ? "No"
                                                                : "Cancel";
      return std::string(info.param.command) + "_" + answer;
    });

TEST_F(ShellTest, AChildThatRefusesToCloseStopsTheCommand) {
  MakeMain();
  OpenCompletePool();
  Open("frmSetup");
  TestChild* editor = Open("frmEditEntry");
  editor->refuseClose = true;
  t.pool.PoolChanged = true;
  main->RunCommand("mnuFileClose");
  EXPECT_TRUE(t.prompts.asked.empty());  // stopped before the save question
  EXPECT_EQ(t.pool.Pool.PoolName, "Office");
  EXPECT_TRUE(t.pool.DialogCancelled);
  ASSERT_EQ(main->mdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(main->ActiveWindowName(), "frmEditEntry");
  // and Exit too
  main->show();
  main->RunCommand("mnuFileExit");
  EXPECT_TRUE(main->isVisible());
  editor->refuseClose = false;
  t.prompts.Queue(MsgAnswer::No);
  main->RunCommand("mnuFileClose");
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_EQ(t.pool.Pool.PoolName, "");
  EXPECT_FALSE(main->PoolOpen());
}

TEST_F(ShellTest, DownloadButtonWithAnOpenPoolAsksToSaveFirst) {
  MakeMain();
  main->EnableFileCommands();  // a pool with participants but no team count yet
  t.pool.PoolChanged = true;
  t.pool.Pool.PoolName = "Office";
  t.prompts.Queue(MsgAnswer::Cancel);
  main->RunCommand("tbToolBar:InetDownload");
  EXPECT_EQ(t.prompts.LastText(), "Do you wish to save the changes to file:\n\rOffice");
  EXPECT_TRUE(log.empty());  // no download
  t.prompts.Queue(MsgAnswer::No);
  main->RunCommand("tbToolBar:InetDownload");
  EXPECT_EQ(log, (std::vector<std::string>{"dialog frmDownload"}));
  // with a team count the button downloads results, without a question
  OpenCompletePool();
  t.pool.PoolChanged = true;
  log.clear();
  std::string type;
  onDialog = [&](const std::string&, AppContext& c) { type = c.pool.DownloadType; };
  size_t asked = t.prompts.asked.size();
  main->RunCommand("tbToolBar:InetDownload");
  EXPECT_EQ(type, "Results");
  EXPECT_EQ(t.prompts.asked.size(), asked);
  EXPECT_EQ(t.pool.DownloadType, "");
}

TEST_F(ShellTest, HelpShowsTheTopicOrSaysThereIsNone) {
  MakeMain();
  OpenCompletePool();
  Open("frmSetup");
  main->RunCommand("tbToolBar:Help");
  EXPECT_EQ(t.help.topics, (std::vector<std::string>{"frmSetup#0"}));
  main->show();
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  QTest::keyClick(main.get(), Qt::Key_F1);
  EXPECT_EQ(t.help.topics.size(), 2u);
  t.help.available = false;
  main->RunCommand("mnuHelpContents");
  EXPECT_EQ(t.prompts.beeps, 1);
  EXPECT_EQ(t.prompts.asked.size(), 1u);
}

TEST_F(ShellTest, LooksRightOffscreen) {
  MakeMain();
  OpenCompletePool();
  main->RefreshCaption();
  main->show();
  Open("frmEditEntry");
  QApplication::processEvents();
  QImage image = main->grab().toImage();
  EXPECT_FALSE(image.isNull());
  test::SaveShot(image, "frmMain");
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST(StandardWindows, WiredWindowsEnableTheirCommands) {
  TestContext t;
  frmMain main(t.ctx, StandardWindows());
  main.MDIForm_Load();
  t.pool.Pool.NumTeams = 8;
  main.EnableFileCommands();
  for (const char* item : {"mnuEditParms", "mnuEditBettors", "mnuEditOptions", "mnuHelpAbout",
                           "mnuFileBackup", "mnuEditSetup", "mnuToolsImportBettors",
                           "mnuFilePageSetup", "mnuToolsDownloadResults", "mnuReportsEmail"})
    EXPECT_TRUE(main.MenuItem(item)->isEnabled()) << item;
  EXPECT_TRUE(main.ToolbarButton("EditBettor")->isEnabled());
  // the real bracket setup opens as a child and closes from the Edit menu
  t.pool.SoundStatus = "Off";
  t.pool.NumSlots = 8;
  SetupBracketFromParameters(t.pool, t.prompts);
  main.RunCommand("mnuEditSetup");
  ASSERT_EQ(main.ActiveWindowName(), "frmSetup");
  main.show();
  QApplication::processEvents();
  test::SaveShot(main.grab().toImage(), "frmMain_setup");
  main.RunCommand("cmdQBCancel");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  EXPECT_EQ(main.ActiveChild(), nullptr);
  EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST_F(ShellTest, ExitAfterAYesWhoseSaveFailsKeepsRunning) {
  MakeMain();
  OpenCompletePool();
  t.pool.Pool.NumTeams = 2;  // the save refuses
  t.pool.PoolChanged = true;
  t.pool.PoolFilePath = "/nonexistent/office.qbp";
  main->show();
  t.prompts.Queue(MsgAnswer::Yes);
  main->RunCommand("mnuFileExit");
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(t.pool.Pool.PoolName, "Office");
  EXPECT_TRUE(t.prompts.AnyTextContains("Cannot save file without the number of teams set."));
  EXPECT_EQ(std::count(t.waves.played.begin(), t.waves.played.end(), "shutdown"), 0);
}

TEST_F(ShellTest, AWindowOfItsOwnClosesWithTheMainWindow) {
  MakeMain();
  main->show();
  QWidget own;  // as the list of entries with a pick
  own.setWindowTitle("frmEntriesWithPick");
  own.show();
  EXPECT_TRUE(main->close());
  EXPECT_FALSE(own.isVisible());
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST_F(ShellTest, WindowMenuListsTheOpenWindows) {
  MakeMain();
  OpenCompletePool();
  Open("frmSetup");
  Open("frmDisplayRank");
  QMenu* window = main->findChild<QMenu*>("mnuWindow");
  emit window->aboutToShow();
  emit window->aboutToShow();  // rebuilt, not appended twice
  std::vector<std::string> texts;
  for (QAction* a : window->actions())
    if (!a->isSeparator()) texts.push_back(a->text().toStdString());
  EXPECT_EQ(texts, (std::vector<std::string>{"&Cascade", "&Arrange Icons", "&1 frmSetup",
                                             "&2 frmDisplayRank"}));
  window->actions().at(3)->trigger();
  EXPECT_EQ(main->ActiveWindowName(), "frmSetup");
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST_F(ShellTest, EntryPopupItemsAndCaptionsAreTheCallersToSet) {
  MakeMain();
  main->SetEntryPopupItemVisible("mnuEntryPopUpOK", false);
  main->SetEntryPopupItemVisible("mnuEntryPopUpBar1", false);
  main->SetEntryPopupItemVisible("mnuFileNew", false);  // not a pop-up item: ignored
  EXPECT_FALSE(main->MenuItem("mnuEntryPopUpOK")->isVisible());
  EXPECT_FALSE(main->MenuItem("mnuEntryPopUpBar1")->isVisible());
  EXPECT_TRUE(main->MenuItem("mnuFileNew")->isVisible());
  main->SetSaveCancelMenu(false);
  EXPECT_EQ(main->MenuItem("mnuEntryPopUpCancel")->text(), "Close");
  main->SetSaveCancelMenu(true);
  EXPECT_EQ(main->MenuItem("mnuEntryPopUpCancel")->text(), "CANCEL - Exit without Saving");
  EXPECT_EQ(main->MenuItem("mnuEntryPopUpOK")->text(), "OK - Save and Exit");
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST_F(ShellTest, BringInEntriesHandsTheChosenFilesToTheImport) {
  MakeMain();
  OpenCompletePool();
  t.files.Queue(std::nullopt);  // cancelled: no import
  main->RunCommand("mnuToolsAcceptEntry");
  EXPECT_TRUE(log.empty());
  t.files.Queue("/imports/a.qbe");
  main->RunCommand("mnuToolsAcceptEntry");
  EXPECT_EQ(log, (std::vector<std::string>{"dialog frmImportEntries"}));
  EXPECT_EQ(t.pool.ImportFileList, (std::vector<std::string>{"/imports/a.qbe"}));
  EXPECT_EQ(t.pool.NumImportFiles, 1);
  EXPECT_EQ(t.pool.ImportFolder, "/imports");
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST_F(ShellTest, ClickingABottomButtonForwardsAndKeepsTheFocus) {
  MakeMain();
  OpenCompletePool();
  main->show();
  Open("frmSetup");
  log.clear();
  t.pool.SoundPlayed = 3;
  QTest::mouseClick(main->BottomButton("cmdQBOK"), Qt::LeftButton);
  EXPECT_EQ(log, (std::vector<std::string>{"frmSetup.cmdOK_Click"}));
  EXPECT_EQ(t.pool.SoundPlayed, 0);  // a click is a new user action
  EXPECT_EQ(main->BottomButton("cmdQBOK")->focusPolicy(), Qt::NoFocus);
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST_F(ShellTest, AnErrorInAForwardedCommandGoesToTheOneReport) {
  MakeMain();
  OpenCompletePool();
  TestChild* setup = Open("frmSetup");
  setup->throwOnOK = true;
  main->RunCommand("cmdQBOK");
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_NE(t.prompts.LastText().find("The system has detected an unexpected error."),
            std::string::npos);
  EXPECT_NE(t.prompts.LastText().find("Subscript out of range"), std::string::npos);
  EXPECT_EQ(t.prompts.beeps, 3);
  EXPECT_EQ(main->ActiveWindowName(), "frmSetup");  // the window stays
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST_F(ShellTest, StatusTextTakesTheBarAndGivesItBack) {
  MakeMain();
  main->show();
  main->SetStatusText("Calculating Scenario 5 of 64");
  EXPECT_EQ(main->statusBar()->currentMessage(), "Calculating Scenario 5 of 64");
  main->SetStatusText("");
  EXPECT_EQ(main->statusBar()->currentMessage(), "");
  // a click on the panel refreshes the caption
  t.pool.Pool.PoolName = "Office";
  auto* panel = main->findChild<QLabel*>("sbStatusBarPanel1");
  ASSERT_NE(panel, nullptr);
  QTest::mouseClick(panel, Qt::LeftButton);
  EXPECT_TRUE(main->windowTitle().startsWith("Quorvel Brakkon - Office"));
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST_F(ShellTest, AChildLargerThanTheClientAreaIsFittedIntoIt) {
  MakeMain();
  OpenCompletePool();
  main->resize(600, 400);
  main->show();
  QApplication::processEvents();
  TestChild* rank = Open("frmDisplayRank");
  ASSERT_NE(rank, nullptr);
  rank->parentWidget()->resize(2000, 2000);  // as a window that sized itself too large would
  main->mdiArea()->removeSubWindow(rank->parentWidget());
  rank->setParent(nullptr);
  rank->resize(2000, 1500);
  main->ShowChild(rank);
  QSize room = main->mdiArea()->viewport()->size();
  EXPECT_LE(rank->parentWidget()->width(), room.width());
  EXPECT_LE(rank->parentWidget()->height(), room.height());
}

}  // namespace
}  // namespace qb
