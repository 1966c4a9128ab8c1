// The main window with the program's real windows, from a new pool to a
// saved, closed and re-opened file.
#include <QLineEdit>
#include <QMdiArea>
#include <QToolBar>
#include <QTemporaryDir>

#include <filesystem>

#include <QTest>

#include "bracket/bracket_view.h"
#include "bracket/frmParms.h"
#include "bracket/frmSetup.h"
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

  // the bracket typed in the setup window, stored with the bottom toolbar's OK
  main.RunCommand("mnuEditSetup");
  auto* setup = dynamic_cast<frmSetup*>(main.ActiveChild());
  ASSERT_NE(setup, nullptr);
  EXPECT_TRUE(main.BottomToolbar()->isVisible());
  for (int slot = 1; slot <= 8; ++slot) {
    QLineEdit* name = setup->view()->Box(BracketPart::TeamName, slot);
    name->selectAll();
    QTest::keyClicks(name, QString("Team %1").arg(slot));
  }
  main.RunCommand("cmdQBOK");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  EXPECT_EQ(t.pool.Teams[8].Name, "Team 8");
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
  EXPECT_FALSE(main.BottomToolbar()->isVisible());
  EXPECT_TRUE(main.MenuItem("mnuEditResults")->isEnabled());  // the bracket is complete now

  // the results window opens and closes from the Edit menu
  main.RunCommand("mnuEditResults");
  EXPECT_EQ(main.ActiveWindowName(), "frmEnterResults");
  main.RunCommand("mnuEditCancel");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  EXPECT_EQ(main.ActiveChild(), nullptr);

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
  EXPECT_EQ(t.pool.Teams[3].Name, "Team 3");
  EXPECT_TRUE(main.MenuItem("mnuEditResults")->isEnabled());
  EXPECT_EQ(t.prompts.unanswered, 0);
}

}  // namespace
}  // namespace qb
