#include <gtest/gtest.h>
#include <chrono>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/file_replace.h"
#include "core/pool_file_writer.h"
#include "pool_file_test_support.h"

namespace qb {
namespace {

using qb::testing::FileBytes;
using qb::testing::Fixture;
using qb::testing::MakeFiveTeamPool;
using qb::testing::PutFile;
using qb::testing::SameLines;
using qb::testing::TempFolder;
namespace fs = std::filesystem;

class PoolFileWriter : public qb::testing::PoolFileTest {
 protected:
  void SetUp() override { MakeFiveTeamPool(s, prompts); }
};

TEST_F(PoolFileWriter, FullFileIsTheGoldenFile) {
  EXPECT_TRUE(SameLines(Fixture("pool_5_teams.qbp"), Written()));
}

TEST_F(PoolFileWriter, FileWithoutEntriesIsTheGoldenFile) {
  EXPECT_TRUE(SameLines(Fixture("pool_5_teams_without_entries.qbp"),
                        Written(PoolFileLayout::WithoutEntries)));
}

TEST_F(PoolFileWriter, PoolWithoutParticipantsEndsWithTheWinners) {
  s.NumBettors = 0;
  s.NumEntries = 0;
  std::string text = Written();
  const std::string last = "\"%Winner`\",2,3,5,7,0,0,0,\r\n";
  ASSERT_GE(text.size(), last.size());
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

TEST_F(PoolFileWriter, SaveReplacesDoubleQuotesInEveryTextOfTheOpenPool) {
  s.Pool.ReportFileName = "\"r\".txt";
  s.Pool.WebPoolName = "a\"b";
  s.Pool.Parms3Text = "\"";
  s.Pool.Parms3Text2 = "x\"";
  s.Pool.PoolInstructions = "Say \"go\"";
  s.Pool.TiebreakerType = "\"Total\"";
  s.Teams[3].Name = "\"Hawks\"";
  s.Bettors[1].Info = "\"VIP\"";
  s.Bettors[3].Phone = "555 \"x\"";
  TempFolder dir;
  s.PoolFilePath = (dir / "Office.qbp").string();
  ASSERT_TRUE(SaveFile1N(s, s.PoolFilePath, true, svc));

  const PoolHeader& p = s.Pool;
  EXPECT_EQ(p.PoolName, "Office 'Pool'");
  EXPECT_EQ(p.DownloadSource, "2026 'Spring' brackets");
  EXPECT_EQ(p.ReportFileName, "'r'.txt");
  EXPECT_EQ(p.WebPoolName, "a'b");
  EXPECT_EQ(p.Parms3Text, "'");
  EXPECT_EQ(p.Parms3Text2, "x'");
  EXPECT_EQ(p.PoolInstructions, "Say 'go'");
  EXPECT_EQ(p.TiebreakerType, "'Total'");
  EXPECT_EQ(s.Teams[3].Name, "'Hawks'");
  EXPECT_EQ(s.Bettors[1].Info, "'VIP'");
  EXPECT_EQ(s.Bettors[3].Phone, "555 'x'");

  // Every line keeps its field count: no quote is left to shift a field.
  std::string text = FileBytes(s.PoolFilePath);
  size_t quotes = std::count(text.begin(), text.end(), '"');
  EXPECT_EQ(quotes % 2, 0u);
  EXPECT_NE(text.find("\"%Parms3`\",#FALSE#,\"'\",#FALSE#,#FALSE#,\"a'b\",\"x'\","),
            std::string::npos);
}

TEST(BackupFileName, IsTheFileNameWithTheBackupExtensionInTheSameFolder) {
  const std::pair<const char*, const char*> cases[] = {
      {"/pools/Office.qbp", "/pools/Office.bkp"},
      {"/home/j.doe/pools/x.qbp", "/home/j.doe/pools/x.bkp"},
      {"/my.pools/Office.qbp", "/my.pools/Office.bkp"},
      {"/pools/Office", "/pools/Office.bkp"},
      {"Office.qbp", "Office.bkp"},
      {"/pools/a.b.qbp", "/pools/a.b.bkp"},
      {"/pools/old.bkp", "/pools/old.bkp.bkp"},  // never the file itself
      {"/pools/Old.BKP", "/pools/Old.BKP.bkp"},
  };
  for (const auto& [file, backup] : cases) EXPECT_EQ(BackupFileName(file).string(), backup) << file;
}

class PoolFileSave : public PoolFileWriter {
 protected:
  void SetUp() override {
    PoolFileWriter::SetUp();
    path = dir / "Office.qbp";
    backup = dir / "Office.bkp";
    s.PoolFilePath = path.string();
    s.PoolChanged = true;
  }
  // The old file and its backup, as a failed save must leave them.
  void PutPreviousFiles() {
    PutFile(path, "previous file");
    PutFile(backup, "previous backup");
  }
  void ExpectNothingChanged() {
    EXPECT_TRUE(s.DialogCancelled);
    EXPECT_TRUE(s.PoolChanged);
    EXPECT_TRUE(host.mru.empty());
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_FALSE(host.hourglass);
    EXPECT_EQ(FileBytes(path), "previous file");
    EXPECT_EQ(FileBytes(backup), "previous backup");
  }

  TempFolder dir;
  fs::path path, backup;
};

TEST_F(PoolFileSave, BacksUpThePreviousFileAndWritesTheNewOne) {
  PutPreviousFiles();
  ASSERT_TRUE(SaveFile1N(s, s.PoolFilePath, true, svc));
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_FALSE(s.PoolChanged);
  EXPECT_EQ(FileBytes(backup), "previous file");
  EXPECT_TRUE(SameLines(Fixture("pool_5_teams.qbp"), FileBytes(path)));
  EXPECT_EQ(host.mru, std::vector<std::string>{s.PoolFilePath});
  EXPECT_EQ(host.sounds, std::vector<std::string>{"camera"});
  EXPECT_FALSE(host.hourglass);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Office.bkp", "Office.qbp"}));
}

TEST_F(PoolFileSave, InADottedFolderTheBackupStaysBesideTheFile) {
  fs::create_directories(dir / "home/j.doe/pools");
  PutFile(dir / "home/j.bkp", "someone else's file");
  path = dir / "home/j.doe/pools/x.qbp";
  PutFile(path, "previous file");
  s.PoolFilePath = path.string();
  ASSERT_TRUE(SaveFile1N(s, s.PoolFilePath, true, svc));
  EXPECT_EQ(FileBytes(dir / "home/j.bkp"), "someone else's file");
  EXPECT_EQ(FileBytes(dir / "home/j.doe/pools/x.bkp"), "previous file");
}

TEST_F(PoolFileSave, ASaveThroughALinkKeepsTheLink) {
  fs::create_directories(dir / "shared");
  PutFile(dir / "shared/Office.qbp", "previous file");
  fs::create_symlink("shared/Office.qbp", path);
  ASSERT_TRUE(SaveFile1N(s, s.PoolFilePath, true, svc));
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_TRUE(SameLines(Fixture("pool_5_teams.qbp"), FileBytes(dir / "shared/Office.qbp")));
  EXPECT_EQ(FileBytes(backup), "previous file");
}

TEST_F(PoolFileSave, ANeverSavedPoolAsksNothing) {
  ASSERT_TRUE(SaveFile1N(s, s.PoolFilePath, true, svc));
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_FALSE(fs::exists(backup));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"Office.qbp"});
}

TEST_F(PoolFileSave, ACopyUnderAnotherNameLeavesThePoolUnsaved) {
  PutPreviousFiles();
  fs::path copy = dir / "Copy.qbp";
  ASSERT_TRUE(SaveFile1N(s, copy.string(), false, svc));
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_TRUE(SameLines(Fixture("pool_5_teams.qbp"), FileBytes(copy)));
  EXPECT_EQ(host.mru, std::vector<std::string>{s.PoolFilePath});
  EXPECT_EQ(FileBytes(path), "previous file");
  EXPECT_FALSE(fs::exists(dir / "Copy.bkp"));
}

TEST_F(PoolFileSave, ACopyOfAnUntitledPoolAddsNoEmptyRecentFile) {
  s.PoolFilePath.clear();
  ASSERT_TRUE(SaveFile1N(s, (dir / "Copy.qbp").string(), false, svc));
  EXPECT_TRUE(host.mru.empty());
}

TEST_F(PoolFileSave, WithoutTheNumberOfTeamsNothingIsWritten) {
  for (int teams : {0, 3, 65}) {
    s.Pool.NumTeams = static_cast<int16_t>(teams);
    EXPECT_FALSE(SaveFile1N(s, s.PoolFilePath, true, svc));
    EXPECT_TRUE(s.DialogCancelled);
    EXPECT_EQ(prompts.LastText(),
              "Cannot save file without the number of teams set.\n\r"
              "Use the 'Pool Parameter' tool to set the number of teams.");
  }
  EXPECT_TRUE(dir.Names().empty());
  EXPECT_EQ(prompts.beeps, 3);
}

TEST_F(PoolFileSave, ABackupThatFailsAsksAndCancelKeepsEverything) {
  PutFile(path, "previous file");
  fs::create_directories(backup / "in the way");  // a folder where the backup goes
  prompts.Queue(MsgAnswer::Cancel);
  EXPECT_FALSE(SaveFile1N(s, s.PoolFilePath, true, svc));

  ASSERT_EQ(prompts.asked.size(), 1u);
  const auto& box = prompts.asked[0];
  EXPECT_EQ(box.text.rfind("Error in creating backup of current file.\n\r ", 0), 0u) << box.text;
  EXPECT_NE(box.text.find("\n\r\nSave file anyway?"), std::string::npos);
  EXPECT_EQ(box.buttons, MsgButtons::OKCancel);
  EXPECT_EQ(box.defaultButton, 2);
  EXPECT_EQ(box.icon, MsgIcon::Exclamation);
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(FileBytes(path), "previous file");
  EXPECT_TRUE(host.mru.empty());
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Office.bkp", "Office.bkp/in the way",
                                                   "Office.qbp"}));
}

TEST_F(PoolFileSave, ABackupThatFailsCanBeSavedAnyway) {
  PutFile(path, "previous file");
  fs::create_directories(backup / "in the way");
  prompts.Queue(MsgAnswer::OK);
  EXPECT_TRUE(SaveFile1N(s, s.PoolFilePath, true, svc));
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_TRUE(SameLines(Fixture("pool_5_teams.qbp"), FileBytes(path)));
}

TEST_F(PoolFileSave, AWriteThatFailsKeepsThePreviousFileAndItsBackup) {
  PutPreviousFiles();
  // The file system refuses more than a few bytes: the write fails half-way.
  struct rlimit old {};
  getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool saved = SaveFile1N(s, s.PoolFilePath, true, svc);
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(saved);
  ExpectNothingChanged();
  EXPECT_EQ(prompts.LastText().rfind("Unable to save file " + s.PoolFilePath, 0), 0u)
      << prompts.LastText();
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Office.bkp", "Office.qbp"}));
}

// In a program that left SIGXFSZ as the system sets it, a save past a file
// size limit must fail with its message, not kill the program.
TEST_F(PoolFileSave, ASaveAndAReportPastAFileSizeLimitFailAndLeaveNothingBehind) {
  PutPreviousFiles();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_DFL);
    struct rlimit small {};
    getrlimit(RLIMIT_FSIZE, &small);
    small.rlim_cur = 64;
    if (setrlimit(RLIMIT_FSIZE, &small) != 0) _exit(10);
    if (SaveFile1N(s, s.PoolFilePath, true, svc)) _exit(11);
    if (prompts.LastText().rfind("Unable to save file " + s.PoolFilePath, 0) != 0) _exit(12);
    const std::error_code ec = ReplaceFileContents(dir / "report.txt", std::string(4096, 'x'));
    if (ec != std::errc::file_too_large) _exit(13);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(FileBytes(path), "previous file");
  EXPECT_EQ(FileBytes(backup), "previous backup");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Office.bkp", "Office.qbp"}));
}

TEST_F(PoolFileSave, AFolderThatCannotBeWrittenKeepsEverything) {
  s.PoolFilePath = (dir / "missing folder" / "Office.qbp").string();
  EXPECT_FALSE(SaveFile1N(s, s.PoolFilePath, true, svc));
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_TRUE(host.mru.empty());
  EXPECT_TRUE(host.sounds.empty());
  EXPECT_NE(prompts.LastText().find("No such file or directory"), std::string::npos);
}

TEST_F(PoolFileSave, AFileMarkedReadOnlyIsRefusedAndKeptWithItsBackup) {
  PutPreviousFiles();
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(SaveFile1N(s, s.PoolFilePath, true, svc));
  ExpectNothingChanged();
  EXPECT_EQ(prompts.LastText(), "Unable to save file " + s.PoolFilePath +
                                    "\n\r\nPermission denied\n\r\nThe file on disk has not been changed.");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Office.bkp", "Office.qbp"}));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_write, fs::perms::none);
}

// Saves that were killed leave their hidden temporary files; the next save
// or open of the same file removes them, and only them.
TEST_F(PoolFileSave, TemporaryFilesOfKilledSavesAreRemovedByTheNextSaveOrOpen) {
  const std::vector<std::string> stale = {
      ".Office.qbp.99999999-1a2b.tmp",  // its program is gone
      ".Office.qbp." + std::to_string(getpid()) + "-ff.tmp",  // an earlier save of this one
      ".Office.qbp.3e81a2c0.tmp",       // the older kind of name
  };
  const std::vector<std::string> kept = {
      ".Office.qbp.1-ff.tmp",            // a program still running may be writing it
      ".Other.qbp.99999999-1.tmp",       // another pool's
      ".Office.qbp.notes.tmp",           // none of ours
  };
  auto putAll = [&] {
    for (const auto& name : stale) PutFile(dir / name, "half a pool");
    for (const auto& name : kept) PutFile(dir / name, "other");
  };
  std::vector<std::string> left = kept;
  left.push_back("Office.bkp");
  left.push_back("Office.qbp");
  std::sort(left.begin(), left.end());

  putAll();
  PutPreviousFiles();
  ASSERT_TRUE(SaveFile1N(s, s.PoolFilePath, true, svc));
  EXPECT_EQ(dir.Names(), left);

  putAll();
  ASSERT_TRUE(OpenPoolFile(s, svc));
  EXPECT_EQ(dir.Names(), left);
}

// The backup's own temporaries count too, and a process number alone does
// not keep a temporary: its writer may have ended unwaited for.
TEST_F(PoolFileSave, KilledSavesTemporariesOfTheBackupAndOfEndedWritersAreRemoved) {
  auto spawn = [](bool stay) {
    const pid_t pid = fork();
    if (pid == 0) {
      if (stay) pause();
      _exit(0);
    }
    return pid;
  };
  const pid_t writer = spawn(true);  // began before its file: may still write it
  const pid_t ended = spawn(false);  // a zombie until waited for
  siginfo_t exited{};
  EXPECT_EQ(waitid(P_PID, static_cast<id_t>(ended), &exited, WEXITED | WNOWAIT), 0);  // not reaped
  const std::string live = ".Office.qbp." + std::to_string(writer) + "-1.tmp";
  PutFile(dir / live, "being written");
  const std::string zombie = ".Office.qbp." + std::to_string(ended) + "-2.tmp";
  PutFile(dir / zombie, "half a pool");
  PutFile(dir / ".Office.bkp.99999999-1a2b.tmp", "an old pool");
  PutFile(dir / ".Office.bkp.1-ff.tmp", "an old pool being linked");
  PutPreviousFiles();

  const bool saved = SaveFile1N(s, s.PoolFilePath, true, svc);
  std::vector<std::string> afterSave = dir.Names();
  PutFile(dir / ".Office.bkp.99999999-1a2c.tmp", "an old pool");
  PutFile(dir / zombie, "half a pool");
  const bool opened = OpenPoolFile(s, svc);
  std::vector<std::string> afterOpen = dir.Names();
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  waitpid(ended, nullptr, 0);

  ASSERT_TRUE(saved);
  ASSERT_TRUE(opened);
  std::vector<std::string> left = {".Office.bkp.1-ff.tmp", live, "Office.bkp", "Office.qbp"};
  std::sort(left.begin(), left.end());
  EXPECT_EQ(afterSave, left);
  EXPECT_EQ(afterOpen, left);
}

TEST_F(PoolFileSave, ARenameThatFailsLeavesNoFileBehind) {
  fs::create_directories(path / "in the way");  // the pool's name is taken by a folder
  EXPECT_FALSE(SaveFile1N(s, s.PoolFilePath, false, svc));
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_TRUE(host.mru.empty());
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Office.qbp", "Office.qbp/in the way"}));
}

TEST_F(PoolFileSave, ThePoolFileWithoutEntriesChangesNothingElse) {
  fs::path exported = dir / "Bracket.qbp";
  PutFile(exported, "an older export");
  ASSERT_TRUE(WritePoolFileWithoutEntries(s, exported.string(), svc));
  EXPECT_TRUE(SameLines(Fixture("pool_5_teams_without_entries.qbp"), FileBytes(exported)));
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(s.PoolFilePath, path.string());
  EXPECT_TRUE(host.mru.empty());
  EXPECT_TRUE(host.sounds.empty());
  EXPECT_FALSE(host.hourglass);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"Bracket.qbp"});
  EXPECT_EQ(s.Pool.PoolName, "Office 'Pool'");
}

TEST_F(PoolFileSave, ThePoolFileWithoutEntriesReportsAFailedWrite) {
  fs::path exported = dir / "missing folder" / "Bracket.qbp";
  EXPECT_FALSE(WritePoolFileWithoutEntries(s, exported.string(), svc));
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(prompts.LastText().rfind("Unable to save file", 0), 0u);
}

}  // namespace
}  // namespace qb
