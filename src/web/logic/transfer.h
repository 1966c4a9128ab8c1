#pragma once
// The program's client of the web site and of its file-transfer server, over
// libcurl. It stands in for a desktop transfer control:
//
//   Fetch(address)   the document at an http or https address (redirects are
//                    followed to http and https only); blocks until it has
//                    arrived or failed, calling the idle handler meanwhile so
//                    the windows keep working (and may call Cancel).
//                    Blanks around the address are dropped, blanks inside
//                    it escaped.
//   Execute(text)    one file-transfer command on the server set by
//                    SetServer, SetUserName and SetPassword; returns at once:
//                      SEND "local path" "remote path"   puts a local file
//                      GET "remote path" "local path"    gets a file
//                      CLOSE                             ends the connection
//                    Commands share one connection until CLOSE.
//   StillExecuting() drives the command on; true until it has ended.
//   Cancel()         stops the fetch or command in progress.
//
// Each step is reported to the state handler, numbered as the transfer logs
// show them, on the caller's thread and only from inside Fetch, Execute,
// StillExecuting or Pump. A failure is reported as TransferState::Error and
// leaves its reason in LastError(). Remote paths are the server's, relative
// to the login folder unless they begin with "/"; in local paths "\" is a
// folder separator as "/" is. A GET writes its file only once the whole file
// has arrived, in one step; a failed or cancelled GET writes nothing.
//
// A fetch or a SEND or GET reports states 1 to 8 as it gets there, then 12
// when it succeeded or 11 when it failed (a cancel reports nothing more);
// CLOSE reports 9 and 10. A window waits for a command as the upload does:
//   transfer.Execute(command);
//   while (transfer.StillExecuting()) { process events; give up at a deadline: Cancel(); }
//
// The user name and password go to libcurl as options: never into an
// address, a log or a file.
#include <functional>
#include <memory>
#include <string>

namespace qb {

enum class TransferState {
  ResolvingHost = 1,
  HostResolved = 2,
  Connecting = 3,
  Connected = 4,
  Requesting = 5,
  RequestSent = 6,
  ReceivingResponse = 7,
  ResponseReceived = 8,
  Disconnecting = 9,
  Disconnected = 10,
  Error = 11,
  ResponseCompleted = 12,
};

struct FetchResult {
  bool ok = false;         // the whole document arrived with a 2xx status
  std::string body;        // the bytes as they arrived; empty unless ok
  long status = 0;         // the last HTTP status, 0 when no answer came
  bool timedOut = false;   // the server did not answer in time
  bool cancelled = false;  // Cancel stopped it
  std::string error;       // why not ok, in words for the user
};

class Transfer {
 public:
  using StateHandler = std::function<void(TransferState)>;
  using IdleHandler = std::function<void()>;

  // Largest document Fetch or GET takes; a larger one fails.
  static constexpr size_t kMaxDocumentBytes = 32u << 20;

  Transfer();
  // Cancels what runs and closes the connection, reporting nothing.
  ~Transfer();
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;

  // Seconds a fetch or command waits for the server (to connect, for each
  // answer, for data to keep coming) before it fails; at least 1, default 60.
  void SetRequestTimeout(int seconds);
  int RequestTimeout() const;

  void SetStateHandler(StateHandler handler);
  // Called about every 50 milliseconds while Fetch waits.
  void SetIdleHandler(IdleHandler handler);

  FetchResult Fetch(const std::string& address);

  // The file-transfer server: "host" or "host:port" (port 21 when none);
  // "ftp://host/" names the same.
  // Changing any of them stops what runs and closes the connection.
  void SetServer(const std::string& address);
  void SetUserName(const std::string& user);
  void SetPassword(const std::string& password);

  // Starts a command. Throws std::invalid_argument for a text that is no
  // command, std::logic_error while a fetch or command still runs.
  void Execute(const std::string& operation);
  bool StillExecuting();
  // Drives a running command on, waiting up to waitMs for the network.
  void Pump(int waitMs);
  void Cancel();

  // The outcome of the last fetch or command once it has ended.
  bool LastFailed() const;
  bool LastTimedOut() const;
  // The server said the remote file of the last GET does not exist: a
  // definite answer, unlike a failure to ask.
  bool LastNotFound() const;
  const std::string& LastError() const;

 private:
  void Reconnect();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A file-transfer command as Execute reads it; false for a text that is none.
struct TransferCommand {
  enum class Verb { Send, Get, Close } verb = Verb::Close;
  std::string first;   // SEND: local path; GET: remote path
  std::string second;  // SEND: remote path; GET: local path
};
bool ParseTransferCommand(const std::string& operation, TransferCommand& command);

// True for an http or https address (any case of the scheme).
bool IsWebAddress(const std::string& address);

}  // namespace qb
