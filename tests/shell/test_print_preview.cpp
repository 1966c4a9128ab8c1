// The print preview inside the main window, opened from the bracket setup,
// results and entry editor windows: one preview at a time, the preview's
// toolbar and pop-up commands, printing, and the focus back to the opener.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>

#include "entries/frmEditEntry.h"
#include "reports/frmPrintForm.h"
#include "shell/frmMain.h"
#include "shell/window_table.h"
#include "support/shots.h"

namespace qb {
namespace {

class PrintPreviewInMain : public ::testing::Test {
 protected:
  void SetUp() override {
    t.pool.SoundStatus = "Off";
    t.pool.PoolFilePath = std::string(QB_FIXTURES) + "/pool_5_teams.qbp";
    main = std::make_unique<frmMain>(t.ctx, StandardWindows());
    main->MDIForm_Load();
    main->resize(1000, 700);
    main->show();
    main->InitialOpen(t.pool.PoolFilePath);
    ASSERT_TRUE(main->PoolOpen());
  }
  void TearDown() override {
    main->CloseAllChildren();
    Flush();
    main.reset();
  }
  static void Flush() {
    for (int i = 0; i < 3; ++i) {
      QApplication::processEvents();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
  frmPrintForm* Preview() { return qobject_cast<frmPrintForm*>(main->ActiveChild()); }
  bool ButtonShown(const char* name) { return main->BottomButton(name)->isVisible(); }
  QString Caption(const char* name) { return main->BottomButton(name)->text(); }
  // Opens a window and previews from it through the bottom toolbar.
  void PreviewFrom(const char* command, const char* window) {
    main->RunCommand(command);
    Flush();
    ASSERT_EQ(main->ActiveWindowName(), window);
    main->RunCommand("cmdQBPrintPreview");
    Flush();
  }

  TestContext t;
  std::unique_ptr<frmMain> main;
};

TEST_F(PrintPreviewInMain, BlankFormFromTheSetupWindowWithItsToolbarAndFill) {
  PreviewFrom("mnuEditSetup", "frmSetup");
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(t.pool.PrintEntry, -2);
  EXPECT_TRUE(main->BottomToolbar()->isVisible());
  EXPECT_FALSE(ButtonShown("cmdQBOK"));
  EXPECT_EQ(Caption("cmdQBCancel"), "Close");
  EXPECT_EQ(Caption("cmdQBPrintPreview"), "Print");
  EXPECT_TRUE(ButtonShown("cmdQBFill"));
  EXPECT_EQ(Caption("cmdQBFill"), "Fill with Higher Seeds");
  EXPECT_FALSE(ButtonShown("cmdQBEditEntryHeader"));
  EXPECT_TRUE(main->MenuItem("mnuViewShowScoring")->isVisible());
  EXPECT_TRUE(main->MenuItem("mnuFilePrint")->isEnabled());
  EXPECT_FALSE(main->MenuItem("mnuFilePrintToFile")->isEnabled());

  main->RunCommand("cmdQBFill");
  EXPECT_TRUE(Preview()->contents().showFilled);
  EXPECT_NE(Preview()->contents().winners[7].slot, 0);

  // The pop-up offers Fill on the blank form.
  Preview()->ShowPrintPopupMenu();
  QMenu* popup = main->EntryPopupMenu();
  EXPECT_TRUE(main->MenuItem("mnuEntryPopUpFill")->isVisible());
  EXPECT_TRUE(main->MenuItem("mnuEntryPopUpPrint")->isVisible());
  EXPECT_FALSE(main->MenuItem("mnuEntryPopUpOK")->isVisible());
  EXPECT_EQ(main->MenuItem("mnuEntryPopUpCancel")->text(), "Close");
  popup->close();

  test::SaveShot(main->grab().toImage(), "frmMain_preview");
  main->RunCommand("cmdQBCancel");
  Flush();
  EXPECT_EQ(t.pool.PrintEntry, 0);
  EXPECT_EQ(main->ActiveWindowName(), "frmSetup");
  // The pool kept its own instructions.
  EXPECT_EQ(t.pool.Pool.PoolInstructions, "Pick every game.");
}

TEST_F(PrintPreviewInMain, OnlyOnePreviewAtATime) {
  PreviewFrom("mnuEditResults", "frmEnterResults");
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(t.pool.PrintEntry, -1);
  EXPECT_FALSE(ButtonShown("cmdQBFill"));
  main->RunCommand("mnuEditSetup");
  Flush();
  ASSERT_EQ(main->ActiveWindowName(), "frmSetup");
  t.prompts.asked.clear();
  main->RunCommand("cmdQBPrintPreview");
  Flush();
  ASSERT_FALSE(t.prompts.asked.empty());
  EXPECT_EQ(t.prompts.asked.back().text,
            "Print Preview already open for another print form!\r\n"
            "Please close it and then try printing this one again.");
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::Exclamation);
  EXPECT_EQ(t.pool.PrintEntry, -1);
  int previews = 0;
  for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
    if (qobject_cast<frmPrintForm*>(sub->widget())) ++previews;
  EXPECT_EQ(previews, 1);
}

TEST_F(PrintPreviewInMain, ResultsPreviewIsNeverFilledAndFocusReturnsToTheResults) {
  PreviewFrom("mnuEditResults", "frmEnterResults");
  ASSERT_NE(Preview(), nullptr);
  std::string before = Preview()->contents().winners[7].text;
  Preview()->ShowPrintPopupMenu();
  EXPECT_FALSE(main->MenuItem("mnuEntryPopUpFill")->isVisible());
  main->EntryPopupMenu()->close();
  main->RunCommand("mnuEntryPopUpFill");
  main->RunCommand("cmdQBFill");
  EXPECT_EQ(Preview()->contents().winners[7].text, before);
  EXPECT_FALSE(Preview()->contents().showFilled);
  main->RunCommand("mnuEntryPopUpCancel");
  Flush();
  EXPECT_EQ(t.pool.PrintEntry, 0);
  EXPECT_EQ(main->ActiveWindowName(), "frmEnterResults");
  EXPECT_EQ(t.pool.Pool.PoolInstructions, "Pick every game.");
}

TEST_F(PrintPreviewInMain, ClosingByTheWindowFrameAlsoReturnsToTheOpener) {
  PreviewFrom("mnuEditSetup", "frmSetup");
  ASSERT_NE(Preview(), nullptr);
  t.pool.SoundStatus = "On";
  t.pool.SoundPlayed = 1;  // a sound already played: the frame's close still sounds
  auto* frame = qobject_cast<QMdiSubWindow*>(Preview()->parentWidget());
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->close());
  Flush();
  EXPECT_EQ(t.pool.PrintEntry, 0);
  EXPECT_EQ(main->ActiveWindowName(), "frmSetup");
  ASSERT_FALSE(t.waves.played.empty());
  EXPECT_EQ(t.waves.played.back(), "drcls3");
}

TEST_F(PrintPreviewInMain, FilePrintAndTheToolbarPrintTheActivePreview) {
  PreviewFrom("mnuEditSetup", "frmSetup");
  ASSERT_NE(Preview(), nullptr);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const char* command : {"mnuFilePrint", "tbToolBar:Print", "cmdQBPrintPreview"}) {
    const QString pdf = dir.filePath(QString(command).left(5) + ".pdf");
    t.files.Queue(pdf.toStdString());
    main->RunCommand(command);
    EXPECT_TRUE(QFile::exists(pdf)) << command;
    EXPECT_EQ(main->ActiveWindowName(), "frmPrintForm") << command;
  }
}

TEST_F(PrintPreviewInMain, EntryPreviewFromTheEditorReturnsToTheEditor) {
  ASSERT_TRUE(OpenEntryEditor(t.ctx, 1, main.get()));
  Flush();
  ASSERT_EQ(main->ActiveWindowName(), "frmEditEntry");
  main->RunCommand("cmdQBPrintPreview");
  Flush();
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(t.pool.PrintEntry, 1);
  EXPECT_TRUE(Preview()->contents().showScoring);
  EXPECT_EQ(Preview()->contents().header, "Entry # 1 for Ann");
  EXPECT_FALSE(ButtonShown("cmdQBFill"));
  main->RunCommand("cmdQBCancel");
  Flush();
  EXPECT_EQ(t.pool.PrintEntry, 0);
  EXPECT_EQ(main->ActiveWindowName(), "frmEditEntry");
}

}  // namespace
}  // namespace qb
