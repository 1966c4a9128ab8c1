#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "platform/app_context.h"
#include "platform/print_surface.h"
#include "reports/frmPageSetup.h"
#include "support/modal_answer.h"

namespace qb {
namespace {

class PageSetupTest : public ::testing::Test {
 protected:
  QLineEdit* Size(frmPageSetup& d) { return d.findChild<QLineEdit*>("txtFontSize"); }
  QRadioButton* Opt(frmPageSetup& d, const char* name) { return d.findChild<QRadioButton*>(name); }
  TestContext t;
};

TEST_F(PageSetupTest, OpensWithTheStoredChoicesUnchanged) {
  t.settings.SaveSetting("Printer", "FontSize", "11");
  t.settings.SaveSetting("Printer", "Orientation", "1");
  frmPageSetup d(t.ctx);
  EXPECT_EQ(d.windowTitle(), "Page Setup");
  EXPECT_EQ(Size(d)->text(), "11");
  EXPECT_TRUE(Opt(d, "optPortrait")->isChecked());
  EXPECT_FALSE(d.PageSetupChanged());
  EXPECT_EQ(t.pool.PrintFontSize, 11);
  EXPECT_EQ(Opt(d, "optLandscape")->toolTip(), "Select the direction that the paper should be printed.");
  EXPECT_EQ(Size(d)->toolTip(), "Enter the font size to use for reports (8 recommended)");
}

TEST_F(PageSetupTest, OkStoresTheRoundedSizeAndTheOrientation) {
  struct Case {
    const char* text;
    const char* stored;
  };
  for (const Case& c : {Case{"10.4", "10"}, Case{"73", "8"}, Case{"2", "2"}, Case{"72", "72"}}) {
    SCOPED_TRACE(c.text);
    frmPageSetup d(t.ctx);
    Size(d)->setText(c.text);
    QTest::mouseClick(Opt(d, "optLandscape"), Qt::LeftButton);
    EXPECT_TRUE(d.PageSetupChanged());
    d.cmdOK_Click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(t.settings.values["Printer/FontSize"], c.stored);
    EXPECT_EQ(t.settings.values["Printer/Orientation"], "2");
    EXPECT_EQ(t.pool.PrintOrientation, 2);
  }
  // Reopened, Landscape is chosen.
  frmPageSetup again(t.ctx);
  EXPECT_TRUE(Opt(again, "optLandscape")->isChecked());
}

TEST_F(PageSetupTest, CancelKeepsTheSettingsAndTheSharedValues) {
  t.settings.SaveSetting("Printer", "FontSize", "9");
  t.settings.SaveSetting("Printer", "Orientation", "2");
  frmPageSetup d(t.ctx);
  Size(d)->setText("20");
  QTest::mouseClick(Opt(d, "optPortrait"), Qt::LeftButton);
  t.pool.SoundPlayed = 0;
  d.cmdCancel_Click();
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(t.settings.values["Printer/FontSize"], "9");
  EXPECT_EQ(t.settings.values["Printer/Orientation"], "2");
  EXPECT_EQ(t.pool.PrintFontSize, 9);
  EXPECT_EQ(t.pool.PrintOrientation, 2);
  EXPECT_EQ(t.waves.played.back(), "whoosh");
}

TEST_F(PageSetupTest, LeavingTheFieldChecksTheRange) {
  for (const char* text : {"1", "73", "0", "ten"}) {
    SCOPED_TRACE(text);
    ScriptedPrompts& prompts = t.prompts;
    prompts.asked.clear();
    frmPageSetup d(t.ctx);
    Size(d)->setText(text);
    EXPECT_FALSE(d.txtFontSize_LostFocus());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Font Size must be between 2 and 72");
    EXPECT_EQ(prompts.asked[0].icon, MsgIcon::None);
  }
  for (const char* text : {"2", "72", "8"}) {
    frmPageSetup d(t.ctx);
    Size(d)->setText(text);
    EXPECT_TRUE(d.txtFontSize_LostFocus()) << text;
  }
}

TEST_F(PageSetupTest, TabbingOutOfABadSizeIsToldAndTheFocusComesBack) {
  frmPageSetup d(t.ctx);
  d.show();
  QApplication::setActiveWindow(&d);
  Size(d)->setFocus();
  QApplication::processEvents();
  Size(d)->setText("99");
  QTest::keyClick(Size(d), Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_TRUE(t.prompts.AnyTextContains("Font Size must be between 2 and 72"));
  EXPECT_TRUE(Size(d)->hasFocus());
  // Cancel is never held up by the check.
  t.prompts.asked.clear();
  Size(d)->setText("99");
  QTest::mouseClick(d.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_EQ(d.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST(PageSetupPrinter, CancellingThePrinterDialogSaysNothingAndKeepsThePrinter) {
  TestContext t;
  SharedPrinter printer;
  t.ctx.printer = &printer;
  const QString before = printer.printer().printerName();
  frmPageSetup d(t.ctx);
  bool seen = false;
  test::OnNextModal<QPrintDialog>([&](QPrintDialog* dlg) {
    seen = true;
    dlg->reject();
  });
  d.cmdPrinterSetup_Click();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_EQ(printer.printer().printerName(), before);
  EXPECT_EQ(t.waves.played, std::vector<std::string>{"start"});
}

// QB_REPORT_SHOTS=<folder> saves a picture of the dialog there.
TEST(PageSetupPicture, Pictures) {
  const QByteArray dir = qgetenv("QB_REPORT_SHOTS");
  if (dir.isEmpty()) GTEST_SKIP() << "set QB_REPORT_SHOTS to a folder";
  TestContext t;
  frmPageSetup d(t.ctx);
  d.show();
  QApplication::processEvents();
  EXPECT_TRUE(d.grab().save(QString(dir) + "/frmPageSetup.png"));
}

}  // namespace
}  // namespace qb
