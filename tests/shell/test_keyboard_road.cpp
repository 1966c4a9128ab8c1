// The main road with the keyboard only: a new pool, its parameters, the
// bracket setup, the results and a new entry, typed into and closed with
// Enter and Escape, the focus followed after every step.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "bracket/frmParms.h"
#include "entries/frmEntryHeader.h"
#include "entries/frmSelectEntry.h"
#include "shell_fixture.h"
#include "support/modal_answer.h"

namespace qb {
namespace {

class KeyboardRoad : public ShellTest {
 protected:
  void SetUp() override {
    t.pool.SoundStatus = "Off";
    MakeStandardMain();
    ShowMain();
  }
  static QString FocusName() { return Focus() ? Focus()->objectName() : QString("(none)"); }
  static void Type(const QString& text) { QTest::keyClicks(Focus(), text); }
  static void Key(Qt::Key key) { QTest::keyClick(Focus(), key); }

  // File > New, the parameters typed into their first boxes, Enter for OK.
  void NewPoolByKeyboard(int teams) {
    QString first;
    test::OnNextModal<frmParms>([&](frmParms* d) {
      QApplication::processEvents();
      first = FocusName();
      Type("Office");  // the pool's name, the first box
      d->findChild<QLineEdit*>("txtNbrTeams")->setFocus();
      Type(QString::number(teams));
      Key(Qt::Key_Return);
    });
    main->RunCommand("mnuFileNew");
    EXPECT_EQ(first, "txtFileName");
  }
};

TEST_F(KeyboardRoad, NewPoolSetupResultsAndAnEntryWithTheKeyboard) {
  NewPoolByKeyboard(8);
  ASSERT_EQ(t.pool.Pool.NumTeams, 8);
  EXPECT_EQ(t.pool.Pool.PoolName, "Office");

  // Bracket setup: the first team box, Tab from box to box; Escape after a
  // change asks first, and Cancel keeps the window and the focus in it.
  main->RunCommand("mnuEditSetup");
  ASSERT_EQ(main->ActiveWindowName(), "frmSetup");
  EXPECT_EQ(FocusName(), "txtTeamName(1)");
  for (int n = 1; n <= 8; ++n) {
    const QString box = FocusName();
    Type("Team" + QString::number(n));
    Key(Qt::Key_Tab);
    ASSERT_TRUE(FocusInActiveChild()) << "after " << box.toStdString();
    if (FocusName().startsWith("txtTeamSeed")) Key(Qt::Key_Tab);  // no seeds
  }
  const size_t asked = t.prompts.asked.size();
  t.prompts.Queue(MsgAnswer::Cancel);
  Key(Qt::Key_Escape);
  EXPECT_EQ(t.prompts.asked.size(), asked + 1);
  ASSERT_EQ(main->ActiveWindowName(), "frmSetup");
  EXPECT_TRUE(FocusInActiveChild()) << FocusName().toStdString();
  // Enter in a box keeps its meaning: it does not close the window.
  Key(Qt::Key_Return);
  EXPECT_EQ(main->ActiveWindowName(), "frmSetup");
  // Edit > Save and Exit waits for a whole bracket; Escape and Yes save it.
  t.prompts.Queue(MsgAnswer::Yes);
  Key(Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  ASSERT_TRUE(main->mdiArea()->subWindowList().isEmpty()) << t.prompts.asked.back().text;
  EXPECT_EQ(t.pool.Teams[8].Name, "Team8");

  // Results: Escape with nothing changed closes at once.
  {
    main->RunCommand("mnuEditResults");
    ASSERT_EQ(main->ActiveWindowName(), "frmEnterResults");
    EXPECT_TRUE(FocusInActiveChild()) << FocusName().toStdString();
    const size_t before = t.prompts.asked.size();
    Key(Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_EQ(t.prompts.asked.size(), before);
    EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  }

  // A new entry: the selection's New, the header's name typed and Enter.
  QString selectionFocus, headerFocus;
  test::OnNextModal<frmSelectEntry>([&](frmSelectEntry*) {
    selectionFocus = FocusName();
    test::OnNextModal<frmEntryHeader>([&](frmEntryHeader* header) {
      headerFocus = FocusName();
      Type("Pat");
      header->findChild<QLineEdit*>("txtBettorEntryNbr")->setFocus();
      Type("1");
      t.prompts.Queue(MsgAnswer::Yes);  // add the new participant
      Key(Qt::Key_Return);
    });
    QTest::keyClick(Focus(), Qt::Key_N, Qt::AltModifier);
  });
  main->RunCommand("mnuEditEntry");
  EXPECT_FALSE(selectionFocus.isEmpty());
  EXPECT_EQ(headerFocus, "comEntryName");
  EXPECT_EQ(main->ActiveWindowName(), "frmEditEntry");
  EXPECT_TRUE(FocusInActiveChild()) << FocusName().toStdString();
}

TEST_F(KeyboardRoad, TheEditorsOKLeadsBackToTheSelectionAndEscapeLeavesIt) {
  NewPoolByKeyboard(4);
  for (int n = 1; n <= 4; ++n) t.pool.Teams[n].Name = "Team " + std::to_string(n);
  main->AdjustMenuForParameters();
  test::OnNextModal<frmSelectEntry>([&](frmSelectEntry*) {
    test::OnNextModal<frmEntryHeader>([&](frmEntryHeader* header) {
      Type("Pat");
      header->findChild<QLineEdit*>("txtBettorEntryNbr")->setFocus();
      Type("1");
      t.prompts.Queue(MsgAnswer::Yes);
      Key(Qt::Key_Return);
    });
    QTest::keyClick(Focus(), Qt::Key_N, Qt::AltModifier);
  });
  main->RunCommand("mnuEditEntry");
  ASSERT_EQ(main->ActiveWindowName(), "frmEditEntry");

  // OK with picks missing asks first; Yes saves and the selection comes
  // back for the next entry, where Escape leaves it.
  QString selectionFocus;
  bool selectionShown = false;
  test::OnNextModal<frmSelectEntry>([&](frmSelectEntry* d) {
    selectionShown = true;
    selectionFocus = FocusName();
    QTest::keyClick(Focus(), Qt::Key_Escape);
    if (d->isVisible()) d->reject();
  });
  for (int i = 0; i < 4; ++i) t.prompts.Queue(MsgAnswer::Yes);
  main->RunCommand("mnuEditOK");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  EXPECT_TRUE(selectionShown);
  EXPECT_EQ(selectionFocus, "lstEntries");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(t.pool.NumEntries, 1);
}

}  // namespace
}  // namespace qb
