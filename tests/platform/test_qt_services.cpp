#include <gtest/gtest.h>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

#include "platform/qt_file_dialogs.h"
#include "platform/qt_help.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_wave_player.h"
#include "platform/sound_input_filter.h"
#include "support/modal_answer.h"

namespace qb {
namespace {

void WriteFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(data);
}

TEST(QtSettingsStore, KeepsValuesBySectionAndKeyAcrossInstances) {
  QTemporaryDir dir;
  const std::string file = dir.filePath("settings.ini").toStdString();
  {
    QtSettingsStore s(file);
    EXPECT_EQ(s.GetSetting("Settings", "MainLeft", "1000"), "1000");
    s.SaveSetting("Settings", "MainLeft", "1200");
    s.SaveSetting("Options", "SoundStatus", "Click");
    s.SaveSetting("Settings", "MRU0", "C:/pools/Office Pool.qbp");
    s.SaveSetting("Settings", "MRU1", "");
  }
  QtSettingsStore again(file);
  EXPECT_EQ(again.GetSetting("Settings", "MainLeft", "1000"), "1200");
  EXPECT_EQ(again.GetSetting("Options", "SoundStatus", "On"), "Click");
  EXPECT_EQ(again.GetSetting("Settings", "MRU0", ""), "C:/pools/Office Pool.qbp");
  EXPECT_EQ(again.GetSetting("Settings", "MRU1", "x"), "");  // stored empty is not absent
  EXPECT_EQ(again.GetSetting("Printer", "SoundStatus", "none"), "none");
  QSettings raw(QString::fromStdString(file), QSettings::IniFormat);
  EXPECT_EQ(raw.value("Options/SoundStatus").toString(), "Click");
}

TEST(QtWavePlayer, MissingFilesAndFoldersAreSilent) {
  QTemporaryDir dir;
  QtWavePlayer player(dir.path().toStdString());
  EXPECT_EQ(player.WavePath("start"), dir.path().toStdString() + "/start.wav");
  player.PlayWave("start");
  player.PlayWave("");
  QtWavePlayer nowhere("/no/such/folder");
  nowhere.PlayWave("gong");
  // Nothing was even queued to play.
  EXPECT_FALSE(player.Busy());
  EXPECT_FALSE(nowhere.Busy());
}

TEST(QtWavePlayer, AWaveFileThatIsNoSoundIsStillSilent) {
  QTemporaryDir dir;
  WriteFile(dir.filePath("start.wav"), "not a wave file");
  QtWavePlayer player(dir.path().toStdString());
  player.PlayWave("start");
  player.PlayWave("start");
  EXPECT_TRUE(player.Busy());
  player.FinishPlaying(2000);
  EXPECT_FALSE(player.Busy());
}

TEST(QtHelp, ShowsTheTopicOfTheContextInOneHelpWindow) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("help"));
  WriteFile(dir.filePath("help/120.html"), "<html><body><h1>Rankings</h1></body></html>");
  WriteFile(dir.filePath("help/index.html"), "<html><body>Overview</body></html>");
  QtHelp help(dir.path().toStdString());

  EXPECT_FALSE(help.ShowTopic(kHelpFile, 7, "frmOptions"));
  EXPECT_EQ(help.window(), nullptr);

  ASSERT_TRUE(help.ShowTopic(kHelpFile, 120, "frmDisplayRank"));
  frmHelp* first = help.window();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(first->browser()->toPlainText().contains("Rankings"));
  EXPECT_TRUE(first->windowTitle().contains("frmDisplayRank"));

  ASSERT_TRUE(help.ShowTopic(kHelpFile, 0, "frmMain"));
  EXPECT_EQ(help.window(), first);
  EXPECT_TRUE(first->browser()->toPlainText().contains("Overview"));
}

TEST(FirstFilterExtension, TakesThePlainExtensionOfTheFirstPattern) {
  EXPECT_EQ(FirstFilterExtension("Quorvel Brakkon Files (*.qbp);;All (*)"), "qbp");
  EXPECT_EQ(FirstFilterExtension("Entries (*.qbp *.qbe *.qbi)"), "qbp");
  EXPECT_EQ(FirstFilterExtension("All (*)"), "");
}

// Types a name into the open file dialog and accepts it.
void AcceptWith(const QString& name) {
  test::OnNextModal<QFileDialog>([name](QFileDialog* dlg) {
    auto* edit = dlg->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
    static_cast<QDialog*>(dlg)->accept();
  });
}

TEST(SoundInputFilter, EveryPressInAnyWindowStartsANewActionWhileItsOwnerLives) {
  PoolState pool;
  auto owner = std::make_unique<QObject>();
  InstallSoundInputFilter(pool, owner.get());
  QWidget dialog;  // a window the filter was never told about
  auto* button = new QPushButton("OK", &dialog);
  auto* edit = new QLineEdit(&dialog);
  dialog.show();
  pool.SoundPlayed = 2;
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(pool.SoundPlayed, 0);
  pool.SoundPlayed = 1;
  QTest::keyClick(edit, Qt::Key_A);
  EXPECT_EQ(pool.SoundPlayed, 0);
  owner.reset();  // the filter goes with it
  pool.SoundPlayed = 1;
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(pool.SoundPlayed, 1);
}

TEST(QtFileDialogs, OpenReturnsTheChosenFileAndCancelReturnsNothing) {
  QTemporaryDir dir;
  WriteFile(dir.filePath("Office.qbp"), "x");
  QtFileDialogs files;
  AcceptWith(dir.filePath("Office.qbp"));
  auto name = files.GetOpenFileName("Open", "Quorvel Brakkon Files (*.qbp);;All (*)",
                                    dir.path().toStdString());
  ASSERT_TRUE(name.has_value());
  EXPECT_EQ(*name, dir.filePath("Office.qbp").toStdString());

  test::OnNextModal<QFileDialog>([](QFileDialog* dlg) { dlg->reject(); });
  EXPECT_FALSE(files.GetOpenFileName("Open", "All (*)", dir.path().toStdString()).has_value());
}

TEST(QtFileDialogs, OpenTakesOneFileWhileTheImportMayTakeSeveral) {
  QTemporaryDir dir;
  QtFileDialogs files;
  std::vector<QFileDialog::FileMode> modes;
  auto cancel = [&modes](QFileDialog* dlg) {
    modes.push_back(dlg->fileMode());
    dlg->reject();
  };
  test::OnNextModal<QFileDialog>(cancel);
  files.GetOpenFileName("Open", "All (*)", dir.path().toStdString());
  test::OnNextModal<QFileDialog>(cancel);
  files.GetOpenFileNames("Bring in", "All (*)", dir.path().toStdString());
  EXPECT_EQ(modes, (std::vector<QFileDialog::FileMode>{QFileDialog::ExistingFile,
                                                       QFileDialog::ExistingFiles}));
}

TEST(QtFileDialogs, SaveProposesTheStartNameAndAddsTheExtension) {
  QTemporaryDir dir;
  QtFileDialogs files;
  QString proposed;
  test::OnNextModal<QFileDialog>([&proposed, &dir](QFileDialog* dlg) {
    proposed = dlg->findChild<QLineEdit*>("fileNameEdit")->text();
    dlg->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath("Spring"));
    static_cast<QDialog*>(dlg)->accept();
  });
  auto name = files.GetSaveFileName("Save As", "Quorvel Brakkon Files (*.qbp);;All (*)",
                                    dir.filePath("Office.qbp").toStdString());
  EXPECT_EQ(proposed, "Office.qbp");
  ASSERT_TRUE(name.has_value());
  EXPECT_EQ(*name, dir.filePath("Spring.qbp").toStdString());
}

}  // namespace
}  // namespace qb
