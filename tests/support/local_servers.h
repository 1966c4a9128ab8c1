#pragma once
// Servers on 127.0.0.1 for the tests of the web exchange, each on a free
// port and stopped when its object goes: the http.server of Debian's
// python3, a file-transfer server (pyftpdlib), a server that redirects, and
// a listener that never answers.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <optional>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace qb::test {

// The servers are on this machine: a proxy of the environment is not asked.
inline const bool kNoProxyInTests = [] {
  for (const char* v : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "ftp_proxy",
                        "FTP_PROXY", "all_proxy", "ALL_PROXY"})
    unsetenv(v);
  return true;
}();

// Debian's python3, never another one on the PATH.
inline constexpr const char* kPython = "/usr/bin/python3";

inline std::string ServerScript(const std::string& name) {
  return std::string(QB_FIXTURES) + "/../support/servers/" + name;
}

// A program started for a test; killed and reaped when the object goes.
class ServerProcess {
 public:
  explicit ServerProcess(const std::vector<std::string>& argv) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
      // Only system calls from here: the test may run other threads.
      // A test that dies takes its server with it.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(127);
      // A group of its own: a server stopped by Pause() in the group of a
      // run whose starting shell has gone would be hung up and woken, and die.
      setpgid(0, 0);
      dup2(fds[1], 1);
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, 2);
      close(fds[0]);
      close(fds[1]);
      execve(args[0], args.data(), environ);
      _exit(127);
    }
    close(fds[1]);
    out_ = fds[0];
    if (pid_ < 0) throw std::runtime_error("cannot start " + argv[0]);
  }
  ~ServerProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGCONT);
      kill(pid_, SIGTERM);
      int status = 0;
      for (int i = 0; i < 200 && waitpid(pid_, &status, WNOHANG) == 0; ++i) usleep(10000);
      if (waitpid(pid_, &status, WNOHANG) == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
      }
    }
    if (out_ >= 0) close(out_);
  }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  // The next line the program prints, within the time; nullopt after it.
  std::optional<std::string> ReadLine(int milliseconds = 5000) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
      const size_t end = buffer_.find('\n');
      if (end != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return line;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline - std::chrono::steady_clock::now())
                            .count();
      if (left <= 0) return std::nullopt;
      pollfd p{out_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left)) <= 0) return std::nullopt;
      char chunk[512];
      const ssize_t n = read(out_, chunk, sizeof chunk);
      if (n <= 0) return std::nullopt;
      buffer_.append(chunk, static_cast<size_t>(n));
    }
  }

  // Stops the program where it is (it answers nothing), and lets it go on.
  void Pause() { kill(pid_, SIGSTOP); }
  void Resume() { kill(pid_, SIGCONT); }

  // Reads lines until one holds "port N"; the port, or 0.
  int WaitForPort() {
    static const std::regex portLine(R"(port (\d+))");
    while (auto line = ReadLine()) {
      std::smatch m;
      if (std::regex_search(*line, m, portLine)) return std::stoi(m[1]);
    }
    return 0;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffer_;
};

struct LocalServer {
  std::unique_ptr<ServerProcess> process;
  int port = 0;
  std::string Address(const std::string& path = "/") const {
    return "http://127.0.0.1:" + std::to_string(port) + path;
  }
  std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
};

inline LocalServer Start(std::vector<std::string> argv) {
  LocalServer s;
  s.process = std::make_unique<ServerProcess>(argv);
  s.port = s.process->WaitForPort();
  if (s.port == 0) throw std::runtime_error("the test server did not start: " + argv[1]);
  return s;
}

// Serves the folder's files over http.
inline LocalServer StartHttpServer(const std::string& folder) {
  return Start({kPython, "-I", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                "--directory", folder});
}

// "/to?ADDRESS" redirects to ADDRESS.
inline LocalServer StartRedirectServer() {
  return Start({kPython, "-I", "-u", ServerScript("redirect_server.py")});
}

// Serves the folder to user and password; prints "connect"/"disconnect" per connection.
inline LocalServer StartFtpServer(const std::string& folder, const std::string& user,
                                  const std::string& password) {
  return Start({kPython, "-I", "-u", ServerScript("ftp_server.py"), folder, user, password});
}

// A port of 127.0.0.1 held while the object lives: bound but not listening,
// so a connection is refused, and no server of a test running beside it is
// given the port meanwhile.
class ClosedPort {
 public:
  ClosedPort() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
      throw std::runtime_error("cannot bind");
    port_ = ntohs(a.sin_port);
  }
  ~ClosedPort() { close(fd_); }
  ClosedPort(const ClosedPort&) = delete;
  ClosedPort& operator=(const ClosedPort&) = delete;
  int port() const { return port_; }
  std::string Address(const std::string& path = "/") const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }

 protected:
  int fd_ = -1;

 private:
  int port_ = 0;
};

// Listens on a free port and never accepts nor answers: connections wait
// in the queue until the client gives up.
class SilentListener : public ClosedPort {
 public:
  SilentListener() {
    if (listen(fd_, 8) != 0) throw std::runtime_error("cannot listen");
  }
};

}  // namespace qb::test
