#include <QHeaderView>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "entries/frmImportBettors.h"
#include "import_dialogs_support.h"
#include "participant_dialogs_support.h"

namespace qb {
namespace {

using testing::ClickCell;
using testing::Find;
using testing::GridRow;
using Row = std::vector<std::string>;

class ImportBettorsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::MakeOpenPool(s); }

  std::unique_ptr<frmImportBettors> Open() {
    auto w = std::make_unique<frmImportBettors>(t.ctx);
    w->show();
    grid = Find<GridView>(w.get(), "flxBettor");
    return w;
  }
  // Chooses the file through Locate File, as the kind of file given.
  void Locate(frmImportBettors* w, const char* option, std::optional<std::string> path) {
    QTest::mouseClick(Find<QRadioButton>(w, option), Qt::LeftButton);
    t.files.Queue(std::move(path));
    QTest::mouseClick(Find<QPushButton>(w, "cmdLocate"), Qt::LeftButton);
  }
  std::string Instructions(QWidget* w) {
    return Find<QLabel>(w, "lblInstructions2")->text().toStdString();
  }

  TestContext t;
  PoolState& s = t.pool;
  testing::ImportFolder folder;
  GridView* grid = nullptr;
};

TEST_F(ImportBettorsTest, FromTheMenuTheUserChoosesTheKindOfFileFirst) {
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), "Bring in Participants from Another File");
  EXPECT_TRUE(Find<QGroupBox>(w.get(), "fraLocate")->isVisible());
  EXPECT_FALSE(Find<QGroupBox>(w.get(), "fraData")->isVisible());
  EXPECT_TRUE(Find<QRadioButton>(w.get(), "optQBFile")->isChecked());
  EXPECT_FALSE(Find<QPushButton>(w.get(), "cmdOK")->isEnabled());
  EXPECT_TRUE(s.DialogCancelled);

  Locate(w.get(), "optQBFile", std::nullopt);
  EXPECT_EQ(t.prompts.LastText(), "No file selected");
  EXPECT_FALSE(Find<QGroupBox>(w.get(), "fraData")->isVisible());
}

TEST_F(ImportBettorsTest, ACommaDelimitedFileIsComparedWithThePoolAndApplied) {
  auto w = Open();
  Locate(w.get(), "optCDF", folder.Copy("participants.csv"));
  EXPECT_EQ(t.files.titles.back(), "Locate File");
  EXPECT_TRUE(Find<QGroupBox>(w.get(), "fraData")->isVisible());
  EXPECT_EQ(Find<QPushButton>(w.get(), "cmdOK")->text(), "Add to File");
  EXPECT_EQ(GridRow(grid, 0),
            (Row{"Participant Name", "Action", "IBR", "E-m", "Ph", "Info", "BR"}));
  ASSERT_EQ(grid->grid().Rows(), 3);  // Bob brings nothing new
  EXPECT_EQ(GridRow(grid, 1), (Row{"Ann", "Overlay", "1", "Y", "ND", "*", "1"}));
  EXPECT_EQ(GridRow(grid, 2), (Row{"Smith, Jo", "Add as new", "2", "", "", "", "0"}));
  EXPECT_EQ(grid->grid().ColWidth(2), 0);
  EXPECT_EQ(grid->grid().ColWidth(6), 0);
  EXPECT_EQ(Instructions(w.get()).rfind("Click on Action, E-mail, Phone, or Info flag", 0), 0u);

  ClickCell(grid, 1, 3);  // keep Ann's e-mail
  EXPECT_EQ(GridRow(grid, 1), (Row{"Ann", "New Data", "1", "N", "ND", "*", "1"}));
  ClickCell(grid, 2, 1);  // a new participant stays new
  EXPECT_EQ(grid->grid().TextMatrix(2, 1), "Add as new");
  ClickCell(grid, 0, 1);  // the headings change nothing
  EXPECT_EQ(grid->grid().TextMatrix(0, 1), "Action");
  EXPECT_EQ(t.waves.played.front(), "start");

  QTest::mouseClick(Find<QPushButton>(w.get(), "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(t.prompts.LastText(), "Bettors imported successfully.");
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(w->result(), QDialog::Accepted);
  EXPECT_EQ(s.Bettors[1].EMail, "ann@x.org");
  EXPECT_EQ(s.Bettors[1].Phone, "555-0101");
  ASSERT_EQ(s.NumBettors, 3);
  EXPECT_EQ(s.Bettors[3].Name, "Smith, Jo");
  EXPECT_EQ(s.Bettors[3].Info, "plays \"chess\"");
}

TEST_F(ImportBettorsTest, EachFileChosenStartsItsOwnList) {
  auto w = Open();
  Locate(w.get(), "optCDF", folder.Copy("participants.csv"));
  ASSERT_EQ(grid->grid().Rows(), 3);
  Locate(w.get(), "optCDF", folder.Put("other.csv", "Cy,cy@x.org,,\r\n"));
  ASSERT_EQ(grid->grid().Rows(), 2);
  EXPECT_EQ(grid->grid().TextMatrix(1, 0), "Cy");
  EXPECT_EQ(s.NumImportBettors, 1);

  // A file of another kind than chosen reads as nothing and offers nothing.
  Locate(w.get(), "optQBFile", folder.Copy("participants.csv"));
  EXPECT_EQ(t.prompts.LastText(), "File is not a Quorvel Brakkon file.\nNothing will be imported.");
  EXPECT_EQ(s.NumImportBettors, 0);
  EXPECT_FALSE(Find<QGroupBox>(w.get(), "fraData")->isVisible());
  EXPECT_FALSE(Find<QPushButton>(w.get(), "cmdOK")->isEnabled());
}

TEST_F(ImportBettorsTest, APoolFileGivesItsParticipantRecords) {
  auto w = Open();
  Locate(w.get(), "optQBFile", folder.Copy("import_4_teams.qbp"));
  ASSERT_EQ(grid->grid().Rows(), 3);
  EXPECT_EQ(GridRow(grid, 1), (Row{"Ann", "Overlay", "1", "Y", "ND", "*", "1"}));
  EXPECT_EQ(GridRow(grid, 2), (Row{"Dee", "Add as new", "2", "", "", "", "0"}));
}

TEST_F(ImportBettorsTest, AFileThatCannotBeReadIsNamed) {
  auto w = Open();
  Locate(w.get(), "optCDF", folder.Path("gone.csv"));
  EXPECT_EQ(t.prompts.LastText().rfind("Unable to read file " + folder.Path("gone.csv"), 0), 0u);
  EXPECT_FALSE(Find<QGroupBox>(w.get(), "fraData")->isVisible());
}

TEST_F(ImportBettorsTest, WindowsOneTwoFiftyTwoTextKeepsItsLetters) {
  auto w = Open();
  Locate(w.get(), "optCDF", folder.Copy("participants_cp1252.csv"));
  ASSERT_EQ(grid->grid().Rows(), 2);
  EXPECT_EQ(grid->grid().TextMatrix(1, 0), "Zo\xC3\xAB");
  QTest::mouseClick(Find<QPushButton>(w.get(), "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(s.Bettors[3].Info, "caf\xC3\xA9");
}

TEST_F(ImportBettorsTest, NothingNewStillConfirmsAndMarksThePoolChanged) {
  auto w = Open();
  Locate(w.get(), "optCDF", folder.Put("same.csv", "Bob,bob@x.org,555,\r\nAnn,,,\r\n"));
  EXPECT_EQ(grid->grid().Rows(), 1);
  EXPECT_EQ(Instructions(w.get()),
            "No new bettor data in the import file!\r\n\r\nNothing will be processed!");
  QTest::mouseClick(Find<QPushButton>(w.get(), "cmdOK"), Qt::LeftButton);
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_EQ(s.NumBettors, 2);
}

TEST_F(ImportBettorsTest, FromTheEntryImportOnlyTheMarkedParticipantsShowAtOnce) {
  s.BettorImportFromEntries = true;
  ClearImportPool(s);
  s.NumImportBettors = 2;
  s.ImportBettors.resize(3);
  s.ImportBettors[1] = BettorRecord{"Zed", "", "", "zed@x.org", true};
  s.ImportBettors[2] = BettorRecord{"Yan", "", "", "", false};
  auto w = Open();
  EXPECT_FALSE(Find<QGroupBox>(w.get(), "fraLocate")->isVisible());
  ASSERT_EQ(grid->grid().Rows(), 2);
  EXPECT_EQ(grid->grid().TextMatrix(1, 0), "Zed");
  EXPECT_EQ(grid->grid().Row(), 1);

  s.ImportBettors[1].ImportMark = false;
  auto again = Open();
  EXPECT_EQ(Instructions(again.get()),
            "No new bettor data in the import file!\r\n\r\nClick on 'Continue' to process entries.");
  EXPECT_EQ(Find<QPushButton>(again.get(), "cmdOK")->text(), "Continue");
}

TEST_F(ImportBettorsTest, CancelAndEscapeChangeNothing) {
  for (bool escape : {false, true}) {
    auto w = Open();
    Locate(w.get(), "optCDF", folder.Copy("participants.csv"));
    if (escape)
      QTest::keyClick(w.get(), Qt::Key_Escape);
    else
      QTest::mouseClick(Find<QPushButton>(w.get(), "cmdCancel"), Qt::LeftButton);
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_TRUE(s.DialogCancelled);
    EXPECT_FALSE(s.PoolChanged);
    EXPECT_EQ(s.NumBettors, 2);
    EXPECT_EQ(s.Bettors[1].Phone, "");
  }
  EXPECT_EQ(t.waves.played.back(), "whoosh");
}

TEST_F(ImportBettorsTest, HelpOpensTheWindowsTopic) {
  auto w = Open();
  QTest::mouseClick(Find<QPushButton>(w.get(), "cmdHelp"), Qt::LeftButton);
  ASSERT_EQ(t.help.topics.size(), 1u);
  EXPECT_EQ(t.help.topics[0], "frmImportBettors#56");
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

// "Keep current", the longest action, shows whole, and so does the grid's
// lower edge. QB_ENTRIES_SHOTS=dir writes a picture for a look by eye.
TEST_F(ImportBettorsTest, ColumnsAreWideEnoughForTheirTexts) {
  auto w = Open();
  Locate(w.get(), "optCDF", folder.Copy("participants.csv"));
  ClickCell(grid, 1, 1);
  ASSERT_EQ(grid->grid().TextMatrix(1, 1), "Keep current");
  QApplication::processEvents();
  const QFontMetrics fm(grid->font());
  EXPECT_GE(grid->columnWidth(1), fm.horizontalAdvance("Keep current") + 6);
  EXPECT_GT(grid->columnWidth(0), fm.horizontalAdvance("Smith, Jo"));
  auto* frame = Find<QGroupBox>(w.get(), "fraData");
  EXPECT_LE(grid->geometry().bottom(), frame->contentsRect().bottom());
  EXPECT_GE(grid->viewport()->width(), grid->horizontalHeader()->length());
  const QByteArray dir = qgetenv("QB_ENTRIES_SHOTS");
  if (!dir.isEmpty()) EXPECT_TRUE(w->grab().save(QString(dir) + "/import_bettors.png"));
}

}  // namespace
}  // namespace qb
