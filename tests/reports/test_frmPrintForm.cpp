// The print preview on its own: its documents, Fill, the instructions, the
// pop-up menu, and printing to a PDF checked with the poppler tools.
#include "reports/frmPrintForm.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/bracket.h"
#include "entries/logic/bracket_pool.h"
#include "platform/app_context.h"
#include "reports/print_form_painter.h"
#include "support/fake_main_window.h"
#include "support/pdf_tools.h"
#include "support/shots.h"

namespace qb {
namespace {

namespace fs = std::filesystem;


// Every word of the PDF's first page lies on the page (pdftotext -bbox).
// A picture of the first page, as name + ".png", to look at.
void Snapshot(const std::string& pdf, int dpi, const std::string& name) {
  test::RunTool("pdftoppm", {"-png", "-r", QString::number(dpi), "-singlefile",
                             QString::fromStdString(pdf), QString::fromStdString(name)});
}

::testing::AssertionResult WordsOnThePage(const std::string& pdf) {
  auto [w, h] = test::PdfPageSize(pdf);
  std::string boxes = test::RunTool("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"});
  int words = 0;
  for (size_t at = boxes.find("<word "); at != std::string::npos;
       at = boxes.find("<word ", at + 1)) {
    double x0, y0, x1, y1;
    if (std::sscanf(boxes.c_str() + at, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"",
                    &x0, &y0, &x1, &y1) != 4)
      return ::testing::AssertionFailure() << "unreadable word box";
    ++words;
    if (x0 < 0 || y0 < 0 || x1 > w || y1 > h)
      return ::testing::AssertionFailure()
             << "word at " << x0 << "," << y0 << "-" << x1 << "," << y1 << " off the " << w << "x"
             << h << " page";
  }
  if (words == 0) return ::testing::AssertionFailure() << "no words";
  return ::testing::AssertionSuccess() << words << " words";
}


class PrintFormWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    t.ctx.main = &main;
    dir = fs::temp_directory_path() /
          ("qb_print_form_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override {
    window.reset();
    std::error_code ec;
    // QB_KEEP_PDF keeps the folder, with the pictures of its pages.
    if (!getenv("QB_KEEP_PDF")) fs::remove_all(dir, ec);
  }
  void MakePool(int teams, bool dual = false) {
    testing::MakeBracketPool(t.pool, teams, dual);
    t.pool.Pool.PoolName = "Office & Friends";
  }
  frmPrintForm* Open(int document) {
    t.pool.PrintEntry = static_cast<int16_t>(document);
    window = std::make_unique<frmPrintForm>(t.ctx);
    window->show();
    return window.get();
  }
  // Prints the open preview to a PDF and returns its path ("" when none was written).
  std::string PrintToPdf(const std::string& name) {
    std::string pdf = (dir / name).string();
    t.files.Queue(pdf);
    window->cmdPrint_Click();
    return fs::exists(pdf) ? pdf : "";
  }

  TestContext t;
  FakeMainWindow main;
  std::unique_ptr<frmPrintForm> window;
  fs::path dir;
};

TEST_F(PrintFormWindow, BlankSixtyFourTeamDualSidedFormPrintsToPdf) {
  MakePool(64, true);
  t.pool.Pool.TiebreakerUsed = true;
  t.pool.Pool.TiebreakerType = "Points Final Game - Both Teams";
  SetupBracketFromParameters(t.pool, t.prompts);
  Open(kBlankPoolForm);
  EXPECT_EQ(window->windowTitle(), "Print Entry Form Preview");
  EXPECT_EQ(window->layout().width, 15300);
  std::string pdf = PrintToPdf("blank64.pdf");
  ASSERT_FALSE(pdf.empty());
  EXPECT_TRUE(t.prompts.asked.empty());  // landscape by default: no question
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"type", "type"}));

  std::string text = test::PdfText(pdf);
  for (const char* expected :
       {"Office & Friends", "Team 1", "Team 32", "Team 33", "Team 64", "Champion", "Finals",
        "Semi-Finals", "Round 2", "Round 4", "Nbr", "Team Name", "Seed", "Tiebreaker:",
        "Points Final Game -", "Both Teams", "Type instructions to pool participants here.",
        "Name ____", "E-mail", "Cost per Entry:", "Payouts:", "Scoring", "1st:", "6th:"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  // A blank form: no filled notice yet, and "&" is no shortcut marker.
  EXPECT_EQ(text.find("filled with higher seeds"), std::string::npos);
  EXPECT_EQ(text.find("Office  Friends"), std::string::npos);

  EXPECT_EQ(test::PdfPages(pdf), 1);
  auto [w, h] = test::PdfPageSize(pdf);
  EXPECT_GT(w, h);
  std::string png = (dir / "blank64").string();
  Snapshot(pdf, 60, png);
  QImage page(QString::fromStdString(png + ".png"));
  ASSERT_FALSE(page.isNull());
  // Something is drawn right up to both sides of the page: the form fills it.
  int inkLeft = page.width(), inkRight = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (qGray(page.pixel(x, y)) < 128) {
        inkLeft = std::min(inkLeft, x);
        inkRight = std::max(inkRight, x);
      }
  EXPECT_GT(inkRight - inkLeft, page.width() * 3 / 4);
}

TEST_F(PrintFormWindow, FilledSixtyFourTeamDualSidedFormShowsTheNoticeUncovered) {
  MakePool(64, true);
  Open(kBlankPoolForm);
  window->cmdFill_Click();
  EXPECT_TRUE(window->contents().showFilled);
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"start", "start", "start"}));
  std::string pdf = PrintToPdf("filled64.pdf");
  ASSERT_FALSE(pdf.empty());
  EXPECT_TRUE(WordsOnThePage(pdf));
  std::string text = test::PdfText(pdf);
  // The notice wraps in its box.
  for (const char* words : {"Bracket has been filled with", "higher seeds!", "Please mark your",
                            "different than", "what is shown."})
    EXPECT_NE(text.find(words), std::string::npos) << words;
  Snapshot(pdf, 60, (dir / "filled64").string());
}

TEST_F(PrintFormWindow, WideFormInPortraitAsksForLandscape) {
  MakePool(16, true);  // 13000 twips wide
  t.pool.PrintOrientation = 1;
  Open(kBlankPoolForm);
  t.prompts.Queue(MsgAnswer::Yes);
  std::string yes = PrintToPdf("yes.pdf");
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text,
            "Form to large to fit on page in 'Portrait' mode!\r\nChange to 'Landscape'?");
  EXPECT_EQ(t.prompts.asked[0].icon, MsgIcon::Exclamation);
  auto [yw, yh] = test::PdfPageSize(yes);
  EXPECT_GT(yw, yh);
  // No still prints, in portrait, shrunk to the page rather than cut off.
  t.prompts.Queue(MsgAnswer::No);
  std::string no = PrintToPdf("no.pdf");
  ASSERT_FALSE(no.empty());
  auto [nw, nh] = test::PdfPageSize(no);
  EXPECT_LT(nw, nh);
  std::string text = test::PdfText(no);
  EXPECT_NE(text.find("Team 16"), std::string::npos);
  EXPECT_TRUE(WordsOnThePage(no));
}

TEST_F(PrintFormWindow, TallFormIsShrunkOntoAPortraitPage) {
  MakePool(64);  // 11000 x 19600 twips: narrow enough for portrait, too high for it
  t.pool.PrintOrientation = 1;
  Open(kBlankPoolForm);
  std::string pdf = PrintToPdf("tall.pdf");
  ASSERT_FALSE(pdf.empty());
  EXPECT_TRUE(t.prompts.asked.empty());
  std::string text = test::PdfText(pdf);
  EXPECT_NE(text.find("Team 64"), std::string::npos);
  EXPECT_TRUE(WordsOnThePage(pdf));
  Snapshot(pdf, 50, (dir / "tall64").string());
}

TEST_F(PrintFormWindow, NarrowFormPrintsWithoutAQuestion) {
  MakePool(8);
  t.pool.PrintOrientation = 1;
  Open(kBlankPoolForm);
  ASSERT_FALSE(PrintToPdf("narrow.pdf").empty());
  EXPECT_TRUE(t.prompts.asked.empty());
}

TEST_F(PrintFormWindow, CancelledFileNamePrintsNothing) {
  MakePool(8);
  Open(kBlankPoolForm);
  t.files.Queue(std::nullopt);
  window->cmdPrint_Click();
  EXPECT_TRUE(t.waves.played.empty());
  EXPECT_TRUE(fs::is_empty(dir));
}

// The painter on a page: full size when the form fits, else shrunk
// uniformly to the page, never enlarged.
TEST(PrintFormPainter, ShrinksToThePageAndNeverEnlarges) {
  PoolState s;
  testing::MakeBracketPool(s, 64);
  PrintLayout tall = ComputePrintLayout({64, 6, false, false, false});
  PrintFormContents c = LoadPrintForm(s, kBlankPoolForm, {});
  const double dpi = 96;
  // Letter portrait less half-inch margins: 7.5 x 10 inches.
  QImage page(int(7.5 * dpi), int(10 * dpi), QImage::Format_RGB32);
  page.fill(Qt::white);
  double scale;
  {
    QPainter p(&page);
    scale = PaintPrintFormOnPage(p, QRectF(0, 0, page.width(), page.height()), dpi, tall, c);
  }
  EXPECT_NEAR(scale, 10.0 * 1440 / tall.height, 1e-9);
  // The last row of the form is drawn, inside the page.
  int lowest = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); x += 2)
      if (qGray(page.pixel(x, y)) < 200) lowest = y;
  EXPECT_GT(lowest, page.height() * 9 / 10);
  test::SaveShot(page, "print_shrunk64");

  PrintLayout small = ComputePrintLayout({4, 2, false, false, false});
  QImage big(int(20 * dpi), int(20 * dpi), QImage::Format_RGB32);
  QPainter p(&big);
  EXPECT_DOUBLE_EQ(PaintPrintFormOnPage(p, QRectF(0, 0, big.width(), big.height()), dpi, small,
                                        LoadPrintForm(s, kBlankPoolForm, {})),
                   1.0);
}

// The picture of the dual-sided 64-slot form gives way to the filled notice.
TEST(PrintFormPainter, PictureGivesWayToTheFilledNotice) {
  PoolState s;
  testing::MakeBracketPool(s, 64, true);
  PrintLayout l = ComputePrintLayout({64, 6, true, false, false});
  const TwipRect& at = l.Find(PrintPart::Picture)->rect;
  auto goldInPicture = [&](const PrintFormContents& c) {
    QImage img(l.width / 15, l.height / 15, QImage::Format_RGB32);
    QPainter p(&img);
    p.scale(1.0 / 15, 1.0 / 15);
    PaintPrintForm(p, l, c);
    p.end();
    int gold = 0;
    for (int y = at.top / 15; y < at.bottom() / 15; ++y)
      for (int x = at.left / 15; x < at.right() / 15; ++x) {
        QColor c(img.pixel(x, y));
        if (c.red() > 150 && c.green() > 100 && c.blue() < 80) ++gold;
      }
    return gold;
  };
  PrintFormContents c = LoadPrintForm(s, kBlankPoolForm, {});
  EXPECT_GT(goldInPicture(c), 100);
  FillWithHigherSeeds(s, c);
  ASSERT_TRUE(c.showFilled);
  EXPECT_EQ(goldInPicture(c), 0);
}

TEST_F(PrintFormWindow, InstructionsTypedOnTheBlankFormAreKept) {
  MakePool(8);
  Open(kBlankPoolForm);
  ASSERT_TRUE(window->txtInstructions->isVisible());
  EXPECT_EQ(window->txtInstructions->toPlainText(), "Type instructions to pool participants here.");
  window->txtInstructions->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(window->txtInstructions->textCursor().selectedText(),
            "Type instructions to pool participants here.");
  window->txtInstructions->setPlainText("Picks due Thursday & no later.");
  EXPECT_EQ(window->contents().instructions, "Picks due Thursday & no later.");
  std::string text = test::PdfText(PrintToPdf("instructions.pdf"));
  EXPECT_NE(text.find("Picks due Thursday & no later."), std::string::npos);
  t.pool.PoolChanged = false;
  window->close();
  EXPECT_EQ(t.pool.Pool.PoolInstructions, "Picks due Thursday & no later.");
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_EQ(t.pool.PrintEntry, 0);
  EXPECT_TRUE(main.Called("HideBottomToolbar"));
}

// Top and bottom (points) of the first word of the PDF's first page that is `word`; {-1, -1} when none.
std::pair<double, double> WordRows(const std::string& pdf, const std::string& word) {
  std::string boxes = test::RunTool("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"});
  for (size_t at = boxes.find("<word "); at != std::string::npos; at = boxes.find("<word ", at + 1)) {
    double x0, y0, x1, y1;
    if (std::sscanf(boxes.c_str() + at, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"",
                    &x0, &y0, &x1, &y1) != 4)
      break;
    size_t text = boxes.find('>', at) + 1;
    if (boxes.compare(text, word.size() + 1, word + "<") == 0) return {y0, y1};
  }
  return {-1, -1};
}

TEST_F(PrintFormWindow, LongInstructionsPrintWholeInsideTheirBox) {
  std::string lines;
  for (int i = 1; i <= 9; ++i) lines += "Line " + std::to_string(i) + ": pick every game & pay by Friday.\r\n";
  std::string paragraph;
  for (int i = 1; i <= 60; ++i) paragraph += "Words of a long paragraph of instructions. ";
  const std::string cases[] = {lines + "LASTWORD", paragraph + "LASTWORD"};
  for (const std::string& instructions : cases) {
    MakePool(16);
    t.pool.Pool.PoolInstructions = instructions;
    Open(kBlankPoolForm);
    std::string pdf = PrintToPdf("long_instructions.pdf");
    ASSERT_FALSE(pdf.empty());
    auto last = WordRows(pdf, "LASTWORD");
    auto cost = WordRows(pdf, "Cost");
    ASSERT_GE(last.first, 0) << "the end of the instructions is not printed";
    ASSERT_GE(cost.first, 0);
    EXPECT_LT(last.second, cost.first) << "the instructions run into the cost panel";
    window.reset();
    std::filesystem::remove(pdf);
  }
}

TEST_F(PrintFormWindow, LongTitlesPrintWhole) {
  const std::string longName = "The Annual Tournament Pool of the Accounting and Payroll Department";
  struct Case {
    int document;
    std::string poolName, participant, lastWord;
  } cases[] = {
      {kBlankPoolForm, longName, "Ann", "Department"},
      {kResultsForm, longName, "Ann", "Department"},
      {1, "Office", "Bartholomew Maximilian Featherstonehaugh-Cholmondeley of Accounts Payable",
       "Payable"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.document);
    MakePool(16);
    t.pool.Pool.PoolName = c.poolName;
    testing::AddPoolEntry(t.pool, testing::AddPoolBettor(t.pool, c.participant), 1, {1});
    Open(c.document);
    std::string pdf = PrintToPdf("long_titles.pdf");
    ASSERT_FALSE(pdf.empty());
    std::string text = test::PdfText(pdf);
    EXPECT_NE(text.find(c.lastWord), std::string::npos) << text.substr(0, 400);
    EXPECT_EQ(text.find("\u2026"), std::string::npos) << "cut off with an ellipsis";
    window.reset();
    std::filesystem::remove(pdf);
  }
}

TEST_F(PrintFormWindow, LongTeamNamesPrintWholeInTheirBoxes) {
  // Team rows, a Bye game's advanced team, a filled box, a recorded winner
  // and an entry's pick: every box with a name in it.
  // How often each name shows: its team row, and the boxes it reaches.
  struct Case {
    int document, knights, edwardsville;
  } cases[] = {
      {kBlankPoolForm, 1, 2},  // the Bye game advances Edwardsville; Fill passes Knights by
      {kResultsForm, 2, 1},    // Knights won game 1; the Bye game has no result
      {1, 2, 2},               // the entry picked both
  };
  for (const auto& c : cases) {
    const int document = c.document;
    SCOPED_TRACE(document);
    MakePool(7);  // slot 8 is a Bye
    t.pool.Teams[1].Name = "Fairleigh Dickinson Knights";
    t.pool.Teams[7].Name = "Southern Illinois Edwardsville";
    t.pool.Teams[1].Seed = 16;
    t.pool.Teams[7].Seed = 15;
    t.pool.Pool.Results[1] = 1;
    testing::AddPoolEntry(t.pool, testing::AddPoolBettor(t.pool, "Ann"), 1, {1, 3, 5, 7});
    Open(document);
    if (document == kBlankPoolForm) window->cmdFill_Click();
    std::string pdf = PrintToPdf("long_teams.pdf");
    ASSERT_FALSE(pdf.empty());
    std::string text = test::PdfText(pdf);
    EXPECT_EQ(text.find("\u2026"), std::string::npos) << "a name cut off with an ellipsis";
    int knights = 0, edwardsville = 0;
    for (size_t at = text.find("Knights"); at != std::string::npos; at = text.find("Knights", at + 1)) ++knights;
    for (size_t at = text.find("Edwardsville"); at != std::string::npos;
         at = text.find("Edwardsville", at + 1))
      ++edwardsville;
    EXPECT_EQ(knights, c.knights);
    EXPECT_EQ(edwardsville, c.edwardsville);
    window.reset();
    std::filesystem::remove(pdf);
  }
}

TEST_F(PrintFormWindow, FillOnlyOnTheBlankForm) {
  MakePool(8);
  int e = testing::AddPoolEntry(t.pool, testing::AddPoolBettor(t.pool, "Ann"), 1, {1});
  for (int document : {kResultsForm, e}) {
    Open(document);
    main.calls.clear();
    window->ShowPrintPopupMenu();
    EXPECT_TRUE(main.Called("HidePopupItem mnuEntryPopUpFill")) << document;
    EXPECT_TRUE(main.Called("ShowPopupItem mnuEntryPopUpPrint"));
    EXPECT_TRUE(main.Called("SetSaveCancelMenu off"));
    EXPECT_TRUE(main.Called("PopupEntryMenu"));
    window->cmdFill_Click();
    for (int g = 2; g <= 7; ++g) EXPECT_EQ(window->contents().winners[g].slot, 0) << g;
    EXPECT_TRUE(t.waves.played.empty());
    window.reset();
  }
  Open(kBlankPoolForm);
  main.calls.clear();
  window->ShowPrintPopupMenu();
  EXPECT_TRUE(main.Called("ShowPopupItem mnuEntryPopUpFill"));
  EXPECT_TRUE(main.Called("HidePopupItem mnuEntryPopUpOK"));
  EXPECT_TRUE(main.Called("HidePopupItem mnuEntryPopUpCopyEntry"));
}

TEST_F(PrintFormWindow, RightButtonOnTheFormPopsTheMenuUp) {
  MakePool(8);
  Open(kBlankPoolForm);
  main.calls.clear();
  QTest::mouseClick(window->canvas(), Qt::RightButton, {}, QPoint(300, 260));
  EXPECT_TRUE(main.Called("PopupEntryMenu"));
  // The menu key pops it up too.
  main.calls.clear();
  QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(10, 10),
                        window->canvas()->mapToGlobal(QPoint(10, 10)));
  QApplication::sendEvent(window->canvas(), &key);
  EXPECT_TRUE(main.Called("PopupEntryMenu"));
}

TEST_F(PrintFormWindow, ResultsAndEntriesLeaveTheInstructionsAlone) {
  MakePool(8);
  t.pool.Pool.PoolInstructions = "Keep me";
  int e = testing::AddPoolEntry(t.pool, testing::AddPoolBettor(t.pool, "Ann"), 12, {1});
  for (int document : {kResultsForm, e}) {
    Open(document);
    EXPECT_EQ(window->txtInstructions->isVisible(), document == kResultsForm);
    t.pool.PoolChanged = false;
    window->close();
    EXPECT_EQ(t.pool.Pool.PoolInstructions, "Keep me");
    EXPECT_FALSE(t.pool.PoolChanged);
    EXPECT_EQ(t.pool.PrintEntry, 0);
    window.reset();
  }
}

TEST_F(PrintFormWindow, EntryPreviewPrintsItsHeaderAndScoring) {
  MakePool(8);
  int e = testing::AddPoolEntry(t.pool, testing::AddPoolBettor(t.pool, "Rob & Sue"), 12,
                                {1, 3, 5, 7, 1, 5, 1});
  t.pool.Pool.Results[1] = 2;
  t.pool.Pool.Results[2] = 3;
  ResetTeamAdvance(t.pool);
  Open(e);
  EXPECT_EQ(window->contents().winners[2].colour, BoxColour::Yellow);
  EXPECT_TRUE(window->contents().winners[1].lostPick);
  std::string pdf = PrintToPdf("entry.pdf");
  std::string text = test::PdfText(pdf);
  for (const char* expected : {"Entry # 12 for Rob & Sue", "Scoring Summary", "Games Won:",
                               "Points Won:", "Upsets:", "Total", "1 Team 1"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  EXPECT_EQ(text.find("Type instructions"), std::string::npos);
  Snapshot(pdf, 80, (dir / "entry8").string());
}

TEST_F(PrintFormWindow, UnknownDocumentShowsTheBracketWithAMessage) {
  MakePool(8);
  Open(7);  // no such entry
  EXPECT_EQ(t.prompts.LastText(), "Unexpected error -- Print Entry is not properly set!");
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::None);
  EXPECT_FALSE(window->txtInstructions->isVisible());
  EXPECT_EQ(window->contents().teamNames[1], "Team 1");
}

TEST_F(PrintFormWindow, ClosingPlaysItsSoundAndEndsThePreview) {
  MakePool(8);
  Open(kBlankPoolForm);
  EXPECT_EQ(t.pool.PrintEntry, kBlankPoolForm);
  window->cmdCancel_Click();
  EXPECT_EQ(t.pool.PrintEntry, 0);
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"drcls3"}));
}

TEST_F(PrintFormWindow, PreviewShowsWhatThePainterPrints) {
  MakePool(8, true);
  Open(kBlankPoolForm);
  window->cmdFill_Click();
  QImage shot = window->canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  shot.save(QString::fromStdString((dir / "preview_dual8.png").string()));
  ASSERT_EQ(shot.width(), 11000 / 15);
  QImage page(shot.size(), QImage::Format_RGB32);
  {
    QPainter p(&page);
    p.scale(1.0 / 15, 1.0 / 15);
    PaintPrintForm(p, window->layout(), window->contents());
  }
  // Below the instructions box (typed into on screen) the two are the same.
  int differing = 0, compared = 0;
  for (int y = 2760 / 15; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x, ++compared)
      if (shot.pixel(x, y) != page.pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0) << "of " << compared;
}

// Pictures of every form size, filled, for a look by eye: QB_PRINT_SHOTS=dir writes them.
TEST(PrintFormPainter, Pictures) {
  const QByteArray dir = qgetenv("QB_PRINT_SHOTS");
  if (dir.isEmpty()) GTEST_SKIP() << "set QB_PRINT_SHOTS to a folder to write pictures";
  for (int size : {4, 8, 16, 32, 64})
    for (bool dual : {false, true}) {
      PoolState s;
      testing::MakeBracketPool(s, size, dual);
      s.Pool.PoolName = "Pool & Co";
      s.Pool.TiebreakerUsed = true;
      s.Pool.TiebreakerType = "Points in Final - Winner";
      ScriptedPrompts prompts;
      SetupBracketFromParameters(s, prompts);
      int rounds = s.NumRounds;
      PrintLayout l = ComputePrintLayout({size, rounds, dual, false, true});
      PrintFormContents c = LoadPrintForm(s, kBlankPoolForm, {});
      FillWithHigherSeeds(s, c);
      QImage img(l.width / 15, l.height / 15, QImage::Format_RGB32);
      QPainter p(&img);
      p.scale(1.0 / 15, 1.0 / 15);
      PaintPrintForm(p, l, c);
      p.end();
      img.save(QString("%1/print_%2%3.png").arg(dir.constData()).arg(size).arg(dual ? "_dual" : ""));
    }
}

}  // namespace
}  // namespace qb
