#pragma once
// The upload of the HTML reports to the web site's file-transfer server, and
// the rules it runs by: the path file that names the server, the remote
// paths of every command, the owner key that ties a pool name to this
// installation, the time-outs and the transfer log. ReportUpload runs the
// whole sequence on a Transfer; the window only gathers what it needs,
// shows the log and tells the user how it ended.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "web/logic/transfer.h"

namespace qb {

// ---- the path file

inline constexpr const char* kPathFileName = "ftppath.txt";

struct FtpPathFile {
  std::string serverAddress;       // host or host:port
  std::string remoteFolderPrefix;  // written in front of every remote path
  std::string userName;
  std::string password;            // unscrambled
  int rowLimit = 300;              // most grid rows of a report page
};

// Cuts the fields by column (1-30 server, 31-60 prefix, 61-70 user, 71-80
// scrambled password, 81 on the row limit) and unscrambles the password
// with the key. Throws std::runtime_error, with the reason, for a file too
// short for its password field, a server that is not host[:port], or a
// prefix that could not stand in a command, or a user name or password
// holding a control character.
FtpPathFile ReadFtpPathFile(std::string_view text, std::string_view key);

// The leading number of the text, rounded; below 100 (or none) gives 300.
int RowLimitFrom(std::string_view text);

// A host name or IPv4 address, optionally with ":port" (1 to 65535): no
// user, path, blank or other character that would change what is reached.
bool IsServerAddress(std::string_view address);

// ---- the owner key

inline constexpr int kOwnerKeyLength = 13;
// Kept in the settings, section "Web": made once, before the first upload.
inline constexpr const char* kOwnerKeySetting = "OwnerKey";

// 13 characters of lower-case letters and digits, each from one draw of
// random (uniform in [0, 1)).
std::string NewOwnerKey(const std::function<double()>& random);
bool IsOwnerKey(std::string_view key);

// The key file: the key, " - " and the pool name, one line.
std::string OwnerKeyFileText(const std::string& ownerKey, const std::string& poolName);

// ---- the boxes of the window

struct UploadTimeout {
  int requestSeconds = 120;     // each command: the value rounded, 15 to 600
  double overallSeconds = 120;  // the whole upload: the value as typed
};
// An empty box, one that holds no number or a number not above 0 takes the
// default of 120 seconds.
UploadTimeout UploadTimeoutFrom(const std::string& box);

// The value rounded; above 100, below 2 or no number gives 9.
int WebFontSizeFrom(const std::string& box);

// ---- the pool name and the templates on the server

enum class PoolNameOwner { Free, Ours, Taken };
// From the server's pool name file (its first item, as the pool file's
// fields read): its first 13 characters name the owner; an empty item is free.
PoolNameOwner PoolNameOwnerOf(std::string_view nameFile, const std::string& ownerKey);

// A page template: every item of the file (a comma or a line end ends one;
// quotes around an item are dropped), each after a CR LF.
std::string TemplateText(std::string_view bytes);

// ---- the commands

// The file-transfer commands of one upload. The pool name is the only text
// of the user's in a remote path: the constructor refuses (with
// std::invalid_argument) an empty name or one that IsValidPoolName refuses,
// a key that is no owner key, and a folder or prefix holding a double quote.
class UploadCommands {
 public:
  UploadCommands(std::string folder, std::string prefix, std::string ownerKey,
                 std::string poolName);

  std::string KeyFile() const;  // the local owner key file
  std::string LocalFile(const std::string& name) const;

  std::string TestConnection() const;
  std::string CheckPoolName() const;       // GET into "webpoolname.txt"
  std::string GetTemplate(const std::string& name) const;  // "webpageopen.htm", ...
  std::string StoreKeyFile() const;
  std::string StorePoolNameFile() const;
  std::string SendReport(const std::string& reportName) const;
  static std::string Close() { return "CLOSE"; }

 private:
  std::string Send(const std::string& local, const std::string& remote) const;
  std::string Get(const std::string& remote, const std::string& local) const;
  std::string folder_, prefix_, key_, pool_;
};

inline constexpr const char* kPoolNameCopy = "webpoolname.txt";
inline constexpr const char* kPageOpenTemplate = "webpageopen.htm";
inline constexpr const char* kPageCloseTemplate = "webpageclose.htm";

// ---- the log

// What a state of the transfer appends to the log during the step; the
// error state is logged by ErrorLogText.
std::string UploadLogText(TransferState state, const std::string& step);
std::string ErrorLogText(const std::string& step, bool expected);

// ---- the time for the whole upload, on a clock that never goes back

class UploadDeadline {
 public:
  using Clock = std::chrono::steady_clock;
  UploadDeadline(Clock::time_point start, double seconds);
  bool PassedAt(Clock::time_point now) const { return now >= end_; }
  bool Passed() const { return PassedAt(Clock::now()); }

 private:
  Clock::time_point end_;
};

// ---- the upload

inline constexpr const char* kTimedOutText =
    "Combined time for operations has been exceeded!\r\n"
    "Check your Internet connection or increase the time out and try again!";
inline constexpr const char* kTransferErrorText =
    "Error in transferring data to the Internet!\r\nPlease check your connection and re-send!";
inline constexpr const char* kPoolNameTakenText =
    "Pool name already in use by someone else!\r\n"
    "Please select another name and re-send your files.";

// What the report pages take from the upload.
struct WebPage {
  int fontSize = 9;
  std::string pageOpen, pageClose;
  int rowLimit = 0;  // 0 = every row
};

struct UploadRequest {
  std::string folder;       // where the local files go
  std::string pathFileUrl;  // the site's path file
  std::string pathFileKey;
  std::string ownerKey;
  std::string poolName;     // trimmed and upper case
  UploadTimeout timeout;
  int fontSize = 9;
  bool htmlOnly = false;    // write the pages, send nothing
  std::vector<std::string> reports;  // report names, in the order they go
};

enum class UploadOutcome { Done, TransferFailed, TimedOut, Cancelled, PoolNameTaken };

class ReportUpload {
 public:
  struct Hooks {
    std::function<void()> idle;                     // lets the windows work meanwhile
    std::function<void(const std::string&)> log;    // appends to the transfer log
    // The report page's HTML; an exception ends the upload.
    std::function<std::string(const std::string& reportName, const WebPage& page)> reportHtml;
  };

  ReportUpload(Transfer& transfer, Hooks hooks);
  ~ReportUpload();

  // Runs the upload to its end. Throws (std::runtime_error and kin) for a
  // path file that cannot be used or a local file that cannot be written.
  UploadOutcome Run(const UploadRequest& request);
  // Ends the upload that runs as cancelled (from a handler called meanwhile).
  void Cancel();
  bool Running() const { return running_; }
  const std::string& Step() const { return step_; }

 private:
  UploadOutcome Upload(const UploadRequest& request);
  // Waits for the command that runs; Done when it ended well.
  UploadOutcome Wait();
  UploadOutcome Execute(const std::string& command);
  void OnState(TransferState state);
  void Idle();
  void WriteLocal(const std::string& path, const std::string& bytes) const;

  Transfer& transfer_;
  Hooks hooks_;
  std::string step_;
  bool running_ = false;
  bool failed_ = false;
  bool cancelled_ = false;
  bool notFoundExpected_ = false;
  UploadDeadline deadline_{UploadDeadline::Clock::now(), 0};
};

}  // namespace qb
