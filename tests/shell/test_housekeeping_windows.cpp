#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "shell/frmBackup.h"
#include "shell/frmOptions.h"

namespace qb {
namespace {

TEST(frmOptions, OkStoresTheChosenOptionCancelLeavesIt) {
  TestContext t;
  t.pool.SoundStatus = "Click";
  {
    frmOptions dlg(t.ctx);
    EXPECT_TRUE(dlg.findChild<QRadioButton*>("optSoundClick")->isChecked());
    dlg.findChild<QRadioButton*>("optSoundOff")->click();
    dlg.findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_EQ(t.pool.SoundStatus, "Click");
    EXPECT_TRUE(t.settings.values.empty());
    EXPECT_TRUE(t.pool.DialogCancelled);
  }
  t.waves.played.clear();
  t.pool.SoundPlayed = 0;
  {
    frmOptions dlg(t.ctx);
    dlg.findChild<QRadioButton*>("optSoundOff")->click();
    dlg.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(t.pool.SoundStatus, "Off");
    EXPECT_EQ(t.settings.GetSetting("Options", "SoundStatus", ""), "Off");
    EXPECT_FALSE(t.pool.DialogCancelled);
    EXPECT_TRUE(t.waves.played.empty()) << "sounds are off from OK on";
  }
}

class BackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home = QDir(dir.path()).absoluteFilePath("pools");
    away = QDir(dir.path()).absoluteFilePath("backup");
    QDir().mkpath(home);
    QDir().mkpath(away);
    t.pool.PoolFilePath = (home + "/Office.qbp").toStdString();
    t.pool.PoolChanged = true;
    t.pool.Pool.PoolName = "Office";
    t.pool.Pool.NumTeams = 8;
  }
  frmBackup::PoolWriter Writer(std::string text) {
    return [this, text](std::ostream& out) {
      ++writes;
      out << text;
    };
  }
  static QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void Ok(frmBackup& dlg, const QString& folder) {
    dlg.findChild<QLineEdit*>("txtFolder")->setText(folder);
    dlg.findChild<QPushButton*>("cmdOK")->click();
  }

  QTemporaryDir dir;
  QString home, away;
  TestContext t;
  int writes = 0;
};

TEST_F(BackupTest, WritesTheOpenPoolIntoTheFolderAndLeavesThePoolAsItWas) {
  frmBackup dlg(t.ctx, Writer("pool now\r\n"));
  EXPECT_EQ(dlg.findChild<QLabel*>("lblFileName")->text(), "Office.qbp");
  Ok(dlg, away);
  EXPECT_EQ(Read(away + "/Office.qbp"), "pool now\r\n");
  EXPECT_EQ(t.pool.PoolFilePath, (home + "/Office.qbp").toStdString());
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_FALSE(t.pool.DialogCancelled);
  EXPECT_TRUE(t.prompts.AnyTextContains("Backup copy written to"));
  EXPECT_EQ(QDir(away).entryList(QDir::Files), QStringList{"Office.qbp"}) << "no temporary left";
}

TEST_F(BackupTest, TheCopyIsThePoolFileOfTheOpenPool) {
  t.pool.Pool.PoolName = "Office \"A\"";
  frmBackup dlg(t.ctx);
  Ok(dlg, away);
  const QByteArray copy = Read(away + "/Office.qbp");
  EXPECT_TRUE(copy.contains("%Header`")) << copy.left(200).toStdString();
  EXPECT_TRUE(copy.contains("Office 'A'"));
  EXPECT_TRUE(t.pool.PoolChanged);
}

TEST_F(BackupTest, AnUntitledPoolIsCopiedUnderItsName) {
  t.pool.PoolFilePath.clear();
  frmBackup named(t.ctx, Writer("x"));
  EXPECT_EQ(named.CopyFileName(), "Office.qbp");
  t.pool.Pool.PoolName.clear();
  frmBackup unnamed(t.ctx, Writer("x"));
  EXPECT_EQ(unnamed.CopyFileName(), "Quorvel Brakkon file.qbp");
}

TEST_F(BackupTest, RefusesAMissingFolderAndThePoolsOwnFolder) {
  frmBackup dlg(t.ctx, Writer("x"));
  Ok(dlg, "");
  EXPECT_TRUE(t.prompts.AnyTextContains("Please choose the folder"));
  Ok(dlg, away + "/nowhere");
  EXPECT_TRUE(t.prompts.AnyTextContains("does not exist"));
  Ok(dlg, home);
  EXPECT_TRUE(t.prompts.AnyTextContains("folder of the pool file itself"));
  EXPECT_EQ(writes, 0);
  EXPECT_EQ(t.prompts.beeps, 3);
  EXPECT_TRUE(t.pool.DialogCancelled);
}

TEST_F(BackupTest, APoolWithoutItsTeamCountIsNotCopied) {
  t.pool.Pool.NumTeams = 0;
  frmBackup dlg(t.ctx, Writer("x"));
  Ok(dlg, away);
  EXPECT_TRUE(t.prompts.AnyTextContains("Cannot save file without the number of teams set."));
  EXPECT_EQ(writes, 0);
  EXPECT_TRUE(QDir(away).entryList(QDir::Files).isEmpty());
}

TEST_F(BackupTest, AnExistingCopyIsReplacedOnlyAfterYes) {
  QFile old(away + "/Office.qbp");
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old copy");
  old.close();
  frmBackup dlg(t.ctx, Writer("new copy"));
  t.prompts.Queue(MsgAnswer::No);
  Ok(dlg, away);
  EXPECT_EQ(Read(away + "/Office.qbp"), "old copy");
  EXPECT_TRUE(t.prompts.AnyTextContains("already exists"));
  t.prompts.Queue(MsgAnswer::Yes);
  Ok(dlg, away);
  EXPECT_EQ(Read(away + "/Office.qbp"), "new copy");
}

TEST_F(BackupTest, AFailedWriteSaysSoAndLeavesTheOldCopyWhole) {
  QFile old(away + "/Office.qbp");
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old copy");
  old.close();
  frmBackup dlg(t.ctx, [](std::ostream& out) {
    out << "half";
    throw std::runtime_error("Team 3 cannot be written");
  });
  t.prompts.Queue(MsgAnswer::Yes);
  Ok(dlg, away);
  EXPECT_TRUE(t.prompts.AnyTextContains("could not be written"));
  EXPECT_TRUE(t.prompts.AnyTextContains("Team 3 cannot be written"));
  EXPECT_EQ(Read(away + "/Office.qbp"), "old copy");
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(QDir(away).entryList(QDir::Files), QStringList{"Office.qbp"});
}

TEST_F(BackupTest, BrowseFillsTheFolder) {
  frmBackup dlg(t.ctx, Writer("x"));
  t.files.Queue(away.toStdString());
  dlg.findChild<QPushButton*>("cmdBrowse")->click();
  EXPECT_EQ(dlg.findChild<QLineEdit*>("txtFolder")->text(), away);
  t.files.Queue(std::nullopt);  // cancelled: the folder stays
  dlg.findChild<QPushButton*>("cmdBrowse")->click();
  EXPECT_EQ(dlg.findChild<QLineEdit*>("txtFolder")->text(), away);
}

}  // namespace
}  // namespace qb
