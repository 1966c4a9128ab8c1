#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/pool_file_writer.h"
#include "shell_fixture.h"
#include "support/shots.h"

namespace qb {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class FileCommandsTest : public ShellTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    folder = dir.path().toStdString();
    fs::copy_file(fs::path(QB_FIXTURES) / "pool_5_teams.qbp", Path("office.qbp"));
    t.pool.DownloadPath = Path("QBDownload.qbp");
    MakeMain();
  }
  std::string Path(const std::string& name) const { return (fs::path(folder) / name).string(); }

  // Opens office.qbp through File > Open.
  void OpenOffice() {
    t.files.Queue(Path("office.qbp"));
    main->RunCommand("mnuFileOpen");
    ASSERT_TRUE(main->PoolOpen());
  }

  QTemporaryDir dir;
  std::string folder;
};

TEST_F(FileCommandsTest, OpenReadsThePoolAndEnablesItsCommands) {
  OpenOffice();
  EXPECT_EQ(t.pool.Pool.PoolName, "Office 'Pool'");
  EXPECT_EQ(main->windowTitle(), "Quorvel Brakkon - Office 'Pool'   (File ID = 1234)");
  EXPECT_EQ(t.pool.PoolFilePath, Path("office.qbp"));
  EXPECT_EQ(main->Recent().at(0), Path("office.qbp"));
  EXPECT_EQ(t.settings.GetSetting("Settings", "MRU0", ""), Path("office.qbp"));
  EXPECT_TRUE(Enabled("mnuFileSave"));
  EXPECT_TRUE(Enabled("mnuEditResults"));
  EXPECT_FALSE(Enabled("mnuToolsDownloadBracket"));
  EXPECT_FALSE(t.pool.PoolChanged);
}

TEST_F(FileCommandsTest, CancellingTheOpenDialogKeepsThePool) {
  OpenOffice();
  t.files.Queue(std::nullopt);
  main->RunCommand("mnuFileOpen");
  EXPECT_TRUE(main->PoolOpen());
  EXPECT_EQ(t.pool.Pool.PoolName, "Office 'Pool'");
}

TEST_F(FileCommandsTest, AFileThatIsNoPoolLeavesNoPoolOpen) {
  std::ofstream(Path("notes.qbp")) << "just some text\n";
  OpenOffice();
  t.files.Queue(Path("notes.qbp"));
  main->RunCommand("mnuFileOpen");
  EXPECT_TRUE(t.prompts.AnyTextContains("Not a Quorvel Brakkon file!"));
  EXPECT_FALSE(main->PoolOpen());
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_FALSE(Enabled("mnuFileSave"));
  EXPECT_FALSE(Enabled("mnuEditResults"));
  EXPECT_EQ(main->windowTitle(), "Quorvel Brakkon - No file open");
}

TEST_F(FileCommandsTest, SaveOfAnUnchangedPoolAsksAndNoLeavesTheFilesAlone) {
  OpenOffice();
  std::string before = ReadText(Path("office.qbp"));
  t.prompts.Queue(MsgAnswer::No);
  main->RunCommand("mnuFileSave");
  EXPECT_EQ(t.prompts.LastText(),
            "No changes have been made to the file.\r\nDo you still want to save it?  (This will "
            "overlay the automatic backup file.)");
  EXPECT_EQ(ReadText(Path("office.qbp")), before);
  EXPECT_FALSE(fs::exists(Path("office.bkp")));
  // Yes saves and makes the backup of the previous file
  t.prompts.Queue(MsgAnswer::Yes);
  main->RunCommand("mnuFileSave");
  EXPECT_TRUE(fs::exists(Path("office.bkp")));
  EXPECT_EQ(ReadText(Path("office.bkp")), before);
  EXPECT_EQ(t.waves.played.back(), "camera");
}

TEST_F(FileCommandsTest, SaveOfANeverSavedPoolProposesItsName) {
  OpenOffice();
  t.pool.PoolFilePath.clear();
  t.pool.PoolChanged = true;
  t.files.Queue(Path("copy.qbp"));
  main->RunCommand("mnuFileSave");
  EXPECT_EQ(t.files.titles.back(), "Save As");
  EXPECT_TRUE(fs::exists(Path("copy.qbp")));
  EXPECT_EQ(t.pool.PoolFilePath, Path("copy.qbp"));
  EXPECT_FALSE(t.pool.PoolChanged);
  EXPECT_EQ(main->Recent().at(0), Path("copy.qbp"));
}

TEST_F(FileCommandsTest, SaveAsThatFailsKeepsTheOldName) {
  OpenOffice();
  t.pool.PoolChanged = true;
  t.files.Queue(Path("no-such-folder/copy.qbp"));
  main->RunCommand("mnuFileSaveAs");
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(t.pool.PoolFilePath, Path("office.qbp"));
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_EQ(main->Recent().at(0), Path("office.qbp"));
  // cancelling the dialog is a cancel too
  t.files.Queue(std::nullopt);
  main->RunCommand("mnuFileSaveAs");
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(t.pool.PoolFilePath, Path("office.qbp"));
}

TEST_F(FileCommandsTest, YesAtTheQuestionSavesOnceThenCloses) {
  OpenOffice();
  std::string before = ReadText(Path("office.qbp"));
  t.pool.PoolChanged = true;
  t.pool.Pool.PoolName = "Office renamed";
  t.prompts.Queue(MsgAnswer::Yes);
  main->RunCommand("mnuFileClose");
  EXPECT_EQ(t.prompts.LastText(), "Do you wish to save the changes to file:\n\rOffice renamed");
  EXPECT_NE(ReadText(Path("office.qbp")).find("Office renamed"), std::string::npos);
  EXPECT_EQ(ReadText(Path("office.bkp")), before);  // the backup is the file before this save
  EXPECT_FALSE(main->PoolOpen());
  EXPECT_EQ(t.pool.Pool.PoolName, "");
}

TEST_F(FileCommandsTest, YesThenOpenSavesOnceAndOpensTheOtherFile) {
  fs::copy_file(Path("office.qbp"), Path("other.qbp"));
  OpenOffice();
  std::string before = ReadText(Path("office.qbp"));
  t.pool.PoolChanged = true;
  t.pool.Pool.PoolName = "Changed";
  t.prompts.Queue(MsgAnswer::Yes);
  t.files.Queue(Path("other.qbp"));
  main->RunCommand("mnuFileOpen");
  EXPECT_EQ(t.pool.PoolFilePath, Path("other.qbp"));
  // one save only: the backup still holds the file as it was before it
  EXPECT_EQ(ReadText(Path("office.bkp")), before);
  EXPECT_NE(ReadText(Path("office.qbp")).find("Changed"), std::string::npos);
}

TEST_F(FileCommandsTest, RecentFileOpensAndReopeningAsks) {
  fs::copy_file(Path("office.qbp"), Path("other.qbp"));
  OpenOffice();
  main->AddMRU(Path("other.qbp"));
  ASSERT_EQ(main->Recent().at(1), Path("office.qbp"));
  main->RunCommand("mnuFileMRU0");
  EXPECT_TRUE(t.prompts.asked.empty());  // not the open file, unchanged pool
  EXPECT_EQ(t.pool.PoolFilePath, Path("other.qbp"));
  t.prompts.Queue(MsgAnswer::Yes);
  main->RunCommand("tbToolBar:MRU");  // the first recent file: other.qbp, open
  EXPECT_EQ(t.prompts.LastText(), "File already open.\r\nDo you wish to re-open?");
  EXPECT_TRUE(main->PoolOpen());
}

TEST_F(FileCommandsTest, TheDownloadedBracketStaysUntitled) {
  fs::copy_file(Path("office.qbp"), Path("QBDownload.qbp"));
  main->InitialOpen(Path("QBDownload.qbp"));
  EXPECT_TRUE(main->PoolOpen());
  EXPECT_EQ(t.pool.PoolFilePath, "");
  EXPECT_EQ(t.pool.OpenFileName, "");
  EXPECT_EQ(main->Recent().at(0), "");
  // its first save asks for a name
  t.pool.PoolChanged = true;
  t.files.Queue(std::nullopt);
  main->RunCommand("mnuFileSave");
  EXPECT_EQ(t.files.titles.back(), "Save As");
}

TEST_F(FileCommandsTest, InitialOpenOfAMissingFileReportsAndLeavesNoPool) {
  main->InitialOpen(Path("gone.qbp"));
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_FALSE(main->PoolOpen());
  EXPECT_TRUE(t.prompts.AnyTextContains("Unable to read file"));
}

TEST_F(FileCommandsTest, LoadErrorsCancelAbandonsTheFile) {
  std::string text = ReadText(Path("office.qbp"));
  text.replace(text.find("\"%Team  `\",3,"), 13, "\"%Team  `\",0,");
  std::ofstream(Path("bad.qbp"), std::ios::binary) << text;
  std::vector<std::string> shown;
  onDialog = [&](const std::string& name, AppContext& c) {
    if (name != "frmErrors") return;
    shown = c.pool.LoadErrors;
    c.pool.DialogCancelled = true;  // Cancel
  };
  main->InitialOpen(Path("bad.qbp"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("Header record #"), std::string::npos);
  EXPECT_FALSE(main->PoolOpen());
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(t.pool.Pool.PoolName, "");
  // OK uses the file
  onDialog = [&](const std::string&, AppContext& c) { c.pool.DialogCancelled = false; };
  main->InitialOpen(Path("bad.qbp"));
  EXPECT_TRUE(main->PoolOpen());
  EXPECT_FALSE(t.pool.DialogCancelled);
  EXPECT_EQ(t.pool.Pool.PoolName, "Office 'Pool'");
}

TEST_F(FileCommandsTest, CreatePoolFileWithoutEntries) {
  OpenOffice();
  t.pool.PoolChanged = true;
  t.pool.Pool.PoolName = "office";  // named after its file: Save As would propose that file
  t.files.Queue(Path("blank.qbp"));
  main->RunCommand("mnuToolsCreateEntry");
  ASSERT_EQ(t.files.proposals.size(), 1u);
  EXPECT_EQ(t.files.proposals[0], Path("office without entries.qbp"));
  std::string written = ReadText(Path("blank.qbp"));
  EXPECT_NE(written.find("\"2.0\""), std::string::npos);
  EXPECT_EQ(written.find("%EntHdr"), std::string::npos);
  EXPECT_TRUE(t.pool.PoolChanged);  // the open pool's own file is not saved by this
  EXPECT_EQ(t.pool.PoolFilePath, Path("office.qbp"));
}

TEST_F(FileCommandsTest, APoolFileWithoutEntriesNeverReplacesTheOpenPoolsOwnFile) {
  OpenOffice();
  const std::string before = ReadText(Path("office.qbp"));
  ASSERT_NE(before.find("%EntHdr"), std::string::npos);
  t.files.Queue(folder + "/./office.qbp");  // the same file, spelt another way
  main->RunCommand("mnuToolsCreateEntry");
  EXPECT_EQ(t.prompts.LastText(), kOwnFileRefusal);
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::Exclamation);
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(ReadText(Path("office.qbp")), before);
  EXPECT_TRUE(main->PoolOpen());
}

TEST_F(FileCommandsTest, NewStartsAnUntitledPoolWithTheParameters) {
  OpenOffice();
  main->RunCommand("mnuFileNew");
  EXPECT_EQ(log, (std::vector<std::string>{"dialog frmParms"}));
  EXPECT_TRUE(main->PoolOpen());
  EXPECT_EQ(t.pool.PoolFilePath, "");
  EXPECT_EQ(t.pool.Pool.NumTeams, 0);
  EXPECT_TRUE(Enabled("mnuEditParms"));
  EXPECT_FALSE(Enabled("mnuEditSetup"));
}

}  // namespace
}  // namespace qb

#include "platform/qt_settings_store.h"

namespace qb {
namespace {

// Placement and recent files survive a restart through a settings file.
TEST(SettingsFile, PlacementAndRecentFilesComeBack) {
  QTemporaryDir dir;
  std::string ini = dir.filePath("settings.ini").toStdString();
  TestContext t;
  {
    QtSettingsStore store(ini);
    AppContext ctx{t.pool,  t.prompts, t.files, store, t.waves, t.help,
                   t.clock, t.random,  nullptr, {},    {}};
    frmMain main(ctx, WindowTable{});
    main.MDIForm_Load();
    main.show();
    main.move(120, 90);
    main.resize(640, 420);
    main.AddMRU("/pools/a.qbp");
    main.AddMRU("/pools/b.qbp");
    ASSERT_TRUE(main.close());
  }
  QtSettingsStore store(ini);
  EXPECT_EQ(store.GetSetting("Settings", "MainWidth", ""), "9600");
  AppContext ctx{t.pool,  t.prompts, t.files, store, t.waves, t.help,
                 t.clock, t.random,  nullptr, {},    {}};
  frmMain main(ctx, WindowTable{});
  main.MDIForm_Load();
  EXPECT_EQ(main.size(), QSize(640, 420));
  EXPECT_EQ(main.MenuItem("mnuFileMRU0")->text(), "/pools/b.qbp");
  EXPECT_EQ(main.MenuItem("mnuFileMRU1")->text(), "/pools/a.qbp");
  EXPECT_FALSE(main.MenuItem("mnuFileMRU2")->isVisible());
}

}  // namespace
}  // namespace qb

#include "entries/frmEditEntry.h"

namespace qb {
namespace {

// The real entry editor inside the main window: the bottom toolbar, the
// forwarding and the close on Cancel.
TEST(RealWindows, EntryEditorInTheMainWindow) {
  TestContext t;
  t.pool.SoundStatus = "Off";
  t.pool.PoolFilePath = std::string(QB_FIXTURES) + "/pool_5_teams.qbp";
  frmMain main(t.ctx, StandardWindows());
  main.MDIForm_Load();
  main.resize(900, 700);
  main.show();
  main.InitialOpen(t.pool.PoolFilePath);
  ASSERT_TRUE(main.PoolOpen());
  ASSERT_TRUE(OpenEntryEditor(t.ctx, 1, &main));
  ASSERT_EQ(main.ActiveWindowName(), "frmEditEntry");
  QApplication::processEvents();
  EXPECT_TRUE(main.BottomToolbar()->isVisible());
  EXPECT_TRUE(main.BottomButton("cmdQBEditEntryHeader")->isVisible());
  EXPECT_TRUE(main.MenuItem("mnuViewShowScoring")->isVisible());
  // Printing an entry goes through the print form.
  EXPECT_TRUE(main.MenuItem("mnuFilePrint")->isEnabled());
  EXPECT_TRUE(main.MenuItem("mnuEntryPopUpPrint")->isEnabled());
  EXPECT_TRUE(main.BottomButton("cmdQBPrintPreview")->isEnabled());
  EXPECT_FALSE(main.MenuItem("mnuFilePrintToFile")->isEnabled());
  test::SaveShot(main.grab().toImage(), "frmMain_editor");
  main.RunCommand("cmdQBCancel");  // unchanged: closes without a question
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  EXPECT_EQ(main.ActiveChild(), nullptr);
  EXPECT_FALSE(main.BottomToolbar()->isVisible());
  EXPECT_FALSE(main.MenuItem("mnuFilePrint")->isEnabled());
}

}  // namespace
}  // namespace qb

#include "shell/startup.h"

namespace qb {
namespace {

TEST_F(FileCommandsTest, StartupChoicesReachTheirCommands) {
  RunStartupChoice(*main, StartupChoice{StartupChoice::Kind::Cancelled, ""});
  EXPECT_FALSE(main->PoolOpen());
  EXPECT_TRUE(t.files.titles.empty());
  RunStartupChoice(*main, StartupChoice{StartupChoice::Kind::RecentFile, Path("office.qbp")});
  EXPECT_TRUE(main->PoolOpen());
  EXPECT_EQ(t.pool.PoolFilePath, Path("office.qbp"));
  RunStartupChoice(*main, StartupChoice{StartupChoice::Kind::NewFile, ""});
  EXPECT_EQ(log, (std::vector<std::string>{"dialog frmParms"}));
  EXPECT_EQ(t.pool.PoolFilePath, "");
  t.files.Queue(std::nullopt);
  RunStartupChoice(*main, StartupChoice{StartupChoice::Kind::MoreFiles, ""});
  EXPECT_EQ(t.files.titles, (std::vector<std::string>{"Open"}));
  // the download from a fresh start: no pool, no question
  t.prompts.Queue(MsgAnswer::OK);
  main->RunCommand("mnuFileClose");
  log.clear();
  size_t asked = t.prompts.asked.size();
  RunStartupChoice(*main, StartupChoice{StartupChoice::Kind::DownloadBracket, ""});
  EXPECT_EQ(log, (std::vector<std::string>{"dialog frmDownload"}));
  EXPECT_EQ(t.prompts.asked.size(), asked);
}

}  // namespace
}  // namespace qb
