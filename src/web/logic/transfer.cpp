#include "web/logic/transfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <stdexcept>

#include "core/file_replace.h"

namespace qb {
namespace {

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string Lower(std::string t) {
  std::transform(t.begin(), t.end(), t.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return t;
}

std::filesystem::path LocalPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return std::filesystem::path(path);
}

// ftp://host/path with every path segment escaped; a leading "/" makes the
// path absolute ("%2F"), as the server sees it.
// A server given as an address of its own stands for its host.
std::string ServerHost(std::string server) {
  if (Lower(server.substr(0, 6)) == "ftp://") server.erase(0, 6);
  while (!server.empty() && server.back() == '/') server.pop_back();
  return server;
}

std::string FtpAddress(CURL* easy, const std::string& server, const std::string& remote) {
  std::string address = "ftp://" + server + "/";
  size_t start = 0;
  if (!remote.empty() && remote.front() == '/') {
    address += "%2F";
    start = 1;
  }
  while (start <= remote.size()) {
    size_t slash = remote.find('/', start);
    if (slash == std::string::npos) slash = remote.size();
    const std::string segment = remote.substr(start, slash - start);
    char* escaped = curl_easy_escape(easy, segment.c_str(), static_cast<int>(segment.size()));
    address += escaped ? escaped : "";
    curl_free(escaped);
    if (slash < remote.size()) address += '/';
    start = slash + 1;
  }
  return address;
}

// An address as a list or a person writes it: blanks around it dropped,
// blanks and control characters inside it escaped, as a browser sends them.
std::string RequestAddress(const std::string& address) {
  const size_t first = address.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const size_t last = address.find_last_not_of(" \t");
  std::string out;
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (unsigned char c : address.substr(first, last - first + 1)) {
    if (c <= 0x20 || c == 0x7F) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

bool IsWebAddress(const std::string& address) {
  const std::string a = Lower(address.substr(0, 8));
  return a.rfind("http://", 0) == 0 || a.rfind("https://", 0) == 0;
}

bool ParseTransferCommand(const std::string& operation, TransferCommand& command) {
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < operation.size() && operation[i] == ' ') ++i;
  };
  skipBlanks();
  size_t wordEnd = i;
  while (wordEnd < operation.size() && operation[wordEnd] != ' ') ++wordEnd;
  const std::string word = Lower(operation.substr(i, wordEnd - i));
  i = wordEnd;
  auto quoted = [&](std::string& out) {
    skipBlanks();
    if (i >= operation.size() || operation[i] != '"') return false;
    const size_t close = operation.find('"', i + 1);
    if (close == std::string::npos) return false;
    out = operation.substr(i + 1, close - i - 1);
    i = close + 1;
    return !out.empty();
  };
  TransferCommand c;
  if (word == "close") {
    c.verb = TransferCommand::Verb::Close;
  } else if (word == "send" || word == "put" || word == "get") {
    c.verb = word == "get" ? TransferCommand::Verb::Get : TransferCommand::Verb::Send;
    if (!quoted(c.first) || !quoted(c.second)) return false;
  } else {
    return false;
  }
  skipBlanks();
  if (i != operation.size()) return false;
  command = std::move(c);
  return true;
}

struct Transfer::Impl {
  enum class Kind { Fetch, Send, Get };

  CURLM* multi = nullptr;
  CURL* easy = nullptr;  // the fetch or command in progress
  Kind kind = Kind::Fetch;
  int run = 0;  // counts starts, so a handler that starts anew is noticed
  char errorBuffer[CURL_ERROR_SIZE] = {};

  std::string received;
  bool tooLarge = false;
  std::string outgoing;
  size_t sent = 0;
  std::filesystem::path getTarget;
  int reached = 0;  // highest of states 1..8 reported for this run

  // Reported on the next pump: a command that failed before it started, or
  // the two states of a CLOSE.
  bool failPending = false;
  bool closePending = false;

  bool lastFailed = false;
  bool lastTimedOut = false;
  bool lastNotFound = false;
  bool lastCancelled = false;
  long lastStatus = 0;
  std::string lastError;
  std::string lastBody;

  int timeout = 60;
  std::string server, user, password;
  StateHandler onState;
  IdleHandler onIdle;
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);

  Impl() {
    GlobalInit();
    multi = curl_multi_init();
  }
  ~Impl() {
    *alive = false;
    Drop();
    if (multi) curl_multi_cleanup(multi);
  }

  bool Busy() const { return easy || failPending; }

  // Reports a state; false when the handler ended this run (or the client).
  bool Emit(TransferState s) {
    if (!onState) return true;
    auto token = alive;
    const int mine = run;
    StateHandler handler = onState;
    handler(s);
    return *token && run == mine;
  }

  // States 1..upTo in order, each once.
  bool Reach(int upTo) {
    while (reached < upTo) {
      ++reached;
      if (!Emit(static_cast<TransferState>(reached))) return false;
    }
    return true;
  }

  void Drop() {
    if (!easy) return;
    curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
    easy = nullptr;
  }

  void CloseConnection() {
    Drop();
    if (multi) curl_multi_cleanup(multi);
    multi = curl_multi_init();
  }

  void BeginRun() {
    ++run;
    reached = 0;
    received.clear();
    tooLarge = false;
    lastFailed = false;
    lastTimedOut = false;
    lastNotFound = false;
    lastCancelled = false;
    lastStatus = 0;
    lastError.clear();
    lastBody.clear();
    errorBuffer[0] = '\0';
  }

  static size_t Write(char* data, size_t size, size_t count, void* self) {
    auto* me = static_cast<Impl*>(self);
    const size_t n = size * count;
    if (me->received.size() + n > kMaxDocumentBytes) {
      me->tooLarge = true;
      return 0;
    }
    me->received.append(data, n);
    return n;
  }

  static size_t Read(char* buffer, size_t size, size_t count, void* self) {
    auto* me = static_cast<Impl*>(self);
    const size_t n = std::min(size * count, me->outgoing.size() - me->sent);
    std::copy_n(me->outgoing.data() + me->sent, n, buffer);
    me->sent += n;
    return n;
  }

  void Start(Kind k, const std::string& address) {
    kind = k;
    easy = curl_easy_init();
    if (!easy) throw std::runtime_error("The transfer could not be started.");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(timeout));
    // Nothing arriving for the time-out ends it; a slow but steady transfer goes on.
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(timeout));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Impl::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    if (k == Kind::Fetch) {
      curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
      curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
      curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
      curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
      curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
      curl_easy_setopt(easy, CURLOPT_USERAGENT, "QuorvelBrakkon");
    } else {
      curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
      curl_easy_setopt(easy, CURLOPT_USERNAME, user.c_str());
      curl_easy_setopt(easy, CURLOPT_PASSWORD, password.c_str());
      // Encrypted when the server offers it, so the password is not sent in the clear.
      curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
      curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(timeout));
      curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
      if (k == Kind::Send) {
        curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(easy, CURLOPT_READFUNCTION, &Impl::Read);
        curl_easy_setopt(easy, CURLOPT_READDATA, this);
        curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE,
                         static_cast<curl_off_t>(outgoing.size()));
      }
    }
    curl_multi_add_handle(multi, easy);
  }

  // The states the transfer has reached so far.
  bool Advance() {
    curl_off_t lookup = 0, connect = 0, pretransfer = 0, firstByte = 0;
    curl_easy_getinfo(easy, CURLINFO_NAMELOOKUP_TIME_T, &lookup);
    curl_easy_getinfo(easy, CURLINFO_CONNECT_TIME_T, &connect);
    curl_easy_getinfo(easy, CURLINFO_PRETRANSFER_TIME_T, &pretransfer);
    curl_easy_getinfo(easy, CURLINFO_STARTTRANSFER_TIME_T, &firstByte);
    int state = 1;
    if (lookup > 0 || connect > 0 || pretransfer > 0) state = 3;
    if (connect > 0 || pretransfer > 0) state = 5;
    if (pretransfer > 0) state = 6;
    if (firstByte > 0 || !received.empty()) state = 7;
    return Reach(state);
  }

  void Finish(CURLcode result) {
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    bool ok = result == CURLE_OK;
    std::string error;
    if (!ok) {
      if (result == CURLE_OPERATION_TIMEDOUT) {
        lastTimedOut = true;
        error = "The server did not answer within " + std::to_string(timeout) + " seconds.";
      } else if (result == CURLE_REMOTE_FILE_NOT_FOUND) {
        lastNotFound = true;
        error = errorBuffer[0] ? errorBuffer : curl_easy_strerror(result);
      } else if (tooLarge) {
        error = "The file is larger than the program accepts.";
      } else {
        error = errorBuffer[0] ? errorBuffer : curl_easy_strerror(result);
      }
    } else if (kind == Kind::Fetch && (status < 200 || status > 299)) {
      ok = false;
      error = "The server answered with status " + std::to_string(status) + ".";
    }
    Drop();  // the connection stays open for the next command
    if (ok && kind == Kind::Get) {
      if (std::error_code ec = ReplaceFileContents(getTarget, received)) {
        ok = false;
        error = "The file " + getTarget.string() + " could not be written: " + ec.message();
      }
    }
    lastStatus = status;
    lastFailed = !ok;
    lastError = error;
    if (ok && kind == Kind::Fetch) lastBody = std::move(received);
    received.clear();
    if (status > 0 && !Reach(8)) return;
    if (ok) {
      if (!Reach(8)) return;
      Emit(TransferState::ResponseCompleted);
    } else {
      Emit(TransferState::Error);
    }
  }

  void Pump(int waitMs) {
    if (failPending) {
      failPending = false;
      Emit(TransferState::Error);
      return;
    }
    if (closePending) {
      closePending = false;
      if (!Emit(TransferState::Disconnecting)) return;
      Emit(TransferState::Disconnected);
      return;
    }
    if (!easy) return;
    const int mine = run;
    int running = 0;
    curl_multi_perform(multi, &running);
    if (!Advance() || run != mine) return;
    int queued = 0;
    while (CURLMsg* m = curl_multi_info_read(multi, &queued)) {
      if (m->msg == CURLMSG_DONE && m->easy_handle == easy) {
        Finish(m->data.result);
        return;
      }
    }
    if (waitMs > 0) curl_multi_poll(multi, nullptr, 0, waitMs, nullptr);
  }

  void FailBeforeStart(std::string why) {
    lastFailed = true;
    lastError = std::move(why);
    failPending = true;
  }
};

Transfer::Transfer() : impl_(std::make_unique<Impl>()) {}
Transfer::~Transfer() = default;

void Transfer::SetRequestTimeout(int seconds) { impl_->timeout = std::max(1, seconds); }
int Transfer::RequestTimeout() const { return impl_->timeout; }
void Transfer::SetStateHandler(StateHandler handler) { impl_->onState = std::move(handler); }
void Transfer::SetIdleHandler(IdleHandler handler) { impl_->onIdle = std::move(handler); }

FetchResult Transfer::Fetch(const std::string& address) {
  Impl& d = *impl_;
  if (d.Busy()) throw std::logic_error("Still executing last request");
  if (d.closePending) d.Pump(0);
  d.BeginRun();
  const std::string request = RequestAddress(address);
  if (!IsWebAddress(request)) {
    d.FailBeforeStart("Only http and https addresses can be fetched: " + address);
  } else {
    d.Start(Impl::Kind::Fetch, request);
  }
  auto token = d.alive;
  const int mine = d.run;
  while (d.run == mine && d.Busy()) {
    d.Pump(50);
    if (!*token) return FetchResult{false, {}, 0, false, true, "Cancelled"};
    if (d.run == mine && d.Busy() && d.onIdle) {
      IdleHandler idle = d.onIdle;
      idle();
      if (!*token) return FetchResult{false, {}, 0, false, true, "Cancelled"};
    }
  }
  FetchResult r;
  r.ok = !d.lastFailed && !d.lastCancelled;
  r.body = std::move(d.lastBody);
  r.status = d.lastStatus;
  r.timedOut = d.lastTimedOut;
  r.cancelled = d.lastCancelled;
  r.error = d.lastError;
  return r;
}

void Transfer::Reconnect() {
  Cancel();
  impl_->CloseConnection();
}

void Transfer::SetServer(const std::string& address) {
  const std::string host = ServerHost(address);
  if (host != impl_->server) Reconnect();
  impl_->server = host;
}
void Transfer::SetUserName(const std::string& user) {
  if (user != impl_->user) Reconnect();
  impl_->user = user;
}
void Transfer::SetPassword(const std::string& password) {
  if (password != impl_->password) Reconnect();
  impl_->password = password;
}

void Transfer::Execute(const std::string& operation) {
  Impl& d = *impl_;
  TransferCommand c;
  if (!ParseTransferCommand(operation, c))
    throw std::invalid_argument("Not a file-transfer command: " + operation);
  if (d.Busy()) throw std::logic_error("Still executing last request");
  if (d.closePending) d.Pump(0);
  d.BeginRun();
  switch (c.verb) {
    case TransferCommand::Verb::Close:
      d.CloseConnection();
      d.closePending = true;
      return;
    case TransferCommand::Verb::Send: {
      std::ifstream in(LocalPath(c.first), std::ios::binary);
      if (!in) return d.FailBeforeStart("The file " + c.first + " could not be read.");
      d.outgoing.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      d.sent = 0;
      d.Start(Impl::Kind::Send, FtpAddress(nullptr, d.server, c.second));
      return;
    }
    case TransferCommand::Verb::Get:
      d.getTarget = LocalPath(c.second);
      d.Start(Impl::Kind::Get, FtpAddress(nullptr, d.server, c.first));
      return;
  }
}

bool Transfer::StillExecuting() {
  impl_->Pump(10);
  return impl_->Busy() || impl_->closePending;
}

void Transfer::Pump(int waitMs) { impl_->Pump(waitMs); }

void Transfer::Cancel() {
  Impl& d = *impl_;
  if (!d.Busy()) return;
  d.Drop();
  d.failPending = false;
  d.received.clear();
  d.lastFailed = true;
  d.lastCancelled = true;
  d.lastError = "Cancelled";
  ++d.run;
}

bool Transfer::LastFailed() const { return impl_->lastFailed; }
bool Transfer::LastTimedOut() const { return impl_->lastTimedOut; }
bool Transfer::LastNotFound() const { return impl_->lastNotFound; }
const std::string& Transfer::LastError() const { return impl_->lastError; }

}  // namespace qb
