#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "support/upload_site.h"
#include "web/logic/email_report.h"
#include "web/logic/report_upload.h"

namespace qb {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

// ---- rules of the boxes and the path file

TEST(UploadRules, TimeOutBox) {
  struct Case {
    const char* box;
    int request;
    double overall;
  } cases[] = {
      {"120", 120, 120},  {"5", 15, 5},     {"1000", 600, 1000}, {"30.6", 31, 30.6},
      // No number, nothing or nothing above 0 takes the default: never an
      // upload that times out before it starts.
      {"", 120, 120},     {"abc", 120, 120}, {"0", 120, 120},    {"-5", 120, 120},
  };
  for (const Case& c : cases) {
    const UploadTimeout t = UploadTimeoutFrom(c.box);
    EXPECT_EQ(t.requestSeconds, c.request) << c.box;
    EXPECT_DOUBLE_EQ(t.overallSeconds, c.overall) << c.box;
  }
}

TEST(UploadRules, FontSizeAndRowLimit) {
  for (auto [box, size] : {std::pair{"12", 12}, {"1", 9}, {"101", 9}, {"2", 2}, {"100", 100},
                           {"", 9}, {"x", 9}, {"10.6", 11}})
    EXPECT_EQ(WebFontSizeFrom(box), size) << box;
  for (auto [text, limit] : {std::pair{"", 300}, {"50", 300}, {"  500", 500}, {"99.4", 300},
                             {"100", 100}, {"abc", 300}, {"750 rows", 750}})
    EXPECT_EQ(RowLimitFrom(text), limit) << text;
}

TEST(UploadRules, ServerAddressIsOnlyHostAndPort) {
  for (const char* ok : {"ftp.example.com", "127.0.0.1:2121", "host-1", "a.b:65535"})
    EXPECT_TRUE(IsServerAddress(ok)) << ok;
  for (const char* bad : {"", "user@host", "host/path", "host:0", "host:70000", "host:",
                          "ho st", "-host", ".host", "a..b", "host:21x", "[::1]"})
    EXPECT_FALSE(IsServerAddress(bad)) << bad;
}

TEST(UploadRules, PathFileFieldsByColumn) {
  const std::string line = test::PathFileLine(
      "ftp.example.com:2121", "www/", "manager",
      test::ScrambledPasswordField("pw7Kq2x", test::kSiteKey, 3), "  500\r\n");
  const FtpPathFile f = ReadFtpPathFile(line, test::kSiteKey);
  EXPECT_EQ(f.serverAddress, "ftp.example.com:2121");
  EXPECT_EQ(f.remoteFolderPrefix, "www/");
  EXPECT_EQ(f.userName, "manager");
  EXPECT_EQ(f.password, "pw7Kq2x");
  EXPECT_EQ(f.rowLimit, 500);
  // Nothing after column 80: the default limit.
  EXPECT_EQ(ReadFtpPathFile(line.substr(0, 80), test::kSiteKey).rowLimit, 300);

  EXPECT_THROW(ReadFtpPathFile(line.substr(0, 70), test::kSiteKey), std::runtime_error);
  EXPECT_THROW(ReadFtpPathFile("", test::kSiteKey), std::runtime_error);
  const std::string elsewhere = test::PathFileLine(
      "me@evil.example/x", "www/", "manager",
      test::ScrambledPasswordField("pw", test::kSiteKey, 1), "");
  EXPECT_THROW(ReadFtpPathFile(elsewhere, test::kSiteKey), std::runtime_error);
  const std::string quoted = test::PathFileLine(
      "ftp.example.com", "www\" \"x/", "manager",
      test::ScrambledPasswordField("pw", test::kSiteKey, 1), "");
  EXPECT_THROW(ReadFtpPathFile(quoted, test::kSiteKey), std::runtime_error);
}

// A line break in the login would end the server's command early and start
// one the site never meant: such a path file is refused.
TEST(UploadRules, PathFileWithAControlCharacterInItsLoginIsRefused) {
  auto lineWith = [](const std::string& user, const std::string& password) {
    return test::PathFileLine("ftp.example.com", "www/", user,
                              test::ScrambledPasswordField(password, test::kSiteKey, 1), "");
  };
  struct Case {
    const char* user;
    const char* password;
  } cases[] = {{"man\r\nDELE", "pw"}, {"man\tager", "pw"}, {"manager", "pw\r\nQUIT"},
               {"manager", "p\x7fw"}, {"manager", "p\nw"}};
  for (const Case& c : cases)
    EXPECT_THROW(ReadFtpPathFile(lineWith(c.user, c.password), test::kSiteKey),
                 std::runtime_error)
        << c.user << c.password;
  // Blanks and letters beyond ASCII are a login's own.
  const FtpPathFile f = ReadFtpPathFile(lineWith("man ager", "p w\xe9"), test::kSiteKey);
  EXPECT_EQ(f.userName, "man ager");
  EXPECT_EQ(f.password, "p w\xe9");
}

TEST(UploadRules, OwnerKeyAndItsFiles) {
  int draws = 0;
  const std::string key = NewOwnerKey([&] { return (draws++ % 36) / 36.0 + 0.001; });
  EXPECT_EQ(key, "abcdefghijklm");
  EXPECT_TRUE(IsOwnerKey(key));
  EXPECT_TRUE(IsOwnerKey(NewOwnerKey([] { return 0.9999999; })));
  for (const char* bad : {"", "abc", "ABCDEFGHIJKLM", "abcdefghijkl/", "abcdefghijklmn"})
    EXPECT_FALSE(IsOwnerKey(bad)) << bad;
  EXPECT_EQ(OwnerKeyFileText(key, "OFFICE POOL"), "abcdefghijklm - OFFICE POOL\r\n");

  EXPECT_EQ(PoolNameOwnerOf("", key), PoolNameOwner::Free);
  EXPECT_EQ(PoolNameOwnerOf("abcdefghijklm - OFFICE\r\n", key), PoolNameOwner::Ours);
  EXPECT_EQ(PoolNameOwnerOf("\"abcdefghijklm - OFFICE\"\r\n", key), PoolNameOwner::Ours);
  EXPECT_EQ(PoolNameOwnerOf("zzzzzzzzzzzzz - OFFICE\r\n", key), PoolNameOwner::Taken);
  EXPECT_EQ(PoolNameOwnerOf("abc\r\n", key), PoolNameOwner::Taken);
}

TEST(UploadRules, TemplateItems) {
  EXPECT_EQ(TemplateText("<h1>Pools</h1>,<p>\r\n\"<i>x</i>\"\r\n"),
            "\r\n<h1>Pools</h1>\r\n<p>\r\n<i>x</i>");
  EXPECT_EQ(TemplateText(""), "");
}

TEST(UploadRules, CommandsAndTheirRemotePaths) {
  const UploadCommands c("/home/u/data/", "www/", "abcdefghijklm", " office pool ");
  EXPECT_EQ(c.TestConnection(),
            "SEND \"/home/u/data/abcdefghijklm.txt\" \"www/qbrpthash/test.txt\"");
  EXPECT_EQ(c.CheckPoolName(),
            "GET \"www/qbrptnames/OFFICE POOL.txt\" \"/home/u/data/webpoolname.txt\"");
  EXPECT_EQ(c.GetTemplate(kPageOpenTemplate),
            "GET \"www/qbreports/webpageopen.htm\" \"/home/u/data/webpageopen.htm\"");
  EXPECT_EQ(c.StoreKeyFile(),
            "SEND \"/home/u/data/abcdefghijklm.txt\" \"www/qbrpthash/abcdefghijklm.txt\"");
  EXPECT_EQ(c.StorePoolNameFile(),
            "SEND \"/home/u/data/abcdefghijklm.txt\" \"www/qbrptnames/OFFICE POOL.txt\"");
  EXPECT_EQ(c.SendReport("Rankings"),
            "SEND \"/home/u/data/Rankings.htm\" \"www/qbreports/abcdefghijklm-Rankings.htm\"");
  EXPECT_THROW(c.SendReport("../x"), std::invalid_argument);
  TransferCommand parsed;
  EXPECT_TRUE(ParseTransferCommand(c.CheckPoolName(), parsed));

  // The pool name cannot lead anywhere else on the server.
  for (const char* bad : {"", "  ", "../ROOT", "A/B", "A.B", "A\\B", "A\"B", "NAME%2F"})
    EXPECT_THROW(UploadCommands("/d", "www/", "abcdefghijklm", bad), std::invalid_argument)
        << bad;
  EXPECT_THROW(UploadCommands("/d", "www/", "../../etc/pass", "OK"), std::invalid_argument);
  EXPECT_THROW(UploadCommands("/d\"x", "www/", "abcdefghijklm", "OK"), std::invalid_argument);
}

TEST(UploadRules, DeadlineRunsOnTheMonotonicClock) {
  const auto start = UploadDeadline::Clock::now();
  const UploadDeadline d(start, 5);
  EXPECT_FALSE(d.PassedAt(start + std::chrono::milliseconds(4999)));
  EXPECT_TRUE(d.PassedAt(start + std::chrono::seconds(5)));
  EXPECT_TRUE(UploadDeadline(start, 0).PassedAt(start));
}

TEST(UploadRules, LogLines) {
  std::string log;
  for (TransferState s : {TransferState::Connecting, TransferState::Connected,
                          TransferState::ResponseCompleted})
    log += UploadLogText(s, "Testing connection");
  EXPECT_EQ(log,
            "\r\nTesting connection - Connecting...Connected.\r\nTesting connection - Response "
            "completed.\r\n");
  EXPECT_EQ(ErrorLogText("Checking pool name", true), "\r\nChecking pool name - Error OK'd\r\n");
  EXPECT_EQ(ErrorLogText("Rankings", false), "\r\nRankings - Error occurred!\r\n");
}

// ---- the e-mail list

TEST(EmailList, LinesOfAddresses) {
  EXPECT_EQ(EmailListText({}), "   \r\n");
  EXPECT_EQ(EmailListText({"", ""}), "   \r\n");
  EXPECT_EQ(EmailListText({"a@x.org", "", "b@y.org"}), "   a@x.org, b@y.org\r\n");
  // Twenty characters each: two to a line (22 + 22; a third would make 66).
  std::vector<std::string> thirty;
  for (int i = 10; i < 40; ++i) thirty.push_back("person" + std::to_string(i) + "@example.org");
  ASSERT_EQ(thirty[0].size(), 20u);
  const std::string text = EmailListText(thirty);
  EXPECT_EQ(text.substr(0, 98),
            "   person10@example.org, person11@example.org, \r\n"
            "   person12@example.org, person13@example.org, \r\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 15);
  EXPECT_TRUE(text.ends_with("person38@example.org, person39@example.org\r\n"));
  // One address longer than a line stands on its own line.
  const std::string longOne(70, 'x');
  EXPECT_EQ(EmailListText({"a@b", longOne, "c@d"}),
            "   a@b, \r\n   " + longOne + ", \r\n   c@d\r\n");
}

TEST(EmailList, LineLengthsCountCharactersAsTheFileHoldsThem) {
  // 28 characters each, so two fill a line exactly (30 + 30); an accented
  // letter is one character in the file, however it is held in memory.
  struct Case {
    std::string address;
  } cases[] = {{std::string(26, 'a') + "@x"}, {std::string(25, 'a') + "\xC3\xA9@x"}};
  for (const Case& c : cases) {
    const std::string text = EmailListText({c.address, c.address, c.address});
    EXPECT_EQ(text, "   " + c.address + ", " + c.address + ", \r\n   " + c.address + "\r\n")
        << c.address;
  }
}

TEST(EmailList, SortedAsTheListBoxKeepsThem) {
  EXPECT_EQ(SortedAddresses({"bob@x", "Al@x", "", "al@x", "cy@x"}),
            (std::vector<std::string>{"", "Al@x", "al@x", "bob@x", "cy@x"}));
  EXPECT_EQ(ReportSeparatorText(), "\r\n" + std::string(92, '-') + "\r\n\r\n");
}

TEST(EmailList, SameFile) {
  test::TempFolder dir;
  WriteFile(dir / "pool.qbp", "x");
  EXPECT_TRUE(SameFile(dir / "pool.qbp", dir / "sub/../pool.qbp"));
  EXPECT_TRUE(SameFile(dir / "new.txt", dir / "./new.txt"));
  EXPECT_FALSE(SameFile(dir / "pool.qbp", dir / "reports.txt"));
  EXPECT_FALSE(SameFile(dir / "pool.qbp", ""));
  fs::create_symlink(dir / "pool.qbp", dir / "link.txt");
  EXPECT_TRUE(SameFile(dir / "link.txt", dir / "pool.qbp"));
}

// ---- the upload against a real server

constexpr const char* kKey = "abcdefghijklm";

class UploadRun : public ::testing::Test {
 protected:
  void Make(std::unique_ptr<test::UploadSite> s) {
    site = std::move(s);
    request.pathFileUrl = site->PathFileUrl();
    request.pathFileKey = test::kSiteKey;
  }
  void SetUp() override {
    request.folder = local.path().string();
    request.ownerKey = kKey;
    request.poolName = "OFFICE";
    request.timeout = UploadTimeoutFrom("30");
    request.reports = {"Participants", "Rankings"};
  }
  UploadOutcome Run() {
    return upload.Run(request);
  }
  std::map<std::string, std::string> Reports() {
    std::map<std::string, std::string> r;
    for (auto& [path, bytes] : site->RemoteFiles())
      if (path.rfind("www/qbreports/" + std::string(kKey), 0) == 0) r[path] = bytes;
    return r;
  }

  test::TempFolder local;
  std::unique_ptr<test::UploadSite> site;
  UploadRequest request;
  Transfer transfer;
  std::string log;
  std::vector<std::string> pagesAsked;
  std::string cancelAt;  // the report whose page cancels the upload
  ReportUpload upload{transfer,
                      {[] {},
                       [this](const std::string& t) { log += t; },
                       [this](const std::string& name, const WebPage& page) {
                         pagesAsked.push_back(name);
                         if (name == cancelAt) upload.Cancel();
                         return "<p>" + name + " " + std::to_string(page.fontSize) + " " +
                                std::to_string(page.rowLimit) + "</p>" + page.pageOpen + "|" +
                                page.pageClose + "\r\n";
                       }}};
};

TEST_F(UploadRun, TheFirstUploadStoresKeyNameAndReportsExactly) {
  Make(std::make_unique<test::UploadSite>());
  WriteFile(site->Remote("qbreports/webpageopen.htm"), "<div>,<b>\r\n");
  WriteFile(site->Remote("qbreports/webpageclose.htm"), "\"</div>\"\r\n");
  WriteFile(local / "webpoolname.txt", "stale, from an earlier upload");
  request.fontSize = 11;
  ASSERT_FALSE(fs::exists(local / (std::string(kKey) + ".txt")));

  ASSERT_EQ(Run(), UploadOutcome::Done) << log;

  const std::string keyLine = std::string(kKey) + " - OFFICE\r\n";
  const std::map<std::string, std::string> expected = {
      {"www/qbrpthash/test.txt", keyLine},
      {"www/qbrpthash/abcdefghijklm.txt", keyLine},
      {"www/qbrptnames/OFFICE.txt", keyLine},
      {"www/qbreports/webpageopen.htm", "<div>,<b>\r\n"},
      {"www/qbreports/webpageclose.htm", "\"</div>\"\r\n"},
      {"www/qbreports/abcdefghijklm-Participants.htm",
       "<p>Participants 11 500</p>\r\n<div>\r\n<b>|\r\n</div>\r\n"},
      {"www/qbreports/abcdefghijklm-Rankings.htm",
       "<p>Rankings 11 500</p>\r\n<div>\r\n<b>|\r\n</div>\r\n"},
  };
  EXPECT_EQ(site->RemoteFiles(), expected);
  EXPECT_EQ(ReadFile(local / "abcdefghijklm.txt"), keyLine);
  EXPECT_EQ(ReadFile(local / "Rankings.htm"), expected.at("www/qbreports/abcdefghijklm-Rankings.htm"));
  // The name file was not on the server: a definite "free", logged as expected.
  EXPECT_FALSE(fs::exists(local / "webpoolname.txt"));
  EXPECT_NE(log.find("Checking pool name - Error OK'd"), std::string::npos) << log;
  EXPECT_NE(log.find("Testing connection - Response completed."), std::string::npos) << log;
  EXPECT_TRUE(log.ends_with("\r\nDisconnecting...Disconnected.")) << log;
  EXPECT_EQ(log.find("Error occurred"), std::string::npos) << log;
  EXPECT_EQ(upload.Step(), "Closing Connection");

  // Sent again under the same name: ours, so the reports are replaced.
  request.reports = {"Rankings"};
  request.fontSize = 14;
  ASSERT_EQ(Run(), UploadOutcome::Done) << log;
  EXPECT_EQ(ReadFile(site->Remote("qbreports/abcdefghijklm-Rankings.htm")),
            "<p>Rankings 14 500</p>\r\n<div>\r\n<b>|\r\n</div>\r\n");
}

TEST_F(UploadRun, APoolNameOfAnotherOwnerIsRefusedBeforeAnyReportGoesUp) {
  Make(std::make_unique<test::UploadSite>());
  const std::string theirs = "zyxwvutsrqpon - OFFICE\r\n";
  WriteFile(site->Remote("qbrptnames/OFFICE.txt"), theirs);
  EXPECT_EQ(Run(), UploadOutcome::PoolNameTaken) << log;
  EXPECT_EQ(ReadFile(site->Remote("qbrptnames/OFFICE.txt")), theirs);
  EXPECT_TRUE(Reports().empty());
  EXPECT_FALSE(fs::exists(site->Remote("qbrpthash/abcdefghijklm.txt")));
  EXPECT_TRUE(pagesAsked.empty());
}

TEST_F(UploadRun, AWrongPasswordFailsAtTheConnectionTest) {
  Make(std::make_unique<test::UploadSite>("", "wrongpw1"));
  EXPECT_EQ(Run(), UploadOutcome::TransferFailed);
  EXPECT_NE(log.find("Testing connection - Error occurred!"), std::string::npos) << log;
  EXPECT_EQ(log.find("wrongpw1"), std::string::npos);
  EXPECT_EQ(upload.Step(), "Testing connection");
  EXPECT_EQ(site->RemoteFiles().size(), 0u);
}

TEST_F(UploadRun, ANameCheckWithoutAnAnswerDoesNotFreeTheName) {
  Make(std::make_unique<test::UploadSite>());
  const std::string theirs = "zyxwvutsrqpon - OFFICE\r\n";
  WriteFile(site->Remote("qbrptnames/OFFICE.txt"), theirs);
  // The answer arrives but cannot be kept: the question stays open.
  WriteFile(local / "webpoolname.txt/keep.txt", "in the way");
  EXPECT_EQ(Run(), UploadOutcome::TransferFailed) << log;
  EXPECT_NE(log.find("Checking pool name - Error occurred!"), std::string::npos) << log;
  EXPECT_EQ(log.find("Error OK'd"), std::string::npos) << log;
  EXPECT_EQ(ReadFile(site->Remote("qbrptnames/OFFICE.txt")), theirs);
  EXPECT_TRUE(pagesAsked.empty());
}

TEST_F(UploadRun, TheWholeUploadTimesOutThoughEachCommandMayWaitLonger) {
  test::SilentListener silent;
  Make(std::make_unique<test::UploadSite>(silent.Host()));
  request.timeout = UploadTimeoutFrom("1");
  ASSERT_EQ(request.timeout.requestSeconds, 15);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Run(), UploadOutcome::TimedOut) << log;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(upload.Step(), "Testing connection");
  EXPECT_FALSE(transfer.StillExecuting());
  // The fetch of the path file counts too.
  request.pathFileUrl = silent.Address("/ftppath.txt");
  EXPECT_EQ(Run(), UploadOutcome::TimedOut) << log;
  EXPECT_EQ(upload.Step(), "Finding Path");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(UploadRun, CancelEndsTheUploadAsCancelled) {
  Make(std::make_unique<test::UploadSite>());
  cancelAt = "Participants";
  EXPECT_EQ(Run(), UploadOutcome::Cancelled) << log;
  EXPECT_NE(log.find("Participants - Cancelled."), std::string::npos) << log;
  EXPECT_TRUE(Reports().empty());
  EXPECT_EQ(pagesAsked, std::vector<std::string>{"Participants"});
  EXPECT_FALSE(upload.Running());
  EXPECT_FALSE(transfer.StillExecuting());
}

TEST_F(UploadRun, HtmlOnlyWritesEveryRowAndSendsNothing) {
  request.htmlOnly = true;
  request.pathFileUrl = "http://127.0.0.1:1/never-asked";
  EXPECT_EQ(Run(), UploadOutcome::Done) << log;
  EXPECT_EQ(ReadFile(local / "Participants.htm"), "<p>Participants 9 0</p>|\r\n");
  EXPECT_TRUE(fs::exists(local / "Rankings.htm"));
  EXPECT_FALSE(fs::exists(local / "abcdefghijklm.txt"));
  EXPECT_EQ(log, "");
}

TEST_F(UploadRun, AnUnusablePathFileIsAnErrorNotAnUpload) {
  Make(std::make_unique<test::UploadSite>());
  WriteFile(site->web / "ftppath.txt", "too short\r\n");
  EXPECT_THROW(Run(), std::runtime_error);
  EXPECT_FALSE(upload.Running());
  // A path file that is not there at all is a failed transfer.
  fs::remove(site->web / "ftppath.txt");
  EXPECT_EQ(Run(), UploadOutcome::TransferFailed);
  EXPECT_NE(log.find("Finding Path - Error occurred!\r\nThe server answered with status 404."), std::string::npos) << log;
}

}  // namespace
}  // namespace qb
