// The main window with the program's real windows, from a new pool to a
// saved, closed and re-opened file.
#include <QLineEdit>
#include <QTemporaryDir>

#include <filesystem>

#include "bracket/frmParms.h"
#include "shell_fixture.h"
#include "support/modal_answer.h"

namespace qb {
namespace {

TEST(EndToEnd, NewPoolSavedClosedAndReopened) {
  QTemporaryDir dir;
  const std::string file = dir.filePath("office.qbp").toStdString();
  TestContext t;
  t.pool.SoundStatus = "Off";
  frmMain main(t.ctx, StandardWindows());
  main.MDIForm_Load();
  main.show();

  test::OnNextModal<frmParms>([](frmParms* d) {
    d->txtFileName->setText("Office");
    d->txtNbrTeams->setText("8");
    d->txtNbrTeams_LostFocus();
    d->cmdOK_Click();
  });
  main.RunCommand("mnuFileNew");
  ASSERT_EQ(t.pool.Pool.NumTeams, 8);
  EXPECT_TRUE(main.windowTitle().startsWith("Quorvel Brakkon - Office   (File ID ="));
  EXPECT_TRUE(main.MenuItem("mnuEditSetup")->isEnabled());
  EXPECT_FALSE(main.MenuItem("mnuEditResults")->isEnabled());  // no teams named yet

  // Save: the new pool has no file yet, so Save As asks for one
  t.files.Queue(file);
  main.RunCommand("mnuFileSave");
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(t.pool.PoolFilePath, file);
  EXPECT_FALSE(t.pool.PoolChanged);
  EXPECT_EQ(main.Recent().at(0), file);

  main.RunCommand("mnuFileClose");
  EXPECT_FALSE(main.PoolOpen());
  EXPECT_EQ(main.windowTitle(), "Quorvel Brakkon - No file open");

  main.RunCommand("mnuFileMRU0");
  EXPECT_TRUE(main.PoolOpen());
  EXPECT_EQ(t.pool.Pool.PoolName, "Office");
  EXPECT_EQ(t.pool.Pool.NumTeams, 8);
  EXPECT_EQ(t.prompts.unanswered, 0);
}

}  // namespace
}  // namespace qb
