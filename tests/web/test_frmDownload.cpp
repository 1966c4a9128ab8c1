#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "core/bracket.h"
#include "support/fake_main_window.h"
#include "support/local_servers.h"
#include "support/shots.h"
#include "web/frmDownload.h"

namespace qb {
namespace {

// The main window's open of the downloaded bracket, refused when asked.
class OpeningMainWindow : public FakeMainWindow {
 public:
  explicit OpeningMainWindow(PoolState& pool) : pool_(pool) {}
  void InitialOpen(const std::string& fileName) override {
    FakeMainWindow::InitialOpen(fileName);
    pool_.DialogCancelled = refuse;
  }
  bool refuse = false;

 private:
  PoolState& pool_;
};

class DownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.ctx.dataFolder = data.path().toStdString();
    t.ctx.main = &main;
    t.pool.DownloadPath = Data("QBDownload.qbp");
    web = test::StartHttpServer(site.path().toStdString());
    t.pool.Pool.NumTeams = 8;
    SetupBracketFromParameters(t.pool, t.prompts);
    for (int n = 1; n <= 8; ++n) {
      t.pool.Teams[n].Number = static_cast<int16_t>(n);
      t.pool.Teams[n].Name = kNames[n];
      t.pool.Teams[n].Seed = static_cast<int16_t>(n);
    }
    ResetTeamAdvance(t.pool);
  }
  std::string Data(const char* name) const { return data.filePath(name).toStdString(); }
  static void Put(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  static std::string Get(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<none>");
  }
  // The list file in the user's data folder.
  void List(const std::vector<std::pair<std::string, std::string>>& pairs,
            const std::string& header = "Quorvel Brakkon Internet Downloads") {
    std::string text = "\"" + header + "\"\r\n";
    for (const auto& [d, a] : pairs) text += "\"" + d + "\",\"" + a + "\"\r\n";
    Put(data.filePath("QBDownloads.txt"), text);
  }
  // A results file of the pool's teams on the site, one team line replaced when asked.
  void Results(const char* name, const std::string& winners, int slot = 0,
               const std::string& line = "") {
    std::string f = "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\",#2026-12-10 12:00:00#\r\n";
    for (int n = 1; n <= 8; ++n)
      f += n == slot ? line + "\r\n"
                     : "\"%Team  `\"," + std::to_string(n) + ",\"" + kNames[n] + "\"," +
                           std::to_string(n) + "\r\n";
    if (!winners.empty()) f += "\"%Winner`\"," + winners + "\r\n";
    Put(site.filePath(name), f);
  }
  void StandardList() {
    List({{"Spring Results", web.Address("/spring.qbp")},
          {"Autumn Results", web.Address("/autumn.qbp")},
          {"Missing Results", web.Address("/missing.qbp")}});
  }
  std::unique_ptr<frmDownload> Open(const char* type) {
    t.pool.DownloadType = type;
    auto dlg = std::make_unique<frmDownload>(t.ctx);
    dlg->show();
    return dlg;
  }
  static QComboBox* Types(frmDownload& d) { return d.findChild<QComboBox*>("comFileType"); }
  static QPushButton* Button(frmDownload& d, const char* name) {
    return d.findChild<QPushButton*>(name);
  }
  static void Choose(frmDownload& d, const char* description) {
    Types(d)->setCurrentIndex(Types(d)->findText(description));
    d.comFileType_Click();
  }
  // One pass; the texts of the boxes it showed.
  std::vector<std::string> Pass(frmDownload& d) {
    const size_t before = t.prompts.asked.size();
    Button(d, "cmdDownload")->click();
    std::vector<std::string> shown;
    for (size_t i = before; i < t.prompts.asked.size(); ++i) shown.push_back(t.prompts.asked[i].text);
    return shown;
  }
  std::array<int16_t, 8> Winners() const {
    std::array<int16_t, 8> w{};
    for (int g = 1; g <= 7; ++g) w[g] = t.pool.Pool.Results[g];
    return w;
  }

  static constexpr const char* kNames[] = {"",      "Gators", "Owls",   "Hawks", "Bears",
                                           "Lions", "Tigers", "Rams",   "Colts"};
  QTemporaryDir data, site;
  TestContext t;
  OpeningMainWindow main{t.pool};
  test::LocalServer web;
};

using Texts = std::vector<std::string>;

TEST_F(DownloadTest, TheListFileFillsTheChoicesInAlphabeticalOrder) {
  StandardList();
  auto d = Open("Bracket");
  EXPECT_EQ(d->windowTitle().toStdString(), "Download Brackets from quorvelbrakkon.example");
  ASSERT_EQ(Types(*d)->count(), 3);
  EXPECT_EQ(Types(*d)->itemText(0), "Autumn Results");
  EXPECT_EQ(Types(*d)->itemData(0).toInt(), 2) << "each item keeps its pair number";
  EXPECT_EQ(Types(*d)->itemText(2), "Spring Results");
  EXPECT_EQ(Types(*d)->currentIndex(), -1);
  EXPECT_EQ(d->findChild<QLineEdit*>("txtTimeout")->text(), "120");
  EXPECT_TRUE(t.prompts.asked.empty());
  if (const QByteArray dir = qgetenv("QB_WEB_SHOTS"); !dir.isEmpty()) {
    EXPECT_TRUE(d->grab().save(QString(dir) + "/download_bracket.png"));
  }

  // The site's host shown comes from the settings when one is set there.
  t.settings.SaveSetting("Web", "Host", "pools.example.org");
  EXPECT_EQ(Open("Results")->windowTitle().toStdString(),
            "Download Results from pools.example.org");
}

TEST_F(DownloadTest, AListBesideTheProgramServesWhenTheUserHasNone) {
  QTemporaryDir program;
  t.ctx.programFolder = program.path().toStdString();
  Put(program.filePath("QBDownloads.txt"),
      "\"Quorvel Brakkon Internet Downloads\"\r\n\"Shipped\",\"http://a.example/\"\r\n");
  EXPECT_EQ(Types(*Open("Bracket"))->itemText(0), "Shipped");
  StandardList();  // the user's own list comes first
  EXPECT_EQ(Types(*Open("Bracket"))->count(), 3);
}

TEST_F(DownloadTest, AMissingOrWrongListFileLeavesAnEmptyList) {
  for (bool wrong : {false, true}) {
    if (wrong) List({{"Spring Results", web.Address("/spring.qbp")}}, "Internet Downloads");
    t.prompts.asked.clear();
    auto d = Open("Bracket");
    ASSERT_EQ(t.prompts.asked.size(), 1u);
    EXPECT_EQ(t.prompts.asked[0].text, "Unable to locate the Internet Download file!");
    EXPECT_EQ(t.prompts.asked[0].icon, MsgIcon::Critical);
    EXPECT_EQ(Types(*d)->count(), 0);
    EXPECT_EQ(d->windowTitle(), "Download from Internet");
    EXPECT_EQ(Pass(*d), Texts{"Please select a file type to download!"});
  }
}

TEST_F(DownloadTest, ResultsModeChoosesThePoolsOwnSourceOrSaysItHasNone) {
  StandardList();
  t.pool.Pool.DownloadSource = "Autumn Results";
  EXPECT_EQ(Types(*Open("Results"))->currentText(), "Autumn Results");
  EXPECT_TRUE(t.prompts.asked.empty());

  t.pool.Pool.DownloadSource = "Office bracket";
  auto d = Open("Results");
  EXPECT_EQ(Types(*d)->currentIndex(), -1);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text,
            "Your file was not built from a download!\r\n"
            "If teams/players match up with a supported download results file,\r\n"
            "you may still be able to use this feature.");
  EXPECT_EQ(t.prompts.asked[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(Pass(*d), Texts{"Please select a file type to download!"});
}

TEST_F(DownloadTest, MatchingResultsAreCopiedAndTheWindowCloses) {
  StandardList();
  Results("spring.qbp", "1,3,5,7,1,5,0");
  t.pool.Pool.Results[7] = 2;  // stale: the file says not played yet
  auto d = Open("Results");
  Choose(*d, "Spring Results");
  EXPECT_EQ(Pass(*d), Texts{"Results updated."});
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::Information);
  EXPECT_EQ(Winners(), (std::array<int16_t, 8>{0, 1, 3, 5, 7, 1, 5, 0}));
  EXPECT_TRUE(t.pool.Teams[5].Alive);
  EXPECT_FALSE(t.pool.Teams[3].Alive) << "the teams' advance follows the new results";
  EXPECT_EQ(t.pool.Pool.DownloadSource, "Spring Results");
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(t.waves.played.front(), "start");
  EXPECT_NE(std::find(t.waves.played.begin(), t.waves.played.end(), "slurp"),
            t.waves.played.end());
  // The file as fetched, with one line end after it.
  EXPECT_EQ(Get(t.pool.DownloadPath), Get(site.filePath("spring.qbp").toStdString()) + "\r\n");
  EXPECT_EQ(d->Messages().rfind("Download requested for " + web.Address("/spring.qbp") +
                                    "\r\nStarting...Resolving host...Host resolved.\r\n",
                                0),
            0u)
      << d->Messages();
  EXPECT_NE(d->Messages().find("Response completed.\r\n"), std::string::npos);
}

TEST_F(DownloadTest, AMismatchWaitsForContinueWhichCopiesWithoutComparing) {
  StandardList();
  Results("spring.qbp", "2,3,5,7,2,5,5", 3, "\"%Team  `\",3,\"Hawks\",9");
  auto d = Open("Results");
  Choose(*d, "Spring Results");
  EXPECT_EQ(Pass(*d), Texts{"Mismatches found between download file and your file!\r\n"
                            "Please Review the errors and click 'Continue' to load results "
                            "anyway."});
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::Exclamation);
  EXPECT_NE(d->Messages().find("\r\nMismatch on team  3:  Results file has 'Hawks  9' vs. "
                               "'Hawks  3' in your file."),
            std::string::npos);
  EXPECT_EQ(d->Messages().find("Mismatch on team  4"), std::string::npos);
  EXPECT_EQ(Button(*d, "cmdDownload")->text(), "&Continue");
  EXPECT_EQ(Winners(), (std::array<int16_t, 8>{}));
  EXPECT_FALSE(t.pool.PoolChanged);
  EXPECT_TRUE(d->isVisible());
  // A picture for a look by eye: QB_WEB_SHOTS=dir writes it.
  if (const QByteArray dir = qgetenv("QB_WEB_SHOTS"); !dir.isEmpty()) {
    EXPECT_TRUE(d->grab().save(QString(dir) + "/download_mismatch.png"));
  }

  EXPECT_EQ(Pass(*d), Texts{"Results updated."});
  EXPECT_EQ(Winners(), (std::array<int16_t, 8>{0, 2, 3, 5, 7, 2, 5, 5}));
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_FALSE(d->isVisible());
}

TEST_F(DownloadTest, ANewChoiceAfterAMismatchIsComparedAfresh) {
  StandardList();
  Results("spring.qbp", "1,3,5,7,1,5,0", 3, "\"%Team  `\",3,\"Hawks\",9");
  Results("autumn.qbp", "2,4,6,8,2,6,0", 8, "\"%Team  `\",8,\"Stallions\",8");
  auto d = Open("Results");
  Choose(*d, "Spring Results");
  Pass(*d);
  ASSERT_EQ(Button(*d, "cmdDownload")->text(), "&Continue");
  Choose(*d, "Autumn Results");
  EXPECT_EQ(Button(*d, "cmdDownload")->text(), "&Download");
  Pass(*d);
  EXPECT_EQ(Winners(), (std::array<int16_t, 8>{})) << "the other file was not reviewed";
  EXPECT_NE(d->Messages().find("Mismatch on team  8:  Results file has 'Stallions  8'"),
            std::string::npos);
  EXPECT_TRUE(d->isVisible());
}

TEST_F(DownloadTest, AFailedFetchWritesNothingAndTheNextPassStandsOnItsOwn) {
  StandardList();
  Results("spring.qbp", "1,3,5,7,1,5,0");
  Put(QString::fromStdString(t.pool.DownloadPath), "earlier download\r\n");
  auto d = Open("Results");
  Choose(*d, "Missing Results");
  d->findChild<QLineEdit*>("txtTimeout")->setText("5");
  EXPECT_EQ(Pass(*d), Texts{"Download not successful!"});
  EXPECT_EQ(d->findChild<QLineEdit*>("txtTimeout")->text(), "10");
  EXPECT_NE(d->Messages().find("\r\nError occurred!\r\n"), std::string::npos);
  EXPECT_NE(d->Messages().find("404"), std::string::npos) << d->Messages();
  EXPECT_EQ(Get(t.pool.DownloadPath), "earlier download\r\n");
  EXPECT_TRUE(d->isVisible());
  if (const QByteArray dir = qgetenv("QB_WEB_SHOTS"); !dir.isEmpty()) {
    EXPECT_TRUE(d->grab().save(QString(dir) + "/download_failed.png"));
  }
  EXPECT_TRUE(Button(*d, "cmdDownload")->isEnabled());

  Choose(*d, "Spring Results");
  d->findChild<QLineEdit*>("txtTimeout")->setText("900");
  EXPECT_EQ(Pass(*d), Texts{"Results updated."});
  EXPECT_EQ(d->findChild<QLineEdit*>("txtTimeout")->text(), "600");
  EXPECT_FALSE(d->isVisible());
}

TEST_F(DownloadTest, AServerThatNeverAnswersTimesOut) {
  test::SilentListener silent;
  List({{"Spring Results", silent.Address("/spring.qbp")}});
  auto d = Open("Results");
  Choose(*d, "Spring Results");
  d->findChild<QLineEdit*>("txtTimeout")->setText("1");  // the least is 10 seconds
  EXPECT_EQ(Pass(*d), Texts{"Download not successful!"});
  EXPECT_NE(d->Messages().find("Error occurred!"), std::string::npos);
  EXPECT_NE(d->Messages().find("10 seconds"), std::string::npos) << d->Messages();
  EXPECT_EQ(Get(t.pool.DownloadPath), "<none>");
}

TEST_F(DownloadTest, OnlyWebAddressesOfTheListAreFetched) {
  List({{"Local", "file://" + site.filePath("spring.qbp").toStdString()}});
  Results("spring.qbp", "1,3,5,7,1,5,0");
  auto d = Open("Results");
  Choose(*d, "Local");
  EXPECT_EQ(Pass(*d), Texts{"Download not successful!"});
  EXPECT_EQ(Winners(), (std::array<int16_t, 8>{}));
}

TEST_F(DownloadTest, AFileThatCannotBeReadOrHoldsNoResultsCopiesNothing) {
  StandardList();
  struct Case {
    std::string winners;
    int slot;
    std::string line;
    std::string message;
  } cases[] = {
      {"1,3,5,7,1,5,0", 4, "\"%Team  `\",9,\"Extra\",1",
       "Error in processing the %Team  ` record.  Count =  4\n\n\rSubscript out of range\n\n\r"
       "File cannot be used.  See the Help system for Tech Support information."},
      {"1,3,5,7,1,5,12", 0, "",
       "Error in processing the %Winner` record.  Count =  9\n\n\rSubscript out of range\n\n\r"
       "File cannot be used.  See the Help system for Tech Support information."},
      {"", 0, "", "The downloaded file holds no game results.\r\nNothing was copied into your file."},
  };
  t.pool.Pool.Results[1] = 2;
  for (const Case& c : cases) {
    Results("spring.qbp", c.winners, c.slot, c.line);
    auto d = Open("Results");
    Choose(*d, "Spring Results");
    EXPECT_EQ(Pass(*d), Texts{c.message});
    EXPECT_EQ(Winners(), (std::array<int16_t, 8>{0, 2})) << c.message;
    EXPECT_FALSE(t.pool.PoolChanged);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->FileUnusable());
  }
  // Nor does Continue after a mismatch, when the file holds no winners.
  Results("spring.qbp", "", 3, "\"%Team  `\",3,\"Hawks\",9");
  auto d = Open("Results");
  Choose(*d, "Spring Results");
  Pass(*d);
  ASSERT_TRUE(d->ResultsMismatch());
  EXPECT_EQ(Pass(*d), Texts{std::string(kNoResultsInFileText)});
  EXPECT_EQ(Winners(), (std::array<int16_t, 8>{0, 2}));
  // A good file afterwards in the same window goes in.
  Results("spring.qbp", "1,3,5,7,1,5,0");
  EXPECT_EQ(Pass(*d), Texts{"Results updated."});
  EXPECT_FALSE(d->isVisible());
}

TEST_F(DownloadTest, ABracketIsOpenedAsTheNewPool) {
  List({{"Spring Bracket", web.Address("/bracket.qbp")}});
  Put(site.filePath("bracket.qbp"), "\"%Header`\",\"QuorvelBrakkon\",\"2.0\"\r\n");
  auto d = Open("Bracket");
  Choose(*d, "Spring Bracket");
  EXPECT_EQ(Pass(*d), Texts{"Download Completed."});
  EXPECT_EQ(main.calls.back(), "InitialOpen " + t.pool.DownloadPath);
  EXPECT_EQ(t.pool.Pool.DownloadSource, "Spring Bracket");
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_FALSE(d->isVisible());
}

TEST_F(DownloadTest, ARefusedOrFailedBracketLeavesTheWindowOpen) {
  List({{"Spring Bracket", web.Address("/bracket.qbp")}, {"Gone", web.Address("/gone.qbp")}});
  Put(site.filePath("bracket.qbp"), "not a pool file");
  main.refuse = true;
  auto d = Open("Bracket");
  Choose(*d, "Spring Bracket");
  EXPECT_EQ(Pass(*d), Texts{}) << "the open has told its reason";
  EXPECT_TRUE(main.Called("InitialOpen"));
  EXPECT_TRUE(d->isVisible());
  EXPECT_FALSE(t.pool.PoolChanged);

  main.calls.clear();
  Choose(*d, "Gone");
  EXPECT_EQ(Pass(*d), Texts{"Download not successful!"});
  EXPECT_FALSE(main.Called("InitialOpen"));
  EXPECT_TRUE(d->isVisible());
}

TEST_F(DownloadTest, CancelDuringTheFetchClosesTheWindowAndLoadsNothing) {
  test::SilentListener silent;
  List({{"Spring Results", silent.Address("/spring.qbp")}});
  auto d = Open("Results");
  Choose(*d, "Spring Results");
  QTimer::singleShot(300, d.get(), [&] {
    EXPECT_FALSE(Button(*d, "cmdDownload")->isEnabled()) << "passes never overlap";
    Button(*d, "cmdCancel")->click();
  });
  EXPECT_EQ(Pass(*d), Texts{});
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(d->result(), QDialog::Rejected);
  EXPECT_TRUE(d->TransferFailed());
  EXPECT_EQ(Get(t.pool.DownloadPath), "<none>");
  EXPECT_FALSE(t.pool.PoolChanged);
}

TEST_F(DownloadTest, AListThatBreaksOffIsReportedAndKeepsThePairsBeforeIt) {
  Put(data.filePath("QBDownloads.txt"),
      "\"Quorvel Brakkon Internet Downloads\"\r\n\"A\",\"http://a.example/\"\r\n\"B\"\r\n");
  auto d = Open("Bracket");
  EXPECT_EQ(Types(*d)->count(), 1);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_NE(t.prompts.LastText().find("Error #62:  Input past end of file, Source:  frmDownload"), std::string::npos)
      << t.prompts.LastText();
  EXPECT_TRUE(d->isVisible()) << "the window stays loaded";
}

TEST_F(DownloadTest, ADownloadFileThatCannotBeWrittenIsReportedAndLoadsNothing) {
  StandardList();
  Results("spring.qbp", "1,3,5,7,1,5,0");
  Put(data.filePath("plain"), "a file, not a folder");
  t.pool.DownloadPath = data.filePath("plain/QBDownload.qbp").toStdString();
  auto d = Open("Results");
  Choose(*d, "Spring Results");
  const Texts shown = Pass(*d);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].rfind("The system has detected an unexpected error.", 0), 0u);
  EXPECT_NE(shown[0].find("could not be written"), std::string::npos) << shown[0];
  EXPECT_EQ(Winners(), (std::array<int16_t, 8>{}));
  EXPECT_TRUE(d->isVisible());
  EXPECT_TRUE(Button(*d, "cmdDownload")->isEnabled());
}

TEST_F(DownloadTest, WithoutADownloadTypeNothingIsLoaded) {
  StandardList();
  Results("spring.qbp", "1,3,5,7,1,5,0");
  auto d = Open("");
  EXPECT_EQ(d->windowTitle().toStdString(), "Download Brackets from quorvelbrakkon.example");
  Choose(*d, "Spring Results");
  EXPECT_EQ(Pass(*d),
            Texts{"Unexpected error -- Download type not set, unable to process results."});
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::Critical);
  EXPECT_FALSE(t.pool.PoolChanged);
  EXPECT_TRUE(d->isVisible());
  EXPECT_FALSE(main.Called("InitialOpen"));
}

TEST_F(DownloadTest, HelpAsksTheMainWindowForItsTopic) {
  StandardList();
  auto d = Open("Bracket");
  Button(*d, "cmdHelp")->click();
  EXPECT_TRUE(main.Called("DisplayContextHelp frmDownload"));
}


TEST_F(DownloadTest, TheChoiceCannotChangeWhileAPassRuns) {
  StandardList();
  Results("spring.qbp", "1,3,5,7,1,5,0");
  Results("autumn.qbp", "2,4,6,8,2,6,0");
  auto d = Open("Results");
  Choose(*d, "Spring Results");
  web.process->Pause();  // the server holds its answer for a while
  bool choiceWasOff = false;
  QTimer::singleShot(300, d.get(), [&] {
    choiceWasOff = !Types(*d)->isEnabled();
    // What a click on the list would do, were it open to clicks.
    if (Types(*d)->isEnabled()) Choose(*d, "Autumn Results");
    web.process->Resume();
  });
  EXPECT_EQ(Pass(*d), Texts{"Results updated."});
  EXPECT_TRUE(choiceWasOff);
  // The source is the file that came in.
  EXPECT_EQ(t.pool.Pool.DownloadSource, "Spring Results");
  EXPECT_EQ(Winners(), (std::array<int16_t, 8>{0, 1, 3, 5, 7, 1, 5, 0}));
}

TEST_F(DownloadTest, AHandWrittenListWithBlankLinesLfAndWindowsNamesIsRead) {
  const std::string longName(5000, 'x');
  Put(data.filePath("QBDownloads.txt"),
      "Quorvel Brakkon Internet Downloads\n\n\"Se\xF1or Results\",\"" + web.Address("/spring.qbp") +
          "\"\n\n\n\"" + longName + "\",\"" + web.Address("/x.qbp") + "\"\r\n\"Autumn\",\"" +
          web.Address("/a.qbp") + "\"\r\n\r\n\r\n   \r\n");
  t.pool.Pool.DownloadSource = "Se\xC3\xB1or Results";
  Results("spring.qbp", "1,3,5,7,1,5,0");
  auto d = Open("Results");
  EXPECT_EQ(Types(*d)->count(), 3);
  EXPECT_TRUE(t.prompts.asked.empty()) << t.prompts.LastText();
  EXPECT_EQ(Types(*d)->currentText().toStdString(), "Se\xC3\xB1or Results");
  EXPECT_EQ(Pass(*d), Texts{"Results updated."});
  EXPECT_EQ(t.pool.Pool.DownloadSource, "Se\xC3\xB1or Results");
}

TEST_F(DownloadTest, AnErrorPageServedAsASuccessOrAnEmptyFileCopiesNothing) {
  StandardList();
  const std::string bodies[] = {
      "<html><head><title>Error</title></head>\n<body><p class=\"x\">Not, \"found\"</p>\n"
      "</body></html>\n",
      "", "\r\n\r\n"};
  t.pool.Pool.Results[1] = 2;
  for (const std::string& body : bodies) {
    Put(site.filePath("spring.qbp"), body);
    auto d = Open("Results");
    Choose(*d, "Spring Results");
    EXPECT_EQ(Pass(*d), Texts{kMismatchText}) << body;
    EXPECT_NE(d->findChild<QPlainTextEdit*>("txtMessages")->toPlainText().toStdString().find(
                  "Mismatch on team  8:  Results file has '  0' vs. 'Colts  8' in your file."),
              std::string::npos);
    EXPECT_EQ(Pass(*d), Texts{kNoResultsInFileText}) << body;
    EXPECT_EQ(Winners(), (std::array<int16_t, 8>{0, 2}));
    EXPECT_FALSE(t.pool.PoolChanged);
    EXPECT_TRUE(d->isVisible());
  }
}

TEST_F(DownloadTest, ResultsOfAPoolWithByesAndOf64DualSidedTeamsGoIn) {
  StandardList();
  t.pool.Pool.NumTeams = 5;
  SetupBracketFromParameters(t.pool, t.prompts);
  const char* names[] = {"", "A", "Bye", "B", "Bye", "C", "Bye", "D", "E"};
  std::string f = "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\"\r\n";
  for (int n = 1; n <= 8; ++n) {
    t.pool.Teams[n].Name = names[n];
    t.pool.Teams[n].Seed = 0;
    f += "\"%Team  `\"," + std::to_string(n) + ",\"" + names[n] + "\",0\r\n";
  }
  ResetTeamAdvance(t.pool);
  Put(site.filePath("spring.qbp"), f + "\"%Winner`\",1,3,5,8,1,5,1\r\n");
  {
    auto d = Open("Results");
    Choose(*d, "Spring Results");
    EXPECT_EQ(Pass(*d), Texts{"Results updated."});
    EXPECT_EQ(Winners(), (std::array<int16_t, 8>{0, 1, 3, 5, 8, 1, 5, 1}));
  }
  t.pool.Pool.NumTeams = 64;
  t.pool.Pool.DualSided = true;
  SetupBracketFromParameters(t.pool, t.prompts);
  f = "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\"\r\n";
  for (int n = 1; n <= 64; ++n) {
    const int seed = (n - 1) % 16 + 1;
    t.pool.Teams[n].Name = "Team " + std::to_string(n);
    t.pool.Teams[n].Seed = static_cast<int16_t>(seed);
    f += "\"%Team  `\"," + std::to_string(n) + ",\"Team " + std::to_string(n) + "\"," +
         std::to_string(seed) + "\r\n";
  }
  ResetTeamAdvance(t.pool);
  std::vector<int> w(64, 0);
  for (int g = 1; g <= 32; ++g) w[g] = 2 * g - 1;
  for (int g = 33, first = 1; g <= 63; first += 2, ++g) w[g] = w[first];
  std::string winners;
  for (int g = 1; g <= 63; ++g) winners += (g > 1 ? "," : "") + std::to_string(w[g]);
  Put(site.filePath("spring.qbp"), f + "\"%Winner`\"," + winners + "\r\n");
  auto d = Open("Results");
  Choose(*d, "Spring Results");
  EXPECT_EQ(Pass(*d), Texts{"Results updated."});
  for (int g = 1; g <= 63; ++g) EXPECT_EQ(t.pool.Pool.Results[g], w[g]) << g;
}

TEST_F(DownloadTest, ADownloadNeverWritesOverTheOpenPoolsFile) {
  // The pool was saved under the download file's name.
  StandardList();
  Results("spring.qbp", "1,3,5,7,1,5,0");
  List({{"Spring Results", web.Address("/spring.qbp")}, {"Spring Bracket", web.Address("/spring.qbp")}});
  Put(QString::fromStdString(t.pool.DownloadPath), "the pool with all its entries");
  t.pool.PoolFilePath = data.filePath("./QBDownload.qbp").toStdString();
  for (const char* type : {"Results", "Bracket"}) {
    auto d = Open(type);
    Choose(*d, type == std::string("Results") ? "Spring Results" : "Spring Bracket");
    EXPECT_EQ(Pass(*d), Texts{kDownloadOverPoolText}) << type;
    EXPECT_EQ(Get(t.pool.DownloadPath), "the pool with all its entries");
    EXPECT_EQ(Winners(), (std::array<int16_t, 8>{}));
    EXPECT_FALSE(main.Called("InitialOpen"));
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(Button(*d, "cmdDownload")->isEnabled());
  }
}

TEST_F(DownloadTest, ALongDescriptionDoesNotWidenTheWindowPastTheScreen) {
  List({{"Spring Results " + std::string(5000, 'x'), web.Address("/spring.qbp")},
        {"Autumn Results", web.Address("/autumn.qbp")}});
  auto d = Open("Results");
  QApplication::processEvents();
  EXPECT_LT(d->width(), 900) << "the buttons stay on the screen";
  EXPECT_GE(Types(*d)->width(), 200) << "the usual descriptions are shown whole";
  test::SaveShot(d->grab().toImage(), "frmDownload_long_description");
}

}  // namespace
}  // namespace qb
