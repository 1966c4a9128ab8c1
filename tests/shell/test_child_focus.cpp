// The keyboard's place: each window opens with the focus in its first field,
// and it comes back to the active child window after every dialog and
// toolbar click.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "bracket/frmEnterResults.h"
#include "bracket/frmParms.h"
#include "bracket/frmSetup.h"
#include "core/bracket.h"
#include "entries/frmEditEntry.h"
#include "entries/frmEntryHeader.h"
#include "entries/frmSelectEntry.h"
#include "shell/window_table.h"
#include "new_entry_support.h"
#include "shell_fixture.h"
#include "support/modal_answer.h"

namespace qb {
namespace {

class ChildFocusTest : public ShellTest {
 protected:
  void SetUp() override {
    MakeStandardMain();
    main->resize(1000, 700);
    OpenBracket(8);
    ShowMain();
  }
  static QWidget* ActiveWindow() {
    QApplication::processEvents();
    return QApplication::activeWindow();
  }
  QLineEdit* Box(const char* name) const {
    return Active() ? Active()->findChild<QLineEdit*>(name) : nullptr;
  }
  void ClickToolbar(const char* key) {
    auto* bar = main->findChild<QToolBar*>("tbToolBar");
    QTest::mouseClick(bar->widgetForAction(main->ToolbarButton(key)), Qt::LeftButton);
  }
  // Pool Parameters from the toolbar, closed by Cancel; returns where its
  // focus stood while it was open.
  QString ParametersFocus() {
    QString focus;
    test::OnNextModal<QDialog>([&focus](QDialog* d) {
      QApplication::processEvents();
      focus = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
      d->reject();
    });
    ClickToolbar("Parms");
    return focus;
  }
};

TEST_F(ChildFocusTest, TheSetupWindowOpensInItsFirstBoxAndKeepsTheFocusAfterDialogs) {
  main->MenuItem("mnuEditSetup")->trigger();
  ASSERT_NE(Box("txtTeamName(1)"), nullptr);
  EXPECT_EQ(Focus(), Box("txtTeamName(1)"));
  QTest::keyClicks(Box("txtTeamName(1)"), "X");  // the first key typed is kept
  EXPECT_EQ(Box("txtTeamName(1)")->text(), "X");

  Box("txtTeamName(3)")->setFocus();
  EXPECT_EQ(ParametersFocus(), "txtFileName");  // the dialog opens in its first field
  EXPECT_EQ(ActiveWindow(), main.get());
  EXPECT_EQ(Focus(), Box("txtTeamName(3)"));

  t.files.Queue(std::nullopt);  // Save asks for a name; the user cancels
  ClickToolbar("Save");
  EXPECT_EQ(ActiveWindow(), main.get());
  EXPECT_EQ(Focus(), Box("txtTeamName(3)"));
}

TEST_F(ChildFocusTest, TheResultsWindowOpensInItsTiebreakerBox) {
  t.pool.Pool.TiebreakerUsed = true;
  t.pool.Pool.TiebreakerType = "Points Final Game - Both Teams";
  SetupBracketFromParameters(t.pool, t.prompts);
  main->MenuItem("mnuEditResults")->trigger();
  ASSERT_NE(Box("txtTiebreakerAmt"), nullptr);
  EXPECT_EQ(Focus(), Box("txtTiebreakerAmt"));
}

TEST_F(ChildFocusTest, TheEditorOfANewParticipantsEntryIsTheActiveWindow) {
  test::NewEntryThroughTheWindows(*main, "Carol");
  ASSERT_NE(qobject_cast<frmEditEntry*>(Active()), nullptr);
  EXPECT_EQ(ActiveWindow(), main.get());
  EXPECT_TRUE(FocusInActiveChild());
}

}  // namespace
}  // namespace qb
