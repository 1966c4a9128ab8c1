#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "entries/frmImportBettors.h"
#include "entries/frmImportEntries.h"
#include "import_dialogs_support.h"
#include "participant_dialogs_support.h"
#include "support/fake_main_window.h"

namespace qb {
namespace {

using testing::AnswerNextModal;
using testing::ClickCell;
using testing::Find;
using testing::GridRow;
using Row = std::vector<std::string>;

constexpr int kAccept = 1, kReplace = 2, kCollected = 6;

class ImportEntriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::MakeOpenPool(s);
    fixture = folder.Copy("import_4_teams.qbp");
  }

  std::unique_ptr<frmImportEntries> Open(std::vector<std::string> files) {
    s.ImportFileList = files;
    s.NumImportFiles = static_cast<int16_t>(files.size());
    auto w = std::make_unique<frmImportEntries>(t.ctx);
    w->show();
    grid = Find<GridView>(w.get(), "flxImports");
    return w;
  }
  void Click(QWidget* w, const char* button) {
    QTest::mouseClick(Find<QPushButton>(w, button), Qt::LeftButton);
  }
  std::string Label(QWidget* w, const char* name) {
    return Find<QLabel>(w, name)->text().toStdString();
  }
  // The fixture with one line changed.
  std::string Variant(const std::string& name, const std::string& from, const std::string& to) {
    std::string bytes = testing::FixtureBytes("import_4_teams.qbp");
    bytes.replace(bytes.find(from), from.size(), to);
    return folder.Put(name, bytes);
  }

  TestContext t;
  PoolState& s = t.pool;
  testing::ImportFolder folder;
  std::string fixture;
  GridView* grid = nullptr;
};

TEST_F(ImportEntriesTest, EveryEntryOfTheFileGetsARowToAccept) {
  auto w = Open({fixture});
  EXPECT_EQ(w->windowTitle(), "Summary of Entries to be Imported");
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_TRUE(s.LoadErrors.empty());
  EXPECT_EQ(GridRow(grid, 0),
            (Row{"Name / Entry Nbr", "Accept / Reject", "New / Replace", "Not used anymore",
                 "Tie- breaker?", "Missing Picks", "Collected?"}));
  ASSERT_EQ(grid->grid().Rows(), 4);
  EXPECT_EQ(GridRow(grid, 1), (Row{"Ann / 1", "Accept", "New", "", "Yes", "0", "No"}));
  EXPECT_EQ(GridRow(grid, 2), (Row{"Dee / 1", "Accept", "New", "", "Yes", "0", "Yes"}));
  EXPECT_EQ(GridRow(grid, 3), (Row{"Ann / 2", "Accept", "New", "", "No", "1", "No"}));
  EXPECT_EQ(Label(w.get(), "lblInstructions"),
            "Click on the 'Reject/Accept', 'New/Replace', or 'Collected?' cells to toggle those "
            "values.");
  EXPECT_EQ(Label(w.get(), "lblNewTotal"), "3");
  EXPECT_EQ(Label(w.get(), "lblCollectedTotal"), "1");
  EXPECT_EQ(Label(w.get(), "lblCostTotal"), "$15.00");
  EXPECT_EQ(Label(w.get(), "lblCollectedAmount"), "$5.00");
  EXPECT_EQ(s.NumEntries, 2);  // nothing changes before OK
  EXPECT_FALSE(s.PoolChanged);
}

TEST_F(ImportEntriesTest, ClicksToggleTheCellsWithTheirRefusals) {
  auto w = Open({fixture});
  ClickCell(grid, 1, kReplace);  // Ann's entry 1 is in the pool, collected
  EXPECT_EQ(GridRow(grid, 1), (Row{"Ann / 1", "Accept", "Replace", "", "Yes", "0", "Previously"}));
  EXPECT_EQ(Label(w.get(), "lblReplaceTotal"), "1");
  ClickCell(grid, 1, kCollected);
  EXPECT_EQ(t.prompts.LastText(),
            "This entry was already marked as collected\nand cannot be changed here.");
  ClickCell(grid, 1, kReplace);  // new again: the file's own "No"
  EXPECT_EQ(grid->grid().TextMatrix(1, kCollected), "No");

  ClickCell(grid, 3, kReplace);
  EXPECT_EQ(t.prompts.LastText(),
            "There is no Entry Number 2 for Ann on file\nCannot change to be a 'Replace'");
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::Exclamation);
  EXPECT_EQ(grid->grid().TextMatrix(3, kReplace), "New");

  ClickCell(grid, 2, kAccept);
  EXPECT_EQ(grid->grid().TextMatrix(2, kAccept), "Reject");
  EXPECT_EQ(Label(w.get(), "lblRejectedTotal"), "1");
  ClickCell(grid, 2, kCollected);
  EXPECT_EQ(grid->grid().TextMatrix(2, kCollected), "No");
  ClickCell(grid, 0, kAccept);  // headings do nothing
  EXPECT_EQ(grid->grid().TextMatrix(0, kAccept), "Accept / Reject");

  ClickCell(grid, 1, kReplace);
  Click(w.get(), "cmdMarkCollected");
  EXPECT_EQ(grid->grid().TextMatrix(1, kCollected), "Previously");
  EXPECT_EQ(grid->grid().TextMatrix(2, kCollected), "Yes");
  EXPECT_EQ(grid->grid().TextMatrix(3, kCollected), "Yes");
  Click(w.get(), "cmdMarkNotCollected");
  EXPECT_EQ(grid->grid().TextMatrix(1, kCollected), "Previously");
  EXPECT_EQ(grid->grid().TextMatrix(3, kCollected), "No");
  EXPECT_EQ(t.waves.played.front(), "start");
}

TEST_F(ImportEntriesTest, TheSpaceBarTogglesTheCurrentCell) {
  auto w = Open({fixture});
  ASSERT_EQ(grid->grid().Row(), 1);
  ASSERT_EQ(grid->grid().Col(), kAccept);
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Space);
  EXPECT_EQ(grid->grid().TextMatrix(1, kAccept), "Reject");
  QTest::keyClick(grid, Qt::Key_Right);
  QTest::keyClick(grid, Qt::Key_Space);
  EXPECT_EQ(grid->grid().TextMatrix(1, kReplace), "Replace");
  EXPECT_TRUE(t.prompts.asked.empty());
}

TEST_F(ImportEntriesTest, OkBringsTheParticipantsInThenTheEntries) {
  auto w = Open({fixture});
  ClickCell(grid, 1, kReplace);
  bool answered = false;
  AnswerNextModal<frmImportBettors>(
      [&](frmImportBettors* d) {
        auto* bettors = Find<GridView>(d, "flxBettor");
        EXPECT_EQ(GridRow(bettors, 1), (Row{"Ann", "Overlay", "1", "Y", "ND", "*", "1"}));
        EXPECT_EQ(GridRow(bettors, 2), (Row{"Dee", "Add as new", "2", "", "", "", "0"}));
        d->cmdOK_Click();
      },
      &answered);
  Click(w.get(), "cmdOK");
  ASSERT_TRUE(answered);
  EXPECT_EQ(w->result(), QDialog::Accepted);
  EXPECT_EQ(t.prompts.asked.size(), 2u);
  EXPECT_EQ(t.prompts.asked[0].text, "Bettors imported successfully.");
  EXPECT_EQ(t.prompts.LastText(), "Entries imported successfully");
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_FALSE(s.BettorImportFromEntries);
  EXPECT_NE(std::find(t.waves.played.begin(), t.waves.played.end(), "slurp"),
            t.waves.played.end());

  EXPECT_EQ(s.Bettors[1].EMail, "ann@new.org");
  ASSERT_EQ(s.NumBettors, 3);
  EXPECT_EQ(s.Bettors[3].Name, "Dee");
  ASSERT_EQ(s.NumEntries, 4);
  EXPECT_TRUE(s.Entries[1].Collected);  // replaced, its payment kept
  EXPECT_FLOAT_EQ(s.Entries[1].Tiebreaker, 40);
  EXPECT_EQ(s.Picks(2, 1), 3);
  EXPECT_EQ(s.Picks(3, 2), 4);  // Bob's picks stay
  EXPECT_EQ(s.Entries[3].BettorIndex, 3);
  EXPECT_TRUE(s.Entries[3].Collected);
  EXPECT_EQ(s.Picks(1, 3), 2);
  EXPECT_EQ(s.Entries[4].BettorIndex, 1);
  EXPECT_EQ(s.Entries[4].EntryNumber, 2);
  EXPECT_EQ(s.Picks(2, 4), 4);
}

TEST_F(ImportEntriesTest, OnlyTheParticipantsOfAcceptedEntriesAreOffered) {
  auto w = Open({fixture});
  ClickCell(grid, 2, kAccept);  // Dee's only entry
  AnswerNextModal<frmImportBettors>([&](frmImportBettors* d) {
    EXPECT_EQ(Find<GridView>(d, "flxBettor")->grid().Rows(), 2);
    d->cmdOK_Click();
  });
  Click(w.get(), "cmdOK");
  EXPECT_EQ(s.NumBettors, 2);
  EXPECT_EQ(s.NumEntries, 4);
}

TEST_F(ImportEntriesTest, CancellingTheParticipantsAddsNothing) {
  auto w = Open({fixture});
  AnswerNextModal<frmImportBettors>([](frmImportBettors* d) { d->cmdCancel_Click(); });
  Click(w.get(), "cmdOK");
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(s.NumEntries, 2);
  EXPECT_EQ(s.NumBettors, 2);
  EXPECT_EQ(s.Bettors[1].EMail, "ann@x.org");
  EXPECT_FALSE(s.PoolChanged);
  EXPECT_FALSE(s.BettorImportFromEntries);
}

TEST_F(ImportEntriesTest, WithEveryRowRejectedThereIsNothingToImport) {
  auto w = Open({fixture});
  for (int r = 1; r <= 3; ++r) ClickCell(grid, r, kAccept);
  Click(w.get(), "cmdOK");
  EXPECT_EQ(t.prompts.LastText(), "There are no Entries in the file to import!");
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(s.NumEntries, 2);
}

TEST_F(ImportEntriesTest, ParticipantsAreLookedUpAcrossTheFiles) {
  std::string second = Variant("second.qbp", "\"%EntHdr`\",\"Ann\",2", "\"%EntHdr`\",\"Ann\",3");
  auto w = Open({fixture, second});
  ASSERT_EQ(grid->grid().Rows(), 7);
  EXPECT_EQ(s.NumImportBettors, 2);
  AnswerNextModal<frmImportBettors>([&](frmImportBettors* d) {
    EXPECT_EQ(Find<GridView>(d, "flxBettor")->grid().Rows(), 3);  // Ann and Dee, once each
    d->cmdOK_Click();
  });
  Click(w.get(), "cmdOK");
  EXPECT_EQ(s.NumBettors, 3);
  EXPECT_EQ(s.NumEntries, 8);
  for (int e = 3; e <= 8; ++e) EXPECT_NE(s.Entries[e].BettorIndex, 0) << e;
}

TEST_F(ImportEntriesTest, DifferencesGoToTheLoadErrorListOfTheMainWindow) {
  FakeMainWindow main;
  t.ctx.main = &main;
  std::string other = Variant("other.qbp", "\"Owls\",2", "\"Ravens\",2");
  auto w = Open({other});
  EXPECT_TRUE(main.Called("ShowWindowByName frmErrors"));
  ASSERT_EQ(s.NumLoadErrors, 2);
  EXPECT_EQ(s.LoadErrors[0], "Errors below found in file " + other);
  EXPECT_EQ(s.LoadErrors[1],
            "Team & Seed 2: 'Ravens, seed 2' in import file, 'Owls, seed 2' in current file");
  EXPECT_EQ(grid->grid().Rows(), 4);  // the list answered OK
}

TEST_F(ImportEntriesTest, AbandoningTheDifferenceListCancelsTheImport) {
  std::string other = Variant("other.qbp", "\"Owls\",2", "\"Ravens\",2");
  t.prompts.Queue(MsgAnswer::Cancel);
  auto w = Open({other});
  ASSERT_EQ(t.prompts.asked.size(), 1u);  // no main window: the lines in a box
  EXPECT_NE(t.prompts.asked[0].text.find("Team & Seed 2"), std::string::npos);
  EXPECT_EQ(grid->grid().Rows(), 2);
  EXPECT_EQ(grid->grid().TextMatrix(1, 0), "Import canceled.  Please click on Close to continue.");
  EXPECT_FALSE(Find<QPushButton>(w.get(), "cmdOK")->isEnabled());
  EXPECT_EQ(Find<QPushButton>(w.get(), "cmdCancel")->text(), "Close");
  ClickCell(grid, 1, 0);  // nothing to toggle
  Click(w.get(), "cmdCancel");
  EXPECT_EQ(w->result(), QDialog::Rejected);
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(s.NumEntries, 2);
}

TEST_F(ImportEntriesTest, AFileThatStopsTheImportLeavesNothingToAccept) {
  std::string wrong = folder.Copy("pool_5_teams.qbp");
  std::string broken = Variant("broken.qbp", "\"%EntPck`\",2,4,2,", "\"%EntPck`\",2,4,x,");
  struct Case {
    std::vector<std::string> files;
    std::string message;
  } cases[] = {
      {{fixture, wrong},
       "Number of Teams/Players in import file\ndoes not equal that of open jackpot file.\n"
       "File cannot be imported!"},
      {{broken}, "Error in processing the %EntPck` record.\n\nType mismatch"},
      {{}, "No file selected"},
      {{folder.Copy("participants.csv")},
       "Not a Quorvel Brakkon file.  Cannot import file " + folder.Path("participants.csv")},
  };
  for (const Case& c : cases) {
    t.prompts.asked.clear();
    auto w = Open(c.files);
    ASSERT_EQ(t.prompts.asked.size(), 1u) << c.message;
    EXPECT_EQ(t.prompts.asked[0].text, c.message);
    EXPECT_EQ(grid->grid().Rows(), 2) << c.message;
    EXPECT_FALSE(Find<QPushButton>(w.get(), "cmdOK")->isEnabled());
  }
}

TEST_F(ImportEntriesTest, HelpOpensTheWindowsTopic) {
  auto w = Open({fixture});
  Click(w.get(), "cmdHelp");
  ASSERT_EQ(t.help.topics.size(), 1u);
  EXPECT_EQ(t.help.topics[0], "frmImportEntries#57");
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

// An entry of a nameless participant ("Unknown Participant") and the longest
// values show whole. QB_ENTRIES_SHOTS=dir writes a picture for a look by eye.
TEST_F(ImportEntriesTest, ColumnsAreWideEnoughForTheirTexts) {
  auto w = Open({Variant("unknown.qbp", "\"%EntHdr`\",\"Dee\"",
                         "\"%EntHdr`\",\"A participant of a rather long name\"")});
  QApplication::processEvents();
  const QFontMetrics fm(grid->font());
  ASSERT_EQ(grid->grid().TextMatrix(2, 0), "A participant of a rather long name / 1");
  EXPECT_GT(grid->columnWidth(0), fm.horizontalAdvance("A participant of a rather long name / 1"));
  EXPECT_GT(grid->columnWidth(kCollected), fm.horizontalAdvance("Previously"));
  EXPECT_GE(grid->viewport()->width(), grid->horizontalHeader()->length());
  const QByteArray dir = qgetenv("QB_ENTRIES_SHOTS");
  if (!dir.isEmpty()) EXPECT_TRUE(w->grab().save(QString(dir) + "/import_entries.png"));
}

}  // namespace
}  // namespace qb
