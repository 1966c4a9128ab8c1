#include "core/file_replace.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace qb {
namespace fs = std::filesystem;

namespace {

std::error_code LastError() { return std::error_code(errno, std::generic_category()); }

fs::path FolderOf(const fs::path& target) {
  fs::path folder = target.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// Temporary files of a target are "." + its name + "." + the writer's process
// id + "-" + a unique part + ".tmp", hidden beside it.
std::string TemporaryPrefix(const fs::path& target) { return "." + target.filename().string() + "."; }

// A name no other save uses at the same moment.
std::string TemporaryName(const fs::path& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  auto tick = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, "%u-%llx%x.tmp", static_cast<unsigned>(getpid()),
                tick & 0xFFFFFFull, counter++ * 131u + attempt);
  return TemporaryPrefix(target) + suffix;
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// The process that wrote a temporary file of ours: -1 for a name of the
// older kind (hex digits alone), 0 for a name that is none of ours.
long WriterOf(std::string_view middle) {
  if (middle.empty()) return 0;
  const size_t dash = middle.find('-');
  for (size_t i = 0; i < middle.size(); ++i)
    if (i != dash && !IsHex(middle[i])) return 0;
  if (dash == std::string_view::npos) return -1;
  if (dash == 0 || dash + 1 == middle.size()) return 0;
  long pid = 0;
  for (size_t i = 0; i < dash; ++i) {
    if (middle[i] < '0' || middle[i] > '9' || pid > 100000000) return 0;
    pid = pid * 10 + (middle[i] - '0');
  }
  return pid;
}

// A file nobody can write to: its mode gives no one the right, or this user
// has none. The mode counts also for a user whom the system lets write anyway.
bool IsReadOnlyFile(const fs::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return (st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0;
}

// Seconds since the epoch at which process pid started, from /proc; false
// where it cannot be told. A zombie has ended: it writes nothing any more.
bool ProcessStart(long pid, double& started, bool& ended) {
  std::FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
  if (!f) return false;
  char buf[1024];
  const size_t n = std::fread(buf, 1, sizeof buf - 1, f);
  std::fclose(f);
  buf[n] = 0;
  // The name in parentheses may hold blanks: the fields follow its last ")".
  const char* p = std::strrchr(buf, ')');
  if (!p) return false;
  char state = 0;
  unsigned long long startTicks = 0;
  // state, then fields 4 to 21 skipped, then the start time (field 22).
  if (std::sscanf(p + 1, " %c %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s "
                         "%*s %*s %llu",
                  &state, &startTicks) != 2)
    return false;
  ended = state == 'Z' || state == 'X';
  std::FILE* st = std::fopen("/proc/stat", "r");
  if (!st) return false;
  unsigned long long boot = 0;
  char line[256];
  while (std::fgets(line, sizeof line, st))
    if (std::sscanf(line, "btime %llu", &boot) == 1) break;
  std::fclose(st);
  const long ticks = ::sysconf(_SC_CLK_TCK);
  if (boot == 0 || ticks <= 0) return false;
  started = static_cast<double>(boot) + static_cast<double>(startTicks) / ticks;
  return true;
}

// Whether the process that named a temporary file may still be writing it.
// A process of that number that began after the file was last changed is
// another one that was given the same number; one that has ended but not yet
// been waited for writes nothing either.
bool WriterMayBeRunning(long pid, const fs::path& file) {
  if (pid <= 0 || pid == getpid()) return false;  // this one saves one file at a time
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
  double started = 0;
  bool ended = false;
  if (!ProcessStart(pid, started, ended)) return true;
  if (ended) return false;
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return false;
  // The change time, not the modification time: a backup's temporary is a
  // link to the old pool and keeps its modification time, but making the
  // link changes the inode. A start time read from /proc is never later
  // than the true one; a second is left for the boot time's rounding.
  return started <= static_cast<double>(st.st_ctime) + 1;
}

std::error_code WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return {};
}

}  // namespace

void LetOversizedWritesFail() {
  struct sigaction now {};
  if (::sigaction(SIGXFSZ, nullptr, &now) != 0 || now.sa_handler != SIG_DFL) return;
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGXFSZ, &ignore, nullptr);
}

fs::path FileBehind(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(target, ec)) return target;
  fs::path real = fs::weakly_canonical(target, ec);
  return ec ? target : real;
}

void RemoveStaleTemporaryFiles(const fs::path& target) {
  const fs::path folder = FolderOf(target);
  const std::string prefix = TemporaryPrefix(target);
  const std::string_view suffix = ".tmp";
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    const long pid = WriterOf(std::string_view(name).substr(
        prefix.size(), name.size() - prefix.size() - suffix.size()));
    if (pid == 0) continue;
    // A save of another running program may still be writing it.
    if (WriterMayBeRunning(pid, it->path())) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
  }
}

std::error_code WriteFileBeside(const fs::path& target, std::string_view bytes,
                                fs::path& written) {
  if (IsReadOnlyFile(target)) return std::make_error_code(std::errc::permission_denied);
  LetOversizedWritesFail();
  RemoveStaleTemporaryFiles(target);
  const fs::path folder = FolderOf(target);
  int fd = -1;
  fs::path temp;
  for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = folder / TemporaryName(target, attempt);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return LastError();
  }
  if (fd < 0) return std::make_error_code(std::errc::file_exists);

  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
    (void)::fchmod(fd, old.st_mode & 07777);

  std::error_code ec = WriteAll(fd, bytes);
  if (!ec && ::fsync(fd) != 0) ec = LastError();
  if (::close(fd) != 0 && !ec) ec = LastError();
  if (ec) {
    ::unlink(temp.c_str());
    return ec;
  }
  written = temp;
  return {};
}

std::error_code LinkBeside(const fs::path& existing, const fs::path& target) {
  if (IsReadOnlyFile(target)) return std::make_error_code(std::errc::permission_denied);
  RemoveStaleTemporaryFiles(target);
  const fs::path folder = FolderOf(target);
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const fs::path temp = folder / TemporaryName(target, attempt);
    if (::linkat(AT_FDCWD, existing.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
      return MoveOver(temp, target);
    if (errno != EEXIST) return LastError();
  }
  return std::make_error_code(std::errc::file_exists);
}

std::error_code MoveOver(const fs::path& written, const fs::path& target) {
  std::error_code ec;
  fs::rename(written, target, ec);
  if (ec) {
    ::unlink(written.c_str());
    return ec;
  }
  // A rename between two names of one file (a backup that is still a link
  // of the pool) does nothing and succeeds: the written name is left over.
  // Names that differ cannot be one entry of a folder, only two of a file.
  struct stat from {}, to {};
  if (written.filename() != target.filename() && ::lstat(written.c_str(), &from) == 0 &&
      ::lstat(target.c_str(), &to) == 0 && from.st_dev == to.st_dev && from.st_ino == to.st_ino)
    ::unlink(written.c_str());
  return {};
}

std::error_code ReplaceFileContents(const fs::path& target, std::string_view bytes) {
  const fs::path file = FileBehind(target);
  fs::path written;
  if (std::error_code ec = WriteFileBeside(file, bytes, written)) return ec;
  return MoveOver(written, file);
}

}  // namespace qb
