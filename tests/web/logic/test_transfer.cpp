#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/local_servers.h"
#include "web/logic/transfer.h"

namespace qb {
namespace {

namespace fs = std::filesystem;
using S = TransferState;

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/qb-transfer-XXXXXX";
    path_ = mkdtemp(name);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A transfer whose states are recorded.
struct Recorded {
  Transfer transfer;
  std::vector<S> states;
  Recorded() {
    transfer.SetStateHandler([this](S s) { states.push_back(s); });
  }
  // Runs a command to its end (bounded by the server time-outs of the test).
  void Run(const std::string& operation) {
    transfer.Execute(operation);
    for (int i = 0; i < 3000 && transfer.StillExecuting(); ++i) {
    }
    ASSERT_FALSE(transfer.StillExecuting());
  }
  S Last() const { return states.empty() ? S{} : states.back(); }
};

const std::vector<S> kFullFetch = {S::ResolvingHost,     S::HostResolved,     S::Connecting,
                                   S::Connected,         S::Requesting,       S::RequestSent,
                                   S::ReceivingResponse, S::ResponseReceived, S::ResponseCompleted};

TEST(TransferFetch, ADocumentArrivesWholeWithEveryStateInOrder) {
  TempFolder site;
  const std::string bytes = "%Header`,\"QuorvelBrakkon\"\r\n\"caf\xE9\",1,2\r\n";
  WriteFile(site / "bracket.qbp", bytes);
  auto server = test::StartHttpServer(site.path().string());
  Recorded r;
  FetchResult got = r.transfer.Fetch(server.Address("/bracket.qbp"));
  EXPECT_TRUE(got.ok) << got.error;
  EXPECT_EQ(got.body, bytes);
  EXPECT_EQ(got.status, 200);
  EXPECT_EQ(r.states, kFullFetch);
  EXPECT_FALSE(r.transfer.LastFailed());
}

TEST(TransferFetch, AnAddressWithBlanksOrAccentsReachesItsFile) {
  TempFolder site;
  WriteFile(site / "spring results.qbp", "spring");
  WriteFile(site / "caf\xC3\xA9.qbp", "cafe");
  WriteFile(site / "a%20b.qbp", "escaped");
  auto server = test::StartHttpServer(site.path().string());
  struct Case {
    std::string path, body;
  } cases[] = {{"/spring results.qbp", "spring"},
               {"/spring%20results.qbp", "spring"},
               {"/caf\xC3\xA9.qbp", "cafe"},
               {"/a%2520b.qbp", "escaped"}};
  for (const Case& c : cases) {
    if (c.body.empty()) continue;
    Recorded r;
    FetchResult got = r.transfer.Fetch("  " + server.Address(c.path) + " ");
    EXPECT_TRUE(got.ok) << c.path << ": " << got.error;
    EXPECT_EQ(got.body, c.body) << c.path;
  }
}

TEST(TransferFetch, AnErrorStatusIsAFailureWithoutABody) {
  TempFolder site;
  auto server = test::StartHttpServer(site.path().string());
  Recorded r;
  FetchResult got = r.transfer.Fetch(server.Address("/missing.qbp"));
  EXPECT_FALSE(got.ok);
  EXPECT_EQ(got.status, 404);
  EXPECT_TRUE(got.body.empty()) << "the error page is not handed out as the document";
  EXPECT_NE(got.error.find("404"), std::string::npos) << got.error;
  ASSERT_GE(r.states.size(), 2u);
  EXPECT_EQ(r.states[r.states.size() - 2], S::ResponseReceived);
  EXPECT_EQ(r.Last(), S::Error);
  EXPECT_TRUE(r.transfer.LastFailed());
}

TEST(TransferFetch, AServerThatNeverAnswersTimesOut) {
  test::SilentListener silent;
  Recorded r;
  r.transfer.SetRequestTimeout(1);
  FetchResult got = r.transfer.Fetch(silent.Address("/bracket.qbp"));
  EXPECT_FALSE(got.ok);
  EXPECT_TRUE(got.timedOut);
  EXPECT_TRUE(r.transfer.LastTimedOut());
  EXPECT_NE(got.error.find("1 seconds"), std::string::npos) << got.error;
  EXPECT_EQ(r.Last(), S::Error);
  EXPECT_EQ(std::count(r.states.begin(), r.states.end(), S::Error), 1);
}

TEST(TransferFetch, NoServerAtThePortIsAFailure) {
  Recorded r;
  r.transfer.SetRequestTimeout(5);
  const test::ClosedPort closed;
  FetchResult got = r.transfer.Fetch(closed.Address("/x"));
  EXPECT_FALSE(got.ok);
  EXPECT_FALSE(got.timedOut);
  EXPECT_EQ(r.Last(), S::Error);
  EXPECT_EQ(std::count(r.states.begin(), r.states.end(), S::ReceivingResponse), 0);
}

TEST(TransferFetch, OnlyHttpAndHttpsAddressesAreFetchedAlsoAfterARedirect) {
  TempFolder site;
  WriteFile(site / "pool.qbp", "pool");
  auto web = test::StartHttpServer(site.path().string());
  auto redirect = test::StartRedirectServer();
  TempFolder ftpRoot;
  WriteFile(ftpRoot / "pool.qbp", "from the transfer server");
  auto ftp = test::StartFtpServer(ftpRoot.path().string(), "u", "p");
  const std::string ftpAddress = "ftp://u:p@" + ftp.Host() + "/pool.qbp";

  struct Case {
    std::string address;
    bool ok;
  } cases[] = {
      {redirect.Address("/to?" + web.Address("/pool.qbp")), true},
      {redirect.Address("/to?" + ftpAddress), false},
      {redirect.Address("/to?file://" + site / "pool.qbp"), false},
      {ftpAddress, false},
      {"file://" + site / "pool.qbp", false},
      {"HTTP://" + web.Host() + "/pool.qbp", true},
  };
  for (const Case& c : cases) {
    Recorded r;
    r.transfer.SetRequestTimeout(5);
    FetchResult got = r.transfer.Fetch(c.address);
    EXPECT_EQ(got.ok, c.ok) << c.address << ": " << got.error;
    EXPECT_EQ(got.body, c.ok ? "pool" : "") << c.address;
    EXPECT_EQ(r.Last(), c.ok ? S::ResponseCompleted : S::Error) << c.address;
  }
  // Nothing ever reached the transfer server.
  EXPECT_EQ(ftp.process->ReadLine(200), std::nullopt);
}

TEST(TransferFetch, CancelFromTheIdleHandlerStopsTheFetch) {
  test::SilentListener silent;
  Recorded r;
  r.transfer.SetRequestTimeout(30);
  int idles = 0;
  r.transfer.SetIdleHandler([&] {
    if (++idles == 3) r.transfer.Cancel();
  });
  FetchResult got = r.transfer.Fetch(silent.Address());
  EXPECT_FALSE(got.ok);
  EXPECT_TRUE(got.cancelled);
  EXPECT_FALSE(got.timedOut);
  EXPECT_EQ(idles, 3);
  EXPECT_EQ(std::count(r.states.begin(), r.states.end(), S::Error), 0)
      << "a cancel is the caller's own doing, not reported as an error";
  // The client is ready for the next fetch.
  TempFolder site;
  WriteFile(site / "a.txt", "again");
  auto web = test::StartHttpServer(site.path().string());
  EXPECT_EQ(r.transfer.Fetch(web.Address("/a.txt")).body, "again");
}

class TransferFtp : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(remote.path() / "qbreports");
    server = test::StartFtpServer(remote.path().string(), "manager", "s3cret!pw");
    r.transfer.SetRequestTimeout(5);
    r.transfer.SetServer(server.Host());
    r.transfer.SetUserName("manager");
    r.transfer.SetPassword("s3cret!pw");
  }
  int Count(const std::string& what) {
    int n = 0;
    while (auto line = server.process->ReadLine(300))
      if (*line == what) ++n;
    return n;
  }

  TempFolder remote, local;
  test::LocalServer server;
  Recorded r;
};

TEST_F(TransferFtp, SendGetAndCloseRunOnOneConnection) {
  WriteFile(local / "Standings.htm", "<html>standings</html>\r\n");
  WriteFile(remote / "qbreports/webpageopen.htm", "<head>\r\n");
  r.Run("SEND \"" + local / "Standings.htm" + "\" \"qbreports/KEY-Standings.htm\"");
  EXPECT_FALSE(r.transfer.LastFailed()) << r.transfer.LastError();
  EXPECT_EQ(r.states, kFullFetch);
  EXPECT_EQ(ReadFile(remote / "qbreports/KEY-Standings.htm"), "<html>standings</html>\r\n");

  // The Windows separator in a local path names the same file.
  std::string windowsStyle = local / "webpageopen.htm";
  windowsStyle.replace(windowsStyle.rfind('/'), 1, "\\");
  r.states.clear();
  r.Run("GET \"qbreports/webpageopen.htm\" \"" + windowsStyle + "\"");
  EXPECT_EQ(r.Last(), S::ResponseCompleted);
  EXPECT_FALSE(r.transfer.LastFailed()) << r.transfer.LastError();
  EXPECT_EQ(ReadFile(local / "webpageopen.htm"), "<head>\r\n");

  // The server named as an address is the same server, on the same connection.
  r.transfer.SetServer("ftp://" + server.Host() + "/");
  r.Run("GET \"qbreports/KEY-Standings.htm\" \"" + local / "back.htm" + "\"");
  EXPECT_EQ(ReadFile(local / "back.htm"), "<html>standings</html>\r\n");

  r.states.clear();
  r.Run("CLOSE");
  EXPECT_EQ(r.states, (std::vector<S>{S::Disconnecting, S::Disconnected}));
  EXPECT_EQ(Count("connect"), 1);
}

TEST_F(TransferFtp, AMissingRemoteFileFailsAndWritesNothingThenTheNextCommandWorks) {
  WriteFile(local / "webpoolname.txt", "stale");
  r.Run("GET \"qbrptnames/OFFICE.txt\" \"" + local / "webpoolname.txt" + "\"");
  EXPECT_TRUE(r.transfer.LastFailed());
  EXPECT_TRUE(r.transfer.LastNotFound()) << r.transfer.LastError();
  EXPECT_EQ(r.Last(), S::Error);
  EXPECT_EQ(ReadFile(local / "webpoolname.txt"), "stale");
  r.Run("GET \"qbrptnames/OFFICE.txt\" \"" + local / "fresh.txt" + "\"");
  EXPECT_FALSE(fs::exists(local / "fresh.txt"));

  WriteFile(local / "key.txt", "KEY - OFFICE\r\n");
  r.Run("SEND \"" + local / "key.txt" + "\" \"qbreports/key.txt\"");
  EXPECT_FALSE(r.transfer.LastFailed()) << r.transfer.LastError();
  EXPECT_EQ(ReadFile(remote / "qbreports/key.txt"), "KEY - OFFICE\r\n");
}

TEST_F(TransferFtp, AMissingLocalFileFailsBeforeAnythingIsSent) {
  r.Run("SEND \"" + local / "nothere.txt" + "\" \"qbreports/x.txt\"");
  EXPECT_TRUE(r.transfer.LastFailed());
  EXPECT_EQ(r.states, std::vector<S>{S::Error});
  EXPECT_FALSE(fs::exists(remote / "qbreports/x.txt"));
}

TEST_F(TransferFtp, AWrongPasswordFailsAndIsNeverShown) {
  r.transfer.SetPassword("wrong-pass-7");
  WriteFile(local / "a.txt", "a");
  r.Run("SEND \"" + local / "a.txt" + "\" \"qbreports/a.txt\"");
  EXPECT_TRUE(r.transfer.LastFailed());
  EXPECT_FALSE(r.transfer.LastNotFound());
  EXPECT_EQ(r.Last(), S::Error);
  EXPECT_EQ(r.transfer.LastError().find("wrong-pass-7"), std::string::npos);
  EXPECT_FALSE(fs::exists(remote / "qbreports/a.txt"));
}

TEST_F(TransferFtp, AServerThatStopsAnsweringIsLetGoAndTimesOut) {
  WriteFile(local / "a.txt", "a");
  r.Run("SEND \"" + local / "a.txt" + "\" \"qbreports/a.txt\"");
  ASSERT_FALSE(r.transfer.LastFailed()) << r.transfer.LastError();
  // The short time-out only once the server can no longer answer in it.
  r.transfer.SetRequestTimeout(1);
  server.process->Pause();
  r.Run("CLOSE");  // waits for the server's goodbye no longer than the time-out
  EXPECT_EQ(r.Last(), S::Disconnected);
  r.Run("SEND \"" + local / "a.txt" + "\" \"qbreports/b.txt\"");
  EXPECT_TRUE(r.transfer.LastTimedOut()) << r.transfer.LastError();
  server.process->Resume();
}

TEST_F(TransferFtp, ACommandWhileOneRunsIsRefused) {
  WriteFile(local / "a.txt", "a");
  r.transfer.Execute("SEND \"" + local / "a.txt" + "\" \"qbreports/a.txt\"");
  EXPECT_THROW(r.transfer.Execute("CLOSE"), std::logic_error);
  EXPECT_THROW(r.transfer.Fetch("http://127.0.0.1/"), std::logic_error);
  r.transfer.Cancel();
  EXPECT_FALSE(r.transfer.StillExecuting());
  EXPECT_THROW(r.transfer.Execute("DELETE \"x\""), std::invalid_argument);
}

TEST(TransferFtpTimeout, AServerThatNeverAnswersTimesOut) {
  test::SilentListener silent;
  TempFolder local;
  Recorded r;
  r.transfer.SetRequestTimeout(1);
  r.transfer.SetServer(silent.Host());
  r.transfer.SetUserName("u");
  r.transfer.SetPassword("p");
  r.Run("GET \"a.txt\" \"" + local / "a.txt" + "\"");
  EXPECT_TRUE(r.transfer.LastFailed());
  EXPECT_TRUE(r.transfer.LastTimedOut()) << r.transfer.LastError();
  EXPECT_FALSE(r.transfer.LastNotFound()) << "no answer is no answer about the file";
  EXPECT_EQ(r.Last(), S::Error);
  EXPECT_FALSE(fs::exists(local / "a.txt"));
}

TEST(TransferCommand, ReadsTheCommandsOfTheUpload) {
  struct Case {
    const char* text;
    bool ok;
    TransferCommand::Verb verb;
    const char* first;
    const char* second;
  } cases[] = {
      {"SEND \"C:\\qb\\KEY.txt\" \"www/qbrpthash/test.txt\"", true, TransferCommand::Verb::Send,
       "C:\\qb\\KEY.txt", "www/qbrpthash/test.txt"},
      {"GET \"www/qbrptnames/OFFICE.txt\" \"/home/u/webpoolname.txt\"", true,
       TransferCommand::Verb::Get, "www/qbrptnames/OFFICE.txt", "/home/u/webpoolname.txt"},
      {"get \"a b\"   \"c\"", true, TransferCommand::Verb::Get, "a b", "c"},
      {"CLOSE", true, TransferCommand::Verb::Close, "", ""},
      {"  close ", true, TransferCommand::Verb::Close, "", ""},
      {"SEND \"a\"", false, {}, "", ""},
      {"SEND a b", false, {}, "", ""},
      {"SEND \"\" \"b\"", false, {}, "", ""},
      {"GET \"a\" \"b\" extra", false, {}, "", ""},
      {"DIR", false, {}, "", ""},
      {"", false, {}, "", ""},
  };
  for (const Case& c : cases) {
    TransferCommand cmd;
    ASSERT_EQ(ParseTransferCommand(c.text, cmd), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(cmd.verb, c.verb) << c.text;
    EXPECT_EQ(cmd.first, c.first) << c.text;
    EXPECT_EQ(cmd.second, c.second) << c.text;
  }
}

}  // namespace
}  // namespace qb
