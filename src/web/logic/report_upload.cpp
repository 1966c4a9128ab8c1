#include "web/logic/report_upload.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "core/file_replace.h"
#include "core/pool_file_fields.h"
#include "core/text_format.h"
#include "web/logic/scramble.h"

namespace qb {
namespace {

std::string Column(std::string_view text, size_t first, size_t count) {
  if (first > text.size()) return {};
  return Trim(text.substr(first - 1, count));
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 32 || c == 127; }

bool HoldsQuoteOrControl(std::string_view t) {
  return std::any_of(t.begin(), t.end(), [](char c) { return c == '"' || IsControl(c); });
}

std::string Upper(std::string t) {
  for (char& c : t)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return t;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// ---- the path file

int RowLimitFrom(std::string_view text) {
  const double v = std::nearbyint(Val(text));
  if (!(v >= 100)) return 300;
  return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

bool IsServerAddress(std::string_view address) {
  std::string_view host = address;
  const size_t colon = address.find(':');
  if (colon != std::string_view::npos) {
    host = address.substr(0, colon);
    const std::string_view port = address.substr(colon + 1);
    if (port.empty() || port.size() > 5 ||
        !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
    const int n = std::stoi(std::string(port));
    if (n < 1 || n > 65535) return false;
  }
  if (host.empty() || host.size() > 253 || host.front() == '.' || host.front() == '-' ||
      host.find("..") != std::string_view::npos)
    return false;
  return std::all_of(host.begin(), host.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '.';
  });
}

FtpPathFile ReadFtpPathFile(std::string_view text, std::string_view key) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  FtpPathFile f;
  f.serverAddress = Column(text, 1, 30);
  f.remoteFolderPrefix = Column(text, 31, 30);
  f.userName = Column(text, 61, 10);
  std::string scrambled = Column(text, 71, 10);
  if (scrambled.empty())
    throw std::runtime_error("The path file of the web site is too short for its password field.");
  try {
    f.password = UnscrambleText(scrambled, key);
  } catch (const std::invalid_argument&) {
    throw std::runtime_error("The password field of the web site's path file cannot be read.");
  }
  if (!IsServerAddress(f.serverAddress))
    throw std::runtime_error("The path file of the web site names no usable server: \"" +
                             f.serverAddress + "\".");
  if (HoldsQuoteOrControl(f.remoteFolderPrefix))
    throw std::runtime_error("The path file of the web site names an unusable folder.");
  // A line break in the login would end the server's command and start another.
  if (std::any_of(f.userName.begin(), f.userName.end(), IsControl) ||
      std::any_of(f.password.begin(), f.password.end(), IsControl))
    throw std::runtime_error("The path file of the web site names an unusable login.");
  f.rowLimit = RowLimitFrom(text.size() > 80 ? text.substr(80) : std::string_view());
  return f;
}

// ---- the owner key

std::string NewOwnerKey(const std::function<double()>& random) {
  static constexpr std::string_view kChars = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string key;
  for (int i = 0; i < kOwnerKeyLength; ++i) {
    const double r = std::clamp(random(), 0.0, 1.0);
    key += kChars[std::min(kChars.size() - 1, static_cast<size_t>(r * kChars.size()))];
  }
  return key;
}

bool IsOwnerKey(std::string_view key) {
  return key.size() == static_cast<size_t>(kOwnerKeyLength) &&
         std::all_of(key.begin(), key.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

std::string OwnerKeyFileText(const std::string& ownerKey, const std::string& poolName) {
  return ownerKey + " - " + poolName + "\r\n";
}

// ---- the boxes

UploadTimeout UploadTimeoutFrom(const std::string& box) {
  const double v = Val(box);
  UploadTimeout t;
  if (!(v > 0) || !std::isfinite(v)) return t;
  t.overallSeconds = std::min(v, 366.0 * 24 * 3600);
  t.requestSeconds = static_cast<int>(std::clamp(std::nearbyint(v), 15.0, 600.0));
  return t;
}

int WebFontSizeFrom(const std::string& box) {
  const double v = std::nearbyint(Val(box));
  if (!(v >= 2 && v <= 100)) return 9;
  return static_cast<int>(v);
}

// ---- the pool name and the templates

PoolNameOwner PoolNameOwnerOf(std::string_view nameFile, const std::string& ownerKey) {
  FieldReader r(nameFile);
  std::string_view field;
  std::string first;
  if (r.Next(field)) {
    r.Unread();
    try {
      first = r.ReadString();
    } catch (const FieldError&) {
      // Something is there but cannot be read: it is not ours.
      return PoolNameOwner::Taken;
    }
  }
  const std::string owner = first.substr(0, kOwnerKeyLength);
  if (owner.empty()) return PoolNameOwner::Free;
  return owner == ownerKey ? PoolNameOwner::Ours : PoolNameOwner::Taken;
}

std::string TemplateText(std::string_view bytes) {
  FieldReader r(bytes);
  std::string_view field;
  std::string out;
  while (r.Next(field)) {
    r.Unread();
    try {
      out += "\r\n" + r.ReadString();
    } catch (const FieldError&) {
      break;
    }
  }
  return out;
}

// ---- the commands

UploadCommands::UploadCommands(std::string folder, std::string prefix, std::string ownerKey,
                               std::string poolName)
    : folder_(std::move(folder)),
      prefix_(std::move(prefix)),
      key_(std::move(ownerKey)),
      pool_(Upper(Trim(poolName))) {
  if (pool_.empty() || !IsValidPoolName(pool_))
    throw std::invalid_argument("Not a pool name for the web site: \"" + pool_ + "\"");
  if (!IsOwnerKey(key_)) throw std::invalid_argument("Not an owner key: \"" + key_ + "\"");
  if (HoldsQuoteOrControl(folder_) || HoldsQuoteOrControl(prefix_))
    throw std::invalid_argument("A path of the upload holds a character it cannot hold.");
  while (folder_.size() > 1 && (folder_.back() == '/' || folder_.back() == '\\'))
    folder_.pop_back();
}

std::string UploadCommands::LocalFile(const std::string& name) const {
  return folder_ + "/" + name;
}
std::string UploadCommands::KeyFile() const { return LocalFile(key_ + ".txt"); }

std::string UploadCommands::Send(const std::string& local, const std::string& remote) const {
  return "SEND \"" + local + "\" \"" + prefix_ + remote + "\"";
}
std::string UploadCommands::Get(const std::string& remote, const std::string& local) const {
  return "GET \"" + prefix_ + remote + "\" \"" + local + "\"";
}

std::string UploadCommands::TestConnection() const {
  return Send(KeyFile(), "qbrpthash/test.txt");
}
std::string UploadCommands::CheckPoolName() const {
  return Get("qbrptnames/" + pool_ + ".txt", LocalFile(kPoolNameCopy));
}
std::string UploadCommands::GetTemplate(const std::string& name) const {
  return Get("qbreports/" + name, LocalFile(name));
}
std::string UploadCommands::StoreKeyFile() const {
  return Send(KeyFile(), "qbrpthash/" + key_ + ".txt");
}
std::string UploadCommands::StorePoolNameFile() const {
  return Send(KeyFile(), "qbrptnames/" + pool_ + ".txt");
}
std::string UploadCommands::SendReport(const std::string& reportName) const {
  if (reportName.empty() || !std::all_of(reportName.begin(), reportName.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      }))
    throw std::invalid_argument("Not a report name: \"" + reportName + "\"");
  return Send(LocalFile(reportName + ".htm"), "qbreports/" + key_ + "-" + reportName + ".htm");
}

// ---- the log

std::string UploadLogText(TransferState state, const std::string& step) {
  switch (state) {
    case TransferState::ResolvingHost: return "\r\n" + step + " - Resolving host...";
    case TransferState::HostResolved: return "Host resolved.";
    case TransferState::Connecting: return "\r\n" + step + " - Connecting...";
    case TransferState::Connected: return "Connected.";
    case TransferState::Requesting: return "\r\n" + step + " - Requesting...";
    case TransferState::RequestSent: return "Request sent.";
    case TransferState::ReceivingResponse: return "\r\n" + step + " - Receiving response...";
    case TransferState::ResponseReceived: return "Response received.";
    case TransferState::Disconnecting: return "\r\nDisconnecting...";
    case TransferState::Disconnected: return "Disconnected.";
    case TransferState::Error: return ErrorLogText(step, false);
    case TransferState::ResponseCompleted: return "\r\n" + step + " - Response completed.\r\n";
  }
  return {};
}

std::string ErrorLogText(const std::string& step, bool expected) {
  return "\r\n" + step + (expected ? " - Error OK'd\r\n" : " - Error occurred!\r\n");
}

// ---- the deadline

UploadDeadline::UploadDeadline(Clock::time_point start, double seconds)
    : end_(start + std::chrono::duration_cast<Clock::duration>(
                       std::chrono::duration<double>(std::max(0.0, seconds)))) {}

// ---- the upload

ReportUpload::ReportUpload(Transfer& transfer, Hooks hooks)
    : transfer_(transfer), hooks_(std::move(hooks)) {}

ReportUpload::~ReportUpload() {
  transfer_.SetStateHandler(nullptr);
  transfer_.SetIdleHandler(nullptr);
}

void ReportUpload::Cancel() {
  if (!running_) return;
  cancelled_ = true;
  transfer_.Cancel();
}

void ReportUpload::Idle() {
  if (hooks_.idle) hooks_.idle();
}

void ReportUpload::OnState(TransferState state) {
  if (state != TransferState::Error) {
    hooks_.log(UploadLogText(state, step_));
    return;
  }
  // Only the server's word that a file is not there is an answer; any other
  // failure leaves the question open and ends the upload.
  const bool expected = notFoundExpected_ && transfer_.LastNotFound();
  std::string text = ErrorLogText(step_, expected);
  if (!expected && !transfer_.LastError().empty()) text += transfer_.LastError() + "\r\n";
  hooks_.log(text);
  if (!expected) failed_ = true;
}

UploadOutcome ReportUpload::Run(const UploadRequest& request) {
  if (running_) throw std::logic_error("An upload is already running");
  running_ = true;
  failed_ = false;
  cancelled_ = false;
  notFoundExpected_ = false;
  deadline_ = UploadDeadline(UploadDeadline::Clock::now(), request.timeout.overallSeconds);
  transfer_.SetRequestTimeout(request.timeout.requestSeconds);
  transfer_.SetStateHandler([this](TransferState s) { OnState(s); });
  // The path file's fetch waits inside the client: the windows go on
  // meanwhile, and the deadline and Cancel stop it there.
  transfer_.SetIdleHandler([this] {
    Idle();
    if (cancelled_ || deadline_.Passed()) transfer_.Cancel();
  });
  UploadOutcome outcome;
  try {
    outcome = Upload(request);
  } catch (...) {
    transfer_.Cancel();
    running_ = false;
    throw;
  }
  if (outcome != UploadOutcome::Done) transfer_.Cancel();
  if (outcome == UploadOutcome::Cancelled) hooks_.log("\r\n" + step_ + " - Cancelled.\r\n");
  running_ = false;
  return outcome;
}

UploadOutcome ReportUpload::Wait() {
  for (;;) {
    if (cancelled_) return UploadOutcome::Cancelled;
    if (failed_) return UploadOutcome::TransferFailed;
    if (!transfer_.StillExecuting()) {
      if (cancelled_) return UploadOutcome::Cancelled;
      return failed_ ? UploadOutcome::TransferFailed : UploadOutcome::Done;
    }
    if (deadline_.Passed()) return UploadOutcome::TimedOut;
    Idle();
  }
}

UploadOutcome ReportUpload::Execute(const std::string& command) {
  if (cancelled_) return UploadOutcome::Cancelled;
  if (deadline_.Passed()) return UploadOutcome::TimedOut;
  transfer_.Execute(command);
  return Wait();
}

void ReportUpload::WriteLocal(const std::string& path, const std::string& bytes) const {
  if (std::error_code ec = ReplaceFileContents(path, bytes))
    throw std::runtime_error("The file " + path + " could not be written: " + ec.message());
}

UploadOutcome ReportUpload::Upload(const UploadRequest& r) {
  WebPage page;
  page.fontSize = r.fontSize;
  FtpPathFile path;
  if (!r.htmlOnly) {
    step_ = "Finding Path";
    FetchResult got = transfer_.Fetch(r.pathFileUrl);
    if (cancelled_) return UploadOutcome::Cancelled;
    if (!got.ok && deadline_.Passed()) return UploadOutcome::TimedOut;
    // The failure and its reason are in the log already.
    if (!got.ok) return UploadOutcome::TransferFailed;
    failed_ = false;
    path = ReadFtpPathFile(got.body, r.pathFileKey);
    page.rowLimit = path.rowLimit;
  }
  const UploadCommands cmd(r.folder, path.remoteFolderPrefix, r.ownerKey, r.poolName);
  std::error_code ignored;
  for (const char* name : {kPoolNameCopy, kPageOpenTemplate, kPageCloseTemplate})
    std::filesystem::remove(cmd.LocalFile(name), ignored);

  if (!r.htmlOnly) {
    transfer_.SetServer(path.serverAddress);
    transfer_.SetUserName(path.userName);
    transfer_.SetPassword(path.password);
    // The connection test sends the key file: it must be there, also on the
    // very first upload.
    WriteLocal(cmd.KeyFile(), OwnerKeyFileText(r.ownerKey, Upper(Trim(r.poolName))));

    step_ = "Testing connection";
    if (UploadOutcome o = Execute(cmd.TestConnection()); o != UploadOutcome::Done) return o;

    step_ = "Checking pool name";
    notFoundExpected_ = true;
    if (UploadOutcome o = Execute(cmd.CheckPoolName()); o != UploadOutcome::Done) return o;
    if (PoolNameOwnerOf(ReadWholeFile(cmd.LocalFile(kPoolNameCopy)), r.ownerKey) ==
        PoolNameOwner::Taken) {
      Execute(UploadCommands::Close());
      return UploadOutcome::PoolNameTaken;
    }
    if (UploadOutcome o = Execute(cmd.GetTemplate(kPageOpenTemplate)); o != UploadOutcome::Done)
      return o;
    page.pageOpen = TemplateText(ReadWholeFile(cmd.LocalFile(kPageOpenTemplate)));
    if (UploadOutcome o = Execute(cmd.GetTemplate(kPageCloseTemplate)); o != UploadOutcome::Done)
      return o;
    page.pageClose = TemplateText(ReadWholeFile(cmd.LocalFile(kPageCloseTemplate)));
    notFoundExpected_ = false;

    step_ = "Storing Key File";
    if (UploadOutcome o = Execute(cmd.StoreKeyFile()); o != UploadOutcome::Done) return o;
    step_ = "Storing Pool Name File";
    if (UploadOutcome o = Execute(cmd.StorePoolNameFile()); o != UploadOutcome::Done) return o;
  }

  bool sending = false;
  for (const std::string& name : r.reports) {
    if (sending) {
      if (UploadOutcome o = Wait(); o != UploadOutcome::Done) return o;
      sending = false;
    }
    step_ = name;
    const std::string command = cmd.SendReport(name);  // refuses a name that is none
    WriteLocal(cmd.LocalFile(name + ".htm"), hooks_.reportHtml(name, page));
    if (cancelled_) return UploadOutcome::Cancelled;
    if (r.htmlOnly) continue;
    if (deadline_.Passed()) return UploadOutcome::TimedOut;
    transfer_.Execute(command);
    sending = true;
  }
  if (sending)
    if (UploadOutcome o = Wait(); o != UploadOutcome::Done) return o;
  if (!r.htmlOnly) {
    step_ = "Closing Connection";
    if (UploadOutcome o = Execute(UploadCommands::Close()); o != UploadOutcome::Done) return o;
  }
  return UploadOutcome::Done;
}

}  // namespace qb
